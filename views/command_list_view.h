// The command list of the selected movie object: one row per navigation
// command with its line number, the three words and the command text.
//
// Read-only for now; the command editor (field editor, grid painter, run
// panel) builds on this grid, `sgCommands`, and replaces what it needs.
#pragma once

#include <QWidget>

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class StringGrid;

class CommandListView : public QWidget {
  Q_OBJECT
 public:
  CommandListView(mirdal::Workspace& ws, QWidget* parent = nullptr);

  StringGrid* sgCommands() const { return grid_; }
  // The movie object whose program is listed; -1 for none.
  int object() const { return object_; }

  // Lists the program of movie object `object` (-1 or a number past the
  // list: an empty grid).
  void showObject(int object);

 private:
  mirdal::Workspace& ws_;
  StringGrid* grid_;
  int object_ = -1;
};

}  // namespace mirdal::gui
