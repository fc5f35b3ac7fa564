// The checks a WAV file passes before its sound is inserted, the player's
// reading of a WAV image, and the image of a sound entry.
#include <gtest/gtest.h>

#include "audio/wav.h"
#include "support/sound_files.h"

namespace mirdal {
namespace {

using test::WavShape;

struct CheckCase {
  const char* name;
  Bytes file;
  WavCheck result;
  std::size_t offset = 0;  // Ok: where the samples are
  std::size_t length = 0;
  bool cut = false;
};
void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

WavShape shape(std::uint16_t channels = 1, std::size_t samples = 8) {
  WavShape s;
  s.channels = channels;
  s.samples = test::pattern(samples, 1);
  return s;
}
Bytes wav(WavShape s) { return test::wavFile(s).data(); }
template <class F>
Bytes wavWith(F change) {
  WavShape s = shape();
  change(s);
  return wav(s);
}
Bytes patched(Bytes b, std::size_t at, const char* text) {
  for (std::size_t i = 0; text[i]; ++i) b.at(at + i) = std::uint8_t(text[i]);
  return b;
}
Bytes cut(Bytes b, std::size_t size) {
  b.resize(size);
  return b;
}

class WavCheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(WavCheckTest, RefusesWhatIsNotMonoOrStereo48kHz16BitPcm) {
  const CheckCase& c = GetParam();
  WavData d;
  EXPECT_EQ(checkSoundWav(c.file, d), c.result);
  if (c.result != WavCheck::Ok) return;
  EXPECT_EQ(d.dataOffset, c.offset);
  EXPECT_EQ(d.dataLength, c.length);
  EXPECT_EQ(d.dataCut, c.cut);
  EXPECT_LE(d.dataOffset + d.dataLength, c.file.size());
}

INSTANTIATE_TEST_SUITE_P(
    Files, WavCheckTest,
    ::testing::Values(
        CheckCase{"mono", wav(shape(1)), WavCheck::Ok, 44, 8},
        CheckCase{"stereo", wav(shape(2, 16)), WavCheck::Ok, 44, 16},
        CheckCase{"rate_44100", wavWith([](WavShape& s) { s.rate = 44100; }), WavCheck::FormatError},
        CheckCase{"bits_24", wavWith([](WavShape& s) { s.bits = 24; }), WavCheck::FormatError},
        CheckCase{"bits_8", wavWith([](WavShape& s) { s.bits = 8; }), WavCheck::FormatError},
        CheckCase{"float_format", wavWith([](WavShape& s) { s.formatTag = 3; }), WavCheck::FormatError},
        CheckCase{"extensible_format", wavWith([](WavShape& s) { s.formatTag = 0xFFFE; }), WavCheck::FormatError},
        CheckCase{"not_riff", patched(wav(shape()), 0, "RIFX"), WavCheck::FormatError},
        CheckCase{"not_wave", patched(wav(shape()), 8, "AVI "), WavCheck::FormatError},
        CheckCase{"fmt_not_first", patched(wav(shape()), 12, "JUNK"), WavCheck::FormatError},
        CheckCase{"shorter_than_the_format", cut(wav(shape()), 37), WavCheck::FormatError},
        CheckCase{"empty", {}, WavCheck::FormatError},
        CheckCase{"six_channels", wav(shape(6, 24)), WavCheck::Channels},
        CheckCase{"no_channels", wav(shape(0, 0)), WavCheck::Channels},
        CheckCase{"no_data_chunk", wavWith([](WavShape& s) {
                    s.withData = false;
                    s.extraChunks = {{"LIST", 4}};
                  }),
                  WavCheck::NoData},
        CheckCase{"ends_in_a_chunk_header", cut(wav(shape()), 40), WavCheck::NoData},
        CheckCase{"data_after_a_list_chunk_of_odd_size",
                  wavWith([](WavShape& s) { s.extraChunks = {{"LIST", 5}}; }), WavCheck::Ok, 44 + 14, 8},
        CheckCase{"extended_fmt_chunk", wavWith([](WavShape& s) { s.fmtSize = 18; }), WavCheck::Ok, 46, 8},
        CheckCase{"empty_junk_chunk", wavWith([](WavShape& s) { s.extraChunks = {{"JUNK", 0}}; }), WavCheck::Ok,
                  52, 8},
        CheckCase{"data_claims_more_than_the_file_holds",
                  wavWith([](WavShape& s) { s.claimedDataSize = 0xFFFFFFFF; }), WavCheck::Ok, 44, 8, true}));

// A chunk whose size runs past the end of the file ends the search; it
// never wraps back into the file.
TEST(WavCheck, HugeChunkSizeEndsTheSearch) {
  Bytes file = wav([] {
    WavShape s = shape();
    s.extraChunks = {{"JUNK", 0}};
    return s;
  }());
  for (std::size_t i = 40; i < 44; ++i) file[i] = 0xFF;  // JUNK size 0xFFFFFFFF
  WavData d;
  EXPECT_EQ(checkSoundWav(file, d), WavCheck::NoData);
}

TEST(WavCheck, MessagesOfTheLog) {
  EXPECT_EQ(wavCheckMessage(WavCheck::FormatError), "Wave format error! (Mandatory 48 kHz, 16 bit, PCM)");
  EXPECT_EQ(wavCheckMessage(WavCheck::NoData), "Wave file has no data chunk");
  EXPECT_EQ(wavCheckMessage(WavCheck::Ok), "");
}

TEST(WavImage, StereoHeaderAndSwappedSamplesAsLaidOutByHand) {
  test::ByteBuilder b;
  b.str("RIFF");
  test::le32(b, 36 + 4).str("WAVE").str("fmt ");
  test::le32(b, 16);
  test::le16(b, 1);
  test::le16(b, 2);
  test::le32(b, 48000);
  test::le32(b, 192000);
  test::le16(b, 4);
  test::le16(b, 16);
  b.str("data");
  test::le32(b, 4).bytes({0x02, 0x01, 0x04, 0x03});
  EXPECT_EQ(wavImage(2, Bytes{0x01, 0x02, 0x03, 0x04}), b.data());
}

TEST(WavImage, PlayerFindsTheFormatAndTheSamples) {
  const Bytes image = wavImage(1, Bytes{1, 2, 3, 4, 5, 6});
  WavData d;
  ASSERT_TRUE(findWavData(image, d));
  EXPECT_EQ(d.format.channels, 1);
  EXPECT_EQ(d.format.blockAlign, 2);
  EXPECT_EQ(d.format.sampleRate, 48000u);
  EXPECT_EQ(d.dataOffset, 44u);
  EXPECT_EQ(d.dataLength, 6u);
  EXPECT_FALSE(findWavData(Bytes(image.begin(), image.begin() + 30), d));
  EXPECT_FALSE(findWavData(patched(image, 8, "WAVX"), d));
}

// An odd number of sample bytes gets the RIFF pad byte, counted in the size.
TEST(WavImage, OddDataGetsItsPadByte) {
  const Bytes image = wavImage(1, Bytes{1, 2, 3});
  ASSERT_EQ(image.size(), 44u + 4u);
  EXPECT_EQ(image[4], 40);
  EXPECT_EQ(image[40], 3);  // the data chunk's size is the real one
  EXPECT_EQ(image[44 + 2], 3);
  EXPECT_EQ(image[47], 0);
}

}  // namespace
}  // namespace mirdal
