// PID export of the shared tsMuxeR samples: the SUP files hold one segment
// per PES packet, the elementary files no PES header bytes.
#include <gtest/gtest.h>

#include <filesystem>

#include "stream/demux.h"
#include "support/shared_samples.h"
#include "support/recording_reporter.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;

fs::path sample(const char* disc) {
  return test::sharedSamples() / "tsmuxer" / disc / "BDMV/STREAM/00000.m2ts";
}

Bytes exportPid(const fs::path& p, std::uint16_t pid, ExportMode mode, DemuxResult* res = nullptr) {
  SourcePacketReader r;
  EXPECT_TRUE(r.open(p.string(), nullptr));
  MemorySink sink;
  DemuxOptions o;
  o.pid = pid;
  o.mode = mode;
  o.logPesLines = false;
  const DemuxResult d = demux(r, sink, o);
  if (res) *res = d;
  return sink.data;
}

TEST(SampleExport, SupHasOneSegmentPerPesAndRelativeTimes) {
  const fs::path p = sample("b_audio2_pgs2_chapters");
  if (!fs::exists(p)) GTEST_SKIP() << "no shared samples";
  test::ReportScope rs;
  for (std::uint16_t pid : {0x1200, 0x1201}) {
    DemuxResult res;
    const Bytes sup = exportPid(p, pid, ExportMode::SUP, &res);
    const Bytes pes = exportPid(p, pid, ExportMode::PES);
    std::size_t i = 0, segments = 0;
    std::uint32_t lastPts = 0;
    while (i + 13 <= sup.size()) {
      ASSERT_EQ(sup[i], 'P');
      ASSERT_EQ(sup[i + 1], 'G');
      const std::uint32_t pts = std::uint32_t(sup[i + 2] << 24 | sup[i + 3] << 16 | sup[i + 4] << 8 | sup[i + 5]);
      EXPECT_LT(pts, 90000u * 9);  // within the 8 s clip, not its 600 s timeline
      if (sup[i + 10] == 0x16) {  // presentation compositions come in time order
        EXPECT_GE(pts, lastPts);
        lastPts = pts;
      }
      i += 13 + std::size_t(sup[i + 11] << 8 | sup[i + 12]);
      ++segments;
    }
    EXPECT_EQ(i, sup.size());
    EXPECT_EQ(segments, res.pesPackets);
    // Every PES packet of the PES export is one segment of the SUP export.
    std::size_t starts = 0;
    for (std::size_t k = 0; k + 3 < pes.size(); ++k)
      if (pes[k] == 0 && pes[k + 1] == 0 && pes[k + 2] == 1 && pes[k + 3] == 0xBD) ++starts;
    EXPECT_EQ(starts, segments);
  }
}

TEST(SampleExport, ElementaryStreamsHoldNoPesHeaders) {
  struct Case {
    const char* disc;
    std::uint16_t pid;
  } cases[] = {{"b_audio2_pgs2_chapters", 0x1100}, {"b_audio2_pgs2_chapters", 0x1101},
               {"b_audio2_pgs2_chapters", 0x1011}, {"a_single_1080p", 0x1100},
               {"a_single_1080p", 0x1011}, {"b_audio2_pgs2_chapters", 0x1200}};
  for (const Case& c : cases) {
    const fs::path p = sample(c.disc);
    if (!fs::exists(p)) GTEST_SKIP() << "no shared samples";
    SCOPED_TRACE(std::string(c.disc) + " " + std::to_string(c.pid));
    test::ReportScope rs;
    const Bytes es = exportPid(p, c.pid, ExportMode::Elementary);
    ASSERT_FALSE(es.empty());
    for (std::size_t k = 0; k + 3 < es.size(); ++k) {
      const bool pesStart = es[k] == 0 && es[k + 1] == 0 && es[k + 2] == 1 &&
                            (es[k + 3] == 0xBD || es[k + 3] == 0xE0 || es[k + 3] == 0xC0 || es[k + 3] == 0xFD);
      ASSERT_FALSE(pesStart) << "at " << k;
    }
    if (c.pid == 0x1100) {
      // AC-3: 768-byte frames, each with its sync word, end to end.
      ASSERT_EQ(es.size() % 768, 0u);
      for (std::size_t k = 0; k < es.size(); k += 768) ASSERT_TRUE(es[k] == 0x0B && es[k + 1] == 0x77) << k;
    }
  }
}

}  // namespace
}  // namespace mirdal
