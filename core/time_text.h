// Time texts shown to the user.
#pragma once

#include <cstdint>
#include <string>

namespace mirdal {

// "h:mm:ss" for a duration in whole seconds, hours without a leading zero;
// the clock wraps at 24 hours like a time of day.
std::string clockText(std::uint64_t seconds);

}  // namespace mirdal
