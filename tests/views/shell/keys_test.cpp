// Keys that work wherever the focus is: Undo and Redo (Ctrl+Z; Ctrl+Y)
// after an edit stored from a grid cell or a field (the field keeps them only
// while it is being typed in), each Undo showing the page and the row it
// changed; Ctrl+Tab and Ctrl+Shift+Tab through the pages; the Alt key of
// every page.
#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>

#include "present/mpls_cells.h"
#include "formats/playlist/mpls_edit.h"
#include "present/mpls_rows.h"
#include "gui_test.h"
#include "main_window_fixture.h"
#include "sample_disc.h"
#include "views/bdmv/bdmv_page.h"
#include "views/common/command_field_editor.h"
#include "views/common/int_edit.h"
#include "views/bdmv/object_program_view.h"
#include "views/shell/page_tabs.h"

namespace mirdal::gui::test {

namespace {

struct KeysSample {
  mirdal::test::TempDir root;
  std::string disc = copySampleDisc(root);
  Window t;

  // The disc read in a shown, active window (shortcuts need one).
  bool open() {
    if (disc.empty()) return false;
    t.w->setDiscFolder(disc);
    t.w->show();
    t.w->activateWindow();
    if (!QTest::qWaitForWindowActive(t.w.get())) return false;
    t.w->readDiscClicked();
    return true;
  }
  Workspace& ws() { return t.w->workspace(); }
  const Playlist& playlist() { return ws().playlist.model(); }
  // A key as the user presses it where the focus is.
  void press(int key, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : t.w.get(), Qt::Key(key), mods);
  }
  // The text field with the focus; null when the focus is elsewhere.
  QLineEdit* focusField() { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }
};

#define SAMPLE(f) \
  KeysSample f;       \
  if (!f.open()) QSKIP("the sample disc is missing or the window cannot be made active")

}  // namespace

class KeysTest : public QObject {
  Q_OBJECT
 private slots:
  // An IN time typed into the PlayItem grid's cell editor and stored with
  // Enter; the focus stays in the grid's editor.
  void undoAfterAnInTimeEditInTheGrid() {
    SAMPLE(f);
    f.t.w->showPage(Page::Playlist);
    const Playlist before = f.playlist();
    auto* items = f.t.find<StringGrid>("sgPLitem");
    items->setFocus();
    items->setEditMode(true);
    items->setCurrentCell(0, int(PlayItemColumn::InTime));
    QLineEdit* editor = f.focusField();
    QVERIFY(editor);
    editor->setText(QString::fromStdString(playlistTimeText(before.playlist.items[0].inTime + 45000)));
    f.t.ia.answers = {Answer::No, Answer::No, Answer::No};
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the grid stores what its editor holds after the key
    QCOMPARE(f.playlist().playlist.items[0].inTime, before.playlist.items[0].inTime + 45000);
    // In edit mode the cell's editor stays open (after the questions the
    // focus comes back to it).
    if (!f.focusField()) items->edit(items->currentIndex());
    QVERIFY(f.focusField());

    f.press(Qt::Key_Z);
    QVERIFY(f.playlist() == before);
    f.press(Qt::Key_Y);
    QCOMPARE(f.playlist().playlist.items[0].inTime, before.playlist.items[0].inTime + 45000);
  }

  // An operand number typed into its field and stored with Enter: the focus
  // is still in that field.
  void undoAfterAnOperandEditWithEnter() {
    SAMPLE(f);
    clickCell(f.t.find<StringGrid>("sgObject"), 6);
    clickCell(f.t.find<StringGrid>("sgCommands"), 5);  // Move GPR1, 2
    IntEdit* operand = f.t.w->objectProgram()->editor()->operandNumberField(1);
    QCOMPARE(operand->text(), QString("2"));
    operand->setFocus();
    operand->selectAll();
    QTest::keyClicks(operand, "9");
    QTest::keyClick(operand, Qt::Key_Return);
    const auto command = [&] { return f.ws().mobj.model().movieObjects.objects[6].commands[5]; };
    QCOMPARE(command().src, 9u);
    QCOMPARE(QApplication::focusWidget(), operand);

    f.press(Qt::Key_Z);
    QCOMPARE(command().src, 2u);
    QCOMPARE(operand->text(), QString("2"));
    f.press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(command().src, 9u);
  }

