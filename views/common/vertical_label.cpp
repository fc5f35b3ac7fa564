#include "views/common/vertical_label.h"

#include <QPainter>

namespace mirdal::gui {

VerticalLabel::VerticalLabel(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
}

void VerticalLabel::setText(const QString& t) {
  if (t == text_) return;
  text_ = t;
  setToolTip(t);
  updateGeometry();
  update();
}

QSize VerticalLabel::sizeHint() const {
  const QFontMetrics fm(font());
  return {fm.height() + 4, fm.horizontalAdvance(text_) + 8};
}

QSize VerticalLabel::minimumSizeHint() const { return {QFontMetrics(font()).height() + 4, 0}; }

void VerticalLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  p.translate(0, height());
  p.rotate(-90);
  // After the rotation the label's height is the line's length.
  p.drawText(QRect(0, 0, height(), width()), Qt::AlignHCenter | Qt::AlignVCenter, text_);
}

}  // namespace mirdal::gui
