// Ultra HD ("0300") database files: the real ones resave byte for byte and
// read the values they hold; each new attribute value survives a write and
// a read at its own bits; other versions are still refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "core/fields.h"
#include "formats/clip/apply_to_clpi.h"
#include "formats/clip/clpi.h"
#include "formats/bdmv/index_app_info.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"
#include "formats/playlist/mpls.h"
#include "present/mpls_cells.h"

#include "support/byte_builder.h"
#include "support/clip_bytes.h"
#include "support/mpls_bytes.h"
#include "support/shared_samples.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;
using test::ByteBuilder;

fs::path uhdDisc() {
  const fs::path root = test::sharedSamples();
  if (root.empty()) return {};
  const fs::path disc = root / "commercial-metadata/disc5_uhd";
  return fs::is_directory(disc) ? disc : fs::path{};
}

Bytes fileBytes(const fs::path& p) {
  Bytes b;
  EXPECT_TRUE(readFileBytes(p.string(), b)) << p;
  return b;
}

// Reads one file of any of the four kinds and writes it back.
bool readsAndResaves(const fs::path& p, const Bytes& data, Bytes& out) {
  const std::string name = p.filename().string();
  const std::string ext = p.extension().string();
  if (name == "index.bdmv") {
    IndexFile m;
    if (parseIndex(data, m).status != ReadStatus::Ok) return false;
    out = composeIndex(m);
  } else if (name == "MovieObject.bdmv") {
    MovieObjectFile m;
    if (parseMovieObjects(data, m).status != ReadStatus::Ok) return false;
    out = composeMovieObjects(m);
  } else if (ext == ".mpls") {
    Playlist m;
    if (parsePlaylist(data, m).status != ReadStatus::Ok) return false;
    out = composePlaylist(m);
  } else if (ext == ".clpi") {
    ClipInfoFile m;
    if (parseClipInfo(data, m).status != ReadStatus::Ok) return false;
    out = composeClipInfo(m);
  } else {
    return false;
  }
  return true;
}

TEST(UltraHD, EveryRealFileResavesByteForByte) {
  const fs::path root = test::sharedSamples();
  if (root.empty()) GTEST_SKIP() << "no shared samples";
  int files = 0;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (!e.is_regular_file() || !test::ultraHdFile(e.path())) continue;
    const Bytes data = fileBytes(e.path());
    Bytes out;
    if (!readsAndResaves(e.path(), data, out)) {
      ADD_FAILURE() << "not read: " << e.path();
      continue;
    }
    EXPECT_EQ(out, data) << e.path();
    ++files;
  }
  if (files == 0) GTEST_SKIP() << "no Ultra HD files among the samples";
}

// Another version next to the known ones is refused by all four readers.
TEST(UltraHD, OtherVersionsAreStillRefused) {
  const fs::path disc = uhdDisc();
  if (disc.empty()) GTEST_SKIP() << "no Ultra HD sample disc";
  for (const char* version : {"0301", "0400", "0250", "0000"}) {
    SCOPED_TRACE(version);
    auto with = [&](const fs::path& p) {
      Bytes b = fileBytes(p);
      std::copy_n(version, 4, b.begin() + 4);
      return b;
    };
    IndexFile i;
    MovieObjectFile o;
    Playlist m;
    ClipInfoFile c;
    EXPECT_EQ(parseIndex(with(disc / "index.bdmv"), i).status, ReadStatus::Rejected);
    EXPECT_EQ(parseMovieObjects(with(disc / "MovieObject.bdmv"), o).status, ReadStatus::Rejected);
    EXPECT_EQ(parsePlaylist(with(disc / "PLAYLIST/00001.mpls"), m).status, ReadStatus::Rejected);
    EXPECT_EQ(parseClipInfo(with(disc / "CLIPINF/00002.clpi"), c).status, ReadStatus::Rejected);
  }
}

