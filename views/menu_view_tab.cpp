#include "views/menu_view_tab.h"

#include "views/menu_context.h"

namespace mirdal::gui {

MenuViewTab::MenuViewTab(MenuContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) { setObjectName("tsPageView"); }

}  // namespace mirdal::gui
