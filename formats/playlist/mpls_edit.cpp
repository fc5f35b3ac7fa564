#include "formats/playlist/mpls_edit.h"

#include <algorithm>
#include <utility>

#include "formats/common/stream_codes.h"

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
void playListGrew(Playlist& m, std::int64_t delta) {
  shift(m.playlist.length, delta);
  if (m.playListMarkStartAddress != 0) shift(m.playListMarkStartAddress, delta);
  if (m.extensionDataStartAddress != 0) shift(m.extensionDataStartAddress, delta);
}

void marksGrew(Playlist& m, std::int64_t delta) {
  shift(m.marks.length, delta);
  if (m.extensionDataStartAddress != 0) shift(m.extensionDataStartAddress, delta);
}

// A size change inside PlayItem `pi` (outside its STN table).
bool playItemFits(const PlayItem& pi, std::int64_t delta) { return pi.length + delta <= kMaxLength16; }

void playItemGrew(Playlist& m, PlayItem& pi, std::int64_t delta) {
  shift(pi.length, delta);
  playListGrew(m, delta);
}

void subPlayItemGrew(Playlist& m, SubPath& sp, SubPlayItem& spi, std::int64_t delta) {
  shift(spi.length, delta);
  shift(sp.length, delta);
  playListGrew(m, delta);
}

std::size_t insertPos(std::size_t after, std::size_t count) {
  return after == kNoRow ? 0 : std::min(after + 1, count);
}

StreamRecord newStream(StreamCategory c) {
  StreamRecord s;
  s.entry.length = 9;
  s.attributes.length = 5;
  s.attributes.language = "eng";
  switch (c) {
    case StreamCategory::PrimaryAudio:
      s.entry.type = std::uint8_t(StreamEntryType::PlayItem);
      s.entry.mainPid = 0x1100;
      s.attributes.codingType = std::uint8_t(CodingType::DD);
      s.attributes.presentationType = std::uint8_t(AudioPresentation::MultiChannel);
      s.attributes.samplingFrequency = std::uint8_t(SamplingFrequency::Khz48);
      break;
    case StreamCategory::PG:
      s.entry.type = std::uint8_t(StreamEntryType::PlayItem);
      s.entry.mainPid = 0x1200;
      s.attributes.codingType = std::uint8_t(CodingType::PG);
      break;
    default:  // IG
      s.entry.type = std::uint8_t(StreamEntryType::SubPath);
      s.entry.subPid = 0x1400;
      s.attributes.codingType = std::uint8_t(CodingType::IG);
      break;
  }
  return s;
}

SubPlayItem newSubPlayItem(const Playlist& m) {
  SubPlayItem s;
  s.length = kNewSubPlayItemLength;
  if (!m.playlist.items.empty()) {
    const PlayItem& first = m.playlist.items.front();
    s.clipName = first.clipName;
    s.codecId = first.codecId;
    s.inTime = s.outTime = first.inTime;
  }
  return s;
}

SubPlayItem* subPlayItemAt(Playlist& m, std::size_t subpath, std::size_t item) {
  if (subpath >= m.playlist.subpaths.size()) return nullptr;
  auto& items = m.playlist.subpaths[subpath].items;
  return item < items.size() ? &items[item] : nullptr;
}

std::size_t blockSize(std::size_t entries) { return 2 + kClipRefSize * (std::max<std::size_t>(entries, 1) - 1); }

}  // namespace

bool canInsertStream(const PlayItem& pi, StreamCategory c) {
  const Stn& t = pi.stn;
  if (t.length + kPlainStreamSize > kMaxLength16 || pi.length + kPlainStreamSize > kMaxLength16) return false;
  switch (c) {
    case StreamCategory::PrimaryAudio: return t.primaryAudio.size() < kMaxAudioStreams;
    case StreamCategory::PG: return pgStreamCount(t) < kMaxPgStreams;
    case StreamCategory::IG: return t.ig.size() < kMaxIgStreams;
    default: return false;
  }
}

