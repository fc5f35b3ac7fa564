#include "core/fields.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "support/byte_builder.h"

namespace mirdal {
namespace {

using test::ByteBuilder;

TEST(FieldReader, ReadsBigEndianUnsignedFields) {
  const Bytes b = ByteBuilder().bytes({0x12, 0x34, 0x56, 0x78, 0x9A, 0xFF, 0xFF, 0xFF, 0xFE, 1, 2, 3, 4, 5, 6});
  FieldReader r(b);
  EXPECT_EQ(r.readU8(), 0x12);
  EXPECT_EQ(r.readU16(), 0x3456);
  EXPECT_EQ(r.readU24(), 0x789AFFu);
  EXPECT_EQ(r.pos(), 6u);
  r.seek(5);
  EXPECT_EQ(r.readU32(), 4294967294u);
  EXPECT_EQ(r.readU40(), 0x0102030405ull);
  EXPECT_FALSE(r.overrun());
  EXPECT_EQ(r.remaining(), 1u);
}

TEST(FieldReader, PastTheEndYieldsZerosAndMarksOverrun) {
  const Bytes b = ByteBuilder().bytes({0xAB, 0xCD});
  FieldReader r(b);
  EXPECT_EQ(r.readU32(), 0xABCD0000u);
  EXPECT_TRUE(r.overrun());
  EXPECT_EQ(r.readU8(), 0);
  EXPECT_TRUE(r.atEnd());
  EXPECT_TRUE(r.readRest().empty());

  FieldReader s(b);
  s.skip(3);
  EXPECT_TRUE(s.overrun());
  FieldReader t(b);
  t.seek(2);
  EXPECT_FALSE(t.overrun()) << "the end itself is a valid position";
  t.seek(3);
  EXPECT_TRUE(t.overrun());
}

TEST(FieldReader, ReadBytesStopsAtTheEnd) {
  const Bytes b = ByteBuilder().bytes({1, 2, 3});
  FieldReader r(b);
  r.skip(1);
  EXPECT_EQ(r.readBytes(5), (Bytes{2, 3}));
  EXPECT_TRUE(r.overrun());
  EXPECT_TRUE(r.readBytes(2).empty());
}

// Every kind of read from a reader without data (a null pointer, as an
// empty file gives) or already past its end: nothing comes back, the
// reader is overrun, and no pointer outside the data is formed (the fuzz
// targets run this under the undefined-behaviour sanitizer).
struct EmptyReadCase {
  const char* name;
  std::function<void(FieldReader&)> read;
};

class EmptyReadTest : public testing::TestWithParam<EmptyReadCase> {};

TEST_P(EmptyReadTest, YieldsNothingAndMarksOverrun) {
  const Bytes two{0x41, 0x42};
  const Bytes none;
  FieldReader null(nullptr, 0), empty(none), past(two);
  past.seek(6);
  for (FieldReader* r : {&null, &empty, &past}) {
    GetParam().read(*r);
    EXPECT_TRUE(r->overrun());
    EXPECT_TRUE(r->atEnd());
    EXPECT_EQ(r->readU8(), 0);
    EXPECT_EQ(r->readString(4), "");
    EXPECT_TRUE(r->readBytes(3).empty());
    EXPECT_TRUE(r->readRest().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    FieldReader, EmptyReadTest,
    testing::Values(EmptyReadCase{"String", [](FieldReader& r) { EXPECT_EQ(r.readString(4), ""); }},
                    EmptyReadCase{"Bytes", [](FieldReader& r) { EXPECT_TRUE(r.readBytes(4).empty()); }},
                    EmptyReadCase{"Long", [](FieldReader& r) { EXPECT_EQ(r.readU32(), 0u); }},
                    EmptyReadCase{"FiveBytes", [](FieldReader& r) { EXPECT_EQ(r.readU40(), 0u); }},
                    EmptyReadCase{"Skip", [](FieldReader& r) { r.skip(1); }}),
    [](const auto& info) { return std::string(info.param.name); });

// A length taken from a file (or an address minus the position) can be
// close to the top of size_t; adding it must not wrap the position back
// into the data, where the next reads would take bytes again.
TEST(FieldReader, AHugeSkipNeverWrapsBackIntoTheData) {
  const Bytes b{1, 2, 3, 4, 5, 6, 7, 8};
  for (std::size_t huge : {SIZE_MAX, SIZE_MAX - 1, SIZE_MAX - 3}) {
    SCOPED_TRACE(huge);
    FieldReader r(b);
    r.skip(4);
    r.skip(huge);
    EXPECT_TRUE(r.overrun());
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.readU16(), 0);
    EXPECT_EQ(r.readString(2), "");
    FieldReader s(b);
    s.skip(2);
    EXPECT_EQ(s.readBytes(huge), (Bytes{3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(s.readU32(), 0u);
    EXPECT_EQ(s.remaining(), 0u);
  }
}

TEST(FieldReader, AlignEvenSkipsOnlyFromOddPositions) {
  const Bytes b(8, 0);
  FieldReader r(b);
  r.alignEven();
  EXPECT_EQ(r.pos(), 0u);
  r.skip(3);
  r.alignEven();
  EXPECT_EQ(r.pos(), 4u);
}

struct StringCase {
  Bytes in;
  std::size_t width;
  std::string text;
};

class ReadStringTest : public ::testing::TestWithParam<StringCase> {};

TEST_P(ReadStringTest, CutsAtTheFirstZeroByte) {
  const auto& c = GetParam();
  FieldReader r(c.in);
  EXPECT_EQ(r.readString(c.width), c.text);
  EXPECT_EQ(r.pos(), c.width) << "always consumes the whole width";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadStringTest,
    ::testing::Values(StringCase{{'0', '0', '0', '0', '1'}, 5, "00001"},
                      StringCase{{0x41, 0x42, 0, 0x43, 0x44}, 5, "AB"},
                      StringCase{{0x41, 0x42, 0x43, 0x44, 0}, 5, "ABCD"},
                      StringCase{{0, 0, 0, 0, 0}, 5, ""},
                      StringCase{{0xE9, 0x80}, 2, std::string("\xE9\x80")},
                      StringCase{{0x41}, 3, "A"}));

struct PutStringCase {
  std::string text;
  std::size_t width;
  Bytes out;
};

class PutStringTest : public ::testing::TestWithParam<PutStringCase> {};

TEST_P(PutStringTest, ZeroFillsAndCuts) {
  const auto& c = GetParam();
  OutputBuffer o;
  o.setBlock(c.width + 2);
  o.putU8(0xEE, c.width);
  o.putString(c.text, 0, c.width);
  Bytes want = c.out;
  want.push_back(0xEE);
  want.push_back(0);
  EXPECT_EQ(o.block(), want);

  OutputBuffer a;
  a.addString(c.text, c.width);
  a.flushAdded();
  EXPECT_EQ(a.file(), c.out);
}

INSTANTIATE_TEST_SUITE_P(Texts, PutStringTest,
                         ::testing::Values(PutStringCase{"AB", 5, {0x41, 0x42, 0, 0, 0}},
                                           PutStringCase{"ABCDEFG", 5, {'A', 'B', 'C', 'D', 'E'}},
                                           PutStringCase{"MOBJ", 4, {0x4D, 0x4F, 0x42, 0x4A}},
                                           PutStringCase{"", 2, {0, 0}}));

TEST(OutputBuffer, TextFieldRoundTripDropsBytesAfterTheZero) {
  const Bytes in{0x41, 0x42, 0, 0x43, 0x44};
  FieldReader r(in);
  OutputBuffer o;
  o.addString(r.readString(5), 5);
  o.flushAdded();
  EXPECT_EQ(o.file(), (Bytes{0x41, 0x42, 0, 0, 0}));
}

TEST(OutputBuffer, PositionedWritersStoreBigEndian) {
  OutputBuffer o;
  o.setBlock(8);
  o.putU32(4294967294u, 0);
  o.putU16(0x12345, 4);
  o.putU8(0x1FF, 6);
  o.writeBlock();
  EXPECT_EQ(o.file(), (Bytes{0xFF, 0xFF, 0xFF, 0xFE, 0x23, 0x45, 0xFF, 0}));
}

TEST(OutputBuffer, BlocksNeverLeakEarlierBytes) {
  OutputBuffer o;
  o.setBlock(78);
  for (std::size_t i = 0; i < 78; ++i) o.putU8(0xAA, i);
  o.writeBlock();
  o.setBlock(30);
  o.putU32(1, 0);
  o.writeBlock();
  ASSERT_EQ(o.file().size(), 108u);
  for (std::size_t i = 82; i < 108; ++i) EXPECT_EQ(o.file()[i], 0) << i;
}

TEST(OutputBuffer, AppendersAdvanceTheFillCount) {
  OutputBuffer o;
  o.addU8(1);
  o.addU16(0x0203);
  o.addU24(0x040506);
  o.addU32(0x0708090A);
  EXPECT_EQ(o.fillCount(), 10u);
  o.flushAdded();
  EXPECT_EQ(o.fillCount(), 0u);
  o.addU8(0xFF);
  o.flushAdded();
  EXPECT_EQ(o.file(), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0xFF}));
}

}  // namespace
}  // namespace mirdal
