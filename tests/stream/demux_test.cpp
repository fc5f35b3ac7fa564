#include "stream/demux.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <functional>
#include <filesystem>

#include "core/display_text.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "support/ts_builder.h"

namespace mirdal {
namespace {

using test::ReportScope;
using test::TempDir;
using test::TsBuilder;
using B = std::vector<std::uint8_t>;

// A PG-like segment: type, 16-bit length, body.
B segment(std::uint8_t type, std::size_t n, std::uint8_t fill) {
  B s = {type, std::uint8_t(n >> 8), std::uint8_t(n)};
  s.resize(3 + n, fill);
  return s;
}

B data(std::size_t n, std::uint8_t seed) {
  B d(n);
  for (std::size_t i = 0; i < n; ++i) d[i] = std::uint8_t(seed + i * 7);
  return d;
}

B cat(std::initializer_list<B> parts) {
  B out;
  for (const B& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

struct Export {
  DemuxResult res;
  B out;
};

Export demuxBytes(const B& ts, const DemuxOptions& opt) {
  TempDir dir;
  const auto in = dir.write("in.m2ts", ts);
  SourcePacketReader r;
  EXPECT_TRUE(r.open(in.string(), nullptr));
  MemorySink sink;
  Export run;
  run.res = Demux(r, sink, opt);
  run.out = sink.data;
  return run;
}

DemuxOptions opts(std::uint16_t pid, ExportMode mode) {
  DemuxOptions o;
  o.pid = pid;
  o.mode = mode;
  return o;
}

// Audio PES packets of several sizes (one packet, several, a short last
// packet) beside an unbounded video stream and null packets.
TsBuilder mixedStream() {
  TsBuilder ts;
  ts.pes(0x1011, 0xE0, data(700, 1), 90000, 87000, true);
  ts.pes(0x1100, 0xBD, data(100, 2), 90000);
  ts.nullPackets(2);
  ts.pes(0x1011, 0xE0, data(1500, 3), 93003, -1, true);
  ts.pes(0x1100, 0xBD, data(400, 4), 93000);
  ts.pes(0x1100, 0xBD, data(1000, 5), 96000);
  ts.pes(0x1011, 0xE0, data(170, 6), 96006, -1, true);
  return ts;
}

TEST(Demux, ElementaryAndPesOutputsHoldExactlyTheStreamsBytes) {
  ReportScope rs;
  const TsBuilder ts = mixedStream();
  TsBuilder onlyAudio;
  onlyAudio.pes(0x1100, 0xBD, data(100, 2), 90000)
      .pes(0x1100, 0xBD, data(400, 4), 93000)
      .pes(0x1100, 0xBD, data(1000, 5), 96000);
  B audioPes;  // the PES packets themselves, from the packets' payloads
  for (std::size_t i = 0; i < onlyAudio.packetCount(); ++i) {
    const std::uint8_t* sp = onlyAudio.data().data() + 192 * i;
    const PacketPayload p = packetPayload(sp);
    audioPes.insert(audioPes.end(), sp + p.offset, sp + 192);
  }
  struct Case {
    const char* what;
    std::uint16_t pid;
    ExportMode mode;
    B expected;
    std::uint64_t pes;
  } cases[] = {
      {"bounded audio, elementary", 0x1100, ExportMode::Elementary,
       cat({data(100, 2), data(400, 4), data(1000, 5)}), 3},
      {"unbounded video, elementary", 0x1011, ExportMode::Elementary,
       cat({data(700, 1), data(1500, 3), data(170, 6)}), 3},
      {"audio as PES", 0x1100, ExportMode::PES, audioPes, 3},
      {"a PID the file lacks", 0x1200, ExportMode::Elementary, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Export run = demuxBytes(ts.data(), opts(c.pid, c.mode));
    EXPECT_EQ(run.out, c.expected);
    EXPECT_EQ(run.res.pesPackets, c.pes);
    EXPECT_EQ(run.res.packets, ts.packetCount());
    EXPECT_FALSE(run.res.cancelled);
    EXPECT_FALSE(run.res.failed);
  }
}

TEST(Demux, SupAndMnuHeadersCarryTheTimesOfEachPes) {
  const std::uint32_t V = 0x0001A000;
  struct Case {
    const char* what;
    bool video;
    ExportMode mode;
    bool absolute;
    std::uint32_t pts1, dts1, pts3;
    const char magic[3];
  } cases[] = {
      {"relative to the first video PTS", true, ExportMode::SUP, false, 0x5E0, 0, 0x1000, "PG"},
      {"absolute times on request", true, ExportMode::SUP, true, 0x1A5E0, 0, 0x1B000, "PG"},
      {"no video: times unchanged", false, ExportMode::SUP, false, 0x1A5E0, 0, 0x1B000, "PG"},
      {"menus keep the stream's times", true, ExportMode::MNU, false, 0x1A5E0, 0, 0x1B000, "IG"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReportScope rs;
    TsBuilder ts;
    if (c.video) ts.pes(0x1011, 0xE0, data(300, 9), V, V - 3003, true);
    ts.pes(0x1200, 0xBD, segment(0x16, 40, 1), 0x1A5E0);
    ts.pes(0x1200, 0xBD, segment(0x14, 300, 2));  // no PTS: the previous times again
    ts.pes(0x1200, 0xBD, segment(0x80, 0, 0), 0x1B000, 0x1AFFF);
    const std::uint16_t pid = 0x1200;
    DemuxOptions o = opts(pid, c.mode);
    o.absoluteTimes = c.absolute;
    const Export run = demuxBytes(ts.data(), o);

    const std::uint32_t base = c.pts1 == 0x5E0 ? V : 0;
    auto head = [&](std::uint32_t pts, std::uint32_t dts) {
      return B{std::uint8_t(c.magic[0]), std::uint8_t(c.magic[1]), std::uint8_t(pts >> 24),
               std::uint8_t(pts >> 16), std::uint8_t(pts >> 8), std::uint8_t(pts),
               std::uint8_t(dts >> 24), std::uint8_t(dts >> 16), std::uint8_t(dts >> 8), std::uint8_t(dts)};
    };
    const B expected = cat({head(c.pts1, c.dts1), segment(0x16, 40, 1), head(c.pts1, c.dts1),
                            segment(0x14, 300, 2), head(c.pts3, 0x1AFFF - base), segment(0x80, 0, 0)});
    EXPECT_EQ(run.out, expected);
    // One log line per PES packet with a PTS.
    ASSERT_EQ(rs.rep.lines().size(), 2u);
    EXPECT_EQ(rs.rep.lines()[0].substr(0, 19), " " + hexText(c.pts1, 8) + ", 00000000");
    EXPECT_NE(rs.rep.lines()[0].find("   16   "), std::string::npos);
  }
}

TEST(Demux, LogLineShowsTimesSegmentTypeAndArrivalHeader) {
  EXPECT_EQ(pesLogLine(0x5E0, 0, 0x16, 0x00001F40),
            "000005E0, 00000000 : 0:00:00.016, 0:00:00.000   16   00001F40");
  EXPECT_EQ(pesLogLine(90000u * 3661 + 45000, 90000, 0x80, 0x3FFFFFFF),
            "13A44E18, 00015F90 : 1:01:01.500, 0:00:01.000   80   3FFFFFFF");
}

TEST(Demux, DamagedAndOddPacketsLoseOnlyThemselves) {
  ReportScope rs;
  TsBuilder good = mixedStream();
  const Export clean = demuxBytes(good.data(), opts(0x1100, ExportMode::Elementary));

  struct Case {
    const char* what;
    std::function<void(B&)> damage;
    std::uint64_t lost;
    std::uint64_t packets;
  } cases[] = {
      {"sync byte of a null packet and of a video packet wrong",
       [](B& b) {
         b[192 * 6 + 4] = 0x00;  // null packet after the first audio PES
         b[192 * 0 + 4] = 0x48;  // first video packet
       },
       2, good.packetCount()},
      {"a partial packet at the end", [](B& b) { b.insert(b.end(), 100, 0x47); }, 0, good.packetCount()},
      {"a stuffing-only packet of the PID",
       [&](B& b) {
         TsBuilder extra;
         extra.packet(0x1100, false, nullptr, 0);
         b.insert(b.end(), extra.data().begin(), extra.data().end());
       },
       0, good.packetCount() + 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    B bytes = good.data();
    c.damage(bytes);
    const Export run = demuxBytes(bytes, opts(0x1100, ExportMode::Elementary));
    EXPECT_EQ(run.out, c.lost ? cat({data(100, 2), data(400, 4), data(1000, 5)}) : clean.out);
    EXPECT_EQ(run.res.lostPackets, c.lost);
    EXPECT_EQ(run.res.packets, c.packets);
  }
}

TEST(Demux, StreamsWithoutPesHeaderAreLeftOut) {
  ReportScope rs;
  TsBuilder ts;
  ts.pes(0x1100, 0xBD, data(50, 1), 1000);
  ts.rawPes(0x1100, 0xBE, 600);  // padding over four packets
  ts.pes(0x1100, 0xBD, data(60, 2), 2000);
  const Export run = demuxBytes(ts.data(), opts(0x1100, ExportMode::Elementary));
  EXPECT_EQ(run.out, cat({data(50, 1), data(60, 2)}));
}

// Text subtitles travel in private stream 2 packets, whose data follows the
// 6-byte start directly.
TEST(Demux, PrivateStream2DataIsExported) {
  ReportScope rs;
  TsBuilder ts;
  ts.plainPes(0x1800, 0xBF, data(300, 3));  // over two packets
  ts.rawPes(0x1800, 0xBE, 20);
  ts.plainPes(0x1800, 0xBF, data(40, 4));
  const Export run = demuxBytes(ts.data(), opts(0x1800, ExportMode::Elementary));
  EXPECT_EQ(run.out, cat({data(300, 3), data(40, 4)}));
}

// 200 audio PES packets of 1000 bytes, 6 source packets each.
TsBuilder longAudio() {
  TsBuilder ts;
  for (int i = 0; i < 200; ++i) ts.pes(0x1100, 0xBD, data(1000, std::uint8_t(i)), 1000 * i);
  return ts;
}

TEST(Demux, CancelEndsTheOutputAtAPesBoundary) {
  struct Case {
    const char* what;
    ExportMode mode;
    bool beforeStart;
    std::size_t unit;  // bytes per whole PES packet in the output
  } cases[] = {
      {"elementary, cancelled between two looks", ExportMode::Elementary, false, 1000},
      {"PES, cancelled between two looks", ExportMode::PES, false, 1014},
      {"cancel flag set before the first PES", ExportMode::Elementary, true, 1000},
  };
  const TsBuilder ts = longAudio();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReportScope rs;
    if (c.beforeStart) setCancelFlag(true);
    rs.rep.onPump = [] { setCancelFlag(true); };
    const Export run = demuxBytes(ts.data(), opts(0x1100, c.mode));
    EXPECT_TRUE(run.res.cancelled);
    EXPECT_EQ(run.out.size() % c.unit, 0u);
    if (c.beforeStart) {
      EXPECT_TRUE(run.out.empty());
    } else {
      // The first look comes after 341 packets, inside PES packet 57.
      EXPECT_EQ(run.out.size(), 56 * c.unit);
      EXPECT_EQ(rs.rep.pumps, 1);
    }
    if (c.mode == ExportMode::Elementary && !run.out.empty()) {
      EXPECT_EQ(B(run.out.end() - 1000, run.out.end()), data(1000, std::uint8_t(55)));
    }
  }
}

TEST(Demux, ProgressEvery32768Packets) {
  ReportScope rs;
  TsBuilder ts;
  ts.nullPackets(70000);
  const Export run = demuxBytes(ts.data(), opts(0x1100, ExportMode::Elementary));
  EXPECT_EQ(run.res.packets, 70000u);
  EXPECT_EQ(rs.rep.status.panel[1].substr(0, 21), " Packet: 65536/70000 ");
  EXPECT_EQ(rs.rep.progress.percent, 93);
  EXPECT_EQ(rs.rep.pumps, 70000 / 341);
}

TEST(Demux, FilesThatCannotBeOpenedOrWrittenAreReported) {
  TempDir dir;
  TsBuilder ts = longAudio();
  const std::string in = dir.write("in.m2ts", ts.data()).string();
  struct Case {
    const char* what;
    std::string input, output;
    std::string message;
    bool outputLeft;
  } cases[] = {
      {"missing input", dir.folder() + "none.m2ts", dir.folder() + "a.aus", "Cannot open", false},
      {"input is a folder", dir.folder(), dir.folder() + "a.aus", "is a folder", false},
      {"output folder missing", in, dir.folder() + "no/such/a.aus", "Cannot create", false},
      {"output over the size limit", in, dir.folder() + "big.aus", "Cannot write", false},
      {"good export", in, dir.folder() + "ok.aus", "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReportScope rs;
    const bool limit = c.message == "Cannot write";
    rlimit old{};
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (limit) {
      getrlimit(RLIMIT_FSIZE, &old);
      rlimit small = old;
      small.rlim_cur = 50000;
      setrlimit(RLIMIT_FSIZE, &small);
    }
    const DemuxResult res = Demux(c.input, c.output, opts(0x1100, ExportMode::Elementary));
    if (limit) setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(res.failed, !c.message.empty());
    EXPECT_EQ(errorFlag(), !c.message.empty());
    if (!c.message.empty()) {
      EXPECT_NE(rs.rep.text().find(c.message), std::string::npos) << rs.rep.text();
    }
    EXPECT_EQ(std::filesystem::exists(c.output), c.outputLeft);
  }
  EXPECT_EQ(std::filesystem::file_size(dir.path() / "ok.aus"), 200000u);
}

}  // namespace
}  // namespace mirdal
