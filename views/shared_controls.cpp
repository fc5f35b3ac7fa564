#include "views/shared_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "views/availability.h"
#include "views/hex_edit.h"
#include "views/int_edit.h"

namespace mirdal::gui {

QPushButton* compactButton(const QString& name, const QString& caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  const QFontMetrics fm(b->font());
  QString plain = caption;
  plain.remove(QLatin1Char('&'));
  b->setMinimumWidth(fm.horizontalAdvance(plain) + fm.horizontalAdvance(QStringLiteral("MM")));
  b->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
  return b;
}

namespace {

QWidget* panel(const QString& name, QWidget* parent, QHBoxLayout*& layout) {
  auto* w = new QWidget(parent);
  w->setObjectName(name);
  layout = new QHBoxLayout(w);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  return w;
}

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setBuddy(buddy);
  return l;
}

}  // namespace

SharedControls::SharedControls(QWidget* parent) : QWidget(parent) {
  setObjectName("pShared");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(4);

  bSave_ = compactButton("bSave", tr("&Save"), this);
  bSave_->setToolTip(tr("Save"));
  bCancel_ = compactButton("bCancel", tr("Cancel"), this);
  makeAvailable(bCancel_, false);  // the main window handles Cancel itself

  progress_ = new QProgressBar(this);
  progress_->setObjectName("pbProgress");
  progress_->setRange(0, 100);
  progress_->setValue(0);
  progress_->setTextVisible(true);
  progress_->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QStringLiteral("100%")) * 6);
  progress_->setStyleSheet(QStringLiteral(
      "QProgressBar { font-weight: bold; text-align: center; }"
      "QProgressBar::chunk { background: qlineargradient(x1:0, y1:0, x2:1, y2:0,"
      " stop:0 #ffff00, stop:1 #ff0000); }"));
  progress_->hide();

  QHBoxLayout* l = nullptr;
  pExecute_ = panel("pExecute", this, l);
  bStart_ = compactButton("bStart", tr("Start"), pExecute_);
  bStart_->setToolTip(tr("Execute the button commands"));
  cbTrace_ = new QCheckBox(pExecute_);  // explained by its hint
  cbTrace_->setObjectName("cbTrace");
  cbTrace_->setToolTip(tr("Trace (execute commands step by step)"));
  // Four digits with leading zeros; room for a fifth, because Cancel leaves
  // the line at 65535, beyond any program.
  ieProgramLine_ = new TIntEdit(pExecute_, 5);
  ieProgramLine_->setObjectName("ieProgramLine");
  ieProgramLine_->setToolTip(tr("Command line"));
  ieProgramLine_->setMaxLength(5);
  ieProgramLine_->setDisplayDigits(4);
  ieProgramLine_->setValue(0);
  cbObject_ = new QComboBox(pExecute_);
  cbObject_->setObjectName("cbObject");
  cbObject_->setToolTip(tr("Object"));
  cbObject_->setMinimumContentsLength(4);
  cbObject_->setIconSize(QSize(0, 0));  // numbers only, no room for icons
  cbObject_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cbButton_ = new QComboBox(pExecute_);
  cbButton_->setObjectName("cbButton");
  cbButton_->setToolTip(tr("Button"));
  cbButton_->setMinimumContentsLength(4);
  cbButton_->setIconSize(QSize(0, 0));
  cbButton_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  for (QWidget* w : {static_cast<QWidget*>(bStart_), static_cast<QWidget*>(cbTrace_),
                     static_cast<QWidget*>(ieProgramLine_), static_cast<QWidget*>(cbObject_),
                     static_cast<QWidget*>(cbButton_)}) {
    l->addWidget(w);
    markUnavailable(w);
  }
  pExecute_->setEnabled(false);  // until a disc folder has been read

  pNavigate_ = panel("pNavigate", this, l);
  const struct {
    QPushButton** b;
    const char* name;
    const char* caption;
  } nav[] = {{&bNavUp_, "bNavUp", "&U"},
             {&bNavDown_, "bNavDown", "&D"},
             {&bNavLeft_, "bNavLeft", "&L"},
             {&bNavRight_, "bNavRight", "&R"},
             {&bNavSel_, "bNavSel", "S&el"}};
  for (const auto& n : nav) {
    *n.b = compactButton(n.name, tr(n.caption), pNavigate_);
    l->addWidget(*n.b);
    markUnavailable(*n.b);
  }

  pRegisters_ = panel("pRegisters", this, l);
  iePSRnum_ = new TIntEdit(pRegisters_, 3);
  iePSRnum_->setObjectName("iePSRnum");
  iePSRnum_->setToolTip(tr("PSR number"));
  iePSRnum_->setMaxLength(3);
  iePSRnum_->setDisplayDigits(3);
  iePSRnum_->setValue(0);
  hePSRval_ = new THexEdit(pRegisters_, 8);
  hePSRval_->setObjectName("hePSRval");
  hePSRval_->setToolTip(tr("PSR value"));
  hePSRval_->setValue(0);
  ieGPRnum_ = new TIntEdit(pRegisters_, 4);
  ieGPRnum_->setObjectName("ieGPRnum");
  ieGPRnum_->setToolTip(tr("GPR number"));
  ieGPRnum_->setMaxLength(4);
  ieGPRnum_->setDisplayDigits(4);
  ieGPRnum_->setValue(0);
  heGPRval_ = new THexEdit(pRegisters_, 8);
  heGPRval_->setObjectName("heGPRval");
  heGPRval_->setToolTip(tr("GPR value"));
  heGPRval_->setValue(0);
  l->addWidget(caption(tr("PSR"), iePSRnum_, pRegisters_));
  l->addWidget(iePSRnum_);
  l->addWidget(hePSRval_);
  l->addSpacing(2);
  l->addWidget(caption(tr("GPR"), ieGPRnum_, pRegisters_));
  l->addWidget(ieGPRnum_);
  l->addWidget(heGPRval_);
  for (QWidget* w : {static_cast<QWidget*>(iePSRnum_), static_cast<QWidget*>(hePSRval_),
                     static_cast<QWidget*>(ieGPRnum_), static_cast<QWidget*>(heGPRval_)}) {
    w->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    markUnavailable(w);
  }
  ieProgramLine_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

  bFind_ = compactButton("bFind", tr("Find"), this);
  bLoadMenu_ = compactButton("bLoadMenu", tr("&Load"), this);
  bLoadMenu_->setToolTip(tr("Load an IGS menu (*.mnu)"));
  bMux_ = compactButton("bMux", tr("M&ux"), this);
  bMux_->setToolTip(tr("Mux the IGS menu to a .m2ts"));
  for (QWidget* w : {bFind_, bLoadMenu_, bMux_}) markUnavailable(w);

  row->addWidget(bSave_);
  row->addWidget(bCancel_);
  row->addWidget(progress_, 1);
  row->addWidget(pExecute_);
  row->addWidget(pNavigate_);
  row->addWidget(pRegisters_);
  row->addWidget(bFind_);
  row->addStretch(1);
  row->addWidget(bLoadMenu_);
  row->addWidget(bMux_);
}

}  // namespace mirdal::gui

