#include "views/menu_choice_box.h"

#include "views/menu_context.h"

namespace mirdal::gui {

MenuChoiceBox::MenuChoiceBox(MenuContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) { setObjectName("pObjPal"); }

}  // namespace mirdal::gui
