#include "nav/command_paint.h"

namespace mirdal {

bool fixedRgb(PaintColor c, Rgb& out) {
  switch (c) {
    case PaintColor::Red: out = {255, 0, 0}; return true;
    case PaintColor::Orange: out = {255, 170, 0}; return true;
    case PaintColor::Blue: out = {0, 0, 255}; return true;
    case PaintColor::Grey: out = {160, 160, 164}; return true;
    case PaintColor::DarkGreen: out = {0, 128, 0}; return true;
    default: return false;
  }
}

namespace {

std::string_view trimSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

CellPaint paintCommandCell(std::string_view text, std::string_view rowLine, const CellState& st) {
  CellPaint p;
  if (st.fixed) {
    p.background = PaintColor::FixedBackground;
    p.text = PaintColor::WindowText;
  } else {
    const bool invalid = !rowLine.empty() && rowLine.front() == '!';
    const bool forbidden = !rowLine.empty() && rowLine.front() == '*';
    if (invalid || forbidden) {
      const PaintColor mark = invalid ? PaintColor::Red : PaintColor::Orange;
      p.bold = st.column == 4;
      p.background = st.selected ? mark : PaintColor::GridBackground;
      p.text = st.selected ? PaintColor::HighlightText : mark;
    } else if (st.selected) {
      p.background = PaintColor::Highlight;
      p.text = PaintColor::HighlightText;
      p.bold = st.column == 4;
    } else {
      p.background = PaintColor::GridBackground;
      if (st.column == 1) p.text = PaintColor::Blue;
      else if (st.column == 2 || st.column == 3)
        p.text = text.find(' ') != std::string_view::npos ? PaintColor::Blue : PaintColor::Grey;
      else p.text = PaintColor::WindowText;
    }
  }

  const std::size_t semi = text.find(';');
  if (semi == std::string_view::npos) {
    p.plain = trimSpaces(text);
    return p;
  }
  // The comment starts with the character before the ";" (a space in every
  // command line), so the italic part keeps its gap to the command.
  const std::size_t cut = semi > 0 ? semi - 1 : 0;
  p.plain = text.substr(0, cut);
  p.comment = text.substr(cut);
  p.commentColor = (st.selected || st.focused || st.fixed) ? p.text : PaintColor::DarkGreen;
  return p;
}

}  // namespace mirdal
