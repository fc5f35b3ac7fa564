// The program's sounds: the system's exclamation sound, short sine tones
// (16-bit, 48 kHz) and the menu sounds of sound.bdmv. Without an audio device
// nothing is heard; that is never an error (one log line says so, once).
#pragma once

#include <QObject>
#include <cstddef>
#include <memory>

#include "core/fields.h"

class QAudioSink;
class QBuffer;

namespace mirdal {
struct SoundFile;
}

namespace mirdal::gui {

class WaveDevice;

class Audio : public QObject {
  Q_OBJECT
 public:
  explicit Audio(QObject* parent = nullptr);
  ~Audio() override;

  void exclamation();
  // Starts a tone and returns at once; a new tone replaces one still playing.
  void tone(int hz, int ms);

  // Plays entry `index` of a sound file (the sound group's play button and
  // the button sounds of a menu) and returns at once. A new sound replaces
  // one still playing; an index the file does not hold plays nothing.
  void playSound(const mirdal::SoundFile& snd, std::size_t index);
  // Plays a WAV image held in memory (16-bit PCM). False when nothing
  // plays: no audio device, a format the device refuses, or no samples.
  bool playWav(mirdal::Bytes image);
  void stopSound();
  bool soundPlaying() const;

 private:
  bool outputMissing();

  std::unique_ptr<QAudioSink> sink_;
  std::unique_ptr<QBuffer> buffer_;
  // The sound player: the WAV image read out by the sink as it needs it.
  std::unique_ptr<QAudioSink> soundSink_;
  std::unique_ptr<WaveDevice> wave_;
  bool missingLogged_ = false;
};

}  // namespace mirdal::gui
