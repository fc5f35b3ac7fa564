#include "formats/common/ext_data_edit.h"

#include <gtest/gtest.h>

#include "support/bdmv_files.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::ByteBuilder;

ExtensionData blockOf(const Bytes& bytes) {
  FieldReader r(bytes);
  ExtensionData ed;
  EXPECT_TRUE(readExtensionData(r, ed));
  return ed;
}

Bytes range(int from, int count) {
  Bytes b;
  for (int i = 0; i < count; ++i) b.push_back(std::uint8_t(from + i));
  return b;
}

TEST(ExtDataEdit, Summary) {
  struct Case {
    std::uint32_t length;
    std::uint8_t entries;
    const char* text;
  };
  for (const Case& c : {Case{60, 2, "64 bytes, 2 entries"}, Case{36, 1, "40 bytes, 1 entry"},
                        Case{12, 0, "16 bytes, 0 entry"}, Case{0, 0, "None"}}) {
    ExtensionData ed;
    ed.length = c.length;
    ed.numberOfExtDataEntries = c.entries;
    EXPECT_EQ(extDataSummary(ed), c.text);
    EXPECT_EQ(extDataPresent(ed), c.length != 0);
  }
}

TEST(ExtDataEdit, EntryRows) {
  const ExtensionData ed = blockOf(test::extensionData({{0x1000, 0x0100, range(0, 5)}, {0xABCD, 2, {}}}));
  EXPECT_EQ(extDataRow(ed, 0), (std::array<std::string, 5>{"000", "1000", "0100", "00000024", "00000005"}));
  EXPECT_EQ(extDataRow(ed, 1), (std::array<std::string, 5>{"001", "ABCD", "0002", "00000029", "00000000"}));
}

TEST(ExtDataEdit, DumpOfAFortyByteEntry) {
  Bytes data = range(0x41, 40);
  data[1] = 0x0A;
  data[39] = 0x00;
  const ExtensionData ed = blockOf(test::extensionData({{1, 1, data}}));
  ASSERT_EQ(ed.dataBlockStartAddress, ed.entries[0].extDataStartAddress);
  const std::vector<ExtDataDumpLine> lines = extDataDump(ed, 0);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].address, "0018");
  EXPECT_EQ(lines[1].address, "0038");
  EXPECT_EQ(lines[0].bytes.substr(0, 9), " 41 0A 43");
  EXPECT_EQ(lines[0].chars, "A.CDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`");
  EXPECT_EQ(lines[1].text(), " 0038 61 62 63 64 65 66 67 00" + std::string(24 * 3, ' ') + " abcdefg.");
}

TEST(ExtDataEdit, DumpShowsOnlyBytesThatExist) {
  ExtensionData ed = blockOf(test::extensionData({{1, 1, range(1, 3)}, {2, 2, range(4, 3)}}));
  EXPECT_EQ(extDataDump(ed, 1)[0].chars, "...") << "each entry starts at its own address";
  EXPECT_EQ(extDataDump(ed, 1)[0].bytes.substr(0, 9), " 04 05 06");
  ed.entries[1].extDataLength = 0xFFFFFFFF;  // claims far more than the block holds
  ASSERT_EQ(extDataDump(ed, 1).size(), 1u);
  ed.entries[1].extDataStartAddress = 0xFFFFFFF0;
  const auto lines = extDataDump(ed, 1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].chars, "");
  EXPECT_EQ(lines[0].address, "FFFFFFF0");
  EXPECT_TRUE(extDataDump(ed, 2).empty());
  ed.entries[1].extDataLength = 0;
  ed.entries[1].extDataStartAddress = 0x1E;
  EXPECT_EQ(extDataDump(ed, 1).size(), 1u) << "an empty entry has one blank line";
}

TEST(ExtDataEdit, DumpSkipsPaddingBeforeTheDataBlocks) {
  // The data blocks start 4 bytes after the entry table.
  const Bytes block =
      ByteBuilder().u32(26).u32(28).u24(0).u8(1).u16(1).u16(1).u32(28).u32(2).zeros(4).bytes({0x41, 0x42});
  const ExtensionData ed = blockOf(block);
  EXPECT_EQ(extDataDump(ed, 0)[0].chars, "AB");
}

