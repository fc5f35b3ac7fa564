// The shared string grid: empty state, fixed column, edit mode and its
// pop-up, edits reported to the owner, edit masks.
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>

#include "gui_test.h"
#include "views/common/string_grid.h"

namespace mirdal::gui::test {

using Cells = QList<QPair<int, int>>;

namespace {

// A shown grid with a fixed number column and three data columns.
std::unique_ptr<StringGrid> makeGrid(EditModeKind kind, int rows) {
  auto g = std::make_unique<StringGrid>("sgTest");
  g->setColumns({{"", 22}, {"A", 40}, {"B", 40}, {"C", 60}});
  g->setFixedFirstColumn(true);
  g->setMultiRowSelect(true);
  g->setEditModeKind(kind);
  g->setOffersModeMenu(true);
  g->setDataRowCount(rows);
  for (int r = 0; r < rows; ++r)
    g->setRowTexts(r, {QString::number(r), "a" + QString::number(r), "b" + QString::number(r), "c"});
  g->resize(300, 200);
  g->show();
  return g;
}

// The editor that is open now; closed editors are deleted first.
QLineEdit* openEditor(StringGrid& g) {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return g.viewport()->findChild<QLineEdit*>();
}

Cells selectedCells(const StringGrid& g) {
  Cells out;
  for (const QModelIndex& i : g.selectionModel()->selectedIndexes()) out << qMakePair(i.row(), i.column());
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace

class StringGridTest : public QObject {
  Q_OBJECT
 private slots:
  void emptyGridShowsOneBlankDisabledRow() {
    auto g = makeGrid(EditModeKind::EditableOnly, 2);
    QVERIFY(g->isEnabled());
    g->clearGrid();
    QCOMPARE(g->rowCount(), 1);
    QCOMPARE(g->dataRowCount(), 0);
    QVERIFY(!g->isEnabled());
    for (int c = 0; c < g->columnCount(); ++c) QCOMPARE(g->cell(0, c), QString());
    QCOMPARE(g->selectedRowRange(), qMakePair(-1, -1));
    g->setDataRowCount(5);
    QCOMPARE(g->rowCount(), 5);
    QVERIFY(g->isEnabled());
  }

  void headerRowAndFixedColumn() {
    auto g = makeGrid(EditModeKind::EditableOnly, 2);
    QVERIFY(g->horizontalHeader()->isVisible());
    QVERIFY(!g->verticalHeader()->isVisible());
    QCOMPARE(g->horizontalHeaderItem(1)->text(), QString("A"));
    QVERIFY(!(g->item(0, 0)->flags() & Qt::ItemIsSelectable));
    QVERIFY(g->item(0, 1)->flags() & Qt::ItemIsSelectable);
    // Whole-row selection never includes the fixed column.
    g->selectDataRow(1);
    QCOMPARE(selectedCells(*g), (Cells{{1, 1}, {1, 2}, {1, 3}}));
  }

  // Rows added later (a mark inserted at the end) get the fixed column's
  // look and rules too.
  void grownRowsKeepTheFixedColumn() {
    auto g = makeGrid(EditModeKind::EditableOnly, 2);
    g->setDataRowCount(4);
    g->setRowTexts(3, {"3", "a", "b", "c"});
    for (int r : {0, 3}) {
      QVERIFY(!(g->item(r, 0)->flags() & Qt::ItemIsSelectable));
      QCOMPARE(g->item(r, 0)->background().color(), g->palette().color(QPalette::Active, QPalette::Button));
      QCOMPARE(g->item(r, 0)->foreground().color(), g->palette().color(QPalette::Active, QPalette::ButtonText));
    }
  }

  void readOnlyGridOpensNoEditor() {
    auto g = makeGrid(EditModeKind::EditableOnly, 2);
    g->selectDataRow(0);
    QTest::keyClick(g.get(), Qt::Key_F2);
    QTest::keyClicks(g.get(), "x");
    QVERIFY(!openEditor(*g));
  }

  void popupChecksTheGridsStateAndSwitchesIt() {
    auto g = makeGrid(EditModeKind::CellSelect, 2);
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(20, 30), g->mapToGlobal(QPoint(20, 30)));
    QApplication::sendEvent(g->viewport(), &e);
    QMenu* m = g->modeMenu();
    QVERIFY(m->isVisible());
    QVERIFY(g->readOnlyAction()->isChecked());
    QVERIFY(!g->editModeAction()->isChecked());
    QCOMPARE(g->editModeAction()->text(), QString("Edit mode"));
    QCOMPARE(g->readOnlyAction()->text(), QString("Read only"));
    g->editModeAction()->trigger();
    m->close();
    QVERIFY(g->isEditMode());
    QApplication::sendEvent(g->viewport(), &e);
    QVERIFY(g->editModeAction()->isChecked());
    g->readOnlyAction()->trigger();
    m->close();
    QVERIFY(!g->isEditMode());
  }

  void gridWithoutPopupIgnoresRightClick() {
    auto g = makeGrid(EditModeKind::CellSelect, 2);
    g->setOffersModeMenu(false);
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(20, 30), g->mapToGlobal(QPoint(20, 30)));
    QApplication::sendEvent(g->viewport(), &e);
    QVERIFY(!g->modeMenu()->isVisible());
  }

