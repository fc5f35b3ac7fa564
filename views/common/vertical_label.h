// A label written from bottom to top, for the counters beside the grids
// ("12 + 2 titles", "25 objects").
#pragma once

#include <QWidget>

namespace mirdal::gui {

class VerticalLabel : public QWidget {
  Q_OBJECT
 public:
  explicit VerticalLabel(const QString& name, QWidget* parent = nullptr);
  QString text() const { return text_; }
  void setText(const QString& t);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QString text_;
};

}  // namespace mirdal::gui
