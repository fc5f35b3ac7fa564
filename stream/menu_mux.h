// Muxing a menu into a menu-only stream file: the IG segments as PES packets
// on PID 0x1400, cut into 192-byte source packets with the program tables of
// a Blu-ray stream (PAT, PMT, SIT) and a clock reference, the file ending on
// a 32-packet boundary.
#pragma once

#include <cstdint>

#include "core/fields.h"
#include "core/save.h"
#include "menu/igs_model.h"

namespace mirdal {

inline constexpr std::uint16_t kMuxIgPid = 0x1400;
inline constexpr std::uint16_t kMuxPcrPid = 0x1001;
inline constexpr std::uint32_t kMuxFirstArrival = 0x10000000;  // 27 MHz ticks
inline constexpr std::uint32_t kMuxArrivalStep = 846;          // per source packet
inline constexpr std::size_t kMuxAlignedUnit = 32;             // packets

// Cuts a run of PES packets into source packets. The clock reference
// carried by the PCR packets runs with the arrival clock (arrival time
// stamps and system clock are the same 27 MHz clock, as a player assumes)
// and starts as late as lets every PES packet arrive by its decoding time
// (DTS, else PTS): a menu whose times lie late on its timeline is decoded
// right away, not minutes after the clock starts; the spacing of its times
// is kept. Without times the clock starts at 0. A PES packet that ends
// early gets "Mux error" through logError and the rest of its last packet
// stays 0xFF.
Bytes muxPes(const Bytes& pes, Reporter& rep);

// The whole menu: composeMenuSegments in PES framing, then muxPes. False, with the
// reason logged, when the menu cannot be written.
bool muxMenu(IgMenu& m, Bytes& out, Reporter& rep);

// muxMenu ("Muxing menu..." in the log) written through the save step of
// every writer (saveDiscFile).
bool muxMenuFile(IgMenu& m, const SaveRequest& req, Reporter& rep);

}  // namespace mirdal
