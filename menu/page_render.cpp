#include "menu/page_render.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/report.h"
#include "menu/colour.h"

namespace mirdal {

namespace {

constexpr int kPageWidth = 1920, kPageHeight = 1080;

Rect intersect(Rect a, Rect b) {
  const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
  const int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
  if (x1 <= x0 || y1 <= y0) return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

Rect whole(const Canvas& c) { return {0, 0, c.width, c.height}; }

void newCanvas(Canvas& c, int w, int h) {
  c.width = w;
  c.height = h;
  c.rgba.assign(std::size_t(w) * std::size_t(h) * 4, 0);
}

std::string hex4(unsigned v) {
  char b[8];
  std::snprintf(b, sizeof b, "%04X", v & 0xFFFF);
  return b;
}

// A caller that never takes the rectangles gets one whole-page rectangle
// instead of an ever-growing list.
void markDirty(PageRenderer& r, Rect rc) {
  if (rc.empty()) return;
  if (r.dirty.size() >= 256) {
    r.dirty.assign(1, whole(r.picture));
    return;
  }
  r.dirty.push_back(rc);
}

Reporter& reportOf(PageRenderer& r) { return reporterOrSilent(r.report); }

void logOnce(PageRenderer& r, const std::string& text) {
  if (r.logged.insert(text).second) reportOf(r).log(text);
}

// The button in slot id of the current page, or null.
const IgButton* slotButton(const PageRenderer& r, std::uint16_t id) {
  if (!r.menu || id >= r.states.size() || r.page >= r.menu->pageButtons.size()) return nullptr;
  const PageButtonIndex::Slot& s = r.menu->pageButtons[r.page].ids[id];
  if (s.bog < 0) return nullptr;
  const IgPage& p = r.menu->ics.pages[r.page];
  if (std::size_t(s.bog) >= p.bogs.size() || std::size_t(s.button) >= p.bogs[std::size_t(s.bog)].buttons.size())
    return nullptr;
  return &p.bogs[std::size_t(s.bog)].buttons[std::size_t(s.button)];
}

std::uint8_t pagePalette(const PageRenderer& r) { return r.menu->ics.pages[r.page].paletteId; }

// 5 x 7 glyphs of the hexadecimal digits, one byte per row, bit 4 leftmost.
constexpr std::uint8_t kGlyphs[16][7] = {
    {14, 17, 19, 21, 25, 17, 14}, {4, 12, 4, 4, 4, 4, 14},      {14, 17, 1, 2, 4, 8, 31},
    {31, 2, 4, 2, 1, 17, 14},     {2, 6, 10, 18, 31, 2, 2},     {31, 16, 30, 1, 1, 17, 14},
    {6, 8, 16, 30, 17, 17, 14},   {31, 1, 2, 4, 8, 8, 8},       {14, 17, 17, 14, 17, 17, 14},
    {14, 17, 17, 15, 1, 2, 12},   {14, 17, 17, 31, 17, 17, 17}, {30, 17, 17, 30, 17, 17, 30},
    {14, 17, 16, 16, 16, 17, 14}, {30, 17, 17, 17, 17, 17, 30}, {31, 16, 16, 30, 16, 16, 31},
    {31, 16, 16, 30, 16, 16, 16}};

}  // namespace

std::uint32_t pixelAt(const Canvas& c, int x, int y) {
  if (x < 0 || y < 0 || x >= c.width || y >= c.height) return 0;
  const std::uint8_t* p = &c.rgba[(std::size_t(y) * std::size_t(c.width) + std::size_t(x)) * 4];
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

void fillRect(Canvas& c, Rect rc, Colour col) {
  rc = intersect(rc, whole(c));
  if (rc.empty()) return;
  for (int y = rc.y; y < rc.y + rc.h; ++y) {
    std::uint8_t* p = &c.rgba[(std::size_t(y) * std::size_t(c.width) + std::size_t(rc.x)) * 4];
    for (int x = 0; x < rc.w; ++x, p += 4) {
      p[0] = col.r;
      p[1] = col.g;
      p[2] = col.b;
      p[3] = 255;
    }
  }
}

void frameRect(Canvas& c, Rect rc, Colour col) {
  if (rc.empty()) return;
  fillRect(c, {rc.x, rc.y, rc.w, 1}, col);
  fillRect(c, {rc.x, rc.y + rc.h - 1, rc.w, 1}, col);
  fillRect(c, {rc.x, rc.y, 1, rc.h}, col);
  fillRect(c, {rc.x + rc.w - 1, rc.y, 1, rc.h}, col);
}

void blendPicture(Canvas& c, const RgbaPicture& pic, int x, int y, Rect clip) {
  const Rect rc = intersect(intersect({x, y, pic.width, pic.height}, clip), whole(c));
  if (rc.empty()) return;
  for (int row = rc.y; row < rc.y + rc.h; ++row) {
    const std::uint8_t* s = &pic.rgba[(std::size_t(row - y) * pic.width + std::size_t(rc.x - x)) * 4];
    std::uint8_t* d = &c.rgba[(std::size_t(row) * std::size_t(c.width) + std::size_t(rc.x)) * 4];
    for (int i = 0; i < rc.w; ++i, s += 4, d += 4) {
      const unsigned a = s[3];
      if (a == 0) continue;
      if (a == 255) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
      } else {
        for (int k = 0; k < 3; ++k) d[k] = std::uint8_t((s[k] * a + d[k] * (255 - a) + 127) / 255);
      }
      d[3] = 255;
    }
  }
}

void drawHexText(Canvas& c, int x, int y, const std::string& text, Colour box, int scale) {
  const int w = (int(text.size()) * 6 + 1) * scale, h = 9 * scale;
  fillRect(c, {x, y, w, h}, box);
  for (std::size_t n = 0; n < text.size(); ++n) {
    const char ch = text[n];
    const int g = ch >= '0' && ch <= '9' ? ch - '0' : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10 : -1;
    if (g < 0) continue;
    for (int row = 0; row < 7; ++row)
      for (int col = 0; col < 5; ++col)
        if (kGlyphs[g][row] & (16 >> col))
          fillRect(c, {x + (1 + int(n) * 6 + col) * scale, y + (1 + row) * scale, scale, scale}, {0, 0, 0});
  }
}

RgbaPicture cropPicture(const RgbaPicture& pic, int cropX, int cropY, int cropW, int cropH) {
  RgbaPicture out;
  const Rect rc = intersect({cropX, cropY, cropW, cropH}, {0, 0, pic.width, pic.height});
  if (rc.empty()) return out;
  out.width = std::uint16_t(rc.w);
  out.height = std::uint16_t(rc.h);
  out.rgba.resize(std::size_t(rc.w) * std::size_t(rc.h) * 4);
  for (int row = 0; row < rc.h; ++row)
    std::memcpy(&out.rgba[std::size_t(row) * std::size_t(rc.w) * 4],
                &pic.rgba[(std::size_t(rc.y + row) * pic.width + std::size_t(rc.x)) * 4], std::size_t(rc.w) * 4);
  return out;
}

const Canvas& builtinBackground() {
  static const Canvas pic = [] {
    // A dark vertical gradient with a faint 120-pixel grid: shows where the
    // page lies and lets the background colour through at the top.
    Canvas c;
    newCanvas(c, kPageWidth, kPageHeight);
    for (int y = 0; y < kPageHeight; ++y) {
      const std::uint8_t a = std::uint8_t(y * 200 / kPageHeight);
      for (int x = 0; x < kPageWidth; ++x) {
        std::uint8_t* p = &c.rgba[(std::size_t(y) * kPageWidth + std::size_t(x)) * 4];
        const bool grid = x % 120 == 0 || y % 120 == 0;
        p[0] = p[1] = p[2] = grid ? 96 : 16;
        p[3] = grid ? std::uint8_t(std::max<int>(a, 64)) : a;
      }
    }
    return c;
  }();
  return pic;
}

void drawBackground(PageRenderer& r, const Canvas* pic) {
  if (!pic) pic = &builtinBackground();
  newCanvas(r.background, kPageWidth, kPageHeight);
  fillRect(r.background, whole(r.background), r.options.background);
  RgbaPicture p;
  p.width = std::uint16_t(std::min(pic->width, 0xFFFF));
  p.height = std::uint16_t(std::min(pic->height, 0xFFFF));
  p.rgba = pic->rgba;
  blendPicture(r.background, p, 0, 0, whole(r.background));
  clearPage(r);
}

void clearPage(PageRenderer& r) {
  r.picture = r.background;
  markDirty(r, whole(r.picture));
}

void clearRect(PageRenderer& r, Rect rc) {
  rc = intersect(rc, whole(r.picture));
  if (rc.empty() || r.background.width != r.picture.width || r.background.height != r.picture.height) return;
  for (int y = rc.y; y < rc.y + rc.h; ++y) {
    const std::size_t at = (std::size_t(y) * std::size_t(r.picture.width) + std::size_t(rc.x)) * 4;
    std::memcpy(&r.picture.rgba[at], &r.background.rgba[at], std::size_t(rc.w) * 4);
  }
  markDirty(r, rc);
}

void resetButtonStates(PageRenderer& r, std::size_t page) {
  r.states.clear();
  r.page = page;
  if (!r.menu || page >= r.menu->ics.pages.size()) return;
  if (r.menu->pageButtons.size() != r.menu->ics.pages.size()) buildAllPageButtons(*r.menu);
  const IgPage& p = r.menu->ics.pages[page];
  r.states.resize(r.menu->pageButtons[page].ids.size());
  for (std::size_t i = 0; i < p.bogs.size(); ++i)
    for (std::size_t j = 0; j < p.bogs[i].buttons.size(); ++j) {
      const IgButton& b = p.bogs[i].buttons[j];
      if (b.buttonId >= r.states.size()) continue;
      ButtonState& s = r.states[b.buttonId];
      s.bog = std::uint8_t(i);
      s.index = std::uint8_t(j);
      s.normalAnimating = b.normalStart != b.normalEnd;
      s.selectedAnimating = b.selectedStart != b.selectedEnd;
      s.normalRepeat = b.normalRepeat == std::uint8_t(ButtonFlag::On);
      s.selectedRepeat = b.selectedRepeat == std::uint8_t(ButtonFlag::On);
      s.shown = p.bogs[i].defaultValidButton != kNoButton && p.bogs[i].defaultValidButton == b.buttonId;
    }
}

std::uint16_t selectedOnPageShow(const PageRenderer& r, std::uint32_t current) {
  if (!r.menu || r.page >= r.menu->ics.pages.size()) return kNoButton;
  const auto shown = [&](std::uint32_t id) { return slotButton(r, std::uint16_t(id)) && r.states[id].shown; };
  const IgPage& p = r.menu->ics.pages[r.page];
  if (shown(p.defaultSelectedButton)) return p.defaultSelectedButton;
  if (current < kNoButton && shown(current)) return std::uint16_t(current);
  for (const Bog& g : p.bogs)
    for (const IgButton& b : g.buttons)
      if (shown(b.buttonId)) return b.buttonId;
  return kNoButton;
}

void preparePictures(PageRenderer& r, std::size_t page) {
  if (!r.menu || page >= r.menu->ics.pages.size()) return;
  IgMenu& m = *r.menu;
  const IgPage& p = m.ics.pages[page];
  auto range = [&](std::uint16_t start, std::uint16_t end, std::size_t palette) {
    if (end < start) return;
    for (std::uint32_t o = start; o <= end && o < m.objects.size(); ++o) cachedObjectPicture(m, o, palette, reportOf(r));
  };
  for (const Bog& g : p.bogs)
    for (const IgButton& b : g.buttons) {
      range(b.normalStart, b.normalEnd, p.paletteId);
      range(b.selectedStart, b.selectedEnd, p.paletteId);
      range(b.activatedStart, b.activatedEnd, p.paletteId);
    }
  for (const EffectSequence& seq : p.effects)
    for (const Effect& e : seq.effects)
      for (const CompositionObject& co : e.compObjects)
        if (co.objectId < m.objects.size()) cachedObjectPicture(m, co.objectId, e.paletteId, reportOf(r));
}

namespace {

// A button's objects for one look and the state that animates them.
struct LookObjects {
  std::uint16_t start, end;
  bool* animating;
  bool repeat;
};

LookObjects lookObjects(const IgButton& b, ButtonState& s, ButtonLook look) {
  switch (look) {
    case ButtonLook::Selected: return {b.selectedStart, b.selectedEnd, &s.selectedAnimating, s.selectedRepeat};
    case ButtonLook::Activated: return {b.activatedStart, b.activatedEnd, &s.activatedAnimating, false};
    case ButtonLook::Normal: break;
  }
  return {b.normalStart, b.normalEnd, &s.normalAnimating, s.normalRepeat};
}

}  // namespace

void drawButtonStep(PageRenderer& r, std::uint16_t id, ButtonLook look) {
  const IgButton* b = slotButton(r, id);
  if (!b) return;
  ButtonState& s = r.states[id];
  const auto [start, end, animating, repeat] = lookObjects(*b, s, look);
  const std::uint32_t object = std::uint32_t(start) + s.counter;
  if (*animating) {
    ++s.counter;
    if (int(s.counter) > int(end) - int(start)) {
      s.counter = 0;
      if (!repeat) *animating = false;
    }
  }
  IgMenu& m = *r.menu;
  if (object >= m.objects.size()) {
    if (start != kNoObjectId)
      logOnce(r, "Button " + hex4(id) + ": object " + hex4(object) + " does not exist, not drawn");
    return;
  }
  const RgbaPicture* pic = cachedObjectPicture(m, object, pagePalette(r), reportOf(r));
  if (!pic) {
    logOnce(r, "Page " + std::to_string(r.page) + ": palette " + std::to_string(pagePalette(r)) +
                   " does not exist, buttons not drawn");
    return;
  }
  const Rect rc{b->x, b->y, m.objects[object].width, m.objects[object].height};
  clearRect(r, rc);
  blendPicture(r.picture, *pic, rc.x, rc.y, whole(r.picture));

  const bool invalid = b->commands.empty();
  const bool normal = look == ButtonLook::Normal;
  const int scale = r.options.fullScreen ? 2 : 1;
  const RenderOptions& o = r.options;
  const Colour brush = invalid ? o.invalidButton : normal ? o.normalButton : o.selectedButton;
  if (o.buttonId) drawHexText(r.picture, rc.x + 3, rc.y + 3, hex4(id), brush, scale);
  if (o.objectId) drawHexText(r.picture, rc.x + rc.w - 28 * scale, rc.y + rc.h - 16 * scale, hex4(start), brush, scale);
  if (o.buttonFrame)
    frameRect(r.picture, rc, invalid ? o.invalidFrame : normal ? o.normalFrame : o.selectedFrame);
}

void drawButton(PageRenderer& r, std::uint16_t id, ButtonLook look) {
  const IgButton* b = slotButton(r, id);
  if (!b) return;
  ButtonState& s = r.states[id];
  s.counter = 0;
  const LookObjects o = lookObjects(*b, s, look);
  *o.animating = o.start < o.end;
  drawButtonStep(r, id, look);
}

void removeButton(PageRenderer& r, std::uint16_t id) {
  const IgButton* b = slotButton(r, id);
  if (!b) return;
  const std::uint8_t bog = r.states[id].bog;
  for (std::size_t i = 0; i < r.states.size(); ++i)
    if (slotButton(r, std::uint16_t(i)) && r.states[i].bog == bog && r.states[i].shown) return;
  if (b->normalStart >= r.menu->objects.size()) return;
  const IgObject& o = r.menu->objects[b->normalStart];
  clearRect(r, {b->x, b->y, o.width, o.height});
}

void drawPage(PageRenderer& r, std::uint32_t psr10) {
  if (!r.menu || r.page >= r.menu->ics.pages.size()) return;
  if (r.options.preload) preparePictures(r, r.page);
  if (r.background.rgba.empty()) drawBackground(r);
  clearPage(r);
  for (std::size_t id = 0; id < r.states.size(); ++id)
    if (r.states[id].shown) drawButton(r, std::uint16_t(id), ButtonLook::Normal);
  if (psr10 < kNoButton) drawButton(r, std::uint16_t(psr10), ButtonLook::Selected);
}

void animationTick(PageRenderer& r, std::uint32_t psr10) {
  for (std::size_t id = 0; id < r.states.size(); ++id) {
    const ButtonState& s = r.states[id];
    if (id == psr10) {
      if (s.selectedAnimating) drawButtonStep(r, std::uint16_t(id), ButtonLook::Selected);
      if (r.states[id].activatedAnimating) drawButtonStep(r, std::uint16_t(id), ButtonLook::Activated);
    } else if (s.shown && s.normalAnimating) {
      drawButtonStep(r, std::uint16_t(id), ButtonLook::Normal);
    }
  }
}

void animateSteps(PageRenderer& r, std::uint32_t psr10, ButtonLook look, std::uint64_t steps) {
  if (steps == 0) return;
  struct Draw {
    std::uint64_t lastTick;  // the tick that drew it last: later draws cover earlier ones
    std::uint16_t id, step;
    ButtonLook look;
  };
  std::vector<Draw> draws;
  for (std::size_t id = 0; id < r.states.size(); ++id) {
    const IgButton* b = slotButton(r, std::uint16_t(id));
    if (!b) continue;
    const ButtonState& s = r.states[id];
    const ButtonLook l = id == psr10 ? look : ButtonLook::Normal;
    if (id != psr10 && !s.shown) continue;
    bool animating = s.normalAnimating, repeat = s.normalRepeat;
    std::uint16_t start = b->normalStart, end = b->normalEnd;
    if (l == ButtonLook::Selected)
      animating = s.selectedAnimating, repeat = s.selectedRepeat, start = b->selectedStart, end = b->selectedEnd;
    else if (l == ButtonLook::Activated)
      animating = s.activatedAnimating, repeat = false, start = b->activatedStart, end = b->activatedEnd;
    if (!animating) continue;
    // Drawing the page showed step 0 and tick k shows step k: a repeat
    // cycles through range + 1 objects, a single run stops on its last.
    const std::uint64_t range = end > start ? std::uint64_t(end - start) : 0;
    if (repeat)
      draws.push_back({steps, std::uint16_t(id), std::uint16_t(steps % (range + 1)), l});
    else
      draws.push_back({std::min(steps, range), std::uint16_t(id), std::uint16_t(std::min(steps, range)), l});
  }
  std::stable_sort(draws.begin(), draws.end(), [](const Draw& a, const Draw& b) { return a.lastTick < b.lastTick; });
  for (const Draw& d : draws) {
    r.states[d.id].counter = d.step;
    drawButtonStep(r, d.id, d.look);
  }
}

std::uint32_t animationIntervalMs(std::uint8_t frameRateCode, std::uint8_t animationCode) {
  struct Duration {
    std::uint32_t num, den;
  };
  static constexpr Duration kFrames[8] = {{1001, 24000}, {1001, 24000}, {1000, 24000}, {1000, 25000},
                                          {1001, 30000}, {1001, 24000}, {1000, 50000}, {1001, 60000}};
  const Duration d = kFrames[frameRateCode < 8 ? frameRateCode : 0];
  return std::uint32_t(std::uint64_t(d.num) * (std::uint64_t(animationCode) * 1000) / d.den);
}

namespace {

// The window a composition object names, or nothing (logged once).
std::optional<Rect> windowOf(PageRenderer& r, const EffectSequence& seq, const CompositionObject& co) {
  if (co.windowId < seq.windowCount && co.windowId < kMaxEffectWindows) {
    const EffectWindow& w = seq.windows[co.windowId];
    return Rect{w.x, w.y, w.width, w.height};
  }
  logOnce(r, "Page " + std::to_string(r.page) + ": composition object " + hex4(co.objectId) + " names window " +
                 std::to_string(co.windowId) + ", which does not exist; drawn clipped to the page");
  return std::nullopt;
}

}  // namespace

void drawEffect(PageRenderer& r, const EffectSequence& seq, std::size_t index) {
  if (!r.menu || index >= seq.effects.size()) return;
  const Effect& e = seq.effects[index];
  for (const CompositionObject& co : e.compObjects)
    if (std::optional<Rect> w = windowOf(r, seq, co)) {
      clearRect(r, *w);
      if (r.options.windowFrame) frameRect(r.picture, *w, r.options.window);
    }
  for (const CompositionObject& co : e.compObjects) {
    if (co.objectId >= r.menu->objects.size()) {
      logOnce(r, "Effect object " + hex4(co.objectId) + " does not exist, not drawn");
      continue;
    }
    const RgbaPicture* pic = cachedObjectPicture(*r.menu, co.objectId, e.paletteId, reportOf(r));
    if (!pic) {
      logOnce(r, "Effect palette " + std::to_string(e.paletteId) + " does not exist, object not drawn");
      continue;
    }
    // A player shows a composition object only inside its window.
    const std::optional<Rect> w = windowOf(r, seq, co);
    const Rect clip = w ? *w : whole(r.picture);
    Rect frame{co.x, co.y, pic->width, pic->height};
    if (co.cropped()) {
      const RgbaPicture cut = cropPicture(*pic, co.cropX, co.cropY, co.cropWidth, co.cropHeight);
      blendPicture(r.picture, cut, co.x, co.y, clip);
      frame = {co.x, co.y, co.cropWidth, co.cropHeight};
    } else {
      blendPicture(r.picture, *pic, co.x, co.y, clip);
    }
    if (r.options.buttonFrame) frameRect(r.picture, frame, r.options.normalButton);
    markDirty(r, intersect(frame, clip));
  }
}

void endEffects(PageRenderer& r, const EffectSequence& seq) {
  for (std::size_t i = 0; i < seq.windowCount && i < kMaxEffectWindows; ++i) {
    const EffectWindow& w = seq.windows[i];
    clearRect(r, {w.x, w.y, w.width, w.height});
  }
}

}  // namespace mirdal
