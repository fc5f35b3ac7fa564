// The GUI's reporter for views and app code: the main window installs its
// log window's reporter here, and every widget and wiring passes it on to
// the engine operations it starts. Until one is installed (a widget made
// alone in a test) messages go nowhere.
#pragma once

#include "core/report.h"

namespace mirdal::gui {

Reporter& guiReporter();
// Installs r (null: none) and returns the one installed before.
Reporter* setGuiReporter(Reporter* r);

class ScopedGuiReporter {
 public:
  explicit ScopedGuiReporter(Reporter& r) : prev_(setGuiReporter(&r)) {}
  ~ScopedGuiReporter() { setGuiReporter(prev_); }
  ScopedGuiReporter(const ScopedGuiReporter&) = delete;
  ScopedGuiReporter& operator=(const ScopedGuiReporter&) = delete;

 private:
  Reporter* prev_;
};

}  // namespace mirdal::gui
