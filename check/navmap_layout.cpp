#include "check/navmap_layout.h"

#include <algorithm>
#include <numeric>

namespace mirdal {

int columnOf(NodeKind k) {
  switch (k) {
    case NodeKind::FirstPlayback:
    case NodeKind::TopMenu:
    case NodeKind::Title: return 0;
    case NodeKind::Object: return 1;
    case NodeKind::BdjObject:
    case NodeKind::Playlist: return 2;
    case NodeKind::Clip: return 3;
    case NodeKind::Menu:
    case NodeKind::Page: return 4;
    case NodeKind::Button: return 5;
  }
  return 0;
}

NavLayout layoutNavGraph(const NavGraph& g) {
  constexpr int kColumns = 6;
  NavLayout out;
  out.boxes.resize(g.nodes.size());
  std::vector<std::vector<std::size_t>> columns(kColumns);
  for (std::size_t i = 0; i < g.nodes.size(); ++i) columns[std::size_t(columnOf(g.nodes[i].kind))].push_back(i);

  // Column 0 keeps the graph's order (First Playback, Top Menu, titles in
  // number order); every other column is sorted by the mean row of the nodes
  // on its left that lead to it (one barycentre pass), so that most edges
  // run nearly level. Nodes nothing on the left leads to go last.
  std::vector<double> row(g.nodes.size(), 0);
  std::vector<std::vector<std::size_t>> from(g.nodes.size());
  for (const NavEdge& e : g.edges)
    if (columnOf(g.nodes[e.from].kind) < columnOf(g.nodes[e.to].kind)) from[e.to].push_back(e.from);
  for (int c = 0; c < kColumns; ++c) {
    std::vector<std::size_t>& col = columns[std::size_t(c)];
    if (c > 0) {
      std::vector<double> key(g.nodes.size(), 0);
      for (std::size_t n : col) {
        const auto& f = from[n];
        key[n] = f.empty() ? 1e18 + double(n)
                           : std::accumulate(f.begin(), f.end(), 0.0, [&](double s, std::size_t k) { return s + row[k]; }) /
                                 double(f.size());
      }
      std::stable_sort(col.begin(), col.end(), [&](std::size_t a, std::size_t b) { return key[a] < key[b]; });
    }
    for (std::size_t r = 0; r < col.size(); ++r) {
      row[col[r]] = double(r);
      out.boxes[col[r]] = NodeBox{c * (kNodeWidth + kColumnGap), double(r) * (kNodeHeight + kRowGap), kNodeWidth,
                                  kNodeHeight};
    }
    out.height = std::max(out.height, double(col.size()) * (kNodeHeight + kRowGap));
  }
  out.width = kColumns * (kNodeWidth + kColumnGap) - kColumnGap;

  for (const NavEdge& e : g.edges) {
    const NodeBox &a = out.boxes[e.from], &b = out.boxes[e.to];
    EdgeCurve c;
    if (b.x > a.x) {
      c.from = {a.x + a.width, a.y + a.height / 2};
      c.to = {b.x, b.y + b.height / 2};
      const double dx = (c.to.x - c.from.x) / 2;
      c.control1 = {c.from.x + dx, c.from.y};
      c.control2 = {c.to.x - dx, c.to.y};
    } else {
      // Back to the left, or within a column: leave and enter on the right,
      // bulging out into the gap.
      c.from = {a.x + a.width, a.y + a.height / 2};
      c.to = {b.x + b.width, b.y + b.height / 2};
      const double bulge = kColumnGap * 0.8;
      c.control1 = {c.from.x + bulge, c.from.y};
      c.control2 = {c.to.x + bulge, c.to.y};
    }
    out.curves.push_back(c);
  }
  return out;
}

}  // namespace mirdal
