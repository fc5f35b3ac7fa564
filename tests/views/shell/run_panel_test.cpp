// The program-run panel: Start, trace, the line field, Cancel.
#include <QCheckBox>
#include <QTimer>

#include "gui_test.h"
#include "program_fixture.h"
#include "views/common/hex_edit.h"
#include "views/common/int_edit.h"

namespace mirdal::gui::test {

namespace {

// GPR0 counts to 10 (lines 1-3 loop), then GPR1 = GPR0.
mirdal::CommandList countingLoop() {
  return {cmd(0x50400001, 0, 0), cmd(0x50400003, 0, 1), cmd(0x48400700, 0, 10), cmd(0x20810000, 1),
          cmd(0x50000001, 1, 0)};
}

bool bold(QWidget* w) { return w->font().bold(); }

}  // namespace

class RunPanelTest : public QObject {
  Q_OBJECT
 private slots:
  void startRunsTheWholeProgram() {
    ProgramWindow t({countingLoop()});
    auto* start = t.find<QPushButton>("bStart");
    QCOMPARE(start->toolTip(), QString("Execute the button commands"));
    start->click();
    QCOMPARE(t.ws().regs.gpr[0], 10u);
    QCOMPARE(t.ws().regs.gpr[1], 10u);
    QVERIFY(!t.ws().run.running);
    QCOMPARE(t.panel(0), QString(" Ready.  "));
    QVERIFY(!bold(start));
    QVERIFY(!t.find<QPushButton>("bCancel")->isEnabled());
  }

  void anEndingCommandSelectsItsLine() {
    ProgramWindow t({{cmd(0x50400001, 2, 7), cmd(0x21810000, 2), cmd(0x50400001, 2, 9)}});
    t.grid->selectLine(2);
    t.find<QPushButton>("bStart")->click();
    QCOMPARE(t.ws().regs.psr[4], 2u);
    QCOMPARE(t.ws().regs.gpr[2], 7u);  // the line after Jump Title never ran
    QCOMPARE(t.grid->currentRow(), 1);
    QCOMPARE(t.find<IntEdit>("ieProgramLine")->text(), QString("0001"));
  }

  void traceStepsOneCommandPerStart() {
    ProgramWindow t({countingLoop()});
    auto* start = t.find<QPushButton>("bStart");
    auto* cancel = t.find<QPushButton>("bCancel");
    t.find<QCheckBox>("cbTrace")->setChecked(true);
    QVERIFY(start->toolTip().isEmpty());

    start->click();  // shows line 0, executes nothing
    QVERIFY(bold(start));
    QVERIFY(cancel->isEnabled());
    QCOMPARE(t.grid->currentRow(), 0);
    QCOMPARE(t.panel(0), QString(" Running trace... "));
    QCOMPARE(t.panel(1), QString(" Line 0000 : 50400001 00000000  00000000  : Move GPR0, 0 "));
    QCOMPARE(t.find<IntEdit>("ieProgramLine")->text(), QString("0000"));

    t.ws().regs.gpr[0] = 99;
    start->click();  // line 0
    QCOMPARE(t.ws().regs.gpr[0], 0u);
    QCOMPARE(t.grid->currentRow(), 1);
    QCOMPARE(t.find<IntEdit>("ieProgramLine")->text(), QString("0001"));
    start->click();  // line 1: GPR0 = 1
    start->click();  // line 2: 1 < 10, no skip
    QCOMPARE(t.grid->currentRow(), 3);
    // The register panel points at the next command's register.
    t.ws().regs.gpr[5] = 0;
    QCOMPARE(t.find<IntEdit>("ieGPRnum")->text(), QString("0000"));
    QCOMPARE(t.find<HexEdit>("heGPRval")->text(), QString("00000001"));

    cancel->click();
    QVERIFY(!t.ws().run.running);
    QCOMPARE(t.panel(0), QString(" Ready.  "));
    QVERIFY(!bold(start));
    QVERIFY(!cancel->isEnabled());
    QCOMPARE(t.ws().regs.gpr[1], 0u);  // nothing more ran
  }

