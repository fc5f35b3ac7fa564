// The check of a clip's source packet count against its stream file, made
// after every clip read, and the in-place correction the user may accept.
#pragma once

#include <cstdint>
#include <string>

#include "formats/clip/clpi.h"

namespace mirdal {

struct PacketCheck {
  bool ask = false;          // the count differs: the question is to be asked
  std::uint64_t packets = 0; // whole 192-byte source packets in the stream file
  std::string question;      // the question's text, lines separated by '\n'
};

// No question for a missing or empty stream file (size 0), for a count that
// already agrees, or for a file too large for the 32-bit count. The count in
// the question has `thousands` between each group of three digits.
PacketCheck checkPacketCount(const ClipInfoFile& c, std::uint64_t streamFileSize, char thousands = ',');


// Writes `packets` as the 4 bytes at offset 56 of the clip file and nothing
// else: the file is read, those bytes changed and the result written through
// a temporary file and a rename, so a failure leaves the old file. No backup
// is made. The model's count changes only when the file was written. A file
// that is not a clip information file is left alone; failures go to logError.
bool patchPacketCount(const std::string& clpiPath, std::uint32_t packets, ClipInfoFile& c, Reporter& rep);

}  // namespace mirdal
