#include "formats/playlist_field_edit.h"

#include "formats/mpls_edit.h"

namespace mirdal {

namespace {

std::uint32_t& wordOf(TMPLS& m, UoWord word) { return word == UoWord::First ? m.uo_mask1 : m.uo_mask2; }

std::uint32_t keptBits(UoWord word, std::uint32_t value) {
  return word == UoWord::Second ? value & kUOWord2Mask : value;
}

TMark* markAt(TMPLS& m, std::size_t mark) {
  return mark < m.marks.marks.size() ? &m.marks.marks[mark] : nullptr;
}

}  // namespace

bool setPlaybackType(TMPLS& m, PlaylistPlaybackType type) {
  switch (type) {
    case PlaylistPlaybackType::Sequential:
    case PlaylistPlaybackType::Random:
    case PlaylistPlaybackType::Shuffle:
      m.playback_type = std::uint8_t(type);
      return true;
  }
  return false;
}

bool setPlaybackCount(TMPLS& m, std::uint16_t count) {
  if (count > kMaxPlaybackCount) return false;
  m.playback_count = count;
  return true;
}

void setUoMask(TMPLS& m, UoWord word, std::uint32_t value) { wordOf(m, word) = keptBits(word, value); }

bool setUoMaskBit(TMPLS& m, UoWord word, int bit, bool on) {
  if (bit < 0 || bit > 31 || keptBits(word, 1u << bit) == 0) return false;
  std::uint32_t& w = wordOf(m, word);
  w = setBit(w, bit, on);
  return true;
}

void setAppInfoFlag(TMPLS& m, AppInfoFlag flag, bool on) {
  std::uint8_t& f = flag == AppInfoFlag::RandomAccess ? m.random_access_flag
                    : flag == AppInfoFlag::AudioMix   ? m.audio_mix_flag
                                                      : m.bypass_mixer_flag;
  f = on ? 1 : 0;
}

bool setMarkType(TMPLS& m, std::size_t mark, MarkType type) {
  TMark* k = markAt(m, mark);
  if (!k || (type != MarkType::EntryMark && type != MarkType::LinkPoint)) return false;
  k->type = std::uint8_t(type);
  return true;
}

bool setMarkPlayItem(TMPLS& m, std::size_t mark, std::uint16_t playItem) {
  TMark* k = markAt(m, mark);
  if (!k || playItem > kMaxMarkPlayItem) return false;
  k->playitem_ref = playItem;
  return true;
}

bool setMarkTime(TMPLS& m, std::size_t mark, std::uint32_t time) {
  TMark* k = markAt(m, mark);
  if (!k) return false;
  k->time = time;
  return true;
}

}  // namespace mirdal
