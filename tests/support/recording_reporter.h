// A reporter that keeps everything it is told, for assertions.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/report.h"

namespace mirdal::test {

class RecordingReporter : public Reporter {
 public:
  void appendParagraph(const LogParagraph& p) override { paragraphs.push_back(p); }
  void statusChanged(const StatusLine& s) override {
    status = s;
    ++statusUpdates;
  }
  void progressChanged(const ProgressState& p) override { progress = p; }
  void exclamation() override { ++exclamations; }
  void tone(int hz, int ms) override { tones.push_back({hz, ms}); }
  void pumpEvents() override {
    ++pumps;
    if (onPump) onPump();
  }
  void sleepMs(int ms) override { sleptMs += ms; }

  // The log as plain lines (paragraph texts, leading space included).
  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    for (const auto& p : paragraphs) out.push_back(p.text);
    return out;
  }
  // The log as one text, a line per paragraph.
  std::string text() const {
    std::string out;
    for (const auto& p : paragraphs) out += p.text + "\n";
    return out;
  }

  std::vector<LogParagraph> paragraphs;
  StatusLine status;
  int statusUpdates = 0;
  ProgressState progress;
  int exclamations = 0;
  std::vector<std::pair<int, int>> tones;
  int pumps = 0;
  long sleptMs = 0;
  std::function<void()> onPump;
};

// The reporter a test hands to the operations it runs: the one of the
// innermost ScopedTestReporter (a ReportScope's recorder), else one that
// tells nobody. The test harness's own, as the GUI has its log window's.
inline Reporter*& installedTestReporter() {
  static Reporter* installed = nullptr;
  return installed;
}
inline Reporter& testReporter() { return reporterOrSilent(installedTestReporter()); }

class ScopedTestReporter {
 public:
  explicit ScopedTestReporter(Reporter& r) : prev_(installedTestReporter()) { installedTestReporter() = &r; }
  ~ScopedTestReporter() { installedTestReporter() = prev_; }
  ScopedTestReporter(const ScopedTestReporter&) = delete;
  ScopedTestReporter& operator=(const ScopedTestReporter&) = delete;

 private:
  Reporter* prev_;
};

// Installs a fresh recording reporter (no errors counted) for one test.
class ReportScope {
 public:
  ReportScope() : scope_(rep) {}
  RecordingReporter rep;

 private:
  ScopedTestReporter scope_;
};

}  // namespace mirdal::test
