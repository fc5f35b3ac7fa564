// The player panel: Play disc on the sample disc, the fields following the
// walk, the remote's buttons, and a double-click on a trace line showing
// that object line on the BDMV page.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "gui_test.h"
#include "main_window_fixture.h"
#include "sample_disc.h"
#include <QTableWidget>
#include "views/bdmv/objects_view.h"

namespace mirdal::gui::test {

class PlayerPanelTest : public QObject {
  Q_OBJECT
 private slots:
  void playsTheDiscAndLeadsBackToTheObjectLine() {
    mirdal::test::TempDir root;
    const std::string disc = copySampleDisc(root);
    if (disc.empty()) QSKIP("no sample disc");
    Window t;
    t.w->setDiscFolder(disc);
    t.w->readDiscClicked();
    QTest::mouseClick(t.find<QPushButton>("bPlayDisc"), Qt::LeftButton);
    auto* panel = t.w->findChild<QWidget*>("wPlayerPanel");
    QVERIFY(panel);
    const auto field = [&](const char* name) { return panel->findChild<QLabel*>(name)->text(); };
    // First Playback jumps to title 1, whose object 2 plays playlist 00001.
    QCOMPARE(field("lPlayerTitle"), QString("1"));
    QCOMPARE(field("lPlayerObject"), QString("2, line 1"));
    QCOMPARE(field("lPlayerPlaylist"), QString("00001"));
    QCOMPARE(field("lPlayerChapter"), QString("1"));

    QTest::mouseClick(panel->findChild<QPushButton*>("bPlayerTopMenu"), Qt::LeftButton);
    QCOMPARE(field("lPlayerTitle"), QString("Top Menu"));
    QCOMPARE(field("lPlayerPlaylist"), QString("00000"));
    QCOMPARE(t.w->workspace().regs.gpr[0], 1u);  // object 1's Move GPR0, 1 ran on the workspace's registers

    // The trace line of object 1's line 1 ("Play PL 0") leads there.
    auto* trace = panel->findChild<QListWidget*>("lbPlayerTrace");
    int row = -1;
    for (int i = 0; i < trace->count(); ++i)
      if (trace->item(i)->text().contains("object 1 Line 0001")) row = i;
    QVERIFY(row >= 0);
    const QRect r = trace->visualItemRect(trace->item(row));
    QTest::mouseClick(trace->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(trace->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(t.w->currentPage(), Page::BDMV);
    QCOMPARE(t.find<ObjectsView>("vObjects")->selectedObject(), 1);
    QCOMPARE(t.find<QTableWidget>("sgCommands")->currentRow(), 1);
  }
};

MIRDAL_GUI_TEST(PlayerPanelTest)

}  // namespace mirdal::gui::test

#include "player_panel_test.moc"
