#include "formats/mpls.h"

#include <algorithm>
#include <type_traits>

#include "core/report.h"
#include "formats/stream_codes.h"
#include "formats/file_header.h"

namespace mirdal {

namespace {

constexpr std::size_t kStreamEntryKnown = 9;  // type + 8 bytes
constexpr std::size_t kAttributesKnown = 5;   // coding type + 4 bytes
constexpr std::size_t kMarkSize = 14;

bool knownEntryType(std::uint8_t t) {
  return t >= std::uint8_t(StreamEntryType::PlayItem) && t <= std::uint8_t(StreamEntryType::IMPiP);
}

std::size_t pad(std::size_t n) { return n + (n % 2); }

// The two bytes after format and rate of an HEVC stream; other bits reserved.
void readHevcBits(TStreamAttributes& a, std::uint8_t colour, std::uint8_t flags) {
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
    return r.readbytes(end - r.pos());
  }

  // A sub-reader over the next n bytes, which the main reader skips.
  FieldReader body(std::size_t n) {
    const std::size_t at = std::min(r.pos(), data_.size());
    const std::size_t avail = std::min(n, data_.size() - at);
    FieldReader sub(data_.data() + at, avail);
    r.skip(n);
    return sub;
  }

  void entry(TStreamEntry& e) {
    e.length = r.readbyte();
    FieldReader b = body(e.length);
    e.type = e.length ? b.readbyte() : 0;
    switch (StreamEntryType(e.type)) {
      case StreamEntryType::PlayItem:
        e.main_pid = b.readword();
        break;
      case StreamEntryType::SubPath:
        e.subpath_id = b.readbyte();
        e.subclip_id = b.readbyte();
        e.sub_pid = b.readword();
        break;
      case StreamEntryType::IMPiP:
        e.subpath_id = b.readbyte();
        e.main_pid = b.readword();
        break;
      default:
        b.seek(0);
        e.raw = b.readbytes(e.length);
        break;
    }
  }

  void attributes(TStreamAttributes& a) {
    a.length = r.readbyte();
    FieldReader b = body(a.length);
    a.coding_type = a.length ? b.readbyte() : 0;
    std::uint8_t v = 0;
    switch (codingKind(a.coding_type)) {
      case StreamKind::Video:
        v = b.readbyte();
        a.video_format = v >> 4;
        a.frame_rate = v & 15;
        if (a.coding_type == std::uint8_t(CodingType::HEVC)) {
          const std::uint8_t colour = b.readbyte();
          readHevcBits(a, colour, b.readbyte());
        }
        break;
      case StreamKind::Audio:
        v = b.readbyte();
        a.presentation_type = v >> 4;
        a.sampling_frequency = v & 15;
        a.language = b.readstring(3);
        break;
      case StreamKind::Graphics:
        a.language = b.readstring(3);
        break;
      case StreamKind::Text:
        a.character_code = b.readbyte();
        a.language = b.readstring(3);
        break;
      case StreamKind::Unknown:
        b.seek(0);
        a.raw = b.readbytes(a.length);
        break;
    }
  }

