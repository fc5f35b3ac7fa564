// Lays out test files byte by byte, independently of the writers under test.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace mirdal::test {

class ByteBuilder {
 public:
  ByteBuilder& u8(std::uint32_t v) {
    b_.push_back(std::uint8_t(v));
    return *this;
  }
  ByteBuilder& u16(std::uint32_t v) { return u8(v >> 8).u8(v); }
  ByteBuilder& u24(std::uint32_t v) { return u8(v >> 16).u8(v >> 8).u8(v); }
  ByteBuilder& u32(std::uint32_t v) { return u16(v >> 16).u16(v); }
  // Text zero-padded (or cut) to width bytes; width 0 means the text as it is.
  ByteBuilder& str(const std::string& s, std::size_t width = 0) {
    const std::size_t w = width ? width : s.size();
    for (std::size_t i = 0; i < w; ++i) b_.push_back(i < s.size() ? std::uint8_t(s[i]) : 0);
    return *this;
  }
  ByteBuilder& bytes(std::initializer_list<int> list) {
    for (int v : list) b_.push_back(std::uint8_t(v));
    return *this;
  }
  ByteBuilder& bytes(const std::vector<std::uint8_t>& v) {
    b_.insert(b_.end(), v.begin(), v.end());
    return *this;
  }
  ByteBuilder& zeros(std::size_t n) {
    b_.insert(b_.end(), n, 0);
    return *this;
  }
  // Overwrites a big-endian 32-bit value at an offset already written.
  ByteBuilder& patch32(std::size_t off, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b_.at(off + i) = std::uint8_t(v >> (24 - 8 * i));
    return *this;
  }
  std::size_t size() const { return b_.size(); }
  const std::vector<std::uint8_t>& data() const { return b_; }
  operator const std::vector<std::uint8_t>&() const { return b_; }

 private:
  std::vector<std::uint8_t> b_;
};

}  // namespace mirdal::test
