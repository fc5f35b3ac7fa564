// Picking the packets an export needs out of a stream file. An export of
// one audio PID needs a few packets in a hundred; the others are looked at
// (sync byte and PID) and left where they lie. A regular file of source
// packets is read through a memory mapping (SourcePacketReader::pickPackets,
// in stream/source_packet.cpp), so those others are never
// copied at all: the kernel's copy into a read buffer is most of the cost of
// reading a stream that is already in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "stream/page_buffer.h"

namespace mirdal {

// The PIDs wanted; a value above 0x1FFF wants nothing.
struct PacketPick {
  std::uint32_t pid = 0x10000;
  std::uint32_t alsoPid = 0x10000;  // e.g. the video, whose times a subtitle export needs
};

struct PickedPacket {
  std::uint32_t index = 0;                // in the step, from 0
  const std::uint8_t* packet = nullptr;   // its 192 bytes; nullptr: no sync byte (lost)
};

// What one step picked, in file order. The packets stay valid until the
// next step.
struct PickedPackets {
  std::vector<PickedPacket> list;
  std::size_t count = 0;
  PageBuffer copies;  // the picked packets of a mapped file
};

// The packets of the n source packets at `packets` that the pick wants,
// and those without a sync byte, into out (room for n entries). copyTo
// non-null (room for n packets): the wanted packets are copied there and
// their entries point at the copies. Returns how many entries were made.
std::size_t pickPackets(const std::uint8_t* packets, std::size_t n, const PacketPick& pick,
                        PickedPacket* out, std::uint8_t* copyTo);

// pickPackets over mapped memory. False when a page of it could not be read
// (the file shrank under the mapping, or its device failed), which without
// this guard would end the process with SIGBUS.
bool pickMappedPackets(const std::uint8_t* packets, std::size_t n, const PacketPick& pick,
                       PickedPacket* out, std::uint8_t* copyTo, std::size_t& count);

}  // namespace mirdal
