#include "app/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QSettings>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/application.h"
#include "app/audio.h"
#include "app/file_association.h"
#include "app/gui_reporter.h"
#include "app/undo_keys.h"
#include "app/window_fit.h"
#include "documents/disc_files.h"
#include "documents/disc_read.h"
#include "views/common/interaction.h"
#include "core/report.h"
#include "core/temp_files.h"
#include "views/shell/about_page.h"
#include "views/common/availability.h"
#include "views/bdjo/bdjo_page.h"
#include "views/bdmv/bdmv_page.h"
#include "views/clip/clip_page.h"
#include "views/common/document_signals.h"
#include "views/menu/menu_page.h"
#include "views/shell/message_log.h"
#include "views/bdmv/object_program_view.h"
#include "views/bdmv/objects_view.h"
#include "views/shell/options_page.h"
#include "views/shell/page_tabs.h"
#include "views/playlist/playlist_page.h"
#include "views/common/read_error_banner.h"
#include "views/shell/register_panel.h"
#include "views/shell/run_panel.h"
#include "views/shell/shared_controls.h"
#include "views/shell/status_bar.h"
#include "views/shell/status_page.h"
#include "views/common/text.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {

// The client area of the layout; with a frame of 8-pixel borders and a
// 30-pixel title it makes the smallest window, 913 x 585 pixels.
constexpr int kClientWidth = 897;
constexpr int kClientHeight = 547;

// A menu file given on the command line or dropped opens as a menu; any
// other file (".MNU" too) names a disc folder.
bool isMenuFileName(const QFileInfo& fi) { return fi.suffix() == QStringLiteral("mnu"); }

QSettings userSettings() {
  return QSettings(QString::fromLatin1(kSettingsOrganization), QString::fromLatin1(kSettingsApplication));
}

}  // namespace

MainWindow::MainWindow(Interaction& interaction, QWidget* parent)
    : QMainWindow(parent), ia_(interaction), audio_(std::make_unique<Audio>()) {
  setObjectName("fMain");
  setCaption(pathText(mirdal::baseCaption()));
  setAcceptDrops(true);

  auto* central = new QWidget(this);
  auto* l = new QVBoxLayout(central);
  l->setContentsMargins(4, 4, 4, 0);
  l->setSpacing(4);
  pages_ = new PageControl(central);
  shared_ = new SharedControls(central);
  statusBar_ = new StatusBar(central);
  l->addWidget(pages_, 1);
  l->addWidget(shared_);
  l->addWidget(statusBar_);
  setCentralWidget(central);
  buildPages();

  reporter_ = std::make_unique<GuiReporter>(*status_->messageLog(), *statusBar_, *audio_, ia_);
  reporter_->onProgress = [this](const mirdal::ProgressState& p) { onProgress(p); };
  reporterScope_ = std::make_unique<ScopedGuiReporter>(*reporter_);
  Application::setUserActions(reporter_.get());
  buildNavigation();
  wirePlaylist();
  wireClip();
  wireMenu();
  wireMenuPlay();
  wireMenuEdit();
  wireSound();
  wireCheck();
  wirePlayer();

  connect(pages_, &QTabWidget::currentChanged, this, [this] { pageControlChanged(); });
  connect(bdmv_->readDiscButton(), &QPushButton::clicked, this, &MainWindow::readDiscClicked);
  connect(bdmv_->openFolderButton(), &QToolButton::clicked, this, &MainWindow::openFolderClicked);
  connect(shared_->saveButton(), &QPushButton::clicked, this, &MainWindow::saveClicked);
  connect(shared_->cancelButton(), &QPushButton::clicked, this, &MainWindow::cancelClicked);
  connect(options_, &OptionsPage::shortNamesChanged, this, [this] { pageControlChanged(); });
  // The menu page's display switches and their twins on the options page.
  for (int i = 0; i < int(kDisplaySwitches.size()); ++i) {
    QCheckBox* a = menu_->displaySwitch(i);
    QCheckBox* b = options_->displaySwitch(i);
    connect(a, &QCheckBox::toggled, b, &QCheckBox::setChecked);
    connect(b, &QCheckBox::toggled, a, &QCheckBox::setChecked);
  }

  addDocument(Page::BDMV, ws_.index, [this] {
    return mirdal::saveIndex(ws_, *reporter_, askAboutGuesses(ia_, ws_, ws_.index));
  });
  addDocument(Page::BDMV, ws_.mobj, [this] {
    return mirdal::saveMovieObjects(ws_, *reporter_, askAboutGuesses(ia_, ws_, ws_.mobj));
  });
  addDocument(Page::BDJO, ws_.bdjo, [] { return false; });  // read only: never modified
  new UndoKeys(this, [this] { undoEdit(); }, [this] { redoEdit(); });
  // Ctrl+Tab and Ctrl+Shift+Tab step through the pages wherever the focus
  // is (a page's own controls would take them otherwise).
  const auto step = [this](int by) { pages_->setCurrentIndex((pages_->currentIndex() + by + kPageCount) % kPageCount); };
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this), &QShortcut::activated, this, [step] { step(1); });
  for (const QKeySequence& k : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)})
    connect(new QShortcut(k, this), &QShortcut::activated, this, [step] { step(-1); });

  updateMinimumSize();
  resize(kClientWidth, kClientHeight);
  pageControlChanged();
}

