#include "audio/wave_source.h"

#include <algorithm>
#include <cstring>

namespace mirdal {

bool WaveSource::load(Bytes image) {
  stop();
  image_ = std::move(image);
  loaded_ = findWavData(image_, wav_);
  // Whole sample frames only: a device given half a frame would shift the
  // channels of everything after it.
  if (loaded_ && wav_.format.blockAlign > 1) wav_.dataLength -= wav_.dataLength % wav_.format.blockAlign;
  if (!loaded_) image_.clear();
  return loaded_;
}

std::size_t WaveSource::bufferSize() const {
  const std::size_t align = std::max<std::size_t>(wav_.format.blockAlign, 1);
  const std::size_t size = std::size_t(wav_.format.blockAlign) * wav_.format.sampleRate / 64;
  return std::max(size - size % align, align);
}

void WaveSource::play(bool repeat) {
  if (!loaded_ || state_ == State::Playing) return;
  if (state_ == State::Stopped) {
    repeat_ = repeat;
    pos_ = 0;
  }
  state_ = State::Playing;
}

void WaveSource::stop() {
  state_ = State::Stopped;
  pos_ = 0;
}

void WaveSource::pause() {
  if (state_ == State::Playing) state_ = State::Paused;
  else if (state_ == State::Paused) state_ = State::Playing;
}

std::size_t WaveSource::read(std::uint8_t* out, std::size_t max) {
  std::size_t copied = 0;
  while (state_ == State::Playing && copied < max) {
    if (pos_ >= wav_.dataLength) {
      // An empty sound never loops forever.
      if (!repeat_ || wav_.dataLength == 0) {
        stop();
        break;
      }
      pos_ = 0;
    }
    const std::size_t n = std::min(max - copied, wav_.dataLength - pos_);
    std::memcpy(out + copied, image_.data() + wav_.dataOffset + pos_, n);
    pos_ += n;
    copied += n;
  }
  return copied;
}

}  // namespace mirdal
