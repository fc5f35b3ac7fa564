#include "menu/igs_write.h"

#include <algorithm>

#include "core/display_text.h"
#include "core/report.h"
#include "menu/colour.h"
#include "menu/rle.h"
#include "formats/common/disc_file.h"

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

bool tooMany(std::size_t n, std::size_t max, const std::string& what, Reporter& rep) {
  if (n <= max) return false;
  rep.logError("Cannot save the menu: " + what + " has " + std::to_string(n) + " entries, at most " +
           std::to_string(max) + " fit.");
  return true;
}

bool addEffectSequence(OutputBuffer& o, const EffectSequence& s, const std::string& where, Reporter& rep) {
  if (tooMany(s.windowCount, kMaxEffectWindows, where + " effect windows", rep)) return false;
  if (tooMany(s.effects.size(), 255, where + " effects", rep)) return false;
  o.addU8(s.windowCount);
  for (std::size_t i = 0; i < s.windowCount; ++i) {
    const EffectWindow& w = s.windows[i];
    o.addU8(w.windowId);
    o.addU16(w.x);
    o.addU16(w.y);
    o.addU16(w.width);
    o.addU16(w.height);
  }
  o.addU8(std::uint32_t(s.effects.size()));
  for (const Effect& e : s.effects) {
    if (tooMany(e.compObjects.size(), 255, where + " effect objects", rep)) return false;
    o.addU24(e.duration);
    o.addU8(e.paletteId);
    o.addU8(std::uint32_t(e.compObjects.size()));
    for (const CompositionObject& c : e.compObjects) {
      o.addU16(c.objectId);
      o.addU8(c.windowId);
      o.addU8(std::uint32_t(c.flags & 3) << 6);
      o.addU16(c.x);
      o.addU16(c.y);
      if (c.cropped()) {
        o.addU16(c.cropX);
        o.addU16(c.cropY);
        o.addU16(c.cropWidth);
        o.addU16(c.cropHeight);
      }
    }
  }
  return true;
}

