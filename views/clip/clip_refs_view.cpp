#include "views/clip/clip_refs_view.h"

#include <QVBoxLayout>

#include "documents/workspace.h"
#include "present/clpi_rows.h"
#include "views/clip/clip_grid.h"

namespace mirdal::gui {

ClipRefsView::ClipRefsView(mirdal::Workspace& ws, QWidget* parent) : QWidget(parent), ws_(ws) {
  setObjectName("vClipRefs");
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  grid_ = clipGrid("sgCIRef", QString(), {{"", 24}, {"mpls", 44}, {"s/p", 28}, {"item", 44}}, this);
  l->addWidget(grid_, 1);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (clip_ < 0 || std::size_t(clip_) >= ws_.disc.ciRefs.size()) return;
    const ClipUses& refs = ws_.disc.ciRefs[std::size_t(clip_)];
    if (row < 0 || std::size_t(row) >= refs.size()) return;
    const ClipUse& r = refs[std::size_t(row)];
    emit playlistRequested(discText(ciRefRow(r).at(0)), r.kind == 'p', r.item);
  });
  showClip(-1);
}

void ClipRefsView::showClip(int clipRow) {
  clip_ = clipRow;
  const bool valid = clipRow >= 0 && std::size_t(clipRow) < ws_.disc.ciRefs.size();
  const int n = valid ? int(ws_.disc.ciRefs[std::size_t(clipRow)].size()) : 0;
  grid_->setDataRowCount(n);
  for (int i = 0; i < n; ++i)
    setClipRow(grid_, i, QString::number(i + 1), ciRefRow(ws_.disc.ciRefs[std::size_t(clipRow)][std::size_t(i)]));
  fitClipGrid(grid_);
}

}  // namespace mirdal::gui
