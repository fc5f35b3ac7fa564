// The "index.bdmv" view: the content provider field, First Playback and Top
// Menu, the titles grid with the title editors and the insert and delete
// buttons, and the ExtensionData caption with its "Edit" button.
//
// Every choice writes the index in the Workspace through the title edits of
// formats/bdmv_edit.h and rewrites the title's row. Nothing is editable
// while the index is not loaded (no Read yet, or a rejected index file).
#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class IndexEntryBox;
class Interaction;
class StringGrid;

class TitlesView : public QWidget {
  Q_OBJECT
 public:
  TitlesView(mirdal::Workspace& ws, Interaction& ia, QWidget* parent = nullptr);

  StringGrid* titleGrid() const { return grid_; }
  QLineEdit* contentField() const { return content_; }
  IndexEntryBox* firstPlayback() const { return fpb_; }
  IndexEntryBox* topMenu() const { return tm_; }
  QComboBox* titleNumberChoice() const { return titleNo_; }
  QComboBox* titleObjectTypeChoice() const { return titleObjectType_; }
  QComboBox* titleAccessTypeChoice() const { return titleAccessType_; }
  QComboBox* titlePlaybackTypeChoice() const { return titlePlaybackType_; }
  QComboBox* titleObjectChoice() const { return titleObject_; }
  QComboBox* titleBdjObjectChoice() const { return titleBdjObject_; }
  QToolButton* insertTitleButton() const { return ins_; }
  QToolButton* deleteTitleButton() const { return del_; }
  QLabel* indexExtDataLabel() const { return extCaption_; }
  QPushButton* indexExtDataButton() const { return extEdit_; }

  // Shows the index as the Workspace holds it, title 1 selected.
  void refresh();
  // The movie object count changed: the object number choices follow.
  void setObjectCount(int objectCount);
  // Rewrites every title row (after the references changed).
  void rewriteRows();

  // The selected title (0-based), -1 for none.
  int selectedTitle() const;
  // Selects title i and shows it as a click on its row does.
  void selectTitle(int i);

  void insertTitle();
  void deleteTitles();

 signals:
  // A title or First Playback / Top Menu choice names this movie object.
  void movieObjectChosen(int object);
  // A double click on a BD-J title: open this BD-J object.
  void bdjObjectRequested(const QString& name);
  // A count or a First Playback / Top Menu reference changed.
  void countersChanged();
  // Titles appeared or disappeared (what can be saved changed).
  void titlesChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void showTitle(int i);
  void titleClicked(int row);
  void titleDoubleClicked(int row);
  void titleNoChosen(int item);
  void objectTypeChosen(int item);
  void accessTypeChosen(int item);
  void playbackTypeChosen(int item);
  void objectChosen(int item);
  void fileChosen(int item);
  void rewriteRow(int i);
  // Rows from `from` on are rewritten; the rows before it did not move.
  void fillGrid(int from = 0);
  void enableEditors();
  void indexExtDataClicked();
  bool loaded() const;

  mirdal::Workspace& ws_;
  Interaction& ia_;
  QLineEdit* content_;
  IndexEntryBox* fpb_;
  IndexEntryBox* tm_;
  StringGrid* grid_;
  QComboBox* titleNo_;
  QComboBox* titleObjectType_;
  QComboBox* titleAccessType_;
  QComboBox* titlePlaybackType_;
  QComboBox* titleObject_;
  QComboBox* titleBdjObject_;
  QToolButton* ins_;
  QToolButton* del_;
  QLabel* extCaption_;
  QPushButton* extEdit_;
  bool showing_ = false;  // selection changes made by the view itself
};

}  // namespace mirdal::gui
