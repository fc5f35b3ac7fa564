#include "stream/menu_mux.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>

#include "core/report.h"
#include "menu/igs_write.h"
#include "formats/common/disc_file.h"

namespace mirdal {

namespace {

constexpr std::size_t kPacket = 192;
constexpr std::size_t kTsPayload = 184;  // after the 4-byte TS header

// Tables with their section CRC-32, from the byte after the PID.
constexpr std::array<std::uint8_t, 21> kPat{0x00, 0x00, 0xB0, 0x11, 0x00, 0x00, 0xC1, 0x00, 0x00, 0x00,
                                            0x00, 0xE0, 0x1F, 0x00, 0x01, 0xE1, 0x00, 0x23, 0x5A, 0xAB,
                                            0x82};
constexpr std::array<std::uint8_t, 34> kPmt{0x00, 0x02, 0xB0, 0x1E, 0x00, 0x01, 0xC1, 0x00, 0x00, 0xF0, 0x01,
                                            0xF0, 0x0C, 0x05, 0x04, 'H',  'D',  'M',  'V',  0x88, 0x04, 0x0F,
                                            0xFF, 0xFF, 0xFC, 0x91, 0xF4, 0x00, 0xF0, 0x00, 0xF1, 0xF0, 0x88,
                                            0xEB};
constexpr std::array<std::uint8_t, 29> kSit{0x00, 0x7F, 0xF0, 0x19, 0xFF, 0xFF, 0xC1, 0x00, 0x00, 0xF0,
                                            0x0A, 0x63, 0x08, 0xC1, 0xD4, 0xC0, 0xFF, 0xFF, 0xFF, 0xFF,
                                            0xFF, 0x00, 0x01, 0x80, 0x00, 0x03, 0x00, 0x38, 0x6D};

class Muxer {
 public:
  // clockStart: the system clock (27 MHz) at the first packet's arrival.
  Muxer(Bytes& out, std::uint64_t clockStart) : out_(out), clockStart_(clockStart) {}

  void pat() { table(0x0000, cc_[0], kPat.data(), kPat.size()); }
  void pmt() { table(0x0100, cc_[1], kPmt.data(), kPmt.size()); }
  void sit() { table(0x001F, cc_[2], kSit.data(), kSit.size()); }

  // Adaptation field only: the counter does not advance.
  void pcr() {
    std::uint8_t* p = begin();
    const std::uint64_t clock = clockStart_ + std::uint64_t(ats_ - kMuxFirstArrival);
    const std::uint64_t base = clock / 300 % (std::uint64_t(1) << 33), ext = clock % 300;
    put(p, {0x10, 0x01, 0x20, 0xB7, 0x10, std::uint8_t(base >> 25), std::uint8_t(base >> 17),
            std::uint8_t(base >> 9), std::uint8_t(base >> 1),
            std::uint8_t(((base & 1) << 7) | 0x7E | ((ext >> 8) & 1)), std::uint8_t(ext)});
    finish();
  }

  void null() {
    std::uint8_t* p = begin();
    put(p, {0x1F, 0xFF, 0x10});
    finish();
  }

  // The next packet of the PES packet at `data`, whose `left` bytes are
  // still to go of which `have` are present.
  void ig(bool first, const std::uint8_t* data, std::size_t left, std::size_t have) {
    std::uint8_t* p = begin();
    p[5] = first ? 0x54 : 0x14;
    p[6] = 0x00;
    p[7] = std::uint8_t(0x10 + cc_[3] + (left < kTsPayload ? 0x20 : 0));
    cc_[3] = (cc_[3] + 1) & 0x0F;
    const std::size_t n = std::min(left, kTsPayload);
    if (left < kTsPayload) {
      p[8] = std::uint8_t(kTsPayload - 1 - left);
      if (p[8] > 0) p[9] = 0x00;  // flags; the rest is 0xFF stuffing
    }
    std::copy_n(data, std::min(n, have), p + kPacket - n);
    finish();
  }

  std::size_t count() const { return count_; }

 private:
  std::uint8_t* begin() {
    const std::size_t at = out_.size();
    out_.resize(at + kPacket, 0xFF);
    std::uint8_t* p = out_.data() + at;
    p[0] = std::uint8_t(ats_ >> 24);
    p[1] = std::uint8_t(ats_ >> 16);
    p[2] = std::uint8_t(ats_ >> 8);
    p[3] = std::uint8_t(ats_);
    p[4] = 0x47;
    return p;
  }
  void finish() {
    ats_ += kMuxArrivalStep;
    ++count_;
  }
  static void put(std::uint8_t* p, std::initializer_list<std::uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), p + 5);
  }
  void table(std::uint16_t pid, std::uint8_t& cc, const std::uint8_t* body, std::size_t n) {
    std::uint8_t* p = begin();
    p[5] = std::uint8_t(0x40 | (pid >> 8));
    p[6] = std::uint8_t(pid);
    p[7] = std::uint8_t(0x10 + cc);
    cc = (cc + 1) & 0x0F;
    // body[0] is the pointer field.
    std::copy_n(body, n, p + 8);
    finish();
  }

