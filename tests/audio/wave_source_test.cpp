// The player's reading of a WAV image: buffer size, the end of the data,
// repetition, pause and stop.
#include <gtest/gtest.h>

#include "audio/wave_source.h"

namespace mirdal {
namespace {

Bytes readAll(WaveSource& s, std::size_t chunk, std::size_t limit = 1000) {
  Bytes out;
  std::vector<std::uint8_t> buf(chunk);
  while (out.size() < limit) {
    const std::size_t n = s.read(buf.data(), chunk);
    if (n == 0) break;
    out.insert(out.end(), buf.begin(), buf.begin() + std::ptrdiff_t(n));
  }
  return out;
}

TEST(WaveSource, PlaysTheSamplesOnceThenStops) {
  WaveSource s;
  ASSERT_TRUE(s.load(wavImage(2, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9})));  // 2 frames and half of one
  EXPECT_EQ(s.bufferSize(), 3000u);
  s.play();
  EXPECT_EQ(readAll(s, 3), (Bytes{1, 0, 3, 2, 5, 4, 7, 6}));
  EXPECT_EQ(s.state(), WaveSource::State::Stopped);
}

TEST(WaveSource, RepetitionPauseAndStop) {
  WaveSource s;
  ASSERT_TRUE(s.load(wavImage(1, {0, 1, 2, 3})));
  EXPECT_EQ(s.bufferSize(), 1500u);
  s.play(true);
  EXPECT_EQ(readAll(s, 3, 10), (Bytes{1, 0, 3, 2, 1, 0, 3, 2, 1, 0, 3, 2}));
  s.pause();
  std::uint8_t b[4];
  EXPECT_EQ(s.read(b, 4), 0u);
  s.play();  // resumes where it was
  EXPECT_EQ(s.state(), WaveSource::State::Playing);
  ASSERT_EQ(s.read(b, 1), 1u);
  s.stop();
  EXPECT_EQ(s.read(b, 4), 0u);
  s.play();  // from the start, without repetition now
  EXPECT_EQ(readAll(s, 4), (Bytes{1, 0, 3, 2}));
}

TEST(WaveSource, NothingToPlay) {
  WaveSource s;
  EXPECT_FALSE(s.load(Bytes{'R', 'I', 'F', 'F'}));
  s.play();
  EXPECT_EQ(s.state(), WaveSource::State::Stopped);
  ASSERT_TRUE(s.load(wavImage(1, {})));
  s.play(true);  // an empty sound ends, even with repetition
  std::uint8_t b[4];
  EXPECT_EQ(s.read(b, 4), 0u);
  EXPECT_EQ(s.state(), WaveSource::State::Stopped);
}

}  // namespace
}  // namespace mirdal
