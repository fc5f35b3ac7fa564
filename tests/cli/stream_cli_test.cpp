// mirdal-cli export-pid, extract-menu and mux where they meet the file
// system and other tools: outputs that must not be written, devices and
// pipes, streams of 188-byte packets, PIDs that cannot be, and the clock of
// a muxed menu as ffprobe reads it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "menu/igs_read.h"
#include "menu/igs_write.h"
#include "support/recording_reporter.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"
#include "support/ts_builder.h"
#include "support/ts_packer.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;
using test::runCli;
using test::shellQuote;
using test::TempDir;

using test::kSampleMenu;

Bytes streamBytes() {
  test::TsBuilder ts;
  for (int i = 0; i < 20; ++i) {
    ts.pes(0x1100, 0xBD, Bytes(300, std::uint8_t(i + 1)), 90000 + 2880 * i);
    ts.pes(0x1200, 0xBD, {0x16, 0, 2, 9, 9}, 90000 + 2880 * i);
  }
  return ts.data();
}

Bytes audio() {
  Bytes out;
  for (int i = 0; i < 20; ++i) out.insert(out.end(), 300, std::uint8_t(i + 1));
  return out;
}

// The same packets without their 4-byte arrival header.
Bytes transportPackets(const Bytes& sp) {
  Bytes out;
  for (std::size_t p = 0; p + 192 <= sp.size(); p += 192) out.insert(out.end(), sp.begin() + long(p) + 4, sp.begin() + long(p) + 192);
  return out;
}

TEST(CliStream, ExportPidWritesOnlyWhatItShould) {
  TempDir d;
  const Bytes ts = streamBytes();
  const std::string s = d.write("s.m2ts", ts).string();
  d.write("t.ts", transportPackets(ts));
  d.write("text.m2ts", std::string(5000, 'x'));
  d.write("kept.aus", std::string("kept"));
  d.mkdir("folder.m2ts");
  fs::create_symlink(s, d.path() / "link.m2ts");
  struct Case {
    std::string args;     // after "export-pid"; $ is the folder
    int exit;
    std::string said;     // in the output
    std::string file;     // written, with the audio; empty: none
  } cases[] = {
      {"$s.m2ts 1100 -o $s.m2ts", 1, "Cannot write $s.m2ts: it is the stream being read.", ""},
      {"$s.m2ts 1100 -o $link.m2ts", 1, "it is the stream being read", ""},
      {"$s.m2ts 2000", 2, "not a PID: 2000 (PIDs go from 0 to 1FFF)", ""},
      {"$s.m2ts 1FFF", 2, "PID 1FFF holds only null packets", ""},
      {"$s.m2ts 1101 -o $kept.aus", 1, "The stream has no packets of PID 0x1101: nothing written.", ""},
      {"$folder.m2ts 1100", 1, "a folder, not a stream file: $folder.m2ts", ""},
      {"$none.m2ts 1100", 1, "no such file: $none.m2ts", ""},
      {"$text.m2ts 1100 -o $x.aus", 1, "is not a transport stream", ""},
      // The time is the clock of the export (whole seconds), not a 45 kHz one.
      {"$s.m2ts 0x1100 -o $a.aus", 0, "40 source packets saved. (0:00:00)", "a.aus"},
      {"$t.ts 1100 -o $b.aus", 0, "188-byte transport packets", "b.aus"},
      {"$s.m2ts 1100", 0, "Saving s_PID1100.aus", "s_PID1100.aus"},
      {"$s.m2ts 1100 -o /dev/null", 0, "40 source packets saved.", ""},
  };
  const auto cwd = fs::current_path();
  fs::current_path(d.path());
  auto expand = [&](std::string t) {
    for (std::size_t at; (at = t.find('$')) != std::string::npos;) t.replace(at, 1, d.folder());
    return t;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const auto r = runCli("export-pid " + expand(c.args));
    EXPECT_EQ(r.exitCode, c.exit) << r.out;
    EXPECT_NE(r.out.find(expand(c.said)), std::string::npos) << r.out;
    if (!c.file.empty()) {
      EXPECT_EQ(d.read(c.file), audio());
      fs::remove(d.path() / c.file);
    }
    // Nothing else came or went, and nothing changed.
    EXPECT_EQ(std::distance(fs::directory_iterator(d.path()), {}), 6);
    EXPECT_EQ(d.read("s.m2ts"), ts);
    EXPECT_EQ(d.read("kept.aus"), Bytes({'k', 'e', 'p', 't'}));
    EXPECT_TRUE(fs::is_symlink(d.path() / "link.m2ts"));
  }
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  fs::current_path(cwd);
}

