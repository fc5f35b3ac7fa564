// The links of the "&CLIPINF" page to the shared controls and the other pages.
#include "app/main_window.h"

namespace mirdal::gui {

void TfMain::wireClip() {}

}  // namespace mirdal::gui
