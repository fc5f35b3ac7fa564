// The menu editors as a user drives them: Create Menu, the keys that insert
// and delete pages and buttons, a refused cell value, Undo of a delete, the
// effect count that opens its sequence, and Mux through the save dialog.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <filesystem>

#include "gui_test.h"
#include "main_window_fixture.h"
#include "sample_disc.h"
#include "menu/igs_read.h"
#include "menu/menu_edit.h"
#include "stream/ig_extract.h"
#include "support/temp_dir.h"
#include "views/common/command_grid.h"
#include "views/common/hex_edit.h"
#include "views/common/int_edit.h"
#include "views/menu/menu_bogs_tab.h"
#include "views/menu/menu_composition_box.h"
#include "views/menu/menu_context.h"
#include "views/menu/menu_effects_tab.h"
#include "views/menu/menu_page.h"
#include "views/menu/menu_page_box.h"
#include "views/shell/options_page.h"
#include "views/common/radio_group.h"
#include "views/shell/shared_controls.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui::test {

namespace {

struct MenuEditWindow {
  Window t;
  MenuPage* page() const { return t.w->menuPage(); }
  MenuBogsTab* bogs() const { return page()->bogsTab(); }
  const IgMenu& menu() { return t.w->workspace().menu.model(); }
  void create() { t.w->optionsPage()->createMenuButton()->click(); }
  // The menu file of the sample disc, loaded as the Load button would.
  bool loadSample() {
    const auto path = std::filesystem::path(MIRDAL_SOURCE_DIR) / "samples/disc/menu/sample.mnu";
    if (!std::filesystem::exists(path)) return false;
    IgMenu m;
    if (readMnuFile(path.string(), m, mirdal::gui::guiReporter()).status != ReadStatus::Ok) return false;
    t.w->workspace().menu.load(std::move(m), "sample.mnu", true);
    return true;
  }
  // Types text into a cell through the grid's own editor.
  static QLineEdit* openEditor(StringGrid* g) {
    QLineEdit* e = nullptr;
    for (QLineEdit* c : g->viewport()->findChildren<QLineEdit*>())
      if (!c->isHidden()) e = c;
    return e;
  }
  void typeIntoCell(StringGrid* g, int row, int column, const QString& text) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // editors closed before
    g->setEditMode(true);
    g->setCurrentCell(row, column);
    // Grids with the editor always open have opened it on the current cell.
    QLineEdit* e = openEditor(g);
    if (!e) {
      g->edit(g->model()->index(row, column));
      e = openEditor(g);
    }
    QVERIFY(e);
    e->selectAll();
    e->setText(text);
    QTest::keyClick(e, Qt::Key_Return);
    QCoreApplication::processEvents();  // the delegate commits on Return through a queued call
  }
};

}  // namespace

class MenuEditViewTest : public QObject {
  Q_OBJECT
 private slots:
  void createMenuGivesOnePageBogAndButtonUnsaved() {
    MenuEditWindow f;
    f.create();
    QCOMPARE(f.menu().ics.pages.size(), std::size_t(1));
    QVERIFY(f.t.w->workspace().menu.modified());
    QCOMPARE(f.t.w->currentPage(), Page::Menu);
    QCOMPARE(f.page()->pageBox()->pageCountLabel()->text(), QString("(1)"));
    QCOMPARE(f.page()->compositionBox()->videoSizeChoice()->currentText(), QString("1920x1080"));
    QCOMPARE(f.page()->compositionBox()->compositionFrameRateChoice()->currentText(), QString("23.97"));
    QCOMPARE(f.page()->compositionBox()->inTimeField()->text(), QString("0:00:02.000"));
    QCOMPARE(f.bogs()->bogGrid()->columnCount(), 2);  // the row titles and BOG 0
    QCOMPARE(f.bogs()->buttonGrid()->dataRowCount(), 1);
    QCOMPARE(f.bogs()->buttonGrid()->cell(0, kBtnUpper), QString("0000"));
    QVERIFY(f.t.find<QPushButton>("bMux")->isEnabled());
    // The palette its page names comes with it.
    QCOMPARE(f.menu().palettes.size(), std::size_t(1));
    QCOMPARE(f.menu().ics.pages[0].paletteId, 0);
  }

