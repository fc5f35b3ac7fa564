// The disc player on small discs built in the test: titles, objects,
// playback in virtual time, Call/Resume, and bad discs.
#include <gtest/gtest.h>

#include "core/options.h"
#include "disc_builder.h"
#include "player/disc_script.h"

namespace mirdal::test {

namespace {

// The events that tell the walk, texts joined by " | ".
std::string story(DiscPlayer& p) {
  using K = DiscEvent::Kind;
  std::string s;
  for (const DiscEvent& e : p.events()) {
    if (e.kind == K::Command || e.kind == K::ButtonCommand || e.kind == K::PlayItem || e.kind == K::Mark ||
        e.kind == K::Chapter || e.kind == K::Selected)
      continue;
    if (!s.empty()) s += " | ";
    s += e.text;
  }
  return s;
}

// Objects 0-3, titles 1 (object 1), 2 (BD-J), 3 (object 42, missing),
// 4 (object 1, title search prohibited); Top Menu is object 3.
struct FlowCase {
  const char* name;
  std::vector<ObjectSpec> objects;
  std::vector<std::string> keys;
  std::string expected;
  std::vector<std::pair<unsigned, std::uint32_t>> gprs;
  StopReason stop = StopReason::ObjectEnded;
  std::uint64_t maxSteps = 1000;
};

const PlaylistSpec kTwoItems{{{2}, {3}}, {{0, 0, 1}, {0, 1, 2}, {1, 0, 1}, {1, 2, 1}}, 0};

ModelDisc flowDisc(const std::vector<ObjectSpec>& objects) {
  return buildDisc(0, 3, {{1}, {0, 0, true}, {42}, {1, 2}}, objects,
                   {{1, kTwoItems},
                    {2, PlaylistSpec{{{1}}, {}, 1u << 31}},
                    {5, PlaylistSpec{{{1, 1u << 27}}, {{0, 0, 1}, {0, 0.5, 1}}, 0}}});
}

const char* kFp = "First Playback (movie object 0)";

class FlowTest : public ::testing::TestWithParam<FlowCase> {};

TEST_P(FlowTest, WalksAsAPlayer) {
  const FlowCase& c = GetParam();
  ModelDisc disc = flowDisc(c.objects);
  Registers regs;
  resetRegisters(regs, Options{});
  DiscPlayer p(disc, regs, PlayerOptions{c.maxSteps});
  std::string bad;
  std::string list;
  for (const std::string& k : c.keys) list += k + ",";
  const auto keys = parseKeyList(list, bad);
  ASSERT_TRUE(keys) << bad;
  runDisc(p, std::nullopt, *keys, c.maxSteps);
  if (!c.expected.empty()) EXPECT_EQ(story(p), c.expected);
  EXPECT_EQ(p.stopped(), c.stop);
  for (const auto& [n, v] : c.gprs) EXPECT_EQ(regs.gpr[n], v) << "GPR" << n;
}

const std::vector<FlowCase> kFlows = {
    {"PlayThenNextCommand",
     {{"Move GPR1, 1\nPlay PL 1\nMove GPR2, 2\nJump Title 1"}, {"Move GPR3, 3\nBreak"}},
     {},
     std::string(kFp) + " | playlist 00001 starts at 00:00:00.000 | playlist 00001 ended | "
                        "title 1 (movie object 1) | stop: object 1 ended with no navigation command",
     {{1, 1}, {2, 2}, {3, 3}}},
    {"CallObjectResumesAfterTheCall",
     {{"Move GPR1, 1\nCall Object 2\nMove GPR2, 2\nBreak"}, {""}, {"Move GPR6, 6\nResume\nMove GPR7, 7"}},
     {},
     std::string(kFp) + " | object 2 | object 0 resumed at line 2 | stop: object 0 ended with no navigation command",
     {{1, 1}, {2, 2}, {6, 6}, {7, 0}}},
    {"CallTitlePlaysThenResumes",
     {{"Call Title 1\nMove GPR2, 2\nBreak"}, {"Move GPR3, 3\nPlay PL 1\nResume"}},
     {},
     std::string(kFp) + " | title 1 (movie object 1) | playlist 00001 starts at 00:00:00.000 | playlist 00001 ended | "
                        "object 0 resumed at line 1 | stop: object 0 ended with no navigation command",
     {{2, 2}, {3, 3}}},
    {"ResumeWithNothingSuspended",
     {{"Resume\nMove GPR1, 1\nBreak"}},
     {},
     std::string(kFp) + " | Resume: no suspended object | stop: object 0 ended with no navigation command",
     {{1, 1}}},
    {"MissingObjectIsPassedOver",
     {{"Jump Object 9\nMove GPR1, 1\nBreak"}},
     {},
     std::string(kFp) + " | object 9 is missing: the command is passed over | "
                        "stop: object 0 ended with no navigation command",
     {{1, 1}}},
    {"MissingPlaylistIsPassedOver",
     {{"Play PL 7\nMove GPR1, 1\nBreak"}},
     {},
     std::string(kFp) + " | Play PL 7: no playlist 00007.mpls; the command after it runs | "
                        "stop: object 0 ended with no navigation command",
     {{1, 1}}},
    {"MissingTitleIsPassedOver",
     {{"Jump Title 9\nJump Title 3\nMove GPR1, 1\nBreak"}},
     {},
     std::string(kFp) + " | no title 9 on the disc | the jump to title 9 is passed over | "
                        "title 3 names movie object 42, which is missing | the jump to title 3 is passed over | "
                        "stop: object 0 ended with no navigation command",
     {{1, 1}}},
    {"EndlessLoopStops",
     {{"Add GPR1, 1\nGoTo 0"}},
     {},
     std::string(kFp) + " | stop: endless loop: 1000 commands without the disc waiting (object 0)",
     {{1, 500}},
     StopReason::StepLimit},
    {"PlayLoopWithoutWaitStops",
     {{"Play PL 1\nGoTo 0"}},
     {},
     "",  // checked by the stop reason only
     {},
     StopReason::StepLimit,
     50},
    {"BdjTitleStops",
     {{"Jump Title 2"}},
     {},
     std::string(kFp) + " | stop: Title 2 is a BD-J title: not emulated",
     {},
     StopReason::BdjTitle},
    {"PlayItemBeyondTheListPlaysFromTheStart",
     {{"Play PL_PI 1, 5\nBreak"}},
     {},
     std::string(kFp) + " | playlist 00001 has no PlayItem 5: played from the start | "
                        "playlist 00001 starts at 00:00:00.000 | playlist 00001 ended | "
                        "stop: object 0 ended with no navigation command"},
    {"LinkInAMovieObjectHasNoEffect",
     {{"Link PI 1\nMove GPR1, 1\nBreak"}},
     {},
     std::string(kFp) + " | line 0: Link and Terminate PL are not allowed in movie objects | "
                        "stop: object 0 ended with no navigation command",
     {{1, 1}}},
    {"TopMenuSuspendsAndResumesPlayback",
     {{"Play PL 1\nMove GPR1, 1\nBreak", true}, {""}, {""}, {"Move GPR5, 5\nResume"}},
     {"wait:1", "menu"},
     std::string(kFp) + " | playlist 00001 starts at 00:00:00.000 | Top Menu (movie object 3) | "
                        "object 0 resumed at line 1 | playlist 00001 starts at 00:00:01.000 | playlist 00001 ended | "
                        "stop: object 0 ended with no navigation command",
     {{1, 1}, {5, 5}}},
    {"TopMenuWithoutResumeIntentionForgets",
     {{"Play PL 1\nMove GPR1, 1\nBreak"}, {""}, {""}, {"Move GPR5, 5\nResume\nBreak"}},
     {"menu"},
     std::string(kFp) + " | playlist 00001 starts at 00:00:00.000 | Top Menu (movie object 3) | "
                        "Resume: no suspended object | stop: object 3 ended with no navigation command",
     {{1, 0}, {5, 5}}},
    {"TopMenuMaskedByThePlaylist",
     {{"Play PL 2\nBreak"}, {""}, {""}, {"Move GPR5, 5\nBreak"}},
     {"menu"},
     std::string(kFp) + " | playlist 00002 starts at 00:00:00.000 | UO refused: Top Menu "
                        "(UO31: reserved for menu call) masked by playlist 00002 | playlist 00002 ended | "
                        "stop: object 0 ended with no navigation command",
     {{5, 0}}},
    {"TopMenuMaskedByTheObject",
     {{"Play PL 1\nBreak", false, true}, {""}, {""}, {"Move GPR5, 5\nBreak"}},
     {"menu"},
     std::string(kFp) + " | playlist 00001 starts at 00:00:00.000 | UO refused: Top Menu: masked by movie object 0 | "
                        "playlist 00001 ended | stop: object 0 ended with no navigation command",
     {{5, 0}}},
    {"ChapterSkipMaskedByThePlayItem",
     {{"Play PL 5\nBreak"}},
     {"chapter+"},
     std::string(kFp) + " | playlist 00005 starts at 00:00:00.000 | UO refused: Next chapter "
                        "(UO27: Skip to next point) masked by PlayItem 0 of playlist 00005 | playlist 00005 ended | "
                        "stop: object 0 ended with no navigation command"},
    {"TitleSearchIntoAProhibitedTitle",
     {{"Play PL 1\nBreak"}, {"Move GPR3, 3\nBreak"}},
     {"title:4"},
     std::string(kFp) + " | playlist 00001 starts at 00:00:00.000 | UO refused: Title Search 4: the index "
                        "prohibits title search into title 4 | playlist 00001 ended | "
                        "stop: object 0 ended with no navigation command",
     {{3, 0}}},
    {"TitleSearchMaskedByTheObject",
     {{"Play PL 1\nBreak", false, false, true}, {"Move GPR3, 3\nBreak"}},
     {"title:1"},
     std::string(kFp) + " | playlist 00001 starts at 00:00:00.000 | UO refused: Title Search 1: masked by movie "
                        "object 0 | playlist 00001 ended | stop: object 0 ended with no navigation command",
     {{3, 0}}},
    {"TitleSearchStartsTheTitle",
     {{"Play PL 1\nBreak"}, {"Move GPR3, 3\nBreak"}},
     {"title:1"},
     std::string(kFp) + " | playlist 00001 starts at 00:00:00.000 | title 1 (movie object 1) | "
                        "stop: object 1 ended with no navigation command",
     {{3, 3}}},
    {"MenuKeysWithoutAMenu",
     {{"Play PL 1\nBreak"}},
     {"up", "popup", "end"},
     std::string(kFp) + " | playlist 00001 starts at 00:00:00.000 | Up: no menu on screen | "
                        "Pop-up: no pop-up menu in the PlayItem | playlist 00001 ended | "
                        "stop: object 0 ended with no navigation command"},
};

INSTANTIATE_TEST_SUITE_P(Discs, FlowTest, ::testing::ValuesIn(kFlows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DiscPlayer, PlaybackTakesThePlaylistsTime) {
  ModelDisc disc = flowDisc({{"Play PL 1\nBreak"}});
  Registers regs;
  resetRegisters(regs, Options{});
  DiscPlayer p(disc, regs);
  runDisc(p, std::nullopt, {}, 1000);
  EXPECT_EQ(p.now(), 5 * kTicksPerSecond);
}

TEST(DiscPlayer, CallSavesAndResumeRestoresThePlaybackRegisters) {
  ModelDisc disc = flowDisc({{"Call Object 2\nBreak"}, {""}, {"Play PL 1\nResume"}});
  Registers regs;
  resetRegisters(regs, Options{});
  regs.psr[6] = 1234;
  DiscPlayer p(disc, regs);
  runDisc(p, std::nullopt, {}, 1000);
  EXPECT_EQ(regs.psr[38], 1234u);  // PSR 6 as the call left it, shown in the backup register
  EXPECT_EQ(regs.psr[6], 1234u);   // put back by Resume after playlist 1 played
  EXPECT_EQ(p.now(), 5 * kTicksPerSecond);
}

TEST(DiscPlayer, StartsAgainAfterAStopOnTheSameRegisters) {
  ModelDisc disc = flowDisc({{"Add GPR1, 1\nPlay PL 1\nBreak"}});
  Registers regs;
  resetRegisters(regs, Options{});
  DiscPlayer p(disc, regs);
  for (std::uint32_t round = 1; round <= 3; ++round) {
    runDisc(p, std::nullopt, {}, 1000);
    EXPECT_EQ(p.stopped(), StopReason::ObjectEnded);
    EXPECT_EQ(regs.gpr[1], round);
    EXPECT_EQ(p.now(), round * 5 * kTicksPerSecond);  // the clock goes on
  }
}

TEST(DiscPlayer, StartingAMissingTitleStopsCleanly) {
  ModelDisc disc = flowDisc({{"Break"}});
  Registers regs;
  DiscPlayer p(disc, regs);
  p.startTitle(3);
  EXPECT_EQ(p.stopped(), StopReason::NoStart);
  disc.indexModel.indexes.firstPlayback.movieObjectReference = kNoObject;
  DiscPlayer q(disc, regs);
  q.start();
  EXPECT_EQ(q.stopped(), StopReason::NoStart);
}

}  // namespace

}  // namespace mirdal::test
