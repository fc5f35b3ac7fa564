// The grids of the clip page: a fixed row-number column, then the engine's
// cells (present/clpi_rows.h) as Latin-1 texts.
#pragma once

#include <QStringList>
#include <QStyle>
#include <initializer_list>
#include <string>
#include <vector>

#include "views/common/string_grid.h"
#include "views/common/text.h"

namespace mirdal::gui {

struct ClipColumn {
  const char* header;
  int width;
};

// A grid is as wide as its columns when there is room and narrower, with a
// scroll bar, in a small window; one whose last column fills takes the room
// it is given.
inline void fitClipGrid(StringGrid* g) {
  g->fitColumnsToContents();
  if (g->property("lastColumnFills").toBool()) return;
  int w = 2 * g->frameWidth() + g->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, g);
  for (int c = 0; c < g->columnCount(); ++c) w += g->columnWidth(c);
  g->setMaximumWidth(w);
}

inline StringGrid* clipGrid(const char* name, const QString& hint, std::initializer_list<ClipColumn> columns,
                            QWidget* parent, bool lastColumnFills = false) {
  auto* g = new StringGrid(QString::fromLatin1(name), parent);
  QList<GridColumn> cols;
  for (const ClipColumn& c : columns) cols << GridColumn{QString::fromLatin1(c.header), c.width};
  g->setColumns(cols);
  g->setFixedFirstColumn(true);
  g->setLastColumnFills(lastColumnFills);
  g->setProperty("lastColumnFills", lastColumnFills);
  g->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  g->setMinimumWidth(g->fontMetrics().averageCharWidth() * 12);
  if (!hint.isEmpty()) g->setToolTip(hint);
  fitClipGrid(g);
  return g;
}

inline void setClipRow(StringGrid* g, int row, const QString& number, const std::vector<std::string>& cells) {
  QStringList texts{number};
  for (const std::string& s : cells) texts << discText(s);
  g->setRowTexts(row, texts);
}

}  // namespace mirdal::gui
