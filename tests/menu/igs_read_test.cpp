#include "menu/igs_read.h"

#include <gtest/gtest.h>

#include <functional>

#include "mnu_builder.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::addSegment;
using test::buttonBytes;
using test::ByteBuilder;
using test::icsBody;
using test::simplePage;

Bytes pdsBody(std::uint8_t id, std::initializer_list<std::array<std::uint8_t, 5>> entries) {
  ByteBuilder b;
  b.u8(id).u8(3);
  for (const auto& e : entries) b.u8(e[0]).u8(e[1]).u8(e[2]).u8(e[3]).u8(e[4]);
  return b.data();
}

Bytes odsFirst(std::uint16_t id, std::uint8_t flags, std::uint32_t rleLength, std::uint16_t w, std::uint16_t h,
               const Bytes& rle) {
  ByteBuilder b;
  b.u16(id).u8(1).u8(flags).u24(rleLength + 4).u16(w).u16(h).bytes(rle);
  return b.data();
}

Bytes odsNext(std::uint16_t id, std::uint8_t flags, const Bytes& rle) {
  ByteBuilder b;
  b.u16(id).u8(1).u8(flags).bytes(rle);
  return b.data();
}

Bytes bogWithButtons() {
  ByteBuilder b;
  b.u16(1).u8(2).bytes(buttonBytes(1)).bytes(buttonBytes(3, 0x40));
  return b.data();
}

// A complete display set: palette, object in two fragments, composition.
ByteBuilder fullStream() {
  ByteBuilder b;
  addSegment(b, 0x18, icsBody(3, 1, simplePage(0, 1, bogWithButtons())), 180000, 170000);
  addSegment(b, 0x14, pdsBody(0, {{1, 235, 128, 128, 255}, {2, 16, 128, 128, 128}}), 170000);
  addSegment(b, 0x15, odsFirst(0, 0x80, 4, 2, 1, {0x01}), 175000, 170000);
  addSegment(b, 0x15, odsNext(0, 0x40, {0x02, 0x00, 0x00}), 175000, 170000);
  addSegment(b, 0x80, {}, 175000);
  return b;
}

