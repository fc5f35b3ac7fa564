// The "ProgramInfo" group of the clip page: the elementary streams of the
// clip's program sequences (`sgCI`) and the stream actions "Save P&ID",
// "-> M&enu", "Pla&y" and "Apply to clpi".
//
// The view shows the streams and keeps the buttons' enabling rules; what the
// buttons do is the clip page's (views/clip_page.h), which connects to the
// signals.
#pragma once

#include <QWidget>
#include <cstdint>

class QPushButton;

namespace mirdal {
struct Workspace;
struct ChangeNotice;
}  // namespace mirdal

namespace mirdal::gui {

class StringGrid;

class ClipProgramView : public QWidget {
  Q_OBJECT
 public:
  explicit ClipProgramView(mirdal::Workspace& ws, QWidget* parent = nullptr);

  StringGrid* programStreamGrid() const { return grid_; }
  QPushButton* savePidButton() const { return savePid_; }
  QPushButton* loadToMenuButton() const { return toMenu_; }
  QPushButton* playButton() const { return play_; }
  QPushButton* applyToClipInfoButton() const { return apply_; }

  void refresh();
  // Whether the clip's stream file exists (size above 0): "Pla&y" and
  // "Save P&ID" are enabled by it, and "-> M&enu" for an IG row.
  void setStreamPresent(bool present);
  // "Apply to clpi" needs a PlayItem to take the attributes from.
  void setApplyPossible(bool possible);
  // Rows in program-sequence order; -1 when no stream row is selected.
  int selectedRow() const;
  void selectRow(int row);
  // The PID, stream type and details texts of a row.
  QStringList rowTexts(int row) const;

 signals:
  void savePidRequested();
  void menuRequested(std::uint16_t pid);
  void playRequested();
  void applyRequested();

 private:
  void changed(const mirdal::ChangeNotice& n);
  void evaluateSelection();
  void doubleClicked(int row);
  void rewriteRows();

  mirdal::Workspace& ws_;
  StringGrid* grid_;
  QPushButton* savePid_;
  QPushButton* toMenu_;
  QPushButton* play_;
  QPushButton* apply_;
  bool streamPresent_ = false;
  bool applyPossible_ = false;
};

}  // namespace mirdal::gui
