#include "formats/playlist/mpls.h"

#include <algorithm>
#include <type_traits>

#include "core/report.h"
#include "formats/common/stream_codes.h"
#include "formats/common/file_header.h"

namespace mirdal {

namespace {

constexpr std::size_t kStreamEntryKnown = 9;  // type + 8 bytes
constexpr std::size_t kAttributesKnown = 5;   // coding type + 4 bytes

bool knownEntryType(std::uint8_t t) {
  return t >= std::uint8_t(StreamEntryType::PlayItem) && t <= std::uint8_t(StreamEntryType::IMPiP);
}

// The two bytes after format and rate of an HEVC stream; other bits reserved.
void readHevcBits(StreamAttributes& a, std::uint8_t colour, std::uint8_t flags) {
  a.dynamicRangeType = colour >> 4;
  a.colorSpace = colour & 15;
  a.crFlag = flags & 0x80;
  a.hdrPlusFlag = flags & 0x40;
}

// The parse of one file: the reader and the whole image, so that the body
// of a stream entry or attribute block can be read through a reader of its
// own, limited to what its length byte covers.
class Parser {
 public:
  Parser(const Bytes& data, const std::function<void(std::size_t, std::size_t)>& progress)
      : data_(data), r(data), progress_(progress) {}

  void progress() {
    if (progress_) progress_(r.pos(), data_.size());
  }

  // The bytes from the position up to `end` (nothing when end is not
  // ahead), as kept padding.
  Bytes upTo(std::size_t end) {
    if (end <= r.pos()) return {};
    return r.readBytes(end - r.pos());
  }

  // A sub-reader over the next n bytes, which the main reader skips.
  FieldReader body(std::size_t n) {
    const std::size_t at = std::min(r.pos(), data_.size());
    const std::size_t avail = std::min(n, data_.size() - at);
    FieldReader sub(data_.data() + at, avail);
    r.skip(n);
    return sub;
  }

  void entry(StreamEntry& e) {
    e.length = r.readU8();
    FieldReader b = body(e.length);
    e.type = e.length ? b.readU8() : 0;
    switch (StreamEntryType(e.type)) {
      case StreamEntryType::PlayItem:
        e.mainPid = b.readU16();
        break;
      case StreamEntryType::SubPath:
        e.subPathId = b.readU8();
        e.subClipId = b.readU8();
        e.subPid = b.readU16();
        break;
      case StreamEntryType::IMPiP:
        e.subPathId = b.readU8();
        e.mainPid = b.readU16();
        break;
      default:
        b.seek(0);
        e.raw = b.readBytes(e.length);
        break;
    }
  }

  void attributes(StreamAttributes& a) {
    a.length = r.readU8();
    FieldReader b = body(a.length);
    a.codingType = a.length ? b.readU8() : 0;
    std::uint8_t v = 0;
    switch (codingKind(a.codingType)) {
      case StreamKind::Video:
        v = b.readU8();
        a.videoFormat = v >> 4;
        a.frameRate = v & 15;
        if (a.codingType == std::uint8_t(CodingType::HEVC)) {
          const std::uint8_t colour = b.readU8();
          readHevcBits(a, colour, b.readU8());
        }
        break;
      case StreamKind::Audio:
        v = b.readU8();
        a.presentationType = v >> 4;
        a.samplingFrequency = v & 15;
        a.language = b.readString(3);
        break;
      case StreamKind::Graphics:
        a.language = b.readString(3);
        break;
      case StreamKind::Text:
        a.characterCode = b.readU8();
        a.language = b.readString(3);
        break;
      case StreamKind::Unknown:
        b.seek(0);
        a.raw = b.readBytes(a.length);
        break;
    }
  }

