// The check on discs nobody here composed for it: every finding on them is
// listed with the reason it is true. A finding more or less is a change of
// the check to explain here first.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "check/check_disc.h"
#include "core/disc_folder.h"
#include "tests/support/shared_samples.h"
#include "tests/support/temp_dir.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> lintLines(const fs::path& folder, const std::vector<std::string>& menus = {}) {
  DiscReadOptions o;
  o.menuFiles = menus;
  std::vector<std::string> lines;
  for (const Finding& f : checkDisc(readDiscFiles(discFolderFromArgument(folder.string()), o)).findings) lines.push_back(findingLine(f));
  return lines;
}

struct RealDisc {
  const char* folder;  // under the shared samples
  std::vector<std::string> expected;
};

// tsMuxeR's First Playback object (object 2) clears GPR0..GPR4 before Jump
// Title 0; its Top Menu object reads GPR3 and GPR4 and object 0 reads GPR0:
// nothing reads GPR2. Everything else holds: Jump Title 0 finds the Top
// Menu, Play PL_MK 0, GPR10 and Jump Title GPR10 take numbers from registers,
// the PlayItems lie exactly on their STC sequences, the marks inside them,
// the STN tables agree with the clips, the packet counts with the stream
// files, and the EP maps increase.
const std::vector<RealDisc> kTsMuxer = {
    {"tsmuxer/a_single_1080p", {"note GPR-UNREAD GPR2: written by MovieObject.bdmv object 2 line 1, read by no command"}},
    {"tsmuxer/b_audio2_pgs2_chapters",
     {"note GPR-UNREAD GPR2: written by MovieObject.bdmv object 2 line 1, read by no command"}},
    {"tsmuxer/e2_avchd_83names", {"note GPR-UNREAD GPR2: written by MOVIEOBJ.BDM object 2 line 1, read by no command"}},
    // Navigation files of commercial discs without their STREAM folder: the
    // stream files and the menus in them are not there to check, and with
    // the menus missing the rules that need every button stay silent (their
    // title objects write GPR10 and GPR20, which only their menus may read).
    // Their title objects' SetStream 1, 1 selects PG 1 with the display flag
    // off on playlists without PG: subtitles off, not judged.
    {"commercial-metadata/disc1",
     {"note DISC-NO-STREAM STREAM: the STREAM folder is missing; stream files, packet counts and menus in streams are "
      "not checked"}},
    {"commercial-metadata/disc24",
     {"note DISC-NO-STREAM STREAM: the STREAM folder is missing; stream files, packet counts and menus in streams are "
      "not checked"}},
};

class RealDiscs : public testing::TestWithParam<RealDisc> {};

