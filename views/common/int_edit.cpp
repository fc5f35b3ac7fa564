#include "views/common/int_edit.h"

#include <algorithm>

namespace mirdal::gui {

IntEdit::IntEdit(QWidget* parent, int digits) : FilteredEdit(parent, QLatin1Char('0')), digits_(digits) {}

std::int64_t IntEdit::value() const {
  bool ok = false;
  const qlonglong v = text().trimmed().toLongLong(&ok);
  return ok ? v : 0;
}

void IntEdit::setValue(std::int64_t v) {
  QString s = QString::number(v < 0 ? -v : v);
  if (displayDigits_ > 0) s = s.rightJustified(displayDigits_, QLatin1Char('0'));
  setText(v < 0 ? QLatin1Char('-') + s : s);
}

int IntEdit::shownChars() const { return std::max(1, std::min(digits_, maxLength())); }

}  // namespace mirdal::gui
