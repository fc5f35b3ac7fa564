// The register panel (PSR and GPR number and value fields) and the register
// buttons of the status page.
#include <QFocusEvent>
#include <QPushButton>

#include "gui_test.h"
#include "main_window_fixture.h"
#include "nav/registers.h"
#include "views/common/hex_edit.h"
#include "views/common/int_edit.h"

namespace mirdal::gui::test {

namespace {

void leave(QWidget* w) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(w, &out);
}

void enter(QWidget* w) {
  QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(w, &in);
}

}  // namespace

class RegisterPanelTest : public QObject {
  Q_OBJECT
 private slots:
  void registerNumbersAreValidated_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shownWhileTyping");
    QTest::addColumn<QString>("shownAfter");
    QTest::newRow("PSR 200 is out of range") << "iePSRnum" << "hePSRval" << "200" << "0" << "000";
    QTest::newRow("PSR 127 cannot be chosen") << "iePSRnum" << "hePSRval" << "127" << "0" << "000";
    QTest::newRow("PSR 20") << "iePSRnum" << "hePSRval" << "20" << "20" << "020";
    QTest::newRow("GPR 4096") << "ieGPRnum" << "heGPRval" << "4096" << "0" << "0000";
    QTest::newRow("GPR 7") << "ieGPRnum" << "heGPRval" << "7" << "7" << "0007";
  }

  void registerNumbersAreValidated() {
    QFETCH(QString, number);
    QFETCH(QString, value);
    QFETCH(QString, typed);
    QFETCH(QString, shownWhileTyping);
    QFETCH(QString, shownAfter);
    Window t;
    t.w->workspace().regs.psr[20] = 4;
    t.w->workspace().regs.gpr[7] = 0xABC;
    auto* n = t.find<IntEdit>(number.toLatin1().constData());
    auto* v = t.find<HexEdit>(value.toLatin1().constData());
    enter(n);
    n->setText(typed);
    QCOMPARE(n->text(), shownWhileTyping);
    const unsigned reg = shownWhileTyping.toUInt();
    const std::uint32_t expected = number == "iePSRnum" ? t.w->workspace().regs.psr[reg] : t.w->workspace().regs.gpr[reg];
    QCOMPARE(v->text(), QString::fromStdString(mirdal::registerValueText(expected)));
    leave(n);
    QCOMPARE(n->text(), shownAfter);
    enter(n);
    QCOMPARE(n->text(), shownWhileTyping);
  }

  void registerValueIsStoredOnLeaving() {
    Window t;
    auto* n = t.find<IntEdit>("ieGPRnum");
    auto* v = t.find<HexEdit>("heGPRval");
    n->setText("5");
    v->setText("abcd");
    v->setModified(true);
    leave(v);
    QCOMPARE(t.w->workspace().regs.gpr[5], 0xABCDu);
    QCOMPARE(v->text(), QString("0000ABCD"));
    auto* pn = t.find<IntEdit>("iePSRnum");
    auto* pv = t.find<HexEdit>("hePSRval");
    pn->setText("12");
    pv->setText("7");
    pv->setModified(true);
    leave(pv);
    QCOMPARE(t.w->workspace().regs.psr[12], 7u);
  }

  void resetAndListingButtons() {
    Window t;
    t.w->workspace().regs.psr[0] = 7;
    t.w->workspace().regs.gpr[3] = 5;
    t.find<QPushButton>("bGPRs")->click();
    QVERIFY(t.logLines().contains(" GPR3: 00000005 (5)   "));
    t.find<QPushButton>("bPSRs")->click();
    QVERIFY(t.logLines().contains(" PSR0: 00000007 (7) - Interactive Graphics Stream Number (b7-b0) {1-32,$ff}"));

    t.w->workspace().options.realPsrs = true;
    t.w->workspace().options.region = 2;
    t.find<QPushButton>("bResetRegs")->click();
    QCOMPARE(t.w->workspace().regs.psr[0], 1u);
    QCOMPARE(t.w->workspace().regs.psr[1], 1u);  // the 'real' value
    QCOMPARE(t.w->workspace().regs.psr[20], 4u);
    QCOMPARE(t.w->workspace().regs.gpr[3], 0u);
    QCOMPARE(t.find<HexEdit>("hePSRval")->text(), QString("00000001"));
    QCOMPARE(t.find<HexEdit>("heGPRval")->text(), QString("00000000"));
  }

  void startUpResetsWithTheStoredOptions() {
    Window t;
    t.w->workspace().options.region = 1;
    t.w->workspace().regs.gpr[1] = 3;
    emit t.w->settingsApplied();
    QCOMPARE(t.w->workspace().regs.psr[20], 2u);
    QCOMPARE(t.w->workspace().regs.gpr[1], 0u);
  }
};

MIRDAL_GUI_TEST(RegisterPanelTest)

}  // namespace mirdal::gui::test

#include "register_panel_test.moc"
