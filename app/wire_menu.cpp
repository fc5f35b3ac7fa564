// The links of the "&Menu" page (Load, Save, a menu file on the command line or dropped) to the shared controls.
#include "app/main_window.h"

namespace mirdal::gui {

void TfMain::wireMenu() {}

}  // namespace mirdal::gui