TEST_P(RealDiscs, GiveOnlyTheExplainedFindings) {
  const fs::path samples = test::sharedSamples();
  if (samples.empty()) GTEST_SKIP() << "no shared samples";
  EXPECT_EQ(lintLines(samples / GetParam().folder), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(SharedSamples, RealDiscs, testing::ValuesIn(kTsMuxer),
                         [](const testing::TestParamInfo<RealDisc>& i) {
                           std::string n = fs::path(i.param.folder).filename().string();
                           for (char& c : n)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return n;
                         });

// The composition segment of disc24's menu, framed as a .mnu file: every
// button, page and command agrees with the disc's index and with itself;
// only the objects and palettes, which the sample does not carry, are
// missing.
TEST(RealDiscs, Disc24MenuAgreesWithItsDisc) {
  const fs::path samples = test::sharedSamples();
  if (samples.empty()) GTEST_SKIP() << "no shared samples";
  std::ifstream in(samples / "commercial-metadata/disc24/ics_menu.bin", std::ios::binary);
  const Bytes body((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(body.empty());
  Bytes mnu = {'I', 'G', 0, 1, 0x5F, 0x90, 0, 0, 0, 0, 0x18, std::uint8_t(body.size() >> 8), std::uint8_t(body.size())};
  mnu.insert(mnu.end(), body.begin(), body.end());
  const Bytes end = {'I', 'G', 0, 1, 0x5F, 0x90, 0, 0, 0, 0, 0x80, 0, 0};
  mnu.insert(mnu.end(), end.begin(), end.end());
  test::TempDir dir;
  const fs::path file = dir.write("disc24.mnu", mnu);
  EXPECT_EQ(lintLines(samples / "commercial-metadata/disc24", {file.string()}),
            (std::vector<std::string>{
                "note DISC-NO-STREAM STREAM: the STREAM folder is missing; stream files, packet counts and menus in "
                "streams are not checked",
                "error MENU-OBJECT disc24.mnu: the buttons name objects, but the menu defines none",
                "error MENU-PALETTE disc24.mnu: the pages name palettes, but the menu defines none",
            }));
}

// The sample disc was composed to show the editor's features, not to play;
// what a player would stumble over is listed here with the reason.
TEST(RealDiscs, SampleDiscFindingsAreItsKnownFaults) {
  const fs::path sample = fs::path(MIRDAL_SOURCE_DIR) / "samples/disc/BDMV";
  EXPECT_EQ(lintLines(sample),
            (std::vector<std::string>{
                // Title 2 is "Prohibited1" in the editor, value 2: players know 0, 1 and 3.
                "warning IDX-ACCESS-TYPE index.bdmv title 2: access type 2 is not a value players know (0 permitted, 1 "
                "prohibited, 3 prohibited and hidden)",
                // BD-J titles with the HDMV playback types 1 and 0; BD-J's are 2 and 3.
                "warning IDX-PLAYBACK-TYPE index.bdmv title 3: playback type 1 is not one of a BD-J title's (2 Movie, "
                "3 Interactive)",
                "warning IDX-PLAYBACK-TYPE index.bdmv title 5: playback type 0 is not one of a BD-J title's (2 Movie, "
                "3 Interactive)",
                // Objects 5-8 exist for the run panel (a spare, the command-text
                // showcase, the counting loop, the endless loop); nothing names them.
                "warning MO-UNREACHED MovieObject.bdmv object 5: no title, object or button leads to object 5",
                "warning MO-UNREACHED MovieObject.bdmv object 6: no title, object or button leads to object 6",
                // Object 6 shows the grid's PSR comments, forbidden and invalid words.
                "error MO-PSR-WRITE MovieObject.bdmv object 6 line 0: Move PSR16, 6647399 writes PSR16, which "
                "commands cannot write",
                "error MO-PSR-WRITE MovieObject.bdmv object 6 line 1: Move PSR17, 6713953 writes PSR17, which "
                "commands cannot write",
                "error MO-PSR-WRITE MovieObject.bdmv object 6 line 2: Move PSR19, 18002 writes PSR19, which commands "
                "cannot write",
                "error MO-FORBIDDEN MovieObject.bdmv object 6 line 8: Terminate PL is not allowed in a movie object",
                "error MO-FORBIDDEN MovieObject.bdmv object 6 line 9: Still On is not allowed in a movie object",
                "error MO-INVALID MovieObject.bdmv object 6 line 10: 00000001 is not a valid command word",
                "error MO-INVALID MovieObject.bdmv object 6 line 11: 48800100 is not a valid command word",
                "error MO-INVALID MovieObject.bdmv object 6 line 12: 50000010 is not a valid command word",
                "warning MO-UNREACHED MovieObject.bdmv object 7: no title, object or button leads to object 7",
                "warning MO-UNREACHED MovieObject.bdmv object 8: no title, object or button leads to object 8",
                // The playlists count from 0 s; the clips' STC sequences start at
                // 600 s, where the sample streams' timelines do.
                "error PL-IN-OUT-RANGE 00000.mpls PlayItem 0: IN 00:00:10.000 - OUT 00:01:10.000 lies outside STC "
                "sequence 0 of 00000.clpi (00:10:00.000 - 00:10:12.000)",
                // The IG stream is said to come from SubPath 0, whose clip 00001
                // has none; 1A00, 1B00 and 1202 are in no clip.
                "error PL-STN-PID 00000.mpls PlayItem 0 IG 1: PID 1400 is not a stream of 00001.clpi",
                "error PL-STN-PID 00000.mpls PlayItem 0 secondary audio 1: PID 1A00 is not a stream of 00000.clpi",
                "error PL-STN-PID 00000.mpls PlayItem 0 secondary video 1: PID 1B00 is not a stream of 00001.clpi or "
                "00002.clpi",
                "error PL-STN-PID 00000.mpls PlayItem 0 PiP PG 1: PID 1202 is not a stream of 00000.clpi",
                "error PL-IN-OUT-RANGE 00000.mpls PlayItem 1: IN 00:00:00.000 - OUT 00:00:30.000 lies outside STC "
                "sequence 0 of 00001.clpi (00:10:00.000 - 00:10:04.000)",
                // A clean break after a PlayItem that ends at 70 s, not where its
                // STC sequence does.
                "warning PL-CONNECTION 00000.mpls PlayItem 1: connection condition 5, but PlayItem 0 ends at "
                "00:01:10.000, not at the end of its STC sequence (00:10:12.000)",
                "error PL-IN-OUT-RANGE 00000.mpls PlayItem 2: IN 00:01:10.000 - OUT 00:02:10.000 lies outside STC "
                "sequence 0 of 00000.clpi (00:10:00.000 - 00:10:12.000)",
                // An IG SubPath whose SubPlayItem is 10 s to 10 s.
                "error PL-IN-OUT 00000.mpls SubPath 0 SubPlayItem 0: IN 00:00:10.000 is not before OUT 00:00:10.000",
                "error PL-IN-OUT-RANGE 00000.mpls SubPath 1 SubPlayItem 0: IN 00:00:10.000 - OUT 00:01:10.000 lies "
                "outside STC sequence 0 of 00002.clpi (00:10:00.000 - 00:10:20.000)",
                "error PL-IN-OUT-RANGE 00000.mpls SubPath 2 SubPlayItem 0: IN 00:00:00.000 - OUT 00:00:20.000 lies "
                "outside STC sequence 0 of 00001.clpi (00:10:00.000 - 00:10:04.000)",
                "error PL-IN-OUT-RANGE 00000.mpls SubPath 2 SubPlayItem 1: IN 00:00:20.000 - OUT 00:01:00.000 lies "
                "outside STC sequence 0 of 00002.clpi (00:10:00.000 - 00:10:20.000)",
                "error PL-IN-OUT-RANGE 00000.mpls SubPath 3 SubPlayItem 0: IN 00:00:00.000 - OUT 00:00:30.000 lies "
                "outside STC sequence 0 of 00001.clpi (00:10:00.000 - 00:10:04.000)",
                "error PL-IN-OUT-RANGE 00001.mpls PlayItem 0: IN 00:00:00.000 - OUT 00:00:30.000 lies outside STC "
                "sequence 0 of 00001.clpi (00:10:00.000 - 00:10:04.000)",
                "error PL-IN-OUT-RANGE 00002.mpls PlayItem 0: IN 00:00:00.000 - OUT 00:00:20.000 lies outside STC "
                "sequence 0 of 00002.clpi (00:10:00.000 - 00:10:20.000)",
                // The subtitle playlist lists video and audio, but its clip is a
                // text-subtitle clip.
                "error PL-STN-PID 00002.mpls PlayItem 0 primary video 1: PID 1011 is not a stream of 00002.clpi",
                "error PL-STN-PID 00002.mpls PlayItem 0 primary audio 1: PID 1100 is not a stream of 00002.clpi",
                "error PL-IN-OUT-RANGE 00002.mpls SubPath 0 SubPlayItem 0: IN 00:00:00.000 - OUT 00:00:20.000 lies "
                "outside STC sequence 0 of 00002.clpi (00:10:00.000 - 00:10:20.000)",
                // The sample menu's buttons use sounds 0 and 1 only.
                "note SOUND-UNUSED sound.bdmv entry 2: no button uses sound 2",
                // Written for the run panel to show: object 7's Rnd, object 6's last line.
                "note GPR-UNREAD GPR5: written by MovieObject.bdmv object 7 line 12, read by no command",
                "note GPR-UNREAD GPR9: written by MovieObject.bdmv object 6 line 14, read by no command",
            }));
}

}  // namespace
}  // namespace mirdal
