#include "views/playlist/playlist_stn_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/report.h"
#include "documents/workspace.h"
#include "present/hdr_text.h"
#include "present/mpls_cells.h"
#include "formats/playlist/mpls_edit.h"
#include "present/mpls_rows.h"
#include "present/stream_texts.h"
#include "present/playlist_rules.h"
#include "views/common/combo_fill.h"
#include "views/common/document_signals.h"
#include "views/common/grid_rows.h"
#include "views/common/hex_edit.h"
#include "views/common/int_edit.h"
#include "views/common/named_controls.h"
#include "views/playlist/playlist_view_support.h"
#include "views/common/text.h"

namespace mirdal::gui {

namespace {


// Every value of a 4-bit code: its name, or its number where it has none.
QStringList hdrCodeTexts(std::string (*text)(std::uint8_t)) {
  QStringList out;
  for (int v = 0; v < 16; ++v) out << QString::fromStdString(text(std::uint8_t(v)));
  return out;
}


// A hint from a table, or the hint as it was where the table has none.
void setHintIfAny(QWidget* w, std::string_view hint) {
  if (!hint.empty()) w->setToolTip(discText(hint));
}

int columnOf(StreamCategory c) {
  for (int col = 0; col < kStreamCategories; ++col)
    if (stnColumnCategory(std::size_t(col)) == c) return col;
  return 0;
}

}  // namespace

PlaylistStnView::PlaylistStnView(mirdal::Workspace& ws, QWidget* parent) : QWidget(parent), ws_(ws) {
  setObjectName("vSTN");
  auto* l = new QHBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(4);

  auto* grids = new QVBoxLayout;
  grids->setSpacing(2);
  counts_ = new StringGrid("sgSTN", this);
  counts_->setColumns(gridColumns(kStnColumns));
  counts_->setToolTip(tr("STN table (stream numbers)"));
  counts_->setSelectionBehavior(QAbstractItemView::SelectItems);
  counts_->setWidthFollowsColumns(true);
  counts_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  counts_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  counts_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  streams_ = new StringGrid("sgStreamEntry", this);
  streams_->setColumns(gridColumns(kStreamColumns));
  streams_->setFixedFirstColumn(true);
  streams_->setLastColumnFills(true);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(2);
  ins_ = smallButton("bStreamIns", QStringLiteral("+"), tr("Insert stream"), this);
  del_ = smallButton("bStreamDel", QStringLiteral("-"), tr("Delete stream"), this);
  buttons->addWidget(counts_);
  buttons->addWidget(ins_, 0, Qt::AlignBottom);
  buttons->addWidget(del_, 0, Qt::AlignBottom);
  buttons->addStretch(1);
  grids->addLayout(buttons);
  grids->addWidget(streams_, 1);
  l->addLayout(grids, 1);

  entryType_ = namedChoice("cbEntryType", QString(), this);
  entryType_->addItems(itemTexts(entryTypeItems()));
  mainPid_ = new HexEdit(this, 4);
  mainPid_->setObjectName("heMainPID");
  mainPid_->setToolTip(tr("PID of mainClip"));
  subPid_ = new HexEdit(this, 4);
  subPid_->setObjectName("heSubPID");
  subPid_->setToolTip(tr("PID of subClip"));
  subPathId_ = new IntEdit(this, 2);
  subPathId_->setObjectName("ieSubPathId");
  subPathId_->setMaxLength(2);
  subPathId_->setToolTip(tr("SubPath id"));
  subClipId_ = new IntEdit(this, 2);
  subClipId_->setObjectName("ieSubClipId");
  subClipId_->setMaxLength(2);
  subClipId_->setToolTip(tr("subClip entry id"));
  videoCoding_ = namedChoice("cbVideoCoding", tr("Video coding type"), this);
  for (std::uint8_t c : kVideoCodingChoices) videoCoding_->addItem(discText(codingTypeText(c)));
  videoFormat_ = namedChoice("cbVideoFormat", tr("Video format"), this);
  videoFormat_->addItems(itemTexts(videoFormatItems()));
  frameRate_ = namedChoice("cbFrameRate", tr("Frame rate"), this);
  frameRate_->addItems(itemTexts(frameRateItems()));
  audioCoding_ = namedChoice("cbAudioCoding", tr("Audio coding type"), this);
  for (std::uint8_t c : kAudioCodingChoices) audioCoding_->addItem(discText(codingTypeText(c)));
  presentation_ = namedChoice("cbPresentation", tr("Audio presentation type"), this);
  presentation_->addItems(itemTexts(presentationTypeItems()));
  frequency_ = namedChoice("cbFrequency", tr("Sampling frequency"), this);
  frequency_->addItems(itemTexts(samplingFrequencyItems()));
  language_ = namedChoice("cbLanguage", tr("Language"), this);
  for (std::string_view code : languageCodes()) language_->addItem(discText(code));
  language_->setMaxVisibleItems(20);
  dynamicRange_ = namedChoice("cbDynamicRange", tr("Dynamic range type (HEVC)"), this);
  dynamicRange_->addItems(hdrCodeTexts(dynamicRangeText));
  colorSpace_ = namedChoice("cbColorSpace", tr("Colour space (HEVC)"), this);
  colorSpace_->addItems(hdrCodeTexts(colorSpaceText));
  crFlag_ = new QCheckBox(tr("CR"), this);
  crFlag_->setObjectName("chkCR");
  crFlag_->setToolTip(tr("CR flag (HEVC)"));
  hdrPlus_ = new QCheckBox(tr("HDR10+"), this);
  hdrPlus_->setObjectName("chkHdrPlus");
  hdrPlus_->setToolTip(tr("HDR10+ flag (HEVC)"));

  // The editors stand in one column beside the grids; hidden ones take no room.
  auto* editors = new QVBoxLayout;
  editors->setSpacing(2);
  auto* ids = new QHBoxLayout;
  ids->setSpacing(2);
  for (QWidget* w : {static_cast<QWidget*>(mainPid_), static_cast<QWidget*>(subPathId_),
                     static_cast<QWidget*>(subClipId_), static_cast<QWidget*>(subPid_)})
    ids->addWidget(w);
  ids->addStretch(1);
  editors->addWidget(entryType_);
  editors->addLayout(ids);
  for (QComboBox* cb : {videoCoding_, videoFormat_, frameRate_, dynamicRange_, colorSpace_})
    editors->addWidget(cb);
  auto* hevcFlags = new QHBoxLayout;
  hevcFlags->setSpacing(4);
  hevcFlags->addWidget(crFlag_);
  hevcFlags->addWidget(hdrPlus_);
  hevcFlags->addStretch(1);
  editors->addLayout(hevcFlags);
  for (QComboBox* cb : {audioCoding_, presentation_, frequency_, language_}) editors->addWidget(cb);
  editors->addStretch(1);
  l->addLayout(editors);

  connect(counts_, &QTableWidget::currentCellChanged, this, [this](int, int column, int, int) {
    if (!showing_ && column >= 0) showCategory(stnColumnCategory(std::size_t(column)));
  });
  connect(streams_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
    if (!showing_) showStream(row);
  });
  connect(ins_, &QToolButton::clicked, this, &PlaylistStnView::insertStream);
  connect(del_, &QToolButton::clicked, this, &PlaylistStnView::deleteStream);
  new GridKeys(streams_, [this] { insertStream(); }, [this] { deleteStream(); });

