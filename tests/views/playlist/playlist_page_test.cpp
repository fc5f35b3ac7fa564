// The "&PLAYLIST" page on the sample disc's feature playlist: Auto Read on
// the first entry, an edit marking the page and Save writing it, the IN-time
// questions, the chapter buttons and the jump to the clip page.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>
#include <fstream>

#include "documents/workspace.h"
#include "formats/common/disc_file.h"
#include "formats/playlist/mpls.h"
#include "present/mpls_cells.h"
#include "formats/playlist/mpls_edit.h"
#include "present/mpls_rows.h"
#include "present/stream_texts.h"
#include "gui_test.h"
#include "main_window_fixture.h"
#include "sample_disc.h"
#include "views/clip/clip_page.h"
#include "views/common/hex_edit.h"
#include "views/common/int_edit.h"
#include "views/shell/page_tabs.h"
#include "views/playlist/playlist_page.h"
#include "views/common/string_grid.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui::test {

namespace {

int linesWith(const QStringList& lines, const QString& part) {
  int n = 0;
  for (const QString& l : lines) n += l.contains(part) ? 1 : 0;
  return n;
}

}  // namespace

class PlaylistPageTest : public QObject {
  Q_OBJECT

  std::unique_ptr<mirdal::test::TempDir> root;
  std::string disc;
  std::unique_ptr<Window> t;

  // The sample disc read, the "&PLAYLIST" page entered (Auto Read reads
  // the first playlist, the feature).
  bool open() {
    root = std::make_unique<mirdal::test::TempDir>();
    disc = copySampleDisc(*root);
    if (disc.empty()) return false;
    t = std::make_unique<Window>();
    t->w->setDiscFolder(disc);
    t->w->show();
    t->w->readDiscClicked();
    t->w->showPage(Page::Playlist);
    return true;
  }
  const Playlist& model() const { return t->w->workspace().playlist.model(); }
  QString playlistTab() const { return t->w->pageControl()->tabText(int(Page::Playlist)); }

 private slots:
  void cleanup() {
    t.reset();
    root.reset();
  }

  void autoReadReadsOnceOnFirstEntry() {
    root = std::make_unique<mirdal::test::TempDir>();
    disc = copySampleDisc(*root);
    if (disc.empty()) QSKIP("the sample disc is missing");
    t = std::make_unique<Window>();
    t->w->setDiscFolder(disc);
    t->w->show();
    t->w->readDiscClicked();
    QVERIFY(!t->w->workspace().playlist.loaded());
    t->w->showPage(Page::Playlist);
    QVERIFY(t->w->workspace().playlist.loaded());
    QCOMPARE(t->find<StringGrid>("sgPLitem")->dataRowCount(), int(model().playlist.items.size()));
    QCOMPARE(t->find<QPushButton>("bSave")->toolTip(), QString("Save 00000.mpls"));
    QVERIFY(t->find<QPushButton>("bSave")->isEnabled());
    t->w->showPage(Page::BDMV);
    t->w->showPage(Page::Playlist);
    QCOMPARE(linesWith(t->logLines(), "Reading 00000.mpls"), 1);
  }

  void gridEditMarksThePageAndSaveWritesIt() {
    if (!open()) QSKIP("the sample disc is missing");
    auto* items = t->find<StringGrid>("sgPLitem");
    items->setEditMode(true);
    // Only the named bit of the second word is kept.
    emit items->cellEdited(1, int(PlayItemColumn::UO2), "40000001");
    QCOMPARE(items->cell(1, int(PlayItemColumn::UO2)), QString("40000000"));
    // A refused clip name (four digits) leaves the model and shows it again.
    emit items->cellEdited(1, int(PlayItemColumn::File), "0001");
    QCOMPARE(items->cell(1, int(PlayItemColumn::File)), QString("00001"));
    QVERIFY(playlistTab().endsWith('*'));

    QTest::mouseClick(t->find<QPushButton>("bSave"), Qt::LeftButton);
    QVERIFY(!playlistTab().endsWith('*'));
    Playlist back;
    QVERIFY(usable(readPlaylistFile(disc + "PLAYLIST/00000.mpls", back, mirdal::gui::guiReporter(), true)));
    QCOMPARE(back.playlist.items[1].uoMask2, 0x40000000u);
    back.reserved = model().reserved;
    QVERIFY(back == model());
  }