void addButton(OutputBuffer& o, const IgButton& b) {
  o.addU16(b.buttonId);
  o.addU16(b.numericSelectValue);
  o.addU8(b.autoAction ? 0x80 : 0);
  o.addU16(b.x);
  o.addU16(b.y);
  o.addU16(b.upper);
  o.addU16(b.lower);
  o.addU16(b.left);
  o.addU16(b.right);
  o.addU16(b.normalStart);
  o.addU16(b.normalEnd);
  o.addU8(b.normalRepeat ? 0x80 : 0);
  o.addU8(b.selectedSound);
  o.addU16(b.selectedStart);
  o.addU16(b.selectedEnd);
  o.addU8(b.selectedRepeat ? 0x80 : 0);
  o.addU8(b.activatedSound);
  o.addU16(b.activatedStart);
  o.addU16(b.activatedEnd);
  o.addU16(std::uint32_t(b.commands.size()));
  for (const NavCommand& c : b.commands) {
    o.addU32(c.opcode);
    o.addU32(c.dst);
    o.addU32(c.src);
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

std::vector<std::uint16_t> objectWriteOrder(const IgMenu& m) {
  std::vector<std::uint16_t> order;
  std::vector<bool> placed(m.objects.size(), false);
  if (!m.ics.pages.empty()) {
    const IgPage& page = m.ics.pages[0];
    for (const Effect& e : page.effects[0].effects)
      for (const CompositionObject& c : e.compObjects) addRange(order, placed, c.objectId, c.objectId);
    const std::size_t indexLength = m.pageButtons.empty() ? 0 : m.pageButtons[0].ids.size();
    auto shown = [&](const Bog& g) { return g.defaultValidButton < indexLength; };
    for (const Bog& g : page.bogs)
      if (shown(g))
        for (const IgButton& b : g.buttons) addRange(order, placed, b.normalStart, b.normalEnd);
    for (const Bog& g : page.bogs)
      if (shown(g))
        for (const IgButton& b : g.buttons) addRange(order, placed, b.selectedStart, b.selectedEnd);
    for (const Bog& g : page.bogs)
      if (shown(g))
        for (const IgButton& b : g.buttons) addRange(order, placed, b.activatedStart, b.activatedEnd);
    for (const Bog& g : page.bogs)
      if (!shown(g))
        for (const IgButton& b : g.buttons) {
          addRange(order, placed, b.normalStart, b.normalEnd);
          addRange(order, placed, b.selectedStart, b.selectedEnd);
          addRange(order, placed, b.activatedStart, b.activatedEnd);
        }
  }
  for (std::size_t id = 0; id < placed.size(); ++id)
    if (!placed[id]) order.push_back(std::uint16_t(id));
  return order;
}

bool serializePages(const InteractiveComposition& ics, Bytes& out, Reporter& rep) {
  if (tooMany(ics.pages.size(), 255, "the menu's page list", rep)) return false;
  OutputBuffer o;
  for (std::size_t i = 0; i < ics.pages.size(); ++i) {
    const IgPage& p = ics.pages[i];
    const std::string where = "page " + std::to_string(i) + ",";
    o.addU8(p.pageId);
    o.addU8(p.pageVersion);
    o.addU32(p.uoMask[0]);
    o.addU32(p.uoMask[1]);
    if (!addEffectSequence(o, p.effects[0], where + " in", rep) || !addEffectSequence(o, p.effects[1], where + " out", rep))
      return false;
    o.addU8(p.animationFrameRateCode);
    o.addU16(p.defaultSelectedButton);
    o.addU16(p.defaultActivatedButton);
    o.addU8(p.paletteId);
    if (tooMany(p.bogs.size(), 255, where + " BOG list", rep)) return false;
    o.addU8(std::uint32_t(p.bogs.size()));
    for (const Bog& g : p.bogs) {
      if (tooMany(g.buttons.size(), 255, where + " BOG buttons", rep)) return false;
      o.addU16(g.defaultValidButton);
      o.addU8(std::uint32_t(g.buttons.size()));
      for (const IgButton& b : g.buttons) {
        if (tooMany(b.commands.size(), 0xFFFF, where + " button " + std::to_string(b.buttonId) + " commands", rep))
          return false;
        addButton(o, b);
      }
    }
  }
  o.flushAdded();
  out = o.takeFile();
  return true;
}

bool composeMenuSegments(IgMenu& m, SegmentFraming framing, Bytes& out, Reporter& rep) {
  rep.setStatusPanel("Preparing data", 1);
  const std::vector<std::uint16_t> order = objectWriteOrder(m);

  rep.setStatusPanel("RLE decoding/encoding", 1);
  std::vector<Bytes> encoded(m.objects.size());
  std::uint32_t objectDataTotal = 0;
  for (std::size_t i = 0; i < m.objects.size(); ++i) {
    if (!encodeObject(m, i, encoded[i], rep)) {
      rep.setStatusPanel("", 1);
      return false;
    }
    objectDataTotal += std::uint32_t(encoded[i].size());
  }

  // A kept segment goes out as it came; a PES packet has room for less
  // than a .mnu segment.
  for (const KeptSegment& k : m.unknownSegments)
    if (framing == SegmentFraming::Pes && k.body.size() > kMaxSegmentLength) {
      rep.logError("Cannot write the menu as a stream: the segment of unknown type $" + hexText(k.type, 2) + " holds " +
               std::to_string(k.body.size()) + " bytes, more than a PES packet can carry (" +
               std::to_string(kMaxSegmentLength) + ").");
      rep.setStatusPanel("", 1);
      return false;
    }

  Bytes pages;
  if (!serializePages(m.ics, pages, rep)) {
    rep.setStatusPanel("", 1);
    return false;
  }
  const std::size_t pageDataLength = pages.size();
  const bool timeouts = !m.ics.streamModel();
  const std::size_t dataLength = pageDataLength + 5 + (timeouts ? kTimeoutFields : 0);
  if (dataLength > kMaxDataLength) {
    rep.logError("Cannot save the menu: its page data of " + std::to_string(pageDataLength) +
             " bytes does not fit the 24-bit length field.");
    rep.setStatusPanel("", 1);
    return false;
  }

  Bytes file;
  SegmentWriter w(framing, file);
  const std::uint32_t startPts = m.inTime;
  auto before = [startPts](std::uint32_t bytes) { return std::uint32_t(startPts - std::uint32_t(9u * bytes) / 600u); };

  rep.setStatusPanel("Writing ICS", 1);
  InteractiveComposition& c = m.ics;
  c.dataLength = std::uint32_t(dataLength);
  const std::size_t firstHeader = kIcsHeader + (timeouts ? kTimeoutFields : 0);
  const auto icsSizes = splitSizes(pageDataLength, kMaxSegmentLength - firstHeader, kMaxSegmentLength - kIcsNextHeader);
  c.fragments.clear();
  for (std::size_t i = 0, off = 0; i < icsSizes.size(); off += icsSizes[i], ++i) {
    const std::uint8_t flags = sequenceFlags(i, icsSizes.size());
    w.begin(startPts, before(objectDataTotal), SegmentType::ICS, icsSizes[i] + (i == 0 ? firstHeader : kIcsNextHeader));
    w.word16(c.videoWidth);
    w.word16(c.videoHeight);
    w.byte(std::uint32_t(c.frameRate & 0x0F) << 4);
    w.word16(c.compositionNumber);
    w.byte(std::uint32_t(c.compositionState & 3) << 6);
    w.byte(std::uint32_t(flags) << 6);
    if (i == 0) {
      w.word24(c.dataLength);
      w.byte(std::uint32_t(c.model & 3) << 6);
      // The stream model without its bit carries the two time-outs, and the
      // reader expects them; they are written as held.
      if (timeouts) {
        w.word40(c.compositionTimeoutPts);
        w.word40(c.selectionTimeoutPts);
      }
      w.word24(c.userTimeout);
      w.byte(std::uint32_t(c.pages.size()));
    }
    w.bytes(pages.data() + off, icsSizes[i]);
    c.fragments.push_back({flags, std::uint32_t(off), std::uint32_t(icsSizes[i])});
  }
  m.icsData = std::move(pages);

  rep.setStatusPanel("Writing palettes", 1);
  const ColourMatrix mx = colourMatrixOf(m);
  for (std::size_t p = 0; p < m.palettes.size(); ++p) {
    IgPalette& pal = m.palettes[p];
    std::vector<std::uint8_t> ids;
    // Entry 255 is never written.
    for (std::size_t e = 0; e < 255; ++e)
      if (!pal.colours[e].unused()) ids.push_back(std::uint8_t(e));
    w.begin(before(objectDataTotal), 0, SegmentType::PDS, 2 + 5 * ids.size());
    w.byte(std::uint32_t(p));
    w.byte(0);
    for (std::uint8_t e : ids) {
      if (pal.ycrcb[e].y == 0) {
        const Rgba& col = pal.colours[e];
        pal.ycrcb[e] = rgbToYCrCb({col.r, col.g, col.b}, mx);
      }
      w.byte(e);
      w.byte(pal.ycrcb[e].y);
      w.byte(pal.ycrcb[e].cr);
      w.byte(pal.ycrcb[e].cb);
      w.byte(pal.colours[e].t);
    }
  }

  rep.setStatusPanel("Writing objects", 1);
  std::uint32_t objectDataLeft = objectDataTotal;
  std::uint32_t lastObjectDataLength = std::uint32_t(pageDataLength);
  for (std::uint16_t id : order) {
    IgObject& o = m.objects[id];
    Bytes& buf = encoded[id];
    const std::uint32_t objectDataLength = std::uint32_t(buf.size());
    const auto sizes = splitSizes(objectDataLength, kMaxSegmentLength - kOdsHeader, kMaxSegmentLength - kOdsNextHeader);
    o.fragments.clear();
    for (std::size_t i = 0, off = 0; i < sizes.size(); off += sizes[i], ++i) {
      const std::uint8_t flags = sequenceFlags(i, sizes.size());
      w.begin(before(objectDataLeft - objectDataLength), before(objectDataLeft), SegmentType::ODS,
              sizes[i] + (i == 0 ? kOdsHeader : kOdsNextHeader));
      w.word16(id);
      w.byte(0);
      w.byte(std::uint32_t(flags) << 6);
      if (i == 0) {
        w.word24(objectDataLength + 4);
        w.word16(o.width);
        w.word16(o.height);
      }
      w.bytes(buf.data() + off, sizes[i]);
      o.fragments.push_back({0, flags, std::uint32_t(off), std::uint32_t(sizes[i])});
    }
    o.objectId = id;
    o.rleLength = objectDataLength;
    o.rle = std::move(buf);
    objectDataLeft -= objectDataLength;
    lastObjectDataLength = objectDataLength;
  }

  for (const KeptSegment& k : m.unknownSegments) {
    w.begin(k.pts, k.dts, SegmentType(k.type), k.body.size());
    w.bytes(k.body.data(), k.body.size());
  }
  w.begin(before(lastObjectDataLength), 0, SegmentType::END, 0);
  rep.setStatusPanel("", 1);
  out = std::move(file);
  return true;
}

bool saveMnu(IgMenu& m, const SaveRequest& req, Reporter& rep) {
  Bytes bytes;
  if (!composeMenuSegments(m, SegmentFraming::Mnu, bytes, rep)) return false;
  return saveDiscFile(req, bytes, rep);
}

}  // namespace mirdal
