// The menu muxer: the packet layout of a small menu, PES packets spread over
// several packets with their counters, a PES that ends early, and a muxed
// menu that the stream extraction loads back to the same menu.
#include "stream/menu_mux.h"

#include <gtest/gtest.h>

#include "menu/igs_write.h"
#include "menu/rle.h"
#include "samples/sample_menu.h"
#include "stream/ig_extract.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

constexpr std::size_t kSp = 192;

std::uint32_t ats(const Bytes& b, std::size_t k) {
  const std::uint8_t* p = b.data() + k * kSp;
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}
std::uint16_t pid(const Bytes& b, std::size_t k) {
  return std::uint16_t((b[k * kSp + 5] & 0x1F) << 8 | b[k * kSp + 6]);
}
bool unitStart(const Bytes& b, std::size_t k) { return b[k * kSp + 5] & 0x40; }
std::uint8_t counter(const Bytes& b, std::size_t k) { return b[k * kSp + 7] & 0x0F; }
// The 27 MHz value of a PCR packet.
std::uint64_t pcr(const Bytes& b, std::size_t k) {
  const std::uint8_t* p = b.data() + k * kSp + 10;
  const std::uint64_t base = std::uint64_t(p[0]) << 25 | std::uint64_t(p[1]) << 17 | std::uint64_t(p[2]) << 9 |
                             std::uint64_t(p[3]) << 1 | p[4] >> 7;
  return base * 300 + ((p[4] & 1u) << 8 | p[5]);
}

// A PES packet of n bytes in all whose payload bytes count up.
Bytes pesOf(std::size_t n) {
  Bytes p{0x00, 0x00, 0x01, 0xBD, std::uint8_t((n - 6) >> 8), std::uint8_t(n - 6)};
  for (std::size_t i = 6; i < n; ++i) p.push_back(std::uint8_t(i));
  return p;
}

TEST(MenuMux, OneSmallPesPacket) {
  const Bytes pes = pesOf(100);
  const Bytes ts = muxPes(pes, mirdal::test::testReporter());
  ASSERT_EQ(ts.size(), 32 * kSp);
  const std::vector<std::uint16_t> pids{0x0000, 0x0100, 0x001F, 0x1001, 0x1400};
  for (std::size_t k = 0; k < 32; ++k) {
    EXPECT_EQ(ats(ts, k), 0x10000000u + 846u * k) << k;
    EXPECT_EQ(ts[k * kSp + 4], 0x47);
    EXPECT_EQ(pid(ts, k), k < pids.size() ? pids[k] : 0x1FFF) << k;
  }
  // The tables, with their section CRCs.
  EXPECT_EQ(Bytes(ts.begin() + 5, ts.begin() + 30),
            (Bytes{0x40, 0x00, 0x10, 0x00, 0x00, 0xB0, 0x11, 0x00, 0x00, 0xC1, 0x00, 0x00, 0x00,
                   0x00, 0xE0, 0x1F, 0x00, 0x01, 0xE1, 0x00, 0x23, 0x5A, 0xAB, 0x82, 0xFF}));
  EXPECT_EQ(Bytes(ts.begin() + kSp + 33, ts.begin() + kSp + 41), (Bytes{0x91, 0xF4, 0x00, 0xF0, 0x00, 0xF1, 0xF0, 0x88}));
  EXPECT_EQ(Bytes(ts.begin() + 2 * kSp + 33, ts.begin() + 2 * kSp + 38), (Bytes{0x03, 0x00, 0x38, 0x6D, 0xFF}));
  // The first clock reference is the arrival time of its packet counted
  // from the first packet, 3 x 846 = base 8, extension 138, with the
  // reserved bits set.
  EXPECT_EQ(Bytes(ts.begin() + 3 * kSp + 5, ts.begin() + 3 * kSp + 16),
            (Bytes{0x10, 0x01, 0x20, 0xB7, 0x10, 0x00, 0x00, 0x00, 0x04, 0x7E, 0x8A}));
  // The IG packet: adaptation field of 83 bytes, the PES in the last 100.
  const std::size_t ig = 4 * kSp;
  EXPECT_EQ(Bytes(ts.begin() + ig + 5, ts.begin() + ig + 11), (Bytes{0x54, 0x00, 0x30, 83, 0x00, 0xFF}));
  EXPECT_EQ(Bytes(ts.begin() + ig + 92, ts.begin() + ig + kSp), pes);
  EXPECT_EQ(ts[ig + 91], 0xFF);
  EXPECT_EQ(Bytes(ts.begin() + 5 * kSp + 5, ts.begin() + 5 * kSp + 9), (Bytes{0x1F, 0xFF, 0x10, 0xFF}));
}