TEST(UltraHD, RealDiscValues) {
  const fs::path disc = uhdDisc();
  if (disc.empty()) GTEST_SKIP() << "no Ultra HD sample disc";
  IndexFile idx;
  ASSERT_EQ(parseIndex(fileBytes(disc / "index.bdmv"), idx).status, ReadStatus::Ok);
  EXPECT_EQ(idx.versionNumber, "0300");
  const std::optional<UltraHdInfo> uhd = ultraHdInfo(idx);
  ASSERT_TRUE(uhd);
  EXPECT_EQ(uhd->discType, 5);
  EXPECT_TRUE(uhd->exist4KFlag);
  EXPECT_EQ(uhd->hdrFlags, 3);
  EXPECT_FALSE(uhd->hdrPlusFlag);
  EXPECT_FALSE(uhd->dolbyVisionFlag);

  Playlist pl;
  ASSERT_EQ(parsePlaylist(fileBytes(disc / "PLAYLIST/00001.mpls"), pl).status, ReadStatus::Ok);
  const StreamAttributes& v = pl.playlist.items.at(0).stn.primaryVideo.at(0).attributes;
  EXPECT_EQ(v.codingType, 0x24);
  EXPECT_EQ(v.videoFormat, 8);
  EXPECT_EQ(v.frameRate, 1);
  EXPECT_EQ(v.dynamicRangeType, 1);
  EXPECT_EQ(v.colorSpace, 2);

  ClipInfoFile clip;
  ASSERT_EQ(parseClipInfo(fileBytes(disc / "CLIPINF/00001.clpi"), clip).status, ReadStatus::Ok);
  const ProgramStream& s = clip.programInfo.programSequences.at(0).streams.at(0);
  EXPECT_EQ(s.streamCodingType, 0x24);
  EXPECT_EQ(s.dynamicRangeType, 0);
  EXPECT_EQ(s.colorSpace, 1);
  EXPECT_EQ(s.aspectRatio, 3);
}

// The HEVC attribute values and where each lands: byte 2 after the coding
// type holds dynamic range and colour space, byte 3 the two flags.
struct HevcCase {
  const char* name;
  std::uint8_t dynamicRange, colorSpace;
  bool cr, hdrPlus;
  std::uint8_t colourByte, flagsByte;
};

const HevcCase kHevcCases[] = {
    {"SDR BT.709", 0, 1, false, false, 0x01, 0x00},
    {"HDR10 BT.2020", 1, 2, false, false, 0x12, 0x00},
    {"Dolby Vision", 2, 2, false, false, 0x22, 0x00},
    {"unnamed range 3, colour 9", 3, 9, false, false, 0x39, 0x00},
    {"no colour space", 0, 0, false, false, 0x00, 0x00},
    {"CR flag", 1, 2, true, false, 0x12, 0x80},
    {"HDR10+ flag", 1, 2, false, true, 0x12, 0x40},
    {"both flags, widest values", 15, 15, true, true, 0xFF, 0xC0},
};

Bytes hevcPlaylist(std::uint8_t colour, std::uint8_t flags) {
  test::PlayItemBytes item;
  item.stnTable = test::stn({1, 0, 0, 0, 0, 0, 0},
                            ByteBuilder().u8(9).u8(1).u16(0x1011).zeros(6).u8(5).u8(0x24).u8(0x81).u8(colour)
                                .u8(flags).u8(0).data());
  test::PlaylistBytes p;
  p.version = "0300";
  p.playList = test::playListSection({test::playItem(item)}, {});
  return test::playlistFile(p);
}

