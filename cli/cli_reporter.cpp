#include "cli/cli_reporter.h"

#include <string>

namespace mirdal::cli {

namespace {

const char* colorCode(LogColor c) {
  switch (c) {
    case LogColor::Blue: return "34";
    case LogColor::Green: return "32";
    case LogColor::Red: return "31";
    case LogColor::WindowText: break;
  }
  return nullptr;
}

std::string escapeFor(const LogRun& r) {
  std::string seq = "\x1b[0";
  if (r.bold) seq += ";1";
  if (r.italic) seq += ";3";
  if (r.underline) seq += ";4";
  if (const char* c = colorCode(r.color)) seq += std::string(";") + c;
  return seq + "m";
}

}  // namespace

void CliReporter::appendParagraph(const LogParagraph& p) {
  if (!ansi_) {
    std::fputs(p.text.c_str(), out_);
  } else {
    for (std::size_t i = 0; i < p.runs.size(); ++i) {
      const std::size_t from = p.runs[i].start;
      const std::size_t to = i + 1 < p.runs.size() ? p.runs[i + 1].start : p.text.size();
      std::fputs(escapeFor(p.runs[i]).c_str(), out_);
      std::fwrite(p.text.data() + from, 1, to - from, out_);
    }
    std::fputs("\x1b[0m", out_);
  }
  std::fputc('\n', out_);
}

void CliReporter::statusChanged(const StatusLine& s) {
  if (!verbose_) return;
  for (int i = 0; i < 2; ++i) {
    if (s.panel[i] != last_.panel[i] && !s.panel[i].empty())
      std::fprintf(stderr, "[status %d]%s%s\n", i, s.errorMark && i == 0 ? " ERROR" : "",
                   s.panel[i].c_str());
  }
  last_ = s;
}

}  // namespace mirdal::cli