  // Nearly every stream is a 9-byte entry and 5-byte attributes of known
  // kinds; those are taken straight from the bytes (a loop over all the
  // playlists of a disc reads tens of thousands of them).
  bool plainStream(TStreamRec& s) {
    const std::size_t at = r.pos();
    if (r.remaining() < 16) return false;
    const std::uint8_t* p = data_.data() + at;
    if (p[0] != kStreamEntryKnown || p[10] != kAttributesKnown || !knownEntryType(p[1])) return false;
    const StreamKind kind = codingKind(p[11]);
    if (kind == StreamKind::Unknown) return false;
    TStreamEntry& e = s.entry;
    e.type = p[1];
    if (e.type == std::uint8_t(StreamEntryType::SubPath)) {
      e.subpath_id = p[2];
      e.subclip_id = p[3];
      e.sub_pid = std::uint16_t(p[4] << 8 | p[5]);
    } else if (e.type == std::uint8_t(StreamEntryType::IMPiP)) {
      e.subpath_id = p[2];
      e.main_pid = std::uint16_t(p[3] << 8 | p[4]);
    } else {
      e.main_pid = std::uint16_t(p[2] << 8 | p[3]);
    }
    TStreamAttributes& a = s.attributes;
    a.coding_type = p[11];
    const std::uint8_t* lang = nullptr;
    switch (kind) {
      case StreamKind::Video:
        a.video_format = p[12] >> 4;
        a.frame_rate = p[12] & 15;
        if (a.coding_type == std::uint8_t(CodingType::HEVC)) readHevcBits(a, p[13], p[14]);
        break;
      case StreamKind::Audio:
        a.presentation_type = p[12] >> 4;
        a.sampling_frequency = p[12] & 15;
        lang = p + 13;
        break;
      case StreamKind::Graphics:
        lang = p + 12;
        break;
      default:  // text subtitle
        a.character_code = p[12];
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

  void stream(TStreamRec& s) {
    if (plainStream(s)) return;
    entry(s.entry);
    attributes(s.attributes);
  }

  // A count, a reserved byte, the numbers and a padding byte when odd.
  std::vector<std::uint8_t> refs() {
    const std::uint8_t n = r.readbyte();
    r.skip(1);
    const Bytes b = r.readbytes(n);
    if (n % 2) r.skip(1);
    return {b.begin(), b.end()};
  }

  void clipRef(TClipRef& c) {
    c.clip_name = r.readstring(5);
    c.codec_id = r.readstring(4);
    c.stc_id = r.readbyte();
  }

  template <class T>
  void streams(std::vector<T>& list, std::size_t n) {
    list.resize(n);
    for (T& s : list) {
      if (r.overrun()) return;
      stream(s);
      if constexpr (std::is_same_v<T, TSecAudio>) {
        s.primary_audio_refs = refs();
      } else if constexpr (std::is_same_v<T, TSecVideo>) {
        s.secondary_audio_refs = refs();
        s.pip_pg_refs = refs();
      }
    }
  }

  void stn(TSTN& t) {
    const std::size_t start = r.pos();
    t.length = r.readword();
    t.reserved = r.readword();
    std::uint8_t n[kStreamCategories];
    for (std::uint8_t& c : n) c = r.readbyte();
    r.skip(5);
    t.num_pip_pg = n[6];
    streams(t.primary_video, n[0]);
    streams(t.primary_audio, n[1]);
    streams(t.pg, std::size_t(n[2]) + n[6]);
    streams(t.ig, n[3]);
    streams(t.secondary_audio, n[4]);
    streams(t.secondary_video, n[5]);
    t.trailing = upTo(start + 2 + t.length);
  }

  void playItem(TPlayItem& p) {
    const std::size_t start = r.pos();
    p.length = r.readword();
    p.clip_name = r.readstring(5);
    p.codec_id = r.readstring(4);
    const std::uint16_t w = r.readword();
    p.is_multi_angle = (w >> 4) & 1;
    p.connection_condition = w & 15;
    p.stc_id = r.readbyte();
    p.in_time = r.readlong();
    p.out_time = r.readlong();
    p.uo_mask1 = r.readlong();
    p.uo_mask2 = r.readlong();
    p.random_access_flag = r.readbyte() >> 7;
    p.still_mode = r.readbyte();
    p.still_time = r.readword();
    if (p.is_multi_angle) {
      const std::uint8_t n = r.readbyte();
      const std::uint8_t f = r.readbyte();
      p.angles.is_different_audios = (f >> 1) & 1;
      p.angles.is_seamless_angle_change = f & 1;
      p.angles.angles.resize(n);
      if (n > 0) p.angles.angles[0] = TClipRef{p.clip_name, p.codec_id, p.stc_id};
      for (std::size_t i = 1; i < n && !r.overrun(); ++i) clipRef(p.angles.angles[i]);
    }
    stn(p.stn);
    p.trailing = upTo(start + 2 + p.length);
  }

  void subPlayItem(TSubPlayItem& s) {
    const std::size_t start = r.pos();
    s.length = r.readword();
    s.clip_name = r.readstring(5);
    s.codec_id = r.readstring(4);
    const std::uint32_t w = r.readlong();
    s.connection_condition = std::uint8_t(w >> 1);
    s.is_multi_clip = w & 1;
    s.stc_id = r.readbyte();
    s.in_time = r.readlong();
    s.out_time = r.readlong();
    s.sync_playitem_id = r.readword();
    s.sync_start_pts = r.readlong();
    if (s.is_multi_clip) {
      const std::uint8_t n = r.readbyte();
      s.multi_clip_reserved = r.readbyte();
      s.clips.resize(n);
      if (n > 0) s.clips[0] = TClipRef{s.clip_name, s.codec_id, s.stc_id};
      for (std::size_t i = 1; i < n && !r.overrun(); ++i) clipRef(s.clips[i]);
    }
    s.trailing = upTo(start + 2 + s.length);
  }

  void subPath(TSubPath& s) {
    const std::size_t start = r.pos();
    s.length = r.readlong();
    s.reserved1 = r.readbyte();
    s.type = r.readbyte();
    s.repeat = r.readword();
    s.reserved2 = r.readbyte();
    s.items.resize(r.readbyte());
    for (TSubPlayItem& i : s.items) {
      if (r.overrun()) break;
      subPlayItem(i);
    }
    s.trailing = upTo(start + 4 + std::size_t(s.length));
  }

  void playList(TPlayList& pl) {
    const std::size_t start = r.pos();
    pl.length = r.readlong();
    pl.reserved = r.readword();
    const std::uint16_t nItems = r.readword();
    const std::uint16_t nSub = r.readword();
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

  void marks(TPlayListMark& m) {
    const std::size_t start = r.pos();
    m.length = r.readlong();
    const std::uint16_t n = r.readword();
    for (std::size_t i = 0; i < n && !r.overrun(); ++i) {
      progress();
      TMark& k = m.marks.emplace_back();
      k.mark_id = r.readbyte();
      k.type = r.readbyte();
      k.playitem_ref = r.readword();
      k.time = r.readlong();
      k.entry_pid = r.readword();
      k.duration = r.readlong();
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

void putClipRef(OutputBuffer& o, const TClipRef& c) {
  o.addstring(c.clip_name, 5);
  o.addstring(c.codec_id, 4);
  o.addbyte(c.stc_id);
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

void writeEntry(OutputBuffer& o, const TStreamEntry& e) {
  Bytes b = bodyOf(e.length, kStreamEntryKnown, knownEntryType(e.type) ? Bytes{} : e.raw);
  b[0] = e.type;
  switch (StreamEntryType(e.type)) {
    case StreamEntryType::PlayItem:
      put16(b, 1, e.main_pid);
      break;
    case StreamEntryType::SubPath:
      b[1] = e.subpath_id;
      b[2] = e.subclip_id;
      put16(b, 3, e.sub_pid);
      break;
    case StreamEntryType::IMPiP:
      b[1] = e.subpath_id;
      put16(b, 2, e.main_pid);
      break;
    default:
      break;
  }
  o.addbyte(e.length);
  o.addbytes(b.data(), e.length);
}

void writeAttributes(OutputBuffer& o, const TStreamAttributes& a) {
  const StreamKind kind = codingKind(a.coding_type);
  Bytes b = bodyOf(a.length, kAttributesKnown, kind == StreamKind::Unknown ? a.raw : Bytes{});
  b[0] = a.coding_type;
  switch (kind) {
    case StreamKind::Video:
      b[1] = std::uint8_t((a.video_format << 4) | (a.frame_rate & 15));
      if (a.coding_type == std::uint8_t(CodingType::HEVC)) {
        b[2] = std::uint8_t((a.dynamicRangeType << 4) | (a.colorSpace & 15));
        b[3] = std::uint8_t((a.crFlag ? 0x80 : 0) | (a.hdrPlusFlag ? 0x40 : 0));
      }
      break;
    case StreamKind::Audio:
      b[1] = std::uint8_t((a.presentation_type << 4) | (a.sampling_frequency & 15));
      putText(b, 2, a.language, 3);
      break;
    case StreamKind::Graphics:
      putText(b, 1, a.language, 3);
      break;
    case StreamKind::Text:
      b[1] = a.character_code;
      putText(b, 2, a.language, 3);
      break;
    case StreamKind::Unknown:
      break;
  }
  o.addbyte(a.length);
  o.addbytes(b.data(), a.length);
}

void writeRefs(OutputBuffer& o, const std::vector<std::uint8_t>& refs) {
  o.addbyte(std::uint32_t(refs.size()));
  o.addbyte(0);
  o.addbytes(refs.data(), refs.size());
  if (refs.size() % 2) o.addbyte(0);
}

void writeStream(OutputBuffer& o, const TStreamRec& s) {
  writeEntry(o, s.entry);
  writeAttributes(o, s.attributes);
}

void writeSTN(OutputBuffer& o, const TSTN& t) {
  o.addword(t.length);
  o.addword(t.reserved);
  o.addbyte(std::uint32_t(t.primary_video.size()));
  o.addbyte(std::uint32_t(t.primary_audio.size()));
  o.addbyte(std::uint32_t(numPG(t)));
  o.addbyte(std::uint32_t(t.ig.size()));
  o.addbyte(std::uint32_t(t.secondary_audio.size()));
  o.addbyte(std::uint32_t(t.secondary_video.size()));
  o.addbyte(t.num_pip_pg);
  for (int i = 0; i < 5; ++i) o.addbyte(0);
  for (const auto* list : {&t.primary_video, &t.primary_audio, &t.pg, &t.ig})
    for (const TStreamRec& s : *list) writeStream(o, s);
  for (const TSecAudio& s : t.secondary_audio) {
    writeStream(o, s);
    writeRefs(o, s.primary_audio_refs);
  }
  for (const TSecVideo& s : t.secondary_video) {
    writeStream(o, s);
    writeRefs(o, s.secondary_audio_refs);
    writeRefs(o, s.pip_pg_refs);
  }
  o.addbytes(t.trailing);
}

void writePlayItem(OutputBuffer& o, const TPlayItem& p) {
  o.addword(p.length);
  o.addstring(p.clip_name, 5);
  o.addstring(p.codec_id, 4);
  o.addword(std::uint32_t((p.is_multi_angle & 1) << 4) | (p.connection_condition & 15));
  o.addbyte(p.stc_id);
  o.addlong(p.in_time);
  o.addlong(p.out_time);
  o.addlong(p.uo_mask1);
  o.addlong(p.uo_mask2);
  o.addbyte(p.random_access_flag ? 0x80 : 0);
  o.addbyte(p.still_mode);
  o.addword(p.still_time);
  if (p.is_multi_angle) {
    o.addbyte(std::uint32_t(p.angles.angles.size()));
    o.addbyte(std::uint32_t((p.angles.is_different_audios & 1) << 1) | (p.angles.is_seamless_angle_change & 1));
    for (std::size_t i = 1; i < p.angles.angles.size(); ++i) putClipRef(o, p.angles.angles[i]);
  }
  writeSTN(o, p.stn);
  o.addbytes(p.trailing);
}

void writeSubPlayItem(OutputBuffer& o, const TSubPlayItem& s) {
  o.addword(s.length);
  o.addstring(s.clip_name, 5);
  o.addstring(s.codec_id, 4);
  o.addlong(std::uint32_t(s.connection_condition) * 2 + (s.is_multi_clip & 1));
  o.addbyte(s.stc_id);
  o.addlong(s.in_time);
  o.addlong(s.out_time);
  o.addword(s.sync_playitem_id);
  o.addlong(s.sync_start_pts);
  if (s.is_multi_clip) {
    o.addbyte(std::uint32_t(s.clips.size()));
    o.addbyte(s.multi_clip_reserved);
    for (std::size_t i = 1; i < s.clips.size(); ++i) putClipRef(o, s.clips[i]);
  }
  o.addbytes(s.trailing);
}

void writeSubPath(OutputBuffer& o, const TSubPath& s) {
  o.addlong(s.length);
  o.addbyte(s.reserved1);
  o.addbyte(s.type);
  o.addword(s.repeat);
  o.addbyte(s.reserved2);
  o.addbyte(std::uint32_t(s.items.size()));
  for (const TSubPlayItem& i : s.items) writeSubPlayItem(o, i);
  o.addbytes(s.trailing);
}

std::string sizeMismatch(const std::string& what, std::uint64_t held, std::uint64_t content) {
  return what + ": length " + std::to_string(held) + ", content " + std::to_string(content);
}

std::string addressMismatch(const std::string& what, std::uint64_t held, std::uint64_t at) {
  return what + " start address " + std::to_string(held) + ", section at " + std::to_string(at);
}

}  // namespace

std::size_t streamCount(const TSTN& stn, StreamCategory c) {
  switch (c) {
    case StreamCategory::PrimaryVideo: return stn.primary_video.size();
    case StreamCategory::PrimaryAudio: return stn.primary_audio.size();
    case StreamCategory::PG: return numPG(stn);
    case StreamCategory::IG: return stn.ig.size();
    case StreamCategory::SecondaryAudio: return stn.secondary_audio.size();
    case StreamCategory::SecondaryVideo: return stn.secondary_video.size();
    case StreamCategory::PiPPG: return stn.num_pip_pg;
  }
  return 0;
}

std::size_t streamRecSize(const TStreamRec& s) {
  return 2 + std::size_t(s.entry.length) + s.attributes.length;
}

std::size_t secAudioSize(const TSecAudio& s) {
  return streamRecSize(s) + 2 + pad(s.primary_audio_refs.size());
}

std::size_t secVideoSize(const TSecVideo& s) {
  return streamRecSize(s) + 2 + pad(s.secondary_audio_refs.size()) + 2 + pad(s.pip_pg_refs.size());
}

std::size_t stnContentLength(const TSTN& t) {
  std::size_t n = 2 + kStreamCategories + 5 + t.trailing.size();
  for (const auto* list : {&t.primary_video, &t.primary_audio, &t.pg, &t.ig})
    for (const TStreamRec& s : *list) n += streamRecSize(s);
  for (const TSecAudio& s : t.secondary_audio) n += secAudioSize(s);
  for (const TSecVideo& s : t.secondary_video) n += secVideoSize(s);
  return n;
}

std::size_t playItemContentLength(const TPlayItem& p) {
  std::size_t n = 32 + 2 + std::size_t(p.stn.length) + p.trailing.size();
  if (p.is_multi_angle) n += 2 + 10 * (std::max<std::size_t>(p.angles.angles.size(), 1) - 1);
  return n;
}

std::size_t subPlayItemContentLength(const TSubPlayItem& s) {
  std::size_t n = 28 + s.trailing.size();
  if (s.is_multi_clip) n += 2 + 10 * (std::max<std::size_t>(s.clips.size(), 1) - 1);
  return n;
}

std::size_t subPathContentLength(const TSubPath& s) {
  std::size_t n = 6 + s.trailing.size();
  for (const TSubPlayItem& i : s.items) n += 2 + std::size_t(i.length);
  return n;
}

std::size_t playListContentLength(const TPlayList& pl) {
  std::size_t n = 6 + pl.trailing.size();
  for (const TPlayItem& p : pl.items) n += 2 + std::size_t(p.length);
  for (const TSubPath& s : pl.subpaths) n += 4 + std::size_t(s.length);
  return n;
}

std::size_t markContentLength(const TPlayListMark& plm) {
  return 2 + kMarkSize * plm.marks.size() + plm.trailing.size();
}

std::string checkLayout(const TMPLS& m) {
  if (m.app_info_length != kAppInfoKnownLength + m.app_info_extra.size())
    return sizeMismatch("AppInfoPlayList", m.app_info_length, kAppInfoKnownLength + m.app_info_extra.size());
  const TPlayList& pl = m.playlist;
  if (pl.items.size() > 0xFFFF || pl.subpaths.size() > 0xFFFF) return "PlayList: too many PlayItems or SubPaths";
  for (std::size_t i = 0; i < pl.items.size(); ++i) {
    const TPlayItem& p = pl.items[i];
    const std::string name = "PlayItem " + std::to_string(i);
    const TSTN& t = p.stn;
    if (t.num_pip_pg > t.pg.size()) return name + ": more PiP PG streams than the PG list holds";
    for (int c = 0; c < kStreamCategories; ++c)
      if (streamCount(t, StreamCategory(c)) > 255) return name + ": more than 255 streams of a kind";
    for (const TSecAudio& s : t.secondary_audio)
      if (s.primary_audio_refs.size() > 255) return name + ": too many stream references";
    for (const TSecVideo& s : t.secondary_video)
      if (s.secondary_audio_refs.size() > 255 || s.pip_pg_refs.size() > 255)
        return name + ": too many stream references";
    if (p.angles.angles.size() > 255) return name + ": more than 255 angles";
    if (t.length != stnContentLength(t)) return sizeMismatch(name + " STN table", t.length, stnContentLength(t));
    if (p.length != playItemContentLength(p)) return sizeMismatch(name, p.length, playItemContentLength(p));
  }
  for (std::size_t i = 0; i < pl.subpaths.size(); ++i) {
    const TSubPath& s = pl.subpaths[i];
    const std::string name = "SubPath " + std::to_string(i);
    if (s.items.size() > 255) return name + ": more than 255 SubPlayItems";
    for (std::size_t j = 0; j < s.items.size(); ++j) {
      const TSubPlayItem& spi = s.items[j];
      if (spi.clips.size() > 255) return name + ": more than 255 multi-clip entries";
      if (spi.length != subPlayItemContentLength(spi))
        return sizeMismatch(name + " SubPlayItem " + std::to_string(j), spi.length, subPlayItemContentLength(spi));
    }
    if (s.length != subPathContentLength(s)) return sizeMismatch(name, s.length, subPathContentLength(s));
  }
  if (pl.length != playListContentLength(pl)) return sizeMismatch("PlayList", pl.length, playListContentLength(pl));

  std::uint64_t at = std::uint64_t(kAppInfoOffset) + 4 + m.app_info_length + m.gap_before_playlist.size();
  if (m.PlayList_start_address != at) return addressMismatch("PlayList", m.PlayList_start_address, at);
  at += 4 + std::uint64_t(pl.length);
  if (m.PlayListMark_start_address != 0) {
    at += m.gap_before_marks.size();
    if (m.PlayListMark_start_address != at) return addressMismatch("PlayListMark", m.PlayListMark_start_address, at);
    if (m.marks.marks.size() > 0xFFFF) return "PlayListMark: too many marks";
    if (m.marks.length != markContentLength(m.marks))
      return sizeMismatch("PlayListMark", m.marks.length, markContentLength(m.marks));
    at += 4 + std::uint64_t(m.marks.length);
  }
  if (m.ExtensionData_start_address != 0) {
    at += m.gap_before_ext.size();
    if (m.ExtensionData_start_address != at)
      return addressMismatch("ExtensionData", m.ExtensionData_start_address, at);
  }
  return {};
}

void fitLayout(TMPLS& m) {
  for (TPlayItem& p : m.playlist.items) {
    p.stn.length = std::uint16_t(stnContentLength(p.stn));
    p.length = std::uint16_t(playItemContentLength(p));
  }
  for (TSubPath& s : m.playlist.subpaths) {
    for (TSubPlayItem& i : s.items) i.length = std::uint16_t(subPlayItemContentLength(i));
    s.length = std::uint32_t(subPathContentLength(s));
  }
  m.playlist.length = std::uint32_t(playListContentLength(m.playlist));
  m.app_info_length = std::uint32_t(kAppInfoKnownLength + m.app_info_extra.size());
  std::uint32_t at = kAppInfoOffset + 4 + m.app_info_length + std::uint32_t(m.gap_before_playlist.size());
  m.PlayList_start_address = at;
  at += 4 + m.playlist.length;
  if (m.PlayListMark_start_address != 0) {
    at += std::uint32_t(m.gap_before_marks.size());
    m.PlayListMark_start_address = at;
    m.marks.length = std::uint32_t(markContentLength(m.marks));
    at += 4 + m.marks.length;
  }
  if (m.ExtensionData_start_address != 0) m.ExtensionData_start_address = at + std::uint32_t(m.gap_before_ext.size());
}

MplsParse parseMPLS(const Bytes& data, TMPLS& out,
                    const std::function<void(std::size_t, std::size_t)>& onProgress) {
  out = TMPLS{};
  MplsParse res;
  Parser p(data, onProgress);
  FieldReader& r = p.r;
  const FileHeader h = readFileHeader(r, "MPLS");
  if (!h.accepted) {
    res.status = ReadStatus::Rejected;
    return res;
  }
  out.type_indicator = h.type;
  out.version = h.version;
  out.PlayList_start_address = r.readlong();
  out.PlayListMark_start_address = r.readlong();
  out.ExtensionData_start_address = r.readlong();
  out.reserved = r.readbytes(20);
  out.app_info_length = r.readlong();
  out.app_info_reserved = r.readbyte();
  out.playback_type = r.readbyte();
  out.playback_count = r.readword();
  out.uo_mask1 = r.readlong();
  out.uo_mask2 = r.readlong();
  const std::uint16_t flags = r.readword();
  out.random_access_flag = (flags >> 15) & 1;
  out.audio_mix_flag = (flags >> 14) & 1;
  out.bypass_mixer_flag = (flags >> 13) & 1;
  if (out.app_info_length > kAppInfoKnownLength)
    out.app_info_extra = p.upTo(kAppInfoOffset + 4 + std::size_t(out.app_info_length));

  out.gap_before_playlist = p.toSection(out.PlayList_start_address);
  p.playList(out.playlist);

  if (out.PlayListMark_start_address != 0 && !r.overrun()) {
    out.gap_before_marks = p.toSection(out.PlayListMark_start_address);
    p.marks(out.marks);
  }
  if (out.ExtensionData_start_address != 0 && !r.overrun()) {
    out.gap_before_ext = p.toSection(out.ExtensionData_start_address);
    ReadExtensionData(r, out.extension_data);
  } else if (!r.overrun()) {
    out.tail = r.readRest();
  }
  if (r.overrun()) res.status = ReadStatus::Truncated;
  return res;
}

Bytes composeMPLS(const TMPLS& m) {
  OutputBuffer o;
  o.addstring(m.type_indicator, 4);
  o.addstring(m.version, 4);
  o.addlong(m.PlayList_start_address);
  o.addlong(m.PlayListMark_start_address);
  o.addlong(m.ExtensionData_start_address);
  for (int i = 0; i < 20; ++i) o.addbyte(0);
  o.addlong(m.app_info_length);
  o.addbyte(m.app_info_reserved);
  o.addbyte(m.playback_type);
  o.addword(m.playback_count);
  o.addlong(m.uo_mask1);
  o.addlong(m.uo_mask2);
  o.addword(std::uint32_t(m.random_access_flag & 1) << 15 | std::uint32_t(m.audio_mix_flag & 1) << 14 |
            std::uint32_t(m.bypass_mixer_flag & 1) << 13);
  o.addbytes(m.app_info_extra);
  o.addbytes(m.gap_before_playlist);

  const TPlayList& pl = m.playlist;
  o.addlong(pl.length);
  o.addword(pl.reserved);
  o.addword(std::uint32_t(pl.items.size()));
  o.addword(std::uint32_t(pl.subpaths.size()));
  for (const TPlayItem& p : pl.items) writePlayItem(o, p);
  for (const TSubPath& s : pl.subpaths) writeSubPath(o, s);
  o.addbytes(pl.trailing);

  if (m.PlayListMark_start_address != 0) {
    o.addbytes(m.gap_before_marks);
    o.addlong(m.marks.length);
    o.addword(std::uint32_t(m.marks.marks.size()));
    for (const TMark& k : m.marks.marks) {
      o.addbyte(k.mark_id);
      o.addbyte(k.type);
      o.addword(k.playitem_ref);
      o.addlong(k.time);
      o.addword(k.entry_pid);
      o.addlong(k.duration);
    }
    o.addbytes(m.marks.trailing);
  }
  o.flushadded();
  if (m.ExtensionData_start_address != 0) {
    o.addbytes(m.gap_before_ext);
    o.flushadded();
    WriteExtensionData(o, m.extension_data);
  } else {
    o.addbytes(m.tail);
    o.flushadded();
  }
  return o.takeFile();
}

ReadStatus readPlaylistFile(const std::string& path, TMPLS& m, bool quiet) {
  const std::string name = fileNameOf(path);
  dlog0("Reading [bl]" + name + "[/bl]");
  Bytes data;
  if (!readDiscFile(path, data)) {
    m = TMPLS{};
    slogR();
    return ReadStatus::Unreadable;
  }
  // A loop over every playlist of a disc reads quietly; there the position
  // flashes by too fast to read, so it is shown for every 16th element only.
  std::size_t calls = 0;
  const MplsParse res = parseMPLS(data, m, [&calls, quiet](std::size_t pos, std::size_t size) {
    if (!quiet || calls++ % 16 == 0) slog(std::to_string(pos) + "/" + std::to_string(size), 1);
  });
  if (res.status == ReadStatus::Rejected) {
    erlog("Invalid format: " + name);
  } else {
    if (res.status == ReadStatus::Truncated) reportEndsEarly(name, data.size());
    if (!quiet)
      log2("[b]" + std::to_string(m.playlist.items.size()) + "[/b] PlayItem(s), [b]" +
           std::to_string(m.playlist.subpaths.size()) + "[/b] SubPath(s) and [b]" +
           std::to_string(m.marks.marks.size()) + "[/b] PlayListMark(s) found.");
  }
  if (!quiet) slogR();
  return res.status;
}

bool plsave(const TMPLS& m, const SaveRequest& req, Reporter& rep) {
  const std::string broken = checkLayout(m);
  if (!broken.empty()) {
    refuseSave(req, broken, rep);
    return false;
  }
  return saveDiscFile(req, composeMPLS(m), rep);
}

}  // namespace mirdal
