// The "&BDMV" page on the sample disc: what a Read shows, the title and
// object editors writing the models and the grid rows, inserting and
// deleting titles and objects, First Playback and Top Menu, Save, the
// half-loaded state and the links to the BD-J page and the ExtensionData
// editor.
#include <QCheckBox>
#include <QSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "formats/bdmv/index_app_info.h"
#include "formats/bdmv/index_bdmv.h"
#include "gui_test.h"
#include "main_window_fixture.h"
#include "sample_disc.h"
#include "support/file_bytes.h"
#include "support/shared_samples.h"
#include "views/bdmv/index_app_info_view.h"
#include "views/bdjo/bdjo_page.h"
#include "views/bdmv/bdmv_page.h"
#include "views/common/ext_data_dialog.h"
#include "views/bdmv/objects_view.h"
#include "views/shell/shared_controls.h"
#include "views/shell/status_bar.h"
#include "views/common/string_grid.h"
#include "views/common/vertical_label.h"

namespace mirdal::gui::test {

namespace {

int selectedRow(const StringGrid* g) { return g->selectedRowRange().first; }

using mirdal::test::be32;
using mirdal::test::fileBytes;
using mirdal::test::writeBytes;

void putBe32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (24 - 8 * i));
}

// Where movie object `object` ends in a MovieObject.bdmv image: the objects
// start at 50, each with 4 header bytes and 12 bytes per command.
std::size_t objectEnd(const std::vector<std::uint8_t>& b, std::size_t object) {
  std::size_t at = 50;
  for (std::size_t i = 0; i <= object; ++i) at += 4 + 12 * (std::size_t(b[at + 2]) << 8 | b[at + 3]);
  return at;
}

QString objects(std::size_t n) { return QString("%1 objects").arg(n); }

// The sample disc in a temporary folder, read in a shown main window.
struct SampleFixture {
  mirdal::test::TempDir root;
  std::string disc = copySampleDisc(root);
  Window t;

  bool read() {
    if (disc.empty()) return false;
    t.w->setDiscFolder(disc);
    t.w->show();
    t.w->readDiscClicked();
    return true;
  }
  Workspace& ws() { return t.w->workspace(); }
  std::size_t objectCount() { return ws().mobj.model().movieObjects.objects.size(); }
  StringGrid* grid(const char* name) { return t.find<StringGrid>(name); }
  QComboBox* combo(const char* name) { return t.find<QComboBox>(name); }
  QString counter(const char* name) { return t.find<VerticalLabel>(name)->text(); }
};

#define READ_SAMPLE(f)                                     \
  SampleFixture f;                                         \
  if (f.disc.empty()) QSKIP("the sample disc is missing"); \
  f.read()

// Runs `act` on the ExtensionData editor as soon as it is shown modally.
void onEditor(std::function<void(ExtDataDialog*)> act) {
  QTimer::singleShot(0, [act] {
    auto* d = qobject_cast<ExtDataDialog*>(QApplication::activeModalWidget());
    QVERIFY(d);
    act(d);
  });
}

}  // namespace

