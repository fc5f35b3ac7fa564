#include "stream/demux.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
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

Export demuxFile(const std::string& in, const DemuxOptions& opt, bool mapped) {
  SourcePacketReader r;
  if (!mapped) r.readWithoutMapping();
  EXPECT_TRUE(r.open(in, nullptr));
  MemorySink sink;
  Export run;
  run.res = demux(r, sink, opt);
  run.out = sink.data;
  return run;
}

// Every export here runs through the mapped file; one without a cancel
// request runs a second time through read(), quietly, and must come out
// the same.
Export demuxBytes(const B& ts, const DemuxOptions& opt) {
  TempDir dir;
  const std::string in = dir.write("in.m2ts", ts).string();
  const Export run = demuxFile(in, opt, true);
  if (!opt.cancel) {
    SilentReporter quiet;
    DemuxOptions o = opt;
    o.report = &quiet;
    const Export read = demuxFile(in, o, false);
    EXPECT_EQ(read.out, run.out);
    EXPECT_EQ(read.res.packets, run.res.packets);
    EXPECT_EQ(read.res.pidPackets, run.res.pidPackets);
    EXPECT_EQ(read.res.lostPackets, run.res.lostPackets);
    EXPECT_EQ(read.res.pesPackets, run.res.pesPackets);
    EXPECT_EQ(read.res.failed, run.res.failed);
  }
  return run;
}