  void keysInsertAndDeletePagesBogsAndButtons() {
    MenuEditWindow f;
    f.create();
    QComboBox* pages = f.page()->pageBox()->pageChoice();
    QTest::keyClick(pages, Qt::Key_Insert);
    QCOMPARE(f.page()->pageBox()->pageCountLabel()->text(), QString("(2)"));
    QCOMPARE(pages->currentIndex(), 1);
    QTest::keyClick(f.bogs()->bogGrid(), Qt::Key_Insert);
    QCOMPARE(f.menu().ics.pages[1].bogs.size(), std::size_t(2));
    QCOMPARE(f.page()->context().bog(), 1);
    StringGrid* buttons = f.bogs()->buttonGrid();
    QTest::keyClick(buttons, Qt::Key_Insert);
    QCOMPARE(buttons->dataRowCount(), 2);
    QCOMPARE(buttons->cell(1, kBtnId), QString("0002"));  // BOG 0 holds 0000, BOG 1 0001
    QCOMPARE(f.page()->context().button(), 1);
    // Delete alone does not delete a button; Shift+Delete does.
    QTest::keyClick(buttons, Qt::Key_Delete);
    QCOMPARE(buttons->dataRowCount(), 2);
    QTest::keyClick(buttons, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(buttons->dataRowCount(), 1);
    QTest::keyClick(buttons, Qt::Key_Delete, Qt::ShiftModifier);  // the last button stays
    QCOMPARE(buttons->dataRowCount(), 1);
    QTest::keyClick(pages, Qt::Key_Delete);
    QCOMPARE(f.page()->pageBox()->pageCountLabel()->text(), QString("(1)"));
    QCOMPARE(pages->currentIndex(), 0);
  }

  void refusedCellValuesShowTheStoredValue() {
    MenuEditWindow f;
    f.create();
    StringGrid* buttons = f.bogs()->buttonGrid();
    struct Case {
      int column;
      QString typed, shown;
    };
    // X at the video width, a neighbour past the page's buttons, then an
    // accepted X.
    for (const Case& c : {Case{kBtnX, "1920", "0"}, Case{kBtnLower, "0001", "0000"}, Case{kBtnX, "1919", "1919"}}) {
      f.typeIntoCell(buttons, 0, c.column, c.typed);
      QCOMPARE(buttons->cell(0, c.column), c.shown);
    }
    // The page's palette field: no palette 05 in a new menu.
    HexEdit* palette = f.page()->pageBox()->paletteField();
    palette->setText("05");
    emit palette->editingFinished();
    QCOMPARE(palette->text(), QString("00"));
  }

  void buttonCommandsAreInsertedAndEdited() {
    MenuEditWindow f;
    f.create();
    CommandGrid* cmds = f.bogs()->buttonCommandGrid();
    QTest::keyClick(cmds, Qt::Key_Insert);
    QTest::keyClick(cmds, Qt::Key_Insert);
    QCOMPARE(f.menu().ics.pages[0].bogs[0].buttons[0].commands.size(), std::size_t(2));
    QCOMPARE(f.bogs()->buttonGrid()->cell(0, kBtnCommands), QString("2"));
    f.typeIntoCell(cmds, 1, 1, "20810000");  // GoTo
    QCOMPARE(f.menu().ics.pages[0].bogs[0].buttons[0].commands[1].opcode, 0x20810000u);
    QVERIFY(cmds->cell(1, 4).startsWith("GoTo"));
  }

  void buttonCommandLinesAreTypedAndImported() {
    MenuEditWindow f;
    f.create();
    CommandGrid* cmds = f.bogs()->buttonCommandGrid();
    const auto commands = [&] { return f.menu().ics.pages[0].bogs[0].buttons[0].commands; };
    QTest::keyClick(cmds, Qt::Key_Insert);
    f.typeIntoCell(cmds, 0, 4, "SetButtonPage 1, (0)");
    QCOMPARE(commands(), (CommandList{{0x51C00003, 0x80000001, 0}}));
    QCOMPARE(cmds->cell(0, 4), QString("SetButtonPage 1, (0)"));
    f.typeIntoCell(cmds, 0, 4, "SetButtonPage 1, (256)");  // refused: the old command stays
    QCOMPARE(commands(), (CommandList{{0x51C00003, 0x80000001, 0}}));
    QCOMPARE(cmds->cell(0, 4), QString("SetButtonPage 1, (0)"));
    QCOMPARE(QString::fromStdString(mirdal::gui::guiReporter().status().panel[1]),
             QString(" Command kept: column 19: number out of range: 256 (0 to 255 here) "));
    cmds->setEditMode(false);

    mirdal::test::TempDir dir;
    dir.write("b.lst", std::string("EnableButton 2\nMove GPR1, 1\n"));
    f.t.ia.files << QString::fromStdString((dir.path() / "b.lst").string());
    f.t.ia.answers << Answer::No;  // after the selected line
    QToolButton* import = f.t.find<QToolButton>("mbbLoadCommands");
    QCOMPARE(import->toolTip(), QString("Import program..."));
    import->click();
    QCOMPARE(commands(), (CommandList{{0x51C00003, 0x80000001, 0}, {0x31800004, 2, 0}, {0x50400001, 1, 1}}));
    QCOMPARE(f.bogs()->buttonGrid()->cell(0, kBtnCommands), QString("3"));
    QCOMPARE(cmds->dataRowCount(), 3);
    f.t.w->undoEdit();
    QCOMPARE(commands().size(), std::size_t(1));
    QVERIFY(f.t.ia.unexpected.isEmpty());
  }

  void undoBringsADeletedButtonBack() {
    MenuEditWindow f;
    f.create();
    StringGrid* buttons = f.bogs()->buttonGrid();
    QTest::keyClick(buttons, Qt::Key_Insert);
    f.typeIntoCell(buttons, 1, kBtnX, "100");
    buttons->setEditMode(false);
    QTest::keyClick(buttons, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(buttons->dataRowCount(), 1);
    f.t.w->undoEdit();
    QCOMPARE(buttons->dataRowCount(), 2);
    QCOMPARE(buttons->cell(1, kBtnX), QString("100"));
  }

  void loadedMenuIsShownAndEffectCountsOpenTheirSequence() {
    MenuEditWindow f;
    if (!f.loadSample()) QSKIP("the sample menu is missing");
    const InteractiveComposition& ics = f.menu().ics;
    MenuCompositionBox* comp = f.page()->compositionBox();
    QCOMPARE(comp->videoSizeChoice()->currentIndex(), videoItemOf(ics.videoWidth, ics.videoHeight));
    QCOMPARE(comp->compositionFrameRateChoice()->currentIndex(), int(ics.frameRate));
    QCOMPARE(comp->userTimeoutField()->text(), QString::fromStdString(timeoutText(ics.userTimeout)));
    QCOMPARE(f.page()->pageBox()->pageCountLabel()->text(), QString("(%1)").arg(ics.pages.size()));
    QCOMPARE(f.page()->context().page(), 0);
    QCOMPARE(f.page()->pageBox()->bogCountField()->value(), std::int64_t(ics.pages[0].bogs.size()));
    // The first sequence of any page that has effects.
    for (std::size_t p = 0; p < ics.pages.size(); ++p)
      for (int s = 0; s < 2; ++s) {
        const EffectSequence& seq = ics.pages[p].effects[s];
        if (seq.effects.empty()) continue;
        choose(f.page()->pageBox()->pageChoice(), int(p));
        IntEdit* count = s == 0 ? f.page()->pageBox()->inEffectCountField() : f.page()->pageBox()->outEffectCountField();
        QTest::mouseClick(count, Qt::LeftButton);
        QCOMPARE(f.page()->tabs()->currentIndex(), int(MenuTab::Effects));
        QCOMPARE(f.page()->effectsTab()->sequenceChoice()->checkedIndex(), s);
        QCOMPARE(f.page()->effectsTab()->effectsGrid()->dataRowCount(), int(seq.effects.size()));
        return;
      }
    QSKIP("the sample menu has no effects");
  }

  void createMenuOverUnsavedChangesAsksFirst() {
    MenuEditWindow f;
    f.create();
    QTest::keyClick(f.bogs()->buttonGrid(), Qt::Key_Insert);
    f.t.ia.answers << Answer::No << Answer::Yes;
    f.create();
    QCOMPARE(f.t.ia.questions.size(), 1);
    QCOMPARE(f.menu().ics.pages[0].bogs[0].buttons.size(), std::size_t(2));  // kept
    f.create();
    QCOMPARE(f.menu().ics.pages[0].bogs[0].buttons.size(), std::size_t(1));
  }

  void userTimeoutIsStoredInTicksAndRefusedPast24Bits() {
    MenuEditWindow f;
    f.create();
    QLineEdit* uto = f.page()->compositionBox()->userTimeoutField();
    for (const auto& [typed, shown, ticks] : {std::tuple<QString, QString, std::uint32_t>{"0:01:05", "0:01:05", 65 * 90000},
                                              {"0:05:00", "0:01:05", 65 * 90000}}) {
      uto->setText(typed);
      emit uto->editingFinished();
      QCOMPARE(uto->text(), shown);
      QCOMPARE(f.menu().ics.userTimeout, ticks);
    }
    choose(f.page()->compositionBox()->videoSizeChoice(), 3);
    QCOMPARE(f.menu().ics.videoWidth, std::uint16_t(720));
    QCOMPARE(f.menu().ics.videoHeight, std::uint16_t(480));
  }

  void bogDefaultButtonStepsOnDoubleClickAndRefusesMissingIds() {
    MenuEditWindow f;
    f.create();
    StringGrid* bogs = f.bogs()->bogGrid();
    for (const char* shown : {"0000", "FFFF", "0000"}) {
      emit bogs->cellDoubleClicked(1, 1);
      QCOMPARE(bogs->cell(1, 1), QString(shown));
    }
    f.typeIntoCell(bogs, 1, 1, "0001");  // the page has one button
    QCOMPARE(bogs->cell(1, 1), QString("0000"));
    f.typeIntoCell(bogs, 1, 1, "FFFF");
    QCOMPARE(bogs->cell(1, 1), QString("FFFF"));
  }

  void effectGridsInsertRowsAndRefuseValuesOutOfRange() {
    MenuEditWindow f;
    f.create();
    MenuEffectsTab* fx = f.page()->effectsTab();
    QTest::keyClick(fx->effectWindowGrid(), Qt::Key_Insert);
    QCOMPARE(f.page()->pageBox()->inEffectWindowCountField()->value(), std::int64_t(1));
    f.typeIntoCell(fx->effectWindowGrid(), 0, 3, "2000");  // wider than the video
    QCOMPARE(fx->effectWindowGrid()->cell(0, 3), QString("0"));
    f.typeIntoCell(fx->effectWindowGrid(), 0, 3, "640");
    QCOMPARE(fx->effectWindowGrid()->cell(0, 3), QString("640"));
    QTest::keyClick(fx->effectsGrid(), Qt::Key_Insert);
    f.typeIntoCell(fx->effectsGrid(), 0, 1, "0:00:00.500");
    QCOMPARE(f.menu().ics.pages[0].effects[0].effects[0].duration, 45000u);
    QTest::keyClick(fx->compositionObjectGrid(), Qt::Key_Insert);  // no object to show yet
    QCOMPARE(fx->effectsGrid()->cell(0, 3), QString("0"));
    f.t.w->workspace().menu.edit(ChangeNotice::rows("objects", 0), [](IgMenu& m) {
      IgObject o;
      o.width = o.height = 2;
      m.objects.push_back(o);
    });
    QTest::keyClick(fx->compositionObjectGrid(), Qt::Key_Insert);
    QCOMPARE(fx->effectsGrid()->cell(0, 3), QString("1"));
    f.typeIntoCell(fx->compositionObjectGrid(), 0, 3, "100");
    QCOMPARE(f.menu().ics.pages[0].effects[0].effects[0].compObjects[0].x, std::uint16_t(100));
    f.typeIntoCell(fx->compositionObjectGrid(), 0, 1, "0001");  // the menu has object 0 only
    QCOMPARE(fx->compositionObjectGrid()->cell(0, 1), QString("0000"));
    // An object claiming 65535 x 65535 pixels is not decoded for the preview
    // (it took 21 GB and aborted the program).
    f.t.w->workspace().menu.edit(ChangeNotice::rows("objects", 0), [](IgMenu& m) {
      m.objects[0].width = m.objects[0].height = 65535;
      m.objects[0].rle = {0, 0};
    });
    QCOMPARE(fx->compositionObjectGrid()->cell(0, 1), QString("0000"));
    fx->effectsGrid()->setEditMode(false);
    fx->effectsGrid()->setCurrentCell(0, 1);
    QTest::keyClick(fx->effectsGrid(), Qt::Key_Delete);
    QCOMPARE(f.page()->pageBox()->inEffectCountField()->value(), std::int64_t(0));
  }

  void doubleClickOnSetButtonPageFollowsToThePageAndButton() {
    MenuEditWindow f;
    f.create();
    QTest::keyClick(f.page()->pageBox()->pageChoice(), Qt::Key_Insert);  // page 1: button 0 in BOG 0
    QTest::keyClick(f.bogs()->bogGrid(), Qt::Key_Insert);                // and button 1 in BOG 1
    choose(f.page()->pageBox()->pageChoice(), 0);
    // SetButtonPage button 1, page 1, both immediate and flagged.
    const CommandList program{{0x51C00003, 0x80000001, 0x80000001}};
    f.t.w->workspace().menu.edit(ChangeNotice::rows("commands", 0, 1, 0),
                                 [&](IgMenu& m) { return setButtonCommands(m, 0, 0, 0, program); });
    emit f.bogs()->buttonCommandGrid()->cellDoubleClicked(0, 4);
    QCOMPARE(f.page()->context().page(), 1);
    QCOMPARE(f.page()->context().bog(), 1);
    QCOMPARE(f.page()->pageBox()->pageChoice()->currentIndex(), 1);
    QCOMPARE(f.bogs()->buttonGrid()->cell(f.page()->context().button(), kBtnId), QString("0001"));
  }

  void repeatingAnimationRunsUntilCancel() {
    MenuEditWindow f;
    if (!f.loadSample()) QSKIP("the sample menu is missing");
    MenuContext& ctx = f.page()->context();
    const InteractiveComposition& ics = f.menu().ics;
    for (std::size_t p = 0; p < ics.pages.size(); ++p)
      for (std::size_t g = 0; g < ics.pages[p].bogs.size(); ++g)
        for (std::size_t i = 0; i < ics.pages[p].bogs[g].buttons.size(); ++i) {
          const IgButton& b = ics.pages[p].bogs[g].buttons[i];
          if (b.selectedRepeat != 1 || b.selectedStart >= b.selectedEnd) continue;
          ctx.setPage(int(p));
          ctx.setBog(int(g));
          ctx.setButton(int(i));
          f.t.w->showPage(Page::Menu);
          emit f.bogs()->buttonGrid()->cellDoubleClicked(int(i), kBtnSEnd);
          QVERIFY(f.bogs()->animating());
          QPushButton* cancel = f.t.find<QPushButton>("bCancel");
          QVERIFY(cancel->isEnabled());
          cancel->click();
          QVERIFY(!f.bogs()->animating());
          QVERIFY(!cancel->isEnabled());
          QCOMPARE(f.bogs()->findChild<QLabel*>("lBOGObject")->text(),
                   QString("Object ") + QString("%1").arg(b.selectedEnd, 4, 16, QLatin1Char('0')).toUpper());
          return;
        }
    QSKIP("the sample menu has no repeating selected range");
  }

  void muxWritesAStreamThatLoadsBack() {
    MenuEditWindow f;
    f.create();
    QTest::keyClick(f.bogs()->buttonGrid(), Qt::Key_Insert);
    mirdal::test::TempDir dir;
    f.t.ia.files << QString::fromStdString(dir.folder() + "out");
    f.t.find<QPushButton>("bMux")->click();
    QCOMPARE(f.t.ia.fileRequests.size(), 1);
    QCOMPARE(f.t.ia.fileRequests[0].title, QString("Mux Menu"));
    QCOMPARE(f.t.ia.fileRequests[0].filter, QString("m2ts|*.m2ts"));
    const std::string out = dir.folder() + "out.m2ts";
    QCOMPARE(std::filesystem::file_size(out) % (192 * 32), std::uintmax_t(0));
    IgMenu back;
    QCOMPARE(loadMenuFromStream(out, 0x1400, back, mirdal::gui::guiReporter()).status, ReadStatus::Ok);
    QVERIFY(back.ics.pages == f.menu().ics.pages);
  }

  // A menu from a stream of several display sets holds the first alone:
  // Save and Mux ask before the others are dropped, and write nothing on No.
  void saveAndMuxAskBeforeDroppingDisplaySets() {
    MenuEditWindow f;
    if (!f.loadSample()) QSKIP("the sample menu is missing");
    IgMenu m = f.menu();
    m.displaySets = 17;
    f.t.w->workspace().menu.load(std::move(m), "stream.mnu", true);
    f.t.w->showPage(Page::Menu);
    mirdal::test::TempDir dir;
    f.t.ia.answers << Answer::No;
    f.t.w->saveClicked();
    QCOMPARE(f.t.ia.questions.size(), 1);
    QVERIFY(f.t.ia.questions[0].contains("17 display sets"));
    QVERIFY(f.t.ia.questions[0].contains("drop the other 16"));
    QVERIFY(f.t.ia.fileRequests.isEmpty());
    f.t.ia.answers << Answer::Yes;
    f.t.ia.files << QString::fromStdString(dir.folder() + "first");
    f.t.w->saveClicked();
    QVERIFY(std::filesystem::exists(dir.folder() + "first.mnu"));
    f.t.ia.answers << Answer::No;
    f.t.find<QPushButton>("bMux")->click();
    QCOMPARE(f.t.ia.questions.size(), 3);
    QCOMPARE(f.t.ia.fileRequests.size(), 1);  // only the Save's
    QVERIFY(f.t.ia.unexpected.isEmpty());
  }

  // The Options say which matrix turns the menu's palettes into colours.
  void theOptionsNameThePaletteMatrix() {
    MenuEditWindow f;
    QLabel* line = f.t.find<QLabel>("lColourMatrix");
    QVERIFY(line->text().contains("720 lines"));
    f.create();
    QVERIFY(line->text().startsWith("Palette colours: BT.709 (the menu is 1080 lines high"));
    f.t.w->workspace().menu.edit(ChangeNotice::everything(), [](IgMenu& m) {
      return setCompositionField(m, CompositionField::Height, 576);
    });
    QVERIFY(line->text().startsWith("Palette colours: BT.601 (the menu is 576 lines high"));
  }
};

MIRDAL_GUI_TEST(MenuEditViewTest)

}  // namespace mirdal::gui::test

#include "menu_edit_view_test.moc"
