// The "&BDMV" page: the disc folder row, the "MovieObject.bdmv" group (movie
// objects above the command list, with a splitter), the "index.bdmv" group
// and the "sound.bdmv" group, shown while a sound file is read or created.
//
// The grids and editors of these groups are separate views placed into the
// panes this frame exposes (objectsPane, commandsPane, indexPane, soundPane);
// the frame connects them: a title names a movie object, the selected movie
// object's program is listed, object counts reach the object choices.
#pragma once

#include <QWidget>

#include "views/common/page_view.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QSplitter;

namespace mirdal {
struct ChangeNotice;
struct Workspace;
}

namespace mirdal::gui {

class Interaction;
class ObjectProgramView;
class IndexAppInfoView;
class ObjectsView;
class TitlesView;
class VerticalLabel;

class BdmvPage : public QWidget, public PageView {
  Q_OBJECT
 public:
  BdmvPage(mirdal::Workspace& ws, Interaction& ia, QWidget* parent = nullptr);

  QLineEdit* discFolderField() const { return discFolderField_; }
  QToolButton* openFolderButton() const { return openFolderButton_; }
  QPushButton* readDiscButton() const { return readDiscButton_; }
  // "Check disc": enabled after a Read; the main window runs the check.
  QPushButton* bCheckDisc() const { return bCheckDisc_; }
  QPushButton* bPlayDisc() const { return bPlayDisc_; }

  // Shown while no disc folder is chosen (a first start): where to begin.
  QLabel* startHintLabel() const { return startHintLabel_; }
  static QString startHint();

  QGroupBox* movieObjectGroup() const { return movieObjectGroup_; }
  QGroupBox* indexGroup() const { return indexGroup_; }
  QGroupBox* soundGroup() const { return soundGroup_; }
  QSplitter* movieObjectSplitter() const { return split_; }

  // Where the views go: the objects grid with its flag editors, the command
  // grid with its field editor, the titles grid with the title editors and
  // First Playback / Top Menu, the sound view.
  QWidget* objectsPane() const { return objectsPane_; }
  QWidget* commandsPane() const { return commandsPane_; }
  QWidget* indexPane() const { return indexPane_; }
  QWidget* soundPane() const { return soundPane_; }

  TitlesView* titlesView() const { return titles_; }
  IndexAppInfoView* appInfoView() const { return appInfo_; }
  ObjectsView* objectsView() const { return objects_; }
  ObjectProgramView* objectProgram() const { return commands_; }

  // The counters beside the titles and objects grids.
  VerticalLabel* titleCountLabel() const { return titleCountLabel_; }
  VerticalLabel* objectCountLabel() const { return objectCountLabel_; }
  // Refreshes both counters from the models (empty while a file is not loaded).
  void bdmvLabels();

  // The run panel's object choice: filled with the object numbers and kept
  // on the selected movie object.
  void setRunObjectChoice(QComboBox* cb);
  // The selected movie object, -1 for none.
  int selectedMovieObject() const;
  // The commands of movie object i changed: its row shows the new count.
  void movieObjectChanged(int i);
  // Double click on Jump Title / Call Title N: title N is selected, with
  // its movie object, and the first line of the program.
  void showTitle(int title);

  // Height of the objects pane; the commands pane keeps at least its
  // minimum height, and window resizes go to the commands pane.
  int objectHeight() const;
  void setObjectHeight(int h);
  static constexpr int kMinCommandsHeight = 167;

  void refresh() override;
  // Save writes index.bdmv and MovieObject.bdmv; it needs the index loaded
  // and titles or movie objects.
  bool hasSomethingToSave() const override;
  void save() override;
  // Start runs the selected movie object, which needs commands.
  bool canStart() const override;

  // The command list pane is wide enough for the objects' ExtensionData
  // caption.
  static constexpr int kMinWidthForObjectExtData = 510;

 signals:
  void objectHeightChanged(int h);
  // The movie object whose program is shown (-1: none).
  void movieObjectSelected(int object);
  // A double click on a BD-J title asks the BD-J page for this object.
  void bdjObjectRequested(const QString& name);
  // What hasSomethingToSave() or canStart() answer may have changed.
  void availabilityChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void keepCommandsPaneHeight();
  void objectSelected(int object);
  void objectCountChanged(int count);
  void indexChanged(const mirdal::ChangeNotice& n);
  void movieObjectsChanged(const mirdal::ChangeNotice& n);

  mirdal::Workspace& ws_;
  Interaction& ia_;
  QLineEdit* discFolderField_;
  QToolButton* openFolderButton_;
  QPushButton* readDiscButton_;
  QPushButton* bCheckDisc_;
  QPushButton* bPlayDisc_;
  QLabel* startHintLabel_;
  QGroupBox* movieObjectGroup_;
  QGroupBox* indexGroup_;
  QGroupBox* soundGroup_;
  QSplitter* split_;
  QWidget* objectsPane_;
  QWidget* commandsPane_;
  QWidget* indexPane_;
  QWidget* soundPane_;
  VerticalLabel* titleCountLabel_;
  VerticalLabel* objectCountLabel_;
  TitlesView* titles_;
  IndexAppInfoView* appInfo_ = nullptr;
  ObjectsView* objects_;
  ObjectProgramView* commands_;
  QComboBox* runObject_ = nullptr;
  int wantedObjectHeight_ = 75;
  bool userSized_ = false;  // the splitter was moved in this run
};

}  // namespace mirdal::gui
