// Texts of the clip page that follow the desktop's locale.
#pragma once

#include <QLocale>

namespace mirdal::gui {

// The locale's thousands separator when it is one Latin-1 character (the
// engine's texts are bytes), else ",".
inline char thousandsSeparator() {
  const QString s = QLocale().groupSeparator();
  if (s.size() == 1 && s.at(0).unicode() > 0 && s.at(0).unicode() < 0x100) return char(s.at(0).unicode());
  return ',';
}

}  // namespace mirdal::gui
