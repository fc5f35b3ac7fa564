// Prints log paragraphs as plain lines (bold and colours as ANSI escapes when
// the output is a terminal) and, with --verbose, status-line changes on
// standard error.
#pragma once

#include <cstdio>

#include "core/report.h"

namespace mirdal::cli {

class CliReporter final : public Reporter {
 public:
  CliReporter(std::FILE* out, bool ansi, bool verbose) : out_(out), ansi_(ansi), verbose_(verbose) {}

  void appendParagraph(const LogParagraph& p) override;
  void statusChanged(const StatusLine& s) override;
  void sleepMs(int) override {}  // scripts do not wait for announcements
  void setVerbose(bool on) { verbose_ = on; }

 private:
  std::FILE* out_;
  bool ansi_;
  bool verbose_;
  StatusLine last_;
};

}  // namespace mirdal::cli
