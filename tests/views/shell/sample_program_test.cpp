// The sample disc's programs on the "&BDMV" page: listed when their object
// is chosen, run with Start, followed by double click, edited with the
// objects grid following the command count.
#include <QPushButton>

#include "gui_test.h"
#include "main_window_fixture.h"
#include "sample_disc.h"
#include "views/common/command_grid.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui::test {

namespace {

void clickRow(QTableWidget* g, int row) {
  g->scrollToItem(g->item(row, 1));
  clickCell(g, row);
}

}  // namespace

class SampleProgramTest : public QObject {
  Q_OBJECT
 private slots:
  void sampleProgramsOnTheBdmvPage() {
    mirdal::test::TempDir root;
    const std::string disc = copySampleDisc(root);
    if (disc.empty()) QSKIP("the sample disc is missing");
    Window t;
    mirdal::gui::guiReporter().setActivationDelay(0);
    t.w->setDiscFolder(disc);
    t.w->show();
    t.w->readDiscClicked();
    Workspace& ws = t.w->workspace();
    auto* objects = t.find<StringGrid>("sgObject");
    auto* grid = t.find<CommandGrid>("sgCommands");

    // The counting loop: GPR0 counts to 10, GPR1 sums 1..10, then Play PL_PI
    // and Jump Title 1 end it.
    clickRow(objects, 7);
    QCOMPARE(grid->dataRowCount(), int(ws.mobj.model().movieObjects.objects[7].commands.size()));
    QCOMPARE(t.find<QComboBox>("cbObject")->currentText(), QString("0007"));
    t.find<QPushButton>("bStart")->click();
    QCOMPARE(ws.regs.gpr[0], 10u);
    QCOMPARE(ws.regs.gpr[1], 55u);
    QCOMPARE(ws.regs.psr[6], 1u);
    QCOMPARE(ws.regs.psr[4], 1u);
    const int jump = grid->dataRowCount() - 1;
    QCOMPARE(grid->cell(jump, 4), QString("Jump Title 1"));
    QCOMPARE(grid->currentRow(), jump);

    // Following Jump Title 1 selects title 1 and its movie object.
    emit grid->cellDoubleClicked(jump, 4);
    QCOMPARE(t.find<StringGrid>("sgTitles")->selectedRowRange().first, 0);
    const int titleObject = ws.index.model().indexes.titles[0].movieObjectReference;
    QCOMPARE(objects->selectedRowRange().first, titleObject);
    QCOMPARE(grid->currentRow(), 0);

    // An inserted line: the objects grid shows the new count.
    clickRow(objects, 6);
    const std::size_t count = ws.mobj.model().movieObjects.objects[6].commands.size();
    const std::uint32_t length = ws.mobj.model().movieObjects.length;
    grid->selectLine(2);
    QTest::keyClick(grid, Qt::Key_Insert);
    QCOMPARE(objects->cell(6, 4), QString::number(count + 1));
    QCOMPARE(ws.mobj.model().movieObjects.length, length + 12);
    QCOMPARE(grid->currentRow(), 3);
    QVERIFY(t.find<QPushButton>("bSave")->isEnabled());
  }
};

MIRDAL_GUI_TEST(SampleProgramTest)

}  // namespace mirdal::gui::test

#include "sample_program_test.moc"
