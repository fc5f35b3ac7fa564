// The navigation map: what leads where on a disc. First Playback, Top Menu
// and the titles lead to movie objects (or BD-J objects), objects to objects,
// titles and playlists, playlists to clips, clips to their menus, menus to
// pages and buttons, buttons to titles, objects and pages. Nodes no path
// from First Playback, the Top Menu, a title or a menu reaches are
// unreachable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "check/finding.h"

namespace mirdal {

class CheckContext;

enum class NodeKind { FirstPlayback, TopMenu, Title, Object, BdjObject, Playlist, Clip, Menu, Page, Button };

struct NavNode {
  NodeKind kind = NodeKind::Object;
  std::uint32_t number = 0;  // title, object, playlist number, page id, button id
  std::string key;           // unique: "title3", "obj12", "pl00007", "m0.p1.b5"
  std::string label;         // "Title 3", "Object 12", "00007.mpls", "Button 5"
  Place place;               // what a click on the node opens
  long parent = -1;          // a page's menu, a button's page
  bool reachable = false;
};

struct NavEdge {
  std::size_t from = 0, to = 0;
  std::string label;  // "line 3: Jump Title 2"; empty for an entry or a containment
  Place place;        // the command, when a command makes the edge
};

struct NavGraph {
  std::vector<NavNode> nodes;
  std::vector<NavEdge> edges;
  long find(const std::string& key) const;
};

NavGraph buildNavGraph(const CheckContext& ctx);

std::string_view nodeKindName(NodeKind k);  // "title", "object", ... (JSON)

}  // namespace mirdal
