#include "menu/colour.h"

#include <gtest/gtest.h>

#include "support/recording_reporter.h"

namespace mirdal {
namespace {

TEST(Colour, YCrCbToRgb) {
  struct Case {
    TYCrCb in;
    TRGB out;
  } cases[] = {
      {{16, 128, 128}, {0, 0, 0}},
      {{235, 128, 128}, {255, 255, 255}},
      {{82, 240, 90}, {255, 1, 0}},
      {{0, 128, 128}, {0, 0, 0}},        // below black clamps to 0
      {{255, 255, 255}, {255, 125, 255}},  // clamps at 255
      {{16, 16, 240}, {0, 47, 226}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ycrcb2rgb(c.in), c.out) << int(c.in.y) << "," << int(c.in.cr) << "," << int(c.in.cb);
}

TEST(Colour, RgbToYCrCb) {
  struct Case {
    TRGB in;
    TYCrCb out;
  } cases[] = {
      {{0, 0, 0}, {16, 128, 128}},
      {{255, 0, 0}, {82, 240, 91}},
      {{255, 255, 255}, {235, 128, 128}},
      {{0, 0, 255}, {41, 111, 240}},
      {{0, 255, 0}, {145, 35, 55}},  // negative sums truncate toward zero,
  };
  for (const auto& c : cases) EXPECT_EQ(rgb2ycrcb(c.in), c.out) << int(c.in.r) << "," << int(c.in.g) << "," << int(c.in.b);
}

TEST(Colour, Obj2PicConvertsOnceAndForgetsChangedPalettes) {
  test::ReportScope rs;
  TMenu m;
  m.objects.resize(1);
  m.objects[0].width = 2;
  m.objects[0].height = 1;
  m.objects[0].rle = {1, 2, 0, 0};
  m.objects[0].rle_length = 4;
  m.palettes.resize(2);
  m.palettes[0].colours[1] = {10, 20, 30, 255};
  m.palettes[0].colours[2] = {40, 50, 60, 0};
  m.palettes[1].colours[1] = {1, 1, 1, 128};

  const RgbaPicture* a = Obj2Pic(m, 0, 0);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->rgba, (Bytes{10, 20, 30, 255, 40, 50, 60, 0}));
  // A second call is served from the cache: the picture object is the same
  // even though the palette was changed behind the cache's back.
  m.palettes[0].colours[1] = {99, 99, 99, 99};
  EXPECT_EQ(Obj2Pic(m, 0, 0), a);
  EXPECT_EQ(a->rgba[0], 10);
  clearPaletteCache(m, 0);
  EXPECT_EQ(Obj2Pic(m, 0, 0)->rgba[0], 99);
  EXPECT_EQ(Obj2Pic(m, 0, 1)->rgba, (Bytes{1, 1, 1, 128, 0, 0, 0, 0}));
  EXPECT_EQ(Obj2Pic(m, 1, 0), nullptr);
  EXPECT_EQ(Obj2Pic(m, 0, 2), nullptr);
  EXPECT_EQ(statusLine().panel[1], "  ");
}

}  // namespace
}  // namespace mirdal
