#include "views/clip/clip_page.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <filesystem>

#include "core/report.h"
#include "core/temp_files.h"
#include "documents/disc_files.h"
#include "documents/workspace.h"
#include "formats/clip/apply_to_clpi.h"
#include "formats/clip/clip_packets.h"
#include "formats/clip/clpi_edit.h"
#include "stream/ig_extract.h"
#include "stream/pid_export.h"
#include "views/common/availability.h"
#include "views/clip/clip_cpi_view.h"
#include "views/clip/clip_info_view.h"
#include "views/clip/clip_program_view.h"
#include "views/clip/clip_refs_view.h"
#include "views/clip/clip_sequence_view.h"
#include "views/clip/clip_text.h"
#include "views/common/document_signals.h"
#include "views/common/ext_data_dialog.h"
#include "views/common/interaction.h"
#include "views/common/pane.h"
#include "views/common/read_error_banner.h"
#include "views/common/text.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {

constexpr FilePageNames kClipNames{"tsClipinf", "gbClipinf", "zzzzz.clpi", "cbClipinf", "bReadCI",
                                   "Read the selected .clpi file", true};

QGroupBox* groupAround(const char* name, const QString& caption, QWidget* view, QWidget* parent) {
  auto* g = new QGroupBox(caption, parent);
  g->setObjectName(QString::fromLatin1(name));
  auto* l = new QVBoxLayout(g);
  l->setContentsMargins(6, 4, 6, 6);
  view->setParent(g);
  l->addWidget(view);
  return g;
}


}  // namespace

ClipPage::ClipPage(mirdal::Workspace& ws, QWidget* parent) : FilePage(ws, kClipNames, parent) {
  QWidget* pane = contentPane();
  program_ = new ClipProgramView(ws_, pane);
  info_ = new ClipInfoView(ws_, pane);
  sequences_ = new ClipSequenceView(ws_, pane);
  cpi_ = new ClipCpiView(ws_, pane);
  refs_ = new ClipRefsView(ws_, pane);

  auto* top = new QHBoxLayout;
  top->setSpacing(6);
  top->addWidget(groupAround("gbProgramInfo", tr("ProgramInfo"), program_, pane), 3);
  top->addWidget(groupAround("gbClipInfo", tr("ClipInfo"), info_, pane), 2);
  top->addWidget(groupAround("gbSequenceInfo", tr("SequenceInfo"), sequences_, pane), 2);
  auto* bottom = new QHBoxLayout;
  bottom->setSpacing(6);
  bottom->addWidget(groupAround("gbCPI", tr("CPI"), cpi_, pane), 4);
  bottom->addWidget(groupAround("gbReferencedBy", tr("Referenced by"), refs_, pane), 1);

  extCaption_ = new QLabel(pane);
  extCaption_->setObjectName("lClipExtDat");
  extCaption_->setToolTip(tr("ExtensionData()"));
  extEdit_ = new QPushButton(tr("Edit"), pane);
  extEdit_->setObjectName("bClipExDatEdit");
  extEdit_->setEnabled(false);
  auto* ext = new QHBoxLayout;
  ext->addWidget(extCaption_);
  ext->addWidget(extEdit_);
  ext->addStretch(1);

  auto* box = new QWidget(pane);
  auto* l = new QVBoxLayout(box);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(4);
  l->addLayout(top, 3);
  l->addLayout(bottom, 2);
  l->addLayout(ext);
  placeInPane(pane, box);
  showDocument(ws_.clip);

  connectAction(readClipButton(), [this] { readClipClicked(); }, false);
  connect(program_, &ClipProgramView::playRequested, this, &ClipPage::playClicked);
  connect(program_, &ClipProgramView::savePidRequested, this, &ClipPage::savePidClicked);
  connect(program_, &ClipProgramView::menuRequested, this, &ClipPage::loadToMenuClicked);
  connect(program_, &ClipProgramView::applyRequested, this, &ClipPage::applyToClipInfoClicked);
  connect(extEdit_, &QPushButton::clicked, this, &ClipPage::clipExtDataClicked);
  connect(refs_, &ClipRefsView::playlistRequested, this, &ClipPage::playlistRequested);
  connect(clipChoice(), &QComboBox::currentIndexChanged, this, [this] {
    showReferences();
    emit clipChosen();
  });
  connect(new DocumentSignals(ws_.clip, this), &DocumentSignals::changed, this, [this](const ChangeNotice& n) {
    if (n.everythingChanged() || n.is(ClipPart::ExtensionData)) showExtensionData();
    if (n.everythingChanged()) {
      info_->showStreamFile();
      program_->setStreamPresent(ws_.clip.loaded() && mirdal::clipStream(ws_).size > 0);
    }
  });
  connect(new DocumentSignals(ws_.playlist, this), &DocumentSignals::changed, this, [this] { updateApply(); });
  showExtensionData();
}

