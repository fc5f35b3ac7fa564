// The "sound.bdmv" group of the "&BDMV" page: what only the GUI does with
// the sound file. Insert through the scripted file dialog and the Ins key,
// the "*" and Save, Shift+Del with the buttons that follow the entry count,
// Save sound entry, play on a machine without audio output, and "Create
// sound.bdmv".
#include <QGroupBox>
#include <QMediaDevices>
#include <QAudioDevice>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "app/audio.h"
#include "audio/sound_wav.h"
#include "formats/sound/sound_bdmv.h"
#include "present/sound_rows.h"
#include "gui_test.h"
#include "main_window_fixture.h"
#include "sample_disc.h"
#include "views/bdmv/bdmv_page.h"
#include "views/shell/options_page.h"
#include "views/shell/page_tabs.h"
#include "views/sound/sound_view.h"
#include "views/shell/status_bar.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui::test {

namespace {

// A stereo WAV of 96 000 data bytes (half a second), samples counting up
// so that swapped or misplaced bytes show.
std::vector<std::uint8_t> halfSecondStereo() {
  mirdal::test::WavShape s;
  s.channels = 2;
  s.samples = mirdal::test::pattern(96000, 5);
  return mirdal::test::wavFile(s).data();
}

struct Disc {
  mirdal::test::TempDir root;
  std::string disc;
  Window t;

  // The sample disc (three sounds) or, with `sound` false, a disc without
  // AUXDATA/sound.bdmv.
  explicit Disc(bool sample = true) { disc = sample ? copySampleDisc(root) : makeDisc(root); }
  void read() {
    t.w->setDiscFolder(disc);
    t.w->readDiscClicked();
  }
  Workspace& ws() { return t.w->workspace(); }
  StringGrid* grid() { return t.find<StringGrid>("sgSounds"); }
  QGroupBox* group() { return t.w->bdmvPage()->soundGroup(); }
  QString bdmvTab() { return t.w->pageControl()->tabText(int(Page::BDMV)); }
  QString wav(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    return QString::fromStdString(root.write(name, bytes).string());
  }
  std::string soundPath() { return disc + "AUXDATA/sound.bdmv"; }
  int logCount(const QString& text) {
    int n = 0;
    for (const QString& l : t.logLines()) n += l.contains(text) ? 1 : 0;
    return n;
  }
};

#define SAMPLE(f)                                           \
  Disc f;                                                   \
  if (f.disc.empty()) QSKIP("the sample disc is missing"); \
  f.read()

}  // namespace

class SoundViewTest : public QObject {
  Q_OBJECT
 private slots:
  // Ins with the first row selected puts the new sound at index 1; the page
  // gets its "*"; Save writes a file the reader loads with the new sound
  // and clears the "*".
  void insertFromWavThenSave() {
    SAMPLE(f);
    QVERIFY(f.group()->isVisibleTo(f.t.w.get()));
    const std::size_t before = f.ws().sound.model().entries.size();
    QVERIFY(before >= 1);
    const SoundEntry first = f.ws().sound.model().entries[0];
    f.grid()->setFocus();
    f.t.w->bdmvPage()->findChild<SoundView*>()->selectSound(0);
    f.t.ia.files << f.wav("half.wav", halfSecondStereo());
    QTest::keyClick(f.grid(), Qt::Key_Insert);

    QCOMPARE(f.t.ia.fileRequests.size(), 1);
    QCOMPARE(f.t.ia.fileRequests[0].title, QString("Select a sound file (mandatory 16 bit, 48kHz, uncompressed)"));
    QCOMPARE(f.t.ia.fileRequests[0].filter, QString("Wave|*.wav"));
    QCOMPARE(f.grid()->dataRowCount(), int(before) + 1);
    QCOMPARE(rowOf(f.grid(), 1), (QStringList{"001", "Stereo", "48kHz", "16", "0.5 s"}));
    QCOMPARE(f.grid()->selectedRowRange().first, 1);
    QCOMPARE(f.bdmvTab(), QString("&BDMV*"));

    f.t.w->showPage(Page::BDMV);
    f.t.w->saveClicked();
    QCOMPARE(f.bdmvTab(), QString("&BDMV"));
    SoundFile back;
    QCOMPARE(readSoundFile(f.soundPath(), back, mirdal::gui::guiReporter()).status, ReadStatus::Ok);
    QCOMPARE(back.entries.size(), before + 1);
    QVERIFY(back.entries[0] == first);
    // The samples are stored big-endian: each pair of the WAV's bytes swapped.
    const auto wavSamples = mirdal::test::pattern(96000, 5);
    QCOMPARE(back.entries[1].data.size(), wavSamples.size());
    QCOMPARE(back.entries[1].data[0], wavSamples[1]);
    QCOMPARE(back.entries[1].data[1], wavSamples[0]);
    QCOMPARE(back.entries[1].channelConfiguration, kSoundStereo);
  }

  // Undo takes the inserted sound back out, with its row.
  void undoInsert() {
    SAMPLE(f);
    const int rows = f.grid()->dataRowCount();
    f.t.ia.files << f.wav("half.wav", halfSecondStereo());
    QVERIFY(f.t.w->bdmvPage()->findChild<SoundView*>()->insertSound());
    QCOMPARE(f.grid()->dataRowCount(), rows + 1);
    f.t.w->undoEdit();
    QCOMPARE(f.grid()->dataRowCount(), rows);
    QCOMPARE(f.bdmvTab(), QString("&BDMV"));
  }

