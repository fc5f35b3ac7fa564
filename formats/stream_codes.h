// The coded values shared by playlists and clip information files: stream
// coding types, video formats and frame rates, audio presentation types and
// sampling frequencies, SubPath, mark, playback and stream-entry types, the
// user-operation mask bits and the stream language list, each with the text
// the grids and choices show.
//
// Model fields keep the raw byte (a file may hold any value); the enums name
// the values the program itself writes or tests for. Every text function
// accepts any value and returns the text of the "other values" row for codes
// without a text of their own.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

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
  None = 0, i480 = 1, i576 = 2, p480 = 3, i1080 = 4, p720 = 5, p1080 = 6, p576 = 7, p2160 = 8,
};

enum class FrameRate : std::uint8_t {
  None = 0, r23_976 = 1, r24 = 2, r25 = 3, r29_97 = 4, r50 = 6, r59_94 = 7,
};

enum class AudioPresentation : std::uint8_t {
  None = 0, Mono = 1, Stereo = 3, MultiChannel = 6, StereoAndMultiChannel = 12,
};

enum class SamplingFrequency : std::uint8_t {
  None = 0, k48 = 1, k96 = 4, k192 = 5, k48_96_192 = 12, k48_192 = 14,
};

enum class SubPathType : std::uint8_t {
  PrimaryAudio = 2,   // browsable slideshow audio
  IGMenu = 3,
  TextSubtitle = 4,
  OutOfMuxSync = 5,
  OutOfMuxAsync = 6,  // out-of-mux picture-in-picture
  InMuxSync = 7,      // in-mux picture-in-picture
};

enum class MarkType : std::uint8_t { EntryMark = 1, LinkPoint = 2 };

enum class PlaybackType : std::uint8_t { Sequential = 1, Random = 2, Shuffle = 3 };

// Where a stream of an STN table comes from.
enum class StreamEntryType : std::uint8_t {
  None = 0,
  PlayItem = 1,  // the PlayItem's own clip
  SubPath = 2,   // a clip of a SubPath
  IMPiP = 3,     // the main clip, for an in-mux picture-in-picture SubPath
};

StreamKind codingKind(std::uint8_t coding);
// "MPEG-2", "AVC", ... ; empty for unknown codes.
std::string_view codingTypeText(std::uint8_t coding);
// Format codes 0-8 have texts, 9-15 are "res.".
std::string_view videoFormatText(std::uint8_t format);
std::string_view frameRateText(std::uint8_t rate);
std::string_view presentationTypeText(std::uint8_t type);
std::string_view samplingFrequencyText(std::uint8_t freq);
// Types 0-7 have texts; others are empty.
std::string_view subPathTypeText(std::uint8_t type);
// 1 "entry-mark", 2 "link point", others empty.
std::string_view markTypeText(std::uint8_t type);
// 1-3 "Sequential", "Random", "Shuffle", others empty.
std::string_view playbackTypeText(std::uint8_t type);
// 1-3 "PlayItem", "SubPath", "IM PIP", others empty.
std::string_view streamEntryTypeText(std::uint8_t type);

// The video frame rate as numerator / denominator (24000/1001 for 23.976);
// nothing for codes without a rate.
struct FrameRateRatio {
  std::uint32_t num;
  std::uint32_t den;
};
std::optional<FrameRateRatio> frameRateRatio(std::uint8_t rate);

// The choice lists of the stream editors: index -> code.
inline constexpr std::array<std::uint8_t, 4> kVideoCodingChoices{0x02, 0x1B, 0xEA, 0x24};
inline constexpr std::array<std::uint8_t, 9> kAudioCodingChoices{0x80, 0x81, 0x82, 0x83, 0x84,
                                                                0x85, 0x86, 0xA1, 0xA2};
// The index of a code in a choice list, -1 when it is not there.
int videoCodingIndex(std::uint8_t coding);
int audioCodingIndex(std::uint8_t coding);

// Long descriptions used as hints of the choices; empty where a value has
// none (the hint then stays as it was).
std::string_view entryTypeHint(std::uint8_t type);
std::string_view videoCodingHint(std::size_t index);
std::string_view audioCodingHint(std::size_t index);
std::string_view presentationTypeHint(std::uint8_t type);
std::string_view subPathTypeHint(std::uint8_t type);

// User-operation mask: the text of bit 31..0 of the first word, and of the
// one named bit (30) of the second word.
std::string_view uoMaskText(int bit);
inline constexpr int kUOWord2NamedBit = 30;
std::string_view uoMask2Text();

// The stream language list: "eng" first, then the ISO 639-2 codes in
// alphabetical order ("eng" appears twice; "nzi" stands before "nya").
inline constexpr std::size_t kLanguageCount = 431;
const std::array<std::string_view, kLanguageCount>& languageCodes();
// The first entry equal to code, -1 when the code is not in the list.
int languageIndex(std::string_view code);

}  // namespace mirdal
