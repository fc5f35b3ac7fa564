#include "formats/bdjo/bdjo.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/report.h"
#include "present/bdjo_rows.h"
#include "support/byte_builder.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::ByteBuilder;

void padEven(ByteBuilder& b) {
  if (b.size() % 2) b.u8(0);
}

void text8(ByteBuilder& b, const std::string& s) { b.u8(std::uint32_t(s.size())).str(s); }

// One application as a BD-J object lays it out; the byte builder's size is
// the file position, so the even-position padding follows the file.
struct AppLayout {
  std::string iconLocator = "ic";
  std::uint8_t typeByte = 0x10;
  std::uint8_t bindingByte = 0xF0;
  std::vector<std::pair<std::string, std::string>> names = {{"eng", "Hello"}, {"fra", "Bon"}};
  int namesTotal = -1;  // -1: the sum of the items and the padding
  std::vector<std::uint8_t> namesPadding;  // inside the block, after the names
  std::vector<std::string> params = {"a", "bc"};
  int paramsTotal = -1;
};

void putApp(ByteBuilder& b, const AppLayout& a) {
  b.u8(1).u8(a.typeByte).u32(0x00ABCDEF).u16(0x4001);
  b.u8(0x00).u8(0).u32(0x1234).u32(0).u16(2 << 12);
  b.u16(0x0001).u8(1).u8(0).u8(2).u8(0);
  b.u16(0x0002).u8(2).u8(1).u8(0).u8(0);
  b.u8(5).u8(a.bindingByte);
  int total = 0;
  for (const auto& [lang, name] : a.names) total += 4 + int(name.size());
  total += int(a.namesPadding.size());
  b.u16(std::uint32_t(a.namesTotal < 0 ? total : a.namesTotal));
  for (const auto& [lang, name] : a.names) {
    b.str(lang, 3);
    text8(b, name);
  }
  b.bytes(a.namesPadding);
  padEven(b);
  text8(b, a.iconLocator);
  padEven(b);
  b.u16(0xBEEF);
  text8(b, "00001");
  padEven(b);
  text8(b, "");
  padEven(b);
  text8(b, "org.example.Main");
  padEven(b);
  int ptotal = 0;
  for (const auto& p : a.params) ptotal += 1 + int(p.size());
  b.u8(std::uint32_t(a.paramsTotal < 0 ? ptotal : a.paramsTotal));
  for (const auto& p : a.params) text8(b, p);
  padEven(b);
}

Bytes bdjoFile(const std::vector<AppLayout>& apps, std::uint32_t keys = 0xC0000000, const std::string& path = "ADIR") {
  ByteBuilder b;
  b.str("BDJO0200").zeros(24).zeros(16);
  b.u32(10).str("00000").u8(0xA8).u32(0);  // TerminalInfo at 48
  std::uint32_t addr[6] = {0, 0, 0, 0, 0, 0};
  addr[1] = std::uint32_t(b.size());
  b.u32(30).u8(2).u8(0);
  b.u8(1).str("00001").str("eng").zeros(3);
  b.u8(2).str("JAR01").str("*\0\0", 3).zeros(3);
  addr[2] = std::uint32_t(b.size());
  b.u32(20).u16((2 << 5) | 0x10).u16(0);
  b.str("00000").u8(0).str("00007").u8(0);
  addr[3] = std::uint32_t(b.size());
  b.u32(0).u8(std::uint32_t(apps.size())).u8(0);
  for (const AppLayout& a : apps) putApp(b, a);
  addr[4] = std::uint32_t(b.size());
  b.u32(keys);
  addr[5] = std::uint32_t(b.size());
  b.u16(std::uint32_t(path.size())).str(path);
  padEven(b);
  for (int i = 0; i < 6; ++i) b.patch32(8 + 4 * i, addr[i]);
  return b.data();
}

