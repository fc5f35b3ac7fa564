// The "&About" page: a short About text and the change list. The change
// list scrolls by itself under the mouse: each movement over its upper part
// (above half its height minus 25 pixels) scrolls it up one line, over its
// lower part (below half its height plus 25 pixels) down one line; the wheel
// scrolls one line per 60 units (two lines per usual notch).
#pragma once

#include <QPlainTextEdit>
#include <QWidget>

#include "views/common/page_view.h"

class QLabel;

namespace mirdal::gui {

class ChangeList : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit ChangeList(QWidget* parent = nullptr);
  int firstVisibleLine() const;

 protected:
  void mouseMoveEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;

 private:
  void scrollLines(int lines);
  int wheelRest_ = 0;
};

class AboutPage : public QWidget, public PageView {
  Q_OBJECT
 public:
  explicit AboutPage(QWidget* parent = nullptr);
  QLabel* aboutLabel() const { return about_; }
  ChangeList* changeList() const { return changes_; }
  void refresh() override {}

 private:
  QLabel* about_;
  ChangeList* changes_;
};

// The texts shown.
QString aboutText();
QString changeListText();

}  // namespace mirdal::gui
