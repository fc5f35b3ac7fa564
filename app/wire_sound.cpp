// The links of the "sound.bdmv" group of the "&BDMV" page to the shared controls and the other pages.
#include "app/main_window.h"

namespace mirdal::gui {

void TfMain::wireSound() {}

}  // namespace mirdal::gui
