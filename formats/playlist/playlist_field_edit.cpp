#include "formats/playlist/playlist_field_edit.h"

#include "formats/playlist/mpls_edit.h"

namespace mirdal {

namespace {

std::uint32_t& wordOf(Playlist& m, UoWord word) { return word == UoWord::First ? m.uoMask1 : m.uoMask2; }

std::uint32_t keptBits(UoWord word, std::uint32_t value) {
  return word == UoWord::Second ? value & kUoWord2Mask : value;
}

Mark* markAt(Playlist& m, std::size_t mark) {
  return mark < m.marks.marks.size() ? &m.marks.marks[mark] : nullptr;
}

}  // namespace

bool setPlaybackType(Playlist& m, PlaylistPlaybackType type) {
  switch (type) {
    case PlaylistPlaybackType::Sequential:
    case PlaylistPlaybackType::Random:
    case PlaylistPlaybackType::Shuffle:
      m.playbackType = std::uint8_t(type);
      return true;
  }
  return false;
}

bool setPlaybackCount(Playlist& m, std::uint16_t count) {
  if (count > kMaxPlaybackCount) return false;
  m.playbackCount = count;
  return true;
}

void setUoMask(Playlist& m, UoWord word, std::uint32_t value) { wordOf(m, word) = keptBits(word, value); }

bool setUoMaskBit(Playlist& m, UoWord word, int bit, bool on) {
  if (bit < 0 || bit > 31 || keptBits(word, 1u << bit) == 0) return false;
  std::uint32_t& w = wordOf(m, word);
  w = setBit(w, bit, on);
  return true;
}

void setAppInfoFlag(Playlist& m, AppInfoFlag flag, bool on) {
  std::uint8_t& f = flag == AppInfoFlag::RandomAccess ? m.randomAccessFlag
                    : flag == AppInfoFlag::AudioMix   ? m.audioMixFlag
                                                      : m.bypassMixerFlag;
  f = on ? 1 : 0;
}

bool setMarkType(Playlist& m, std::size_t mark, MarkType type) {
  Mark* k = markAt(m, mark);
  if (!k || (type != MarkType::EntryMark && type != MarkType::LinkPoint)) return false;
  k->type = std::uint8_t(type);
  return true;
}

bool setMarkPlayItem(Playlist& m, std::size_t mark, std::uint16_t playItem) {
  Mark* k = markAt(m, mark);
  if (!k || playItem > kMaxMarkPlayItem) return false;
  k->playItemRef = playItem;
  return true;
}

bool setMarkTime(Playlist& m, std::size_t mark, std::uint32_t time) {
  Mark* k = markAt(m, mark);
  if (!k) return false;
  k->time = time;
  return true;
}

}  // namespace mirdal
