#include "views/playlist/playlist_items_view.h"

#include <QHBoxLayout>

#include "documents/workspace.h"
#include "present/mpls_cells.h"
#include "formats/playlist/mpls_edit.h"
#include "present/mpls_rows.h"
#include "views/common/document_signals.h"
#include "views/common/grid_rows.h"
#include "views/common/interaction.h"
#include "views/playlist/playlist_view_support.h"
#include "views/common/text.h"

namespace mirdal::gui {

namespace {

// Edit masks: '9' a digit, 'N' a letter or digit, '>' upper case.
constexpr const char* kClipMask = "99999";
constexpr const char* kWordMask = ">NNNNNNNN";

InTimeAnswers askInTimeQuestions(Interaction& ia, const std::vector<std::string>& questions) {
  InTimeAnswers a;
  for (const std::string& q : questions) {
    const bool yes = ia.ask(QString::fromLatin1(q.c_str()), Choices::YesNo) == Answer::Yes;
    if (q == kAskMoveOut) a.moveOut = yes;
    else if (q == kAskMoveSubPlayItems) a.moveSubPlayItems = yes;
    else if (q == kAskMoveMarks) a.moveMarks = yes;
  }
  return a;
}

}  // namespace

PlaylistItemsView::PlaylistItemsView(mirdal::Workspace& ws, Interaction& ia, QWidget* parent)
    : QWidget(parent), ws_(ws), ia_(ia) {
  setObjectName("vPlayItems");
  auto* l = new QHBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(4);

  items_ = new StringGrid("sgPLitem", this);
  items_->setColumns(gridColumns(kPlayItemColumns));
  items_->setFixedFirstColumn(true);
  items_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  items_->setToolTip(tr("PlayItems (Double click: Jump to Clip)"));
  items_->setEditModeKind(EditModeKind::CellSelectFirstColumn);
  items_->setOffersModeMenu(true);
  using C = PlayItemColumn;
  items_->setColumnEditMask(int(C::File), kClipMask);
  items_->setColumnEditMask(int(C::InTime), kTimeMask);
  items_->setColumnEditMask(int(C::OutTime), kTimeMask);
  items_->setColumnEditMask(int(C::UO1), kWordMask);
  items_->setColumnEditMask(int(C::UO2), kWordMask);

  angles_ = new StringGrid("sgPIangles", this);
  angles_->setColumns(gridColumns(kAngleColumns));
  angles_->setFixedFirstColumn(true);
  angles_->setWidthFollowsColumns(true);
  angles_->setToolTip(tr("Angles (Double click: Jump to Clip)"));
  angles_->hide();

  l->addWidget(items_);
  l->addWidget(angles_);
  l->addStretch(1);

  connect(items_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
    if (!showing_ && row != shown_) showPlayItem(row);
  });
  connect(items_, &StringGrid::cellEdited, this, &PlaylistItemsView::cellEdited);
  connect(items_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    const auto& pis = ws_.playlist.model().playlist.items;
    if (!items_->isEditMode() && row >= 0 && std::size_t(row) < pis.size())
      emit clipRequested(discText(pis[std::size_t(row)].clipName));
  });
  connect(angles_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    const int i = selectedPlayItem();
    if (i < 0) return;
    const auto& angles = ws_.playlist.model().playlist.items[std::size_t(i)].angles.angles;
    if (row >= 0 && std::size_t(row) < angles.size()) emit clipRequested(discText(angles[std::size_t(row)].clipName));
  });
  connect(new DocumentSignals(ws_.playlist, this), &DocumentSignals::changed, this, [this](const ChangeNotice& n) {
    if (n.cause == ChangeNotice::Cause::Load) {
      refresh();
      return;
    }
    // Undo shows the PlayItem it changed, or whose streams it changed.
    if (const int row = undoneRow(n, PlaylistPart::PlayItems); row >= 0) shown_ = row;
    else if (undoneRow(n, PlaylistPart::Streams) >= 0 && n.parent != kNoRow) shown_ = int(n.parent);
    sync();
  });
  refresh();
}

int PlaylistItemsView::selectedPlayItem() const {
  const auto n = ws_.playlist.loaded() ? ws_.playlist.model().playlist.items.size() : 0;
  return shown_ >= 0 && std::size_t(shown_) < n ? shown_ : -1;
}

void PlaylistItemsView::selectPlayItem(int i) {
  showing_ = true;
  items_->selectDataRow(i);
  showing_ = false;
  showPlayItem(i);
}

void PlaylistItemsView::refresh() {
  shown_ = -1;
  if (items_->isEditMode()) items_->setEditMode(false);
  sync();
  items_->fitColumnsToContents();
  // In a narrow window the grid keeps its clip and times in sight; the
  // masks and the angle count scroll.
  setFlexibleWidth(items_, int(PlayItemColumn::Length));
}

void PlaylistItemsView::sync() {
  const Playlist& m = ws_.playlist.model();
  const int n = ws_.playlist.loaded() ? int(m.playlist.items.size()) : 0;
  showing_ = true;
  const int row = fillRows(items_, n, [&](int i) { setGridRow(items_, i, playItemRow(m, std::size_t(i))); },
                           shown_ >= 0 ? shown_ : 0);
  showing_ = false;
  showPlayItem(row);
}

// The selection chain's first link: the angles of the PlayItem, then its
// STN table (playItemSelected).
void PlaylistItemsView::showPlayItem(int i) {
  const auto& pis = ws_.playlist.model().playlist.items;
  if (!ws_.playlist.loaded() || i < 0 || std::size_t(i) >= pis.size()) i = -1;
  shown_ = i;
  const PlayItem* pi = i >= 0 ? &pis[std::size_t(i)] : nullptr;
  const bool multi = pi && pi->isMultiAngle && !pi->angles.angles.empty();
  if (multi) {
    fillRows(angles_, int(pi->angles.angles.size()), [&](int a) { setGridRow(angles_, a, angleRow(*pi, std::size_t(a))); });
    angles_->fitColumnsToContents();
  } else {
    angles_->clearGrid();
  }
  angles_->setVisible(multi);
  emit playItemSelected(i);
}

void PlaylistItemsView::cellEdited(int row, int column, const QString& text) {
  // A question's dialog takes the focus from the cell editor, which then
  // hands in its text once more: that second hand-in is the same edit.
  if (editing_ || !ws_.playlist.loaded() || row < 0 || std::size_t(row) >= ws_.playlist.model().playlist.items.size())
    return;
  editing_ = true;
  const std::string typed = text.toLatin1().toStdString();
  const auto col = PlayItemColumn(column);
  InTimeAnswers answers;
  if (col == PlayItemColumn::InTime && typed.size() == 12) {
    if (const auto t = parsePlaylistTime(typed))
      answers = askInTimeQuestions(ia_, inTimeQuestions(ws_.playlist.model(), std::size_t(row), *t));
  }
  ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::PlayItems, std::size_t(row)),
                    [&](Playlist& m) { return editPlayItemCell(m, std::size_t(row), col, typed, answers); });
  // A refused text, and the columns that only redraw, show the model again.
  setGridRow(items_, row, playItemRow(ws_.playlist.model(), std::size_t(row)));
  editing_ = false;
}

}  // namespace mirdal::gui
