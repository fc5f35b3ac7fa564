#include "views/common/number_edit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "views/common/key_filter.h"

namespace mirdal::gui {

NumberEdit::NumberEdit(QWidget* parent, int minimum, int maximum)
    : QLineEdit(parent), min_(minimum), max_(maximum) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setValue(minimum);
  connect(this, &QLineEdit::editingFinished, this, &NumberEdit::commit);
  applyColours();
}

int NumberEdit::value() const {
  bool ok = false;
  const qlonglong v = text().toLongLong(&ok);
  if (!ok) return min_;
  return int(std::clamp<qlonglong>(v, min_, max_));
}

void NumberEdit::setValue(int v) { setText(QString::number(std::clamp(v, min_, max_))); }

void NumberEdit::setRange(int minimum, int maximum) {
  min_ = minimum;
  max_ = std::max(minimum, maximum);
  setValue(value());
}

QSize NumberEdit::sizeHint() const {
  const QFontMetrics fm(font());
  QStyleOptionFrame opt;
  opt.initFrom(this);
  const int digits = int(std::max(QString::number(max_).size(), QString::number(min_).size()));
  const QSize content(fm.horizontalAdvance(QString(digits + 1, QLatin1Char('0'))) + 8, fm.height() + 2);
  return style()->sizeFromContents(QStyle::CT_LineEdit, &opt, content, this);
}

void NumberEdit::commit() {
  const int v = value();
  setValue(v);
  emit valueCommitted(v);
}

void NumberEdit::keyPressEvent(QKeyEvent* e) {
  const bool negativeAllowed = min_ < 0;
  const auto allowed = [negativeAllowed](QChar c) { return c.isDigit() || (negativeAllowed && c == u'-'); };
  if (filterKey(e, allowed) == KeyVerdict::Swallow) {
    refuseKey(e);
    return;
  }
  QLineEdit::keyPressEvent(e);
}

void NumberEdit::changeEvent(QEvent* e) {
  QLineEdit::changeEvent(e);
  if (e->type() == QEvent::EnabledChange || e->type() == QEvent::PaletteChange) applyColours();
}

// A disabled field takes the window colour with grey text, so it reads as
// "not in use" rather than as an empty value.
void NumberEdit::applyColours() {
  QPalette p = palette();
  const QColor bg = p.color(QPalette::Active, QPalette::Window);
  const QColor fg = p.color(QPalette::Disabled, QPalette::WindowText);
  if (p.color(QPalette::Disabled, QPalette::Base) == bg &&
      p.color(QPalette::Disabled, QPalette::Text) == fg)
    return;
  p.setColor(QPalette::Disabled, QPalette::Base, bg);
  p.setColor(QPalette::Disabled, QPalette::Text, fg);
  setPalette(p);
}

}  // namespace mirdal::gui
