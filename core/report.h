// Reporting: the message log, the two-panel status line, the error mark,
// the error count and the progress line.
//
// A Reporter is one front end's log: the GUI's window, the command line's
// standard error, a test's recorder. Operations that report take one and
// call its members, which hold the status-line rules and keep the state
// (status line, error count, progress) of that reporter only; a front end
// implements the virtual part and shows what it is given.
//
// There is no process-wide reporter: an engine operation that reports
// takes the caller's `Reporter& rep` as a parameter (after its inputs and
// outputs, before any defaulted ones) and passes it on to what it calls; a
// long operation's options struct may carry it instead (`Reporter* report`
// beside its `CancelToken*`), and an object that reports over its life
// (an emulator, a renderer) is given it when made. The GUI's log window and
// the command line's standard error are two such reporters, a test's
// recorder another; scripts/check-layers keeps the engine from calling a
// free log function.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/cancel_token.h"
#include "core/markup.h"

namespace mirdal {

// What the status line shows. panel[i] holds the text exactly as it is drawn
// (" " + message + " " after setStatusPanel); hint is the status line's tooltip.
struct StatusLine {
  std::string panel[2];
  std::string hint;
  bool errorMark = false;  // panel 0 drawn as the red "ERROR" mark, font bold
};

inline constexpr const char* kDefaultCancelQuestion = "Are you sure to stop?";

struct ProgressState {
  bool visible = false;
  int percent = 0;
};

class Reporter {
 public:
  virtual ~Reporter() = default;
  virtual void appendParagraph(const LogParagraph& p) = 0;
  // The log line of an logError; a command line prints it as a diagnostic.
  virtual void appendErrorParagraph(const LogParagraph& p) { appendParagraph(p); }
  // The log line of a logWarning; a command line prints it as a diagnostic too.
  virtual void appendWarningParagraph(const LogParagraph& p) { appendParagraph(p); }
  // Called after every change; a GUI repaints synchronously so that counters
  // show while a loop runs without returning to the event loop.
  virtual void statusChanged(const StatusLine& s) = 0;
  virtual void progressChanged(const ProgressState&) {}
  virtual void exclamation() {}                 // the system's exclamation sound
  virtual void tone(int /*hz*/, int /*ms*/) {}  // a short sine tone
  virtual void pumpEvents() {}                  // handle pending UI events
  virtual void sleepMs(int ms);                 // defaults to a real sleep
  // The save routine wrote a file (its name in its folder).
  virtual void fileSaved(const std::string& /*name*/) {}

  // What operations call. Messages use the markup of markup.h.
  void log(std::string_view msg);
  void logWithGap(std::string_view msg);                   // the line, then an empty one
  void logStep(std::string_view msg);                      // the line, on panel 0 alone
  void logAndStatus(std::string_view msg);                 // the line, also on panel 1
  void logError(std::string_view msg);                     // "ERROR: msg", counted
  void logWarning(std::string_view msg);                   // "Warning: msg", not counted
  void setStatusPanel(std::string_view msg, int panel);
  void setStatusReady();                                   // " Ready. "
  void setStatusError(std::string_view msg);               // the error mark and msg
  // Ends a step: Ready when no error was logged since resetErrorCount;
  // otherwise the error mark stays, with the last error's text (one error)
  // or "N errors: see Status" on panel 1 and the last error in the tooltip.
  void setStatusStepEnd();
  void setStatusPanelAndWait(std::string_view msg, int panel);
  // The wait of setStatusPanelAndWait in milliseconds (the "ActiDelay" option).
  int activationDelay() const { return actiDelay_; }
  void setActivationDelay(int ms) { actiDelay_ = ms < 0 ? 0 : ms; }

  const StatusLine& status() const { return status_; }
  const ProgressState& progress() const { return progress_; }
  // Errors logged since the last resetErrorCount, and the last one's text.
  int errorCount() const { return errorCount_; }
  const std::string& lastErrorText() const { return lastError_; }
  void resetErrorCount();

  // A long operation with a progress bar: Cancel requests `cancel` (asking
  // `question` first when asksBeforeCancel) until endProgress.
  void startProgress(CancelToken& cancel, bool asksBeforeCancel, std::string_view question = kDefaultCancelQuestion);
  void endProgress();
  void showProgress(std::uint64_t done, std::uint64_t total, std::chrono::steady_clock::time_point start);

  // The operation that Cancel stops while it runs, without a progress bar.
  void setRunningOperation(CancelToken* cancel) { running_ = cancel; }
  // Whether Cancel must ask first, and what.
  bool confirmCancel() const { return confirm_ && running_; }
  const std::string& cancelQuestion() const { return question_; }
  // Asks the running operation, if any, to stop; false when nothing runs.
  bool stopRunning();
  // The confirmed Cancel: the running operation, if any, is asked to stop
  // (false when nothing runs), an empty paragraph is added and the status
  // line shows "Cancelled.".
  bool cancelRunning();

 private:
  void publishStatus() { statusChanged(status_); }

  StatusLine status_;
  ProgressState progress_;
  int errorCount_ = 0;
  std::string lastError_;
  CancelToken* running_ = nullptr;
  bool confirm_ = false;
  std::string question_ = kDefaultCancelQuestion;
  int actiDelay_ = 500;
};

// Marks `cancel` as the operation Cancel stops for the life of the scope.
class RunningOperation {
 public:
  RunningOperation(Reporter& r, CancelToken& cancel) : r_(r) { r_.setRunningOperation(&cancel); }
  ~RunningOperation() { r_.setRunningOperation(nullptr); }
  RunningOperation(const RunningOperation&) = delete;
  RunningOperation& operator=(const RunningOperation&) = delete;

 private:
  Reporter& r_;
};

// A reporter that tells nobody: for an operation whose caller wants no
// messages (a trial run, a renderer without a log).
class SilentReporter final : public Reporter {
 public:
  void appendParagraph(const LogParagraph&) override {}
  void statusChanged(const StatusLine&) override {}
  void sleepMs(int) override {}
};

// r, or a silent reporter when r is null: for an operation whose report
// is optional. One per thread, since even a silent reporter keeps a status
// line and counts.
Reporter& reporterOrSilent(Reporter* r);

// Text of one progress report: "Packet: done/total   Elapsed: h:mm:ss
// Remaining: h:mm:ss" and the bar value done*100/total.
struct ProgressReport {
  std::string text;
  int percent = 0;
};
ProgressReport progressReport(std::uint64_t done, std::uint64_t total,
                              std::chrono::milliseconds elapsed);

}  // namespace mirdal