TEST(UltraHD, PlaylistHevcAttributesRoundTrip) {
  for (const HevcCase& c : kHevcCases) {
    SCOPED_TRACE(c.name);
    // As read from a file holding them.
    const Bytes file = hevcPlaylist(c.colourByte, c.flagsByte);
    Playlist m;
    ASSERT_EQ(parsePlaylist(file, m).status, ReadStatus::Ok);
    const StreamAttributes& a = m.playlist.items.at(0).stn.primaryVideo.at(0).attributes;
    EXPECT_EQ(a.videoFormat, 8);
    EXPECT_EQ(a.frameRate, 1);
    EXPECT_EQ(a.dynamicRangeType, c.dynamicRange);
    EXPECT_EQ(a.colorSpace, c.colorSpace);
    EXPECT_EQ(a.crFlag, c.cr);
    EXPECT_EQ(a.hdrPlusFlag, c.hdrPlus);
    EXPECT_EQ(composePlaylist(m), file);

    // As set in a model that held none of them.
    Playlist blank;
    ASSERT_EQ(parsePlaylist(hevcPlaylist(0, 0), blank).status, ReadStatus::Ok);
    StreamAttributes& b = blank.playlist.items.at(0).stn.primaryVideo.at(0).attributes;
    b.dynamicRangeType = c.dynamicRange;
    b.colorSpace = c.colorSpace;
    b.crFlag = c.cr;
    b.hdrPlusFlag = c.hdrPlus;
    EXPECT_EQ(composePlaylist(blank), file);
    Playlist back;
    ASSERT_EQ(parsePlaylist(composePlaylist(blank), back).status, ReadStatus::Ok);
    EXPECT_EQ(back, blank);
  }
}

// The same bytes after an AVC coding type are reserved: never read as HEVC
// attributes, written as zero.
TEST(UltraHD, PlaylistAvcKeepsTheBytesReserved) {
  Bytes file = hevcPlaylist(0x12, 0xC0);
  const Bytes hevc{0x05, 0x24};
  const auto at = std::search(file.begin(), file.end(), hevc.begin(), hevc.end());
  ASSERT_NE(at, file.end());
  at[1] = 0x1B;
  Playlist m;
  ASSERT_EQ(parsePlaylist(file, m).status, ReadStatus::Ok);
  const StreamAttributes& a = m.playlist.items.at(0).stn.primaryVideo.at(0).attributes;
  EXPECT_EQ(a.dynamicRangeType, 0);
  EXPECT_EQ(a.colorSpace, 0);
  EXPECT_FALSE(a.crFlag);
  EXPECT_FALSE(a.hdrPlusFlag);
  const Bytes out = composePlaylist(m);
  EXPECT_EQ(out[std::size_t(at - file.begin()) + 3], 0);
  EXPECT_EQ(out[std::size_t(at - file.begin()) + 4], 0);
}

// A clip with the hand-laid AVC stream turned into HEVC: aspect byte bit 0
// is the CR flag, then the colour byte, then the HDR10+ flag in bit 7.
Bytes hevcClip(std::uint8_t aspectByte, std::uint8_t colour, std::uint8_t flags) {
  Bytes b = test::clipBytes({});
  std::copy_n("0300", 4, b.begin() + 4);
  const Bytes avc{0x10, 0x11, 21, 0x1B};
  const auto at = std::search(b.begin(), b.end(), avc.begin(), avc.end());
  EXPECT_NE(at, b.end());
  at[3] = 0x24;
  at[4] = 0x81;
  at[5] = aspectByte;
  at[6] = colour;
  at[7] = flags;
  return b;
}

TEST(UltraHD, ClipHevcAttributesRoundTrip) {
  for (const HevcCase& c : kHevcCases) {
    SCOPED_TRACE(c.name);
    const std::uint8_t aspect = std::uint8_t(0x30 | 0x02 | (c.cr ? 1 : 0));
    const Bytes file = hevcClip(aspect, c.colourByte, c.hdrPlus ? 0x80 : 0);
    ClipInfoFile m;
    ASSERT_EQ(parseClipInfo(file, m).status, ReadStatus::Ok);
    const ProgramStream& s = m.programInfo.programSequences.at(0).streams.at(0);
    EXPECT_EQ(s.streamCodingType, 0x24);
    EXPECT_EQ(s.videoFormat, 8);
    EXPECT_EQ(s.aspectRatio, 3);
    EXPECT_EQ(s.aspectFlag, 1);
    EXPECT_EQ(s.crFlag, c.cr);
    EXPECT_EQ(s.dynamicRangeType, c.dynamicRange);
    EXPECT_EQ(s.colorSpace, c.colorSpace);
    EXPECT_EQ(s.hdrPlusFlag, c.hdrPlus);
    EXPECT_EQ(composeClipInfo(m), file);

    ClipInfoFile blank;
    ASSERT_EQ(parseClipInfo(hevcClip(0x32, 0, 0), blank).status, ReadStatus::Ok);
    ProgramStream& t = blank.programInfo.programSequences.at(0).streams.at(0);
    t.crFlag = c.cr;
    t.dynamicRangeType = c.dynamicRange;
    t.colorSpace = c.colorSpace;
    t.hdrPlusFlag = c.hdrPlus;
    EXPECT_EQ(composeClipInfo(blank), file);
  }
}

