// The disc player on disc files written to a folder: the same walk as the
// models give, 8.3 names, a menu attached to a clip, and folders that
// cannot be played.
#include <gtest/gtest.h>

#include "core/options.h"
#include "disc_builder.h"
#include "menu/igs_write.h"
#include "player/disc_script.h"
#include "support/temp_dir.h"
#include "support/recording_reporter.h"

namespace mirdal::test {

namespace {

std::string walk(DiscSource& disc, const std::string& keys) {
  Registers regs;
  resetRegisters(regs, Options{});
  DiscPlayer p(disc, regs);
  std::string bad;
  runDisc(p, std::nullopt, *parseKeyList(keys, bad), 1000);
  std::string s;
  for (const DiscEvent& e : p.events()) s += eventLine(e) + "\n";
  return s;
}

ModelDisc menuDisc() {
  ModelDisc d = buildDisc(0, kNoObject, {{1}}, {{"Play PL 2\nBreak"}, {"Move GPR3, 3\nBreak"}},
                          {{2, PlaylistSpec{{{2, 0, 0, 0, true}, {1}}, {{0, 0, 1}, {1, 0.5, 1}}, 0}}});
  d.menus["00001"] = buildMenu({"Jump Title 1"}, false);
  return d;
}

void writeDisc(ModelDisc& d, const TempDir& dir, bool shortNames, bool withMenu) {
  const NameSet& names = nameSet(shortNames);
  dir.write("BDMV/" + names.index, composeIndex(d.indexModel));
  dir.write("BDMV/" + names.movieObject, composeMovieObjects(d.objectsModel));
  for (auto& [n, pl] : d.playlists) {
    fitLayout(pl);
    dir.write("BDMV/PLAYLIST/" + fiveDigits(n) + names.playlistExt, composePlaylist(pl));
  }
  if (withMenu) {
    Bytes mnu;
    ASSERT_TRUE(composeMenuSegments(d.menus["00001"], SegmentFraming::Mnu, mnu, mirdal::test::testReporter()));
    dir.write("menu.mnu", mnu);
  }
}

TEST(FolderDisc, PlaysAsTheModelsDo) {
  const struct { const char* name; bool shortNames; bool attach; const char* keys; const char* expect; } rows[] = {
      {"long names, menu attached", false, true, "enter", "title 1 (movie object 1)"},
      {"8.3 names, menu attached", true, true, "wait:0.5,enter", "title 1 (movie object 1)"},
      {"no stream file, no menu", false, false, "enter", "no stream file for clip 00001: no menu"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    ModelDisc model = menuDisc();
    TempDir dir;
    writeDisc(model, dir, r.shortNames, r.attach);
    FolderDisc folder;
    std::string why;
    ASSERT_TRUE(folder.open(dir.folder() + "BDMV", why)) << why;
    if (r.attach) folder.attachMenu("00001", (dir.path() / "menu.mnu").string());
    const std::string fromFolder = walk(folder, r.keys);
    EXPECT_NE(fromFolder.find(r.expect), std::string::npos) << fromFolder;
    if (r.attach) EXPECT_EQ(fromFolder, walk(model, r.keys));
  }
}

TEST(FolderDisc, RefusesWhatCannotBePlayed) {
  const struct { const char* name; bool index; bool objects; bool truncate; const char* why; } rows[] = {
      {"no index", false, true, false, "index.bdmv"},
      {"no movie objects", true, false, false, "MovieObject.bdmv"},
      {"index cut short", true, true, true, "index.bdmv cannot be read whole"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    ModelDisc model = menuDisc();
    TempDir dir;
    Bytes index = composeIndex(model.indexModel);
    if (r.truncate) index.resize(60);
    if (r.index) dir.write("BDMV/index.bdmv", index);
    if (r.objects) dir.write("BDMV/MovieObject.bdmv", composeMovieObjects(model.objectsModel));
    FolderDisc folder;
    std::string why;
    EXPECT_FALSE(folder.open(dir.folder() + "BDMV", why));
    EXPECT_NE(why.find(r.why), std::string::npos) << why;
  }
}

TEST(FolderDisc, UnreadablePlaylistAndMenuAreSkipped) {
  ModelDisc model = menuDisc();
  TempDir dir;
  writeDisc(model, dir, false, false);
  dir.write("BDMV/PLAYLIST/00002.mpls", Bytes{'M', 'P', 'L', 'S', '0', '2'});
  dir.write("bad.mnu", Bytes{'I', 'G', 0, 1});
  FolderDisc folder;
  std::string why;
  ASSERT_TRUE(folder.open(dir.folder() + "BDMV", why));
  folder.attachMenu("00001", (dir.path() / "bad.mnu").string());
  const std::string w = walk(folder, "");
  EXPECT_NE(w.find("no playlist 00002.mpls (missing or unreadable)"), std::string::npos) << w;
  EXPECT_NE(w.find("stop: object 0 ended with no navigation command"), std::string::npos) << w;
}

}  // namespace

}  // namespace mirdal::test

namespace mirdal::test {
namespace {

// The sample menu (in-effects and animated buttons) drawn while the
// playlist plays: the clock must move on through the effect, whose
// animation timer does not advance meanwhile.
TEST(FolderDisc, DrawnMenuLetsTimePass) {
  ModelDisc model = menuDisc();
  TempDir dir;
  writeDisc(model, dir, false, false);
  FolderDisc folder;
  std::string why;
  ASSERT_TRUE(folder.open(dir.folder() + "BDMV", why));
  folder.attachMenu("00001", std::string(MIRDAL_SOURCE_DIR) + "/samples/disc/menu/sample.mnu");
  Registers regs;
  resetRegisters(regs, Options{});
  PlayerOptions o;
  o.draw = true;
  DiscPlayer p(folder, regs, o);
  p.start();
  ASSERT_NE(p.menu(), nullptr);
  p.advanceTo(kTicksPerSecond);
  EXPECT_EQ(p.now(), kTicksPerSecond);
  EXPECT_EQ(p.position().time, kTicksPerSecond);
  EXPECT_FALSE(p.menu()->effectsPlaying());
  EXPECT_FALSE(p.renderer()->picture.rgba.empty());
}

}  // namespace
}  // namespace mirdal::test
