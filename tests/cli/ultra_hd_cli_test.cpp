// dump and dump --json of the real Ultra HD disc: the index's application
// fields, HEVC streams with dynamic range and colour space in the
// playlist's and the clip's rows and keys.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/run_cli.h"
#include "support/shared_samples.h"

namespace mirdal {
namespace {

using test::runCli;
using test::shellQuote;

std::string uhdFile(const char* name) {
  const std::filesystem::path root = test::sharedSamples();
  if (root.empty()) return "";
  const std::filesystem::path p = root / "commercial-metadata/disc5_uhd" / name;
  return std::filesystem::exists(p) ? shellQuote(p.string()) : "";
}

struct DumpCase {
  const char* file;
  const char* line;
};

TEST(UltraHDCli, DumpShowsTheNewFields) {
  const DumpCase cases[] = {
      {"index.bdmv", "index.bdmv: INDX version 0300\n"},
      {"index.bdmv",
       "AppInfo: initial output mode 2D, 3D content No, initial dynamic range SDR, video format -, frame rate -\n"},
      {"index.bdmv", "Ultra HD: disc type 5, 4K Yes, HDR flags 3, HDR10+ No, Dolby Vision No\n"},
      {"PLAYLIST/00001.mpls", "HEVC, 2160p, 23.976, HDR10, BT.2020\n"},
      {"PLAYLIST/00100.mpls", "HEVC, 2160p, 23.976, SDR, BT.709\n"},
      {"CLIPINF/00002.clpi", "HEVC            2160p, 23.976, 16:9, HDR10, BT.2020\n"},
      {"MovieObject.bdmv", "MovieObject.bdmv: MOBJ version 0300\n"},
  };
  for (const DumpCase& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string f = uhdFile(c.file);
    if (f.empty()) GTEST_SKIP() << "no Ultra HD sample disc";
    const auto r = runCli("dump " + f);
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(r.out.find(c.line), std::string::npos) << r.out;
  }
}

TEST(UltraHDCli, JsonCarriesTheNewKeys) {
  const std::string index = uhdFile("index.bdmv");
  if (index.empty()) GTEST_SKIP() << "no Ultra HD sample disc";
  auto dump = [](const std::string& f) { return nlohmann::json::parse(runCli("dump --json " + f + " 2>/dev/null").out); };
  const auto ji = dump(index);
  EXPECT_EQ(ji["ultra_hd"], (nlohmann::json{{"disc_type", 5}, {"exist_4k_flag", true}, {"hdr_flags", 3},
                                            {"hdr_plus_flag", false}, {"dolby_vision_flag", false}}));
  EXPECT_EQ(ji["app_info_bdmv"]["initial_dynamic_range_type"], 0);

  const auto jp = dump(uhdFile("PLAYLIST/00001.mpls"));
  const auto& a = jp["playlist"]["play_items"][0]["stn"]["primary_video"][0]["attributes"];
  EXPECT_EQ(a["coding_text"], "HEVC");
  EXPECT_EQ(a["dynamic_range_type"], 1);
  EXPECT_EQ(a["color_space"], 2);
  EXPECT_EQ(a["cr_flag"], false);

  const auto jc = dump(uhdFile("CLIPINF/00001.clpi"));
  const auto& s = jc["program_info"]["program_sequences"][0]["streams"][0];
  EXPECT_EQ(s["dynamic_range_type"], 0);
  EXPECT_EQ(s["color_space"], 1);
  EXPECT_EQ(s["hdr_plus_flag"], false);
}

}  // namespace
}  // namespace mirdal
