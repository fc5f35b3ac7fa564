// A heap buffer that starts on a page boundary, for the buffers that read()
// and write() fill and drain. The kernel copies between the page cache and a
// page-aligned buffer at about twice the speed of one a few bytes off, and a
// std::vector of a megabyte starts 16 bytes past a page (the allocator's
// header), which made an export cost twice the CPU of `cat`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace mirdal {

inline constexpr std::size_t kPageSize = 4096;

class PageBuffer {
 public:
  explicit PageBuffer(std::size_t size = 0) { resize(size); }

  // Contents are not kept.
  void resize(std::size_t size) {
    data_.reset(size ? static_cast<std::uint8_t*>(::operator new(size, std::align_val_t{kPageSize})) : nullptr);
    size_ = size;
  }
  std::uint8_t* data() { return data_.get(); }
  const std::uint8_t* data() const { return data_.get(); }
  std::size_t size() const { return size_; }

 private:
  struct Free {
    void operator()(std::uint8_t* p) const { ::operator delete(p, std::align_val_t{kPageSize}); }
  };
  std::unique_ptr<std::uint8_t, Free> data_;
  std::size_t size_ = 0;
};

}  // namespace mirdal
