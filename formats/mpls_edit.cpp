#include "formats/mpls_edit.h"

#include <algorithm>
#include <utility>

#include "formats/stream_codes.h"

namespace mirdal {

namespace {

constexpr std::size_t kPlainStreamSize = 16;
constexpr std::size_t kNewSubPlayItemLength = 28;
constexpr std::size_t kClipRefSize = 10;
constexpr std::size_t kMarkSize = 14;
constexpr std::uint32_t kMaxLength16 = 0xFFFF;

template <class T>
void shift(T& field, std::int64_t delta) {
  field = T(std::int64_t(field) + delta);
}

// A size change inside the PlayList section: the PlayList length and the
// addresses of the sections behind it.
void playListGrew(TMPLS& m, std::int64_t delta) {
  shift(m.playlist.length, delta);
  if (m.PlayListMark_start_address != 0) shift(m.PlayListMark_start_address, delta);
  if (m.ExtensionData_start_address != 0) shift(m.ExtensionData_start_address, delta);
}

void marksGrew(TMPLS& m, std::int64_t delta) {
  shift(m.marks.length, delta);
  if (m.ExtensionData_start_address != 0) shift(m.ExtensionData_start_address, delta);
}

// A size change inside PlayItem `pi` (outside its STN table).
bool playItemFits(const TPlayItem& pi, std::int64_t delta) { return pi.length + delta <= kMaxLength16; }

void playItemGrew(TMPLS& m, TPlayItem& pi, std::int64_t delta) {
  shift(pi.length, delta);
  playListGrew(m, delta);
}

void subPlayItemGrew(TMPLS& m, TSubPath& sp, TSubPlayItem& spi, std::int64_t delta) {
  shift(spi.length, delta);
  shift(sp.length, delta);
  playListGrew(m, delta);
}

std::size_t insertPos(std::size_t after, std::size_t count) {
  return after == kNoRow ? 0 : std::min(after + 1, count);
}

TStreamRec newStream(StreamCategory c) {
  TStreamRec s;
  s.entry.length = 9;
  s.attributes.length = 5;
  s.attributes.language = "eng";
  switch (c) {
    case StreamCategory::PrimaryAudio:
      s.entry.type = std::uint8_t(StreamEntryType::PlayItem);
      s.entry.main_pid = 0x1100;
      s.attributes.coding_type = std::uint8_t(CodingType::DD);
      s.attributes.presentation_type = std::uint8_t(AudioPresentation::MultiChannel);
      s.attributes.sampling_frequency = std::uint8_t(SamplingFrequency::k48);
      break;
    case StreamCategory::PG:
      s.entry.type = std::uint8_t(StreamEntryType::PlayItem);
      s.entry.main_pid = 0x1200;
      s.attributes.coding_type = std::uint8_t(CodingType::PG);
      break;
    default:  // IG
      s.entry.type = std::uint8_t(StreamEntryType::SubPath);
      s.entry.sub_pid = 0x1400;
      s.attributes.coding_type = std::uint8_t(CodingType::IG);
      break;
  }
  return s;
}

TSubPlayItem newSubPlayItem(const TMPLS& m) {
  TSubPlayItem s;
  s.length = kNewSubPlayItemLength;
  if (!m.playlist.items.empty()) {
    const TPlayItem& first = m.playlist.items.front();
    s.clip_name = first.clip_name;
    s.codec_id = first.codec_id;
    s.in_time = s.out_time = first.in_time;
  }
  return s;
}

TSubPlayItem* subPlayItemAt(TMPLS& m, std::size_t subpath, std::size_t item) {
  if (subpath >= m.playlist.subpaths.size()) return nullptr;
  auto& items = m.playlist.subpaths[subpath].items;
  return item < items.size() ? &items[item] : nullptr;
}

std::size_t blockSize(std::size_t entries) { return 2 + kClipRefSize * (std::max<std::size_t>(entries, 1) - 1); }

}  // namespace

bool canInsertStream(const TPlayItem& pi, StreamCategory c) {
  const TSTN& t = pi.stn;
  if (t.length + kPlainStreamSize > kMaxLength16 || pi.length + kPlainStreamSize > kMaxLength16) return false;
  switch (c) {
    case StreamCategory::PrimaryAudio: return t.primary_audio.size() < kMaxAudioStreams;
    case StreamCategory::PG: return numPG(t) < kMaxPGStreams;
    case StreamCategory::IG: return t.ig.size() < kMaxIGStreams;
    default: return false;
  }
}

std::size_t insertStream(TMPLS& m, std::size_t item, StreamCategory c, std::size_t after) {
  if (item >= m.playlist.items.size()) return kNoRow;
  TPlayItem& pi = m.playlist.items[item];
  if (!canInsertStream(pi, c)) return kNoRow;
  TSTN& t = pi.stn;
  const std::size_t at = insertPos(after, streamCount(t, c));
  switch (c) {
    case StreamCategory::PrimaryAudio:
      t.primary_audio.insert(t.primary_audio.begin() + std::ptrdiff_t(at), newStream(c));
      break;
    case StreamCategory::PG:  // PiP streams stay behind the PG streams
      t.pg.insert(t.pg.begin() + std::ptrdiff_t(at), newStream(c));
      break;
    default:
      t.ig.insert(t.ig.begin() + std::ptrdiff_t(at), newStream(c));
      break;
  }
  shift(t.length, kPlainStreamSize);
  playItemGrew(m, pi, kPlainStreamSize);
  return at;
}

bool canDeleteStream(const TPlayItem& pi, StreamCategory c) {
  const std::size_t n = streamCount(pi.stn, c);
  if (c == StreamCategory::PrimaryVideo) return false;
  if (c == StreamCategory::PrimaryAudio) return n >= 2;
  return n >= 1;
}

const TStreamRec* streamAt(const TSTN& t, StreamCategory c, std::size_t row) {
  if (row >= streamCount(t, c)) return nullptr;
  switch (c) {
    case StreamCategory::PrimaryVideo: return &t.primary_video[row];
    case StreamCategory::PrimaryAudio: return &t.primary_audio[row];
    case StreamCategory::PG: return &t.pg[row];
    case StreamCategory::IG: return &t.ig[row];
    case StreamCategory::SecondaryAudio: return &t.secondary_audio[row];
    case StreamCategory::SecondaryVideo: return &t.secondary_video[row];
    case StreamCategory::PiPPG: return &t.pg[numPG(t) + row];
  }
  return nullptr;
}

TStreamRec* streamAt(TSTN& t, StreamCategory c, std::size_t row) {
  return const_cast<TStreamRec*>(streamAt(std::as_const(t), c, row));
}

std::size_t streamSize(const TSTN& t, StreamCategory c, std::size_t row) {
  if (row >= streamCount(t, c)) return 0;
  if (c == StreamCategory::SecondaryAudio) return secAudioSize(t.secondary_audio[row]);
  if (c == StreamCategory::SecondaryVideo) return secVideoSize(t.secondary_video[row]);
  return streamRecSize(*streamAt(t, c, row));
}

bool deleteStream(TMPLS& m, std::size_t item, StreamCategory c, std::size_t row) {
  if (item >= m.playlist.items.size()) return false;
  TPlayItem& pi = m.playlist.items[item];
  TSTN& t = pi.stn;
  if (!canDeleteStream(pi, c) || row >= streamCount(t, c)) return false;
  const std::int64_t size = std::int64_t(streamSize(t, c, row));
  auto at = [row](auto& v) { return v.begin() + std::ptrdiff_t(row); };
  switch (c) {
    case StreamCategory::PrimaryVideo: return false;
    case StreamCategory::PrimaryAudio: t.primary_audio.erase(at(t.primary_audio)); break;
    case StreamCategory::PG: t.pg.erase(at(t.pg)); break;
    case StreamCategory::IG: t.ig.erase(at(t.ig)); break;
    case StreamCategory::SecondaryAudio: t.secondary_audio.erase(at(t.secondary_audio)); break;
    case StreamCategory::SecondaryVideo: t.secondary_video.erase(at(t.secondary_video)); break;
    case StreamCategory::PiPPG:
      t.pg.erase(t.pg.begin() + std::ptrdiff_t(numPG(t) + row));
      --t.num_pip_pg;
      break;
  }
  shift(t.length, -size);
  playItemGrew(m, pi, -size);
  return true;
}

std::size_t insertSubPath(TMPLS& m, std::size_t after) {
  auto& list = m.playlist.subpaths;
  if (list.size() >= kMaxSubPaths) return kNoRow;
  TSubPath sp;
  sp.type = std::uint8_t(SubPathType::IGMenu);
  sp.items.push_back(newSubPlayItem(m));
  sp.length = std::uint32_t(subPathContentLength(sp));
  const std::size_t at = insertPos(after, list.size());
  const std::int64_t size = 4 + std::int64_t(sp.length);
  list.insert(list.begin() + std::ptrdiff_t(at), std::move(sp));
  playListGrew(m, size);
  return at;
}

bool deleteSubPath(TMPLS& m, std::size_t row) {
  auto& list = m.playlist.subpaths;
  if (row >= list.size()) return false;
  const std::int64_t size = 4 + std::int64_t(list[row].length);
  list.erase(list.begin() + std::ptrdiff_t(row));
  playListGrew(m, -size);
  return true;
}

std::size_t insertSubPlayItem(TMPLS& m, std::size_t subpath, std::size_t after) {
  if (subpath >= m.playlist.subpaths.size()) return kNoRow;
  TSubPath& sp = m.playlist.subpaths[subpath];
  if (sp.items.size() >= kMaxSubPlayItems) return kNoRow;
  const std::size_t at = insertPos(after, sp.items.size());
  sp.items.insert(sp.items.begin() + std::ptrdiff_t(at), newSubPlayItem(m));
  const std::int64_t size = 2 + std::int64_t(kNewSubPlayItemLength);
  shift(sp.length, size);
  playListGrew(m, size);
  return at;
}

bool deleteSubPlayItem(TMPLS& m, std::size_t subpath, std::size_t row) {
  if (subpath >= m.playlist.subpaths.size()) return false;
  TSubPath& sp = m.playlist.subpaths[subpath];
  if (sp.items.size() < 2 || row >= sp.items.size()) return false;
  const std::int64_t size = 2 + std::int64_t(sp.items[row].length);
  sp.items.erase(sp.items.begin() + std::ptrdiff_t(row));
  shift(sp.length, -size);
  playListGrew(m, -size);
  return true;
}

bool setMultiClip(TMPLS& m, std::size_t subpath, std::size_t item, bool on) {
  TSubPlayItem* spi = subPlayItemAt(m, subpath, item);
  if (!spi) return false;
  if (bool(spi->is_multi_clip) == on) return true;
  TSubPath& sp = m.playlist.subpaths[subpath];
  if (on) {
    if (spi->length + 2u > kMaxLength16) return false;
    spi->is_multi_clip = std::uint8_t(MultiClip::Multi);
    spi->clips = {TClipRef{spi->clip_name, spi->codec_id, spi->stc_id}};
    subPlayItemGrew(m, sp, *spi, 2);
  } else {
    const std::int64_t size = std::int64_t(blockSize(spi->clips.size()));
    spi->is_multi_clip = std::uint8_t(MultiClip::Single);
    spi->clips.clear();
    subPlayItemGrew(m, sp, *spi, -size);
  }
  return true;
}

std::size_t insertMultiClipEntry(TMPLS& m, std::size_t subpath, std::size_t item, std::size_t after) {
  TSubPlayItem* spi = subPlayItemAt(m, subpath, item);
  if (!spi || !spi->is_multi_clip || spi->clips.size() >= kMaxAngles ||
      spi->length + kClipRefSize > kMaxLength16)
    return kNoRow;
  // A block read with no entries gets its entry 0 first; that costs no byte.
  if (spi->clips.empty()) spi->clips.push_back(TClipRef{spi->clip_name, spi->codec_id, spi->stc_id});
  const std::size_t at = std::max<std::size_t>(insertPos(after, spi->clips.size()), 1);
  spi->clips.insert(spi->clips.begin() + std::ptrdiff_t(at), TClipRef{spi->clip_name, spi->codec_id, 0});
  subPlayItemGrew(m, m.playlist.subpaths[subpath], *spi, kClipRefSize);
  return at;
}

bool deleteMultiClipEntry(TMPLS& m, std::size_t subpath, std::size_t item, std::size_t row) {
  TSubPlayItem* spi = subPlayItemAt(m, subpath, item);
  if (!spi || !spi->is_multi_clip || row == 0 || row >= spi->clips.size()) return false;
  spi->clips.erase(spi->clips.begin() + std::ptrdiff_t(row));
  subPlayItemGrew(m, m.playlist.subpaths[subpath], *spi, -std::int64_t(kClipRefSize));
  return true;
}

bool setMultiAngle(TMPLS& m, std::size_t item, bool on) {
  if (item >= m.playlist.items.size()) return false;
  TPlayItem& pi = m.playlist.items[item];
  if (bool(pi.is_multi_angle) == on) return true;
  if (on) {
    if (!playItemFits(pi, 2)) return false;
    pi.is_multi_angle = 1;
    pi.angles.angles = {TClipRef{pi.clip_name, pi.codec_id, pi.stc_id}};
    playItemGrew(m, pi, 2);
  } else {
    const std::int64_t size = std::int64_t(blockSize(pi.angles.angles.size()));
    pi.is_multi_angle = 0;
    pi.angles = Tmulti_clip{};
    playItemGrew(m, pi, -size);
  }
  return true;
}

std::size_t insertAngle(TMPLS& m, std::size_t item, std::size_t after) {
  if (item >= m.playlist.items.size()) return kNoRow;
  TPlayItem& pi = m.playlist.items[item];
  auto& list = pi.angles.angles;
  if (!pi.is_multi_angle || list.size() >= kMaxAngles || !playItemFits(pi, kClipRefSize)) return kNoRow;
  if (list.empty()) list.push_back(TClipRef{pi.clip_name, pi.codec_id, pi.stc_id});
  const std::size_t at = std::max<std::size_t>(insertPos(after, list.size()), 1);
  list.insert(list.begin() + std::ptrdiff_t(at), TClipRef{pi.clip_name, pi.codec_id, 0});
  playItemGrew(m, pi, kClipRefSize);
  return at;
}

bool deleteAngle(TMPLS& m, std::size_t item, std::size_t row) {
  if (item >= m.playlist.items.size()) return false;
  TPlayItem& pi = m.playlist.items[item];
  auto& list = pi.angles.angles;
  if (!pi.is_multi_angle || row == 0 || row >= list.size()) return false;
  list.erase(list.begin() + std::ptrdiff_t(row));
  playItemGrew(m, pi, -std::int64_t(kClipRefSize));
  return true;
}

TMark newMark(const TMPLS& m, std::size_t selectedMark, std::size_t selectedItem) {
  TMark k;
  const auto& marks = m.marks.marks;
  const auto& items = m.playlist.items;
  if (selectedMark < marks.size()) {
    k.playitem_ref = marks[selectedMark].playitem_ref;
    k.time = marks[selectedMark].time;
  } else {
    const std::size_t item = selectedItem < items.size() ? selectedItem : 0;
    k.playitem_ref = std::uint16_t(item);
    k.time = item < items.size() ? items[item].in_time : 0;
  }
  return k;
}

std::size_t markRowFor(const TMPLS& m, const TMark& mark) {
  const auto& list = m.marks.marks;
  const auto later = [&](const TMark& k) {
    return k.playitem_ref > mark.playitem_ref || (k.playitem_ref == mark.playitem_ref && k.time > mark.time);
  };
  std::size_t row = 0;
  for (std::size_t i = 0; i < list.size(); ++i)
    if (!later(list[i])) row = i + 1;
  return row;
}

std::size_t insertMark(TMPLS& m, const TMark& mark) {
  auto& list = m.marks.marks;
  if (m.PlayListMark_start_address == 0 || list.size() >= kMaxMarks) return kNoRow;
  const std::size_t at = markRowFor(m, mark);
  list.insert(list.begin() + std::ptrdiff_t(at), mark);
  marksGrew(m, kMarkSize);
  return at;
}

std::size_t insertMark(TMPLS& m, std::size_t selectedMark, std::size_t selectedItem) {
  return insertMark(m, newMark(m, selectedMark, selectedItem));
}

std::size_t deleteMarks(TMPLS& m, std::vector<std::size_t> rows) {
  auto& list = m.marks.marks;
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  std::size_t removed = 0;
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    if (*it >= list.size()) continue;
    list.erase(list.begin() + std::ptrdiff_t(*it));
    ++removed;
  }
  marksGrew(m, -std::int64_t(kMarkSize * removed));
  return removed;
}

