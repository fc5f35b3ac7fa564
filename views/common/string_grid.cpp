#include "views/common/string_grid.h"

#include <QActionGroup>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelection>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <algorithm>

#include "views/common/ui_metrics.h"

namespace mirdal::gui {

StringGridDelegate::StringGridDelegate(StringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

QWidget* StringGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const {
  if (!grid_->isEditMode() || index.column() < grid_->firstDataColumn() ||
      index.row() >= grid_->dataRowCount())
    return nullptr;
  auto* e = new QLineEdit(parent);
  e->setFrame(false);
  const QString mask = grid_->editMask(index.row(), index.column());
  if (!mask.isEmpty()) e->setInputMask(mask);
  return e;
}

// The typed text goes to the owner, never into the cell: the owner stores
// what it accepts and rewrites the row, so a refused text disappears.
void StringGridDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
  auto* e = qobject_cast<QLineEdit*>(editor);
  if (!e) return;
  const QString text = e->text();
  if (text == grid_->cell(index.row(), index.column())) return;
  emit grid_->cellEdited(index.row(), index.column(), text);
}

StringGrid::StringGrid(const QString& name, QWidget* parent) : QTableWidget(parent) {
  setObjectName(name);
  verticalHeader()->hide();
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setMinimumSectionSize(8);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setWordWrap(false);
  // Tab moves on to the next control; the arrow keys move between cells.
  setTabKeyNavigation(false);
  setItemDelegate(new StringGridDelegate(this));
  applyRowHeight();
  applyUnfocusedColours();
  setDataRowCount(0);
}

void StringGrid::setColumns(const QList<GridColumn>& columns) {
  columns_ = columns;
  setColumnCount(int(columns.size()));
  QStringList headers;
  for (const auto& c : columns) headers << c.header;
  setHorizontalHeaderLabels(headers);
  while (columnMasks_.size() < columns.size()) columnMasks_ << QString();
  for (int r = 0; r < rowCount(); ++r)
    for (int c = 0; c < columnCount(); ++c) ensureItem(r, c);
  applyColumnWidths();
}

void StringGrid::setFixedFirstColumn(bool on) {
  fixedFirst_ = on;
  for (int r = 0; r < rowCount(); ++r)
    if (auto* it = item(r, 0)) styleItem(it, 0);
}

void StringGrid::setLastColumnFills(bool on) {
  lastFills_ = on;
  horizontalHeader()->setStretchLastSection(on);
}

void StringGrid::setMultiRowSelect(bool on) {
  multiRow_ = on;
  setSelectionMode(on ? QAbstractItemView::ContiguousSelection : QAbstractItemView::SingleSelection);
}

void StringGrid::setDataRowCount(int n) {
  n = std::max(0, n);
  dataRows_ = n;
  setRowCount(std::max(1, n));
  for (int r = 0; r < rowCount(); ++r)
    for (int c = 0; c < columnCount(); ++c) ensureItem(r, c);
  if (n == 0) {
    for (int c = 0; c < columnCount(); ++c) item(0, c)->setText(QString());
    clearSelection();
  }
  setEnabled(n > 0);
}

QTableWidgetItem* StringGrid::ensureItem(int row, int column) {
  QTableWidgetItem* it = item(row, column);
  if (!it) {
    it = new QTableWidgetItem;
    styleItem(it, column);
    setItem(row, column, it);
  }
  return it;
}

// Fixed cells look like the header and take no part in selection or editing.
// Their colours are those of an enabled grid whenever they are made: rows
// made while the grid was empty (and so disabled) would stay grey.
void StringGrid::styleItem(QTableWidgetItem* it, int column) const {
  if (fixedFirst_ && column == 0) {
    it->setFlags(Qt::ItemIsEnabled);
    it->setBackground(palette().brush(QPalette::Active, QPalette::Button));
    it->setForeground(palette().brush(QPalette::Active, QPalette::ButtonText));
  } else {
    it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
    it->setData(Qt::BackgroundRole, QVariant());
    it->setData(Qt::ForegroundRole, QVariant());
  }
}

void StringGrid::setCell(int row, int column, const QString& text) {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return;
  ensureItem(row, column)->setText(text);
}

QString StringGrid::cell(int row, int column) const {
  const QTableWidgetItem* it = item(row, column);
  return it ? it->text() : QString();
}

void StringGrid::setRowTexts(int row, const QStringList& texts) {
  for (int c = 0; c < texts.size() && c < columnCount(); ++c) setCell(row, c, texts[c]);
}

void StringGrid::selectDataRow(int row) {
  if (row < 0 || row >= dataRows_) return;
  const int col = std::min(std::max(firstDataColumn(), selectionBehavior() == SelectItems ? currentColumn() : 0),
                           columnCount() - 1);
  // That row alone: a range the mouse began in a multi-row grid does not
  // stretch to it.
  const QItemSelectionModel::SelectionFlags rows =
      selectionBehavior() == SelectRows ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate;
  selectionModel()->setCurrentIndex(model()->index(row, col), QItemSelectionModel::ClearAndSelect | rows);
  scrollToItem(item(row, col));
}

QPair<int, int> StringGrid::selectedRowRange() const {
  if (dataRows_ == 0) return {-1, -1};
  int first = -1, last = -1;
  for (const QModelIndex& i : selectionModel()->selectedIndexes()) {
    if (first < 0 || i.row() < first) first = i.row();
    if (last < 0 || i.row() > last) last = i.row();
  }
  if (first < 0 && currentRow() >= 0) first = last = currentRow();
  return {first, last};
}

void StringGrid::setEditMode(bool on) {
  if (on == editMode_) return;
  editMode_ = on;
  const QModelIndex current = currentIndex();
  if (on) {
    if (editKind_ == EditModeKind::EditableOnly) {
      setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed | SelectedClicked);
    } else {
      const auto [first, last] = selectedRowRange();
      const int col = editKind_ == EditModeKind::CellSelectFirstColumn
                          ? firstDataColumn()
                          : std::max(firstDataColumn(), current.isValid() ? current.column() : 0);
      setSelectionBehavior(SelectItems);
      setEditTriggers(AllEditTriggers);  // the editor opens on the current cell
      clearSelection();
      if (first >= 0 && col < columnCount()) {
        const int lastRow = editKind_ == EditModeKind::CellSelectFirstColumn ? last : first;
        selectionModel()->setCurrentIndex(model()->index(first, col), QItemSelectionModel::NoUpdate);
        selectionModel()->select(QItemSelection(model()->index(first, col), model()->index(lastRow, col)),
                                 QItemSelectionModel::Select);
        if (state() != EditingState) edit(currentIndex());
      }
    }
  } else {
    // Moving the current index away and back commits and closes an open editor.
    setCurrentIndex(QModelIndex());
    setEditTriggers(NoEditTriggers);
    if (editKind_ != EditModeKind::EditableOnly) setSelectionBehavior(SelectRows);
    if (current.isValid()) {
      setCurrentIndex(current);
      if (selectionBehavior() == SelectRows) selectRow(current.row());
    }
  }
  emit editModeChanged(on);
}

