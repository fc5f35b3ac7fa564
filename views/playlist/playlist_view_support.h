// What the views of the "&PLAYLIST" page share: filling a grid from the
// engine's rows while keeping the selected row, the row an Undo names, the
// Enter key that moves the focus on through a row of editors, and the grid
// keys Ins and Del.
#pragma once

#include <QEvent>
#include <QKeyEvent>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <limits>

#include "documents/document.h"
#include "views/common/string_grid.h"

namespace mirdal::gui {

// The edit mask of a time cell (h:mm:ss.mmm).
inline constexpr const char* kTimeMask = "99:99:99.999";

// Sets the grid to n rows, each written by row(i), and selects `select`
// (clamped to the rows; -1 keeps the row selected before, clamped). Returns
// the selected row, -1 when the grid is empty.
template <class RowFn>
int fillRows(StringGrid* g, int n, RowFn&& row, int select = -1) {
  const int was = g->currentRow();
  if (g->dataRowCount() != n) g->setDataRowCount(n);
  for (int i = 0; i < n; ++i) row(i);
  if (n == 0) return -1;
  const int want = std::clamp(select >= 0 ? select : std::max(was, 0), 0, n - 1);
  if (g->currentRow() != want || g->selectedRowRange().first < 0) g->selectDataRow(want);
  return want;
}

// The row of `collection` that an Undo or Redo gave back or took away: the
// view selects it (fillRows brings it into its rows), so the user sees what
// changed. -1 for any other notice.
inline int undoneRow(const ChangeNotice& n, PlaylistPart collection) {
  const bool step = n.cause == ChangeNotice::Cause::Undo || n.cause == ChangeNotice::Cause::Redo;
  if (!step || !n.names(collection) || n.first == kNoRow) return -1;
  return int(std::min<std::size_t>(n.first, std::size_t(std::numeric_limits<int>::max())));
}

// A wide grid that gives way in a narrow window: as wide as its columns
// while there is room, never narrower than its columns before `keepTo`,
// scrolling the rest. Call after the columns were fitted.
inline void setFlexibleWidth(StringGrid* g, int keepTo) {
  const int frame = 2 * g->frameWidth();
  int all = frame + g->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < g->columnCount(); ++c) all += g->columnWidth(c);
  int kept = frame;
  for (int c = 0; c < keepTo && c < g->columnCount(); ++c) kept += g->columnWidth(c);
  g->setMinimumWidth(kept);
  g->setMaximumWidth(all);
}

// Enter in one of the editors moves the focus to the next one of the list
// (the last one passes it to the first).
class EnterMovesFocus : public QObject {
 public:
  EnterMovesFocus(const QList<QWidget*>& order, QObject* parent) : QObject(parent) {
    for (QWidget* w : order) {
      order_ << w;
      w->installEventFilter(this);
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    const int i = int(order_.indexOf(static_cast<QWidget*>(watched)));
    if (i < 0) return false;
    // The editor handles its Enter first (it commits the value); then the
    // focus moves on to the next visible editor.
    QMetaObject::invokeMethod(
        this,
        [this, i] {
          for (int k = 1; k <= order_.size(); ++k) {
            QWidget* next = order_[(i + k) % order_.size()];
            if (next && next->isVisibleTo(next->window()) && next->isEnabled()) {
              next->setFocus(Qt::TabFocusReason);
              break;
            }
          }
        },
        Qt::QueuedConnection);
    return false;
  }

 private:
  QList<QPointer<QWidget>> order_;
};

// Ins and Del on a grid (and, when given, Ctrl+A).
class GridKeys : public QObject {
 public:
  GridKeys(StringGrid* grid, std::function<void()> ins, std::function<void()> del,
           std::function<void()> selectAll = {})
      : QObject(grid), ins_(std::move(ins)), del_(std::move(del)), all_(std::move(selectAll)) {
    grid->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    const auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Insert && ins_) ins_();
    else if (k->key() == Qt::Key_Delete && del_) del_();
    else if (k->key() == Qt::Key_A && k->modifiers() == Qt::ControlModifier && all_) all_();
    else return false;
    return true;
  }

 private:
  std::function<void()> ins_, del_, all_;
};

}  // namespace mirdal::gui