  connect(entryType_, &QComboBox::activated, this,
          [this](int i) { fieldChosen(StreamField::EntryType, std::uint32_t(std::max(i, 0))); });
  connect(videoCoding_, &QComboBox::activated, this, [this](int i) {
    if (i >= 0) fieldChosen(StreamField::Coding, kVideoCodingChoices[std::size_t(i)]);
  });
  connect(audioCoding_, &QComboBox::activated, this, [this](int i) {
    if (i >= 0) fieldChosen(StreamField::Coding, kAudioCodingChoices[std::size_t(i)]);
  });
  connect(videoFormat_, &QComboBox::activated, this, [this](int i) { fieldChosen(StreamField::VideoFormat, std::uint32_t(i)); });
  connect(frameRate_, &QComboBox::activated, this, [this](int i) { fieldChosen(StreamField::FrameRate, std::uint32_t(i)); });
  connect(presentation_, &QComboBox::activated, this,
          [this](int i) { fieldChosen(StreamField::Presentation, std::uint32_t(i)); });
  connect(frequency_, &QComboBox::activated, this, [this](int i) { fieldChosen(StreamField::Frequency, std::uint32_t(i)); });
  connect(language_, &QComboBox::activated, this, &PlaylistStnView::languageChosen);
  connect(dynamicRange_, &QComboBox::activated, this,
          [this](int i) { fieldChosen(StreamField::DynamicRange, std::uint32_t(std::max(i, 0))); });
  connect(colorSpace_, &QComboBox::activated, this,
          [this](int i) { fieldChosen(StreamField::ColorSpace, std::uint32_t(std::max(i, 0))); });
  connect(crFlag_, &QCheckBox::clicked, this, [this](bool on) { fieldChosen(StreamField::CrFlag, on); });
  connect(hdrPlus_, &QCheckBox::clicked, this, [this](bool on) { fieldChosen(StreamField::HdrPlusFlag, on); });
  connect(mainPid_, &QLineEdit::editingFinished, this,
          [this] { fieldChosen(StreamField::MainPid, std::uint32_t(mainPid_->value())); });
  connect(subPid_, &QLineEdit::editingFinished, this,
          [this] { fieldChosen(StreamField::SubPid, std::uint32_t(subPid_->value())); });
  connect(subPathId_, &QLineEdit::editingFinished, this,
          [this] { fieldChosen(StreamField::SubPathId, clampedStreamId(subPathId_->value())); });
  connect(subClipId_, &QLineEdit::editingFinished, this,
          [this] { fieldChosen(StreamField::SubClipId, clampedStreamId(subClipId_->value())); });
  new EnterMovesFocus({mainPid_, subPathId_, subClipId_, subPid_}, this);

