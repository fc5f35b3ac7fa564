// Reporting: the message log, the two-panel status line, the error mark,
// the error count and the progress line.
//
// A Reporter is one front end's log: the GUI's window, the command line's
// standard error, a test's recorder. Operations that report take one and
// call its members, which hold the status-line rules and keep the state
// (status line, error count, progress) of that reporter only; a front end
// implements the virtual part and shows what it is given. The free
// functions below are the default path of code not yet handed a reporter:
// they talk to the installed one.
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
  void setStatusStepEnd();                                 // setStatusStepEnd's rule
  void setStatusPanelAndWait(std::string_view msg, int panel);

  const StatusLine& status() const { return status_; }
  const ProgressState& progress() const { return progress_; }
  // Errors logged since the last resetErrorCount, and the last one's text.
  int errorCount() const { return errorCount_; }
  const std::string& lastErrorText() const { return lastError_; }
  void resetErrorCount();

  // A long operation with a progress bar: Cancel requests `cancel` (asking
  // `question` first when asksBeforeCancel) until endProgress.
  void startProgress(CancelToken& cancel, bool asksBeforeCancel, std::string_view question);
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

// The reporter in use; a silent one when none is installed. Installing
// returns the previous one so that scopes can restore it.
Reporter& reporter();
Reporter* setReporter(Reporter* r);

class ScopedReporter {
 public:
  explicit ScopedReporter(Reporter& r) : prev_(setReporter(&r)) {}
  ~ScopedReporter() { setReporter(prev_); }
  ScopedReporter(const ScopedReporter&) = delete;
  ScopedReporter& operator=(const ScopedReporter&) = delete;

 private:
  Reporter* prev_;
};

// Log calls. Messages use the markup of markup.h.
void log(std::string_view msg);
void logWithGap(std::string_view msg);
void logAndStatus(std::string_view msg);
void logStep(std::string_view msg);
void setStatusPanel(std::string_view msg, int panel);
void setStatusReady();
void setStatusPanelAndWait(std::string_view msg, int panel);
void logError(std::string_view msg);
void setStatusError(std::string_view msg);
// A warning: the file was read or written whole, but something in it
// deserves a word (a part kept without being understood, ...). Logged as
// "Warning: " + msg; it does not count as an error,
// and a command that reads a file shows it on standard error.
void logWarning(std::string_view msg);

const StatusLine& statusLine();

// Errors logged by logError since the last resetErrorCount, and the last one's
// text without tags. A step that logs many lines (a Read) counts its errors
// so that its end does not say "Ready." over them.
int errorCount();
const std::string& lastErrorText();
void resetErrorCount();

// Ends such a step: setStatusReady when no error was logged since resetErrorCount;
// otherwise the error mark stays, with the last error's text (one error) or
// "N errors: see Status" on panel 1 and the last error in the tooltip.
void setStatusStepEnd();

// Activation delay of setStatusPanelAndWait in milliseconds (the "ActiDelay" option).
int activationDelay();
void setActivationDelay(int ms);

void pumpEvents();
void beepTone(int hz, int ms);

// Whether Cancel must ask before stopping the running operation, and the
// question it asks (the installed reporter's).
bool confirmCancel();
const std::string& cancelQuestion();

// Long operation with a progress bar on the installed reporter (its
// startProgress / endProgress).
void startProgress(CancelToken& cancel, bool asksBeforeCancel, std::string_view question = kDefaultCancelQuestion);
void endProgress();
const ProgressState& progressState();

// Text of one progress report: "Packet: done/total   Elapsed: h:mm:ss
// Remaining: h:mm:ss" and the bar value done*100/total.
struct ProgressReport {
  std::string text;
  int percent = 0;
};
ProgressReport progressReport(std::uint64_t done, std::uint64_t total,
                              std::chrono::milliseconds elapsed);

// Shows a progress report on panel 1 and the bar.
void showProgress(std::uint64_t done, std::uint64_t total,
                  std::chrono::steady_clock::time_point start);

// The confirmed half of the Cancel button on the installed reporter
// (Reporter::cancelRunning).
bool cancelConfirmed();

}  // namespace mirdal