MainWindow::~MainWindow() {
  // Hidden now, while the Workspace lives: an open cell editor hands in its
  // text when it loses the focus.
  hide();
  if (Application::userActions() == reporter_.get()) Application::setUserActions(nullptr);
}

void MainWindow::buildPages() {
  bdmv_ = new BdmvPage(ws_, ia_, pages_);
  playlist_ = new PlaylistPage(ws_, pages_);
  clip_ = new ClipPage(ws_, pages_);
  menu_ = new MenuPage(ws_, ia_, pages_);
  bdjo_ = new BdjoPage(ws_, pages_);
  options_ = new OptionsPage(ws_, ia_, pages_);
  status_ = new StatusPage(pages_);
  about_ = new AboutPage(pages_);
  pages_->addTab(bdmv_, tr("&BDMV"));
  pages_->addTab(playlist_, tr("&PLAYLIST"));
  pages_->addTab(clip_, tr("&CLIPINF"));
  pages_->addTab(menu_, tr("&Menu"));
  pages_->addTab(bdjo_, tr("BD&JO"));
  pages_->addTab(options_, tr("&Options"));
  pages_->addTab(status_, tr("S&tatus"));
  pages_->addTab(about_, tr("&About"));
  for (int p = 0; p < kPageCount; ++p) tabTexts_[std::size_t(p)] = pages_->tabText(p);
  addPageView(Page::BDMV, bdmv_);
  addPageView(Page::Playlist, playlist_);
  addPageView(Page::ClipInfo, clip_);
  addPageView(Page::Menu, menu_);
  addPageView(Page::BDJO, bdjo_);
  addPageView(Page::Options, options_);
  addPageView(Page::Status, status_);
  addPageView(Page::About, about_);

  // Links between the pages: the run panel's object choice follows the
  // movie objects; a BD-J title opens its object on the BD-J page, an
  // accessible playlist of a BD-J object is chosen on the playlist page.
  bdmv_->setRunObjectChoice(shared_->runObjectChoice());
  connect(bdmv_, &BdmvPage::availabilityChanged, this, [this] {
    if (currentPage() == Page::BDMV) pageControlChanged();
  });
  connect(bdmv_, &BdmvPage::bdjObjectRequested, this, [this](const QString& name) {
    if (bdjo_->openObject(name)) showPage(Page::BDJO);
  });
  connect(bdjo_, &BdjoPage::playListRequested, this, &MainWindow::followToPlaylist);
}

void MainWindow::buildNavigation() {
  objectProgram_ = bdmv_->objectProgram();
  registerPanel_ = new RegisterPanel(ws_, *shared_, *status_, this);
  runPanel_ = new RunPanel(ws_, *shared_, *objectProgram_, *registerPanel_,
                           [this] { return currentPage() == Page::BDMV; }, this);
  addPageView(Page::BDMV, runPanel_);
  setProgramCanceller([this] { return runPanel_->cancelProgram(); });
  // The registers start from the options read at start-up.
  connect(this, &MainWindow::settingsApplied, registerPanel_, &RegisterPanel::resetRegs);
  connect(objectProgram_, &ObjectProgramView::titleRequested, this, &MainWindow::followToTitle);
  connect(objectProgram_, &ObjectProgramView::playlistRequested, this, &MainWindow::followToPlaylist);
  connect(runPanel_, &RunPanel::objectChosen, bdmv_->objectsView(), &ObjectsView::selectObject);
}

void MainWindow::followToTitle(int title) {
  showPage(Page::BDMV);
  bdmv_->showTitle(title);
}

