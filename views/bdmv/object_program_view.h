// The program of the selected movie object, in the commands pane of the
// "&BDMV" page: the command grid `sgCommands` with its keys and double-click
// follow, the field editor below it, the program export and import.
//
// The program lives in the Workspace (ws.mobj, a document); every edit goes through
// editObjectProgram, which keeps MovieObject.bdmv's lengths in step, and the
// grid then shows the program again.
#pragma once

#include <QWidget>
#include <functional>

#include "nav/command.h"
#include "nav/program_edit.h"
#include "views/common/command_grid.h"
#include "views/common/page_view.h"

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class CommandFieldEditor;
class Interaction;

class ObjectProgramView : public QWidget, public PageView {
  Q_OBJECT
 public:
  ObjectProgramView(mirdal::Workspace& ws, Interaction& ia, QWidget* parent = nullptr);

  CommandGrid* programGrid() const { return grid_; }
  CommandFieldEditor* editor() const { return editor_; }

  // The movie object shown; -1 for none.
  int object() const { return object_; }
  // Its program; nullptr when no object is shown.
  const mirdal::CommandList* program() const;

  // Lists the program of movie object `object` ("Building commands..."),
  // selects its first line; -1 or a number past the list empties the grid.
  void showObject(int object);
  // Selects the row of `line` and scrolls to it.
  void selectLine(int line);
  // While on, listing a program writes nothing on the status line.
  void setListingQuiet(bool on) { quiet_ = on; }

  void refresh() override;
  // Start runs the shown object's program when it has commands.
  bool canStart() const override;

  // The export ("Save program list").
  void saveCommandsClicked();
  // "Import program...": a program list or command lines replace the
  // program or go after the selected lines.
  void loadCommandsClicked();

 signals:
  // Lines were inserted or deleted: the object's row in the objects grid
  // shows the new command count.
  void commandCountChanged(int object);
  // canStart() may have changed.
  void startableChanged();
  // Double click on Jump Title / Call Title N, on Play PL of playlist `name`.
  void titleRequested(int title);
  void playlistRequested(const QString& name);
  // Double click on SetButtonPage: the menu's page and/or button.
  void buttonPageRequested(bool selectPage, int page, bool selectButton, int button);
  // A mouse click on the row of `line` (a trace executes it).
  void lineClicked(int line);

 private:
  void runEdit(const std::function<mirdal::EditResult(mirdal::CommandList&)>& edit);
  void commandKey(CommandKey key);
  void editCurrentLine(const mirdal::NavCommand& c);
  void commandLineTyped(int row, int column, const QString& text);
  void showImport(const mirdal::LineSelection& imported);
  void showRows();
  void showEditor();
  void follow(int line);
  void updateButtons();

  mirdal::Workspace& ws_;
  Interaction& ia_;
  CommandGrid* grid_;
  CommandFieldEditor* editor_;
  int object_ = -1;
  bool quiet_ = false;
};

}  // namespace mirdal::gui
