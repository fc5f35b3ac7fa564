#include "formats/clip/clpi.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/display_text.h"
#include "formats/clip/clip_packets.h"
#include "formats/clip/clpi_edit.h"
#include "present/clpi_rows.h"
#include "support/shared_samples.h"
#include "support/byte_builder.h"
#include "support/clip_bytes.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::ByteBuilder;
using test::ClipLayout;
using test::clipBytes;
using B = std::vector<std::uint8_t>;

ClipInfoFile parsed(const B& bytes) {
  ClipInfoFile c;
  EXPECT_EQ(parseClipInfo(bytes, c).status, ReadStatus::Ok);
  return c;
}

TEST(Clpi, ReadsEveryRecordOfAHandLaidFile) {
  const ClipInfoFile c = parsed(clipBytes({.atcEntries = 2, .extensionData = true}));
  EXPECT_EQ(c.clipInfo.length, 176u + 2 + 28);
  EXPECT_EQ(c.clipInfo.tsRecordingRate, 48000000u);
  EXPECT_EQ(c.clipInfo.numberOfSourcePackets, 9999u);
  EXPECT_EQ(c.clipInfo.tsTypeInfoLength, 30);
  EXPECT_EQ(c.clipInfo.validityFlags, 0x80);
  ASSERT_EQ(c.clipInfo.atcDeltaEntries.size(), 2u);
  EXPECT_EQ(c.clipInfo.atcDeltaEntries[1], (AtcDeltaEntry{0x2000, "00003", "M2TS"}));

  ASSERT_EQ(c.sequenceInfo.atcSequences.size(), 2u);
  EXPECT_EQ(c.sequenceInfo.atcSequences[1].stcSequences.size(), 2u);
  EXPECT_EQ(atcSequenceRow(c.sequenceInfo.atcSequences[1]), (ClipRow{"00000100", "2", "1"}));
  EXPECT_EQ(stcSequenceRow(c.sequenceInfo.atcSequences[1].stcSequences[1]),
            (ClipRow{"1001", "00000200", "0:00:02.000", "1:00:00.007"}));  // wraps at 24 h

  const auto& streams = c.programInfo.programSequences.at(0).streams;
  ASSERT_EQ(streams.size(), 7u);
  EXPECT_EQ(streams[0].isrcCountryCode, "US");
  EXPECT_EQ(streams[0].isrcRecordingNumber, "12345");
  EXPECT_EQ(streams[1].isrcRegistrantCode, "XYZ");
  EXPECT_EQ(streams[5].unknownCodingInfo, (B{1, 2, 3, 4}));
  EXPECT_EQ(streams[6].audioLanguage, "spa");  // behind the unknown stream
  const std::vector<ClipRow> rows = {
      {"1011", "AVC", "1080p, 23.976, 4:3"}, {"1100", "AC3", "Stereo, 48 kHz, eng"},
      {"1200", "PG", "fra"}, {"1400", "IG", "deu"}, {"1800", "Text", "1, jpn"}, {"1FFE", "", ""},
      {"1101", "LPCM", "Multi-ch., 96 kHz, spa"}};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    ClipRow got = programStreamRow(streams[i]);
    EXPECT_EQ(got[0], rows[i][0]);
    EXPECT_EQ(got[2], rows[i][2]) << i;
  }

  ASSERT_EQ(c.cpi.entries.size(), 1u);
  EXPECT_EQ(epStreamRow(c.cpi.entries[0]), (ClipRow{"1011", "1", "0003", "00005", "0000000E"}));
  EXPECT_EQ(epCoarseRow(c.cpi.maps[0].coarse[2]), (ClipRow{"00004", "0102", "00020000"}));
  EXPECT_EQ(epFineRow(c.cpi.maps[0].fine[2]), (ClipRow{"y", "2", "07F2", "1FF02"}));
  EXPECT_EQ(c.extensionData.entries.size(), 1u);
}

