#include "app/main_window.h"

#include <QComboBox>
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

#include "app/audio.h"
#include "app/gui_reporter.h"
#include "app/interaction.h"
#include "core/disc_read.h"
#include "core/report.h"
#include "views/about_page.h"
#include "views/availability.h"
#include "views/bdjo_page.h"
#include "views/bdmv_page.h"
#include "views/clip_page.h"
#include "views/menu_page.h"
#include "views/message_log.h"
#include "views/playlist_page.h"
#include "views/shared_controls.h"
#include "views/status_bar.h"
#include "views/status_page.h"
#include "views/text.h"

namespace mirdal::gui {

namespace {
constexpr int kClientWidth = 897;
constexpr int kClientHeight = 547;
}  // namespace

TfMain::TfMain(Interaction& interaction, QWidget* parent)
    : QMainWindow(parent), ia_(interaction), audio_(std::make_unique<Audio>()) {
  setObjectName("fMain");
  setWindowTitle(pathText(mirdal::baseCaption()));
  setAcceptDrops(true);

  auto* central = new QWidget(this);
  auto* l = new QVBoxLayout(central);
  l->setContentsMargins(4, 4, 4, 0);
  l->setSpacing(4);
  pages_ = new QTabWidget(central);
  pages_->setObjectName("PageControl");
  shared_ = new SharedControls(central);
  statusBar_ = new StatusBar(central);
  l->addWidget(pages_, 1);
  l->addWidget(shared_);
  l->addWidget(statusBar_);
  setCentralWidget(central);
  buildPages();

  reporter_ = std::make_unique<GuiReporter>(*status_->reMessage(), *statusBar_, *audio_);
  reporter_->onProgress = [this](const mirdal::ProgressState& p) { onProgress(p); };
  reporterScope_ = std::make_unique<mirdal::ScopedReporter>(*reporter_);

  connect(pages_, &QTabWidget::currentChanged, this, [this] { PageControlChange(); });
  connect(bdmv_->bReadBDMV(), &QPushButton::clicked, this, &TfMain::bReadBDMVClick);
  connect(bdmv_->bbOpenDir(), &QToolButton::clicked, this, &TfMain::bbOpenDirClick);
  connect(shared_->bSave(), &QPushButton::clicked, this, &TfMain::bSaveClick);
  connect(shared_->bCancel(), &QPushButton::clicked, this, &TfMain::bCancelClick);

  menuLoader_ = [](const QString& file) {
    mirdal::log(pathBytes(QFileInfo(file).fileName()) + ": menu files cannot be read in this version.");
  };

  setMinimumSize(kClientWidth, kClientHeight);
  resize(kClientWidth, kClientHeight);
  PageControlChange();
}

TfMain::~TfMain() = default;

void TfMain::buildPages() {
  bdmv_ = new BdmvPage(ws_, ia_, pages_);
  playlist_ = new PlaylistPage(ws_, pages_);
  clip_ = new ClipPage(ws_, pages_);
  menu_ = new MenuPage(ws_, pages_);
  bdjo_ = new BdjoPage(ws_, pages_);
  options_ = new QWidget(pages_);
  options_->setObjectName("tsOptions");
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
  addPageView(Page::BDMV, bdmv_);
  addPageView(Page::Playlist, playlist_);
  addPageView(Page::Clipinf, clip_);
  addPageView(Page::Menu, menu_);
  addPageView(Page::BDJO, bdjo_);
  addPageView(Page::Status, status_);
  addPageView(Page::About, about_);

  // Links between the pages: the run panel's object choice follows the
  // movie objects; a BD-J title opens its object on the BD-J page, an
  // accessible playlist of a BD-J object is chosen on the playlist page.
  bdmv_->setRunObjectChoice(shared_->cbObject());
  connect(bdmv_, &BdmvPage::availabilityChanged, this, [this] {
    if (currentPage() == Page::BDMV) PageControlChange();
  });
  connect(bdmv_, &BdmvPage::bdjObjectRequested, this, [this](const QString& name) {
    if (bdjo_->openObject(name)) showPage(Page::BDJO);
  });
  connect(bdjo_, &BdjoPage::playListRequested, this, [this](const QString& name) {
    QComboBox* cb = playlist_->cbPlaylist();
    const int i = cb->findText(name);
    if (i < 0) return;
    cb->setCurrentIndex(i);
    showPage(Page::Playlist);
  });
}

MessageLog* TfMain::messageLog() const { return status_->reMessage(); }

Page TfMain::currentPage() const { return Page(pages_->currentIndex()); }

void TfMain::showPage(Page p) { pages_->setCurrentIndex(int(p)); }

void TfMain::addPageView(Page page, PageView* view) { views_[std::size_t(page)].push_back(view); }

void TfMain::refreshAfterRead() {
  for (auto& page : views_)
    for (PageView* v : page) v->refresh();
}

bool TfMain::anyView(Page page, bool (PageView::*query)() const) const {
  for (const PageView* v : views_[std::size_t(page)])
    if ((v->*query)()) return true;
  return false;
}

void TfMain::showSave(const QString& hint, bool enabled) {
  QPushButton* b = shared_->bSave();
  b->show();
  b->setToolTip(hint);
  b->setEnabled(enabled);
}

void TfMain::PageControlChange() {
  SharedControls& sc = *shared_;
  sc.bStart()->setEnabled(false);
  sc.bSave()->hide();
  sc.bSave()->setEnabled(false);
  sc.bSave()->setToolTip(tr("Save"));
  for (QWidget* w : {sc.pExecute(), sc.pNavigate(), sc.pRegisters(), static_cast<QWidget*>(sc.bFind()),
                     static_cast<QWidget*>(sc.bLoadMenu()), static_cast<QWidget*>(sc.bMux())})
    w->hide();
  emit pageControlReset();

  // While a long operation shows its progress, the program-run panels stay
  // hidden; its end runs this again.
  const bool panels = !progressShown_;
  const Page page = currentPage();
  const NameSet& names = ws_.names();
  switch (page) {
    case Page::BDMV:
      showSave(tr("Save the bdmv files"), anyView(page, &PageView::hasSomethingToSave));
      if (panels) {
        sc.pExecute()->show();
        sc.cbObject()->show();
        sc.cbButton()->hide();
        sc.pRegisters()->show();
      }
      setEnabledIfAvailable(sc.bStart(), anyView(page, &PageView::canStart));
      break;
    case Page::Playlist:
      showSave(tr("Save ") + playlist_->cbPlaylist()->currentText() + pathText(names.playlistExt),
               anyView(page, &PageView::hasSomethingToSave));
      sc.bFind()->show();
      break;
    case Page::Clipinf:
      showSave(tr("Save ") + clip_->cbClipinf()->currentText() + pathText(names.clipExt),
               anyView(page, &PageView::hasSomethingToSave));
      sc.bFind()->show();
      break;
    case Page::Menu: {
      const bool loaded = anyView(page, &PageView::hasSomethingToSave);
      showSave(tr("Save the IGS menu (*.mnu)"), loaded);
      sc.bLoadMenu()->show();
      sc.bMux()->show();
      setEnabledIfAvailable(sc.bMux(), loaded);
      setEnabledIfAvailable(sc.bStart(), loaded);
      if (panels) {
        sc.pExecute()->show();
        sc.cbObject()->hide();
        sc.cbButton()->show();
        sc.pNavigate()->show();
        sc.pRegisters()->show();
      }
      break;
    }
    case Page::BDJO:
      showSave(tr("Save"), false);
      break;
    case Page::Status:
      if (panels) sc.pRegisters()->show();
      break;
    case Page::Options:
    case Page::About:
      break;
  }
  for (PageView* v : views_[std::size_t(page)]) v->pageEntered();
}

void TfMain::setDiscFolder(const std::string& folder) {
  ws_.disc.folder = folder;
  bdmv_->eBDMVdir()->setText(pathText(folder));
}

void TfMain::bReadBDMVClick() {
  if (reading_) return;
  reading_ = true;
  QPushButton* read = bdmv_->bReadBDMV();
  read->setEnabled(false);

  // Every Read starts from nothing: the pages empty their lists and grids,
  // and the caption loses the label of a disc read before.
  mirdal::resetDisc(ws_);
  setWindowTitle(pathText(mirdal::baseCaption()));
  refreshAfterRead();

  if (mirdal::readDisc(ws_)) {
    setWindowTitle(pathText(ws_.disc.caption));
    shared_->pExecute()->setEnabled(true);
    setEnabledIfAvailable(shared_->bFind(), true);
  }
  refreshAfterRead();
  PageControlChange();
  read->setEnabled(true);
  reading_ = false;
}

void TfMain::bbOpenDirClick() {
  // The chooser starts at the folder above the BDMV folder.
  QString start;
  if (!ws_.disc.folder.empty()) start = QFileInfo(QDir::cleanPath(pathText(ws_.disc.folder))).path();
  const QString chosen = ia_.chooseFolder(tr("Select a directory"), start);
  if (chosen.isEmpty()) return;
  setDiscFolder(mirdal::discFolderFromChosen(pathBytes(QDir::toNativeSeparators(chosen))));
  if (ws_.options.autoRead) bReadBDMVClick();
}

void TfMain::openDroppedFiles(const QStringList& paths) {
  if (paths.isEmpty()) return;
  const QFileInfo first(paths.first());
  // A dropped short-named index file ("INDEX.BDM") says the disc uses 8.3
  // names; any other file says it does not.
  ws_.options.shortNames = first.suffix() == QStringLiteral("BDM");
  setDiscFolder(mirdal::discFolderFromArgument(pathBytes(first.absoluteFilePath())));
  bReadBDMVClick();
}

void TfMain::openArgument(const QString& arg) {
  const QFileInfo fi(arg);
  if (fi.suffix() == QStringLiteral("mnu")) {
    menuLoader_(fi.absoluteFilePath());
    return;
  }
  setDiscFolder(mirdal::discFolderFromArgument(pathBytes(fi.absoluteFilePath())));
  bReadBDMVClick();
}

void TfMain::startUp(const QStringList& args) {
  mirdal::slogR();
  setWindowTitle(pathText(mirdal::baseCaption()));
  show();
  if (args.size() == 1) openArgument(args.first());
  else if (ws_.options.autoRead) bReadBDMVClick();
  PageControlChange();
}

void TfMain::bSaveClick() {
  const Page page = currentPage();
  for (PageView* v : views_[std::size_t(page)])
    if (v->hasSomethingToSave()) v->save();
}

void TfMain::bCancelClick() {
  if (programCanceller_ && programCanceller_()) return;
  if (!mirdal::confirmCancel()) {
    mirdal::setCancelFlag(true);
    return;
  }
  if (ia_.ask(tr("Are you sure to stop?"), Choices::YesNo) == Answer::Yes) mirdal::cancelConfirmed();
}

void TfMain::onProgress(const mirdal::ProgressState& p) {
  SharedControls& sc = *shared_;
  if (p.visible) {
    sc.progressBar()->setValue(p.percent);
    if (progressShown_) return;
    progressShown_ = true;
    for (QWidget* w : {sc.pExecute(), sc.pNavigate(), sc.pRegisters()}) w->hide();
    sc.progressBar()->show();
    sc.bCancel()->setEnabled(true);
  } else if (progressShown_) {
    progressShown_ = false;
    sc.progressBar()->hide();
    sc.bCancel()->setEnabled(false);
    PageControlChange();
  }
}

void TfMain::dragEnterEvent(QDragEnterEvent* e) {
  for (const QUrl& u : e->mimeData()->urls())
    if (u.isLocalFile()) {
      e->acceptProposedAction();
      return;
    }
}

void TfMain::dropEvent(QDropEvent* e) {
  QStringList paths;
  for (const QUrl& u : e->mimeData()->urls())
    if (u.isLocalFile()) paths << u.toLocalFile();
  if (paths.isEmpty()) return;
  e->acceptProposedAction();
  openDroppedFiles(paths);
}

}  // namespace mirdal::gui
