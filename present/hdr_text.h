// The texts of the Ultra HD values: dynamic range types, colour spaces, the
// HEVC stream additions to the attribute and detail cells, and the lines
// that show the index's application fields. Values without a name show
// their number.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace mirdal {

struct IndexFile;

// 0 "SDR", 1 "HDR10", 2 "Dolby Vision", others their number.
std::string dynamicRangeText(std::uint8_t type);
// 0 "-", 1 "BT.709", 2 "BT.2020", others their number.
std::string colorSpaceText(std::uint8_t space);

// The choices of the stream editor: the named values, index = value.
inline constexpr std::array<std::uint8_t, 3> kDynamicRangeChoices{0, 1, 2};
inline constexpr std::array<std::uint8_t, 3> kColorSpaceChoices{0, 1, 2};

// ", HDR10, BT.2020" and ", CR" / ", HDR10+" when set: what an HEVC
// stream's cells add after format and rate.
std::string hevcAttributesSuffix(std::uint8_t dynamicRange, std::uint8_t colorSpace, bool cr, bool hdrPlus);

// "AppInfo: initial output mode 2D, 3D content No, initial dynamic range
// SDR, video format -, frame rate -".
std::string appInfoLine(const IndexFile& idx);
// "Ultra HD: disc type 5, 4K Yes, HDR flags 3, HDR10+ No, Dolby Vision No";
// empty when the index has no Ultra HD disc info.
std::string ultraHdLine(const IndexFile& idx);

}  // namespace mirdal
