// The links of the "&Menu" page to the shared controls and the other pages.
#include "app/main_window.h"

namespace mirdal::gui {

void TfMain::wireMenu() {}

}  // namespace mirdal::gui