class BdmvViewsTest : public QObject {
  Q_OBJECT
 private slots:
  void readFillsThePage() {
    READ_SAMPLE(f);
    StringGrid* titles = f.grid("sgTitles");
    QCOMPARE(titles->dataRowCount(), 5);
    QVERIFY(titles->isEnabled());
    QCOMPARE(rowOf(titles, 0), (QStringList{"001", "HDMV", "Permitted", "Movie", "2"}));
    QCOMPARE(rowOf(titles, 2), (QStringList{"003", "BD-J", "Permitted", "Interactive", "00001"}));
    QCOMPARE(f.t.find<QLineEdit>("eContent")->text(), QString("Mirdal sample disc"));
    QCOMPARE(f.combo("cbTitleNo")->currentText(), QString("1"));
    QCOMPARE(f.combo("cbTitleOID")->currentText(), QString("2"));
    QVERIFY(f.combo("cbTitleOID")->isEnabled());
    QVERIFY(!f.combo("cbTitleFN")->isEnabled());
    QVERIFY(f.t.find<QCheckBox>("cbFPBon")->isChecked());
    QCOMPARE(f.combo("cbFPBObject")->currentText(), QString("0"));
    QCOMPARE(f.combo("cbTMObject")->currentText(), QString("1"));
    QVERIFY(!f.combo("cbFPBFile")->isEnabled());

    // Title 1 names movie object 2: it is selected and its program listed.
    StringGrid* objectGrid = f.grid("sgObject");
    const int n = int(f.objectCount());
    QVERIFY(n >= 6);
    QCOMPARE(objectGrid->dataRowCount(), n);
    QCOMPARE(selectedRow(objectGrid), 2);
    QCOMPARE(f.combo("cbResume")->currentText(), QString("suspend"));
    StringGrid* commands = f.grid("sgCommands");
    QCOMPARE(commands->dataRowCount(), 2);
    QCOMPARE(commands->cell(0, 1), QString("22800000"));
    QCOMPARE(f.combo("cbObject")->count(), n);
    QCOMPARE(f.combo("cbObject")->currentText(), QString("0002"));

    QCOMPARE(f.counter("lTitlenum"), QString("5 + 2 titles"));
    QCOMPARE(f.counter("lObjects"), objects(f.objectCount()));
    QCOMPARE(f.t.find<QLabel>("lIndexExtDat")->text(), QString("2 entries, 83 bytes"));
    QCOMPARE(f.t.find<QLabel>("lObjExtDat")->text(), QString("no ExtensionData()"));
    QVERIFY(f.t.find<QPushButton>("bSave")->isEnabled());
    QVERIFY(f.t.w->bdmvPage()->canStart());
  }

  void titleClickSelectsItsMovieObject() {
    READ_SAMPLE(f);
    StringGrid* titles = f.grid("sgTitles");
    clickCell(titles, 3);
    QCOMPARE(f.combo("cbTitleNo")->currentText(), QString("4"));
    QCOMPARE(selectedRow(f.grid("sgObject")), 4);
    QCOMPARE(f.combo("cbObject")->currentText(), QString("0004"));
    QCOMPARE(f.grid("sgCommands")->cell(1, 2), QString("00000004 "));

    // A BD-J title shows its name and leaves the object selection alone.
    clickCell(titles, 2);
    QCOMPARE(f.combo("cbTitleFN")->currentText(), QString("00001"));
    QVERIFY(f.combo("cbTitleFN")->isEnabled());
    QVERIFY(!f.combo("cbTitleOID")->isEnabled());
    QCOMPARE(selectedRow(f.grid("sgObject")), 4);

    // The keys move through the titles the same way.
    titles->setFocus();
    QTest::keyClick(titles, Qt::Key_Up);
    QCOMPARE(f.combo("cbTitleNo")->currentText(), QString("2"));
    QCOMPARE(selectedRow(f.grid("sgObject")), 3);
  }

  void titleEditorsWriteTheModelAndTheRow_data() {
    QTest::addColumn<QString>("editor");
    QTest::addColumn<int>("title");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("row");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("value");
    QTest::newRow("HDMV to BD-J takes the name shown")
        << "cbTitleOT" << 0 << "BD-J" << QStringList{"001", "BD-J", "Permitted", "Movie", "00001"} << "type" << 2;
    QTest::newRow("BD-J to HDMV takes the object shown")
        << "cbTitleOT" << 2 << "HDMV" << QStringList{"003", "HDMV", "Permitted", "Interactive", "0"} << "type" << 1;
    QTest::newRow("Prohibited2 is access type 3")
        << "cbTitleAT" << 0 << "Prohibited2" << QStringList{"001", "HDMV", "Prohibited2", "Movie", "2"} << "access"
        << 3;
    QTest::newRow("Permitted is access type 0")
        << "cbTitleAT" << 1 << "Permitted" << QStringList{"002", "HDMV", "Permitted", "Movie", "3"} << "access" << 0;
    QTest::newRow("playback type")
        << "cbTitlePBT" << 0 << "Interactive" << QStringList{"001", "HDMV", "Permitted", "Interactive", "2"}
        << "playback" << 1;
    QTest::newRow("movie object")
        << "cbTitleOID" << 0 << "5" << QStringList{"001", "HDMV", "Permitted", "Movie", "5"} << "reference" << 5;
    QTest::newRow("BD-J name")
        << "cbTitleFN" << 4 << "00002" << QStringList{"005", "BD-J", "Permitted", "Movie", "00002"} << "name" << 2;
  }

