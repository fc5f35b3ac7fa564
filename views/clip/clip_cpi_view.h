// The "CPI" group of the clip page: the EP map's stream PID entries
// (`sgEPmap`) and the coarse and fine entries (`sgEPCoarse`, `sgEPfine`) of
// the selected entry, the last one after a read.
#pragma once

#include <QWidget>

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class StringGrid;

class ClipCpiView : public QWidget {
  Q_OBJECT
 public:
  explicit ClipCpiView(mirdal::Workspace& ws, QWidget* parent = nullptr);

  StringGrid* epMapGrid() const { return map_; }
  StringGrid* epCoarseGrid() const { return coarse_; }
  StringGrid* epFineGrid() const { return fine_; }

  void refresh();
  void showEntries(int entry);

 private:
  mirdal::Workspace& ws_;
  StringGrid* map_;
  StringGrid* coarse_;
  StringGrid* fine_;
  int shown_ = -1;
};

}  // namespace mirdal::gui
