#include "menu/rle.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <utility>

#include "menu/colour.h"
#include "menu/object_png.h"
#include "support/recording_reporter.h"

namespace mirdal {
namespace {

IndexImage image(std::uint16_t w, std::uint16_t h, Bytes pixels) {
  IndexImage img;
  img.width = w;
  img.height = h;
  img.pixels = std::move(pixels);
  return img;
}

Bytes row(std::size_t n, std::uint8_t k) { return Bytes(n, k); }

struct EncodeCase {
  const char* name;
  IndexImage img;
  Bytes code;
};

TEST(RleEncode, CodeForms) {
  const EncodeCase cases[] = {
      {"one pixel of colour 5", image(1, 1, {5}), {0x05, 0x00, 0x00}},
      {"one pixel of colour 0", image(1, 1, {0}), {0x00, 0x01, 0x00, 0x00}},
      {"two pixels written as literals", image(2, 1, {7, 7}), {0x07, 0x07, 0x00, 0x00}},
      {"three pixels make a run", image(3, 1, {7, 7, 7}), {0x00, 0x83, 0x07, 0x00, 0x00}},
      {"63 zeros in the short form", image(63, 1, row(63, 0)), {0x00, 0x3F, 0x00, 0x00}},
      {"64 zeros in the long form", image(64, 1, row(64, 0)), {0x00, 0x40, 0x40, 0x00, 0x00}},
      {"64 of colour 9", image(64, 1, row(64, 9)), {0x00, 0xC0, 0x40, 0x09, 0x00, 0x00}},
      {"runs stop at the line end", image(2, 2, {4, 4, 4, 4}), {0x04, 0x04, 0x00, 0x00, 0x04, 0x04, 0x00, 0x00}},
      {"longest run", image(16383, 1, row(16383, 9)), {0x00, 0xFF, 0xFF, 0x09, 0x00, 0x00}},
      {"one past the longest run", image(16384, 1, row(16384, 9)), {0x00, 0xFF, 0xFF, 0x09, 0x09, 0x00, 0x00}},
      {"split zero run", image(16400, 1, row(16400, 0)), {0x00, 0x7F, 0xFF, 0x00, 0x11, 0x00, 0x00}},
      {"split leaves a run", image(16386, 1, row(16386, 2)),
       {0x00, 0xFF, 0xFF, 0x02, 0x00, 0x83, 0x02, 0x00, 0x00}},
      {"empty object", image(0, 0, {}), {}},
  };
  for (const auto& c : cases) EXPECT_EQ(rleEncodeImage(c.img), c.code) << c.name;
}

struct DecodeCase {
  const char* name;
  std::uint16_t w, h;
  Bytes code;
  Bytes pixels;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> shortLines;
};

TEST(RleDecode, LinesAndRuns) {
  const DecodeCase cases[] = {
      {"literals and end of line", 3, 1, {1, 2, 3, 0, 0}, {1, 2, 3}, {}},
      {"short line logged, rest stays 0", 3, 2, {1, 0, 0, 2, 2, 2, 0, 0}, {1, 0, 0, 2, 2, 2}, {{1, 0}}},
      {"run of length 0 fills the line", 4, 2, {5, 0, 0x80, 7, 9, 0, 0}, {5, 7, 7, 7, 9, 0, 0, 0}, {{1, 1}}},
      {"long zero run with length 0 ends the line", 3, 2, {0, 0x40, 0x00, 1, 1, 1, 0, 0}, {0, 0, 0, 1, 1, 1}, {}},
      {"run past the width is cut and ends the line", 2, 2, {0, 0x85, 3, 4, 4, 0, 0}, {3, 3, 4, 4}, {}},
      {"run ending at the width waits for end of line", 2, 2, {0, 0x82, 3, 0, 0, 6, 6}, {3, 3, 6, 6}, {}},
      {"data running out leaves zeros", 3, 2, {8, 8}, {8, 8, 0, 0, 0, 0}, {}},
      {"lines below the height are dropped", 1, 1, {1, 0, 0, 2, 0, 0}, {1}, {}},
      {"truncated long run reads zeros", 3, 1, {0, 0xC0}, {0, 0, 0}, {}},
      {"L14 colour run", 70, 1, {0, 0xC0, 70, 3}, row(70, 3), {}},
  };
  for (const auto& c : cases) {
    std::vector<ShortLine> lines;
    const IndexImage img = rleDecodeBytes(c.code.data(), c.code.size(), c.w, c.h, &lines);
    EXPECT_EQ(img.pixels, c.pixels) << c.name;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> got;
    for (auto l : lines) got.push_back({l.x, l.y});
    EXPECT_EQ(got, c.shortLines) << c.name;
  }
}

// Random pictures with runs of every length, also lines wider than the
// longest run.
TEST(RleRoundTrip, RandomImagesDecodeToThemselves) {
  std::mt19937 rng(12345);
  const std::pair<std::uint16_t, std::uint16_t> sizes[] = {{1, 1}, {7, 3}, {64, 64}, {720, 20}, {16383, 2},
                                                           {16384, 2}, {20000, 3}, {40000, 2}, {65535, 1}};
  for (auto [w, h] : sizes) {
    for (int trial = 0; trial < 3; ++trial) {
      IndexImage img = image(w, h, Bytes(std::size_t(w) * h));
      std::size_t i = 0;
      while (i < img.pixels.size()) {
        const std::size_t maxRun = trial == 0 ? 3 : trial == 1 ? 200 : 30000;
        const std::size_t n = std::min<std::size_t>(1 + rng() % maxRun, img.pixels.size() - i);
        const std::uint8_t k = std::uint8_t(rng() % 4 == 0 ? 0 : rng() % 256);
        std::fill_n(img.pixels.begin() + std::ptrdiff_t(i), n, k);
        i += n;
      }
      const Bytes code = rleEncodeImage(img);
      std::vector<ShortLine> lines;
      const IndexImage back = rleDecodeBytes(code.data(), code.size(), w, h, &lines);
      ASSERT_EQ(back.pixels, img.pixels) << w << "x" << h << " trial " << trial;
      EXPECT_TRUE(lines.empty());
      EXPECT_EQ(rleEncodeImage(back), code);
    }
  }
}

TEST(RleDecode, ObjectLogsShortLinesAndUsesOnlyDeclaredData) {
  test::ReportScope rs;
  IgMenu m;
  m.objects.resize(1);
  IgObject& o = m.objects[0];
  o.width = 3;
  o.height = 2;
  // Declared length 4: the trailing bytes of the buffer are not object data.
  o.rle = {1, 0, 0, 2, 9, 9, 9};
  o.rleLength = 4;
  ASSERT_TRUE(decodeObject(m, 0, mirdal::test::testReporter()));
  EXPECT_EQ(o.image->pixels, (Bytes{1, 0, 0, 2, 0, 0}));
  EXPECT_EQ(rs.rep.lines(), (std::vector<std::string>{" 1,0"}));
  EXPECT_FALSE(decodeObject(m, 1, mirdal::test::testReporter()));
}

TEST(RleEncode, RefusesObjectsBeyondTheLengthField) {
  test::ReportScope rs;
  IgMenu m;
  m.objects.resize(1);
  // Alternating pixels cost one byte each: 65535 x 260 is past 16 MiB.
  IndexImage img = image(65535, 260, Bytes(std::size_t(65535) * 260));
  for (std::size_t i = 0; i < img.pixels.size(); ++i) img.pixels[i] = std::uint8_t(1 + (i & 1));
  m.objects[0].width = img.width;
  m.objects[0].height = img.height;
  m.objects[0].image = std::move(img);
  Bytes out;
  EXPECT_FALSE(encodeObject(m, 0, out, mirdal::test::testReporter()));
  EXPECT_TRUE(out.empty());
  EXPECT_GT(mirdal::test::testReporter().errorCount(), 0);
  EXPECT_NE(rs.rep.text().find("length field"), std::string::npos);
}

// An object that claims more pixels than a menu object can have (only a
// damaged stream or an edit in code gives one) is refused by every path that
// would decode it, instead of taking gigabytes.
TEST(RleDecode, ObjectsTooLargeToHoldAreRefusedEverywhere) {
  const auto menu = [] {
    IgMenu m;
    m.objects.resize(1);
    m.objects[0].width = m.objects[0].height = 65535;
    m.objects[0].rle = {0, 0};
    m.objects[0].rleLength = 2;
    m.palettes.resize(1);
    return m;
  };
  const std::vector<std::pair<const char*, std::function<bool(IgMenu&)>>> paths = {
      {"decode", [](IgMenu& m) { return decodeObject(m, 0, mirdal::test::testReporter()); }},
      {"encode",
       [](IgMenu& m) {
         Bytes out;
         return encodeObject(m, 0, out, mirdal::test::testReporter());
       }},
      {"png", [](IgMenu& m) { return !exportObjectPng(m, 0, 0, "t", mirdal::test::testReporter()).empty(); }},
      {"picture",
       [](IgMenu& m) {
         const RgbaPicture* p = cachedObjectPicture(m, 0, 0, mirdal::test::testReporter());
         return p && !p->rgba.empty();
       }},
  };
  for (const auto& [name, run] : paths) {
    SCOPED_TRACE(name);
    test::ReportScope rs;
    IgMenu m = menu();
    EXPECT_FALSE(run(m));
    EXPECT_FALSE(m.objects[0].image);
    EXPECT_NE(rs.rep.text().find("Object 0 declares 65535x65535 pixels"), std::string::npos);
  }
  // A page drawn again does not decode (and log) again.
  test::ReportScope rs;
  IgMenu m = menu();
  cachedObjectPicture(m, 0, 0, mirdal::test::testReporter());
  cachedObjectPicture(m, 0, 0, mirdal::test::testReporter());
  const std::string log = rs.rep.text();
  EXPECT_EQ(log.find("declares"), log.rfind("declares"));
}

}  // namespace
}  // namespace mirdal
