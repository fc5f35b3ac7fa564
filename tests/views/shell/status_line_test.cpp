// The status line as the user meets it after an action: the error of a
// failed action shows there, even when the action went on to show other
// messages; it stays while later actions do nothing and goes with the next
// one that does something; Save says what it wrote.
#include <QPushButton>
#include <filesystem>
#include <QToolButton>

#include "gui_test.h"
#include "main_window_fixture.h"
#include "sample_disc.h"
#include "views/bdmv/bdmv_page.h"
#include "views/shell/page_tabs.h"
#include "views/sound/sound_view.h"
#include "views/shell/status_bar.h"

namespace mirdal::gui::test {

namespace {

struct StatusLineSample {
  mirdal::test::TempDir root;
  std::string disc = copySampleDisc(root);
  Window t;

  void read() {
    t.w->setDiscFolder(disc);
    t.w->show();
    t.w->readDiscClicked();
  }
  Workspace& ws() { return t.w->workspace(); }
  StatusBar* status() { return t.w->statusLine(); }
  QString panel(int i) { return status()->panelText(i).trimmed(); }
  // A 44.1 kHz WAV, which a sound entry cannot take.
  QString wav44k() {
    mirdal::test::WavShape s;
    s.rate = 44100;
    s.samples = mirdal::test::pattern(4410 * 2, 3);
    return QString::fromStdString(root.write("cd.wav", mirdal::test::wavFile(s).data()).string());
  }
  // The sound "+" as the user presses it: Ins on the sound grid.
  void insertSound(const QString& file) {
    auto* grid = t.find<StringGrid>("sgSounds");
    t.w->bdmvPage()->findChild<SoundView*>()->selectSound(0);
    t.ia.files << file;
    QTest::keyClick(grid, Qt::Key_Insert);
  }
};

#define SAMPLE(f)                                           \
  StatusLineSample f;                                                 \
  if (f.disc.empty()) QSKIP("the sample disc is missing"); \
  f.read()

}  // namespace

class StatusLineTest : public QObject {
  Q_OBJECT
 private slots:
  // The refused WAV inserts nothing; selecting the row again showed its
  // details over the error, which said "Ready." as if all went well.
  void aRefusedWavShowsItsError() {
    SAMPLE(f);
    const std::size_t sounds = f.ws().sound.model().entries.size();
    f.insertSound(f.wav44k());
    QCOMPARE(f.ws().sound.model().entries.size(), sounds);
    QVERIFY(f.status()->errorMark());
    QVERIFY2(f.panel(1).startsWith("Wave format error"), qPrintable(f.panel(1)));
    // The program stops three seconds on the error, through the
    // Interaction: here it is counted, not waited.
    QCOMPARE(f.t.ia.pausedMs, 3000);
  }

  // Showing another page does nothing: the error stays for the user to
  // read. The next action that changes something takes it away.
  void theErrorStaysUntilAnActionDoesSomething() {
    SAMPLE(f);
    f.insertSound(f.wav44k());
    QVERIFY(f.status()->errorMark());
    QTest::mouseClick(f.t.w->pageControl()->tabBar(), Qt::LeftButton, {},
                      f.t.w->pageControl()->tabBar()->tabRect(int(Page::Status)).center());
    QCOMPARE(f.t.w->currentPage(), Page::Status);
    QVERIFY(f.status()->errorMark());
    f.t.w->showPage(Page::BDMV);
    QTest::mouseClick(f.t.find<QToolButton>("bbTiins"), Qt::LeftButton);
    QVERIFY(f.ws().index.modified());
    QVERIFY(!f.status()->errorMark());
    QCOMPARE(f.panel(0), QString("Ready."));
  }

  // Save names the files it wrote on the status line.
  void saveSaysWhatItWrote() {
    SAMPLE(f);
    f.t.w->showPage(Page::Playlist);
    QVERIFY(f.ws().playlist.loaded());
    QTest::mouseClick(f.t.find<QPushButton>("bSave"), Qt::LeftButton);
    QVERIFY(!f.status()->errorMark());
    QCOMPARE(f.panel(0), QString("Ready."));
    QCOMPARE(f.panel(1), QString("00000.mpls saved."));
  }

  // A Save that fails says why, not what it would have written.
  void aFailedSaveShowsItsError() {
    SAMPLE(f);
    f.t.w->showPage(Page::Playlist);
    // The playlist folder is gone: the file cannot be written.
    std::filesystem::remove_all(f.disc + "PLAYLIST");
    QTest::mouseClick(f.t.find<QPushButton>("bSave"), Qt::LeftButton);
    QVERIFY(f.status()->errorMark());
    QVERIFY2(f.panel(1).startsWith("Cannot create"), qPrintable(f.panel(1)));
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::StatusLineTest;
MIRDAL_GUI_TEST(StatusLineTest)
#include "status_line_test.moc"

// Other test files, compiled in the same bundle, define their own.
#undef SAMPLE
