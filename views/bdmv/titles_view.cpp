#include "views/bdmv/titles_view.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/report.h"
#include "documents/workspace.h"
#include "formats/bdmv/bdmv_edit.h"
#include "present/bdmv_rows.h"
#include "formats/common/ext_data_edit.h"
#include "present/bdmv_rules.h"
#include "views/common/combo_fill.h"
#include "views/common/document_signals.h"
#include "views/common/ext_data_dialog.h"
#include "views/common/grid_rows.h"
#include "views/bdmv/index_entry_box.h"
#include "views/common/named_controls.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {

constexpr IndexEntryNames kFirstPlayback{"gbFirstPlayback", "First Playback", "cbFPBon",
                                         "First playback on/off", "cbFPBtype", "First playback object type",
                                         "cbFPBTitlePBtype", "Title playback type", "cbFPBObject", "cbFPBFile"};
constexpr IndexEntryNames kTopMenu{"gbTopMenu", "Top Menu",  "cbTMon",     "Top menu on/off", "cbTMtype",
                                   "Top menu object type", nullptr, nullptr, "cbTMObject", "cbTMFile"};

}  // namespace

TitlesView::TitlesView(mirdal::Workspace& ws, Interaction& ia, QWidget* parent)
    : QWidget(parent), ws_(ws), ia_(ia) {
  setObjectName("vTitles");
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(4);

  auto* contentRow = new QHBoxLayout;
  auto* contentLabel = new QLabel(tr("Content:"), this);
  content_ = new QLineEdit(this);
  content_->setObjectName("eContent");
  content_->setMaxLength(32);
  content_->setToolTip(tr("Content provider data"));
  contentLabel->setBuddy(content_);
  contentRow->addWidget(contentLabel);
  contentRow->addWidget(content_, 1);
  l->addLayout(contentRow);

  fpb_ = new IndexEntryBox(kFirstPlayback, this);
  tm_ = new IndexEntryBox(kTopMenu, this);
  l->addWidget(fpb_);
  l->addWidget(tm_);

  auto* titles = new QHBoxLayout;
  grid_ = new StringGrid("sgTitles", this);
  grid_->setColumns(gridColumns(kTitleColumns));
  grid_->setWidthFollowsColumns(true);
  grid_->setToolTip(tr("Titles"));
  grid_->installEventFilter(this);
  titles->addWidget(grid_);
  titles->addStretch(1);
  l->addLayout(titles, 1);

  // The title editors below the grid, in the order of its columns.
  auto* editors = new QGridLayout;
  editors->setHorizontalSpacing(4);
  editors->setVerticalSpacing(2);
  titleNo_ = namedChoice("cbTitleNo", tr("Title number"), this);
  titleNo_->setMinimumContentsLength(3);
  titleObjectType_ = namedChoice("cbTitleOT", tr("Title object type"), this);
  titleObjectType_->addItems(itemTexts(kObjectTypeItems));
  titleAccessType_ = namedChoice("cbTitleAT", tr("Title acces type: Title Search  (User Operation) into this title"), this);
  titleAccessType_->addItems(itemTexts(kAccessTypeItems));
  titlePlaybackType_ = namedChoice("cbTitlePBT", tr("Title playback type"), this);
  titlePlaybackType_->addItems(itemTexts(kPlaybackTypeItems));
  titleObject_ = namedChoice("cbTitleOID", tr("Title object id"), this);
  titleObject_->setMinimumContentsLength(3);
  titleBdjObject_ = namedChoice("cbTitleFN", tr("BD-J object filename"), this);
  titleBdjObject_->setMinimumContentsLength(5);
  titleBdjObject_->setIconSize(QSize(0, 0));  // names only, no room for icons
  titleBdjObject_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  auto* titleLabel = new QLabel(tr("Title"), this);
  titleLabel->setBuddy(titleNo_);
  ins_ = smallButton("bbTiins", QStringLiteral("+"), tr("Insert title"), this);
  del_ = smallButton("bbTidel", QStringLiteral("-"), tr("Delete title"), this);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(2);
  buttons->addWidget(ins_);
  buttons->addWidget(del_);
  editors->addWidget(titleLabel, 0, 0);
  editors->addWidget(titleNo_, 0, 1);
  editors->addWidget(titleObjectType_, 0, 2);
  editors->addWidget(titleAccessType_, 0, 3);
  editors->addLayout(buttons, 1, 0);
  editors->addWidget(titlePlaybackType_, 1, 1);
  editors->addWidget(titleObject_, 1, 2);
  editors->addWidget(titleBdjObject_, 1, 3);
  editors->setColumnStretch(4, 1);
  l->addLayout(editors);

  auto* extRow = new QHBoxLayout;
  extCaption_ = new QLabel(this);
  extCaption_->setObjectName("lIndexExtDat");
  extCaption_->setToolTip(tr("ExtensionData()"));
  extEdit_ = new QPushButton(tr("Edit"), this);
  extEdit_->setObjectName("bIndExDatEdit");
  extRow->addWidget(extCaption_, 1);
  extRow->addWidget(extEdit_);
  l->addLayout(extRow);

  connect(content_, &QLineEdit::textEdited, this, [this](const QString& t) {
    if (loaded())
      ws_.index.edit(ChangeNotice::rows(IndexPart::Content, 0), [&](IndexFile& m) { setContentProvider(m, t.toLatin1().toStdString()); });
  });
  for (IndexEntryBox* box : {fpb_, tm_}) {
    connect(box, &IndexEntryBox::edited, this, &TitlesView::countersChanged);
    connect(box, &IndexEntryBox::movieObjectChosen, this, &TitlesView::movieObjectChosen);
  }
  connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
    if (!showing_ && row != previous) titleClicked(row);
  });
  connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int) {
    if (!showing_) titleClicked(row);
  });
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { titleDoubleClicked(row); });
  connect(titleNo_, &QComboBox::activated, this, &TitlesView::titleNoChosen);
  connect(titleObjectType_, &QComboBox::activated, this, &TitlesView::objectTypeChosen);
  connect(titleAccessType_, &QComboBox::activated, this, &TitlesView::accessTypeChosen);
  connect(titlePlaybackType_, &QComboBox::activated, this, &TitlesView::playbackTypeChosen);
  connect(titleObject_, &QComboBox::activated, this, &TitlesView::objectChosen);
  connect(titleBdjObject_, &QComboBox::activated, this, &TitlesView::fileChosen);
  connect(ins_, &QToolButton::clicked, this, &TitlesView::insertTitle);
  connect(del_, &QToolButton::clicked, this, &TitlesView::deleteTitles);
  connect(extEdit_, &QPushButton::clicked, this, &TitlesView::indexExtDataClicked);
  // Edits made elsewhere: deleting movie objects changes title references;
  // the object choices follow the object count.
  connect(new DocumentSignals(ws_.index, this), &DocumentSignals::changed, this, [this](const ChangeNotice& n) {
    if (n.cause == ChangeNotice::Cause::Edit && n.names(IndexPart::Titles)) rewriteRows();
  });
  connect(new DocumentSignals(ws_.mobj, this), &DocumentSignals::changed, this, [this](const ChangeNotice& n) {
    if (n.cause == ChangeNotice::Cause::Edit && n.countChanged && n.names(MovieObjectPart::Objects))
      setObjectCount(int(ws_.mobj.model().movieObjects.objects.size()));
  });

  refresh();
}

