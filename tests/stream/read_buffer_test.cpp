// The reader's packets lie in a page-aligned buffer: the kernel copies into
// one at about twice the speed of a buffer a few bytes off a page, so an
// export that moved back to a plain allocation would cost twice the CPU.
#include <gtest/gtest.h>

#include <cstdint>

#include "stream/source_packet.h"
#include "support/temp_dir.h"
#include "support/ts_builder.h"

namespace mirdal {
namespace {

using B = std::vector<std::uint8_t>;

B tsPacketsOf(const B& sp) {
  B out;
  for (std::size_t p = 0; p + 192 <= sp.size(); p += 192) out.insert(out.end(), sp.begin() + long(p) + 4, sp.begin() + long(p) + 192);
  return out;
}

TEST(ReadBuffer, PacketsStartOnAPage) {
  test::TsBuilder ts;
  for (int i = 0; i < 30; ++i) ts.pes(0x1100, 0xBD, B(700, std::uint8_t(i)), 3000 * i);
  const B sp = ts.data();
  test::TempDir d;
  struct Case {
    const char* what;
    B file;
    std::size_t bufferPackets;
  } cases[] = {
      {"source packets, the default buffer", sp, 2 * kPacketsPerStep},
      {"source packets, one packet at a time", sp, 1},
      {"source packets, an odd buffer", sp, 7},
      {"transport packets, the default buffer", tsPacketsOf(sp), 2 * kPacketsPerStep},
      {"transport packets, an odd buffer", tsPacketsOf(sp), 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string in = d.write("in.m2ts", c.file).string();
    SourcePacketReader r(c.bufferPackets);
    ASSERT_TRUE(r.open(in, nullptr));
    const std::uint8_t* p = nullptr;
    std::size_t total = 0;
    while (const std::size_t n = r.readPackets(p)) {
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % kPageSize, 0u);
      total += n;
    }
    EXPECT_EQ(total, sp.size() / 192);
  }
}

}  // namespace
}  // namespace mirdal
