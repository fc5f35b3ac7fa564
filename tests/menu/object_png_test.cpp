#include "menu/object_png.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <string_view>

#include "menu/colour.h"
#include "menu/palette_files.h"
#include "support/recording_reporter.h"

namespace mirdal {
namespace {

void toBytes(png_structp png, png_bytep in, png_size_t n) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), in, in + n);
}

// A PNG written straight through libpng, independently of the code under
// test: pixel i of the image has value i mod (palette size or 256).
Bytes makePng(std::uint32_t w, std::uint32_t h, int colourType, int depth, int paletteSize = 0, int trnsSize = 0) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, toBytes, nullptr);
  png_set_IHDR(png, info, w, h, depth, colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> plte;
  for (int i = 0; i < paletteSize; ++i) plte.push_back({png_byte(i), png_byte(2 * i), png_byte(255 - i)});
  if (paletteSize) png_set_PLTE(png, info, plte.data(), paletteSize);
  std::vector<png_byte> trns;
  for (int i = 0; i < trnsSize; ++i) trns.push_back(png_byte(10 + i));
  if (trnsSize) png_set_tRNS(png, info, trns.data(), trnsSize, nullptr);
  png_write_info(png, info);
  const int channels = colourType == PNG_COLOR_TYPE_RGB ? 3 : 1;
  std::vector<png_byte> row(std::size_t(w) * channels * depth / 8 + 1);
  const int mod = paletteSize ? paletteSize : 256;
  for (std::uint32_t y = 0; y < h; ++y) {
    for (std::size_t i = 0; i < row.size(); ++i) row[i] = png_byte((y * w + i) % std::size_t(mod));
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

IgMenu menu720x480() {
  IgMenu m = newMenu();
  m.ics.videoWidth = 720;
  m.ics.videoHeight = 480;
  return m;
}

TEST(ObjectPng, ImportChecksTheImage) {
  struct Case {
    const char* name;
    Bytes png;
    bool accepted;
  } cases[] = {
      {"as large as the menu", makePng(720, 480, PNG_COLOR_TYPE_PALETTE, 8, 256), true},
      {"one column too wide", makePng(721, 10, PNG_COLOR_TYPE_PALETTE, 8, 256), false},
      {"one line too tall", makePng(10, 481, PNG_COLOR_TYPE_PALETTE, 8, 256), false},
      {"24-bit colour", makePng(10, 10, PNG_COLOR_TYPE_RGB, 8), false},
      {"4-bit palette", makePng(10, 10, PNG_COLOR_TYPE_PALETTE, 4, 16), false},
      {"8-bit grey", makePng(10, 10, PNG_COLOR_TYPE_GRAY, 8), false},
      {"not a PNG", Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9}, false},
  };
  Bytes truncated = makePng(100, 100, PNG_COLOR_TYPE_PALETTE, 8, 256);
  truncated.resize(truncated.size() / 2);
  for (const auto& c : cases) {
    test::ReportScope rs;
    IgMenu m = menu720x480();
    const auto r = importObjectPng(m, c.png, {}, mirdal::test::testReporter());
    EXPECT_EQ(r.has_value(), c.accepted) << c.name;
    EXPECT_EQ(m.objects.size(), c.accepted ? 1u : 0u) << c.name;
    EXPECT_EQ(m.palettes.size(), c.accepted ? 1u : 0u) << c.name;
    if (!c.accepted) {
      EXPECT_EQ(rs.rep.status.panel[1], " Not supported file format!") << c.name;
    }
  }
  test::ReportScope rs;
  IgMenu m = menu720x480();
  EXPECT_FALSE(importObjectPng(m, truncated, {}, mirdal::test::testReporter()));
  EXPECT_TRUE(m.objects.empty());
}

TEST(ObjectPng, ImportBuildsObjectAndPalette) {
  test::ReportScope rs;
  IgMenu m = menu720x480();
  m.objects.resize(2);
  m.palettes.resize(3);
  const auto r = importObjectPng(m, makePng(5, 2, PNG_COLOR_TYPE_PALETTE, 8, 3, 2), {}, mirdal::test::testReporter());
  ASSERT_TRUE(r);
  EXPECT_EQ(r->object, 2u);
  EXPECT_EQ(r->palette, 3u);
  const IgObject& o = m.objects[2];
  EXPECT_EQ(o.objectId, 2);
  EXPECT_EQ(o.width, 5);
  EXPECT_EQ(o.image->pixels, (Bytes{0, 1, 2, 0, 1, 2, 0, 1, 2, 0}));
  EXPECT_EQ(o.rleLength, o.rle.size());
  const IgPalette& p = m.palettes[3];
  EXPECT_EQ(p.paletteId, 3);
  EXPECT_EQ(p.colours[0], (Rgba{0, 0, 255, 10}));
  EXPECT_EQ(p.colours[1], (Rgba{1, 2, 254, 11}));
  EXPECT_EQ(p.colours[2], (Rgba{2, 4, 253, 255}));  // no tRNS value: opaque
  EXPECT_TRUE(p.colours[3].unused());
  EXPECT_EQ(p.ycrcb[1], rgbToYCrCb({1, 2, 254}, ColourMatrix::BT601));  // 480 lines
  {
    // An HD menu stores the PNG's colours as BT.709, which its players use.
    IgMenu hd = menu720x480();
    hd.ics.videoHeight = 720;
    ASSERT_TRUE(importObjectPng(hd, makePng(5, 2, PNG_COLOR_TYPE_PALETTE, 8, 3, 2), {}, mirdal::test::testReporter()));
    EXPECT_EQ(hd.palettes.back().ycrcb[1], rgbToYCrCb({1, 2, 254}, ColourMatrix::BT709));
    EXPECT_NE(hd.palettes.back().ycrcb[1], p.ycrcb[1]);
  }

  // Replacing both: the counts stay, the cached pictures go.
  ASSERT_NE(cachedObjectPicture(m, 2, 3, mirdal::test::testReporter()), nullptr);
  const auto again = importObjectPng(m, makePng(3, 1, PNG_COLOR_TYPE_PALETTE, 8, 2), {2, 3}, mirdal::test::testReporter());
  ASSERT_TRUE(again);
  EXPECT_EQ(m.objects.size(), 3u);
  EXPECT_EQ(m.palettes.size(), 4u);
  EXPECT_EQ(cachedObjectPicture(m, 2, 3, mirdal::test::testReporter())->rgba, (Bytes{0, 0, 255, 255, 1, 2, 254, 255, 0, 0, 255, 255}));
  EXPECT_FALSE(importObjectPng(m, makePng(3, 1, PNG_COLOR_TYPE_PALETTE, 8, 2), {7, std::nullopt}, mirdal::test::testReporter()));
}

TEST(ObjectPng, ExportReadsBackWithAllColoursAndSoftware) {
  test::ReportScope rs;
  IgMenu m = newMenu();
  m.objects.resize(1);
  m.objects[0].image = IndexImage{4, 2, {0, 1, 2, 255, 9, 9, 9, 0}};
  m.objects[0].width = 4;
  m.objects[0].height = 2;
  m.palettes.resize(1);
  for (int i = 0; i < 256; ++i)
    m.palettes[0].colours[std::size_t(i)] = {std::uint8_t(i), std::uint8_t(i / 2), 7, std::uint8_t(255 - i)};
  const Bytes png = exportObjectPng(m, 0, 0, "Mirdal 0.34b", mirdal::test::testReporter());
  PalettePng back;
  ASSERT_TRUE(readPalettePng(png, 100, 100, back));
  EXPECT_EQ(back.image, *m.objects[0].image);
  ASSERT_EQ(back.colours.size(), 256u);
  ASSERT_EQ(back.alpha.size(), 256u);
  EXPECT_EQ(back.colours[200], (PaletteRgb{200, 100, 7}));
  EXPECT_EQ(back.alpha[200], 55);
  const std::string_view text(reinterpret_cast<const char*>(png.data()), png.size());
  EXPECT_NE(text.find(std::string_view("tEXtSoftware\0Mirdal 0.34b", 25)), std::string_view::npos);
  EXPECT_TRUE(exportObjectPng(m, 1, 0, "x", mirdal::test::testReporter()).empty());
}

TEST(PaletteFiles, PxmlAndAct) {
  IgPalette p;
  p.colours[1] = {255, 0, 0, 128};
  p.ycrcb[1] = {82, 240, 91};
  const Bytes act = paletteFile(p, "/tmp/x.act");
  ASSERT_EQ(act.size(), 768u);
  EXPECT_EQ(Bytes(act.begin() + 3, act.begin() + 6), (Bytes{255, 0, 0}));
  const Bytes pxml = paletteFile(p, "x.pxml");
  const std::string s(pxml.begin(), pxml.end());
  EXPECT_EQ(std::count(s.begin(), s.end(), '\n'), 2 + 256 * 10 + 2);
  EXPECT_EQ(std::count(s.begin(), s.end(), '\r'), 2 + 256 * 10 + 2);
  EXPECT_EQ(s.substr(0, 56), "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>");
  EXPECT_NE(s.find("\r\n\r\n  <PaletteData PaletteEntryId=\"1\" UseForm=\"YCrCb\">\r\n    <R>255</R>\r\n    <G>0</G>\r\n"
                   "    <B>0</B>\r\n    <T>128</T>\r\n    <Y>82</Y>\r\n    <Cr>240</Cr>\r\n    <Cb>91</Cb>\r\n"
                   "  </PaletteData>\r\n"),
            std::string::npos);
  EXPECT_EQ(s.substr(s.size() - 26), "\r\n\r\n</PaletteDefinition>\r\n");
  EXPECT_TRUE(paletteFile(p, "x.PXML").empty());
  EXPECT_TRUE(paletteFile(p, "x.txt").empty());
}

}  // namespace
}  // namespace mirdal
