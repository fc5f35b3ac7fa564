#include "present/hdr_text.h"

#include "formats/bdmv/index_app_info.h"
#include "present/stream_texts.h"

namespace mirdal {

namespace {

std::string yesNo(bool v) { return v ? "Yes" : "No"; }

}  // namespace

std::string dynamicRangeText(std::uint8_t type) {
  switch (type) {
    case 0: return "SDR";
    case 1: return "HDR10";
    case 2: return "Dolby Vision";
    default: return std::to_string(type);
  }
}

std::string colorSpaceText(std::uint8_t space) {
  switch (space) {
    case 0: return "-";
    case 1: return "BT.709";
    case 2: return "BT.2020";
    default: return std::to_string(space);
  }
}

std::string hevcAttributesSuffix(std::uint8_t dynamicRange, std::uint8_t colorSpace, bool cr, bool hdrPlus) {
  std::string s = ", " + dynamicRangeText(dynamicRange) + ", " + colorSpaceText(colorSpace);
  if (cr) s += ", CR";
  if (hdrPlus) s += ", HDR10+";
  return s;
}

std::string appInfoLine(const IndexFile& idx) {
  const AppInfoBdmv a = appInfoFields(idx);
  return "AppInfo: initial output mode " + std::string(a.initialOutputModePreference ? "3D" : "2D") +
         ", 3D content " + yesNo(a.content3DExists) + ", initial dynamic range " +
         dynamicRangeText(a.initialDynamicRangeType) + ", video format " +
         std::string(videoFormatText(a.videoFormat)) + ", frame rate " + std::string(frameRateText(a.frameRate));
}

std::string ultraHdLine(const IndexFile& idx) {
  const std::optional<UltraHdInfo> u = ultraHdInfo(idx);
  if (!u) return "";
  return "Ultra HD: disc type " + std::to_string(u->discType) + ", 4K " + yesNo(u->exist4KFlag) + ", HDR flags " +
         std::to_string(u->hdrFlags) + ", HDR10+ " + yesNo(u->hdrPlusFlag) + ", Dolby Vision " +
         yesNo(u->dolbyVisionFlag);
}

}  // namespace mirdal
