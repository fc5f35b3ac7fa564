// The links of the "&PLAYLIST" page to the shared controls and the other pages.
#include "app/main_window.h"

namespace mirdal::gui {

void TfMain::wirePlaylist() {}

}  // namespace mirdal::gui
