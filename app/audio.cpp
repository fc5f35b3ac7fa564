#include "app/audio.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QtEndian>
#include <cmath>
#include <numbers>

namespace mirdal::gui {

namespace {
constexpr int kRate = 48000;
}

Audio::Audio(QObject* parent) : QObject(parent) {}
Audio::~Audio() = default;

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

}  // namespace mirdal::gui
