// The grid every page shows its records in.
//
// A header row with the column titles; optionally a fixed first column (row
// numbers, drawn like the header and never selected or edited); one row per
// record, counted from 0 below the header. An empty grid shows one blank row
// and is disabled. Grids start read-only with whole-row selection; "Edit mode"
// makes the cells editable and, for some grids, switches to single-cell
// selection with the editor always open; "Read only" undoes it.
//
// The selection of the grid with the keyboard focus is drawn in the
// highlight colour; that of the other grids paler, so the user sees where
// the keys (Ins, Del, the arrows) go.
//
// Edits never change the grid by themselves: the grid reports the typed text
// through cellEdited, the owner checks it, stores it in the model and
// rewrites the row. A refused value is therefore simply shown again.
#pragma once

#include <QList>
#include <QPair>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <functional>

class QMenu;
class QAction;

namespace mirdal::gui {

struct GridColumn {
  QString header;
  int width = 64;  // in pixels of the 13-pixel layout; grows with the font
};

// What "Edit mode" does besides making cells editable.
enum class EditModeKind {
  EditableOnly,          // selection stays as it is (button groups, buttons)
  CellSelect,            // single-cell selection, editor always open
  CellSelectFirstColumn  // the same, and the selection shrinks to the first
                         // column of the rows that were selected
};

class StringGrid;

// Creates the cell editors with the grid's edit masks. A grid that paints its
// cells itself subclasses this delegate so that editing keeps working.
class StringGridDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  explicit StringGridDelegate(StringGrid* grid);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

 protected:
  StringGrid* grid_;
};

class StringGrid : public QTableWidget {
  Q_OBJECT
 public:
  // name becomes the objectName (sgTitles, sgPLitem, ...).
  explicit StringGrid(const QString& name, QWidget* parent = nullptr);

  void setColumns(const QList<GridColumn>& columns);
  void setFixedFirstColumn(bool on);
  bool hasFixedFirstColumn() const { return fixedFirst_; }
  int firstDataColumn() const { return fixedFirst_ ? 1 : 0; }
  // The last column takes the width that the others leave.
  void setLastColumnFills(bool on);
  // Columns are never narrower than their header text. After the rows are
  // filled, this also widens each column to what its cells need (the given
  // widths were chosen for a smaller font than many desktops use).
  void fitColumnsToContents();
  // The grid is exactly as wide as its columns and the vertical scroll bar.
  void setWidthFollowsColumns(bool on);
  // Several consecutive rows can be selected (command lists).
  void setMultiRowSelect(bool on);

  // Rows: n records; 0 gives the blank disabled row. Enabled when n > 0.
  void setDataRowCount(int n);
  int dataRowCount() const { return dataRows_; }
  bool isEmptyGrid() const { return dataRows_ == 0; }
  void clearGrid() { setDataRowCount(0); }

  void setCell(int row, int column, const QString& text);
  QString cell(int row, int column) const;
  void setRowTexts(int row, const QStringList& texts);  // from column 0

  // Selection of whole rows (read-only mode) or of the current cell.
  void selectDataRow(int row);
  // First and last selected row; (-1, -1) when nothing is selected.
  QPair<int, int> selectedRowRange() const;

  // Edit mode ("Edit mode" / "Read only").
  void setEditModeKind(EditModeKind kind) { editKind_ = kind; }
  EditModeKind editModeKind() const { return editKind_; }
  void setEditMode(bool on);
  bool isEditMode() const { return editMode_; }

  // The right-click pop-up with "Edit mode" and "Read only".
  void setOffersModeMenu(bool on) { offersMenu_ = on; }
  bool offersModeMenu() const { return offersMenu_; }
  QMenu* modeMenu();
  QAction* editModeAction();
  QAction* readOnlyAction();

  // Edit masks in the syntax of QLineEdit::inputMask; empty means free text.
  void setColumnEditMask(int column, const QString& mask);
  using EditMaskFn = std::function<QString(int row, int column)>;
  void setEditMaskFn(EditMaskFn fn) { maskFn_ = std::move(fn); }
  QString editMask(int row, int column) const;

 signals:
  void cellEdited(int row, int column, const QString& text);
  void editModeChanged(bool on);

 protected:
  void contextMenuEvent(QContextMenuEvent* e) override;
  void changeEvent(QEvent* e) override;
  void initViewItemOption(QStyleOptionViewItem* option) const override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  friend class StringGridDelegate;
  QTableWidgetItem* ensureItem(int row, int column);
  void styleItem(QTableWidgetItem* item, int column) const;
  void applyEditability();
  void applyColumnWidths();
  void applyRowHeight();
  void applyUnfocusedColours();
  int baseColumnWidth(int column) const;
  void followColumns();

  QList<GridColumn> columns_;
  QList<QString> columnMasks_;
  EditMaskFn maskFn_;
  bool fixedFirst_ = false;
  bool lastFills_ = false;
  bool widthFollows_ = false;
  bool multiRow_ = false;
  int dataRows_ = 0;
  bool editMode_ = false;
  EditModeKind editKind_ = EditModeKind::EditableOnly;
  bool offersMenu_ = false;
  QMenu* menu_ = nullptr;
  QAction* editModeAction_ = nullptr;
  QAction* readOnlyAction_ = nullptr;
};

}  // namespace mirdal::gui