TEST(Clpi, WritesBackTheBytesItRead) {
  const ClipLayout layouts[] = {
      {},
      {.atcEntries = 3},
      {.appType = 6, .fonts = 2},
      {.appType = 6, .fonts = 0, .extensionData = true},
      {.cpiLength = 0},
      {.fineGap = 12},
      {.atcEntries = 1, .extensionData = true},
  };
  for (const ClipLayout& l : layouts) {
    const B bytes = clipBytes(l);
    EXPECT_EQ(composeClipInfo(parsed(bytes)), bytes);
  }
}

TEST(Clpi, ClipInfoLengthAndSequenceInfoPlace) {
  struct Case {
    const char* what;
    ClipLayout layout;
    std::uint32_t length;
  } cases[] = {
      {"movie without ATC delta", {}, 176},
      {"three ATC delta entries", {.atcEntries = 3}, 220},
      {"text subtitle with two font files", {.appType = 6, .fonts = 2}, 190},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClipInfoFile clip = parsed(clipBytes(c.layout));
    clip.clipInfo.length = 1;  // recomputed by the writer whatever is held
    const B out = composeClipInfo(clip);
    FieldReader r(out);
    r.seek(40);
    EXPECT_EQ(r.readU32(), c.length);
    r.seek(8);
    EXPECT_EQ(r.readU32(), 44 + c.length);
  }
}

TEST(Clpi, EpMapCountsSpanTwoWords) {
  ClipInfoFile c = parsed(clipBytes({}));
  EpMapForPid& m = c.cpi.maps[0];
  m.coarse.assign(20000, EpCoarse{1, 2, 3});
  m.fine.assign(70000, EpFine{0, 1, 2, 3});
  m.epFineTableStartAddress = 4 + 8 * 20000;
  const B out = composeClipInfo(c);
  FieldReader r(out);
  r.seek(c.cpiStartAddress + 8);  // length, type word, reserved, count
  EXPECT_EQ(r.readU16(), 0x1011);
  EXPECT_EQ(r.readU16(), (1u << 2) | (20000u >> 14));
  EXPECT_EQ(r.readU16(), ((20000u & 0x3FFF) << 2) | (70000u >> 16));
  EXPECT_EQ(r.readU16(), 70000u & 0xFFFF);
  ClipInfoFile back;
  parseClipInfo(out, back);
  EXPECT_EQ(back.cpi.entries[0].numberOfEpCoarseEntries, 20000);
  EXPECT_EQ(back.cpi.entries[0].numberOfEpFineEntries, 70000u);
  EXPECT_EQ(back.cpi.maps[0].fine.size(), 70000u);
}

TEST(Clpi, IgnoredFieldsComeBackAsZeros) {
  B bytes = clipBytes({});
  for (std::size_t off : {28u, 39u, 44u, 45u, 60u, 187u, 195u, 219u}) bytes[off] = 0xEE;
  bytes[48] = 0xF0;  // flag word: only bit 0 counts
  const B out = composeClipInfo(parsed(bytes));
  EXPECT_EQ(out, clipBytes({}));
}

