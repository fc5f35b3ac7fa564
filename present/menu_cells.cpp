#include "present/menu_cells.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "present/number_text.h"

namespace mirdal {

namespace {

std::string hex(std::uint32_t v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", digits, v);
  return buf;
}

std::string yesNo(std::uint8_t v) { return v == 1 ? "Yes" : "No"; }

// Hexadecimal text of a filled mask; any character outside 0-9, A-F makes
// the value 0.
std::uint32_t hexValue(std::string_view text) { return unsignedOfText(text, 16).value_or(0); }

}  // namespace

ButtonField buttonFieldOf(int column) {
  using F = ButtonField;
  static constexpr F fields[kBtnColumns] = {
      F::Value, F::Value, F::AutoAction, F::X, F::Y, F::Upper, F::Lower, F::Left, F::Right,
      F::NormalStart, F::NormalEnd, F::NormalRepeat, F::SelectedSound, F::SelectedStart, F::SelectedEnd,
      F::SelectedRepeat, F::ActivatedSound, F::ActivatedStart, F::ActivatedEnd, F::Value};
  return column >= 0 && column < kBtnColumns ? fields[column] : F::Value;
}

std::string_view buttonCellMask(int column) {
  switch (column) {
    case kBtnAutoAction:
    case kBtnNRepeat:
    case kBtnSRepeat: return ">L";
    case kBtnX:
    case kBtnY: return "0000";
    case kBtnSSound:
    case kBtnASound: return ">NN";
    default: return ">NNNN";
  }
}

std::array<std::string, kBtnColumns> buttonCellTexts(const IgButton& b) {
  return {hex(b.buttonId, 4), hex(b.numericSelectValue, 4), yesNo(b.autoAction),
          std::to_string(b.x), std::to_string(b.y), hex(b.upper, 4), hex(b.lower, 4), hex(b.left, 4),
          hex(b.right, 4), hex(b.normalStart, 4), hex(b.normalEnd, 4), yesNo(b.normalRepeat),
          hex(b.selectedSound, 2), hex(b.selectedStart, 4), hex(b.selectedEnd, 4), yesNo(b.selectedRepeat),
          hex(b.activatedSound, 2), hex(b.activatedStart, 4), hex(b.activatedEnd, 4),
          std::to_string(b.commands.size())};
}

std::optional<std::uint16_t> objectOfCell(const IgButton& b, int column) {
  switch (column) {
    case kBtnNStart: return b.normalStart;
    case kBtnNEnd: return b.normalEnd;
    case kBtnSStart: return b.selectedStart;
    case kBtnSEnd: return b.selectedEnd;
    case kBtnAStart: return b.activatedStart;
    case kBtnAEnd: return b.activatedEnd;
    default: return std::nullopt;
  }
}

std::optional<std::uint32_t> buttonCellValue(int column, std::string_view text) {
  if (column <= kBtnId || column >= kBtnCommands || text.find(' ') != std::string_view::npos) return std::nullopt;
  switch (column) {
    case kBtnAutoAction:
    case kBtnNRepeat:
    case kBtnSRepeat:
      if (text.size() != 1) return std::nullopt;
      return text == "Y" ? 1u : 0u;
    case kBtnX:
    case kBtnY:
      return unsignedOfText(text);
    case kBtnSSound:
    case kBtnASound:
      if (text.size() != 2) return std::nullopt;
      return hexValue(text);
    default:
      if (text.size() != 4) return std::nullopt;
      return hexValue(text);
  }
}

int videoItemOf(int width, int height) {
  if (width == 1920) return 0;
  if (width == 1280) return 1;
  if (height == 576) return 2;
  if (height == 480) return 3;
  return -1;
}

std::string timeoutText(std::uint32_t ticks) {
  const std::uint32_t s = ticks / 90000;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%u:%02u:%02u", s / 3600, s / 60 % 60, s % 60);
  return buf;
}

std::int64_t timeoutTicks(std::string_view text) {
  const auto parts = splitText(trimmedText(text), ':');
  if (parts.size() != 3) return -1;
  std::int64_t seconds = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    const auto v = intOfText(parts[i]);
    if (!v || *v < 0 || (i > 0 && *v > 59)) return -1;
    seconds = seconds * 60 + *v;
  }
  return seconds * 90000;
}

std::int64_t effectTicks(std::string_view text) {
  const auto hms = splitText(trimmedText(text), ':');
  if (hms.size() != 3) return -1;
  const auto sms = splitText(hms[2], '.');
  if (sms.size() != 2) return -1;
  const auto h = unsignedOfText(hms[0]), m = unsignedOfText(hms[1]), s = unsignedOfText(sms[0]),
             ms = unsignedOfText(sms[1]);
  if (!h || !m || !s || !ms || *m > 59 || *s > 59 || *ms > 999) return -1;
  return ((std::int64_t(*h) * 3600 + *m * 60 + *s) * 1000 + *ms) * 90;
}

int keptChoice(int item, int count) { return count <= 0 ? -1 : std::clamp(item, 0, count - 1); }

}  // namespace mirdal
