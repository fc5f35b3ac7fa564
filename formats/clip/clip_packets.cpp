#include "formats/clip/clip_packets.h"

#include "core/display_text.h"
#include "core/report.h"
#include "core/save.h"

namespace mirdal {

PacketCheck checkPacketCount(const ClipInfoFile& c, std::uint64_t streamFileSize, char thousands) {
  PacketCheck pc;
  if (streamFileSize == 0) return pc;
  pc.packets = streamFileSize / 192;
  if (pc.packets == c.clipInfo.numberOfSourcePackets || pc.packets > 0xFFFFFFFFull) return pc;
  pc.ask = true;
  pc.question = "The m2ts file contains " + groupedDecimal(pc.packets, thousands) +
                " packets.\nDo you want to correct the packet value of ClipInfo?";
  return pc;
}

bool patchPacketCount(const std::string& clpiPath, std::uint32_t packets, ClipInfoFile& c, Reporter& rep) {
  Bytes data;
  std::string error;
  if (!readFileBytes(clpiPath, data, &error)) {
    rep.logError("Cannot read " + clpiPath + " (" + error + ")");
    return false;
  }
  if (data.size() < kNumberOfSourcePacketsOffset + 4 || data[0] != 'H' || data[1] != 'D' ||
      data[2] != 'M' || data[3] != 'V') {
    rep.logError("Invalid format: " + clpiPath);
    return false;
  }
  for (int i = 0; i < 4; ++i)
    data[kNumberOfSourcePacketsOffset + std::size_t(i)] = std::uint8_t(packets >> (24 - 8 * i));
  if (!writeFileAtomic(clpiPath, data, &error)) {
    rep.logError("Cannot write " + clpiPath + " (" + error + ")");
    return false;
  }
  c.clipInfo.numberOfSourcePackets = packets;
  return true;
}

}  // namespace mirdal
