// The numeric entry fields: which keys they take, how they show values.
#include <QSignalSpy>

#include "gui_test.h"
#include "support/recording_reporter.h"
#include "views/common/gui_reporter_access.h"
#include "views/common/hex_edit.h"
#include "views/common/int_edit.h"
#include "views/common/number_edit.h"

namespace mirdal::gui::test {

class NumericFieldsTest : public QObject {
  Q_OBJECT
 private slots:
  void typedKeys_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("beeps");
    QTest::newRow("hex digits and letters") << "hex" << "09afAF" << "09afAF" << 0;
    QTest::newRow("hex refuses x") << "hex" << "1x2" << "12" << 1;
    QTest::newRow("hex refuses sign and space") << "hex" << "-a b" << "ab" << 2;
    QTest::newRow("hex refuses g") << "hex" << "fg" << "f" << 1;
    QTest::newRow("int digits and signs") << "int" << "+12-3" << "+12-3" << 0;
    QTest::newRow("int refuses letters") << "int" << "1a2" << "12" << 1;
    QTest::newRow("int refuses dot") << "int" << "3.5" << "35" << 1;
    QTest::newRow("number digits only") << "number" << "4x2" << "42" << 1;
  }

  void typedKeys() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, beeps);
    mirdal::test::ReportScope scope;
    const mirdal::gui::ScopedGuiReporter gui(scope.rep);
    std::unique_ptr<QLineEdit> e;
    if (field == "hex") e = std::make_unique<HexEdit>(nullptr, 8);
    else if (field == "int") e = std::make_unique<IntEdit>();
    else e = std::make_unique<NumberEdit>(nullptr, 0, 1000);
    e->clear();
    QTest::keyClicks(e.get(), typed);
    QCOMPARE(e->text(), shown);
    QCOMPARE(scope.rep.exclamations, beeps);
  }

  void editingKeysPassWithoutBeep() {
    mirdal::test::ReportScope scope;
    const mirdal::gui::ScopedGuiReporter gui(scope.rep);
    HexEdit e;
    e.setText("ABC");
    e.setCursorPosition(3);
    QTest::keyClick(&e, Qt::Key_Backspace);
    QTest::keyClick(&e, Qt::Key_Left);
    QTest::keyClick(&e, Qt::Key_Home);
    QTest::keyClick(&e, Qt::Key_Delete);
    QSignalSpy enter(&e, &QLineEdit::returnPressed);
    QTest::keyClick(&e, Qt::Key_Return);
    QCOMPARE(e.text(), QString("B"));
    QCOMPARE(enter.count(), 1);
    QCOMPARE(scope.rep.exclamations, 0);
  }

  void hexDisplayIsZeroPaddedToItsLength_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("lower");
    QTest::addColumn<qulonglong>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("8 digits") << 8 << false << 255ull << "000000FF";
    QTest::newRow("4 digits") << 4 << false << 0xABull << "00AB";
    QTest::newRow("2 digits, wider value keeps low digits") << 2 << false << 0x1234ull << "34";
    QTest::newRow("lower case field") << 4 << true << 0x5553ull << "5553";
    QTest::newRow("lower case letters") << 4 << true << 0xABCDull << "abcd";
    QTest::newRow("32-bit word") << 8 << false << 0xFFFFFFFFull << "FFFFFFFF";
  }

  void hexDisplayIsZeroPaddedToItsLength() {
    QFETCH(int, length);
    QFETCH(bool, lower);
    QFETCH(qulonglong, value);
    QFETCH(QString, shown);
    HexEdit e(nullptr, length);
    e.setLowerCase(lower);
    e.setValue(value);
    QCOMPARE(e.text(), shown);
    QCOMPARE(e.value(), value & ((length == 16) ? ~0ull : ((1ull << (4 * length)) - 1)));
  }

  void hexValueSkipsOtherCharacters() {
    QCOMPARE(hexDigitsValue("1g2"), 0x12ull);
    QCOMPARE(hexDigitsValue(" 00ff "), 0xFFull);
    QCOMPARE(hexDigitsValue(""), 0ull);
  }

  void intValue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qlonglong>("value");
    QTest::newRow("plain") << "1234" << 1234ll;
    QTest::newRow("plus") << "+12" << 12ll;
    QTest::newRow("minus") << "-5" << -5ll;
    QTest::newRow("not a number") << "12-3" << 0ll;
    QTest::newRow("empty") << "" << 0ll;
    QTest::newRow("64-bit") << "9000000000" << 9000000000ll;
  }

  void intValue() {
    QFETCH(QString, text);
    QFETCH(qlonglong, value);
    IntEdit e;
    e.setText(text);
    QCOMPARE(e.value(), value);
  }

  void intDisplayDigits() {
    IntEdit e(nullptr, 4);
    e.setValue(12);
    QCOMPARE(e.text(), QString("12"));
    e.setDisplayDigits(4);
    e.setValue(12);
    QCOMPARE(e.text(), QString("0012"));
    e.setValue(-7);
    QCOMPARE(e.text(), QString("-0007"));
  }

  void numberClampsWhenLeft() {
    NumberEdit e(nullptr, 0, 100);
    QSignalSpy committed(&e, &NumberEdit::valueCommitted);
    e.setText("150");
    emit e.editingFinished();
    QCOMPARE(e.text(), QString("100"));
    QCOMPARE(committed.count(), 1);
    QCOMPARE(committed.at(0).at(0).toInt(), 100);
    e.setValue(-3);
    QCOMPARE(e.value(), 0);
    QCOMPARE(e.alignment() & Qt::AlignRight, Qt::AlignRight);
  }

  void numberHasItsOwnDisabledColour() {
    NumberEdit e;
    e.setEnabled(false);
    QCOMPARE(e.palette().color(QPalette::Disabled, QPalette::Base),
             e.palette().color(QPalette::Active, QPalette::Window));
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::NumericFieldsTest;
MIRDAL_GUI_TEST(NumericFieldsTest)
#include "widgets_test.moc"
