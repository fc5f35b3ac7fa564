// The page tabs of the main window, drawn by the program: bold captions on
// the button face colour, dark blue for the active page and grey blue for
// the others, the accelerator letter underlined on inactive tabs, and an
// orange bar across the top of the active tab.
#pragma once

#include <QTabBar>
#include <QTabWidget>

namespace mirdal::gui {

class PageTabBar : public QTabBar {
  Q_OBJECT
 public:
  explicit PageTabBar(QWidget* parent = nullptr);

  static const QColor kActiveText;    // (0, 0, 136)
  static const QColor kInactiveText;  // (102, 102, 153)
  static const QColor kActiveBar;     // (255, 187, 0)

  // The caption without "&" and the position of its accelerator letter
  // (-1 when it has none); "&&" stands for one "&".
  static QString plainCaption(const QString& caption, int* accelerator = nullptr);
  // Where the accelerator letter's line is drawn, for a caption drawn from
  // `top`.
  static int underlineY(const QFontMetrics& fm, int top, QChar letter);

 protected:
  QSize tabSizeHint(int index) const override;
  QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
  void paintEvent(QPaintEvent*) override;

 private:
  QFont captionFont() const;
};

class PageControl : public QTabWidget {
  Q_OBJECT
 public:
  explicit PageControl(QWidget* parent = nullptr);
  PageTabBar* pageTabBar() const;
};

}  // namespace mirdal::gui
