// The player panel: Play disc on the sample disc, the fields following the
// walk, the remote's buttons, and a double-click on a trace line showing
// that object line on the BDMV page.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QListWidget>
#include <QPushButton>

#include "gui_test.h"
#include "main_window_fixture.h"
#include "sample_disc.h"
#include <QTableWidget>
#include "menu/igs_model.h"
#include "nav/registers.h"
#include "views/bdmv/objects_view.h"
#include "views/menu/menu_context.h"
#include "views/menu/menu_page.h"
#include "views/menu/menu_view_canvas.h"
#include "views/player/player_panel.h"

namespace mirdal::gui::test {

namespace {

// A copy of the sample disc read in the main window, "Play disc" pressed.
struct PlayingDisc {
  mirdal::test::TempDir root;
  std::string disc = copySampleDisc(root);
  Window t;
  PlayerPanel* panel = nullptr;

  // False when the sample disc is not there.
  bool open() {
    if (disc.empty()) return false;
    t.w->setDiscFolder(disc);
    t.w->readDiscClicked();
    QTest::mouseClick(t.find<QPushButton>("bPlayDisc"), Qt::LeftButton);
    panel = t.w->findChild<PlayerPanel*>("wPlayerPanel");
    return true;
  }
};

}  // namespace

class PlayerPanelTest : public QObject {
  Q_OBJECT
 private slots:
  void playsTheDiscAndLeadsBackToTheObjectLine() {
    PlayingDisc d;
    if (!d.open()) QSKIP("no sample disc");
    QVERIFY(d.panel);
    Window& t = d.t;
    PlayerPanel* panel = d.panel;
    const auto field = [&](const char* name) { return panel->findChild<QLabel*>(name)->text(); };
    // First Playback jumps to title 1, whose object 2 plays playlist 00001.
    QCOMPARE(field("lPlayerTitle"), QString("1"));
    QCOMPARE(field("lPlayerObject"), QString("2, line 1"));
    QCOMPARE(field("lPlayerPlaylist"), QString("00001"));
    QCOMPARE(field("lPlayerChapter"), QString("1"));

    QTest::mouseClick(panel->findChild<QPushButton*>("bPlayerTopMenu"), Qt::LeftButton);
    QCOMPARE(field("lPlayerTitle"), QString("Top Menu"));
    QCOMPARE(field("lPlayerPlaylist"), QString("00000"));
    QCOMPARE(t.w->workspace().regs.gpr[0], 1u);  // object 1's Move GPR0, 1 ran on the workspace's registers

    // The trace line of object 1's line 1 ("Play PL 0") leads there.
    auto* trace = panel->findChild<QListWidget*>("lbPlayerTrace");
    int row = -1;
    for (int i = 0; i < trace->count(); ++i)
      if (trace->item(i)->text().contains("object 1 Line 0001")) row = i;
    QVERIFY(row >= 0);
    const QRect r = trace->visualItemRect(trace->item(row));
    QTest::mouseClick(trace->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(trace->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(t.w->currentPage(), Page::BDMV);
    QCOMPARE(t.find<ObjectsView>("vObjects")->selectedObject(), 1);
    QCOMPARE(t.find<QTableWidget>("sgCommands")->currentRow(), 1);
  }

  // The Top Menu with the sample .mnu attached to its clip through the
  // setup row: moving onto the button below the selected one selects it, a
  // click activates it, and the trace says so.
  void pointerDrivesTheAttachedMenu() {
    PlayingDisc d;
    if (!d.open()) QSKIP("no sample disc");
    QVERIFY(d.panel);
    Window& t = d.t;
    PlayerPanel* panel = d.panel;
    mirdal::DiscPlayer* p = panel->player();
    QVERIFY(!p->menu());  // the sample's stream files hold no menu

    t.ia.files << QString::fromStdString((sampleDisc().parent_path() / "menu" / "sample.mnu").string());
    QTest::mouseClick(panel->findChild<QPushButton*>("bPlayerAttachMenu"), Qt::LeftButton);
    QCOMPARE(panel->findChild<QLabel*>("lPlayerMenus")->text(), QString("00001=sample.mnu"));
    auto* startAt = panel->findChild<QComboBox*>("cbPlayerStartAt");
    QCOMPARE(startAt->itemText(1), QString("Top Menu"));
    choose(startAt, 1);
    QTest::mouseClick(panel->findChild<QPushButton*>("bPlayerRestartAt"), Qt::LeftButton);
    p = panel->player();
    QCOMPARE(panel->findChild<QLabel*>("lPlayerTitle")->text(), QString("Top Menu"));
    p->advanceTo(p->now() + 5 * mirdal::kTicksPerSecond);  // past the page's in-effects
    QVERIFY(p->menu() && p->menu()->shown() && !p->menu()->effectsPlaying());

    auto& regs = t.w->workspace().regs;
    const mirdal::IgMenu* menu = p->menuModel();
    const auto* selected = mirdal::findButton(*menu, p->menu()->page(), std::uint16_t(regs.psr[mirdal::kPsrSelectedButton]));
    QVERIFY(selected && selected->lower != selected->buttonId);
    const auto* below = mirdal::findButton(*menu, p->menu()->page(), selected->lower);
    QVERIFY(below);
    auto* canvas = panel->findChild<MenuViewCanvas*>("iPlayerMenu");
    const QRect r = canvas->pictureRect();
    const mirdal::IgObject& o = menu->objects[below->selectedStart];
    const QPoint at(r.left() + (below->x + o.width / 2) * r.width() / 1920,
                    r.top() + (below->y + o.height / 2) * r.height() / 1080);

    const int shownPage = int(p->menu()->page());
    QTest::mouseMove(canvas, at);
    QCOMPARE(regs.psr[mirdal::kPsrSelectedButton], std::uint32_t(below->buttonId));
    auto* trace = panel->trace();
    const QString id = QString("%1").arg(below->buttonId, 4, 16, QChar('0'));
    QVERIFY(trace->item(trace->count() - 1)->text().endsWith("selected " + id));
    QTest::mouseClick(canvas, Qt::LeftButton, {}, at);
    bool activated = false;
    for (int i = 0; i < trace->count(); ++i) activated |= trace->item(i)->text().endsWith("activated " + id);
    QVERIFY(activated);

    // A double-click on the button's line opens that menu on the Menu page
    // with the button chosen.
    QListWidgetItem* line = nullptr;
    for (int i = 0; i < trace->count() && !line; ++i)
      if (trace->item(i)->text().endsWith("selected " + id)) line = trace->item(i);
    QVERIFY(line);
    trace->scrollToItem(line);
    const QPoint lineAt = trace->visualItemRect(line).center();
    QTest::mouseClick(trace->viewport(), Qt::LeftButton, {}, lineAt);
    QTest::mouseDClick(trace->viewport(), Qt::LeftButton, {}, lineAt);
    QCOMPARE(t.w->currentPage(), Page::Menu);
    QCOMPARE(t.w->workspace().menu.fileName(), std::string("00001.mnu"));
    const MenuContext& ctx = t.w->menuPage()->context();
    QCOMPARE(ctx.page(), shownPage);
    const mirdal::IgPage& pg = t.w->workspace().menu.model().ics.pages[std::size_t(ctx.page())];
    QCOMPARE(pg.bogs[std::size_t(ctx.bog())].buttons[std::size_t(ctx.button())].buttonId, below->buttonId);
  }

  // Register lists: taken at each start after the reset, into the run at
  // once when set during it; a bad list changes nothing and says why.
  void registersSetBeforeAndDuringARun() {
    PlayingDisc d;
    if (!d.open()) QSKIP("no sample disc");
    QVERIFY(d.panel);
    Window& t = d.t;
    PlayerPanel* panel = d.panel;
    auto& regs = t.w->workspace().regs;
    auto* text = panel->findChild<QLineEdit*>("ePlayerSetRegs");
    auto* message = panel->findChild<QLabel*>("lPlayerMessage");
    auto* shown = panel->findChild<QPlainTextEdit*>("mPlayerRegisters");

    text->setText("GPR7=0x2A");
    QTest::mouseClick(panel->findChild<QPushButton*>("bPlayerSetRegs"), Qt::LeftButton);
    QCOMPARE(regs.gpr[7], 42u);  // into the run going on
    QVERIFY(shown->toPlainText().contains("GPR7 0000002A"));
    QTest::mouseClick(panel->findChild<QPushButton*>("bPlayerRestart"), Qt::LeftButton);
    QCOMPARE(regs.gpr[7], 42u);  // and again after the reset of the next start

    text->setText("GPR7=1, GPR9=");
    text->setFocus();  // typed into as a user does
    QTest::keyClick(text, Qt::Key_Return);
    QVERIFY(message->text().startsWith("Registers: "));
    QCOMPARE(regs.gpr[7], 42u);
    // Return in the field is the field's: no Enter key for the disc.
    for (int i = 0; i < panel->trace()->count(); ++i) QVERIFY(!panel->trace()->item(i)->text().contains("Enter"));
    text->clear();
    QTest::keyClick(text, Qt::Key_Return);  // an empty list sets nothing from the next start on
    QVERIFY(message->text().isEmpty());
    QTest::mouseClick(panel->findChild<QPushButton*>("bPlayerRestart"), Qt::LeftButton);
    QCOMPARE(regs.gpr[7], 0u);

    // A title search beyond the disc's titles is an event, the run goes on.
    panel->findChild<QSpinBox*>("sbPlayerTitle")->setValue(99);
    QTest::mouseClick(panel->findChild<QPushButton*>("bPlayerTitleSearch"), Qt::LeftButton);
    QVERIFY(panel->trace()->item(panel->trace()->count() - 1)->text().endsWith("no title 99 on the disc"));
    QCOMPARE(panel->player()->stopped(), mirdal::StopReason::None);
  }
};

MIRDAL_GUI_TEST(PlayerPanelTest)

}  // namespace mirdal::gui::test

#include "player_panel_test.moc"