TEST(BDJO, ReadsEveryField) {
  BdjoFile o;
  ASSERT_EQ(parseBdjo(bdjoFile({AppLayout{}, AppLayout{}}), o), ReadStatus::Ok);
  EXPECT_EQ(o.versionNumber, "0200");
  EXPECT_EQ(o.terminalInfo.defaultFontFileName, "00000");
  EXPECT_TRUE(o.terminalInfo.menuCallMask);
  EXPECT_FALSE(o.terminalInfo.titleSearchMask);
  EXPECT_EQ(haviConfigurationText(o), "A");

  ASSERT_EQ(o.appCacheInfo.entries.size(), 2u);
  EXPECT_EQ(appCacheRow(o, 0), (std::array<std::string, 4>{"0", "1", "00001", "eng"}));
  EXPECT_EQ(appCacheRow(o, 1), (std::array<std::string, 4>{"1", "2", "JAR01", "*"}));

  EXPECT_TRUE(o.tableOfAccessiblePlaylists.accessToAllFlag);
  EXPECT_FALSE(o.tableOfAccessiblePlaylists.autostartFirstPlaylistFlag);
  EXPECT_EQ(o.tableOfAccessiblePlaylists.playlists, (std::vector<std::string>{"00000", "00007"}));
  EXPECT_EQ(accessiblePlayListRow(o, 1), (std::array<std::string, 2>{"1", "00007"}));

  ASSERT_EQ(o.applicationManagementTable.applications.size(), 2u);
  const Application& a = o.applicationManagementTable.applications[1];
  EXPECT_EQ(applicationRow(o, 1),
            (std::array<std::string, 16>{"1", "1", "1", "00ABCDEF", "4001", "00", "5", "3", "3", "ic",
                                         "00001", "", "org.example.Main", "2", "2", "2"}));
  EXPECT_EQ(a.descriptorLength, 0x1234u);
  EXPECT_EQ(a.iconFlags, 0xBEEF);
  EXPECT_EQ(profileRow(a, 0), (std::array<std::string, 3>{"1", "0001", "1.0.2"}));
  EXPECT_EQ(profileRow(a, 1), (std::array<std::string, 3>{"2", "0002", "2.1.0"}));
  EXPECT_EQ(nameRow(a, 0), (std::array<std::string, 3>{"1", "eng", "Hello"}));
  EXPECT_EQ(nameRow(a, 1), (std::array<std::string, 3>{"2", "fra", "Bon"}));
  EXPECT_EQ(parameterRow(a, 1), (std::array<std::string, 2>{"2", "bc"}));

  EXPECT_EQ(o.fileAccessInfo.directoryPath, "ADIR");
}

TEST(BDJO, KeyInterestBits) {
  struct Case {
    std::uint32_t word;
    std::vector<std::string> checked;
  };
  for (const Case& c : {Case{0xC0000000, {"Play", "Stop"}}, Case{0x00200000, {"PG TextST"}},
                        Case{0xFFE00000, {"Play", "Stop", "FFW", "REW", "Next", "Prev.", "Pause",
                                          "Still off", "sec.audio", "sec.video", "PG TextST"}},
                        Case{0x001FFFFF, {}}}) {
    BdjoFile o;
    ASSERT_EQ(parseBdjo(bdjoFile({AppLayout{}}, c.word), o), ReadStatus::Ok);
    std::vector<std::string> checked;
    for (std::size_t i = 0; i < kKeyInterestCount; ++i)
      if (keyInterest(o.keyInterestTable, i)) checked.push_back(kKeyInterestCaptions[i]);
    EXPECT_EQ(checked, c.checked);
  }
}

TEST(BDJO, EvenPositionSkipsFollowTheFile) {
  // Whether a byte is skipped after a text depends on where it ends: the
  // icon flags and everything after them must come out right either way.
  for (const std::string icon : {"", "i", "ic", "ico", "icon"}) {
    for (const auto& names : std::vector<std::vector<std::pair<std::string, std::string>>>{
             {}, {{"eng", "A"}}, {{"eng", "AB"}, {"deu", "XYZ"}}}) {
      AppLayout layout;
      layout.iconLocator = icon;
      layout.names = names;
      BdjoFile o;
      ASSERT_EQ(parseBdjo(bdjoFile({layout, layout}), o), ReadStatus::Ok) << icon;
      for (const Application& a : o.applicationManagementTable.applications) {
        EXPECT_EQ(a.iconLocator, icon);
        EXPECT_EQ(a.names.size(), names.size());
        EXPECT_EQ(a.iconFlags, 0xBEEF) << "icon " << icon << ", " << names.size() << " names";
        EXPECT_EQ(a.initialClassName, "org.example.Main");
        EXPECT_EQ(a.parameters, (std::vector<std::string>{"a", "bc"}));
      }
      EXPECT_EQ(o.keyInterestTable, 0xC0000000u);
    }
  }
}

// Visibility is two bits: masking it with 2 showed 0 or 2 only (0x10 and
// 0x70 lost their low bit).
TEST(BDJO, BindingAndVisibility) {
  for (const auto& [byte, binding, visibility] : std::vector<std::tuple<int, int, int>>{
           {0xF0, 3, 3}, {0x40, 1, 0}, {0x10, 0, 1}, {0xA0, 2, 2}, {0x70, 1, 3}, {0x0F, 0, 0}}) {
    AppLayout layout;
    layout.bindingByte = std::uint8_t(byte);
    BdjoFile o;
    ASSERT_EQ(parseBdjo(bdjoFile({layout}), o), ReadStatus::Ok);
    EXPECT_EQ(o.applicationManagementTable.applications[0].binding, binding);
    EXPECT_EQ(o.applicationManagementTable.applications[0].visibility, visibility);
  }
}

