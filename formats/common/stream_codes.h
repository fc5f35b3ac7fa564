// The coded values shared by playlists and clip information files that the
// readers and the player need beyond their names: which attribute bytes a
// stream coding type has, the frame rate a video code stands for, and the
// user-operation mask bits.
//
// Model fields keep the raw byte (a file may hold any value); the enums in
// formats/common/stream_values.h and formats/playlist/playlist_values.h name
// the values. The texts the grids and choices show for them are in
// present/stream_texts.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "formats/playlist/playlist_values.h"
#include "formats/common/stream_values.h"

namespace mirdal {

StreamKind codingKind(std::uint8_t coding);

// The video frame rate as numerator / denominator (24000/1001 for 23.976);
// nothing for codes without a rate.
struct FrameRateRatio {
  std::uint32_t num;
  std::uint32_t den;
};
std::optional<FrameRateRatio> frameRateRatio(std::uint8_t rate);

// User-operation mask: the text of bit 31..0 of the first word, and of the
// one named bit (30) of the second word. The texts stay beside the bits
// because the player names the operation in its "UO refused" event.
std::string_view uoMaskText(int bit);
inline constexpr int kUoWord2NamedBit = 30;
std::string_view uoMask2Text();

}  // namespace mirdal
