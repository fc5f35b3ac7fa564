#include "views/menu/menu_context.h"

#include "views/common/document_signals.h"
#include "views/common/interaction.h"

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

bool MenuContext::showButton(int page, std::uint16_t id) {
  const auto& pages = menu().ics.pages;
  if (page < 0 || std::size_t(page) >= pages.size()) return false;
  setPage(page);
  const mirdal::IgPage& pg = pages[std::size_t(page)];
  for (std::size_t g = 0; g < pg.bogs.size(); ++g)
    for (std::size_t i = 0; i < pg.bogs[g].buttons.size(); ++i)
      if (pg.bogs[g].buttons[i].buttonId == id) {
        setBog(int(g));
        setButton(int(i));
        return true;
      }
  return false;
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

bool mayDropDisplaySets(Interaction& ia, const mirdal::IgMenu& m) {
  if (m.displaySets <= 1) return true;
  const QString others = m.displaySets == 2 ? QObject::tr("the other one") : QObject::tr("the other %1").arg(m.displaySets - 1);
  const QString q = QObject::tr("The stream this menu was loaded from holds %1 display sets; the menu holds the "
                                "first one alone, and only that one is written. Write it and drop %2?")
                        .arg(m.displaySets)
                        .arg(others);
  return ia.ask(q, Choices::YesNo) == Answer::Yes;
}

}  // namespace mirdal::gui
