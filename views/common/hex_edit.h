// Hexadecimal entry field: only hexadecimal digits, backspace and Enter can
// be typed (other characters are swallowed with the exclamation sound); the
// value is read from the hexadecimal digits of the text, and a value set is
// shown zero-padded to the field's maximum length.
#pragma once

#include <cstdint>

#include "views/common/filtered_edit.h"

namespace mirdal::gui {

class HexEdit : public FilteredEdit {
  Q_OBJECT
 public:
  explicit HexEdit(QWidget* parent = nullptr, int digits = 8);

  std::uint64_t value() const;
  void setValue(std::uint64_t v);

  // Shows values with lower-case letters (the country code field).
  void setLowerCase(bool on) { lower_ = on; }

 protected:
  bool accepts(QChar c) const override;
  int shownChars() const override { return maxLength(); }

 private:
  bool lower_ = false;
};

// The value of the hexadecimal digits in a text, other characters skipped.
std::uint64_t hexDigitsValue(const QString& text);

}  // namespace mirdal::gui
