// The clip page as the user drives it: Auto Read on entering the page, the
// packet-count question and its in-place correction, an ATC delta edit
// saved, Save P&ID with its file name and mode, and Cancel during an export.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <fstream>
#include <iterator>

#include "documents/disc_files.h"
#include "formats/clip/clpi.h"
#include "formats/playlist/mpls.h"
#include "gui_test.h"
#include "main_window_fixture.h"
#include "sample_disc.h"
#include "core/report.h"
#include "support/file_bytes.h"
#include "support/ts_builder.h"
#include "views/clip/clip_info_view.h"
#include "views/clip/clip_page.h"
#include "views/clip/clip_program_view.h"
#include "views/common/int_edit.h"
#include "views/shell/page_tabs.h"
#include "views/shell/shared_controls.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui::test {

namespace {

struct ClipSample {
  mirdal::test::TempDir root;
  std::string disc = copySampleDisc(root);
  Window t;

  void read() {
    t.w->setDiscFolder(disc);
    t.w->readDiscClicked();
  }
  Workspace& ws() { return t.w->workspace(); }
  ClipPage* page() { return t.w->clipPage(); }
  QString clipTab() { return t.w->pageControl()->tabText(int(Page::ClipInfo)); }
  std::string clipFile(const char* name) { return disc + "CLIPINF/" + name + ".clpi"; }
  int logCount(const QString& part) {
    int n = 0;
    for (const QString& line : t.logLines()) n += line.contains(part) ? 1 : 0;
    return n;
  }
  // Reads clip `name` with its Read button (the clip list comes in the
  // order the file system lists the folder).
  void openClip(const char* name) {
    ws().options.autoRead = false;
    t.w->showPage(Page::ClipInfo);
    QComboBox* cb = page()->clipChoice();
    cb->setCurrentIndex(cb->findText(QString::fromLatin1(name)));
    page()->readClipButton()->click();
  }
  // Chooses the ProgramInfo row whose PID cell is `pid`.
  bool selectPid(const QString& pid) {
    StringGrid* g = page()->programView()->programStreamGrid();
    for (int r = 0; r < g->dataRowCount(); ++r)
      if (g->cell(r, 1) == pid) {
        g->selectDataRow(r);
        return true;
      }
    return false;
  }
};

#define SAMPLE(f)                                          \
  ClipSample f;                                                \
  if (f.disc.empty()) QSKIP("the sample disc is missing"); \
  f.read()

using mirdal::test::be32;
using mirdal::test::fileBytes;
using mirdal::test::writeBytes;

// The files of `folder` whose names end with `suffix`.
QStringList filesEndingWith(const QString& folder, const QString& suffix) {
  QStringList out;
  for (const QString& f : QDir(folder).entryList(QDir::Files))
    if (f.endsWith(suffix)) out << f;
  return out;
}

}  // namespace

class ClipPageTest : public QObject {
  Q_OBJECT
 private slots:
  void autoReadOnEnteringThePageOnce() {
    SAMPLE(f);
    QVERIFY(!f.ws().clip.loaded());
    const QString first = QString::fromStdString(f.ws().disc.clips.at(0));
    f.t.w->showPage(Page::ClipInfo);
    QVERIFY(f.ws().clip.loaded());
    QCOMPARE(f.logCount("Reading " + first + ".clpi"), 1);
    QVERIFY(!f.page()->programView()->programStreamGrid()->isEmptyGrid());
    f.t.w->showPage(Page::BDMV);
    f.t.w->showPage(Page::ClipInfo);
    QCOMPARE(f.logCount("Reading " + first + ".clpi"), 1);
    QCOMPARE(f.t.find<QPushButton>("bSave")->toolTip(), "Save " + first + ".clpi");
    QVERIFY(f.t.find<QPushButton>("bSave")->isEnabled());
    QVERIFY(f.t.ia.unexpected.isEmpty());
  }

