#include "check/context.h"

#include <algorithm>

#include "check/rules.h"
#include "core/display_text.h"

namespace mirdal {

namespace {

bool playsPlaylistImmediately(std::uint32_t opcode) {
  return opcode == 0x22800000 || opcode == 0x42810000 || opcode == 0x42C10000 || opcode == 0x42820000 ||
         opcode == 0x42C20000;
}

}  // namespace

std::string baseName(const std::string& fileName) { return fileName.substr(0, fileName.find('.')); }

long playlistNumberOf(const std::string& fileName) {
  const std::string base = baseName(fileName);
  if (base.empty() || base.size() > 5 || !std::all_of(base.begin(), base.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return -1;
  return std::stol(base);
}

CheckContext::CheckContext(const DiscFiles& f) : files(f) {
  if (f.index.usable()) index = &f.index.model;
  if (f.movieObjects.usable()) movieObjects = &f.movieObjects.model;
  for (std::size_t i = 0; i < f.playlists.size(); ++i) {
    const long n = playlistNumberOf(f.playlists[i].name);
    if (n >= 0) playlistByNumber_.emplace(std::uint32_t(n), i);
  }
  for (std::size_t i = 0; i < f.clips.size(); ++i) clipByName_.emplace(baseName(f.clips[i].name), i);
  for (const std::string& b : f.bdjos) bdjos_[b] = true;
  for (const std::string& s : f.streamNames) streams_[s] = true;

  if (movieObjects) {
    const auto& objects = movieObjects->movieObjects.objects;
    for (std::size_t o = 0; o < objects.size(); ++o) {
      Program p;
      p.place = movieObjectPlace(std::uint32_t(o));
      p.context = CommandContext::MovieObject;
      p.commands = &objects[o].commands;
      p.object = std::uint32_t(o);
      for (const NavCommand& c : objects[o].commands) {
        if (!playsPlaylistImmediately(c.opcode)) continue;
        const long pl = playlistNumbered(c.dst);
        if (pl >= 0 && std::find(p.playlists.begin(), p.playlists.end(), std::size_t(pl)) == p.playlists.end())
          p.playlists.push_back(std::size_t(pl));
      }
      programs_.push_back(std::move(p));
    }
  }
  // A clip whose program lists an IG stream has a menu the check must see.
  for (std::size_t i = 0; i < f.clips.size(); ++i) {
    const auto& c = f.clips[i];
    if (!c.usable()) menusComplete_ = false;  // its program, and so its menus, are unknown
    if (!c.usable() || c.model.programInfo.programSequences.empty()) continue;
    for (const ProgramStream& s : c.model.programInfo.programSequences.front().streams) {
      if (s.streamCodingType != 0x91) continue;
      const std::string base = baseName(c.name);
      const bool read = std::any_of(f.menus.begin(), f.menus.end(), [&](const MenuFile& m) {
        return m.clip == base && m.pid == s.pid && m.usable();
      });
      menusComplete_ = menusComplete_ && read;
    }
  }
  for (std::size_t m = 0; m < f.menus.size(); ++m) {
    const MenuFile& menu = f.menus[m];
    if (!menu.usable()) continue;
    // The playlists that show this menu: they play its clip in a PlayItem or
    // in a SubPlayItem (an IG menu SubPath).
    std::vector<std::size_t> with;
    if (!menu.clip.empty())
      for (std::size_t i = 0; i < f.playlists.size(); ++i) {
        if (!f.playlists[i].usable()) continue;
        const Playlist& pl = f.playlists[i].model;
        bool uses = std::any_of(pl.playlist.items.begin(), pl.playlist.items.end(),
                                [&](const PlayItem& pi) { return pi.clipName == menu.clip; });
        for (const SubPath& sp : pl.playlist.subpaths)
          for (const SubPlayItem& spi : sp.items) uses = uses || spi.clipName == menu.clip;
        if (uses) with.push_back(i);
      }
    const auto& pages = menu.menu.ics.pages;
    for (std::size_t pg = 0; pg < pages.size(); ++pg)
      for (const Bog& bog : pages[pg].bogs)
        for (const IgButton& b : bog.buttons) {
          Program p;
          p.place.file = PlaceFile::Menu;
          p.place.name = menu.name;
          p.place = p.place.then(PlacePart::Page, pages[pg].pageId).then(PlacePart::Button, b.buttonId);
          p.context = CommandContext::ButtonCommands;
          p.commands = &b.commands;
          p.menu = m;
          p.page = pg;
          p.button = b.buttonId;
          p.playlists = with;
          programs_.push_back(std::move(p));
        }
  }
}

bool CheckContext::titleExists(std::uint32_t n) const {
  if (!index) return true;  // nothing to judge by
  const Indexes& x = index->indexes;
  const auto on = [](const IndexEntry& e) { return e.objectType != 1 || e.movieObjectReference != kNoObject; };
  if (n == 0) return on(x.topMenu);
  if (n == 0xFFFF) return on(x.firstPlayback);
  return n <= x.titles.size();
}

long CheckContext::playlistNumbered(std::uint32_t number) const {
  const auto it = playlistByNumber_.find(number);
  return it == playlistByNumber_.end() ? -1 : long(it->second);
}

long CheckContext::clipNamed(const std::string& base) const {
  const auto it = clipByName_.find(base);
  return it == clipByName_.end() ? -1 : long(it->second);
}

bool CheckContext::bdjoExists(const std::string& name) const { return bdjos_.count(name) != 0; }

bool CheckContext::streamExists(const std::string& clip) const {
  return streams_.count(clip + files.names().streamExt) != 0;
}

bool CheckContext::hasBdjTitles() const {
  if (!index) return false;
  const Indexes& x = index->indexes;
  if (x.firstPlayback.objectType == 2 || x.topMenu.objectType == 2) return true;
  return std::any_of(x.titles.begin(), x.titles.end(), [](const IndexTitle& t) { return t.objectType != 1; });
}

Place CheckContext::movieObjectPlace(std::uint32_t object) const {
  Place p;
  p.file = PlaceFile::MovieObjects;
  p.name = files.names().movieObject;
  return p.then(PlacePart::Object, object);
}

Place CheckContext::indexPlace() const {
  Place p;
  p.file = PlaceFile::Index;
  p.name = files.names().index;
  return p;
}

std::string CheckContext::playlistFileName(std::uint32_t number) const {
  return zeroPadded(number, 5) + files.names().playlistExt;
}

void FindingSink::operator()(Place place, std::string text) {
  out_.push_back(Finding{rule_.id, rule_.severity, std::move(place), std::move(text)});
}

}  // namespace mirdal
