#include "menu/igs_write.h"

#include <algorithm>

#include "core/display_text.h"
#include "core/report.h"
#include "menu/colour.h"
#include "menu/rle.h"
#include "formats/disc_file.h"

namespace mirdal {

namespace {

constexpr std::size_t kIcsHeader = 17;         // first ICS segment, without time-outs
constexpr std::size_t kTimeoutFields = 10;     // two 5-byte PTS fields
constexpr std::size_t kIcsNextHeader = 9;      // later ICS segments
constexpr std::size_t kOdsHeader = 11;         // first ODS segment
constexpr std::size_t kOdsNextHeader = 4;      // later ODS segments
constexpr std::size_t kMaxDataLength = 0xFFFFFF;

void addPesTime(Bytes& out, std::uint8_t marker, std::uint32_t t) {
  out.push_back(std::uint8_t(marker | ((t >> 29) & 0x06)));
  const std::uint32_t mid = ((t >> 15) & 0x7FFF) << 1 | 1;
  const std::uint32_t low = (t & 0x7FFF) << 1 | 1;
  out.push_back(std::uint8_t(mid >> 8));
  out.push_back(std::uint8_t(mid));
  out.push_back(std::uint8_t(low >> 8));
  out.push_back(std::uint8_t(low));
}

class SegmentWriter {
 public:
  SegmentWriter(SegmentFraming framing, Bytes& out) : framing_(framing), out_(out) {}

  // The prefix, the segment type and the length; the caller adds the body.
  void begin(std::uint32_t pts, std::uint32_t dts, SegmentType type, std::size_t length) {
    if (framing_ == SegmentFraming::Mnu) {
      out_.push_back('I');
      out_.push_back('G');
      word32(pts);
      word32(dts);
    } else {
      const Bytes h = pesHeader(pts, dts, length);
      out_.insert(out_.end(), h.begin(), h.end());
    }
    out_.push_back(std::uint8_t(type));
    word16(std::uint32_t(length));
  }
  void byte(std::uint32_t v) { out_.push_back(std::uint8_t(v)); }
  void word16(std::uint32_t v) {
    byte(v >> 8);
    byte(v);
  }
  void word24(std::uint32_t v) {
    byte(v >> 16);
    word16(v);
  }
  void word32(std::uint32_t v) {
    word16(v >> 16);
    word16(v);
  }
  void word40(std::uint64_t v) {
    byte(std::uint32_t(v >> 32));
    word32(std::uint32_t(v));
  }
  void bytes(const std::uint8_t* p, std::size_t n) { out_.insert(out_.end(), p, p + n); }

