// The engine half of the wave player: a WAV image in memory, read out in
// buffers of about 1/64 second, with play, pause, stop, rewind and
// repetition. The GUI's audio sink pulls its bytes from here; what the
// output device does is not this class's concern.
#pragma once

#include <cstddef>
#include <cstdint>

#include "audio/wav.h"

namespace mirdal {

class WaveSource {
 public:
  enum class State { Stopped, Playing, Paused };

  // Takes a WAV image (any RIFF "WAVE" with a format and a data chunk).
  // False, and nothing to play, when the image has none.
  bool load(Bytes image);
  bool loaded() const { return loaded_; }
  const WavFormat& format() const { return wav_.format; }

  // Bytes of one of the player's 8 buffers: block align × rate / 64,
  // never less than one sample frame.
  std::size_t bufferSize() const;

  // play does nothing while playing and resumes when paused; stop goes back
  // to the data start; pause switches between paused and playing.
  void play(bool repeat = false);
  void stop();
  void pause();
  void rewind() { pos_ = 0; }
  State state() const { return state_; }

  // Copies up to max bytes of samples into out while playing: from the
  // data start again when the data ends and repetition is on. Returns the
  // number of bytes copied; 0 when paused or stopped. When the data ends
  // without repetition the state becomes Stopped.
  std::size_t read(std::uint8_t* out, std::size_t max);

 private:
  Bytes image_;
  WavData wav_;
  bool loaded_ = false;
  bool repeat_ = false;
  std::size_t pos_ = 0;  // in the data chunk
  State state_ = State::Stopped;
};

}  // namespace mirdal
