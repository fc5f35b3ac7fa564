#include "views/menu_page_box.h"

#include "views/menu_context.h"

namespace mirdal::gui {

MenuPageBox::MenuPageBox(MenuContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) { setObjectName("pMenuHead"); }

}  // namespace mirdal::gui
