#include "check/nav_graph.h"

#include <set>
#include <unordered_map>

#include "check/context.h"
#include "check/rule_set.h"
#include "core/display_text.h"

namespace mirdal {

namespace {

class Builder {
 public:
  explicit Builder(const CheckContext& ctx) : ctx_(ctx) {}

  NavGraph build() {
    entries();
    objects();
    playlists();
    menus();
    walk();
    return std::move(g_);
  }

 private:
  std::size_t node(NodeKind kind, std::uint32_t number, const std::string& key, const std::string& label, Place place,
                   long parent = -1) {
    const auto it = byKey_.find(key);
    if (it != byKey_.end()) return it->second;
    g_.nodes.push_back(NavNode{kind, number, key, label, std::move(place), parent, false});
    byKey_.emplace(key, g_.nodes.size() - 1);
    return g_.nodes.size() - 1;
  }
  void edge(std::size_t from, std::size_t to, std::string label = {}, Place place = {}) {
    if (!seen_.insert({from, to, label}).second) return;
    g_.edges.push_back(NavEdge{from, to, std::move(label), std::move(place)});
  }

  std::size_t objectNode(std::uint32_t o) {
    return node(NodeKind::Object, o, "obj" + std::to_string(o), "Object " + std::to_string(o), ctx_.movieObjectPlace(o));
  }
  std::size_t titleNode(std::uint32_t t) {
    Place p = ctx_.indexPlace();
    if (t == 0) return node(NodeKind::TopMenu, 0, "tm", "Top Menu", p.then(PlacePart::TopMenu, 0));
    if (t == 0xFFFF) return node(NodeKind::FirstPlayback, 0, "fp", "First Playback", p.then(PlacePart::FirstPlayback, 0));
    return node(NodeKind::Title, t, "title" + std::to_string(t), "Title " + std::to_string(t), p.then(PlacePart::Title, t));
  }
  std::size_t playlistNode(std::size_t i) {
    const auto& f = ctx_.files.playlists[i];
    Place p;
    p.file = PlaceFile::Playlist;
    p.name = f.name;
    return node(NodeKind::Playlist, std::uint32_t(std::max(0L, playlistNumberOf(f.name))), "pl" + baseName(f.name), f.name, p);
  }
  std::size_t clipNode(std::size_t i) {
    const auto& f = ctx_.files.clips[i];
    Place p;
    p.file = PlaceFile::Clip;
    p.name = f.name;
    return node(NodeKind::Clip, 0, "clip" + baseName(f.name), f.name, p);
  }

  // First Playback, Top Menu and titles to their objects.
  void entries() {
    if (!ctx_.index) return;
    const Indexes& x = ctx_.index->indexes;
    const auto lead = [&](std::size_t from, std::uint8_t type, std::uint16_t object, const std::string& bdjo) {
      if (type == 1) {
        if (object != kNoObject && object < ctx_.objectCount()) edge(from, objectNode(object));
      } else {
        Place p;
        p.file = PlaceFile::Bdjo;
        p.name = bdjo + ".bdjo";
        edge(from, node(NodeKind::BdjObject, 0, "bdjo" + bdjo, bdjo + ".bdjo", p));
      }
    };
    const auto on = [](const IndexEntry& e) { return e.objectType != 1 || e.movieObjectReference != kNoObject; };
    if (on(x.firstPlayback))
      lead(titleNode(0xFFFF), x.firstPlayback.objectType, x.firstPlayback.movieObjectReference,
           x.firstPlayback.bdjObjectName);
    if (on(x.topMenu))
      lead(titleNode(0), x.topMenu.objectType, x.topMenu.movieObjectReference, x.topMenu.bdjObjectName);
    for (std::size_t t = 0; t < x.titles.size(); ++t)
      lead(titleNode(std::uint32_t(t + 1)), x.titles[t].objectType, x.titles[t].movieObjectReference,
           x.titles[t].bdjObjectName);
  }

  // What a command leads to, from the node of its program.
  void commandEdges(std::size_t from, const Program& p, long menuNode) {
    for (std::size_t line = 0; line < p.commands->size(); ++line) {
      const NavCommand& c = (*p.commands)[line];
      const std::string label = "line " + std::to_string(line) + ": " + commandWords(c, p.context);
      const Place at = p.place.then(PlacePart::Line, std::uint32_t(line));
      switch (c.opcode) {
        case 0x21800000:
        case 0x21820000:
          if (c.dst < ctx_.objectCount()) edge(from, objectNode(c.dst), label, at);
          continue;
        case 0x21810000:
        case 0x21830000:
          if (ctx_.index && ctx_.titleExists(c.dst)) edge(from, titleNode(c.dst), label, at);
          continue;
        case 0x22800000:
        case 0x42810000:
        case 0x42C10000:
        case 0x42820000:
        case 0x42C20000: {
          const long pl = ctx_.playlistNumbered(c.dst);
          if (pl >= 0) edge(from, playlistNode(std::size_t(pl)), label, at);
          continue;
        }
        case 0x51800002:
        case 0x51C00002:
          if ((c.dst & 0xFFFF) < ctx_.objectCount()) edge(from, objectNode(c.dst & 0xFFFF), label, at);
          continue;
        default:
          break;
      }
      // SetButtonPage to another page of the same menu.
      if (menuNode >= 0 && (c.opcode == 0x51400003 || c.opcode == 0x51C00003) && (c.src & 0x80000000)) {
        const IgMenu& m = ctx_.files.menus[p.menu].menu;
        for (std::size_t pg = 0; pg < m.ics.pages.size(); ++pg)
          if (m.ics.pages[pg].pageId == (c.src & 0xFF) && pg != p.page)
            edge(from, pageNode(p.menu, pg), label, at);
      }
    }
  }

