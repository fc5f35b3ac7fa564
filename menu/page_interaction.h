// The page view's pointer rules as plain functions: which button lies under
// a point, which neighbour a hovering pointer selects, and the drag that
// moves a button freely, on a grid, along one axis or at double speed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "menu/igs_model.h"
#include "menu/menu_emulation.h"
#include "menu/page_render.h"

namespace mirdal {

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

// A pointer in a fitted view of a picture of w x h view pixels, in page
// pixels.
Point viewToPage(Point p, int pictureWidth, int pictureHeight);

// Whether the pointer lies over the selected button's selected object
// (inclusive bounds): a left click there activates it.
bool overSelectedButton(const IgMenu& m, std::size_t page, std::uint32_t psr10, Point p);

// The navigation key a hovering pointer performs: the first of the selected
// button's upper, lower, right and left neighbours whose selected object,
// shrunk by 5 pixels on every side, holds the point.
std::optional<MenuKey> hoverKey(const IgMenu& m, std::size_t page, std::uint32_t psr10, Point p);

// The first shown button, in ascending id, whose normal object holds the
// point: the one a right-button drag takes.
std::optional<std::uint16_t> dragButtonAt(const IgMenu& m, std::size_t page, const std::vector<ButtonState>& states,
                                          Point p);

enum class DragMode { Free, Grid, Double, VerticalOnly, HorizontalOnly };
// Ctrl+Alt grid, Shift double speed, Alt vertical only, Ctrl horizontal only.
DragMode dragModeFor(bool ctrl, bool alt, bool shift);
// "[GRID] ", "[2x] ", "[Y] ", "[X] " or "".
std::string dragPrefix(DragMode mode);
// Rounds a coordinate to the grid, 5 pixels early: 100 -> 105, 94 -> 90 at 15.
int gridSnap(int v, int grid);

struct DragStep {
  bool movedX = false, movedY = false;
  Point origin;        // the new drag origin
  std::string status;  // prefix + "Button: 0001   X: 10 Y: 20"
};

// One pointer move of a drag of button id: moves it in the model when the
// new place stays on the page and overlaps no other shown button.
DragStep dragMove(IgMenu& m, std::size_t page, const std::vector<ButtonState>& states, std::uint16_t id,
                  std::uint32_t psr10, Point origin, Point pointer, DragMode mode, int grid);

}  // namespace mirdal
