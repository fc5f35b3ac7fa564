// The "PlayListMark" group: the mark grid (Ins, Del, Ctrl+A; several rows
// can be selected), the editors of the selected mark (type, PlayItem and the
// time in hours, minutes, seconds and milliseconds), the "+" / "-" buttons
// and "Save chapters" / "Load chapters" with the "Chapter format" option.
#pragma once

#include <QWidget>
#include <functional>

class QComboBox;
class QPushButton;
class QToolButton;

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class Interaction;
class StringGrid;
class IntEdit;

class PlaylistMarksView : public QWidget {
  Q_OBJECT
 public:
  PlaylistMarksView(mirdal::Workspace& ws, Interaction& ia, QWidget* parent = nullptr);

  StringGrid* markGrid() const { return grid_; }
  QComboBox* markTypeChoice() const { return type_; }
  IntEdit* markPlayItemField() const { return pi_; }
  IntEdit* markHoursField() const { return h_; }
  IntEdit* markMinutesField() const { return min_; }
  IntEdit* markSecondsField() const { return s_; }
  IntEdit* markMillisecondsField() const { return ms_; }
  QToolButton* insertMarkButton() const { return ins_; }
  QToolButton* deleteMarkButton() const { return del_; }
  QPushButton* saveChaptersButton() const { return saveChap_; }
  QPushButton* loadChaptersButton() const { return loadChap_; }

  int selectedMark() const { return mark_; }
  void selectMark(int i);
  // The PlayItem selected on the page (-1: none) and whether the user is
  // working there (the focus is in the PlayItem grid): a new mark goes to
  // its IN time then, or when there is no mark to put it beside.
  void setPlayItem(int i) { playItem_ = i; }
  void setPlayItemFocused(std::function<bool()> f) { playItemFocused_ = std::move(f); }

  void refresh();
  void insertMark();
  void deleteMarks();
  void saveChaptersClicked();
  void loadChaptersClicked();

 private:
  void sync();
  void showMark(int i);
  void timeEdited();
  void playItemEdited();
  void typeChosen(int index);

  mirdal::Workspace& ws_;
  Interaction& ia_;
  StringGrid* grid_;
  QComboBox* type_;
  IntEdit* pi_;
  IntEdit* h_;
  IntEdit* min_;
  IntEdit* s_;
  IntEdit* ms_;
  QToolButton* ins_;
  QToolButton* del_;
  QPushButton* saveChap_;
  QPushButton* loadChap_;
  int mark_ = -1;
  int playItem_ = -1;
  std::function<bool()> playItemFocused_;
  bool showing_ = false;
};

}  // namespace mirdal::gui
