#include "menu/page_interaction.h"

#include <cstdio>

namespace mirdal {

namespace {

struct Box {
  int x0, y0, x1, y1;  // inclusive
  bool holds(Point p) const { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; }
};

// The rectangle of object `object` at the button's place, inclusive.
std::optional<Box> objectBox(const IgMenu& m, const IgButton& b, std::uint16_t object) {
  if (object == kNoObjectId || object >= m.objects.size()) return std::nullopt;
  const IgObject& o = m.objects[object];
  return Box{b.x, b.y, b.x + o.width, b.y + o.height};
}

const IgButton* pageButton(const IgMenu& m, std::size_t page, std::uint32_t id) {
  if (page >= m.pageButtons.size() || id >= m.pageButtons[page].ids.size()) return nullptr;
  return findButton(m, page, std::uint16_t(id));
}

}  // namespace

Point viewToPage(Point p, int w, int h) {
  if (w <= 0 || h <= 0) return p;
  return {p.x * 1920 / w, p.y * 1080 / h};
}

bool overSelectedButton(const IgMenu& m, std::size_t page, std::uint32_t psr10, Point p) {
  const IgButton* b = pageButton(m, page, psr10);
  if (!b) return false;
  const std::optional<Box> box = objectBox(m, *b, b->selectedStart);
  return box && box->holds(p);
}

std::optional<MenuKey> hoverKey(const IgMenu& m, std::size_t page, std::uint32_t psr10, Point p) {
  const IgButton* b = pageButton(m, page, psr10);
  if (!b) return std::nullopt;
  const std::pair<std::uint16_t, MenuKey> order[] = {
      {b->upper, MenuKey::Up}, {b->lower, MenuKey::Down}, {b->right, MenuKey::Right}, {b->left, MenuKey::Left}};
  for (const auto& [id, key] : order) {
    if (id == b->buttonId) continue;
    const IgButton* n = pageButton(m, page, id);
    if (!n) continue;
    std::optional<Box> box = objectBox(m, *n, n->selectedStart);
    if (!box) continue;
    box->x0 += 5, box->y0 += 5, box->x1 -= 5, box->y1 -= 5;
    if (box->holds(p)) return key;
  }
  return std::nullopt;
}

std::optional<std::uint16_t> dragButtonAt(const IgMenu& m, std::size_t page, const std::vector<ButtonState>& states,
                                          Point p) {
  for (std::size_t id = 0; id < states.size(); ++id) {
    if (!states[id].shown) continue;
    const IgButton* b = pageButton(m, page, std::uint32_t(id));
    if (!b) continue;
    const std::optional<Box> box = objectBox(m, *b, b->normalStart);
    if (box && box->holds(p)) return std::uint16_t(id);
  }
  return std::nullopt;
}

DragMode dragModeFor(bool ctrl, bool alt, bool shift) {
  if (ctrl && alt) return DragMode::Grid;
  if (shift) return DragMode::Double;
  if (alt) return DragMode::VerticalOnly;
  if (ctrl) return DragMode::HorizontalOnly;
  return DragMode::Free;
}

std::string dragPrefix(DragMode mode) {
  switch (mode) {
    case DragMode::Grid: return "[GRID] ";
    case DragMode::Double: return "[2x] ";
    case DragMode::VerticalOnly: return "[Y] ";
    case DragMode::HorizontalOnly: return "[X] ";
    case DragMode::Free: break;
  }
  return {};
}

int gridSnap(int v, int grid) {
  if (grid < 1) grid = 1;
  return (v + 5) / grid * grid;
}

DragStep dragMove(IgMenu& m, std::size_t page, const std::vector<ButtonState>& states, std::uint16_t id,
                  std::uint32_t psr10, Point origin, Point pointer, DragMode mode, int grid) {
  DragStep step;
  step.origin = origin;
  if (page >= m.ics.pages.size() || page >= m.pageButtons.size() || id >= m.pageButtons[page].ids.size())
    return step;
  const PageButtonIndex::Slot slot = m.pageButtons[page].ids[id];
  if (slot.bog < 0) return step;
  IgButton& b = m.ics.pages[page].bogs[std::size_t(slot.bog)].buttons[std::size_t(slot.button)];
  const std::uint16_t object = id == psr10 ? b.selectedStart : b.normalStart;
  if (object >= m.objects.size()) return step;
  const int w = m.objects[object].width, h = m.objects[object].height;

  Point p = pointer, o = origin;
  if (mode == DragMode::Grid) {
    p = {gridSnap(p.x, grid), gridSnap(p.y, grid)};
    o = {gridSnap(o.x, grid), gridSnap(o.y, grid)};
  }
  int dx = p.x - o.x, dy = p.y - o.y;
  if (mode == DragMode::Double) dx *= 2, dy *= 2;
  if (mode == DragMode::VerticalOnly) dx = 0;
  if (mode == DragMode::HorizontalOnly) dy = 0;

  bool moveX = dx != 0 && b.x + dx >= 0 && b.x + dx + w <= 1919;
  bool moveY = dy != 0 && b.y + dy >= 0 && b.y + dy + h <= 1079;
  const int nx = moveX ? b.x + dx : b.x, ny = moveY ? b.y + dy : b.y;
  if (moveX || moveY) {
    const Box mine{nx, ny, nx + w - 1, ny + h - 1};
    for (std::size_t other = 0; other < states.size(); ++other) {
      if (other == id || !states[other].shown) continue;
      const IgButton* ob = pageButton(m, page, std::uint32_t(other));
      if (!ob) continue;
      const std::optional<Box> box = objectBox(m, *ob, ob->normalStart);
      if (box && mine.x0 <= box->x1 && box->x0 <= mine.x1 && mine.y0 <= box->y1 && box->y0 <= mine.y1)
        moveX = moveY = false;
    }
  }
  if (moveX) {
    b.x = std::uint16_t(b.x + dx);
    step.origin.x = pointer.x;
  }
  if (moveY) {
    b.y = std::uint16_t(b.y + dy);
    step.origin.y = pointer.y;
  }
  step.movedX = moveX;
  step.movedY = moveY;
  char text[64];
  std::snprintf(text, sizeof text, "Button: %04X   X: %u Y: %u", id, unsigned(b.x), unsigned(b.y));
  step.status = dragPrefix(mode) + text;
  return step;
}

}  // namespace mirdal
