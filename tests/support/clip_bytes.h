// A clip information file laid out field by field, independently of the
// clip writer: two ATC sequences (the second with two STC sequences), seven
// streams of every kind (one of an unknown coding type) and an EP map with
// coarse and fine entries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/byte_builder.h"

namespace mirdal::test {

struct ClipLayout {
  std::uint8_t appType = 1;
  int atcEntries = -1;  // -1: flag off
  int fonts = 0;        // written only for type 6
  std::uint32_t cpiLength = 1;  // 0: no EP map
  std::uint32_t fineGap = 0;    // zero bytes between coarse and fine entries
  bool extensionData = false;
};

// The sections one after another.
inline std::vector<std::uint8_t> clipBytes(const ClipLayout& l) {
  ByteBuilder ci;  // ClipInfo from its length field on
  std::uint32_t ciLen = 176;
  if (l.atcEntries >= 0) ciLen += 2 + 14 * l.atcEntries;
  if (l.appType == 6) ciLen += 2 + 6 * l.fonts;
  ci.u32(ciLen).zeros(2).u8(1).u8(l.appType).u32(l.atcEntries >= 0 ? 1 : 0).u32(48000000).u32(9999)
      .zeros(128).u16(30).u8(0x80).str("HDMV").zeros(25);
  if (l.atcEntries >= 0) {
    ci.u8(0).u8(l.atcEntries);
    for (int i = 0; i < l.atcEntries; ++i) ci.u32(0x1000 * (i + 1)).str("0000" + std::to_string(i + 2), 5).str("M2TS").u8(0);
  }
  if (l.appType == 6) {
    ci.u8(0).u8(l.fonts);
    for (int i = 0; i < l.fonts; ++i) ci.str("0000" + std::to_string(i), 5).u8(0);
  }

  ByteBuilder seq;  // two ATC sequences, the second with two STC sequences
  seq.u32(0).u8(0).u8(2);
  seq.u32(0).u8(1).u8(0).u16(0x1001).u32(0).u32(27000000).u32(27225225);
  seq.u32(0x100).u8(2).u8(1).u16(0x1001).u32(0x100).u32(45000).u32(90000).u16(0x1001).u32(0x200).u32(90000)
      .u32(45000u * 3600 * 25 + 45 * 7);
  seq.patch32(0, std::uint32_t(seq.size() - 4));

  ByteBuilder prog;
  prog.u32(0).u8(0).u8(1).u32(0).u16(0x0100).u8(7).u8(0);
  prog.u16(0x1011).u8(21).u8(0x1B).u8(0x61).u8(0x22).zeros(2).str("USABC2412345").zeros(4);
  prog.u16(0x1100).u8(21).u8(0x81).u8(0x31).str("eng").str("DE", 2).str("XYZ").str("99").str("00042").zeros(4);
  prog.u16(0x1200).u8(21).u8(0x90).str("fra").u8(0).zeros(12).zeros(4);
  prog.u16(0x1400).u8(21).u8(0x91).str("deu").u8(0).zeros(12).zeros(4);
  prog.u16(0x1800).u8(21).u8(0x92).u8(1).str("jpn").zeros(12).zeros(4);
  prog.u16(0x1FFE).u8(5).u8(0x20).bytes({1, 2, 3, 4});  // unknown type, skipped by its length
  prog.u16(0x1101).u8(21).u8(0x80).u8(0x64).str("spa").zeros(12).zeros(4);
  prog.patch32(0, std::uint32_t(prog.size() - 4));

  ByteBuilder cpi;
  if (l.cpiLength == 0) {
    cpi.u32(0);
  } else {
    cpi.u32(0).u16(1).u8(0).u8(1);
    // PID 0x1011, EP type 1, 3 coarse, 5 fine entries.
    cpi.u16(0x1011).u16(1 << 2 | 0).u16(3 << 2 | 0).u16(5).u32(2 + 12);
    cpi.u32(4 + 8 * 3 + l.fineGap);
    for (std::uint32_t i = 0; i < 3; ++i) cpi.u32(((2 * i) << 14) | (0x100 + i)).u32(0x10000 * i);
    cpi.zeros(l.fineGap);
    for (std::uint32_t i = 0; i < 5; ++i)
      cpi.u32((i == 2 ? 0x80000000u : 0) | (i % 8) << 28 | (0x7F0 + i) << 17 | (0x1FF00 + i));
    cpi.patch32(0, std::uint32_t(cpi.size() - 4));
  }

  const std::uint32_t seqAt = 40 + std::uint32_t(ci.size());
  const std::uint32_t progAt = seqAt + std::uint32_t(seq.size());
  const std::uint32_t cpiAt = progAt + std::uint32_t(prog.size());
  const std::uint32_t markAt = cpiAt + std::uint32_t(cpi.size());
  const std::uint32_t extAt = l.extensionData ? markAt + 4 : 0;
  ByteBuilder f;
  f.str("HDMV").str("0200").u32(seqAt).u32(progAt).u32(cpiAt).u32(markAt).u32(extAt).zeros(12);
  f.bytes(ci.data()).bytes(seq.data()).bytes(prog.data()).bytes(cpi.data()).u32(0);
  if (l.extensionData) {
    // length, data block start, 3 reserved, 1 entry, entry (IDs, start, length), data
    f.u32(4 + 4 + 12 + 4).u32(24).zeros(3).u8(1).u16(1).u16(2).u32(24).u32(4).bytes({9, 8, 7, 6});
  }
  return f.data();
}

}  // namespace mirdal::test
