#include "views/playlist/playlist_subpath_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/report.h"
#include "documents/workspace.h"
#include "present/mpls_cells.h"
#include "formats/playlist/mpls_edit.h"
#include "present/mpls_rows.h"
#include "present/stream_texts.h"
#include "present/playlist_rules.h"
#include "views/common/combo_fill.h"
#include "views/common/document_signals.h"
#include "views/common/grid_rows.h"
#include "views/common/named_controls.h"
#include "views/playlist/playlist_view_support.h"
#include "views/common/text.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

PlaylistSubPathView::PlaylistSubPathView(mirdal::Workspace& ws, QWidget* parent) : QWidget(parent), ws_(ws) {
  setObjectName("vSubPaths");
  auto* l = new QHBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(4);

  auto* left = new QVBoxLayout;
  left->setSpacing(2);
  subPaths_ = new StringGrid("sgSubPath", this);
  subPaths_->setColumns(gridColumns(kSubPathColumns));
  subPaths_->setFixedFirstColumn(true);
  subPaths_->setWidthFollowsColumns(true);
  subPaths_->setToolTip(tr("SubPath"));
  left->addWidget(subPaths_, 1);
  auto* choices = new QHBoxLayout;
  choices->setSpacing(2);
  type_ = namedChoice("cbSubPathType", QString(), this);
  type_->addItems(itemTexts(subPathTypeItems()));
  repeat_ = namedChoice("cbSubPathRepeat", tr("Repeat the SubPath (browsable slideshow audio)"), this);
  repeat_->addItems({tr("No"), tr("Yes")});
  ins_ = smallButton("bSubPathIns", QStringLiteral("+"), tr("Insert SubPath"), this);
  del_ = smallButton("bSubPathDel", QStringLiteral("-"), tr("Delete SubPath"), this);
  choices->addWidget(type_);
  choices->addWidget(repeat_);
  choices->addWidget(ins_);
  choices->addWidget(del_);
  choices->addStretch(1);
  left->addLayout(choices);
  l->addLayout(left);

  items_ = new StringGrid("sgSubPlayItem", this);
  items_->setColumns(gridColumns(kSubPlayItemColumns));
  items_->setFixedFirstColumn(true);
  items_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  items_->setToolTip(tr("SubPlayItems (Double click: Jump to Clip)"));
  items_->setEditModeKind(EditModeKind::CellSelectFirstColumn);
  items_->setOffersModeMenu(true);
  using C = SubPlayItemColumn;
  items_->setColumnEditMask(int(C::File), QStringLiteral("99999"));
  items_->setColumnEditMask(int(C::Conn), QStringLiteral("9"));
  items_->setColumnEditMask(int(C::Multi), QStringLiteral(">A"));
  items_->setColumnEditMask(int(C::STC), QStringLiteral("999"));
  items_->setColumnEditMask(int(C::InTime), kTimeMask);
  items_->setColumnEditMask(int(C::OutTime), kTimeMask);
  items_->setColumnEditMask(int(C::SyncPI), QStringLiteral("999"));
  items_->setColumnEditMask(int(C::SyncPTS), kTimeMask);
  l->addWidget(items_);

  clips_ = new StringGrid("sgAngles", this);
  clips_->setColumns(gridColumns(kAngleColumns));
  clips_->setFixedFirstColumn(true);
  clips_->setWidthFollowsColumns(true);
  clips_->setToolTip(tr("Angles (Double click: Jump to Clip)"));
  clips_->hide();
  l->addWidget(clips_);
  l->addStretch(1);

  // The pane may be as low as its minimum: the grids then show a row and
  // scroll.
  for (StringGrid* g : {subPaths_, items_, clips_}) g->setMinimumHeight(g->fontMetrics().height() * 3);

  connect(subPaths_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
    if (!showing_ && row != subPath_) showSubPath(row);
  });
  connect(items_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
    if (!showing_ && row != item_) showSubPlayItem(row);
  });
  connect(items_, &StringGrid::cellEdited, this, &PlaylistSubPathView::cellEdited);
  connect(items_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (items_->isEditMode() || subPath_ < 0) return;
    const auto& spis = ws_.playlist.model().playlist.subpaths[std::size_t(subPath_)].items;
    if (row >= 0 && std::size_t(row) < spis.size()) emit clipRequested(discText(spis[std::size_t(row)].clipName));
  });
  connect(clips_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (subPath_ < 0 || item_ < 0) return;
    const auto& clips = ws_.playlist.model().playlist.subpaths[std::size_t(subPath_)].items[std::size_t(item_)].clips;
    if (row >= 0 && std::size_t(row) < clips.size()) emit clipRequested(discText(clips[std::size_t(row)].clipName));
  });
  connect(type_, &QComboBox::activated, this, &PlaylistSubPathView::typeChosen);
  connect(repeat_, &QComboBox::activated, this, &PlaylistSubPathView::repeatChosen);
  connect(ins_, &QToolButton::clicked, this, &PlaylistSubPathView::insertSubPath);
  connect(del_, &QToolButton::clicked, this, &PlaylistSubPathView::deleteSubPath);
  new GridKeys(subPaths_, [this] { insertSubPath(); }, [this] { deleteSubPath(); });

  connect(new DocumentSignals(ws_.playlist, this), &DocumentSignals::changed, this, [this](const ChangeNotice& n) {
    if (n.cause == ChangeNotice::Cause::Load) {
      refresh();
      return;
    }
    if (const int row = undoneRow(n, PlaylistPart::SubPaths); row >= 0) {
      subPath_ = row;
      item_ = 0;
    } else if (const int item = undoneRow(n, PlaylistPart::SubPlayItems); item >= 0 && n.parent != kNoRow) {
      subPath_ = int(n.parent);
      item_ = item;
    }
    sync();
  });
  refresh();
}

