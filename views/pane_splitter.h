// A splitter that reports when its own geometry changed or it was shown,
// after it has laid out its panes, so that a page can apply its pane rules
// on top.
#pragma once

#include <QSplitter>

namespace mirdal::gui {

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
  void showEvent(QShowEvent* e) override {
    QSplitter::showEvent(e);
    emit resized();
  }
};

}  // namespace mirdal::gui
