// The links of the menu emulation (the page view, the navigation panel and
// the run panel's button choice) to the shared controls.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <cstdio>

#include "app/audio.h"
#include "app/main_window.h"
#include "core/report.h"
#include "views/common/availability.h"
#include "views/menu/display_switches.h"
#include "views/common/document_signals.h"
#include "views/common/int_edit.h"
#include "views/menu/menu_context.h"
#include "views/menu/menu_page.h"
#include "views/menu/menu_player.h"
#include "views/menu/menu_view_canvas.h"
#include "views/menu/menu_view_tab.h"
#include "views/bdmv/object_program_view.h"
#include "views/shell/options_page.h"
#include "views/shell/register_panel.h"
#include "views/shell/run_panel.h"
#include "views/shell/shared_controls.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {

// "Start" on the menu page is enabled while a menu with a page is loaded.
class MenuPlayView : public QObject, public PageView {
 public:
  MenuPlayView(MenuViewTab& tab, SharedControls& sc, QObject* parent)
      : QObject(parent), tab_(tab), sc_(sc) {}
  void refresh() override {}
  bool canStart() const override { return tab_.player().canStart(); }
  void pageEntered() override {
    // A menu runs without a disc folder: the panel, disabled until a Read,
    // opens for it.
    if (canStart()) sc_.executePanel()->setEnabled(true);
    // Start and the five keys need a menu to act on, the Pop-up key a
    // pop-up menu.
    for (QWidget* w : {sc_.startButton(), sc_.navUpButton(), sc_.navDownButton(), sc_.navLeftButton(), sc_.navRightButton(), sc_.navSelectButton()})
      setEnabledIfAvailable(w, canStart());
    setEnabledIfAvailable(sc_.navPopUpButton(), canStart() && tab_.player().popUpMenu());
    // The page change stopped the timers; a page view still showing goes on.
    if (tab_.isVisible()) tab_.player().advance();
  }

 private:
  MenuViewTab& tab_;
  SharedControls& sc_;
};

// Where the display switch `name` sits in the list of switches.
int switchIndex(const char* name) {
  for (std::size_t i = 0; i < kDisplaySwitches.size(); ++i)
    if (std::string_view(kDisplaySwitches[i].menuName) == name) return int(i);
  return -1;
}

QColor colourOf(std::uint32_t bgr) { return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF)); }

}  // namespace