TEST(MenuMux, PesPacketsOverSeveralPackets) {
  struct Case {
    const char* name;
    std::vector<std::size_t> sizes;  // PES packets
    std::vector<bool> starts;        // unit start of each IG packet
    std::vector<std::uint8_t> adaptation;  // byte 7's adaptation bits (0x10 or 0x30) per IG packet
  };
  const std::vector<Case> cases = {
      {"exactly one payload", {184}, {true}, {0x10}},
      {"one byte short: an empty adaptation field", {183}, {true}, {0x30}},
      {"two full and a tail", {400}, {true, false, false}, {0x10, 0x10, 0x30}},
      {"two packets in a row", {185, 50}, {true, false, true}, {0x10, 0x30, 0x30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes pes;
    for (std::size_t n : c.sizes) {
      const Bytes one = pesOf(n);
      pes.insert(pes.end(), one.begin(), one.end());
    }
    const Bytes ts = muxPes(pes, mirdal::test::testReporter());
    Bytes payload;
    std::vector<bool> starts;
    std::vector<std::uint8_t> adaptation;
    std::uint8_t cc = 0;
    for (std::size_t k = 0; k < ts.size() / kSp; ++k) {
      if (pid(ts, k) != 0x1400) continue;
      EXPECT_EQ(counter(ts, k), cc++ & 0x0F);
      starts.push_back(unitStart(ts, k));
      adaptation.push_back(ts[k * kSp + 7] & 0x30);
      const std::size_t from = (ts[k * kSp + 7] & 0x20) ? 9 + ts[k * kSp + 8] : 8;
      payload.insert(payload.end(), ts.begin() + k * kSp + from, ts.begin() + (k + 1) * kSp);
    }
    EXPECT_EQ(payload, pes);
    EXPECT_EQ(starts, c.starts);
    EXPECT_EQ(adaptation, c.adaptation);
    EXPECT_EQ(ts.size() % (32 * kSp), 0u);
  }
}

TEST(MenuMux, ClockReferencesFollowTheArrivalClock) {
  // 3000 packets of IG data bring a second PCR (after packet 2500) and a
  // PAT and PMT (after packet 2000).
  Bytes pes;
  for (int i = 0; i < 60; ++i) {
    const Bytes one = pesOf(9000);
    pes.insert(pes.end(), one.begin(), one.end());
  }
  const Bytes ts = muxPes(pes, mirdal::test::testReporter());
  std::vector<std::size_t> pcrs, pats;
  for (std::size_t k = 0; k < ts.size() / kSp; ++k) {
    if (pid(ts, k) == 0x1001) pcrs.push_back(k);
    if (pid(ts, k) == 0x0000) pats.push_back(k);
  }
  ASSERT_EQ(pcrs.size(), 2u);
  EXPECT_EQ(pcrs[1], 2500u);
  EXPECT_EQ(pats, (std::vector<std::size_t>{0, 2000}));
  EXPECT_EQ(pid(ts, 2001), 0x0100);
  for (std::size_t k : pcrs) EXPECT_EQ(pcr(ts, k), std::uint64_t(ats(ts, k)) - 0x10000000u) << k;
  // The table counters went on from the first PAT.
  EXPECT_EQ(counter(ts, 2000), 1);
}

TEST(MenuMux, PesEndingEarlyIsReported) {
  test::ReportScope rs;
  Bytes pes = pesOf(300);
  pes.resize(250);
  const Bytes ts = muxPes(pes, mirdal::test::testReporter());
  ASSERT_EQ(ts.size(), 32 * kSp);
  bool reported = false;
  for (const std::string& line : rs.rep.lines()) reported = reported || line.find("Mux error") != std::string::npos;
  EXPECT_TRUE(reported);
  // The second IG packet holds the 66 bytes that were there, then 0xFF.
  const std::size_t second = 5 * kSp;
  EXPECT_EQ(ts[second + kSp - 116], 184);
  EXPECT_EQ(ts[second + kSp - 116 + 65], 249 & 0xFF);
  EXPECT_EQ(ts[second + kSp - 1], 0xFF);
}

// The 33-bit DTS (or PTS when there is no DTS) of the PES packet that
// begins in IG packet k, in 27 MHz ticks.
std::uint64_t decodeTime(const Bytes& ts, std::size_t k) {
  const std::size_t at = k * kSp + ((ts[k * kSp + 7] & 0x20) ? 9 + ts[k * kSp + 8] : 8);
  const std::uint8_t* h = ts.data() + at;
  const std::uint8_t* t = (h[7] >> 6) == 3 ? h + 14 : h + 9;
  const std::uint64_t v = std::uint64_t(t[0] & 0x0E) << 29 | std::uint64_t(t[1]) << 22 |
                          std::uint64_t(t[2] & 0xFE) << 14 | std::uint64_t(t[3]) << 7 | t[4] >> 1;
  return v * 300;
}

// A menu late on its timeline is decoded as soon as it has arrived: the
// clock starts just before its first decoding time instead of at 0, every
// PES packet has arrived by its own decoding time, and the times themselves
// are those of the menu.
TEST(MenuMux, TheClockStartsAtTheMenusFirstDecodingTime) {
  for (const std::uint32_t inTime : {90000u * 2, 53937000u /* 599.3 s */}) {
    SCOPED_TRACE(inTime);
    test::ReportScope rs;
    IgMenu menu = sample::sampleMenu();
    menu.inTime = inTime;
    Bytes ts;
    ASSERT_TRUE(muxMenu(menu, ts, mirdal::test::testReporter()));
    ASSERT_EQ(pid(ts, 3), 0x1001);
    const std::uint64_t clock0 = pcr(ts, 3) - 3 * 846;  // the clock at the first packet
    std::vector<std::uint64_t> times;
    std::size_t lastIg = 0;
    std::int64_t smallestLead = -1;
    for (std::size_t k = 0; k < ts.size() / kSp; ++k) {
      if (pid(ts, k) == 0x1001) EXPECT_EQ(pcr(ts, k), clock0 + std::uint64_t(ats(ts, k) - 0x10000000u)) << k;
      if (pid(ts, k) != 0x1400) continue;
      if (unitStart(ts, k)) {
        if (!times.empty()) {
          // The PES packet before has arrived when its last packet has.
          const std::int64_t lead = std::int64_t(times.back()) - std::int64_t(clock0 + (lastIg + 1) * 846);
          EXPECT_GE(lead, 0) << "PES packet " << times.size() - 1 << " arrives late";
          smallestLead = smallestLead < 0 ? lead : std::min(smallestLead, lead);
        }
        times.push_back(decodeTime(ts, k));
      }
      lastIg = k;
    }
    ASSERT_FALSE(times.empty());
    // The menu's own times: its first decoding time lies just before its
    // in-time.
    EXPECT_LE(times.front(), std::uint64_t(inTime) * 300);
    EXPECT_GT(times.front(), std::uint64_t(inTime - 90000) * 300);
    // Far less than a second of waiting for the first decoding time, and
    // the PES packet that decides the start arrives just in time.
    EXPECT_LT(times.front() - clock0, 27000000u / 10);
    EXPECT_LT(smallestLead, 27000000 / 100);
  }
}

TEST(MenuMux, MuxedMenuLoadsBackFromTheStream) {
  test::ReportScope rs;
  test::TempDir d;
  IgMenu menu = sample::sampleMenu();
  Bytes ts;
  ASSERT_TRUE(muxMenu(menu, ts, mirdal::test::testReporter()));
  const std::string m2ts = d.write("00001.m2ts", ts).string();
  IgMenu loaded;
  ASSERT_EQ(loadMenuFromStream(m2ts, kMuxIgPid, loaded, mirdal::test::testReporter()).status, ReadStatus::Ok);
  EXPECT_EQ(loaded.ics, menu.ics);
  // Colours are kept as Y, Cr, Cb and transparency; entry 255 is never
  // written.
  ASSERT_EQ(loaded.palettes.size(), menu.palettes.size());
  for (std::size_t p = 0; p < menu.palettes.size(); ++p)
    for (std::size_t e = 0; e < 255; ++e) {
      EXPECT_EQ(loaded.palettes[p].ycrcb[e], menu.palettes[p].ycrcb[e]) << p << ":" << e;
      EXPECT_EQ(loaded.palettes[p].colours[e].t, menu.palettes[p].colours[e].t) << p << ":" << e;
    }
  ASSERT_EQ(loaded.objects.size(), menu.objects.size());
  for (std::size_t i = 0; i < menu.objects.size(); ++i) {
    ASSERT_TRUE(decodeObject(loaded, i, mirdal::test::testReporter()));
    ASSERT_TRUE(decodeObject(menu, i, mirdal::test::testReporter()));
    EXPECT_EQ(loaded.objects[i].image, menu.objects[i].image) << i;
  }
}

}  // namespace
}  // namespace mirdal