// A playlist named by a command or a BD-J object is chosen on its page.
void MainWindow::followToPlaylist(const QString& name) {
  QComboBox* cb = playlist_->playlistChoice();
  const int i = cb->findText(name);
  if (i < 0) return;
  cb->setCurrentIndex(i);
  showPage(Page::Playlist);
}

MessageLog* MainWindow::messageLog() const { return status_->messageLog(); }

Page MainWindow::currentPage() const { return Page(pages_->currentIndex()); }

void MainWindow::showPage(Page p) { pages_->setCurrentIndex(int(p)); }

void MainWindow::addPageView(Page page, PageView* view) { views_[std::size_t(page)].push_back(view); }

void MainWindow::refreshAfterRead() {
  for (auto& page : views_)
    for (PageView* v : page) v->refresh();
}

bool MainWindow::anyView(Page page, bool (PageView::*query)() const) const {
  for (const PageView* v : views_[std::size_t(page)])
    if ((v->*query)()) return true;
  return false;
}

void MainWindow::showSave(const QString& hint, bool enabled) {
  QPushButton* b = shared_->saveButton();
  b->show();
  b->setToolTip(hint);
  b->setEnabled(enabled);
}

void MainWindow::pageControlChanged() {
  applySharedControls(currentPage());
  for (PageView* v : views_[std::size_t(currentPage())]) v->pageEntered();
}

void MainWindow::applySharedControls(Page page) {
  SharedControls& sc = *shared_;
  sc.startButton()->setEnabled(false);
  sc.saveButton()->hide();
  sc.saveButton()->setEnabled(false);
  sc.saveButton()->setToolTip(tr("Save"));
  for (QWidget* w : {sc.executePanel(), sc.navigatePanel(), sc.registersPanel(), static_cast<QWidget*>(sc.findButton()),
                     static_cast<QWidget*>(sc.loadMenuButton()), static_cast<QWidget*>(sc.muxButton())})
    w->hide();
  emit pageControlReset();

  // While a long operation shows its progress, the program-run panels stay
  // hidden; its end runs this again.
  const bool panels = !progressShown_;
  const NameSet& names = ws_.names();
  switch (page) {
    case Page::BDMV:
      showSave(tr("Save the bdmv files"), anyView(page, &PageView::hasSomethingToSave));
      if (panels) {
        sc.executePanel()->show();
        sc.runObjectChoice()->show();
        sc.runButtonChoice()->hide();
        sc.registersPanel()->show();
      }
      setEnabledIfAvailable(sc.startButton(), anyView(page, &PageView::canStart));
      break;
    case Page::Playlist:
      showSave(tr("Save ") + playlist_->saveName() + pathText(names.playlistExt),
               anyView(page, &PageView::hasSomethingToSave));
      sc.findButton()->show();
      break;
    case Page::ClipInfo:
      showSave(tr("Save ") + clip_->clipChoice()->currentText() + pathText(names.clipExt),
               anyView(page, &PageView::hasSomethingToSave));
      sc.findButton()->show();
      break;
    case Page::Menu: {
      const bool loaded = anyView(page, &PageView::hasSomethingToSave);
      showSave(tr("Save the IGS menu (*.mnu)"), loaded);
      sc.loadMenuButton()->show();
      sc.muxButton()->show();
      setEnabledIfAvailable(sc.muxButton(), loaded);
      setEnabledIfAvailable(sc.startButton(), loaded);
      if (panels) {
        sc.executePanel()->show();
        sc.runObjectChoice()->hide();
        sc.runButtonChoice()->show();
        sc.navigatePanel()->show();
        sc.registersPanel()->show();
      }
      break;
    }
    case Page::BDJO:
      showSave(tr("Save"), false);
      break;
    case Page::Status:
      if (panels) sc.registersPanel()->show();
      break;
    case Page::Options:
    case Page::About:
      break;
  }
}

void MainWindow::setDiscFolder(const std::string& folder) {
  ws_.disc.folder = folder;
  bdmv_->discFolderField()->setText(pathText(folder));
}

void MainWindow::addDocument(Page page, mirdal::DocumentBase& doc, std::function<bool()> save) {
  documents_.push_back({page, &doc, std::move(save)});
  auto* notices = new DocumentSignals(doc, this);
  connect(notices, &DocumentSignals::modifiedChanged, this, &MainWindow::updateModifiedMarks);
  connect(notices, &DocumentSignals::changed, this, [this] { reporter_->noteActivity(); });
}

void MainWindow::setCaption(const QString& caption) {
  caption_ = caption;
  updateModifiedMarks();
}

