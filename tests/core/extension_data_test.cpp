#include "core/extension_data.h"

#include <gtest/gtest.h>

#include "support/byte_builder.h"

namespace mirdal {
namespace {

using test::ByteBuilder;

Bytes write(const ExtensionData& ed) {
  OutputBuffer o;
  writeExtensionData(o, ed);
  return o.file();
}

TEST(ExtensionData, ZeroLengthIsFourBytes) {
  const Bytes in = ByteBuilder().u32(0);
  FieldReader r(in);
  ExtensionData ed;
  ed.length = 99;  // every read starts from an empty block
  EXPECT_TRUE(readExtensionData(r, ed));
  EXPECT_EQ(ed, ExtensionData{});
  EXPECT_EQ(write(ed), in);
  EXPECT_EQ(extensionDataCaption(ed), "no ExtensionData()");
}

TEST(ExtensionData, RoundTripKeepsEntriesAndEveryTrailingByte) {
  const Bytes in = ByteBuilder()
                       .u32(60)
                       .u32(0x28)
                       .u24(0)
                       .u8(2)
                       .u16(0x1000).u16(0x0100).u32(0x28).u32(0x10)
                       .u16(0x2000).u16(0x0200).u32(0x38).u32(0x0C)
                       .bytes({9, 8, 7, 6, 5, 0, 0, 0xFF})  // data, padding, garbage
                       .zeros(20);
  FieldReader r(in);
  ExtensionData ed;
  ASSERT_TRUE(readExtensionData(r, ed));
  EXPECT_EQ(ed.numberOfExtDataEntries, 2);
  ASSERT_EQ(ed.entries.size(), 2u);
  EXPECT_EQ(ed.entries[1].id1, 0x2000);
  EXPECT_EQ(ed.entries[1].extDataLength, 0x0Cu);
  EXPECT_EQ(ed.data.size(), 28u);
  EXPECT_EQ(write(ed), in);
  EXPECT_EQ(extensionDataCaption(ed), "2 entries, 64 bytes");
}

TEST(ExtensionData, NonZeroLengthWithoutEntriesIsKeptWhole) {
  const Bytes in = ByteBuilder().u32(12).u32(0x10).u24(0).u8(0).bytes({1, 2, 3, 4});
  FieldReader r(in);
  ExtensionData ed;
  ASSERT_TRUE(readExtensionData(r, ed));
  EXPECT_EQ(write(ed), in);
  EXPECT_EQ(extensionDataCaption(ed), "no ExtensionData()");
}

TEST(ExtensionData, Captions) {
  ExtensionData one;
  one.length = 36;
  one.numberOfExtDataEntries = 1;
  EXPECT_EQ(extensionDataCaption(one), "1 entry, 40 bytes");
  ExtensionData three;
  three.length = 108;
  three.numberOfExtDataEntries = 3;
  EXPECT_EQ(extensionDataCaption(three), "3 entries, 112 bytes");
}

TEST(ExtensionData, TruncatedTableIsReportedNotTrusted) {
  // 255 entries promised, room for one.
  const Bytes in = ByteBuilder().u32(0xFFFFFFFF).u32(0).u24(0).u8(255).u16(1).u16(2).u32(3).u32(4).u16(5);
  FieldReader r(in);
  ExtensionData ed;
  EXPECT_FALSE(readExtensionData(r, ed));
  EXPECT_EQ(ed.entries.size(), 1u);
  EXPECT_EQ(ed.numberOfExtDataEntries, 1);
}

}  // namespace
}  // namespace mirdal
