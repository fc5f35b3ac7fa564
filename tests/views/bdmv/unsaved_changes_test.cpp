// The document behaviour a user sees: the "*" of unsaved changes, the
// Save / Discard / Cancel question before changes would be lost, and Undo /
// Redo that give back the file as it was.
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <fstream>
#include <functional>
#include <iterator>

#include "gui_test.h"
#include "main_window_fixture.h"
#include "sample_disc.h"
#include "views/common/command_field_editor.h"
#include "views/bdmv/object_program_view.h"
#include "views/shell/options_page.h"
#include "views/shell/page_tabs.h"

namespace mirdal::gui::test {

namespace {

std::vector<char> fileChars(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct UnsavedSample {
  mirdal::test::TempDir root;
  std::string disc = copySampleDisc(root);
  Window t;

  void read() {
    t.w->setDiscFolder(disc);
    t.w->readDiscClicked();
  }
  Workspace& ws() { return t.w->workspace(); }
  QString bdmvTab() { return t.w->pageControl()->tabText(int(Page::BDMV)); }
  void insertTitle() { t.find<QToolButton>("bbTiins")->click(); }
  std::size_t titles() { return ws().index.model().indexes.titles.size(); }
};

#define SAMPLE(f)         \
  UnsavedSample f;               \
  if (f.disc.empty()) QSKIP("the sample disc is missing"); \
  f.read()

}  // namespace

class UnsavedChangesTest : public QObject {
  Q_OBJECT
 private slots:
  void starMarksThePageAndCaptionUntilSaved() {
    SAMPLE(f);
    QCOMPARE(f.bdmvTab(), QString("&BDMV"));
    QVERIFY(!f.t.w->windowTitle().endsWith('*'));
    f.insertTitle();
    QCOMPARE(f.bdmvTab(), QString("&BDMV*"));
    QVERIFY(f.t.w->windowTitle().endsWith(" *"));
    QCOMPARE(f.t.w->pageControl()->tabText(int(Page::BDJO)), QString("BD&JO"));
    f.t.w->saveClicked();
    QCOMPARE(f.bdmvTab(), QString("&BDMV"));
    QVERIFY(!f.t.w->windowTitle().endsWith('*'));
    // Undo back past the save: the page differs from the file again.
    f.t.w->undoEdit();
    QCOMPARE(f.bdmvTab(), QString("&BDMV*"));
  }

  // Closing the window and Read ask before unsaved changes would go;
  // Cancel keeps everything, Discard goes on, Save writes first.
  void questionBeforeChangesAreLost_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<bool>("fileWritten");
    for (const char* action : {"close", "read"}) {
      const QString a = QString::fromLatin1(action);
      QTest::newRow(qPrintable(a + " cancel")) << a << int(Answer::Cancel) << false << false;
      QTest::newRow(qPrintable(a + " discard")) << a << int(Answer::No) << true << false;
      QTest::newRow(qPrintable(a + " save")) << a << int(Answer::Yes) << true << true;
    }
  }
  void questionBeforeChangesAreLost() {
    QFETCH(QString, action);
    QFETCH(int, answer);
    QFETCH(bool, goesOn);
    QFETCH(bool, fileWritten);
    SAMPLE(f);
    f.t.w->show();
    const std::vector<char> before = fileChars(f.disc + "index.bdmv");
    const std::size_t titles = f.titles();
    f.insertTitle();
    f.t.ia.answers = {Answer(answer)};
    if (action == "close") f.t.w->close();
    else f.t.w->readDiscClicked();

    QCOMPARE(f.t.ia.questions, QStringList{"Save the changes to index.bdmv?"});
    QCOMPARE(fileChars(f.disc + "index.bdmv") != before, fileWritten);
    if (action == "close") {
      QCOMPARE(f.t.w->isVisible(), !goesOn);
    } else {
      // A Read that went on shows the file as it is on disc now.
      QCOMPARE(f.titles(), goesOn && !fileWritten ? titles : titles + 1);
      QCOMPARE(f.ws().index.modified(), !goesOn);
    }
  }