// A page whose files have unsaved changes: "*" after its tab text and
// after the window caption.
void MainWindow::updateModifiedMarks() {
  std::array<bool, kPageCount> modified{};
  bool any = false;
  for (const PageDocument& d : documents_)
    if (d.doc->modified()) any = modified[std::size_t(d.page)] = true;
  if (pages_ && pages_->count() == kPageCount)
    for (int p = 0; p < kPageCount; ++p)
      pages_->setTabText(p, tabTexts_[std::size_t(p)] + (modified[std::size_t(p)] ? QStringLiteral("*") : QString()));
  setWindowTitle(caption_ + (any ? QStringLiteral(" *") : QString()));
}

bool MainWindow::askToSaveChanges(const mirdal::DocumentBase* only) {
  return askToSave([only](const mirdal::DocumentBase* d) { return !only || d == only; });
}

// A Read replaces the disc's files; the menu is a file of its own that
// stays, so it is not asked about.
bool MainWindow::askToSaveDiscChanges() {
  return askToSave([this](const mirdal::DocumentBase* d) { return d != &ws_.menu; });
}

bool MainWindow::askToSave(const std::function<bool(const mirdal::DocumentBase*)>& which) {
  const auto asked = [&which](const PageDocument& d) { return which(d.doc) && d.doc->modified(); };
  QStringList names;
  for (const PageDocument& d : documents_)
    if (asked(d)) names << discText(d.doc->fileName());
  if (names.isEmpty()) return true;
  const QString question = tr("Save the changes to %1?").arg(names.join(QStringLiteral(", ")));
  switch (ia_.ask(question, Choices::SaveDiscardCancel)) {
    case Answer::Yes:
      for (const PageDocument& d : documents_)
        if (asked(d) && !d.save()) return false;  // a failed save keeps the changes here
      return true;
    case Answer::No:
      return true;
    case Answer::Cancel:
      return false;
  }
  return false;
}

void MainWindow::undoEdit() {
  if (!ws_.journal.canUndo()) return;
  for (const PageDocument& d : documents_)
    if (d.doc == ws_.journal.nextUndo().front()) showPage(d.page);
  ws_.journal.undo();
  pageControlChanged();
}

void MainWindow::redoEdit() {
  if (!ws_.journal.canRedo()) return;
  for (const PageDocument& d : documents_)
    if (d.doc == ws_.journal.nextRedo().front()) showPage(d.page);
  ws_.journal.redo();
  pageControlChanged();
}

void MainWindow::readDiscClicked() {
  if (reading_ || !askToSaveDiscChanges()) return;
  readDiscNow();
}

void MainWindow::readDiscNow() {
  if (reading_) return;
  reading_ = true;
  QPushButton* read = bdmv_->readDiscButton();
  read->setEnabled(false);

  // Every Read starts from nothing: the pages empty their lists and grids,
  // and the caption loses the label of a disc read before.
  mirdal::resetDisc(ws_);
  setCaption(pathText(mirdal::baseCaption()));
  refreshAfterRead();

  const bool passed = mirdal::readDisc(ws_, *reporter_);
  syncShortNames();  // the Read may have switched to the other name set
  if (passed) {
    lastPassedFolder_ = ws_.disc.folder;
    failedFolder_.clear();
  } else {
    failedFolder_ = ws_.disc.folder;
  }
  if (passed) {
    setCaption(pathText(ws_.disc.caption));
    shared_->executePanel()->setEnabled(true);
    setEnabledIfAvailable(shared_->findButton(), true);
  }
  refreshAfterRead();
  pageControlChanged();
  emit discRead(passed);
  read->setEnabled(true);
  reading_ = false;
}

void MainWindow::openFolderClicked() {
  // The chooser starts at the folder above the BDMV folder.
  QString start;
  if (!ws_.disc.folder.empty()) start = QFileInfo(QDir::cleanPath(pathText(ws_.disc.folder))).path();
  const QString chosen = ia_.chooseFolder(tr("Select a directory"), start);
  if (chosen.isEmpty() || !askToSaveDiscChanges()) return;
  setDiscFolder(mirdal::discFolderFromChosen(pathBytes(QDir::toNativeSeparators(chosen))));
  if (ws_.options.autoRead) readDiscNow();
}

