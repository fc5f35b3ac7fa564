// The rules of the menu editors' cells and fields: which button-grid column
// holds what, the value a typed cell gives under its edit mask, the object a
// cell names, the time texts of the composition's time-out and of effect
// durations, and the video-size list item of a composition.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "menu/igs_model.h"
#include "menu/menu_edit.h"

namespace mirdal {

// The columns of the button grid.
enum ButtonColumn {
  kBtnId = 0, kBtnValue, kBtnAutoAction, kBtnX, kBtnY, kBtnUpper, kBtnLower, kBtnLeft, kBtnRight,
  kBtnNStart, kBtnNEnd, kBtnNRepeat, kBtnSSound, kBtnSStart, kBtnSEnd, kBtnSRepeat,
  kBtnASound, kBtnAStart, kBtnAEnd, kBtnCommands, kBtnColumns
};

// The button field a column edits (the id and command columns: Value, never
// edited through it).
ButtonField buttonFieldOf(int column);
// The edit mask of a column: ">L" (Y/N), "0000" (decimal), ">NN" or ">NNNN"
// (hexadecimal).
std::string_view buttonCellMask(int column);
// The texts of a button's row, one per column.
std::array<std::string, kBtnColumns> buttonCellTexts(const IgButton& b);

// The object shown for a cell of the button grid: the start or end object
// of a state's range for the object columns; nullopt for other columns.
std::optional<std::uint16_t> objectOfCell(const IgButton& b, int column);

// The value a typed cell text gives for a button column under its edit
// mask; nullopt when the mask is not filled (the edit is ignored). The text
// holds one byte per typed character.
std::optional<std::uint32_t> buttonCellValue(int column, std::string_view text);

// The item of the video list for a composition size: 1920 wide, 1280 wide,
// 576 high, 480 high; -1 for any other size.
int videoItemOf(int width, int height);
// "h:mm:ss" of a time-out in 90 kHz ticks, and back (-1 for a text that is
// not such a time).
std::string timeoutText(std::uint32_t ticks);
std::int64_t timeoutTicks(std::string_view text);
// Effect durations as "h:mm:ss.zzz" and back (-1 for another text).
std::int64_t effectTicks(std::string_view text);

// The largest values of the effect editors' cells.
inline constexpr std::int64_t kMaxEffectDuration = 0xFFFFFFFF;
inline constexpr std::int64_t kMaxPaletteId = 0xFF;
inline constexpr std::int64_t kMaxUserTimeout = 0xFFFFFFFF;

// The object or palette chosen once its list holds `count` items: the item
// as it was, or the nearest one when the list got shorter; -1 for an empty
// list.
int keptChoice(int item, int count);

}  // namespace mirdal
