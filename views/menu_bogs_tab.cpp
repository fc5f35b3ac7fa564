#include "views/menu_bogs_tab.h"

#include "views/menu_context.h"

namespace mirdal::gui {

MenuBogsTab::MenuBogsTab(MenuContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) { setObjectName("tsBOGs"); }

}  // namespace mirdal::gui
