// The program's sounds: the system's exclamation sound and short sine tones
// (16-bit, 48 kHz). Without an audio device the tones are silent; that is
// never an error.
#pragma once

#include <QObject>
#include <memory>

class QAudioSink;
class QBuffer;

namespace mirdal::gui {

class Audio : public QObject {
  Q_OBJECT
 public:
  explicit Audio(QObject* parent = nullptr);
  ~Audio() override;

  void exclamation();
  // Starts a tone and returns at once; a new tone replaces one still playing.
  void tone(int hz, int ms);

 private:
  std::unique_ptr<QAudioSink> sink_;
  std::unique_ptr<QBuffer> buffer_;
};

}  // namespace mirdal::gui
