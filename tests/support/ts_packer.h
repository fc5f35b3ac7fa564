// Packs PES packets into the 192-byte source packets of a stream file, for
// tests of the stream tools; independent of the code under test.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace mirdal::test {

using Bytes = std::vector<std::uint8_t>;

// Cuts PES packets into 192-byte source packets of one PID; the last packet
// of each PES packet is filled up with an adaptation field. A packet of
// another PID is put between every two.
class TsPacker {
 public:
  explicit TsPacker(std::uint16_t pid) : pid_(pid) {}

  void pes(const std::uint8_t* p, std::size_t n) {
    bool first = true;
    while (n > 0) {
      const std::size_t take = std::min<std::size_t>(n, 184);
      packet(pid_, first, p, take, cc_++);
      other();
      p += take;
      n -= take;
      first = false;
    }
  }
  // Every PES packet of a concatenation of whole PES packets.
  void pesStream(const Bytes& pes) {
    for (std::size_t pos = 0; pos + 6 <= pes.size();) {
      const std::size_t len = 6 + (std::size_t(pes[pos + 4]) << 8 | pes[pos + 5]);
      this->pes(pes.data() + pos, std::min(len, pes.size() - pos));
      pos += len;
    }
  }
  const Bytes& bytes() const { return out_; }

 private:
  void packet(std::uint16_t pid, bool start, const std::uint8_t* p, std::size_t n, unsigned cc) {
    out_.insert(out_.end(), {0, 0, 0, 0, 0x47, std::uint8_t((start ? 0x40 : 0) | (pid >> 8)), std::uint8_t(pid)});
    if (n == 184) {
      out_.push_back(std::uint8_t(0x10 | (cc & 0xF)));
    } else {
      out_.push_back(std::uint8_t(0x30 | (cc & 0xF)));
      const std::size_t afl = 183 - n;
      out_.push_back(std::uint8_t(afl));
      if (afl) {
        out_.push_back(0);
        out_.insert(out_.end(), afl - 1, 0xFF);
      }
    }
    out_.insert(out_.end(), p, p + n);
  }
  void other() {
    const std::uint8_t filler[184] = {};
    packet(0x1100, false, filler, 184, 0);
  }

  std::uint16_t pid_;
  unsigned cc_ = 0;
  Bytes out_;
};

}  // namespace mirdal::test
