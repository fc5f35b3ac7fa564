#include "views/bdmv/bdmv_page.h"

#include <QEvent>
#include <algorithm>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "documents/workspace.h"
#include "documents/disc_files.h"
#include "present/bdmv_rows.h"
#include "views/common/document_signals.h"
#include "views/bdmv/index_app_info_view.h"
#include "views/common/combo_fill.h"
#include "views/bdmv/object_program_view.h"
#include "views/bdmv/objects_view.h"
#include "views/common/pane.h"
#include "views/common/pane_splitter.h"
#include "views/common/read_error_banner.h"
#include "views/common/text.h"
#include "views/bdmv/titles_view.h"
#include "views/common/ui_metrics.h"
#include "views/common/vertical_label.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {

// A pane with a counter standing at its right edge.
QWidget* paneWithCounter(QWidget* parent, QWidget* pane, VerticalLabel* counter) {
  auto* w = new QWidget(parent);
  auto* l = new QHBoxLayout(w);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(2);
  l->addWidget(pane, 1);
  l->addWidget(counter);
  return w;
}

}  // namespace

BdmvPage::BdmvPage(mirdal::Workspace& ws, Interaction& ia, QWidget* parent)
    : QWidget(parent), ws_(ws), ia_(ia) {
  setObjectName("tsBDMV");
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(6, 6, 6, 6);
  page->setSpacing(6);

  // Disc folder row.
  auto* folderRow = new QHBoxLayout;
  auto* discFolderLabel = new QLabel(tr("BDMV folder:"), this);
  discFolderField_ = new QLineEdit(this);
  discFolderField_->setObjectName("eBDMVdir");
  discFolderField_->setReadOnly(true);
  discFolderLabel->setBuddy(discFolderField_);
  openFolderButton_ = new QToolButton(this);
  openFolderButton_->setObjectName("bbOpenDir");
  openFolderButton_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  openFolderButton_->setToolTip(tr("Select a directory"));
  readDiscButton_ = new QPushButton(tr("&Read"), this);
  readDiscButton_->setObjectName("bReadBDMV");
  folderRow->addWidget(discFolderLabel);
  folderRow->addWidget(discFolderField_, 1);
  folderRow->addWidget(openFolderButton_);
  folderRow->addWidget(readDiscButton_);
  bCheckDisc_ = new QPushButton(tr("Check disc"), this);
  bCheckDisc_->setObjectName("bCheckDisc");
  bCheckDisc_->setToolTip(tr("Check the whole disc: every reference, command operand and menu link"));
  bCheckDisc_->setEnabled(false);
  folderRow->addWidget(bCheckDisc_);
  bPlayDisc_ = new QPushButton(tr("Play disc"), this);
  bPlayDisc_->setObjectName("bPlayDisc");
  bPlayDisc_->setToolTip(tr("Play the disc from First Playback as a player would"));
  folderRow->addWidget(bPlayDisc_);
  page->addLayout(folderRow);

  startHintLabel_ = new QLabel(startHint(), this);
  startHintLabel_->setObjectName("lStartHint");
  startHintLabel_->setWordWrap(true);
  startHintLabel_->setVisible(discFolderField_->text().isEmpty());
  page->addWidget(startHintLabel_);
  connect(discFolderField_, &QLineEdit::textChanged, startHintLabel_, [this](const QString& t) { startHintLabel_->setVisible(t.isEmpty()); });

  // MovieObject.bdmv: objects above commands.
  movieObjectGroup_ = new QGroupBox(QStringLiteral("MovieObject.bdmv"), this);
  movieObjectGroup_->setObjectName("gbMovieObject");
  auto* mo = new QVBoxLayout(movieObjectGroup_);
  mo->setContentsMargins(6, 4, 6, 6);
  auto* split = new PaneSplitter(Qt::Vertical, "splMovieObject", movieObjectGroup_);
  split_ = split;
  objectsPane_ = makePane("pObjects", split_);
  objectCountLabel_ = new VerticalLabel("lObjects", split_);
  objectCountLabel_->setToolTip(tr("Number of movie objects in MovieObject.bdmv"));
  commandsPane_ = makePane("pCommands", split_);
  commandsPane_->setMinimumHeight(px(this, kMinCommandsHeight));
  split_->addWidget(paneWithCounter(split_, objectsPane_, objectCountLabel_));
  split_->addWidget(commandsPane_);
  split_->setStretchFactor(0, 0);
  split_->setStretchFactor(1, 1);
  mo->addWidget(split_);
  connect(split, &PaneSplitter::resized, this, &BdmvPage::keepCommandsPaneHeight);
  connect(split_, &QSplitter::splitterMoved, this, [this] {
    userSized_ = true;
    wantedObjectHeight_ = split_->sizes().value(0, wantedObjectHeight_);
    emit objectHeightChanged(wantedObjectHeight_);
  });

  // index.bdmv with the titles counter; sound.bdmv below it.
  indexGroup_ = new QGroupBox(QStringLiteral("index.bdmv"), this);
  indexGroup_->setObjectName("gbIndex");
  auto* ix = new QVBoxLayout(indexGroup_);
  ix->setContentsMargins(6, 4, 6, 6);
  indexPane_ = makePane("pIndex", indexGroup_);
  titleCountLabel_ = new VerticalLabel("lTitlenum", indexGroup_);
  titleCountLabel_->setToolTip(tr("Number of titles; \"+ 2\" counts First Playback and Top Menu when they are "
                                  "on"));
  ix->addWidget(paneWithCounter(indexGroup_, indexPane_, titleCountLabel_));

  soundGroup_ = makeGroup("gbSound", QStringLiteral("sound.bdmv"), this, &soundPane_, "pSound");
  soundGroup_->hide();

  auto* right = new QVBoxLayout;
  right->setSpacing(6);
  right->addWidget(indexGroup_, 3);
  appInfo_ = new IndexAppInfoView(ws_, this);
  right->addWidget(appInfo_);
  right->addWidget(soundGroup_, 1);

  objects_ = new ObjectsView(ws_, ia_, objectsPane_);
  placeInPane(objectsPane_, objects_);
  commands_ = new ObjectProgramView(ws_, ia_, commandsPane_);
  placeInPane(commandsPane_, commands_);
  titles_ = new TitlesView(ws_, ia_, indexPane_);
  placeInPane(indexPane_, titles_);
  commandsPane_->installEventFilter(this);

  connect(titles_, &TitlesView::movieObjectChosen, objects_, &ObjectsView::selectObject);
  connect(titles_, &TitlesView::bdjObjectRequested, this, &BdmvPage::bdjObjectRequested);
  connect(objects_, &ObjectsView::movieObjectSelected, this, &BdmvPage::objectSelected);
  // The views follow the documents' change notices themselves; the page
  // keeps the counters and the run panel's object choice in step, and on
  // Undo and Redo shows the files again with the place of the edit
  // selected.
  auto* indexSignals = new DocumentSignals(ws_.index, this);
  auto* mobjSignals = new DocumentSignals(ws_.mobj, this);
  connect(indexSignals, &DocumentSignals::changed, this, &BdmvPage::indexChanged);
  connect(mobjSignals, &DocumentSignals::changed, this, &BdmvPage::movieObjectsChanged);
  // The sound group is there while a sound file is read or created.
  connect(new DocumentSignals(ws_.sound, this), &DocumentSignals::changed, this,
          [this] { soundGroup_->setVisible(ws_.sound.loaded()); });

  auto* groups = new QHBoxLayout;
  groups->setSpacing(6);
  // The index group takes the width its views need; the command list takes
  // all the rest.
  // The line about files read with errors stands above the movie objects,
  // whose command list gives it room: the index side has none to spare in
  // the smallest window.
  auto* left = new QVBoxLayout;
  left->setSpacing(6);
  left->addWidget(new ReadErrorBanner("lReadErrorsBDMV", {&ws_.index, &ws_.mobj, &ws_.sound}, this));
  left->addWidget(movieObjectGroup_, 1);
  groups->addLayout(left, 1);
  groups->addLayout(right, 0);
  page->addLayout(groups, 1);
}

