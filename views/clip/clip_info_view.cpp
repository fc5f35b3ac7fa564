#include "views/clip/clip_info_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <QSignalBlocker>
#include <limits>
#include <optional>

#include "documents/disc_files.h"
#include "documents/workspace.h"
#include "formats/clip/clpi_edit.h"
#include "present/clpi_rows.h"
#include "present/number_text.h"
#include "views/clip/clip_grid.h"
#include "views/clip/clip_text.h"
#include "views/common/combo_fill.h"
#include "views/common/document_signals.h"
#include "views/common/int_edit.h"
#include "views/common/named_controls.h"

namespace mirdal::gui {

namespace {

constexpr auto kClipInfo = ClipPart::ClipInfo;
constexpr auto kAtcDelta = ClipPart::AtcDelta;

QWidget* captionedPanel(const char* name, const QString& caption, StringGrid* grid, QWidget* parent) {
  auto* w = new QWidget(parent);
  w->setObjectName(QString::fromLatin1(name));
  auto* l = new QVBoxLayout(w);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(2);
  l->addWidget(new QLabel(caption, w));
  grid->setParent(w);
  l->addWidget(grid, 1);
  return w;
}

}  // namespace

ClipInfoView::ClipInfoView(mirdal::Workspace& ws, QWidget* parent) : QWidget(parent), ws_(ws) {
  setObjectName("vClipInfo");
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(4);

  appType_ = namedChoice("cbAppType", tr("Application type"), this);
  for (int t = 0; t < mirdal::kApplicationTypeCount; ++t)
    appType_->addItem(QString::number(t) + QStringLiteral(": ") + discText(mirdal::applicationTypeText(std::uint8_t(t))));
  appType_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  appType_->setMinimumContentsLength(16);
  l->addWidget(appType_);

  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(6);
  fields->setVerticalSpacing(2);
  atcd_ = new QCheckBox(tr("ATCd"), this);
  atcd_->setObjectName("cbATCd");
  atcd_->setToolTip(tr("ATC delta entries present"));
  rate_ = new IntEdit(this, 10);
  rate_->setObjectName("ieRecRate");
  rate_->setToolTip(tr("TS recording rate"));
  packets_ = new IntEdit(this, 10);
  packets_->setObjectName("iePackets");
  packets_->setToolTip(tr("Number of source packets"));
  auto* recordingRateLabel = new QLabel(tr("Rec. rate"), this);
  recordingRateLabel->setBuddy(rate_);
  auto* packetCountLabel = new QLabel(tr("Packets"), this);
  packetCountLabel->setBuddy(packets_);
  fields->addWidget(atcd_, 0, 0);
  fields->addWidget(recordingRateLabel, 0, 1);
  fields->addWidget(rate_, 0, 2);
  fields->addWidget(packetCountLabel, 1, 1);
  fields->addWidget(packets_, 1, 2);
  fields->setColumnStretch(3, 1);
  l->addLayout(fields);

  streamName_ = new QLabel(this);
  streamName_->setObjectName("lStreamName");
  streamName_->setToolTip(tr("Stream file"));
  streamSize_ = new QLabel(this);
  streamSize_->setObjectName("lStreamSize");
  streamSize_->setToolTip(tr("Size of the stream file in bytes"));
  auto* streamRow = new QHBoxLayout;
  streamRow->addWidget(streamName_);
  streamRow->addSpacing(12);
  streamRow->addWidget(streamSize_);
  streamRow->addStretch(1);
  l->addLayout(streamRow);

  atcDelta_ = clipGrid("sgATCdelta", tr("ATC delta entries"),
                       {{"", 28}, {"ATC_delta", 72}, {"following", 60}, {"clipcodec", 60}}, this);
  atcDelta_->setOffersModeMenu(true);
  atcDelta_->setEditModeKind(EditModeKind::CellSelectFirstColumn);
  atcDelta_->setColumnEditMask(1, QStringLiteral(">AAAAAAAA"));
  atcDelta_->setColumnEditMask(2, QStringLiteral("99999"));
  atcDelta_->setColumnEditMask(3, QStringLiteral("m2ts"));
  atcDelta_->installEventFilter(this);
  atcPanel_ = captionedPanel("pATCdelta", tr("ATC_delta_entries"), atcDelta_, this);

  fonts_ = clipGrid("sgFontFiles", tr("Font file names"), {{"", 28}, {"filename", 72}}, this);
  fontPanel_ = captionedPanel("pFontFiles", tr("Font files"), fonts_, this);

  auto* lists = new QHBoxLayout;
  lists->addWidget(atcPanel_, 1);
  lists->addWidget(fontPanel_, 1);
  lists->setAlignment(Qt::AlignLeft);
  l->addLayout(lists, 1);

  connect(appType_, &QComboBox::activated, this, [this](int i) {
    if (!ws_.clip.loaded() || i < 0) return;
    ws_.clip.edit(ChangeNotice::rows(kClipInfo, 0), [&](ClipInfoFile& c) { setApplicationType(c, std::uint8_t(i)); });
  });
  connect(atcd_, &QCheckBox::clicked, this, [this](bool on) {
    if (!ws_.clip.loaded()) return;
    ws_.clip.edit(ChangeNotice::rows(kClipInfo, 0), [&](ClipInfoFile& c) { setAtcDeltaFlag(c, on); });
  });
  connect(rate_, &QLineEdit::textEdited, this, [this] {
    const std::int64_t v = rate_->value();
    if (!ws_.clip.loaded() || !fitsU32(v)) return;
    ws_.clip.edit(ChangeNotice::rows(kClipInfo, 0), [&](ClipInfoFile& c) { setRecordingRate(c, std::uint32_t(v)); });
  });
  connect(packets_, &QLineEdit::textEdited, this, [this] {
    const std::int64_t v = packets_->value();
    if (!ws_.clip.loaded() || !fitsU32(v)) return;
    ws_.clip.edit(ChangeNotice::rows(kClipInfo, 0),
                  [&](ClipInfoFile& c) { setSourcePacketCount(c, std::uint32_t(v)); });
  });
  // A refused value (not a 32-bit number) is shown as the model holds it.
  for (IntEdit* e : {rate_, packets_}) connect(e, &QLineEdit::editingFinished, this, &ClipInfoView::showFields);
  connect(atcDelta_, &StringGrid::cellEdited, this, &ClipInfoView::atcDeltaEdited);
  connect(new DocumentSignals(ws_.clip, this), &DocumentSignals::changed, this, &ClipInfoView::changed);
  refresh();
}

void ClipInfoView::changed(const ChangeNotice& n) {
  if (n.everythingChanged() || n.is(kClipInfo)) {
    refresh();
  } else if (n.is(kAtcDelta)) {
    if (n.countChanged) fillAtcDelta(int(n.first));
    else if (n.first != kNoRow && int(n.first) < atcDelta_->dataRowCount())
      setClipRow(atcDelta_, int(n.first), QString::number(n.first),
                 atcDeltaRow(ws_.clip.model().clipInfo.atcDeltaEntries[n.first]));
  }
}

void ClipInfoView::refresh() {
  showFields();
  fillAtcDelta(-1);
  fillFonts();
  showStreamFile();
}

void ClipInfoView::showFields() {
  const bool on = ws_.clip.loaded();
  const ClipInfo& ci = ws_.clip.model().clipInfo;
  showComboItem(appType_, on ? int(ci.applicationType) : -1);
  {
    const QSignalBlocker quiet(atcd_);
    atcd_->setChecked(on && ci.isAtcDelta);
  }
  if (on) {
    // A field being typed in keeps its text (and cursor) while it says the
    // same number.
    if (rate_->text().isEmpty() || rate_->value() != ci.tsRecordingRate) rate_->setValue(ci.tsRecordingRate);
    if (packets_->text().isEmpty() || packets_->value() != ci.numberOfSourcePackets)
      packets_->setValue(ci.numberOfSourcePackets);
  } else {
    rate_->clear();
    packets_->clear();
  }
  for (QWidget* w : {static_cast<QWidget*>(appType_), static_cast<QWidget*>(atcd_), static_cast<QWidget*>(rate_),
                     static_cast<QWidget*>(packets_)})
    w->setEnabled(on);
  atcPanel_->setVisible(on && ci.isAtcDelta);
  fontPanel_->setVisible(on && ci.applicationType == kTextSubtitleApplication);
}

void ClipInfoView::fillAtcDelta(int select) {
  const ClipInfo& ci = ws_.clip.model().clipInfo;
  const auto& entries = ci.atcDeltaEntries;
  const int n = ws_.clip.loaded() ? int(entries.size()) : 0;
  atcDelta_->setDataRowCount(n);
  for (int i = 0; i < n; ++i) setClipRow(atcDelta_, i, QString::number(i), atcDeltaRow(entries[std::size_t(i)]));
  fitClipGrid(atcDelta_);
  // The grid takes Ins on an empty list too, while the flag is set.
  atcDelta_->setEnabled(ws_.clip.loaded() && ci.isAtcDelta);
  if (select >= 0 && select < n) atcDelta_->selectDataRow(select);
}

void ClipInfoView::fillFonts() {
  const auto& fonts = ws_.clip.model().clipInfo.fontFiles;
  const int n = ws_.clip.loaded() ? int(fonts.size()) : 0;
  fonts_->setDataRowCount(n);
  for (int i = 0; i < n; ++i) setClipRow(fonts_, i, QString::number(i), {fonts[std::size_t(i)]});
  fitClipGrid(fonts_);
}

void ClipInfoView::showStreamFile() {
  if (!ws_.clip.loaded() && mirdal::clipName(ws_).empty()) {
    streamName_->clear();
    streamSize_->clear();
    return;
  }
  const StreamFileLabels t = streamFileLabels(mirdal::clipStream(ws_), mirdal::clipName(ws_),
                                              ws_.names().streamExt, thousandsSeparator());
  streamName_->setText(pathText(t.name));
  streamSize_->setText(discText(t.size));
  streamName_->setEnabled(!t.missing);  // the dimmed colour of a missing file
}

void ClipInfoView::atcDeltaEdited(int row, int column, const QString& text) {
  if (row < 0 || column < 1) return;
  const bool changed = ws_.clip.edit(ChangeNotice::rows(kAtcDelta, std::size_t(row)), [&](ClipInfoFile& c) {
    return setAtcDeltaCell(c, std::size_t(row), column - 1, text.toLatin1().toStdString());
  });
  // A refused or unchanged value: the cell shows the model again.
  if (!changed) fillAtcDelta(row);
}

void ClipInfoView::insertAtcDelta() {
  if (!ws_.clip.loaded() || !ws_.clip.model().clipInfo.isAtcDelta) return;
  const auto sel = atcDelta_->selectedRowRange();
  std::optional<std::size_t> after;
  if (sel.second >= 0 && !atcDelta_->isEmptyGrid()) after = std::size_t(sel.second);
  std::optional<std::size_t> row;
  ws_.clip.edit(ChangeNotice::resized(kAtcDelta, after ? *after + 1 : 0), [&](ClipInfoFile& c) {
    row = mirdal::insertAtcDelta(c, after);
    return row.has_value();
  });
  if (row) fillAtcDelta(int(*row));
}

void ClipInfoView::deleteAtcDelta() {
  if (!ws_.clip.loaded() || atcDelta_->isEmptyGrid()) return;
  const int row = atcDelta_->selectedRowRange().first;
  if (row < 0) return;
  const bool done = ws_.clip.edit(ChangeNotice::resized(kAtcDelta, std::size_t(row)),
                                  [&](ClipInfoFile& c) { return mirdal::deleteAtcDelta(c, std::size_t(row)); });
  if (done) fillAtcDelta(std::min(row, atcDelta_->dataRowCount() - 1));
}

bool ClipInfoView::eventFilter(QObject* watched, QEvent* e) {
  if (watched == atcDelta_ && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    const auto mods = k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (k->key() == Qt::Key_Insert && mods == Qt::NoModifier) {
      insertAtcDelta();
      return true;
    }
    if (k->key() == Qt::Key_Delete && mods == Qt::ShiftModifier) {
      deleteAtcDelta();
      return true;
    }
  }
  return QWidget::eventFilter(watched, e);
}

}  // namespace mirdal::gui
