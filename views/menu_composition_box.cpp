#include "views/menu_composition_box.h"

#include "views/menu_context.h"

namespace mirdal::gui {

MenuCompositionBox::MenuCompositionBox(MenuContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) { setObjectName("pIGSInfo"); }

}  // namespace mirdal::gui