bool TitlesView::loaded() const { return ws_.index.loaded(); }

void TitlesView::refresh() {
  const bool on = loaded();
  const int objects = ws_.mobj.loaded() ? int(ws_.mobj.model().movieObjects.objects.size()) : 0;
  const QStringList bdjNames = itemTexts(ws_.disc.bdjos);

  content_->setText(on ? discText(ws_.index.model().contentProviderData) : QString());
  content_->setEnabled(on);
  for (IndexEntryBox* box : {fpb_, tm_}) {
    box->setEntry(nullptr, EntrySlot::FirstPlayback);
    box->setBdjNames(bdjNames);
    box->setObjectCount(objects);
  }
  if (on) {
    fpb_->setEntry(&ws_.index, EntrySlot::FirstPlayback);
    tm_->setEntry(&ws_.index, EntrySlot::TopMenu);
  }
  setComboItems(titleObject_, {});
  setNumberItems(titleObject_, objects);
  setComboItems(titleBdjObject_, bdjNames, bdjNames.isEmpty() ? -1 : 0);
  fillGrid();
  extCaption_->setText(on ? discText(extensionDataCaption(ws_.index.model().extensionData)) : QString());
  extEdit_->setEnabled(on);
  ins_->setEnabled(on);
  if (on && !ws_.index.model().indexes.titles.empty()) selectTitle(0);
  else showTitle(-1);
}

void TitlesView::setObjectCount(int objectCount) {
  setNumberItems(titleObject_, objectCount);
  fpb_->setObjectCount(objectCount);
  tm_->setObjectCount(objectCount);
  showTitle(selectedTitle());
}

