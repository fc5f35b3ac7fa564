// The main window: page change, Save routing, the Read from every start
// (button, folder chooser, drop, command line), the log and status line,
// Cancel, the pane rules.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextFragment>
#include <QUrl>

#include "gui_test.h"
#include "main_window_fixture.h"
#include "sample_disc.h"
#include "views/common/availability.h"
#include "views/bdmv/bdmv_page.h"
#include "views/playlist/playlist_page.h"
#include "views/shell/shared_controls.h"
#include "views/shell/status_bar.h"
#include "views/common/ui_metrics.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui::test {

namespace {

// A view that records what the window asks of it.
struct FakeView : PageView {
  FakeView(QString n, QStringList* log) : name(std::move(n)), calls(log) {}
  void refresh() override { ++refreshed; }
  bool hasSomethingToSave() const override { return saveable; }
  void save() override { *calls << name; }
  bool canStart() const override { return startable; }
  void pageEntered() override { ++entered; }
  QString name;
  QStringList* calls;
  bool saveable = false;
  bool startable = false;
  int refreshed = 0;
  int entered = 0;
};

bool shown(QWidget* w) { return w && !w->isHidden(); }

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void pagesInOrder() {
    Window t;
    const QStringList captions{"&BDMV", "&PLAYLIST", "&CLIPINF", "&Menu", "BD&JO", "&Options", "S&tatus", "&About"};
    QTabWidget* pc = t.find<QTabWidget>("PageControl");
    QCOMPARE(pc->count(), captions.size());
    for (int i = 0; i < pc->count(); ++i) QCOMPARE(pc->tabText(i), captions[i]);
    QCOMPARE(t.w->objectName(), QString("fMain"));
    QCOMPARE(t.w->windowTitle(), QString("Mirdal v0.34b"));
  }