  void titleEditorsWriteTheModelAndTheRow() {
    QFETCH(QString, editor);
    QFETCH(int, title);
    QFETCH(QString, item);
    QFETCH(QStringList, row);
    QFETCH(QString, field);
    QFETCH(int, value);
    SampleFixture f;
    if (f.disc.empty()) QSKIP("the sample disc is missing");
    // A second BD-J object to choose; the other rows take the only one.
    if (editor == "cbTitleFN")
      f.root.write("Sample/BDMV/BDJO/00002.bdjo", f.root.read("Sample/BDMV/BDJO/00001.bdjo"));
    f.read();
    clickCell(f.grid("sgTitles"), title);
    QComboBox* cb = f.combo(editor.toLatin1().constData());
    QVERIFY(cb->isEnabled());
    const int i = cb->findText(item);
    QVERIFY(i >= 0);
    choose(cb, i);
    QCOMPARE(rowOf(f.grid("sgTitles"), title), row);
    const IndexTitle& t = f.ws().index.model().indexes.titles[std::size_t(title)];
    if (field == "type") QCOMPARE(int(t.objectType), value);
    if (field == "access") QCOMPARE(int(t.accessType), value);
    if (field == "playback") QCOMPARE(int(t.playbackType), value);
    if (field == "reference") QCOMPARE(int(t.movieObjectReference), value);
    if (field == "name") QCOMPARE(t.bdjObjectName, std::string("0000") + char('0' + value));
    QCOMPARE(int(t.titleNumber), title + 1);
  }

  void objectFlagsWriteTheModelAndTheRow_data() {
    QTest::addColumn<QString>("editor");
    QTest::addColumn<int>("item");
    QTest::addColumn<QStringList>("row");
    QTest::newRow("resume") << "cbResume" << 1 << QStringList{"000", "suspend", "disable", "disable", "1"};
    QTest::newRow("menu call") << "cbMenuCall" << 0 << QStringList{"000", "discard", "enable", "disable", "1"};
    QTest::newRow("title search") << "cbTitleSearch" << 0 << QStringList{"000", "discard", "disable", "enable", "1"};
  }

  void objectFlagsWriteTheModelAndTheRow() {
    QFETCH(QString, editor);
    QFETCH(int, item);
    QFETCH(QStringList, row);
    READ_SAMPLE(f);
    clickCell(f.grid("sgObject"), 0);
    choose(f.combo(editor.toLatin1().constData()), item);
    QCOMPARE(rowOf(f.grid("sgObject"), 0), row);
    const MovieObject& o = f.ws().mobj.model().movieObjects.objects[0];
    QCOMPARE(QStringList({"000", o.resumeIntentionFlag ? "suspend" : "discard",
                          o.menuCallMask ? "disable" : "enable", o.titleSearchMask ? "disable" : "enable", "1"}),
             row);
  }

  void firstPlaybackAndTopMenu() {
    READ_SAMPLE(f);
    auto* on = f.t.find<QCheckBox>("cbFPBon");
    on->click();
    const IndexEntry& fp = f.ws().index.model().indexes.firstPlayback;
    QCOMPARE(fp.movieObjectReference, std::uint16_t(0xFFFF));
    QCOMPARE(f.counter("lTitlenum"), QString("5 + 1 titles"));
    QVERIFY(!f.combo("cbFPBtype")->isEnabled());
    QVERIFY(!f.combo("cbFPBObject")->isEnabled());
    QVERIFY(!f.combo("cbFPBTitlePBtype")->isEnabled());

    on->click();
    QCOMPARE(fp.movieObjectReference, std::uint16_t(0));
    QCOMPARE(f.counter("lTitlenum"), QString("5 + 2 titles"));
    QVERIFY(f.combo("cbFPBObject")->isEnabled());
    choose(f.combo("cbFPBObject"), 3);
    QCOMPARE(fp.movieObjectReference, std::uint16_t(3));
    QCOMPARE(selectedRow(f.grid("sgObject")), 3);
    choose(f.combo("cbFPBTitlePBtype"), 1);
    QCOMPARE(int(fp.playbackType), 1);

    // The Top Menu type sets its object type like First Playback's.
    choose(f.combo("cbTMtype"), 1);
    const IndexEntry& tm = f.ws().index.model().indexes.topMenu;
    QCOMPARE(int(tm.objectType), 2);
    QCOMPARE(tm.bdjObjectName, std::string("00001"));
    QVERIFY(f.combo("cbTMFile")->isEnabled());
    QVERIFY(!f.combo("cbTMObject")->isEnabled());
    QCOMPARE(f.counter("lTitlenum"), QString("5 + 2 titles"));
  }