void TitlesView::fillGrid(int from) {
  showing_ = true;
  const auto& titles = ws_.index.model().indexes.titles;
  const int n = loaded() ? int(titles.size()) : 0;
  grid_->setDataRowCount(n);
  for (int i = std::max(0, from); i < n; ++i) rewriteRow(i);
  grid_->fitColumnsToContents();
  setComboItems(titleNo_, itemTexts(titleNumberTexts(std::size_t(n))));
  showing_ = false;
}

void TitlesView::rewriteRows() {
  const int n = loaded() ? int(ws_.index.model().indexes.titles.size()) : 0;
  for (int i = 0; i < n && i < grid_->dataRowCount(); ++i) rewriteRow(i);
  grid_->fitColumnsToContents();
  showTitle(selectedTitle());
}

void TitlesView::rewriteRow(int i) { setGridRow(grid_, i, titleRow(ws_.index.model(), std::size_t(i))); }

int TitlesView::selectedTitle() const {
  const int i = titleNo_->currentIndex();
  return loaded() && i >= 0 && std::size_t(i) < ws_.index.model().indexes.titles.size() ? i : -1;
}

void TitlesView::selectTitle(int i) {
  if (!loaded() || i < 0 || std::size_t(i) >= ws_.index.model().indexes.titles.size()) return;
  titleClicked(i);
}

// A click on a title row (or moving onto it with the keys): the title
// editors show it, and an HDMV title's movie object is selected.
void TitlesView::titleClicked(int row) {
  if (!loaded() || row < 0 || std::size_t(row) >= ws_.index.model().indexes.titles.size()) return;
  showTitle(row);
  const IndexTitle& t = ws_.index.model().indexes.titles[std::size_t(row)];
  const std::size_t objects = ws_.mobj.model().movieObjects.objects.size();
  if (namesMovieObject(t.objectType) && t.movieObjectReference < objects) emit movieObjectChosen(t.movieObjectReference);
}

void TitlesView::titleDoubleClicked(int row) {
  if (!loaded() || row < 0 || std::size_t(row) >= ws_.index.model().indexes.titles.size()) return;
  if (namesMovieObject(ws_.index.model().indexes.titles[std::size_t(row)].objectType)) return;
  const QString name = titleBdjObject_->currentText();
  if (!name.isEmpty()) emit bdjObjectRequested(name);
}

void TitlesView::showTitle(int i) {
  showing_ = true;
  if (i < 0) {
    for (QComboBox* cb : {titleNo_, titleObjectType_, titleAccessType_, titlePlaybackType_, titleObject_}) showComboItem(cb, -1);
  } else {
    const IndexTitle& t = ws_.index.model().indexes.titles[std::size_t(i)];
    const bool hdmv = objectTypeItem(t.objectType) == 0;
    showComboItem(titleNo_, i);
    showComboItem(titleObjectType_, objectTypeItem(t.objectType));
    showComboItem(titleAccessType_, accessTypeItem(t.accessType & 3));
    showComboItem(titlePlaybackType_, playbackTypeItem(t.playbackType));
    showComboItem(titleObject_, t.movieObjectReference < titleObject_->count() ? t.movieObjectReference : -1);
    // A BD-J title shows its own name; an HDMV title leaves the choice as is.
    if (!hdmv) showComboItem(titleBdjObject_, titleBdjObject_->findText(discText(t.bdjObjectName)));
    else if (titleBdjObject_->currentIndex() < 0 && titleBdjObject_->count() > 0) showComboItem(titleBdjObject_, 0);
    if (grid_->currentRow() != i || grid_->selectedRowRange().first != i) grid_->selectDataRow(i);
  }
  showing_ = false;
  enableEditors();
}

void TitlesView::enableEditors() {
  const int i = selectedTitle();
  const bool has = i >= 0;
  const bool hdmv = has && namesMovieObject(ws_.index.model().indexes.titles[std::size_t(i)].objectType);
  titleNo_->setEnabled(has);
  // The object type can only become BD-J when the disc has BD-J objects.
  titleObjectType_->setEnabled(has && !ws_.disc.bdjos.empty());
  titleAccessType_->setEnabled(has);
  titlePlaybackType_->setEnabled(has);
  titleObject_->setEnabled(has && hdmv);
  titleBdjObject_->setEnabled(has && !hdmv);
  del_->setEnabled(loaded() && !ws_.index.model().indexes.titles.empty());
}

void TitlesView::titleNoChosen(int item) { selectTitle(item); }