// A device or pipe takes a menu too: it is checked from memory.
TEST(CliStream, ExtractMenuToADevice) {
  test::ReportScope rs;
  TempDir d;
  IgMenu m;
  ASSERT_EQ(readMnuFile(kSampleMenu, m, mirdal::test::testReporter()).status, ReadStatus::Ok);
  Bytes pes;
  ASSERT_TRUE(composeMenuSegments(m, SegmentFraming::Pes, pes, mirdal::test::testReporter()));
  test::TsPacker ts(0x1400);
  ts.pesStream(pes);
  const std::string m2ts = d.write("00001.m2ts", ts.bytes()).string();
  const auto r = runCli("extract-menu " + shellQuote(m2ts) + " -o /dev/null");
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("1 ICS, 39 OCS, 3 PCS found."), std::string::npos) << r.out;
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

std::string shellOutput(const std::string& cmd) {
  std::string out;
  if (FILE* p = ::popen(cmd.c_str(), "r")) {
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, p)) out.append(buf, n);
    ::pclose(p);
  }
  return out;
}

// ffprobe, an independent demuxer, finds the menu's first decoding time
// just after the clock reference the mux wrote, not ten minutes later.
TEST(CliStream, MuxedMenuStartsAtItsClock) {
  if (shellOutput("command -v ffprobe").empty()) GTEST_SKIP() << "no ffprobe (scripts/install-ffprobe)";
  test::ReportScope rs;
  TempDir d;
  IgMenu m;
  ASSERT_EQ(readMnuFile(kSampleMenu, m, mirdal::test::testReporter()).status, ReadStatus::Ok);
  m.inTime = 53937000;  // 599.3 s, as on a real disc
  Bytes mnu;
  ASSERT_TRUE(composeMenuSegments(m, SegmentFraming::Mnu, mnu, mirdal::test::testReporter()));
  const std::string in = d.write("late.mnu", mnu).string();
  const std::string out = d.folder() + "late.m2ts";
  ASSERT_EQ(runCli("mux " + shellQuote(in) + " -o " + shellQuote(out)).exitCode, 0);

  const std::string dts = shellOutput("ffprobe -v quiet -f mpegts -show_packets -read_intervals %+#1 -of csv=p=0 "
                              "-show_entries packet=dts " + shellQuote(out));
  ASSERT_FALSE(dts.empty());
  const double firstDts = std::stod(dts) / 90000.0;
  // The first clock reference, packet 3: 33-bit base and 9-bit extension.
  const Bytes ts = d.read("late.m2ts");
  const std::uint8_t* p = ts.data() + 3 * 192 + 10;
  const std::uint64_t base = std::uint64_t(p[0]) << 25 | std::uint64_t(p[1]) << 17 | std::uint64_t(p[2]) << 9 |
                             std::uint64_t(p[3]) << 1 | p[4] >> 7;
  const double pcr = double(base * 300 + ((p[4] & 1u) << 8 | p[5])) / 27e6;
  EXPECT_GT(firstDts, 599.0);
  EXPECT_LE(pcr, firstDts);
  EXPECT_LT(firstDts - pcr, 0.1) << "first DTS " << firstDts << " s, first PCR " << pcr << " s";
}

}  // namespace
}  // namespace mirdal