  // Nearly every stream is a 9-byte entry and 5-byte attributes of known
  // kinds; those are taken straight from the bytes (a loop over all the
  // playlists of a disc reads tens of thousands of them).
  bool plainStream(StreamRecord& s) {
    const std::size_t at = r.pos();
    if (r.remaining() < 16) return false;
    const std::uint8_t* p = data_.data() + at;
    if (p[0] != kStreamEntryKnown || p[10] != kAttributesKnown || !knownEntryType(p[1])) return false;
    const StreamKind kind = codingKind(p[11]);
    if (kind == StreamKind::Unknown) return false;
    StreamEntry& e = s.entry;
    e.type = p[1];
    if (e.type == std::uint8_t(StreamEntryType::SubPath)) {
      e.subPathId = p[2];
      e.subClipId = p[3];
      e.subPid = std::uint16_t(p[4] << 8 | p[5]);
    } else if (e.type == std::uint8_t(StreamEntryType::IMPiP)) {
      e.subPathId = p[2];
      e.mainPid = std::uint16_t(p[3] << 8 | p[4]);
    } else {
      e.mainPid = std::uint16_t(p[2] << 8 | p[3]);
    }
    StreamAttributes& a = s.attributes;
    a.codingType = p[11];
    const std::uint8_t* lang = nullptr;
    switch (kind) {
      case StreamKind::Video:
        a.videoFormat = p[12] >> 4;
        a.frameRate = p[12] & 15;
        if (a.codingType == std::uint8_t(CodingType::HEVC)) readHevcBits(a, p[13], p[14]);
        break;
      case StreamKind::Audio:
        a.presentationType = p[12] >> 4;
        a.samplingFrequency = p[12] & 15;
        lang = p + 13;
        break;
      case StreamKind::Graphics:
        lang = p + 12;
        break;
      default:  // text subtitle
        a.characterCode = p[12];
        lang = p + 13;
        break;
    }
    if (lang) {
      std::size_t n = 0;
      while (n < 3 && lang[n]) ++n;
      a.language.assign(reinterpret_cast<const char*>(lang), n);
    }
    r.skip(16);
    return true;
  }

  void stream(StreamRecord& s) {
    if (plainStream(s)) return;
    entry(s.entry);
    attributes(s.attributes);
  }

  // A count, a reserved byte, the numbers and a padding byte when odd.
  std::vector<std::uint8_t> refs() {
    const std::uint8_t n = r.readU8();
    r.skip(1);
    const Bytes b = r.readBytes(n);
    if (n % 2) r.skip(1);
    return {b.begin(), b.end()};
  }

  void clipRef(ClipRef& c) {
    c.clipName = r.readString(5);
    c.codecId = r.readString(4);
    c.stcId = r.readU8();
  }

  // n records; those after the end of the file keep their defaults. Each
  // record is parsed where it lies in the list: resize() would zero-fill
  // every record before constructing it, and a record built aside costs a
  // move and a destruction (a read is mostly these records).
  template <class T>
  void streams(std::vector<T>& list, std::size_t n) {
    list.clear();
    list.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
      T& s = list.emplace_back();
      if (r.overrun()) continue;
      stream(s);
      if constexpr (std::is_same_v<T, SecondaryAudioStream>) {
        s.primaryAudioRefs = refs();
      } else if constexpr (std::is_same_v<T, SecondaryVideoStream>) {
        s.secondaryAudioRefs = refs();
        s.pipPgRefs = refs();
      }
    }
  }

  void stn(Stn& t) {
    const std::size_t start = r.pos();
    t.length = r.readU16();
    t.reserved = r.readU16();
    std::uint8_t n[kStreamCategories];
    for (std::uint8_t& c : n) c = r.readU8();
    r.skip(5);
    t.pipPgCount = n[6];
    streams(t.primaryVideo, n[0]);
    streams(t.primaryAudio, n[1]);
    streams(t.pg, std::size_t(n[2]) + n[6]);
    streams(t.ig, n[3]);
    streams(t.secondaryAudio, n[4]);
    streams(t.secondaryVideo, n[5]);
    t.trailing = upTo(start + 2 + t.length);
  }

  void playItem(PlayItem& p) {
    const std::size_t start = r.pos();
    p.length = r.readU16();
    p.clipName = r.readString(5);
    p.codecId = r.readString(4);
    const std::uint16_t w = r.readU16();
    p.isMultiAngle = (w >> 4) & 1;
    p.connectionCondition = w & 15;
    p.stcId = r.readU8();
    p.inTime = r.readU32();
    p.outTime = r.readU32();
    p.uoMask1 = r.readU32();
    p.uoMask2 = r.readU32();
    p.randomAccessFlag = r.readU8() >> 7;
    p.stillMode = r.readU8();
    p.stillTime = r.readU16();
    if (p.isMultiAngle) {
      const std::uint8_t n = r.readU8();
      const std::uint8_t f = r.readU8();
      p.angles.isDifferentAudios = (f >> 1) & 1;
      p.angles.isSeamlessAngleChange = f & 1;
      p.angles.angles.resize(n);
      if (n > 0) p.angles.angles[0] = ClipRef{p.clipName, p.codecId, p.stcId};
      for (std::size_t i = 1; i < n && !r.overrun(); ++i) clipRef(p.angles.angles[i]);
    }
    stn(p.stn);
    p.trailing = upTo(start + 2 + p.length);
  }

