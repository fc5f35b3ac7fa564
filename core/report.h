// Reporting: the message log, the two-panel status line, the error mark,
// the process-wide error and cancel flags, and the progress line.
//
// Every part of the engine reports through the free functions below; they
// talk to the current Reporter, which the GUI, the command line or a test
// installs. The functions hold the status-line rules; a Reporter only shows
// what it is given.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/markup.h"

namespace mirdal {

// What the status line shows. panel[i] holds the text exactly as it is drawn
// (" " + message + " " after slog); hint is the status line's tooltip.
struct StatusLine {
  std::string panel[2];
  std::string hint;
  bool errorMark = false;  // panel 0 drawn as the red "ERROR" mark, font bold
};

struct ProgressState {
  bool visible = false;
  int percent = 0;
};

class Reporter {
 public:
  virtual ~Reporter() = default;
  virtual void appendParagraph(const LogParagraph& p) = 0;
  // The log line of an erlog; a command line prints it as a diagnostic.
  virtual void appendErrorParagraph(const LogParagraph& p) { appendParagraph(p); }
  // The log line of a warnlog; a command line prints it as a diagnostic too.
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
void log2(std::string_view msg);
void dlog(std::string_view msg);
void dlog0(std::string_view msg);
void slog(std::string_view msg, int panel);
void slogR();
void slogw(std::string_view msg, int panel);
void erlog(std::string_view msg);
void erslog(std::string_view msg);
// A warning: the file was read or written whole, but something in it
// deserves a word (a part kept without being understood, ...). Logged as
// "Warning: " + msg; it neither sets the error flag nor counts as an error,
// and a command that reads a file shows it on standard error.
void warnlog(std::string_view msg);

const StatusLine& statusLine();

// Error flag: set by erlog; the savers clear it before their backup step.
bool errorFlag();
void setErrorFlag(bool on);

// Errors logged by erlog since the last resetErrorCount, and the last one's
// text without tags. A step that logs many lines (a Read) counts its errors
// so that its end does not say "Ready." over them.
int errorCount();
const std::string& lastErrorText();
void resetErrorCount();

// Ends such a step: slogR when no error was logged since resetErrorCount;
// otherwise the error mark stays, with the last error's text (one error) or
// "N errors: see Status" on panel 1 and the last error in the tooltip.
void slogDone();

// Cancel flag, set by the Cancel button and polled by long loops. A cancel
// belongs to the operation it stopped: every cancellable operation starts
// with the flag clear and clears it again when it ends (CancelScope,
// PrBarOn/PrBarOff), so that no later operation finds it set.
bool cancelFlag();
void setCancelFlag(bool on);

// Clears the cancel flag for the lifetime of one cancellable operation.
class CancelScope {
 public:
  CancelScope() { setCancelFlag(false); }
  ~CancelScope() { setCancelFlag(false); }
  CancelScope(const CancelScope&) = delete;
  CancelScope& operator=(const CancelScope&) = delete;
};

// Whether Cancel must ask before setting the flag, and the question it
// asks; chosen by the long operation that runs.
bool confirmCancel();
void setConfirmCancel(bool on);
const std::string& cancelQuestion();

// Activation delay of slogw in milliseconds (the "ActiDelay" option).
int activationDelay();
void setActivationDelay(int ms);

void pumpEvents();
void beepTone(int hz, int ms);

// Long operation with a progress bar. PrBarOn clears the cancel flag and
// sets whether Cancel asks, with the question to ask; PrBarOff clears both.
inline constexpr const char* kDefaultCancelQuestion = "Are you sure to stop?";
void PrBarOn(bool asksBeforeCancel, std::string_view question = kDefaultCancelQuestion);
void PrBarOff();
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

// The confirmed half of the Cancel button: sets the cancel flag, adds an
// empty paragraph, empties both panels and shows "Cancelled.".
void cancelConfirmed();

}  // namespace mirdal
