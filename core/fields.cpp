#include "core/fields.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace mirdal {

// The bytes that are left, then zeros.
std::uint64_t FieldReader::takeSlow(std::size_t n) {
  const std::size_t avail = remaining();
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < n; ++i) v = v << 8 | (i < avail ? data_[pos_ + i] : 0);
  skip(n);
  return v;
}

// The data is only addressed while bytes are left: past the end (or over no
// data at all, where data_ may be null) no pointer into it is formed.
std::string FieldReader::readStringSlow(std::size_t n) {
  const std::size_t avail = std::min(n, remaining());
  std::string s;
  if (avail > 0) {
    const char* p = reinterpret_cast<const char*>(data_ + pos_);
    const void* zero = std::memchr(p, 0, avail);
    s.assign(p, zero ? static_cast<const char*>(zero) - p : avail);
  }
  skip(n);
  return s;
}

Bytes FieldReader::readBytes(std::size_t n) {
  const std::size_t k = std::min(n, remaining());
  Bytes b;
  if (k > 0) b.assign(data_ + pos_, data_ + pos_ + k);
  skip(n);
  return b;
}

Bytes FieldReader::readRest() {
  if (pos_ >= size_) return {};
  Bytes b(data_ + pos_, data_ + size_);
  pos_ = size_;
  return b;
}

void FieldReader::skipSlow(std::size_t n) {
  if (n > remaining()) overrun_ = true;
  // A length field near the top of size_t must not wrap the position back
  // into the data.
  pos_ = n > SIZE_MAX - pos_ ? SIZE_MAX : pos_ + n;
}

void FieldReader::seek(std::size_t pos) {
  if (pos > size_) overrun_ = true;
  pos_ = pos;
}

void OutputBuffer::setBlock(std::size_t size) { block_.assign(size, 0); }

void OutputBuffer::need(std::size_t end) {
  if (block_.size() < end) block_.resize(end, 0);
}

void OutputBuffer::putU8(std::uint32_t v, std::size_t off) {
  need(off + 1);
  block_[off] = std::uint8_t(v);
}

void OutputBuffer::putU16(std::uint32_t v, std::size_t off) {
  need(off + 2);
  block_[off] = std::uint8_t(v >> 8);
  block_[off + 1] = std::uint8_t(v);
}

void OutputBuffer::putU32(std::uint32_t v, std::size_t off) {
  need(off + 4);
  for (int i = 0; i < 4; ++i) block_[off + i] = std::uint8_t(v >> (24 - 8 * i));
}

void OutputBuffer::putString(std::string_view text, std::size_t off, std::size_t width) {
  need(off + width);
  std::memset(block_.data() + off, 0, width);
  const std::size_t n = text.size() < width ? text.size() : width;
  std::memcpy(block_.data() + off, text.data(), n);
}

void OutputBuffer::putBytes(const Bytes& b, std::size_t off) {
  need(off + b.size());
  if (!b.empty()) std::memcpy(block_.data() + off, b.data(), b.size());
}

void OutputBuffer::writeBlock() { file_.insert(file_.end(), block_.begin(), block_.end()); }

void OutputBuffer::addU8(std::uint32_t v) {
  putU8(v, fill_);
  fill_ += 1;
}

void OutputBuffer::addU16(std::uint32_t v) {
  putU16(v, fill_);
  fill_ += 2;
}

void OutputBuffer::addU24(std::uint32_t v) {
  need(fill_ + 3);
  block_[fill_] = std::uint8_t(v >> 16);
  block_[fill_ + 1] = std::uint8_t(v >> 8);
  block_[fill_ + 2] = std::uint8_t(v);
  fill_ += 3;
}

void OutputBuffer::addU32(std::uint32_t v) {
  putU32(v, fill_);
  fill_ += 4;
}

void OutputBuffer::addU40(std::uint64_t v) {
  need(fill_ + 5);
  for (int i = 0; i < 5; ++i) block_[fill_ + i] = std::uint8_t(v >> (32 - 8 * i));
  fill_ += 5;
}

void OutputBuffer::addString(std::string_view text, std::size_t width) {
  putString(text, fill_, width);
  fill_ += width;
}

void OutputBuffer::addBytes(const Bytes& b) { addBytes(b.data(), b.size()); }

void OutputBuffer::addBytes(const std::uint8_t* p, std::size_t n) {
  need(fill_ + n);
  if (n) std::memcpy(block_.data() + fill_, p, n);
  fill_ += n;
}

void OutputBuffer::flushAdded() {
  file_.insert(file_.end(), block_.begin(), block_.begin() + std::ptrdiff_t(fill_));
  fill_ = 0;
}

bool readFileBytes(const std::string& path, Bytes& out, std::string* error,
                   std::uint64_t maxSize) {
  out.clear();
  // open, fstat, read, close: a loop over thousands of playlists spends
  // more time in these calls than in taking the files apart, so there are
  // no others. O_NONBLOCK: opening a FIFO must not wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    const int openError = errno;
    struct stat st {};
    if (error) {
      if (::stat(path.c_str(), &st) != 0) *error = "file not found";
      else if (!S_ISREG(st.st_mode)) *error = "not a file";
      else *error = std::strerror(openError);
    }
    return false;
  }
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (!ok) {
    if (error) *error = "not a file";
  } else if (std::uint64_t(st.st_size) > maxSize) {
    if (error) *error = "file too large (" + std::to_string(st.st_size) + " bytes)";
    ok = false;
  } else {
    out.resize(std::size_t(st.st_size));
    std::size_t got = 0;
    while (got < out.size()) {
      const ssize_t n = ::read(fd, out.data() + got, out.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += std::size_t(n);
    }
    if (got < out.size()) {
      if (error) *error = "read error";
      out.clear();
      ok = false;
    }
  }
  ::close(fd);
  return ok;
}

}  // namespace mirdal
