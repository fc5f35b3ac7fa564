// The texts of the menu editors' cells and fields and what they store: the
// edit masks' rules of the button grid, the time fields, the video list.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "menu/igs_model.h"
#include "present/effect_cells.h"
#include "present/menu_cells.h"

namespace mirdal {
namespace {

TEST(MenuCells, ButtonCellTextsGiveTheirValues) {
  struct Case {
    int column;
    std::string text;
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
  for (const Case& c : cases)
    EXPECT_EQ(buttonCellValue(c.column, c.text), c.value) << "column " << c.column << " text '" << c.text << "'";
}

TEST(MenuCells, ObjectColumnsNameTheirRangeEnds) {
  IgButton b;
  b.normalStart = 1, b.normalEnd = 2, b.selectedStart = 3, b.selectedEnd = 4;
  b.activatedStart = 5, b.activatedEnd = 6;
  const std::pair<int, std::optional<std::uint16_t>> cases[] = {
      {kBtnNStart, 1}, {kBtnNEnd, 2}, {kBtnSStart, 3}, {kBtnSEnd, 4}, {kBtnAStart, 5}, {kBtnAEnd, 6},
      {kBtnNRepeat, std::nullopt}, {kBtnSSound, std::nullopt}, {kBtnX, std::nullopt}};
  for (const auto& [column, object] : cases) EXPECT_EQ(objectOfCell(b, column), object) << column;
}

TEST(MenuCells, TimesAreShownAndReadBack) {
  EXPECT_EQ(timeoutText(0), "0:00:00");
  EXPECT_EQ(timeoutText(90000 * 3725 + 89999), "1:02:05");  // ticks below a second are not shown
  const std::pair<std::string, std::int64_t> timeouts[] = {
      {"0:00:00", 0}, {"0:01:05", 65 * 90000}, {"1:02:05", 3725ll * 90000}, {"0:60:00", -1}, {"0:0x:00", -1}, {"", -1}};
  for (const auto& [text, ticks] : timeouts) EXPECT_EQ(timeoutTicks(text), ticks) << text;
  const std::pair<std::string, std::int64_t> durations[] = {
      {"0:00:00.500", 45000}, {"0:00:02.000", 180000}, {"1:00:00.001", (3600000ll + 1) * 90}, {"0:00:00", -1},
      {"0:00:61.000", -1}};
  for (const auto& [text, ticks] : durations) EXPECT_EQ(effectTicks(text), ticks) << text;
}

TEST(MenuCells, VideoListItemFollowsWidthThenHeight) {
  const std::tuple<int, int, int> cases[] = {
      {1920, 1080, 0}, {1280, 720, 1}, {720, 576, 2}, {720, 480, 3}, {1920, 480, 0}, {640, 360, -1}};
  for (const auto& [w, h, item] : cases) EXPECT_EQ(videoItemOf(w, h), item) << w << "x" << h;
}

// The row texts and masks the grid shows, column by column.
TEST(MenuCells, ButtonRowTextsAndMasksFollowTheColumns) {
  IgButton b;
  b.buttonId = 0x12, b.numericSelectValue = 0xAB, b.autoAction = 1, b.x = 1919, b.y = 7;
  b.selectedSound = 0x0F, b.normalRepeat = 0, b.activatedEnd = 0xFFFF;
  const auto texts = buttonCellTexts(b);
  const std::tuple<int, std::string, std::string_view> cases[] = {
      {kBtnId, "0012", ">NNNN"},        {kBtnValue, "00AB", ">NNNN"}, {kBtnAutoAction, "Yes", ">L"},
      {kBtnX, "1919", "0000"},          {kBtnY, "7", "0000"},         {kBtnNRepeat, "No", ">L"},
      {kBtnSSound, "0F", ">NN"},        {kBtnAEnd, "FFFF", ">NNNN"},  {kBtnCommands, "0", ">NNNN"},
  };
  for (const auto& [column, text, mask] : cases) {
    EXPECT_EQ(texts[std::size_t(column)], text) << column;
    EXPECT_EQ(buttonCellMask(column), mask) << column;
  }
  EXPECT_EQ(buttonFieldOf(kBtnX), ButtonField::X);
  EXPECT_EQ(buttonFieldOf(kBtnAEnd), ButtonField::ActivatedEnd);
  EXPECT_EQ(buttonFieldOf(kBtnSRepeat), ButtonField::SelectedRepeat);
}


// A typed cell of the effect grids gives the row to store, or nothing.
TEST(MenuCells, ChoiceIsKeptInsideItsList) {
  // item, list length, item kept
  const std::tuple<int, int, int> cases[] = {
      {0, 0, -1}, {3, 0, -1}, {-1, 0, -1}, {0, 1, 0}, {-1, 4, 0}, {2, 4, 2}, {4, 4, 3}, {9, 4, 3},
  };
  for (const auto& [item, count, kept] : cases) EXPECT_EQ(keptChoice(item, count), kept) << item << " of " << count;
}

TEST(EffectCells, TypedCellsGiveTheRowToStore) {
  const EffectWindow w0{1, 10, 20, 30, 40};
  struct WindowCase {
    int column;
    std::string text;
    std::optional<EffectWindow> row;
  };
  const WindowCase windows[] = {
      {0, "7", EffectWindow{7, 10, 20, 30, 40}},
      {0, "300", EffectWindow{255, 10, 20, 30, 40}},  // ids stop at 255
      {1, "65535", EffectWindow{1, 65535, 20, 30, 40}},
      {2, "65536", w0},                                  // past 16 bits: kept
      {4, " 5 ", EffectWindow{1, 10, 20, 30, 5}},
      {3, "x", std::nullopt},
      {3, "", std::nullopt},
  };
  for (const WindowCase& c : windows) EXPECT_EQ(editedWindow(w0, c.column, c.text), c.row) << c.column << " " << c.text;

  Effect e0;
  e0.duration = 90, e0.paletteId = 3;
  const std::tuple<int, std::string, std::optional<std::pair<std::uint32_t, std::uint8_t>>> effects[] = {
      {1, "0:00:01.000", std::pair<std::uint32_t, std::uint8_t>{90000, 3}},
      {1, "0:00:01", std::nullopt},
      {2, "1F", std::pair<std::uint32_t, std::uint8_t>{90, 0x1F}},
      {2, "F", std::nullopt},
      {2, "ZZ", std::pair<std::uint32_t, std::uint8_t>{90, 0}},  // not hexadecimal: 0
      {1, "13256:00:00.000", std::nullopt},                       // past 32 bits of ticks
  };
  for (const auto& [column, text, want] : effects) {
    const auto got = editedEffect(e0, column, text);
    ASSERT_EQ(got.has_value(), want.has_value()) << column << " " << text;
    if (got) EXPECT_EQ(std::pair(got->duration, got->paletteId), *want) << column << " " << text;
  }

  CompositionObject c0;
  c0.objectId = 1, c0.windowId = 2, c0.x = 3, c0.y = 4;
  const std::tuple<int, std::string, std::optional<std::uint32_t>> objects[] = {
      {1, "00A0", 0xA0}, {1, "A0", std::nullopt}, {2, "0F", 0x0F}, {2, "F", std::nullopt},
      {3, "1919", 1919}, {4, "65536", 4}, {4, "y", std::nullopt},
  };
  for (const auto& [column, text, value] : objects) {
    const auto got = editedCompObject(c0, column, text);
    ASSERT_EQ(got.has_value(), value.has_value()) << column << " " << text;
    if (!got) continue;
    const std::uint32_t stored = column == 1 ? got->objectId : column == 2 ? got->windowId : column == 3 ? got->x : got->y;
    EXPECT_EQ(stored, *value) << column << " " << text;
  }
}

}  // namespace
}  // namespace mirdal