void PlaylistSubPathView::refresh() {
  subPath_ = -1;
  item_ = -1;
  if (items_->isEditMode()) items_->setEditMode(false);
  sync();
  subPaths_->fitColumnsToContents();
  items_->fitColumnsToContents();
  setFlexibleWidth(items_, int(SubPlayItemColumn::OutTime) + 1);
}

void PlaylistSubPathView::selectSubPath(int i) {
  showing_ = true;
  subPaths_->selectDataRow(i);
  showing_ = false;
  showSubPath(i);
}

void PlaylistSubPathView::sync() {
  const bool on = ws_.playlist.loaded();
  const auto& sps = ws_.playlist.model().playlist.subpaths;
  const int n = on ? int(sps.size()) : 0;
  showing_ = true;
  const int row = fillRows(subPaths_, n, [&](int i) { setGridRow(subPaths_, i, subPathRow(sps[std::size_t(i)], std::size_t(i))); },
                           std::max(subPath_, 0));
  showing_ = false;
  const int keepItem = row == subPath_ ? item_ : 0;
  subPath_ = row;
  ins_->setEnabled(on && sps.size() < kMaxSubPaths);
  del_->setEnabled(on && !sps.empty());
  showSubPath(row, std::max(keepItem, 0));
}

// A SubPath: its SubPlayItems (`item` selected), its type and repeat.
void PlaylistSubPathView::showSubPath(int i, int item) {
  const auto& sps = ws_.playlist.model().playlist.subpaths;
  if (!ws_.playlist.loaded() || i < 0 || std::size_t(i) >= sps.size()) i = -1;
  subPath_ = i;
  type_->setEnabled(i >= 0);
  if (i < 0) {
    showComboItem(type_, -1);
    showComboItem(repeat_, -1);
    repeat_->setEnabled(false);
    items_->clearGrid();
    showSubPlayItem(-1);
    return;
  }
  const SubPath& sp = sps[std::size_t(i)];
  showComboItem(type_, subPathTypeItem(sp.type));
  if (const std::string_view hint = subPathTypeHint(sp.type); !hint.empty()) type_->setToolTip(discText(hint));
  showComboItem(repeat_, sp.repeat != 0 ? 1 : 0);
  repeat_->setEnabled(subPathRepeatApplies(sp.type));
  showing_ = true;
  const int k = fillRows(items_, int(sp.items.size()),
                         [&](int r) { setGridRow(items_, r, subPlayItemRow(sp.items[std::size_t(r)], std::size_t(r))); }, item);
  showing_ = false;
  showSubPlayItem(k);
}

