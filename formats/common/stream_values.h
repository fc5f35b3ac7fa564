// The coded values of a stream as playlists and clip information files
// describe it: coding type, video format and frame rate, audio presentation
// type and sampling frequency. Model fields keep the raw byte (a file may
// hold any value); readers, writers and rows switch on these names.
#pragma once

#include <cstdint>

namespace mirdal {

enum class CodingType : std::uint8_t {
  MPEG2 = 0x02,
  AVC = 0x1B,
  VC1 = 0xEA,
  HEVC = 0x24,
  LPCM = 0x80,
  DD = 0x81,
  DTS = 0x82,
  DolbyLossless = 0x83,
  DDPlus = 0x84,
  DTSHD = 0x85,
  DTSHDXLL = 0x86,
  DDPlusSecondary = 0xA1,
  DTSHDSecondary = 0xA2,
  PG = 0x90,
  IG = 0x91,
  TextSubtitle = 0x92,
};

// What the attribute bytes after a coding type hold.
enum class StreamKind {
  Unknown,   // no attributes beyond the coding type
  Video,     // format and rate
  Audio,     // presentation type, sampling frequency, language
  Graphics,  // PG and IG: language
  Text,      // text subtitle: character code and language
};

enum class VideoFormat : std::uint8_t {
  None = 0, I480 = 1, I576 = 2, P480 = 3, I1080 = 4, P720 = 5, P1080 = 6, P576 = 7, p2160 = 8,
};

enum class FrameRate : std::uint8_t {
  None = 0, Fps23976 = 1, Fps24 = 2, Fps25 = 3, Fps2997 = 4, Fps50 = 6, Fps5994 = 7,
};

enum class AudioPresentation : std::uint8_t {
  None = 0, Mono = 1, Stereo = 3, MultiChannel = 6, StereoAndMultiChannel = 12,
};

enum class SamplingFrequency : std::uint8_t {
  None = 0, Khz48 = 1, Khz96 = 4, Khz192 = 5, Khz192Core48Or96 = 12, Khz192Core48 = 14,
};

}  // namespace mirdal
