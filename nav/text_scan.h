// Reading the pieces of a command line or a register setting out of text:
// blanks, numbers (decimal or 0x hexadecimal), register names (GPR0-GPR4095,
// PSR0-PSR127). The command assembler, program import and register
// settings share it, so all three take the same numbers and registers and
// say the same about bad ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mirdal {

// What is wrong with a text and where: line and column count from 1; a
// text that is not a line of a file (a register setting) has line 0.
struct TextError {
  std::size_t line = 0;
  std::size_t column = 0;
  std::string what;  // "expected a register or a number after ','"

  // "line 4, column 12: expected ..." ("column 12: ..." without a line).
  std::string message() const;
};

// A number or register as written; `column` is its 0-based offset.
struct ScannedValue {
  enum class Kind { Number, GPR, PSR };
  Kind kind = Kind::Number;
  std::uint32_t value = 0;  // the number, or the register's number
  std::size_t column = 0;
  std::size_t end = 0;  // offset after it
};

constexpr unsigned kMaxGprNumber = 4095;
constexpr unsigned kMaxPsrNumber = 127;

// Walks one line. Failures throw TextError with the column of the
// offending text (line 0; the caller fills it in).
class LineScanner {
 public:
  explicit LineScanner(std::string_view text, std::size_t pos = 0) : text_(text), pos_(pos) {}

  std::string_view text() const { return text_; }
  std::size_t pos() const { return pos_; }
  void setPos(std::size_t p) { pos_ = p; }
  bool atEnd() const { return pos_ >= text_.size(); }
  char peek() const { return atEnd() ? '\0' : text_[pos_]; }

  // Spaces and tabs.
  void skipBlanks();
  // Takes c when it is next.
  bool accept(char c);
  // At the end of the text or at a ';' comment, blanks skipped first.
  bool atLineEnd();

  // Whether a number or a register name (GPR or PSR followed by a digit,
  // either case) starts here.
  bool atValue() const;
  // A number or a register name; `expected` describes what was wanted.
  ScannedValue value(const char* expected);

  [[noreturn]] void fail(std::size_t column, std::string what) const;
  // The text from `from` to the next blank, ',' or ';', for messages.
  std::string_view wordAt(std::size_t from) const;

 private:
  std::uint32_t number(std::size_t start);

  std::string_view text_;
  std::size_t pos_;
};

}  // namespace mirdal
