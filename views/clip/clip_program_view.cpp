#include "views/clip/clip_program_view.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "documents/workspace.h"
#include "present/clip_rules.h"
#include "present/clpi_rows.h"
#include "stream/pid_export.h"
#include "views/clip/clip_grid.h"
#include "views/common/document_signals.h"

namespace mirdal::gui {

namespace {

QPushButton* actionButton(const char* name, const QString& caption, const QString& hint, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  if (!hint.isEmpty()) b->setToolTip(hint);
  b->setEnabled(false);
  return b;
}

}  // namespace

ClipProgramView::ClipProgramView(mirdal::Workspace& ws, QWidget* parent) : QWidget(parent), ws_(ws) {
  setObjectName("vClipProgram");
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(4);
  grid_ = clipGrid("sgCI", tr("ProgramInfo (Double click to play the m2ts file)"),
                   {{"", 24}, {"PID", 40}, {"Stream type", 80}, {"Details", 150}}, this, true);
  l->addWidget(grid_, 1);

  savePid_ = actionButton("bSavePID", tr("Save P&ID"), tr("Save the selected PID"), this);
  toMenu_ = actionButton("bLoadToMenu", tr("-> M&enu"), tr("Load to Menu"), this);
  play_ = actionButton("bPlay", tr("Pla&y"), tr("Play the m2ts file"), this);
  apply_ = actionButton("bApplyToClpi", tr("Apply to clpi"),
                  tr("Copy the stream attributes of the PlayItem selected on the PLAYLIST page into its clip"), this);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(4);
  for (QPushButton* b : {savePid_, toMenu_, play_, apply_}) buttons->addWidget(b);
  buttons->addStretch(1);
  l->addLayout(buttons);

  connect(savePid_, &QPushButton::clicked, this, &ClipProgramView::savePidRequested);
  connect(play_, &QPushButton::clicked, this, &ClipProgramView::playRequested);
  connect(apply_, &QPushButton::clicked, this, &ClipProgramView::applyRequested);
  connect(toMenu_, &QPushButton::clicked, this, [this] {
    const QStringList t = rowTexts(selectedRow());
    if (!t.isEmpty()) emit menuRequested(parsePidText(t.at(0).toStdString()));
  });
  connect(grid_, &QTableWidget::itemSelectionChanged, this, &ClipProgramView::evaluateSelection);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { doubleClicked(row); });
  connect(new DocumentSignals(ws_.clip, this), &DocumentSignals::changed, this, &ClipProgramView::changed);
  refresh();
}

void ClipProgramView::changed(const ChangeNotice& n) {
  if (n.everythingChanged()) refresh();
  else if (n.is(ClipPart::Streams)) rewriteRows();
}

void ClipProgramView::refresh() {
  int n = 0;
  if (ws_.clip.loaded())
    for (const ProgramSequence& p : ws_.clip.model().programInfo.programSequences) n += int(p.streams.size());
  grid_->setDataRowCount(n);
  rewriteRows();
  if (n > 0) grid_->selectDataRow(0);
  evaluateSelection();
}

void ClipProgramView::rewriteRows() {
  if (!ws_.clip.loaded()) return;
  int row = 0;
  for (const ProgramSequence& p : ws_.clip.model().programInfo.programSequences)
    for (const ProgramStream& s : p.streams) {
      if (row >= grid_->dataRowCount()) return;
      setClipRow(grid_, row, QString::number(row + 1), programStreamRow(s));
      ++row;
    }
  fitClipGrid(grid_);
}

void ClipProgramView::setStreamPresent(bool present) {
  streamPresent_ = present;
  play_->setEnabled(present);
  savePid_->setEnabled(present);
  evaluateSelection();
}

void ClipProgramView::setApplyPossible(bool possible) {
  applyPossible_ = possible;
  apply_->setEnabled(possible);
}

int ClipProgramView::selectedRow() const {
  if (grid_->isEmptyGrid()) return -1;
  return grid_->selectedRowRange().first;
}

void ClipProgramView::selectRow(int row) {
  if (row >= 0 && row < grid_->dataRowCount()) grid_->selectDataRow(row);
}

QStringList ClipProgramView::rowTexts(int row) const {
  if (row < 0 || row >= grid_->dataRowCount()) return {};
  return {grid_->cell(row, 1), grid_->cell(row, 2), grid_->cell(row, 3)};
}

void ClipProgramView::evaluateSelection() {
  const QStringList t = rowTexts(selectedRow());
  toMenu_->setEnabled(streamPresent_ && !t.isEmpty() && isMenuPid(parsePidText(t.at(0).toStdString())));
}

// Only the first IG stream's PID opens the menu; any other row plays the
// stream file.
void ClipProgramView::doubleClicked(int row) {
  if (!play_->isEnabled()) return;
  const QStringList t = rowTexts(row);
  if (t.isEmpty()) return;
  if (const std::uint16_t pid = parsePidText(t.at(0).toStdString()); doubleClickOpensMenu(pid)) emit menuRequested(pid);
  else emit playRequested();
}

}  // namespace mirdal::gui