QString BdmvPage::startHint() {
  return tr("To begin, choose the BDMV folder of a disc with the folder button above, drop any file of that folder "
            "on this window, or name one on the command line (mirdal /path/to/BDMV/index.bdmv).");
}

void BdmvPage::bdmvLabels() {
  const BdmvLabelTexts t = mirdal::bdmvLabels(ws_.index.model(), ws_.mobj.model());
  titleCountLabel_->setText(ws_.index.loaded() ? discText(t.titles) : QString());
  objectCountLabel_->setText(ws_.mobj.loaded() ? discText(t.objects) : QString());
}

void BdmvPage::setRunObjectChoice(QComboBox* cb) {
  runObject_ = cb;
  objectCountChanged(ws_.mobj.loaded() ? int(ws_.mobj.model().movieObjects.objects.size()) : 0);
}

int BdmvPage::selectedMovieObject() const { return objects_->selectedObject(); }

void BdmvPage::movieObjectChanged(int i) {
  objects_->rewriteRow(i);
  if (i == commands_->object()) commands_->showObject(i);
  emit availabilityChanged();
}

void BdmvPage::showTitle(int title) {
  titles_->selectTitle(title - 1);
  commands_->selectLine(0);
}

void BdmvPage::objectSelected(int object) {
  commands_->showObject(object);
  if (runObject_) runObject_->setCurrentIndex(object < runObject_->count() ? object : -1);
  emit movieObjectSelected(object);
  emit availabilityChanged();
}

// The object number choices follow the object count: the run panel's (the
// title editor, First Playback and Top Menu follow the document).
void BdmvPage::objectCountChanged(int count) {
  if (runObject_) setNumberItems(runObject_, count, 4);
  bdmvLabels();
  emit availabilityChanged();
}