void MainWindow::wireMenuPlay() {
  MenuViewTab* tab = menu_->viewTab();
  MenuPlayer& player = tab->player();
  // Button sounds go through the program's one audio output.
  player.setSoundPlayer([this](int id) {
    if (ws_.sound.loaded() && id >= 0) audio().playSound(ws_.sound.model(), std::size_t(id));
  });
  SharedControls& sc = *shared_;
  auto* view = new MenuPlayView(*tab, sc, this);
  addPageView(Page::Menu, view);
  const auto onMenuPage = [this] { return currentPage() == Page::Menu; };

  // The options the picture depends on.
  const auto applyOptions = [this, tab, &player] {
    tab->setSurround(colourOf(ws_.options.colours.background));
    tab->setFitted(ws_.options.showFullScreen);
    player.optionsChanged();
  };
  connect(this, &MainWindow::settingsApplied, tab, applyOptions);
  connect(options_, &OptionsPage::backgroundChanged, tab, applyOptions);
  connect(options_, &OptionsPage::menuColoursChanged, tab, applyOptions);
  const int fullScreen = switchIndex("cbFullScreen");
  for (int i = 0; i < int(kDisplaySwitches.size()); ++i) {
    if (i == fullScreen)
      connect(menu_->displaySwitch(i), &QCheckBox::toggled, tab, &MenuViewTab::setFitted);
    else
      connect(menu_->displaySwitch(i), &QCheckBox::toggled, &player, &MenuPlayer::optionsChanged);
  }
  connect(&menu_->context().changes(), &DocumentSignals::changed, view, [this, view] {
    if (currentPage() == Page::Menu) view->pageEntered();
  });

  // Start, the five keys, the Pop-up key and the page change. Start hands
  // the keyboard to the picture, where the arrow keys are the remote's.
  connect(sc.startButton(), &QPushButton::clicked, &player, [tab, &player, onMenuPage] {
    if (!onMenuPage()) return;
    player.start();
    if (tab->isVisible()) tab->canvas()->setFocus();
  });
  const std::pair<QPushButton*, mirdal::MenuKey> keys[] = {{sc.navUpButton(), mirdal::MenuKey::Up},
                                                           {sc.navDownButton(), mirdal::MenuKey::Down},
                                                           {sc.navLeftButton(), mirdal::MenuKey::Left},
                                                           {sc.navRightButton(), mirdal::MenuKey::Right},
                                                           {sc.navSelectButton(), mirdal::MenuKey::Select},
                                                           {sc.navPopUpButton(), mirdal::MenuKey::PopUp}};
  for (const auto& [button, key] : keys)
    connectAction(
        button,
        [tab, &player, key] {
          player.key(key);
          // The keyboard stays with the picture.
          if (tab->isVisible()) tab->canvas()->setFocus();
        },
        false);
  connect(this, &MainWindow::pageControlReset, &player, &MenuPlayer::stop);

  // Cancel on the menu page ends the effects or the activated state still
  // showing; during a trace it ends the trace and performs Start, which
  // shows the page again and re-arms its timers.
  setProgramCanceller([this, &player] {
    if (currentPage() != Page::Menu) return runPanel_->cancelProgram();
    if (player.skipEffects()) return true;
    if (!runPanel_->cancelProgram()) return false;
    player.start();
    return true;
  });
  connect(&player, &MenuPlayer::effectsPlayingChanged, this, [this, &sc](bool playing) {
    sc.cancelButton()->setEnabled(playing || ws_.run.running || ws_.run.inRun());
  });

  // The run panel's button choice lists the buttons of the page shown.
  QComboBox* cb = sc.runButtonChoice();
  makeAvailable(cb);
  connect(&player, &MenuPlayer::buttonsChanged, cb, [cb, &player] {
    const QSignalBlocker block(cb);
    cb->clear();
    for (int i = 0; i < player.buttonSlots(); ++i) cb->addItem(QString::asprintf("%04X", i));
    if (cb->count() > 0) cb->setCurrentIndex(0);
  });
  connect(&player, &MenuPlayer::buttonShown, cb, [cb](int id) {
    const QSignalBlocker block(cb);
    if (id >= 0 && id < cb->count()) cb->setCurrentIndex(id);
  });
  connect(cb, &QComboBox::activated, &player, &MenuPlayer::chooseButton);

  // A button's commands ran: the line, the registers, the trace display.
  connect(&player, &MenuPlayer::ranCommands, this, [this, &sc](const mirdal::ExecResult& r, int) {
    sc.programLineField()->setValue(ws_.run.line);
    sc.cancelButton()->setEnabled(ws_.run.running || ws_.run.inRun());
    QFont f = sc.startButton()->font();
    f.setBold(ws_.run.traceInProgress());
    sc.startButton()->setFont(f);
    if (r.trace) {
      registerPanel_->pointAt(r.trace->pointer);
      guiReporter().setStatusPanel(r.trace->statusText, 1);
    }
    registerPanel_->showValues();
  });

  // A SetButtonPage command followed from the movie-object grid opens the
  // page view at its page and button.
  connect(objectProgram_, &ObjectProgramView::buttonPageRequested, this,
          [this, &player](bool selectPage, int page, bool selectButton, int button) {
            if (!ws_.menu.loaded()) return;
            showPage(Page::Menu);
            menu_->showTab(MenuTab::PageView);
            if (selectPage && page < int(ws_.menu.model().ics.pages.size())) menu_->context().setPage(page);
            if (selectButton) player.chooseButton(button);
          });
}

}  // namespace mirdal::gui
