// The "BOGs" tab of the menu page: the button overlap groups of the chosen
// page (`sgBOG`, one column per group), the buttons of the chosen group
// (`sgButton`), the navigation commands of the chosen button
// (`sgMCommands` with the command field editor) and the preview of the
// chosen button's objects, animated on a double click.
//
// Keys: Insert on the group grid creates a group, Delete deletes the chosen
// one; Insert on the button grid appends a button, Shift+Delete deletes the
// chosen one; the command grid has the keys of every command grid. Inserts
// and deletes past the limits are refused silently. Every edit goes through
// the menu document; the grids show the model again from its notices.
//
// The button choice of the menu context is the button's index in the
// chosen group.
#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "menu/igs_model.h"
#include "present/menu_cells.h"
#include "nav/program_edit.h"
#include "views/common/command_grid.h"

class QLabel;
class QTimer;

namespace mirdal {
struct ChangeNotice;
}

namespace mirdal::gui {

class CommandFieldEditor;
class MenuContext;
class PictureView;
class StringGrid;

class MenuBogsTab : public QWidget {
  Q_OBJECT
 public:
  MenuBogsTab(MenuContext& ctx, QWidget* parent = nullptr);

  StringGrid* bogGrid() const { return bogGrid_; }
  StringGrid* buttonGrid() const { return buttonGrid_; }
  CommandGrid* buttonCommandGrid() const { return commands_; }
  CommandFieldEditor* editor() const { return editor_; }
  PictureView* bogPreview() const { return preview_; }

  // The key actions (also reachable without the keys).
  void insertBog();
  void deleteBog();
  void insertButton();
  void deleteButton();

  // Stops a repeating animation (the Cancel button).
  void stopAnimation();
  bool animating() const;

  // The number of entries of the disc's sound file limits the sound ids.
  void setSoundCount(std::size_t n) { soundCount_ = n; }

 signals:
  // An animation that repeats until Cancel started (true) or ended.
  void animationRunning(bool on);
  // A double click on a sound cell whose id is below the sound count.
  void soundRequested(int soundId);

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  const mirdal::IgPage* page() const;
  const mirdal::Bog* bog() const;
  const mirdal::IgButton* button() const;

  void documentChanged(const mirdal::ChangeNotice& n);
  void pageChosen();
  void bogChosen();
  void buttonChosen();
  void showBogGrid();
  void showButtonRows();
  void showButtonRow(int row);
  void showCommands();
  void showEditor();
  void previewCell(int column);
  void showObject(std::optional<std::uint16_t> object);

  void bogCellEdited(int row, int column, const QString& text);
  void buttonCellEdited(int row, int column, const QString& text);
  void commandCellEdited(int row, int column, const QString& text);
  void bogDoubleClicked(int row, int column);
  void buttonDoubleClicked(int row, int column);
  void commandKey(CommandKey key);
  // "Import program..." for the chosen button's commands.
  void importCommands();
  void runCommandEdit(const std::function<mirdal::EditResult(mirdal::CommandList&)>& edit);
  void editCurrentLine(const mirdal::NavCommand& c);
  void follow(int line);
  void animate(std::uint16_t first, std::uint16_t last, bool repeat, std::uint16_t after);
  void animationStep();

  MenuContext& ctx_;
  StringGrid* bogGrid_;
  StringGrid* buttonGrid_;
  CommandGrid* commands_;
  CommandFieldEditor* editor_;
  PictureView* preview_;
  QLabel* previewCaption_;
  QTimer* timer_;
  std::size_t soundCount_ = 0;
  std::array<int, 3> shownButton_{-1, -1, -1};  // page, BOG, button of the commands shown
  bool showing_ = false;  // the grids are being filled: selections are not choices
  struct Animation {
    std::uint16_t first = 0, last = 0, next = 0, after = 0;
    bool repeat = false;
  } anim_;
};

}  // namespace mirdal::gui