DemuxOptions opts(std::uint16_t pid, ExportMode mode) {
  DemuxOptions o;
  o.pid = pid;
  o.report = &mirdal::test::testReporter();
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

TEST(demux, ElementaryAndPesOutputsHoldExactlyTheStreamsBytes) {
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

TEST(demux, SupAndMnuHeadersCarryTheTimesOfEachPes) {
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

TEST(demux, LogLineShowsTimesSegmentTypeAndArrivalHeader) {
  EXPECT_EQ(pesLogLine(0x5E0, 0, 0x16, 0x00001F40),
            "000005E0, 00000000 : 0:00:00.016, 0:00:00.000   16   00001F40");
  EXPECT_EQ(pesLogLine(90000u * 3661 + 45000, 90000, 0x80, 0x3FFFFFFF),
            "13A44E18, 00015F90 : 1:01:01.500, 0:00:01.000   80   3FFFFFFF");
}

TEST(demux, DamagedAndOddPacketsLoseOnlyThemselves) {
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

// An elementary stream of PES packets (AC-3 frames, H.264 access units)
// with the packets of each recorded, next to a second PID.
struct LossyStream {
  TsBuilder ts;
  std::vector<B> data;                                   // per PES packet
  std::vector<std::pair<std::size_t, std::size_t>> packets;  // its first and end packet
};

LossyStream elementaryStream(std::uint8_t streamId, bool unbounded, bool h264) {
  LossyStream s;
  for (int i = 0; i < 300; ++i) {
    B d;
    if (h264) {
      // Access unit delimiter, then a slice: start codes inside the data.
      d = cat({{0, 0, 0, 1, 0x09, 0xF0, 0, 0, 1, std::uint8_t(i % 5 ? 0x41 : 0x65)}, data(200 + 37 * (i % 11), 3)});
    } else {
      // Two AC-3 frames of 768 bytes, each behind its sync word.
      for (int f = 0; f < 2; ++f) d = cat({d, {0x0B, 0x77}, data(766, std::uint8_t(i + f))});
    }
    const std::size_t first = s.ts.packetCount();
    s.ts.pes(0x1100, streamId, d, 90000 + 2880 * i, -1, unbounded);
    s.packets.push_back({first, s.ts.packetCount()});
    s.data.push_back(d);
    s.ts.pes(0x1200, 0xBD, data(100, std::uint8_t(i)), 90000 + 2880 * i);
  }
  return s;
}

// A lost packet shortens its PES packet; the next one still begins at its
// unit start, so no PES header reaches the elementary stream, and every
// PES packet that lost nothing comes out whole, in order.
TEST(demux, LostPacketsLeakNoPesHeadersIntoTheElementaryStream) {
  struct Case {
    const char* what;
    std::uint8_t streamId;
    bool unbounded, h264;
    std::size_t every;  // one packet in `every` loses its sync byte
  } cases[] = {
      {"AC-3, 1 in 7", 0xBD, false, false, 7},     {"AC-3, 1 in 100", 0xBD, false, false, 100},
      {"AC-3, 1 in 1000", 0xBD, false, false, 1000}, {"H.264 bounded, 1 in 7", 0xE0, false, true, 7},
      {"H.264 bounded, 1 in 100", 0xE0, false, true, 100}, {"H.264 unbounded, 1 in 7", 0xE0, true, true, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReportScope rs;
    LossyStream s = elementaryStream(c.streamId, c.unbounded, c.h264);
    std::vector<bool> lost(s.ts.packetCount(), false);
    for (std::size_t k = c.every / 2; k < lost.size(); k += c.every) {
      s.ts.data()[k * 192 + 4] = 0x00;
      lost[k] = true;
    }
    const Export run = demuxBytes(s.ts.data(), opts(0x1100, ExportMode::Elementary));
    const B& out = run.out;
    for (std::size_t k = 0; k + 3 < out.size(); ++k)
      ASSERT_FALSE(out[k] == 0 && out[k + 1] == 0 && out[k + 2] == 1 && (out[k + 3] == 0xBD || out[k + 3] == 0xE0))
          << "a PES header at " << k;
    std::size_t begun = 0, whole = 0;
    auto at = out.begin();
    for (std::size_t i = 0; i < s.data.size(); ++i) {
      const auto [first, end] = s.packets[i];
      begun += lost[first] ? 0 : 1;
      if (std::find(lost.begin() + long(first), lost.begin() + long(end), true) != lost.begin() + long(end)) continue;
      at = std::search(at, out.end(), s.data[i].begin(), s.data[i].end());
      ASSERT_NE(at, out.end()) << "PES packet " << i << " is not whole";
      at += long(s.data[i].size());
      ++whole;
    }
    EXPECT_EQ(run.res.pesPackets, begun);
    if (c.every >= 100) EXPECT_GT(whole, s.data.size() / 2);
    EXPECT_EQ(run.res.lostPackets, std::size_t(std::count(lost.begin(), lost.end(), true)));
  }
}

// A unit start that brings no PES header ends the PES packet before it.
TEST(demux, AUnitStartWithoutPesHeaderEndsThePesPacketBefore) {
  ReportScope rs;
  TsBuilder ts;
  ts.pes(0x1100, 0xBD, data(1000, 1), 1000);
  const B junk(184, 0x55);
  ts.packet(0x1100, true, junk.data(), junk.size());
  ts.packet(0x1100, false, junk.data(), junk.size());
  ts.pes(0x1100, 0xBD, data(100, 2), 2000);
  B bytes = ts.data();
  bytes[192 * 3 + 4] = 0;  // the first PES packet loses its fourth packet
  const Export run = demuxBytes(bytes, opts(0x1100, ExportMode::Elementary));
  B first = data(1000, 1);
  first.erase(first.begin() + (184 * 3 - 14), first.begin() + (184 * 4 - 14));
  EXPECT_EQ(run.out, cat({first, data(100, 2)}));
}

TEST(demux, StreamsWithoutPesHeaderAreLeftOut) {
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
TEST(demux, PrivateStream2DataIsExported) {
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

TEST(demux, CancelEndsTheOutputAtAPesBoundary) {
  struct Case {
    const char* what;
    ExportMode mode;
    bool beforeStart;
    std::size_t unit;  // bytes per whole PES packet in the output
  } cases[] = {
      {"elementary, cancelled between two looks", ExportMode::Elementary, false, 1000},
      {"PES, cancelled between two looks", ExportMode::PES, false, 1014},
      {"cancel requested before the first PES", ExportMode::Elementary, true, 1000},
  };
  const TsBuilder ts = longAudio();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReportScope rs;
    CancelToken cancel;
    if (c.beforeStart) cancel.request();
    rs.rep.onPump = [&] { cancel.request(); };
    DemuxOptions o = opts(0x1100, c.mode);
    o.cancel = &cancel;
    const Export run = demuxBytes(ts.data(), o);
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

TEST(demux, ProgressEvery32768Packets) {
  ReportScope rs;
  TsBuilder ts;
  ts.nullPackets(70000);
  const Export run = demuxBytes(ts.data(), opts(0x1100, ExportMode::Elementary));
  EXPECT_EQ(run.res.packets, 70000u);
  EXPECT_EQ(rs.rep.status.panel[1].substr(0, 21), " Packet: 65536/70000 ");
  EXPECT_EQ(rs.rep.progress.percent, 93);
  EXPECT_EQ(rs.rep.pumps, 70000 / 341);
}

TEST(demux, FilesThatCannotBeOpenedOrWrittenAreReported) {
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
    const DemuxResult res = demux(c.input, c.output, opts(0x1100, ExportMode::Elementary));
    if (limit) setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(res.failed, !c.message.empty());
    EXPECT_EQ(mirdal::test::testReporter().errorCount() > 0, !c.message.empty());
    if (!c.message.empty()) {
      EXPECT_NE(rs.rep.text().find(c.message), std::string::npos) << rs.rep.text();
    }
    EXPECT_EQ(std::filesystem::exists(c.output), c.outputLeft);
  }
  EXPECT_EQ(std::filesystem::file_size(dir.path() / "ok.aus"), 200000u);
}

std::size_t filesIn(const std::filesystem::path& folder) {
  return std::size_t(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// The stream written over itself would be emptied before it is read:
// refused, under any name that leads to it.
TEST(demux, AnOutputThatIsTheInputIsRefused) {
  TempDir dir;
  const B ts = longAudio().data();
  const std::string in = dir.write("s.m2ts", ts).string();
  std::filesystem::create_symlink(in, dir.path() / "link.m2ts");
  std::filesystem::create_hard_link(in, dir.path() / "hard.m2ts");
  for (const char* name : {"s.m2ts", "link.m2ts", "hard.m2ts", "./s.m2ts"}) {
    SCOPED_TRACE(name);
    ReportScope rs;
    const DemuxResult res = demux(in, dir.folder() + name, opts(0x1100, ExportMode::Elementary));
    EXPECT_TRUE(res.failed);
    EXPECT_NE(rs.rep.text().find("it is the stream being read"), std::string::npos) << rs.rep.text();
    EXPECT_EQ(dir.read("s.m2ts"), ts);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "link.m2ts"));
  }
  EXPECT_EQ(filesIn(dir.path()), 3u);
}

// A regular file is replaced only when the export is done: while it runs and
// after it fails the file that was there is whole, and no temporary file is
// left.
TEST(demux, TheOldFileStaysUntilTheExportIsDone) {
  TempDir dir;
  const B ts = longAudio().data();
  const std::string in = dir.write("s.m2ts", ts).string();
  const B old = {'o', 'l', 'd'};
  const std::string out = dir.write("a.aus", old).string();
  {
    ReportScope rs;
    B seen;
    rs.rep.onPump = [&] { seen = dir.read("a.aus"); };
    EXPECT_FALSE(demux(in, out, opts(0x1100, ExportMode::Elementary)).failed);
    EXPECT_EQ(seen, old);
    EXPECT_EQ(dir.read("a.aus").size(), 200000u);
  }
  dir.write("a.aus", old);
  {
    ReportScope rs;
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 50000;
    auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const DemuxResult res = demux(in, out, opts(0x1100, ExportMode::Elementary));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_TRUE(res.failed);
    EXPECT_NE(rs.rep.text().find("Cannot write"), std::string::npos);
    EXPECT_EQ(dir.read("a.aus"), old);
  }
  EXPECT_EQ(filesIn(dir.path()), 2u);
}

// A device or a pipe is written in place and is never removed, not even
// when writing to it fails.
TEST(demux, DevicesAndPipesAreWrittenInPlace) {
  TempDir dir;
  TsBuilder small;
  small.pes(0x1100, 0xBD, data(1000, 1), 1000);
  const std::string in = dir.write("s.m2ts", small.data()).string();
  {
    ReportScope rs;
    EXPECT_FALSE(demux(in, "/dev/null", opts(0x1100, ExportMode::Elementary)).failed);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  }
  {
    // A pipe with a reader: the export arrives through it.
    const std::string fifo = dir.folder() + "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ReportScope rs;
    EXPECT_FALSE(demux(in, fifo, opts(0x1100, ExportMode::Elementary)).failed);
    B got(2000);
    const ssize_t n = ::read(reader, got.data(), got.size());
    ::close(reader);
    got.resize(std::size_t(std::max<ssize_t>(n, 0)));
    EXPECT_EQ(got, data(1000, 1));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  }
  // A device that is always full (as /dev/full), made here: the failed
  // write is reported and the node stays.
  const std::string full = dir.folder() + "full";
  if (::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) GTEST_SKIP() << "no device nodes here";
  ReportScope rs;
  const DemuxResult res = demux(in, full, opts(0x1100, ExportMode::Elementary));
  EXPECT_TRUE(res.failed);
  EXPECT_NE(rs.rep.text().find("Cannot write " + full + " (No space left on device)"), std::string::npos)
      << rs.rep.text();
  EXPECT_TRUE(std::filesystem::is_character_file(full));
}

}  // namespace
}  // namespace mirdal
