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
void readPalette(FieldReader& b, std::size_t length, TMenu& m, std::vector<std::bitset<256>>& defined) {
  const std::uint8_t id = b.readbyte();
  const std::uint8_t version = b.readbyte();
  if (m.palettes.size() <= id) m.palettes.resize(std::size_t(id) + 1);
  if (defined.size() <= id) defined.resize(std::size_t(id) + 1);
  TIGpalette& p = m.palettes[id];
  p.palette_id = id;
  p.version = version;
  // A definition without entries keeps the colours defined before.
  if (length <= 2) return;
  p.ycrcb.fill({});
  p.colours.fill({});
  defined[id].reset();
  for (std::size_t i = 0, n = (length - 2) / 5; i < n && b.remaining() >= 5; ++i) {
    const std::uint8_t e = b.readbyte();
    TYCrCb c;
    c.y = b.readbyte();
    c.cr = b.readbyte();
    c.cb = b.readbyte();
    p.ycrcb[e] = c;
    p.colours[e].t = b.readbyte();
    defined[id].set(e);
  }
}

void convertPalettes(TMenu& m, const std::vector<std::bitset<256>>& defined) {
  const ColourMatrix mx = colourMatrixOf(m);
  for (std::size_t id = 0; id < defined.size() && id < m.palettes.size(); ++id)
    for (std::size_t e = 0; e < 256; ++e) {
      if (!defined[id].test(e)) continue;
      TRGBA& c = m.palettes[id].colours[e];
      const TRGB rgb = ycrcb2rgb(m.palettes[id].ycrcb[e], mx);
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
bool readObject(FieldReader& b, TMenu& m) {
  const std::uint16_t id = b.readword();
  if (m.objects.empty() || m.objects.back().object_id != id) {
    if (m.objects.size() <= id) m.objects.resize(std::size_t(id) + 1);
    m.objects[id].object_id = id;
  }
  TIGobject& o = m.objects[id];
  TObjFragment f;
  f.version = b.readbyte();
  f.sequence_flags = b.readbyte() >> 6;
  if (f.sequence_flags & kFirstFragment) {
    // A new definition of the object replaces what came before, so the
    // pieces of two definitions are never run together.
    o.fragments.clear();
    o.rle.clear();
    o.image.reset();
    const std::uint32_t length = b.read3byte();
    o.rle_length = length >= 4 ? length - 4 : 0;
    o.width = b.readword();
    o.height = b.readword();
  }
  const Bytes data = b.readRest();
  f.offset = std::uint32_t(o.rle.size());
  f.length = std::uint32_t(data.size());
  o.rle.insert(o.rle.end(), data.begin(), data.end());
  o.fragments.push_back(f);
  if (std::size_t(o.width) * o.height <= kMaxObjectPixels) return true;
  erlog("Object " + std::to_string(id) + " declares " + std::to_string(o.width) + "x" + std::to_string(o.height) +
        " pixels, more than a menu object can have; it is kept empty.");
  o.width = o.height = 0;
  o.rle.clear();
  o.rle_length = 0;
  return false;
}

// Returns the page count of a first fragment, -1 for any other.
int readComposition(FieldReader& b, TMenu& m) {
  TIGSc& c = m.ics;
  c.video_width = b.readword();
  c.video_height = b.readword();
  c.frame_rate = b.readbyte() >> 4;
  c.composition_number = b.readword();
  c.composition_state = b.readbyte() >> 6;
  TICSFragment f;
  f.sequence_flags = b.readbyte() >> 6;
  int pages = -1;
  if (f.sequence_flags & kFirstFragment) {
    // A new composition replaces the fragments of an earlier one.
    m.ics_data.clear();
    c.fragments.clear();
    c.data_length = b.read3byte();
    c.model = b.readbyte() >> 6;
    if (!c.streamModel()) {
      c.composition_timeout_pts = b.read5byte();
      c.selection_timeout_pts = b.read5byte();
    }
    c.user_timeout = b.read3byte();
    pages = b.readbyte();
  }
  const Bytes data = b.readRest();
  f.offset = std::uint32_t(m.ics_data.size());
  f.length = std::uint32_t(data.size());
  m.ics_data.insert(m.ics_data.end(), data.begin(), data.end());
  c.fragments.push_back(f);
  return pages;
}

void readEffectSequence(FieldReader& r, Teffectseq& s, std::size_t pageIndex) {
  const std::uint8_t windows = r.readbyte();
  if (windows > kMaxEffectWindows)
    erlog("Page " + std::to_string(pageIndex) + ": an effect sequence declares " + std::to_string(windows) +
          " windows; only the first two are kept.");
  s.window_count = std::min<std::uint8_t>(windows, kMaxEffectWindows);
  for (std::size_t i = 0; i < windows; ++i) {
    TEffectWindow w;
    w.window_id = r.readbyte();
    w.x = r.readword();
    w.y = r.readword();
    w.width = r.readword();
    w.height = r.readword();
    if (i < kMaxEffectWindows) s.windows[i] = w;
  }
  const std::uint8_t effects = r.readbyte();
  for (std::size_t e = 0; e < effects && !r.overrun(); ++e) {
    Teffect ef;
    ef.duration = r.read3byte();
    ef.palette_id = r.readbyte();
    const std::uint8_t objects = r.readbyte();
    for (std::size_t k = 0; k < objects && !r.overrun(); ++k) {
      TCompObject o;
      o.object_id = r.readword();
      o.window_id = r.readbyte();
      o.flags = r.readbyte() >> 6;
      o.x = r.readword();
      o.y = r.readword();
      if (o.cropped()) {
        o.crop_x = r.readword();
        o.crop_y = r.readword();
        o.crop_width = r.readword();
        o.crop_height = r.readword();
      }
      ef.comp_objects.push_back(o);
    }
    s.effects.push_back(std::move(ef));
  }
}

void readButton(FieldReader& r, TIGbutton& b) {
  b.button_id = r.readword();
  b.numeric_select_value = r.readword();
  b.auto_action = r.readbyte() >> 7;
  b.x = r.readword();
  b.y = r.readword();
  b.upper = r.readword();
  b.lower = r.readword();
  b.left = r.readword();
  b.right = r.readword();
  b.normal_start = r.readword();
  b.normal_end = r.readword();
  b.normal_repeat = r.readbyte() >> 7;
  b.selected_sound = r.readbyte();
  b.selected_start = r.readword();
  b.selected_end = r.readword();
  b.selected_repeat = r.readbyte() >> 7;
  b.activated_sound = r.readbyte();
  b.activated_start = r.readword();
  b.activated_end = r.readword();
  const std::uint16_t commands = r.readword();
  // Each command takes 12 bytes: a count the data cannot hold is cut to it.
  const std::size_t n = std::min<std::size_t>(commands, r.remaining() / 12 + 1);
  b.commands.resize(n);
  for (TNavCommand& c : b.commands) {
    c.opcode = r.readlong();
    c.dst = r.readlong();
    c.src = r.readlong();
  }
  if (n < commands) r.skip(12 * std::size_t(commands - n));
}

bool readPage(FieldReader& r, TPage& p, std::size_t pageIndex) {
  p.page_id = r.readbyte();
  slog("Reading page " + std::to_string(p.page_id), 1);
  p.page_version = r.readbyte();
  p.uo_mask[0] = r.readlong();
  p.uo_mask[1] = r.readlong();
  readEffectSequence(r, p.effects[0], pageIndex);
  if (!r.overrun()) readEffectSequence(r, p.effects[1], pageIndex);
  p.animation_frame_rate_code = r.readbyte();
  p.default_selected_button = r.readword();
  p.default_activated_button = r.readword();
  p.palette_id = r.readbyte();
  const std::uint8_t bogs = r.readbyte();
  for (std::size_t g = 0; g < bogs && !r.overrun(); ++g) {
    TBOG bog;
    bog.default_valid_button = r.readword();
    const std::uint8_t buttons = r.readbyte();
    for (std::size_t i = 0; i < buttons && !r.overrun(); ++i) {
      TIGbutton b;
      readButton(r, b);
      bog.buttons.push_back(std::move(b));
    }
    p.bogs.push_back(std::move(bog));
  }
  return !r.overrun();
}

}  // namespace

bool getIGS(TMenu& m, const Bytes& pageData, std::size_t pageCount) {
  FieldReader r(pageData);
  m.ics.pages.clear();
  for (std::size_t i = 0; i < pageCount; ++i) {
    pumpEvents();
    TPage p;
    if (!readPage(r, p, i)) {
      erlog("The page data of the interactive composition ends early in page " + std::to_string(i) +
            "; that page and those after it are dropped.");
      buildAllPageButtons(m);
      slog("", 1);
      return false;
    }
    m.ics.pages.push_back(std::move(p));
  }
  buildAllPageButtons(m);
  slog("", 1);
  return true;
}

MenuLoad loadMNUBytes(const Bytes& data, TMenu& m, const CancelToken& cancel) {
  m = TMenu{};
  MenuLoad result;
  FieldReader f(data);
  int pageCount = -1;
  bool sawComposition = false;
  std::vector<std::bitset<256>> definedEntries;
  while (!f.atEnd()) {
    const std::size_t start = f.pos();
    if (f.remaining() < 13 || data[start] != 'I' || data[start + 1] != 'G') {
      erlog("File format error" + at(start) + ": no segment begins there; reading stops.");
      erslog("File format error");
      result.status = ReadStatus::Truncated;
      break;
    }
    f.skip(2);
    const std::uint32_t pts = f.readlong();
    const std::uint32_t dts = f.readlong();  // the writer derives it again for known segments
    if (m.in_time == 0) m.in_time = pts;
    const std::uint8_t type = f.readbyte();
    const std::size_t length = f.readword();
    const std::size_t avail = std::min(length, f.remaining());
    FieldReader body(data.data() + f.pos(), avail);
    f.skip(avail);
    if (avail < length) {
      erlog("The segment" + at(start) + " claims " + std::to_string(length) + " bytes; the file holds " +
            std::to_string(avail) + ".");
      result.status = ReadStatus::Truncated;
    }
    bool end = false;
    switch (SegmentType(type)) {
      case SegmentType::PDS:
        readPalette(body, length, m, definedEntries);
        break;
      case SegmentType::ODS:
        if (!readObject(body, m)) result.status = ReadStatus::Truncated;
        break;
      case SegmentType::ICS: {
        sawComposition = true;
        const int pages = readComposition(body, m);
        if (pages >= 0) {
          pageCount = pages;
          m.has_composition = true;
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
          m.unknown_segments.push_back({pts, dts, type, Bytes(data.begin() + std::ptrdiff_t(start + 13),
                                                               data.begin() + std::ptrdiff_t(start + 13 + length)),
                                        start});
        else
          erlog("Unknow segment! Type $" + hexText(type, 2) + at(start) + " skipped.");
        break;
    }
    if (end) {
      m.display_sets += laterDisplaySets(data, f.pos());
      break;
    }
  }
  convertPalettes(m, definedEntries);
  if (cancel.requested()) {
    result.cancelled = true;
    return result;
  }
  if (!m.has_composition) {
    erlog(sawComposition ? "No interactive composition segment carries the first-fragment flag; the menu has no pages."
                         : "No interactive composition segment found; the menu has no pages.");
    if (result.status == ReadStatus::Ok) result.status = ReadStatus::Truncated;
  } else if (!getIGS(m, m.ics_data, std::size_t(pageCount))) {
    result.status = ReadStatus::Truncated;
  }
  log("[b]" + std::to_string(m.has_composition ? 1 : 0) + "[/b] ICS, [b]" + std::to_string(m.objects.size()) +
      "[/b] OCS, [b]" + std::to_string(m.palettes.size()) + "[/b] PCS found.");
  for (const std::string& note : menuLoadNotes(m)) warnlog(note);
  return result;
}

std::vector<std::string> menuLoadNotes(const TMenu& m) {
  std::vector<std::string> notes;
  for (const TKeptSegment& k : m.unknown_segments)
    notes.push_back("Unknow segment! Type $" + hexText(k.type, 2) + at(k.offset) + " (" +
                    std::to_string(k.body.size()) + " bytes) is kept as it is and saved unchanged.");
  if (m.display_sets > 1)
    notes.push_back("The stream holds " + std::to_string(m.display_sets) +
                    " display sets; only the first is loaded and shown, and saving writes that one alone.");
  return notes;
}

MenuLoad loadMNU(const std::string& path, TMenu& m, const CancelToken& cancel) {
  Bytes data;
  std::string error;
  if (!readFileBytes(path, data, &error, kMaxMenuFileSize)) {
    m = TMenu{};
    erlog("Cannot read " + path + " (" + error + ")");
    return {ReadStatus::Unreadable, false};
  }
  return loadMNUBytes(data, m, cancel);
}

}  // namespace mirdal
