// The movie-object program view: rows of the command grid, the field
// editor's arithmetic through its widgets, the edit keys with GoTo
// maintenance and the file's lengths, double-click follow and the export.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>

#include "gui_test.h"
#include "nav/command_text.h"
#include "program_fixture.h"
#include "support/recording_reporter.h"
#include "views/common/command_field_editor.h"
#include "views/common/hex_edit.h"
#include "views/common/int_edit.h"
#include "views/playlist/playlist_page.h"
#include "views/common/gui_reporter_access.h"

Q_DECLARE_METATYPE(mirdal::NavCommand)

namespace mirdal::gui::test {

namespace {

// GoTo 3, NOP, NOP, Break.
mirdal::CommandList gotoProgram() {
  return {cmd(0x20810000, 3), cmd(0), cmd(0), cmd(0x00020000)};
}

QString hexText(std::uint32_t v) { return QString::fromStdString(mirdal::hex8(v)); }

void press(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(w, key, mods);
}

}  // namespace

class CommandGridTest : public QObject {
  Q_OBJECT
 private slots:
  void showsTheProgramOfTheObject() {
    ProgramWindow t({{cmd(0x50000001, 3, 0x80000004), cmd(0x00000001)}, {}});
    CommandGrid* g = t.grid;
    QCOMPARE(g->objectName(), QString("sgCommands"));
    const QStringList headers{"No.", "Opcode", "Destinat.", "Source", "Command line"};
    for (int c = 0; c < 5; ++c) QCOMPARE(g->horizontalHeaderItem(c)->text(), headers[c]);
    QCOMPARE(g->dataRowCount(), 2);
    QCOMPARE(g->cell(0, 0), QString("0000"));
    QCOMPARE(g->cell(0, 2), QString("00000003 "));
    QCOMPARE(t.lineText(0), QString("Move GPR3, PSR4       ;PSR4: Title Number (b15-b0) {1-999,$ffff}"));
    QCOMPARE(t.lineText(1), QString("!NOP  ; Invalid opcode"));
    QVERIFY(g->isEnabled());
    QCOMPARE(g->selection().first, std::size_t(0));
    QCOMPARE(t.find<HexEdit>("heOCH")->text(), QString("50000001"));
    QVERIFY(t.find<QToolButton>("bbSaveCommands")->isEnabled());
    QVERIFY(t.find<QPushButton>("bStart")->isEnabled());
    QCOMPARE(t.panel(0), QString(" Ready. "));
    // The words show whole; the last column takes what the first four leave.
    for (int c = 1; c <= 3; ++c)
      QVERIFY(g->columnWidth(c) > g->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
    t.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.w.get()));
    const int four = g->columnWidth(0) + g->columnWidth(1) + g->columnWidth(2) + g->columnWidth(3);
    QCOMPARE(g->columnWidth(4), g->viewport()->width() - four);

    // An object without commands: empty grid, no export, no Start, but a
    // line can be inserted.
    t.view->showObject(1);
    QCOMPARE(g->dataRowCount(), 0);
    QVERIFY(!t.find<QToolButton>("bbSaveCommands")->isEnabled());
    QVERIFY(!t.find<QToolButton>("bbNCdel")->isEnabled());
    QVERIFY(t.find<QToolButton>("bbNCins")->isEnabled());
    QVERIFY(!t.find<QPushButton>("bStart")->isEnabled());
    QVERIFY(!t.find<HexEdit>("heOCH")->isEnabled());

    t.view->showObject(-1);
    QVERIFY(!g->isEnabled());
    QVERIFY(!t.find<QToolButton>("bbNCins")->isEnabled());
  }

