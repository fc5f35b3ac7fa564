// sound.bdmv: layout on save, reading of good and damaged files, edits and
// the texts of the sound grid.
#include <gtest/gtest.h>

#include "core/report.h"
#include "formats/sound/sound_bdmv.h"
#include "present/sound_rows.h"
#include "support/recording_reporter.h"
#include "support/sound_files.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::pattern;
using test::soundFile;

SoundEntry entry(std::uint8_t channels, Bytes data) {
  SoundEntry e;
  e.channelConfiguration = channels;
  e.length = std::uint32_t(data.size());
  e.data = std::move(data);
  return e;
}

SoundFile threeSounds() {
  SoundFile snd = newSound();
  insertSoundEntry(snd, 0, entry(kSoundMono, pattern(1000, 1)), mirdal::test::testReporter());
  insertSoundEntry(snd, 1, entry(kSoundStereo, pattern(1002, 2)), mirdal::test::testReporter());
  insertSoundEntry(snd, 2, entry(kSoundMono, pattern(500, 3)), mirdal::test::testReporter());
  return snd;
}

// Three sounds of 1000, 1002 and 500 bytes: starts 0, 1000 and 2004, two
// zero bytes after the second, SoundData start 76, SoundIndex length 32.
TEST(SoundLayout, ThreeEntriesAsLaidOutByHand) {
  const Bytes expected = soundFile("0200", {{1, 0, pattern(1000, 1)},
                                            {3, 1000, pattern(1002, 2)},
                                            {1, 2004, pattern(500, 3)}});
  const Bytes written = composeSound(threeSounds());
  EXPECT_EQ(written, expected);
  ASSERT_GE(written.size(), 46u);
  EXPECT_EQ(written[11], 76);                        // SoundData start
  EXPECT_EQ(written[43], 32);                        // SoundIndex length
  EXPECT_EQ(written[76 + 2002], 0);                  // padding after the second sound
  EXPECT_EQ(written[76 + 2003], 0);
  EXPECT_EQ(soundEntryStarts(threeSounds()), (std::vector<std::uint32_t>{0, 1000, 2004}));
}

TEST(SoundLayout, ExtensionDataFollowsTheDataAndItsAddressIsWhereItLands) {
  const Bytes ext = test::ByteBuilder().u32(24).u32(24).zeros(3).u8(1).u16(0x1000).u16(1).u32(24).u32(4)
                        .bytes({9, 8, 7, 6}).data();
  const Bytes file = soundFile("0100", {{1, 0, pattern(6, 1)}}, ext);
  SoundFile snd;
  ASSERT_EQ(parseSound(file, snd).status, ReadStatus::Ok);
  EXPECT_EQ(snd.extensionData.entries.size(), 1u);
  EXPECT_EQ(snd.extensionDataStartAddress, 56u + 6u);
  // The sound is 6 bytes: the block moves to 56 + 8 on save.
  const Bytes again = composeSound(snd);
  const Bytes expected = test::soundFile("0100", {{1, 0, pattern(6, 1)}}).bytes({0, 0}).bytes(ext).patch32(12, 64);
  EXPECT_EQ(again, expected);
  SoundFile reread;
  ASSERT_EQ(parseSound(again, reread).status, ReadStatus::Ok);
  EXPECT_EQ(reread.extensionData, snd.extensionData);

  // Removing the block writes address 0 and nothing behind the data.
  applyExtensionData(snd, ExtensionData{});
  EXPECT_EQ(composeSound(snd).size(), 56u + 8u);
  EXPECT_EQ(snd.extensionDataStartAddress, 0u);
}

