// The engine's grid texts (column headers and widths, row cells) in a
// StringGrid.
#pragma once

#include <QStringList>
#include <array>
#include <string>

#include "core/display_text.h"
#include "views/common/string_grid.h"
#include "views/common/text.h"

namespace mirdal::gui {

template <std::size_t N>
QList<GridColumn> gridColumns(const std::array<mirdal::GridColumn, N>& columns) {
  QList<GridColumn> out;
  for (const auto& c : columns) out << GridColumn{QString::fromLatin1(c.header), c.width};
  return out;
}

template <std::size_t N>
QStringList rowTexts(const std::array<std::string, N>& cells) {
  QStringList out;
  for (const std::string& s : cells) out << discText(s);
  return out;
}

template <std::size_t N>
void setGridRow(StringGrid* g, int row, const std::array<std::string, N>& cells) {
  g->setRowTexts(row, rowTexts(cells));
}

}  // namespace mirdal::gui