TEST(LoadMnu, ReadsCompositionPalettesAndObjects) {
  test::ReportScope rs;
  IgMenu m;
  const MenuLoad r = parseMnu(fullStream(), m, mirdal::test::testReporter());
  EXPECT_EQ(r.status, ReadStatus::Ok);
  EXPECT_EQ(mirdal::test::testReporter().errorCount(), 0);
  EXPECT_EQ(m.inTime, 180000u);
  EXPECT_EQ(m.ics.videoWidth, 1920);
  EXPECT_EQ(m.ics.frameRate, 2);
  EXPECT_EQ(m.ics.compositionNumber, 7);
  EXPECT_EQ(m.ics.compositionState, 2);
  EXPECT_EQ(m.ics.model, 3);
  EXPECT_EQ(m.ics.userTimeout, 900000u);
  ASSERT_EQ(m.ics.pages.size(), 1u);
  const IgPage& p = m.ics.pages[0];
  EXPECT_EQ(p.uoMask[0], 0x11223344u);
  EXPECT_EQ(p.uoMask[1], 0x55667788u);
  EXPECT_EQ(p.defaultSelectedButton, 1);
  ASSERT_EQ(p.bogs.size(), 1u);
  ASSERT_EQ(p.bogs[0].buttons.size(), 2u);
  const IgButton& b = p.bogs[0].buttons[1];
  EXPECT_EQ(b.buttonId, 3);
  EXPECT_EQ(b.numericSelectValue, 103);
  EXPECT_EQ(b.autoAction, 1);
  EXPECT_EQ(b.x, 30);
  EXPECT_EQ(b.y, 60);
  EXPECT_EQ(b.right, 4);
  EXPECT_EQ(b.normalRepeat, 0);  // 0x40 carries no repeat bit
  EXPECT_EQ(p.bogs[0].buttons[0].normalRepeat, 1);
  EXPECT_EQ(b.selectedSound, 3);
  EXPECT_EQ(b.activatedSound, 4);
  EXPECT_EQ(b.activatedEnd, 3);
  EXPECT_EQ(b.commands, (CommandList{{0x21810000, 1, 0}, {0x50400001, 2, 3}}));
  // Index length: the larger of two buttons and the highest id + 1.
  ASSERT_EQ(m.pageButtons.size(), 1u);
  EXPECT_EQ(m.pageButtons[0].ids.size(), 4u);
  EXPECT_EQ(findButton(m, 0, 3), &b);
  EXPECT_EQ(findButton(m, 0, 2), nullptr);
  ASSERT_EQ(m.palettes.size(), 1u);
  EXPECT_EQ(m.palettes[0].version, 3);
  EXPECT_EQ(m.palettes[0].colours[1], (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(m.palettes[0].ycrcb[2], (YCrCb{16, 128, 128}));
  ASSERT_EQ(m.objects.size(), 1u);
  const IgObject& o = m.objects[0];
  EXPECT_EQ(o.rleLength, 4u);
  EXPECT_EQ(o.rle, (Bytes{1, 2, 0, 0}));
  ASSERT_EQ(o.fragments.size(), 2u);
  EXPECT_EQ(o.fragments[1].offset, 1u);
  EXPECT_EQ(o.fragments[1].sequenceFlags, kLastFragment);
  EXPECT_NE(rs.rep.text().find("1 ICS, 1 OCS, 1 PCS found."), std::string::npos);
}

struct EdgeCase {
  const char* name;
  std::function<void(ByteBuilder&)> build;
  ReadStatus status;
  const char* logText;  // expected somewhere in the log, or nullptr
  std::function<void(const IgMenu&)> check;
};

TEST(LoadMnu, EdgeCases) {
  const Bytes onePage = icsBody(3, 1, simplePage(0, 0, {}));
  const EdgeCase cases[] = {
      {"no END: read to the end", [&](ByteBuilder& b) { addSegment(b, 0x18, onePage); }, ReadStatus::Ok, nullptr,
       [](const IgMenu& m) { EXPECT_EQ(m.ics.pages.size(), 1u); }},
      {"segments after END are ignored, and counted as a display set",
       [&](ByteBuilder& b) {
         addSegment(b, 0x18, onePage);
         addSegment(b, 0x80, {});
         addSegment(b, 0x14, pdsBody(4, {{1, 16, 128, 128, 255}}));
       },
       ReadStatus::Ok, nullptr,
       [](const IgMenu& m) {
         EXPECT_TRUE(m.palettes.empty());
         EXPECT_EQ(m.displaySets, 2u);
       }},
      {"in-time from the first non-zero PTS",
       [&](ByteBuilder& b) {
         addSegment(b, 0x14, pdsBody(0, {}), 0);
         addSegment(b, 0x18, onePage, 5000);
         addSegment(b, 0x80, {}, 7000);
       },
       ReadStatus::Ok, nullptr, [](const IgMenu& m) { EXPECT_EQ(m.inTime, 5000u); }},
      {"object ids 0, 1, 5 leave empty slots",
       [&](ByteBuilder& b) {
         addSegment(b, 0x18, onePage);
         for (int id : {0, 1, 5}) addSegment(b, 0x15, odsFirst(std::uint16_t(id), 0xC0, 2, 1, 1, {0x03, 0x00}));
       },
       ReadStatus::Ok, "1 ICS, 6 OCS, 0 PCS found.",
       [](const IgMenu& m) {
         ASSERT_EQ(m.objects.size(), 6u);
         EXPECT_EQ(m.objects[5].objectId, 5);
         EXPECT_EQ(m.objects[3].width, 0);
         EXPECT_TRUE(m.objects[3].fragments.empty());
       }},
      {"a palette without entries keeps its colours",
       [&](ByteBuilder& b) {
         addSegment(b, 0x18, onePage);
         addSegment(b, 0x14, pdsBody(1, {{9, 235, 128, 128, 200}}));
         addSegment(b, 0x14, pdsBody(1, {}));
       },
       ReadStatus::Ok, nullptr,
       [](const IgMenu& m) {
         ASSERT_EQ(m.palettes.size(), 2u);
         EXPECT_EQ(m.palettes[1].colours[9], (Rgba{255, 255, 255, 200}));
       }},
      {"stream model 0 carries the time-outs",
       [&](ByteBuilder& b) { addSegment(b, 0x18, icsBody(1, 1, simplePage(0, 1, bogWithButtons()))); },
       ReadStatus::Ok, nullptr,
       [](const IgMenu& m) {
         EXPECT_EQ(m.ics.model, 1);
         EXPECT_EQ(m.ics.compositionTimeoutPts, 0x0123456789ull);
         EXPECT_EQ(m.ics.selectionTimeoutPts, 0x023456789Aull);
         ASSERT_EQ(m.ics.pages.size(), 1u);
         EXPECT_EQ(m.ics.pages[0].bogs[0].buttons.size(), 2u);
       }},
      {"no composition at all",
       [&](ByteBuilder& b) { addSegment(b, 0x14, pdsBody(0, {{1, 16, 128, 128, 255}})); },
       ReadStatus::Truncated, "No interactive composition segment found",
       [](const IgMenu& m) {
         EXPECT_TRUE(m.ics.pages.empty());
         EXPECT_EQ(m.palettes.size(), 1u);
       }},
      {"composition without the first-fragment flag",
       [&](ByteBuilder& b) { addSegment(b, 0x18, icsBody(3, 1, simplePage(0, 0, {}), 0x40)); },
       ReadStatus::Truncated, "first-fragment flag", [](const IgMenu& m) { EXPECT_TRUE(m.ics.pages.empty()); }},
      {"prefix that is not IG stops reading",
       [&](ByteBuilder& b) {
         addSegment(b, 0x18, onePage);
         b.str("XX").zeros(20);
       },
       ReadStatus::Truncated, "File format error", [](const IgMenu& m) { EXPECT_EQ(m.ics.pages.size(), 1u); }},
      {"unknown segment is kept as read",
       [&](ByteBuilder& b) {
         addSegment(b, 0x16, {1, 2, 3}, 4000, 3000);
         addSegment(b, 0x18, onePage);
       },
       ReadStatus::Ok, "Warning: Unknow segment! Type $16 at $00000000 (3 bytes) is kept as it is",
       [](const IgMenu& m) {
         EXPECT_EQ(m.ics.pages.size(), 1u);
         ASSERT_EQ(m.unknownSegments.size(), 1u);
         EXPECT_EQ(m.unknownSegments[0], (KeptSegment{4000, 3000, 0x16, {1, 2, 3}, 0}));
         ASSERT_EQ(menuLoadNotes(m).size(), 1u);
         EXPECT_EQ(menuLoadNotes(m)[0],
                   "Unknow segment! Type $16 at $00000000 (3 bytes) is kept as it is and saved unchanged.");
       }},
      {"an unknown segment cut short is reported and not kept",
       [&](ByteBuilder& b) {
         addSegment(b, 0x18, onePage);
         b.str("IG").u32(1).u32(0).u8(0x81).u16(10).u8(1);
       },
       ReadStatus::Truncated, "Unknow segment! Type $81",
       [](const IgMenu& m) { EXPECT_TRUE(m.unknownSegments.empty()); }},
      {"segment length past the end of the file",
       [&](ByteBuilder& b) {
         addSegment(b, 0x18, onePage);
         b.str("IG").u32(1).u32(0).u8(0x15).u16(4000).u16(2).u8(0).u8(0xC0).u24(5000).u16(10).u16(10).u8(1);
       },
       ReadStatus::Truncated, "claims 4000 bytes",
       [](const IgMenu& m) {
         ASSERT_EQ(m.objects.size(), 3u);
         EXPECT_EQ(m.objects[2].rle, (Bytes{1}));
       }},
      {"page data ending early keeps the whole pages",
       [&](ByteBuilder& b) {
         Bytes pages = simplePage(0, 0, {});
         const Bytes second = simplePage(1, 1, bogWithButtons());
         pages.insert(pages.end(), second.begin(), second.end() - 30);
         addSegment(b, 0x18, icsBody(3, 2, pages));
       },
       ReadStatus::Truncated, "ends early in page 1", [](const IgMenu& m) { EXPECT_EQ(m.ics.pages.size(), 1u); }},
      {"huge command count in short data",
       [&](ByteBuilder& b) {
         ByteBuilder bog;
         Bytes button = buttonBytes(1);
         button[button.size() - 26] = 0xFF;  // command count 0xFF02
         bog.u16(1).u8(1).bytes(button);
         addSegment(b, 0x18, icsBody(3, 1, simplePage(0, 1, bog.data())));
       },
       ReadStatus::Truncated, "ends early", [](const IgMenu& m) { EXPECT_TRUE(m.ics.pages.empty()); }},
      {"three effect windows keep two",
       [&](ByteBuilder& b) {
         ByteBuilder page;
         page.u8(0).u8(0).u32(0).u32(0);
         page.u8(3);
         for (int w = 0; w < 3; ++w) page.u8(std::uint8_t(w)).u16(10 * w).u16(1).u16(2).u16(3);
         page.u8(0).u8(0).u8(0);
         page.u8(0).u16(0).u16(0xFFFF).u8(0).u8(0);
         addSegment(b, 0x18, icsBody(3, 1, page.data()));
       },
       ReadStatus::Ok, "only the first two are kept",
       [](const IgMenu& m) {
         ASSERT_EQ(m.ics.pages.size(), 1u);
         const EffectSequence& s = m.ics.pages[0].effects[0];
         EXPECT_EQ(s.windowCount, 2);
         EXPECT_EQ(s.windows[1].x, 10);
         EXPECT_EQ(m.ics.pages[0].defaultActivatedButton, 0xFFFF);
       }},
      {"object too large to hold is kept empty",
       [&](ByteBuilder& b) {
         addSegment(b, 0x18, onePage);
         addSegment(b, 0x15, odsFirst(0, 0xC0, 2, 65535, 65535, {0x00, 0x00}));
       },
       ReadStatus::Truncated, "more than a menu object can have",
       [](const IgMenu& m) {
         ASSERT_EQ(m.objects.size(), 1u);
         EXPECT_EQ(m.objects[0].width, 0);
       }},
      {"empty file", [](ByteBuilder&) {}, ReadStatus::Truncated, "No interactive composition",
       [](const IgMenu& m) { EXPECT_TRUE(m.objects.empty()); }},
  };
  for (const auto& c : cases) {
    test::ReportScope rs;
    ByteBuilder b;
    c.build(b);
    IgMenu m;
    const MenuLoad r = parseMnu(b.data(), m, mirdal::test::testReporter());
    EXPECT_EQ(r.status, c.status) << c.name;
    if (c.logText) {
      EXPECT_NE(rs.rep.text().find(c.logText), std::string::npos) << c.name << "\n" << rs.rep.text();
    }
    c.check(m);
    if (HasFailure()) {
      ADD_FAILURE() << "in case: " << c.name;
      return;
    }
  }
}

// Players convert the palettes of graphics of 720 lines and more with
// BT.709, smaller ones with BT.601; the composition may come after the
// palette, so the colours follow the whole display set.
TEST(LoadMnu, PaletteColoursFollowTheVideoHeight) {
  struct Case {
    std::uint16_t height;
    bool paletteFirst;
    Rgba red;
  } cases[] = {
      {1080, false, {255, 1, 0, 255}},
      {1080, true, {255, 1, 0, 255}},
      {720, false, {255, 1, 0, 255}},
      {576, false, {233, 0, 2, 255}},
      {480, true, {233, 0, 2, 255}},
  };
  for (const Case& c : cases) {
    test::ReportScope rs;
    Bytes ics = icsBody(3, 1, simplePage(0, 0, {}));
    ics[2] = std::uint8_t(c.height >> 8);
    ics[3] = std::uint8_t(c.height);
    ByteBuilder b;
    if (!c.paletteFirst) addSegment(b, 0x18, ics);
    addSegment(b, 0x14, pdsBody(0, {{7, 63, 240, 102, 255}}));
    if (c.paletteFirst) addSegment(b, 0x18, ics);
    IgMenu m;
    ASSERT_EQ(parseMnu(b.data(), m, mirdal::test::testReporter()).status, ReadStatus::Ok);
    EXPECT_EQ(m.palettes.at(0).colours[7], c.red) << c.height << (c.paletteFirst ? " palette first" : "");
    EXPECT_EQ(m.palettes[0].ycrcb[7], (YCrCb{63, 240, 102}));
    EXPECT_TRUE(m.palettes[0].colours[8].unused());
  }
}

// A real IG stream carries a display set per menu change (17 on a real
// disc); the menu is the first, and the load says what was left.
TEST(LoadMnu, CountsTheDisplaySetsAfterTheFirst) {
  const Bytes onePage = icsBody(3, 1, simplePage(0, 0, {}));
  struct Case {
    int later;          // complete display sets after the first
    bool openTail;      // segments after the last END
    std::size_t sets;
  } cases[] = {{0, false, 1}, {1, false, 2}, {16, false, 17}, {2, true, 4}, {0, true, 2}};
  for (const Case& c : cases) {
    test::ReportScope rs;
    ByteBuilder b;
    addSegment(b, 0x18, onePage);
    addSegment(b, 0x80, {});
    for (int i = 0; i < c.later; ++i) {
      addSegment(b, 0x18, onePage);
      addSegment(b, 0x80, {});
    }
    if (c.openTail) addSegment(b, 0x18, onePage);
    IgMenu m;
    ASSERT_EQ(parseMnu(b.data(), m, mirdal::test::testReporter()).status, ReadStatus::Ok);
    EXPECT_EQ(m.displaySets, c.sets) << c.later << " " << c.openTail;
    EXPECT_EQ(menuLoadNotes(m).size(), c.sets > 1 ? 1u : 0u);
  }
  IgMenu m;
  m.displaySets = 17;
  ASSERT_EQ(menuLoadNotes(m).size(), 1u);
  EXPECT_EQ(menuLoadNotes(m)[0],
            "The stream holds 17 display sets; only the first is loaded and shown, and saving writes that one alone.");
}

TEST(LoadMnu, ALoadReplacesTheWholeMenu) {
  test::ReportScope rs;
  IgMenu m;
  parseMnu(fullStream(), m, mirdal::test::testReporter());
  ByteBuilder b;
  addSegment(b, 0x18, icsBody(3, 0, {}));
  parseMnu(b.data(), m, mirdal::test::testReporter());
  EXPECT_TRUE(m.ics.pages.empty());
  EXPECT_TRUE(m.objects.empty());
  EXPECT_TRUE(m.palettes.empty());
}

TEST(LoadMnu, CancelLeavesThePagesUnparsed) {
  test::ReportScope rs;
  CancelToken cancel;
  cancel.request();
  IgMenu m;
  const MenuLoad r = parseMnu(fullStream(), m, mirdal::test::testReporter(), cancel);
  EXPECT_TRUE(r.cancelled);
  EXPECT_TRUE(m.ics.pages.empty());
}

TEST(LoadMnu, MissingFileIsUnreadable) {
  test::ReportScope rs;
  test::TempDir dir;
  IgMenu m;
  EXPECT_EQ(readMnuFile((dir.path() / "none.mnu").string(), m, mirdal::test::testReporter()).status, ReadStatus::Unreadable);
  EXPECT_GT(mirdal::test::testReporter().errorCount(), 0);
}

}  // namespace
}  // namespace mirdal
