#include "present/bdmv_rules.h"

#include "present/bdmv_rows.h"
#include "formats/bdmv/bdmv_values.h"

namespace mirdal {

bool namesMovieObject(std::uint8_t objectType) { return objectType == std::uint8_t(ObjectType::HDMV); }

int playbackTypeItem(std::uint8_t playbackType) {
  return playbackType < kPlaybackTypeItems.size() ? playbackType : -1;
}

}  // namespace mirdal
