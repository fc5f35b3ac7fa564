// mirdal-cli dump, resave and export-pid on clips and stream files.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/shared_samples.h"
#include "support/clip_bytes.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"
#include "support/ts_builder.h"

namespace mirdal {
namespace {

using test::runCli;
using test::shellQuote;
using test::TempDir;

TEST(CliClip, DumpTextAndJson) {
  TempDir d;
  const auto p = d.write("BDMV/CLIPINF/00001.clpi", test::clipBytes({.atcEntries = 1}));
  const auto text = runCli("dump " + shellQuote(p.string()));
  EXPECT_EQ(text.exitCode, 0) << text.out;
  for (const char* want : {"00001.clpi: HDMV version 0200",
                           "ClipInfo: application type 1 (Main TS for a Movie), ATCd Yes, Rec. rate 48000000, Packets 9999",
                           "  0  00001000   00002      M2TS", "  1  1011  AVC          1080p, 23.976, 4:3",
                           "  0002  00004   0102    00020000"})
    EXPECT_NE(text.out.find(want), std::string::npos) << want << "\n" << text.out;

  const auto js = runCli("dump --json " + shellQuote(p.string()));
  ASSERT_EQ(js.exitCode, 0) << js.out;
  const auto j = nlohmann::json::parse(js.out);
  EXPECT_EQ(j["kind"], "clip");
  EXPECT_EQ(j["format_version"], 1);
  EXPECT_EQ(j["clip_info"]["atc_delta_entries"][0]["atc_delta"], 0x1000);
  EXPECT_EQ(j["program_info"]["program_sequences"][0]["streams"][1]["audio_language"], "eng");
  EXPECT_EQ(j["cpi"]["entries"][0]["fine"].size(), 5u);
}

TEST(CliClip, ResaveGivesTheSameBytesAndRefusesBadFiles) {
  TempDir d;
  const auto bytes = test::clipBytes({.appType = 6, .fonts = 2, .extensionData = true});
  const auto p = d.write("00002.clpi", bytes);
  const auto r = runCli("resave " + shellQuote(p.string()) + " -o " + shellQuote(d.folder() + "out.clpi"));
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(d.read("out.clpi"), bytes);

  auto cut = bytes;
  cut.resize(300);
  const auto c = d.write("cut.clpi", cut);
  EXPECT_EQ(runCli("resave " + shellQuote(c.string()) + " -o " + shellQuote(d.folder() + "cut2.clpi")).exitCode, 1);
  EXPECT_FALSE(d.exists("cut2.clpi"));
  EXPECT_EQ(runCli("dump " + shellQuote(c.string())).exitCode, 1);
}

TEST(CliClip, ExportPidNamesModesAndFailures) {
  TempDir d;
  test::TsBuilder ts;
  ts.pes(0x1011, 0xE0, std::vector<std::uint8_t>(400, 7), 90000, -1, true);
  ts.pes(0x1100, 0xBD, std::vector<std::uint8_t>(300, 1), 90000);
  ts.pes(0x1200, 0xBD, {0x16, 0, 2, 9, 9}, 90450);
  const auto stream = d.write("BDMV/STREAM/00001.m2ts", ts.data());
  d.write("BDMV/CLIPINF/00001.clpi", test::clipBytes({}));
  struct Case {
    std::string args;
    int exit;
    std::string file;       // written in the working folder; empty: none
    std::size_t size;
    std::string logLine;
  } cases[] = {
      {"1100", 0, "00001_PID1100_DD_Stereo_48_kHz_eng.aus", 300, "2 source packets saved. ("},
      {"1100 --pes", 0, "00001_PID1100_DD_Stereo_48_kHz_eng.PES.aus", 314, "source packets saved."},
      {"1200", 0, "00001_PID1200_PG_fra.sup", 15, "000001C2, 00000000 : 0:00:00.005, 0:00:00.000   16   "},
      {"1200 --absolute-times", 0, "00001_PID1200_PG_fra.sup", 15, "00016152, 00000000 : 0:00:01.005"},
      {"1200 --no-sup -o pg.bin", 0, "pg.bin", 5, "1 source packets saved."},
      {"1011", 0, "00001_PID1011_AVC_1080p_23.976_4_3.vis", 400, "3 source packets saved."},
      {"12G0", 2, "", 0, "not a hexadecimal PID"},
      {"1100 -o no/such/folder/x", 1, "", 0, "Cannot create"},
  };
  // Default names are relative: the files land in the working folder.
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(d.path());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const auto r = runCli("export-pid " + shellQuote(stream.string()) + " " + c.args);
    EXPECT_EQ(r.exitCode, c.exit) << r.out;
    EXPECT_NE(r.out.find(c.logLine), std::string::npos) << r.out;
    if (!c.file.empty()) {
      ASSERT_TRUE(std::filesystem::exists(c.file)) << r.out;
      EXPECT_EQ(std::filesystem::file_size(c.file), c.size);
      std::filesystem::remove(c.file);
    }
  }
  std::filesystem::current_path(cwd);
}

TEST(CliClip, RealClipsResaveByteForByte) {
  const std::filesystem::path root = test::sharedSamples();
  if (root.empty()) GTEST_SKIP() << "no shared samples";
  TempDir d;
  int n = 0;
  for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
    const std::string ext = e.path().extension().string();
    if ((ext != ".clpi" && ext != ".CPI")) continue;
    const std::string out = d.folder() + std::to_string(n++) + ".clpi";
    const auto r = runCli("resave " + shellQuote(e.path().string()) + " -o " + shellQuote(out));
    ASSERT_EQ(r.exitCode, 0) << e.path() << r.out;
    EXPECT_EQ(std::system(("cmp -s " + shellQuote(e.path().string()) + " " + shellQuote(out)).c_str()), 0)
        << e.path();
  }
  EXPECT_GT(n, 0);
}

}  // namespace
}  // namespace mirdal
