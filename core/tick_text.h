// Times held as clock ticks (45 kHz for playlist and clip times, 90 kHz for
// PES and segment times) shown as a time of day.
#pragma once

#include <cstdint>
#include <string>

namespace mirdal {

// "h:mm:ss.zzz" of ticks / ticksPerSecond seconds: hours without a leading
// zero, wrapping at 24 hours; the milliseconds are ticks div (rate / 1000).
std::string tickTimeText(std::uint64_t ticks, std::uint32_t ticksPerSecond);

}  // namespace mirdal
