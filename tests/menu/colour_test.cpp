#include "menu/colour.h"

#include <gtest/gtest.h>

#include "support/recording_reporter.h"

namespace mirdal {
namespace {

constexpr ColourMatrix SD = ColourMatrix::BT601, HD = ColourMatrix::BT709;

TEST(Colour, YCrCbToRgb) {
  struct Case {
    ColourMatrix mx;
    YCrCb in;
    PaletteRgb out;
  } cases[] = {
      {SD, {16, 128, 128}, {0, 0, 0}},
      {SD, {235, 128, 128}, {255, 255, 255}},
      {SD, {82, 240, 90}, {255, 1, 0}},
      {SD, {0, 128, 128}, {0, 0, 0}},        // below black clamps to 0
      {SD, {255, 255, 255}, {255, 125, 255}},  // clamps at 255
      {SD, {16, 16, 240}, {0, 47, 226}},
      // BT.709: grey stays grey, the primaries come out where HD video puts them.
      {HD, {16, 128, 128}, {0, 0, 0}},
      {HD, {235, 128, 128}, {255, 255, 255}},
      {HD, {63, 240, 102}, {255, 1, 0}},
      {HD, {173, 27, 43}, {2, 255, 3}},
      {HD, {32, 119, 240}, {2, 0, 255}},
      // The same stored red through BT.601: the colours HD menus were shown
      // in before.
      {SD, {63, 240, 102}, {233, 0, 2}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(yCrCbToRgb(c.in, c.mx), c.out)
        << colourMatrixName(c.mx) << " " << int(c.in.y) << "," << int(c.in.cr) << "," << int(c.in.cb);
}

TEST(Colour, RgbToYCrCb) {
  struct Case {
    ColourMatrix mx;
    PaletteRgb in;
    YCrCb out;
  } cases[] = {
      {SD, {0, 0, 0}, {16, 128, 128}},
      {SD, {255, 0, 0}, {82, 240, 91}},
      {SD, {255, 255, 255}, {235, 128, 128}},
      {SD, {0, 0, 255}, {41, 111, 240}},
      {SD, {0, 255, 0}, {145, 35, 55}},  // negative sums truncate toward zero,
      {HD, {0, 0, 0}, {16, 128, 128}},
      {HD, {255, 255, 255}, {235, 128, 128}},
      {HD, {255, 0, 0}, {63, 240, 103}},
      {HD, {0, 255, 0}, {173, 27, 43}},
      {HD, {0, 0, 255}, {32, 119, 240}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(rgbToYCrCb(c.in, c.mx), c.out)
        << colourMatrixName(c.mx) << " " << int(c.in.r) << "," << int(c.in.g) << "," << int(c.in.b);
}

TEST(Colour, TheMatrixFollowsTheVideoHeight) {
  EXPECT_EQ(colourMatrixFor(480), SD);
  EXPECT_EQ(colourMatrixFor(576), SD);
  EXPECT_EQ(colourMatrixFor(719), SD);
  EXPECT_EQ(colourMatrixFor(720), HD);
  EXPECT_EQ(colourMatrixFor(1080), HD);
}

// Changing the height across 720 lines shows the stored Y/Cr/Cb through
// the other matrix; entries set as R/G/B (Y 0) keep their colour.
TEST(Colour, ReconvertingKeepsWhatWasSetAsRgb) {
  IgMenu m;
  m.ics.videoHeight = 1080;
  m.palettes.resize(1);
  IgPalette& p = m.palettes[0];
  p.ycrcb[1] = {63, 240, 102};
  p.colours[1] = {255, 1, 0, 200};
  p.colours[2] = {10, 20, 30, 255};  // Y 0: R/G/B is what was set
  EXPECT_FALSE(reconvertPalettes(m));
  m.ics.videoHeight = 576;
  EXPECT_TRUE(reconvertPalettes(m));
  EXPECT_EQ(p.colours[1], (Rgba{233, 0, 2, 200}));
  EXPECT_EQ(p.colours[2], (Rgba{10, 20, 30, 255}));
  EXPECT_TRUE(p.colours[3].unused());
}

TEST(Colour, Obj2PicConvertsOnceAndForgetsChangedPalettes) {
  test::ReportScope rs;
  IgMenu m;
  m.objects.resize(1);
  m.objects[0].width = 2;
  m.objects[0].height = 1;
  m.objects[0].rle = {1, 2, 0, 0};
  m.objects[0].rleLength = 4;
  m.palettes.resize(2);
  m.palettes[0].colours[1] = {10, 20, 30, 255};
  m.palettes[0].colours[2] = {40, 50, 60, 0};
  m.palettes[1].colours[1] = {1, 1, 1, 128};

  const RgbaPicture* a = cachedObjectPicture(m, 0, 0, mirdal::test::testReporter());
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->rgba, (Bytes{10, 20, 30, 255, 40, 50, 60, 0}));
  // A second call is served from the cache: the picture object is the same
  // even though the palette was changed behind the cache's back.
  m.palettes[0].colours[1] = {99, 99, 99, 99};
  EXPECT_EQ(cachedObjectPicture(m, 0, 0, mirdal::test::testReporter()), a);
  EXPECT_EQ(a->rgba[0], 10);
  clearPaletteCache(m, 0);
  EXPECT_EQ(cachedObjectPicture(m, 0, 0, mirdal::test::testReporter())->rgba[0], 99);
  EXPECT_EQ(cachedObjectPicture(m, 0, 1, mirdal::test::testReporter())->rgba, (Bytes{1, 1, 1, 128, 0, 0, 0, 0}));
  EXPECT_EQ(cachedObjectPicture(m, 1, 0, mirdal::test::testReporter()), nullptr);
  EXPECT_EQ(cachedObjectPicture(m, 0, 2, mirdal::test::testReporter()), nullptr);
  EXPECT_EQ(mirdal::test::testReporter().status().panel[1], "  ");
}

}  // namespace
}  // namespace mirdal
