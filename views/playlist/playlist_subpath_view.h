// The "SubPath" group: the SubPath grid with its type and repeat choices
// and the "+" / "-" buttons (also Ins and Del in the grid), the SubPlayItems
// of the selected SubPath (editable in "Edit mode" through the cell rules of
// present/mpls_cells.h) and the multi-clip entries of the selected
// SubPlayItem, shown only when it has multi-clip. A double click on a
// SubPlayItem outside edit mode, or on an entry, asks for its clip's page.
#pragma once

#include <QWidget>

class QComboBox;
class QToolButton;

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class StringGrid;

class PlaylistSubPathView : public QWidget {
  Q_OBJECT
 public:
  explicit PlaylistSubPathView(mirdal::Workspace& ws, QWidget* parent = nullptr);

  StringGrid* subPathGrid() const { return subPaths_; }
  StringGrid* subPlayItemGrid() const { return items_; }
  StringGrid* multiClipGrid() const { return clips_; }
  QComboBox* subPathTypeChoice() const { return type_; }
  QComboBox* subPathRepeatChoice() const { return repeat_; }
  QToolButton* insertSubPathButton() const { return ins_; }
  QToolButton* deleteSubPathButton() const { return del_; }

  int selectedSubPath() const { return subPath_; }
  int selectedSubPlayItem() const { return item_; }
  void selectSubPath(int i);

  // Shows the playlist as loaded, the first SubPath selected.
  void refresh();
  void insertSubPath();
  void deleteSubPath();

 signals:
  void clipRequested(const QString& name);

 private:
  void sync();
  void showSubPath(int i, int item = 0);
  void showSubPlayItem(int i);
  void typeChosen(int type);
  void repeatChosen(int index);
  void cellEdited(int row, int column, const QString& text);

  mirdal::Workspace& ws_;
  StringGrid* subPaths_;
  StringGrid* items_;
  StringGrid* clips_;
  QComboBox* type_;
  QComboBox* repeat_;
  QToolButton* ins_;
  QToolButton* del_;
  int subPath_ = -1;
  int item_ = -1;
  bool showing_ = false;
};

}  // namespace mirdal::gui
