#include "views/bdmv/objects_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/report.h"
#include "documents/bdmv_edits.h"
#include "documents/workspace.h"
#include "formats/bdmv/bdmv_edit.h"
#include "present/bdmv_rows.h"
#include "formats/common/ext_data_edit.h"
#include "views/common/combo_fill.h"
#include "views/common/document_signals.h"
#include "views/common/ext_data_dialog.h"
#include "views/common/grid_rows.h"
#include "views/common/ui_metrics.h"
#include "views/common/named_controls.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

ObjectsView::ObjectsView(mirdal::Workspace& ws, Interaction& ia, QWidget* parent)
    : QWidget(parent), ws_(ws), ia_(ia) {
  setObjectName("vObjects");
  auto* l = new QHBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(4);

  grid_ = new StringGrid("sgObject", this);
  grid_->setColumns(gridColumns(kObjectColumns));
  grid_->setToolTip(tr("Movie objects"));
  grid_->setMultiRowSelect(true);
  grid_->setWidthFollowsColumns(true);
  l->addWidget(grid_);

  // Three editors fit the default height of the pane.
  auto* flags = new QVBoxLayout;
  flags->setSpacing(1);
  resume_ = namedChoice("cbResume", tr("Resume"), this);
  menuCall_ = namedChoice("cbMenuCall", tr("Menu call"), this);
  titleSearch_ = namedChoice("cbTitleSearch", tr("Title search"), this);
  for (QComboBox* cb : {resume_, menuCall_, titleSearch_}) flags->addWidget(cb);
  flags->addStretch(1);
  l->addLayout(flags);

  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(1);
  ins_ = smallButton("bbObins", QStringLiteral("+"), tr("Insert movieobject"), this);
  del_ = smallButton("bbObdel", QStringLiteral("-"), tr("Delete movieobject"), this);
  buttons->addWidget(ins_);
  buttons->addWidget(del_);
  buttons->addStretch(1);
  l->addLayout(buttons);

  extPanel_ = new QWidget(this);
  auto* ext = new QVBoxLayout(extPanel_);
  ext->setContentsMargins(0, 0, 0, 0);
  ext->setSpacing(1);
  extCaption_ = new QLabel(extPanel_);
  extCaption_->setObjectName("lObjExtDat");
  extCaption_->setToolTip(tr("ExtensionData()"));
  extEdit_ = new QPushButton(tr("Edit"), extPanel_);
  extEdit_->setObjectName("bObjExtDatEdit");
  ext->addWidget(extCaption_);
  ext->addWidget(extEdit_, 0, Qt::AlignLeft);
  ext->addStretch(1);
  l->addWidget(extPanel_);
  l->addStretch(1);

  // The pane may be made lower than the editors beside the grid need: the
  // user chooses its height.
  setMinimumHeight(px(this, 40));

  connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
    if (!showing_ && row != previous) rowChanged(row);
  });
  connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int) {
    if (!showing_) rowChanged(row);
  });
  for (QComboBox* cb : {resume_, menuCall_, titleSearch_})
    connect(cb, &QComboBox::activated, this, [this, cb](int item) { flagChosen(cb, item); });
  connect(ins_, &QToolButton::clicked, this, &ObjectsView::insertObject);
  connect(del_, &QToolButton::clicked, this, &ObjectsView::deleteObjects);
  connect(extEdit_, &QPushButton::clicked, this, &ObjectsView::objectExtDataClicked);
  // Lines inserted into or deleted from a program: its row shows the count.
  connect(new DocumentSignals(ws_.mobj, this), &DocumentSignals::changed, this, [this](const ChangeNotice& n) {
    if (n.cause == ChangeNotice::Cause::Edit && n.names(MovieObjectPart::Commands) && n.parent != kNoRow)
      rewriteRow(int(n.parent));
  });

  refresh();
}

// Objects are edited only when both files are loaded: the index keeps the
// references that object edits maintain, and only then can they be saved.
bool ObjectsView::editable() const { return ws_.mobj.loaded() && ws_.index.loaded(); }

void ObjectsView::refresh() {
  const bool read = ws_.mobj.loaded();
  blank_.assign(read ? ws_.mobj.model().movieObjects.objects.size() : 0, false);
  for (std::size_t i = ws_.mobjObjectsInFile; i < blank_.size(); ++i) blank_[i] = true;
  setComboItems(resume_, read ? itemTexts(kResumeItems) : QStringList());
  setComboItems(menuCall_, read ? itemTexts(kMaskItems) : QStringList());
  setComboItems(titleSearch_, read ? itemTexts(kMaskItems) : QStringList());
  fillGrid();
  extCaption_->setText(read ? discText(extensionDataCaption(ws_.mobj.model().extensionData)) : QString());
  extEdit_->setEnabled(editable());
  ins_->setEnabled(editable());
  selected_ = -1;
  selectObject(read && !ws_.mobj.model().movieObjects.objects.empty() ? 0 : -1);
}

void ObjectsView::fillGrid(int from) {
  showing_ = true;
  const int n = ws_.mobj.loaded() ? int(ws_.mobj.model().movieObjects.objects.size()) : 0;
  grid_->setDataRowCount(n);
  for (int i = std::max(0, from); i < n; ++i) rewriteRow(i);
  grid_->fitColumnsToContents();
  // In the half-loaded state the objects are listed but cannot be used.
  if (!editable()) grid_->setEnabled(false);
  showing_ = false;
}

