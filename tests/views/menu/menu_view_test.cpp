// The menu page's "Page view" as the user drives it: Start and the five
// navigation buttons, the keyboard, the pointer, the display switches and
// the two view modes, on the sample menu of the source tree.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <filesystem>

#include "gui_test.h"
#include "main_window_fixture.h"
#include "sample_disc.h"
#include "menu/igs_read.h"
#include "views/common/command_grid.h"
#include "views/menu/display_switches.h"
#include "views/common/hex_edit.h"
#include "views/common/int_edit.h"
#include "views/menu/menu_context.h"
#include "views/menu/menu_page.h"
#include "views/menu/menu_player.h"
#include "views/menu/menu_view_canvas.h"
#include "views/menu/menu_view_tab.h"
#include "views/shell/status_bar.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui::test {

namespace {

std::filesystem::path sampleMenuFile() { return std::filesystem::path(MIRDAL_SOURCE_DIR) / "samples/disc/menu/sample.mnu"; }

int switchIndex(const char* name) {
  for (std::size_t i = 0; i < kDisplaySwitches.size(); ++i)
    if (std::string_view(kDisplaySwitches[i].menuName) == name) return int(i);
  return -1;
}

void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods = {}) {
  QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, buttons, mods);
  QApplication::sendEvent(w, &e);
}

// A main window with the sample menu loaded, the menu page and its page view
// shown, and a clock the test moves.
struct MenuViewWindow {
  Window t;
  std::uint64_t clock = 1000;
  MenuViewTab* tab = nullptr;
  bool ok = false;

  MenuViewWindow() {
    mirdal::gui::guiReporter().setActivationDelay(0);
    IgMenu m;
    if (!std::filesystem::exists(sampleMenuFile()) ||
        readMnuFile(sampleMenuFile().string(), m, mirdal::gui::guiReporter()).status != ReadStatus::Ok)
      return;
    t.w->resize(1400, 900);
    t.w->show();
    t.w->workspace().menu.load(std::move(m), "sample.mnu", true);
    t.w->showPage(Page::Menu);
    t.w->menuPage()->showTab(MenuTab::PageView);
    tab = t.w->menuPage()->viewTab();
    tab->player().setClock([this] { return clock; });
    ok = true;
  }
  Registers& regs() { return t.w->workspace().regs; }
  std::uint32_t selected() { return regs().psr[kPsrSelectedButton]; }
  void click(const char* name) { QTest::mouseClick(t.find<QPushButton>(name), Qt::LeftButton); }
  // Start, and the page's in-effects played to their end.
  void start() {
    click("bStart");
    clock += 1000;
    tab->player().advance();
  }
  QImage picture() { return tab->player().image().copy(); }
};

}  // namespace

class MenuViewTest : public QObject {
  Q_OBJECT
 private slots:
  void startAndTheNavigationButtonsRunAButton() {
    MenuViewWindow f;
    if (!f.ok) QSKIP("the sample menu is missing");
    QVERIFY(f.t.find<QPushButton>("bStart")->isEnabled());
    f.start();
    QCOMPARE(f.selected(), 1u);
    QCOMPARE(f.t.find<QComboBox>("cbButton")->count(), 4);  // ids 0..3 of page 0
    f.click("bNavDown");
    f.click("bNavDown");
    QCOMPARE(f.selected(), 3u);
    QCOMPARE(f.t.find<QComboBox>("cbButton")->currentText(), QString("0003"));
    // SETUP stores 3 in GPR1; the register panel shows it.
    auto* n = f.t.find<IntEdit>("ieGPRnum");
    n->setText("1");
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(n, &out);
    f.click("bNavSel");
    QCOMPARE(f.regs().gpr[1], 3u);
    QCOMPARE(f.t.find<HexEdit>("heGPRval")->text().toUInt(nullptr, 16), 3u);
  }

