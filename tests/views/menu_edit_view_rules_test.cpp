// The texts of the menu editors' cells and fields and what they store: the
// edit masks' rules of the button grid, the time fields, the video list.
#include <optional>

#include "gui_test.h"
#include "menu/igs_model.h"
#include "views/menu_bogs_tab.h"
#include "views/menu_composition_box.h"
#include "views/menu_effects_tab.h"

namespace mirdal::gui::test {

class MenuEditRulesTest : public QObject {
  Q_OBJECT
 private slots:
  void buttonCellTextsGiveTheirValues() {
    struct Case {
      int column;
      QString text;
      std::optional<std::uint32_t> value;
    };
    const Case cases[] = {
        {kBtnValue, "00FF", 0xFF},
        {kBtnValue, "00F", std::nullopt},  // mask not filled
        {kBtnUpper, "0G01", 0},            // not hexadecimal: 0
        {kBtnAutoAction, "Y", 1},
        {kBtnAutoAction, "N", 0},
        {kBtnNRepeat, "", std::nullopt},
        {kBtnX, "1919", 1919},
        {kBtnX, "12", 12},  // fewer digits than the mask holds
        {kBtnY, "1 2", std::nullopt},
        {kBtnSSound, "FF", 0xFF},
        {kBtnASound, "F", std::nullopt},
        {kBtnId, "0001", std::nullopt},        // not editable
        {kBtnCommands, "2", std::nullopt},     // follows the command list
        {kBtnAEnd, "0010", 0x10},
    };
    for (const Case& c : cases) {
      const auto got = buttonCellValue(c.column, c.text);
      QVERIFY2(got == c.value, qPrintable(QString("column %1 text '%2'").arg(c.column).arg(c.text)));
    }
  }

  void objectColumnsNameTheirRangeEnds() {
    TIGbutton b;
    b.normal_start = 1, b.normal_end = 2, b.selected_start = 3, b.selected_end = 4;
    b.activated_start = 5, b.activated_end = 6;
    const std::pair<int, std::optional<std::uint16_t>> cases[] = {
        {kBtnNStart, 1}, {kBtnNEnd, 2}, {kBtnSStart, 3}, {kBtnSEnd, 4}, {kBtnAStart, 5}, {kBtnAEnd, 6},
        {kBtnNRepeat, std::nullopt}, {kBtnSSound, std::nullopt}, {kBtnX, std::nullopt}};
    for (const auto& [column, object] : cases) QCOMPARE(objectOfCell(b, column), object);
  }

  void timesAreShownAndReadBack() {
    QCOMPARE(timeoutText(0), QString("0:00:00"));
    QCOMPARE(timeoutText(90000 * 3725 + 89999), QString("1:02:05"));  // ticks below a second are not shown
    const std::pair<QString, std::int64_t> timeouts[] = {
        {"0:00:00", 0}, {"0:01:05", 65 * 90000}, {"1:02:05", 3725ll * 90000}, {"0:60:00", -1}, {"0:0x:00", -1}, {"", -1}};
    for (const auto& [text, ticks] : timeouts) QCOMPARE(timeoutTicks(text), ticks);
    const std::pair<QString, std::int64_t> durations[] = {
        {"0:00:00.500", 45000}, {"0:00:02.000", 180000}, {"1:00:00.001", (3600000ll + 1) * 90}, {"0:00:00", -1},
        {"0:00:61.000", -1}};
    for (const auto& [text, ticks] : durations) QCOMPARE(effectTicks(text), ticks);
  }

  void videoListItemFollowsWidthThenHeight() {
    const std::tuple<int, int, int> cases[] = {
        {1920, 1080, 0}, {1280, 720, 1}, {720, 576, 2}, {720, 480, 3}, {1920, 480, 0}, {640, 360, -1}};
    for (const auto& [w, h, item] : cases) QCOMPARE(videoItemOf(w, h), item);
  }
};

MIRDAL_GUI_TEST(MenuEditRulesTest)

}  // namespace mirdal::gui::test

#include "menu_edit_view_rules_test.moc"