  void titlesInsertAndDelete() {
    READ_SAMPLE(f);
    StringGrid* titles = f.grid("sgTitles");
    const IndexFile& idx = f.ws().index.model();
    const std::uint32_t length = idx.indexes.length, ext = idx.extensionDataStartAddress;
    clickCell(titles, 1);
    f.t.find<QToolButton>("bbTiins")->click();
    QCOMPARE(titles->dataRowCount(), 6);
    QCOMPARE(rowOf(titles, 2), (QStringList{"003", "HDMV", "Permitted", "Movie", "0"}));
    QCOMPARE(rowOf(titles, 3), (QStringList{"004", "BD-J", "Permitted", "Interactive", "00001"}));
    QCOMPARE(f.combo("cbTitleNo")->count(), 6);
    QCOMPARE(f.combo("cbTitleNo")->currentText(), QString("3"));
    QCOMPARE(idx.indexes.length, length + 12);
    QCOMPARE(idx.extensionDataStartAddress, ext + 12);
    QCOMPARE(f.counter("lTitlenum"), QString("6 + 2 titles"));

    // Delete removes the selected title and selects the one before.
    titles->setFocus();
    QTest::keyClick(titles, Qt::Key_Delete);
    QCOMPARE(titles->dataRowCount(), 5);
    QCOMPARE(f.combo("cbTitleNo")->currentText(), QString("2"));
    QCOMPARE(rowOf(titles, 2), (QStringList{"003", "BD-J", "Permitted", "Interactive", "00001"}));
    QTest::keyClick(titles, Qt::Key_Insert);
    QCOMPARE(titles->dataRowCount(), 6);
    QCOMPARE(rowOf(titles, 2), (QStringList{"003", "HDMV", "Permitted", "Movie", "0"}));

    // Down to no title at all, and the first one again.
    auto* del = f.t.find<QToolButton>("bbTidel");
    for (int i = 0; i < 6; ++i) del->click();
    QCOMPARE(titles->dataRowCount(), 0);
    QVERIFY(!titles->isEnabled());
    QVERIFY(!del->isEnabled());
    QVERIFY(!f.combo("cbTitleNo")->isEnabled());
    QCOMPARE(f.combo("cbTitleNo")->count(), 0);
    QCOMPARE(f.counter("lTitlenum"), QString("0 + 2 titles"));
    QCOMPARE(idx.indexes.length, length - 5 * 12);
    f.t.find<QToolButton>("bbTiins")->click();
    QCOMPARE(rowOf(titles, 0), (QStringList{"001", "HDMV", "Permitted", "Movie", "0"}));
    QVERIFY(f.combo("cbTitleOT")->isEnabled());
    QVERIFY(f.combo("cbTitleOID")->isEnabled());
  }

  void objectInsertKeepsReferences() {
    READ_SAMPLE(f);
    const std::uint32_t length = f.ws().mobj.model().movieObjects.length;
    const int n = int(f.objectCount());
    clickCell(f.grid("sgObject"), 0);
    f.t.find<QToolButton>("bbObins")->click();
    StringGrid* grid = f.grid("sgObject");
    QCOMPARE(grid->dataRowCount(), n + 1);
    QCOMPARE(rowOf(grid, 1), (QStringList{"001", "discard", "enable", "enable", "0"}));
    QCOMPARE(rowOf(grid, 2), (QStringList{"002", "discard", "disable", "enable", "2"}));
    QCOMPARE(selectedRow(grid), 1);
    for (const char* name : {"cbTitleOID", "cbFPBObject", "cbTMObject", "cbObject"})
      QVERIFY2(f.combo(name)->count() == n + 1, name);
    QCOMPARE(f.combo("cbObject")->currentText(), QString("0001"));
    QCOMPARE(f.counter("lObjects"), objects(std::size_t(n) + 1));
    QCOMPARE(f.ws().mobj.model().movieObjects.length, length + 4);
    QCOMPARE(f.grid("sgTitles")->cell(0, 4), QString("2"));
    QCOMPARE(f.grid("sgCommands")->dataRowCount(), 0);
    QVERIFY(!f.t.w->bdmvPage()->canStart());
  }

