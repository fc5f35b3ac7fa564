#include "views/bdmv/index_app_info_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

#include "documents/workspace.h"
#include "present/hdr_text.h"
#include "formats/bdmv/index_app_info.h"
#include "present/stream_texts.h"
#include "views/common/combo_fill.h"
#include "views/common/document_signals.h"
#include "views/common/named_controls.h"

namespace mirdal::gui {

namespace {

QCheckBox* namedCheck(const char* name, const QString& caption, const QString& hint, QWidget* parent) {
  auto* c = new QCheckBox(caption, parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setToolTip(hint);
  return c;
}

QSpinBox* namedSpin(const char* name, int most, const QString& hint, QWidget* parent) {
  auto* s = new QSpinBox(parent);
  s->setObjectName(QString::fromLatin1(name));
  s->setRange(0, most);
  s->setToolTip(hint);
  s->setAccessibleName(hint);
  return s;
}

}  // namespace

IndexAppInfoView::IndexAppInfoView(mirdal::Workspace& ws, QWidget* parent)
    : QGroupBox(tr("Ultra HD application"), parent), ws_(ws) {
  setObjectName("gbAppInfo");
  auto* g = new QGridLayout(this);
  g->setContentsMargins(6, 4, 6, 6);
  g->setHorizontalSpacing(4);
  g->setVerticalSpacing(2);

  outputMode_ = namedChoice("cbInitialOutputMode", tr("Initial output mode preference"), this);
  outputMode_->addItems({QStringLiteral("2D"), QStringLiteral("3D")});
  content3D_ = namedCheck("chk3DContent", tr("3D"), tr("3D content exists"), this);
  dynamicRange_ = namedChoice("cbInitialDynamicRange", tr("Initial dynamic range type"), this);
  for (int v = 0; v < 16; ++v) dynamicRange_->addItem(QString::fromStdString(dynamicRangeText(std::uint8_t(v))));
  videoFormat_ = namedChoice("cbAppVideoFormat", tr("Video format (0: none)"), this);
  videoFormat_->addItems(itemTexts(fourBitItems(videoFormatText)));
  frameRate_ = namedChoice("cbAppFrameRate", tr("Frame rate (0: none)"), this);
  frameRate_->addItems(itemTexts(fourBitItems(frameRateText)));
  g->addWidget(outputMode_, 0, 0);
  g->addWidget(dynamicRange_, 0, 1);
  g->addWidget(videoFormat_, 0, 2);
  g->addWidget(frameRate_, 0, 3);
  g->addWidget(content3D_, 0, 4);

  ultraHd_ = new QWidget(this);
  ultraHd_->setObjectName("wUltraHdInfo");
  ultraHd_->setToolTip(tr("Ultra HD disc info (ExtensionData 3, 1)"));
  auto* u = new QHBoxLayout(ultraHd_);
  u->setContentsMargins(0, 0, 0, 0);
  u->setSpacing(4);
  discType_ = namedSpin("sbDiscType", 15, tr("Disc type"), ultraHd_);
  hdrFlags_ = namedSpin("sbHdrFlags", 3, tr("HDR flags"), ultraHd_);
  exist4K_ = namedCheck("chk4K", QStringLiteral("4K"), tr("4K flag"), ultraHd_);
  hdrPlus_ = namedCheck("chkDiscHdrPlus", QStringLiteral("HDR10+"), tr("HDR10+ flag"), ultraHd_);
  dolbyVision_ = namedCheck("chkDolbyVision", QStringLiteral("DV"), tr("Dolby Vision flag"), ultraHd_);
  u->addWidget(new QLabel(tr("Disc type"), ultraHd_));
  u->addWidget(discType_);
  u->addWidget(new QLabel(tr("HDR flags"), ultraHd_));
  u->addWidget(hdrFlags_);
  u->addWidget(exist4K_);
  u->addWidget(hdrPlus_);
  u->addWidget(dolbyVision_);
  u->addStretch(1);
  g->addWidget(ultraHd_, 1, 0, 1, 5);

  connect(outputMode_, &QComboBox::activated, this,
          [this](int i) { appInfoChosen(int(AppInfoField::InitialOutputMode), unsigned(std::max(i, 0))); });
  connect(content3D_, &QCheckBox::clicked, this, [this](bool on) { appInfoChosen(int(AppInfoField::Content3D), on); });
  connect(dynamicRange_, &QComboBox::activated, this,
          [this](int i) { appInfoChosen(int(AppInfoField::InitialDynamicRange), unsigned(std::max(i, 0))); });
  connect(videoFormat_, &QComboBox::activated, this,
          [this](int i) { appInfoChosen(int(AppInfoField::VideoFormat), unsigned(std::max(i, 0))); });
  connect(frameRate_, &QComboBox::activated, this,
          [this](int i) { appInfoChosen(int(AppInfoField::FrameRate), unsigned(std::max(i, 0))); });
  connect(discType_, &QSpinBox::valueChanged, this,
          [this](int v) { ultraHdChosen(int(UltraHdField::DiscType), unsigned(v)); });
  connect(hdrFlags_, &QSpinBox::valueChanged, this,
          [this](int v) { ultraHdChosen(int(UltraHdField::HdrFlags), unsigned(v)); });
  connect(exist4K_, &QCheckBox::clicked, this, [this](bool on) { ultraHdChosen(int(UltraHdField::Exist4K), on); });
  connect(hdrPlus_, &QCheckBox::clicked, this, [this](bool on) { ultraHdChosen(int(UltraHdField::HdrPlus), on); });
  connect(dolbyVision_, &QCheckBox::clicked, this,
          [this](bool on) { ultraHdChosen(int(UltraHdField::DolbyVision), on); });

  connect(new DocumentSignals(ws_.index, this), &DocumentSignals::changed, this, [this] { refresh(); });
  refresh();
}

void IndexAppInfoView::refresh() {
  const IndexFile& idx = ws_.index.model();
  const std::optional<UltraHdInfo> uhd = ultraHdInfo(idx);
  const bool on = ws_.index.loaded() && (idx.versionNumber == "0300" || uhd);
  setVisible(on);
  if (!on) return;
  showing_ = true;
  const AppInfoBdmv a = appInfoFields(idx);
  showComboItem(outputMode_, a.initialOutputModePreference);
  content3D_->setChecked(a.content3DExists);
  showComboItem(dynamicRange_, a.initialDynamicRangeType);
  showComboItem(videoFormat_, a.videoFormat);
  showComboItem(frameRate_, a.frameRate);
  const UltraHdInfo u = uhd.value_or(UltraHdInfo{});
  ultraHd_->setEnabled(uhd.has_value());
  discType_->setValue(u.discType);
  hdrFlags_->setValue(u.hdrFlags);
  exist4K_->setChecked(u.exist4KFlag);
  hdrPlus_->setChecked(u.hdrPlusFlag);
  dolbyVision_->setChecked(u.dolbyVisionFlag);
  showing_ = false;
}

void IndexAppInfoView::appInfoChosen(int field, unsigned value) {
  if (showing_ || !ws_.index.loaded()) return;
  ws_.index.edit(ChangeNotice::rows("app_info", 0),
                 [&](IndexFile& m) { return setAppInfoField(m, AppInfoField(field), value); });
}

void IndexAppInfoView::ultraHdChosen(int field, unsigned value) {
  if (showing_ || !ws_.index.loaded()) return;
  ws_.index.edit(ChangeNotice::rows("ultra_hd", 0),
                 [&](IndexFile& m) { return setUltraHdField(m, UltraHdField(field), value); });
}

}  // namespace mirdal::gui
