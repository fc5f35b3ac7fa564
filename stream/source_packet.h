// Source packets of a clip's stream file (.m2ts): 192 bytes each, a 4-byte
// TP_extra_header (copy permission and arrival time stamp) in front of a
// 188-byte MPEG-2 transport stream packet. Also the PES header fields the
// stream tools use.
//
// Stream files can be tens of gigabytes, so SourcePacketReader never holds
// the file: it hands out whole packets a buffer at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "stream/page_buffer.h"
#include "stream/packet_pick.h"

namespace mirdal {

inline constexpr std::size_t kSourcePacketSize = 192;
inline constexpr std::uint8_t kSyncByte = 0x47;
inline constexpr std::uint16_t kNullPid = 0x1FFF;
// Packets per step between two looks at the user interface and the cancel
// flag (65,472 bytes).
inline constexpr std::size_t kPacketsPerStep = 341;

// --- Fields of one source packet `sp` (192 bytes) ---

inline std::uint32_t tpExtraHeader(const std::uint8_t* sp) {
  return std::uint32_t(sp[0]) << 24 | std::uint32_t(sp[1]) << 16 | std::uint32_t(sp[2]) << 8 | sp[3];
}
inline bool hasSyncByte(const std::uint8_t* sp) { return sp[4] == kSyncByte; }
inline std::uint16_t packetPid(const std::uint8_t* sp) {
  return std::uint16_t((sp[5] & 0x1F) << 8 | sp[6]);
}
// payload_unit_start_indicator: a PES packet begins in this packet.
inline bool payloadUnitStart(const std::uint8_t* sp) { return (sp[5] & 0x40) != 0; }
inline bool hasAdaptationField(const std::uint8_t* sp) { return (sp[7] & 0x20) != 0; }
inline bool hasPayload(const std::uint8_t* sp) { return (sp[7] & 0x10) != 0; }

// The payload is the packet's last `size` bytes: 184, or 183 minus the
// adaptation field length when one is present. An adaptation field longer
// than the packet leaves no payload (size 0).
struct PacketPayload {
  std::size_t offset = kSourcePacketSize;  // from the start of the source packet
  std::size_t size = 0;
};
inline PacketPayload packetPayload(const std::uint8_t* sp) {
  if (!hasAdaptationField(sp)) return {kSourcePacketSize - 184, 184};
  const std::size_t afl = sp[8];
  if (afl > 183) return {};
  return {kSourcePacketSize - (183 - afl), 183 - afl};
}

// --- PES header at the start of a payload ---

// A 5-byte PTS or DTS field as 90 kHz ticks, reduced to 32 bits (the top bit
// of the 33-bit value is dropped).
inline std::uint32_t pesTime(const std::uint8_t* b) {
  return std::uint32_t((b[0] & 0x0Eu) << 29) + (std::uint32_t(b[1]) << 22) +
         (std::uint32_t(b[2] & 0xFEu) << 14) + (std::uint32_t(b[3]) << 7) + (std::uint32_t(b[4] & 0xFEu) >> 1);
}

struct PesHeader {
  std::uint8_t streamId = 0;
  std::uint16_t pesPacketLength = 0;  // bytes after this field; 0 = unbounded
  bool hasPts = false;
  bool hasDts = false;
  std::uint32_t pts = 0;
  std::uint32_t dts = 0;
  std::uint8_t headerDataLength = 0;  // H: the packet data starts at 9 + H
};

// True when the payload begins with the start code 00 00 01 and a streamId
// above 0xB0 (the PES packets the stream tools handle).
inline bool isPesStart(const std::uint8_t* payload, std::size_t size) {
  return size >= 4 && payload[0] == 0 && payload[1] == 0 && payload[2] == 1 && payload[3] > 0xB0;
}

// Streams whose PES packets carry no optional header (padding, private
// stream 2, ECM, EMM, DSM-CC, ...).
constexpr std::uint8_t kPrivateStream2 = 0xBF;
inline bool isHeaderlessStreamId(std::uint8_t id) {
  return id == 0xBC || id == 0xBE || id == 0xBF || id == 0xF0 || id == 0xF1 || id == 0xF2 ||
         id == 0xF8 || id == 0xFF;
}

// Reads the header of a payload for which isPesStart holds. Times are taken
// only when their bytes lie inside the payload.
PesHeader parsePesHeader(const std::uint8_t* payload, std::size_t size);

// --- Reading a stream file ---

// How the packets lie in a file: Blu-ray source packets (192 bytes) or
// plain MPEG-2 transport packets (188 bytes, as broadcast recordings and
// most other tools write them), and the bytes of junk before the first one.
struct PacketLayout {
  std::size_t packetSize = kSourcePacketSize;  // 192 or 188
  std::uint64_t offset = 0;                    // bytes before the first packet
  bool recognised = true;  // false: no run of sync bytes in either size found
};

// Finds the layout from the first bytes of a file: the first offset (up to
// 64 KiB in) from which 16 packets of 192 or 188 bytes carry their sync byte,
// the first of them included, with at most one in four missing. 192-byte
// packets from offset 0 win when they pass without the first one, and a run
// of them found a multiple of 192 bytes in means offset 0 too: damaged
// packets of a source-packet file are lost packets, not junk. Nothing found:
// 192 bytes from offset 0, not recognised.
PacketLayout detectPacketLayout(const std::uint8_t* head, std::size_t size);
inline constexpr std::size_t kLayoutProbeBytes = 64 * 1024 + 16 * kSourcePacketSize;

class SourcePacketReader {
 public:
  // bufferPackets: whole packets fetched per read from the file. 682
  // packets (128 KiB) stay in the processor's cache between the kernel's
  // copy and the loop over them; a megabyte does not, and cost more.
  explicit SourcePacketReader(std::size_t bufferPackets = 2 * kPacketsPerStep);
  ~SourcePacketReader();
  SourcePacketReader(const SourcePacketReader&) = delete;
  SourcePacketReader& operator=(const SourcePacketReader&) = delete;