// The AppInfoBDMV fields: each set alone changes only its own bits of the
// flags word, and a written file reads back the same value.
struct AppInfoCase {
  AppInfoField field;
  unsigned value;
  std::uint16_t bits;  // the word with only this field set, from 0
  unsigned readBack;   // the value cut to the field's width
};

const AppInfoCase kAppInfoCases[] = {
    {AppInfoField::InitialOutputMode, 1, 0x4000, 1},   {AppInfoField::Content3D, 1, 0x2000, 1},
    {AppInfoField::InitialDynamicRange, 1, 0x0100, 1}, {AppInfoField::InitialDynamicRange, 2, 0x0200, 2},
    {AppInfoField::InitialDynamicRange, 4, 0x0400, 4}, {AppInfoField::VideoFormat, 8, 0x0080, 8},
    {AppInfoField::VideoFormat, 6, 0x0060, 6},         {AppInfoField::FrameRate, 1, 0x0001, 1},
    {AppInfoField::FrameRate, 6, 0x0006, 6},           {AppInfoField::FrameRate, 0x1F, 0x000F, 15},
    {AppInfoField::Content3D, 3, 0x2000, 1},
};

unsigned appInfoValue(const AppInfoBdmv& a, AppInfoField f) {
  switch (f) {
    case AppInfoField::InitialOutputMode: return a.initialOutputModePreference;
    case AppInfoField::Content3D: return a.content3DExists;
    case AppInfoField::InitialDynamicRange: return a.initialDynamicRangeType;
    case AppInfoField::VideoFormat: return a.videoFormat;
    case AppInfoField::FrameRate: return a.frameRate;
  }
  return 0;
}

TEST(UltraHD, AppInfoFieldsTakeTheirOwnBits) {
  for (const AppInfoCase& c : kAppInfoCases) {
    SCOPED_TRACE(int(c.field) * 100 + int(c.value));
    // Reserved bits 15 and 12 stay set through every edit.
    for (std::uint16_t start : {std::uint16_t(0), std::uint16_t(0x9000)}) {
      IndexFile idx;
      idx.versionNumber = "0300";
      idx.appInfoBdmvFlags = start;
      EXPECT_TRUE(setAppInfoField(idx, c.field, c.value));
      EXPECT_FALSE(setAppInfoField(idx, c.field, c.value)) << "a second time changes nothing";
      EXPECT_EQ(idx.appInfoBdmvFlags, start | c.bits);
      IndexFile back;
      ASSERT_EQ(parseIndex(composeIndex(idx), back).status, ReadStatus::Ok);
      EXPECT_EQ(appInfoValue(appInfoFields(back), c.field), c.readBack);
      EXPECT_EQ(back.appInfoBdmvFlags, idx.appInfoBdmvFlags);
    }
  }
}

// An index with the Ultra HD disc info entry (3, 1) behind another entry.
Bytes uhdIndex(std::uint32_t entryLength, const Bytes& fields) {
  ByteBuilder ix;  // First Playback object 1, Top Menu object 2, no titles
  ix.u32(26).u32(0x40000000).u16(0).u16(1).u32(0).u32(0x40000000).u16(0).u16(2).u32(0).u16(0);
  const std::uint32_t extAt = 78 + std::uint32_t(ix.size());
  ByteBuilder f;
  f.str("INDX0300").u32(78).u32(extAt).zeros(24).u32(34).u16(0).zeros(32).bytes(ix.data());
  // length, data block start, 3 reserved, 2 entries; entry (1, 2) of 4
  // bytes, then entry (3, 1).
  const std::uint32_t dataStart = 12 + 24;
  ByteBuilder ext;
  ext.u32(0).u32(dataStart).zeros(3).u8(2);
  ext.u16(1).u16(2).u32(dataStart).u32(4);
  ext.u16(3).u16(1).u32(dataStart + 4).u32(4 + std::uint32_t(fields.size()));
  ext.bytes({9, 9, 9, 9}).u32(entryLength).bytes(fields);
  ext.patch32(0, std::uint32_t(ext.size() - 4));
  return f.bytes(ext.data()).data();
}

