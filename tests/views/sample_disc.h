// The sample disc of the source tree, copied into a temporary folder so that
// a test can edit and save it; and small helpers to drive the views as a
// user does.
#pragma once

#include <QComboBox>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace mirdal::gui::test {

inline std::filesystem::path sampleDisc() { return std::filesystem::path(MIRDAL_SOURCE_DIR) / "samples/disc/BDMV"; }

// Copies the sample BDMV folder to root/Sample/BDMV and returns the disc
// folder text; empty when the sample disc is missing.
inline std::string copySampleDisc(const mirdal::test::TempDir& root) {
  std::error_code ec;
  if (!std::filesystem::is_directory(sampleDisc(), ec)) return {};
  const auto target = root.mkdir("Sample/BDMV");
  std::filesystem::copy(sampleDisc(), target, std::filesystem::copy_options::recursive, ec);
  return ec ? std::string() : root.folder() + "Sample/BDMV/";
}

// Choosing item i of a combo box as the user does.
inline void choose(QComboBox* cb, int i) {
  cb->setCurrentIndex(i);
  emit cb->activated(i);
}

inline QPoint cellCentre(QTableWidget* g, int row, int column) {
  return g->visualRect(g->model()->index(row, column)).center();
}

inline void clickCell(QTableWidget* g, int row, int column = 1) {
  QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, row, column));
}

// A click, then the double click, as the mouse sends them.
inline void doubleClickCell(QTableWidget* g, int row, int column = 1) {
  QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, row, column));
  QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, row, column));
}

}  // namespace mirdal::gui::test
