#include "views/playlist/playlist_page.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLayout>
#include <algorithm>

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "documents/disc_files.h"
#include "documents/workspace.h"
#include "views/common/availability.h"
#include "views/common/pane.h"
#include "views/common/pane_splitter.h"
#include "views/playlist/playlist_app_info_view.h"
#include "views/playlist/playlist_ext_data_view.h"
#include "views/playlist/playlist_items_view.h"
#include "views/playlist/playlist_marks_view.h"
#include "views/playlist/playlist_stn_view.h"
#include "views/playlist/playlist_subpath_view.h"
#include "views/common/read_error_banner.h"
#include "views/common/text.h"
#include "views/common/ui_metrics.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {
constexpr FilePageNames kPlaylistNames{"tsPlaylist", "gbPlaylist", "xxxxx.mpls", "cbPlaylist", "bReadPL", "", true};
}

PlaylistPage::PlaylistPage(mirdal::Workspace& ws, QWidget* parent) : FilePage(ws, kPlaylistNames, parent) {
  QWidget* content = contentPane();
  auto* row = new QHBoxLayout;
  row->setSpacing(6);
  static_cast<QBoxLayout*>(content->layout())->addLayout(row, 1);

  auto* left = new QVBoxLayout;
  left->setSpacing(6);
  left->addWidget(makeGroup("gbAppInfoPlayList", QStringLiteral("AppInfoPlayList"), content, &appInfo_,
                            "pAppInfoPlayList"),
                  1);
  left->addWidget(makeGroup("gbPLExtensionData", QStringLiteral("ExtensionData"), content, &extData_,
                            "pPLExtensionData"));
  row->addLayout(left, 0);

  auto* split = new PaneSplitter(Qt::Vertical, "splPlaylist", content);
  split_ = split;
  split_->addWidget(makeGroup("gbPlayList", QStringLiteral("PlayList"), split_, &playList_, "pPlayList"));
  split_->addWidget(makeGroup("gbSubPath", QStringLiteral("SubPath"), split_, &subPath_, "pSubPath"));
  split_->addWidget(
      makeGroup("gbPlayListMark", QStringLiteral("PlayListMark"), split_, &mark_, "pPlayListMark"));
  split_->widget(1)->setMinimumHeight(px(this, kMinSubPathHeight));
  split_->widget(2)->setMinimumHeight(px(this, kMinMarkHeight));
  split_->setStretchFactor(0, 0);
  split_->setStretchFactor(1, 0);
  split_->setStretchFactor(2, 1);
  row->addWidget(split_, 1);
  showDocument(ws.playlist);

  connect(split, &PaneSplitter::resized, this, &PlaylistPage::applyPaneRules);
  connect(split_, &QSplitter::splitterMoved, this, [this] {
    const QList<int> s = split_->sizes();
    wantPlayList_ = s.value(0);
    wantSubPath_ = s.value(1);
    setAtHeight_ = s.value(0) + s.value(1) + s.value(2);
    emit paneHeightsChanged();
  });
}

const std::vector<std::string>& PlaylistPage::fileNames() const { return ws_.disc.playlists; }

void PlaylistPage::attach(Interaction& ia) {
  if (appInfoView_) return;
  ia_ = &ia;
  // The mask boxes need more height than the smallest window has: the
  // group scrolls there.
  auto* appArea = new QScrollArea(appInfo_);
  appArea->setObjectName("saAppInfoPlayList");
  // The panes' scroll areas hold controls; a click beside them leaves the
  // focus where it was.
  appArea->setFocusPolicy(Qt::NoFocus);
  appArea->setFrameShape(QFrame::NoFrame);
  appArea->setWidgetResizable(true);
  appArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  appArea->setMinimumHeight(1);
  appInfoView_ = new PlaylistAppInfoView(ws_, appArea);
  appArea->setWidget(appInfoView_);
  appArea->viewport()->setAutoFillBackground(false);
  appInfoView_->setAutoFillBackground(false);
  appArea->setMinimumWidth(appInfoView_->sizeHint().width() + appArea->verticalScrollBar()->sizeHint().width());
  placeInPane(appInfo_, appArea);
  extDataView_ = new PlaylistExtDataView(ws_, ia, extData_);
  placeInPane(extData_, extDataView_);

  // "PlayList": the PlayItems with their angles, then the STN table of the
  // selected one.
  // The user may make the pane lower or narrower than its content: it
  // scrolls then.
  auto* area = new QScrollArea(playList_);
  area->setObjectName("saPlayList");
  area->setFocusPolicy(Qt::NoFocus);
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setMinimumHeight(1);
  auto* inner = new QWidget(area);
  auto* row = new QHBoxLayout(inner);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(6);
  itemsView_ = new PlaylistItemsView(ws_, ia, inner);
  stnView_ = new PlaylistStnView(ws_, inner);
  row->addWidget(itemsView_, 0);
  row->addWidget(stnView_, 1);
  area->setWidget(inner);
  area->viewport()->setAutoFillBackground(false);  // the group's own background
  inner->setAutoFillBackground(false);
  placeInPane(playList_, area);
  subPathView_ = new PlaylistSubPathView(ws_, subPath_);
  placeInPane(subPath_, subPathView_);
  marksView_ = new PlaylistMarksView(ws_, ia, mark_);
  placeInPane(mark_, marksView_);

  connect(itemsView_, &PlaylistItemsView::playItemSelected, stnView_, &PlaylistStnView::setPlayItem);
  connect(itemsView_, &PlaylistItemsView::playItemSelected, marksView_, &PlaylistMarksView::setPlayItem);
  connect(itemsView_, &PlaylistItemsView::clipRequested, this, &PlaylistPage::clipRequested);
  connect(subPathView_, &PlaylistSubPathView::clipRequested, this, &PlaylistPage::clipRequested);
  stnView_->setPlayItem(itemsView_->selectedPlayItem());
  marksView_->setPlayItem(itemsView_->selectedPlayItem());
  marksView_->setPlayItemFocused([this] { return itemsView_->isAncestorOf(window()->focusWidget()); });
  connectAction(readPlaylistButton(), [this] { readPlaylistClicked(); }, false);
  // A playlist chosen while Auto Read is off stays unread until "&Read";
  // with Auto Read, FilePage reads it.
}

