// The links of the menu editors (Create Menu, Mux) to the shared controls
// and the options page.
#include "app/main_window.h"

namespace mirdal::gui {

void TfMain::wireMenuEdit() {}

}  // namespace mirdal::gui
