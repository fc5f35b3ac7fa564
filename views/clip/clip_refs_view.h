// The "Referenced by" group of the clip page: the playlists that use the
// chosen clip (`sgCIRef`), as the last Find on the clip page found them.
// A double click asks for the playlist (and its PlayItem) on the PLAYLIST
// page.
#pragma once

#include <QWidget>

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class StringGrid;

class ClipRefsView : public QWidget {
  Q_OBJECT
 public:
  explicit ClipRefsView(mirdal::Workspace& ws, QWidget* parent = nullptr);

  StringGrid* clipUseGrid() const { return grid_; }

  // The reference list of clip `clipRow` of the disc's clip list (-1: none).
  void showClip(int clipRow);

 signals:
  // playlist: its name (5 digits); playItem: the entry is a PlayItem ("p");
  // item: the PlayItem or SubPlayItem number.
  void playlistRequested(const QString& playlist, bool playItem, int item);

 private:
  mirdal::Workspace& ws_;
  StringGrid* grid_;
  int clip_ = -1;
};

}  // namespace mirdal::gui