  connect(new DocumentSignals(ws_.playlist, this), &DocumentSignals::changed, this, [this](const ChangeNotice& n) {
    if (n.cause == ChangeNotice::Cause::Load) return;
    // The PlayItems view has shown the PlayItem of an undone stream edit.
    if (const int row = undoneRow(n, PlaylistPart::Streams); row >= 0) stream_ = row;
    sync();
  });
  setPlayItem(-1);
}

const PlayItem* PlaylistStnView::playItemShown() const {
  const auto& pis = ws_.playlist.model().playlist.items;
  return ws_.playlist.loaded() && item_ >= 0 && std::size_t(item_) < pis.size() ? &pis[std::size_t(item_)] : nullptr;
}

void PlaylistStnView::setPlayItem(int item) {
  item_ = item;
  sync();
}

void PlaylistStnView::showCategory(StreamCategory c, int row) {
  category_ = c;
  stream_ = row;
  sync();
}

int PlaylistStnView::selectedStream() const { return stream_; }

// The counts, the streams of the category and the selected stream's
// editors, from the model.
void PlaylistStnView::sync() {
  const PlayItem* pi = playItemShown();
  showing_ = true;
  if (pi) {
    counts_->setDataRowCount(1);
    setGridRow(counts_, 0, stnRow(pi->stn));
    counts_->setCurrentCell(0, columnOf(category_));
  } else {
    counts_->clearGrid();
  }
  counts_->setFixedHeight(counts_->horizontalHeader()->height() + counts_->rowHeight(0) + 2 * counts_->frameWidth());
  const int n = pi ? int(streamCount(pi->stn, category_)) : 0;
  stream_ = fillRows(streams_, n,
                     [&](int i) { setGridRow(streams_, i, streamRow(pi->stn, category_, std::size_t(i))); },
                     std::max(stream_, 0));
  streams_->fitColumnsToContents();
  showing_ = false;
  showStream(stream_);
}

