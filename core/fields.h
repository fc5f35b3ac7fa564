// Big-endian field reader and writer shared by every disc file format.
//
// Disc database files are small, so a loader reads the whole file into memory
// and takes fields from it with a FieldReader. Reads past the end yield zero
// bytes and mark the reader as overrun; callers test overrun() and report a
// truncated file instead of trusting the values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The reader's common fields are a load or two and must stay where they
// are used: a caller that parses a whole file in one function grows past
// what the compiler inlines on its own, and a call per field cost a
// fifth of a playlist read.
#if defined(__GNUC__) || defined(__clang__)
#define MIRDAL_FIELD_INLINE [[gnu::always_inline]] inline
#else
#define MIRDAL_FIELD_INLINE inline
#endif

namespace mirdal {

using Bytes = std::vector<std::uint8_t>;

class FieldReader {
 public:
  explicit FieldReader(const Bytes& data) : data_(data.data()), size_(data.size()) {}
  FieldReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  MIRDAL_FIELD_INLINE std::uint8_t readU8() {
    if (pos_ < size_) return data_[pos_++];
    return std::uint8_t(takeSlow(1));
  }
  MIRDAL_FIELD_INLINE std::uint16_t readU16() {
    if (pos_ < size_ && size_ - pos_ >= 2) {
      const std::uint8_t* p = data_ + pos_;
      pos_ += 2;
      return std::uint16_t(p[0] << 8 | p[1]);
    }
    return std::uint16_t(takeSlow(2));
  }
  std::uint32_t readU24() { return std::uint32_t(take(3)); }
  MIRDAL_FIELD_INLINE std::uint32_t readU32() {
    if (pos_ < size_ && size_ - pos_ >= 4) {
      const std::uint8_t* p = data_ + pos_;
      pos_ += 4;
      return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
    }
    return std::uint32_t(takeSlow(4));
  }
  std::uint64_t readU40() { return take(5); }
  // Exactly n bytes; the text is the bytes before the first zero byte.
  MIRDAL_FIELD_INLINE std::string readString(std::size_t n) {
    if (n > 0 && pos_ < size_ && size_ - pos_ >= n) {
      const char* p = reinterpret_cast<const char*>(data_ + pos_);
      std::size_t len = 0;
      while (len < n && p[len]) ++len;
      pos_ += n;
      return std::string(p, len);
    }
    return readStringSlow(n);
  }
  // The next n bytes as they are (fewer when the file ends first).
  Bytes readBytes(std::size_t n);
  // Everything from the position to the end, in one piece.
  Bytes readRest();

  MIRDAL_FIELD_INLINE void skip(std::size_t n) {
    if (pos_ <= size_ && size_ - pos_ >= n) {
      pos_ += n;
      return;
    }
    skipSlow(n);
  }
  // Moves to an absolute position; a position past the end marks an overrun.
  void seek(std::size_t pos);
  // Skips one byte when the position is odd.
  void alignEven() {
    if (pos_ % 2) skip(1);
  }

  std::size_t pos() const { return pos_; }
  std::size_t size() const { return size_; }
  std::size_t remaining() const { return pos_ < size_ ? size_ - pos_ : 0; }
  bool atEnd() const { return pos_ >= size_; }
  // True once any read or seek went past the end of the data.
  bool overrun() const { return overrun_; }

 private:
  // Inline: readers take thousands of fields per file.
  std::uint64_t take(std::size_t n) {
    if (pos_ <= size_ && size_ - pos_ >= n) {
      std::uint64_t v = 0;
      for (std::size_t i = 0; i < n; ++i) v = v << 8 | data_[pos_ + i];
      pos_ += n;
      return v;
    }
    return takeSlow(n);
  }
  std::uint64_t takeSlow(std::size_t n);
  void skipSlow(std::size_t n);
  std::string readStringSlow(std::size_t n);

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  bool overrun_ = false;
};

// The output buffer of the savers. Block discipline: setBlock(size) clears a
// block of that size, put* store fields at offsets, writeBlock() appends the
// block to the file image. Append discipline: add* store fields one after
// another at the fill count, flushAdded() appends them and resets the count.
// The composed file is handed to the save routine with file().
class OutputBuffer {
 public:
  void setBlock(std::size_t size);

  void putU8(std::uint32_t v, std::size_t off);
  void putU16(std::uint32_t v, std::size_t off);
  void putU32(std::uint32_t v, std::size_t off);
  // Zero-fills width bytes at off, then stores at most width characters.
  void putString(std::string_view text, std::size_t off, std::size_t width);
  void putBytes(const Bytes& b, std::size_t off);
  void writeBlock();

  void addU8(std::uint32_t v);
  void addU16(std::uint32_t v);
  void addU24(std::uint32_t v);
  void addU32(std::uint32_t v);
  void addU40(std::uint64_t v);
  void addString(std::string_view text, std::size_t width);
  void addBytes(const Bytes& b);
  void addBytes(const std::uint8_t* p, std::size_t n);
  void flushAdded();

  std::size_t fillCount() const { return fill_; }
  const Bytes& block() const { return block_; }
  const Bytes& file() const { return file_; }
  Bytes takeFile() { return std::move(file_); }

 private:
  void need(std::size_t end);

  Bytes block_;
  std::size_t fill_ = 0;
  Bytes file_;
};

// Reads a whole file. Returns false and an error text when it cannot be read
// or is larger than maxSize (disc database files are small; a stream file
// handed to a database reader by mistake must not be loaded whole).
constexpr std::uint64_t kMaxDatabaseFileSize = 64ull << 20;
bool readFileBytes(const std::string& path, Bytes& out, std::string* error = nullptr,
                   std::uint64_t maxSize = kMaxDatabaseFileSize);

}  // namespace mirdal
