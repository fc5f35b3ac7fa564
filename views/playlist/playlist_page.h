// The "&PLAYLIST" page frame: the playlist choice and "&Read", then the
// "AppInfoPlayList" and "ExtensionData" groups beside the playlist panel,
// whose "PlayList", "SubPath" and "PlayListMark" groups share a splitter.
//
// Pane rules: the "PlayListMark" pane keeps at least 96 pixels and the
// "SubPath" pane at least 92; the heights of "PlayList" and "SubPath" are
// what the user set, as far as the minimums allow; a taller window than
// the one they were set in shares its growth among the three panes.
//
// The views of the groups (views/playlist_*_view.h) come with attach(),
// when the main window hands over its Interaction for their questions. They
// show ws.playlist and edit it through its document; "&Read" loads the
// chosen playlist into it and Save writes it back under its own name.
#pragma once

#include <functional>

#include "views/common/file_page.h"

class QSplitter;

namespace mirdal::gui {

class Interaction;
class PlaylistAppInfoView;
class PlaylistExtDataView;
class PlaylistItemsView;
class PlaylistMarksView;
class PlaylistStnView;
class PlaylistSubPathView;

class PlaylistPage : public FilePage {
  Q_OBJECT
 public:
  PlaylistPage(mirdal::Workspace& ws, QWidget* parent = nullptr);

  QComboBox* playlistChoice() const { return choice(); }
  QPushButton* readPlaylistButton() const { return readButton(); }

  // Builds the views of the groups; questions and file choices go to `ia`.
  void attach(Interaction& ia);
  PlaylistAppInfoView* appInfoView() const { return appInfoView_; }
  PlaylistItemsView* itemsView() const { return itemsView_; }
  PlaylistStnView* stnView() const { return stnView_; }
  PlaylistSubPathView* subPathView() const { return subPathView_; }
  PlaylistMarksView* marksView() const { return marksView_; }
  PlaylistExtDataView* extDataView() const { return extDataView_; }

  // Asked before a Read replaces a playlist with unsaved changes: true
  // when the Read may go on.
  void setBeforeRead(std::function<bool()> ask) { beforeRead_ = std::move(ask); }
  // Reads the playlist chosen in cbPlaylist.
  void readPlaylistClicked();
  // The base name Save writes: the playlist read last, else the one chosen.
  QString saveName() const;
  // The selected PlayItem (-1: none), for the tools that work on it.
  int selectedPlayItem() const;

  void refresh() override;
  bool hasSomethingToSave() const override;
  void save() override;

  QWidget* appInfoPane() const { return appInfo_; }
  QWidget* extensionDataPane() const { return extData_; }
  QWidget* playListPane() const { return playList_; }
  QWidget* subPathPane() const { return subPath_; }
  QWidget* playListMarkPane() const { return mark_; }
  QSplitter* playlistSplitter() const { return split_; }

  static constexpr int kMinMarkHeight = 96;
  static constexpr int kMinSubPathHeight = 92;

  // Pane heights in pixels, as stored in the settings; while the page was
  // never shown, the heights set (and -1 for "PlayListMark", which takes
  // what the others leave). The heights set are those of a panel as high
  // as the three together; without "PlayListMark", of the panel as it is.
  int playListHeight() const;
  int subPathHeight() const;
  int playListMarkHeight() const;
  void setPaneHeights(int playList, int subPath, int playListMark = -1);

 signals:
  void paneHeightsChanged();
  // A double click on a clip name of a PlayItem, angle, SubPlayItem or
  // multi-clip entry.
  void clipRequested(const QString& name);
  // A Read of a playlist ended (read or not).
  void playlistRead();

 protected:
  const std::vector<std::string>& fileNames() const override;

 private:
  void applyPaneRules();
  QWidget* appInfo_;
  QWidget* extData_;
  QWidget* playList_;
  QWidget* subPath_;
  QWidget* mark_;
  QSplitter* split_;
  PlaylistAppInfoView* appInfoView_ = nullptr;
  PlaylistItemsView* itemsView_ = nullptr;
  PlaylistStnView* stnView_ = nullptr;
  PlaylistSubPathView* subPathView_ = nullptr;
  PlaylistMarksView* marksView_ = nullptr;
  PlaylistExtDataView* extDataView_ = nullptr;
  std::function<bool()> beforeRead_;
  Interaction* ia_ = nullptr;
  int wantPlayList_ = 176;
  int wantSubPath_ = 92;
  int setAtHeight_ = -1;  // the panel height the heights were set at
};

}  // namespace mirdal::gui
