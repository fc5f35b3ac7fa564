// "Check disc" on the "&BDMV" page: the check after every Read (its summary
// ends the Read's log), the Check disc window, and the way from a finding,
// a register use or a node of the navigation map to its page and row.
#include <QComboBox>
#include <QPushButton>

#include "app/main_window.h"
#include "check/check_disc.h"
#include "core/report.h"
#include "documents/workspace.h"
#include "views/common/availability.h"
#include "views/bdmv/bdmv_page.h"
#include "views/check/check_disc_window.h"
#include "views/clip/clip_page.h"
#include "views/menu/menu_context.h"
#include "views/menu/menu_page.h"
#include "views/bdmv/object_program_view.h"
#include "views/bdmv/objects_view.h"
#include "views/playlist/playlist_items_view.h"
#include "views/playlist/playlist_marks_view.h"
#include "views/playlist/playlist_page.h"
#include "views/playlist/playlist_subpath_view.h"
#include "views/sound/sound_view.h"
#include "views/common/text.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {

int stepNumber(const mirdal::Place& p, mirdal::PlacePart part) { return int(p.number(part).value_or(0)); }

}  // namespace

void MainWindow::wireCheck() {
  auto* window = new CheckDiscWindow(this);
  checkWindow_ = window;
  QPushButton* button = bdmv_->bCheckDisc();
  auto run = [this, window] { window->setReport(mirdal::checkDisc(mirdal::discFilesOf(ws_))); };
  connectAction(button, [run, window] {
    run();
    window->show();
    window->raise();
  }, false);
  connect(window, &CheckDiscWindow::checkRequested, this, run);
  connect(window, &CheckDiscWindow::placeChosen, this, &MainWindow::openCheckPlace);
  // The check after a Read: one line at the end of its log, and the window,
  // when it is open, shows the disc just read.
  connect(this, &MainWindow::discRead, this, [this, window, button](bool passed) {
    button->setEnabled(passed);
    if (!passed) return;
    mirdal::CheckReport report = mirdal::checkDisc(mirdal::discFilesOf(ws_));
    guiReporter().log(mirdal::readSummaryLine(report));
    window->setReport(std::move(report));
  });
}

void MainWindow::openCheckPlace(const mirdal::Place& p) {
  using mirdal::PlacePart;
  const QString name = discText(p.name);
  switch (p.file) {
    case mirdal::PlaceFile::Index:
      if (p.number(PlacePart::Title)) followToTitle(stepNumber(p, PlacePart::Title));
      else showPage(Page::BDMV);
      break;
    case mirdal::PlaceFile::MovieObjects:
      showPage(Page::BDMV);
      if (p.number(PlacePart::Object)) bdmv_->objectsView()->selectObject(stepNumber(p, PlacePart::Object));
      if (p.number(PlacePart::Line)) bdmv_->objectProgram()->selectLine(stepNumber(p, PlacePart::Line));
      break;
    case mirdal::PlaceFile::Playlist:
      // The choices list the files by their base names.
      followToPlaylist(name.section(QLatin1Char('.'), 0, 0));
      if (currentPage() != Page::Playlist) break;  // the disc no longer has it
      if (!ws_.playlist.loaded() || ws_.playlist.fileName() != p.name) playlist_->readPlaylistClicked();
      if (p.number(PlacePart::PlayItem)) playlist_->itemsView()->selectPlayItem(stepNumber(p, PlacePart::PlayItem));
      if (p.number(PlacePart::SubPath)) playlist_->subPathView()->selectSubPath(stepNumber(p, PlacePart::SubPath));
      if (p.number(PlacePart::Mark)) playlist_->marksView()->selectMark(stepNumber(p, PlacePart::Mark));
      break;
    case mirdal::PlaceFile::Clip:
      showPage(Page::ClipInfo);
      clip_->readClipNamed(name.section(QLatin1Char('.'), 0, 0));
      break;
    case mirdal::PlaceFile::Menu: {
      const QString loaded = pathText(ws_.menu.fileName()).section(QLatin1Char('/'), -1);
      if (!ws_.menu.loaded() || (loaded != name && pathText(ws_.menu.fileName()) != name)) {
        if (!menuLoader_) break;
        menuLoader_(name.endsWith(QStringLiteral(".mnu"), Qt::CaseInsensitive)
                        ? name
                        : pathText(ws_.pathOf("STREAM" + std::string(1, mirdal::kSep) + p.name)));
      }
      showPage(Page::Menu);
      if (!ws_.menu.loaded() || !p.number(PlacePart::Page)) break;
      const auto& pages = ws_.menu.model().ics.pages;
      for (std::size_t i = 0; i < pages.size(); ++i) {
        if (pages[i].pageId != stepNumber(p, PlacePart::Page)) continue;
        MenuContext& ctx = menu_->context();
        ctx.setPage(int(i));
        if (!p.number(PlacePart::Button)) break;
        for (std::size_t b = 0; b < pages[i].bogs.size(); ++b)
          for (std::size_t k = 0; k < pages[i].bogs[b].buttons.size(); ++k)
            if (pages[i].bogs[b].buttons[k].buttonId == stepNumber(p, PlacePart::Button)) {
              ctx.setBog(int(b));
              ctx.setButton(int(k));
            }
        break;
      }
      break;
    }
    case mirdal::PlaceFile::Sound:
      showPage(Page::BDMV);
      if (auto* sounds = bdmv_->findChild<SoundView*>(); sounds && p.number(PlacePart::Entry))
        sounds->selectSound(stepNumber(p, PlacePart::Entry));
      break;
    case mirdal::PlaceFile::Register:
      // A register's place is its first use.
      for (const mirdal::GprEntry& e : checkWindow_->report().gprs.registers)
        if ("GPR" + std::to_string(e.gpr) == p.name && !e.uses.empty() && e.uses.front().place.file != p.file)
          return openCheckPlace(e.uses.front().place);
      showPage(Page::BDMV);
      break;
    case mirdal::PlaceFile::Disc: showPage(Page::BDMV); break;
    case mirdal::PlaceFile::Bdjo: showPage(Page::BDJO); break;
  }
}

}  // namespace mirdal::gui
