// What the hexadecimal and integer entry fields share: keys outside the
// field's character set are swallowed with the exclamation sound, and the
// field is just wide enough for the characters it shows.
#pragma once

#include <QChar>
#include <QLineEdit>

namespace mirdal::gui {

class FilteredEdit : public QLineEdit {
  Q_OBJECT
 public:
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  FilteredEdit(QWidget* parent, QChar widthSample) : QLineEdit(parent), widthSample_(widthSample) {}

  // Whether c may be typed.
  virtual bool accepts(QChar c) const = 0;
  // How many characters the field is made wide for.
  virtual int shownChars() const = 0;

  void keyPressEvent(QKeyEvent* e) override;

 private:
  QChar widthSample_;
};

}  // namespace mirdal::gui
