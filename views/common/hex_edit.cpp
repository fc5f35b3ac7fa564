#include "views/common/hex_edit.h"

namespace mirdal::gui {

namespace {

int hexDigitValue(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  return -1;
}

}  // namespace

std::uint64_t hexDigitsValue(const QString& text) {
  std::uint64_t v = 0;
  for (QChar c : text) {
    const int d = hexDigitValue(c);
    if (d >= 0) v = (v << 4) | std::uint64_t(d);
  }
  return v;
}

HexEdit::HexEdit(QWidget* parent, int digits) : FilteredEdit(parent, QLatin1Char('D')) { setMaxLength(digits); }

std::uint64_t HexEdit::value() const { return hexDigitsValue(text()); }

void HexEdit::setValue(std::uint64_t v) {
  const int n = maxLength();
  QString s = QString::number(v, 16).rightJustified(n, QLatin1Char('0'));
  // A value wider than the field keeps its low digits.
  if (s.size() > n) s = s.right(n);
  setText(lower_ ? s.toLower() : s.toUpper());
}

bool HexEdit::accepts(QChar c) const { return hexDigitValue(c) >= 0; }

}  // namespace mirdal::gui
