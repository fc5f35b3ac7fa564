#include "views/bdjo_page.h"

#include "core/workspace.h"

namespace mirdal::gui {

namespace {
constexpr FilePageNames kNames{"tsBDJO", "gbBDJO", "xxxxx.bdjo", "cbBDJO", "bReadBDJO", ""};
}

BdjoPage::BdjoPage(mirdal::Workspace& ws, QWidget* parent) : FilePage(ws, kNames, parent) {}

const std::vector<std::string>& BdjoPage::fileNames() const { return ws_.disc.bdjos; }

}  // namespace mirdal::gui