// The editors of the stream: those of its category and entry type.
void PlaylistStnView::showStream(int row) {
  const PlayItem* pi = playItemShown();
  const StreamRecord* s = pi && row >= 0 ? streamAt(pi->stn, category_, std::size_t(row)) : nullptr;
  stream_ = s ? row : -1;
  const StreamCategory c = category_;
  const bool video = c == StreamCategory::PrimaryVideo || c == StreamCategory::SecondaryVideo;
  const bool audio = c == StreamCategory::PrimaryAudio || c == StreamCategory::SecondaryAudio;
  const int type = s ? s->entry.type : 0;
  const EntryFields fields = entryFields(std::uint8_t(type));
  entryType_->setVisible(s);
  mainPid_->setVisible(s && fields.mainPid);
  subPathId_->setVisible(s && fields.subPathId);
  subClipId_->setVisible(s && fields.subClipId);
  subPid_->setVisible(s && fields.subPid);
  for (QComboBox* cb : {videoCoding_, videoFormat_, frameRate_}) cb->setVisible(s && video);
  const bool hevc = s && video && s->attributes.codingType == std::uint8_t(CodingType::HEVC);
  dynamicRange_->setVisible(hevc);
  colorSpace_->setVisible(hevc);
  crFlag_->setVisible(hevc);
  hdrPlus_->setVisible(hevc);
  for (QComboBox* cb : {audioCoding_, presentation_, frequency_}) cb->setVisible(s && audio);
  language_->setVisible(s && streamFieldApplies(c, StreamField::Language));
  if (s) {
    const StreamEntry& e = s->entry;
    const StreamAttributes& a = s->attributes;
    showComboItem(entryType_, entryTypeItem(std::uint8_t(type)));
    entryType_->setToolTip(discText(entryTypeHint(std::uint8_t(type))));
    mainPid_->setValue(e.mainPid);
    subPid_->setValue(e.subPid);
    subPathId_->setValue(e.subPathId);
    subClipId_->setValue(e.subClipId);
    if (video) {
      const int i = videoCodingIndex(a.codingType);
      showComboItem(videoCoding_, i);
      if (i >= 0) setHintIfAny(videoCoding_, videoCodingHint(std::size_t(i)));
      showComboItem(videoFormat_, a.videoFormat);
      showComboItem(frameRate_, a.frameRate);
      showComboItem(dynamicRange_, a.dynamicRangeType);
      showComboItem(colorSpace_, a.colorSpace);
      crFlag_->setChecked(a.crFlag);
      hdrPlus_->setChecked(a.hdrPlusFlag);
    }
    if (audio) {
      const int i = audioCodingIndex(a.codingType);
      showComboItem(audioCoding_, i);
      if (i >= 0) setHintIfAny(audioCoding_, audioCodingHint(std::size_t(i)));
      showComboItem(presentation_, a.presentationType);
      setHintIfAny(presentation_, presentationTypeHint(a.presentationType));
      showComboItem(frequency_, a.samplingFrequency);
    }
    showComboItem(language_, languageIndex(a.language));
  }
  enableButtons();
}

void PlaylistStnView::enableButtons() {
  const PlayItem* pi = playItemShown();
  ins_->setEnabled(pi && canInsertStream(*pi, category_));
  del_->setEnabled(pi && stream_ >= 0 && canDeleteStream(*pi, category_));
}

void PlaylistStnView::fieldChosen(StreamField f, std::uint32_t value) {
  if (!playItemShown() || stream_ < 0) return;
  const auto item = std::size_t(item_), row = std::size_t(stream_);
  const StreamCategory c = category_;
  ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::Streams, row, 1, item),
                    [&](Playlist& m) { return setStreamField(m, item, c, row, f, value); });
}

void PlaylistStnView::languageChosen(int index) {
  if (!playItemShown() || stream_ < 0 || index < 0) return;
  const auto item = std::size_t(item_), row = std::size_t(stream_);
  const StreamCategory c = category_;
  const std::string code(languageCodes()[std::size_t(index)]);
  ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::Streams, row, 1, item),
                    [&](Playlist& m) { return setStreamLanguage(m, item, c, row, code); });
}

void PlaylistStnView::insertStream() {
  const PlayItem* pi = playItemShown();
  if (!pi || !canInsertStream(*pi, category_)) return;
  const auto item = std::size_t(item_);
  const std::size_t after = stream_ >= 0 ? std::size_t(stream_) : kNoRow;
  const StreamCategory c = category_;
  const std::size_t row = ws_.playlist.edit(ChangeNotice::resized(PlaylistPart::Streams, after == kNoRow ? 0 : after + 1, item),
                                            [&](Playlist& m) { return mirdal::insertStream(m, item, c, after); });
  if (row != kNoRow) showCategory(c, int(row));
}

void PlaylistStnView::deleteStream() {
  const PlayItem* pi = playItemShown();
  if (!pi || stream_ < 0 || !canDeleteStream(*pi, category_)) return;
  const auto item = std::size_t(item_), row = std::size_t(stream_);
  const StreamCategory c = category_;
  if (ws_.playlist.edit(ChangeNotice::resized(PlaylistPart::Streams, row, item),
                        [&](Playlist& m) { return mirdal::deleteStream(m, item, c, row); }))
    showCategory(c, int(row));  // the next stream, or the last when the deleted one was last
}

}  // namespace mirdal::gui
