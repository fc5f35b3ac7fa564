// How a stream file's packets lie: Blu-ray source packets, plain 188-byte
// transport packets, junk before the first packet, and files that are no
// transport stream; and the same export from each.
#include <gtest/gtest.h>

#include <functional>

#include "stream/demux.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "support/ts_builder.h"

namespace mirdal {
namespace {

using B = std::vector<std::uint8_t>;

B payload(std::size_t n, std::uint8_t seed) {
  B d(n);
  for (std::size_t i = 0; i < n; ++i) d[i] = std::uint8_t(seed + i * 13);
  return d;
}

// 40 audio PES packets of 500 bytes (3 packets each), each followed by a
// null packet.
test::TsBuilder sourcePackets() {
  test::TsBuilder ts;
  for (int i = 0; i < 40; ++i) {
    ts.pes(0x1100, 0xBD, payload(500, std::uint8_t(i)), 3000 * i);
    ts.nullPackets(1);
  }
  return ts;
}

// The same packets without their 4-byte TP_extra_header.
B transportPackets(const B& sp) {
  B out;
  for (std::size_t p = 0; p + 192 <= sp.size(); p += 192) out.insert(out.end(), sp.begin() + long(p) + 4, sp.begin() + long(p) + 192);
  return out;
}

B cat(const B& a, const B& b) {
  B out = a;
  out.insert(out.end(), b.begin(), b.end());
  return out;
}

TEST(PacketLayout, FoundFromTheFirstBytes) {
  const B sp = sourcePackets().data();
  const B tp = transportPackets(sp);
  B text(5000);
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = std::uint8_t("no transport stream here. "[i % 26]);
  struct Case {
    const char* what;
    B file;
    std::size_t size;
    std::uint64_t offset;
    bool recognised;
  } cases[] = {
      {"source packets", sp, 192, 0, true},
      {"source packets, the first one damaged", [&] { B b = sp; b[4] = 0; return b; }(), 192, 0, true},
      {"source packets, the first six damaged",
       [&] {
         B b = sp;
         for (int k = 0; k < 6; ++k) b[192 * k + 4] = 0;
         return b;
       }(),
       192, 0, true},
      {"source packets behind 1000 bytes of junk", cat(B(1000, 0x00), sp), 192, 1000, true},
      {"transport packets", tp, 188, 0, true},
      {"transport packets behind 77 bytes of junk", cat(payload(77, 5), tp), 188, 77, true},
      {"one transport packet", B(tp.begin(), tp.begin() + 188), 188, 0, true},
      {"less than a packet", B(100, 0), 192, 0, true},
      {"an empty file", {}, 192, 0, true},
      {"text", text, 192, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const PacketLayout l = detectPacketLayout(c.file.data(), c.file.size());
    EXPECT_EQ(l.packetSize, c.size);
    EXPECT_EQ(l.offset, c.offset);
    EXPECT_EQ(l.recognised, c.recognised);
  }
}

// Every layout gives the same elementary stream; what is not a stream is
// refused with a reason and writes nothing.
TEST(PacketLayout, EveryLayoutExportsTheSameStream) {
  test::TempDir d;
  const B sp = sourcePackets().data();
  const B tp = transportPackets(sp);
  B expected;
  for (int i = 0; i < 40; ++i) expected = cat(expected, payload(500, std::uint8_t(i)));
  struct Case {
    const char* what;
    B file;
    std::string logLine;  // said about the layout; empty: nothing
  } cases[] = {
      {"source packets", sp, ""},
      {"transport packets", tp, "188-byte transport packets, read without arrival time stamps."},
      {"transport packets behind junk", cat(payload(300, 1), tp), "300 bytes before the first packet skipped."},
      {"source packets behind junk", cat(payload(50, 2), sp), "50 bytes before the first packet skipped."},
      {"no stream", B(20000, 0x20), "is not a transport stream"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::ReportScope rs;
    const std::string in = d.write("in.m2ts", c.file).string();
    const std::string out = d.folder() + "out.aus";
    DemuxOptions o;
    o.pid = 0x1100;
    o.report = &mirdal::test::testReporter();
    const DemuxResult res = demux(in, out, o);
    const bool refused = c.logLine.find("not a transport") != std::string::npos;
    EXPECT_EQ(res.failed, refused);
    EXPECT_EQ(mirdal::test::testReporter().errorCount() > 0, refused);
    if (!c.logLine.empty()) EXPECT_NE(rs.rep.text().find(c.logLine), std::string::npos) << rs.rep.text();
    if (refused) {
      EXPECT_FALSE(d.exists("out.aus"));
    } else {
      EXPECT_EQ(d.read("out.aus"), expected);
      EXPECT_EQ(res.lostPackets, 0u);
      EXPECT_EQ(res.packets, sp.size() / 192);
    }
    std::filesystem::remove(out);
  }
}

// The reader hands out 188-byte packets as source packets across its
// buffer edges.
TEST(PacketLayout, TransportPacketsAcrossBufferEdges) {
  test::TempDir d;
  const B sp = sourcePackets().data();
  const std::string in = d.write("in.ts", transportPackets(sp)).string();
  SourcePacketReader r(3);
  ASSERT_TRUE(r.open(in, nullptr));
  const std::size_t count = sp.size() / 192;
  EXPECT_EQ(r.packetCount(), count);
  B got;
  const std::uint8_t* p = nullptr;
  while (const std::size_t n = r.readPackets(p)) got.insert(got.end(), p, p + n * 192);
  ASSERT_EQ(got.size(), sp.size());
  for (std::size_t k = 0; k < count; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(tpExtraHeader(got.data() + 192 * k), 0u);
    EXPECT_TRUE(std::equal(sp.begin() + long(192 * k + 4), sp.begin() + long(192 * k + 192), got.begin() + long(192 * k + 4)));
  }
}

}  // namespace
}  // namespace mirdal
