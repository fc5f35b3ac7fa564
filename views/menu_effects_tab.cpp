#include "views/menu_effects_tab.h"

#include "views/menu_context.h"

namespace mirdal::gui {

MenuEffectsTab::MenuEffectsTab(MenuContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) { setObjectName("tsEffects"); }

}  // namespace mirdal::gui