  void subPlayItem(SubPlayItem& s) {
    const std::size_t start = r.pos();
    s.length = r.readU16();
    s.clipName = r.readString(5);
    s.codecId = r.readString(4);
    const std::uint32_t w = r.readU32();
    s.connectionCondition = std::uint8_t(w >> 1);
    s.isMultiClip = w & 1;
    s.stcId = r.readU8();
    s.inTime = r.readU32();
    s.outTime = r.readU32();
    s.syncPlayItemId = r.readU16();
    s.syncStartPts = r.readU32();
    if (s.isMultiClip) {
      const std::uint8_t n = r.readU8();
      s.multiClipReserved = r.readU8();
      s.clips.resize(n);
      if (n > 0) s.clips[0] = ClipRef{s.clipName, s.codecId, s.stcId};
      for (std::size_t i = 1; i < n && !r.overrun(); ++i) clipRef(s.clips[i]);
    }
    s.trailing = upTo(start + 2 + s.length);
  }

  void subPath(SubPath& s) {
    const std::size_t start = r.pos();
    s.length = r.readU32();
    s.reserved1 = r.readU8();
    s.type = r.readU8();
    s.repeat = r.readU16();
    s.reserved2 = r.readU8();
    s.items.resize(r.readU8());
    for (SubPlayItem& i : s.items) {
      if (r.overrun()) break;
      subPlayItem(i);
    }
    s.trailing = upTo(start + 4 + std::size_t(s.length));
  }

  void playList(PlayListSection& pl) {
    const std::size_t start = r.pos();
    pl.length = r.readU32();
    pl.reserved = r.readU16();
    const std::uint16_t nItems = r.readU16();
    const std::uint16_t nSub = r.readU16();
    // Counts come from the file: stop at its end rather than size lists of
    // zeros from a garbage count. A PlayItem takes at least 34 bytes.
    pl.items.reserve(std::min<std::size_t>(nItems, r.remaining() / 34 + 1));
    for (std::size_t i = 0; i < nItems && !r.overrun(); ++i) {
      progress();
      playItem(pl.items.emplace_back());
    }
    for (std::size_t i = 0; i < nSub && !r.overrun(); ++i) {
      progress();
      subPath(pl.subpaths.emplace_back());
    }
    pl.trailing = upTo(start + 4 + std::size_t(pl.length));
  }

  void marks(PlayListMarkSection& m) {
    const std::size_t start = r.pos();
    m.length = r.readU32();
    const std::uint16_t n = r.readU16();
    for (std::size_t i = 0; i < n && !r.overrun(); ++i) {
      progress();
      Mark& k = m.marks.emplace_back();
      k.markId = r.readU8();
      k.type = r.readU8();
      k.playItemRef = r.readU16();
      k.time = r.readU32();
      k.entryPid = r.readU16();
      k.duration = r.readU32();
    }
    m.trailing = upTo(start + 4 + std::size_t(m.length));
  }

  // Moves to a section's start address, keeping the bytes skipped over.
  Bytes toSection(std::uint32_t address) {
    Bytes gap = upTo(address);
    if (r.pos() != address) r.seek(address);
    return gap;
  }

  const Bytes& data_;
  FieldReader r;
  const std::function<void(std::size_t, std::size_t)>& progress_;
};

// ---- writing ----

void putClipRef(OutputBuffer& o, const ClipRef& c) {
  o.addString(c.clipName, 5);
  o.addString(c.codecId, 4);
  o.addU8(c.stcId);
}

// A body of `length` bytes: the kept raw bytes of an unknown kind (or
// zeros), with the known fields laid over them.
Bytes bodyOf(std::size_t length, std::size_t known, const Bytes& raw) {
  Bytes b(std::max(length, known), 0);
  std::copy_n(raw.begin(), std::min(raw.size(), b.size()), b.begin());
  return b;
}

void put16(Bytes& b, std::size_t at, std::uint16_t v) {
  b[at] = std::uint8_t(v >> 8);
  b[at + 1] = std::uint8_t(v);
}

void putText(Bytes& b, std::size_t at, const std::string& s, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) b[at + i] = i < s.size() ? std::uint8_t(s[i]) : 0;
}