// A Read of the disc starts the page from nothing: a playlist of the disc
// read before must never be saved into this one.
void PlaylistPage::refresh() {
  FilePage::refresh();
  if (ws_.playlist.loaded() || !ws_.playlist.fileName().empty()) ws_.playlist.reset();
}

void PlaylistPage::readPlaylistClicked() {
  const QString name = playlistChoice()->currentText();
  if (name.isEmpty()) return;
  if (beforeRead_ && !beforeRead_()) {
    // The playlist stays: so does its name in the choice.
    const int shown = playlistChoice()->findText(saveName());
    if (shown >= 0) playlistChoice()->setCurrentIndex(shown);
    return;
  }
  mirdal::readPlaylist(ws_, pathBytes(name), guiReporter());
  playlistChoice()->setFocus();
  emit playlistRead();
}

QString PlaylistPage::saveName() const {
  const std::string& file = ws_.playlist.fileName();
  if (file.empty()) return playlistChoice()->currentText();
  return QFileInfo(pathText(file)).completeBaseName();
}

int PlaylistPage::selectedPlayItem() const { return itemsView_ ? itemsView_->selectedPlayItem() : -1; }

bool PlaylistPage::hasSomethingToSave() const { return ws_.playlist.loaded(); }

void PlaylistPage::save() {
  mirdal::savePlaylist(ws_, guiReporter(), ia_ ? askAboutGuesses(*ia_, ws_, ws_.playlist) : mirdal::Guesses::Refuse);
}

int PlaylistPage::playListHeight() const { return split_->isVisible() ? split_->sizes().value(0) : wantPlayList_; }
int PlaylistPage::subPathHeight() const { return split_->isVisible() ? split_->sizes().value(1) : wantSubPath_; }
int PlaylistPage::playListMarkHeight() const { return split_->isVisible() ? split_->sizes().value(2) : -1; }

void PlaylistPage::setPaneHeights(int playList, int subPath, int playListMark) {
  wantPlayList_ = std::max(0, playList);
  wantSubPath_ = std::max(0, subPath);
  // Without the mark pane's height, the heights are for the panel as it is.
  setAtHeight_ = playListMark >= 0 ? wantPlayList_ + wantSubPath_ + playListMark : -1;
  applyPaneRules();
}

// The heights set hold at the panel height they were set at. A taller panel
// shares its growth among the three panes, so that the SubPaths and the
// PlayItems show more rows too on a large screen; in a lower one
// "PlayListMark" gives way down to its minimum, then "SubPath", then
// "PlayList".
void PlaylistPage::applyPaneRules() {
  // Before the splitter is shown its size means nothing yet; the wanted
  // heights wait for the first real layout.
  if (!split_->isVisible()) return;
  const int total = split_->height() - 2 * split_->handleWidth();
  if (total <= 0) return;
  if (setAtHeight_ < 0) setAtHeight_ = total;
  // A group cannot be smaller than its caption and frame either.
  const int minMark = std::max(px(this, kMinMarkHeight), split_->widget(2)->minimumSizeHint().height());
  const int minSub = std::max(px(this, kMinSubPathHeight), split_->widget(1)->minimumSizeHint().height());
  const int share = std::max(0, total - setAtHeight_) / 3;
  int pl = wantPlayList_ + share;
  int sp = std::max(wantSubPath_ + share, minSub);
  if (total - pl - sp < minMark) {
    sp = total - pl - minMark;
    if (sp < minSub) {
      sp = minSub;
      pl = total - minSub - minMark;
    }
  }
  pl = std::max(pl, 0);
  split_->setSizes({pl, sp, total - pl - sp});
}

}  // namespace mirdal::gui
