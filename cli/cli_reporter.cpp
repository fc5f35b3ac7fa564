#include "cli/cli_reporter.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
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

void CliReporter::print(std::FILE* to, bool ansi, const LogParagraph& p) const {
  // The log's leading space sets a paragraph off in the GUI's log; lines
  // on a terminal or in a pipe do without it.
  const std::size_t skip = !p.text.empty() && p.text[0] == ' ' ? 1 : 0;
  if (!ansi) {
    std::fputs(p.text.c_str() + skip, to);
  } else {
    for (std::size_t i = 0; i < p.runs.size(); ++i) {
      const std::size_t from = std::max(p.runs[i].start, skip);
      const std::size_t to_ = i + 1 < p.runs.size() ? p.runs[i + 1].start : p.text.size();
      if (to_ <= from) continue;
      std::fputs(escapeFor(p.runs[i]).c_str(), to);
      std::fwrite(p.text.data() + from, 1, to_ - from, to);
    }
    std::fputs("\x1b[0m", to);
  }
  std::fputc('\n', to);
}

void CliReporter::appendParagraph(const LogParagraph& p) {
  // A reporter of messages on standard error keeps them after the results
  // printed before them.
  if (out_ != stdout) std::fflush(stdout);
  print(out_, ansi_, p);
}

void CliReporter::appendErrorParagraph(const LogParagraph& p) {
  // Keeps the order of the lines when both streams go to one place.
  std::fflush(out_);
  print(err_, errAnsi_, p);
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

bool colorsFor(std::FILE* f) {
  const char* noColor = std::getenv("NO_COLOR");
  return ::isatty(fileno(f)) != 0 && !(noColor && *noColor);
}

}  // namespace mirdal::cli
