// The register panel (PSR number and value, GPR number and value, shown on
// the "&BDMV", "&Menu" and "S&tatus" pages) and the register buttons of the
// "S&tatus" page: "PS&Rs" and "&GPRs" write the listings to the log,
// "Re&set Regs" resets the register file with the current options.
//
// Number fields: any change shows that register's value, a number out of
// range turns into 0; entering shows the plain number, leaving shows it
// with leading zeros; Enter goes to the value field. Value fields: leaving
// stores the typed value into the register; Enter goes back to the number.
// The settings field of the "S&tatus" page takes several registers at once
// ("GPR6=5, PSR10=0x400", as mirdal-cli run --set); Enter stores them, a
// text that is no setting changes nothing and the status line says why.
#pragma once

#include <QObject>

#include "nav/interpreter.h"

class QLineEdit;
class QPushButton;

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class SharedControls;
class StatusPage;
class HexEdit;
class IntEdit;

class RegisterPanel : public QObject {
  Q_OBJECT
 public:
  RegisterPanel(mirdal::Workspace& ws, SharedControls& sc, StatusPage& status, QObject* parent = nullptr);

  // Both value fields show the registers their number fields name.
  void showValues();
  // After a trace step: the number field of that register kind names it.
  void pointAt(const mirdal::RegisterPointer& p);
  // "Re&set Regs" (also at start-up, with the options then in force).
  void resetRegs();

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  struct Fields {
    IntEdit* number;
    HexEdit* value;
    bool psr;
  };
  void numberChanged(const Fields& f);
  void storeValue(const Fields& f);
  void storeSettings();
  std::uint32_t& registerOf(const Fields& f);
  unsigned numberOf(const Fields& f) const;

  mirdal::Workspace& ws_;
  QLineEdit* setRegs_ = nullptr;
  Fields psr_;
  Fields gpr_;
};

}  // namespace mirdal::gui
