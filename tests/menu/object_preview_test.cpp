// Previews of the menu editors: the palette an object is first shown
// through, objects drawn from their run-length code alone, the palette
// chart.
#include <gtest/gtest.h>

#include "menu/menu_edit.h"
#include "menu/object_preview.h"
#include "menu/rle.h"

namespace mirdal {
namespace {

// Two pages over four palettes. Page 0 (palette 1): in-effects with
// palettes 2 then 3 showing object 0, out-effect with palette 0 showing
// object 1; button 0 shows object 0 and 2. Page 1 (palette 2): button 0
// selects object 3.
IgMenu referencedMenu() {
  IgMenu m = createMenu();
  createPage(m);
  m.palettes.resize(4);
  m.objects.resize(5);
  IgPage& p0 = m.ics.pages[0];
  p0.paletteId = 1;
  Effect in1, in2, out;
  in1.paletteId = 2;
  in2.paletteId = 3;
  in1.compObjects.push_back(CompositionObject{});
  out.paletteId = 0;
  CompositionObject c1;
  c1.objectId = 1;
  out.compObjects.push_back(c1);
  p0.effects[0].effects = {in1, in2};
  p0.effects[1].effects = {out};
  IgButton& b0 = p0.bogs[0].buttons[0];
  b0.normalStart = 0;
  b0.normalEnd = 2;
  IgPage& p1 = m.ics.pages[1];
  p1.paletteId = 2;
  p1.bogs[0].buttons[0].selectedStart = p1.bogs[0].buttons[0].selectedEnd = 3;
  buildAllPageButtons(m);
  return m;
}

TEST(ReferencePalette, FollowsTheFirstReference) {
  const IgMenu m = referencedMenu();
  struct Case {
    std::uint16_t object;
    std::optional<std::size_t> palette;
  } cases[] = {
      {0, 3},             // "0i 0:0n": the last in-effect's palette, not the page's
      {1, 0},             // "0o": the first out-effect's palette
      {2, 1},             // "0:0n": the page's palette
      {3, 2},             // "1:0s": page 1's palette
      {4, std::nullopt},  // not used
  };
  for (const Case& c : cases) EXPECT_EQ(referencePalette(m, c.object), c.palette) << "object " << c.object;
}

TEST(ReferencePalette, NoPaletteOutsideTheTable) {
  IgMenu m = referencedMenu();
  m.ics.pages[1].paletteId = 9;
  EXPECT_EQ(referencePalette(m, 3), std::nullopt);
}

TEST(ObjectImage, DecodesTheRunLengthCodeWhenNoPictureIsHeld) {
  IndexImage img;
  img.width = 7;
  img.height = 3;
  for (int i = 0; i < 21; ++i) img.pixels.push_back(std::uint8_t(i % 4 ? 5 : 0));
  IgMenu m;
  IgObject o;
  o.width = img.width;
  o.height = img.height;
  o.rle = rleEncodeImage(img);
  m.objects.push_back(o);
  EXPECT_EQ(objectImage(m, 0), img);
  EXPECT_FALSE(m.objects[0].image);  // the menu is not touched

  m.palettes.resize(1);
  m.palettes[0].colours[5] = {10, 20, 30, 40};
  const RgbaPicture pic = objectPicture(m, 0, 0);
  ASSERT_EQ(pic.rgba.size(), 21u * 4);
  EXPECT_EQ(pic.rgba[4], 10);  // pixel 1 is entry 5
  EXPECT_EQ(pic.rgba[7], 40);
}

TEST(ObjectImage, EmptyForMissingOrPixelFreeObjects) {
  IgMenu m;
  m.objects.resize(2);
  m.objects[1].width = 4;  // no height, no code
  m.palettes.resize(1);
  for (std::size_t i : {std::size_t(0), std::size_t(1), std::size_t(7)}) {
    EXPECT_TRUE(objectImage(m, i).pixels.empty()) << i;
    EXPECT_EQ(objectPicture(m, i, 0).width, 0) << i;
  }
}

std::uint32_t rgba(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return std::uint32_t(r) << 24 | std::uint32_t(g) << 16 | std::uint32_t(b) << 8 | 0xFF;
}

TEST(PaletteChart, CellsSwatchesAndTransparency) {
  RgbaPalette pal{};
  pal[17] = {200, 100, 50, 255};  // row 1, column 1: cells at (20, 20) and (190, 20)
  pal[18] = {200, 100, 50, 0};    // fully transparent
  pal[255] = {1, 2, 3, 255};      // the last entry is drawn as stored
  const Colour bg{192, 192, 192};
  const Canvas c = paletteChart(pal, bg);
  ASSERT_EQ(c.width, 350);
  ASSERT_EQ(c.height, 180);
  struct Probe {
    int x, y;
    std::uint32_t want;
  } probes[] = {
      {0, 0, rgba(192, 192, 192)},      // background
      {20, 20, rgba(192, 192, 192)},    // a cell's clipped corner
      {21, 20, rgba(0, 0, 0)},          // the black cell
      {21, 21, rgba(0, 0, 0)},          // the swatch's clipped corner
      {22, 22, rgba(200, 100, 50)},     // the swatch
      {190, 20, rgba(192, 192, 192)},   // right grid: clipped corner
      {191, 20, rgba(255, 255, 255)},   // the white cell
      {192, 22, rgba(200, 100, 50)},    // opaque entry: its colour
      {202, 22, rgba(192, 192, 192)},   // transparent entry: the background
      {162, 162, rgba(1, 2, 3)},        // entry 255
  };
  for (const Probe& p : probes) EXPECT_EQ(pixelAt(c, p.x, p.y), p.want) << p.x << "," << p.y;
}

TEST(PaletteChart, EntryUnderThePointAndItsText) {
  struct Case {
    int x, y, entry;
  } cases[] = {
      {30, 25, 17},    {11, 11, 0},    {170, 170, 255}, {171, 20, -1},  // the grid ends at 170
      {10, 20, -1},    {181, 11, 0},   {340, 170, 255}, {341, 20, -1},  {100, 175, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(paletteChartEntry(c.x, c.y), c.entry) << c.x << "," << c.y;

  RgbaPalette pal{};
  pal[17] = Rgba{0x12, 0xAB, 0xFF, 64};
  EXPECT_EQ(paletteInspectionText(2, pal, -1), "Palette: 02 (2)");
  EXPECT_EQ(paletteInspectionText(2, pal, 17),
            "Palette: 02 (2)      Color: 11 (17)      RGB: #12ABFF  (18,171,255)      Opacity: 40 (64)"
            "      Transparency: BF (191)  74%");
}

}  // namespace
}  // namespace mirdal
