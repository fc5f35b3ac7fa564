// The reporter of the GUI: log paragraphs go to the message log, status
// changes to the status line (repainted at once, so counters show while a
// loop runs; at most about 60 repaints a second), the progress state to the
// main window, sounds to the audio output, and pumpEvents handles pending
// Qt events.
#pragma once

#include <QElapsedTimer>
#include <functional>

#include "core/report.h"

namespace mirdal::gui {

class Audio;
class MessageLog;
class StatusBar;

class GuiReporter final : public mirdal::Reporter {
 public:
  GuiReporter(MessageLog& log, StatusBar& status, Audio& audio) : log_(log), status_(status), audio_(audio) {}

  void appendParagraph(const mirdal::LogParagraph& p) override;
  void statusChanged(const mirdal::StatusLine& s) override;
  void progressChanged(const mirdal::ProgressState& p) override;
  void exclamation() override;
  void tone(int hz, int ms) override;
  void pumpEvents() override;
  void sleepMs(int ms) override;

  std::function<void(const mirdal::ProgressState&)> onProgress;

 private:
  MessageLog& log_;
  StatusBar& status_;
  Audio& audio_;
  QElapsedTimer sinceRepaint_;
};

}  // namespace mirdal::gui