  void objects() {
    for (std::size_t o = 0; o < ctx_.objectCount(); ++o) objectNode(std::uint32_t(o));
    for (const Program& p : ctx_.programs())
      if (p.context == CommandContext::MovieObject) commandEdges(objectNode(p.object), p, -1);
  }

  void playlists() {
    for (std::size_t i = 0; i < ctx_.files.playlists.size(); ++i) playlistNode(i);
    for (std::size_t i = 0; i < ctx_.files.clips.size(); ++i) clipNode(i);
    for (std::size_t i = 0; i < ctx_.files.playlists.size(); ++i) {
      const auto& f = ctx_.files.playlists[i];
      if (!f.usable()) continue;
      const std::size_t from = playlistNode(i);
      const auto to = [&](const std::string& clip) {
        const long c = ctx_.clipNamed(clip);
        if (c >= 0) edge(from, clipNode(std::size_t(c)));
      };
      for (const PlayItem& pi : f.model.playlist.items) {
        to(pi.clipName);
        for (const ClipRef& a : pi.angles.angles) to(a.clipName);
      }
      for (const SubPath& sp : f.model.playlist.subpaths)
        for (const SubPlayItem& spi : sp.items) {
          to(spi.clipName);
          for (const ClipRef& a : spi.clips) to(a.clipName);
        }
    }
  }

  std::size_t menuNode(std::size_t m) {
    const MenuFile& f = ctx_.files.menus[m];
    Place p;
    p.file = PlaceFile::Menu;
    p.name = f.name;
    return node(NodeKind::Menu, 0, "m" + std::to_string(m), f.name + " menu", p);
  }
  std::size_t pageNode(std::size_t m, std::size_t pg) {
    const IgPage& page = ctx_.files.menus[m].menu.ics.pages[pg];
    Place p;
    p.file = PlaceFile::Menu;
    p.name = ctx_.files.menus[m].name;
    return node(NodeKind::Page, page.pageId, "m" + std::to_string(m) + ".p" + std::to_string(page.pageId),
                "Page " + std::to_string(page.pageId), p.then(PlacePart::Page, page.pageId), long(menuNode(m)));
  }

  void menus() {
    for (std::size_t m = 0; m < ctx_.files.menus.size(); ++m) {
      const MenuFile& f = ctx_.files.menus[m];
      if (!f.usable()) continue;
      const std::size_t mn = menuNode(m);
      roots_.push_back(mn);
      if (!f.clip.empty()) {
        const long c = ctx_.clipNamed(f.clip);
        if (c >= 0) edge(clipNode(std::size_t(c)), mn);
      }
      for (std::size_t pg = 0; pg < f.menu.ics.pages.size(); ++pg) edge(mn, pageNode(m, pg));
    }
    for (const Program& p : ctx_.programs()) {
      if (p.context != CommandContext::ButtonCommands) continue;
      const std::size_t page = pageNode(p.menu, p.page);
      const std::size_t b = node(NodeKind::Button, p.button, g_.nodes[page].key + ".b" + std::to_string(p.button),
                                 "Button " + std::to_string(p.button), p.place, long(page));
      edge(page, b);
      commandEdges(b, p, long(menuNode(p.menu)));
    }
  }

  void walk() {
    std::vector<std::vector<std::size_t>> out(g_.nodes.size());
    for (const NavEdge& e : g_.edges) out[e.from].push_back(e.to);
    std::vector<std::size_t> todo = roots_;
    for (std::size_t i = 0; i < g_.nodes.size(); ++i) {
      const NodeKind k = g_.nodes[i].kind;
      if (k == NodeKind::FirstPlayback || k == NodeKind::TopMenu || k == NodeKind::Title) todo.push_back(i);
    }
    while (!todo.empty()) {
      const std::size_t n = todo.back();
      todo.pop_back();
      if (g_.nodes[n].reachable) continue;
      g_.nodes[n].reachable = true;
      for (std::size_t to : out[n]) todo.push_back(to);
    }
  }

  const CheckContext& ctx_;
  NavGraph g_;
  std::unordered_map<std::string, std::size_t> byKey_;
  std::set<std::tuple<std::size_t, std::size_t, std::string>> seen_;
  std::vector<std::size_t> roots_;
};

}  // namespace

long NavGraph::find(const std::string& key) const {
  for (std::size_t i = 0; i < nodes.size(); ++i)
    if (nodes[i].key == key) return long(i);
  return -1;
}

NavGraph buildNavGraph(const CheckContext& ctx) { return Builder(ctx).build(); }

std::string_view nodeKindName(NodeKind k) {
  switch (k) {
    case NodeKind::FirstPlayback: return "first_playback";
    case NodeKind::TopMenu: return "top_menu";
    case NodeKind::Title: return "title";
    case NodeKind::Object: return "object";
    case NodeKind::BdjObject: return "bdj_object";
    case NodeKind::Playlist: return "playlist";
    case NodeKind::Clip: return "clip";
    case NodeKind::Menu: return "menu";
    case NodeKind::Page: return "page";
    case NodeKind::Button: return "button";
  }
  return "";
}

}  // namespace mirdal
