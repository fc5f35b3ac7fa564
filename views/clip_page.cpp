#include "views/clip_page.h"

#include "documents/workspace.h"

namespace mirdal::gui {

namespace {
constexpr FilePageNames kNames{"tsClipinf", "gbClipinf", "zzzzz.clpi", "cbClipinf", "bReadCI",
                               "Read the selected .clpi file", true};
}

ClipPage::ClipPage(mirdal::Workspace& ws, QWidget* parent) : FilePage(ws, kNames, parent) {}

const std::vector<std::string>& ClipPage::fileNames() const { return ws_.disc.clips; }

}  // namespace mirdal::gui