const std::vector<std::string>& ClipPage::fileNames() const { return ws_.disc.clips; }

void ClipPage::refresh() {
  // A Read starts from nothing: the clip of the disc read before goes.
  ws_.clip.reset();
  FilePage::refresh();
  showReferences();
  updateApply();
}

bool ClipPage::hasSomethingToSave() const { return ws_.clip.loaded(); }

void ClipPage::save() {
  mirdal::saveClip(ws_, guiReporter(), ia_ ? askAboutGuesses(*ia_, ws_, ws_.clip) : mirdal::Guesses::Refuse);
}

void ClipPage::readClipClicked() {
  const QString name = clipChoice()->currentText();
  if (name.isEmpty()) return;
  if (ws_.clip.modified() && askToSave_ && !askToSave_(ws_.clip)) return;
  mirdal::readClip(ws_, pathBytes(name), guiReporter());
  afterRead();
}

bool ClipPage::readClipNamed(const QString& name) {
  const int i = clipChoice()->findText(name);
  if (i < 0 || !readClipButton()->isEnabled()) return false;
  clipChoice()->setCurrentIndex(i);
  readClipClicked();
  return ws_.clip.loaded() && mirdal::clipName(ws_) == pathBytes(name);
}

void ClipPage::afterRead() {
  updateApply();
  packetCheck();
  if (isVisible()) clipChoice()->setFocus();
}

// The clip's count of source packets against its stream file; a correction
// the user accepts is written into the file at once. A clip that could not
// be read is nothing to correct: its count is no count.
void ClipPage::packetCheck() {
  if (!ws_.clip.loaded()) return;
  const mirdal::PacketCheck pc =
      mirdal::checkPacketCount(ws_.clip.model(), mirdal::clipStream(ws_).size, thousandsSeparator());
  if (!pc.ask || !ia_) return;
  if (ia_->ask(QString::fromLatin1(pc.question), Choices::YesCancel) != Answer::Yes) return;
  mirdal::correctPacketCount(ws_, std::uint32_t(pc.packets), guiReporter());
}

void ClipPage::showReferences() { refs_->showClip(clipChoice()->currentIndex()); }

void ClipPage::showExtensionData() {
  const bool on = ws_.clip.loaded();
  extCaption_->setText(on ? discText(extensionDataCaption(ws_.clip.model().extensionData)) : QString());
  extEdit_->setEnabled(on);
}

void ClipPage::clipExtDataClicked() {
  if (!ws_.clip.loaded() || !ia_) return;
  ExtensionData ed = ws_.clip.model().extensionData;
  if (!editExtensionData(this, *ia_, ws_.options.outputFolder, ws_.clip.fileName(), ed)) return;
  ws_.clip.edit(ChangeNotice::rows(ClipPart::ExtensionData, 0), [&](ClipInfoFile& c) { setClipExtensionData(c, ed); });
}

void ClipPage::playClicked() {
  if (!ws_.clip.loaded() || mirdal::clipStream(ws_).size == 0) return;
  QDesktopServices::openUrl(QUrl::fromLocalFile(pathText(mirdal::clipStreamPath(ws_, mirdal::clipName(ws_)))));
}

