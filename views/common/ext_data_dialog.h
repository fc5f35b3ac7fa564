// ExtDataDialog: the ExtensionData editor. It works on a copy of one file's block:
// shows its size and entry table, dumps the data of the selected entry,
// and lets the user delete the block, load or save it as an ".exd" side file
// and change an entry's ID1. OK hands the copy back to the caller, which
// puts it into its file with that file's start-address rule; Cancel drops it.
#pragma once

#include <QDialog>
#include <string>

#include "core/extension_data.h"

class QLabel;
class QPushButton;
class QTextEdit;

namespace mirdal::gui {

class Interaction;
class StringGrid;

class ExtDataDialog : public QDialog {
  Q_OBJECT
 public:
  // outputFolder: where Load and Save start (empty: the dialog's choice).
  ExtDataDialog(Interaction& ia, const std::string& outputFolder, QWidget* parent = nullptr);

  // The working copy and the name of the file it belongs to (for the caption).
  void setBlock(const ExtensionData& ed, const QString& fileName);
  const ExtensionData& block() const { return ed_; }

  QLabel* summary() const { return summary_; }
  StringGrid* entryGrid() const { return grid_; }
  QTextEdit* dataText() const { return data_; }
  QPushButton* deleteButton() const { return delete_; }
  QPushButton* loadButton() const { return load_; }
  QPushButton* saveButton() const { return save_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

  void refresh();
  // The data of entry `entry` (-1: none) in the dump view.
  void showEntry(int entry);

 private:
  void deleteBlock();
  void loadBlock();
  void saveBlock();
  void cellEdited(int row, int column, const QString& text);

  Interaction& ia_;
  QString folder_;
  QString fileName_;
  ExtensionData ed_;
  QLabel* summary_;
  StringGrid* grid_;
  QTextEdit* data_;
  QPushButton* delete_;
  QPushButton* load_;
  QPushButton* save_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

// The caller's side of the editor: runs it modally on a copy of `ed`; on OK
// `ed` becomes the edited copy and the result is true.
bool editExtensionData(QWidget* parent, Interaction& ia, const std::string& outputFolder,
                       const std::string& fileName, ExtensionData& ed);

}  // namespace mirdal::gui