void writeEntry(OutputBuffer& o, const StreamEntry& e) {
  Bytes b = bodyOf(e.length, kStreamEntryKnown, knownEntryType(e.type) ? Bytes{} : e.raw);
  b[0] = e.type;
  switch (StreamEntryType(e.type)) {
    case StreamEntryType::PlayItem:
      put16(b, 1, e.mainPid);
      break;
    case StreamEntryType::SubPath:
      b[1] = e.subPathId;
      b[2] = e.subClipId;
      put16(b, 3, e.subPid);
      break;
    case StreamEntryType::IMPiP:
      b[1] = e.subPathId;
      put16(b, 2, e.mainPid);
      break;
    default:
      break;
  }
  o.addU8(e.length);
  o.addBytes(b.data(), e.length);
}

void writeAttributes(OutputBuffer& o, const StreamAttributes& a) {
  const StreamKind kind = codingKind(a.codingType);
  Bytes b = bodyOf(a.length, kAttributesKnown, kind == StreamKind::Unknown ? a.raw : Bytes{});
  b[0] = a.codingType;
  switch (kind) {
    case StreamKind::Video:
      b[1] = std::uint8_t((a.videoFormat << 4) | (a.frameRate & 15));
      if (a.codingType == std::uint8_t(CodingType::HEVC)) {
        b[2] = std::uint8_t((a.dynamicRangeType << 4) | (a.colorSpace & 15));
        b[3] = std::uint8_t((a.crFlag ? 0x80 : 0) | (a.hdrPlusFlag ? 0x40 : 0));
      }
      break;
    case StreamKind::Audio:
      b[1] = std::uint8_t((a.presentationType << 4) | (a.samplingFrequency & 15));
      putText(b, 2, a.language, 3);
      break;
    case StreamKind::Graphics:
      putText(b, 1, a.language, 3);
      break;
    case StreamKind::Text:
      b[1] = a.characterCode;
      putText(b, 2, a.language, 3);
      break;
    case StreamKind::Unknown:
      break;
  }
  o.addU8(a.length);
  o.addBytes(b.data(), a.length);
}

void writeRefs(OutputBuffer& o, const std::vector<std::uint8_t>& refs) {
  o.addU8(std::uint32_t(refs.size()));
  o.addU8(0);
  o.addBytes(refs.data(), refs.size());
  if (refs.size() % 2) o.addU8(0);
}

void writeStream(OutputBuffer& o, const StreamRecord& s) {
  writeEntry(o, s.entry);
  writeAttributes(o, s.attributes);
}

void writeStn(OutputBuffer& o, const Stn& t) {
  o.addU16(t.length);
  o.addU16(t.reserved);
  o.addU8(std::uint32_t(t.primaryVideo.size()));
  o.addU8(std::uint32_t(t.primaryAudio.size()));
  o.addU8(std::uint32_t(pgStreamCount(t)));
  o.addU8(std::uint32_t(t.ig.size()));
  o.addU8(std::uint32_t(t.secondaryAudio.size()));
  o.addU8(std::uint32_t(t.secondaryVideo.size()));
  o.addU8(t.pipPgCount);
  for (int i = 0; i < 5; ++i) o.addU8(0);
  for (const auto* list : {&t.primaryVideo, &t.primaryAudio, &t.pg, &t.ig})
    for (const StreamRecord& s : *list) writeStream(o, s);
  for (const SecondaryAudioStream& s : t.secondaryAudio) {
    writeStream(o, s);
    writeRefs(o, s.primaryAudioRefs);
  }
  for (const SecondaryVideoStream& s : t.secondaryVideo) {
    writeStream(o, s);
    writeRefs(o, s.secondaryAudioRefs);
    writeRefs(o, s.pipPgRefs);
  }
  o.addBytes(t.trailing);
}

void writePlayItem(OutputBuffer& o, const PlayItem& p) {
  o.addU16(p.length);
  o.addString(p.clipName, 5);
  o.addString(p.codecId, 4);
  o.addU16(std::uint32_t((p.isMultiAngle & 1) << 4) | (p.connectionCondition & 15));
  o.addU8(p.stcId);
  o.addU32(p.inTime);
  o.addU32(p.outTime);
  o.addU32(p.uoMask1);
  o.addU32(p.uoMask2);
  o.addU8(p.randomAccessFlag ? 0x80 : 0);
  o.addU8(p.stillMode);
  o.addU16(p.stillTime);
  if (p.isMultiAngle) {
    o.addU8(std::uint32_t(p.angles.angles.size()));
    o.addU8(std::uint32_t((p.angles.isDifferentAudios & 1) << 1) | (p.angles.isSeamlessAngleChange & 1));
    for (std::size_t i = 1; i < p.angles.angles.size(); ++i) putClipRef(o, p.angles.angles[i]);
  }
  writeStn(o, p.stn);
  o.addBytes(p.trailing);
}