void MainWindow::openDroppedFiles(const QStringList& paths) {
  if (paths.isEmpty() || reading_) return;
  const QFileInfo first(paths.first());
  if (isMenuFileName(first)) {
    if (menuLoader_) menuLoader_(first.absoluteFilePath());
    return;
  }
  if (!askToSaveDiscChanges()) return;
  // A dropped short-named index file ("INDEX.BDM") says the disc uses 8.3
  // names; any other file says it does not.
  ws_.options.shortNames = first.suffix() == QStringLiteral("BDM");
  syncShortNames();
  setDiscFolder(mirdal::discFolderFromArgument(pathBytes(first.absoluteFilePath())));
  readDiscNow();
}

void MainWindow::openArgument(const QString& arg) {
  const QFileInfo fi(arg);
  if (isMenuFileName(fi)) {
    if (menuLoader_) menuLoader_(fi.absoluteFilePath());
    return;
  }
  setDiscFolder(mirdal::discFolderFromArgument(pathBytes(fi.absoluteFilePath())));
  readDiscClicked();
}

void MainWindow::startUp(const QStringList& args) {
  // The settings: defaults for every value that is not stored.
  {
    QSettings s = userSettings();
    StoredSettings st;
    if (readSettings(s, st)) writeVersion(s);
    applySettings(st);
  }
  if (ws_.options.associateBdmv || ws_.options.associateMnu)
    registerAssociations(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                         QCoreApplication::applicationFilePath(), ws_.options.associateBdmv,
                         ws_.options.associateMnu, true);

  options_->showOptions();
  menu_->showOptions();
  reporter_->setActivationDelay(ws_.options.actiDelay);
  emit settingsApplied();
  reporter_->setStatusReady();
  setCaption(pathText(mirdal::baseCaption()));
  if (normal_.state == 2) showMaximized();
  else show();

  // With no folder to read (a first start) the page shows where to begin
  // instead of a failed check of nothing.
  if (args.size() == 1) openArgument(args.first());
  else if (ws_.disc.folder.empty()) guiReporter().setStatusPanel("Choose a disc folder to begin: folder button, drop a file, or command line", 1);
  else if (ws_.options.autoRead) readDiscClicked();
  // Keyboard work starts at the folder field, the top of the page.
  if (currentPage() == Page::BDMV) bdmv_->discFolderField()->setFocus();
  pageControlChanged();
  // A menu named on the command line is what the user asked for: the new
  // menu of "Auto create" would only replace it.
  if (ws_.options.autoMenu && !ws_.menu.loaded() && options_->createMenuButton()->isEnabled())
    options_->createMenuButton()->click();
}

void MainWindow::applySettings(const StoredSettings& st) {
  ws_.options = st.options;
  ws_.options.outputFolder.clear();  // never stored: empty in every run
  const std::string dir = pathBytes(st.bdmvDir);
  setDiscFolder(dir.empty() ? dir : mirdal::withTrailingSeparator(dir));
  lastPassedFolder_ = ws_.disc.folder;
  bdmv_->setObjectHeight(st.panes.object);
  playlist_->setPaneHeights(st.panes.playList, st.panes.subPath, st.panes.playListMark);
  playListMarkHeight_ = st.panes.playListMark;

  normal_ = st.window;
  // A position on a screen that is gone would hide the window.
  if (!QGuiApplication::screenAt(QPoint(normal_.left + 40, normal_.top + 10))) {
    normal_.left = WindowPlacement{}.left;
    normal_.top = WindowPlacement{}.top;
  }
  const QScreen* screen = QGuiApplication::screenAt(QPoint(normal_.left + 40, normal_.top + 10));
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect fitted = fitWindowRect(QRect(normal_.left, normal_.top, std::max(normal_.width, minimumWidth()),
                                           std::max(normal_.height, minimumHeight())),
                                     screen ? screen->availableGeometry() : QRect());
  resize(fitted.size());
  move(fitted.topLeft());
}

StoredSettings MainWindow::currentSettings() const {
  StoredSettings st;
  st.window = normal_;
  st.window.state = isMaximized() ? 2 : isMinimized() ? 1 : 0;
  st.panes.object = bdmv_->objectHeight();
  st.panes.playList = playlist_->playListHeight();
  st.panes.subPath = playlist_->subPathHeight();
  const int mark = playlist_->playListMarkHeight();
  st.panes.playListMark = mark >= 0 ? mark : playListMarkHeight_;
  st.bdmvDir = pathText(folderToRemember());
  st.options = ws_.options;
  return st;
}

std::string MainWindow::folderToRemember() const {
  const std::string& shown = ws_.disc.folder;
  if (shown.empty() || shown != failedFolder_) return shown;
  return lastPassedFolder_ == failedFolder_ ? std::string() : lastPassedFolder_;
}