// An entry of odd length (never made by an import, possible in a file)
// still puts the next entry on a multiple of 4.
TEST(SoundLayout, OddLengthKeepsTheNextEntryAligned) {
  SoundFile snd = newSound();
  insertSoundEntry(snd, 0, entry(kSoundMono, pattern(3, 1)), mirdal::test::testReporter());
  insertSoundEntry(snd, 1, entry(kSoundMono, pattern(2, 5)), mirdal::test::testReporter());
  EXPECT_EQ(soundEntryStarts(snd), (std::vector<std::uint32_t>{0, 4}));
  const Bytes file = composeSound(snd);
  EXPECT_EQ(file.size(), 66u + 8u);
  SoundFile back;
  ASSERT_EQ(parseSound(file, back).status, ReadStatus::Ok);
  EXPECT_EQ(back.entries[1].data, pattern(2, 5));
}

struct ParseCase {
  const char* name;
  Bytes file;
  ReadStatus status;
  std::vector<std::size_t> lengths;  // data bytes held per entry
};
void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class SoundParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(SoundParseTest, ReadsWhatTheFileHoldsAndNothingElse) {
  SoundFile snd;
  const SoundParse res = parseSound(GetParam().file, snd);
  EXPECT_EQ(res.status, GetParam().status);
  std::vector<std::size_t> lengths;
  for (const SoundEntry& e : snd.entries) {
    lengths.push_back(e.data.size());
    EXPECT_EQ(e.length, e.data.size());
  }
  EXPECT_EQ(lengths, GetParam().lengths);
}

Bytes withByte(Bytes b, std::size_t at, std::uint8_t v) {
  b.at(at) = v;
  return b;
}
Bytes cutTo(Bytes b, std::size_t size) {
  b.resize(size);
  return b;
}
const Bytes kTwo = soundFile("0200", {{1, 0, pattern(8, 1)}, {3, 8, pattern(12, 2)}});

INSTANTIATE_TEST_SUITE_P(
    Files, SoundParseTest,
    ::testing::Values(
        ParseCase{"two_entries", kTwo, ReadStatus::Ok, {8, 12}},
        ParseCase{"version_0100", soundFile("0100", {{1, 0, pattern(4, 1)}}), ReadStatus::Ok, {4}},
        ParseCase{"no_entries", soundFile("0200", {}), ReadStatus::Ok, {}},
        ParseCase{"wrong_type", withByte(kTwo, 0, 'X'), ReadStatus::Rejected, {}},
        ParseCase{"wrong_version", withByte(kTwo, 5, '3'), ReadStatus::Rejected, {}},
        ParseCase{"empty_file", {}, ReadStatus::Rejected, {}},
        ParseCase{"ends_in_the_second_index_entry", cutTo(kTwo, 60), ReadStatus::Truncated, {0}},
        ParseCase{"ends_in_the_second_sound", cutTo(kTwo, 66 + 8 + 5), ReadStatus::Truncated, {8, 5}},
        ParseCase{"start_far_past_the_end", test::ByteBuilder(soundFile("0200", {{1, 0, pattern(4, 1)}})).patch32(48, 0xFFFFFFF0),
                  ReadStatus::Truncated, {0}},
        ParseCase{"length_of_4_GiB", test::ByteBuilder(soundFile("0200", {{1, 0, pattern(4, 1)}})).patch32(52, 0xFFFFFFFF),
                  ReadStatus::Truncated, {4}},
        ParseCase{"extension_address_past_the_end",
                  test::ByteBuilder(soundFile("0200", {{1, 0, pattern(4, 1)}})).patch32(12, 0x10000),
                  ReadStatus::Truncated, {4}}));

// 255 entries that all name the same large area: what is copied stays
// within what one sound file may hold.
TEST(SoundFile, OverlappingEntriesAreHeldToTheSizeOfOneFile) {
  const std::size_t area = kMaxDatabaseFileSize / 100;
  std::vector<test::SoundEntryBytes> entries;
  for (int i = 0; i < 255; ++i) entries.push_back({1, 0, i == 0 ? Bytes(area, 1) : Bytes{}});
  test::ByteBuilder b = soundFile("0200", entries);
  for (std::size_t i = 0; i < 255; ++i) b.patch32(52 + 10 * i, std::uint32_t(area));
  SoundFile snd;
  EXPECT_EQ(parseSound(b, snd).status, ReadStatus::Truncated);
  std::uint64_t total = 0;
  for (const SoundEntry& e : snd.entries) total += e.data.size();
  EXPECT_EQ(total, kMaxDatabaseFileSize);
  EXPECT_EQ(snd.entries[99].length, area);
  EXPECT_LT(snd.entries[100].length, area);
}