TEST(Clpi, BadFilesAreRejectedOrCutWithoutFault) {
  struct Case {
    const char* what;
    B bytes;
    ReadStatus status;
  } cases[] = {
      {"wrong type", ByteBuilder().str("HDMX").str("0200").zeros(300), ReadStatus::Rejected},
      {"wrong version", ByteBuilder().str("HDMV").str("0400").zeros(300), ReadStatus::Rejected},
      {"empty", {}, ReadStatus::Rejected},
  };
  for (const Case& c : cases) {
    ClipInfoFile clip;
    EXPECT_EQ(parseClipInfo(c.bytes, clip).status, c.status) << c.what;
  }
  ClipInfoFile clip;
  parseClipInfo(ByteBuilder().str("HDMV").str("0300"), clip);
  EXPECT_EQ(clip.versionNumber, "0300");

  // Every cut of a good file reads as far as it goes (the last 4 bytes are
  // ExtensionData contents, which run to the end of the file whatever it is).
  const B full = clipBytes({.atcEntries = 2, .extensionData = true});
  for (std::size_t n = 8; n < full.size() - 4; ++n) {
    ClipInfoFile cut;
    EXPECT_EQ(parseClipInfo(B(full.begin(), full.begin() + std::ptrdiff_t(n)), cut).status, ReadStatus::Truncated) << n;
  }
  // Counts far beyond the file never allocate beyond it.
  B big = clipBytes({});
  ClipInfoFile c = parsed(big);
  big[c.cpiStartAddress + 10] = 0xFF;
  big[c.cpiStartAddress + 11] = 0xFF;
  big[c.cpiStartAddress + 12] = 0xFF;
  ClipInfoFile huge;
  EXPECT_EQ(parseClipInfo(big, huge).status, ReadStatus::Truncated);
  EXPECT_LT(huge.cpi.maps[0].fine.size(), big.size());
}

