#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {

Reporter* installed = nullptr;

}  // namespace

Reporter& guiReporter() { return reporterOrSilent(installed); }

Reporter* setGuiReporter(Reporter* r) {
  Reporter* prev = installed;
  installed = r;
  return prev;
}

}  // namespace mirdal::gui
