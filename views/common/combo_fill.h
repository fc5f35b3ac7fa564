// Filling the choice lists of the editors. Filling and showing a value never
// counts as the user's choice: the models are written only from the
// `activated` signal, and these helpers keep every signal quiet.
#pragma once

#include <QComboBox>
#include <QSignalBlocker>
#include <QStringList>
#include <array>
#include <string>
#include <vector>

#include "views/common/text.h"

namespace mirdal::gui {

// Replaces the items; `current` is selected (-1: nothing shown).
inline void setComboItems(QComboBox* cb, const QStringList& items, int current = -1) {
  const QSignalBlocker quiet(cb);
  cb->clear();
  cb->addItems(items);
  cb->setCurrentIndex(current < cb->count() ? current : -1);
}

// Shows item i (-1 or an index past the list: nothing).
inline void showComboItem(QComboBox* cb, int i) {
  const QSignalBlocker quiet(cb);
  cb->setCurrentIndex(i >= 0 && i < cb->count() ? i : -1);
}

// Keeps the list at n items numbered from 0 ("0", "1", ... or with leading
// zeros to `digits`), leaving the shown item where it is when it still exists.
inline void setNumberItems(QComboBox* cb, int n, int digits = 0) {
  const QSignalBlocker quiet(cb);
  const int shown = cb->currentIndex();
  while (cb->count() > n) cb->removeItem(cb->count() - 1);
  QStringList more;
  for (int i = cb->count(); i < n; ++i) more << QStringLiteral("%1").arg(i, digits, 10, QLatin1Char('0'));
  cb->addItems(more);
  cb->setCurrentIndex(shown < n ? shown : -1);
}

inline QStringList itemTexts(const std::vector<std::string>& names) {
  QStringList out;
  for (const std::string& n : names) out << discText(n);
  return out;
}

template <std::size_t N>
QStringList itemTexts(const std::array<const char*, N>& items) {
  QStringList out;
  for (const char* s : items) out << QString::fromLatin1(s);
  return out;
}

}  // namespace mirdal::gui