  void deletingAReferencedObject() {
    READ_SAMPLE(f);
    const std::uint32_t length = f.ws().mobj.model().movieObjects.length;
    const int n = int(f.objectCount());
    clickCell(f.grid("sgObject"), 2);
    f.t.find<QToolButton>("bbObdel")->click();
    StringGrid* titles = f.grid("sgTitles");
    QCOMPARE(titles->cell(0, 4), QString("??"));
    QCOMPARE(titles->cell(1, 4), QString("2"));
    QCOMPARE(titles->cell(3, 4), QString("3"));
    QCOMPARE(f.ws().index.model().indexes.titles[0].movieObjectReference, std::uint16_t(0xFFFF));
    QVERIFY(f.t.logLines().contains(" ERROR: Invalid object reference in Title 1"));
    QCOMPARE(f.t.w->statusLine()->panelText(1), QString(" See Status"));
    for (const char* name : {"cbTitleOID", "cbFPBObject", "cbTMObject", "cbObject"})
      QVERIFY2(f.combo(name)->count() == n - 1, name);
    QCOMPARE(f.counter("lObjects"), objects(std::size_t(n) - 1));
    QCOMPARE(selectedRow(f.grid("sgObject")), 1);
    QCOMPARE(f.ws().mobj.model().movieObjects.length, length - 4 - 2 * 12);
    QCOMPARE(f.ws().index.model().indexes.firstPlayback.movieObjectReference, std::uint16_t(0));
    QCOMPARE(f.ws().index.model().indexes.topMenu.movieObjectReference, std::uint16_t(1));

    // The title without its object selects nothing.
    clickCell(titles, 0);
    QCOMPARE(f.combo("cbTitleOID")->currentIndex(), -1);
    QCOMPARE(selectedRow(f.grid("sgObject")), 1);
  }

  // Showing a First Playback reference that no object number matches must
  // not change it: the file is written back as it was read.
  void showingDoesNotWrite() {
    SampleFixture f;
    if (f.disc.empty()) QSKIP("the sample disc is missing");
    const std::string index = f.disc + "index.bdmv";
    std::vector<std::uint8_t> bytes = fileBytes(index);
    bytes[88] = 0;
    bytes[89] = 200;  // First Playback: movie object 200, past the last
    writeBytes(index, bytes);
    f.read();
    QCOMPARE(f.ws().index.model().indexes.firstPlayback.movieObjectReference, std::uint16_t(200));
    QVERIFY(f.t.find<QCheckBox>("cbFPBon")->isChecked());
    QCOMPARE(f.combo("cbFPBObject")->currentIndex(), -1);
    QTest::mouseClick(f.t.find<QPushButton>("bSave"), Qt::LeftButton);
    QVERIFY(fileBytes(index) == bytes);
    QVERIFY(f.root.exists("Sample/BDMV/index.bdmv.backup"));
  }

