// mirdal-cli on sound files: dump, resave, sound export and sound import.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "core/fields.h"
#include "support/run_cli.h"
#include "support/sound_files.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::runCli;
using test::shellQuote;
using test::TempDir;

Bytes twoSounds() {
  return test::soundFile("0200", {{1, 0, test::pattern(9600, 1)}, {3, 9600, test::pattern(96000, 2)}});
}

std::string at(const TempDir& d, const std::string& name) { return shellQuote((d.path() / name).string()); }

TEST(CliSound, DumpShowsTheGridRows) {
  TempDir d;
  d.write("menu_sounds.bin", twoSounds());
  const auto r = runCli("dump " + at(d, "menu_sounds.bin"));
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(r.out,
            "menu_sounds.bin: BCLK version 0200\n"
            "2 sound entries\n"
            "No.  channel  frequency  bits/sample  length  start  bytes\n"
            "000  Mono     48kHz      16           0.1 s   0      9600\n"
            "001  Stereo   48kHz      16           0.5 s   9600   96000\n"
            "ExtensionData: no ExtensionData()\n");
}

TEST(CliSound, JsonKindAndNumbers) {
  TempDir d;
  d.write("sound.bdmv", twoSounds());
  const auto r = runCli("dump --json " + at(d, "sound.bdmv"));
  ASSERT_EQ(r.exitCode, 0) << r.out;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["kind"], "sound");
  EXPECT_EQ(j["format_version"], 1);
  EXPECT_EQ(j["sound_data_start_address"], 66);
  EXPECT_EQ(j["number_of_sound_entries"], 2);
  EXPECT_EQ(j["entries"][1]["channel_configuration"], 3);
  EXPECT_EQ(j["entries"][1]["start"], 9600);
  EXPECT_EQ(j["entries"][1]["duration_seconds"], 0.5);
  EXPECT_EQ(j["extension_data"]["length"], 0);
}

TEST(CliSound, ResaveIsByteForByteAndDamagedFilesAreNotWritten) {
  TempDir d;
  d.write("sound.bdmv", twoSounds());
  EXPECT_EQ(runCli("resave " + at(d, "sound.bdmv") + " -o " + at(d, "out.bdmv")).exitCode, 0);
  EXPECT_EQ(d.read("out.bdmv"), twoSounds());

  Bytes cut = twoSounds();
  cut.resize(cut.size() - 10);
  d.write("cut.bdmv", cut);
  const auto r = runCli("resave " + at(d, "cut.bdmv") + " -o " + at(d, "cut_out.bdmv"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(d.exists("cut_out.bdmv"));
  EXPECT_NE(r.out.find("ends early"), std::string::npos) << r.out;
}

TEST(CliSound, ExportThenImportGivesTheSameSound) {
  TempDir d;
  d.write("sound.bdmv", twoSounds());
  ASSERT_EQ(runCli("sound export " + at(d, "sound.bdmv") + " 1 -o " + at(d, "s1.wav")).exitCode, 0);
  const auto r = runCli("sound import " + at(d, "sound.bdmv") + " " + at(d, "s1.wav") + " --at 0 -o " +
                        at(d, "three.bdmv"));
  ASSERT_EQ(r.exitCode, 0) << r.out;
  const Bytes expected = test::soundFile("0200", {{3, 0, test::pattern(96000, 2)},
                                                  {1, 96000, test::pattern(9600, 1)},
                                                  {3, 105600, test::pattern(96000, 2)}});
  EXPECT_EQ(d.read("three.bdmv"), expected);
  EXPECT_EQ(d.read("sound.bdmv"), twoSounds());  // the input is left alone
}

TEST(CliSound, DeleteTheFirstEntry) {
  TempDir d;
  d.write("sound.bdmv", twoSounds());
  ASSERT_EQ(runCli("sound delete " + at(d, "sound.bdmv") + " 0 -o " + at(d, "one.bdmv")).exitCode, 0);
  EXPECT_EQ(d.read("one.bdmv"), test::soundFile("0200", {{3, 0, test::pattern(96000, 2)}}).data());
}

TEST(CliSound, BadInputAndBadUsage) {
  TempDir d;
  d.write("sound.bdmv", twoSounds());
  test::WavShape slow;
  slow.rate = 44100;
  slow.samples = test::pattern(8, 1);
  d.write("slow.wav", test::wavFile(slow).data());
  struct Case {
    std::string args;
    int exitCode;
    std::string says;
  };
  const Case cases[] = {
      {"sound import " + at(d, "sound.bdmv") + " " + at(d, "slow.wav") + " -o " + at(d, "o.bdmv"), 1,
       "Wave format error! (Mandatory 48 kHz, 16 bit, PCM)"},
      {"sound import " + at(d, "sound.bdmv") + " " + at(d, "slow.wav") + " --at 3 -o " + at(d, "o.bdmv"), 2,
       "--at 3"},
      {"sound export " + at(d, "sound.bdmv") + " 2 -o " + at(d, "o.wav"), 2, "there is no entry 2"},
      {"sound delete " + at(d, "sound.bdmv") + " 2 -o " + at(d, "o.bdmv"), 2, "there is no entry 2"},
      {"sound export " + at(d, "missing.bdmv") + " 0 -o " + at(d, "o.wav"), 1, "no such file"},
      {"sound export " + at(d, "slow.wav") + " 0 -o " + at(d, "o.wav"), 1, "format error at $00000008"},
  };
  for (const Case& c : cases) {
    const auto r = runCli(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args << "\n" << r.out;
    EXPECT_NE(r.out.find(c.says), std::string::npos) << c.args << "\n" << r.out;
  }
  EXPECT_FALSE(d.exists("o.bdmv"));
  EXPECT_FALSE(d.exists("o.wav"));
}

}  // namespace
}  // namespace mirdal
