// Our reading of the Ultra HD ("0300") files against libbluray's, a player
// library that reads them: the index's application fields, every clip
// stream's attributes, the playlists' video streams; and files written
// after each new attribute value was set, read by libbluray. Skipped where
// libbluray (libbluray-dev) or the samples are not there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/fields.h"
#include "formats/clip/clpi.h"
#include "formats/bdmv/index_app_info.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/playlist/mpls.h"

#include "support/shared_samples.h"
#include "support/temp_dir.h"

#if MIRDAL_HAVE_LIBBLURAY
#include <libbluray/bluray.h>
#include <libbluray/clpi_data.h>
#endif

namespace mirdal {
namespace {

namespace fs = std::filesystem;

#if MIRDAL_HAVE_LIBBLURAY

fs::path uhdSample() {
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

void writeBytes(const fs::path& p, const Bytes& b) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

// The sample laid out as a disc libbluray opens: BDMV with the database
// files, BACKUP, and an empty stream file per clip.
struct Disc {
  test::TempDir dir;
  fs::path bdmv;

  explicit Disc(const fs::path& sample) {
    bdmv = dir.path() / "BDMV";
    fs::copy(sample, bdmv, fs::copy_options::recursive);
    for (const auto& e : fs::recursive_directory_iterator(dir.path()))
      fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add);
    fs::create_directories(bdmv / "BACKUP");
    fs::create_directories(bdmv / "STREAM");
    for (const auto& e : fs::directory_iterator(bdmv / "CLIPINF"))
      writeBytes(bdmv / "STREAM" / (e.path().stem().string() + ".m2ts"), {});
  }
};

struct ClpiFree {
  void operator()(CLPI_CL* c) const { bd_free_clpi(c); }
};
using Clpi = std::unique_ptr<CLPI_CL, ClpiFree>;

void expectSameStreams(const ClipInfoFile& ours, const CLPI_CL& theirs, const std::string& where) {
  ASSERT_EQ(ours.programInfo.programSequences.size(), theirs.program.num_prog) << where;
  for (std::size_t p = 0; p < theirs.program.num_prog; ++p) {
    const CLPI_PROG& tp = theirs.program.progs[p];
    const auto& op = ours.programInfo.programSequences[p].streams;
    ASSERT_EQ(op.size(), tp.num_streams) << where;
    for (std::size_t s = 0; s < tp.num_streams; ++s) {
      const CLPI_PROG_STREAM& t = tp.streams[s];
      const ProgramStream& o = op[s];
      SCOPED_TRACE(where + " stream " + std::to_string(s));
      EXPECT_EQ(o.pid, t.pid);
      EXPECT_EQ(o.streamCodingType, t.coding_type);
      if (o.streamCodingType == 0x02 || o.streamCodingType == 0x1B || o.streamCodingType == 0xEA ||
          o.streamCodingType == 0x24) {
        EXPECT_EQ(o.videoFormat, t.format);
        EXPECT_EQ(o.frameRate, t.rate);
        EXPECT_EQ(o.aspectRatio, t.aspect);
        EXPECT_EQ(o.aspectFlag, t.oc_flag);
      }
      if (o.streamCodingType == 0x24) {
        EXPECT_EQ(o.crFlag, t.cr_flag != 0);
        EXPECT_EQ(o.dynamicRangeType, t.dynamic_range_type);
        EXPECT_EQ(o.colorSpace, t.color_space);
        EXPECT_EQ(o.hdrPlusFlag, t.hdr_plus_flag != 0);
      }
    }
  }
}

TEST(LibblurayUltraHD, ClipStreamsAgree) {
  const fs::path sample = uhdSample();
  if (sample.empty()) GTEST_SKIP() << "no Ultra HD sample disc";
  int clips = 0;
  for (const auto& e : fs::directory_iterator(sample / "CLIPINF")) {
    ClipInfoFile ours;
    ASSERT_EQ(parseClipInfo(fileBytes(e.path()), ours).status, ReadStatus::Ok) << e.path();
    const Clpi theirs(bd_read_clpi(e.path().c_str()));
    ASSERT_TRUE(theirs) << e.path();
    expectSameStreams(ours, *theirs, e.path().filename().string());
    ++clips;
  }
  EXPECT_EQ(clips, 23);
}

// Each HEVC value set in a real clip, written by us, read by libbluray.
struct ClipValueCase {
  const char* name;
  std::uint8_t dynamicRange, colorSpace;
  bool cr, hdrPlus;
};

TEST(LibblurayUltraHD, WrittenHevcValuesReadBack) {
  const fs::path sample = uhdSample();
  if (sample.empty()) GTEST_SKIP() << "no Ultra HD sample disc";
  const ClipValueCase cases[] = {
      {"SDR BT.709", 0, 1, false, false}, {"HDR10 BT.2020", 1, 2, false, false},
      {"Dolby Vision", 2, 2, false, false}, {"unnamed 3, colour 9", 3, 9, false, false},
      {"CR", 1, 2, true, false},           {"HDR10+", 1, 2, false, true},
      {"all bits", 15, 15, true, true},
  };
  test::TempDir d;
  ClipInfoFile base;
  ASSERT_EQ(parseClipInfo(fileBytes(sample / "CLIPINF/00011.clpi"), base).status, ReadStatus::Ok);
  for (const ClipValueCase& c : cases) {
    SCOPED_TRACE(c.name);
    ClipInfoFile edited = base;
    ProgramStream& s = edited.programInfo.programSequences.at(0).streams.at(0);
    ASSERT_EQ(s.streamCodingType, 0x24);
    s.dynamicRangeType = c.dynamicRange;
    s.colorSpace = c.colorSpace;
    s.crFlag = c.cr;
    s.hdrPlusFlag = c.hdrPlus;
    const fs::path file = d.path() / "00011.clpi";
    writeBytes(file, composeClipInfo(edited));
    const Clpi theirs(bd_read_clpi(file.c_str()));
    ASSERT_TRUE(theirs);
    expectSameStreams(edited, *theirs, c.name);
  }
}

// The playlists' video streams: coding type, format and rate as libbluray
// reports them; dynamic range and colour space as libbluray reads them in
// the clip the PlayItem plays (its playlist API has no such fields).
TEST(LibblurayUltraHD, PlaylistVideoStreamsAgree) {
  const fs::path sample = uhdSample();
  if (sample.empty()) GTEST_SKIP() << "no Ultra HD sample disc";
  Disc disc(sample);
  BLURAY* bd = bd_open(disc.dir.path().c_str(), nullptr);
  ASSERT_TRUE(bd);
  int streams = 0;
  for (const auto& e : fs::directory_iterator(sample / "PLAYLIST")) {
    const std::string name = e.path().stem().string();
    SCOPED_TRACE(name);
    Playlist ours;
    ASSERT_EQ(parsePlaylist(fileBytes(e.path()), ours).status, ReadStatus::Ok);
    BLURAY_TITLE_INFO* info = bd_get_playlist_info(bd, std::uint32_t(std::stoul(name)), 0);
    ASSERT_TRUE(info);
    ASSERT_EQ(info->clip_count, ours.playlist.items.size());
    for (std::size_t i = 0; i < info->clip_count; ++i) {
      const BLURAY_CLIP_INFO& clip = info->clips[i];
      const auto& video = ours.playlist.items[i].stn.primaryVideo;
      ASSERT_EQ(video.size(), clip.video_stream_count);
      const Clpi clpi(bd_read_clpi((disc.bdmv / "CLIPINF" / (ours.playlist.items[i].clipName + ".clpi")).c_str()));
      ASSERT_TRUE(clpi);
      for (std::size_t v = 0; v < video.size(); ++v) {
        const StreamAttributes& a = video[v].attributes;
        EXPECT_EQ(video[v].entry.mainPid, clip.video_streams[v].pid);
        EXPECT_EQ(a.codingType, clip.video_streams[v].coding_type);
        EXPECT_EQ(a.videoFormat, clip.video_streams[v].format);
        EXPECT_EQ(a.frameRate, clip.video_streams[v].rate);
        if (a.codingType != 0x24) continue;
        const CLPI_PROG& prog = clpi->program.progs[0];
        for (std::size_t s = 0; s < prog.num_streams; ++s) {
          if (prog.streams[s].pid != video[v].entry.mainPid) continue;
          EXPECT_EQ(a.dynamicRangeType, prog.streams[s].dynamic_range_type);
          EXPECT_EQ(a.colorSpace, prog.streams[s].color_space);
          ++streams;
        }
      }
    }
    bd_free_title_info(info);
  }
  bd_close(bd);
  EXPECT_GT(streams, 0);
}

// The index's AppInfoBDMV fields, as read and after each value was set and
// written by us.
struct AppInfoCase {
  AppInfoField field;
  unsigned value;
};

TEST(LibblurayUltraHD, IndexApplicationFieldsAgree) {
  const fs::path sample = uhdSample();
  if (sample.empty()) GTEST_SKIP() << "no Ultra HD sample disc";
  const AppInfoCase cases[] = {
      {AppInfoField::FrameRate, 0},           {AppInfoField::InitialOutputMode, 1},
      {AppInfoField::Content3D, 1},           {AppInfoField::InitialDynamicRange, 1},
      {AppInfoField::InitialDynamicRange, 2}, {AppInfoField::InitialDynamicRange, 4},
      {AppInfoField::VideoFormat, 6},         {AppInfoField::VideoFormat, 8},
      {AppInfoField::FrameRate, 1},           {AppInfoField::FrameRate, 6},
  };
  IndexFile base;
  ASSERT_EQ(parseIndex(fileBytes(sample / "index.bdmv"), base).status, ReadStatus::Ok);
  for (const AppInfoCase& c : cases) {
    SCOPED_TRACE(int(c.field) * 100 + int(c.value));
    Disc disc(sample);
    IndexFile idx = base;
    setAppInfoField(idx, c.field, c.value);
    writeBytes(disc.bdmv / "index.bdmv", composeIndex(idx));
    BLURAY* bd = bd_open(disc.dir.path().c_str(), nullptr);
    ASSERT_TRUE(bd);
    const BLURAY_DISC_INFO* info = bd_get_disc_info(bd);
    ASSERT_TRUE(info);
    const AppInfoBdmv a = appInfoFields(idx);
    EXPECT_EQ(info->initial_output_mode_preference, a.initialOutputModePreference);
    EXPECT_EQ(info->content_exist_3D != 0, a.content3DExists);
    EXPECT_EQ(info->initial_dynamic_range_type, a.initialDynamicRangeType);
    EXPECT_EQ(info->video_format, a.videoFormat);
    EXPECT_EQ(info->frame_rate, a.frameRate);
    EXPECT_EQ(info->num_titles, idx.indexes.titles.size());
    bd_close(bd);
  }
}

#else

TEST(LibblurayUltraHD, NeedsLibbluray) { GTEST_SKIP() << "libbluray-dev is not installed"; }

#endif

}  // namespace
}  // namespace mirdal
