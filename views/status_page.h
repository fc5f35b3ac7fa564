// The "S&tatus" page: the message log with "Clear", the register
// listing buttons "PS&Rs", "&GPRs" and "Re&set Regs", and the field that
// sets several registers before a run ("GPR6=5, PSR10=0x400"). The mouse wheel
// scrolls the control under the pointer, whichever control has the focus.
#pragma once

#include <QWidget>

#include "views/page_view.h"

class QLineEdit;
class QPushButton;

namespace mirdal::gui {

class MessageLog;

class StatusPage : public QWidget, public PageView {
  Q_OBJECT
 public:
  explicit StatusPage(QWidget* parent = nullptr);

  MessageLog* reMessage() const { return log_; }
  QPushButton* bClear() const { return bClear_; }
  QPushButton* bPSRs() const { return bPSRs_; }
  QPushButton* bGPRs() const { return bGPRs_; }
  QPushButton* bResetRegs() const { return bResetRegs_; }
  QLineEdit* leSetRegs() const { return leSetRegs_; }

  void refresh() override {}

 private:
  MessageLog* log_;
  QPushButton* bClear_;
  QPushButton* bPSRs_;
  QPushButton* bGPRs_;
  QPushButton* bResetRegs_;
  QLineEdit* leSetRegs_;
};

}  // namespace mirdal::gui
