// Command lines in and out of the movie-object command grid: the clipboard
// (Ctrl+C, Ctrl+V), a line typed into the "Command line" cell (F2),
// "Import program..." with its question and Undo, and the register settings
// field of the register panel.
#include <QClipboard>
#include <QLineEdit>
#include <QToolButton>

#include "gui_test.h"
#include "program_fixture.h"
#include "support/temp_dir.h"

namespace mirdal::gui::test {

namespace {

// GoTo 2, NOP, Break.
mirdal::CommandList smallProgram() { return {cmd(0x20810000, 2), cmd(0), cmd(0x00020000)}; }

QLineEdit* openCellEditor(CommandGrid* g) {
  for (QLineEdit* e : g->viewport()->findChildren<QLineEdit*>())
    if (!e->isHidden()) return e;
  return nullptr;
}

// F2 on `row`, the text typed over the cell's, Return.
void typeCommandLine(CommandGrid* g, int row, const QString& text) {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // editors closed before
  g->selectLine(row);
  QTest::keyClick(g, Qt::Key_F2);
  QLineEdit* e = openCellEditor(g);
  QVERIFY(e);
  e->selectAll();
  e->setText(text);
  QTest::keyClick(e, Qt::Key_Return);
  QCoreApplication::processEvents();
}

}  // namespace

class CommandLinesViewTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { QGuiApplication::clipboard()->clear(); }

  void copyPutsCommandLinesOnTheClipboard() {
    // SetStream with the PG TextST display flag, which its line cannot show.
    ProgramWindow t({{cmd(0x51C00001, 0x8001C001, 0), cmd(0x50400001, 1, 2), cmd(0)}});
    t.grid->selectLines(0, 1);
    QTest::keyClick(t.grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("SetStream 1, 1, (0), (0)\nMove GPR1, 2\n"));
    // Pasted back unchanged: the words of the copy, every bit kept.
    t.grid->selectLine(2);
    QTest::keyClick(t.grid, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(t.program().size(), std::size_t(5));
    QCOMPARE(t.program()[3], cmd(0x51C00001, 0x8001C001, 0));
  }

  void pastedTextIsAssembled() {
    ProgramWindow t({smallProgram()});
    QGuiApplication::clipboard()->setText("Move GPR1, 0x10\r\nJump Title 2\r\n");
    t.grid->selectLine(0);
    QTest::keyClick(t.grid, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(t.program(), (mirdal::CommandList{cmd(0x20810000, 4), cmd(0x50400001, 1, 16), cmd(0x21810000, 2), cmd(0),
                                               cmd(0x00020000)}));
    QCOMPARE(t.grid->currentRow(), 1);

    // Text that is no program changes nothing and says why.
    QGuiApplication::clipboard()->setText("NOP\nMove GPR1\n");
    QTest::keyClick(t.grid, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(t.program().size(), std::size_t(5));
    QCOMPARE(t.panel(1),
             QString(" Nothing pasted: line 2, column 10: expected ',' and another operand: Move takes 2 operands "));
  }

  void typedCommandLineIsAssembled() {
    ProgramWindow t({smallProgram()});
    typeCommandLine(t.grid, 1, "Jump Title 3");
    QCOMPARE(t.program()[1], cmd(0x21810000, 3));
    QCOMPARE(t.lineText(1), QString("Jump Title 3"));

    // A refused line keeps the command and says why on the status line.
    typeCommandLine(t.grid, 1, "Jump Title GPR4096");
    QCOMPARE(t.program()[1], cmd(0x21810000, 3));
    QCOMPARE(t.lineText(1), QString("Jump Title 3"));
    QCOMPARE(t.panel(1), QString(" Command kept: column 12: register number out of range: GPR4096 (GPR0 to GPR4095) "));
    QVERIFY(t.ia.unexpected.isEmpty());
  }

  void importReplacesOrInsertsAsOneUndoStep() {
    mirdal::test::TempDir dir;
    dir.write("p.lst", std::string("; from another disc\r\n"
                                   "0000  [50400001,00000001 ,00000005 ]  Move GPR1, 5\r\n"
                                   "GoTo 0\r\n"));
    const QString list = QString::fromStdString((dir.path() / "p.lst").string());
    ProgramWindow t({smallProgram()});
    QToolButton* import = t.find<QToolButton>("bbLoadCommands");
    QCOMPARE(import->toolTip(), QString("Import program..."));
    QVERIFY(import->isEnabled());

    // No: after the selected line; the GoTo commands past it move down.
    t.grid->selectLine(0);
    t.ia.files << list;
    t.ia.answers << Answer::No;
    import->click();
    QCOMPARE(t.ia.fileRequests.value(0).title, QString("Import program"));
    QCOMPARE(t.program(), (mirdal::CommandList{cmd(0x20810000, 4), cmd(0x50400001, 1, 5), cmd(0x20810000, 0), cmd(0),
                                               cmd(0x00020000)}));
    QCOMPARE(t.grid->selection().first, std::size_t(1));
    QCOMPARE(t.grid->selection().last, std::size_t(2));
    QCOMPARE(t.ws().mobj.model().movieObjects.length, std::uint32_t(6 + 4 + 12 * 5));
    t.w->undoEdit();
    QCOMPARE(t.program(), smallProgram());
    QCOMPARE(t.grid->dataRowCount(), 3);

    // Yes: the lines replace the program.
    t.ia.files << list;
    t.ia.answers << Answer::Yes;
    import->click();
    QCOMPARE(t.program(), (mirdal::CommandList{cmd(0x50400001, 1, 5), cmd(0x20810000, 0)}));
    QCOMPARE(t.ws().mobj.model().movieObjects.length, std::uint32_t(6 + 4 + 12 * 2));

    // A file that is no program: the user is told, nothing changes.
    dir.write("bad.lst", std::string("NOP\nFrob 1\n"));
    t.ia.files << QString::fromStdString((dir.path() / "bad.lst").string());
    import->click();
    QCOMPARE(t.ia.told, QStringList{"bad.lst: line 2, column 1: unknown command 'Frob': expected a command name such "
                                    "as Move, GoTo or Jump Title"});
    QCOMPARE(t.program().size(), std::size_t(2));
    QVERIFY(t.ia.unexpected.isEmpty());
  }

  void registerSettingsField() {
    ProgramWindow t({smallProgram()});
    QLineEdit* f = t.find<QLineEdit>("leSetRegs");
    QVERIFY(f->isEnabled());
    f->setText("GPR6=5, PSR10=0x400");
    QTest::keyClick(f, Qt::Key_Return);
    QCOMPARE(t.ws().regs.gpr[6], 5u);
    QCOMPARE(t.ws().regs.psr[10], 0x400u);
    QCOMPARE(t.panel(1), QString(" 2 register(s) set "));
    f->setText("GPR7=1, PSR200=1");
    QTest::keyClick(f, Qt::Key_Return);
    QCOMPARE(t.ws().regs.gpr[7], 0u);
    QCOMPARE(t.panel(1), QString(" Registers not set: column 9: register number out of range: PSR200 (PSR0 to PSR127) "));
  }
};

MIRDAL_GUI_TEST(CommandLinesViewTest)

}  // namespace mirdal::gui::test

#include "command_lines_view_test.moc"