  void aButtonChangesThePageAndTheChoiceFollows() {
    MenuViewWindow f;
    if (!f.ok) QSKIP("the sample menu is missing");
    f.start();
    f.click("bNavDown");  // CHAPTERS: SetButtonPage page 1, button 1
    f.click("bNavSel");
    // The out-effects play by the clock; then page 1 is shown.
    f.clock += 10000;
    f.tab->player().advance();
    QCOMPARE(f.regs().psr[kPsrMenuPage], 1u);
    QCOMPARE(f.t.w->menuPage()->context().page(), 1);
    QCOMPARE(f.t.find<QComboBox>("cbButton")->count(), 6);
    // Choosing a button in the run panel selects it.
    auto* cb = f.t.find<QComboBox>("cbButton");
    choose(cb, 4);
    QCOMPARE(f.selected(), 4u);
  }

  void cancelEndsTheInEffects() {
    MenuViewWindow f;
    if (!f.ok) QSKIP("the sample menu is missing");
    f.click("bStart");
    QVERIFY(f.tab->player().effectsPlaying());
    const QImage during = f.picture();
    QVERIFY(f.t.find<QPushButton>("bCancel")->isEnabled());
    f.click("bCancel");
    QVERIFY(!f.tab->player().effectsPlaying());
    QVERIFY(f.picture() != during);
    QCOMPARE(f.selected(), 1u);
  }

  void everyKeyShowsItsCode() {
    MenuViewWindow f;
    if (!f.ok) QSKIP("the sample menu is missing");
    f.start();
    struct Case {
      Qt::Key key;
      const char* code;
      std::uint32_t selectedAfter;
    };
    const Case cases[] = {{Qt::Key_Down, "40", 2}, {Qt::Key_Up, "38", 1}, {Qt::Key_F1, "112", 1}, {Qt::Key_A, "65", 1}};
    for (const Case& c : cases) {
      QTest::keyClick(f.tab->canvas(), c.key);
      QCOMPARE(f.t.w->statusLine()->panelText(1).trimmed(), QString(c.code));
      QCOMPARE(f.selected(), c.selectedAfter);
    }
  }

  void anOverlaySwitchRedrawsThePage() {
    MenuViewWindow f;
    if (!f.ok) QSKIP("the sample menu is missing");
    f.start();
    const QImage before = f.picture();
    QCheckBox* ids = f.t.w->menuPage()->displaySwitch(switchIndex("cbButtonId"));
    ids->setChecked(!ids->isChecked());
    const QImage after = f.picture();
    QVERIFY(before != after);
    // The id box sits in the corner of the selected button at (800, 400).
    QVERIFY(before.pixel(806, 406) != after.pixel(806, 406));
  }

  void theSelectedButtonAnimatesByTheClock() {
    MenuViewWindow f;
    if (!f.ok) QSKIP("the sample menu is missing");
    QCheckBox* animate = f.t.w->menuPage()->displaySwitch(switchIndex("cbAnimate"));
    animate->setChecked(true);
    f.start();
    const QImage first = f.picture();
    f.clock += 10;  // before the first step is due
    f.tab->player().advance();
    QCOMPARE(f.picture(), first);
    f.clock += 200;
    f.tab->player().advance();
    QVERIFY(f.picture() != first);
  }

  void fittedAndOneToOne() {
    MenuViewWindow f;
    if (!f.ok) QSKIP("the sample menu is missing");
    QCheckBox* full = f.t.w->menuPage()->displaySwitch(switchIndex("cbFullScreen"));
    full->setChecked(false);
    MenuViewCanvas* c = f.tab->canvas();
    QCOMPARE(c->size(), QSize(1920, 1080));
    QCOMPARE(c->toPage({100, 50}), (mirdal::Point{100, 50}));
    full->setChecked(true);
    QVERIFY(f.tab->fitted());
    QScrollArea* area = f.tab->scrollArea();
    QTRY_COMPARE(c->size(), area->viewport()->size());
    const QRect r = c->pictureRect();
    QCOMPARE(r, fittedPictureRect(c->size(), {1920, 1080}));
    // The picture's far corner is the page's far corner.
    QCOMPARE(c->toPage(r.topLeft() + QPoint(r.width(), r.height())), (mirdal::Point{1920, 1080}));
  }

