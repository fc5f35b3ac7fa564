// Lays out .mnu files segment by segment for the menu tests, independently
// of the menu writer.
#pragma once

#include <cstdint>
#include <vector>

#include "support/byte_builder.h"

namespace mirdal::test {

// One segment: "IG", PTS, DTS, type, 16-bit length, body.
inline void addSegment(ByteBuilder& b, std::uint8_t type, const std::vector<std::uint8_t>& body,
                       std::uint32_t pts = 180000, std::uint32_t dts = 0) {
  b.str("IG").u32(pts).u32(dts).u8(type).u16(std::uint32_t(body.size())).bytes(body);
}

// A first-and-last ICS body for a 1920x1080 menu with the given model bits
// (stream-model bit 0 adds the two time-out fields) and page bytes.
inline std::vector<std::uint8_t> icsBody(std::uint8_t model, std::uint8_t pages,
                                         const std::vector<std::uint8_t>& pageData,
                                         std::uint8_t seqFlags = 0xC0) {
  ByteBuilder b;
  b.u16(1920).u16(1080).u8(0x20).u16(7).u8(0x80).u8(seqFlags);
  if (seqFlags & 0x80) {
    b.u24(std::uint32_t(pageData.size() + 5 + ((model & 2) ? 0 : 10))).u8(model << 6);
    if (!(model & 2)) b.u8(0x01).u32(0x23456789).u8(0x02).u32(0x3456789A);
    b.u24(900000).u8(pages);
  }
  b.bytes(pageData);
  return b.data();
}

// One page of the layout: no effects; BOGs given as raw bytes.
inline std::vector<std::uint8_t> simplePage(std::uint8_t id, std::uint8_t bogCount,
                                            const std::vector<std::uint8_t>& bogs) {
  ByteBuilder b;
  b.u8(id).u8(1).u32(0x11223344).u32(0x55667788);
  b.u8(0).u8(0);  // in-effects: no windows, no effects
  b.u8(0).u8(0);  // out-effects
  b.u8(0).u16(0x0001).u16(0xFFFF).u8(0).u8(bogCount);
  b.bytes(bogs);
  return b.data();
}

// One button of the layout with two commands.
inline std::vector<std::uint8_t> buttonBytes(std::uint16_t id, std::uint8_t normalFlags = 0x80) {
  ByteBuilder b;
  b.u16(id).u16(id + 100).u8(0x80).u16(10 * id).u16(20 * id);
  b.u16(1).u16(2).u16(3).u16(4);
  b.u16(0).u16(1).u8(normalFlags);
  b.u8(3).u16(2).u16(2).u8(0x00);
  b.u8(4).u16(3).u16(3);
  b.u16(2).u32(0x21810000).u32(1).u32(0).u32(0x50400001).u32(2).u32(id);
  return b.data();
}

}  // namespace mirdal::test
