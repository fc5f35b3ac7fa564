#include "views/clip/clip_cpi_view.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "documents/workspace.h"
#include "present/clpi_rows.h"
#include "views/clip/clip_grid.h"
#include "views/common/document_signals.h"

namespace mirdal::gui {

ClipCpiView::ClipCpiView(mirdal::Workspace& ws, QWidget* parent) : QWidget(parent), ws_(ws) {
  setObjectName("vClipCPI");
  auto* l = new QHBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(6);
  map_ = clipGrid("sgEPmap", tr("CPI (Characteristic Point Information)"),
                  {{"", 24}, {"PID", 40}, {"EP type", 50}, {"EP coarse", 60}, {"EP fine", 60}, {"EP map st.", 70}},
                  this);
  coarse_ = clipGrid("sgEPCoarse", tr("EP coarse entries"), {{"", 40}, {"ref_to", 50}, {"PTS_EP", 50}, {"SPN_EP", 70}},
                     this);
  fine_ = clipGrid("sgEPfine", tr("EP fine entries"),
                   {{"", 48}, {"is_angle_ch", 70}, {"I_end_pos", 60}, {"PTS_EP", 50}, {"SPN_EP", 60}}, this);
  l->addWidget(map_, 1);
  l->addWidget(coarse_, 1);
  l->addWidget(fine_, 1);
  l->setAlignment(Qt::AlignLeft);

  connect(map_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
    if (row != shown_ && !map_->isEmptyGrid()) showEntries(row);
  });
  connect(new DocumentSignals(ws_.clip, this), &DocumentSignals::changed, this, [this](const ChangeNotice& n) {
    if (n.everythingChanged()) refresh();
  });
  refresh();
}

void ClipCpiView::refresh() {
  const Cpi& cpi = ws_.clip.model().cpi;
  const int n = ws_.clip.loaded() ? int(cpi.entries.size()) : 0;
  map_->setDataRowCount(n);
  for (int i = 0; i < n; ++i) setClipRow(map_, i, QString::number(i), epStreamRow(cpi.entries[std::size_t(i)]));
  fitClipGrid(map_);
  shown_ = -2;
  showEntries(n - 1);
  if (n > 0) {
    const QSignalBlocker quiet(map_);
    map_->selectDataRow(n - 1);
  }
}

void ClipCpiView::showEntries(int entry) {
  shown_ = entry;
  const Cpi& cpi = ws_.clip.model().cpi;
  const bool valid = ws_.clip.loaded() && entry >= 0 && std::size_t(entry) < cpi.maps.size();
  const EpMapForPid empty;
  const EpMapForPid& m = valid ? cpi.maps[std::size_t(entry)] : empty;
  coarse_->setDataRowCount(int(m.coarse.size()));
  for (std::size_t i = 0; i < m.coarse.size(); ++i)
    setClipRow(coarse_, int(i), discText(epCoarseRowNumber(i)), epCoarseRow(m.coarse[i]));
  fitClipGrid(coarse_);
  fine_->setDataRowCount(int(m.fine.size()));
  for (std::size_t i = 0; i < m.fine.size(); ++i)
    setClipRow(fine_, int(i), discText(epFineRowNumber(i)), epFineRow(m.fine[i]));
  fitClipGrid(fine_);
}

}  // namespace mirdal::gui
