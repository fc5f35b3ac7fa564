#include "formats/common/stream_codes.h"

#include <array>

namespace mirdal {

namespace {

// Bit 31 first. The texts are shown as they are, odd spacing included.
constexpr std::array<std::string_view, 32> kUoTexts{
    "UO31: reserved for menu call",
    "UO30: Reserved for title search",
    "UO29: Chapter search",
    "UO28: Time search",
    "UO27: Skip to next point",
    "Skip back to previous point ",
    "UO25: Reserved for play FirstPlay",
    "UO24: Stop",
    "UO23: Pause on",
    "UO22: Reserved for pause off",
    "UO21: Still off",
    "UO20: Forward play",
    "UO19: Backward play",
    "UO18: Resume",
    "UO17: Move up selected button",
    "UO16: Move down selected button",
    "UO15: Move left selected button",
    "UO14: Move right selected button",
    "UO13: Select button",
    "UO12: Activate button",
    "UO11: Select button and activate",
    "UO10: Primary audio stream number change",
    "UO9: Reserved",
    "UO8:Angle number change",
    "UO7: Popup on",
    "UO6: Popup off",
    "UO5: PG Text ST enable disable",
    "UO4: PG Text ST stream number change",
    "UO3: Secondary video enable disable",
    "UO2: Secondary video stream number change",
    "UO1:Secondary audio enable disable",
    "UO0: Secondary audio stream number change"};

}  // namespace

StreamKind codingKind(std::uint8_t coding) {
  using enum CodingType;
  switch (CodingType(coding)) {
    case MPEG2: case AVC: case VC1: case HEVC:
      return StreamKind::Video;
    case LPCM: case DD: case DTS: case DolbyLossless: case DDPlus: case DTSHD: case DTSHDXLL:
    case DDPlusSecondary: case DTSHDSecondary:
      return StreamKind::Audio;
    case PG: case IG:
      return StreamKind::Graphics;
    case TextSubtitle:
      return StreamKind::Text;
  }
  return StreamKind::Unknown;
}

std::optional<FrameRateRatio> frameRateRatio(std::uint8_t rate) {
  switch (FrameRate(rate)) {
    case FrameRate::Fps23976: return FrameRateRatio{24000, 1001};
    case FrameRate::Fps24: return FrameRateRatio{24000, 1000};
    case FrameRate::Fps25: return FrameRateRatio{25000, 1000};
    case FrameRate::Fps2997: return FrameRateRatio{30000, 1001};
    case FrameRate::Fps50: return FrameRateRatio{50000, 1000};
    case FrameRate::Fps5994: return FrameRateRatio{60000, 1001};
    case FrameRate::None: break;
  }
  return std::nullopt;
}

std::string_view uoMaskText(int bit) {
  return bit >= 0 && bit < 32 ? kUoTexts[std::size_t(31 - bit)] : std::string_view{};
}

std::string_view uoMask2Text() { return "UO230: PiP PG textST stream number change "; }

}  // namespace mirdal