  Bytes& out_;
  std::uint64_t clockStart_;
  std::uint32_t ats_ = kMuxFirstArrival;
  std::size_t count_ = 0;
  std::array<std::uint8_t, 4> cc_{};  // PAT, PMT, SIT, IG
};

// A 33-bit PTS or DTS field.
std::uint64_t timeField(const std::uint8_t* b) {
  return std::uint64_t(b[0] & 0x0E) << 29 | std::uint64_t(b[1]) << 22 | std::uint64_t(b[2] & 0xFE) << 14 |
         std::uint64_t(b[3]) << 7 | std::uint64_t(b[4]) >> 1;
}

// When a PES packet must have arrived: its DTS, or its PTS when it has no
// DTS, in 27 MHz ticks; none when it carries neither.
std::optional<std::uint64_t> decodeTime(const std::uint8_t* pes, std::size_t n) {
  if (n < 14) return std::nullopt;
  const unsigned flags = pes[7] >> 6;
  if (flags == 3 && n >= 19) return timeField(pes + 14) * 300;
  if (flags >= 2) return timeField(pes + 9) * 300;
  return std::nullopt;
}

// Cuts the PES packets into mx. `deadline` (when given) learns, per PES
// packet with a time, how far its decoding time lies after the arrival of
// its last packet; `report` logs a PES packet that ends early.
void cut(const Bytes& pes, Muxer& mx, bool report, std::optional<std::int64_t>* deadline, Reporter& rep) {
  mx.pat();
  mx.pmt();
  mx.sit();
  mx.pcr();
  std::size_t pos = 0;
  while (pos < pes.size()) {
    const bool start = pos + 4 <= pes.size() && pes[pos] == 0 && pes[pos + 1] == 0 && pes[pos + 2] == 1 &&
                       pes[pos + 3] == 0xBD;
    if (!start || pos + 6 > pes.size()) {
      pos += 4;
      continue;
    }
    std::size_t left = ((std::size_t(pes[pos + 4]) << 8) | pes[pos + 5]) + 6;
    const std::optional<std::uint64_t> due = decodeTime(pes.data() + pos, std::min(left, pes.size() - pos));
    bool first = true;
    while (left > 0) {
      const std::size_t n = std::min(left, kTsPayload);
      const std::size_t have = std::min(n, pes.size() - std::min(pos, pes.size()));
      if (have < n && report) rep.logError("Mux error");
      mx.ig(first, pes.data() + std::min(pos, pes.size()), left, have);
      pos += n;
      left -= n;
      if (left == 0 && due && deadline) {
        const std::int64_t lead = std::int64_t(*due) - std::int64_t(mx.count() * kMuxArrivalStep);
        if (!*deadline || lead < **deadline) *deadline = lead;
      }
      if (!first) {
        const std::size_t c = mx.count();
        if (c % 2500 == 0) mx.pcr();
        if (c % 2500 == 2000) {
          mx.pat();
          mx.pmt();
        }
        if (c % 25000 == 2) mx.sit();
      }
      first = false;
    }
  }
  while (mx.count() % kMuxAlignedUnit != 0) mx.null();
}

}  // namespace

Bytes muxPes(const Bytes& pes, Reporter& rep) {
  // A trial run finds the latest clock start at which every PES packet has
  // arrived by its decoding time; the clock starts there, so the menu's
  // first decoding time follows the first clock reference closely however
  // late on its timeline the menu lies.
  Bytes trial;
  Muxer probe(trial, 0);
  std::optional<std::int64_t> lead;
  cut(pes, probe, false, &lead, rep);
  Bytes out;
  Muxer mx(out, lead && *lead > 0 ? std::uint64_t(*lead) : 0);
  cut(pes, mx, true, nullptr, rep);
  return out;
}

bool muxMenu(IgMenu& m, Bytes& out, Reporter& rep) {
  Bytes pes;
  if (!composeMenuSegments(m, SegmentFraming::Pes, pes, rep)) return false;
  out = muxPes(pes, rep);
  return true;
}

bool muxMenuFile(IgMenu& m, const SaveRequest& req, Reporter& rep) {
  rep.logStep("Muxing menu...");
  Bytes bytes;
  if (!muxMenu(m, bytes, rep)) return false;
  return saveDiscFile(req, bytes, rep);
}

}  // namespace mirdal
