#include "views/status_page.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/availability.h"
#include "views/message_log.h"

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
  bClear_ = button("bClear", tr("Clear"));
  buttons->addSpacing(12);
  bPSRs_ = button("bPSRs", tr("PS&Rs"));
  bGPRs_ = button("bGPRs", tr("&GPRs"));
  bResetRegs_ = button("bResetRegs", tr("Re&set Regs"));
  buttons->addStretch(1);
  row->addLayout(buttons);

  connect(bClear_, &QPushButton::clicked, log_, &MessageLog::clearLog);
  for (QPushButton* b : {bPSRs_, bGPRs_, bResetRegs_}) markUnavailable(b);
}

}  // namespace mirdal::gui
