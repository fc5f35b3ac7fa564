#include "views/menu_objects_tab.h"

#include "views/menu_context.h"

namespace mirdal::gui {

MenuObjectsTab::MenuObjectsTab(MenuContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) { setObjectName("tsObjects"); }

}  // namespace mirdal::gui
