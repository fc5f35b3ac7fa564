#include "views/bdjo/bdjo_page.h"

#include <QComboBox>
#include <QPushButton>

#include "documents/workspace.h"
#include "documents/disc_files.h"
#include "views/common/availability.h"
#include "views/bdjo/bdjo_view.h"
#include "views/common/pane.h"
#include "views/common/text.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {
constexpr FilePageNames kBdjoNames{"tsBDJO", "gbBDJO", "xxxxx.bdjo", "cbBDJO", "bReadBDJO", ""};
}

BdjoPage::BdjoPage(mirdal::Workspace& ws, QWidget* parent) : FilePage(ws, kBdjoNames, parent) {
  view_ = new BdjoView(ws, contentPane());
  placeInPane(contentPane(), view_);
  showDocument(ws.bdjo);
  connect(view_, &BdjoView::playListRequested, this, &BdjoPage::playListRequested);
  connectAction(readBdjoButton(), [this] { readBdjoClicked(); }, false);
}

const std::vector<std::string>& BdjoPage::fileNames() const { return ws_.disc.bdjos; }

void BdjoPage::refresh() {
  FilePage::refresh();
  view_->refresh();
}

void BdjoPage::readBdjoClicked() {
  const QString name = bdjoChoice()->currentText();
  if (name.isEmpty()) return;
  mirdal::readBdjo(ws_, pathBytes(name), guiReporter());
  view_->refresh();
  bdjoChoice()->setFocus();
}

bool BdjoPage::openObject(const QString& name) {
  const int i = bdjoChoice()->findText(name);
  if (i < 0 || !readBdjoButton()->isEnabled()) return false;
  bdjoChoice()->setCurrentIndex(i);
  readBdjoButton()->click();
  return true;
}

}  // namespace mirdal::gui