  void readEditSaveReread() {
    SampleFixture f;
    if (f.disc.empty()) QSKIP("the sample disc is missing");
    std::vector<std::uint8_t> index = fileBytes(f.disc + "index.bdmv");
    std::vector<std::uint8_t> mobj = fileBytes(f.disc + "MovieObject.bdmv");
    f.read();

    auto* content = f.t.find<QLineEdit>("eContent");
    content->selectAll();
    QTest::keyClicks(content, "Edited disc");
    choose(f.combo("cbTitleAT"), 1);  // title 1: Prohibited1
    clickCell(f.grid("sgObject"), 0);
    choose(f.combo("cbTitleSearch"), 0);
    clickCell(f.grid("sgObject"), 5);
    f.t.find<QToolButton>("bbObins")->click();
    QTest::mouseClick(f.t.find<QPushButton>("bSave"), Qt::LeftButton);

    // index.bdmv: the content text and title 1's access type (bits 29-28).
    const std::string text = "Edited disc";
    for (std::size_t i = 0; i < 32; ++i) index[46 + i] = i < text.size() ? std::uint8_t(text[i]) : 0;
    index[108] = 0x60;
    QVERIFY(fileBytes(f.disc + "index.bdmv") == index);
    // MovieObject.bdmv: length +4, one more object, object 0's flags
    // 0x6000 -> 0x4000, and the new object's 4 bytes after object 5.
    const std::size_t n = f.objectCount() - 1;
    putBe32(mobj, 40, be32(mobj, 40) + 4);
    mobj[49] += 1;
    mobj[50] = 0x40;
    mobj.insert(mobj.begin() + std::ptrdiff_t(objectEnd(mobj, 5)), 4, 0);
    QVERIFY(fileBytes(f.disc + "MovieObject.bdmv") == mobj);
    QVERIFY(f.root.exists("Sample/BDMV/MovieObject.bdmv.backup"));

    f.t.w->readDiscClicked();
    QCOMPARE(content->text(), QString("Edited disc"));
    QCOMPARE(f.grid("sgTitles")->cell(0, 2), QString("Prohibited1"));
    QCOMPARE(f.grid("sgObject")->dataRowCount(), int(n) + 1);
    QCOMPARE(f.grid("sgObject")->cell(6, 4), QString("0"));
    QCOMPARE(f.grid("sgObject")->cell(0, 3), QString("enable"));
  }

  void halfLoadedIndexKeepsEditorsDisabled() {
    SampleFixture f;
    if (f.disc.empty()) QSKIP("the sample disc is missing");
    const std::string index = f.disc + "index.bdmv";
    const std::vector<std::uint8_t> good = fileBytes(index);
    std::vector<std::uint8_t> bad = good;
    bad[0] = 'X';
    writeBytes(index, bad);
    f.read();
    QVERIFY(!f.ws().index.loaded());
    QCOMPARE(f.grid("sgTitles")->dataRowCount(), 0);
    for (const char* name : {"sgTitles", "eContent", "cbTitleNo", "cbTitleOT", "cbFPBon", "cbTMon", "bbTiins",
                             "bIndExDatEdit", "sgObject", "cbResume", "bbObins", "bbObdel", "bObjExtDatEdit"})
      QVERIFY2(!f.t.find<QWidget>(name)->isEnabled(), name);
    QCOMPARE(f.grid("sgObject")->dataRowCount(), int(f.objectCount()));  // listed, not usable
    QCOMPARE(f.counter("lObjects"), objects(f.objectCount()));
    QCOMPARE(f.counter("lTitlenum"), QString());
    // Save writes what was read well (the disc's sound file), never the index.
    f.t.w->saveClicked();
    QVERIFY(fileBytes(index) == bad);

    // The next Read starts from nothing.
    writeBytes(index, good);
    f.t.w->readDiscClicked();
    for (const char* name : {"sgTitles", "eContent", "cbTitleNo", "sgObject", "cbResume", "bbObins"})
      QVERIFY2(f.t.find<QWidget>(name)->isEnabled(), name);
    QCOMPARE(f.counter("lTitlenum"), QString("5 + 2 titles"));
  }

  void doubleClickOnABdjTitleReadsItsObject() {
    READ_SAMPLE(f);
    doubleClickCell(f.grid("sgTitles"), 0);
    QCOMPARE(f.t.w->currentPage(), Page::BDMV);
    doubleClickCell(f.grid("sgTitles"), 2);
    QCOMPARE(f.t.w->currentPage(), Page::BDJO);
    QCOMPARE(f.combo("cbBDJO")->currentText(), QString("00001"));
    QVERIFY(f.ws().bdjo.loaded());
    QCOMPARE(f.grid("sgAppManage")->dataRowCount(), 2);
  }

