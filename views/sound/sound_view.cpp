#include "views/sound/sound_view.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "audio/sound_wav.h"
#include "core/report.h"
#include "documents/disc_files.h"
#include "documents/workspace.h"
#include "present/sound_rows.h"
#include "views/common/document_signals.h"
#include "views/common/ext_data_dialog.h"
#include "views/common/grid_rows.h"
#include "views/common/interaction.h"
#include "views/common/named_controls.h"
#include "views/common/read_error_banner.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {

constexpr auto kEntries = SoundPart::Entries;

QToolButton* iconButton(const char* name, QStyle::StandardPixmap icon, const QString& hint, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setIcon(parent->style()->standardIcon(icon));
  b->setToolTip(hint);
  b->setAccessibleName(hint);
  return b;
}

FileDialogRequest wavRequest(const char* title) {
  FileDialogRequest r;
  r.title = QString::fromLatin1(title);
  r.filter = QString::fromLatin1(kWaveFilter);
  r.defaultExt = QStringLiteral(".wav");
  return r;
}

}  // namespace

SoundView::SoundView(mirdal::Workspace& ws, Interaction& ia, QWidget* parent)
    : QWidget(parent), ws_(ws), ia_(ia) {
  setObjectName("vSound");
  // The grid above one row of buttons and the ExtensionData caption, so
  // that the group fits beside the movie objects at the smallest window.
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(2);

  grid_ = new StringGrid("sgSounds", this);
  grid_->setColumns(gridColumns(kSoundColumns));
  grid_->setWidthFollowsColumns(true);
  grid_->setToolTip(QString::fromLatin1(kSoundGridHint));
  grid_->installEventFilter(this);
  l->addWidget(grid_, 1, Qt::AlignLeft);

  auto* row = new QHBoxLayout;
  row->setSpacing(2);
  play_ = iconButton("bbSoundPlay", QStyle::SP_MediaPlay, QString::fromLatin1(kSoundPlayHint), this);
  export_ = iconButton("bbSaveSound", QStyle::SP_DialogSaveButton, QString::fromLatin1(kSoundSaveHint), this);
  ins_ = smallButton("bbSndIns", QStringLiteral("+"), tr("Insert sound (Ins)"), this);
  del_ = smallButton("bbSndDel", QStringLiteral("-"), tr("Delete sound (Shift+Del)"), this);
  for (QToolButton* b : {play_, export_, ins_, del_}) row->addWidget(b);
  row->addSpacing(8);
  extCaption_ = new QLabel(this);
  extCaption_->setObjectName("lSNDExtDat");
  extCaption_->setToolTip(tr("ExtensionData()"));
  extEdit_ = new QPushButton(tr("Edit"), this);
  extEdit_->setObjectName("bEditSndExtDat");
  row->addWidget(extCaption_);
  row->addWidget(extEdit_);
  row->addStretch(1);
  l->addLayout(row);

  connect(play_, &QToolButton::clicked, this, &SoundView::playSelected);
  connect(export_, &QToolButton::clicked, this, &SoundView::exportSound);
  connect(ins_, &QToolButton::clicked, this, &SoundView::insertSound);
  connect(del_, &QToolButton::clicked, this, &SoundView::deleteSound);
  connect(extEdit_, &QPushButton::clicked, this, &SoundView::editExtensionData);
  connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int) { rowClicked(row); });
  connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
    if (row != previous) rowClicked(row);
  });
  connect(new DocumentSignals(ws_.sound, this), &DocumentSignals::changed, this, &SoundView::soundChanged);

  refresh();
}

bool SoundView::loaded() const { return ws_.sound.loaded(); }

// A Read ends with its own words on the status line (an error stays
// there): showing the file again does not write over them.
void SoundView::refresh() {
  quiet_ = true;
  fillGrid();
  if (loaded() && !ws_.sound.model().entries.empty()) selectSound(0);
  quiet_ = false;
  enableButtons();
  emit shown();
}

// Loads, Undo and Redo show the file again with the place of the change
// selected; edits made here select their row themselves.
void SoundView::soundChanged(const mirdal::ChangeNotice& n) {
  if (n.cause == ChangeNotice::Cause::Edit) return;
  quiet_ = n.cause == ChangeNotice::Cause::Load;
  fillGrid();
  const int rows = grid_->dataRowCount();
  if (rows > 0) selectSound(n.first == kNoRow ? 0 : std::min(int(n.first), rows - 1));
  quiet_ = false;
  enableButtons();
}

void SoundView::fillGrid() {
  const SoundFile& snd = ws_.sound.model();
  const int n = loaded() ? int(snd.entries.size()) : 0;
  grid_->setDataRowCount(n);
  for (int i = 0; i < n; ++i) setGridRow(grid_, i, soundRow(snd, std::size_t(i)));
  grid_->fitColumnsToContents();
  extCaption_->setText(loaded() ? discText(extensionDataCaption(snd.extensionData)) : QString());
}

