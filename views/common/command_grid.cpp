#include "views/common/command_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>

#include "core/report.h"
#include "nav/command_paint.h"
#include "views/common/key_code.h"
#include "views/common/text.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

QString cellText(const std::string& s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

namespace {

// The first four columns together take 215 pixels of the 13-pixel layout
// (more when the font needs it to show all digits); "Command line" gets the
// rest of the grid's width.
const QList<GridColumn> kColumns = {
    {QStringLiteral("No."), 35},
    {QStringLiteral("Opcode"), 60},
    {QStringLiteral("Destinat."), 60},
    {QStringLiteral("Source"), 60},
    {QStringLiteral("Command line"), 20},
};

QColor colorOf(mirdal::PaintColor c, const QPalette& pal, QPalette::ColorGroup g) {
  mirdal::Rgb rgb;
  if (mirdal::fixedRgb(c, rgb)) return QColor(rgb.r, rgb.g, rgb.b);
  switch (c) {
    case mirdal::PaintColor::GridBackground: return pal.color(g, QPalette::Base);
    case mirdal::PaintColor::FixedBackground: return pal.color(g, QPalette::Button);
    case mirdal::PaintColor::Highlight: return pal.color(g, QPalette::Highlight);
    case mirdal::PaintColor::HighlightText: return pal.color(g, QPalette::HighlightedText);
    default: return pal.color(g, QPalette::Text);
  }
}

}  // namespace

void CommandGridDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const std::string text = typedBytes(index.data().toString());
  const std::string line = typedBytes(index.sibling(index.row(), mirdal::kColLine).data().toString());
  mirdal::CellState st;
  st.column = index.column();
  st.fixed = grid_->hasFixedFirstColumn() && index.column() == 0;
  st.selected = !st.fixed && (option.state & QStyle::State_Selected);
  st.focused = option.state & QStyle::State_HasFocus;
  const mirdal::CellPaint cp = mirdal::paintCommandCell(text, line, st);

  const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                     : (option.state & QStyle::State_Active) ? QPalette::Active
                                                                            : QPalette::Inactive;
  const QPalette& pal = option.palette;
  p->save();
  p->setClipRect(option.rect);
  p->fillRect(option.rect, colorOf(cp.background, pal, group));

  QFont font = option.font;
  font.setBold(cp.bold);
  p->setFont(font);
  p->setPen(colorOf(cp.text, pal, group));
  const QRect r = option.rect.adjusted(2, 2, 0, 0);
  const QString plain = cellText(cp.plain);
  p->drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, plain);
  if (!cp.comment.empty()) {
    const int x = QFontMetrics(font).horizontalAdvance(plain);
    QFont italic = font;
    italic.setItalic(true);
    p->setFont(italic);
    p->setPen(colorOf(cp.commentColor, pal, group));
    p->drawText(r.adjusted(x, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                cellText(cp.comment));
  }
  p->restore();
}

// The "Command line" cell of a command takes a typed line outside edit mode
// too (F2); the other cells follow the grid's edit mode.
QWidget* CommandGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const {
  if (grid_->isEditMode() || index.column() != mirdal::kColLine || index.row() >= grid_->dataRowCount())
    return StringGridDelegate::createEditor(parent, option, index);
  auto* e = new QLineEdit(parent);
  e->setFrame(false);
  return e;
}

CommandGrid::CommandGrid(const QString& name, QWidget* parent) : StringGrid(name, parent) {
  setColumns(kColumns);
  setFixedFirstColumn(true);
  setLastColumnFills(true);
  setMultiRowSelect(true);
  setItemDelegate(new CommandGridDelegate(this));
  fitColumns();
}

// The words are always shown whole: a font wider than the layout's widens
// the first four columns.
void CommandGrid::fitColumns() {
  const QFontMetrics fm(font());
  const int pad = 8;
  setColumnWidth(0, std::max(columnWidth(0), fm.horizontalAdvance(QStringLiteral("00000")) + pad));
  for (int c = mirdal::kColOpcode; c <= mirdal::kColSrc; ++c)
    setColumnWidth(c, std::max(columnWidth(c), fm.horizontalAdvance(QStringLiteral("00000000")) + pad));
}

void CommandGrid::changeEvent(QEvent* e) {
  StringGrid::changeEvent(e);
  if (e->type() == QEvent::FontChange) fitColumns();
}

void CommandGrid::setRows(const std::vector<mirdal::CommandRow>& rows) {
  setUpdatesEnabled(false);
  setDataRowCount(int(rows.size()));
  for (int i = 0; i < int(rows.size()); ++i) setRow(i, rows[std::size_t(i)]);
  setUpdatesEnabled(true);
}

void CommandGrid::setRow(int line, const mirdal::CommandRow& row) {
  for (int c = 0; c < 5; ++c) {
    const QString t = cellText(row.cells[std::size_t(c)]);
    if (cell(line, c) != t) setCell(line, c, t);
  }
}

mirdal::LineSelection CommandGrid::selection() const {
  const auto [first, last] = selectedRowRange();
  if (first < 0) return {};
  return {std::size_t(first), std::size_t(last)};
}

void CommandGrid::selectLines(int first, int last) {
  if (dataRowCount() == 0) return;
  first = std::clamp(first, 0, dataRowCount() - 1);
  last = std::clamp(last, first, dataRowCount() - 1);
  const QModelIndex from = model()->index(first, mirdal::kColOpcode);
  selectionModel()->setCurrentIndex(from, QItemSelectionModel::NoUpdate);
  selectionModel()->select(QItemSelection(from, model()->index(last, mirdal::kColLine)),
                           QItemSelectionModel::ClearAndSelect);
  scrollTo(from);
}

void CommandGrid::keyPressEvent(QKeyEvent* e) {
  emit keyPressed(keyCodeOf(e));
  const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const int k = e->key();
  const auto report = [&](CommandKey key) {
    e->accept();
    emit commandKey(key);
  };
  if (mods == Qt::NoModifier && k == Qt::Key_Insert) return report(CommandKey::Insert);
  if (mods == Qt::ControlModifier) {
    switch (k) {
      case Qt::Key_V: return report(CommandKey::Paste);
      case Qt::Key_C: return report(CommandKey::Copy);
      case Qt::Key_X: return report(CommandKey::Cut);
      case Qt::Key_A: return report(CommandKey::SelectAll);
      default: break;
    }
  }
  if (mods == Qt::NoModifier && k == Qt::Key_F2 && !isEditMode() && currentRow() >= 0 &&
      currentRow() < dataRowCount()) {
    e->accept();
    edit(model()->index(currentRow(), mirdal::kColLine));
    return;
  }
  if (mods == Qt::ShiftModifier) {
    if (k == Qt::Key_Delete) return report(CommandKey::Delete);
    if (k == Qt::Key_N) return report(CommandKey::Nop);
  }
  StringGrid::keyPressEvent(e);
  if (beepInvalid_ && mods == Qt::NoModifier && (k == Qt::Key_Up || k == Qt::Key_Down) && currentRow() >= 0 &&
      mirdal::invalidLineBeeps(typedBytes(cell(currentRow(), mirdal::kColLine))))
    guiReporter().tone(2000, mirdal::kInvalidLineBeepMs);
}

}  // namespace mirdal::gui
