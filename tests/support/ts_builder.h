// Lays out small transport streams of 192-byte source packets for tests,
// the sample disc and the benchmarks, independently of the stream readers.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

namespace mirdal::test {

class TsBuilder {
 public:
  using Bytes = std::vector<std::uint8_t>;

  // One source packet. A payload shorter than 184 bytes is put behind an
  // adaptation field of stuffing bytes.
  TsBuilder& packet(std::uint16_t pid, bool unitStart, const std::uint8_t* payload, std::size_t n) {
    const std::size_t at = data_.size();
    data_.resize(at + 192, 0xFF);
    std::uint8_t* p = data_.data() + at;
    p[0] = std::uint8_t(ats_ >> 24) & 0x3F;
    p[1] = std::uint8_t(ats_ >> 16);
    p[2] = std::uint8_t(ats_ >> 8);
    p[3] = std::uint8_t(ats_);
    ats_ += 1000;
    p[4] = 0x47;
    p[5] = std::uint8_t((unitStart ? 0x40 : 0) | (pid >> 8 & 0x1F));
    p[6] = std::uint8_t(pid);
    const std::uint8_t cc = cc_[pid]++ & 0x0F;
    if (n >= 184) {
      p[7] = 0x10 | cc;
      std::copy(payload, payload + 184, p + 8);
    } else {
      p[7] = 0x30 | cc;
      const std::size_t afl = 183 - n;
      p[8] = std::uint8_t(afl);
      if (afl > 0) p[9] = 0;  // no adaptation flags; the rest is stuffing
      std::copy(payload, payload + n, p + 192 - n);
    }
    return *this;
  }

  // A PES packet split over as many packets as it needs. length0 writes a
  // pesPacketLength of 0 (unbounded, as video streams do).
  TsBuilder& pes(std::uint16_t pid, std::uint8_t streamId, const Bytes& data, long long pts = -1,
                 long long dts = -1, bool length0 = false) {
    Bytes h = {0, 0, 1, streamId, 0, 0, 0x80, 0, 0};
    if (pts >= 0) {
      h[7] = dts >= 0 ? 0xC0 : 0x80;
      addTime(h, dts >= 0 ? 0x30 : 0x20, std::uint64_t(pts));
      if (dts >= 0) addTime(h, 0x10, std::uint64_t(dts));
    }
    h[8] = std::uint8_t(h.size() - 9);
    h.insert(h.end(), data.begin(), data.end());
    const std::size_t len = length0 ? 0 : h.size() - 6;
    h[4] = std::uint8_t(len >> 8);
    h[5] = std::uint8_t(len);
    return split(pid, h);
  }

  // A PES packet whose stream carries no optional header (padding, 0xBE),
  // with n filler bytes.
  TsBuilder& rawPes(std::uint16_t pid, std::uint8_t streamId, std::size_t n) {
    return plainPes(pid, streamId, Bytes(n, 0xAB));
  }

  // A PES packet without the optional header, carrying data (private
  // stream 2, 0xBF, as text subtitles use it).
  TsBuilder& plainPes(std::uint16_t pid, std::uint8_t streamId, const Bytes& data) {
    Bytes h = {0, 0, 1, streamId, std::uint8_t(data.size() >> 8), std::uint8_t(data.size())};
    h.insert(h.end(), data.begin(), data.end());
    return split(pid, h);
  }

  // One PES packet (header and data) over as many source packets as it
  // needs.
  TsBuilder& split(std::uint16_t pid, const Bytes& h) {
    for (std::size_t off = 0; off < h.size(); off += 184)
      packet(pid, off == 0, h.data() + off, std::min<std::size_t>(184, h.size() - off));
    return *this;
  }

  TsBuilder& nullPackets(std::size_t count) {
    const std::uint8_t z[184] = {};
    for (std::size_t i = 0; i < count; ++i) packet(0x1FFF, false, z, 184);
    return *this;
  }

  std::size_t packetCount() const { return data_.size() / 192; }
  Bytes& data() { return data_; }
  const Bytes& data() const { return data_; }

  // PTS and DTS fields: 4-bit prefix, 33-bit time with marker bits.
  static void addTime(Bytes& b, std::uint8_t prefix, std::uint64_t t) {
    b.push_back(std::uint8_t(prefix | (t >> 29 & 0x0E) | 1));
    b.push_back(std::uint8_t(t >> 22));
    b.push_back(std::uint8_t((t >> 14 & 0xFE) | 1));
    b.push_back(std::uint8_t(t >> 7));
    b.push_back(std::uint8_t((t << 1 & 0xFE) | 1));
  }

 private:
  Bytes data_;
  std::uint32_t ats_ = 0;
  std::map<std::uint16_t, std::uint8_t> cc_;
};

}  // namespace mirdal::test