namespace {

bool undoOrRedo(const mirdal::ChangeNotice& n) {
  return n.cause == mirdal::ChangeNotice::Cause::Undo || n.cause == mirdal::ChangeNotice::Cause::Redo;
}

// The row to select for a notice about rows first.. of a collection of n.
int rowToShow(std::size_t first, std::size_t n) {
  if (n == 0 || first == mirdal::kNoRow) return n ? 0 : -1;
  return int(std::min(first, n - 1));
}

}  // namespace

void BdmvPage::indexChanged(const mirdal::ChangeNotice& n) {
  if (n.cause == mirdal::ChangeNotice::Cause::Edit) {
    bdmvLabels();
    emit availabilityChanged();
  }
  if (!undoOrRedo(n)) return;
  titles_->refresh();
  if (n.names(IndexPart::Titles)) titles_->selectTitle(rowToShow(n.first, ws_.index.model().indexes.titles.size()));
  bdmvLabels();
  emit availabilityChanged();
}

void BdmvPage::movieObjectsChanged(const mirdal::ChangeNotice& n) {
  const auto& objects = ws_.mobj.model().movieObjects.objects;
  if (n.cause == mirdal::ChangeNotice::Cause::Edit) {
    if (n.countChanged && n.names(MovieObjectPart::Objects)) objectCountChanged(int(objects.size()));
    else emit availabilityChanged();
  }
  if (!undoOrRedo(n)) return;
  commands_->setListingQuiet(true);
  objects_->refresh();
  commands_->setListingQuiet(false);
  titles_->setObjectCount(int(objects.size()));
  objectCountChanged(int(objects.size()));
  if (n.names(MovieObjectPart::Objects)) {
    objects_->selectObject(rowToShow(n.first, objects.size()));
  } else if (n.names(MovieObjectPart::Commands) && n.parent < objects.size()) {
    objects_->selectObject(int(n.parent));
    commands_->selectLine(rowToShow(n.first, objects[n.parent].commands.size()));
  }
  emit availabilityChanged();
}

bool BdmvPage::eventFilter(QObject* watched, QEvent* e) {
  if (watched == commandsPane_ && e->type() == QEvent::Resize)
    objects_->setExtensionDataShown(commandsPane_->width() > px(this, kMinWidthForObjectExtData));
  return QWidget::eventFilter(watched, e);
}

int BdmvPage::objectHeight() const {
  return split_->isVisible() ? split_->sizes().value(0, wantedObjectHeight_) : wantedObjectHeight_;
}

void BdmvPage::setObjectHeight(int h) {
  wantedObjectHeight_ = std::max(0, h);
  keepCommandsPaneHeight();
}

// The objects pane keeps its height while the window grows or shrinks,
// unless the commands pane would get less than its minimum height: then the
// objects pane gives way, and keeps the smaller height. Until the user moves
// the splitter, a tall window gives the objects pane a quarter of the room
// the commands pane does not need, so that a large window does not list
// three objects above a mostly empty command grid.
void BdmvPage::keepCommandsPaneHeight() {
  // Before the splitter is shown its size means nothing yet; the wanted
  // heights wait for the first real layout.
  if (!split_->isVisible()) return;
  const int total = split_->height() - split_->handleWidth();
  if (total <= 0) return;
  const int minCommands = px(this, kMinCommandsHeight);
  const int spare = std::max(0, total - minCommands);
  const int wanted = userSized_ ? wantedObjectHeight_ : std::max(wantedObjectHeight_, spare / 4);
  const int objects = std::clamp(wanted, 0, spare);
  split_->setSizes({objects, total - objects});
  // The share of a tall window is not the user's choice: a smaller window
  // goes back to the height set.
  if (objects <= wantedObjectHeight_) wantedObjectHeight_ = split_->sizes().value(0, objects);
}

void BdmvPage::refresh() {
  discFolderField_->setText(pathText(ws_.disc.folder));
  soundGroup_->setVisible(ws_.sound.loaded());
  const int objects = ws_.mobj.loaded() ? int(ws_.mobj.model().movieObjects.objects.size()) : 0;
  if (runObject_) {
    setComboItems(runObject_, {});
    setNumberItems(runObject_, objects, 4);
  }
  // The objects first: title 1 then selects its movie object. Listing it
  // leaves the status line as the Read left it (an error mark stays).
  commands_->setListingQuiet(true);
  objects_->refresh();
  titles_->refresh();
  commands_->setListingQuiet(false);
  bdmvLabels();
}

bool BdmvPage::hasSomethingToSave() const {
  return ws_.index.loaded() && (!ws_.index.model().indexes.titles.empty() || !ws_.mobj.model().movieObjects.objects.empty());
}

void BdmvPage::save() {
  mirdal::saveIndex(ws_, guiReporter(), askAboutGuesses(ia_, ws_, ws_.index));
  mirdal::saveMovieObjects(ws_, guiReporter(), askAboutGuesses(ia_, ws_, ws_.mobj));
  emit availabilityChanged();
}

bool BdmvPage::canStart() const {
  const int o = objects_->selectedObject();
  return o >= 0 && !ws_.mobj.model().movieObjects.objects[std::size_t(o)].commands.empty();
}

}  // namespace mirdal::gui