 private:
  SegmentFraming framing_;
  Bytes& out_;
};

// How a block is cut into segments: the first carries at most `first`
// bytes, every later one at most `next`; an empty block still takes one.
std::vector<std::size_t> splitSizes(std::size_t total, std::size_t first, std::size_t next) {
  std::vector<std::size_t> sizes{std::min(total, first)};
  for (std::size_t left = total - sizes[0]; left > 0;) {
    sizes.push_back(std::min(left, next));
    left -= sizes.back();
  }
  return sizes;
}

std::uint8_t sequenceFlags(std::size_t i, std::size_t n) {
  return std::uint8_t((i == 0 ? kFirstFragment : 0) | (i + 1 == n ? kLastFragment : 0));
}

bool tooMany(std::size_t n, std::size_t max, const std::string& what) {
  if (n <= max) return false;
  erlog("Cannot save the menu: " + what + " has " + std::to_string(n) + " entries, at most " +
        std::to_string(max) + " fit.");
  return true;
}

bool addEffectSequence(OutputBuffer& o, const Teffectseq& s, const std::string& where) {
  if (tooMany(s.window_count, kMaxEffectWindows, where + " effect windows")) return false;
  if (tooMany(s.effects.size(), 255, where + " effects")) return false;
  o.addbyte(s.window_count);
  for (std::size_t i = 0; i < s.window_count; ++i) {
    const TEffectWindow& w = s.windows[i];
    o.addbyte(w.window_id);
    o.addword(w.x);
    o.addword(w.y);
    o.addword(w.width);
    o.addword(w.height);
  }
  o.addbyte(std::uint32_t(s.effects.size()));
  for (const Teffect& e : s.effects) {
    if (tooMany(e.comp_objects.size(), 255, where + " effect objects")) return false;
    o.add3byte(e.duration);
    o.addbyte(e.palette_id);
    o.addbyte(std::uint32_t(e.comp_objects.size()));
    for (const TCompObject& c : e.comp_objects) {
      o.addword(c.object_id);
      o.addbyte(c.window_id);
      o.addbyte(std::uint32_t(c.flags & 3) << 6);
      o.addword(c.x);
      o.addword(c.y);
      if (c.cropped()) {
        o.addword(c.crop_x);
        o.addword(c.crop_y);
        o.addword(c.crop_width);
        o.addword(c.crop_height);
      }
    }
  }
  return true;
}

void addButton(OutputBuffer& o, const TIGbutton& b) {
  o.addword(b.button_id);
  o.addword(b.numeric_select_value);
  o.addbyte(b.auto_action ? 0x80 : 0);
  o.addword(b.x);
  o.addword(b.y);
  o.addword(b.upper);
  o.addword(b.lower);
  o.addword(b.left);
  o.addword(b.right);
  o.addword(b.normal_start);
  o.addword(b.normal_end);
  o.addbyte(b.normal_repeat ? 0x80 : 0);
  o.addbyte(b.selected_sound);
  o.addword(b.selected_start);
  o.addword(b.selected_end);
  o.addbyte(b.selected_repeat ? 0x80 : 0);
  o.addbyte(b.activated_sound);
  o.addword(b.activated_start);
  o.addword(b.activated_end);
  o.addword(std::uint32_t(b.commands.size()));
  for (const TNavCommand& c : b.commands) {
    o.addlong(c.opcode);
    o.addlong(c.dst);
    o.addlong(c.src);
  }
}

void addRange(std::vector<std::uint16_t>& order, std::vector<bool>& placed, std::uint16_t start,
              std::uint16_t end) {
  for (std::uint32_t id = start; id <= end; ++id) {
    if (id == kNoObjectId || id >= placed.size() || placed[id]) continue;
    placed[id] = true;
    order.push_back(std::uint16_t(id));
  }
}

}  // namespace

Bytes pesHeader(std::uint32_t pts, std::uint32_t dts, std::size_t segmentLength) {
  Bytes h{0x00, 0x00, 0x01, 0xBD};
  const std::size_t packet = segmentLength + (dts ? 16 : 11);
  h.push_back(std::uint8_t(packet >> 8));
  h.push_back(std::uint8_t(packet));
  h.push_back(0x84);
  h.push_back(dts ? 0xC0 : 0x80);
  h.push_back(dts ? 10 : 5);
  addPesTime(h, dts ? 0x31 : 0x21, pts);
  if (dts) addPesTime(h, 0x11, dts);
  return h;
}

std::vector<std::uint16_t> objectWriteOrder(const TMenu& m) {
  std::vector<std::uint16_t> order;
  std::vector<bool> placed(m.objects.size(), false);
  if (!m.ics.pages.empty()) {
    const TPage& page = m.ics.pages[0];
    for (const Teffect& e : page.effects[0].effects)
      for (const TCompObject& c : e.comp_objects) addRange(order, placed, c.object_id, c.object_id);
    const std::size_t indexLength = m.page_buttons.empty() ? 0 : m.page_buttons[0].ids.size();
    auto shown = [&](const TBOG& g) { return g.default_valid_button < indexLength; };
    for (const TBOG& g : page.bogs)
      if (shown(g))
        for (const TIGbutton& b : g.buttons) addRange(order, placed, b.normal_start, b.normal_end);
    for (const TBOG& g : page.bogs)
      if (shown(g))
        for (const TIGbutton& b : g.buttons) addRange(order, placed, b.selected_start, b.selected_end);
    for (const TBOG& g : page.bogs)
      if (shown(g))
        for (const TIGbutton& b : g.buttons) addRange(order, placed, b.activated_start, b.activated_end);
    for (const TBOG& g : page.bogs)
      if (!shown(g))
        for (const TIGbutton& b : g.buttons) {
          addRange(order, placed, b.normal_start, b.normal_end);
          addRange(order, placed, b.selected_start, b.selected_end);
          addRange(order, placed, b.activated_start, b.activated_end);
        }
  }
  for (std::size_t id = 0; id < placed.size(); ++id)
    if (!placed[id]) order.push_back(std::uint16_t(id));
  return order;
}

bool serializePages(const TIGSc& ics, Bytes& out) {
  if (tooMany(ics.pages.size(), 255, "the menu's page list")) return false;
  OutputBuffer o;
  for (std::size_t i = 0; i < ics.pages.size(); ++i) {
    const TPage& p = ics.pages[i];
    const std::string where = "page " + std::to_string(i) + ",";
    o.addbyte(p.page_id);
    o.addbyte(p.page_version);
    o.addlong(p.uo_mask[0]);
    o.addlong(p.uo_mask[1]);
    if (!addEffectSequence(o, p.effects[0], where + " in") || !addEffectSequence(o, p.effects[1], where + " out"))
      return false;
    o.addbyte(p.animation_frame_rate_code);
    o.addword(p.default_selected_button);
    o.addword(p.default_activated_button);
    o.addbyte(p.palette_id);
    if (tooMany(p.bogs.size(), 255, where + " BOG list")) return false;
    o.addbyte(std::uint32_t(p.bogs.size()));
    for (const TBOG& g : p.bogs) {
      if (tooMany(g.buttons.size(), 255, where + " BOG buttons")) return false;
      o.addword(g.default_valid_button);
      o.addbyte(std::uint32_t(g.buttons.size()));
      for (const TIGbutton& b : g.buttons) {
        if (tooMany(b.commands.size(), 0xFFFF, where + " button " + std::to_string(b.button_id) + " commands"))
          return false;
        addButton(o, b);
      }
    }
  }
  o.flushadded();
  out = o.takeFile();
  return true;
}

bool saveIGS(TMenu& m, SegmentFraming framing, Bytes& out) {
  slog("Preparing data", 1);
  const std::vector<std::uint16_t> order = objectWriteOrder(m);

  slog("RLE decoding/encoding", 1);
  std::vector<Bytes> encoded(m.objects.size());
  std::uint32_t S = 0;
  for (std::size_t i = 0; i < m.objects.size(); ++i) {
    if (!rle_encode(m, i, encoded[i])) {
      slog("", 1);
      return false;
    }
    S += std::uint32_t(encoded[i].size());
  }

  // A kept segment goes out as it came; a PES packet has room for less
  // than a .mnu segment.
  for (const TKeptSegment& k : m.unknown_segments)
    if (framing == SegmentFraming::Pes && k.body.size() > kMaxSegmentLength) {
      erlog("Cannot write the menu as a stream: the segment of unknown type $" + hexText(k.type, 2) + " holds " +
            std::to_string(k.body.size()) + " bytes, more than a PES packet can carry (" +
            std::to_string(kMaxSegmentLength) + ").");
      slog("", 1);
      return false;
    }

  Bytes pages;
  if (!serializePages(m.ics, pages)) {
    slog("", 1);
    return false;
  }
  const std::size_t L = pages.size();
  const bool timeouts = !m.ics.streamModel();
  const std::size_t dataLength = L + 5 + (timeouts ? kTimeoutFields : 0);
  if (dataLength > kMaxDataLength) {
    erlog("Cannot save the menu: its page data of " + std::to_string(L) +
          " bytes does not fit the 24-bit length field.");
    slog("", 1);
    return false;
  }

  Bytes file;
  SegmentWriter w(framing, file);
  const std::uint32_t T = m.in_time;
  auto before = [T](std::uint32_t bytes) { return std::uint32_t(T - std::uint32_t(9u * bytes) / 600u); };

  slog("Writing ICS", 1);
  TIGSc& c = m.ics;
  c.data_length = std::uint32_t(dataLength);
  const std::size_t firstHeader = kIcsHeader + (timeouts ? kTimeoutFields : 0);
  const auto icsSizes = splitSizes(L, kMaxSegmentLength - firstHeader, kMaxSegmentLength - kIcsNextHeader);
  c.fragments.clear();
  for (std::size_t i = 0, off = 0; i < icsSizes.size(); off += icsSizes[i], ++i) {
    const std::uint8_t flags = sequenceFlags(i, icsSizes.size());
    w.begin(T, before(S), SegmentType::ICS, icsSizes[i] + (i == 0 ? firstHeader : kIcsNextHeader));
    w.word16(c.video_width);
    w.word16(c.video_height);
    w.byte(std::uint32_t(c.frame_rate & 0x0F) << 4);
    w.word16(c.composition_number);
    w.byte(std::uint32_t(c.composition_state & 3) << 6);
    w.byte(std::uint32_t(flags) << 6);
    if (i == 0) {
      w.word24(c.data_length);
      w.byte(std::uint32_t(c.model & 3) << 6);
      // The stream model without its bit carries the two time-outs, and the
      // reader expects them; they are written as held.
      if (timeouts) {
        w.word40(c.composition_timeout_pts);
        w.word40(c.selection_timeout_pts);
      }
      w.word24(c.user_timeout);
      w.byte(std::uint32_t(c.pages.size()));
    }
    w.bytes(pages.data() + off, icsSizes[i]);
    c.fragments.push_back({flags, std::uint32_t(off), std::uint32_t(icsSizes[i])});
  }
  m.ics_data = std::move(pages);

  slog("Writing palettes", 1);
  const ColourMatrix mx = colourMatrixOf(m);
  for (std::size_t p = 0; p < m.palettes.size(); ++p) {
    TIGpalette& pal = m.palettes[p];
    std::vector<std::uint8_t> ids;
    // Entry 255 is never written.
    for (std::size_t e = 0; e < 255; ++e)
      if (!pal.colours[e].unused()) ids.push_back(std::uint8_t(e));
    w.begin(before(S), 0, SegmentType::PDS, 2 + 5 * ids.size());
    w.byte(std::uint32_t(p));
    w.byte(0);
    for (std::uint8_t e : ids) {
      if (pal.ycrcb[e].y == 0) {
        const TRGBA& col = pal.colours[e];
        pal.ycrcb[e] = rgb2ycrcb({col.r, col.g, col.b}, mx);
      }
      w.byte(e);
      w.byte(pal.ycrcb[e].y);
      w.byte(pal.ycrcb[e].cr);
      w.byte(pal.ycrcb[e].cb);
      w.byte(pal.colours[e].t);
    }
  }

  slog("Writing objects", 1);
  std::uint32_t Rrem = S;
  std::uint32_t lastR = std::uint32_t(L);
  for (std::uint16_t id : order) {
    TIGobject& o = m.objects[id];
    Bytes& buf = encoded[id];
    const std::uint32_t R = std::uint32_t(buf.size());
    const auto sizes = splitSizes(R, kMaxSegmentLength - kOdsHeader, kMaxSegmentLength - kOdsNextHeader);
    o.fragments.clear();
    for (std::size_t i = 0, off = 0; i < sizes.size(); off += sizes[i], ++i) {
      const std::uint8_t flags = sequenceFlags(i, sizes.size());
      w.begin(before(Rrem - R), before(Rrem), SegmentType::ODS,
              sizes[i] + (i == 0 ? kOdsHeader : kOdsNextHeader));
      w.word16(id);
      w.byte(0);
      w.byte(std::uint32_t(flags) << 6);
      if (i == 0) {
        w.word24(R + 4);
        w.word16(o.width);
        w.word16(o.height);
      }
      w.bytes(buf.data() + off, sizes[i]);
      o.fragments.push_back({0, flags, std::uint32_t(off), std::uint32_t(sizes[i])});
    }
    o.object_id = id;
    o.rle_length = R;
    o.rle = std::move(buf);
    Rrem -= R;
    lastR = R;
  }

  for (const TKeptSegment& k : m.unknown_segments) {
    w.begin(k.pts, k.dts, SegmentType(k.type), k.body.size());
    w.bytes(k.body.data(), k.body.size());
  }
  w.begin(before(lastR), 0, SegmentType::END, 0);
  slog("", 1);
  out = std::move(file);
  return true;
}

bool saveMNU(TMenu& m, const SaveRequest& req, Reporter& rep) {
  Bytes bytes;
  if (!saveIGS(m, SegmentFraming::Mnu, bytes)) return false;
  return saveDiscFile(req, bytes, rep);
}

}  // namespace mirdal
