// The "BD&JO" page on the sample disc's BD-J object: every group filled,
// the application details, the reading rules and the link to the playlists.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "documents/workspace.h"
#include "formats/bdjo/bdjo.h"
#include "gui_test.h"
#include "main_window_fixture.h"
#include "sample_disc.h"
#include "views/bdjo/bdjo_page.h"
#include "views/bdjo/bdjo_view.h"
#include "views/common/hex_edit.h"
#include "views/common/string_grid.h"

namespace mirdal::gui::test {

namespace {

}  // namespace

class BdjoViewTest : public QObject {
  Q_OBJECT
 private slots:
  void enteringThePageReadsTheObject() {
    mirdal::test::TempDir root;
    const std::string disc = copySampleDisc(root);
    if (disc.empty()) QSKIP("the sample disc is missing");
    Window t;
    t.w->setDiscFolder(disc);
    t.w->show();
    t.w->readDiscClicked();
    QVERIFY(!t.w->workspace().bdjo.loaded());
    t.w->showPage(Page::BDJO);
    QVERIFY(t.w->workspace().bdjo.loaded());
    QVERIFY(!t.find<QPushButton>("bSave")->isEnabled());
    QVERIFY(!t.find<QPushButton>("bSave")->isHidden());

    QCOMPARE(t.find<QLineEdit>("eDefaultFont")->text(), QString("00000"));
    QCOMPARE(t.find<HexEdit>("heHAVi")->text(), QString("1"));
    QVERIFY(t.find<QCheckBox>("cbMenuCallMask")->isChecked());
    QVERIFY(!t.find<QCheckBox>("cbTitleSearchMask")->isChecked());

    auto* cache = t.find<StringGrid>("sgAppCacheInf");
    QCOMPARE(cache->dataRowCount(), 2);
    QCOMPARE(rowOf(cache, 1), (QStringList{"1", "2", "00001", "*"}));
    QCOMPARE(cache->horizontalHeaderItem(1)->text(), QString("entry type"));
    QVERIFY(cache->isEnabled());

    QVERIFY(!t.find<QCheckBox>("cbAccessToAll")->isChecked());
    QVERIFY(t.find<QCheckBox>("cbAutostartFirstPL")->isChecked());
    auto* playlists = t.find<StringGrid>("sgAccPLs");
    QCOMPARE(rowOf(playlists, 0), (QStringList{"0", "00000"}));

    auto* apps = t.find<StringGrid>("sgAppManage");
    QCOMPARE(apps->columnCount(), 16);
    QCOMPARE(apps->dataRowCount(), 2);
    QVERIFY(apps->isEnabled());  // more than one application to choose from
    QCOMPARE(apps->cell(0, 3), QString("7FFF0001"));
    QCOMPARE(apps->cell(0, 12), QString("org.mirdal.sample.MenuXlet"));
    QCOMPARE(rowOf(t.find<StringGrid>("sgProfiles"), 0), (QStringList{"1", "0001", "1.0.2"}));
    QCOMPARE(rowOf(t.find<StringGrid>("sgNames"), 1), (QStringList{"2", "fra", "Menu"}));
    QCOMPARE(t.find<StringGrid>("sgParams")->dataRowCount(), 3);

    // Clicking the second application shows its details.
    clickCell(apps, 1);
    QCOMPARE(t.find<StringGrid>("sgParams")->dataRowCount(), 1);
    QCOMPARE(t.find<StringGrid>("sgParams")->cell(0, 1), QString("level=1"));
    QCOMPARE(t.find<StringGrid>("sgNames")->cell(0, 2), QString("Game"));

    // Play to Pause are of interest, the rest not.
    BdjoView* view = t.w->bdjoPage()->view();
    for (std::size_t i = 0; i < kKeyInterestCount; ++i)
      QVERIFY2(view->keyInterest(i)->isChecked() == (i < 7), kKeyInterestCaptions[i]);
    QCOMPARE(t.find<QCheckBox>("cbKeyPrev")->text(), QString("Prev."));
    QCOMPARE(t.find<QLineEdit>("eDirectoryPath")->text(), QString("00001"));

    // A second Read empties the page until the object is read again.
    t.w->showPage(Page::BDMV);
    t.w->readDiscClicked();
    QCOMPARE(apps->dataRowCount(), 0);
    QVERIFY(!apps->isEnabled());
    QCOMPARE(t.find<StringGrid>("sgParams")->dataRowCount(), 0);
    QVERIFY(!t.find<QCheckBox>("cbMenuCallMask")->isChecked());
  }

  // With a single application there is nothing to choose: its row and
  // details are shown, the grid stays disabled.
  void singleApplication() {
    Workspace ws;
    Application a;
    a.parameters = {"x=1"};
    BdjoFile b;
    b.applicationManagementTable.applications = {a};
    ws.bdjo.load(b, "00001.bdjo", true);
    BdjoView view(ws);
    QCOMPARE(view.applicationGrid()->dataRowCount(), 1);
    QVERIFY(!view.applicationGrid()->isEnabled());
    QCOMPARE(view.parameterGrid()->cell(0, 1), QString("x=1"));
    QVERIFY(!view.appCacheGrid()->isEnabled());
  }

  void autoReadOffWaitsForTheReadButton() {
    mirdal::test::TempDir root;
    const std::string disc = copySampleDisc(root);
    if (disc.empty()) QSKIP("the sample disc is missing");
    Window t;
    t.w->workspace().options.autoRead = false;
    t.w->setDiscFolder(disc);
    t.w->readDiscClicked();
    t.w->showPage(Page::BDJO);
    QVERIFY(!t.w->workspace().bdjo.loaded());
    QCOMPARE(t.find<StringGrid>("sgAppManage")->dataRowCount(), 0);
    QTest::mouseClick(t.find<QPushButton>("bReadBDJO"), Qt::LeftButton);
    QVERIFY(t.w->workspace().bdjo.loaded());
    QCOMPARE(t.find<StringGrid>("sgAppManage")->dataRowCount(), 2);
    QVERIFY(t.logLines().contains(" Reading 00001.bdjo"));
  }

  void accessiblePlayListOpensThePlaylistPage() {
    mirdal::test::TempDir root;
    const std::string disc = copySampleDisc(root);
    if (disc.empty()) QSKIP("the sample disc is missing");
    Window t;
    t.w->setDiscFolder(disc);
    t.w->show();
    t.w->readDiscClicked();
    t.w->showPage(Page::BDJO);
    auto* playlists = t.find<StringGrid>("sgAccPLs");
    auto* choice = t.find<QComboBox>("cbPlaylist");
    choice->setCurrentIndex(choice->findText("00000"));
    doubleClickCell(playlists, 1);
    QCOMPARE(t.w->currentPage(), Page::Playlist);
    QCOMPARE(choice->currentText(), QString("00001"));
  }

  void accessiblePlayListNotOnTheDiscDoesNothing() {
    mirdal::test::TempDir root;
    const std::string disc = copySampleDisc(root);
    if (disc.empty()) QSKIP("the sample disc is missing");
    std::filesystem::remove(root.path() / "Sample/BDMV/PLAYLIST/00001.mpls");
    Window t;
    t.w->setDiscFolder(disc);
    t.w->show();
    t.w->readDiscClicked();
    t.w->showPage(Page::BDJO);
    doubleClickCell(t.find<StringGrid>("sgAccPLs"), 1);
    QCOMPARE(t.w->currentPage(), Page::BDJO);
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::BdjoViewTest;
MIRDAL_GUI_TEST(BdjoViewTest)
#include "bdjo_view_test.moc"
