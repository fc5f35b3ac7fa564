// The "&PLAYLIST" page frame: the playlist choice and "&Read", then the
// "AppInfoPlayList" and "ExtensionData" groups beside the playlist panel,
// whose "PlayList", "SubPath" and "PlayListMark" groups share a splitter.
//
// Pane rules: the "PlayListMark" pane keeps at least 96 pixels and the
// "SubPath" pane at least 92; window resizes go to "PlayListMark"; the
// heights of "PlayList" and "SubPath" are what the user set, as far as the
// minimums allow.
#pragma once

#include "views/file_page.h"

class QSplitter;

namespace mirdal::gui {

class PlaylistPage : public FilePage {
  Q_OBJECT
 public:
  PlaylistPage(mirdal::Workspace& ws, QWidget* parent = nullptr);

  QComboBox* cbPlaylist() const { return choice(); }
  QPushButton* bReadPL() const { return readButton(); }

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
  // what the others leave).
  int playListHeight() const;
  int subPathHeight() const;
  int playListMarkHeight() const;
  void setPaneHeights(int playList, int subPath);

 signals:
  void paneHeightsChanged();

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
  int wantPlayList_ = 176;
  int wantSubPath_ = 92;
};

}  // namespace mirdal::gui
