#include "views/clip/clip_sequence_view.h"

#include <QSignalBlocker>
#include <QVBoxLayout>

#include "documents/workspace.h"
#include "present/clpi_rows.h"
#include "views/clip/clip_grid.h"
#include "views/common/document_signals.h"

namespace mirdal::gui {

ClipSequenceView::ClipSequenceView(mirdal::Workspace& ws, QWidget* parent) : QWidget(parent), ws_(ws) {
  setObjectName("vClipSequences");
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(4);
  atc_ = clipGrid("sgSequence", tr("Sequences"), {{"", 24}, {"SPN_ATC_start", 80}, {"num of STC", 60}, {"offset STC", 60}},
                  this);
  stc_ = clipGrid("sgSTCseq", tr("STC sequences"),
                  {{"", 24}, {"PCR_PID", 50}, {"SPN_STC_st", 70}, {"present. st.", 80}, {"present. end", 80}}, this);
  l->addWidget(atc_, 1);
  l->addWidget(stc_, 2);

  connect(atc_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
    if (row != shown_ && !atc_->isEmptyGrid()) showStc(row);
  });
  connect(new DocumentSignals(ws_.clip, this), &DocumentSignals::changed, this, [this](const ChangeNotice& n) {
    if (n.everythingChanged()) refresh();
  });
  refresh();
}

void ClipSequenceView::refresh() {
  const auto& atcs = ws_.clip.model().sequenceInfo.atcSequences;
  const int n = ws_.clip.loaded() ? int(atcs.size()) : 0;
  atc_->setDataRowCount(n);
  for (int i = 0; i < n; ++i) setClipRow(atc_, i, QString::number(i), atcSequenceRow(atcs[std::size_t(i)]));
  fitClipGrid(atc_);
  shown_ = -2;
  showStc(n - 1);
  if (n > 0) {
    const QSignalBlocker quiet(atc_);
    atc_->selectDataRow(n - 1);
  }
}

void ClipSequenceView::showStc(int atcSequence) {
  shown_ = atcSequence;
  const auto& atcs = ws_.clip.model().sequenceInfo.atcSequences;
  const bool valid = ws_.clip.loaded() && atcSequence >= 0 && std::size_t(atcSequence) < atcs.size();
  const int n = valid ? int(atcs[std::size_t(atcSequence)].stcSequences.size()) : 0;
  stc_->setDataRowCount(n);
  for (int i = 0; i < n; ++i)
    setClipRow(stc_, i, QString::number(i), stcSequenceRow(atcs[std::size_t(atcSequence)].stcSequences[std::size_t(i)]));
  fitClipGrid(stc_);
  stc_->setVisible(n > 0);
}

}  // namespace mirdal::gui
