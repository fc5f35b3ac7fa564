#include "present/playlist_rules.h"

#include <algorithm>

namespace mirdal {

EntryFields entryFields(std::uint8_t entryType) {
  switch (StreamEntryType(entryType)) {
    case StreamEntryType::PlayItem: return {.mainPid = true};
    case StreamEntryType::SubPath: return {.subPathId = true, .subClipId = true, .subPid = true};
    case StreamEntryType::IMPiP: return {.mainPid = true, .subPathId = true};
    case StreamEntryType::None: break;
  }
  return {};
}

int entryTypeItem(std::uint8_t type) { return type <= std::uint8_t(StreamEntryType::IMPiP) ? type : -1; }

int subPathTypeItem(std::uint8_t type) { return type <= std::uint8_t(SubPathType::InMuxSync) ? type : -1; }

int markTypeItem(std::uint8_t type) {
  return type >= std::uint8_t(MarkType::EntryMark) && type <= std::uint8_t(MarkType::LinkPoint) ? type - 1 : -1;
}

int playlistPlaybackTypeItem(std::uint8_t type) {
  return type >= std::uint8_t(PlaylistPlaybackType::Sequential) && type <= std::uint8_t(PlaylistPlaybackType::Shuffle)
             ? type - 1
             : -1;
}

std::optional<MarkType> markTypeOfItem(int item) {
  if (item < 0 || item > 1) return std::nullopt;
  return MarkType(item + 1);
}

std::optional<PlaylistPlaybackType> playbackTypeOfItem(int item) {
  if (item < 0 || item > 2) return std::nullopt;
  return PlaylistPlaybackType(item + 1);
}

bool subPathRepeatApplies(std::uint8_t subPathType) {
  return subPathType == std::uint8_t(SubPathType::PrimaryAudio);
}

std::uint8_t clampedStreamId(std::int64_t v) { return std::uint8_t(std::clamp<std::int64_t>(v, 0, kMaxStreamId)); }

std::uint16_t clampedPlaybackCount(std::int64_t v) {
  return std::uint16_t(std::clamp<std::int64_t>(v, 0, kMaxPlaybackCount));
}

std::uint16_t clampedMarkPlayItem(std::int64_t v) {
  return std::uint16_t(std::clamp<std::int64_t>(v, 0, kMaxMarkPlayItem));
}

unsigned clampedMarkTimePart(std::int64_t v) { return unsigned(std::clamp<std::int64_t>(v, 0, kMaxMarkTimePart)); }

}  // namespace mirdal
