#include "menu/igs_model.h"

#include <algorithm>

namespace mirdal {

IgMenu newMenu() {
  IgMenu m;
  m.inTime = kNewMenuInTime;
  return m;
}

void buildPageButtons(const IgPage& page, PageButtonIndex& index) {
  std::size_t total = 0, needed = 0;
  for (const Bog& bog : page.bogs) {
    total += bog.buttons.size();
    for (const IgButton& b : bog.buttons) needed = std::max<std::size_t>(needed, std::size_t(b.buttonId) + 1);
  }
  index.ids.assign(std::max(total, needed), PageButtonIndex::Slot{});
  for (std::size_t g = 0; g < page.bogs.size(); ++g)
    for (std::size_t i = 0; i < page.bogs[g].buttons.size(); ++i)
      index.ids[page.bogs[g].buttons[i].buttonId] = {std::int32_t(g), std::int32_t(i)};
}

void buildAllPageButtons(IgMenu& m) {
  m.pageButtons.resize(m.ics.pages.size());
  for (std::size_t i = 0; i < m.ics.pages.size(); ++i) buildPageButtons(m.ics.pages[i], m.pageButtons[i]);
}

const IgButton* findButton(const IgMenu& m, std::size_t page, std::uint16_t id) {
  if (page >= m.ics.pages.size() || page >= m.pageButtons.size()) return nullptr;
  const auto& slots = m.pageButtons[page].ids;
  if (id >= slots.size() || slots[id].bog < 0) return nullptr;
  const auto& bogs = m.ics.pages[page].bogs;
  const std::size_t g = std::size_t(slots[id].bog), i = std::size_t(slots[id].button);
  if (g >= bogs.size() || i >= bogs[g].buttons.size()) return nullptr;
  return &bogs[g].buttons[i];
}

void clearObjectCache(IgMenu& m, std::size_t object) {
  if (object < m.cache.size()) m.cache[object].byPalette.clear();
}

void clearPaletteCache(IgMenu& m, std::size_t palette) {
  for (ObjectCache& c : m.cache)
    if (palette < c.byPalette.size()) c.byPalette[palette].reset();
}

}  // namespace mirdal
