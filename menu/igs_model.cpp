#include "menu/igs_model.h"

#include <algorithm>

namespace mirdal {

TMenu newMenu() {
  TMenu m;
  m.in_time = kNewMenuInTime;
  return m;
}

void buildPageButtons(const TPage& page, TPageButton& index) {
  std::size_t total = 0, needed = 0;
  for (const TBOG& bog : page.bogs) {
    total += bog.buttons.size();
    for (const TIGbutton& b : bog.buttons) needed = std::max<std::size_t>(needed, std::size_t(b.button_id) + 1);
  }
  index.ids.assign(std::max(total, needed), TPageButton::Slot{});
  for (std::size_t g = 0; g < page.bogs.size(); ++g)
    for (std::size_t i = 0; i < page.bogs[g].buttons.size(); ++i)
      index.ids[page.bogs[g].buttons[i].button_id] = {std::int32_t(g), std::int32_t(i)};
}

void buildAllPageButtons(TMenu& m) {
  m.page_buttons.resize(m.ics.pages.size());
  for (std::size_t i = 0; i < m.ics.pages.size(); ++i) buildPageButtons(m.ics.pages[i], m.page_buttons[i]);
}

const TIGbutton* findButton(const TMenu& m, std::size_t page, std::uint16_t id) {
  if (page >= m.ics.pages.size() || page >= m.page_buttons.size()) return nullptr;
  const auto& slots = m.page_buttons[page].ids;
  if (id >= slots.size() || slots[id].bog < 0) return nullptr;
  const auto& bogs = m.ics.pages[page].bogs;
  const std::size_t g = std::size_t(slots[id].bog), i = std::size_t(slots[id].button);
  if (g >= bogs.size() || i >= bogs[g].buttons.size()) return nullptr;
  return &bogs[g].buttons[i];
}

void clearObjectCache(TMenu& m, std::size_t object) {
  if (object < m.cache.size()) m.cache[object].byPalette.clear();
}

void clearPaletteCache(TMenu& m, std::size_t palette) {
  for (TObjectCache& c : m.cache)
    if (palette < c.byPalette.size()) c.byPalette[palette].reset();
}

}  // namespace mirdal