  // Opens for reading only and finds the packet layout. On failure returns
  // false with the system's reason.
  bool open(const std::string& path, std::string* error);
  void close();

  std::uint64_t fileSize() const { return size_; }
  const PacketLayout& layout() const { return layout_; }
  // Whole packets in the file after the junk before the first one; a
  // trailing partial packet is ignored.
  std::uint64_t packetCount() const {
    return size_ > layout_.offset ? (size_ - layout_.offset) / layout_.packetSize : 0;
  }

  // Fetches the next buffer of whole packets and returns how many it holds
  // (0 at the end of the file or after a read error). `packets` points at
  // them until the next call. They are always 192-byte source packets: a
  // 188-byte packet is handed out behind a TP_extra_header of zeros.
  std::size_t readPackets(const std::uint8_t*& packets);

  // The next packets, at most maxPackets (and at most a buffer) of them,
  // with those the pick wants in `picked`. Returns how many packets were
  // stepped over (0 at the end of the file or after a read error). A
  // regular file of 192-byte packets is mapped rather than read
  // (stream/packet_pick.h). A reader is read either with this or with
  // readPackets, not both.
  std::size_t pickPackets(std::size_t maxPackets, const PacketPick& pick, PickedPackets& picked);
  // pickPackets reads as readPackets does, never through a mapping.
  void readWithoutMapping() {
    allowMapping_ = false;
    mapping_ = false;
  }

  bool failed() const { return failed_; }
  const std::string& errorText() const { return error_; }

 private:
  bool readWhole(std::uint8_t* into, std::size_t n, std::size_t& got);
  enum class MapResult { Mapped, End, Failed };
  MapResult mapFrom();  // maps the window that starts with the packet at pos_
  void unmap();

  int fd_ = -1;
  std::uint64_t size_ = 0;
  std::uint64_t pos_ = 0;
  PacketLayout layout_;
  PageBuffer buf_;
  PageBuffer raw_;  // 188-byte packets before they are widened
  bool failed_ = false;
  std::string error_;
  // pickPackets: the mapped window, or the packets of buf_ not yet stepped over.
  bool allowMapping_ = true;
  bool mapping_ = false;
  const std::uint8_t* map_ = nullptr;
  std::size_t mapLength_ = 0;
  std::uint64_t mapOffset_ = 0;
  std::size_t bufNext_ = 0;
  std::size_t bufCount_ = 0;
};

}  // namespace mirdal
