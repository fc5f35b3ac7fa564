// MainWindow: the main window. It owns the Workspace (the options, the disc
// folder and every file model of the run), the eight pages, the shared
// controls along the bottom and the status line, and runs the Read, Save,
// Cancel, the page change, start-up and shut-down.
//
// Views of later parts of the program plug in through:
//  - workspace(): the models they show and edit;
//  - the page frames' panes (bdmvPage()->objectsPane(), ...) to place
//    their widgets in;
//  - addPageView(): refresh() after every Read, Save routing by page,
//    "Start" enabling and pageEntered();
//  - shared(): the shared controls, whose actions they connect with
//    connectAction (views/availability.h);
//  - setMenuLoader() and setProgramCanceller() for the command line and
//    the Cancel button.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/settings.h"
#include "documents/workspace.h"
#include "views/common/page_view.h"


namespace mirdal {
struct Place;
struct ProgressState;
}  // namespace mirdal

namespace mirdal::gui {

class AboutPage;
class Audio;
class BdjoPage;
class BdmvPage;
class CheckDiscWindow;
class ClipPage;
class GuiReporter;
class ScopedGuiReporter;
class Interaction;
class MenuPage;
class MessageLog;
class ObjectProgramView;
class OptionsPage;
class PageControl;
class PlaylistPage;
class RegisterPanel;
class PlayerPanel;
class RunPanel;
class SharedControls;
class StatusBar;
class StatusPage;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(Interaction& interaction, QWidget* parent = nullptr);
  ~MainWindow() override;

  mirdal::Workspace& workspace() { return ws_; }
  Interaction& interaction() { return ia_; }

  PageControl* pageControl() const { return pages_; }
  Page currentPage() const;
  void showPage(Page p);

  BdmvPage* bdmvPage() const { return bdmv_; }
  PlaylistPage* playlistPage() const { return playlist_; }
  ClipPage* clipPage() const { return clip_; }
  MenuPage* menuPage() const { return menu_; }
  BdjoPage* bdjoPage() const { return bdjo_; }
  OptionsPage* optionsPage() const { return options_; }
  StatusPage* statusPage() const { return status_; }
  AboutPage* aboutPage() const { return about_; }
  SharedControls* shared() const { return shared_; }
  // The movie-object program with its command grid and field editor, the
  // program-run panel and the register panel.
  ObjectProgramView* objectProgram() const { return objectProgram_; }
  RunPanel* runPanel() const { return runPanel_; }
  RegisterPanel* registerPanel() const { return registerPanel_; }
  StatusBar* statusLine() const { return statusBar_; }
  MessageLog* messageLog() const;
  Audio& audio() { return *audio_; }

  // A view on a page: refreshed after every Read, asked by Save and the
  // page change (views/page_view.h). Views of one page save in the order
  // they were added.
  void addPageView(Page page, PageView* view);
  // Every page shows what the Workspace holds now.
  void refreshAfterRead();
  // Shows and enables the shared controls for the current page.
  void pageControlChanged();

  // A document shown on a page: its page tab and the window caption carry a
  // "*" while it has unsaved changes; closing the window, Read and choosing
  // another disc ask to save it first (save writes it, false on failure);
  // Undo and Redo of its edits bring its page back.
  void addDocument(Page page, mirdal::DocumentBase& doc, std::function<bool()> save);
  // Asks "Save / Discard / Cancel" when documents have unsaved changes,
  // naming their files; true when the caller may go on (nothing changed,
  // saved, or discarded). With `only`, about that document alone (loading
  // another menu replaces the menu and nothing else).
  bool askToSaveChanges(const mirdal::DocumentBase* only = nullptr);
  // The same for what a disc Read replaces: every document but the menu.
  bool askToSaveDiscChanges();
  // Undo / Redo of the last edit of any document (Ctrl+Z, Ctrl+Shift+Z
  // or Ctrl+Y); its page is shown.
  void undoEdit();
  void redoEdit();

  // Loads a menu file (the command-line argument ending in ".mnu").
  void setMenuLoader(std::function<void(const QString& file)> load) { menuLoader_ = std::move(load); }
  // Cancel stops a running or traced program first: the function returns
  // true when it did.
  void setProgramCanceller(std::function<bool()> stop) { programCanceller_ = std::move(stop); }

