// Small controls made the same way everywhere: named (so tests and scripts
// find them by objectName) and hinted.
#pragma once

#include <QComboBox>
#include <QFont>
#include <QString>
#include <QToolButton>

namespace mirdal::gui {

// A drop-down list as wide as its longest item.
inline QComboBox* namedChoice(const char* name, const QString& hint, QWidget* parent) {
  auto* cb = new QComboBox(parent);
  cb->setObjectName(QString::fromLatin1(name));
  cb->setToolTip(hint);
  // The hint is the only label these choices have: screen readers say it.
  cb->setAccessibleName(hint);
  cb->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  return cb;
}

// The bold "+" and "-" buttons beside the grids.
inline QToolButton* smallButton(const char* name, const QString& caption, const QString& hint,
                                QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setText(caption);
  b->setToolTip(hint);
  QFont f = b->font();
  f.setBold(true);
  b->setFont(f);
  return b;
}

}  // namespace mirdal::gui
