// Where the GUI draws the navigation map: one column per kind of node
// (entries and titles, movie objects, playlists and BD-J objects, clips,
// menus and pages, buttons), nodes ordered within a column so that edges
// run short, and a curve for each edge. Units are scene pixels.
#pragma once

#include <cstddef>
#include <vector>

#include "check/nav_graph.h"

namespace mirdal {

// A point of the drawn map (menu/page_interaction.h's Point is a page pixel).
struct MapPoint {
  double x = 0, y = 0;
};

struct NodeBox {
  double x = 0, y = 0, width = 0, height = 0;  // top-left corner and size
};

// A cubic curve from the right edge of its first node to the left edge of
// its second (or around, for an edge that runs back to a column on the left
// or stays in its column).
struct EdgeCurve {
  MapPoint from, control1, control2, to;
};

struct NavLayout {
  std::vector<NodeBox> boxes;    // one per node of the graph
  std::vector<EdgeCurve> curves; // one per edge
  double width = 0, height = 0;
};

inline constexpr double kNodeWidth = 150, kNodeHeight = 28, kColumnGap = 90, kRowGap = 10;

int columnOf(NodeKind k);
NavLayout layoutNavGraph(const NavGraph& g);

}  // namespace mirdal