TEST(Clpi, EditsKeepEveryStartAddressTrue) {
  struct Case {
    const char* what;
    ClipLayout from;
    std::function<void(ClipInfoFile&)> edit;
    ClipLayout expected;  // the file the edit must give, byte for byte
  } cases[] = {
      {"insert two, delete one", {.atcEntries = 0, .extensionData = true},
       [](ClipInfoFile& c) {
         insertAtcDelta(c, std::nullopt);
         insertAtcDelta(c, 0);
         deleteAtcDelta(c, 1);
         c.clipInfo.atcDeltaEntries[0] = {0x1000, "00002", "M2TS"};
       },
       {.atcEntries = 1, .extensionData = true}},
      {"insert then delete", {.atcEntries = 3},
       [](ClipInfoFile& c) {
         insertAtcDelta(c, 1);
         deleteAtcDelta(c, 2);
       },
       {.atcEntries = 3}},
      {"ATCd on without entries, saved", {},
       [](ClipInfoFile& c) { setAtcDeltaFlag(c, true); }, {}},
      {"ATCd off drops the block", {.atcEntries = 2, .extensionData = true},
       [](ClipInfoFile& c) { setAtcDeltaFlag(c, false); }, {.extensionData = true}},
      {"to type 6 and its fonts", {},
       [](ClipInfoFile& c) {
         setApplicationType(c, 6);
         insertFontFile(c, std::nullopt, "00000");
         insertFontFile(c, 0, "00001");
       },
       {.appType = 6, .fonts = 2}},
      {"from type 6", {.appType = 6, .fonts = 2, .extensionData = true},
       [](ClipInfoFile& c) { setApplicationType(c, 1); }, {.extensionData = true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::ReportScope rs;
    test::TempDir dir;
    ClipInfoFile clip = parsed(clipBytes(c.from));
    c.edit(clip);
    SaveRequest req{dir.folder(), "00001.clpi", {}, false, true};
    ASSERT_TRUE(saveClipInfo(clip, req, mirdal::test::testReporter()));
    EXPECT_EQ(dir.read("00001.clpi"), clipBytes(c.expected));
  }
}

TEST(Clpi, AddressesMoveAtTheMomentOfTheEdit) {
  ClipInfoFile c = parsed(clipBytes({.extensionData = true}));
  const ClipInfoFile before = c;
  setAtcDeltaFlag(c, true);
  EXPECT_EQ(c.sequenceInfoStartAddress, before.sequenceInfoStartAddress + 2);
  EXPECT_EQ(c.extensionDataStartAddress, before.extensionDataStartAddress + 2);
  insertAtcDelta(c, std::nullopt);
  insertAtcDelta(c, 0);
  deleteAtcDelta(c, 0);
  EXPECT_EQ(c.clipMarkStartAddress, before.clipMarkStartAddress + 16);
  EXPECT_FALSE(deleteAtcDelta(c, 5));
  // Cell edits: hexadecimal, a bad digit makes 0, a blank is refused.
  EXPECT_TRUE(setAtcDeltaCell(c, 0, 0, "00ABCDEF"));
  EXPECT_EQ(c.clipInfo.atcDeltaEntries[0].atcDelta, 0xABCDEFu);
  EXPECT_FALSE(setAtcDeltaCell(c, 0, 0, "12 4"));
  EXPECT_TRUE(setAtcDeltaCell(c, 0, 0, "12X4"));
  EXPECT_EQ(c.clipInfo.atcDeltaEntries[0].atcDelta, 0u);
  EXPECT_TRUE(setAtcDeltaCell(c, 0, 1, "0123456"));
  EXPECT_EQ(c.clipInfo.atcDeltaEntries[0].followingClipName, "01234");
  EXPECT_FALSE(setAtcDeltaCell(c, 0, 2, "XXXX"));
  // ExtensionData replaced: behind the mark section, or 0 when empty.
  setClipExtensionData(c, ExtensionData{});
  EXPECT_EQ(c.extensionDataStartAddress, 0u);
  ExtensionData ed;
  ed.length = 12;
  setClipExtensionData(c, ed);
  EXPECT_EQ(c.extensionDataStartAddress, c.clipMarkStartAddress + 4);
}

TEST(ClipPackets, QuestionAndInPlaceCorrection) {
  struct Case {
    std::uint64_t size;
    bool ask;
    const char* question;
  } cases[] = {
      {1920000, true, "The m2ts file contains 10,000 packets.\nDo you want to correct the packet value of ClipInfo?"},
      {9999 * 192 + 191, false, ""},  // a partial packet does not count
      {0, false, ""},
      {192ull * 0x100000000ull, false, ""},  // beyond the 32-bit count
  };
  const ClipInfoFile clip = parsed(clipBytes({}));
  for (const Case& c : cases) {
    const PacketCheck pc = checkPacketCount(clip, c.size);
    EXPECT_EQ(pc.ask, c.ask) << c.size;
    EXPECT_EQ(pc.question, c.question);
  }
  EXPECT_EQ(groupedDecimal(1234567, '.'), "1.234.567");
  EXPECT_EQ(groupedDecimal(999), "999");

  test::ReportScope rs;
  test::TempDir dir;
  const B bytes = clipBytes({});
  const auto path = dir.write("00001.clpi", bytes).string();
  ClipInfoFile c = parsed(bytes);
  ASSERT_TRUE(patchPacketCount(path, 10000, c, mirdal::test::testReporter()));
  B expected = bytes;
  expected[56] = 0x00, expected[57] = 0x00, expected[58] = 0x27, expected[59] = 0x10;
  EXPECT_EQ(dir.read("00001.clpi"), expected);
  EXPECT_EQ(c.clipInfo.numberOfSourcePackets, 10000u);
  EXPECT_FALSE(dir.exists("00001.clpi.backup"));

  // Not a clip file, or a missing one: nothing written, the model unchanged.
  dir.write("x.clpi", std::string("MPLS0200"));
  EXPECT_FALSE(patchPacketCount((dir.path() / "x.clpi").string(), 5, c, mirdal::test::testReporter()));
  EXPECT_FALSE(patchPacketCount((dir.path() / "none.clpi").string(), 5, c, mirdal::test::testReporter()));
  EXPECT_EQ(c.clipInfo.numberOfSourcePackets, 10000u);
  EXPECT_EQ(dir.read("x.clpi").size(), 8u);
}

TEST(ClpiRows, TextsOfLabelsAndChoices) {
  EXPECT_EQ(applicationTypeText(6), "Sub TS for a Text subtitle");
  EXPECT_EQ(applicationTypeText(10), "Main TS for a Movie (AVCHD 1080p50/60)");
  EXPECT_EQ(applicationTypeText(11), "res.");
  EXPECT_EQ(ciRefRow({3, 's', 0}), (ClipRow{"00003", "s", "00000"}));
  const StreamFileLabels missing = streamFileLabels({}, "00007", ".MTS");
  EXPECT_EQ(missing.name, "00007.MTS");
  EXPECT_EQ(missing.size, "missing file");
  EXPECT_EQ(streamFileLabels({"00007.m2ts", 1920000}, "00007", ".m2ts").size, "1,920,000");
}

TEST(ClpiSamples, RealClipsComeBackByteForByte) {
  const std::filesystem::path root = test::sharedSamples();
  if (root.empty()) GTEST_SKIP() << "no shared samples";
  int count = 0;
  for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
    const std::string ext = e.path().extension().string();
    if (ext != ".clpi" && ext != ".CPI") continue;
    Bytes data;
    ASSERT_TRUE(readFileBytes(e.path().string(), data));
    ClipInfoFile c;
    ASSERT_EQ(parseClipInfo(data, c).status, ReadStatus::Ok) << e.path();
    EXPECT_EQ(composeClipInfo(c), data) << e.path();
    // ATC delta entries inserted and deleted again restore the bytes.
    const bool flag = c.clipInfo.isAtcDelta;
    setAtcDeltaFlag(c, true);
    insertAtcDelta(c, std::nullopt);
    insertAtcDelta(c, 0);
    deleteAtcDelta(c, 1);
    deleteAtcDelta(c, 0);
    setAtcDeltaFlag(c, flag);
    EXPECT_EQ(composeClipInfo(c), data) << e.path();
    ++count;
  }
  EXPECT_GT(count, 0);
}

}  // namespace
}  // namespace mirdal

