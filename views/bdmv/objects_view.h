// The movie objects view of the "MovieObject.bdmv" group: the objects grid
// with the three flag editors, the insert and delete buttons, and the
// ExtensionData caption with its "Edit" button.
//
// Selecting an object shows its flags and announces it (movieObjectSelected)
// so that the command list and the run panel follow. Editing needs both
// files: deleting an object changes the titles' references.
#pragma once

#include <QWidget>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class Interaction;
class StringGrid;

class ObjectsView : public QWidget {
  Q_OBJECT
 public:
  ObjectsView(mirdal::Workspace& ws, Interaction& ia, QWidget* parent = nullptr);

  StringGrid* objectGrid() const { return grid_; }
  QComboBox* resumeChoice() const { return resume_; }
  QComboBox* menuCallChoice() const { return menuCall_; }
  QComboBox* titleSearchChoice() const { return titleSearch_; }
  QToolButton* insertObjectButton() const { return ins_; }
  QToolButton* deleteObjectButton() const { return del_; }
  QLabel* objectExtDataLabel() const { return extCaption_; }
  QPushButton* objectExtDataButton() const { return extEdit_; }

  // Shows the movie objects as the Workspace holds them, object 0 selected.
  void refresh();
  // The selected object, -1 for none.
  int selectedObject() const { return selected_; }
  // Selects object i, scrolls it into view and announces it.
  void selectObject(int i);
  // Rewrites object i's row (after its commands changed).
  void rewriteRow(int i);
  // The ExtensionData caption and its button are shown only while the
  // command list beside them is wide enough.
  void setExtensionDataShown(bool shown);

  void insertObject();
  void deleteObjects();

 signals:
  void movieObjectSelected(int object);
  // Objects appeared or disappeared: the object number choices follow.
  void objectCountChanged(int count);
  // Deleting objects changed title references: the titles grid follows.
  void titleReferencesChanged();

 private:
  void rowChanged(int row);
  void flagChosen(QComboBox* cb, int item);
  // Rows from `from` on are rewritten; the rows before it did not move.
  void fillGrid(int from = 0);
  void showFlags();
  void objectExtDataClicked();
  bool editable() const;

  mirdal::Workspace& ws_;
  Interaction& ia_;
  StringGrid* grid_;
  QComboBox* resume_;
  QComboBox* menuCall_;
  QComboBox* titleSearch_;
  QToolButton* ins_;
  QToolButton* del_;
  QLabel* extCaption_;
  QPushButton* extEdit_;
  QWidget* extPanel_;
  int selected_ = -1;
  // Rows of objects that lie behind the end of a truncated file: they hold
  // zeros, not values read, and show blank until the user edits them.
  std::vector<bool> blank_;
  bool showing_ = false;
};

}  // namespace mirdal::gui
