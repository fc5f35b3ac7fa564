// Log markup: tags in square brackets inside message texts ("[b]", "[re]", ...)
// turn into a plain paragraph text plus style runs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mirdal {

enum class LogColor { WindowText, Blue, Green, Red };

// One stretch of a paragraph with a single style; it ends where the next run
// starts (the last one at the end of the paragraph).
struct LogRun {
  std::size_t start = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  LogColor color = LogColor::WindowText;

  bool operator==(const LogRun&) const = default;
};

struct LogParagraph {
  std::string text;          // tags removed, with the leading space
  std::vector<LogRun> runs;  // at least one run, starting at 0
};

// Renders one message: a space is put in front, known tags start or change
// runs, every other bracketed text is dropped. A "[" without a closing "]"
// and a "]" before any "[" stay in the text as they are.
LogParagraph parseMarkup(std::string_view msg);

// The text a message shows on the status line or in its tooltip: every "["
// up to and including the next "]" removed.
std::string stripTags(std::string_view msg);

}  // namespace mirdal
