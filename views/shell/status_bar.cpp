#include "views/shell/status_bar.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

#include "views/common/text.h"
#include "views/common/ui_metrics.h"

namespace mirdal::gui {

namespace {
const QColor kMarkBackground(255, 0, 0);
const QColor kMarkText(255, 255, 0);
}  // namespace

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {
  setObjectName("StatusBar");
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  width_[0] = px(this, 100);
  width_[1] = px(this, 850);
}

int StatusBar::textWidth(const QString& t) const {
  return QFontMetrics(font()).horizontalAdvance(t + QLatin1Char('m'));
}

void StatusBar::setStatus(const mirdal::StatusLine& s) {
  text_[0] = messageText(s.panel[0]);
  text_[1] = messageText(s.panel[1]);
  setToolTip(messageText(s.hint));
  if (errorMark_ != s.errorMark) {
    errorMark_ = s.errorMark;
    QFont f = font();
    f.setBold(errorMark_);
    setFont(f);  // the widths follow in changeEvent
  }
  updateWidths();
  update();
}

void StatusBar::updateWidths() {
  if (errorMark_) {
    // Wide enough for "ERROR" at 10 pixels from the left, whatever the font.
    width_[0] = std::max(px(this, 55), QFontMetrics(font()).horizontalAdvance(QStringLiteral("ERROR")) + 20);
  } else {
    width_[0] = textWidth(text_[0]);
  }
  width_[1] = textWidth(text_[1]);
}

QSize StatusBar::sizeHint() const {
  return {width_[0] + width_[1], QFontMetrics(font()).height() + 8};
}

QSize StatusBar::minimumSizeHint() const { return {0, sizeHint().height()}; }

void StatusBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int h = height();
  const QRect r0(0, 0, std::min(width_[0], width()), h);
  const QRect r1(r0.right() + 3, 0, std::max(0, width() - r0.width() - 3), h);
  for (const QRect& r : {r0, r1}) {
    QStyleOptionFrame opt;
    opt.initFrom(this);
    opt.rect = r;
    opt.lineWidth = 1;
    opt.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_Frame, &opt, &p, this);
  }
  p.setPen(palette().color(QPalette::WindowText));
  const int textTop = (h - QFontMetrics(font()).height()) / 2;
  if (errorMark_) {
    p.fillRect(r0.adjusted(1, 1, -1, -1), kMarkBackground);
    p.setPen(kMarkText);
    p.drawText(QRect(r0.left() + 10, textTop, r0.width() - 10, h - textTop), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("ERROR"));
    p.setPen(palette().color(QPalette::WindowText));
  } else {
    p.drawText(r0.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, text_[0]);
  }
  p.setClipRect(r1.adjusted(1, 1, -1, -1));
  p.drawText(r1.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, text_[1]);
}

void StatusBar::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::FontChange) {
    updateWidths();
    updateGeometry();
  }
}

}  // namespace mirdal::gui
