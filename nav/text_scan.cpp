#include "nav/text_scan.h"

#include "core/display_text.h"

namespace mirdal {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isWordChar(char c) {
  return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
char upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

bool startsRegister(std::string_view t, std::size_t p, const char* name) {
  if (p + 3 >= t.size() || !isDigit(t[p + 3])) return false;
  return upper(t[p]) == name[0] && upper(t[p + 1]) == name[1] && upper(t[p + 2]) == name[2];
}

}  // namespace

std::string TextError::message() const {
  std::string s;
  if (line != 0) s = "line " + std::to_string(line) + ", ";
  return s + "column " + std::to_string(column) + ": " + what;
}

void LineScanner::skipBlanks() {
  while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
}

bool LineScanner::accept(char c) {
  if (atEnd() || text_[pos_] != c) return false;
  ++pos_;
  return true;
}

bool LineScanner::atLineEnd() {
  skipBlanks();
  return atEnd() || text_[pos_] == ';';
}

bool LineScanner::atValue() const {
  if (atEnd()) return false;
  return isDigit(text_[pos_]) || startsRegister(text_, pos_, "GPR") || startsRegister(text_, pos_, "PSR");
}

void LineScanner::fail(std::size_t column, std::string what) const {
  throw TextError{0, column + 1, std::move(what)};
}

std::string_view LineScanner::wordAt(std::size_t from) const {
  std::size_t e = from;
  while (e < text_.size() && !isBlank(text_[e]) && text_[e] != ',' && text_[e] != ';' && text_[e] != ')' &&
         text_[e] != '=')
    ++e;
  if (e == from && e < text_.size()) ++e;  // a lone ',' or ')' names itself
  return text_.substr(from, e - from);
}

std::uint32_t LineScanner::number(std::size_t start) {
  std::uint64_t v = 0;
  bool overflow = false;
  if (text_[pos_] == '0' && pos_ + 1 < text_.size() && (text_[pos_ + 1] == 'x' || text_[pos_ + 1] == 'X') &&
      pos_ + 2 < text_.size() && hexDigitValue(text_[pos_ + 2]) >= 0) {
    pos_ += 2;
    for (int d; pos_ < text_.size() && (d = hexDigitValue(text_[pos_])) >= 0; ++pos_) {
      v = v * 16 + unsigned(d);
      overflow |= v > 0xFFFFFFFFull;
      if (overflow) v = 0;
    }
  } else {
    for (; pos_ < text_.size() && isDigit(text_[pos_]); ++pos_) {
      v = v * 10 + unsigned(text_[pos_] - '0');
      overflow |= v > 0xFFFFFFFFull;
      if (overflow) v = 0;
    }
  }
  if (overflow) fail(start, "number out of range: " + std::string(text_.substr(start, pos_ - start)) + " (0 to 4294967295)");
  return std::uint32_t(v);
}

ScannedValue LineScanner::value(const char* expected) {
  ScannedValue r;
  r.column = pos_;
  if (!atValue()) {
    if (atLineEnd()) fail(pos_, std::string(expected));
    fail(pos_, std::string(expected) + ", not '" + std::string(wordAt(pos_)) + "'");
  }
  if (isDigit(text_[pos_])) {
    r.value = number(r.column);
  } else {
    const bool psr = upper(text_[pos_]) == 'P';
    r.kind = psr ? ScannedValue::Kind::PSR : ScannedValue::Kind::GPR;
    pos_ += 3;
    const std::size_t digits = pos_;
    while (pos_ < text_.size() && isDigit(text_[pos_])) ++pos_;
    const std::string_view n = text_.substr(digits, pos_ - digits);
    const unsigned max = psr ? kMaxPsrNumber : kMaxGprNumber;
    std::uint64_t v = 0;
    for (char c : n) v = v * 10 + unsigned(c - '0'), v = v > 100000 ? 100000 : v;
    if (v > max)
      fail(r.column, "register number out of range: " + std::string(text_.substr(r.column, pos_ - r.column)) + " (" +
                         (psr ? "PSR0 to PSR127" : "GPR0 to GPR4095") + ")");
    r.value = std::uint32_t(v);
  }
  if (pos_ < text_.size() && isWordChar(text_[pos_]))
    fail(r.column, std::string(expected) + ", not '" + std::string(wordAt(r.column)) + "'");
  r.end = pos_;
  return r;
}

}  // namespace mirdal
