// The disc player's menus during playback and the marks passed.
#include <gtest/gtest.h>

#include "core/options.h"
#include "disc_builder.h"
#include "player/disc_script.h"

namespace mirdal::test {

namespace {

std::string kinds(DiscPlayer& p, std::initializer_list<DiscEvent::Kind> wanted) {
  std::string s;
  for (const DiscEvent& e : p.events())
    if (std::find(wanted.begin(), wanted.end(), e.kind) != wanted.end()) s += (s.empty() ? "" : " | ") + e.text;
  return s;
}

struct MenuCase {
  const char* name;
  bool popUp;
  std::vector<std::string> buttons;
  std::string keys;
  std::string expected;  // menu, refusal, title and stop events
  std::vector<std::pair<unsigned, std::uint32_t>> gprs;
  int item = -1;  // the PlayItem playing at the stop
};

class MenuTest : public ::testing::TestWithParam<MenuCase> {};

TEST_P(MenuTest, RunsTheMenuOfThePlayItem) {
  const MenuCase& c = GetParam();
  ModelDisc disc = buildDisc(0, kNoObject, {{1}},
                             {{"Play PL 3\nMove GPR1, 1\nBreak"}, {"Move GPR3, 3\nBreak"}},
                             {{3, PlaylistSpec{{{2, 0, 0, 0, true}, {3, 0, 0, 0, true}}, {}, 0}},
                              {4, PlaylistSpec{{{1}}, {}, 0}}});
  disc.menus["00001"] = buildMenu(c.buttons, c.popUp);
  Registers regs;
  resetRegisters(regs, Options{});
  DiscPlayer p(disc, regs);
  std::string bad;
  const auto keys = parseKeyList(c.keys, bad);
  ASSERT_TRUE(keys) << bad;
  runDisc(p, std::nullopt, *keys, 1000);
  using K = DiscEvent::Kind;
  EXPECT_EQ(kinds(p, {K::MenuPage, K::PopUp, K::Refused, K::Title, K::Activated, K::Stop, K::PlaylistEnd}),
            "First Playback (movie object 0) | " + c.expected);
  for (const auto& [n, v] : c.gprs) EXPECT_EQ(regs.gpr[n], v) << "GPR" << n;
  if (c.item >= 0) EXPECT_EQ(p.position().item, c.item);
}

const std::vector<MenuCase> kMenus = {
    {"AlwaysOnMenuWaitsForAKey", false, {"Move GPR9, 9"}, "",
     "menu page 0 | stop: waiting for a key in menu page 0", {{1, 0}}},
    {"ButtonJumpsToATitle", false, {"Move GPR9, 9\nJump Title 1\nMove GPR8, 8"}, "enter",
     "menu page 0 | activated 0000 | title 1 (movie object 1) | stop: object 1 ended with no navigation command",
     {{9, 9}, {8, 0}, {3, 3}, {1, 0}}},
    {"ButtonLinksToAPlayItem", false, {"Link PI 1"}, "enter",
     "menu page 0 | activated 0000 | stop: waiting for a key in menu page 0", {}, 1},
    {"ButtonStopsThePlaylist", false, {"Terminate PL"}, "enter",
     "menu page 0 | activated 0000 | playlist 00003 terminated | stop: object 0 ended with no navigation command",
     {{1, 1}}},
    {"PopUpHiddenUntilTheKey", true, {"Move GPR9, 9\nJump Title 1"}, "enter,popup,enter",
     "pop-up menu hidden | Enter: no menu on screen | pop-up menu shown | menu page 0 | activated 0000 | title 1 (movie object 1) | "
     "stop: object 1 ended with no navigation command",
     {{9, 9}, {3, 3}}},
    {"PopUpNeverOpenedPlaysToTheEnd", true, {"Move GPR9, 9"}, "",
     "pop-up menu hidden | playlist 00003 ended | stop: object 0 ended with no navigation command",
     {{9, 0}, {1, 1}}},
    {"ButtonPlaysAnotherPlaylistThenTheObjectGoesOn", false, {"Play PL 4"}, "enter",
     "menu page 0 | activated 0000 | playlist 00004 ended | stop: object 0 ended with no navigation command",
     {{1, 1}}},
    {"ButtonNamesAMissingPage", false, {"SetButtonPage 0, 7"}, "enter",
     "menu page 0 | activated 0000 | stop: waiting for a key in menu page 0", {}},
};

INSTANTIATE_TEST_SUITE_P(Menus, MenuTest, ::testing::ValuesIn(kMenus),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DiscPlayerMenu, MissingMenuIsAnEventAndPlaybackGoesOn) {
  ModelDisc disc = buildDisc(0, kNoObject, {}, {{"Play PL 3\nMove GPR1, 1\nBreak"}},
                             {{3, PlaylistSpec{{{2, 0, 0, 0, true}}, {}, 0}}});
  Registers regs;
  resetRegisters(regs, Options{});
  DiscPlayer p(disc, regs);
  runDisc(p, std::nullopt, {}, 1000);
  EXPECT_EQ(kinds(p, {DiscEvent::Kind::Skipped}), "no menu for clip 00001");
  EXPECT_EQ(regs.gpr[1], 1u);
}

// Playlist 1: PlayItems of 2 s and 3 s; entry marks at 0 s, 2 s and 4 s,
// a link point at 1 s.
struct MarkCase {
  double waitSeconds;
  std::string marks;  // marks passed so far
  std::uint32_t chapter;
  std::uint32_t item;
  std::uint32_t clipTime;  // PSR 8
};

class MarkTest : public ::testing::TestWithParam<MarkCase> {};

TEST_P(MarkTest, PassesMarksInTimeOrder) {
  const MarkCase& c = GetParam();
  ModelDisc disc = buildDisc(0, kNoObject, {}, {{"Play PL 1\nBreak"}},
                             {{1, PlaylistSpec{{{2}, {3}}, {{1, 2, 1}, {0, 1, 2}, {0, 0, 1}, {1, 0, 1}}, 0}}});
  Registers regs;
  resetRegisters(regs, Options{});
  DiscPlayer p(disc, regs);
  p.start();
  p.advanceTo(std::uint64_t(c.waitSeconds * kTicksPerSecond));
  EXPECT_EQ(kinds(p, {DiscEvent::Kind::Mark}), c.marks);
  EXPECT_EQ(regs.psr[5], c.chapter);
  EXPECT_EQ(regs.psr[7], c.item);
  EXPECT_EQ(regs.psr[8], c.clipTime);
  EXPECT_EQ(regs.psr[6], 1u);
}

constexpr std::uint32_t kBase = 27000000;

INSTANTIATE_TEST_SUITE_P(Marks, MarkTest,
                         ::testing::Values(MarkCase{0, "mark 2", 1, 0, kBase},
                                           MarkCase{1.5, "mark 2 | link point 1", 1, 0, kBase + 67500},
                                           MarkCase{2.5, "mark 2 | link point 1 | mark 3", 2, 1, kBase + 22500},
                                           MarkCase{4, "mark 2 | link point 1 | mark 3 | mark 0", 3, 1, kBase + 90000}));

TEST(DiscPlayerKeys, ChapterKeysMoveBetweenEntryMarks) {
  ModelDisc disc = buildDisc(0, kNoObject, {}, {{"Play PL 1\nBreak"}},
                             {{1, PlaylistSpec{{{2}, {3}}, {{0, 0, 1}, {1, 0, 1}, {1, 2, 1}}, 0}}});
  Registers regs;
  resetRegisters(regs, Options{});
  DiscPlayer p(disc, regs);
  p.start();
  const struct { const char* key; std::uint32_t chapter; std::uint64_t time; } steps[] = {
      {"chapter+", 2, 2 * kTicksPerSecond}, {"chapter+", 3, 4 * kTicksPerSecond},
      {"chapter+", 3, 4 * kTicksPerSecond},  // the last chapter: refused
      {"chapter-", 2, 2 * kTicksPerSecond}, {"chapter-", 1, 0}};
  for (const auto& s : steps) {
    p.press(*parseUserOp(s.key));
    EXPECT_EQ(regs.psr[5], s.chapter) << s.key;
    EXPECT_EQ(p.position().time, s.time) << s.key;
  }
}

TEST(DiscPlayerKeys, StillsHoldThePlayItem) {
  ModelDisc disc = buildDisc(0, kNoObject, {}, {{"Play PL 1\nBreak"}, {"Play PL 2\nBreak"}},
                             {{1, PlaylistSpec{{{1, 0, 1, 2}, {1}}, {}, 0}}, {2, PlaylistSpec{{{1, 0, 2, 0}}, {}, 0}}});
  Registers regs;
  resetRegisters(regs, Options{});
  DiscPlayer timed(disc, regs);
  runDisc(timed, std::nullopt, {}, 1000);
  EXPECT_EQ(timed.now(), 4 * kTicksPerSecond);  // 1 s, held 2 s, 1 s
  disc.indexModel.indexes.firstPlayback.movieObjectReference = 1;
  DiscPlayer endless(disc, regs);
  runDisc(endless, std::nullopt, {}, 1000);
  EXPECT_EQ(endless.stopped(), StopReason::WaitingInStill);
  EXPECT_EQ(endless.now(), 1 * kTicksPerSecond);
}

TEST(DiscPlayerKeys, KeyWords) {
  const struct { const char* word; bool ok; UserOp op; } rows[] = {
      {"menu", true, {UserOp::Kind::TopMenu, 0}},     {"title:3", true, {UserOp::Kind::Title, 3}},
      {"title:", false, {}},                          {"title:x", false, {}},
      {"wait:1.5", true, {UserOp::Kind::Wait, 1500}}, {"wait:-1", false, {}},
      {"7", true, {UserOp::Kind::Digit, 7}},          {"10", false, {}},
      {"ENTER", true, {UserOp::Kind::Enter, 0}},      {"chapter+", true, {UserOp::Kind::ChapterNext, 0}},
      {"select", false, {}}};
  for (const auto& r : rows) {
    const std::optional<UserOp> op = parseUserOp(r.word);
    EXPECT_EQ(op.has_value(), r.ok) << r.word;
    if (op && r.ok) EXPECT_EQ(*op, r.op) << r.word;
  }
  std::string bad;
  EXPECT_FALSE(parseKeyList("up, down,jump", bad));
  EXPECT_EQ(bad, "jump");
  EXPECT_EQ(parseKeyList(" up , ,down", bad)->size(), 2u);
}

}  // namespace

}  // namespace mirdal::test
