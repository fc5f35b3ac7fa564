#include "check/navmap_dot.h"

namespace mirdal {

namespace {

const char* shapeOf(NodeKind k) {
  switch (k) {
    case NodeKind::FirstPlayback:
    case NodeKind::TopMenu: return "oval";
    case NodeKind::Title: return "box";
    case NodeKind::Object: return "box";
    case NodeKind::BdjObject: return "component";
    case NodeKind::Playlist: return "folder";
    case NodeKind::Clip: return "note";
    case NodeKind::Menu: return "tab";
    case NodeKind::Page: return "tab";
    case NodeKind::Button: return "box";
  }
  return "box";
}

std::string nodeLine(const NavNode& n) {
  std::string s = "  " + dotQuoted(n.key) + " [label=" + dotQuoted(n.label) + ", shape=" + shapeOf(n.kind);
  const bool rounded = n.kind == NodeKind::Object || n.kind == NodeKind::Button;
  if (!n.reachable)
    s += std::string(", style=\"") + (rounded ? "rounded," : "") +
         "filled\", fillcolor=\"#e8e8e8\", color=\"#a0a0a0\", fontcolor=\"#808080\"";
  else if (rounded)
    s += ", style=rounded";
  return s + "];\n";
}

}  // namespace

std::string dotQuoted(const std::string& text) {
  std::string s = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') s += '\\';
    if (c == '\n') {
      s += "\\n";
      continue;
    }
    s += c;
  }
  return s + "\"";
}

std::string navmapDot(const NavGraph& g) {
  std::string s = "digraph navmap {\n  rankdir=LR;\n  node [fontname=\"Helvetica\", fontsize=10];\n"
                  "  edge [fontname=\"Helvetica\", fontsize=8];\n";
  // Menus with their pages and buttons as clusters; everything else flat.
  std::vector<std::vector<std::size_t>> children(g.nodes.size());
  for (std::size_t i = 0; i < g.nodes.size(); ++i)
    if (g.nodes[i].parent >= 0) children[std::size_t(g.nodes[i].parent)].push_back(i);
  for (std::size_t i = 0; i < g.nodes.size(); ++i) {
    const NavNode& n = g.nodes[i];
    if (n.parent >= 0) continue;
    if (n.kind != NodeKind::Menu) {
      s += nodeLine(n);
      continue;
    }
    s += "  subgraph " + dotQuoted("cluster_" + n.key) + " {\n    label=" + dotQuoted(n.label) + ";\n";
    s += "  " + nodeLine(n);
    for (std::size_t page : children[i]) {
      s += "  " + nodeLine(g.nodes[page]);
      for (std::size_t button : children[page]) s += "  " + nodeLine(g.nodes[button]);
    }
    s += "  }\n";
  }
  for (const NavEdge& e : g.edges) {
    s += "  " + dotQuoted(g.nodes[e.from].key) + " -> " + dotQuoted(g.nodes[e.to].key);
    if (!e.label.empty()) s += " [label=" + dotQuoted(e.label) + "]";
    s += ";\n";
  }
  return s + "}\n";
}

}  // namespace mirdal
