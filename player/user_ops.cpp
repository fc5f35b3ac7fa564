#include "player/user_ops.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace mirdal {

std::optional<UserOp> parseUserOp(std::string_view w) {
  std::string s(w);
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  using K = UserOp::Kind;
  static const struct { const char* word; K kind; } plain[] = {
      {"menu", K::TopMenu}, {"chapter+", K::ChapterNext}, {"chapter-", K::ChapterPrevious},
      {"popup", K::PopUp},  {"up", K::Up},                 {"down", K::Down},
      {"left", K::Left},    {"right", K::Right},           {"enter", K::Enter},
      {"end", K::End}};
  for (const auto& p : plain)
    if (s == p.word) return UserOp{p.kind, 0};
  if (s.size() == 1 && std::isdigit(static_cast<unsigned char>(s[0]))) return UserOp{K::Digit, std::uint32_t(s[0] - '0')};
  if (s.rfind("title:", 0) == 0) {
    std::uint32_t n = 0;
    const char* b = s.data() + 6;
    const char* e = s.data() + s.size();
    const auto r = std::from_chars(b, e, n);
    if (b == e || r.ec != std::errc() || r.ptr != e || n > 0xFFFF) return std::nullopt;
    return UserOp{K::Title, n};
  }
  if (s.rfind("wait:", 0) == 0) {
    const std::string num = s.substr(5);
    if (num.empty() || num.find_first_not_of("0123456789.") != std::string::npos) return std::nullopt;
    char* end = nullptr;
    const double sec = std::strtod(num.c_str(), &end);
    if (*end != '\0' || !(sec >= 0) || sec > 86400.0 * 7) return std::nullopt;
    return UserOp{K::Wait, std::uint32_t(std::llround(sec * 1000))};
  }
  return std::nullopt;
}

std::string userOpName(const UserOp& op) {
  using K = UserOp::Kind;
  switch (op.kind) {
    case K::TopMenu: return "Top Menu";
    case K::Title: return "Title Search " + std::to_string(op.value);
    case K::ChapterNext: return "Next chapter";
    case K::ChapterPrevious: return "Previous chapter";
    case K::PopUp: return "Pop-up";
    case K::Up: return "Up";
    case K::Down: return "Down";
    case K::Left: return "Left";
    case K::Right: return "Right";
    case K::Enter: return "Enter";
    case K::Digit: return "Number " + std::to_string(op.value);
    case K::Wait: return "Wait";
    case K::End: return "End";
  }
  return {};
}

int uoBit(const UserOp& op) {
  using K = UserOp::Kind;
  switch (op.kind) {
    case K::TopMenu: return kUoMenuCall;
    case K::Title: return kUoTitleSearch;
    case K::ChapterNext: return kUoSkipNext;
    case K::ChapterPrevious: return kUoSkipBack;
    case K::PopUp: return kUoPopUpOn;
    case K::Up: return 17;
    case K::Down: return 16;
    case K::Left: return 15;
    case K::Right: return 14;
    case K::Enter: return 12;     // activate button
    case K::Digit: return 11;     // select button and activate
    case K::Wait:
    case K::End: return -1;
  }
  return -1;
}

}  // namespace mirdal