  void editorArithmetic_data() {
    QTest::addColumn<mirdal::NavCommand>("before");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("value");  // item index, 0/1 for boxes, or the typed text
    QTest::addColumn<mirdal::NavCommand>("after");
    QTest::addColumn<bool>("op1on");
    QTest::addColumn<bool>("op2on");
    QTest::newRow("group keeps count and flags") << cmd(0x50400001, 1, 2) << "cbCmdGrp" << "0"
                                                 << cmd(0x40400000, 1, 2) << true << true;
    QTest::newRow("sub-group") << cmd(0x51C00003, 1, 2) << "cbCmdSGrp" << "0" << cmd(0x50C00000, 1, 2) << true << true;
    QTest::newRow("option Move sets both operands") << cmd(0x10000000) << "cbCmd" << "1" << cmd(0x50000001) << true
                                                    << true;
    QTest::newRow("option NOP clears the count") << cmd(0x20810000, 5) << "cbCmd" << "0" << cmd(0x00800000, 5)
                                                 << false << false;
    QTest::newRow("option of group 1") << cmd(0x48400200, 1, 2) << "cbCmd" << "7" << cmd(0x48400700, 1, 2) << true
                                       << true;
    QTest::newRow("unchecking operand 1 unchecks 2") << cmd(0x50000001, 1, 2) << "cbOP1on" << "0"
                                                     << cmd(0x10000001, 1, 2) << false << false;
    QTest::newRow("checking operand 2 checks 1") << cmd(0x00810000, 5) << "cbOP2on" << "1" << cmd(0x40810000, 5)
                                                 << true << true;
    QTest::newRow("operand 1 becomes a PSR") << cmd(0x50000001, 3, 4) << "cbOP1" << "1"
                                             << cmd(0x50000001, 0x80000003, 4) << true << true;
    QTest::newRow("operand 2 becomes immediate") << cmd(0x50000001, 3, 4) << "cbOp2" << "2" << cmd(0x50400001, 3, 4)
                                                 << true << true;
    QTest::newRow("SetStream keeps its flags") << cmd(0x51000001, 0x80018002, 0) << "cbOP1" << "1"
                                               << cmd(0x51000001, 0x80018002, 0) << true << true;
    QTest::newRow("PSR number subtracts 2^31") << cmd(0x50000001, 0x80000003, 4) << "ieOp1" << "5"
                                               << cmd(0x50000001, 0x80000005, 4) << true << true;
    QTest::newRow("GPR number") << cmd(0x50000001, 3, 4) << "ieOp2" << "4095" << cmd(0x50000001, 3, 4095) << true
                                << true;
    QTest::newRow("immediate number, 32 bits") << cmd(0x50400001, 1, 2) << "ieOp2" << "4294967295"
                                               << cmd(0x50400001, 1, 0xFFFFFFFF) << true << true;
    QTest::newRow("number too big is refused") << cmd(0x50400001, 1, 2) << "ieOp2" << "4294967296"
                                               << cmd(0x50400001, 1, 2) << true << true;
    QTest::newRow("opcode 0 clears the operands") << cmd(0x50400001, 1, 2) << "heOCH" << "0" << cmd(0) << false
                                                  << false;
    QTest::newRow("opcode 0 over opcode 0 clears the operands") << cmd(0, 7, 9) << "heOCH" << "0" << cmd(0) << false
                                                                << false;
    QTest::newRow("opcode word") << cmd(0) << "heOCH" << "20810000" << cmd(0x20810000) << true << false;
    QTest::newRow("destination word") << cmd(0x50400001, 1, 2) << "heDEH" << "1234abcd"
                                      << cmd(0x50400001, 0x1234ABCD, 2) << true << true;
    QTest::newRow("source word") << cmd(0x50400001, 1, 2) << "heSOH" << "FFFFFFFF" << cmd(0x50400001, 1, 0xFFFFFFFF)
                                 << true << true;
  }

  void editorArithmetic() {
    QFETCH(mirdal::NavCommand, before);
    QFETCH(QString, control);
    QFETCH(QString, value);
    QFETCH(mirdal::NavCommand, after);
    QFETCH(bool, op1on);
    QFETCH(bool, op2on);
    ProgramWindow t({{before, cmd(0x00020000)}});
    const QByteArray name = control.toLatin1();
    if (auto* cb = t.w->findChild<QComboBox*>(control)) {
      cb->setCurrentIndex(value.toInt());
    } else if (auto* box = t.w->findChild<QCheckBox*>(control)) {
      box->setChecked(value == "1");
    } else {
      auto* field = t.find<QLineEdit>(name.constData());
      field->setText(value);
      emit field->editingFinished();
    }
    QCOMPARE(t.program()[0], after);
    QCOMPARE(t.program()[1], cmd(0x00020000));
    // The row and the editor show the stored command.
    QCOMPARE(t.grid->cell(0, 1), hexText(after.opcode));
    QCOMPARE(t.lineText(0), QString::fromStdString(mirdal::commandLine(after, mirdal::CommandContext::MovieObject)));
    QCOMPARE(t.find<HexEdit>("heOCH")->text(), hexText(after.opcode));
    QCOMPARE(t.find<HexEdit>("heDEH")->text(), hexText(after.dst));
    QCOMPARE(t.find<QCheckBox>("cbOP1on")->isChecked(), op1on);
    QCOMPARE(t.find<QCheckBox>("cbOP2on")->isChecked(), op2on);
    QCOMPARE(t.find<IntEdit>("ieOp1")->isEnabled(), op1on);
    QCOMPARE(t.find<HexEdit>("heSOH")->isEnabled(), op2on);
  }