void MainWindow::shutDown() {
  if (shutDown_) return;
  shutDown_ = true;
  QSettings s = userSettings();
  writeSettings(s, currentSettings());
  mirdal::deleteTempFiles(mirdal::tempFolder());
}

void MainWindow::closeEvent(QCloseEvent* e) {
  if (!shutDown_ && !askToSaveChanges()) {
    e->ignore();
    return;
  }
  shutDown();
  QMainWindow::closeEvent(e);
}

// Only a normal window's geometry is kept: a maximised or minimised window
// stores the position and size it had before.
void MainWindow::rememberNormalGeometry() {
  if (!isVisible() || windowState() != Qt::WindowNoState) return;
  normal_.left = x();
  normal_.top = y();
  normal_.width = width();
  normal_.height = height();
}

void MainWindow::moveEvent(QMoveEvent* e) {
  QMainWindow::moveEvent(e);
  rememberNormalGeometry();
}

void MainWindow::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  rememberNormalGeometry();
}

void MainWindow::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  if (e->type() == QEvent::FontChange) updateMinimumSize();
}

// The layout's size at the desktop font, and never less than the client
// area it was designed for.
void MainWindow::updateMinimumSize() {
  ensurePolished();  // sizes follow the style and font only once polished
  // The shared controls take the most room on one of the pages.
  int sharedWidth = 0;
  for (int p = 0; p < kPageCount; ++p) {
    applySharedControls(Page(p));
    sharedWidth = std::max(sharedWidth, shared_->minimumSizeHint().width());
  }
  applySharedControls(currentPage());
  const QMargins m = centralWidget()->contentsMargins() + centralWidget()->layout()->contentsMargins();
  QSize need = centralWidget()->minimumSizeHint();
  need.setWidth(std::max(pages_->minimumSizeHint().width(), sharedWidth) + m.left() + m.right());
  setMinimumSize(QSize(kClientWidth, kClientHeight).expandedTo(need));
}

void MainWindow::syncShortNames() {
  QCheckBox* b = options_->shortNamesBox();
  const QSignalBlocker block(b);
  b->setChecked(ws_.options.shortNames);
}

void MainWindow::saveClicked() {
  const Page page = currentPage();
  reporter_->takeSavedFiles();
  const int errors = reporter_->errorsLogged();
  for (PageView* v : views_[std::size_t(page)])
    if (v->hasSomethingToSave()) v->save();
  // The status line names what was written; an error stays there instead.
  std::string saved;
  for (const std::string& name : reporter_->takeSavedFiles()) saved += (saved.empty() ? "" : ", ") + name;
  if (!saved.empty() && reporter_->errorsLogged() == errors) guiReporter().setStatusPanel(saved + " saved.", 1);
}

void MainWindow::cancelClicked() {
  if (programCanceller_ && programCanceller_()) return;
  // Cancel stops the operation that runs now, through its own token.
  if (!reporter_->confirmCancel()) {
    reporter_->stopRunning();
    return;
  }
  // The running operation chooses the question ("Stop saving this PID?").
  if (ia_.ask(QString::fromStdString(reporter_->cancelQuestion()), Choices::YesNo) == Answer::Yes)
    reporter_->cancelRunning();
}

void MainWindow::onProgress(const mirdal::ProgressState& p) {
  SharedControls& sc = *shared_;
  if (p.visible) {
    sc.progressBar()->setValue(p.percent);
    if (progressShown_) return;
    progressShown_ = true;
    for (QWidget* w : {sc.executePanel(), sc.navigatePanel(), sc.registersPanel()}) w->hide();
    sc.progressBar()->show();
    sc.cancelButton()->setEnabled(true);
  } else if (progressShown_) {
    progressShown_ = false;
    sc.progressBar()->hide();
    sc.cancelButton()->setEnabled(false);
    pageControlChanged();
  }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* e) {
  for (const QUrl& u : e->mimeData()->urls())
    if (u.isLocalFile()) {
      e->acceptProposedAction();
      return;
    }
}

void MainWindow::dropEvent(QDropEvent* e) {
  QStringList paths;
  for (const QUrl& u : e->mimeData()->urls())
    if (u.isLocalFile()) paths << u.toLocalFile();
  if (paths.isEmpty()) return;
  e->acceptProposedAction();
  openDroppedFiles(paths);
}

}  // namespace mirdal::gui