  void pageChangeTable_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("saveHint");  // empty: Save hidden
    QTest::addColumn<QStringList>("shownControls");
    const QStringList bdmv{"pExecute", "cbObject", "pRegisters"};
    const QStringList menu{"pExecute", "cbButton", "pNavigate", "pRegisters", "bLoadMenu", "bMux"};
    QTest::newRow("BDMV") << int(Page::BDMV) << "Save the bdmv files" << bdmv;
    QTest::newRow("PLAYLIST") << int(Page::Playlist) << "Save %1.mpls" << QStringList{"bFind"};
    QTest::newRow("CLIPINF") << int(Page::ClipInfo) << "Save %1.clpi" << QStringList{"bFind"};
    QTest::newRow("Menu") << int(Page::Menu) << "Save the IGS menu (*.mnu)" << menu;
    QTest::newRow("BDJO") << int(Page::BDJO) << "Save" << QStringList{};
    QTest::newRow("Options") << int(Page::Options) << "" << QStringList{};
    QTest::newRow("Status") << int(Page::Status) << "" << QStringList{"pRegisters"};
    QTest::newRow("About") << int(Page::About) << "" << QStringList{};
  }

  void pageChangeTable() {
    QFETCH(int, page);
    QFETCH(QString, saveHint);
    QFETCH(QStringList, shownControls);
    mirdal::test::TempDir root;
    Window t;
    t.w->setDiscFolder(makeDisc(root));
    t.w->readDiscClicked();
    t.w->showPage(Page(page));

    // The hint names the file selected in the page's choice.
    if (page == int(Page::Playlist)) saveHint = saveHint.arg(t.find<QComboBox>("cbPlaylist")->currentText());
    if (page == int(Page::ClipInfo)) saveHint = saveHint.arg(t.find<QComboBox>("cbClipinf")->currentText());
    QVERIFY(!saveHint.contains("Save ."));
    auto* save = t.find<QPushButton>("bSave");
    QCOMPARE(shown(save), !saveHint.isEmpty());
    if (!saveHint.isEmpty()) QCOMPARE(save->toolTip(), saveHint);
    QVERIFY(!save->isEnabled());  // nothing loaded that could be saved
    const QStringList all{"pExecute", "cbObject", "cbButton", "pNavigate", "pRegisters",
                          "bFind", "bLoadMenu", "bMux"};
    for (const QString& name : all) {
      QWidget* c = t.find<QWidget>(name.toLatin1().constData());
      const bool inPanel = name == "cbObject" || name == "cbButton";
      const bool visible = inPanel ? shown(c) && shown(t.find<QWidget>("pExecute")) : shown(c);
      if (visible != shownControls.contains(name)) QFAIL(qPrintable(name + " shown: " + QString::number(visible)));
    }
    // Start waits for a movie object with commands; Find works once a disc
    // was read; a menu can be loaded at any time.
    for (const char* name : {"bStart", "bMux", "bNavUp"})
      QVERIFY2(!t.find<QWidget>(name)->isEnabled(), name);
    QVERIFY(t.find<QWidget>("bFind")->isEnabled());
    QVERIFY(t.find<QWidget>("bLoadMenu")->isEnabled());
  }

  void saveRoutingFollowsThePagesViews() {
    Window t;
    QStringList calls;
    FakeView index("index", &calls), mobj("mobj", &calls), sound("sound", &calls), playlist("pl", &calls);
    t.w->addPageView(Page::BDMV, &index);
    t.w->addPageView(Page::BDMV, &mobj);
    t.w->addPageView(Page::BDMV, &sound);
    t.w->addPageView(Page::Playlist, &playlist);
    index.saveable = mobj.saveable = true;
    t.w->showPage(Page::BDMV);
    t.w->pageControlChanged();
    auto* save = t.find<QPushButton>("bSave");
    QVERIFY(save->isEnabled());
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(calls, (QStringList{"index", "mobj"}));

    calls.clear();
    t.w->showPage(Page::Playlist);
    QVERIFY(!save->isEnabled());
    playlist.saveable = true;
    t.w->pageControlChanged();
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(calls, QStringList{"pl"});
    QVERIFY(playlist.entered >= 2);

    // BD-J objects are never saved, whatever a view says.
    FakeView bdjo("bdjo", &calls);
    bdjo.saveable = true;
    t.w->addPageView(Page::BDJO, &bdjo);
    t.w->showPage(Page::BDJO);
    QVERIFY(!save->isEnabled());
  }

  void startFollowsTheViewsOfThePage() {
    mirdal::test::TempDir root;
    Window t;
    t.w->setDiscFolder(makeDisc(root));
    t.w->readDiscClicked();  // the program-run panel is enabled by a Read
    QStringList calls;
    FakeView objects("objects", &calls);
    t.w->addPageView(Page::BDMV, &objects);
    auto* start = t.find<QPushButton>("bStart");
    t.w->pageControlChanged();
    QVERIFY(!start->isEnabled());
    objects.startable = true;
    t.w->pageControlChanged();
    QVERIFY(start->isEnabled());
    objects.startable = false;
    t.w->pageControlChanged();
    QVERIFY(!start->isEnabled());
  }

  void readFillsEveryPage() {
    mirdal::test::TempDir root;
    const std::string disc = makeDisc(root, false, true);
    Window t;
    QStringList calls;
    FakeView view("v", &calls);
    t.w->addPageView(Page::ClipInfo, &view);
    t.w->setDiscFolder(disc);
    QTest::mouseClick(t.find<QPushButton>("bReadBDMV"), Qt::LeftButton);

    QCOMPARE(t.w->windowTitle(), QString("Mirdal v0.34b [Movie]"));
    QCOMPARE(t.find<QLineEdit>("eBDMVdir")->text(), QString::fromStdString(disc));
    const QStringList log = t.logLines();
    QVERIFY(log.contains(" PLAYLIST folder: OK"));
    QVERIFY(log.contains("   Found 2 playlists."));
    auto* pl = t.find<QComboBox>("cbPlaylist");
    QCOMPARE(pl->count(), 2);
    QVERIFY(pl->findText("00001") >= 0 && pl->findText("00000") >= 0);
    QVERIFY(pl->isEnabled());
    QCOMPARE(t.find<QComboBox>("cbClipinf")->count(), 2);
    QVERIFY(!t.find<QComboBox>("cbBDJO")->isEnabled());
    QVERIFY(t.find<QPushButton>("bReadPL")->isEnabled());
    QVERIFY(t.find<QWidget>("pExecute")->isEnabled());
    QVERIFY(shown(t.find<QGroupBox>("gbSound")));
    QVERIFY(t.find<QPushButton>("bReadBDMV")->isEnabled());
    QCOMPARE(view.refreshed, 2);  // emptied at the start, filled at the end
    QCOMPARE(t.w->statusLine()->panelText(0), QString(" Ready. "));
  }

  void failedReadLeavesNothingLoaded() {
    mirdal::test::TempDir root;
    Window t;
    t.w->setDiscFolder(makeDisc(root, false, true));
    t.w->readDiscClicked();
    t.w->setDiscFolder(root.folder() + "Nowhere/BDMV/");
    t.w->readDiscClicked();
    QCOMPARE(t.w->windowTitle(), QString("Mirdal v0.34b"));
    QCOMPARE(t.find<QComboBox>("cbPlaylist")->count(), 0);
    QVERIFY(!t.find<QComboBox>("cbPlaylist")->isEnabled());
    QVERIFY(!shown(t.find<QGroupBox>("gbSound")));
    QVERIFY(t.logLines().contains(" ERROR: Check failed."));
    QVERIFY(t.w->statusLine()->errorMark());
    QVERIFY(t.find<QPushButton>("bReadBDMV")->isEnabled());
  }

  void logRunsAndErrorMark() {
    Window t;
    mirdal::gui::guiReporter().log("[b]A[/b]B[re]C[/re]");
    const QTextBlock b = t.w->messageLog()->document()->lastBlock();
    QCOMPARE(b.text(), QString(" ABC"));
    struct Frag {
      QString text;
      bool bold;
      QColor color;
    };
    QList<Frag> frags;
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      frags << Frag{f.text(), f.charFormat().fontWeight() == QFont::Bold,
                    f.charFormat().hasProperty(QTextFormat::ForegroundBrush) ? f.charFormat().foreground().color()
                                                                            : QColor()};
    }
    QCOMPARE(frags.size(), 4);
    QCOMPARE(frags[0].text, QString(" "));
    QVERIFY(!frags[0].bold);
    QCOMPARE(frags[1].text, QString("A"));
    QVERIFY(frags[1].bold);
    QCOMPARE(frags[2].text, QString("B"));
    QVERIFY(!frags[2].bold && !frags[2].color.isValid());
    QCOMPARE(frags[3].text, QString("C"));
    QCOMPARE(frags[3].color, QColor(255, 0, 0));

    // Formatting never carries over to the next paragraph.
    mirdal::gui::guiReporter().log("[b]open bold");
    mirdal::gui::guiReporter().log("plain");
    const QTextBlock last = t.w->messageLog()->document()->lastBlock();
    QCOMPARE(last.begin().fragment().charFormat().fontWeight(), int(QFont::Normal));

    StatusBar* sb = t.w->statusLine();
    mirdal::gui::guiReporter().logError("X");
    QVERIFY(sb->errorMark());
    QVERIFY(sb->font().bold());
    QCOMPARE(sb->panelText(1), QString(" X"));
    QCOMPARE(sb->toolTip(), QString("X"));
    QVERIFY(sb->panelWidth(0) >= px(sb, 55));
    QCOMPARE(t.logLines().last(), QString(" ERROR: X"));
    mirdal::gui::guiReporter().setStatusReady();
    QVERIFY(!sb->errorMark());
    QVERIFY(!sb->font().bold());
    QCOMPARE(sb->panelText(0), QString(" Ready. "));
    mirdal::gui::guiReporter().setStatusPanel("abc", 0);
    QCOMPARE(sb->toolTip(), QString("X"));
    QCOMPARE(sb->panelWidth(0), sb->fontMetrics().horizontalAdvance(" abc m"));
    mirdal::gui::guiReporter().setStatusPanel("abc", 1);
    QCOMPARE(sb->toolTip(), QString("abc"));
  }

  void cancelAsksWhenTheOperationWantsIt() {
    Window t;
    SharedControls* sc = t.w->shared();
    auto* cancel = t.find<QPushButton>("bCancel");
    QVERIFY(!cancel->isEnabled());

    mirdal::CancelToken op;
    mirdal::gui::guiReporter().startProgress(op, true);
    QVERIFY(cancel->isEnabled());
    QVERIFY(shown(sc->progressBar()));
    QVERIFY(!shown(sc->executePanel()));
    t.ia.answers = {Answer::No};
    QTest::mouseClick(cancel, Qt::LeftButton);
    QCOMPARE(t.ia.questions, QStringList{"Are you sure to stop?"});
    QVERIFY(!op.requested());

    t.ia.answers = {Answer::Yes};
    QTest::mouseClick(cancel, Qt::LeftButton);
    QVERIFY(op.requested());
    QCOMPARE(t.w->statusLine()->panelText(1), QString(" Cancelled. "));
    QCOMPARE(t.logLines().last(), QString(" "));

    mirdal::gui::guiReporter().endProgress();
    QVERIFY(!cancel->isEnabled());
    QVERIFY(!shown(sc->progressBar()));
    QVERIFY(shown(sc->executePanel()));  // the BDMV page's controls are back

    // An operation that does not ask: Cancel stops it at once.
    mirdal::CancelToken quiet;
    mirdal::gui::guiReporter().startProgress(quiet, false);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QVERIFY(quiet.requested());
    QCOMPARE(t.ia.questions.size(), 2);
    mirdal::gui::guiReporter().endProgress();
    QVERIFY(t.ia.unexpected.isEmpty());
  }

  void cancelStopsARunningProgramFirst() {
    Window t;
    bool stopped = false;
    t.w->setProgramCanceller([&] { return stopped = true; });
    mirdal::CancelToken op;
    mirdal::gui::guiReporter().startProgress(op, true);
    QTest::mouseClick(t.find<QPushButton>("bCancel"), Qt::LeftButton);
    QVERIFY(stopped);
    QVERIFY(!op.requested());
    QVERIFY(t.ia.questions.isEmpty());
    mirdal::gui::guiReporter().endProgress();
  }

  void dropChoosesTheNameSet_data() {
    QTest::addColumn<bool>("shortDisc");
    QTest::addColumn<QString>("dropped");
    QTest::addColumn<bool>("shortAfter");
    QTest::newRow("INDEX.BDM") << true << "INDEX.BDM" << true;
    QTest::newRow("MOVIEOBJ.BDM") << true << "MOVIEOBJ.BDM" << true;
    QTest::newRow("index.bdmv") << false << "index.bdmv" << false;
    // The Read switches to the names the folder holds, whatever was dropped.
    QTest::newRow("other file of a short-named disc") << true << "x.bdm" << true;
    QTest::newRow("lower-case .bdm is not the short index") << false << "x.bdm" << false;
  }

  void dropChoosesTheNameSet() {
    QFETCH(bool, shortDisc);
    QFETCH(QString, dropped);
    QFETCH(bool, shortAfter);
    mirdal::test::TempDir root;
    const std::string disc = makeDisc(root, shortDisc);
    root.write("Movie/BDMV/x.bdm");
    Window t;
    t.w->workspace().options.shortNames = !shortAfter;
    QMimeData md;
    md.setUrls({QUrl::fromLocalFile(QString::fromStdString(disc) + dropped)});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &md, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(t.w.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &md, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(t.w.get(), &drop);
    QCOMPARE(QString::fromStdString(t.w->workspace().disc.folder), QString::fromStdString(disc));
    QVERIFY(t.w->workspace().disc.checkPassed);
    QCOMPARE(t.w->workspace().options.shortNames, shortAfter);
  }

  void commandLine_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("menuLoaded");
    QTest::addColumn<QString>("folder");  // relative to the temporary root
    QTest::newRow("index.bdmv") << "Movie/BDMV/index.bdmv" << false << "Movie/BDMV/";
    QTest::newRow("a.mnu") << "menus/a.mnu" << true << "";
    QTest::newRow("a.MNU names a disc folder") << "menus/a.MNU" << false << "menus/";
  }

  void commandLine() {
    QFETCH(QString, argument);
    QFETCH(bool, menuLoaded);
    QFETCH(QString, folder);
    mirdal::test::TempDir root;
    makeDisc(root);
    root.write("menus/a.mnu");
    root.write("menus/a.MNU");
    Window t;
    QStringList loaded;
    t.w->setMenuLoader([&](const QString& f) { loaded << f; });
    const QString arg = QString::fromStdString(root.folder()) + argument;
    t.w->startUp({arg});
    QCOMPARE(loaded, menuLoaded ? QStringList{arg} : QStringList{});
    QCOMPARE(QString::fromStdString(t.w->workspace().disc.folder),
             folder.isEmpty() ? QString() : QString::fromStdString(root.folder()) + folder);
    // The menu file alone reads no disc folder; anything else does.
    QCOMPARE(t.logLines().isEmpty(), menuLoaded);
  }

  void folderChooserStartsAboveTheDiscFolder() {
    mirdal::test::TempDir root;
    const std::string disc = makeDisc(root);
    Window t;
    t.w->setDiscFolder(disc);
    t.ia.folders = {QString::fromStdString(root.folder()) + "Movie"};
    QTest::mouseClick(t.find<QWidget>("bbOpenDir"), Qt::LeftButton);
    QCOMPARE(t.ia.folderRequests,
             QStringList{"Select a directory|" + QString::fromStdString(root.folder()) + "Movie"});
    QCOMPARE(QString::fromStdString(t.w->workspace().disc.folder), QString::fromStdString(disc));
    QVERIFY(t.w->workspace().disc.checkPassed);  // Auto Read ran

    // Cancelling the chooser changes nothing.
    t.w->openFolderClicked();
    QCOMPARE(QString::fromStdString(t.w->workspace().disc.folder), QString::fromStdString(disc));
  }

  void autoReadOfThePlaylistOncePerRead_data() {
    QTest::addColumn<bool>("autoRead");
    QTest::addColumn<int>("reads");
    QTest::newRow("Auto Read on") << true << 1;
    QTest::newRow("Auto Read off") << false << 0;
  }

  void autoReadOfThePlaylistOncePerRead() {
    QFETCH(bool, autoRead);
    QFETCH(int, reads);
    mirdal::test::TempDir root;
    Window t;
    int count = 0;
    connectAction(t.find<QPushButton>("bReadPL"), [&] { ++count; }, false);
    t.w->setDiscFolder(makeDisc(root));
    t.w->readDiscClicked();
    t.w->workspace().options.autoRead = autoRead;
    t.w->showPage(Page::Playlist);
    t.w->showPage(Page::BDMV);
    t.w->showPage(Page::Playlist);
    QCOMPARE(count, reads);
    // A new Read allows one more.
    t.w->readDiscClicked();
    QCOMPARE(count, 2 * reads);
  }

  // Tab goes from control to control, from the folder field down the page;
  // it never walks through the cells of a grid.
  void tabOrderFollowsThePage() {
    mirdal::test::TempDir root;
    const std::string disc = copySampleDisc(root);
    if (disc.empty()) QSKIP("no sample disc");
    Window t;
    t.w->show();
    t.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(t.w.get()));
    t.w->setDiscFolder(disc);
    t.w->readDiscClicked();
    auto* objects = t.find<StringGrid>("sgObject");
    const int row = objects->currentRow();
    t.find<QWidget>("eBDMVdir")->setFocus();
    QStringList visited;
    for (int i = 0; i < 40; ++i) {
      visited << QApplication::focusWidget()->objectName();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited.mid(0, 6),
             (QStringList{"eBDMVdir", "bbOpenDir", "bReadBDMV", "bCheckDisc", "bPlayDisc", "sgObject"}));
    QCOMPARE(visited.count("sgObject"), 1);
    QCOMPARE(objects->currentRow(), row);
    const auto at = [&](const char* name) { return visited.indexOf(QString::fromLatin1(name)); };
    QVERIFY2(at("sgCommands") > at("sgObject"), qPrintable(visited.join(' ')));
    QVERIFY2(at("sgTitles") > at("sgCommands"), qPrintable(visited.join(' ')));
  }

  // A wrong index header leaves the playlist and clip choices disabled
  // (the half-loaded state); the BD-J choice does not depend on the index.
  void badIndexHeaderDisablesThePlaylistAndClipChoices() {
    mirdal::test::TempDir root;
    const std::string disc = copySampleDisc(root);
    if (disc.empty()) QSKIP("no sample disc");
    Window t;
    t.w->setDiscFolder(disc);
    t.w->readDiscClicked();
    QVERIFY(t.find<QComboBox>("cbPlaylist")->isEnabled());
    root.write("Sample/BDMV/index.bdmv", std::string("INDX0400") + std::string(100, '\0'));
    t.w->readDiscClicked();
    QVERIFY(t.find<QComboBox>("cbPlaylist")->count() > 0);
    QVERIFY(!t.find<QComboBox>("cbPlaylist")->isEnabled());
    QVERIFY(!t.find<QComboBox>("cbClipinf")->isEnabled());
    QVERIFY(t.find<QComboBox>("cbBDJO")->isEnabled());
    // The Read's error stays on the status line.
    QVERIFY(t.w->statusLine()->errorMark());
    QCOMPARE(t.w->statusLine()->panelText(1), QString(" index.bdmv format error at $00000008"));
    QVERIFY(!t.logLines().contains(" version 0300 (Ultra HD) is not supported"));
  }

  // Objects behind the end of a truncated MovieObject.bdmv were never read:
  // their rows stay blank.
  void objectsPastTheEndShowBlankRows() {
    mirdal::test::TempDir root;
    const std::string disc = copySampleDisc(root);
    if (disc.empty()) QSKIP("no sample disc");
    const auto file = std::filesystem::path(disc) / "MovieObject.bdmv";
    // The 40-byte header, the block's length, reserved word and count, then
    // object 0 (flags, count, commands): the other objects lie behind the end.
    mirdal::Bytes bytes = root.read("Sample/BDMV/MovieObject.bdmv");
    const std::size_t commands0 = std::size_t(bytes[52]) << 8 | bytes[53];
    bytes.resize(54 + 12 * commands0);
    std::filesystem::remove(file);
    root.write("Sample/BDMV/MovieObject.bdmv", bytes);
    Window t;
    t.w->setDiscFolder(disc);
    t.w->readDiscClicked();
    auto* g = t.find<StringGrid>("sgObject");
    QVERIFY(g->dataRowCount() > 2);
    QCOMPARE(g->cell(0, 0), QString("000"));
    for (int r = 1; r < g->dataRowCount(); ++r) QCOMPARE(rowOf(g, r).join(""), QString());
  }

  void objectsPaneGivesWayToTheCommands() {
    Window t;
    t.w->show();
    BdmvPage* p = t.w->bdmvPage();
    p->setObjectHeight(2000);
    QCoreApplication::processEvents();
    const int minCommands = px(p, BdmvPage::kMinCommandsHeight);
    QCOMPARE(p->commandsPane()->height(), minCommands);
    p->setObjectHeight(75);
    QCOMPARE(p->objectHeight(), 75);
    // A tall window shares its height: the commands get most of it, the
    // objects a quarter of what the commands do not need.
    t.w->resize(t.w->width(), t.w->height() + 600);
    QCoreApplication::processEvents();
    const QSplitter* s = p->movieObjectSplitter();
    const int spare = s->height() - s->handleWidth() - minCommands;
    QVERIFY2(std::abs(p->objectHeight() - spare / 4) <= 2, qPrintable(QString::number(p->objectHeight())));
    QVERIFY(p->commandsPane()->height() > 2 * p->objectHeight());
    // Back to the small window: the height set comes back.
    t.w->resize(t.w->width(), t.w->height() - 600);
    QCoreApplication::processEvents();
    QCOMPARE(p->objectHeight(), 75);
    // A height the user drags to holds in the tall window.
    QSplitter* split = p->movieObjectSplitter();
    split->setSizes({60, split->height() - split->handleWidth() - 60});
    emit split->splitterMoved(60, 1);
    t.w->resize(t.w->width(), t.w->height() + 600);
    QCoreApplication::processEvents();
    QCOMPARE(p->objectHeight(), 60);
  }

  void playlistPanesKeepTheirMinimums() {
    Window t;
    t.w->showPage(Page::Playlist);
    t.w->show();
    PlaylistPage* p = t.w->playlistPage();
    p->setPaneHeights(1000, 1000);
    QCoreApplication::processEvents();
    // Both lower panes are at their minimum (which a group's frame may raise
    // by a few pixels); "PlayList" has the rest.
    const int minMark = px(p, PlaylistPage::kMinMarkHeight);
    const int minSub = px(p, PlaylistPage::kMinSubPathHeight);
    QVERIFY(p->playListMarkHeight() >= minMark && p->playListMarkHeight() <= minMark + 8);
    QVERIFY(p->subPathHeight() >= minSub && p->subPathHeight() <= minSub + 8);
    const QSplitter* s = p->playlistSplitter();
    QCOMPARE(p->playListHeight() + p->subPathHeight() + p->playListMarkHeight(),
             s->height() - 2 * s->handleWidth());
    p->setPaneHeights(40, 120);
    QCOMPARE(p->playListHeight(), 40);
    QCOMPARE(p->subPathHeight(), 120);
    QVERIFY(p->playListMarkHeight() >= px(p, PlaylistPage::kMinMarkHeight));
  }

  // The SubPath pane was one grid row high in a full-screen window: growth
  // went to "PlayListMark" alone. A taller window shares it among the three
  // panes; back in the window they were set in, the heights set return.
  void playlistPanesShareATallerWindow() {
    Window t;
    t.w->showPage(Page::Playlist);
    t.w->show();
    PlaylistPage* p = t.w->playlistPage();
    const PaneHeights defaults;
    p->setPaneHeights(defaults.playList, defaults.subPath, defaults.playListMark);
    const int setAt = defaults.playList + defaults.subPath + defaults.playListMark;
    QSplitter* s = p->playlistSplitter();
    const auto total = [&] { return s->height() - 2 * s->handleWidth(); };
    t.w->resize(t.w->width(), t.w->height() + setAt + 600 - total());
    QCoreApplication::processEvents();
    QCOMPARE(total(), setAt + 600);
    QCOMPARE(p->playListHeight(), defaults.playList + 200);
    QCOMPARE(p->subPathHeight(), defaults.subPath + 200);
    QCOMPARE(p->playListMarkHeight(), defaults.playListMark + 200);
    // Dragged in the tall window, the heights hold there.
    s->setSizes({300, 400, total() - 700});
    emit s->splitterMoved(300, 1);
    t.w->resize(t.w->width(), t.w->height() + 90);
    QCoreApplication::processEvents();
    QCOMPARE(p->playListHeight(), 330);
    QCOMPARE(p->subPathHeight(), 430);
    t.w->resize(t.w->width(), t.w->height() - 90);
    QCoreApplication::processEvents();
    QCOMPARE(p->playListHeight(), 300);
    QCOMPARE(p->subPathHeight(), 400);
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::MainWindowTest;
MIRDAL_GUI_TEST(MainWindowTest)
#include "main_window_test.moc"