  void inTimeChangeAsksItsQuestions() {
    if (!open()) QSKIP("the sample disc is missing");
    const Playlist before = model();
    const PlayItem& pi = before.playlist.items[0];
    const std::uint32_t delta = 2 * 45000;
    t->ia.answers = {Answer::Yes, Answer::No, Answer::Yes};
    auto* items = t->find<StringGrid>("sgPLitem");
    items->setEditMode(true);
    emit items->cellEdited(0, int(PlayItemColumn::InTime), QString::fromStdString(playlistTimeText(pi.inTime + delta)));
    QCOMPARE(t->ia.questions,
             QStringList({kAskMoveOut, kAskMoveSubPlayItems, kAskMoveMarks}));
    QCOMPARE(model().playlist.items[0].inTime, pi.inTime + delta);
    QCOMPARE(model().playlist.items[0].outTime, pi.outTime + delta);
    QVERIFY(model().playlist.subpaths == before.playlist.subpaths);
    bool moved = false;
    for (std::size_t k = 0; k < before.marks.marks.size(); ++k) {
      const Mark& m = before.marks.marks[k];
      QCOMPARE(model().marks.marks[k].time, m.playItemRef == 0 ? m.time + delta : m.time);
      moved |= m.playItemRef == 0;
    }
    QVERIFY(moved);
    // The three changes are one step.
    t->w->undoEdit();
    QVERIFY(model() == before);
    QVERIFY(!playlistTab().endsWith('*'));
  }

