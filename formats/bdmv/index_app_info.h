// The application fields of index.bdmv that Ultra HD discs use.
//
// AppInfoBDMV's 16-bit flags word (held whole, so reserved bits survive):
// bit 14 initial output mode preference (0 2D, 1 3D), bit 13 3D content
// exists, bits 11-8 initial dynamic range type, 7-4 video format, 3-0 frame
// rate. Players read it whatever the file's version.
//
// The Ultra HD disc info: ExtensionData entry (ID1 3, ID2 1), a 32-bit length
// (at least 8) then disc type (4 bits), 3 reserved bits, the 4K flag, a
// reserved byte, 3 reserved bits, HDR10+ flag, a reserved bit, Dolby Vision
// flag, 2 bits of HDR flags, then reserved bytes. It stays inside the
// ExtensionData data bytes, so editing it never moves a length or address.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "formats/bdmv/index_bdmv.h"

namespace mirdal {

enum class AppInfoField { InitialOutputMode, Content3D, InitialDynamicRange, VideoFormat, FrameRate };

struct AppInfoBdmv {
  std::uint8_t initialOutputModePreference = 0;  // 0 2D, 1 3D
  bool content3DExists = false;
  std::uint8_t initialDynamicRangeType = 0;
  std::uint8_t videoFormat = 0;
  std::uint8_t frameRate = 0;
};

AppInfoBdmv appInfoFields(const IndexFile& idx);
// The value is cut to the field's width. False when nothing changed.
bool setAppInfoField(IndexFile& idx, AppInfoField field, unsigned value);

enum class UltraHdField { DiscType, Exist4K, HdrFlags, HdrPlus, DolbyVision };

struct UltraHdInfo {
  std::uint8_t discType = 0;
  bool exist4KFlag = false;
  std::uint8_t hdrFlags = 0;  // two bits, shown as a number
  bool hdrPlusFlag = false;
  bool dolbyVisionFlag = false;

  bool operator==(const UltraHdInfo&) const = default;
};

// Where the 8 field bytes of entry (3, 1) sit in the ExtensionData data
// part; nothing when the file has no such entry, its length is below 8 or
// its bytes are not all there.
std::optional<std::size_t> ultraHdInfoOffset(const IndexFile& idx);
std::optional<UltraHdInfo> ultraHdInfo(const IndexFile& idx);
// Rewrites the field's bits in place. False when there is no Ultra HD disc
// info or nothing changed.
bool setUltraHdField(IndexFile& idx, UltraHdField field, unsigned value);

}  // namespace mirdal