  void objectExtensionDataNeedsAWideCommandList() {
    READ_SAMPLE(f);
    auto* caption = f.t.find<QLabel>("lObjExtDat");
    f.t.w->resize(913, 585);
    QCoreApplication::processEvents();
    QVERIFY(!caption->isVisible());
    f.t.w->resize(1600, 900);
    QCoreApplication::processEvents();
    QVERIFY(caption->isVisible());
  }

  void indexExtensionDataEditor_data() {
    QTest::addColumn<bool>("ok");
    QTest::newRow("Delete, OK") << true;
    QTest::newRow("Delete, Cancel") << false;
  }

  void indexExtensionDataEditor() {
    QFETCH(bool, ok);
    READ_SAMPLE(f);
    const std::uint32_t address = f.ws().index.model().extensionDataStartAddress;
    QString caption, summary;
    onEditor([&](ExtDataDialog* d) {
      caption = d->windowTitle();
      summary = d->summary()->text();
      d->deleteButton()->click();
      (ok ? d->okButton() : d->cancelButton())->click();
    });
    f.t.find<QPushButton>("bIndExDatEdit")->click();
    QCOMPARE(caption, QString("index.bdmv ExtensionData edit"));
    QCOMPARE(summary, QString("83 bytes, 2 entries"));
    QCOMPARE(f.ws().index.model().extensionDataStartAddress, ok ? 0u : address);
    QCOMPARE(f.t.find<QLabel>("lIndexExtDat")->text(),
             ok ? QString("no ExtensionData()") : QString("2 entries, 83 bytes"));
    QTest::mouseClick(f.t.find<QPushButton>("bSave"), Qt::LeftButton);
    QCOMPARE(fileBytes(f.disc + "index.bdmv").size(), ok ? std::size_t(108 + 5 * 12) : std::size_t(address + 83));
  }

  // The Ultra HD application fields: hidden for an index without them,
  // shown for the real Ultra HD index; each change is an index edit that
  // Undo takes back.
  void ultraHdApplicationFields() {
    READ_SAMPLE(f);
    auto* box = f.t.find<IndexAppInfoView>("gbAppInfo");
    QVERIFY(!box->isVisible());
    const std::filesystem::path uhd = mirdal::test::sharedSamples() / "commercial-metadata/disc5_uhd/index.bdmv";
    if (mirdal::test::sharedSamples().empty() || !std::filesystem::exists(uhd)) QSKIP("no Ultra HD sample disc");
    writeBytes(f.disc + "index.bdmv", fileBytes(uhd.string()));
    f.t.w->readDiscClicked();
    QVERIFY(box->isVisible());
    QVERIFY(f.t.find<QWidget>("wUltraHdInfo")->isEnabled());
    QCOMPARE(f.t.find<QSpinBox>("sbDiscType")->value(), 5);
    QCOMPARE(f.t.find<QSpinBox>("sbHdrFlags")->value(), 3);
    QVERIFY(f.t.find<QCheckBox>("chk4K")->isChecked());
    QCOMPARE(f.combo("cbInitialDynamicRange")->currentText(), QString("SDR"));
    QCOMPARE(f.combo("cbAppVideoFormat")->itemText(8), QString("2160p"));

    QComboBox* range = f.combo("cbInitialDynamicRange");
    range->setCurrentIndex(1);
    emit range->activated(1);
    QCOMPARE(appInfoFields(f.ws().index.model()).initialDynamicRangeType, std::uint8_t(1));
    QTest::mouseClick(f.t.find<QCheckBox>("chkDiscHdrPlus"), Qt::LeftButton);
    QVERIFY(ultraHdInfo(f.ws().index.model())->hdrPlusFlag);
    QVERIFY(f.ws().index.modified());

    f.t.w->undoEdit();
    QVERIFY(!ultraHdInfo(f.ws().index.model())->hdrPlusFlag);
    QVERIFY(!f.t.find<QCheckBox>("chkDiscHdrPlus")->isChecked());
    f.t.w->undoEdit();
    QCOMPARE(range->currentText(), QString("SDR"));
    QVERIFY(!f.ws().index.modified());
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::BdmvViewsTest;
MIRDAL_GUI_TEST(BdmvViewsTest)
#include "bdmv_views_test.moc"
