#include "views/menu_context.h"

#include "views/document_signals.h"

namespace mirdal::gui {

MenuContext::MenuContext(mirdal::Workspace& ws, Interaction& ia, QObject* parent)
    : QObject(parent), ws_(ws), ia_(ia), changes_(new DocumentSignals(ws.menu, this)) {}

void MenuContext::setPage(int page) {
  if (page == page_) return;
  page_ = page;
  emit pageChanged(page);
}

void MenuContext::setBog(int bog) {
  if (bog == bog_) return;
  bog_ = bog;
  emit bogChanged(bog);
}

void MenuContext::setButton(int button) {
  if (button == button_) return;
  button_ = button;
  emit buttonChanged(button);
}

void MenuContext::setObject(int object) {
  if (object == object_) return;
  object_ = object;
  emit objectChanged(object);
}

void MenuContext::setPalette(int palette) {
  if (palette == palette_) return;
  palette_ = palette;
  emit paletteChanged(palette);
}

void MenuContext::setPaletteOnly(bool on) {
  if (on == paletteOnly_) return;
  paletteOnly_ = on;
  emit paletteOnlyChanged(on);
}

}  // namespace mirdal::gui