  // A count that disagrees with the stream file asks; Yes writes only the
  // 4 bytes of the count, Cancel leaves file and model alone.
  void packetQuestion_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << int(Answer::Yes);
    QTest::newRow("cancel") << int(Answer::Cancel);
  }
  void packetQuestion() {
    QFETCH(int, answer);
    ClipSample f;
    if (f.disc.empty()) QSKIP("the sample disc is missing");
    const std::string path = f.clipFile("00000");
    std::vector<std::uint8_t> before = fileBytes(path);
    const std::uint32_t packets = be32(before, 56);  // the sample's count is right
    before[59] ^= 0x01;
    const std::uint32_t wrong = be32(before, 56);
    writeBytes(path, before);
    f.read();
    f.t.ia.answers << Answer(answer);
    f.openClip("00000");
    QCOMPARE(f.t.ia.questions.size(), 1);
    QCOMPARE(f.t.ia.questions.at(0), QString("The m2ts file contains %1 packets.\nDo you want to correct the packet "
                                             "value of ClipInfo?")
                                         .arg(packets));
    const std::vector<std::uint8_t> after = fileBytes(path);
    const bool yes = Answer(answer) == Answer::Yes;
    QCOMPARE(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i)
      if (i < 56 || i > 59) QCOMPARE(after[i], before[i]);
    QCOMPARE(be32(after, 56), yes ? packets : wrong);
    QCOMPARE(f.ws().clip.model().clipInfo.numberOfSourcePackets, yes ? packets : wrong);
    QCOMPARE(f.page()->infoView()->packetCountField()->text(), QString::number(yes ? packets : wrong));
    // The file and the model agree: nothing is left to save.
    QCOMPARE(f.clipTab(), QString("&CLIPINF"));
  }

  // A clip the program refused to read (a clip of an unknown version) is not checked, let
  // alone patched, whatever its count says.
  void noPacketQuestionAfterARefusedRead() {
    ClipSample f;
    if (f.disc.empty()) QSKIP("the sample disc is missing");
    const std::string path = f.clipFile("00000");
    std::vector<std::uint8_t> bytes = fileBytes(path);
    bytes[59] ^= 0x01;                                  // a count the stream disagrees with
    std::copy_n("0400", 4, bytes.begin() + 4);          // a version the reader refuses
    writeBytes(path, bytes);
    f.read();
    f.openClip("00000");
    QVERIFY(!f.ws().clip.loaded());
    QVERIFY(f.t.ia.questions.isEmpty());
    QCOMPARE(fileBytes(path), bytes);
  }

  // Ins, a typed ATC delta and Shift+Del go through the engine; the page
  // carries "*" until Save, and the file then holds what the page shows.
  void atcDeltaEditsAreSaved() {
    SAMPLE(f);
    f.openClip("00000");
    StringGrid* g = f.page()->infoView()->atcDeltaGrid();
    QVERIFY(g->isVisibleTo(f.t.w.get()));
    QCOMPARE(g->dataRowCount(), 2);
    const std::uint32_t cpi = f.ws().clip.model().cpiStartAddress;

    g->selectDataRow(0);
    QTest::keyClick(g, Qt::Key_Insert);
    QCOMPARE(g->dataRowCount(), 3);
    QCOMPARE(g->cell(1, 3), QString("m2ts"));
    QCOMPARE(f.ws().clip.model().cpiStartAddress, cpi + 14);
    QCOMPARE(f.clipTab(), QString("&CLIPINF*"));
    emit g->cellEdited(1, 1, QStringLiteral("0000ABCD"));
    emit g->cellEdited(1, 2, QStringLiteral("00007"));
    QCOMPARE(g->cell(1, 1), QString("0000ABCD"));
    g->selectDataRow(0);
    QTest::keyClick(g, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(g->dataRowCount(), 2);
    QCOMPARE(g->cell(0, 2), QString("00007"));

    f.t.w->saveClicked();
    QCOMPARE(f.clipTab(), QString("&CLIPINF"));
    ClipInfoFile onDisc;
    QVERIFY(mirdal::usable(mirdal::parseClipInfo(fileBytes(f.clipFile("00000")), onDisc).status));
    QCOMPARE(onDisc.clipInfo.atcDeltaEntries.size(), std::size_t(2));
    QCOMPARE(onDisc.clipInfo.atcDeltaEntries[0].atcDelta, 0xABCDu);
    QCOMPARE(onDisc.clipInfo.atcDeltaEntries[0].followingClipName, std::string("00007"));
    QVERIFY(onDisc == f.ws().clip.model());
    QVERIFY(QFile::exists(QString::fromStdString(f.clipFile("00000") + ".backup")));
  }

  // "ATCd" moves the addresses behind ClipInfo by the block's size; Undo
  // gives them back and the page is no longer marked.
  void atcFlagMovesAddressesAndUndoes() {
    SAMPLE(f);
    f.openClip("00000");
    QCheckBox* atcd = f.page()->infoView()->atcDeltaBox();
    const std::uint32_t seq = f.ws().clip.model().sequenceInfoStartAddress;
    atcd->click();
    QVERIFY(!f.page()->infoView()->atcDeltaGrid()->isVisibleTo(f.t.w.get()));
    QCOMPARE(f.ws().clip.model().sequenceInfoStartAddress, seq - (2 + 2 * 14));
    f.t.w->undoEdit();
    QVERIFY(atcd->isChecked());
    QCOMPARE(f.ws().clip.model().sequenceInfoStartAddress, seq);
    QCOMPARE(f.clipTab(), QString("&CLIPINF"));
  }

  // Save P&ID: the file name comes from the selected row, the mode from
  // the options; the progress bar is gone and the button back afterwards.
  void savePidWritesTheFile_data() {
    QTest::addColumn<QString>("pid");
    QTest::addColumn<bool>("savePes");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QByteArray>("head");
    QTest::newRow("PG as SUP") << "1200" << false << "_PID1200_PG_eng.sup" << QByteArray("PG");
    QTest::newRow("PG as SUP with PES on") << "1200" << true << "_PID1200_PG_eng.sup" << QByteArray("PG");
    // The sample's IG packets carry stream id 0xBF, which has no PES header
    // to frame: the menu file stays empty, only its name and mode count.
    QTest::newRow("IG as MNU") << "1400" << false << "_PID1400_IG_eng.mnu" << QByteArray();
    QTest::newRow("IG as PES") << "1400" << true << "_PID1400_IG_eng.PES.igs" << QByteArray("\0\0\1", 3);
    QTest::newRow("audio elementary") << "1100" << false << ".aus" << QByteArray("\x0B\x77");
    QTest::newRow("video PES") << "1011" << true << ".PES.vis" << QByteArray("\0\0\1\xE0", 4);
  }
  void savePidWritesTheFile() {
    QFETCH(QString, pid);
    QFETCH(bool, savePes);
    QFETCH(QString, suffix);
    QFETCH(QByteArray, head);
    SAMPLE(f);
    const QString out = QString::fromStdString(f.root.mkdir("out").string());
    f.ws().options.outputFolder = out.toStdString();
    f.ws().options.savePes = savePes;
    f.openClip("00000");
    QVERIFY(f.selectPid(pid));
    QPushButton* save = f.page()->programView()->savePidButton();
    QVERIFY(save->isEnabled());
    save->click();
    const QStringList files = filesEndingWith(out, suffix);
    QCOMPARE(files.size(), 1);
    QVERIFY(files.at(0).startsWith(QString("00000_PID") + pid));
    QFile file(out + "/" + files.at(0));
    QVERIFY(file.open(QIODevice::ReadOnly));
    if (!head.isEmpty()) {
      QVERIFY(file.size() > 0);
      QCOMPARE(file.read(head.size()), head);
    }
    QCOMPARE(f.logCount("source packets saved."), 1);
    QVERIFY(f.t.w->shared()->progressBar()->isHidden());
    QVERIFY(save->isEnabled());
  }

  // Without an output folder Save P&ID asks where to save, starting in the
  // folder chosen the last time (which the settings keep); a cancelled
  // dialog saves nothing. With an output folder a file of the export's name
  // is replaced only after a Yes. A chosen file that is the stream itself is
  // refused and the stream stays whole.
  void savePidAsksWhereToSave() {
    SAMPLE(f);
    const QString out = QString::fromStdString(f.root.mkdir("out").string());
    f.ws().options.outputFolder.clear();
    f.ws().options.savePidFolder = out.toStdString();
    f.openClip("00000");
    QVERIFY(f.selectPid("1100"));
    QPushButton* save = f.page()->programView()->savePidButton();

    f.t.ia.files << QString();  // the dialog cancelled
    save->click();
    QCOMPARE(f.t.ia.fileRequests.size(), 1);
    const FileDialogRequest r = f.t.ia.fileRequests.at(0);
    QCOMPARE(r.title, QString("Save PID"));
    QCOMPARE(r.folder, out);
    QVERIFY(r.fileName.startsWith("00000_PID1100_") && r.fileName.endsWith(".aus"));
    QCOMPARE(r.defaultExt, QString(".aus"));
    QCOMPARE(f.logCount("Saving "), 0);

    const QString other = QString::fromStdString(f.root.mkdir("other").string());
    f.t.ia.files << other + "/audio";  // the default extension is added
    save->click();
    QVERIFY(QFileInfo(other + "/audio.aus").size() > 0);
    QCOMPARE(f.ws().options.savePidFolder, other.toStdString());
    QCOMPARE(f.t.ia.fileRequests.at(1).folder, out);

    // Onto the stream itself.
    const std::string stream = f.disc + "STREAM/00000.m2ts";
    const std::vector<std::uint8_t> before = fileBytes(stream);
    f.t.ia.files << QString::fromStdString(stream);
    save->click();
    QCOMPARE(fileBytes(stream), before);
    QVERIFY(mirdal::gui::guiReporter().status().panel[1].find("it is the stream being read") != std::string::npos);

    // An output folder: the name is the export's, a file of that name is
    // replaced only after a Yes.
    f.ws().options.outputFolder = out.toStdString();
    const QString name = out + "/" + r.fileName;
    writeBytes(name.toStdString(), {'o', 'l', 'd'});
    f.t.ia.answers << Answer::No;
    save->click();
    QCOMPARE(f.t.ia.questions.last(), QString("%1 already exists.\nDo you want to replace it?").arg(name));
    QCOMPARE(QFileInfo(name).size(), qint64(3));
    f.t.ia.answers << Answer::Yes;
    save->click();
    QVERIFY(QFileInfo(name).size() > 3);
    QCOMPARE(f.t.ia.fileRequests.size(), 3);
    QVERIFY(f.t.ia.unexpected.isEmpty());
  }

  // Cancel during an export asks first: Yes stops it at a PES packet's end,
  // No lets it finish.
  void cancelAsksBeforeStopping_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("stop") << int(Answer::Yes);
    QTest::newRow("go on") << int(Answer::No);
  }
  void cancelAsksBeforeStopping() {
    QFETCH(int, answer);
    ClipSample f;
    if (f.disc.empty()) QSKIP("the sample disc is missing");
    // A stream long enough for several reads: 2000 audio PES packets of 100
    // bytes, one transport packet each.
    mirdal::test::TsBuilder ts;
    for (int i = 0; i < 2000; ++i) ts.pes(0x1100, 0xBD, std::vector<std::uint8_t>(100, std::uint8_t(i)), 90000 + i);
    writeBytes(f.disc + "STREAM/00000.m2ts", ts.data());
    f.read();
    const QString out = QString::fromStdString(f.root.mkdir("out").string());
    f.ws().options.outputFolder = out.toStdString();
    f.t.ia.answers << Answer::Cancel;  // the packet question of the read
    f.openClip("00000");
    QVERIFY(f.selectPid("1100"));

    f.t.ia.answers << Answer(answer);
    QTimer::singleShot(0, f.t.w.get(), [&] { f.t.w->shared()->cancelButton()->click(); });
    f.page()->programView()->savePidButton()->click();
    QCOMPARE(f.t.ia.questions.size(), 2);
    QCOMPARE(f.t.ia.questions.at(1), QString("Stop saving this PID?"));
    const QStringList files = filesEndingWith(out, ".aus");
    QCOMPARE(files.size(), 1);
    const qint64 size = QFileInfo(out + "/" + files.at(0)).size();
    if (Answer(answer) == Answer::Yes) {
      QCOMPARE(f.logCount("Saving cancelled."), 1);
      QVERIFY(size > 0 && size < 2000 * 100);
      QCOMPARE(size % 100, qint64(0));
    } else {
      QCOMPARE(f.logCount("Saving cancelled."), 0);
      QCOMPARE(size, qint64(2000 * 100));
    }
  }

  // The IG row enables "-> M&enu"; the menu lands in the menu document and
  // the menu page is shown.
  void menuFromTheStream() {
    SAMPLE(f);
    f.openClip("00000");
    QPushButton* toMenu = f.page()->programView()->loadToMenuButton();
    QVERIFY(f.selectPid("1100"));
    QVERIFY(!toMenu->isEnabled());
    QVERIFY(f.selectPid("1400"));
    QVERIFY(toMenu->isEnabled());
    toMenu->click();
    QVERIFY(f.ws().menu.loaded());
    QCOMPARE(f.t.w->currentPage(), Page::Menu);
  }

  // "Apply to clpi" reads the PlayItem's clip and copies the STN
  // attributes into it; the clip page then has something to save.
  void applyCopiesThePlayItemsAttributes() {
    SAMPLE(f);
    Playlist pl;
    QVERIFY(mirdal::usable(mirdal::parsePlaylist(fileBytes(f.disc + "PLAYLIST/00000.mpls"), pl).status));
    QVERIFY(!pl.playlist.items.empty() && !pl.playlist.items[0].stn.primaryAudio.empty());
    QCOMPARE(pl.playlist.items[0].clipName, std::string("00000"));
    pl.playlist.items[0].stn.primaryAudio[0].attributes.language = "jpn";
    f.ws().playlist.load(pl, "00000.mpls", true);
    f.openClip("00001");
    QCOMPARE(mirdal::clipName(f.ws()), std::string("00001"));
    // PlayItem 0 selected on the playlist page.
    f.page()->setSelectedPlayItem([] { return std::optional<std::size_t>(0); });
    QPushButton* apply = f.page()->programView()->applyToClipInfoButton();
    QVERIFY(apply->isEnabled());
    apply->click();
    QCOMPARE(mirdal::clipName(f.ws()), std::string("00000"));
    QCOMPARE(f.ws().clip.model().programInfo.programSequences[0].streams[1].audioLanguage, std::string("jpn"));
    QVERIFY(f.page()->programView()->programStreamGrid()->cell(1, 3).endsWith("jpn"));
    QCOMPARE(f.clipTab(), QString("&CLIPINF*"));
  }

  // Find on the playlist page lists the commands that play the chosen
  // playlist and shows the log.
  void findOnThePlaylistPage() {
    SAMPLE(f);
    f.ws().options.autoRead = false;
    f.t.w->showPage(Page::Playlist);
    QComboBox* cb = f.t.find<QComboBox>("cbPlaylist");
    cb->setCurrentIndex(cb->findText("00001"));
    f.t.w->shared()->findButton()->click();
    QCOMPARE(f.t.w->currentPage(), Page::Status);
    QStringList lines;
    for (const QString& l : f.t.logLines()) lines << l.trimmed();
    const int at = lines.indexOf("PlayList 00001 found in:");
    QVERIFY(at >= 0);
    QVERIFY(lines.mid(at).contains("Object 0002, Command line 0000"));  // Play PL 1
  }

  // Find on the clip page fills "Referenced by" of the chosen clip.
  void findFillsTheReferences() {
    SAMPLE(f);
    f.openClip("00000");
    StringGrid* refs = f.t.find<StringGrid>("sgCIRef");
    QVERIFY(refs->isEmptyGrid());
    QPushButton* find = f.t.w->shared()->findButton();
    QVERIFY(!find->isHidden() && find->isEnabled());
    find->click();
    QVERIFY(!refs->isEmptyGrid());
    QCOMPARE(refs->cell(0, 3).size(), 5);
    QCOMPARE(mirdal::gui::guiReporter().status().panel[0], std::string(" Ready. "));
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::ClipPageTest;
MIRDAL_GUI_TEST(ClipPageTest)
#include "clip_page_test.moc"

// Other test files, compiled in the same bundle, define their own.
#undef SAMPLE
