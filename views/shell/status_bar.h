// The two-panel status line at the bottom of the main window.
//
// Panel 0 shows the program state ("Ready.", the step being done) or the
// error mark: a red panel with "ERROR" in yellow, narrowed, while the whole
// status line turns bold. Panel 1 shows the current detail message; the
// status line's tooltip holds the last panel-1 message in full. Each panel is
// as wide as its text followed by the letter "m".
#pragma once

#include <QWidget>

#include "core/report.h"

namespace mirdal::gui {

class StatusBar : public QWidget {
  Q_OBJECT
 public:
  explicit StatusBar(QWidget* parent = nullptr);

  void setStatus(const mirdal::StatusLine& s);

  QString panelText(int panel) const { return text_[panel == 0 ? 0 : 1]; }
  int panelWidth(int panel) const { return width_[panel == 0 ? 0 : 1]; }
  bool errorMark() const { return errorMark_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent*) override;
  void changeEvent(QEvent* e) override;

 private:
  int textWidth(const QString& t) const;
  void updateWidths();

  QString text_[2];
  int width_[2];
  bool errorMark_ = false;
};

}  // namespace mirdal::gui
