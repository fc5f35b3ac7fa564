#pragma once

namespace mirdal {

inline constexpr const char* kProgramName = "Mirdal";
inline constexpr const char* kVersion = "0.34b";

}  // namespace mirdal
