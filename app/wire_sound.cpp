// The links of the "sound.bdmv" group of the "&BDMV" page to the shared controls and the other pages.
#include <QPushButton>

#include "app/audio.h"
#include "app/main_window.h"
#include "documents/disc_files.h"
#include "views/common/availability.h"
#include "views/bdmv/bdmv_page.h"
#include "views/common/document_signals.h"
#include "views/shell/options_page.h"
#include "views/common/pane.h"
#include "views/common/read_error_banner.h"
#include "views/sound/sound_view.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

void MainWindow::wireSound() {
  auto* view = new SoundView(ws_, ia_, bdmv_->soundPane());
  placeInPane(bdmv_->soundPane(), view);
  addPageView(Page::BDMV, view);
  addDocument(Page::BDMV, ws_.sound, [this] {
    return mirdal::saveSound(ws_, guiReporter(), askAboutGuesses(ia_, ws_, ws_.sound));
  });
  connect(view, &SoundView::playRequested, this,
          [this](std::size_t entry) { audio_->playSound(ws_.sound.model(), entry); });

  // "Create sound.bdmv" starts a file on a disc that has none; a sound.bdmv
  // that was found (even one that could not be read) is never replaced.
  QPushButton* create = options_->createSoundButton();
  // Loads and resets also come in the middle of a Read, while the other
  // documents are half reset: only the button follows them here, and the
  // Read sets the shared controls when it is done.
  auto follow = [this, create] {
    setEnabledIfAvailable(create, ws_.disc.checkPassed && !ws_.disc.soundPresent && !ws_.sound.loaded());
  };
  connectAction(create, [this, view] {
    showPage(Page::BDMV);
    view->createSound();
    pageControlChanged();  // Save follows the new file
  }, false);
  connect(view, &SoundView::shown, this, follow);
  connect(new DocumentSignals(ws_.sound, this), &DocumentSignals::changed, this, follow);
}

}  // namespace mirdal::gui
