// "Play disc" on the "&BDMV" page: the player panel, its trace leading back
// to the object lines, and the register panel following its runs.
#include <QPushButton>

#include "app/main_window.h"
#include "core/display_text.h"
#include "core/report.h"
#include "views/bdmv/bdmv_page.h"
#include "views/bdmv/object_program_view.h"
#include "views/bdmv/objects_view.h"
#include "views/menu/menu_context.h"
#include "views/menu/menu_page.h"
#include "views/player/player_panel.h"
#include "views/shell/register_panel.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

void MainWindow::wirePlayer() {
  connect(bdmv_->bPlayDisc(), &QPushButton::clicked, this, [this] {
    if (!ws_.index.loaded() || !ws_.mobj.loaded()) {
      guiReporter().logError("Play disc: read a disc with index.bdmv and MovieObject.bdmv first");
      return;
    }
    if (!playerPanel_) {
      playerPanel_ = new PlayerPanel(ws_, ia_, this);
      connect(playerPanel_, &PlayerPanel::registersChanged, this, [this] { registerPanel_->showValues(); });
      // The menu of a button's trace line opens on the Menu page, as the
      // clip page opens a clip's menu, with that page and button chosen.
      connect(playerPanel_, &PlayerPanel::menuButtonRequested, this,
              [this](const mirdal::IgMenu& menu, const QString& clip, int page, int button) {
                if (!askToSaveChanges(&ws_.menu)) return;
                ws_.menu.load(menu, clip.toStdString() + ".mnu", true);
                guiReporter().logAndStatus("Menu of clip [b]" + clip.toStdString() + "[/b] opened from the player: page " +
                                           std::to_string(page) + ", button " + mirdal::hexText(std::uint64_t(button), 4));
                showPage(Page::Menu);
                raise();
                activateWindow();
                menuPage()->showTab(MenuTab::BOGs);
                menuPage()->context().showButton(page, std::uint16_t(button));
              });
      connect(playerPanel_, &PlayerPanel::objectLineRequested, this, [this](int object, int line) {
        showPage(Page::BDMV);
        raise();
        activateWindow();
        bdmv_->objectsView()->selectObject(object);
        objectProgram_->selectLine(line);
      });
    }
    playerPanel_->show();
    playerPanel_->raise();
    playerPanel_->startDisc();
  });
}

}  // namespace mirdal::gui
