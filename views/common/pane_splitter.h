// A splitter that reports when its own geometry changed or it was shown,
// after it has laid out its panes, so that a page can apply its pane rules
// on top.
#pragma once

#include <QPainter>
#include <QSplitter>
#include <QSplitterHandle>

namespace mirdal::gui {

// Most styles draw a splitter handle as empty space; this one draws a bar
// across its middle, so that the panes can be seen to be resizable.
class VisibleSplitterHandle : public QSplitterHandle {
 public:
  using QSplitterHandle::QSplitterHandle;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const bool across = orientation() == Qt::Vertical;  // a horizontal bar between panes above each other
    const QRect r = across ? QRect(0, height() / 2 - 1, width(), 2) : QRect(width() / 2 - 1, 0, 2, height());
    p.fillRect(r, palette().color(QPalette::Mid));
    // A grip in the middle.
    const QPoint c = rect().center();
    const QRect grip = across ? QRect(c.x() - 15, c.y() - 2, 30, 4) : QRect(c.x() - 2, c.y() - 15, 4, 30);
    p.fillRect(grip, palette().color(QPalette::Dark));
  }
};

class PaneSplitter : public QSplitter {
  Q_OBJECT
 public:
  PaneSplitter(Qt::Orientation o, const QString& name, QWidget* parent = nullptr) : QSplitter(o, parent) {
    setObjectName(name);
    setChildrenCollapsible(false);
  }

 signals:
  void resized();

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QSplitter::resizeEvent(e);
    emit resized();
  }
  QSplitterHandle* createHandle() override { return new VisibleSplitterHandle(orientation(), this); }
  void showEvent(QShowEvent* e) override {
    QSplitter::showEvent(e);
    emit resized();
  }
};

}  // namespace mirdal::gui