TEST(ExtDataEdit, ID1FromTypedText) {
  const std::vector<std::pair<std::string, std::uint16_t>> cases = {
      {"1g", 0}, {"ab", 0xAB}, {"FfFf", 0xFFFF}, {"", 0}, {"12 3", 0}, {"0100", 0x100}};
  ExtensionData ed = blockOf(test::extensionData({{0x1234, 0x5678, {1}}}));
  for (const auto& [text, id] : cases) {
    ed.entries[0].id1 = 0x1234;
    setExtDataId1(ed, 0, text);
    EXPECT_EQ(ed.entries[0].id1, id) << text;
    EXPECT_EQ(ed.entries[0].id2, 0x5678);
  }
}

TEST(ExtDataEdit, SideFileRoundTrip) {
  test::TempDir d;
  const Bytes block = test::extensionData({{0x1000, 1, range(0, 10)}, {0x2000, 2, range(10, 6)}});
  // In a disc file the data part runs to the end of the file; the side file
  // takes only what length covers.
  Bytes inFile = block;
  inFile.insert(inFile.end(), {0xEE, 0xEE});
  const ExtensionData ed = blockOf(inFile);
  EXPECT_EQ(composeExtDataFile(ed), block);

  std::string err;
  ASSERT_TRUE(saveExtDataFile((d.path() / "a.exd").string(), ed, &err)) << err;
  EXPECT_EQ(d.read("a.exd"), block);
  ExtensionData loaded;
  ASSERT_TRUE(loadExtDataFile((d.path() / "a.exd").string(), loaded, &err)) << err;
  EXPECT_EQ(loaded, blockOf(block));
}

TEST(ExtDataEdit, SideFileWithInconsistentLength) {
  ExtensionData ed = blockOf(test::extensionData({{1, 1, range(0, 4)}}));
  ed.length = 0xFFFFFFF0;  // more than there is: only the data held is written
  EXPECT_EQ(composeExtDataFile(ed).size(), 24u + 4);
  ed.length = 5;  // less than the entry table: no data
  EXPECT_EQ(composeExtDataFile(ed).size(), 24u);
  std::string err;
  EXPECT_FALSE(saveExtDataFile("/nonexistent/x.exd", ExtensionData{}, &err)) << "nothing to save";
}

TEST(ExtDataEdit, LoadFailuresKeepTheWorkingCopy) {
  test::TempDir d;
  d.write("cut.exd", ByteBuilder().u32(40).u32(24).u24(0).u8(3).u16(1));
  ExtensionData ed = blockOf(test::extensionData({{9, 9, {9}}}));
  const ExtensionData before = ed;
  std::string err;
  EXPECT_FALSE(loadExtDataFile((d.path() / "cut.exd").string(), ed, &err));
  EXPECT_FALSE(loadExtDataFile((d.path() / "missing.exd").string(), ed, &err));
  EXPECT_FALSE(err.empty());
  EXPECT_EQ(ed, before);
}

TEST(ExtDataEdit, OkSetsTheStartAddressOfEachFileKind) {
  const Bytes block = test::extensionData({{1, 1, {1, 2}}});
  const test::IndexEntryBytes off{1, 0, 0, 0xFFFF, ""};
  IndexFile idx;
  ASSERT_EQ(parseIndex(test::indexFile("0200", off, off, {{1, 0, 0, 0, ""}}), idx).status, ReadStatus::Ok);
  applyExtensionData(idx, blockOf(block));
  EXPECT_EQ(idx.extensionDataStartAddress, 78u + 4 + 38);
  EXPECT_EQ(composeIndex(idx), test::indexFile("0200", off, off, {{1, 0, 0, 0, ""}}, block).data());
  ExtensionData deleted = idx.extensionData;
  deleteExtData(deleted);
  applyExtensionData(idx, deleted);
  EXPECT_EQ(idx.extensionDataStartAddress, 0u);
  EXPECT_EQ(composeIndex(idx), test::indexFile("0200", off, off, {{1, 0, 0, 0, ""}}).data());

  MovieObjectFile m;
  ASSERT_EQ(parseMovieObjects(test::movieObjectFile("0200", {{0, {{1, 2, 3}}}}), m).status, ReadStatus::Ok);
  applyExtensionData(m, blockOf(block));
  EXPECT_EQ(m.extensionDataStartAddress, 44u + 6 + 16);
  EXPECT_EQ(composeMovieObjects(m), test::movieObjectFile("0200", {{0, {{1, 2, 3}}}}, block).data());
}

}  // namespace
}  // namespace mirdal
