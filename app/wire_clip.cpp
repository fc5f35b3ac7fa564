// The links of the "&CLIPINF" page to the shared controls and the other
// pages: its document, the Save hint, Find (also on the "&PLAYLIST" page),
// the menu taken from a stream, the playlists named in "Referenced by" and
// the PlayItem that "Apply to clpi" uses.
#include <QComboBox>
#include <QPushButton>

#include "app/main_window.h"
#include "core/report.h"
#include "documents/disc_files.h"
#include "formats/common/find_tool.h"
#include "views/common/availability.h"
#include "views/clip/clip_page.h"
#include "views/common/document_signals.h"
#include "views/common/interaction.h"
#include "views/playlist/playlist_page.h"
#include "views/common/read_error_banner.h"
#include "views/shell/shared_controls.h"
#include "views/common/string_grid.h"
#include "views/common/text.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {

// The PlayItem grid of the playlist page, once that page has one.
StringGrid* playItemGrid(PlaylistPage* page) { return page->findChild<StringGrid*>(QStringLiteral("sgPLitem")); }

}  // namespace

void MainWindow::wireClip() {
  ClipPage* page = clip_;
  page->setInteraction(&ia_);
  addDocument(Page::ClipInfo, ws_.clip, [this] {
    return mirdal::saveClip(ws_, guiReporter(), askAboutGuesses(ia_, ws_, ws_.clip));
  });

  // Before a changed clip or menu is replaced: the one document's question.
  page->setAskToSave([this](mirdal::DocumentBase& doc) {
    for (const PageDocument& d : documents_) {
      if (d.doc != &doc) continue;
      switch (ia_.ask(tr("Save the changes to %1?").arg(discText(doc.fileName())), Choices::SaveDiscardCancel)) {
        case Answer::Yes: return d.save();
        case Answer::No: return true;
        case Answer::Cancel: return false;
      }
    }
    return ia_.ask(tr("Discard the changes to %1?").arg(discText(doc.fileName())), Choices::YesCancel) == Answer::Yes;
  });

  // "Apply to clpi" takes the PlayItem selected on the playlist page.
  page->setSelectedPlayItem([this]() -> std::optional<std::size_t> {
    const StringGrid* g = playItemGrid(playlist_);
    if (!g || g->isEmptyGrid()) return std::nullopt;
    const int row = g->selectedRowRange().first;
    if (row < 0) return std::nullopt;
    return std::size_t(row);
  });

  // The Save button follows the clip read and the clip chosen.
  const auto showClipControls = [this] {
    if (currentPage() == Page::ClipInfo) applySharedControls(Page::ClipInfo);
  };
  connect(page, &ClipPage::clipChosen, this, showClipControls);
  connect(new DocumentSignals(ws_.clip, this), &DocumentSignals::changed, this, showClipControls);

  connect(page, &ClipPage::menuLoaded, this, [this] { showPage(Page::Menu); });

  connect(page, &ClipPage::playlistRequested, this, [this](const QString& name, bool playItem, int item) {
    QComboBox* cb = playlist_->playlistChoice();
    const int i = cb->findText(name);
    if (i < 0) return;
    cb->setCurrentIndex(i);
    if (playlist_->readPlaylistButton()->isEnabled()) playlist_->readPlaylistButton()->click();
    showPage(Page::Playlist);
    StringGrid* g = playItemGrid(playlist_);
    if (playItem && item > 0 && g && item < g->dataRowCount()) {
      g->selectDataRow(item);
      g->scrollToItem(g->item(item, 0));
    }
  });

  // Find: on the playlist page the commands that play the chosen playlist,
  // on the clip page the playlists that use each clip.
  connectAction(
      shared_->findButton(),
      [this] {
        if (currentPage() == Page::Playlist) {
          const QString name = playlist_->playlistChoice()->currentText();
          bool number = false;
          const unsigned playlist = name.toUInt(&number);
          if (name.isEmpty()) return;
          if (!number) {
            guiReporter().logError(pathBytes(name) + " is not a playlist number.");
            return;
          }
          mirdal::logPlaylistFind(pathBytes(name), mirdal::findPlaylistCommands(ws_.mobj.model(), playlist), guiReporter());
          showPage(Page::Status);
        } else if (currentPage() == Page::ClipInfo) {
          // The status line ends on "Ready." or on the missing stream
          // files, not on the last playlist read.
          guiReporter().resetErrorCount();
          mirdal::findClipReferences(ws_.disc, ws_.names(), guiReporter());
          guiReporter().setStatusStepEnd();
          clip_->showReferences();
        }
      },
      false);
}

}  // namespace mirdal::gui
