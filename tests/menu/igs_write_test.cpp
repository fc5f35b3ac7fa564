#include "menu/igs_write.h"

#include <gtest/gtest.h>

#include "menu/igs_read.h"
#include "menu/rle.h"
#include "mnu_builder.h"
#include "support/recording_reporter.h"

namespace mirdal {
namespace {

using test::ByteBuilder;

IndexImage alternating(std::uint16_t w, std::uint16_t h) {
  IndexImage img{w, h, Bytes(std::size_t(w) * h)};
  for (std::size_t i = 0; i < img.pixels.size(); ++i) img.pixels[i] = std::uint8_t(1 + (i & 1));
  return img;
}

void addObject(IgMenu& m, IndexImage img) {
  IgObject o;
  o.objectId = std::uint16_t(m.objects.size());
  o.width = img.width;
  o.height = img.height;
  o.image = std::move(img);
  m.objects.push_back(std::move(o));
}

// One page without effects or BOGs: 21 bytes of page data.
IgMenu smallMenu() {
  IgMenu m = newMenu();
  m.ics.compositionState = 2;
  IgPage p;
  p.defaultSelectedButton = 0xFFFF;
  m.ics.pages.push_back(p);
  buildAllPageButtons(m);
  m.palettes.resize(1);
  m.palettes[0].colours[1] = {255, 0, 0, 255};  // no Y/Cr/Cb yet: derived on save
  m.palettes[0].colours[255] = {1, 2, 3, 4};    // entry 255 is never written
  addObject(m, alternating(200, 1));            // 202 bytes of code
  return m;
}

TEST(SaveIgs, WritesTheSegmentsByteForByte) {
  test::ReportScope rs;
  IgMenu m = smallMenu();
  Bytes out;
  ASSERT_TRUE(composeMenuSegments(m, SegmentFraming::Mnu, out, mirdal::test::testReporter()));
  const std::uint32_t T = 180000, d = 9 * 202 / 600;  // 3 ticks
  ByteBuilder b;
  // ICS: 21 page bytes; data length 26.
  b.str("IG").u32(T).u32(T - d).u8(0x18).u16(38);
  b.u16(1920).u16(1080).u8(0x20).u16(0).u8(0x80).u8(0xC0).u24(26).u8(0xC0).u24(0).u8(1);
  b.u8(0).u8(0).u32(0).u32(0).u8(0).u8(0).u8(0).u8(0).u8(0).u16(0xFFFF).u16(0xFFFF).u8(0).u8(0);
  // PDS: one entry, red with Y/Cr/Cb computed (BT.709: the menu is HD).
  b.str("IG").u32(T - d).u32(0).u8(0x14).u16(7).u8(0).u8(0).u8(1).u8(63).u8(240).u8(103).u8(255);
  // ODS: 202 bytes of code.
  b.str("IG").u32(T).u32(T - d).u8(0x15).u16(213).u16(0).u8(0).u8(0xC0).u24(206).u16(200).u16(1);
  b.bytes(rleEncodeImage(alternating(200, 1)));
  // END.
  b.str("IG").u32(T - d).u32(0).u8(0x80).u16(0);
  EXPECT_EQ(out, b.data());
  EXPECT_EQ(m.palettes[0].ycrcb[1], (YCrCb{63, 240, 103}));
  EXPECT_EQ(m.ics.dataLength, 26u);
}

// A colour set as R/G/B gets its Y/Cr/Cb from the matrix players use for
// the menu's height, so that it shows as set.
TEST(SaveIgs, PaletteEntriesTakeTheMatrixOfTheHeight) {
  const std::pair<std::uint16_t, YCrCb> cases[] = {{1080, {63, 240, 103}}, {720, {63, 240, 103}}, {576, {82, 240, 91}}};
  for (const auto& [height, red] : cases) {
    test::ReportScope rs;
    IgMenu m = smallMenu();
    m.ics.videoHeight = height;
    Bytes out;
    ASSERT_TRUE(composeMenuSegments(m, SegmentFraming::Mnu, out, mirdal::test::testReporter()));
    EXPECT_EQ(m.palettes[0].ycrcb[1], red) << height;
    IgMenu back;
    ASSERT_EQ(parseMnu(out, back, mirdal::test::testReporter()).status, ReadStatus::Ok);
    const Rgba c = back.palettes[0].colours[1];
    EXPECT_GE(c.r, 254) << height;
    EXPECT_LE(c.g + c.b, 2) << height;
  }
}

// Segments of a type the menu does not know go back as they came: a file
// the writer made, with such a segment before its END, saves unchanged; one
// whose last segment is unknown (no END) gets an END after it.
TEST(SaveIgs, KeepsUnknownSegmentsByteForByte) {
  test::ReportScope rs;
  IgMenu m = smallMenu();
  Bytes written;
  ASSERT_TRUE(composeMenuSegments(m, SegmentFraming::Mnu, written, mirdal::test::testReporter()));
  const Bytes end(written.end() - 13, written.end());
  ByteBuilder unknown;
  test::addSegment(unknown, 0x81, {0xDE, 0xAD, 0xBE, 0xEF}, 12345, 678);
  test::addSegment(unknown, 0x30, {}, 0, 0);

  Bytes withUnknown(written.begin(), written.end() - 13);
  withUnknown.insert(withUnknown.end(), unknown.data().begin(), unknown.data().end());
  const Bytes noEnd = withUnknown;
  withUnknown.insert(withUnknown.end(), end.begin(), end.end());
  for (const Bytes& file : {withUnknown, noEnd}) {
    IgMenu back;
    ASSERT_EQ(parseMnu(file, back, mirdal::test::testReporter()).status, ReadStatus::Ok);
    ASSERT_EQ(back.unknownSegments.size(), 2u);
    Bytes again;
    ASSERT_TRUE(composeMenuSegments(back, SegmentFraming::Mnu, again, mirdal::test::testReporter()));
    EXPECT_EQ(again, withUnknown) << (file == noEnd ? "without END" : "with END");
  }

  // A PES packet holds at most 65519 body bytes: a longer kept segment
  // cannot go into a stream, and nothing is written.
  IgMenu big = smallMenu();
  big.unknownSegments.push_back({0, 0, 0x81, Bytes(65535, 7), 0});
  Bytes pes{1, 2, 3};
  EXPECT_FALSE(composeMenuSegments(big, SegmentFraming::Pes, pes, mirdal::test::testReporter()));
  EXPECT_EQ(pes, (Bytes{1, 2, 3}));
  EXPECT_NE(rs.rep.text().find("segment of unknown type $81 holds 65535 bytes"), std::string::npos) << rs.rep.text();
  Bytes mnu;
  EXPECT_TRUE(composeMenuSegments(big, SegmentFraming::Mnu, mnu, mirdal::test::testReporter()));
}

TEST(SaveIgs, PesFraming) {
  struct Case {
    std::uint32_t pts, dts;
    std::size_t length;
    Bytes header;
  } cases[] = {
      {180000, 179997, 38, {0, 0, 1, 0xBD, 0, 54, 0x84, 0xC0, 10, 0x31, 0x00, 0x0B, 0x7E, 0x41, 0x11, 0x00, 0x0B,
                            0x7E, 0x3B}},
      {180000, 0, 0, {0, 0, 1, 0xBD, 0, 11, 0x84, 0x80, 5, 0x21, 0x00, 0x0B, 0x7E, 0x41}},
      {0xC0000000, 0, 65519, {0, 0, 1, 0xBD, 0xFF, 0xFA, 0x84, 0x80, 5, 0x27, 0x00, 0x01, 0x00, 0x01}},
  };
  for (const auto& c : cases) EXPECT_EQ(pesHeader(c.pts, c.dts, c.length), c.header) << c.pts;

  test::ReportScope rs;
  IgMenu m = smallMenu();
  Bytes pes, mnu;
  ASSERT_TRUE(composeMenuSegments(m, SegmentFraming::Pes, pes, mirdal::test::testReporter()));
  ASSERT_TRUE(composeMenuSegments(m, SegmentFraming::Mnu, mnu, mirdal::test::testReporter()));
  // Four segments: ICS and ODS with a DTS (19-byte header), PDS and END
  // without (14 bytes), each in place of a 10-byte prefix.
  EXPECT_EQ(pes.size(), mnu.size() + 9 + 4 + 9 + 4);
  EXPECT_EQ(Bytes(pes.begin(), pes.begin() + 19), pesHeader(180000, 179997, 38));
}

// A page whose serialized size is exactly `size`: one BOG with one button of
// n commands (59 + 12n bytes), plus empty BOGs (3 bytes) and empty in-effects
// (5 bytes) for the remainder.
IgPage pageOfSize(std::size_t size) {
  for (std::size_t bogs = 0; bogs < 12; ++bogs)
    for (std::size_t effects = 0; effects < 12; ++effects) {
      const std::size_t fixed = 59 + 3 * bogs + 5 * effects;
      if (fixed > size || (size - fixed) % 12) continue;
      IgPage p;
      p.effects[0].effects.resize(effects);
      Bog bog;
      bog.buttons.resize(1);
      bog.buttons[0].commands.resize((size - fixed) / 12);
      p.bogs.push_back(bog);
      p.bogs.resize(1 + bogs);
      return p;
    }
  return {};
}

std::vector<std::pair<std::uint8_t, std::size_t>> segmentsOf(const Bytes& file) {
  std::vector<std::pair<std::uint8_t, std::size_t>> out;
  for (std::size_t pos = 0; pos + 13 <= file.size();) {
    const std::size_t len = std::size_t(file[pos + 11]) << 8 | file[pos + 12];
    out.push_back({file[pos + 10], len});
    pos += 13 + len;
  }
  return out;
}

TEST(SaveIgs, SegmentSplitting) {
  using Segs = std::vector<std::pair<std::uint8_t, std::size_t>>;
  struct Case {
    const char* name;
    std::size_t pageBytes;
    std::uint16_t objectWidth;  // one line of alternating pixels: width + 2 bytes; 1: no object
    std::uint8_t model;
    Segs segments;
  } cases[] = {
      {"page block of 65502 fits one ICS", 65502, 1, 3, {{0x18, 65519}, {0x80, 0}}},
      {"page block of 65503 needs two", 65503, 1, 3, {{0x18, 65519}, {0x18, 10}, {0x80, 0}}},
      {"with time-outs the first carries ten less", 65492, 1, 1, {{0x18, 65519}, {0x80, 0}}},
      {"with time-outs one more byte splits", 65493, 1, 1, {{0x18, 65519}, {0x18, 10}, {0x80, 0}}},
      {"object of 65508 code bytes fits one ODS", 21, 65506, 3, {{0x18, 38}, {0x15, 65519}, {0x80, 0}}},
      {"object of 65509 code bytes needs two", 21, 65507, 3, {{0x18, 38}, {0x15, 65519}, {0x15, 5}, {0x80, 0}}},
  };
  for (const auto& c : cases) {
    test::ReportScope rs;
    IgMenu m = newMenu();
    m.ics.model = c.model;
    m.ics.pages.push_back(c.pageBytes == 21 ? IgPage{} : pageOfSize(c.pageBytes));
    buildAllPageButtons(m);
    if (c.objectWidth > 1) addObject(m, alternating(c.objectWidth, 1));
    Bytes pages;
    ASSERT_TRUE(serializePages(m.ics, pages, mirdal::test::testReporter()));
    ASSERT_EQ(pages.size(), c.pageBytes) << c.name;
    Bytes out;
    ASSERT_TRUE(composeMenuSegments(m, SegmentFraming::Mnu, out, mirdal::test::testReporter())) << c.name;
    Segs got = segmentsOf(out);
    EXPECT_EQ(got, c.segments) << c.name;
    IgMenu back;
    parseMnu(out, back, mirdal::test::testReporter());
    ASSERT_EQ(back.ics.pages.size(), 1u) << c.name;
    EXPECT_EQ(back.ics.pages[0], m.ics.pages[0]) << c.name;
    if (c.objectWidth > 1) {
      ASSERT_TRUE(decodeObject(back, 0, mirdal::test::testReporter()));
      EXPECT_EQ(back.objects[0].image, m.objects[0].image) << c.name;
    }
  }
}

TEST(SaveIgs, ObjectOrderFollowsTheFirstPage) {
  IgMenu m = newMenu();
  for (int i = 0; i < 12; ++i) addObject(m, alternating(1, 1));
  IgPage p;
  Effect in;
  in.compObjects = {CompositionObject{9}, CompositionObject{0xFFFF}, CompositionObject{9}};
  p.effects[0].effects.push_back(in);
  Bog shown;
  shown.defaultValidButton = 1;
  IgButton a;
  a.buttonId = 1;
  a.normalStart = 4;
  a.normalEnd = 5;
  a.selectedStart = 2;
  a.selectedEnd = 2;
  a.activatedStart = 7;
  a.activatedEnd = 6;  // end below start: nothing
  shown.buttons.push_back(a);
  Bog hidden;  // default valid button 0xFFFF
  IgButton b;
  b.buttonId = 2;
  b.normalStart = 11;
  b.normalEnd = 11;
  b.selectedStart = 3;
  b.selectedEnd = 3;
  b.activatedStart = 40;  // not in the table
  b.activatedEnd = 40;
  hidden.buttons.push_back(b);
  p.bogs = {hidden, shown};
  m.ics.pages.push_back(p);
  buildAllPageButtons(m);
  EXPECT_EQ(objectWriteOrder(m), (std::vector<std::uint16_t>{9, 4, 5, 2, 11, 3, 0, 1, 6, 7, 8, 10}));
}

TEST(SaveIgs, RoundTripKeepsModelAndTimeouts) {
  test::ReportScope rs;
  test::ByteBuilder b;
  ByteBuilder bog;
  bog.u16(1).u8(2).bytes(test::buttonBytes(1)).bytes(test::buttonBytes(3));
  test::addSegment(b, 0x18, test::icsBody(1, 1, test::simplePage(0, 1, bog.data())));
  test::addSegment(b, 0x80, {});
  IgMenu m;
  parseMnu(b.data(), m, mirdal::test::testReporter());
  Bytes out;
  ASSERT_TRUE(composeMenuSegments(m, SegmentFraming::Mnu, out, mirdal::test::testReporter()));
  // The time-outs stand after the model byte, as they were read.
  const Bytes original = b.data();
  EXPECT_EQ(Bytes(out.begin() + 13, out.begin() + 13 + 27), Bytes(original.begin() + 13, original.begin() + 40));
  IgMenu back;
  EXPECT_EQ(parseMnu(out, back, mirdal::test::testReporter()).status, ReadStatus::Ok);
  EXPECT_EQ(back.ics, m.ics);
  EXPECT_EQ(back.icsData, m.icsData);
}

TEST(SaveIgs, RefusesListsLongerThanTheirCounts) {
  struct Case {
    const char* name;
    std::function<void(IgMenu&)> grow;
  } cases[] = {
      {"256 pages", [](IgMenu& m) { m.ics.pages.resize(256); }},
      {"three windows", [](IgMenu& m) { m.ics.pages[0].effects[1].windowCount = 3; }},
      {"256 BOGs", [](IgMenu& m) { m.ics.pages[0].bogs.resize(256); }},
      {"256 buttons", [](IgMenu& m) { m.ics.pages[0].bogs.resize(1); m.ics.pages[0].bogs[0].buttons.resize(256); }},
      {"256 effect objects",
       [](IgMenu& m) {
         m.ics.pages[0].effects[0].effects.resize(1);
         m.ics.pages[0].effects[0].effects[0].compObjects.resize(256);
       }},
  };
  for (const auto& c : cases) {
    test::ReportScope rs;
    IgMenu m = newMenu();
    m.ics.pages.resize(1);
    c.grow(m);
    Bytes out;
    EXPECT_FALSE(composeMenuSegments(m, SegmentFraming::Mnu, out, mirdal::test::testReporter())) << c.name;
    EXPECT_TRUE(out.empty()) << c.name;
    EXPECT_GT(mirdal::test::testReporter().errorCount(), 0) << c.name;
  }
}

}  // namespace
}  // namespace mirdal