namespace mirdal {
namespace {

TEST(Clpi, FitLayoutSetsEveryLengthAndAddressFromTheContent) {
  for (const test::ClipLayout& l : {test::ClipLayout{}, test::ClipLayout{.appType = 6, .fonts = 2},
                                    test::ClipLayout{.atcEntries = 3, .extensionData = true}}) {
    const B bytes = test::clipBytes(l);
    ClipInfoFile c;
    parseClipInfo(bytes, c);
    c.sequenceInfo.length = c.programInfo.length = c.cpi.length = 7;
    c.sequenceInfoStartAddress = c.cpiStartAddress = 3;
    c.cpi.entries[0].epMapStartAddress = 1;
    c.cpi.maps[0].epFineTableStartAddress = 2;
    fitClipLayout(c);
    EXPECT_EQ(composeClipInfo(c), bytes);
  }
}

}  // namespace
}  // namespace mirdal

namespace mirdal {
namespace {

TEST(Clpi, MarkSectionBytesAreKeptAndACutOneIsReported) {
  B bytes = test::clipBytes({});
  ClipInfoFile c = parsed(bytes);
  // A mark section of 6 bytes instead of the empty one.
  bytes.erase(bytes.begin() + c.clipMarkStartAddress, bytes.end());
  test::ByteBuilder marks;
  marks.u32(6).bytes({1, 2, 3, 4, 5, 6});
  bytes.insert(bytes.end(), marks.data().begin(), marks.data().end());
  ClipInfoFile withMarks = parsed(bytes);
  EXPECT_EQ(withMarks.clipMarkData, (B{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(composeClipInfo(withMarks), bytes);
  bytes.resize(bytes.size() - 2);
  ClipInfoFile cut;
  EXPECT_EQ(parseClipInfo(bytes, cut).status, ReadStatus::Truncated);
}

}  // namespace
}  // namespace mirdal

namespace mirdal {
namespace {

// Real clip files: the sample disc's and those of the shared samples.
std::vector<std::filesystem::path> realClips() {
  std::vector<std::filesystem::path> out;
  std::vector<std::filesystem::path> roots = {std::filesystem::path(MIRDAL_SOURCE_DIR) / "samples/disc/BDMV/CLIPINF"};
  if (!test::sharedSamples().empty()) roots.push_back(test::sharedSamples());
  for (const auto& root : roots)
    for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
      const std::string ext = e.path().extension().string();
      if (ext != ".clpi" && ext != ".CPI") continue;
      out.push_back(e.path());
    }
  return out;
}

TEST(ClpiLayout, EveryRealClipHoldsItsLayout) {
  int count = 0;
  for (const auto& p : realClips()) {
    Bytes data;
    ASSERT_TRUE(readFileBytes(p.string(), data));
    ClipInfoFile c;
    ASSERT_EQ(parseClipInfo(data, c).status, ReadStatus::Ok) << p;
    EXPECT_EQ(prepareForSave(c), "") << p;
    ClipInfoFile fitted = c;
    fitClipLayout(fitted);
    EXPECT_EQ(checkLayout(fitted), "") << p;
    ++count;
  }
  EXPECT_GE(count, 3);
}

void put32(Bytes& b, std::size_t off, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.at(off + i) = std::uint8_t(v >> (24 - 8 * i));
}

// A real clip with one field damaged reads, but the file the writer would
// make of it would not read back: Save refuses it and writes nothing. The
// commercial clip of the report when the shared samples are there.
TEST(ClpiLayout, ADamagedLayoutIsNeverWritten) {
  std::filesystem::path clip = test::sharedSamples() / "commercial-metadata/disc1/CLIPINF/00000.clpi";
  if (test::sharedSamples().empty() || !std::filesystem::exists(clip))
    clip = std::filesystem::path(MIRDAL_SOURCE_DIR) / "samples/disc/BDMV/CLIPINF/00000.clpi";
  Bytes real;
  ASSERT_TRUE(readFileBytes(clip.string(), real));
  const ClipInfoFile ok = parsed(real);
  ASSERT_GE(ok.programInfo.programSequences.at(0).streams.size(), 2u) << clip;
  ASSERT_FALSE(ok.cpi.entries.empty()) << clip;
  const std::size_t prog = ok.programInfoStartAddress;
  // The second stream's StreamCodingInfo length (byte 0x11E of a clip whose
  // ProgramInfo starts at 246).
  const std::size_t secondLength = prog + 4 + 2 + 8 + 3 + ok.programInfo.programSequences[0].streams[0].codingInfoLength + 2;
  struct Case {
    const char* name;
    std::function<void(Bytes&)> damage;
    const char* refusal;
  };
  const Case cases[] = {
      {"longer coding info", [&](Bytes& b) { b[secondLength] = 0x40; }, "ProgramInfo: length"},
      {"shorter coding info", [&](Bytes& b) { b[secondLength] = 5; }, "coding info length 5, its fields take 21"},
      // What the reader finds there is garbage that the check refuses first.
      {"ProgramInfo address 0", [](Bytes& b) { put32(b, 12, 0); }, ""},
      {"CPI address into ProgramInfo", [&](Bytes& b) { put32(b, 16, std::uint32_t(prog + 8)); }, ""},
      {"SequenceInfo length", [&](Bytes& b) { b[ok.sequenceInfoStartAddress + 3] ^= 0x10; }, "SequenceInfo: length"},
      {"EP map start address", [&](Bytes& b) { b[ok.cpiStartAddress + 4 + 4 + 11] ^= 0x40; }, "EP map 0: start address"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    Bytes bad = real;
    k.damage(bad);
    ClipInfoFile c;
    const ReadStatus st = parseClipInfo(bad, c).status;
    ASSERT_TRUE(usable(st));
    test::ReportScope s;
    test::TempDir d;
    SaveRequest req;
    req.folder = d.folder();
    req.name = "00000.clpi";
    req.noBackup = true;
    EXPECT_FALSE(saveClipInfo(c, req, mirdal::test::testReporter()));
    EXPECT_FALSE(d.exists("00000.clpi"));
    EXPECT_NE(s.rep.text().find("Cannot save 00000.clpi: "), std::string::npos) << s.rep.text();
    EXPECT_NE(s.rep.text().find(k.refusal), std::string::npos) << s.rep.text();
  }
}

}  // namespace
}  // namespace mirdal
