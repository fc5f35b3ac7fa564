// The texts of the Ultra HD values: named values by name, the rest by number.
#include <gtest/gtest.h>

#include <string>

#include "present/hdr_text.h"
#include "formats/bdmv/index_app_info.h"
#include "formats/bdmv/index_bdmv.h"

namespace mirdal {
namespace {

struct HdrTextCase {
  std::string (*fn)(std::uint8_t);
  std::uint8_t value;
  const char* text;
};

TEST(HdrText, NamedValuesAndNumbers) {
  const HdrTextCase cases[] = {
      {dynamicRangeText, 0, "SDR"},   {dynamicRangeText, 1, "HDR10"},   {dynamicRangeText, 2, "Dolby Vision"},
      {dynamicRangeText, 3, "3"},     {dynamicRangeText, 15, "15"},     {colorSpaceText, 0, "-"},
      {colorSpaceText, 1, "BT.709"},  {colorSpaceText, 2, "BT.2020"},   {colorSpaceText, 9, "9"},
  };
  for (const HdrTextCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.fn(c.value), c.text);
  }
}

TEST(HdrText, HevcSuffixNamesTheFlagsThatAreSet) {
  EXPECT_EQ(hevcAttributesSuffix(1, 2, false, false), ", HDR10, BT.2020");
  EXPECT_EQ(hevcAttributesSuffix(0, 1, true, false), ", SDR, BT.709, CR");
  EXPECT_EQ(hevcAttributesSuffix(4, 0, false, true), ", 4, -, HDR10+");
  EXPECT_EQ(hevcAttributesSuffix(2, 2, true, true), ", Dolby Vision, BT.2020, CR, HDR10+");
}

TEST(HdrText, IndexLines) {
  IndexFile idx;
  EXPECT_EQ(appInfoLine(idx),
            "AppInfo: initial output mode 2D, 3D content No, initial dynamic range SDR, video format -, frame rate -");
  EXPECT_EQ(ultraHdLine(idx), "") << "no Ultra HD disc info";
  setAppInfoField(idx, AppInfoField::InitialOutputMode, 1);
  setAppInfoField(idx, AppInfoField::Content3D, 1);
  setAppInfoField(idx, AppInfoField::InitialDynamicRange, 4);
  setAppInfoField(idx, AppInfoField::VideoFormat, 8);
  setAppInfoField(idx, AppInfoField::FrameRate, 6);
  EXPECT_EQ(appInfoLine(idx),
            "AppInfo: initial output mode 3D, 3D content Yes, initial dynamic range 4, video format 2160p, frame "
            "rate 50");
}

}  // namespace
}  // namespace mirdal
