// The coded values of a sound entry in sound.bdmv: channel configuration,
// sampling frequency and sample width. Model fields keep the raw byte.
#pragma once

#include <cstdint>

namespace mirdal {

enum class ChannelConfiguration : std::uint8_t { Mono = 1, Stereo = 3 };
enum class SoundSampling : std::uint8_t { Khz48 = 1 };
enum class SoundSampleBits : std::uint8_t { b16 = 1 };

}  // namespace mirdal