QMenu* StringGrid::modeMenu() {
  if (!menu_) {
    menu_ = new QMenu(this);
    menu_->setObjectName("pmEditMode");
    auto* group = new QActionGroup(menu_);
    editModeAction_ = menu_->addAction(tr("Edit mode"));
    editModeAction_->setObjectName("miEdit");
    readOnlyAction_ = menu_->addAction(tr("Read only"));
    readOnlyAction_->setObjectName("miReadonly");
    for (QAction* a : {editModeAction_, readOnlyAction_}) {
      a->setCheckable(true);
      group->addAction(a);
    }
    connect(editModeAction_, &QAction::triggered, this, [this] { setEditMode(true); });
    connect(readOnlyAction_, &QAction::triggered, this, [this] { setEditMode(false); });
  }
  editModeAction_->setChecked(editMode_);
  readOnlyAction_->setChecked(!editMode_);
  return menu_;
}

QAction* StringGrid::editModeAction() {
  modeMenu();
  return editModeAction_;
}

QAction* StringGrid::readOnlyAction() {
  modeMenu();
  return readOnlyAction_;
}

void StringGrid::contextMenuEvent(QContextMenuEvent* e) {
  if (!offersMenu_) {
    QTableWidget::contextMenuEvent(e);
    return;
  }
  setFocus(Qt::PopupFocusReason);
  modeMenu()->popup(e->globalPos());
  e->accept();
}

