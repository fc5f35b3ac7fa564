// The "&BDMV" page: the disc folder row, the "MovieObject.bdmv" group (movie
// objects above the command list, with a splitter), the "index.bdmv" group
// and the "sound.bdmv" group, shown only when that file was found.
//
// The grids and editors of these groups are separate views placed into the
// panes this frame exposes (objectsPane, commandsPane, indexPane, soundPane).
#pragma once

#include <QWidget>

#include "views/page_view.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class QSplitter;

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class VerticalLabel;

class BdmvPage : public QWidget, public PageView {
  Q_OBJECT
 public:
  BdmvPage(mirdal::Workspace& ws, QWidget* parent = nullptr);

  QLineEdit* eBDMVdir() const { return eBDMVdir_; }
  QToolButton* bbOpenDir() const { return bbOpenDir_; }
  QPushButton* bReadBDMV() const { return bReadBDMV_; }

  QGroupBox* gbMovieObject() const { return gbMovieObject_; }
  QGroupBox* gbIndex() const { return gbIndex_; }
  QGroupBox* gbSound() const { return gbSound_; }
  QSplitter* movieObjectSplitter() const { return split_; }

  // Where the views go: the objects grid with its flag editors, the command
  // grid with its field editor, the titles grid with the title editors and
  // First Playback / Top Menu, the sound view.
  QWidget* objectsPane() const { return objectsPane_; }
  QWidget* commandsPane() const { return commandsPane_; }
  QWidget* indexPane() const { return indexPane_; }
  QWidget* soundPane() const { return soundPane_; }

  // The counters beside the titles and objects grids.
  VerticalLabel* lTitlenum() const { return lTitlenum_; }
  VerticalLabel* lObjects() const { return lObjects_; }
  // titles + k titles (k of First Playback and Top Menu set), n objects.
  void BDMVlabels(int titleCount, int entriesSet, int objectCount);

  // Height of the objects pane; the commands pane keeps at least its
  // minimum height, and window resizes go to the commands pane.
  int objectHeight() const;
  void setObjectHeight(int h);
  static constexpr int kMinCommandsHeight = 167;

  void refresh() override;

 signals:
  void objectHeightChanged(int h);

 private:
  void keepCommandsPaneHeight();

  mirdal::Workspace& ws_;
  QLineEdit* eBDMVdir_;
  QToolButton* bbOpenDir_;
  QPushButton* bReadBDMV_;
  QGroupBox* gbMovieObject_;
  QGroupBox* gbIndex_;
  QGroupBox* gbSound_;
  QSplitter* split_;
  QWidget* objectsPane_;
  QWidget* commandsPane_;
  QWidget* indexPane_;
  QWidget* soundPane_;
  VerticalLabel* lTitlenum_;
  VerticalLabel* lObjects_;
  int wantedObjectHeight_ = 75;
};

QString titleCounterText(int titleCount, int entriesSet);
QString objectCounterText(int objectCount);

}  // namespace mirdal::gui