void ObjectsView::rewriteRow(int i) {
  if (i < 0 || std::size_t(i) >= ws_.mobj.model().movieObjects.objects.size() || i >= grid_->dataRowCount()) return;
  if (std::size_t(i) < blank_.size() && blank_[std::size_t(i)]) setGridRow(grid_, i, std::array<std::string, 5>{});
  else setGridRow(grid_, i, objectRow(ws_.mobj.model(), std::size_t(i)));
}

void ObjectsView::selectObject(int i) {
  const int n = ws_.mobj.loaded() ? int(ws_.mobj.model().movieObjects.objects.size()) : 0;
  if (i >= n) return;
  showing_ = true;
  if (i >= 0) grid_->selectDataRow(i);
  showing_ = false;
  selected_ = i;
  showFlags();
  emit movieObjectSelected(i);
}

void ObjectsView::rowChanged(int row) {
  if (row < 0 || row >= grid_->dataRowCount() || row == selected_) return;
  selected_ = row;
  showFlags();
  emit movieObjectSelected(row);
}

void ObjectsView::showFlags() {
  const bool has = selected_ >= 0;
  const bool blank = has && std::size_t(selected_) < blank_.size() && blank_[std::size_t(selected_)];
  if (has && !blank) {
    const MovieObject& o = ws_.mobj.model().movieObjects.objects[std::size_t(selected_)];
    showComboItem(resume_, o.resumeIntentionFlag & 1);
    showComboItem(menuCall_, o.menuCallMask & 1);
    showComboItem(titleSearch_, o.titleSearchMask & 1);
  } else {
    for (QComboBox* cb : {resume_, menuCall_, titleSearch_}) showComboItem(cb, -1);
  }
  for (QComboBox* cb : {resume_, menuCall_, titleSearch_}) cb->setEnabled(has && editable());
  del_->setEnabled(editable() && !ws_.mobj.model().movieObjects.objects.empty());
}

void ObjectsView::flagChosen(QComboBox* cb, int item) {
  if (selected_ < 0 || item < 0 || !editable()) return;
  const std::size_t o = std::size_t(selected_);
  const auto resume = valueOfItem(kResumeValues, item);
  const auto mask = valueOfItem(kMaskValues, item);
  if (!resume || !mask) return;
  ws_.mobj.edit(ChangeNotice::rows(MovieObjectPart::Objects, o), [&](MovieObjectFile& m) {
    if (cb == resume_) setResumeFlag(m, o, *resume);
    else if (cb == menuCall_) setMenuCallFlag(m, o, *mask);
    else setTitleSearchFlag(m, o, *mask);
  });
  if (o < blank_.size()) blank_[o] = false;
  rewriteRow(selected_);
}

void ObjectsView::insertObject() {
  if (!editable()) return;
  const std::size_t pos = selected_ >= 0 ? std::size_t(selected_) + 1 : 0;
  if (!ws_.mobj.edit(ChangeNotice::resized(MovieObjectPart::Objects, pos), [&](MovieObjectFile& m) { return insertMovieObject(m, pos); }))
    return;
  blank_.insert(blank_.begin() + std::ptrdiff_t(std::min(pos, blank_.size())), false);
  fillGrid(int(pos));
  emit objectCountChanged(int(ws_.mobj.model().movieObjects.objects.size()));
  selected_ = -1;
  selectObject(int(pos));
}

void ObjectsView::deleteObjects() {
  if (!editable() || ws_.mobj.model().movieObjects.objects.empty()) {
    emit objectCountChanged(int(ws_.mobj.model().movieObjects.objects.size()));
    return;
  }
  auto [first, last] = grid_->selectedRowRange();
  if (first < 0) first = last = selected_;
  if (first < 0) return;
  const ObjectDeletion d = deleteMovieObjects(ws_, std::size_t(first), std::size_t(last), guiReporter());
  const std::size_t removed = blank_.size() - std::min(blank_.size(), ws_.mobj.model().movieObjects.objects.size());
  if (std::size_t(first) < blank_.size())
    blank_.erase(blank_.begin() + first, blank_.begin() + std::ptrdiff_t(std::min(blank_.size(), std::size_t(first) + removed)));
  fillGrid(first);
  emit titleReferencesChanged();
  emit objectCountChanged(int(ws_.mobj.model().movieObjects.objects.size()));
  selected_ = -1;
  selectObject(d.select == kNoSelection ? -1 : int(d.select));
  // Listing the program of the object selected ends with "Ready."; the
  // error mark comes after it.
  if (!d.invalidTitles.empty()) guiReporter().setStatusError("See Status");
}

void ObjectsView::setExtensionDataShown(bool shown) { extPanel_->setVisible(shown); }

void ObjectsView::objectExtDataClicked() {
  if (!editable()) return;
  ExtensionData copy = ws_.mobj.model().extensionData;
  if (!editExtensionData(this, ia_, ws_.options.outputFolder, ws_.names().movieObject, copy)) return;
  ws_.mobj.edit(ChangeNotice::rows(MovieObjectPart::ExtensionData, 0), [&](MovieObjectFile& m) { applyExtensionData(m, copy); });
  extCaption_->setText(discText(extensionDataCaption(ws_.mobj.model().extensionData)));
}

}  // namespace mirdal::gui