void writeSubPlayItem(OutputBuffer& o, const SubPlayItem& s) {
  o.addU16(s.length);
  o.addString(s.clipName, 5);
  o.addString(s.codecId, 4);
  o.addU32(std::uint32_t(s.connectionCondition) * 2 + (s.isMultiClip & 1));
  o.addU8(s.stcId);
  o.addU32(s.inTime);
  o.addU32(s.outTime);
  o.addU16(s.syncPlayItemId);
  o.addU32(s.syncStartPts);
  if (s.isMultiClip) {
    o.addU8(std::uint32_t(s.clips.size()));
    o.addU8(s.multiClipReserved);
    for (std::size_t i = 1; i < s.clips.size(); ++i) putClipRef(o, s.clips[i]);
  }
  o.addBytes(s.trailing);
}

void writeSubPath(OutputBuffer& o, const SubPath& s) {
  o.addU32(s.length);
  o.addU8(s.reserved1);
  o.addU8(s.type);
  o.addU16(s.repeat);
  o.addU8(s.reserved2);
  o.addU8(std::uint32_t(s.items.size()));
  for (const SubPlayItem& i : s.items) writeSubPlayItem(o, i);
  o.addBytes(s.trailing);
}

}  // namespace

std::size_t streamCount(const Stn& stn, StreamCategory c) {
  switch (c) {
    case StreamCategory::PrimaryVideo: return stn.primaryVideo.size();
    case StreamCategory::PrimaryAudio: return stn.primaryAudio.size();
    case StreamCategory::PG: return pgStreamCount(stn);
    case StreamCategory::IG: return stn.ig.size();
    case StreamCategory::SecondaryAudio: return stn.secondaryAudio.size();
    case StreamCategory::SecondaryVideo: return stn.secondaryVideo.size();
    case StreamCategory::PiPPG: return stn.pipPgCount;
  }
  return 0;
}

PlaylistParse parsePlaylist(const Bytes& data, Playlist& out,
                            const std::function<void(std::size_t, std::size_t)>& onProgress) {
  out = Playlist{};
  PlaylistParse res;
  Parser p(data, onProgress);
  FieldReader& r = p.r;
  const FileHeader h = readFileHeader(r, "MPLS");
  if (!h.accepted) {
    res.status = ReadStatus::Rejected;
    return res;
  }
  out.typeIndicator = h.type;
  out.version = h.version;
  out.playListStartAddress = r.readU32();
  out.playListMarkStartAddress = r.readU32();
  out.extensionDataStartAddress = r.readU32();
  out.reserved = r.readBytes(20);
  out.appInfoLength = r.readU32();
  out.appInfoReserved = r.readU8();
  out.playbackType = r.readU8();
  out.playbackCount = r.readU16();
  out.uoMask1 = r.readU32();
  out.uoMask2 = r.readU32();
  const std::uint16_t flags = r.readU16();
  out.randomAccessFlag = (flags >> 15) & 1;
  out.audioMixFlag = (flags >> 14) & 1;
  out.bypassMixerFlag = (flags >> 13) & 1;
  if (out.appInfoLength > kAppInfoKnownLength)
    out.appInfoExtra = p.upTo(kAppInfoOffset + 4 + std::size_t(out.appInfoLength));

  out.gapBeforePlaylist = p.toSection(out.playListStartAddress);
  p.playList(out.playlist);

  if (out.playListMarkStartAddress != 0 && !r.overrun()) {
    out.gapBeforeMarks = p.toSection(out.playListMarkStartAddress);
    p.marks(out.marks);
  }
  if (out.extensionDataStartAddress != 0 && !r.overrun()) {
    out.gapBeforeExt = p.toSection(out.extensionDataStartAddress);
    readExtensionData(r, out.extensionData);
  } else if (!r.overrun()) {
    out.tail = r.readRest();
  }
  if (r.overrun()) res.status = ReadStatus::Truncated;
  return res;
}

