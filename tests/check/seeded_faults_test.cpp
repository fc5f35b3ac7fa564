// One fault seeded into a disc that breaks no rule, per rule of the table:
// the check finds exactly that fault, at that place, in the words of the
// rule table's example, and nothing else.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "check/check_disc.h"
#include "check/rules.h"
#include "tests/support/clean_disc.h"
#include "tests/support/temp_dir.h"
#include "support/recording_reporter.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;
using test::CleanDisc;

struct Seed {
  const char* rule;
  std::function<void(CleanDisc&)> edit;                  // before writing
  std::function<void(const fs::path& bdmv)> touch = {};  // after writing
  std::vector<const char*> menus = {};                   // .mnu files to check, from BDMV/
};

std::vector<std::string> seededLintLines(const Seed& s) {
  test::TempDir dir;
  CleanDisc disc;
  if (s.edit) s.edit(disc);
  const std::string folder = disc.write(dir.path());
  if (s.touch) s.touch(fs::path(folder));
  DiscReadOptions o;
  for (const char* m : s.menus) o.menuFiles.push_back(folder + m);
  std::vector<std::string> lines;
  for (const Finding& f : checkDisc(readDiscFiles(folder, o)).findings) lines.push_back(findingLine(f));
  return lines;
}

NavCommand cmd(std::uint32_t op, std::uint32_t dst = 0, std::uint32_t src = 0) { return {op, dst, src}; }
CommandList& program(CleanDisc& d, std::size_t object) { return d.objects.movieObjects.objects[object].commands; }
IgButton& button(CleanDisc& d, std::size_t page, std::size_t bog) { return d.menu.ics.pages[page].bogs[bog].buttons[0]; }

void truncate(const fs::path& p, std::uintmax_t size) { fs::resize_file(p, size); }

IndexTitle title(std::uint8_t type, std::uint16_t object, const char* bdjo = "", std::uint8_t playback = 0) {
  IndexTitle t;
  t.objectType = type;
  t.movieObjectReference = object;
  t.bdjObjectName = bdjo;
  t.playbackType = playback;
  return t;
}

