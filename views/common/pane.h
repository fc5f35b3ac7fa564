// Containers that the page frames expose so that a view class can be placed
// in them later without reshaping the page: an empty widget with a vertical
// layout and no margins.
#pragma once

#include <QGroupBox>
#include <QVBoxLayout>
#include <QWidget>

namespace mirdal::gui {

inline QWidget* makePane(const QString& name, QWidget* parent) {
  auto* w = new QWidget(parent);
  w->setObjectName(name);
  auto* l = new QVBoxLayout(w);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(4);
  return w;
}

// A group box with a caption whose whole inside is one pane.
inline QGroupBox* makeGroup(const QString& name, const QString& caption, QWidget* parent,
                            QWidget** pane, const QString& paneName) {
  auto* g = new QGroupBox(caption, parent);
  g->setObjectName(name);
  auto* l = new QVBoxLayout(g);
  l->setContentsMargins(6, 4, 6, 6);
  *pane = makePane(paneName, g);
  l->addWidget(*pane);
  return g;
}

// Places a view in a pane.
inline void placeInPane(QWidget* pane, QWidget* view) { pane->layout()->addWidget(view); }

}  // namespace mirdal::gui
