#include "present/number_text.h"

#include <limits>

namespace mirdal {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

// The magnitude of a number without its sign; nothing past `limit`.
std::optional<std::uint64_t> magnitude(std::string_view s, int base, std::uint64_t limit) {
  if (base == 16 && s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s.remove_prefix(2);
  if (s.empty()) return std::nullopt;
  std::uint64_t v = 0;
  for (char c : s) {
    const int d = digitValue(c);
    if (d >= base) return std::nullopt;
    v = v * std::uint64_t(base) + std::uint64_t(d);
    if (v > limit) return std::nullopt;
  }
  return v;
}

}  // namespace

std::string_view trimmedText(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> splitText(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

std::optional<std::uint32_t> unsignedOfText(std::string_view text, int base) {
  std::string_view s = trimmedText(text);
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  const auto v = magnitude(s, base, std::numeric_limits<std::uint32_t>::max());
  if (!v) return std::nullopt;
  return std::uint32_t(*v);
}

bool fitsU32(std::int64_t v) { return v >= 0 && v <= std::int64_t(std::numeric_limits<std::uint32_t>::max()); }

std::optional<std::int32_t> intOfText(std::string_view text) {
  std::string_view s = trimmedText(text);
  const bool negative = !s.empty() && s[0] == '-';
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) s.remove_prefix(1);
  const std::uint64_t limit = std::uint64_t(std::numeric_limits<std::int32_t>::max()) + (negative ? 1 : 0);
  const auto v = magnitude(s, 10, limit);
  if (!v) return std::nullopt;
  return negative ? std::int32_t(-std::int64_t(*v)) : std::int32_t(*v);
}

}  // namespace mirdal
