#include "present/bdmv_rules.h"

#include "present/bdmv_rows.h"
#include "formats/bdmv/bdmv_values.h"
#include "formats/bdmv/index_bdmv.h"

namespace mirdal {

bool namesMovieObject(std::uint8_t objectType) { return objectType == std::uint8_t(ObjectType::HDMV); }

int playbackTypeItem(std::uint8_t playbackType) {
  return playbackType < kPlaybackTypeItems.size() ? playbackType : -1;
}

std::vector<std::string> titleNumberTexts(std::size_t count) {
  std::vector<std::string> out;
  out.reserve(count);
  for (std::size_t i = 1; i <= count; ++i) out.push_back(std::to_string(i));
  return out;
}

int followedTitle(std::uint32_t title) { return title >= 1 && title <= kMaxTitles ? int(title) : 0; }

}  // namespace mirdal
