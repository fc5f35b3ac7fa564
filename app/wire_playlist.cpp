// The links of the "&PLAYLIST" page to the shared controls and the other pages.
#include <QComboBox>
#include <QPushButton>

#include "app/main_window.h"
#include "documents/disc_files.h"
#include "views/clip/clip_page.h"
#include "views/playlist/playlist_page.h"
#include "views/common/read_error_banner.h"
#include "views/common/text.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

void MainWindow::wirePlaylist() {
  playlist_->attach(ia_);
  addDocument(Page::Playlist, ws_.playlist, [this] {
    return mirdal::savePlaylist(ws_, guiReporter(), askAboutGuesses(ia_, ws_, ws_.playlist));
  });
  // Reading another playlist over a changed one asks first.
  playlist_->setBeforeRead([this] { return askToSaveChanges(&ws_.playlist); });
  // A Read changes what Save writes and whether it can: the shared
  // controls follow while the page is shown.
  connect(playlist_, &PlaylistPage::playlistRead, this, [this] {
    if (currentPage() == Page::Playlist) applySharedControls(Page::Playlist);
  });
  // A clip name: the clip page with that clip read, whatever Auto Read says
  // (the clip shown already is not read again); a name the disc does not
  // list only switches the page.
  connect(playlist_, &PlaylistPage::clipRequested, this, [this](const QString& name) {
    QComboBox* cb = clip_->clipChoice();
    const int i = cb->findText(name);
    if (i >= 0) {
      cb->setCurrentIndex(i);
      const bool shown = ws_.clip.loaded() && mirdal::clipName(ws_) == pathBytes(name);
      if (!shown && clip_->readClipButton()->isEnabled()) clip_->readClipButton()->click();
    }
    showPage(Page::ClipInfo);
  });
}

}  // namespace mirdal::gui