bool replaceMarks(TMPLS& m, std::vector<TMark> marks) {
  if (m.PlayListMark_start_address == 0 || marks.size() > kMaxMarks) return false;
  const std::int64_t delta = std::int64_t(kMarkSize) * (std::int64_t(marks.size()) - std::int64_t(m.marks.marks.size()));
  m.marks.marks = std::move(marks);
  marksGrew(m, delta);
  return true;
}

std::vector<std::string> inTimeQuestions(const TMPLS& m, std::size_t item, std::uint32_t newIn) {
  std::vector<std::string> q;
  if (item >= m.playlist.items.size() || m.playlist.items[item].in_time == newIn) return q;
  q.push_back(kAskMoveOut);
  if (!m.playlist.subpaths.empty()) q.push_back(kAskMoveSubPlayItems);
  if (!m.marks.marks.empty()) q.push_back(kAskMoveMarks);
  return q;
}

void setPlayItemInTime(TMPLS& m, std::size_t item, std::uint32_t newIn, const InTimeAnswers& a) {
  if (item >= m.playlist.items.size()) return;
  TPlayItem& pi = m.playlist.items[item];
  const std::uint32_t delta = newIn - pi.in_time;
  pi.in_time = newIn;
  if (delta == 0) return;
  if (a.moveOut) pi.out_time += delta;
  if (a.moveSubPlayItems) {
    for (TSubPath& sp : m.playlist.subpaths) {
      for (TSubPlayItem& spi : sp.items) {
        spi.in_time += delta;
        spi.out_time += delta;
      }
    }
  }
  if (a.moveMarks) {
    for (TMark& k : m.marks.marks)
      if (k.playitem_ref == item) k.time += delta;
  }
}

