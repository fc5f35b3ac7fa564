// Texts of the menu model shared by the views and mirdal-cli.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace mirdal {

// The frame-rate codes of a composition (not those of a stream's attributes,
// which present/stream_texts.h names with frameRateText).
inline constexpr std::array<const char*, 8> kMenuFrameRates = {"-", "23.97", "24", "25", "29.97", "-", "50", "59.94"};
std::string menuFrameRateText(std::uint8_t code);

// 90 kHz ticks as "h:mm:ss.mmm" (180000 is "0:00:02.000").
std::string igTimeText(std::uint64_t ticks);

}  // namespace mirdal