  // While a field is typed in, Ctrl+Z takes back the typing, not an edit.
  void undoInAFieldBeingTypedInUndoesTheTyping() {
    SAMPLE(f);
    clickCell(f.t.find<StringGrid>("sgObject"), 6);
    clickCell(f.t.find<StringGrid>("sgCommands"), 5);
    IntEdit* operand = f.t.w->objectProgram()->editor()->operandNumberField(1);
    operand->setFocus();
    operand->selectAll();
    QTest::keyClicks(operand, "9");
    QTest::keyClick(operand, Qt::Key_Return);
    QTest::keyClicks(operand, "4");
    QCOMPARE(operand->text(), QString("94"));
    f.press(Qt::Key_Z);
    QCOMPARE(operand->text(), QString("9"));
    QCOMPARE(f.ws().mobj.model().movieObjects.objects[6].commands[5].src, 9u);
  }

  // Undo from another page shows the page of the edit and selects the row
  // it changed, each time, whatever row was selected since.
  void undoShowsThePageAndTheRow_data() {
    QTest::addColumn<QString>("grid");
    QTest::newRow("marks") << "sgPlayListMark";
    QTest::newRow("PlayItems") << "sgPLitem";
    QTest::newRow("SubPaths") << "sgSubPath";
  }
  void undoShowsThePageAndTheRow() {
    QFETCH(QString, grid);
    SAMPLE(f);
    f.t.w->showPage(Page::Playlist);
    auto* g = f.t.find<StringGrid>(qPrintable(grid));
    QVERIFY(g->dataRowCount() >= 2);
    const int row = g->dataRowCount() - 1;
    g->scrollToItem(g->item(row, 1));
    clickCell(g, row);
    f.ws().playlist.edit(ChangeNotice::rows(grid == "sgPlayListMark" ? "marks"
                                            : grid == "sgPLitem"     ? "playitems"
                                                                     : "subpaths",
                                            std::size_t(row)),
                         [&](Playlist& m) {
                           if (grid == "sgPlayListMark") m.marks.marks[std::size_t(row)].time += 45000;
                           else if (grid == "sgPLitem") m.playlist.items[std::size_t(row)].uoMask1 ^= 1;
                           else m.playlist.subpaths[std::size_t(row)].repeat ^= 1;
                         });
    // Undo, then Redo, each after the first row was chosen and another page
    // shown.
    for (const int key : {Qt::Key_Z, Qt::Key_Y}) {
      g->scrollToItem(g->item(0, 1));
      clickCell(g, 0);
      QCOMPARE(g->currentRow(), 0);
      f.t.w->showPage(Page::Status);
      f.press(key);
      QCOMPARE(f.t.w->currentPage(), Page::Playlist);
      QCOMPARE(g->currentRow(), row);
      QCOMPARE(g->selectedRowRange(), qMakePair(row, row));
    }
  }

  // Ctrl+Tab and Ctrl+Shift+Tab step through the pages from a grid, a text
  // field or a button, and wrap round.
  void ctrlTabStepsThroughThePages() {
    SAMPLE(f);
    f.t.find<StringGrid>("sgTitles")->setFocus();
    f.press(Qt::Key_Tab);
    QCOMPARE(f.t.w->currentPage(), Page::Playlist);
    f.t.find<StringGrid>("sgPLitem")->setFocus();
    f.press(Qt::Key_Tab);
    QCOMPARE(f.t.w->currentPage(), Page::ClipInfo);
    f.press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.t.w->currentPage(), Page::Playlist);
    f.t.w->showPage(Page::BDMV);
    f.t.w->bdmvPage()->findChild<QLineEdit*>("eBDMVdir")->setFocus();
    f.press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.t.w->currentPage(), Page::About);
    f.press(Qt::Key_Tab);
    QCOMPARE(f.t.w->currentPage(), Page::BDMV);
  }

  // Alt + the underlined letter of every tab shows its page, from every
  // page of a disc that was read.
  void everyPageHasItsAltKey() {
    SAMPLE(f);
    const QTabWidget* pages = f.t.w->pageControl();
    for (int from = 0; from < pages->count(); ++from) {
      for (int to = 0; to < pages->count(); ++to) {
        f.t.w->showPage(Page(from));
        int at = -1;
        const QString caption = PageTabBar::plainCaption(pages->tabText(to), &at);
        QVERIFY2(at >= 0, qPrintable(caption + " has no accelerator"));
        QTest::keyClick(f.t.w.get(), Qt::Key(caption.at(at).toUpper().unicode()), Qt::AltModifier);
        QVERIFY2(f.t.w->currentPage() == Page(to),
                 qPrintable(QString("Alt+%1 from page %2 shows page %3").arg(caption.at(at)).arg(from).arg(int(f.t.w->currentPage()))));
      }
    }
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::KeysTest;
MIRDAL_GUI_TEST(KeysTest)
#include "keys_test.moc"

// Other test files, compiled in the same bundle, define their own.
#undef SAMPLE
