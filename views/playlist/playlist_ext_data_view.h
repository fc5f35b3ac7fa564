// The "ExtensionData" group of the "&PLAYLIST" page: the caption of the
// playlist's ExtensionData block and "Edit", which opens the ExtensionData
// editor on a copy; OK puts the copy into the playlist.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class Interaction;

class PlaylistExtDataView : public QWidget {
  Q_OBJECT
 public:
  PlaylistExtDataView(mirdal::Workspace& ws, Interaction& ia, QWidget* parent = nullptr);

  QLabel* playlistExtDataLabel() const { return caption_; }
  QPushButton* playlistExtDataButton() const { return edit_; }

  void refresh();
  void playlistExtDataClicked();

 private:
  mirdal::Workspace& ws_;
  Interaction& ia_;
  QLabel* caption_;
  QPushButton* edit_;
};

}  // namespace mirdal::gui