  void chaptersGoOutAndComeBackThroughTheButtons() {
    if (!open()) QSKIP("the sample disc is missing");
    t->w->workspace().options.chapterFormat = 2;  // Time
    const std::vector<Mark> before = model().marks.marks;
    QVERIFY(before.size() >= 2);
    const QString file = QString::fromStdString(root->folder() + "chapters.txt");

    t->ia.files << file;
    QTest::mouseClick(t->find<QPushButton>("bbSaveChap"), Qt::LeftButton);
    QCOMPARE(t->ia.fileRequests.last().title, QString("Save chapter file"));
    QCOMPARE(t->ia.fileRequests.last().fileName, QString("chapter_00000_time.txt"));
    std::ifstream in(file.toStdString(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    QCOMPARE(int(std::count(text.begin(), text.end(), '\n')), int(before.size()));

    // Every mark selected and deleted, then the file loaded back.
    auto* marks = t->find<StringGrid>("sgPlayListMark");
    marks->setFocus();
    QTest::keyClick(marks, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(marks, Qt::Key_Delete);
    QVERIFY(model().marks.marks.empty());
    QCOMPARE(marks->dataRowCount(), 0);

    t->ia.files << file;
    QTest::mouseClick(t->find<QPushButton>("bbLoadChap"), Qt::LeftButton);
    QCOMPARE(t->ia.fileRequests.last().title, QString("Open chapter file"));
    QCOMPARE(model().marks.marks.size(), before.size());
    for (std::size_t k = 0; k < before.size(); ++k) {
      QCOMPARE(model().marks.marks[k].playItemRef, before[k].playItemRef);
      QCOMPARE(model().marks.marks[k].time / 45, before[k].time / 45);  // milliseconds in the file
    }
    QCOMPARE(marks->dataRowCount(), int(before.size()));
    QCOMPARE(checkLayout(model()), std::string());
  }

  void doubleClickJumpsToTheClipOutsideEditMode() {
    if (!open()) QSKIP("the sample disc is missing");
    auto* items = t->find<StringGrid>("sgPLitem");
    items->setEditMode(true);
    emit items->cellDoubleClicked(1, 1);
    QCOMPARE(t->w->currentPage(), Page::Playlist);
    items->setEditMode(false);
    emit items->cellDoubleClicked(1, 1);
    QCOMPARE(t->w->currentPage(), Page::ClipInfo);
    QCOMPARE(t->w->clipPage()->clipChoice()->currentText(), QString::fromStdString(model().playlist.items[1].clipName));
  }

  // The clip is read whether Auto Read is on or not; the clip shown
  // already is not read again.
  void doubleClickReadsTheClip_data() {
    QTest::addColumn<bool>("autoRead");
    QTest::newRow("Auto Read off") << false;
    QTest::newRow("Auto Read on") << true;
  }
  void doubleClickReadsTheClip() {
    QFETCH(bool, autoRead);
    if (!open()) QSKIP("the sample disc is missing");
    t->w->workspace().options.autoRead = autoRead;
    const std::string clip = model().playlist.items[1].clipName;
    t->ia.answers = {Answer::Cancel, Answer::Cancel};  // a packet count question, if any
    emit t->find<StringGrid>("sgPLitem")->cellDoubleClicked(1, 1);
    QCOMPARE(t->w->currentPage(), Page::ClipInfo);
    QVERIFY(t->w->workspace().clip.loaded());
    QCOMPARE(t->w->workspace().clip.fileName(), clip + ".clpi");
    t->w->showPage(Page::Playlist);
    const int reads = linesWith(t->logLines(), QString::fromStdString("Reading " + clip + ".clpi"));
    emit t->find<StringGrid>("sgPLitem")->cellDoubleClicked(1, 1);
    QCOMPARE(t->w->currentPage(), Page::ClipInfo);
    QCOMPARE(linesWith(t->logLines(), QString::fromStdString("Reading " + clip + ".clpi")), reads);
  }

  // "+" puts the mark at the selected mark, or at the IN time of the
  // selected PlayItem while the user works on the PlayItems, among the
  // others in time order.
  void newMarkGoesWhereTheUserIs() {
    if (!open()) QSKIP("the sample disc is missing");
    // Active and large enough to show the buttons unscrolled, so that a
    // click moves the focus as it does for the user.
    t->w->resize(1400, 900);
    t->w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(t->w.get()));
    auto* marks = t->find<StringGrid>("sgPlayListMark");
    auto* insert = t->find<QToolButton>("bMarkIns");
    const std::vector<Mark> before = model().marks.marks;
    QVERIFY(before.size() >= 2);
    clickCell(marks, 1);
    QCOMPARE(t->w->focusWidget(), marks);
    QTest::mouseClick(insert, Qt::LeftButton);
    QCOMPARE(model().marks.marks.size(), before.size() + 1);
    QCOMPARE(model().marks.marks[2].playItemRef, before[1].playItemRef);
    QCOMPARE(model().marks.marks[2].time, before[1].time);
    QCOMPARE(marks->currentRow(), 2);

    // A PlayItem chosen last: its IN time.
    t->w->undoEdit();
    clickCell(t->find<StringGrid>("sgPLitem"), 2);
    QTest::mouseClick(insert, Qt::LeftButton);
    const auto& now = model().marks.marks;
    const auto at = std::find_if(now.begin(), now.end(), [&](const Mark& k) {
      return std::find(before.begin(), before.end(), k) == before.end();
    });
    QVERIFY(at != now.end());
    QCOMPARE(at->playItemRef, std::uint16_t(2));
    QCOMPARE(at->time, model().playlist.items[2].inTime);
    QVERIFY(std::is_sorted(now.begin(), now.end(), [](const Mark& a, const Mark& b) {
      return a.playItemRef < b.playItemRef || (a.playItemRef == b.playItemRef && a.time < b.time);
    }));
    QCOMPARE(marks->currentRow(), int(at - now.begin()));
  }

  void streamInsertAndDeleteFollowTheCategory() {
    if (!open()) QSKIP("the sample disc is missing");
    auto* counts = t->find<StringGrid>("sgSTN");
    auto* streams = t->find<StringGrid>("sgStreamEntry");
    const std::size_t audio = model().playlist.items[0].stn.primaryAudio.size();
    counts->setCurrentCell(0, 1);  // "Au"
    QCOMPARE(streams->dataRowCount(), int(audio));
    streams->setFocus();
    QTest::keyClick(streams, Qt::Key_Insert);
    QCOMPARE(model().playlist.items[0].stn.primaryAudio.size(), audio + 1);
    QCOMPARE(streams->dataRowCount(), int(audio + 1));
    QCOMPARE(counts->cell(0, 1), QString::number(audio + 1));
    QTest::keyClick(streams, Qt::Key_Delete);
    QCOMPARE(model().playlist.items[0].stn.primaryAudio.size(), audio);
    // Primary video takes neither.
    counts->setCurrentCell(0, 0);
    QVERIFY(!t->find<QToolButton>("bStreamIns")->isEnabled());
    QVERIFY(!t->find<QToolButton>("bStreamDel")->isEnabled());
  }

  void maskWordAndCheckBoxesShowTheSameBits() {
    if (!open()) QSKIP("the sample disc is missing");
    auto* word1 = t->find<HexEdit>("hePLUO1");
    word1->setFocus();
    word1->selectAll();
    QTest::keyClicks(word1, "80000001");
    QCOMPARE(model().uoMask1, 0x80000001u);
    QVERIFY(t->find<QCheckBox>("cbUO31")->isChecked());
    QVERIFY(t->find<QCheckBox>("cbUO0")->isChecked());
    QVERIFY(!t->find<QCheckBox>("cbUO8")->isChecked());
    QTest::mouseClick(t->find<QCheckBox>("cbUO2_30"), Qt::LeftButton);
    QCOMPARE(model().uoMask2, 0x40000000u);
    QCOMPARE(t->find<HexEdit>("hePLUO2")->text(), QString("40000000"));
  }

  void markTimeEditorsKeepTheirLimits() {
    if (!open()) QSKIP("the sample disc is missing");
    auto* marks = t->find<StringGrid>("sgPlayListMark");
    clickCell(marks, 1);
    auto* hours = t->find<IntEdit>("ieMarkHours");
    hours->setText("30");
    emit hours->editingFinished();
    // 25 hours is the most a mark time editor takes.
    QCOMPARE(model().marks.marks[1].time / 45 / 3600000, 25u);
    QCOMPARE(hours->text(), QString("25"));
    QVERIFY(marks->cell(1, 3).startsWith("25:"));
  }

  void subPathInsertAndDeleteGiveTheFileBack() {
    if (!open()) QSKIP("the sample disc is missing");
    const Playlist before = model();
    auto* subPaths = t->find<StringGrid>("sgSubPath");
    subPaths->setFocus();
    QTest::keyClick(subPaths, Qt::Key_Insert);
    QCOMPARE(model().playlist.subpaths.size(), before.playlist.subpaths.size() + 1);
    QCOMPARE(t->find<StringGrid>("sgSubPlayItem")->dataRowCount(), 1);
    // The new one is an IG menu: no repeat.
    QVERIFY(!t->find<QComboBox>("cbSubPathRepeat")->isEnabled());
    QTest::keyClick(subPaths, Qt::Key_Delete);
    QVERIFY(composePlaylist(model()) == composePlaylist(before));
  }

  void anotherPlaylistOverAChangedOneAsksFirst() {
    if (!open()) QSKIP("the sample disc is missing");
    QTest::mouseClick(t->find<QCheckBox>("cbRandomAccess"), Qt::LeftButton);
    auto* choice = t->find<QComboBox>("cbPlaylist");
    t->ia.answers = {Answer::Cancel};
    choose(choice, 1);
    QCOMPARE(t->w->workspace().playlist.fileName(), std::string("00000.mpls"));
    QCOMPARE(choice->currentText(), QString("00000"));
    QVERIFY(t->w->workspace().playlist.modified());
    t->ia.answers = {Answer::No};  // discard
    choose(choice, 1);
    QCOMPARE(t->w->workspace().playlist.fileName(), std::string("00001.mpls"));
    QCOMPARE(t->find<QPushButton>("bSave")->toolTip(), QString("Save 00001.mpls"));
  }

  void aNewReadOfTheDiscLeavesNoPlaylistToSave() {
    if (!open()) QSKIP("the sample disc is missing");
    t->w->showPage(Page::BDMV);
    t->w->readDiscNow();
    QVERIFY(!t->w->workspace().playlist.loaded());
    QCOMPARE(t->find<StringGrid>("sgPLitem")->dataRowCount(), 0);
  }

  // Which stream editors show follows the category (the count column) and
  // the stream's entry type.
  void streamEditorsFollowCategoryAndEntryType() {
    if (!open()) QSKIP("the sample disc is missing");
    struct Row {
      int column;
      StreamCategory category;
      bool video, audio, language;
    };
    const Row rows[] = {
        {0, StreamCategory::PrimaryVideo, true, false, false},  {1, StreamCategory::PrimaryAudio, false, true, true},
        {2, StreamCategory::PG, false, false, true},            {3, StreamCategory::IG, false, false, true},
        {4, StreamCategory::SecondaryVideo, true, false, false}, {5, StreamCategory::SecondaryAudio, false, true, true},
        {6, StreamCategory::PiPPG, false, false, false},
    };
    auto* counts = t->find<StringGrid>("sgSTN");
    const Stn& stn = model().playlist.items[0].stn;
    for (const Row& r : rows) {
      counts->setCurrentCell(0, r.column);
      const QString where = QString("column %1").arg(r.column);
      const StreamRecord* s = streamAt(stn, r.category, 0);
      QVERIFY2(s, qPrintable(where));  // the feature has a stream of each category
      const int type = s->entry.type;
      QVERIFY2(!t->find<QComboBox>("cbEntryType")->isHidden(), qPrintable(where));
      QCOMPARE(!t->find<QComboBox>("cbVideoCoding")->isHidden(), r.video);
      QCOMPARE(!t->find<QComboBox>("cbFrameRate")->isHidden(), r.video);
      QCOMPARE(!t->find<QComboBox>("cbAudioCoding")->isHidden(), r.audio);
      QCOMPARE(!t->find<QComboBox>("cbFrequency")->isHidden(), r.audio);
      QCOMPARE(!t->find<QComboBox>("cbLanguage")->isHidden(), r.language);
      QCOMPARE(!t->find<HexEdit>("heMainPID")->isHidden(), type == 1 || type == 3);
      QCOMPARE(!t->find<IntEdit>("ieSubPathId")->isHidden(), type == 2 || type == 3);
      QCOMPARE(!t->find<HexEdit>("heSubPID")->isHidden(), type == 2);
    }
  }

  // HEVC in the video coding choice brings the dynamic range, colour space
  // and flag editors; their choices write the stream and its cell.
  void hevcEditorsWriteTheStream() {
    if (!open()) QSKIP("the sample disc is missing");
    auto* counts = t->find<StringGrid>("sgSTN");
    auto* streams = t->find<StringGrid>("sgStreamEntry");
    counts->setCurrentCell(0, 0);  // "Vi"
    auto* range = t->find<QComboBox>("cbDynamicRange");
    QVERIFY(range->isHidden());  // AVC
    choose(t->find<QComboBox>("cbVideoCoding"), 3);
    QCOMPARE(int(model().playlist.items[0].stn.primaryVideo[0].attributes.codingType), 0x24);
    QVERIFY(!range->isHidden());
    QVERIFY(!t->find<QCheckBox>("chkHdrPlus")->isHidden());
    choose(t->find<QComboBox>("cbVideoFormat"), 8);
    choose(range, 1);
    choose(t->find<QComboBox>("cbColorSpace"), 2);
    QTest::mouseClick(t->find<QCheckBox>("chkHdrPlus"), Qt::LeftButton);
    const StreamAttributes& a = model().playlist.items[0].stn.primaryVideo[0].attributes;
    QCOMPARE(int(a.dynamicRangeType), 1);
    QCOMPARE(int(a.colorSpace), 2);
    QVERIFY(a.hdrPlusFlag);
    QVERIFY(streams->cell(0, 6).startsWith("HEVC, 2160p, "));
    QVERIFY(streams->cell(0, 6).endsWith(", HDR10, BT.2020, HDR10+"));
    t->w->undoEdit();
    QVERIFY(!t->find<QCheckBox>("chkHdrPlus")->isChecked());
  }

  // A choice writes the selected stream; Undo brings grid and choice back.
  void streamChoiceWritesTheStreamAndUndoShowsItBack() {
    if (!open()) QSKIP("the sample disc is missing");
    auto* counts = t->find<StringGrid>("sgSTN");
    auto* streams = t->find<StringGrid>("sgStreamEntry");
    counts->setCurrentCell(0, 1);  // "Au"
    const QString attrib = streams->cell(0, 6);
    auto* coding = t->find<QComboBox>("cbAudioCoding");
    choose(coding, 7);  // DD+ for secondary audio
    QCOMPARE(int(model().playlist.items[0].stn.primaryAudio[0].attributes.codingType), 0xA1);
    QVERIFY(streams->cell(0, 6) != attrib);
    t->w->undoEdit();
    QCOMPARE(streams->cell(0, 6), attrib);
    QCOMPARE(coding->currentIndex(), audioCodingIndex(model().playlist.items[0].stn.primaryAudio[0].attributes.codingType));
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::PlaylistPageTest;
MIRDAL_GUI_TEST(PlaylistPageTest)
#include "playlist_page_test.moc"