const std::vector<Seed>& seeds() {
  static const std::vector<Seed> s = {
      {"FILE-UNREADABLE", {}, [](const fs::path& b) { truncate(b / "CLIPINF" / "00000.clpi", 100); }},
      {"DISC-NO-STREAM", {}, [](const fs::path& b) { fs::remove_all(b / "STREAM"); }},
      {"IDX-OBJECT", [](CleanDisc& d) { d.index.indexes.titles.push_back(title(1, 12)); }},
      {"IDX-OBJECT-TYPE", [](CleanDisc& d) { d.index.indexes.titles.push_back(title(3, 0)); }},
      {"IDX-PLAYBACK-TYPE", [](CleanDisc& d) { d.index.indexes.titles[0].playbackType = 2; }},
      {"IDX-ACCESS-TYPE", [](CleanDisc& d) { d.index.indexes.titles[1].accessType = 2; }},
      {"BDJ-MISSING", [](CleanDisc& d) { d.index.indexes.titles.push_back(title(2, 0, "00002", 2)); }},
      {"MO-INVALID", [](CleanDisc& d) { program(d, 1).push_back(cmd(0x00000001)); }},
      {"MO-FORBIDDEN", [](CleanDisc& d) { program(d, 1).push_back(cmd(0x11000008)); }},
      {"MO-JUMP-TITLE", [](CleanDisc& d) { program(d, 0)[1].dst = 9; }},
      {"MO-JUMP-OBJECT", [](CleanDisc& d) { program(d, 1).push_back(cmd(0x21820000, 14)); }},
      {"MO-PLAY-PL", [](CleanDisc& d) { program(d, 1).push_back(cmd(0x22800000, 7)); }},
      {"MO-PLAY-ITEM", [](CleanDisc& d) { program(d, 2)[2].src = 5; }},
      {"MO-LINK", [](CleanDisc& d) { button(d, 0, 0).commands[1].dst = 9; }},
      {"MO-GOTO", [](CleanDisc& d) { program(d, 1).push_back(cmd(0x20810000, 40)); }},
      {"MO-SETSTREAM", [](CleanDisc& d) { program(d, 2)[1].dst = 0x8003C001; }},
      {"MO-PSR-WRITE", [](CleanDisc& d) { program(d, 1).push_back(cmd(0x50400001, 0x80000004, 1)); }},
      {"MO-UNREACHED", [](CleanDisc& d) { d.objects.movieObjects.objects.push_back(MovieObject{0, 0, 0, {cmd(0x00020000)}}); }},
      {"MO-DEAD-CODE", [](CleanDisc& d) { program(d, 0).push_back(cmd(0x50400001, 0, 2)); }},
      {"PL-CLIP-MISSING",
       [](CleanDisc& d) {
         PlayItem& pi = d.feature.playlist.items[0];
         pi.isMultiAngle = 1;
         pi.angles.angles = {ClipRef{"00000", "M2TS", 0}, ClipRef{"00005", "M2TS", 0}};
       }},
      {"PL-IN-OUT", [](CleanDisc& d) { d.feature.playlist.items[1].outTime = d.feature.playlist.items[1].inTime; }},
      {"PL-IN-OUT-RANGE", [](CleanDisc& d) { d.feature.playlist.items[1].outTime = 720 * 45000; }},
      {"PL-MARK-ITEM", [](CleanDisc& d) { d.feature.marks.marks[2].playItemRef = 2; }},
      {"PL-MARK-RANGE", [](CleanDisc& d) { d.feature.marks.marks[2].time = 690 * 45000; }},
      {"PL-MARK-ORDER", [](CleanDisc& d) { std::swap(d.feature.marks.marks[0].time, d.feature.marks.marks[1].time); }},
      {"PL-STN-PID", [](CleanDisc& d) { d.feature.playlist.items[0].stn.primaryAudio[1].entry.mainPid = 0x1105; }},
      {"PL-STN-CODING", [](CleanDisc& d) { d.feature.playlist.items[0].stn.primaryAudio[0].attributes.codingType = 0x82; }},
      {"PL-SUBPATH-REF",
       [](CleanDisc& d) {
         StreamRecord s = d.feature.playlist.items[0].stn.pg[0];
         s.entry.type = 2;
         s.entry.subPathId = 3;
         d.feature.playlist.items[0].stn.pg.push_back(s);
       }},
      {"PL-CONNECTION", [](CleanDisc& d) { d.feature.playlist.items[1].inTime += 45000; }},
      {"PL-UNUSED", {},
       [](const fs::path& b) { fs::copy_file(b / "PLAYLIST" / "00001.mpls", b / "PLAYLIST" / "00002.mpls"); }},
      {"CLIP-STREAM-MISSING", {}, [](const fs::path& b) { fs::remove(b / "STREAM" / "00000.m2ts"); }},
      {"CLIP-PACKETS", {}, [](const fs::path& b) { fs::resize_file(b / "STREAM" / "00000.m2ts", 1001 * 192); }},
      {"CLIP-EP-ORDER", [](CleanDisc& d) { d.featureClip.cpi.maps[0].fine[5].spnEpFine = 1; }},
      {"CLIP-UNUSED", {},
       [](const fs::path& b) {
         fs::copy_file(b / "CLIPINF" / "00000.clpi", b / "CLIPINF" / "00002.clpi");
         fs::copy_file(b / "STREAM" / "00000.m2ts", b / "STREAM" / "00002.m2ts");
       }},
      {"MENU-UNREADABLE", {}, [](const fs::path& b) { std::ofstream(b / "extra.mnu") << "not a menu"; }, {"extra.mnu"}},
      {"MENU-NEIGHBOUR", [](CleanDisc& d) { button(d, 0, 0).upper = 26; }},
      {"MENU-OBJECT", [](CleanDisc& d) { button(d, 0, 1).selectedStart = button(d, 0, 1).selectedEnd = 70; }},
      {"MENU-PALETTE", [](CleanDisc& d) { d.menu.ics.pages[1].paletteId = 4; }},
      {"MENU-PAGE", [](CleanDisc& d) { button(d, 1, 0).commands[0].src = 0x80000004; }},
      {"MENU-DEFAULT", [](CleanDisc& d) { d.menu.ics.pages[1].defaultSelectedButton = 9; }},
      {"MENU-SOUND", [](CleanDisc& d) { button(d, 0, 1).activatedSound = 5; }},
      {"MENU-OVERLAP", [](CleanDisc& d) { button(d, 0, 1).y = 430; }},
      {"MENU-OUTSIDE", [](CleanDisc& d) { button(d, 0, 1).x = 1800; }},
      {"SOUND-UNUSED", [](CleanDisc& d) { insertSoundEntry(d.sound, 2, SoundEntry{1, 1, 1, 0, 4, Bytes(4, 0)}, mirdal::test::testReporter()); }},
      {"GPR-UNWRITTEN", [](CleanDisc& d) { program(d, 1).push_back(cmd(0x48400300, 7, 0)); }},
      {"GPR-UNREAD", [](CleanDisc& d) { program(d, 1).push_back(cmd(0x50400001, 9, 1)); }},
  };
  return s;
}

TEST(CleanDisc, BreaksNoRule) {
  EXPECT_EQ(seededLintLines(Seed{"", {}}), std::vector<std::string>{});
}

class SeededFault : public testing::TestWithParam<Seed> {};

TEST_P(SeededFault, GivesExactlyTheRulesExample) {
  const Seed& s = GetParam();
  const Rule* rule = ruleById(s.rule);
  ASSERT_NE(rule, nullptr) << s.rule;
  EXPECT_EQ(seededLintLines(s), std::vector<std::string>{std::string(rule->example)});
}

INSTANTIATE_TEST_SUITE_P(EveryRule, SeededFault, testing::ValuesIn(seeds()),
                         [](const testing::TestParamInfo<Seed>& i) {
                           std::string n = i.param.rule;
                           for (char& c : n)
                             if (c == '-') c = '_';
                           return n;
                         });

TEST(SeededFault, EveryRuleHasASeed) {
  std::set<std::string> seeded;
  for (const Seed& s : seeds()) seeded.insert(s.rule);
  for (const Rule& r : rules()) EXPECT_TRUE(seeded.count(std::string(r.id))) << r.id << " has no seeded fault";
}

}  // namespace
}  // namespace mirdal