  void editModeSelectionPerKind_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<Cells>("selected");
    QTest::addColumn<bool>("rowsAfterReadOnly");
    QTest::newRow("first column of the selected rows")
        << int(EditModeKind::CellSelectFirstColumn) << Cells{{1, 1}, {2, 1}} << true;
    QTest::newRow("single cell") << int(EditModeKind::CellSelect) << Cells{{1, 1}} << true;
    QTest::newRow("only editable")
        << int(EditModeKind::EditableOnly)
        << Cells{{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}} << true;
  }

  void editModeSelectionPerKind() {
    QFETCH(int, kind);
    QFETCH(Cells, selected);
    QFETCH(bool, rowsAfterReadOnly);
    auto g = makeGrid(EditModeKind(kind), 4);
    g->selectDataRow(1);
    g->selectionModel()->select(QItemSelection(g->model()->index(2, 1), g->model()->index(2, 3)),
                                QItemSelectionModel::Select);
    g->setEditMode(true);
    QCOMPARE(selectedCells(*g), selected);
    const bool cellMode = EditModeKind(kind) != EditModeKind::EditableOnly;
    QCOMPARE(g->selectionBehavior() == QAbstractItemView::SelectItems, cellMode);
    QCOMPARE(openEditor(*g) != nullptr, cellMode);
    g->setEditMode(false);
    QVERIFY(!openEditor(*g) || !openEditor(*g)->isVisible());
    QCOMPARE(g->selectionBehavior() == QAbstractItemView::SelectRows, rowsAfterReadOnly);
    QCOMPARE(g->editTriggers(), QAbstractItemView::NoEditTriggers);
  }

  void typedTextGoesToTheOwnerAndRefusedTextIsShownAgain() {
    auto g = makeGrid(EditModeKind::CellSelectFirstColumn, 3);
    QSignalSpy edited(g.get(), &StringGrid::cellEdited);
    g->selectDataRow(1);
    g->setEditMode(true);
    QLineEdit* ed = openEditor(*g);
    QVERIFY(ed);
    ed->selectAll();
    QTest::keyClicks(ed, "zz");
    QTest::keyClick(ed, Qt::Key_Return);
    QTRY_COMPARE(edited.count(), 1);
    QCOMPARE(edited.at(0).at(0).toInt(), 1);
    QCOMPARE(edited.at(0).at(1).toInt(), 1);
    QCOMPARE(edited.at(0).at(2).toString(), QString("zz"));
    // Nobody stored it: the cell shows its old text.
    QCOMPARE(g->cell(1, 1), QString("a1"));

    // An owner that accepts the value rewrites the cell.
    connect(g.get(), &StringGrid::cellEdited, g.get(),
            [&](int r, int c, const QString& t) { g->setCell(r, c, t.toUpper()); });
    g->setCurrentCell(1, 2);
    ed = openEditor(*g);
    QVERIFY(ed);
    ed->selectAll();
    QTest::keyClicks(ed, "ok");
    QTest::keyClick(ed, Qt::Key_Return);
    QTRY_COMPARE(g->cell(1, 2), QString("OK"));
  }

  void editMasksPerColumnAndPerCell() {
    auto g = makeGrid(EditModeKind::CellSelect, 2);
    g->setColumnEditMask(2, "HHHH");
    g->selectDataRow(0);
    g->setEditMode(true);
    g->setCurrentCell(0, 2);
    QLineEdit* ed = openEditor(*g);
    QVERIFY(ed);
    QCOMPARE(ed->inputMask(), QString("HHHH"));
    g->setEditMaskFn([](int row, int) { return row == 1 ? QString("999") : QString(); });
    QCOMPARE(g->editMask(1, 3), QString("999"));
    QCOMPARE(g->editMask(0, 2), QString());
  }

  void fixedColumnIsNeverEdited() {
    auto g = makeGrid(EditModeKind::EditableOnly, 2);
    g->setEditMode(true);
    g->setCurrentCell(0, 0);
    QTest::keyClick(g->viewport(), Qt::Key_F2);
    QVERIFY(!openEditor(*g));
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::StringGridTest;
MIRDAL_GUI_TEST(StringGridTest)
#include "grid_test.moc"
