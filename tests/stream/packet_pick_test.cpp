// Picking packets through a mapped file must hand out what reading hands
// out, across the edges of its mapped windows, and a file that shrinks
// under the mapping must be a read error, not the end of the process.
#include "stream/source_packet.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "support/temp_dir.h"
#include "support/ts_builder.h"

namespace mirdal {
namespace {

using B = std::vector<std::uint8_t>;

struct Picked {
  std::uint64_t stepped = 0;
  std::vector<std::pair<std::uint64_t, B>> packets;  // file position in packets, bytes (empty: lost)
  bool failed = false;
};

Picked pickAll(const std::string& path, bool mapped, const PacketPick& pick, std::size_t step) {
  SourcePacketReader r;
  if (!mapped) r.readWithoutMapping();
  EXPECT_TRUE(r.open(path, nullptr));
  Picked out;
  PickedPackets got;
  while (const std::size_t n = r.pickPackets(step, pick, got)) {
    for (std::size_t k = 0; k < got.count; ++k) {
      const PickedPacket& p = got.list[k];
      out.packets.push_back({out.stepped + p.index, p.packet ? B(p.packet, p.packet + 192) : B{}});
    }
    out.stepped += n;
  }
  out.failed = r.failed();
  return out;
}

// Audio and video PES packets, null packets and a packet without its sync
// byte, repeated up to at least `bytes`.
B stream(std::size_t bytes) {
  test::TsBuilder ts;
  std::uint32_t pts = 0;
  while (ts.data().size() < bytes) {
    ts.pes(0x1011, 0xE0, B(3000, std::uint8_t(pts)), pts, pts, true);
    ts.pes(0x1100, 0xBD, B(500, std::uint8_t(pts >> 3)), pts);
    ts.nullPackets(2);
    pts += 3750;
  }
  B b = ts.data();
  b[192 * 5 + 4] = 0;  // lost
  return b;
}

TEST(PacketPick, MappedFileGivesWhatReadingGives) {
  test::TempDir d;
  const B small = stream(300 * 1024);
  B junk(100, 0x47);
  junk.insert(junk.end(), small.begin(), small.end());
  B partial = small;
  partial.resize(partial.size() + 100, 0x47);
  struct Case {
    const char* what;
    B file;
    PacketPick pick;
    std::size_t step;
  } cases[] = {
      {"one PID", small, {0x1100}, kPacketsPerStep},
      {"two PIDs, odd steps", small, {0x1100, 0x1011}, 7},
      {"junk before the first packet", junk, {0x1100}, kPacketsPerStep},
      {"a partial packet at the end", partial, {0x1011}, kPacketsPerStep},
      // Packets lie across the end of the first 16 MiB window.
      {"larger than a mapped window", stream(17u << 20), {0x1100}, kPacketsPerStep},
      {"nothing wanted", small, {}, kPacketsPerStep},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string in = d.write("in.m2ts", c.file).string();
    const Picked mapped = pickAll(in, true, c.pick, c.step);
    const Picked read = pickAll(in, false, c.pick, c.step);
    EXPECT_FALSE(mapped.failed);
    EXPECT_EQ(mapped.stepped, read.stepped);
    EXPECT_EQ(mapped.stepped, (c.file.size() - (c.file == junk ? 100 : 0)) / 192);
    ASSERT_EQ(mapped.packets.size(), read.packets.size());
    EXPECT_TRUE(mapped.packets == read.packets);
    EXPECT_FALSE(mapped.packets.empty());  // the lost packet at least
  }
}

TEST(PacketPick, FileChangingUnderTheMapping) {
  test::TempDir d;
  const B s = stream(400 * 1024);
  const std::string in = d.write("in.m2ts", s).string();
  const PacketPick pick{0x1100};
  {
    SCOPED_TRACE("shrunk: a read error");
    SourcePacketReader r;
    ASSERT_TRUE(r.open(in, nullptr));
    PickedPackets got;
    ASSERT_EQ(r.pickPackets(kPacketsPerStep, pick, got), kPacketsPerStep);
    ASSERT_EQ(::truncate(in.c_str(), 0), 0);
    EXPECT_EQ(r.pickPackets(kPacketsPerStep, pick, got), 0u);
    EXPECT_TRUE(r.failed());
    EXPECT_EQ(r.errorText(), "Input/output error");
    EXPECT_EQ(r.pickPackets(kPacketsPerStep, pick, got), 0u);
  }
  {
    SCOPED_TRACE("grown: read on");
    d.write("in.m2ts", s);
    SourcePacketReader r;
    ASSERT_TRUE(r.open(in, nullptr));
    PickedPackets got;
    std::uint64_t stepped = r.pickPackets(kPacketsPerStep, pick, got);
    FILE* f = std::fopen(in.c_str(), "ab");
    ASSERT_NE(f, nullptr);
    std::fwrite(s.data(), 1, s.size(), f);
    std::fclose(f);
    while (const std::size_t n = r.pickPackets(kPacketsPerStep, pick, got)) stepped += n;
    EXPECT_FALSE(r.failed());
    EXPECT_EQ(stepped, 2 * (s.size() / 192));
  }
}

}  // namespace
}  // namespace mirdal
