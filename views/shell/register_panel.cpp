#include "views/shell/register_panel.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "documents/workspace.h"
#include "core/report.h"
#include "nav/command_fields.h"
#include "nav/register_settings.h"
#include "nav/registers.h"
#include "views/common/availability.h"
#include "views/common/hex_edit.h"
#include "views/common/int_edit.h"
#include "views/common/text.h"
#include "views/shell/shared_controls.h"
#include "views/shell/status_page.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {

QString textOf(const std::string& s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

}  // namespace

RegisterPanel::RegisterPanel(mirdal::Workspace& ws, SharedControls& sc, StatusPage& status, QObject* parent)
    : QObject(parent),
      ws_(ws),
      psr_{sc.psrNumberField(), sc.psrValueField(), true},
      gpr_{sc.gprNumberField(), sc.gprValueField(), false} {
  for (const Fields* f : {&psr_, &gpr_}) {
    makeAvailable(f->number);
    makeAvailable(f->value);
    f->number->installEventFilter(this);
    f->value->installEventFilter(this);
    connect(f->number, &IntEdit::textChanged, this, [this, f] { numberChanged(*f); });
  }
  setRegs_ = status.setRegistersField();
  makeAvailable(setRegs_);
  connect(setRegs_, &QLineEdit::returnPressed, this, &RegisterPanel::storeSettings);
  connectAction(status.psrsButton(), [this] { mirdal::logPsrs(ws_.regs, guiReporter()); });
  connectAction(status.gprsButton(), [this] { mirdal::logGprs(ws_.regs, guiReporter()); });
  connectAction(status.resetRegistersButton(), [this] { resetRegs(); });
  resetRegs();
}

unsigned RegisterPanel::numberOf(const Fields& f) const {
  const std::string t = typedBytes(f.number->text());
  return f.psr ? mirdal::panelPsrNumber(t) : mirdal::panelGprNumber(t);
}

std::uint32_t& RegisterPanel::registerOf(const Fields& f) {
  return f.psr ? ws_.regs.psr[numberOf(f)] : ws_.regs.gpr[numberOf(f)];
}

void RegisterPanel::numberChanged(const Fields& f) {
  // A number the panel cannot show turns into 0 (PSR 127 included).
  const std::string t = typedBytes(f.number->text());
  const auto typed = mirdal::parseOperandNumber(t);
  if (!typed || *typed != numberOf(f)) {
    f.number->setText(QStringLiteral("0"));  // comes back here
    return;
  }
  f.value->setText(textOf(mirdal::registerValueText(registerOf(f))));
}

void RegisterPanel::storeValue(const Fields& f) {
  if (f.value->isModified()) {
    const auto v = mirdal::parseRegisterValue(typedBytes(f.value->text()));
    if (v) registerOf(f) = *v;
  }
  f.value->setText(textOf(mirdal::registerValueText(registerOf(f))));
}

void RegisterPanel::storeSettings() {
  const mirdal::RegisterSettings r = mirdal::parseRegisterSettings(typedBytes(setRegs_->text()));
  if (r.error) {
    guiReporter().setStatusPanel("Registers not set: " + r.error->message(), 1);
    return;
  }
  mirdal::applyRegisterSettings(ws_.regs, r.settings);
  showValues();
  guiReporter().setStatusPanel(std::to_string(r.settings.size()) + " register(s) set", 1);
}

void RegisterPanel::showValues() {
  for (const Fields* f : {&psr_, &gpr_}) {
    // A value being typed is not overwritten.
    if (f->value->hasFocus() && f->value->isModified()) continue;
    f->value->setText(textOf(mirdal::registerValueText(registerOf(*f))));
  }
}

void RegisterPanel::pointAt(const mirdal::RegisterPointer& p) {
  if (p.kind == mirdal::RegisterPointer::Kind::None) return;
  const Fields& f = p.kind == mirdal::RegisterPointer::Kind::PSR ? psr_ : gpr_;
  const unsigned n = p.number;
  f.number->setText(textOf(f.psr ? mirdal::psrNumberText(n) : mirdal::gprNumberText(n)));
}

void RegisterPanel::resetRegs() {
  mirdal::resetRegisters(ws_.regs, ws_.options);
  for (const Fields* f : {&psr_, &gpr_}) {
    if (!f->number->hasFocus()) {
      const unsigned n = numberOf(*f);
      const QSignalBlocker b(f->number);
      f->number->setText(textOf(f->psr ? mirdal::psrNumberText(n) : mirdal::gprNumberText(n)));
    }
    f->value->setText(textOf(mirdal::registerValueText(registerOf(*f))));
  }
}

bool RegisterPanel::eventFilter(QObject* o, QEvent* e) {
  for (const Fields* f : {&psr_, &gpr_}) {
    if (o == f->number) {
      if (e->type() == QEvent::FocusIn) {
        const QSignalBlocker b(f->number);
        f->number->setText(QString::number(numberOf(*f)));
      } else if (e->type() == QEvent::FocusOut) {
        const unsigned n = numberOf(*f);
        const QSignalBlocker b(f->number);
        f->number->setText(textOf(f->psr ? mirdal::psrNumberText(n) : mirdal::gprNumberText(n)));
      } else if (e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
          f->value->setFocus(Qt::TabFocusReason);
          return true;
        }
      }
    } else if (o == f->value) {
      if (e->type() == QEvent::FocusOut) {
        storeValue(*f);
      } else if (e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
          f->number->setFocus(Qt::TabFocusReason);
          return true;
        }
      }
    }
  }
  return QObject::eventFilter(o, e);
}

}  // namespace mirdal::gui
