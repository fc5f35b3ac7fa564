#include "core/report.h"

#include <thread>

#include "core/time_text.h"

namespace mirdal {

namespace {

class SilentReporter final : public Reporter {
 public:
  void appendParagraph(const LogParagraph&) override {}
  void statusChanged(const StatusLine&) override {}
  void sleepMs(int) override {}
};

SilentReporter silent;
Reporter* current = &silent;

StatusLine status;
ProgressState progress;
bool errorOn = false;
int errorsLogged = 0;
std::string lastError;
bool cancelOn = false;
bool confirmOn = false;
std::string confirmQuestion = kDefaultCancelQuestion;
int actiDelay = 500;

void publishStatus() { current->statusChanged(status); }

}  // namespace

void Reporter::sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

Reporter& reporter() { return *current; }

Reporter* setReporter(Reporter* r) {
  Reporter* prev = current;
  current = r ? r : &silent;
  return prev == &silent ? nullptr : prev;
}

void log(std::string_view msg) { current->appendParagraph(parseMarkup(msg)); }

void log2(std::string_view msg) {
  log(msg);
  log("");
}

void dlog(std::string_view msg) {
  log(msg);
  slog(msg, 1);
}

void dlog0(std::string_view msg) {
  log(msg);
  // Both panels change at once, so publish one state.
  status.errorMark = false;
  status.panel[0] = " " + stripTags(msg) + " ";
  status.panel[1].clear();
  publishStatus();
}

void slog(std::string_view msg, int panel) {
  panel = panel == 0 ? 0 : 1;
  const std::string plain = stripTags(msg);
  status.errorMark = false;
  status.panel[panel] = " " + plain + " ";
  if (panel == 1) status.hint = plain;
  publishStatus();
}

void slogR() {
  status.errorMark = false;
  status.panel[0] = " Ready. ";
  status.panel[1].clear();
  publishStatus();
}

void slogw(std::string_view msg, int panel) {
  slog(msg, panel);
  for (int i = 0; i < actiDelay; ++i) {
    current->sleepMs(1);
    current->pumpEvents();
  }
}

void erlog(std::string_view msg) {
  std::string line = "[re]ERROR:[/re] [b]";
  line += msg;
  line += "[/b]";
  current->appendErrorParagraph(parseMarkup(line));
  erslog(msg);
  errorOn = true;
  ++errorsLogged;
  lastError = stripTags(msg);
  current->exclamation();
}

void warnlog(std::string_view msg) {
  std::string line = "[b]Warning:[/b] ";
  line += msg;
  current->appendWarningParagraph(parseMarkup(line));
}

void erslog(std::string_view msg) {
  const std::string plain = stripTags(msg);
  status.errorMark = true;
  status.panel[1] = " " + plain;
  status.hint = plain;
  publishStatus();
}

const StatusLine& statusLine() { return status; }

int errorCount() { return errorsLogged; }
const std::string& lastErrorText() { return lastError; }
void resetErrorCount() {
  errorsLogged = 0;
  lastError.clear();
}

void slogDone() {
  if (errorsLogged == 0) {
    slogR();
    return;
  }
  if (errorsLogged == 1) {
    erslog(lastError);
    return;
  }
  erslog(std::to_string(errorsLogged) + " errors: see Status");
  status.hint = lastError;
  publishStatus();
}

bool errorFlag() { return errorOn; }
void setErrorFlag(bool on) { errorOn = on; }
bool cancelFlag() { return cancelOn; }
void setCancelFlag(bool on) { cancelOn = on; }
bool confirmCancel() { return confirmOn; }
void setConfirmCancel(bool on) { confirmOn = on; }
const std::string& cancelQuestion() { return confirmQuestion; }
int activationDelay() { return actiDelay; }
void setActivationDelay(int ms) { actiDelay = ms < 0 ? 0 : ms; }

void pumpEvents() { current->pumpEvents(); }
void beepTone(int hz, int ms) { current->tone(hz, ms); }

void PrBarOn(bool asksBeforeCancel, std::string_view question) {
  cancelOn = false;
  confirmOn = asksBeforeCancel;
  confirmQuestion = question;
  progress = ProgressState{true, 0};
  current->progressChanged(progress);
}

void PrBarOff() {
  progress = ProgressState{false, 0};
  // The operation is over: a Cancel it took must not stop the next one.
  cancelOn = false;
  confirmOn = false;
  confirmQuestion = kDefaultCancelQuestion;
  current->progressChanged(progress);
}

const ProgressState& progressState() { return progress; }

ProgressReport progressReport(std::uint64_t done, std::uint64_t total,
                              std::chrono::milliseconds elapsed) {
  using std::chrono::milliseconds;
  const std::uint64_t el = std::uint64_t(elapsed.count() < 0 ? 0 : elapsed.count());
  // Before anything is done there is nothing to extrapolate from.
  std::uint64_t remaining = 0;
  if (done > 0) {
    const long double est = (long double)el * total / done;
    const long double rest = est > el ? est - el : 0;
    remaining = std::uint64_t(rest) + 1000;
  }
  ProgressReport r;
  r.text = "Packet: " + std::to_string(done) + "/" + std::to_string(total) +
           "   Elapsed: " + clockText(el / 1000) + "   Remaining: " + clockText(remaining / 1000);
  r.percent = total ? int(done * 100 / total) : 0;
  return r;
}

void showProgress(std::uint64_t done, std::uint64_t total,
                  std::chrono::steady_clock::time_point start) {
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  const ProgressReport r = progressReport(done, total, elapsed);
  slog(r.text, 1);
  progress.percent = r.percent;
  current->progressChanged(progress);
}

void cancelConfirmed() {
  cancelOn = true;
  dlog0("");
  slog("Cancelled.", 1);
}

}  // namespace mirdal
