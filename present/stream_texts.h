// The texts shown for the stream codes of playlists and clip information
// files: coding types, video formats and frame rates, audio presentation
// types and sampling frequencies, SubPath, mark, playback and stream-entry
// types; the choice lists of the stream editors with their hints; the stream
// language list.
//
// Every text function accepts any value and returns the text of the "other
// values" row for codes without a text of their own.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/common/stream_codes.h"

namespace mirdal {

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

// The items of the editors' choice lists, item i standing for code i (the
// entry-type list starts with "---" for code 0; the mark and playlist
// playback lists start at code 1, see present/playlist_rules.h).
std::vector<std::string> entryTypeItems();         // "---", codes 1-3
std::vector<std::string> subPathTypeItems();       // codes 0-7
std::vector<std::string> markTypeItems();          // codes 1-2
std::vector<std::string> playlistPlaybackTypeItems();  // codes 1-3
std::vector<std::string> videoFormatItems();       // codes 0-8
std::vector<std::string> frameRateItems();         // codes 0-7
std::vector<std::string> presentationTypeItems();  // codes 0-12
std::vector<std::string> samplingFrequencyItems(); // codes 0-14
// All 16 values of a 4-bit code (the index's video format and frame rate):
// the name where the code has one, else the number; code 0 keeps its "-".
std::vector<std::string> fourBitItems(std::string_view (*text)(std::uint8_t));

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

// The stream language list: "eng" first, then the ISO 639-2 codes in
// alphabetical order ("eng" appears twice; "nzi" stands before "nya").
inline constexpr std::size_t kLanguageCount = 431;
const std::array<std::string_view, kLanguageCount>& languageCodes();
// The first entry equal to code, -1 when the code is not in the list.
int languageIndex(std::string_view code);

}  // namespace mirdal