std::size_t insertStream(Playlist& m, std::size_t item, StreamCategory c, std::size_t after) {
  if (item >= m.playlist.items.size()) return kNoRow;
  PlayItem& pi = m.playlist.items[item];
  if (!canInsertStream(pi, c)) return kNoRow;
  Stn& t = pi.stn;
  const std::size_t at = insertPos(after, streamCount(t, c));
  switch (c) {
    case StreamCategory::PrimaryAudio:
      t.primaryAudio.insert(t.primaryAudio.begin() + std::ptrdiff_t(at), newStream(c));
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

bool canDeleteStream(const PlayItem& pi, StreamCategory c) {
  const std::size_t n = streamCount(pi.stn, c);
  if (c == StreamCategory::PrimaryVideo) return false;
  if (c == StreamCategory::PrimaryAudio) return n >= 2;
  return n >= 1;
}

const StreamRecord* streamAt(const Stn& t, StreamCategory c, std::size_t row) {
  if (row >= streamCount(t, c)) return nullptr;
  switch (c) {
    case StreamCategory::PrimaryVideo: return &t.primaryVideo[row];
    case StreamCategory::PrimaryAudio: return &t.primaryAudio[row];
    case StreamCategory::PG: return &t.pg[row];
    case StreamCategory::IG: return &t.ig[row];
    case StreamCategory::SecondaryAudio: return &t.secondaryAudio[row];
    case StreamCategory::SecondaryVideo: return &t.secondaryVideo[row];
    case StreamCategory::PiPPG: return &t.pg[pgStreamCount(t) + row];
  }
  return nullptr;
}

StreamRecord* streamAt(Stn& t, StreamCategory c, std::size_t row) {
  return const_cast<StreamRecord*>(streamAt(std::as_const(t), c, row));
}

std::size_t streamSize(const Stn& t, StreamCategory c, std::size_t row) {
  if (row >= streamCount(t, c)) return 0;
  if (c == StreamCategory::SecondaryAudio) return secAudioSize(t.secondaryAudio[row]);
  if (c == StreamCategory::SecondaryVideo) return secVideoSize(t.secondaryVideo[row]);
  return streamRecSize(*streamAt(t, c, row));
}

bool deleteStream(Playlist& m, std::size_t item, StreamCategory c, std::size_t row) {
  if (item >= m.playlist.items.size()) return false;
  PlayItem& pi = m.playlist.items[item];
  Stn& t = pi.stn;
  if (!canDeleteStream(pi, c) || row >= streamCount(t, c)) return false;
  const std::int64_t size = std::int64_t(streamSize(t, c, row));
  auto at = [row](auto& v) { return v.begin() + std::ptrdiff_t(row); };
  switch (c) {
    case StreamCategory::PrimaryVideo: return false;
    case StreamCategory::PrimaryAudio: t.primaryAudio.erase(at(t.primaryAudio)); break;
    case StreamCategory::PG: t.pg.erase(at(t.pg)); break;
    case StreamCategory::IG: t.ig.erase(at(t.ig)); break;
    case StreamCategory::SecondaryAudio: t.secondaryAudio.erase(at(t.secondaryAudio)); break;
    case StreamCategory::SecondaryVideo: t.secondaryVideo.erase(at(t.secondaryVideo)); break;
    case StreamCategory::PiPPG:
      t.pg.erase(t.pg.begin() + std::ptrdiff_t(pgStreamCount(t) + row));
      --t.pipPgCount;
      break;
  }
  shift(t.length, -size);
  playItemGrew(m, pi, -size);
  return true;
}

std::size_t insertSubPath(Playlist& m, std::size_t after) {
  auto& list = m.playlist.subpaths;
  if (list.size() >= kMaxSubPaths) return kNoRow;
  SubPath sp;
  sp.type = std::uint8_t(SubPathType::IGMenu);
  sp.items.push_back(newSubPlayItem(m));
  sp.length = std::uint32_t(subPathContentLength(sp));
  const std::size_t at = insertPos(after, list.size());
  const std::int64_t size = 4 + std::int64_t(sp.length);
  list.insert(list.begin() + std::ptrdiff_t(at), std::move(sp));
  playListGrew(m, size);
  return at;
}

bool deleteSubPath(Playlist& m, std::size_t row) {
  auto& list = m.playlist.subpaths;
  if (row >= list.size()) return false;
  const std::int64_t size = 4 + std::int64_t(list[row].length);
  list.erase(list.begin() + std::ptrdiff_t(row));
  playListGrew(m, -size);
  return true;
}

std::size_t insertSubPlayItem(Playlist& m, std::size_t subpath, std::size_t after) {
  if (subpath >= m.playlist.subpaths.size()) return kNoRow;
  SubPath& sp = m.playlist.subpaths[subpath];
  if (sp.items.size() >= kMaxSubPlayItems) return kNoRow;
  const std::size_t at = insertPos(after, sp.items.size());
  sp.items.insert(sp.items.begin() + std::ptrdiff_t(at), newSubPlayItem(m));
  const std::int64_t size = 2 + std::int64_t(kNewSubPlayItemLength);
  shift(sp.length, size);
  playListGrew(m, size);
  return at;
}

bool deleteSubPlayItem(Playlist& m, std::size_t subpath, std::size_t row) {
  if (subpath >= m.playlist.subpaths.size()) return false;
  SubPath& sp = m.playlist.subpaths[subpath];
  if (sp.items.size() < 2 || row >= sp.items.size()) return false;
  const std::int64_t size = 2 + std::int64_t(sp.items[row].length);
  sp.items.erase(sp.items.begin() + std::ptrdiff_t(row));
  shift(sp.length, -size);
  playListGrew(m, -size);
  return true;
}

bool setMultiClip(Playlist& m, std::size_t subpath, std::size_t item, bool on) {
  SubPlayItem* spi = subPlayItemAt(m, subpath, item);
  if (!spi) return false;
  if (bool(spi->isMultiClip) == on) return true;
  SubPath& sp = m.playlist.subpaths[subpath];
  if (on) {
    if (spi->length + 2u > kMaxLength16) return false;
    spi->isMultiClip = std::uint8_t(MultiClip::Multi);
    spi->clips = {ClipRef{spi->clipName, spi->codecId, spi->stcId}};
    subPlayItemGrew(m, sp, *spi, 2);
  } else {
    const std::int64_t size = std::int64_t(blockSize(spi->clips.size()));
    spi->isMultiClip = std::uint8_t(MultiClip::Single);
    spi->clips.clear();
    subPlayItemGrew(m, sp, *spi, -size);
  }
  return true;
}

std::size_t insertMultiClipEntry(Playlist& m, std::size_t subpath, std::size_t item, std::size_t after) {
  SubPlayItem* spi = subPlayItemAt(m, subpath, item);
  if (!spi || !spi->isMultiClip || spi->clips.size() >= kMaxAngles ||
      spi->length + kClipRefSize > kMaxLength16)
    return kNoRow;
  // A block read with no entries gets its entry 0 first; that costs no byte.
  if (spi->clips.empty()) spi->clips.push_back(ClipRef{spi->clipName, spi->codecId, spi->stcId});
  const std::size_t at = std::max<std::size_t>(insertPos(after, spi->clips.size()), 1);
  spi->clips.insert(spi->clips.begin() + std::ptrdiff_t(at), ClipRef{spi->clipName, spi->codecId, 0});
  subPlayItemGrew(m, m.playlist.subpaths[subpath], *spi, kClipRefSize);
  return at;
}

bool deleteMultiClipEntry(Playlist& m, std::size_t subpath, std::size_t item, std::size_t row) {
  SubPlayItem* spi = subPlayItemAt(m, subpath, item);
  if (!spi || !spi->isMultiClip || row == 0 || row >= spi->clips.size()) return false;
  spi->clips.erase(spi->clips.begin() + std::ptrdiff_t(row));
  subPlayItemGrew(m, m.playlist.subpaths[subpath], *spi, -std::int64_t(kClipRefSize));
  return true;
}

bool setMultiAngle(Playlist& m, std::size_t item, bool on) {
  if (item >= m.playlist.items.size()) return false;
  PlayItem& pi = m.playlist.items[item];
  if (bool(pi.isMultiAngle) == on) return true;
  if (on) {
    if (!playItemFits(pi, 2)) return false;
    pi.isMultiAngle = 1;
    pi.angles.angles = {ClipRef{pi.clipName, pi.codecId, pi.stcId}};
    playItemGrew(m, pi, 2);
  } else {
    const std::int64_t size = std::int64_t(blockSize(pi.angles.angles.size()));
    pi.isMultiAngle = 0;
    pi.angles = MultiAngle{};
    playItemGrew(m, pi, -size);
  }
  return true;
}

std::size_t insertAngle(Playlist& m, std::size_t item, std::size_t after) {
  if (item >= m.playlist.items.size()) return kNoRow;
  PlayItem& pi = m.playlist.items[item];
  auto& list = pi.angles.angles;
  if (!pi.isMultiAngle || list.size() >= kMaxAngles || !playItemFits(pi, kClipRefSize)) return kNoRow;
  if (list.empty()) list.push_back(ClipRef{pi.clipName, pi.codecId, pi.stcId});
  const std::size_t at = std::max<std::size_t>(insertPos(after, list.size()), 1);
  list.insert(list.begin() + std::ptrdiff_t(at), ClipRef{pi.clipName, pi.codecId, 0});
  playItemGrew(m, pi, kClipRefSize);
  return at;
}

bool deleteAngle(Playlist& m, std::size_t item, std::size_t row) {
  if (item >= m.playlist.items.size()) return false;
  PlayItem& pi = m.playlist.items[item];
  auto& list = pi.angles.angles;
  if (!pi.isMultiAngle || row == 0 || row >= list.size()) return false;
  list.erase(list.begin() + std::ptrdiff_t(row));
  playItemGrew(m, pi, -std::int64_t(kClipRefSize));
  return true;
}

Mark newMark(const Playlist& m, std::size_t selectedMark, std::size_t selectedItem) {
  Mark k;
  const auto& marks = m.marks.marks;
  const auto& items = m.playlist.items;
  if (selectedMark < marks.size()) {
    k.playItemRef = marks[selectedMark].playItemRef;
    k.time = marks[selectedMark].time;
  } else {
    const std::size_t item = selectedItem < items.size() ? selectedItem : 0;
    k.playItemRef = std::uint16_t(item);
    k.time = item < items.size() ? items[item].inTime : 0;
  }
  return k;
}

std::size_t markRowFor(const Playlist& m, const Mark& mark) {
  const auto& list = m.marks.marks;
  const auto later = [&](const Mark& k) {
    return k.playItemRef > mark.playItemRef || (k.playItemRef == mark.playItemRef && k.time > mark.time);
  };
  std::size_t row = 0;
  for (std::size_t i = 0; i < list.size(); ++i)
    if (!later(list[i])) row = i + 1;
  return row;
}

std::size_t insertMark(Playlist& m, const Mark& mark) {
  auto& list = m.marks.marks;
  if (m.playListMarkStartAddress == 0 || list.size() >= kMaxMarks) return kNoRow;
  const std::size_t at = markRowFor(m, mark);
  list.insert(list.begin() + std::ptrdiff_t(at), mark);
  marksGrew(m, kMarkSize);
  return at;
}

std::size_t insertMark(Playlist& m, std::size_t selectedMark, std::size_t selectedItem) {
  return insertMark(m, newMark(m, selectedMark, selectedItem));
}

std::size_t deleteMarks(Playlist& m, std::vector<std::size_t> rows) {
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

bool replaceMarks(Playlist& m, std::vector<Mark> marks) {
  if (m.playListMarkStartAddress == 0 || marks.size() > kMaxMarks) return false;
  const std::int64_t delta = std::int64_t(kMarkSize) * (std::int64_t(marks.size()) - std::int64_t(m.marks.marks.size()));
  m.marks.marks = std::move(marks);
  marksGrew(m, delta);
  return true;
}

std::vector<std::string> inTimeQuestions(const Playlist& m, std::size_t item, std::uint32_t newIn) {
  std::vector<std::string> q;
  if (item >= m.playlist.items.size() || m.playlist.items[item].inTime == newIn) return q;
  q.push_back(kAskMoveOut);
  if (!m.playlist.subpaths.empty()) q.push_back(kAskMoveSubPlayItems);
  if (!m.marks.marks.empty()) q.push_back(kAskMoveMarks);
  return q;
}

void setPlayItemInTime(Playlist& m, std::size_t item, std::uint32_t newIn, const InTimeAnswers& a) {
  if (item >= m.playlist.items.size()) return;
  PlayItem& pi = m.playlist.items[item];
  const std::uint32_t delta = newIn - pi.inTime;
  pi.inTime = newIn;
  if (delta == 0) return;
  if (a.moveOut) pi.outTime += delta;
  if (a.moveSubPlayItems) {
    for (SubPath& sp : m.playlist.subpaths) {
      for (SubPlayItem& spi : sp.items) {
        spi.inTime += delta;
        spi.outTime += delta;
      }
    }
  }
  if (a.moveMarks) {
    for (Mark& k : m.marks.marks)
      if (k.playItemRef == item) k.time += delta;
  }
}

void setSubPathType(Playlist& m, std::size_t row, std::uint8_t type) {
  if (row >= m.playlist.subpaths.size()) return;
  SubPath& sp = m.playlist.subpaths[row];
  sp.type = type;
  if (type != std::uint8_t(SubPathType::PrimaryAudio)) sp.repeat = 0;
}

bool setSubPathRepeat(Playlist& m, std::size_t row, bool on) {
  if (row >= m.playlist.subpaths.size()) return false;
  SubPath& sp = m.playlist.subpaths[row];
  if (sp.type != std::uint8_t(SubPathType::PrimaryAudio)) return false;
  sp.repeat = on ? 1 : 0;
  return true;
}

void applyExtensionData(Playlist& m, const ExtensionData& ed) {
  if (ed.length == 0) {
    if (m.extensionDataStartAddress != 0) m.tail = std::move(m.gapBeforeExt);
    m.gapBeforeExt.clear();
    m.extensionData = ExtensionData{};
    m.extensionDataStartAddress = 0;
    return;
  }
  if (m.extensionDataStartAddress == 0) {
    m.gapBeforeExt = std::move(m.tail);
    m.tail.clear();
  }
  m.extensionData = ed;
  std::uint32_t end = m.playListStartAddress + 4 + m.playlist.length;
  if (m.playListMarkStartAddress != 0) end = m.playListMarkStartAddress + 4 + m.marks.length;
  m.extensionDataStartAddress = end + std::uint32_t(m.gapBeforeExt.size());
}

}  // namespace mirdal
