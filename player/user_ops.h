// The keys of a player's remote as the disc player takes them, and the bit
// of the user-operation mask each one is checked against.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mirdal {

struct UserOp {
  enum class Kind { TopMenu, Title, ChapterNext, ChapterPrevious, PopUp, Up, Down, Left, Right, Enter, Digit, Wait, End };
  Kind kind = Kind::Enter;
  std::uint32_t value = 0;  // title number, digit, or wait in milliseconds
  bool operator==(const UserOp&) const = default;
};

// "menu", "title:N", "chapter+", "chapter-", "popup", "up", "down", "left",
// "right", "enter", "0".."9", "wait:SECONDS" (decimals allowed), "end".
std::optional<UserOp> parseUserOp(std::string_view word);
// "Top Menu", "Title Search 3", "Up", ...
std::string userOpName(const UserOp& op);

// Bits of the first word of a UO mask (bit 31 first on disc).
inline constexpr int kUoMenuCall = 31;
inline constexpr int kUoTitleSearch = 30;
inline constexpr int kUoSkipNext = 27;
inline constexpr int kUoSkipBack = 26;
inline constexpr int kUoPopUpOn = 7;
inline constexpr int kUoPopUpOff = 6;
// The bit a key is checked against (-1: none). PopUp is On here; the
// player asks for Off when the pop-up menu is shown.
int uoBit(const UserOp& op);

}  // namespace mirdal