TEST(SoundFile, ReadWriteReadKeepsEveryEntry) {
  SoundFile snd;
  ASSERT_EQ(parseSound(kTwo, snd).status, ReadStatus::Ok);
  EXPECT_EQ(composeSound(snd), kTwo);
  EXPECT_EQ(snd.entries[1].channelConfiguration, kSoundStereo);
  EXPECT_EQ(snd.entries[1].data, pattern(12, 2));
}

TEST(SoundFile, ReservedBitsAreWrittenAsZero) {
  Bytes file = kTwo;
  file[20] = 0xAA;      // reserved header byte
  file[44] = 0x55;      // reserved byte before the count
  file[47] |= 0x3F;     // low bits of the bits-per-sample byte
  SoundFile snd;
  ASSERT_EQ(parseSound(file, snd).status, ReadStatus::Ok);
  EXPECT_EQ(composeSound(snd), kTwo);
}

TEST(SoundEdit, InsertAfterTheFirstRowKeepsTheFirstSound) {
  SoundFile snd = threeSounds();
  ASSERT_TRUE(insertSoundEntry(snd, 1, entry(kSoundStereo, pattern(40, 9)), mirdal::test::testReporter()));
  ASSERT_EQ(snd.entries.size(), 4u);
  EXPECT_EQ(snd.entries[0].data, pattern(1000, 1));
  EXPECT_EQ(snd.entries[1].data, pattern(40, 9));
  EXPECT_EQ(snd.entries[2].data, pattern(1002, 2));
  EXPECT_EQ(snd.soundIndexLength, 42u);
  EXPECT_EQ(snd.soundDataStartAddress, 86u);
  EXPECT_EQ(snd.entries[2].start, 1040u);
}

TEST(SoundEdit, DeletingTheOnlyEntryLeavesAFileWithNoEntries) {
  SoundFile snd = newSound();
  insertSoundEntry(snd, 0, entry(kSoundMono, pattern(10, 1)), mirdal::test::testReporter());
  ASSERT_TRUE(deleteSoundEntry(snd, 0));
  EXPECT_FALSE(deleteSoundEntry(snd, 0));
  EXPECT_EQ(snd.soundIndexLength, 2u);
  EXPECT_EQ(snd.soundDataStartAddress, 46u);
  EXPECT_EQ(composeSound(snd), soundFile("0200", {}).data());
}

TEST(SoundEdit, The256thSoundIsRefused) {
  test::ReportScope scope;
  SoundFile snd = newSound();
  for (int i = 0; i < 255; ++i) ASSERT_TRUE(insertSoundEntry(snd, snd.entries.size(), entry(kSoundMono, {1, 2}), mirdal::test::testReporter()));
  EXPECT_FALSE(insertSoundEntry(snd, 0, entry(kSoundMono, {1, 2}), mirdal::test::testReporter()));
  EXPECT_EQ(snd.entries.size(), 255u);
  EXPECT_GT(mirdal::test::testReporter().errorCount(), 0);
  EXPECT_EQ(composeSound(snd)[45], 255);
}

TEST(SoundEdit, AFileTheReaderWouldRefuseIsNeverMade) {
  test::ReportScope scope;
  SoundFile snd = newSound();
  EXPECT_FALSE(insertSoundEntry(snd, 0, entry(kSoundMono, Bytes(kMaxDatabaseFileSize, 0)), mirdal::test::testReporter()));
  EXPECT_TRUE(snd.entries.empty());
  EXPECT_GT(mirdal::test::testReporter().errorCount(), 0);
}

