#include "sample_menu.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>

#include "core/save.h"
#include "menu/colour.h"
#include "menu/igs_write.h"

namespace mirdal::sample {

namespace {

// Palette entries every palette of the sample uses.
enum Colour : std::uint8_t { kClear = 0, kPanel = 1, kText = 2, kFace = 3, kBorder = 4, kGlow = 5, kPressed = 9 };

// A 5 x 7 font for the labels, one string per row, '#' set.
const std::map<char, std::array<const char*, 7>>& font() {
  static const std::map<char, std::array<const char*, 7>> f = {
      {'A', {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
      {'B', {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "}},
      {'C', {" ####", "#    ", "#    ", "#    ", "#    ", "#    ", " ####"}},
      {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"}},
      {'H', {"#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
      {'K', {"#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"}},
      {'L', {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"}},
      {'M', {"#   #", "## ##", "# # #", "#   #", "#   #", "#   #", "#   #"}},
      {'N', {"#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"}},
      {'P', {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "}},
      {'R', {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"}},
      {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
      {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
      {'U', {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
      {'Y', {"#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "}},
      {'1', {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
      {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}},
      {'3', {"#### ", "    #", "    #", " ### ", "    #", "    #", "#### "}},
      {'4', {"#   #", "#   #", "#   #", "#####", "    #", "    #", "    #"}},
      {' ', {"     ", "     ", "     ", "     ", "     ", "     ", "     "}},
  };
  return f;
}

class Canvas {
 public:
  Canvas(std::uint16_t w, std::uint16_t h) : img_{w, h, Bytes(std::size_t(w) * h, kClear)} {}

  void fill(int x, int y, int w, int h, std::uint8_t k) {
    for (int j = std::max(0, y); j < std::min<int>(img_.height, y + h); ++j)
      for (int i = std::max(0, x); i < std::min<int>(img_.width, x + w); ++i)
        img_.pixels[std::size_t(j) * img_.width + std::size_t(i)] = k;
  }
  // A box with cut corners and a border of `border` pixels.
  void box(std::uint8_t face, std::uint8_t edge, int border) {
    const int w = img_.width, h = img_.height, r = 6;
    for (int j = 0; j < r; ++j) {
      fill(r - j, j, w - 2 * (r - j), 1, edge);
      fill(r - j, h - 1 - j, w - 2 * (r - j), 1, edge);
    }
    fill(0, r, w, h - 2 * r, edge);
    fill(border, border + r, w - 2 * border, h - 2 * (border + r), face);
    fill(border + r, border, w - 2 * (border + r), h - 2 * border, face);
  }
  // Text centred, each font pixel drawn scale x scale.
  void label(const std::string& text, std::uint8_t k, int scale) {
    const int tw = int(text.size()) * 6 * scale - scale, th = 7 * scale;
    const int x0 = (img_.width - tw) / 2, y0 = (img_.height - th) / 2;
    for (std::size_t c = 0; c < text.size(); ++c) {
      const auto& glyph = font().at(text[c]);
      for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
          if (glyph[std::size_t(row)][col] == '#')
            fill(x0 + (int(c) * 6 + col) * scale, y0 + row * scale, scale, scale, k);
    }
  }
  IndexImage take() { return std::move(img_); }

 private:
  IndexImage img_;
};

std::uint16_t addObject(IgMenu& m, IndexImage img) {
  IgObject o;
  o.objectId = std::uint16_t(m.objects.size());
  o.width = img.width;
  o.height = img.height;
  o.image = std::move(img);
  m.objects.push_back(std::move(o));
  return std::uint16_t(m.objects.size() - 1);
}

// The sample menus are HD, whose palettes players convert with BT.709.
void setColour(IgPalette& p, std::uint8_t e, PaletteRgb c, std::uint8_t t) {
  p.colours[e] = {c.r, c.g, c.b, t};
  p.ycrcb[e] = rgbToYCrCb(c, ColourMatrix::BT709);
}

// A palette of the sample in one tint; `fade` scales every transparency.
IgPalette palette(std::uint16_t id, PaletteRgb panel, PaletteRgb face, PaletteRgb glow, int fade) {
  IgPalette p;
  p.paletteId = id;
  auto a = [fade](int t) { return std::uint8_t(t * fade / 100); };
  setColour(p, kPanel, panel, a(208));
  setColour(p, kText, {245, 245, 245}, a(255));
  setColour(p, kFace, face, a(230));
  setColour(p, kBorder, {200, 200, 210}, a(255));
  for (int i = 0; i < 4; ++i)
    setColour(p, std::uint8_t(kGlow + i),
              {std::uint8_t(glow.r - 20 * i), std::uint8_t(glow.g - 20 * i), std::uint8_t(glow.b - 10 * i)}, a(255));
  setColour(p, kPressed, {250, 200, 40}, a(255));
  return p;
}

struct ButtonObjects {
  std::uint16_t normal, selectedStart, selectedEnd, activated;
};

// Normal face, `frames` selected frames with a pulsing border, and the
// pressed face.
ButtonObjects buttonObjects(IgMenu& m, const std::string& text, std::uint16_t w, std::uint16_t h, int frames) {
  ButtonObjects b{};
  Canvas normal(w, h);
  normal.box(kFace, kBorder, 2);
  normal.label(text, kText, 3);
  b.normal = addObject(m, normal.take());
  for (int f = 0; f < frames; ++f) {
    Canvas sel(w, h);
    sel.box(kFace, std::uint8_t(kGlow + f % 4), 4);
    sel.label(text, kText, 3);
    const std::uint16_t id = addObject(m, sel.take());
    if (f == 0) b.selectedStart = id;
    b.selectedEnd = id;
  }
  Canvas act(w, h);
  act.box(kPressed, kBorder, 4);
  act.label(text, kPanel, 3);
  b.activated = addObject(m, act.take());
  return b;
}

IgButton button(std::uint16_t id, std::uint16_t x, std::uint16_t y, const ButtonObjects& o,
                std::array<std::uint16_t, 4> neighbours, CommandList commands) {
  IgButton b;
  b.buttonId = id;
  b.numericSelectValue = id;
  b.x = x;
  b.y = y;
  b.upper = neighbours[0];
  b.lower = neighbours[1];
  b.left = neighbours[2];
  b.right = neighbours[3];
  b.normalStart = b.normalEnd = o.normal;
  b.selectedStart = o.selectedStart;
  b.selectedEnd = o.selectedEnd;
  b.selectedRepeat = 1;
  b.selectedSound = 0;
  b.activatedStart = b.activatedEnd = o.activated;
  b.activatedSound = 1;
  b.commands = std::move(commands);
  return b;
}

Bog bog(IgButton b) {
  Bog g;
  g.defaultValidButton = b.buttonId;
  g.buttons.push_back(std::move(b));
  return g;
}

Effect effect(std::uint32_t duration, std::uint8_t palette, std::vector<CompositionObject> objects) {
  Effect e;
  e.duration = duration;
  e.paletteId = palette;
  e.compObjects = std::move(objects);
  return e;
}

CompositionObject placed(std::uint16_t object, std::uint8_t window, std::uint16_t x, std::uint16_t y) {
  CompositionObject c;
  c.objectId = object;
  c.windowId = window;
  c.x = x;
  c.y = y;
  return c;
}

CompositionObject cropped(std::uint16_t object, std::uint16_t x, std::uint16_t y, std::uint16_t w, std::uint16_t h) {
  CompositionObject c = placed(object, 0, x, y);
  c.flags = 2;
  c.cropWidth = w;
  c.cropHeight = h;
  return c;
}

constexpr NavCommand kSetButtonPage1{0x51C00003, 0x80000001, 0x80000001};  // page 1, button 1
constexpr NavCommand kSetButtonPage0{0x51C00003, 0x80000002, 0x80000000};  // page 0, button 2

}  // namespace

IgMenu sampleMenu() {
  IgMenu m = newMenu();
  m.ics.model = 2;  // always on: the disc's top menu, shown at Start (not a pop-up menu)
  m.ics.frameRate = 1;  // 23.976
  m.ics.compositionState = 2;
  m.ics.userTimeout = 0;

  m.palettes.push_back(palette(0, {20, 30, 90}, {60, 70, 140}, {120, 200, 255}, 100));
  m.palettes.push_back(palette(1, {70, 20, 60}, {130, 60, 110}, {255, 150, 220}, 100));
  m.palettes.push_back(palette(2, {20, 30, 90}, {60, 70, 140}, {120, 200, 255}, 40));  // fading in

  Canvas panel0(640, 420);
  panel0.box(kPanel, kBorder, 3);
  const std::uint16_t mainPanel = addObject(m, panel0.take());
  Canvas panel1(800, 520);
  panel1.box(kPanel, kBorder, 3);
  const std::uint16_t chapterPanel = addObject(m, panel1.take());

  const ButtonObjects play = buttonObjects(m, "PLAY", 320, 64, 4);
  const ButtonObjects chapters = buttonObjects(m, "CHAPTERS", 320, 64, 4);
  const ButtonObjects setup = buttonObjects(m, "SETUP", 320, 64, 2);
  std::array<ButtonObjects, 4> chapter;
  for (int i = 0; i < 4; ++i) chapter[std::size_t(i)] = buttonObjects(m, std::to_string(i + 1), 120, 80, 2);
  const ButtonObjects back = buttonObjects(m, "BACK", 240, 64, 3);

  // Page 0: three BOGs of one button each.
  IgPage main;
  main.pageId = 0;
  main.paletteId = 0;
  main.animationFrameRateCode = 2;
  main.defaultSelectedButton = 1;
  main.defaultActivatedButton = kNoButton;
  main.effects[0].windowCount = 1;
  main.effects[0].windows[0] = {0, 640, 330, 640, 420};
  main.effects[0].effects = {effect(9000, 2, {placed(mainPanel, 0, 640, 330)}),
                             effect(9000, 0, {placed(mainPanel, 0, 640, 330)})};
  main.effects[1].windowCount = 1;
  main.effects[1].windows[0] = {0, 640, 330, 640, 420};
  main.effects[1].effects = {effect(6000, 0, {cropped(mainPanel, 640, 330, 640, 280)}),
                             effect(6000, 0, {cropped(mainPanel, 640, 330, 640, 140)})};
  main.bogs.push_back(bog(button(1, 800, 400, play, {3, 2, 1, 1}, {{0x21810000, 1, 0}})));  // Jump Title 1
  main.bogs.push_back(bog(button(2, 800, 500, chapters, {1, 3, 2, 2}, {kSetButtonPage1})));
  main.bogs.push_back(bog(button(3, 800, 600, setup, {2, 1, 3, 3}, {{0x50400001, 1, 3}, {0x21810000, 2, 0}})));

  // Page 1: the chapter buttons in one BOG, "BACK" in another.
  IgPage list;
  list.pageId = 1;
  list.paletteId = 1;
  list.animationFrameRateCode = 3;
  list.defaultSelectedButton = 1;
  list.defaultActivatedButton = kNoButton;
  list.effects[0].windowCount = 2;
  list.effects[0].windows[0] = {0, 560, 280, 800, 260};
  list.effects[0].windows[1] = {1, 560, 540, 800, 260};
  list.effects[0].effects = {effect(4500, 1, {cropped(chapterPanel, 560, 280, 800, 260)}),
                             effect(4500, 1, {placed(chapterPanel, 0, 560, 280)})};
  Bog chapterBog;
  chapterBog.defaultValidButton = 1;
  for (std::uint16_t i = 1; i <= 4; ++i) {
    const std::uint16_t left = i == 1 ? 4 : i - 1, right = i == 4 ? 1 : i + 1;
    chapterBog.buttons.push_back(button(i, std::uint16_t(600 + 180 * (i - 1)), 420, chapter[i - 1],
                                        {5, 5, left, right}, {{0x50400001, 1, i}, {0x21810000, 1, 0}}));  // Move GPR1, i; Jump Title 1
  }
  list.bogs.push_back(chapterBog);
  list.bogs.push_back(bog(button(5, 840, 640, back, {1, 1, 5, 5}, {kSetButtonPage0})));

  m.ics.pages = {main, list};
  buildAllPageButtons(m);
  return m;
}

bool writeSampleMenu(const std::filesystem::path& path) {
  IgMenu m = sampleMenu();
  Bytes bytes;
  SilentReporter quiet;
  if (!composeMenuSegments(m, SegmentFraming::Mnu, bytes, quiet)) return false;
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  std::string error;
  return writeFileAtomic(path.string(), bytes, &error);
}

}  // namespace mirdal::sample
