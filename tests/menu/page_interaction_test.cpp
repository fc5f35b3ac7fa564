// Pointer rules of the page view: hover, click, the drag hit test and the
// drag modes with their limits.
#include <gtest/gtest.h>

#include "menu/page_interaction.h"
#include "tiny_menu.h"

namespace mirdal {
namespace {

struct Layout {
  IgMenu m = test::tinyMenu();
  PageRenderer r;
  Layout() {
    r.menu = &m;
    resetButtonStates(r, 0);
  }
  IgButton& b(std::size_t bog, std::size_t i = 0) { return m.ics.pages[0].bogs[bog].buttons[i]; }
};

TEST(PageInteraction, GridSnap) {
  const int cases[][3] = {{100, 15, 105}, {94, 15, 90}, {0, 15, 0}, {10, 15, 15}, {7, 1, 12}, {3, 0, 8}};
  for (const auto& c : cases) EXPECT_EQ(gridSnap(c[0], c[1]), c[2]) << c[0] << " grid " << c[1];
}

TEST(PageInteraction, DragModesFromKeys) {
  struct Case {
    bool ctrl, alt, shift;
    DragMode mode;
    const char* prefix;
  };
  const Case cases[] = {{true, true, false, DragMode::Grid, "[GRID] "},
                        {true, true, true, DragMode::Grid, "[GRID] "},
                        {false, false, true, DragMode::Double, "[2x] "},
                        {false, true, false, DragMode::VerticalOnly, "[Y] "},
                        {true, false, false, DragMode::HorizontalOnly, "[X] "},
                        {false, false, false, DragMode::Free, ""}};
  for (const Case& c : cases) {
    EXPECT_EQ(dragModeFor(c.ctrl, c.alt, c.shift), c.mode) << c.prefix;
    EXPECT_EQ(dragPrefix(c.mode), c.prefix);
  }
}

TEST(PageInteraction, DragMoves) {
  struct Case {
    const char* name;
    DragMode mode;
    Point origin, pointer;
    std::uint16_t x, y;  // button 2 afterwards (from 300,100)
  };
  const Case cases[] = {
      {"free", DragMode::Free, {0, 0}, {7, -3}, 307, 97},
      {"double speed", DragMode::Double, {0, 0}, {7, -3}, 314, 94},
      {"vertical only", DragMode::VerticalOnly, {0, 0}, {7, 20}, 300, 120},
      {"horizontal only", DragMode::HorizontalOnly, {0, 0}, {7, 20}, 307, 100},
      {"grid", DragMode::Grid, {0, 0}, {100, 94}, 405, 190},
      {"onto button 3 is refused", DragMode::Free, {0, 0}, {195, 0}, 300, 100},
      {"past the top is refused", DragMode::Free, {0, 0}, {0, -101}, 300, 100},
  };
  for (const Case& c : cases) {
    Layout l;
    const DragStep s = dragMove(l.m, 0, l.r.states, 2, 1, c.origin, c.pointer, c.mode, 15);
    EXPECT_EQ(l.b(2).x, c.x) << c.name;
    EXPECT_EQ(l.b(2).y, c.y) << c.name;
    EXPECT_EQ(s.origin.x, s.movedX ? c.pointer.x : c.origin.x) << c.name;
  }
}

TEST(PageInteraction, DragStopsAtTheRightEdge) {
  Layout l;
  l.b(2).x = 1700;
  l.b(2).normalStart = 8;  // 40 wide
  l.m.objects[8].width = 200;
  l.m.objects[8].image->width = 200;
  DragStep s = dragMove(l.m, 0, l.r.states, 2, 1, {0, 0}, {19, 0}, DragMode::Free, 15);
  EXPECT_EQ(l.b(2).x, 1719);
  EXPECT_EQ(s.status, "Button: 0002   X: 1719 Y: 100");
  s = dragMove(l.m, 0, l.r.states, 2, 1, s.origin, {30, 0}, DragMode::Free, 15);
  EXPECT_FALSE(s.movedX);
  EXPECT_EQ(l.b(2).x, 1719);
  EXPECT_EQ(s.origin.x, 19);
}

TEST(PageInteraction, DragHitTest) {
  Layout l;
  EXPECT_EQ(dragButtonAt(l.m, 0, l.r.states, {105, 105}), std::optional<std::uint16_t>(0));
  EXPECT_EQ(dragButtonAt(l.m, 0, l.r.states, {505, 105}), std::optional<std::uint16_t>(3));  // 4 is hidden
  EXPECT_EQ(dragButtonAt(l.m, 0, l.r.states, {50, 50}), std::nullopt);
}

TEST(PageInteraction, HoverSelectsANeighbourInsideItsShrunkRectangle) {
  Layout l;
  // Selected 1; its upper neighbour 0 sits at (100,100) with a 10 x 10
  // selected object: only (105,105) lies 5 pixels inside.
  EXPECT_EQ(hoverKey(l.m, 0, 1, {105, 105}), std::optional<MenuKey>(MenuKey::Up));
  EXPECT_EQ(hoverKey(l.m, 0, 1, {104, 105}), std::nullopt);
  EXPECT_EQ(hoverKey(l.m, 0, 1, {105, 305}), std::nullopt);  // itself
  EXPECT_EQ(hoverKey(l.m, 0, 0xFFFF, {105, 105}), std::nullopt);
  EXPECT_TRUE(overSelectedButton(l.m, 0, 1, {110, 310}));  // inclusive
  EXPECT_FALSE(overSelectedButton(l.m, 0, 1, {111, 310}));
}

TEST(PageInteraction, FittedViewToPage) {
  EXPECT_EQ(viewToPage({480, 270}, 960, 540), (Point{960, 540}));
  EXPECT_EQ(viewToPage({1, 1}, 0, 0), (Point{1, 1}));
}

}  // namespace
}  // namespace mirdal