  void fittedRectangles_data() {
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("exact") << QSize(962, 542) << QRect(1, 1, 960, 540);
    QTest::newRow("wide area: bars left and right") << QSize(1002, 542) << QRect(21, 1, 960, 540);
    QTest::newRow("tall area: bars above and below") << QSize(962, 742) << QRect(1, 101, 960, 540);
    QTest::newRow("too small") << QSize(2, 2) << QRect();
  }
  void fittedRectangles() {
    QFETCH(QSize, area);
    QFETCH(QRect, expected);
    QCOMPARE(fittedPictureRect(area, {1920, 1080}), expected);
  }

  void hoverSelectsTheNeighbourAndAClickActivates() {
    MenuViewWindow f;
    if (!f.ok) QSKIP("the sample menu is missing");
    f.t.w->menuPage()->displaySwitch(switchIndex("cbFullScreen"))->setChecked(false);
    f.start();
    MenuViewCanvas* c = f.tab->canvas();
    // CHAPTERS (button 2, 320 x 64 at 800, 500) is the lower neighbour;
    // within 5 pixels of its edge nothing happens.
    sendMouse(c, QEvent::MouseMove, {802, 502}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(f.selected(), 1u);
    sendMouse(c, QEvent::MouseMove, {900, 530}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(f.selected(), 2u);
    QCOMPARE(c->cursor().shape(), Qt::PointingHandCursor);
    sendMouse(c, QEvent::MouseMove, {100, 100}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(c->cursor().shape(), Qt::ArrowCursor);
    // A left click on the selected button activates it: CHAPTERS opens page 1.
    sendMouse(c, QEvent::MouseButtonPress, {900, 530}, Qt::LeftButton, Qt::LeftButton);
    f.clock += 10000;
    f.tab->player().advance();
    QCOMPARE(f.regs().psr[kPsrMenuPage], 1u);
  }

  void aRightDragMovesAButtonAsOneEdit() {
    MenuViewWindow f;
    if (!f.ok) QSKIP("the sample menu is missing");
    f.t.w->menuPage()->displaySwitch(switchIndex("cbFullScreen"))->setChecked(false);
    MenuViewCanvas* c = f.tab->canvas();
    Document<IgMenu>& doc = f.t.w->workspace().menu;
    auto x = [&] { return doc.model().ics.pages[0].bogs[0].buttons[0].x; };
    auto y = [&] { return doc.model().ics.pages[0].bogs[0].buttons[0].y; };
    QCOMPARE(x(), 800);
    sendMouse(c, QEvent::MouseButtonPress, {810, 410}, Qt::RightButton, Qt::RightButton);
    QCOMPARE(c->cursor().shape(), Qt::SizeAllCursor);
    sendMouse(c, QEvent::MouseMove, {820, 410}, Qt::NoButton, Qt::RightButton);
    // Ctrl: horizontal moves only.
    sendMouse(c, QEvent::MouseMove, {830, 440}, Qt::NoButton, Qt::RightButton, Qt::ControlModifier);
    QCOMPARE(f.t.w->statusLine()->panelText(1).trimmed(), QString("Button: 0001   X: 820 Y: 400"));
    QCOMPARE(x(), 800);  // the document changes when the button is let go
    sendMouse(c, QEvent::MouseButtonRelease, {830, 440}, Qt::RightButton, Qt::NoButton);
    QCOMPARE(x(), 820);
    QCOMPARE(y(), 400);
    QVERIFY(doc.modified());
    QVERIFY(doc.undo());
    QCOMPARE(x(), 800);
    QVERIFY(!doc.canUndo());
    // A right press on empty background starts nothing.
    sendMouse(c, QEvent::MouseButtonPress, {10, 10}, Qt::RightButton, Qt::RightButton);
    QVERIFY(!f.tab->player().dragging());
  }

  // After Start the arrow keys are the remote's: the picture has the
  // keyboard, not the Start button.
  void startHandsTheKeyboardToThePicture() {
    MenuViewWindow f;
    if (!f.ok) QSKIP("the sample menu is missing");
    f.t.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.t.w.get()));
    auto* start = f.t.find<QPushButton>("bStart");
    start->setFocus();
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.tab->canvas()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(f.selected(), 2u);
  }

  // The 1:1 view opens at the page's top-left corner, and a menu loaded
  // later is shown from there too.
  void theOneToOneViewOpensAtTheTopLeft() {
    MenuViewWindow f;
    if (!f.ok) QSKIP("the sample menu is missing");
    f.t.w->menuPage()->displaySwitch(switchIndex("cbFullScreen"))->setChecked(false);
    QScrollArea* area = f.tab->scrollArea();
    QApplication::processEvents();
    QVERIFY(area->horizontalScrollBar()->maximum() > 0);
    QCOMPARE(area->horizontalScrollBar()->value(), 0);
    QCOMPARE(area->verticalScrollBar()->value(), 0);
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    IgMenu m;
    QCOMPARE(readMnuFile(sampleMenuFile().string(), m, mirdal::gui::guiReporter()).status, ReadStatus::Ok);
    f.t.w->workspace().menu.load(std::move(m), "again.mnu", true);
    QApplication::processEvents();
    QCOMPARE(area->horizontalScrollBar()->value(), 0);
    QCOMPARE(area->verticalScrollBar()->value(), 0);
  }

  // Each in-effect, once its time is over, says on the status line how long
  // it was meant to show and how long it showed.
  void effectsTellTheirTimesOnTheStatusLine() {
    MenuViewWindow f;
    if (!f.ok) QSKIP("the sample menu is missing");
    f.click("bStart");  // page 0's in-effects: two of 100 ms
    QVERIFY(f.tab->player().effectsPlaying());
    f.clock += 130;
    f.tab->player().advance();
    QCOMPARE(f.t.w->statusLine()->panelText(1).trimmed(), QString("Effect: 0  duration: 100ms, displayed: 130 ms"));
    f.clock += 100;
    f.tab->player().advance();
    QCOMPARE(f.t.w->statusLine()->panelText(1).trimmed(), QString("Effect: 1  duration: 100ms, displayed: 100 ms"));
    QVERIFY(!f.tab->player().effectsPlaying());
  }

  // The Pop-up key beside the five: a pop-up menu shows nothing at Start
  // and comes up on the key; for an always-on menu the key is off.
  void thePopUpKeyOpensAPopUpMenu() {
    MenuViewWindow f;
    if (!f.ok) QSKIP("the sample menu is missing");
    auto* popUp = f.t.find<QPushButton>("bNavPopUp");
    QVERIFY(!popUp->isEnabled());
    IgMenu m = f.t.w->workspace().menu.model();
    m.ics.model = 3;
    f.t.w->workspace().menu.load(std::move(m), "popup.mnu", true);
    QVERIFY(popUp->isEnabled());
    f.start();
    QCOMPARE(f.selected(), 0xFFFFu);
    QCOMPARE(f.t.w->statusLine()->panelText(1).trimmed(), QString("Pop-up menu: press Pop-up (P) to show it."));
    const QImage hidden = f.picture();
    f.click("bNavDown");
    QCOMPARE(f.selected(), 0xFFFFu);
    f.click("bNavPopUp");
    f.clock += 1000;
    f.tab->player().advance();
    QCOMPARE(f.selected(), 1u);
    QVERIFY(f.picture() != hidden);
    f.click("bNavPopUp");
    QCOMPARE(f.picture(), hidden);
  }

  void aFollowedSetButtonPageOpensThePageView() {
    mirdal::test::TempDir root;
    const std::string disc = copySampleDisc(root);
    if (disc.empty()) QSKIP("the sample disc is missing");
    MenuViewWindow f;
    if (!f.ok) QSKIP("the sample menu is missing");
    f.t.w->setDiscFolder(disc);
    f.t.w->readDiscClicked();
    f.t.w->showPage(Page::BDMV);
    auto* objects = f.t.find<StringGrid>("sgObject");
    auto* grid = f.t.find<CommandGrid>("sgCommands");
    objects->scrollToItem(objects->item(6, 1));
    clickCell(objects, 6);
    // Line 13 of object 6: SetButtonPage with button 1 and no page.
    grid->scrollToItem(grid->item(13, 1));
    doubleClickCell(grid, 13);
    QCOMPARE(f.t.w->currentPage(), Page::Menu);
    QCOMPARE(f.t.w->menuPage()->tabs()->currentIndex(), int(MenuTab::PageView));
  }
};

MIRDAL_GUI_TEST(MenuViewTest)

}  // namespace mirdal::gui::test

#include "menu_view_test.moc"