  void clickingARowWhileTracingExecutesIt() {
    ProgramWindow t({{cmd(0x50400001, 1, 5), cmd(0x50400001, 2, 6), cmd(0x50400001, 3, 7), cmd(0x00020000)}});
    t.find<QCheckBox>("cbTrace")->setChecked(true);
    emit t.grid->cellClicked(1, 4);
    QCOMPARE(t.ws().regs.gpr[2], 6u);
    QCOMPARE(t.ws().regs.gpr[1], 0u);
    QCOMPARE(t.ws().regs.gpr[3], 0u);
    QCOMPARE(t.ws().run.line, 2);
    QCOMPARE(t.grid->currentRow(), 2);
    QVERIFY(bold(t.find<QPushButton>("bStart")));

    // Without the trace option a click only selects.
    t.find<QPushButton>("bCancel")->click();
    t.find<QCheckBox>("cbTrace")->setChecked(false);
    emit t.grid->cellClicked(2, 4);
    QCOMPARE(t.ws().regs.gpr[3], 0u);
  }

  void cancelStopsAnEndlessLoop() {
    ProgramWindow t({{cmd(0x50400003, 20, 1), cmd(0x20810000, 0)}});
    auto* cancel = t.find<QPushButton>("bCancel");
    // Pressed while the run handles events between commands, once it has
    // gone round the loop a while.
    QTimer::singleShot(0, cancel, [cancel] {
      QTimer::singleShot(0, cancel, [cancel] {
        QVERIFY(cancel->isEnabled());
        cancel->click();
      });
    });
    t.find<QPushButton>("bStart")->click();
    QVERIFY(t.ws().regs.gpr[20] > 0);
    QVERIFY(!t.ws().run.running);
    QVERIFY(!t.ws().run.inRun());
    QVERIFY(!cancel->isEnabled());
    QCOMPARE(t.panel(0), QString(" Ready.  "));
  }

  void closingTheWindowEndsARun() {
    ProgramWindow t({{cmd(0x50400003, 20, 1), cmd(0x20810000, 0)}});
    t.w->show();
    MainWindow* w = t.w.get();
    QTimer::singleShot(0, w, [w] { w->close(); });
    t.find<QPushButton>("bStart")->click();
    QVERIFY(!t.ws().run.inRun());
    QVERIFY(!t.ws().run.running);
  }

  void switchingTraceOnStopsARun() {
    ProgramWindow t({{cmd(0x50400003, 20, 1), cmd(0x20810000, 0)}});
    auto* trace = t.find<QCheckBox>("cbTrace");
    QTimer::singleShot(0, trace, [trace] { QTimer::singleShot(0, trace, [trace] { trace->setChecked(true); }); });
    auto* start = t.find<QPushButton>("bStart");
    start->click();
    QVERIFY(t.ws().run.running);
    QVERIFY(bold(start));
    const std::uint32_t count = t.ws().regs.gpr[20];
    start->click();
    start->click();
    QCOMPARE(t.ws().regs.gpr[20], count + 1);  // one Add, one GoTo
    t.find<QPushButton>("bCancel")->click();
    QVERIFY(!bold(start));
  }

  void lineFieldSetsTheNextLine() {
    ProgramWindow t({{cmd(0x50400001, 1, 5), cmd(0x50400001, 2, 6), cmd(0x50400001, 3, 7)}});
    t.find<QCheckBox>("cbTrace")->setChecked(true);
    auto* start = t.find<QPushButton>("bStart");
    start->click();
    auto* line = t.find<IntEdit>("ieProgramLine");
    line->setText("2");
    emit line->editingFinished();
    start->click();
    QCOMPARE(t.ws().regs.gpr[3], 7u);
    QCOMPARE(t.ws().regs.gpr[1], 0u);
    QVERIFY(!t.ws().run.running);  // line 2 was the last
  }

};

MIRDAL_GUI_TEST(RunPanelTest)

}  // namespace mirdal::gui::test

#include "run_panel_test.moc"