// What the type choice shows is what the title holds: switching to BD-J
// takes the name shown, switching to HDMV the object number shown.
void TitlesView::objectTypeChosen(int item) {
  const int t = selectedTitle();
  const auto type = valueOfItem(kObjectTypeValues, item);
  if (t < 0 || !type) return;
  TypeSwitch s{*type, std::nullopt, std::nullopt};
  if (titleBdjObject_->currentIndex() >= 0) s.bdjName = titleBdjObject_->currentText().toLatin1().toStdString();
  if (titleObject_->currentIndex() >= 0) s.object = std::uint16_t(titleObject_->currentIndex());
  ws_.index.edit(ChangeNotice::rows(IndexPart::Titles, std::size_t(t)),
                 [&](IndexFile& m) { switchTitleObjectType(m, std::size_t(t), s); });
  rewriteRow(t);
  showTitle(t);
}

void TitlesView::accessTypeChosen(int item) {
  const int t = selectedTitle();
  const auto type = valueOfItem(kAccessTypeValues, item);
  if (t < 0 || !type) return;
  ws_.index.edit(ChangeNotice::rows(IndexPart::Titles, std::size_t(t)), [&](IndexFile& m) { setTitleAccessType(m, std::size_t(t), *type); });
  rewriteRow(t);
}

void TitlesView::playbackTypeChosen(int item) {
  const int t = selectedTitle();
  const auto type = valueOfItem(kPlaybackTypeValues, item);
  if (t < 0 || !type) return;
  ws_.index.edit(ChangeNotice::rows(IndexPart::Titles, std::size_t(t)), [&](IndexFile& m) { setTitlePlaybackType(m, std::size_t(t), *type); });
  rewriteRow(t);
}

void TitlesView::objectChosen(int item) {
  const int t = selectedTitle();
  if (t < 0 || item < 0) return;
  ws_.index.edit(ChangeNotice::rows(IndexPart::Titles, std::size_t(t)), [&](IndexFile& m) { setTitleObject(m, std::size_t(t), std::uint16_t(item)); });
  rewriteRow(t);
  emit movieObjectChosen(item);
}

void TitlesView::fileChosen(int item) {
  const int t = selectedTitle();
  if (t < 0 || item < 0) return;
  const std::string name = titleBdjObject_->currentText().toLatin1().toStdString();
  ws_.index.edit(ChangeNotice::rows(IndexPart::Titles, std::size_t(t)), [&](IndexFile& m) { setTitleBdjName(m, std::size_t(t), name); });
  rewriteRow(t);
}

void TitlesView::insertTitle() {
  if (!loaded()) return;
  const int selected = selectedTitle();
  const std::size_t pos = selected >= 0 ? std::size_t(selected) + 1 : 0;
  if (!ws_.index.edit(ChangeNotice::resized(IndexPart::Titles, pos), [&](IndexFile& m) { return mirdal::insertTitle(m, pos); })) {
    guiReporter().logAndStatus("An index holds at most " + std::to_string(kMaxTitles) + " titles.");
    return;
  }
  fillGrid(int(pos));
  selectTitle(int(pos));
  emit countersChanged();
  emit titlesChanged();
}

void TitlesView::deleteTitles() {
  if (loaded() && !ws_.index.model().indexes.titles.empty()) {
    auto [first, last] = grid_->selectedRowRange();
    if (first < 0) first = last = selectedTitle();
    if (first >= 0) {
      const std::size_t next = ws_.index.edit(ChangeNotice::resized(IndexPart::Titles, std::size_t(first)), [&](IndexFile& m) {
        return mirdal::deleteTitles(m, std::size_t(first), std::size_t(last));
      });
      fillGrid(first);
      if (next == kNoSelection) showTitle(-1);
      else selectTitle(int(next));
      emit titlesChanged();
    }
  }
  emit countersChanged();
}

void TitlesView::indexExtDataClicked() {
  if (!loaded()) return;
  ExtensionData copy = ws_.index.model().extensionData;
  if (!editExtensionData(this, ia_, ws_.options.outputFolder, ws_.names().index, copy)) return;
  ws_.index.edit(ChangeNotice::rows(IndexPart::ExtensionData, 0), [&](IndexFile& m) { applyExtensionData(m, copy); });
  extCaption_->setText(discText(extensionDataCaption(ws_.index.model().extensionData)));
}

bool TitlesView::eventFilter(QObject* watched, QEvent* e) {
  if (watched == grid_ && e->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key == Qt::Key_Insert) {
      insertTitle();
      return true;
    }
    if (key == Qt::Key_Delete) {
      deleteTitles();
      return true;
    }
  }
  return QWidget::eventFilter(watched, e);
}

}  // namespace mirdal::gui