struct DurationCase {
  std::uint64_t length;
  const char* text;
  std::uint8_t channels = kSoundStereo;
};

TEST(SoundRows, DurationInHundredthsHalvesToEven) {
  const DurationCase cases[] = {
      {96000, "0.5 s"}, {192000, "1 s"},   {0, "0 s"},         {960, "0 s"},  // 0.5 hundredth: to 0
      {2880, "0.02 s"}, {1920 * 123, "1.23 s"}, {1920 * 110, "1.1 s"}, {959, "0 s"}, {961, "0.01 s"},
      {1920 * 100 * 65, "65 s"},
      // Mono holds 2 bytes a frame: the same bytes last twice as long.
      {96000, "1 s", kSoundMono}, {480, "0 s", kSoundMono}, {1440, "0.02 s", kSoundMono}, {96000, "0.5 s", 0}};
  for (const DurationCase& c : cases) EXPECT_EQ(soundDurationText(c.length, c.channels), c.text) << c.length;
  EXPECT_DOUBLE_EQ(soundDurationSeconds(96000), 0.5);
}

TEST(SoundRows, GridRowsAndRowClickText) {
  SoundFile snd = threeSounds();
  snd.entries[2].channelConfiguration = 2;
  snd.entries[2].samplingFrequency = 2;
  snd.entries[2].bitsPerSample = 2;
  EXPECT_EQ(soundRow(snd, 1), (std::array<std::string, 5>{"001", "Stereo", "48kHz", "16", "0.01 s"}));
  EXPECT_EQ(soundRow(snd, 2), (std::array<std::string, 5>{"002", "-", "-", "-", "0 s"}));
  EXPECT_EQ(soundRowStatus(snd, 1),
            "Data start: 000003E8 (1,000)  Length: 000003EA (1,002)  Total data length: 000009C8(2,504)");
  EXPECT_EQ(soundRowStatus(newSound(), 0), "");
  EXPECT_EQ(groupedDecimal(1234567, '.'), "1.234.567");
  EXPECT_EQ(groupedDecimal(999), "999");
  EXPECT_EQ(soundEntryFileName(7), "sound_007.wav");
}

TEST(SoundRead, LogLinesOfTheLoadStep) {
  test::TempDir d;
  struct Case {
    Bytes file;
    std::string found;
    bool error;
  };
  const Case cases[] = {
      {kTwo, "  Found 2 sound entries", false},
      {soundFile("0200", {{1, 0, pattern(4, 1)}}), "  Found 1 sound entry", false},
      {withByte(kTwo, 0, 'X'), "  Found 0 sound entry", true},
  };
  for (const Case& c : cases) {
    test::ReportScope scope;
    d.write("sound.bdmv", c.file);
    SoundFile snd;
    readSoundFile((d.path() / "sound.bdmv").string(), snd, mirdal::test::testReporter());
    const auto lines = scope.rep.lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), " Reading sound.bdmv");
    EXPECT_EQ(lines.back(), c.found);
    EXPECT_EQ(mirdal::test::testReporter().errorCount() > 0, c.error);
  }
}

TEST(SoundSave, BackupStepThenTheFile) {
  test::TempDir d;
  test::ReportScope scope;
  d.write("AUXDATA/sound.bdmv", Bytes{1, 2, 3});
  SaveRequest req;
  req.folder = d.folder() + "AUXDATA/";
  req.name = "sound.bdmv";
  ASSERT_TRUE(saveSound(threeSounds(), req, mirdal::test::testReporter()));
  EXPECT_EQ(d.read("AUXDATA/sound.bdmv"), composeSound(threeSounds()));
  EXPECT_EQ(d.read("AUXDATA/sound.bdmv.backup"), (Bytes{1, 2, 3}));
  EXPECT_EQ(scope.rep.lines().front(), " Saving sound.bdmv");
}

}  // namespace
}  // namespace mirdal
