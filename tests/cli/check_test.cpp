#include <gtest/gtest.h>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::runCli;
using test::shellQuote;
using test::TempDir;

void makeLayout(const TempDir& d) {
  d.mkdir("Disc/BDMV/BACKUP");
  d.mkdir("Disc/BDMV/PLAYLIST");
  d.mkdir("Disc/BDMV/CLIPINF");
  d.write("Disc/BDMV/CLIPINF/00000.clpi");
  d.write("Disc/BDMV/index.bdmv");
  d.write("Disc/BDMV/MovieObject.bdmv");
}

TEST(CliCheck, MissingFilesFailWithTheCheckLog) {
  TempDir d;
  d.mkdir("Disc/BDMV/PLAYLIST");
  const auto r = runCli("check " + shellQuote((d.path() / "Disc").string()));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("PLAYLIST folder: OK\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("CLIPINF folder: missing\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("ERROR: Check failed.\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("\x1b["), std::string::npos) << "no colours when not a terminal";
}

TEST(CliCheck, AFileInsideTheFolderNamesTheFolder) {
  TempDir d;
  makeLayout(d);
  const auto r = runCli("check " + shellQuote((d.path() / "Disc/BDMV/CLIPINF/00000.clpi").string()));
  // The clip file names CLIPINF, which is no disc folder.
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("PLAYLIST folder: missing"), std::string::npos) << r.out;
}

TEST(CliCheck, StreamSummaryAndStatusLinesOnlyWhenVerbose) {
  TempDir d;
  makeLayout(d);
  const std::string folder = shellQuote((d.path() / "Disc/BDMV").string());
  auto r = runCli("check " + folder);
  EXPECT_NE(r.out.find("\n  Stream 00000.m2ts missing\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n  Found 0 AV streams, missing 1\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("[status"), std::string::npos);
  r = runCli("--verbose check " + folder);
  EXPECT_NE(r.out.find("[status 1] Checking 00000.clpi"), std::string::npos) << r.out;
}

struct UsageCase {
  const char* args;
  int exitCode;
  const char* text;
};

class CliUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, ExitCodes) {
  const auto& c = GetParam();
  const auto r = runCli(c.args);
  EXPECT_EQ(r.exitCode, c.exitCode) << r.out;
  EXPECT_NE(r.out.find(c.text), std::string::npos) << r.out;
}

INSTANTIATE_TEST_SUITE_P(Cases, CliUsage,
                         ::testing::Values(UsageCase{"", 2, "subcommand"},
                                           UsageCase{"check", 2, "folder"},
                                           UsageCase{"check /no/such/folder", 1, "no such file or folder"},
                                           UsageCase{"--version", 0, "0.34b"},
                                           UsageCase{"check --help", 0, "Usage"},
                                           UsageCase{"frobnicate", 2, "frobnicate"}));

TEST(CliCheck, SampleDiscPasses) {
  const auto r = runCli(std::string("check ") + MIRDAL_SOURCE_DIR + "/samples/disc/BDMV/index.bdmv");
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("Found 3 AV streams\n"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace mirdal
