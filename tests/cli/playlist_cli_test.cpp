// mirdal-cli with playlists: resave of every real playlist (compared with
// cmp), the JSON dump, and chapter export and import as a script runs them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/shared_samples.h"
#include "support/bdmv_files.h"
#include "support/mpls_bytes.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;
using namespace test;

std::vector<fs::path> samplePlaylists() {
  const fs::path root = test::sharedSamples();
  std::vector<fs::path> out;
  if (root.empty()) return out;
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file() && e.path().extension() == ".mpls") out.push_back(e.path());
  return out;
}

// A small playlist: two PlayItems of 10 s at 25 frames per second, marks.
std::vector<std::uint8_t> smallPlaylist() {
  PlayItemBytes a;
  a.in = 0;
  a.out = 450000;
  a.stnTable = stn({1, 1, 0, 0, 0, 0, 0}, cat({videoStream(0x1011, 0x63), plainStream(0x1100, 0x81, 0x61, "eng")}));
  PlayItemBytes b = a;
  b.clip = "00002";
  b.in = 900000;
  b.out = 1350000;
  PlaylistBytes f;
  f.playList = playListSection({playItem(a), playItem(b)}, {});
  f.marks = markSection({{1, 0, 0}, {1, 1, 1125000}});
  return playlistFile(f).data();
}

TEST(PlaylistCli, ResaveGivesEveryRealPlaylistBackButTheReservedBytes) {
  const auto files = samplePlaylists();
  if (files.empty()) GTEST_SKIP() << "no shared samples folder";
  TempDir dir;
  for (const fs::path& f : files) {
    SCOPED_TRACE(f.string());
    const std::string out = (dir.path() / "out.mpls").string();
    const CliResult r = runCli("resave " + shellQuote(f.string()) + " -o " + shellQuote(out));
    ASSERT_EQ(r.exitCode, 0) << r.out;
    // cmp -l lists every differing byte as "offset (from 1) a b".
    FILE* p = ::popen(("cmp -l " + shellQuote(f.string()) + " " + shellQuote(out) + " 2>&1").c_str(), "r");
    ASSERT_TRUE(p);
    std::string diff;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) diff.append(buf, n);
    ::pclose(p);
    std::istringstream lines(diff);
    long offset;
    std::string a, b;
    while (lines >> offset >> a >> b) {
      EXPECT_GE(offset, 21) << diff;
      EXPECT_LE(offset, 40) << diff;
    }
    EXPECT_EQ(diff.find("EOF"), std::string::npos) << diff;
  }
}

TEST(PlaylistCli, JsonDumpIsKindPlaylist) {
  TempDir dir;
  const auto path = dir.write("00001.mpls", smallPlaylist());
  const CliResult r = runCli("dump --json " + shellQuote(path.string()) + " 2>/dev/null");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["kind"], "playlist");
  EXPECT_EQ(j["format_version"], 1);
  EXPECT_EQ(j["playlist"]["play_items"][1]["clip_name"], "00002");
  EXPECT_EQ(j["playlist_marks"]["marks"][1]["time"], 1125000);
}

struct ChapterCliCase {
  const char* format;
  const char* exported;
};

TEST(PlaylistCli, ChaptersExportAndImportBack) {
  const ChapterCliCase cases[] = {
      {"pts", "0\r\n675000\r\n"},
      {"time", "00:00:00.000\r\n00:00:15.000\r\n"},
      {"frame", "0\r\n375000\r\n"},
  };
  for (const ChapterCliCase& c : cases) {
    SCOPED_TRACE(c.format);
    TempDir dir;
    const auto path = dir.write("00001.mpls", smallPlaylist());
    const std::string txt = (dir.path() / "ch.txt").string();
    const std::string out = (dir.path() / "out.mpls").string();
    CliResult r = runCli("chapters export " + shellQuote(path.string()) + " --format " + c.format + " -o " +
                         shellQuote(txt));
    ASSERT_EQ(r.exitCode, 0) << r.out;
    const auto text = dir.read("ch.txt");
    EXPECT_EQ(std::string(text.begin(), text.end()), c.exported);
    r = runCli("chapters import " + shellQuote(path.string()) + " " + shellQuote(txt) + " --format " + c.format +
               " -o " + shellQuote(out));
    ASSERT_EQ(r.exitCode, 0) << r.out;
    // The marks come back as they were, so the file does too.
    EXPECT_EQ(dir.read("out.mpls"), smallPlaylist());
  }
}

struct FailureCase {
  const char* name;
  std::string args;
  int exitCode;
  const char* message;
};

TEST(PlaylistCli, FailuresAreToldWithTheirExitCode) {
  TempDir dir;
  const auto good = dir.write("00001.mpls", smallPlaylist());
  PlaylistBytes v3;
  v3.version = "0400";
  const auto bad = dir.write("00003.mpls", playlistFile(v3).data());
  const auto garbage = dir.write("ch.txt", std::vector<std::uint8_t>{'1', '2', '\r', '\n', 'x', '\r', '\n'});
  const FailureCase cases[] = {
      {"version 0400", "dump " + shellQuote(bad.string()), 1, "Invalid format: 00003.mpls"},
      {"unknown format", "chapters export " + shellQuote(good.string()) + " --format fps", 2, "unknown chapter format"},
      {"line that is no chapter",
       "chapters import " + shellQuote(good.string()) + " " + shellQuote(garbage.string()) + " -o " +
           shellQuote((dir.path() / "o.mpls").string()),
       1, "Line 2 is not a chapter time: x"},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CliResult r = runCli(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.out;
    EXPECT_NE(r.out.find(c.message), std::string::npos) << r.out;
  }
  EXPECT_FALSE(fs::exists(dir.path() / "o.mpls"));
}

}  // namespace
}  // namespace mirdal
