// Right-aligned number field with a range (for example "Grid size", 0 to
// 100): digits only, the value clamped into the range when the field is left,
// and a colour of its own while disabled.
#pragma once

#include <QLineEdit>

namespace mirdal::gui {

class NumberEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit NumberEdit(QWidget* parent = nullptr, int minimum = 0, int maximum = 100);

  int value() const;
  void setValue(int v);
  void setRange(int minimum, int maximum);
  int minimum() const { return min_; }
  int maximum() const { return max_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 signals:
  // The value after the field was left or Enter pressed, already clamped.
  void valueCommitted(int value);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void commit();
  void applyColours();
  int min_;
  int max_;
};

}  // namespace mirdal::gui
