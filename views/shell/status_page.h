// The "S&tatus" page: the message log with "Clear", the register
// listing buttons "PS&Rs", "&GPRs" and "Re&set Regs", and the field that
// sets several registers before a run ("GPR6=5, PSR10=0x400"). The mouse wheel
// scrolls the control under the pointer, whichever control has the focus.
#pragma once

#include <QWidget>

#include "views/common/page_view.h"

class QLineEdit;
class QPushButton;

namespace mirdal::gui {

class MessageLog;

class StatusPage : public QWidget, public PageView {
  Q_OBJECT
 public:
  explicit StatusPage(QWidget* parent = nullptr);

  MessageLog* messageLog() const { return log_; }
  QPushButton* clearButton() const { return clearButton_; }
  QPushButton* psrsButton() const { return psrsButton_; }
  QPushButton* gprsButton() const { return gprsButton_; }
  QPushButton* resetRegistersButton() const { return resetRegistersButton_; }
  QLineEdit* setRegistersField() const { return setRegistersField_; }

  void refresh() override {}

 private:
  MessageLog* log_;
  QPushButton* clearButton_;
  QPushButton* psrsButton_;
  QPushButton* gprsButton_;
  QPushButton* resetRegistersButton_;
  QLineEdit* setRegistersField_;
};

}  // namespace mirdal::gui
