#include "views/hex_edit.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include "views/key_filter.h"

namespace mirdal::gui {

namespace {

int hexValue(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  return -1;
}

// A line edit just wide enough for n characters like `sample`.
QSize editSizeFor(const QLineEdit* e, int chars, QChar sample) {
  const QFontMetrics fm(e->font());
  QStyleOptionFrame opt;
  opt.initFrom(e);
  const QSize content(fm.horizontalAdvance(QString(chars, sample)) + 6, fm.height() + 2);
  return e->style()->sizeFromContents(QStyle::CT_LineEdit, &opt, content, e);
}

}  // namespace

std::uint64_t hexDigitsValue(const QString& text) {
  std::uint64_t v = 0;
  for (QChar c : text) {
    const int d = hexValue(c);
    if (d >= 0) v = (v << 4) | std::uint64_t(d);
  }
  return v;
}

THexEdit::THexEdit(QWidget* parent, int digits) : QLineEdit(parent) { setMaxLength(digits); }

std::uint64_t THexEdit::value() const { return hexDigitsValue(text()); }

void THexEdit::setValue(std::uint64_t v) {
  const int n = maxLength();
  QString s = QString::number(v, 16).rightJustified(n, QLatin1Char('0'));
  // A value wider than the field keeps its low digits.
  if (s.size() > n) s = s.right(n);
  setText(lower_ ? s.toLower() : s.toUpper());
}

QSize THexEdit::sizeHint() const { return editSizeFor(this, maxLength(), QLatin1Char('D')); }

void THexEdit::keyPressEvent(QKeyEvent* e) {
  if (filterKey(e, [](QChar c) { return hexValue(c) >= 0; }) == KeyVerdict::Swallow) {
    refuseKey(e);
    return;
  }
  QLineEdit::keyPressEvent(e);
}

}  // namespace mirdal::gui
