// The navigation map as a Graphviz DOT graph: nodes labelled with their
// names, unreachable ones greyed, edges labelled with the command line that
// makes them, each menu's pages and buttons in a cluster of their own.
#pragma once

#include <string>

#include "check/nav_graph.h"

namespace mirdal {

std::string navmapDot(const NavGraph& g);

// A DOT string: quoted, with " and \ escaped and line breaks as \n.
std::string dotQuoted(const std::string& text);

}  // namespace mirdal
