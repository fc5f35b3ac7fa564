#include "app/audio.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QIODevice>
#include <QMediaDevices>
#include <QtEndian>
#include <cmath>
#include <numbers>

#include "audio/sound_wav.h"
#include "audio/wave_source.h"
#include "core/report.h"
#include "formats/sound/sound_bdmv.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {
constexpr int kRate = 48000;
}

// The sink's side of the wave player: it pulls the samples of a WAV image
// through a read-only, sequential device; the data's end is the device's end.
class WaveDevice : public QIODevice {
 public:
  bool load(mirdal::Bytes image) { return source_.load(std::move(image)); }
  const mirdal::WavFormat& format() const { return source_.format(); }
  void start() {
    source_.play(false);
    open(QIODevice::ReadOnly);
  }

  bool isSequential() const override { return true; }
  bool atEnd() const override { return source_.state() == mirdal::WaveSource::State::Stopped; }

 protected:
  qint64 readData(char* data, qint64 maxSize) override {
    if (maxSize <= 0) return 0;
    return qint64(source_.read(reinterpret_cast<std::uint8_t*>(data), std::size_t(maxSize)));
  }
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  mirdal::WaveSource source_;
};

Audio::Audio(QObject* parent) : QObject(parent) {}

Audio::~Audio() {
  // The sinks stop before the devices they read from go.
  if (soundSink_) soundSink_->stop();
  if (sink_) sink_->stop();
}

void Audio::exclamation() { QApplication::beep(); }

void Audio::tone(int hz, int ms) {
  if (hz <= 0 || ms <= 0) return;
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) return;
  QAudioFormat format;
  format.setSampleRate(kRate);
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  if (!device.isFormatSupported(format)) return;

  const int samples = kRate * ms / 1000;
  QByteArray pcm(samples * 2, Qt::Uninitialized);
  auto* out = reinterpret_cast<qint16*>(pcm.data());
  for (int i = 0; i < samples; ++i)
    out[i] = qint16(12000 * std::sin(2 * std::numbers::pi * hz * i / kRate));

  if (sink_) sink_->stop();
  buffer_ = std::make_unique<QBuffer>();
  buffer_->setData(pcm);
  buffer_->open(QIODevice::ReadOnly);
  sink_ = std::make_unique<QAudioSink>(device, format);
  sink_->start(buffer_.get());
}

// A machine without sound output (a server, a test run) is normal: the
// first sound that cannot play says why, later ones stay quiet.
bool Audio::outputMissing() {
  if (!QMediaDevices::defaultAudioOutput().isNull()) return false;
  if (!missingLogged_) {
    missingLogged_ = true;
    guiReporter().log("No audio output device: sounds are not played.");
  }
  return true;
}

void Audio::playSound(const mirdal::SoundFile& snd, std::size_t index) {
  if (index >= snd.entries.size()) return;
  playWav(mirdal::mkWav(snd, index));
}

bool Audio::playWav(mirdal::Bytes image) {
  stopSound();
  if (outputMissing()) return false;
  auto wave = std::make_unique<WaveDevice>();
  if (!wave->load(std::move(image))) return false;
  const mirdal::WavFormat& wf = wave->format();
  QAudioFormat format;
  format.setSampleRate(int(wf.sampleRate));
  format.setChannelCount(wf.channels);
  format.setSampleFormat(QAudioFormat::Int16);
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (wf.formatTag != 1 || wf.bitsPerSample != 16 || !device.isFormatSupported(format)) {
    guiReporter().log("The audio output cannot play this sound (" + std::to_string(wf.channels) + " channels, " +
                std::to_string(wf.sampleRate) + " Hz, " + std::to_string(wf.bitsPerSample) + " bits).");
    return false;
  }
  wave_ = std::move(wave);
  wave_->start();
  soundSink_ = std::make_unique<QAudioSink>(device, format);
  // The data ran out: the sink goes idle and is stopped, which frees the
  // device for the next sound.
  connect(soundSink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State s) {
    if (s == QAudio::IdleState && wave_ && wave_->atEnd() && soundSink_) soundSink_->stop();
  });
  soundSink_->start(wave_.get());
  return true;
}

void Audio::stopSound() {
  if (soundSink_) {
    soundSink_->disconnect(this);
    soundSink_->stop();
  }
  soundSink_.reset();
  wave_.reset();
}

bool Audio::soundPlaying() const { return soundSink_ && soundSink_->state() == QAudio::ActiveState; }

}  // namespace mirdal::gui