void StringGrid::setColumnEditMask(int column, const QString& mask) {
  while (columnMasks_.size() <= column) columnMasks_ << QString();
  columnMasks_[column] = mask;
}

QString StringGrid::editMask(int row, int column) const {
  if (maskFn_) return maskFn_(row, column);
  return column < columnMasks_.size() ? columnMasks_[column] : QString();
}

int StringGrid::baseColumnWidth(int column) const {
  const QHeaderView* h = horizontalHeader();
  const int margin = h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
  const int header = QFontMetrics(h->font()).horizontalAdvance(columns_[column].header) + 2 * margin + 2;
  return std::max(px(this, columns_[column].width), header);
}

void StringGrid::applyColumnWidths() {
  for (int c = 0; c < columns_.size(); ++c) setColumnWidth(c, baseColumnWidth(c));
  followColumns();
}

void StringGrid::fitColumnsToContents() {
  for (int c = 0; c < columns_.size(); ++c) {
    if (lastFills_ && c == columns_.size() - 1) break;
    int w = baseColumnWidth(c);
    if (dataRows_ > 0) w = std::max(w, sizeHintForColumn(c));
    setColumnWidth(c, w);
  }
  followColumns();
}

void StringGrid::setWidthFollowsColumns(bool on) {
  widthFollows_ = on;
  if (on) setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  followColumns();
}

void StringGrid::followColumns() {
  if (!widthFollows_) return;
  int w = 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  for (int c = 0; c < columnCount(); ++c) w += columnWidth(c);
  setFixedWidth(w);
}

void StringGrid::applyRowHeight() {
  const int h = fontMetrics().height() + 4;
  verticalHeader()->setMinimumSectionSize(h);
  verticalHeader()->setDefaultSectionSize(h);
}

// A grid without the focus draws its cells as in an inactive window; that
// colour group gets a selection halfway between highlight and background.
void StringGrid::applyUnfocusedColours() {
  QPalette p = palette();
  const QColor on = p.color(QPalette::Active, QPalette::Highlight);
  const QColor base = p.color(QPalette::Active, QPalette::Base);
  const QColor half((on.red() + base.red()) / 2, (on.green() + base.green()) / 2, (on.blue() + base.blue()) / 2);
  p.setColor(QPalette::Inactive, QPalette::Highlight, half);
  p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::Text));
  setPalette(p);
}

void StringGrid::initViewItemOption(QStyleOptionViewItem* option) const {
  QTableWidget::initViewItemOption(option);
  // The grid keeps the focus while one of its cells is edited.
  const QWidget* focus = QApplication::focusWidget();
  if (!focus || (focus != this && !isAncestorOf(focus))) option->state &= ~QStyle::State_Active;
}

void StringGrid::focusInEvent(QFocusEvent* e) {
  QTableWidget::focusInEvent(e);
  viewport()->update();
}

void StringGrid::focusOutEvent(QFocusEvent* e) {
  QTableWidget::focusOutEvent(e);
  viewport()->update();
}

void StringGrid::changeEvent(QEvent* e) {
  QTableWidget::changeEvent(e);
  if (e->type() == QEvent::FontChange) {
    applyRowHeight();
    applyColumnWidths();
  } else if (e->type() == QEvent::PaletteChange && fixedFirst_) {
    for (int r = 0; r < rowCount(); ++r)
      if (auto* it = item(r, 0)) styleItem(it, 0);
  }
}

}  // namespace mirdal::gui
