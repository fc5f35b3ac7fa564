// What every rule of the disc check looks things up in: the files, built
// once into lookups (playlists by number, clips by name), the list of every
// program on the disc, and where each finding goes.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "check/disc_files.h"
#include "check/finding.h"
#include "check/gpr_map.h"
#include "check/nav_graph.h"
#include "nav/opcode.h"

namespace mirdal {

struct Rule;

// One list of navigation commands: a movie object's program or a button's.
struct Program {
  Place place;  // "MovieObject.bdmv object 3", "00000.m2ts page 1 button 5"
  CommandContext context = CommandContext::MovieObject;
  const CommandList* commands = nullptr;
  std::uint32_t object = 0;  // movie objects: the object number
  std::size_t menu = 0;      // buttons: the menu, page index and button id
  std::size_t page = 0;
  std::uint16_t button = 0;
  // The playlists the program plays with, by index into DiscFiles::playlists:
  // those a movie object plays (immediate Play PL*), those whose clips carry
  // a button's menu. Link and SetStream numbers are judged against them.
  std::vector<std::size_t> playlists;
};

class CheckContext {
 public:
  explicit CheckContext(const DiscFiles& files);

  const DiscFiles& files;

  // Index and movie objects as the rules may use them (nullptr when the file
  // is not usable).
  const IndexFile* index = nullptr;
  const MovieObjectFile* movieObjects = nullptr;
  std::size_t titleCount() const { return index ? index->indexes.titles.size() : 0; }
  std::size_t objectCount() const { return movieObjects ? movieObjects->movieObjects.objects.size() : 0; }
  // Jump Title n finds a title: 1..count, 0 when the Top Menu is on, 65535
  // when First Playback is.
  bool titleExists(std::uint32_t n) const;

  // Playlists by their number (a name of five digits); -1 when none.
  long playlistNumbered(std::uint32_t number) const;
  // Clips by base name ("00001"); -1 when none.
  long clipNamed(const std::string& base) const;
  // Whether the BDJO folder holds name.bdjo.
  bool bdjoExists(const std::string& name) const;
  // Whether STREAM holds the clip's stream file.
  bool streamExists(const std::string& clip) const;
  // Whether every menu of the disc's streams was read: the rules that need
  // every button (what only buttons reach, read or play) wait for it.
  bool menusComplete() const { return menusComplete_; }
  // Whether First Playback, the Top Menu or a title is a BD-J object.
  bool hasBdjTitles() const;

  const std::vector<Program>& programs() const { return programs_; }

  // Built once for the rules that need them (check_disc.cpp).
  NavGraph graph;
  GprMap gprs;

  // The file's name as the disc names it, for places and texts.
  Place movieObjectPlace(std::uint32_t object) const;
  Place indexPlace() const;
  std::string playlistFileName(std::uint32_t number) const;  // "00007.mpls"

 private:
  std::unordered_map<std::uint32_t, std::size_t> playlistByNumber_;
  std::unordered_map<std::string, std::size_t> clipByName_;
  std::unordered_map<std::string, bool> bdjos_;
  std::unordered_map<std::string, bool> streams_;
  std::vector<Program> programs_;
  bool menusComplete_ = true;
};

// Where a rule puts what it finds.
class FindingSink {
 public:
  FindingSink(const Rule& rule, std::vector<Finding>& out) : rule_(rule), out_(out) {}
  void operator()(Place place, std::string text);

 private:
  const Rule& rule_;
  std::vector<Finding>& out_;
};

// The base name of a clip file name ("00001.clpi" -> "00001").
std::string baseName(const std::string& fileName);

// A playlist's number when its base name is five digits at most, else -1.
long playlistNumberOf(const std::string& fileName);

}  // namespace mirdal
