#include "views/playlist/playlist_ext_data_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "documents/workspace.h"
#include "formats/playlist/mpls_edit.h"
#include "views/common/document_signals.h"
#include "views/common/ext_data_dialog.h"
#include "views/common/text.h"

namespace mirdal::gui {

PlaylistExtDataView::PlaylistExtDataView(mirdal::Workspace& ws, Interaction& ia, QWidget* parent)
    : QWidget(parent), ws_(ws), ia_(ia) {
  setObjectName("vPLExtensionData");
  auto* l = new QHBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  caption_ = new QLabel(this);
  caption_->setObjectName("lPLExtDat");
  caption_->setToolTip(tr("ExtensionData()"));
  caption_->setWordWrap(true);
  edit_ = new QPushButton(tr("Edit"), this);
  edit_->setObjectName("bPLExDatEdit");
  l->addWidget(caption_, 1);
  l->addWidget(edit_);
  connect(edit_, &QPushButton::clicked, this, &PlaylistExtDataView::playlistExtDataClicked);
  connect(new DocumentSignals(ws_.playlist, this), &DocumentSignals::changed, this, [this] { refresh(); });
  refresh();
}

void PlaylistExtDataView::refresh() {
  const bool on = ws_.playlist.loaded();
  caption_->setText(on ? discText(extensionDataCaption(ws_.playlist.model().extensionData)) : QString());
  edit_->setEnabled(on);
}

void PlaylistExtDataView::playlistExtDataClicked() {
  if (!ws_.playlist.loaded()) return;
  ExtensionData copy = ws_.playlist.model().extensionData;
  if (!editExtensionData(this, ia_, ws_.options.outputFolder, ws_.playlist.fileName(), copy)) return;
  ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::ExtensionData, 0), [&](Playlist& m) { applyExtensionData(m, copy); });
}

}  // namespace mirdal::gui
