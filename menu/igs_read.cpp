#include "menu/igs_read.h"

#include <algorithm>
#include <bitset>

#include "core/display_text.h"
#include "core/report.h"
#include "menu/colour.h"

namespace mirdal {

namespace {

std::string at(std::size_t pos) { return " at $" + hexText(pos, 8); }

// Keeps Y, Cr, Cb and T of each entry; R, G and B follow once the whole
// display set is read, since the matrix depends on the composition's video
// height. `defined` marks the entries a definition gave.
void readPalette(FieldReader& b, std::size_t length, IgMenu& m, std::vector<std::bitset<256>>& defined) {
  const std::uint8_t id = b.readU8();
  const std::uint8_t version = b.readU8();
  if (m.palettes.size() <= id) m.palettes.resize(std::size_t(id) + 1);
  if (defined.size() <= id) defined.resize(std::size_t(id) + 1);
  IgPalette& p = m.palettes[id];
  p.paletteId = id;
  p.version = version;
  // A definition without entries keeps the colours defined before.
  if (length <= 2) return;
  p.ycrcb.fill({});
  p.colours.fill({});
  defined[id].reset();
  for (std::size_t i = 0, n = (length - 2) / 5; i < n && b.remaining() >= 5; ++i) {
    const std::uint8_t e = b.readU8();
    YCrCb c;
    c.y = b.readU8();
    c.cr = b.readU8();
    c.cb = b.readU8();
    p.ycrcb[e] = c;
    p.colours[e].t = b.readU8();
    defined[id].set(e);
  }
}

void convertPalettes(IgMenu& m, const std::vector<std::bitset<256>>& defined) {
  const ColourMatrix mx = colourMatrixOf(m);
  for (std::size_t id = 0; id < defined.size() && id < m.palettes.size(); ++id)
    for (std::size_t e = 0; e < 256; ++e) {
      if (!defined[id].test(e)) continue;
      Rgba& c = m.palettes[id].colours[e];
      const PaletteRgb rgb = yCrCbToRgb(m.palettes[id].ycrcb[e], mx);
      c.r = rgb.r, c.g = rgb.g, c.b = rgb.b;
    }
}

// The display sets after the one loaded: each ends with an END segment, and
// segments after the last END make one more.
std::size_t laterDisplaySets(const Bytes& data, std::size_t pos) {
  std::size_t sets = 0;
  bool open = false;
  while (pos + 13 <= data.size() && data[pos] == 'I' && data[pos + 1] == 'G') {
    const std::uint8_t type = data[pos + 10];
    const std::size_t length = std::size_t(data[pos + 11]) << 8 | data[pos + 12];
    open = type != std::uint8_t(SegmentType::END);
    if (!open) ++sets;
    pos += 13 + length;
  }
  return sets + (open ? 1 : 0);
}

// Returns false for an object too large to hold: its size is cleared.
bool readObject(FieldReader& b, IgMenu& m, Reporter& rep) {
  const std::uint16_t id = b.readU16();
  if (m.objects.empty() || m.objects.back().objectId != id) {
    if (m.objects.size() <= id) m.objects.resize(std::size_t(id) + 1);
    m.objects[id].objectId = id;
  }
  IgObject& o = m.objects[id];
  ObjectFragment f;
  f.version = b.readU8();
  f.sequenceFlags = b.readU8() >> 6;
  if (f.sequenceFlags & kFirstFragment) {
    // A new definition of the object replaces what came before, so the
    // pieces of two definitions are never run together.
    o.fragments.clear();
    o.rle.clear();
    o.image.reset();
    const std::uint32_t length = b.readU24();
    o.rleLength = length >= 4 ? length - 4 : 0;
    o.width = b.readU16();
    o.height = b.readU16();
  }
  const Bytes data = b.readRest();
  f.offset = std::uint32_t(o.rle.size());
  f.length = std::uint32_t(data.size());
  o.rle.insert(o.rle.end(), data.begin(), data.end());
  o.fragments.push_back(f);
  if (!tooLargeToDecode(o)) return true;
  rep.logError("Object " + std::to_string(id) + " declares " + std::to_string(o.width) + "x" + std::to_string(o.height) +
           " pixels, more than a menu object can have; it is kept empty.");
  o.width = o.height = 0;
  o.rle.clear();
  o.rleLength = 0;
  return false;
}

// Returns the page count of a first fragment, -1 for any other.
int readComposition(FieldReader& b, IgMenu& m) {
  InteractiveComposition& c = m.ics;
  c.videoWidth = b.readU16();
  c.videoHeight = b.readU16();
  c.frameRate = b.readU8() >> 4;
  c.compositionNumber = b.readU16();
  c.compositionState = b.readU8() >> 6;
  IcsFragment f;
  f.sequenceFlags = b.readU8() >> 6;
  int pages = -1;
  if (f.sequenceFlags & kFirstFragment) {
    // A new composition replaces the fragments of an earlier one.
    m.icsData.clear();
    c.fragments.clear();
    c.dataLength = b.readU24();
    c.model = b.readU8() >> 6;
    if (!c.streamModel()) {
      c.compositionTimeoutPts = b.readU40();
      c.selectionTimeoutPts = b.readU40();
    }
    c.userTimeout = b.readU24();
    pages = b.readU8();
  }
  const Bytes data = b.readRest();
  f.offset = std::uint32_t(m.icsData.size());
  f.length = std::uint32_t(data.size());
  m.icsData.insert(m.icsData.end(), data.begin(), data.end());
  c.fragments.push_back(f);
  return pages;
}

void readEffectSequence(FieldReader& r, EffectSequence& s, std::size_t pageIndex, Reporter& rep) {
  const std::uint8_t windows = r.readU8();
  if (windows > kMaxEffectWindows)
    rep.logError("Page " + std::to_string(pageIndex) + ": an effect sequence declares " + std::to_string(windows) +
             " windows; only the first two are kept.");
  s.windowCount = std::min<std::uint8_t>(windows, kMaxEffectWindows);
  for (std::size_t i = 0; i < windows; ++i) {
    EffectWindow w;
    w.windowId = r.readU8();
    w.x = r.readU16();
    w.y = r.readU16();
    w.width = r.readU16();
    w.height = r.readU16();
    if (i < kMaxEffectWindows) s.windows[i] = w;
  }
  const std::uint8_t effects = r.readU8();
  for (std::size_t e = 0; e < effects && !r.overrun(); ++e) {
    Effect ef;
    ef.duration = r.readU24();
    ef.paletteId = r.readU8();
    const std::uint8_t objects = r.readU8();
    for (std::size_t k = 0; k < objects && !r.overrun(); ++k) {
      CompositionObject o;
      o.objectId = r.readU16();
      o.windowId = r.readU8();
      o.flags = r.readU8() >> 6;
      o.x = r.readU16();
      o.y = r.readU16();
      if (o.cropped()) {
        o.cropX = r.readU16();
        o.cropY = r.readU16();
        o.cropWidth = r.readU16();
        o.cropHeight = r.readU16();
      }
      ef.compObjects.push_back(o);
    }
    s.effects.push_back(std::move(ef));
  }
}

void readButton(FieldReader& r, IgButton& b) {
  b.buttonId = r.readU16();
  b.numericSelectValue = r.readU16();
  b.autoAction = r.readU8() >> 7;
  b.x = r.readU16();
  b.y = r.readU16();
  b.upper = r.readU16();
  b.lower = r.readU16();
  b.left = r.readU16();
  b.right = r.readU16();
  b.normalStart = r.readU16();
  b.normalEnd = r.readU16();
  b.normalRepeat = r.readU8() >> 7;
  b.selectedSound = r.readU8();
  b.selectedStart = r.readU16();
  b.selectedEnd = r.readU16();
  b.selectedRepeat = r.readU8() >> 7;
  b.activatedSound = r.readU8();
  b.activatedStart = r.readU16();
  b.activatedEnd = r.readU16();
  const std::uint16_t commands = r.readU16();
  // Each command takes 12 bytes: a count the data cannot hold is cut to it.
  const std::size_t n = std::min<std::size_t>(commands, r.remaining() / 12 + 1);
  b.commands.resize(n);
  for (NavCommand& c : b.commands) {
    c.opcode = r.readU32();
    c.dst = r.readU32();
    c.src = r.readU32();
  }
  if (n < commands) r.skip(12 * std::size_t(commands - n));
}

bool readPage(FieldReader& r, IgPage& p, std::size_t pageIndex, Reporter& rep) {
  p.pageId = r.readU8();
  rep.setStatusPanel("Reading page " + std::to_string(p.pageId), 1);
  p.pageVersion = r.readU8();
  p.uoMask[0] = r.readU32();
  p.uoMask[1] = r.readU32();
  readEffectSequence(r, p.effects[0], pageIndex, rep);
  if (!r.overrun()) readEffectSequence(r, p.effects[1], pageIndex, rep);
  p.animationFrameRateCode = r.readU8();
  p.defaultSelectedButton = r.readU16();
  p.defaultActivatedButton = r.readU16();
  p.paletteId = r.readU8();
  const std::uint8_t bogs = r.readU8();
  for (std::size_t g = 0; g < bogs && !r.overrun(); ++g) {
    Bog bog;
    bog.defaultValidButton = r.readU16();
    const std::uint8_t buttons = r.readU8();
    for (std::size_t i = 0; i < buttons && !r.overrun(); ++i) {
      IgButton b;
      readButton(r, b);
      bog.buttons.push_back(std::move(b));
    }
    p.bogs.push_back(std::move(bog));
  }
  return !r.overrun();
}

}  // namespace

bool parsePages(IgMenu& m, const Bytes& pageData, std::size_t pageCount, Reporter& rep) {
  FieldReader r(pageData);
  m.ics.pages.clear();
  for (std::size_t i = 0; i < pageCount; ++i) {
    rep.pumpEvents();
    IgPage p;
    if (!readPage(r, p, i, rep)) {
      rep.logError("The page data of the interactive composition ends early in page " + std::to_string(i) +
               "; that page and those after it are dropped.");
      buildAllPageButtons(m);
      rep.setStatusPanel("", 1);
      return false;
    }
    m.ics.pages.push_back(std::move(p));
  }
  buildAllPageButtons(m);
  rep.setStatusPanel("", 1);
  return true;
}

MenuLoad parseMnu(const Bytes& data, IgMenu& m, Reporter& rep, const CancelToken& cancel) {
  m = IgMenu{};
  MenuLoad result;
  FieldReader f(data);
  int pageCount = -1;
  bool sawComposition = false;
  std::vector<std::bitset<256>> definedEntries;
  while (!f.atEnd()) {
    const std::size_t start = f.pos();
    if (f.remaining() < 13 || data[start] != 'I' || data[start + 1] != 'G') {
      rep.logError("File format error" + at(start) + ": no segment begins there; reading stops.");
      rep.setStatusError("File format error");
      result.status = ReadStatus::Truncated;
      break;
    }
    f.skip(2);
    const std::uint32_t pts = f.readU32();
    const std::uint32_t dts = f.readU32();  // the writer derives it again for known segments
    if (m.inTime == 0) m.inTime = pts;
    const std::uint8_t type = f.readU8();
    const std::size_t length = f.readU16();
    const std::size_t avail = std::min(length, f.remaining());
    FieldReader body(data.data() + f.pos(), avail);
    f.skip(avail);
    if (avail < length) {
      rep.logError("The segment" + at(start) + " claims " + std::to_string(length) + " bytes; the file holds " +
               std::to_string(avail) + ".");
      result.status = ReadStatus::Truncated;
    }
    bool end = false;
    switch (SegmentType(type)) {
      case SegmentType::PDS:
        readPalette(body, length, m, definedEntries);
        break;
      case SegmentType::ODS:
        if (!readObject(body, m, rep)) result.status = ReadStatus::Truncated;
        break;
      case SegmentType::ICS: {
        sawComposition = true;
        const int pages = readComposition(body, m);
        if (pages >= 0) {
          pageCount = pages;
          m.hasComposition = true;
        }
        break;
      }
      case SegmentType::END:
        end = true;
        break;
      default:
        // Kept whole, so that a save writes it back as it is; a segment the
        // file cuts short is only reported.
        if (avail == length)
          m.unknownSegments.push_back({pts, dts, type, Bytes(data.begin() + std::ptrdiff_t(start + 13),
                                                               data.begin() + std::ptrdiff_t(start + 13 + length)),
                                       start});
        else
          rep.logError("Unknow segment! Type $" + hexText(type, 2) + at(start) + " skipped.");
        break;
    }
    if (end) {
      m.displaySets += laterDisplaySets(data, f.pos());
      break;
    }
  }
  convertPalettes(m, definedEntries);
  if (cancel.requested()) {
    result.cancelled = true;
    return result;
  }
  if (!m.hasComposition) {
    rep.logError(sawComposition ? "No interactive composition segment carries the first-fragment flag; the menu has no pages."
                            : "No interactive composition segment found; the menu has no pages.");
    if (result.status == ReadStatus::Ok) result.status = ReadStatus::Truncated;
  } else if (!parsePages(m, m.icsData, std::size_t(pageCount), rep)) {
    result.status = ReadStatus::Truncated;
  }
  rep.log("[b]" + std::to_string(m.hasComposition ? 1 : 0) + "[/b] ICS, [b]" + std::to_string(m.objects.size()) +
      "[/b] OCS, [b]" + std::to_string(m.palettes.size()) + "[/b] PCS found.");
  for (const std::string& note : menuLoadNotes(m)) rep.logWarning(note);
  return result;
}

std::vector<std::string> menuLoadNotes(const IgMenu& m) {
  std::vector<std::string> notes;
  for (const KeptSegment& k : m.unknownSegments)
    notes.push_back("Unknow segment! Type $" + hexText(k.type, 2) + at(k.offset) + " (" +
                    std::to_string(k.body.size()) + " bytes) is kept as it is and saved unchanged.");
  if (m.displaySets > 1)
    notes.push_back("The stream holds " + std::to_string(m.displaySets) +
                    " display sets; only the first is loaded and shown, and saving writes that one alone.");
  return notes;
}

MenuLoad readMnuFile(const std::string& path, IgMenu& m, Reporter& rep, const CancelToken& cancel) {
  Bytes data;
  std::string error;
  if (!readFileBytes(path, data, &error, kMaxMenuFileSize)) {
    m = IgMenu{};
    rep.logError("Cannot read " + path + " (" + error + ")");
    return {ReadStatus::Unreadable, false};
  }
  return parseMnu(data, m, rep, cancel);
}

}  // namespace mirdal
