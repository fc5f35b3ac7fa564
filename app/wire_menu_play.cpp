// The links of the menu emulation (the page view, the navigation panel and
// the run panel's button choice) to the shared controls.
#include "app/main_window.h"

namespace mirdal::gui {

void TfMain::wireMenuPlay() {}

}  // namespace mirdal::gui
