#include "views/int_edit.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include "views/key_filter.h"

namespace mirdal::gui {

TIntEdit::TIntEdit(QWidget* parent, int digits) : QLineEdit(parent), digits_(digits) {}

std::int64_t TIntEdit::value() const {
  bool ok = false;
  const qlonglong v = text().trimmed().toLongLong(&ok);
  return ok ? v : 0;
}

void TIntEdit::setValue(std::int64_t v) {
  QString s = QString::number(v < 0 ? -v : v);
  if (displayDigits_ > 0) s = s.rightJustified(displayDigits_, QLatin1Char('0'));
  setText(v < 0 ? QLatin1Char('-') + s : s);
}

QSize TIntEdit::sizeHint() const {
  const QFontMetrics fm(font());
  QStyleOptionFrame opt;
  opt.initFrom(this);
  const int chars = std::max(1, std::min(digits_, maxLength()));
  const QSize content(fm.horizontalAdvance(QString(chars, QLatin1Char('0'))) + 6, fm.height() + 2);
  return style()->sizeFromContents(QStyle::CT_LineEdit, &opt, content, this);
}

void TIntEdit::keyPressEvent(QKeyEvent* e) {
  const auto allowed = [](QChar c) { return c.isDigit() || c == u'+' || c == u'-'; };
  if (filterKey(e, allowed) == KeyVerdict::Swallow) {
    refuseKey(e);
    return;
  }
  QLineEdit::keyPressEvent(e);
}

}  // namespace mirdal::gui
