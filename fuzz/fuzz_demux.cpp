// Demux over random packet streams: the input becomes source packets (a
// sync byte forced into most of them, PIDs folded onto a few values), and
// every export mode runs without fault; the elementary output never holds
// more bytes than the PID's payloads, and a PES export is exactly the
// payloads of the PID's packets that carry one.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz_check.h"
#include "stream/demux.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes ts(data, data + size);
  for (std::size_t p = 0; p + 192 <= ts.size(); p += 192) {
    if (ts[p + 4] != 0x00) ts[p + 4] = 0x47;  // a zero byte keeps the packet broken
    ts[p + 5] = std::uint8_t((ts[p + 5] & 0xE0) | 0x12);
    ts[p + 6] = std::uint8_t(ts[p + 6] % 3 == 0 ? 0x00 : 0x11);  // PID 0x1200 or 0x1211
  }
  static const std::string path = "/tmp/mirdal-fuzz-demux-" + std::to_string(::getpid()) + ".m2ts";
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(ts.data(), 1, ts.size(), f);
  std::fclose(f);

  std::uint64_t payload = 0;
  for (std::size_t p = 0; p + 192 <= ts.size(); p += 192) {
    const std::uint8_t* sp = ts.data() + p;
    if (hasSyncByte(sp) && packetPid(sp) == 0x1200 && hasPayload(sp)) payload += packetPayload(sp).size;
  }
  for (ExportMode mode : {ExportMode::Elementary, ExportMode::PES, ExportMode::SUP, ExportMode::MNU}) {
    SourcePacketReader r(3);  // small reads: the buffer edges are crossed often
    FUZZ_CHECK(r.open(path, nullptr));
    // The payload sums above count 192-byte packets from offset 0; an input
    // the reader takes for 188-byte packets or a prefix has other packets.
    if (r.layout().packetSize != kSourcePacketSize || r.layout().offset != 0) return 0;
    MemorySink sink;
    DemuxOptions o;
    o.pid = 0x1200;
    o.mode = mode;
    o.logPesLines = false;
    o.progress = false;
    const DemuxResult res = demux(r, sink, o);
    FUZZ_CHECK(res.packets == ts.size() / 192);
    if (mode == ExportMode::Elementary) FUZZ_CHECK(sink.data.size() <= payload);
    if (mode == ExportMode::PES) FUZZ_CHECK(sink.data.size() == payload);
    if (mode == ExportMode::SUP || mode == ExportMode::MNU)
      FUZZ_CHECK(sink.data.size() <= payload + 10 * res.pesPackets);
  }
  std::remove(path.c_str());  // the seed replay of the tests leaves nothing behind
  return 0;
}
