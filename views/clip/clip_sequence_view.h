// The "SequenceInfo" group of the clip page: the ATC sequences (`sgSequence`)
// and the STC sequences (`sgSTCseq`) of the selected ATC sequence, the last
// one after a read. The STC grid is shown only when that ATC sequence has
// STC sequences.
#pragma once

#include <QWidget>

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class StringGrid;

class ClipSequenceView : public QWidget {
  Q_OBJECT
 public:
  explicit ClipSequenceView(mirdal::Workspace& ws, QWidget* parent = nullptr);

  StringGrid* atcSequenceGrid() const { return atc_; }
  StringGrid* stcSequenceGrid() const { return stc_; }

  void refresh();
  void showStc(int atcSequence);

 private:
  mirdal::Workspace& ws_;
  StringGrid* atc_;
  StringGrid* stc_;
  int shown_ = -1;
};

}  // namespace mirdal::gui