// A SubPlayItem: its multi-clip entries when it has them.
void PlaylistSubPathView::showSubPlayItem(int k) {
  const auto& sps = ws_.playlist.model().playlist.subpaths;
  const SubPlayItem* spi = nullptr;
  if (subPath_ >= 0 && k >= 0 && std::size_t(k) < sps[std::size_t(subPath_)].items.size())
    spi = &sps[std::size_t(subPath_)].items[std::size_t(k)];
  item_ = spi ? k : -1;
  if (spi && items_->currentRow() != k) {
    showing_ = true;
    items_->selectDataRow(k);
    showing_ = false;
  }
  const bool multi = spi && spi->isMultiClip && !spi->clips.empty();
  if (multi) {
    fillRows(clips_, int(spi->clips.size()), [&](int c) { setGridRow(clips_, c, multiClipRow(*spi, std::size_t(c))); });
    clips_->fitColumnsToContents();
  } else {
    clips_->clearGrid();
  }
  clips_->setVisible(multi);
}

void PlaylistSubPathView::typeChosen(int type) {
  if (subPath_ < 0 || type < 0) return;
  const auto row = std::size_t(subPath_);
  ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::SubPaths, row), [&](Playlist& m) { setSubPathType(m, row, std::uint8_t(type)); });
}

void PlaylistSubPathView::repeatChosen(int index) {
  if (subPath_ < 0 || index < 0) return;
  const auto row = std::size_t(subPath_);
  ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::SubPaths, row), [&](Playlist& m) { return setSubPathRepeat(m, row, index == 1); });
}

void PlaylistSubPathView::cellEdited(int row, int column, const QString& text) {
  if (subPath_ < 0) return;
  const auto sp = std::size_t(subPath_);
  const std::string typed = text.toLatin1().toStdString();
  ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::SubPlayItems, std::size_t(row), 1, sp), [&](Playlist& m) {
    return editSubPlayItemCell(m, sp, std::size_t(row), SubPlayItemColumn(column), typed);
  });
  // Refused text and the columns that only redraw show the model again.
  const auto& items = ws_.playlist.model().playlist.subpaths[sp].items;
  if (row >= 0 && std::size_t(row) < items.size()) setGridRow(items_, row, subPlayItemRow(items[std::size_t(row)], std::size_t(row)));
}

void PlaylistSubPathView::insertSubPath() {
  if (!ws_.playlist.loaded()) return;
  if (ws_.playlist.model().playlist.subpaths.size() >= kMaxSubPaths) {
    guiReporter().logAndStatus("A playlist holds at most " + std::to_string(kMaxSubPaths) + " SubPaths.");
    return;
  }
  const std::size_t after = subPath_ >= 0 ? std::size_t(subPath_) : kNoRow;
  const std::size_t row = ws_.playlist.edit(ChangeNotice::resized(PlaylistPart::SubPaths, after == kNoRow ? 0 : after + 1),
                                            [&](Playlist& m) { return mirdal::insertSubPath(m, after); });
  if (row != kNoRow) selectSubPath(int(row));
}

void PlaylistSubPathView::deleteSubPath() {
  if (!ws_.playlist.loaded() || subPath_ < 0) return;
  const auto row = std::size_t(subPath_);
  if (ws_.playlist.edit(ChangeNotice::resized(PlaylistPart::SubPaths, row), [&](Playlist& m) { return mirdal::deleteSubPath(m, row); })) {
    const int n = int(ws_.playlist.model().playlist.subpaths.size());
    selectSubPath(n == 0 ? -1 : std::min(int(row), n - 1));
  }
}

}  // namespace mirdal::gui
