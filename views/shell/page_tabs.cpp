#include "views/shell/page_tabs.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

#include "views/common/ui_metrics.h"

namespace mirdal::gui {

const QColor PageTabBar::kActiveText(0, 0, 136);
const QColor PageTabBar::kInactiveText(102, 102, 153);
const QColor PageTabBar::kActiveBar(255, 187, 0);

PageTabBar::PageTabBar(QWidget* parent) : QTabBar(parent) {
  setObjectName("PageTabs");
  setDrawBase(true);
  setExpanding(false);
  setUsesScrollButtons(false);
}

QString PageTabBar::plainCaption(const QString& caption, int* accelerator) {
  QString out;
  int acc = -1;
  for (int i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&' && i + 1 < caption.size()) {
      ++i;
      if (caption[i] != u'&' && acc < 0) acc = int(out.size());
    }
    out += caption[i];
  }
  if (accelerator) *accelerator = acc;
  return out;
}

// One pixel below the baseline; below a letter that reaches lower (the "J"
// of "BD&JO"), one pixel below the letter, or the line would vanish in it.
int PageTabBar::underlineY(const QFontMetrics& fm, int top, QChar letter) {
  const int baseline = top + fm.ascent();
  return std::max(baseline + 1, baseline + fm.boundingRect(letter).bottom() + 2);
}

QFont PageTabBar::captionFont() const {
  QFont f = font();
  f.setBold(true);
  return f;
}

QSize PageTabBar::tabSizeHint(int index) const {
  const QFontMetrics fm(captionFont());
  const int w = fm.horizontalAdvance(plainCaption(tabText(index))) + px(this, 24);
  return {w, fm.height() + px(this, 10)};
}

void PageTabBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFont f = captionFont();
  const QFontMetrics fm(f);
  p.setFont(f);
  const QPalette& pal = palette();
  const int top = px(this, 4);
  for (int i = 0; i < count(); ++i) {
    const bool active = i == currentIndex();
    // Inactive tabs stand 2 pixels lower, so the active one reads as in front.
    QRect r = tabRect(i);
    if (!active) r.adjust(0, 2, 0, 0);
    p.fillRect(r.adjusted(1, 1, -1, 0), pal.color(QPalette::Button));
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(r.left(), r.bottom(), r.left(), r.top());
    p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    p.setPen(pal.color(QPalette::Dark));
    p.drawLine(r.right(), r.top() + 1, r.right(), r.bottom());
    if (active) p.fillRect(QRect(r.left() + 4, r.top(), r.width() - 8, 3), kActiveBar);

    int acc = -1;
    const QString text = plainCaption(tabText(i), &acc);
    const int textW = fm.horizontalAdvance(text);
    const int x = r.left() + (r.width() - textW) / 2;
    const int y = r.top() + top;
    p.setPen(active ? kActiveText : kInactiveText);
    p.drawText(QRect(x, y, textW + 1, fm.height()), Qt::AlignLeft | Qt::AlignTop, text);
    if (!active && acc >= 0) {
      const int ux = x + fm.horizontalAdvance(text.left(acc));
      const int uw = fm.horizontalAdvance(text.mid(acc, 1));
      p.drawLine(ux, underlineY(fm, y, text.at(acc)), ux + uw - 1, underlineY(fm, y, text.at(acc)));
    }
  }
}

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
  setObjectName("PageControl");
  setTabBar(new PageTabBar(this));
}

PageTabBar* PageControl::pageTabBar() const { return static_cast<PageTabBar*>(tabBar()); }

}  // namespace mirdal::gui
