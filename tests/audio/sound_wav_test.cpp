// Sound entries to and from WAV files, as Insert, Save sound entry and
// "Create sound.bdmv" use them.
#include <gtest/gtest.h>

#include "audio/sound_wav.h"
#include "core/report.h"
#include "present/sound_rows.h"
#include "support/recording_reporter.h"
#include "support/sound_files.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::WavShape;

std::string writeWav(const test::TempDir& d, const std::string& name, const WavShape& s) {
  return d.write(name, test::wavFile(s).data()).string();
}

WavShape stereo(std::size_t bytes) {
  WavShape s;
  s.channels = 2;
  s.samples = test::pattern(bytes, 3);
  return s;
}

TEST(SoundImport, StereoWavOf96000BytesIsListedAsHalfASecond) {
  test::TempDir d;
  test::ReportScope scope;
  SoundFile snd = newSound();
  ASSERT_TRUE(loadSound(snd, 0, writeWav(d, "click.wav", stereo(96000)), mirdal::test::testReporter()));
  EXPECT_EQ(soundRow(snd, 0), (std::array<std::string, 5>{"000", "Stereo", "48kHz", "16", "0.5 s"}));
  EXPECT_EQ(scope.rep.status.panel[1], " click.wav ");
  // Samples are stored big-endian.
  EXPECT_EQ(snd.entries[0].data[0], test::pattern(2, 3)[1]);
  EXPECT_EQ(snd.entries[0].data[1], test::pattern(2, 3)[0]);
}

TEST(SoundImport, RefusedFilesLeaveTheModelAsItWas) {
  test::TempDir d;
  struct Case {
    const char* name;
    Bytes file;
    std::string message;
  };
  WavShape rate = stereo(8);
  rate.rate = 44100;
  WavShape noData = stereo(8);
  noData.withData = false;
  noData.extraChunks = {{"LIST", 4}};
  WavShape quad = stereo(16);
  quad.channels = 4;
  const Case cases[] = {
      {"44100", test::wavFile(rate).data(), " ERROR: Wave format error! (Mandatory 48 kHz, 16 bit, PCM)"},
      {"no data", test::wavFile(noData).data(), " ERROR: Wave file has no data chunk"},
      {"four channels", test::wavFile(quad).data(), " ERROR: Wave format error! (Mandatory mono or stereo)"},
  };
  for (const Case& c : cases) {
    test::ReportScope scope;
    SoundFile snd = newSound();
    insertSoundEntry(snd, 0, SoundEntry{}, mirdal::test::testReporter());
    const SoundFile before = snd;
    EXPECT_FALSE(loadSound(snd, 1, d.write("x.wav", c.file).string(), mirdal::test::testReporter())) << c.name;
    EXPECT_EQ(snd, before) << c.name;
    EXPECT_EQ(scope.rep.lines().back(), c.message) << c.name;
    EXPECT_EQ(scope.rep.sleptMs, 3000) << c.name;
    EXPECT_GT(mirdal::test::testReporter().errorCount(), 0);
  }
}

TEST(SoundImport, AMissingFileIsAnErrorWithoutThePause) {
  test::ReportScope scope;
  SoundFile snd = newSound();
  EXPECT_FALSE(loadSound(snd, 0, "/nonexistent/x.wav", mirdal::test::testReporter()));
  EXPECT_GT(mirdal::test::testReporter().errorCount(), 0);
  EXPECT_TRUE(snd.entries.empty());
}

// A WAV whose data chunk claims more than the file holds gives what is
// there, and says so; half a sample at the end is left out.
TEST(SoundImport, DataCutShortIsTakenAsFarAsItGoes) {
  test::TempDir d;
  test::ReportScope scope;
  WavShape s = stereo(11);
  s.claimedDataSize = 4000;
  SoundFile snd = newSound();
  ASSERT_TRUE(loadSound(snd, 0, writeWav(d, "cut.wav", s), mirdal::test::testReporter()));
  EXPECT_EQ(snd.entries[0].length, 10u);
  EXPECT_EQ(mirdal::test::testReporter().errorCount(), 0);
  EXPECT_NE(scope.rep.text().find("ends early"), std::string::npos);
}

TEST(SoundExport, ExportedWavImportsToTheSameBytes) {
  test::TempDir d;
  test::ReportScope scope;
  for (std::uint16_t channels : {1, 2}) {
    SoundFile snd = newSound();
    WavShape s = stereo(1200);
    s.channels = channels;
    ASSERT_TRUE(loadSound(snd, 0, writeWav(d, "in.wav", s), mirdal::test::testReporter()));
    const std::string out = (d.path() / soundEntryFileName(0)).string();
    ASSERT_TRUE(exportSound(snd, 0, out, mirdal::test::testReporter()));
    EXPECT_EQ(d.read(soundEntryFileName(0)), test::wavFile(s).data());
    SoundFile again = newSound();
    ASSERT_TRUE(loadSound(again, 0, out, mirdal::test::testReporter()));
    EXPECT_EQ(again.entries, snd.entries);
  }
}

TEST(SoundExport, NoSuchEntryOrFolder) {
  test::ReportScope scope;
  SoundFile snd = newSound();
  EXPECT_FALSE(exportSound(snd, 0, "/tmp/never.wav", mirdal::test::testReporter()));
  insertSoundEntry(snd, 0, SoundEntry{}, mirdal::test::testReporter());
  EXPECT_FALSE(exportSound(snd, 0, "/nonexistent/folder/x.wav", mirdal::test::testReporter()));
  EXPECT_GT(mirdal::test::testReporter().errorCount(), 0);
  EXPECT_TRUE(mkWav(snd, 1).empty());
}

TEST(SoundCreate, ANewFileHoldsTheFirstSoundOrNothing) {
  test::TempDir d;
  test::ReportScope scope;
  const std::optional<SoundFile> made = createSound(writeWav(d, "a.wav", stereo(400)), mirdal::test::testReporter());
  ASSERT_TRUE(made);
  EXPECT_EQ(made->versionNumber, "0200");
  EXPECT_EQ(made->entries.size(), 1u);
  EXPECT_EQ(made->soundDataStartAddress, 56u);
  EXPECT_EQ(made->extensionDataStartAddress, 0u);
  WavShape bad = stereo(8);
  bad.bits = 8;
  EXPECT_FALSE(createSound(writeWav(d, "b.wav", bad), mirdal::test::testReporter()));
}

}  // namespace
}  // namespace mirdal
