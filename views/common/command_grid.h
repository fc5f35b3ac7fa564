// A command grid: one row per navigation command ("No.", "Opcode",
// "Destinat.", "Source", "Command line"), painted by the command painter
// (blue words, grey unused operands, red and orange marked lines, green
// comments), whole rows selected across columns 1-4, several consecutive
// rows at a time. The movie-object program grid `sgCommands` is one; the
// button command grid of the menu page uses the same class.
//
// The grid edits nothing itself: the edit keys (Ins, Ctrl+V/C/X, Shift+Del,
// Shift+N, Ctrl+A) are reported through commandKey and the owner runs the
// edit on the model and shows the rows again. F2 opens the "Command line"
// cell of the current row for a typed command line (reported through
// cellEdited), in edit mode or not.
#pragma once

#include <vector>

#include "nav/program_edit.h"
#include "nav/command_text.h"
#include "views/common/string_grid.h"

namespace mirdal::gui {

enum class CommandKey { Insert, Paste, Copy, Cut, Delete, Nop, SelectAll };

// Paints the cells of a command grid as nav/command_paint.h describes them.
class CommandGridDelegate : public StringGridDelegate {
  Q_OBJECT
 public:
  explicit CommandGridDelegate(StringGrid* grid) : StringGridDelegate(grid) {}
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
};

class CommandGrid : public StringGrid {
  Q_OBJECT
 public:
  explicit CommandGrid(const QString& name, QWidget* parent = nullptr);

  // The rows of a whole program (an empty list gives the blank row).
  void setRows(const std::vector<mirdal::CommandRow>& rows);
  void setRow(int line, const mirdal::CommandRow& row);

  // The selected lines; an empty program's blank row counts as line 0.
  mirdal::LineSelection selection() const;
  // Selects lines first..last (clipped to the program) and scrolls to first.
  void selectLines(int first, int last);
  void selectLine(int line) { selectLines(line, line); }

  // Up and Down onto an invalid line sound the 2000 Hz tone.
  void setBeepOnInvalidLine(bool on) { beepInvalid_ = on; }

 signals:
  void commandKey(mirdal::gui::CommandKey key);
  // Every key pressed in the grid, as keyCodeOf gives it.
  void keyPressed(int code);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void fitColumns();
  bool beepInvalid_ = false;
};

QString cellText(const std::string& s);

}  // namespace mirdal::gui
