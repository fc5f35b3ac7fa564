#include "formats/bdmv/index_app_info.h"

#include "formats/common/ext_data_edit.h"

namespace mirdal {

namespace {

struct BitField {
  unsigned shift;
  unsigned mask;
};

constexpr BitField appInfoBits(AppInfoField f) {
  switch (f) {
    case AppInfoField::InitialOutputMode: return {14, 1};
    case AppInfoField::Content3D: return {13, 1};
    case AppInfoField::InitialDynamicRange: return {8, 15};
    case AppInfoField::VideoFormat: return {4, 15};
    case AppInfoField::FrameRate: return {0, 15};
  }
  return {0, 0};
}

// Byte (within the 8 after the entry's length) and bits of each field.
struct UhdBits {
  std::size_t byte;
  BitField bits;
};

constexpr UhdBits ultraHdBits(UltraHdField f) {
  switch (f) {
    case UltraHdField::DiscType: return {0, {4, 15}};
    case UltraHdField::Exist4K: return {0, {0, 1}};
    case UltraHdField::HdrPlus: return {2, {4, 1}};
    case UltraHdField::DolbyVision: return {2, {2, 1}};
    case UltraHdField::HdrFlags: return {2, {0, 3}};
  }
  return {0, {0, 0}};
}

constexpr std::uint16_t kUltraHdID1 = 3;
constexpr std::uint16_t kUltraHdID2 = 1;
constexpr std::size_t kUltraHdLengthField = 4;
constexpr std::size_t kUltraHdFieldBytes = 8;

}  // namespace

AppInfoBdmv appInfoFields(const IndexFile& idx) {
  const unsigned w = idx.appInfoBdmvFlags;
  auto get = [w](AppInfoField f) { return std::uint8_t((w >> appInfoBits(f).shift) & appInfoBits(f).mask); };
  return {get(AppInfoField::InitialOutputMode), get(AppInfoField::Content3D) != 0,
          get(AppInfoField::InitialDynamicRange), get(AppInfoField::VideoFormat), get(AppInfoField::FrameRate)};
}

bool setAppInfoField(IndexFile& idx, AppInfoField field, unsigned value) {
  const BitField b = appInfoBits(field);
  const std::uint16_t before = idx.appInfoBdmvFlags;
  idx.appInfoBdmvFlags = std::uint16_t((before & ~(b.mask << b.shift)) | ((value & b.mask) << b.shift));
  return idx.appInfoBdmvFlags != before;
}

std::optional<std::size_t> ultraHdInfoOffset(const IndexFile& idx) {
  const ExtensionData& ed = idx.extensionData;
  if (idx.extensionDataStartAddress == 0 || ed.length == 0) return std::nullopt;
  const std::size_t base = extDataPartStart(ed);
  for (const ExtensionDataEntry& e : ed.entries) {
    if (e.id1 != kUltraHdID1 || e.id2 != kUltraHdID2) continue;
    if (e.extDataStartAddress < base || e.extDataLength < kUltraHdLengthField + kUltraHdFieldBytes)
      return std::nullopt;
    const std::size_t at = e.extDataStartAddress - base;
    if (at + kUltraHdLengthField + kUltraHdFieldBytes > ed.data.size()) return std::nullopt;
    const Bytes& d = ed.data;
    const std::uint32_t length = std::uint32_t(d[at]) << 24 | std::uint32_t(d[at + 1]) << 16 |
                                 std::uint32_t(d[at + 2]) << 8 | d[at + 3];
    if (length < kUltraHdFieldBytes) return std::nullopt;
    return at + kUltraHdLengthField;
  }
  return std::nullopt;
}

std::optional<UltraHdInfo> ultraHdInfo(const IndexFile& idx) {
  const std::optional<std::size_t> at = ultraHdInfoOffset(idx);
  if (!at) return std::nullopt;
  auto get = [&](UltraHdField f) {
    const UhdBits u = ultraHdBits(f);
    return std::uint8_t((idx.extensionData.data[*at + u.byte] >> u.bits.shift) & u.bits.mask);
  };
  return UltraHdInfo{get(UltraHdField::DiscType), get(UltraHdField::Exist4K) != 0, get(UltraHdField::HdrFlags),
                     get(UltraHdField::HdrPlus) != 0, get(UltraHdField::DolbyVision) != 0};
}

bool setUltraHdField(IndexFile& idx, UltraHdField field, unsigned value) {
  const std::optional<std::size_t> at = ultraHdInfoOffset(idx);
  if (!at) return false;
  const UhdBits u = ultraHdBits(field);
  std::uint8_t& byte = idx.extensionData.data[*at + u.byte];
  const std::uint8_t before = byte;
  byte = std::uint8_t((before & ~(u.bits.mask << u.bits.shift)) | ((value & u.bits.mask) << u.bits.shift));
  return byte != before;
}

}  // namespace mirdal
