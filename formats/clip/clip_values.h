// The coded values of a clip information file: the application type of its
// transport stream and the aspect ratio of a video stream. Model fields keep
// the raw byte (a file may hold any value); readers, writers and rows
// switch on these names.
#pragma once

#include <cstdint>

namespace mirdal {

enum class ApplicationType : std::uint8_t {
  MainMovie = 1,
  MainTimeBasedSlideshow = 2,
  MainBrowsableSlideshow = 3,
  SubBrowsableSlideshow = 4,
  SubIGMenu = 5,
  SubTextSubtitle = 6,
  SubElementaryStreams = 7,
};

enum class AspectRatio : std::uint8_t { r4_3 = 2, r16_9 = 3 };

}  // namespace mirdal
