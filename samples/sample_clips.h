// The sample disc's clip information files and stream files, written with
// the clip writer.
#pragma once

#include <string>

namespace mirdal::samples {

// Writes CLIPINF/0000[0-2].clpi with their BACKUP copies and the stream
// files STREAM/00000.m2ts and 00001.m2ts (clip 00002 stays without one).
void writeSampleClips(const std::string& bdmvFolder);

}  // namespace mirdal::samples