  // Shift+Del removes the selected entry; plain Del does not. When the last
  // one goes the grid keeps its blank row and play and save are disabled.
  void deleteDownToNothing() {
    SAMPLE(f);
    auto* play = f.t.find<QToolButton>("bbSoundPlay");
    auto* save = f.t.find<QToolButton>("bbSaveSound");
    const int rows = f.grid()->dataRowCount();
    f.grid()->setFocus();
    QTest::keyClick(f.grid(), Qt::Key_Delete);
    QCOMPARE(f.grid()->dataRowCount(), rows);
    for (int i = 0; i < rows; ++i) {
      QVERIFY(play->isEnabled() && save->isEnabled());
      QTest::keyClick(f.grid(), Qt::Key_Delete, Qt::ShiftModifier);
      QCOMPARE(f.grid()->dataRowCount(), rows - 1 - i);
    }
    QVERIFY(f.grid()->isEmptyGrid());
    QVERIFY(!play->isEnabled() && !save->isEnabled());
    QCOMPARE(f.bdmvTab(), QString("&BDMV*"));
    f.t.w->saveClicked();
    SoundFile back;
    QCOMPARE(readSoundFile(f.soundPath(), back, mirdal::gui::guiReporter()).status, ReadStatus::Ok);
    QVERIFY(back.entries.empty());
  }

  // Save sound entry proposes "sound_" + the index, and writes the entry's
  // WAV image.
  void exportProposesTheEntryName() {
    SAMPLE(f);
    f.t.w->bdmvPage()->findChild<SoundView*>()->selectSound(1);
    f.t.ia.files << QString::fromStdString((f.root.path() / "out").string());
    f.t.find<QToolButton>("bbSaveSound")->click();
    QCOMPARE(f.t.ia.fileRequests.size(), 1);
    QCOMPARE(f.t.ia.fileRequests[0].title, QString("Save sound entry"));
    QCOMPARE(f.t.ia.fileRequests[0].fileName, QString("sound_001.wav"));
    const auto written = f.root.read("out.wav");
    QVERIFY(written == mkWav(f.ws().sound.model(), 1));
  }

  // A click on a row shows where the entry's data lies on the status line.
  void rowClickShowsTheDataPlace() {
    SAMPLE(f);
    f.t.w->show();
    clickCell(f.grid(), 2);
    QCOMPARE(f.t.w->statusLine()->panelText(1),
             " " + QString::fromStdString(soundRowStatus(f.ws().sound.model(), 2)) + " ");
  }

  // Without an audio device play is silent: one log line the first time,
  // none after, and nothing breaks.
  void playWithoutAudioDeviceLogsOnce() {
    if (!QMediaDevices::defaultAudioOutput().isNull()) QSKIP("this machine has an audio output");
    SAMPLE(f);
    auto* play = f.t.find<QToolButton>("bbSoundPlay");
    QVERIFY(play->isEnabled());
    play->click();
    play->click();
    f.t.w->audio().playSound(f.ws().sound.model(), 0);
    QCOMPARE(f.logCount("No audio output device"), 1);
    QVERIFY(!f.t.w->audio().soundPlaying());
  }

  // "Create sound.bdmv" on a disc without one: with a WAV chosen the group
  // shows with one sound and the page has its "*", and Create is disabled;
  // cancelled, nothing is created.
  void createSound_data() {
    QTest::addColumn<bool>("chosen");
    QTest::newRow("wav chosen") << true;
    QTest::newRow("cancelled") << false;
  }
  void createSound() {
    QFETCH(bool, chosen);
    Disc f(false);
    f.read();
    auto* create = f.t.w->optionsPage()->createSoundButton();
    QVERIFY(!f.group()->isVisibleTo(f.t.w.get()));
    QVERIFY(create->isEnabled());
    f.t.w->showPage(Page::Options);
    if (chosen) f.t.ia.files << f.wav("half.wav", halfSecondStereo());
    else f.t.ia.files << QString();
    create->click();

    QCOMPARE(f.t.w->currentPage(), Page::BDMV);
    QCOMPARE(f.group()->isVisibleTo(f.t.w.get()), chosen);
    QCOMPARE(create->isEnabled(), !chosen);
    QCOMPARE(f.grid()->dataRowCount(), chosen ? 1 : 0);
    QCOMPARE(f.bdmvTab(), chosen ? QString("&BDMV*") : QString("&BDMV"));
    if (!chosen) return;
    f.t.w->saveClicked();
    SoundFile back;
    QCOMPARE(readSoundFile(f.soundPath(), back, mirdal::gui::guiReporter()).status, ReadStatus::Ok);
    QCOMPARE(back.entries.size(), std::size_t(1));
    QCOMPARE(back.versionNumber, std::string("0200"));
  }

  // A disc whose sound.bdmv is there is never given a new one.
  void createDisabledWhenTheDiscHasSounds() {
    SAMPLE(f);
    QVERIFY(!f.t.w->optionsPage()->createSoundButton()->isEnabled());
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::SoundViewTest;
MIRDAL_GUI_TEST(SoundViewTest)
#include "sound_view_test.moc"

// Other test files, compiled in the same bundle, define their own.
#undef SAMPLE
