#include "views/shell/shared_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "views/common/availability.h"
#include "views/common/hex_edit.h"
#include "views/common/int_edit.h"

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

  saveButton_ = compactButton("bSave", tr("&Save"), this);
  saveButton_->setToolTip(tr("Save"));
  cancelButton_ = compactButton("bCancel", tr("Cancel"), this);
  makeAvailable(cancelButton_, false);  // the main window handles Cancel itself

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
  executePanel_ = panel("pExecute", this, l);
  startButton_ = compactButton("bStart", tr("Start"), executePanel_);
  startButton_->setToolTip(tr("Execute the button commands"));
  traceBox_ = new QCheckBox(executePanel_);  // explained by its hint
  traceBox_->setObjectName("cbTrace");
  traceBox_->setToolTip(tr("Trace (execute commands step by step)"));
  // Four digits with leading zeros; room for a fifth, because Cancel leaves
  // the line at 65535, beyond any program.
  programLineField_ = new IntEdit(executePanel_, 5);
  programLineField_->setObjectName("ieProgramLine");
  programLineField_->setToolTip(tr("Command line"));
  programLineField_->setMaxLength(5);
  programLineField_->setDisplayDigits(4);
  programLineField_->setValue(0);
  runObjectChoice_ = new QComboBox(executePanel_);
  runObjectChoice_->setObjectName("cbObject");
  runObjectChoice_->setToolTip(tr("Object"));
  runObjectChoice_->setMinimumContentsLength(4);
  runObjectChoice_->setIconSize(QSize(0, 0));  // numbers only, no room for icons
  runObjectChoice_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  runButtonChoice_ = new QComboBox(executePanel_);
  runButtonChoice_->setObjectName("cbButton");
  runButtonChoice_->setToolTip(tr("Button"));
  runButtonChoice_->setMinimumContentsLength(4);
  runButtonChoice_->setIconSize(QSize(0, 0));
  runButtonChoice_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  for (QWidget* w : {static_cast<QWidget*>(startButton_), static_cast<QWidget*>(traceBox_),
                     static_cast<QWidget*>(programLineField_), static_cast<QWidget*>(runObjectChoice_),
                     static_cast<QWidget*>(runButtonChoice_)}) {
    l->addWidget(w);
    markUnavailable(w);
  }
  executePanel_->setEnabled(false);  // until a disc folder has been read

  navigatePanel_ = panel("pNavigate", this, l);
  const struct {
    QPushButton** b;
    const char* name;
    const char* caption;
  } nav[] = {{&navUpButton_, "bNavUp", "&U"},
             {&navDownButton_, "bNavDown", "&D"},
             {&navLeftButton_, "bNavLeft", "&L"},
             {&navRightButton_, "bNavRight", "&R"},
             {&navSelectButton_, "bNavSel", "S&el"},
             {&navPopUpButton_, "bNavPopUp", "Pop-up"}};
  // The six keys share the room five had at the smallest window: each
  // keeps one letter's width of margin instead of two.
  const QFontMetrics fm(font());
  for (const auto& n : nav) {
    *n.b = compactButton(n.name, tr(n.caption), navigatePanel_);
    QString plain = (*n.b)->text();
    plain.remove(QLatin1Char('&'));
    (*n.b)->setMinimumWidth(fm.horizontalAdvance(plain) + fm.horizontalAdvance(QStringLiteral("M")));
    l->addWidget(*n.b);
    markUnavailable(*n.b);
  }
  navPopUpButton_->setToolTip(tr("The Pop-up key of the remote: opens and closes a pop-up menu (P in the page view)"));

  registersPanel_ = panel("pRegisters", this, l);
  psrNumberField_ = new IntEdit(registersPanel_, 3);
  psrNumberField_->setObjectName("iePSRnum");
  psrNumberField_->setToolTip(tr("PSR number"));
  psrNumberField_->setMaxLength(3);
  psrNumberField_->setDisplayDigits(3);
  psrNumberField_->setValue(0);
  psrValueField_ = new HexEdit(registersPanel_, 8);
  psrValueField_->setObjectName("hePSRval");
  psrValueField_->setToolTip(tr("PSR value"));
  psrValueField_->setValue(0);
  gprNumberField_ = new IntEdit(registersPanel_, 4);
  gprNumberField_->setObjectName("ieGPRnum");
  gprNumberField_->setToolTip(tr("GPR number"));
  gprNumberField_->setMaxLength(4);
  gprNumberField_->setDisplayDigits(4);
  gprNumberField_->setValue(0);
  gprValueField_ = new HexEdit(registersPanel_, 8);
  gprValueField_->setObjectName("heGPRval");
  gprValueField_->setToolTip(tr("GPR value"));
  gprValueField_->setValue(0);
  l->addWidget(caption(tr("PSR"), psrNumberField_, registersPanel_));
  l->addWidget(psrNumberField_);
  l->addWidget(psrValueField_);
  l->addSpacing(2);
  l->addWidget(caption(tr("GPR"), gprNumberField_, registersPanel_));
  l->addWidget(gprNumberField_);
  l->addWidget(gprValueField_);
  for (QWidget* w : {static_cast<QWidget*>(psrNumberField_), static_cast<QWidget*>(psrValueField_),
                     static_cast<QWidget*>(gprNumberField_), static_cast<QWidget*>(gprValueField_)}) {
    w->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    markUnavailable(w);
  }
  programLineField_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

  findButton_ = compactButton("bFind", tr("Find"), this);
  loadMenuButton_ = compactButton("bLoadMenu", tr("&Load"), this);
  loadMenuButton_->setToolTip(tr("Load an IGS menu (*.mnu)"));
  muxButton_ = compactButton("bMux", tr("M&ux"), this);
  muxButton_->setToolTip(tr("Mux the IGS menu to a .m2ts"));
  for (QWidget* w : {findButton_, loadMenuButton_, muxButton_}) markUnavailable(w);

  row->addWidget(saveButton_);
  row->addWidget(cancelButton_);
  row->addWidget(progress_, 1);
  row->addWidget(executePanel_);
  row->addWidget(navigatePanel_);
  row->addWidget(registersPanel_);
  row->addWidget(findButton_);
  row->addStretch(1);
  row->addWidget(loadMenuButton_);
  row->addWidget(muxButton_);
}

}  // namespace mirdal::gui

