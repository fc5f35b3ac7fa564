// The reporter of the GUI: log paragraphs go to the message log, status
// changes to the status line (repainted at once, so counters show while a
// loop runs; at most about 60 repaints a second), the progress state to the
// main window, sounds to the audio output, and pumpEvents handles pending
// Qt events.
//
// It also keeps the status line true to the user's actions
// (app/application.h): at the end of an action that logged an error, the
// status line shows that error (or how many there were), even when a later
// message of the same action covered it; an error mark left from an earlier
// action goes as soon as an action does something (logs, or changes a
// file's model) without an error.
#pragma once

#include <QElapsedTimer>
#include <functional>
#include <string>
#include <vector>

#include "app/application.h"
#include "core/report.h"

namespace mirdal::gui {

class Audio;
class Interaction;
class MessageLog;
class StatusBar;

class GuiReporter final : public mirdal::Reporter, public UserActions {
 public:
  // Its pauses go through `pauses` (the user's Interaction).
  GuiReporter(MessageLog& log, StatusBar& status, Audio& audio, Interaction& pauses)
      : log_(log), status_(status), audio_(audio), pauses_(pauses) {}

  void appendParagraph(const mirdal::LogParagraph& p) override;
  void appendErrorParagraph(const mirdal::LogParagraph& p) override;
  void statusChanged(const mirdal::StatusLine& s) override;
  void progressChanged(const mirdal::ProgressState& p) override;
  void exclamation() override;
  void tone(int hz, int ms) override;
  void pumpEvents() override;
  void sleepMs(int ms) override;
  void fileSaved(const std::string& name) override;

  void actionStarted() override;
  void actionEnded() override;
  // A model changed (an edit, Undo, a load): the action did something.
  void noteActivity() { activity_ = true; }

  // Errors logged so far (never reset).
  int errorsLogged() const { return errors_; }
  // The names of the files saved since the last call.
  std::vector<std::string> takeSavedFiles();

  std::function<void(const mirdal::ProgressState&)> onProgress;

 private:
  MessageLog& log_;
  StatusBar& status_;
  Audio& audio_;
  Interaction& pauses_;
  QElapsedTimer sinceRepaint_;
  int errors_ = 0;
  int errorsAtStart_ = 0;
  bool activity_ = false;
  bool markSet_ = false;  // this action showed an error mark
  std::string lastMarked_;
  std::vector<std::string> saved_;
};

}  // namespace mirdal::gui
