// The links of the menu editors (Create Menu, Mux) to the shared controls
// and the options page.
#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>

#include "app/audio.h"
#include "app/main_window.h"
#include "core/report.h"
#include "menu/menu_edit.h"
#include "stream/menu_mux.h"
#include "views/common/availability.h"
#include "views/common/document_signals.h"
#include "views/common/interaction.h"
#include "views/menu/menu_bogs_tab.h"
#include "views/menu/menu_composition_box.h"
#include "views/menu/menu_context.h"
#include "views/menu/menu_effects_tab.h"
#include "views/menu/menu_page.h"
#include "views/menu/menu_page_box.h"
#include "views/shell/options_page.h"
#include "views/shell/shared_controls.h"
#include "views/common/text.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {

// "Create Menu": an empty composition of 1920x1080 at frame rate code 1,
// then its first page (with one group and one button) as the first edit, so
// the new menu counts as unsaved and Undo can take the page back.
void createMenu(mirdal::Workspace& ws, Interaction& ia) {
  if (ws.menu.modified() &&
      ia.ask(QObject::tr("The menu has unsaved changes. Discard them?"), Choices::YesNo) != Answer::Yes)
    return;
  mirdal::IgMenu empty = mirdal::createMenu();
  empty.ics.pages.clear();
  empty.pageButtons.clear();
  // Named like the proposals of the Save and Mux dialogs, so that the
  // unsaved-changes question has a file to name.
  ws.menu.load(std::move(empty), "mymenu.mnu", true);
  ws.menu.edit(mirdal::ChangeNotice::resized(MenuPart::Pages, 0), [](mirdal::IgMenu& m) { return mirdal::createPage(m); });
}

// "M&ux": the menu as a new menu-only stream file chosen in a save dialog.
void muxMenu(mirdal::Workspace& ws, Interaction& ia) {
  if (!ws.menu.loaded() || !mayDropDisplaySets(ia, ws.menu.model())) return;
  const QString ext = QString::fromStdString(ws.names().streamExt);
  FileDialogRequest r;
  r.title = QObject::tr("Mux Menu");
  r.fileName = QStringLiteral("mymenu");
  r.defaultExt = ext;
  r.filter = ext.mid(1) + QStringLiteral("|*") + ext;
  if (!ws.options.outputFolder.empty()) r.folder = pathText(ws.options.outputFolder);
  const QString path = ia.saveFile(r);
  if (path.isEmpty()) return;
  const QFileInfo fi(path);
  mirdal::SaveRequest req;
  req.folder = pathBytes(fi.absolutePath()) + "/";
  req.name = pathBytes(fi.fileName());
  req.noBackup = true;  // the user chose the file and agreed to replace it
  mirdal::IgMenu copy = ws.menu.model();  // writing decodes into the object cache
  if (mirdal::muxMenuFile(copy, req, guiReporter())) guiReporter().logAndStatus(req.name + " written.");
}

}  // namespace

void MainWindow::wireMenuEdit() {
  MenuPage* page = menu_;
  MenuContext& ctx = page->context();

  connectAction(options_->createMenuButton(), [this, page] {
    createMenu(ws_, ia_);
    if (!ws_.menu.loaded()) return;
    page->showTab(MenuTab::BOGs);
    showPage(Page::Menu);
    pageControlChanged();
  });
  connectAction(shared_->muxButton(), [this] { muxMenu(ws_, ia_); }, false);
  // A menu came or went: Mux follows it on the menu page.
  connect(&ctx.changes(), &DocumentSignals::changed, this, [this](const mirdal::ChangeNotice& n) {
    if (n.everythingChanged() && currentPage() == Page::Menu) pageControlChanged();
  });

  // The effect counts open the Effects tab on their sequence.
  connect(page->pageBox(), &MenuPageBox::effectsRequested, this, [page](int seq) {
    page->effectsTab()->showSequence(seq);
    page->showTab(MenuTab::Effects);
  });
  connect(page->pageBox(), &MenuPageBox::bogsRequested, this, [page] { page->showTab(MenuTab::BOGs); });
  connect(page->compositionBox(), &MenuCompositionBox::timeoutEntered, this,
          [page] { page->pageBox()->pageChoice()->setFocus(); });

  // A repeating button animation runs until Cancel; leaving the page stops it.
  MenuBogsTab* bogs = page->bogsTab();
  connect(bogs, &MenuBogsTab::animationRunning, this, [this](bool on) { shared_->cancelButton()->setEnabled(on); });
  connect(shared_->cancelButton(), &QPushButton::clicked, bogs, &MenuBogsTab::stopAnimation);
  connect(this, &MainWindow::pageControlReset, bogs, &MenuBogsTab::stopAnimation);
  // Sound ids are checked against the entries of the disc's sound file.
  auto* sound = new DocumentSignals(ws_.sound, this);
  const auto soundCount = [this, bogs] { bogs->setSoundCount(ws_.sound.loaded() ? ws_.sound.model().entries.size() : 0); };
  connect(sound, &DocumentSignals::changed, this, soundCount);
  connect(bogs, &MenuBogsTab::soundRequested, this, [this](int id) {
    if (ws_.sound.loaded() && id >= 0) audio().playSound(ws_.sound.model(), std::size_t(id));
  });
  soundCount();
}

}  // namespace mirdal::gui
