#include "views/menu/menu_composition_box.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <array>

#include "menu/menu_edit.h"
#include "menu/menu_text.h"
#include "present/menu_cells.h"
#include "views/common/combo_fill.h"
#include "views/common/document_signals.h"
#include "views/menu/menu_context.h"
#include "views/common/named_controls.h"
#include "views/common/text.h"

namespace mirdal::gui {

namespace {

struct VideoSize {
  const char* text;
  std::uint16_t width, height;
};
constexpr std::array<VideoSize, 4> kVideoSizes = {{
    {"1920x1080", 1920, 1080}, {"1280x720", 1280, 720}, {"720x576", 720, 576}, {"720x480", 720, 480}}};

}  // namespace


MenuCompositionBox::MenuCompositionBox(MenuContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
  setObjectName("pIGSInfo");
  auto* f = new QFormLayout(this);
  f->setContentsMargins(0, 0, 0, 0);
  f->setSpacing(3);
  video_ = namedChoice("cbVideo", tr("Video format"), this);
  for (const VideoSize& v : kVideoSizes) video_->addItem(QString::fromLatin1(v.text));
  frame_ = namedChoice("cbFrame", tr("Frame rate"), this);
  for (const char* r : mirdal::kMenuFrameRates) frame_->addItem(QString::fromLatin1(r));
  timeout_ = new QLineEdit(this);
  timeout_->setObjectName("eUTO");
  timeout_->setToolTip(tr("User timeout"));
  timeout_->setInputMask(QStringLiteral("9:99:99"));
  inTime_ = new QLineEdit(this);
  inTime_->setObjectName("meIGInTime");
  inTime_->setToolTip(tr("IN_time"));
  inTime_->setInputMask(QStringLiteral("9:99:99.999"));
  inTime_->setReadOnly(true);  // the in-time follows from the stream
  // Wide enough for the whole time whatever the window's width.
  for (QLineEdit* e : {timeout_, inTime_}) e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0:00:00.000")) + 6);
  auto* format = new QHBoxLayout;
  format->setSpacing(3);
  format->addWidget(video_);
  format->addWidget(frame_);
  f->addRow(format);
  f->addRow(tr("User timeout"), timeout_);
  f->addRow(tr("IN_time"), inTime_);

  connect(video_, &QComboBox::activated, this, &MenuCompositionBox::videoChosen);
  connect(frame_, &QComboBox::activated, this, &MenuCompositionBox::frameChosen);
  connect(timeout_, &QLineEdit::editingFinished, this, &MenuCompositionBox::storeTimeout);
  connect(timeout_, &QLineEdit::returnPressed, this, &MenuCompositionBox::timeoutEntered);
  connect(&ctx_.changes(), &DocumentSignals::changed, this, [this](const mirdal::ChangeNotice& n) {
    if (n.is(MenuPart::Composition)) showComposition();
  });
  showComposition();
}

void MenuCompositionBox::showComposition() {
  const bool on = ctx_.loaded();
  for (QWidget* w : {static_cast<QWidget*>(video_), static_cast<QWidget*>(frame_), static_cast<QWidget*>(timeout_),
                     static_cast<QWidget*>(inTime_)})
    w->setEnabled(on);
  if (!on) {
    showComboItem(video_, -1);
    showComboItem(frame_, -1);
    timeout_->clear();
    inTime_->clear();
    return;
  }
  const mirdal::InteractiveComposition& c = ctx_.menu().ics;
  showComboItem(video_, videoItemOf(c.videoWidth, c.videoHeight));
  showComboItem(frame_, c.frameRate);
  timeout_->setText(QString::fromStdString(mirdal::timeoutText(c.userTimeout)));
  inTime_->setText(QString::fromStdString(mirdal::igTimeText(ctx_.menu().inTime)));
}

void MenuCompositionBox::videoChosen(int item) {
  if (!ctx_.loaded() || item < 0 || item >= int(kVideoSizes.size())) return;
  const VideoSize v = kVideoSizes[std::size_t(item)];
  ctx_.document().edit(mirdal::ChangeNotice::rows(MenuPart::Composition, 0), [&](mirdal::IgMenu& m) {
    return mirdal::setCompositionField(m, mirdal::CompositionField::Width, v.width) &&
           mirdal::setCompositionField(m, mirdal::CompositionField::Height, v.height);
  });
  showComposition();
}

void MenuCompositionBox::frameChosen(int item) {
  if (!ctx_.loaded()) return;
  ctx_.document().edit(mirdal::ChangeNotice::rows(MenuPart::Composition, 0), [&](mirdal::IgMenu& m) {
    return mirdal::setCompositionField(m, mirdal::CompositionField::FrameRate, std::uint32_t(item));
  });
  showComposition();
}

void MenuCompositionBox::storeTimeout() {
  if (!ctx_.loaded()) return;
  const std::int64_t ticks = mirdal::timeoutTicks(typedBytes(timeout_->text()));
  if (ticks >= 0 && ticks <= mirdal::kMaxUserTimeout)
    ctx_.document().edit(mirdal::ChangeNotice::rows(MenuPart::Composition, 0), [&](mirdal::IgMenu& m) {
      return mirdal::setCompositionField(m, mirdal::CompositionField::UserTimeout, std::uint32_t(ticks));
    });
  showComposition();  // a refused time shows the stored one again
}

}  // namespace mirdal::gui