// The application type is the high nibble of its byte: real Xlets carry
// 0x10 and show type 1, not 16.
TEST(BDJO, ApplicationTypeIsTheHighNibble) {
  for (const auto& [byte, type] : std::vector<std::pair<int, int>>{{0x10, 1}, {0x20, 2}, {0x1F, 1}, {0x01, 0}}) {
    AppLayout layout;
    layout.typeByte = std::uint8_t(byte);
    BdjoFile o;
    ASSERT_EQ(parseBdjo(bdjoFile({layout}), o), ReadStatus::Ok);
    EXPECT_EQ(o.applicationManagementTable.applications[0].applicationType, type) << byte;
  }
}

TEST(BDJO, NameAndParameterBlocksWithWrongTotals) {
  // Bytes at the end of a name block too few for another name are skipped,
  // and reading goes on behind the block.
  AppLayout padded;
  padded.namesPadding = {0x65, 0x6E, 0x67};
  BdjoFile o;
  ASSERT_EQ(parseBdjo(bdjoFile({padded, AppLayout{}}), o), ReadStatus::Ok);
  ASSERT_EQ(o.applicationManagementTable.applications.size(), 2u);
  for (const Application& a : o.applicationManagementTable.applications) {
    EXPECT_EQ(a.names.size(), 2u);
    EXPECT_EQ(a.iconFlags, 0xBEEF);
  }

  // A parameter total that undercounts ends the list where the block ends.
  AppLayout under;
  under.paramsTotal = 2;
  ASSERT_EQ(parseBdjo(bdjoFile({under}), o), ReadStatus::Ok);
  EXPECT_EQ(o.applicationManagementTable.applications[0].parameters, (std::vector<std::string>{"a"}));
  EXPECT_EQ(o.keyInterestTable, 0xC0000000u);

  // A name total far beyond the file ends the read.
  AppLayout over;
  over.namesTotal = 0xFFFF;
  EXPECT_EQ(parseBdjo(bdjoFile({over}), o), ReadStatus::Truncated);

  AppLayout none;
  none.names.clear();
  none.params.clear();
  ASSERT_EQ(parseBdjo(bdjoFile({none}), o), ReadStatus::Ok);
  EXPECT_TRUE(o.applicationManagementTable.applications[0].names.empty());
  EXPECT_TRUE(o.applicationManagementTable.applications[0].parameters.empty());
}

// A wrong header stops without an error; an Ultra HD object gets one plain
// line that says why.
TEST(BDJO, WrongHeaderStopsSilently) {
  for (const char* head : {"BDJO0300", "BDJO0400", "INDX0200", "BDJ"}) {
    test::ReportScope s;
    test::TempDir d;
    Bytes file = bdjoFile({AppLayout{}});
    std::copy(head, head + std::strlen(head), file.begin());
    if (std::strlen(head) < 8) file.resize(std::strlen(head));
    d.write("00001.bdjo", file);
    BdjoFile o;
    EXPECT_EQ(readBdjoFile(d.folder() + "00001.bdjo", "00001.bdjo", o, mirdal::test::testReporter()), ReadStatus::Rejected);
    EXPECT_EQ(o, BdjoFile{});
    std::vector<std::string> log{" Reading 00001.bdjo"};
    if (std::string(head) == "BDJO0300") log.push_back(" version 0300 (Ultra HD) is not supported");
    EXPECT_EQ(s.rep.lines(), log) << head;
    EXPECT_EQ(mirdal::test::testReporter().errorCount(), 0);
  }
}

TEST(BDJO, TruncatedFileIsReadPartlyAndReported) {
  test::ReportScope s;
  test::TempDir d;
  Bytes file = bdjoFile({AppLayout{}, AppLayout{}});
  file.resize(200);
  d.write("00001.bdjo", file);
  BdjoFile o;
  EXPECT_EQ(readBdjoFile(d.folder() + "00001.bdjo", "00001.bdjo", o, mirdal::test::testReporter()), ReadStatus::Truncated);
  EXPECT_EQ(o.appCacheInfo.entries.size(), 2u);
  EXPECT_LE(o.applicationManagementTable.applications.size(), 1u);
  EXPECT_EQ(s.rep.lines(), (std::vector<std::string>{" Reading 00001.bdjo", " ERROR: 00001.bdjo ends early at $000000C8"}));
  EXPECT_EQ(mirdal::test::testReporter().status().panel[0], " Ready. ");
}

}  // namespace
}  // namespace mirdal
