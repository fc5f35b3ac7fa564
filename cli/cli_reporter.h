// Prints log paragraphs as plain lines (bold and colours as ANSI escapes when
// the output is a terminal and NO_COLOR is not set), without the leading
// space the log puts in front of every paragraph. Error and warning lines go
// to standard error, so that standard output holds the log alone; with
// --verbose, status-line changes go there too.
#pragma once

#include <cstdio>

#include "core/report.h"

namespace mirdal::cli {

// Whether to print ANSI escapes to `f`: a terminal, and NO_COLOR unset or
// empty.
bool colorsFor(std::FILE* f);

class CliReporter final : public Reporter {
 public:
  // err: where error lines go (out itself when null).
  CliReporter(std::FILE* out, bool ansi, bool verbose, std::FILE* err = nullptr)
      : out_(out), err_(err ? err : out), ansi_(ansi), errAnsi_(err ? colorsFor(err) : ansi), verbose_(verbose) {}

  void appendParagraph(const LogParagraph& p) override;
  void appendErrorParagraph(const LogParagraph& p) override;
  void appendWarningParagraph(const LogParagraph& p) override { appendErrorParagraph(p); }
  void statusChanged(const StatusLine& s) override;
  void sleepMs(int) override {}  // scripts do not wait for announcements
  void setVerbose(bool on) { verbose_ = on; }

 private:
  void print(std::FILE* to, bool ansi, const LogParagraph& p) const;

  std::FILE* out_;
  std::FILE* err_;
  bool ansi_;
  bool errAnsi_;
  bool verbose_;
  StatusLine last_;
};

}  // namespace mirdal::cli
