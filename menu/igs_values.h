// The coded values of an Interactive Graphics stream: segment types, the
// one-bit button flags and the video frame rate of the composition. Model
// fields keep the raw value; readers, writers, rules and the player switch
// on these names.
#pragma once

#include <cstdint>

#include "formats/common/stream_values.h"

namespace mirdal {

// Segment types of an IG stream.
enum class SegmentType : std::uint8_t { PDS = 0x14, ODS = 0x15, ICS = 0x18, END = 0x80 };

// A one-bit flag of a button (auto action, normal and selected repeat).
enum class ButtonFlag : std::uint8_t { Off = 0, On = 1 };

}  // namespace mirdal
