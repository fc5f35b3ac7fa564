#include "views/shell/status_page.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/common/availability.h"
#include "views/shell/message_log.h"

namespace mirdal::gui {

// Qt delivers wheel events to the widget under the pointer, not to the one
// with the focus, so the log and the buttons need nothing of their own.
StatusPage::StatusPage(QWidget* parent) : QWidget(parent) {
  setObjectName("tsStatus");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(6, 6, 6, 6);
  row->setSpacing(6);
  log_ = new MessageLog(this);
  row->addWidget(log_, 1);

  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(6);
  const auto button = [this, buttons](const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    buttons->addWidget(b);
    return b;
  };
  clearButton_ = button("bClear", tr("Clear"));
  buttons->addSpacing(12);
  psrsButton_ = button("bPSRs", tr("PS&Rs"));
  gprsButton_ = button("bGPRs", tr("&GPRs"));
  resetRegistersButton_ = button("bResetRegs", tr("Re&set Regs"));
  setRegistersField_ = new QLineEdit(this);
  setRegistersField_->setObjectName("leSetRegs");
  setRegistersField_->setPlaceholderText(QStringLiteral("GPR6=5, PSR10=0x400"));
  setRegistersField_->setToolTip(tr("Set registers before a run: GPR6=5, PSR10=0x400 (Enter sets them)"));
  setRegistersField_->setMinimumWidth(
      QFontMetrics(setRegistersField_->font()).horizontalAdvance(setRegistersField_->placeholderText() + QStringLiteral("MM")));
  buttons->addWidget(setRegistersField_);
  buttons->addStretch(1);
  row->addLayout(buttons);

  connect(clearButton_, &QPushButton::clicked, log_, &MessageLog::clearLog);
  for (QPushButton* b : {psrsButton_, gprsButton_, resetRegistersButton_}) markUnavailable(b);
  markUnavailable(setRegistersField_);
}

}  // namespace mirdal::gui
