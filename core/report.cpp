#include "core/report.h"

#include <thread>

#include "core/time_text.h"

namespace mirdal {

void Reporter::sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void Reporter::log(std::string_view msg) { appendParagraph(parseMarkup(msg)); }

void Reporter::logWithGap(std::string_view msg) {
  log(msg);
  log("");
}

void Reporter::logAndStatus(std::string_view msg) {
  log(msg);
  setStatusPanel(msg, 1);
}

void Reporter::logStep(std::string_view msg) {
  log(msg);
  // Both panels change at once, so publish one state.
  status_.errorMark = false;
  status_.panel[0] = " " + stripTags(msg) + " ";
  status_.panel[1].clear();
  publishStatus();
}

void Reporter::setStatusPanel(std::string_view msg, int panel) {
  panel = panel == 0 ? 0 : 1;
  const std::string plain = stripTags(msg);
  status_.errorMark = false;
  status_.panel[panel] = " " + plain + " ";
  if (panel == 1) status_.hint = plain;
  publishStatus();
}

void Reporter::setStatusReady() {
  status_.errorMark = false;
  status_.panel[0] = " Ready. ";
  status_.panel[1].clear();
  publishStatus();
}

void Reporter::setStatusPanelAndWait(std::string_view msg, int panel) {
  setStatusPanel(msg, panel);
  for (int i = 0; i < actiDelay_; ++i) {
    sleepMs(1);
    pumpEvents();
  }
}

void Reporter::logError(std::string_view msg) {
  std::string line = "[re]ERROR:[/re] [b]";
  line += msg;
  line += "[/b]";
  appendErrorParagraph(parseMarkup(line));
  setStatusError(msg);
  ++errorCount_;
  lastError_ = stripTags(msg);
  exclamation();
}

void Reporter::logWarning(std::string_view msg) {
  std::string line = "[b]Warning:[/b] ";
  line += msg;
  appendWarningParagraph(parseMarkup(line));
}

void Reporter::setStatusError(std::string_view msg) {
  const std::string plain = stripTags(msg);
  status_.errorMark = true;
  status_.panel[1] = " " + plain;
  status_.hint = plain;
  publishStatus();
}

void Reporter::resetErrorCount() {
  errorCount_ = 0;
  lastError_.clear();
}

void Reporter::setStatusStepEnd() {
  if (errorCount_ == 0) {
    setStatusReady();
    return;
  }
  if (errorCount_ == 1) {
    setStatusError(lastError_);
    return;
  }
  setStatusError(std::to_string(errorCount_) + " errors: see Status");
  status_.hint = lastError_;
  publishStatus();
}

void Reporter::startProgress(CancelToken& cancel, bool asksBeforeCancel, std::string_view question) {
  running_ = &cancel;
  confirm_ = asksBeforeCancel;
  question_ = question;
  progress_ = ProgressState{true, 0};
  progressChanged(progress_);
}

void Reporter::endProgress() {
  progress_ = ProgressState{false, 0};
  running_ = nullptr;
  confirm_ = false;
  question_ = kDefaultCancelQuestion;
  progressChanged(progress_);
}

void Reporter::showProgress(std::uint64_t done, std::uint64_t total,
                            std::chrono::steady_clock::time_point start) {
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  const ProgressReport r = progressReport(done, total, elapsed);
  setStatusPanel(r.text, 1);
  progress_.percent = r.percent;
  progressChanged(progress_);
}

bool Reporter::stopRunning() {
  if (!running_) return false;
  running_->request();
  return true;
}

bool Reporter::cancelRunning() {
  const bool stopped = stopRunning();
  logStep("");
  setStatusPanel("Cancelled.", 1);
  return stopped;
}

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

Reporter& reporterOrSilent(Reporter* r) {
  thread_local SilentReporter nobody;
  return r ? *r : nobody;
}

}  // namespace mirdal