Bytes composePlaylist(const Playlist& m) {
  OutputBuffer o;
  o.addString(m.typeIndicator, 4);
  o.addString(m.version, 4);
  o.addU32(m.playListStartAddress);
  o.addU32(m.playListMarkStartAddress);
  o.addU32(m.extensionDataStartAddress);
  for (int i = 0; i < 20; ++i) o.addU8(0);
  o.addU32(m.appInfoLength);
  o.addU8(m.appInfoReserved);
  o.addU8(m.playbackType);
  o.addU16(m.playbackCount);
  o.addU32(m.uoMask1);
  o.addU32(m.uoMask2);
  o.addU16(std::uint32_t(m.randomAccessFlag & 1) << 15 | std::uint32_t(m.audioMixFlag & 1) << 14 |
           std::uint32_t(m.bypassMixerFlag & 1) << 13);
  o.addBytes(m.appInfoExtra);
  o.addBytes(m.gapBeforePlaylist);

  const PlayListSection& pl = m.playlist;
  o.addU32(pl.length);
  o.addU16(pl.reserved);
  o.addU16(std::uint32_t(pl.items.size()));
  o.addU16(std::uint32_t(pl.subpaths.size()));
  for (const PlayItem& p : pl.items) writePlayItem(o, p);
  for (const SubPath& s : pl.subpaths) writeSubPath(o, s);
  o.addBytes(pl.trailing);

  if (m.playListMarkStartAddress != 0) {
    o.addBytes(m.gapBeforeMarks);
    o.addU32(m.marks.length);
    o.addU16(std::uint32_t(m.marks.marks.size()));
    for (const Mark& k : m.marks.marks) {
      o.addU8(k.markId);
      o.addU8(k.type);
      o.addU16(k.playItemRef);
      o.addU32(k.time);
      o.addU16(k.entryPid);
      o.addU32(k.duration);
    }
    o.addBytes(m.marks.trailing);
  }
  o.flushAdded();
  if (m.extensionDataStartAddress != 0) {
    o.addBytes(m.gapBeforeExt);
    o.flushAdded();
    writeExtensionData(o, m.extensionData);
  } else {
    o.addBytes(m.tail);
    o.flushAdded();
  }
  return o.takeFile();
}

std::function<void(std::size_t, std::size_t)> playlistProgress(Reporter& rep, bool quiet) {
  // A loop over every playlist of a disc reads quietly; there the position
  // flashes by too fast to read, so it is shown for every 16th element only.
  return [&rep, quiet, calls = std::size_t(0)](std::size_t pos, std::size_t size) mutable {
    if (!quiet || calls++ % 16 == 0) rep.setStatusPanel(std::to_string(pos) + "/" + std::to_string(size), 1);
  };
}

bool openPlaylistFile(const std::string& path, const std::string& name, Bytes& data, Reporter& rep) {
  if (openDiscFile(path, "[bl]" + name + "[/bl]", data, rep)) return true;
  rep.setStatusReady();
  return false;
}

void reportPlaylistStatus(const std::string& name, ReadStatus status, std::size_t fileSize, Reporter& rep) {
  if (status == ReadStatus::Rejected) rep.logError("Invalid format: " + name);
  if (status == ReadStatus::Truncated) reportEndsEarly(name, fileSize, rep);
}

ReadStatus readPlaylistFile(const std::string& path, Playlist& m, Reporter& rep, bool quiet) {
  const std::string name = fileNameOf(path);
  Bytes data;
  if (!openPlaylistFile(path, name, data, rep)) {
    m = Playlist{};
    return ReadStatus::Unreadable;
  }
  const PlaylistParse res = parsePlaylist(data, m, playlistProgress(rep, quiet));
  reportPlaylistStatus(name, res.status, data.size(), rep);
  if (res.status != ReadStatus::Rejected && !quiet)
    rep.logWithGap("[b]" + std::to_string(m.playlist.items.size()) + "[/b] PlayItem(s), [b]" +
                   std::to_string(m.playlist.subpaths.size()) + "[/b] SubPath(s) and [b]" +
                   std::to_string(m.marks.marks.size()) + "[/b] PlayListMark(s) found.");
  if (!quiet) rep.setStatusReady();
  return res.status;
}

bool savePlaylist(const Playlist& m, const SaveRequest& req, Reporter& rep) {
  const std::string broken = checkLayout(m);
  if (!broken.empty()) {
    refuseSave(req, broken, rep);
    return false;
  }
  return saveDiscFile(req, composePlaylist(m), rep);
}

}  // namespace mirdal