  void nothingChangedAsksNothing() {
    SAMPLE(f);
    f.t.w->show();
    f.t.w->readDiscClicked();
    f.t.w->close();
    QVERIFY(f.t.ia.questions.isEmpty());
    QVERIFY(!f.t.w->isVisible());
  }

  // A Read replaces the disc's files, not the menu: an unsaved menu is not
  // asked about there (it stays as it is), only when the window closes.
  void readLeavesAnUnsavedMenuAlone() {
    SAMPLE(f);
    f.t.w->show();
    f.t.w->optionsPage()->createMenuButton()->click();
    QVERIFY(f.ws().menu.modified());
    f.t.w->readDiscClicked();
    QVERIFY(f.t.ia.questions.isEmpty());
    QVERIFY(f.ws().menu.modified());
    f.t.ia.answers << Answer::No;
    f.t.w->close();
    QCOMPARE(f.t.ia.questions.size(), 1);
    QVERIFY(f.t.ia.questions[0].contains("mymenu.mnu"));
  }

  // Undo gives back the files' bytes, with the page and the place of the
  // edit shown; Redo does the edit again.
  void undoAndRedo_data() {
    QTest::addColumn<QString>("edit");
    QTest::newRow("title insert") << "title insert";
    QTest::newRow("object delete") << "object delete";
    QTest::newRow("command edit") << "command edit";
  }
  void undoAndRedo() {
    QFETCH(QString, edit);
    SAMPLE(f);
    const std::vector<char> index = fileChars(f.disc + "index.bdmv");
    const std::vector<char> mobj = fileChars(f.disc + "MovieObject.bdmv");
    auto* titles = f.t.find<StringGrid>("sgTitles");
    auto* objects = f.t.find<StringGrid>("sgObject");
    auto* commands = f.t.find<StringGrid>("sgCommands");
    int row = 0;
    if (edit == "title insert") {
      clickCell(titles, 2);
      f.insertTitle();
      row = 3;
    } else if (edit == "object delete") {
      clickCell(objects, 4);
      f.t.find<QToolButton>("bbObdel")->click();
      row = 4;
    } else {
      clickCell(objects, 6);
      clickCell(commands, 1);
      emit f.t.w->objectProgram()->editor()->commandEdited(mirdal::NavCommand{0x50400001, 3, 7});
      row = 1;
    }
    const IndexFile editedIndex = f.ws().index.model();
    const MovieObjectFile editedObjects = f.ws().mobj.model();
    f.t.w->showPage(Page::Status);

    f.t.w->undoEdit();
    QCOMPARE(f.t.w->currentPage(), Page::BDMV);
    if (edit == "title insert") QCOMPARE(titles->currentRow(), row);
    else if (edit == "object delete") QCOMPARE(objects->currentRow(), row);
    else {
      QCOMPARE(objects->currentRow(), 6);
      QCOMPARE(commands->currentRow(), row);
    }
    QCOMPARE(f.bdmvTab(), QString("&BDMV"));
    f.t.w->saveClicked();
    QVERIFY(fileChars(f.disc + "index.bdmv") == index);
    QVERIFY(fileChars(f.disc + "MovieObject.bdmv") == mobj);

    f.t.w->redoEdit();
    QVERIFY(f.ws().index.model() == editedIndex);
    QVERIFY(f.ws().mobj.model() == editedObjects);
    QCOMPARE(f.bdmvTab(), QString("&BDMV*"));
  }

  // A Read starts a new history.
  void readClearsTheHistory() {
    SAMPLE(f);
    f.insertTitle();
    f.t.w->saveClicked();
    f.t.w->readDiscClicked();
    const std::size_t titles = f.titles();
    f.t.w->undoEdit();
    QCOMPARE(f.titles(), titles);
    QVERIFY(!f.ws().journal.canUndo());
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::UnsavedChangesTest;
MIRDAL_GUI_TEST(UnsavedChangesTest)
#include "unsaved_changes_test.moc"

// Other test files, compiled in the same bundle, define their own.
#undef SAMPLE
