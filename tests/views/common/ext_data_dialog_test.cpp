// The ExtensionData editor: summary and entry rows, the coloured dump, the
// ID1 edit, Delete, and the ".exd" side files through the Interaction.
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextFragment>

#include "formats/common/ext_data_edit.h"
#include "gui_test.h"
#include "scripted_interaction.h"
#include "support/temp_dir.h"
#include "views/common/ext_data_dialog.h"
#include "views/common/string_grid.h"

namespace mirdal::gui::test {

namespace {

// A block as a file holds it: n entries, their data one after another
// right behind the entry table.
ExtensionData block(const std::vector<std::vector<std::uint8_t>>& datas) {
  ExtensionData ed;
  ed.numberOfExtDataEntries = std::uint8_t(datas.size());
  ed.dataBlockStartAddress = std::uint32_t(12 + 12 * datas.size());
  std::uint32_t at = ed.dataBlockStartAddress;
  std::uint16_t id = 0x1000;
  for (const auto& d : datas) {
    ed.entries.push_back({id, 0x0100, at, std::uint32_t(d.size())});
    ed.data.insert(ed.data.end(), d.begin(), d.end());
    at += std::uint32_t(d.size());
    id = std::uint16_t(id + 0x1000);
  }
  ed.length = at - 4;
  return ed;
}

struct Run {
  QString text;
  QColor colour;
};

QList<Run> runsOfLine(const QTextEdit* e, int line) {
  QList<Run> out;
  const QTextBlock b = e->document()->findBlockByNumber(line);
  for (auto it = b.begin(); !it.atEnd(); ++it)
    out << Run{it.fragment().text(), it.fragment().charFormat().foreground().color()};
  return out;
}

}  // namespace

class ExtDataDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void summaryAndButtons_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<int>("rows");
    QTest::newRow("two entries") << 2 << "64 bytes, 2 entries" << 2;
    QTest::newRow("one entry") << 1 << "40 bytes, 1 entry" << 1;
    QTest::newRow("none") << 0 << "None" << 0;
  }

  void summaryAndButtons() {
    QFETCH(int, entries);
    QFETCH(QString, summary);
    QFETCH(int, rows);
    ExtensionData ed;
    // length 60 with two entries, 36 with one.
    if (entries == 2) ed = block({std::vector<std::uint8_t>(14, 1), std::vector<std::uint8_t>(14, 2)});
    if (entries == 1) ed = block({std::vector<std::uint8_t>(16, 1)});
    ScriptedInteraction ia;
    ExtDataDialog d(ia, "");
    d.setBlock(ed, "MovieObject.bdmv");
    QCOMPARE(d.windowTitle(), QString("MovieObject.bdmv ExtensionData edit"));
    QCOMPARE(d.summary()->text(), summary);
    QCOMPARE(d.entryGrid()->dataRowCount(), rows);
    QCOMPARE(d.deleteButton()->isEnabled(), entries > 0);
    QCOMPARE(d.saveButton()->isEnabled(), entries > 0);
    QVERIFY(d.okButton()->isDefault());
    QVERIFY(d.minimumWidth() >= 890 && d.minimumHeight() >= 360);
    if (entries == 2) {
      QCOMPARE(d.entryGrid()->cell(1, 0), QString("001"));
      QCOMPARE(d.entryGrid()->cell(1, 1), QString("2000"));
      QCOMPARE(d.entryGrid()->cell(1, 3), QString("00000032"));
      QCOMPARE(d.entryGrid()->cell(1, 4), QString("0000000E"));
    }
  }

  void dumpLinesAndColours() {
    std::vector<std::uint8_t> data(40, 0x41);
    data[1] = 0x0A;
    const ExtensionData ed = block({{0x42}, data});
    ScriptedInteraction ia;
    ExtDataDialog d(ia, "");
    d.setBlock(ed, "index.bdmv");
    QCOMPARE(d.dataText()->document()->blockCount(), 1);  // the first entry: one byte
    d.entryGrid()->selectDataRow(1);
    QTextDocument* doc = d.dataText()->document();
    QCOMPARE(doc->blockCount(), 2);
    const QString first = doc->findBlockByNumber(0).text();
    QVERIFY(first.startsWith(" 0025 41 0A 41"));
    QVERIFY(first.endsWith(" A.AAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"));
    const QString second = doc->findBlockByNumber(1).text();
    QVERIFY(second.startsWith(" 0045 41 41 41 41 41 41 41 41" + QString(24 * 3, QLatin1Char(' ')) + " AAAAAAAA"));

    const QList<Run> runs = runsOfLine(d.dataText(), 0);
    QCOMPARE(runs.size(), 4);
    QCOMPARE(runs[1].text, QString("0025"));
    QCOMPARE(runs[1].colour, QColor(0, 0, 255));
    QCOMPARE(runs[2].colour, d.palette().color(QPalette::WindowText));
    QCOMPARE(runs[3].text, QString("A.AAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"));
    QCOMPARE(runs[3].colour, QColor(255, 0, 0));
    QCOMPARE(d.dataText()->font().pointSize(), 8);
  }

  void onlyID1IsTakenOver_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("id1");
    QTest::addColumn<QString>("shown");
    QTest::newRow("hexadecimal, either case") << 1 << "abCD" << 0xABCD << "ABCD";
    QTest::newRow("a stray character makes 0") << 1 << "1g" << 0 << "0000";
    QTest::newRow("ID2 is shown as before") << 2 << "7777" << 0x1000 << "0100";
  }

  void onlyID1IsTakenOver() {
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(int, id1);
    QFETCH(QString, shown);
    ScriptedInteraction ia;
    ExtDataDialog d(ia, "");
    d.setBlock(block({{1, 2, 3}}), "index.bdmv");
    emit d.entryGrid()->cellEdited(0, column, typed);
    QCOMPARE(int(d.block().entries[0].id1), id1);
    QCOMPARE(int(d.block().entries[0].id2), 0x0100);
    QCOMPARE(d.entryGrid()->cell(0, column), shown);
  }

  void deleteEmptiesTheCopy() {
    ScriptedInteraction ia;
    ExtDataDialog d(ia, "");
    d.setBlock(block({{1, 2, 3}}), "index.bdmv");
    d.deleteButton()->click();
    QCOMPARE(d.block(), ExtensionData{});
    QCOMPARE(d.summary()->text(), QString("None"));
    QVERIFY(!d.saveButton()->isEnabled());
    QCOMPARE(d.dataText()->toPlainText(), QString());
  }

  void sideFileRoundTrip() {
    mirdal::test::TempDir dir;
    const ExtensionData ed = block({{1, 2, 3}, {'a', 'b'}});
    ScriptedInteraction ia;
    ia.files = {QString::fromStdString(dir.folder()) + "saved"};
    ExtDataDialog d(ia, dir.folder());
    d.setBlock(ed, "index.bdmv");
    d.saveButton()->click();
    QVERIFY(dir.exists("saved.exd"));
    QCOMPARE(ia.fileRequests.size(), 1);
    QCOMPARE(ia.fileRequests[0].title, QString("Save ExtensionData()"));
    QCOMPARE(ia.fileRequests[0].filter, QString("ExtensionData|*.exd"));
    QCOMPARE(ia.fileRequests[0].defaultExt, QString(".exd"));
    QCOMPARE(ia.fileRequests[0].folder, QString::fromStdString(dir.folder()));

    ExtDataDialog other(ia, dir.folder());
    other.setBlock(ExtensionData{}, "MovieObject.bdmv");
    ia.files = {QString::fromStdString(dir.folder()) + "saved.exd"};
    other.loadButton()->click();
    QCOMPARE(ia.fileRequests.last().title, QString("Load ExtensionData()"));
    QCOMPARE(ia.fileRequests.last().filter, QString("ExtensionData|*.exd"));
    QCOMPARE(other.block(), ed);
    QCOMPARE(other.summary()->text(), QString("41 bytes, 2 entries"));

    // A file too short for a block is refused and the copy stays.
    dir.write("short.exd", std::vector<std::uint8_t>{0, 0, 0});
    ia.files = {QString::fromStdString(dir.folder()) + "short.exd"};
    other.loadButton()->click();
    QCOMPARE(other.block(), ed);
    QCOMPARE(ia.told.size(), 1);
    QVERIFY(ia.told[0].startsWith("short.exd: "));
    QVERIFY(ia.unexpected.isEmpty());
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::ExtDataDialogTest;
MIRDAL_GUI_TEST(ExtDataDialogTest)
#include "ext_data_dialog_test.moc"