void setSubPathType(TMPLS& m, std::size_t row, std::uint8_t type) {
  if (row >= m.playlist.subpaths.size()) return;
  TSubPath& sp = m.playlist.subpaths[row];
  sp.type = type;
  if (type != std::uint8_t(SubPathType::PrimaryAudio)) sp.repeat = 0;
}

bool setSubPathRepeat(TMPLS& m, std::size_t row, bool on) {
  if (row >= m.playlist.subpaths.size()) return false;
  TSubPath& sp = m.playlist.subpaths[row];
  if (sp.type != std::uint8_t(SubPathType::PrimaryAudio)) return false;
  sp.repeat = on ? 1 : 0;
  return true;
}

void applyExtensionData(TMPLS& m, const TExtensionData& ed) {
  if (ed.length == 0) {
    if (m.ExtensionData_start_address != 0) m.tail = std::move(m.gap_before_ext);
    m.gap_before_ext.clear();
    m.extension_data = TExtensionData{};
    m.ExtensionData_start_address = 0;
    return;
  }
  if (m.ExtensionData_start_address == 0) {
    m.gap_before_ext = std::move(m.tail);
    m.tail.clear();
  }
  m.extension_data = ed;
  std::uint32_t end = m.PlayList_start_address + 4 + m.playlist.length;
  if (m.PlayListMark_start_address != 0) end = m.PlayListMark_start_address + 4 + m.marks.length;
  m.ExtensionData_start_address = end + std::uint32_t(m.gap_before_ext.size());
}

}  // namespace mirdal
