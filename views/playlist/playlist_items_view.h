// The PlayItems of the "PlayList" group: the PlayItem grid (editable in
// "Edit mode" through the cell rules of present/mpls_cells.h, with the three
// questions of the IN-time change) and the angle grid of the selected
// PlayItem, shown only when it has multi-angle. A double click on a row
// outside edit mode asks for the clip page of its clip.
#pragma once

#include <QWidget>

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class Interaction;
class StringGrid;

class PlaylistItemsView : public QWidget {
  Q_OBJECT
 public:
  PlaylistItemsView(mirdal::Workspace& ws, Interaction& ia, QWidget* parent = nullptr);

  StringGrid* playItemGrid() const { return items_; }
  StringGrid* angleGrid() const { return angles_; }

  // The selected PlayItem, -1 for none.
  int selectedPlayItem() const;
  void selectPlayItem(int i);

  // Shows the playlist as loaded, the first PlayItem selected.
  void refresh();

 signals:
  void playItemSelected(int item);
  void clipRequested(const QString& name);

 private:
  // Rows rewritten from the model, the selection kept.
  void sync();
  void showPlayItem(int i);
  void cellEdited(int row, int column, const QString& text);

  mirdal::Workspace& ws_;
  Interaction& ia_;
  StringGrid* items_;
  StringGrid* angles_;
  int shown_ = -1;
  bool showing_ = false;
  bool editing_ = false;
};

}  // namespace mirdal::gui
