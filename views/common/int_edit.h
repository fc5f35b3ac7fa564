// Integer entry field: only digits, "+", "-", backspace and Enter can be
// typed (other characters are swallowed with the exclamation sound); the
// value is the text as a 64-bit integer, 0 when it is not a number.
#pragma once

#include <cstdint>

#include "views/common/filtered_edit.h"

namespace mirdal::gui {

class IntEdit : public FilteredEdit {
  Q_OBJECT
 public:
  explicit IntEdit(QWidget* parent = nullptr, int digits = 10);

  std::int64_t value() const;
  // Shows the value in decimal, with leading zeros up to the display width
  // when one is set (program line "0012", register number "007").
  void setValue(std::int64_t v);
  void setDisplayDigits(int n) { displayDigits_ = n; }

 protected:
  bool accepts(QChar c) const override { return c.isDigit() || c == u'+' || c == u'-'; }
  int shownChars() const override;

 private:
  int digits_;
  int displayDigits_ = 0;
};

}  // namespace mirdal::gui