struct UltraHdCase {
  UltraHdField field;
  unsigned value;
  std::size_t byte;  // of the 8 field bytes
  std::uint8_t bits;
};

const UltraHdCase kUltraHdCases[] = {
    {UltraHdField::DiscType, 5, 0, 0x50},  {UltraHdField::DiscType, 15, 0, 0xF0},
    {UltraHdField::Exist4K, 1, 0, 0x01},   {UltraHdField::HdrFlags, 1, 2, 0x01},
    {UltraHdField::HdrFlags, 2, 2, 0x02},  {UltraHdField::HdrFlags, 3, 2, 0x03},
    {UltraHdField::HdrPlus, 1, 2, 0x10},   {UltraHdField::DolbyVision, 1, 2, 0x04},
};

TEST(UltraHD, DiscInfoFieldsTakeTheirOwnBitsInPlace) {
  const Bytes plain = uhdIndex(8, Bytes(8, 0));
  IndexFile idx;
  ASSERT_EQ(parseIndex(plain, idx).status, ReadStatus::Ok);
  ASSERT_EQ(composeIndex(idx), plain);
  ASSERT_TRUE(ultraHdInfo(idx));
  const std::size_t fieldsAt = plain.size() - 8;
  for (const UltraHdCase& c : kUltraHdCases) {
    SCOPED_TRACE(int(c.field) * 100 + int(c.value));
    IndexFile e = idx;
    EXPECT_TRUE(setUltraHdField(e, c.field, c.value));
    const Bytes out = composeIndex(e);
    ASSERT_EQ(out.size(), plain.size());
    for (std::size_t i = 0; i < out.size(); ++i)
      EXPECT_EQ(out[i], i == fieldsAt + c.byte ? c.bits : plain[i]) << "byte " << i;
    IndexFile back;
    ASSERT_EQ(parseIndex(out, back).status, ReadStatus::Ok);
    const UltraHdInfo u = *ultraHdInfo(back);
    const unsigned got[] = {u.discType, u.exist4KFlag, u.hdrFlags, u.hdrPlusFlag, u.dolbyVisionFlag};
    const UltraHdField order[] = {UltraHdField::DiscType, UltraHdField::Exist4K, UltraHdField::HdrFlags,
                                  UltraHdField::HdrPlus, UltraHdField::DolbyVision};
    for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(got[k], order[k] == c.field ? c.value : 0u);
  }
  // Reserved bits around the fields stay as they were.
  Bytes reserved(8, 0);
  reserved[0] = 0x0E;
  reserved[1] = 0xFF;
  reserved[2] = 0xE8;
  const Bytes withReserved = uhdIndex(8, reserved);
  IndexFile r;
  ASSERT_EQ(parseIndex(withReserved, r).status, ReadStatus::Ok);
  EXPECT_EQ(*ultraHdInfo(r), UltraHdInfo{});
  ASSERT_TRUE(setUltraHdField(r, UltraHdField::HdrFlags, 3));
  EXPECT_EQ(composeIndex(r)[fieldsAt + 2], 0xEB);
}