  // Start-up after construction: reads the settings, registers the file
  // associations, shows the window, then the command-line arguments
  // (without the program name) decide what is read.
  void startUp(const QStringList& args);
  // Shut-down (also run when the window closes): the settings are written
  // and the temporary files "Mirdal_*" deleted.
  void shutDown();

  // What the settings would store now / applying stored settings.
  StoredSettings currentSettings() const;
  void applySettings(const StoredSettings& s);

  // The disc folder actions.
  void readDiscClicked();
  // The Read without the question about unsaved changes.
  void readDiscNow();
  void openFolderClicked();
  void openDroppedFiles(const QStringList& paths);
  void setDiscFolder(const std::string& folder);

  void saveClicked();
  void cancelClicked();

 signals:
  // The page change starts: the menu view stops its button animation.
  void pageControlReset();
  // Start-up has applied the settings: views that need the options at
  // start (the sound player, the register reset) set themselves up.
  void settingsApplied();
  // A disc Read ended; passed says whether the disc's check passed.
  void discRead(bool passed);

 protected:
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  bool askToSave(const std::function<bool(const mirdal::DocumentBase*)>& which);
  void buildPages();
  void buildNavigation();
  // The links of each page's views to the shared controls and to the other
  // pages, one file each (app/wire_*.cpp).
  void wirePlaylist();
  void wireClip();
  void wireMenu();
  void wireMenuPlay();
  void wireMenuEdit();
  void wireSound();
  void wireCheck();
  // Opens the page of a finding's place and selects its row.
  void openCheckPlace(const mirdal::Place& place);
  void wirePlayer();
  void followToTitle(int title);
  void followToPlaylist(const QString& name);
  void openArgument(const QString& arg);
  void onProgress(const mirdal::ProgressState& p);
  bool anyView(Page page, bool (PageView::*query)() const) const;
  void showSave(const QString& hint, bool enabled);
  void applySharedControls(Page page);
  void syncShortNames();
  void rememberNormalGeometry();
  void updateMinimumSize();
  void setCaption(const QString& caption);
  void updateModifiedMarks();

  struct PageDocument {
    Page page;
    mirdal::DocumentBase* doc;
    std::function<bool()> save;
  };

  Interaction& ia_;
  mirdal::Workspace ws_;
  std::unique_ptr<Audio> audio_;
  PageControl* pages_ = nullptr;
  BdmvPage* bdmv_ = nullptr;
  PlaylistPage* playlist_ = nullptr;
  ClipPage* clip_ = nullptr;
  MenuPage* menu_ = nullptr;
  BdjoPage* bdjo_ = nullptr;
  OptionsPage* options_ = nullptr;
  StatusPage* status_ = nullptr;
  AboutPage* about_ = nullptr;
  ObjectProgramView* objectProgram_ = nullptr;
  RunPanel* runPanel_ = nullptr;
  RegisterPanel* registerPanel_ = nullptr;
  PlayerPanel* playerPanel_ = nullptr;
  SharedControls* shared_ = nullptr;
  CheckDiscWindow* checkWindow_ = nullptr;
  StatusBar* statusBar_ = nullptr;
  std::unique_ptr<GuiReporter> reporter_;
  std::unique_ptr<ScopedGuiReporter> reporterScope_;
  std::array<std::vector<PageView*>, kPageCount> views_;
  std::vector<PageDocument> documents_;
  std::array<QString, kPageCount> tabTexts_;
  QString caption_;
  std::function<void(const QString&)> menuLoader_;
  std::function<bool()> programCanceller_;
  bool reading_ = false;
  bool progressShown_ = false;
  bool shutDown_ = false;
  WindowPlacement normal_;  // the last normal window
  // The disc folder kept for the next start is the one shown, unless its
  // check failed: then the last one that passed (or none), so that the next
  // start does not read it again.
  std::string lastPassedFolder_;
  std::string failedFolder_;
  std::string folderToRemember() const;
  int playListMarkHeight_ = PaneHeights{}.playListMark;
};

}  // namespace mirdal::gui
