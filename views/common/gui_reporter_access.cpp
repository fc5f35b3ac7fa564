#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {

SilentReporter nobody;
Reporter* installed = nullptr;

}  // namespace

Reporter& guiReporter() { return installed ? *installed : nobody; }

Reporter* setGuiReporter(Reporter* r) {
  Reporter* prev = installed;
  installed = r;
  return prev;
}

}  // namespace mirdal::gui