TEST(UltraHD, DiscInfoAbsentWhenTheEntryCannotHoldIt) {
  IndexFile none;
  ASSERT_EQ(parseIndex(uhdIndex(4, Bytes(4, 0)), none).status, ReadStatus::Ok);
  EXPECT_FALSE(ultraHdInfo(none)) << "length below 8";
  EXPECT_FALSE(setUltraHdField(none, UltraHdField::DiscType, 5));
  EXPECT_EQ(composeIndex(none), uhdIndex(4, Bytes(4, 0)));
  IndexFile noExt;
  EXPECT_FALSE(ultraHdInfo(noExt)) << "no ExtensionData";
  // An entry whose start address points past the data part.
  IndexFile past;
  ASSERT_EQ(parseIndex(uhdIndex(8, Bytes(8, 0)), past).status, ReadStatus::Ok);
  past.extensionData.entries[1].extDataStartAddress = 0x1000;
  EXPECT_FALSE(ultraHdInfo(past));
}

// Apply to clip: an HEVC playlist stream's attributes reach the clip's
// stream of the same PID, and read back from the written clip.
TEST(UltraHD, ApplyToClipCarriesTheHevcAttributes) {
  for (const HevcCase& c : kHevcCases) {
    SCOPED_TRACE(c.name);
    Playlist pl;
    ASSERT_EQ(parsePlaylist(hevcPlaylist(c.colourByte, c.flagsByte), pl).status, ReadStatus::Ok);
    ClipInfoFile clip;
    ASSERT_EQ(parseClipInfo(hevcClip(0x30, 0, 0), clip).status, ReadStatus::Ok);
    ASSERT_EQ(applyToClpi(pl.playlist.items.at(0), clip), std::vector<std::size_t>{0});
    ClipInfoFile back;
    ASSERT_EQ(parseClipInfo(composeClipInfo(clip), back).status, ReadStatus::Ok);
    const ProgramStream& s = back.programInfo.programSequences.at(0).streams.at(0);
    EXPECT_EQ(s.dynamicRangeType, c.dynamicRange);
    EXPECT_EQ(s.colorSpace, c.colorSpace);
    EXPECT_EQ(s.crFlag, c.cr);
    EXPECT_EQ(s.hdrPlusFlag, c.hdrPlus);
  }
}

// The stream editor's HEVC fields: taken by an HEVC stream only, cleared
// when the coding type becomes another one.
TEST(UltraHD, StreamEditorHevcFields) {
  struct Case {
    StreamField field;
    std::uint32_t value;
    std::uint8_t colourByte, flagsByte;  // written after the edit
  };
  const Case cases[] = {
      {StreamField::DynamicRange, 2, 0x22, 0x00}, {StreamField::DynamicRange, 0x13, 0x32, 0x00},
      {StreamField::ColorSpace, 1, 0x11, 0x00},   {StreamField::CrFlag, 1, 0x12, 0x80},
      {StreamField::HdrPlusFlag, 1, 0x12, 0x40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.field));
    Playlist m;
    ASSERT_EQ(parsePlaylist(hevcPlaylist(0x12, 0x00), m).status, ReadStatus::Ok);
    EXPECT_TRUE(setStreamField(m, 0, StreamCategory::PrimaryVideo, 0, c.field, c.value));
    EXPECT_EQ(composePlaylist(m), hevcPlaylist(c.colourByte, c.flagsByte));
    EXPECT_FALSE(setStreamField(m, 0, StreamCategory::PrimaryAudio, 0, c.field, c.value)) << "no audio stream";

    // AVC: the fields go, and cannot be set.
    ASSERT_TRUE(setStreamField(m, 0, StreamCategory::PrimaryVideo, 0, StreamField::Coding, 0x1B));
    const StreamAttributes& a = m.playlist.items[0].stn.primaryVideo[0].attributes;
    EXPECT_EQ(a.dynamicRangeType, 0);
    EXPECT_EQ(a.colorSpace, 0);
    EXPECT_FALSE(a.crFlag || a.hdrPlusFlag);
    EXPECT_FALSE(setStreamField(m, 0, StreamCategory::PrimaryVideo, 0, c.field, c.value));
    Playlist back;
    ASSERT_EQ(parsePlaylist(composePlaylist(m), back).status, ReadStatus::Ok);
    EXPECT_EQ(back, m);
  }
}

}  // namespace
}  // namespace mirdal
