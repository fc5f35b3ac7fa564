// The links of the "&Menu" page (Load, Save, a menu file on the command line
// or dropped) to the shared controls.
#include <QFileInfo>
#include <QPushButton>

#include "app/main_window.h"
#include "core/report.h"
#include "documents/menu_files.h"
#include "menu/igs_read.h"
#include "views/common/availability.h"
#include "views/common/document_signals.h"
#include "views/common/interaction.h"
#include "views/menu/menu_context.h"
#include "views/menu/menu_page.h"
#include "views/common/read_error_banner.h"
#include "views/shell/register_panel.h"
#include "views/shell/shared_controls.h"
#include "views/common/text.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {

// The menu's files: the name the dialogs propose and Save on the page.
class MenuFiles final : public QObject, public PageView {
 public:
  MenuFiles(MainWindow& win, QObject* parent) : QObject(parent), win_(win), ws_(win.workspace()) {}

  void refresh() override {}
  // Save, Mux and Start need a menu with pages.
  bool hasSomethingToSave() const override { return ws_.menu.loaded() && !ws_.menu.model().ics.pages.empty(); }
  void save() override { saveMenu(); }

  // "&Load": a menu file or the menu of a stream file.
  void loadMenuClicked() {
    FileDialogRequest r;
    r.title = QObject::tr("Load an IGS menu");
    r.filter = QStringLiteral("Menu|*.mnu|BD AV stream|*.m2ts|AVCHD stream|*.MTS");
    const QFileInfo current(current_);
    r.defaultExt = current.suffix().isEmpty() ? QStringLiteral(".mnu") : QStringLiteral(".") + current.suffix();
    r.folder = current.isAbsolute() ? current.absolutePath() : QString();
    r.fileName = current.fileName();
    const QString path = win_.interaction().openFile(r);
    if (!path.isEmpty()) open(path);
  }

  // Loads a menu or stream file after the question about unsaved changes
  // of the menu shown now.
  void open(const QString& path) {
    if (!win_.askToSaveChanges(&ws_.menu)) return;
    win_.showPage(Page::Menu);
    win_.menuPage()->showTab(MenuTab::BOGs);
    current_ = QFileInfo(path).absoluteFilePath();
    if (mirdal::loadMenuFile(ws_, pathBytes(current_), guiReporter()))
      if (const auto notes = mirdal::menuLoadNotes(ws_.menu.model()); !notes.empty()) guiReporter().setStatusPanel(notes.back(), 1);
    win_.pageControlChanged();
  }

  // A menu loaded elsewhere (a clip's stream) names the file the dialogs
  // propose from now on.
  void followLoad() {
    const QString name = pathText(ws_.menu.fileName());
    if (!name.isEmpty() && QFileInfo(current_).fileName() != name) current_ = name;
  }

  // Asks for a .mnu file name and writes the menu; false when cancelled or
  // failed.
  bool saveMenu() {
    if (!ws_.menu.loaded()) return false;
    // Asked before the file dialog: a No ends the save there.
    const mirdal::Guesses guesses = askAboutGuesses(win_.interaction(), ws_, ws_.menu);
    if (!mirdal::mayWrite(ws_.menu, guesses, guiReporter())) return false;
    if (!mayDropDisplaySets(win_.interaction(), ws_.menu.model())) return false;
    const QFileInfo current(current_);
    FileDialogRequest r;
    r.title = QObject::tr("Save Menu");
    r.filter = QStringLiteral("Menu|*.mnu");
    r.defaultExt = QStringLiteral(".mnu");
    // The name up to its first '.', in the output folder when one is set.
    r.fileName = current.fileName().section(QLatin1Char('.'), 0, 0);
    r.folder = !ws_.options.outputFolder.empty() ? pathText(ws_.options.outputFolder)
               : current.isAbsolute()            ? current.absolutePath()
                                                 : QString();
    const QString path = win_.interaction().saveFile(r);
    if (path.isEmpty()) return false;
    const bool saved = mirdal::saveMenuFile(ws_, pathBytes(path), guiReporter(), guesses);
    if (saved) current_ = QFileInfo(path).absoluteFilePath();
    win_.pageControlChanged();
    return saved;
  }

 private:
  MainWindow& win_;
  mirdal::Workspace& ws_;
  // The menu file last loaded or saved here; the dialogs start from it.
  QString current_ = QStringLiteral("mymenu");
};

}  // namespace

void MainWindow::wireMenu() {
  auto* files = new MenuFiles(*this, this);
  addPageView(Page::Menu, files);
  addDocument(Page::Menu, ws_.menu, [files] { return files->saveMenu(); });
  connectAction(shared_->loadMenuButton(), [files] { files->loadMenuClicked(); });
  setMenuLoader([files](const QString& file) { files->open(file); });
  // A menu shown anew (loaded here, from a clip's stream, or created)
  // starts from the registers' initial values.
  connect(new DocumentSignals(ws_.menu, this), &DocumentSignals::changed, this,
          [this, files](const mirdal::ChangeNotice& n) {
            if (n.cause != mirdal::ChangeNotice::Cause::Load || !ws_.menu.loaded()) return;
            files->followLoad();
            registerPanel_->resetRegs();
          });
}

}  // namespace mirdal::gui