  void editorShowsRegisterKindsAndTheHint() {
    ProgramWindow t({{cmd(0x50000001, 0x80000010, 7), cmd(0x50400001, 9, 5)}});
    QCOMPARE(t.find<QComboBox>("cbCmdGrp")->currentText(), QString("Set"));
    QCOMPARE(t.find<QComboBox>("cbCmdSGrp")->currentText(), QString("Set"));
    QCOMPARE(t.find<QComboBox>("cbCmd")->currentText(), QString("Move"));
    QCOMPARE(t.find<QComboBox>("cbOP1")->currentText(), QString("PSR"));
    QCOMPARE(t.find<IntEdit>("ieOp1")->text(), QString("16"));
    QCOMPARE(t.find<QComboBox>("cbOp2")->currentText(), QString("GPR"));
    QCOMPARE(t.grid->toolTip(), QString("PSR16: Language Code for Audio (b23-b0)"));
    t.grid->selectLine(1);
    QCOMPARE(t.find<QComboBox>("cbOp2")->currentText(), QString("Imm"));
    QCOMPARE(t.find<IntEdit>("ieOp2")->text(), QString("5"));
    QCOMPARE(t.grid->toolTip(), QString("Navigation commands"));
    QCOMPARE(t.find<QComboBox>("cbCmd")->toolTip(), QString("Command Option"));
    QCOMPARE(t.find<QToolButton>("bbNCins")->toolTip(), QString("Insert a line after selected line(s)"));
  }

