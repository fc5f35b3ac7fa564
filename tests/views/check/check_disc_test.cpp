// The Check disc window as the user meets it: the Read's summary line, the
// severity filter, a double-click on a finding or a click on a node of the
// navigation map opening the page with the row selected.
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>

#include "gui_test.h"
#include "main_window_fixture.h"
#include "sample_disc.h"
#include "views/bdmv/bdmv_page.h"
#include "views/check/check_disc_window.h"
#include "views/check/navmap_view.h"
#include "views/shell/page_tabs.h"
#include "views/playlist/playlist_items_view.h"
#include "views/playlist/playlist_page.h"
#include "views/sound/sound_view.h"

namespace mirdal::gui::test {

namespace {

struct CheckDiscSample {
  mirdal::test::TempDir root;
  std::string disc = copySampleDisc(root);
  Window t;

  void read() {
    t.w->setDiscFolder(disc);
    t.w->show();
    t.w->readDiscClicked();
  }
  CheckDiscWindow* window() { return t.w->findChild<CheckDiscWindow*>("wCheckDisc"); }
  void openCheck() { t.w->bdmvPage()->bCheckDisc()->click(); }
  // The row of sgFindings whose place is `place`.
  int rowOf(const QString& place) {
    StringGrid* g = window()->sgFindings();
    for (int r = 0; r < g->dataRowCount(); ++r)
      if (g->cell(r, 2) == place) return r;
    return -1;
  }
};

#define SAMPLE(f)                                           \
  CheckDiscSample f;                                                 \
  if (f.disc.empty()) QSKIP("the sample disc is missing"); \
  f.read()

}  // namespace

class CheckDiscTest : public QObject {
  Q_OBJECT
 private slots:
  void theReadEndsWithTheSummary() {
    SAMPLE(f);
    // The sample disc's findings are explained in tests/check/real_discs_test.cpp.
    const QStringList lines = f.t.logLines();
    QVERIFY2(!lines.isEmpty() && lines.last().trimmed() == "25 errors, 8 warnings: see Check disc",
             qPrintable(lines.join('\n')));
    QVERIFY(f.t.w->bdmvPage()->bCheckDisc()->isEnabled());
  }

  void theButtonWaitsForARead() {
    Window t;
    QVERIFY(!t.w->bdmvPage()->bCheckDisc()->isEnabled());
  }

  void theFilterHidesWhatIsLessGrave() {
    SAMPLE(f);
    f.openCheck();
    QVERIFY(f.window()->isVisible());
    const struct {
      int item;
      int rows;
    } cases[] = {{0, 36}, {1, 33}, {2, 25}, {0, 36}};
    for (const auto& c : cases) {
      f.window()->cbCheckSeverity()->setCurrentIndex(c.item);
      QCOMPARE(f.window()->sgFindings()->dataRowCount(), c.rows);
    }
    f.window()->cbCheckSeverity()->setCurrentIndex(2);
    for (int r = 0; r < 25; ++r) QCOMPARE(f.window()->findingAt(r)->severity, mirdal::Severity::Error);
  }

  // A double-click shows the page and selects the record: the object and
  // its line on the BDMV page, the PlayItem of the playlist read first.
  void aDoubleClickOpensThePlace() {
    SAMPLE(f);
    f.openCheck();
    f.t.w->showPage(Page::Menu);
    const int psr = f.rowOf("MovieObject.bdmv object 6 line 2");
    QVERIFY(psr >= 0);
    emit f.window()->sgFindings()->cellDoubleClicked(psr, 2);
    QCOMPARE(f.t.w->currentPage(), Page::BDMV);
    QCOMPARE(f.t.w->bdmvPage()->selectedMovieObject(), 6);
    QCOMPARE(f.t.find<StringGrid>("sgCommands")->selectedRowRange(), (QPair<int, int>(2, 2)));

    const int item = f.rowOf("00000.mpls PlayItem 2");
    QVERIFY(item >= 0);
    emit f.window()->sgFindings()->cellDoubleClicked(item, 1);
    QCOMPARE(f.t.w->currentPage(), Page::Playlist);
    QCOMPARE(f.t.w->workspace().playlist.loaded(), true);
    QCOMPARE(f.t.w->playlistPage()->itemsView()->selectedPlayItem(), 2);

    // A register's finding opens its first use: GPR5 is written by object 7 line 12.
    const int gpr = f.rowOf("GPR5");
    QVERIFY(gpr >= 0);
    emit f.window()->sgFindings()->cellDoubleClicked(gpr, 3);
    QCOMPARE(f.t.w->currentPage(), Page::BDMV);
    QCOMPARE(f.t.w->bdmvPage()->selectedMovieObject(), 7);
    QCOMPARE(f.t.find<StringGrid>("sgCommands")->selectedRowRange(), (QPair<int, int>(12, 12)));

    const int sound = f.rowOf("sound.bdmv entry 2");
    QVERIFY(sound >= 0);
    f.t.w->showPage(Page::Playlist);
    emit f.window()->sgFindings()->cellDoubleClicked(sound, 0);
    QCOMPARE(f.t.w->currentPage(), Page::BDMV);
    QCOMPARE(f.t.w->bdmvPage()->findChild<SoundView*>()->selectedSound(), 2);
  }

  void aClickOnAMapNodeOpensItsPage() {
    SAMPLE(f);
    f.openCheck();
    NavmapView* map = f.window()->navMap();
    f.window()->tabs()->setCurrentWidget(map);
    const long object7 = map->graph().find("obj7");
    QVERIFY(object7 >= 0);
    QVERIFY(!map->graph().nodes[std::size_t(object7)].reachable);
    map->centerOn(map->nodeCentre(std::size_t(object7)));
    const QPoint at = map->mapFromScene(map->nodeCentre(std::size_t(object7)));
    QTest::mouseClick(map->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(f.t.w->currentPage(), Page::BDMV);
    QCOMPARE(f.t.w->bdmvPage()->selectedMovieObject(), 7);
  }
};

MIRDAL_GUI_TEST(CheckDiscTest)

}  // namespace mirdal::gui::test

#include "check_disc_test.moc"

// Other test files, compiled in the same bundle, define their own.
#undef SAMPLE
