// The grids of the clip page: a fixed row-number column, then the engine's
// cells (formats/clpi_rows.h) as Latin-1 texts.
#pragma once

#include <QStringList>
#include <initializer_list>
#include <string>
#include <vector>

#include "views/string_grid.h"
#include "views/text.h"

namespace mirdal::gui {

struct ClipColumn {
  const char* header;
  int width;
};

// A grid exactly as wide as its columns, unless its last column fills the
// room it is given.
inline StringGrid* clipGrid(const char* name, const QString& hint, std::initializer_list<ClipColumn> columns,
                            QWidget* parent, bool lastColumnFills = false) {
  auto* g = new StringGrid(QString::fromLatin1(name), parent);
  QList<GridColumn> cols;
  for (const ClipColumn& c : columns) cols << GridColumn{QString::fromLatin1(c.header), c.width};
  g->setColumns(cols);
  g->setFixedFirstColumn(true);
  if (lastColumnFills) g->setLastColumnFills(true);
  else g->setWidthFollowsColumns(true);
  if (!hint.isEmpty()) g->setToolTip(hint);
  return g;
}

inline void setClipRow(StringGrid* g, int row, const QString& number, const std::vector<std::string>& cells) {
  QStringList texts{number};
  for (const std::string& s : cells) texts << discText(s);
  g->setRowTexts(row, texts);
}

}  // namespace mirdal::gui