// Where Save P&ID writes: in the options' output folder under the export
// name, asking before a file of that name is replaced; without an output
// folder, where the user says in a save dialog (which asks before replacing)
// that starts in the folder chosen the last time. Empty when the user
// stopped.
std::string ClipPage::savePidOutput(const std::string& exportName, mirdal::ExportMode mode, std::uint16_t pid) {
  if (!ia_) return {};
  const std::string& folder = ws_.options.outputFolder;
  if (!folder.empty()) {
    const std::string path = (std::filesystem::path(folder) / exportName).string();
    std::error_code ec;
    if (std::filesystem::exists(path, ec) &&
        ia_->ask(tr("%1 already exists.\nDo you want to replace it?").arg(pathText(path)), Choices::YesNo) !=
            Answer::Yes)
      return {};
    return path;
  }
  const QString ext = QString::fromLatin1(mirdal::exportExtension(pid, mode));
  FileDialogRequest r;
  r.title = tr("Save PID");
  r.filter = ext.isEmpty() ? tr("All files|*") : ext + QStringLiteral("|*.") + ext + tr("|All files|*");
  r.defaultExt = ext.isEmpty() ? QString() : QStringLiteral(".") + ext;
  r.folder = ws_.options.savePidFolder.empty() ? QDir::homePath() : pathText(ws_.options.savePidFolder);
  r.fileName = pathText(exportName);
  const QString chosen = ia_->saveFile(r);
  if (chosen.isEmpty()) return {};
  ws_.options.savePidFolder = pathBytes(QFileInfo(chosen).absolutePath());
  return pathBytes(chosen);
}

// Runs on this thread: the export hands pending events to the event loop
// between chunks, so the window stays responsive and Cancel can stop it.
void ClipPage::savePidClicked() {
  if (exporting_ || !ws_.clip.loaded()) return;
  const QStringList t = program_->rowTexts(program_->selectedRow());
  if (t.isEmpty()) return;
  const std::string name = mirdal::clipName(ws_);
  mirdal::DemuxOptions opt;
  opt.pid = mirdal::parsePidText(discBytes(t.at(0)));
  opt.mode = mirdal::chooseExportMode(opt.pid, ws_.options.savePes, ws_.options.saveSup, ws_.options.saveMnu);
  const std::string exportName =
      mirdal::exportFileName("", name, discBytes(t.at(0)), discBytes(t.at(1)), discBytes(t.at(2)), opt.pid, opt.mode);
  const std::string output = savePidOutput(exportName, opt.mode, opt.pid);
  if (output.empty()) return;
  exporting_ = true;
  program_->savePidButton()->setEnabled(false);
  mirdal::CancelToken cancel;
  mirdal::exportPid(mirdal::clipStreamPath(ws_, name), output, opt, cancel, guiReporter());
  exporting_ = false;
  program_->setStreamPresent(ws_.clip.loaded() && mirdal::clipStream(ws_).size > 0);
}

void ClipPage::loadToMenuClicked(std::uint16_t pid) {
  if (!ws_.clip.loaded() || mirdal::clipStream(ws_).size == 0) return;
  if (ws_.menu.modified() && askToSave_ && !askToSave_(ws_.menu)) return;
  const std::string name = mirdal::clipName(ws_);
  IgMenu m;
  const mirdal::ReadWatch watch(guiReporter());
  mirdal::CancelToken cancel;
  const mirdal::RunningOperation running(guiReporter(), cancel);
  const mirdal::MenuLoad r = mirdal::loadMenuFromStream(mirdal::clipStreamPath(ws_, name), pid, m, guiReporter(), cancel);
  ws_.menu.load(std::move(m), name + ".mnu", mirdal::usable(r.status), watch.errors(r.status));
  mirdal::showReadErrors(ws_.menu, guiReporter());
  emit menuLoaded();
}

std::optional<std::size_t> ClipPage::defaultPlayItem() const {
  const auto& items = ws_.playlist.model().playlist.items;
  if (items.empty()) return std::nullopt;
  const std::string name = pathBytes(clipChoice()->currentText());
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].clipName == name) return i;
  return 0;
}

void ClipPage::updateApply() {
  program_->setApplyPossible(ws_.playlist.loaded() && !ws_.playlist.model().playlist.items.empty() &&
                             !ws_.disc.clips.empty());
}

void ClipPage::applyToClipInfoClicked() {
  if (!ws_.playlist.loaded()) return;
  std::optional<std::size_t> k = selectedPlayItem_ ? selectedPlayItem_() : std::nullopt;
  if (!k) k = defaultPlayItem();
  const auto& items = ws_.playlist.model().playlist.items;
  if (!k || *k >= items.size()) return;
  const PlayItem item = items[*k];
  if (!readClipNamed(discText(item.clipName))) return;
  ws_.clip.edit(ChangeNotice::rows(ClipPart::Streams, 0), [&](ClipInfoFile& c) { return !mirdal::applyToClpi(item, c).empty(); });
}

}  // namespace mirdal::gui
