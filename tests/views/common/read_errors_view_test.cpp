// A file read with errors as its page shows it: a line above the page's
// content names the file and the error, the status line keeps the error,
// Save asks before it writes the guesses; and the BD-J page is captioned
// with the object read. Files of the sample disc, cut to half their length.
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "core/fields.h"
#include "documents/menu_files.h"
#include "documents/workspace.h"
#include "gui_test.h"
#include "main_window_fixture.h"
#include "sample_disc.h"
#include "views/bdjo/bdjo_page.h"
#include "views/shell/shared_controls.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui::test {

namespace {

namespace fs = std::filesystem;

mirdal::Bytes bytesOf(const std::string& path) {
  mirdal::Bytes b;
  mirdal::readFileBytes(path, b);
  return b;
}

// Cuts a file to half its length; returns what it holds then.
mirdal::Bytes cutInHalf(const std::string& path) {
  mirdal::Bytes b = bytesOf(path);
  b.resize(b.size() / 2);
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
  return b;
}

}  // namespace

class ReadErrorsViewTest : public QObject {
  Q_OBJECT

  std::unique_ptr<mirdal::test::TempDir> root;
  std::string disc;
  std::unique_ptr<Window> t;

  bool open(const char* cut) {
    root = std::make_unique<mirdal::test::TempDir>();
    disc = copySampleDisc(*root);
    if (disc.empty()) return false;
    if (*cut) cutInHalf(disc + cut);
    t = std::make_unique<Window>();
    t->w->setDiscFolder(disc);
    t->w->show();
    t->w->readDiscClicked();
    return true;
  }
  QLabel* banner(const char* name) const { return t->find<QLabel>(name); }
  void clickSave() { QTest::mouseClick(t->find<QPushButton>("bSave"), Qt::LeftButton); }

 private slots:
  void cleanup() {
    t.reset();
    root.reset();
  }

  void playlistReadWithErrorsIsMarkedAndSavedOnlyWhenAgreed() {
    if (!open("PLAYLIST/00000.mpls")) QSKIP("the sample disc is missing");
    const std::string file = disc + "PLAYLIST/00000.mpls";
    const mirdal::Bytes cut = bytesOf(file);
    t->w->showPage(Page::Playlist);  // Auto Read reads it
    QVERIFY(t->w->workspace().playlist.loaded());
    QLabel* line = banner("lReadErrorsPlaylist");
    QVERIFY(line && line->isVisible());
    QVERIFY2(line->text().startsWith("00000.mpls was read with errors (00000.mpls ends early at $"),
             qPrintable(line->text()));
    // The status line shows the error mark with the file's error, not "Ready.".
    QVERIFY(mirdal::gui::guiReporter().status().errorMark);
    QVERIFY2(QString::fromStdString(mirdal::gui::guiReporter().status().panel[1]).contains("00000.mpls was read with errors"),
             mirdal::gui::guiReporter().status().panel[1].c_str());

    // No: nothing is written. The question says what would be.
    t->ia.answers = {Answer::No};
    clickSave();
    QCOMPARE(t->ia.questions.size(), 1);
    QVERIFY2(t->ia.questions[0].contains("is replaced by a playlist of"), qPrintable(t->ia.questions[0]));
    QVERIFY(bytesOf(file) == cut);
    QVERIFY(line->isVisible());

    // Yes: the guesses are written, and the file is one read whole now.
    t->ia.answers = {Answer::Yes};
    clickSave();
    QVERIFY(bytesOf(file) != cut);
    QVERIFY(!line->isVisible());
    QVERIFY(t->ia.unexpected.isEmpty());
  }

  void aFileReadWholeShowsNoLineAndSaveAsksNothing() {
    if (!open("")) QSKIP("the sample disc is missing");
    t->w->showPage(Page::Playlist);
    QVERIFY(!banner("lReadErrorsPlaylist")->isVisible());
    QVERIFY(!banner("lReadErrorsBDMV")->isVisible());
    clickSave();
    QVERIFY(t->ia.questions.isEmpty());
  }

  void theBdmvPageNamesEachFileReadWithErrors() {
    if (!open("index.bdmv")) QSKIP("the sample disc is missing");
    cutInHalf(disc + "AUXDATA/sound.bdmv");
    t->w->readDiscClicked();
    t->w->showPage(Page::BDMV);
    QLabel* line = banner("lReadErrorsBDMV");
    QVERIFY(line->isVisible());
    QVERIFY2(line->text().contains("index.bdmv was read with errors (index.bdmv ends early"), qPrintable(line->text()));
    QVERIFY2(line->text().contains("sound.bdmv was read with errors"), qPrintable(line->text()));
    QVERIFY(!line->text().contains("MovieObject.bdmv"));
    // Save asks for the index and the sound file; the movie objects, read
    // whole, are saved without a question.
    const mirdal::Bytes index = bytesOf(disc + "index.bdmv");
    t->ia.answers = {Answer::No, Answer::No};
    clickSave();
    QCOMPARE(t->ia.questions.size(), 2);
    QVERIFY(t->ia.questions[0].startsWith("index.bdmv was read with errors"));
    QVERIFY(t->ia.questions[1].startsWith("sound.bdmv was read with errors"));
    QVERIFY(bytesOf(disc + "index.bdmv") == index);
  }

  void theBdjoPageIsCaptionedWithTheObjectRead() {
    if (!open("BDJO/00001.bdjo")) QSKIP("the sample disc is missing");
    t->w->showPage(Page::BDJO);
    auto* group = t->find<QGroupBox>("gbBDJO");
    QCOMPARE(group->title(), QString("00001.bdjo"));
    QVERIFY(banner("lReadErrorsBDJO")->isVisible());
  }

  void aMenuReadWithErrorsAsksBeforeTheFileDialog() {
    if (!open("")) QSKIP("the sample disc is missing");
    const std::string menu = root->folder() + "Sample/cut.mnu";
    fs::copy_file(fs::path(MIRDAL_SOURCE_DIR) / "samples/disc/menu/sample.mnu", menu);
    cutInHalf(menu);
    t->w->openDroppedFiles({QString::fromStdString(menu)});
    QVERIFY(t->w->workspace().menu.loaded());
    QVERIFY(t->w->currentPage() == Page::Menu);
    QVERIFY(banner("lReadErrorsMenu")->isVisible());
    t->ia.answers = {Answer::No};
    clickSave();
    QCOMPARE(t->ia.questions.size(), 1);
    QVERIFY(t->ia.questions[0].contains("into the file you choose next"));
    QVERIFY(t->ia.fileRequests.isEmpty());
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::ReadErrorsViewTest;
MIRDAL_GUI_TEST(ReadErrorsViewTest)
#include "read_errors_view_test.moc"
