#include "nav/registers.h"

#include <gtest/gtest.h>

#include "support/recording_reporter.h"

namespace mirdal {
namespace {

TEST(Registers, ResetValues) {
  struct Case {
    bool real;
    int region;
    std::uint32_t country;
    std::array<std::uint32_t, 6> psr0to5;
    std::uint32_t psr20;
  } cases[] = {
      {false, 0, 0x5553, {1, 0xFF, 0x0FFF0FFF, 1, 0xFFFF, 0xFFFF}, 1},
      {true, 1, 0x5553, {1, 1, 0x0FFF0001, 1, 0, 1}, 2},
      {false, 2, 0x4652, {1, 0xFF, 0x0FFF0FFF, 1, 0xFFFF, 0xFFFF}, 4},
  };
  for (const auto& c : cases) {
    Registers r;
    r.gpr[4095] = 7;
    r.psr[127] = 7;
    Options o;
    o.realPsrs = c.real;
    o.region = c.region;
    o.countryCode = c.country;
    resetRegisters(r, o);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(r.psr[i], c.psr0to5[i]) << "PSR" << i;
    EXPECT_EQ(r.psr[19], c.country);
    EXPECT_EQ(r.psr[20], c.psr20);
    const std::pair<int, std::uint32_t> fixed[] = {
        {6, 0}, {7, 0}, {8, 0xFFFFFFFF}, {9, 0}, {10, 0xFFFF}, {11, 0}, {12, 0xFF},
        {13, 0}, {14, 0xFFFF}, {15, 0xAA}, {16, 0x656E67}, {17, 0x656E67}, {18, 0x656E67},
        {29, 3}, {30, 0x1F0F8}, {31, 0x30200}, {43, 0xFFFF}, {48, 0xFFFFFFFF},
        {49, 0xFFFFFFFF}, {50, 0xFFFFFFFF}, {61, 0xFFFF0000}, {127, 0}};
    for (auto [n, v] : fixed) EXPECT_EQ(r.psr[n], v) << "PSR" << n;
    for (std::uint32_t g : r.gpr) ASSERT_EQ(g, 0u);
  }
}

TEST(Registers, PsrListing) {
  test::ReportScope rs;
  Registers r;
  resetRegisters(r, Options{});
  r.psr[25] = 5;
  logPsrs(r, mirdal::test::testReporter());
  const auto lines = rs.rep.lines();
  // 21 lines for PSR 0-20, PSR 25, 29, 30, 31, then 43 48 49 50 61 packed.
  ASSERT_EQ(lines.size(), 21u + 4u + 1u);
  EXPECT_EQ(lines[0], " PSR0: 00000001 (1) - Interactive Graphics Stream Number (b7-b0) {1-32,$ff}");
  EXPECT_TRUE(rs.rep.paragraphs[0].runs.at(0).bold == false);
  EXPECT_TRUE(rs.rep.paragraphs[0].runs.at(1).bold);
  EXPECT_EQ(lines[21], " PSR25: 00000005 (5) - ");
  EXPECT_EQ(lines[22], " PSR29: 00000003 (3) - Player Capability for Video (b1: 50Hz and 25Hz, b0: HD sec video)");
  EXPECT_EQ(lines[25],
            " PSR43: 0000FFFF (65535)   PSR48: FFFFFFFF (4294967295)   PSR49: FFFFFFFF "
            "(4294967295)   PSR50: FFFFFFFF (4294967295)   PSR61: FFFF0000 (4294901760)   ");
}

TEST(Registers, PackedPsrLinesHoldSixEntries) {
  test::ReportScope rs;
  Registers r;
  for (int n = 32; n < 39; ++n) r.psr[n] = 1;
  logPsrs(r, mirdal::test::testReporter());
  const auto lines = rs.rep.lines();
  ASSERT_EQ(lines.size(), 21u + 2u);
  EXPECT_EQ(lines[21].find("PSR38"), std::string::npos);
  EXPECT_EQ(lines[22], " PSR38: 00000001 (1)   ");
}

TEST(Registers, GprListing) {
  struct Case {
    int nonzero;
    std::vector<std::size_t> entriesPerLine;
  } cases[] = {{0, {}}, {5, {5}}, {12, {5, 5, 2}}};
  for (const auto& c : cases) {
    test::ReportScope rs;
    Registers r;
    for (int i = 0; i < c.nonzero; ++i) r.gpr[i * 300] = 0xFFFFFFFF;
    logGprs(r, mirdal::test::testReporter());
    const auto lines = rs.rep.lines();
    ASSERT_EQ(lines.size(), c.entriesPerLine.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      std::size_t entries = 0;
      for (std::size_t p = lines[i].find("GPR"); p != std::string::npos; p = lines[i].find("GPR", p + 1))
        ++entries;
      EXPECT_EQ(entries, c.entriesPerLine[i]);
    }
  }
  test::ReportScope rs;
  Registers r;
  r.gpr[4095] = 10;
  logGprs(r, mirdal::test::testReporter());
  EXPECT_EQ(rs.rep.lines().at(0), " GPR4095: 0000000A (10)   ");
}

TEST(Registers, PanelFields) {
  EXPECT_EQ(panelPsrNumber("200"), 0u);
  EXPECT_EQ(panelPsrNumber("126"), 126u);
  EXPECT_EQ(panelPsrNumber("127"), 0u);
  EXPECT_EQ(panelPsrNumber("x"), 0u);
  EXPECT_EQ(panelGprNumber("4095"), 4095u);
  EXPECT_EQ(panelGprNumber("4096"), 0u);
  EXPECT_EQ(psrNumberText(0), "000");
  EXPECT_EQ(psrNumberText(12), "012");
  EXPECT_EQ(gprNumberText(7), "0007");
  EXPECT_EQ(registerValueText(0xAB), "000000AB");
  EXPECT_EQ(parseRegisterValue("ffffffff"), 0xFFFFFFFFu);
  EXPECT_EQ(parseRegisterValue(""), 0u);
  EXPECT_FALSE(parseRegisterValue("1FFFFFFFF"));
}

}  // namespace
}  // namespace mirdal
