#include "core/markup.h"

namespace mirdal {

namespace {

// Applies a tag name to a run; unknown names change nothing.
void applyTag(LogRun& run, std::string_view tag) {
  if (tag == "b") run.bold = true;
  else if (tag == "/b") run.bold = false;
  else if (tag == "i") run.italic = true;
  else if (tag == "/i") run.italic = false;
  else if (tag == "u") run.underline = true;
  else if (tag == "/u") run.underline = false;
  else if (tag == "bl") run.color = LogColor::Blue;
  else if (tag == "gr") run.color = LogColor::Green;
  else if (tag == "re") run.color = LogColor::Red;
  else if (tag == "/re" || tag == "/gr" || tag == "/bl") run.color = LogColor::WindowText;
}

}  // namespace

LogParagraph parseMarkup(std::string_view msg) {
  LogParagraph p;
  p.runs.push_back(LogRun{});
  std::string& out = p.text;
  out.reserve(msg.size() + 1);
  out.push_back(' ');

  std::size_t i = 0;
  while (i < msg.size()) {
    const std::size_t open = msg.find('[', i);
    const std::size_t close = open == std::string_view::npos ? open : msg.find(']', open + 1);
    if (close == std::string_view::npos) {
      // No complete tag left: the rest is literal text.
      out.append(msg.substr(i));
      break;
    }
    out.append(msg.substr(i, open - i));
    // A tag at a later character than the last run's start begins a new run
    // with the same style; tags with nothing between them share one run.
    if (out.size() > p.runs.back().start) {
      LogRun next = p.runs.back();
      next.start = out.size();
      p.runs.push_back(next);
    }
    applyTag(p.runs.back(), msg.substr(open + 1, close - open - 1));
    i = close + 1;
  }
  // A run that starts at the very end styles no character.
  if (p.runs.size() > 1 && p.runs.back().start >= out.size()) p.runs.pop_back();
  return p;
}

std::string stripTags(std::string_view msg) {
  // The same scan as the log, without the leading space.
  return parseMarkup(msg).text.substr(1);
}

}  // namespace mirdal