void SoundView::enableButtons() {
  const bool any = loaded() && !ws_.sound.model().entries.empty();
  play_->setEnabled(any);
  export_->setEnabled(any);
  del_->setEnabled(any);
  ins_->setEnabled(loaded() && ws_.sound.model().entries.size() < kMaxSoundEntries);
  extEdit_->setEnabled(loaded());
}

int SoundView::selectedSound() const {
  if (!loaded()) return -1;
  const int row = grid_->currentRow();
  return row >= 0 && std::size_t(row) < ws_.sound.model().entries.size() ? row : -1;
}

void SoundView::selectSound(int i) {
  if (!loaded() || i < 0 || std::size_t(i) >= ws_.sound.model().entries.size()) return;
  grid_->selectDataRow(i);
  rowClicked(i);
}

// The entry's place in the data area, for checking a file by hand.
void SoundView::rowClicked(int row) {
  if (quiet_) return;
  const SoundFile& snd = ws_.sound.model();
  if (!loaded() || snd.entries.empty()) {
    guiReporter().setStatusPanel("", 1);
    return;
  }
  if (row < 0 || std::size_t(row) >= snd.entries.size()) return;
  guiReporter().setStatusPanel(soundRowStatus(snd, std::size_t(row)), 1);
}

bool SoundView::insertSound() {
  if (!loaded()) return false;
  const QString file = ia_.openFile(wavRequest(kSoundOpenTitle));
  if (file.isEmpty()) return false;
  const int selected = selectedSound();
  const std::size_t at = selected >= 0 ? std::size_t(selected) + 1 : 0;
  const std::string path = pathBytes(file);
  const bool inserted = ws_.sound.edit(ChangeNotice::resized(kEntries, at),
                                       [&](SoundFile& m) { return mirdal::loadSound(m, at, path, guiReporter()); });
  fillGrid();
  if (inserted) selectSound(int(at));
  else selectSound(selected);
  enableButtons();
  return inserted;
}

void SoundView::deleteSound() {
  const int i = selectedSound();
  if (i < 0) return;
  ws_.sound.edit(ChangeNotice::resized(kEntries, std::size_t(i)),
                 [&](SoundFile& m) { return deleteSoundEntry(m, std::size_t(i)); });
  fillGrid();
  const int rows = grid_->dataRowCount();
  if (rows > 0) selectSound(std::min(i, rows - 1));
  else rowClicked(-1);
  enableButtons();
}

void SoundView::exportSound() {
  const int i = selectedSound();
  if (i < 0) return;
  FileDialogRequest r = wavRequest(kSoundSaveTitle);
  r.fileName = QString::fromLatin1(soundEntryFileName(std::size_t(i)));
  r.folder = pathText(ws_.options.outputFolder);
  const QString file = ia_.saveFile(r);
  if (file.isEmpty()) return;
  if (mirdal::exportSound(ws_.sound.model(), std::size_t(i), pathBytes(file), guiReporter()))
    guiReporter().log("Sound entry " + std::to_string(i) + " saved as " + pathBytes(file));
}

void SoundView::playSelected() {
  const int i = selectedSound();
  if (i >= 0) emit playRequested(std::size_t(i));
}

bool SoundView::createSound() {
  if (loaded()) return false;
  ws_.sound.load(newSound(), kSoundFileName, true);
  // The first sound is the file's first change: Save writes the file and
  // Undo takes the sound back out of it.
  if (insertSound()) return true;
  ws_.sound.reset();
  return false;
}

bool SoundView::hasSomethingToSave() const { return loaded(); }

void SoundView::save() {
  mirdal::saveSound(ws_, guiReporter(), askAboutGuesses(ia_, ws_, ws_.sound));
}

void SoundView::editExtensionData() {
  if (!loaded()) return;
  ExtensionData copy = ws_.sound.model().extensionData;
  if (!mirdal::gui::editExtensionData(this, ia_, ws_.options.outputFolder, kSoundFileName, copy)) return;
  ws_.sound.edit(ChangeNotice::rows(SoundPart::ExtensionData, 0), [&](SoundFile& m) { applyExtensionData(m, copy); });
  const int selected = selectedSound();
  fillGrid();
  selectSound(selected);
}

bool SoundView::eventFilter(QObject* watched, QEvent* e) {
  if (watched == grid_ && e->type() == QEvent::KeyPress) {
    const auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Insert) {
      insertSound();
      return true;
    }
    if (k->key() == Qt::Key_Delete && (k->modifiers() & Qt::ShiftModifier)) {
      deleteSound();
      return true;
    }
  }
  return QWidget::eventFilter(watched, e);
}

}  // namespace mirdal::gui