  void enterInAHexFieldGoesToTheGrid() {
    ProgramWindow t({gotoProgram()});
    t.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.w.get()));
    t.w->activateWindow();
    auto* dst = t.find<HexEdit>("heDEH");
    dst->setFocus();
    dst->setText("00000002");
    press(dst, Qt::Key_Return);
    QCOMPARE(t.program()[0], cmd(0x20810000, 2));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.grid));
  }

  void editKeys_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("mods");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("selected");
    const int none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    QTest::newRow("Ins after line 2") << 2 << 2 << int(Qt::Key_Insert) << none
                                      << QStringList{"GoTo 4", "NOP", "NOP", "NOP", "Break"} << 3;
    QTest::newRow("Ins after a block") << 0 << 1 << int(Qt::Key_Insert) << none
                                       << QStringList{"GoTo 4", "NOP", "NOP", "NOP", "Break"} << 2;
    QTest::newRow("Shift+Del line 1") << 1 << 1 << int(Qt::Key_Delete) << shift
                                      << QStringList{"GoTo 2", "NOP", "Break"} << 0;
    QTest::newRow("Shift+Del line 0") << 0 << 0 << int(Qt::Key_Delete) << shift
                                      << QStringList{"NOP", "NOP", "Break"} << 0;
    QTest::newRow("Ctrl+X lines 1-2") << 1 << 2 << int(Qt::Key_X) << ctrl << QStringList{"GoTo 1", "Break"} << 0;
    QTest::newRow("Shift+N moves down") << 0 << 0 << int(Qt::Key_N) << shift
                                        << QStringList{"NOP", "NOP", "NOP", "Break"} << 1;
    QTest::newRow("Shift+N on the last line") << 3 << 3 << int(Qt::Key_N) << shift
                                              << QStringList{"GoTo 3", "NOP", "NOP", "NOP"} << 3;
  }

  void editKeys() {
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, key);
    QFETCH(int, mods);
    QFETCH(QStringList, lines);
    QFETCH(int, selected);
    ProgramWindow t({gotoProgram()}, true);
    t.grid->selectLines(first, last);
    press(t.grid, Qt::Key(key), Qt::KeyboardModifiers(mods));
    QStringList shown;
    for (int r = 0; r < t.grid->dataRowCount(); ++r) {
      QCOMPARE(t.grid->cell(r, 0), QString::fromStdString(mirdal::lineNumberText(std::size_t(r))));
      shown << t.lineText(r);
    }
    QCOMPARE(shown, lines);
    QCOMPARE(int(t.program().size()), lines.size());
    QCOMPARE(t.grid->currentRow(), selected);
    // 12 bytes per command in the MovieObjects length and the ExtensionData
    // start address.
    const std::uint32_t length = 6 + 4 + 12 * std::uint32_t(lines.size());
    QCOMPARE(t.ws().mobj.model().movieObjects.length, length);
    QCOMPARE(t.ws().mobj.model().extensionDataStartAddress, 44 + length);
  }

  void copyAndPasteThroughTheBuffer() {
    ProgramWindow t({gotoProgram(), {}});
    t.grid->selectLines(0, 1);
    press(t.grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(t.panel(1), QString(" Command(s) copied "));
    t.grid->selectLine(3);
    press(t.grid, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(t.program().size(), std::size_t(6));
    QCOMPARE(t.program()[4], cmd(0x20810000, 3));
    QCOMPARE(t.grid->currentRow(), 4);

    // Into an empty program: its blank row stands for line 0.
    QSignalSpy counts(t.view, &ObjectProgramView::commandCountChanged);
    t.view->showObject(1);
    QVERIFY(t.grid->isEnabled());
    press(t.grid, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(t.program(1).size(), std::size_t(2));
    QCOMPARE(t.grid->dataRowCount(), 2);
    QCOMPARE(counts.count(), 1);
    QCOMPARE(counts.first().first().toInt(), 1);
    QVERIFY(t.find<QPushButton>("bStart")->isEnabled());

    // Nothing copied and no text on the clipboard.
    t.ws().copyBuffer.clear();
    QGuiApplication::clipboard()->clear();
    press(t.grid, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(t.panel(1), QString(" Nothing to insert. "));
  }

  void buttonsAndKeyCodes() {
    ProgramWindow t({gotoProgram()});
    press(t.grid, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(t.panel(1), QString(" 65 "));
    QCOMPARE(t.grid->selection().first, std::size_t(0));
    QCOMPARE(t.grid->selection().last, std::size_t(3));
    press(t.grid, Qt::Key_Down);
    QCOMPARE(t.panel(1), QString(" 40 "));

    t.grid->selectLine(3);
    t.find<QToolButton>("bbNCins")->click();
    QCOMPARE(t.program().size(), std::size_t(5));
    QCOMPARE(t.program()[4], cmd(0));
    t.grid->selectLines(0, 4);
    t.find<QToolButton>("bbNCdel")->click();
    QVERIFY(t.program().empty());
    QCOMPARE(t.grid->dataRowCount(), 0);
    QVERIFY(!t.find<QPushButton>("bStart")->isEnabled());
    QCOMPARE(t.ws().mobj.model().movieObjects.length, std::uint32_t(10));
  }

  void movingOntoAnInvalidLineBeeps() {
    ProgramWindow t({{cmd(0), cmd(0x00000001), cmd(0x02030000), cmd(0)}});
    mirdal::test::ReportScope scope;
    const mirdal::gui::ScopedGuiReporter gui(scope.rep);
    press(t.grid, Qt::Key_Down);  // onto "!NOP"
    QCOMPARE(scope.rep.tones, (std::vector<std::pair<int, int>>{{2000, 30}}));
    press(t.grid, Qt::Key_Down);  // a forbidden line is no fault
    press(t.grid, Qt::Key_Up);
    QCOMPARE(scope.rep.tones.size(), std::size_t(2));
    QCOMPARE(scope.rep.status.panel[1], std::string(" 38 "));
  }

  void doubleClickFollows() {
    mirdal::test::TempDir root;
    ProgramWindow t({mirdal::CommandList{}});
    t.w->setDiscFolder(makeDisc(root));  // playlists 00000 and 00001
    t.w->readDiscClicked();
    t.loadPrograms({{cmd(0x20810000, 2), cmd(0x21810000, 3), cmd(0x22800000, 1), cmd(0)}});
    t.view->showObject(0);

    emit t.grid->cellDoubleClicked(0, 4);
    QCOMPARE(t.grid->currentRow(), 2);

    QSignalSpy titles(t.view, &ObjectProgramView::titleRequested);
    t.w->showPage(Page::Status);
    emit t.grid->cellDoubleClicked(1, 4);
    QCOMPARE(titles.count(), 1);
    QCOMPARE(titles.first().first().toInt(), 3);
    QCOMPARE(t.w->currentPage(), Page::BDMV);

    emit t.grid->cellDoubleClicked(2, 4);
    QCOMPARE(t.w->currentPage(), Page::Playlist);
    QCOMPARE(t.find<QComboBox>("cbPlaylist")->currentText(), QString("00001"));
  }

  void exportWritesTheChosenForm_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("binary");
    QTest::addColumn<QString>("defaultExt");
    QTest::newRow("list option, name without extension") << 0 << "out" << false << ".lst";
    QTest::newRow("binary option") << 1 << "out" << true << ".bin";
    QTest::newRow("list option, .bin chosen") << 0 << "out.bin" << true << ".lst";
    QTest::newRow("binary option, .lst chosen") << 1 << "out.LST" << false << ".bin";
  }

  void exportWritesTheChosenForm() {
    QFETCH(int, format);
    QFETCH(QString, chosen);
    QFETCH(bool, binary);
    QFETCH(QString, defaultExt);
    mirdal::test::TempDir dir;
    ProgramWindow t({{}, {}, {cmd(0x50000001, 3, 0x80000004), cmd(0x20810000, 0)}});
    t.ws().options.programFormat = format;
    t.ws().options.outputFolder = dir.folder();
    t.view->showObject(2);
    const QString path = QString::fromStdString(dir.folder()) + chosen;
    t.ia.files << path;
    t.find<QToolButton>("bbSaveCommands")->click();

    QCOMPARE(t.ia.fileRequests.size(), 1);
    const FileDialogRequest& r = t.ia.fileRequests.first();
    QCOMPARE(r.title, QString("Save program list"));
    QCOMPARE(r.filter, QString("List|*.lst|Binary|*.bin"));
    QCOMPARE(r.filterIndex, format);
    QCOMPARE(r.defaultExt, defaultExt);
    QCOMPARE(r.fileName, QString("program_002"));
    QCOMPARE(r.folder, QString::fromStdString(dir.folder()));

    QFile f(withDefaultExtension(path, defaultExt));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    if (binary) {
      QCOMPARE(bytes, QByteArray::fromHex("500000010000000380000004"
                                          "208100000000000000000000"));
    } else {
      const QList<QByteArray> lines = bytes.split('\n');
      QCOMPARE(lines.value(0), QByteArray(";" + QByteArray(60, '-') + "\r"));
      QCOMPARE(lines.value(2), QByteArray(";             MovieObject program list by Mirdal\r"));
      QCOMPARE(lines.value(5), QByteArray("0000  [50000001,00000003 ,80000004 ]  Move GPR3, PSR4       ;PSR4: "
                                          "Title Number (b15-b0) {1-999,$ffff}\r"));
      QCOMPARE(lines.value(6), QByteArray("0001  [20810000,00000000 ,00000000]  GoTo 0\r"));
    }
  }

  void exportCancelledWritesNothing() {
    ProgramWindow t({gotoProgram()});
    t.find<QToolButton>("bbSaveCommands")->click();  // no file chosen
    QCOMPARE(t.ia.unexpected, QStringList{"save: Save program list"});
    QCOMPARE(mirdal::gui::guiReporter().errorCount(), 0);
  }

  void painterColoursMarkedLines() {
    ProgramWindow t({{cmd(0x00000001), cmd(0x02030000), cmd(0x50000001, 1, 2)}});
    t.w->resize(1200, 800);
    t.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.w.get()));
    t.grid->clearSelection();
    t.grid->setCurrentCell(-1, -1);
    const QImage img = t.grid->viewport()->grab().toImage();
    const auto rowHas = [&](int row, int column, QColor c) {
      const QRect r = t.grid->visualRect(t.grid->model()->index(row, column));
      for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
          if (img.pixelColor(x, y) == c) return true;
      return false;
    };
    QVERIFY(rowHas(0, 4, QColor(255, 0, 0)));    // invalid: red text
    QVERIFY(rowHas(1, 4, QColor(255, 170, 0)));  // forbidden: orange
    QVERIFY(rowHas(2, 1, QColor(0, 0, 255)));    // opcode in blue
    QVERIFY(!rowHas(2, 4, QColor(255, 0, 0)));
  }
};

MIRDAL_GUI_TEST(CommandGridTest)

}  // namespace mirdal::gui::test

#include "command_grid_test.moc"
