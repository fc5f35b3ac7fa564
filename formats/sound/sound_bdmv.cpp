#include "formats/sound/sound_bdmv.h"

#include <algorithm>

#include "core/display_text.h"
#include "core/report.h"
#include "formats/common/file_header.h"

namespace mirdal {

namespace {

// Bytes of zero padding that bring `size` to a multiple of 4. Sample data
// has an even length, so this is 0 or 2; an odd length read from a file
// still puts the next entry on a multiple of 4.
std::uint32_t padTo4(std::uint64_t size) { return std::uint32_t((4 - size % 4) % 4); }

std::uint64_t extensionDataSize(const SoundFile& snd) {
  const ExtensionData& ed = snd.extensionData;
  if (snd.extensionDataStartAddress == 0) return 0;
  if (ed.length == 0) return 4;
  return 12 + 12 * std::uint64_t(ed.entries.size()) + ed.data.size();
}

// Size of the file composeSound writes.
std::uint64_t composedSize(const SoundFile& snd) {
  std::uint64_t size = 46 + std::uint64_t(kSoundEntrySize) * snd.entries.size();
  for (const SoundEntry& e : snd.entries) size += e.data.size() + padTo4(e.data.size());
  return size + extensionDataSize(snd);
}

void followEntryCount(SoundFile& snd) {
  const auto n = std::uint32_t(snd.entries.size());
  snd.soundIndexLength = 2 + kSoundEntrySize * n;
  snd.soundDataStartAddress = kSoundIndexOffset + 4 + snd.soundIndexLength;
}

}  // namespace

SoundParse parseSound(const Bytes& data, SoundFile& out) {
  out = SoundFile{};
  SoundParse res;
  FieldReader r(data);
  const FileHeader h = readFileHeader(r, "BCLK", kVersionsBeforeUltraHD);
  if (!h.accepted) {
    res.status = ReadStatus::Rejected;
    res.position = r.pos();
    return res;
  }
  out.typeIndicator = h.type;
  out.versionNumber = h.version;
  out.soundDataStartAddress = r.readU32();
  out.extensionDataStartAddress = r.readU32();
  r.skip(24);
  out.soundIndexLength = r.readU32();
  r.skip(1);
  const std::uint8_t n = r.readU8();
  for (unsigned i = 0; i < n && !r.overrun(); ++i) {
    SoundEntry e;
    const std::uint8_t a = r.readU8();
    e.channelConfiguration = a >> 4;
    e.samplingFrequency = a & 0x0F;
    e.bitsPerSample = r.readU8() >> 6;
    e.start = r.readU32();
    e.length = r.readU32();
    if (r.overrun()) break;
    out.entries.push_back(e);
  }
  bool truncated = r.overrun();
  // Each entry is read where the index says, clamped to the file. Entries
  // may overlap, so the copies together are also held to what a sound file
  // can hold: 255 entries over the same large area never take gigabytes.
  std::uint64_t budget = kMaxDatabaseFileSize;
  for (SoundEntry& e : out.entries) {
    const std::uint64_t from = std::uint64_t(out.soundDataStartAddress) + e.start;
    std::uint64_t end = std::min<std::uint64_t>(from + e.length, data.size());
    if (from + e.length > data.size()) truncated = true;
    if (from < end) {
      if (end - from > budget) {
        end = from + budget;
        truncated = true;
      }
      const auto first = data.begin() + std::ptrdiff_t(from);
      e.data.assign(first, first + std::ptrdiff_t(end - from));
      budget -= e.data.size();
    }
    e.length = std::uint32_t(e.data.size());
  }
  if (out.extensionDataStartAddress != 0) {
    if (out.extensionDataStartAddress >= data.size()) {
      truncated = true;
    } else {
      r.seek(out.extensionDataStartAddress);
      if (!readExtensionData(r, out.extensionData)) truncated = true;
    }
  }
  if (truncated) res.status = ReadStatus::Truncated;
  return res;
}

std::vector<std::uint32_t> soundEntryStarts(const SoundFile& snd) {
  std::vector<std::uint32_t> starts;
  std::uint64_t at = 0;
  for (const SoundEntry& e : snd.entries) {
    starts.push_back(std::uint32_t(at));
    at += e.data.size();
    at += padTo4(at);
  }
  return starts;
}

void layoutSound(SoundFile& snd) {
  followEntryCount(snd);
  const std::vector<std::uint32_t> starts = soundEntryStarts(snd);
  std::uint64_t end = snd.soundDataStartAddress;
  for (std::size_t i = 0; i < snd.entries.size(); ++i) {
    SoundEntry& e = snd.entries[i];
    e.start = starts[i];
    e.length = std::uint32_t(e.data.size());
    end = snd.soundDataStartAddress + std::uint64_t(e.start) + e.length;
    end += padTo4(end - snd.soundDataStartAddress);
  }
  if (snd.extensionDataStartAddress != 0) snd.extensionDataStartAddress = std::uint32_t(end);
}

Bytes composeSound(const SoundFile& snd) {
  SoundFile laid = snd;
  layoutSound(laid);
  // The block starts where the data ends; a model with no block writes 0.
  const std::uint32_t extAddress = laid.extensionDataStartAddress;

  OutputBuffer o;
  o.setBlock(46 + kSoundEntrySize * laid.entries.size());
  o.putString(laid.typeIndicator, 0, 4);
  o.putString(laid.versionNumber, 4, 4);
  o.putU32(laid.soundDataStartAddress, 8);
  o.putU32(extAddress, 12);
  for (std::size_t i = 16; i < 40; ++i) o.putU8(0, i);
  o.putU32(laid.soundIndexLength, 40);
  o.putU8(0, 44);
  o.putU8(std::uint32_t(laid.entries.size()), 45);
  for (std::size_t i = 0; i < laid.entries.size(); ++i) {
    const SoundEntry& e = laid.entries[i];
    const std::size_t off = 46 + kSoundEntrySize * i;
    o.putU8(std::uint32_t((e.channelConfiguration & 0x0F) << 4) | (e.samplingFrequency & 0x0F), off);
    o.putU8(std::uint32_t(e.bitsPerSample & 3) << 6, off + 1);
    o.putU32(e.start, off + 2);
    o.putU32(e.length, off + 6);
  }
  o.writeBlock();

  std::uint64_t written = 0;
  for (const SoundEntry& e : laid.entries) {
    o.addBytes(e.data);
    written += e.data.size();
    for (std::uint32_t k = padTo4(written); k > 0; --k, ++written) o.addU8(0);
    o.flushAdded();
  }
  if (extAddress != 0) writeExtensionData(o, laid.extensionData);
  return o.takeFile();
}

SoundParse readSoundFile(const std::string& path, SoundFile& snd, Reporter& rep) {
  rep.logStep(std::string("Reading ") + kSoundFileName);
  Bytes data;
  if (!readDiscFile(path, data, rep)) {
    snd = SoundFile{};
    SoundParse res;
    res.status = ReadStatus::Unreadable;
    return res;
  }
  const SoundParse res = parseSound(data, snd);
  // A file of another kind is not taken as an empty sound file: saving that
  // would replace it.
  if (res.status == ReadStatus::Rejected)
    rep.logError(fileNameOf(path) + " format error at $" + hexText(res.position, 8));
  if (res.status == ReadStatus::Truncated) reportEndsEarly(fileNameOf(path), data.size(), rep);
  const std::size_t n = snd.entries.size();
  rep.log(" Found [b]" + std::to_string(n) + "[/b] sound entr" + (n > 1 ? "ies" : "y"));
  return res;
}

bool saveSound(const SoundFile& snd, const SaveRequest& req, Reporter& rep) {
  return saveDiscFile(req, composeSound(snd), rep);
}

SoundFile newSound() { return SoundFile{}; }

bool insertSoundEntry(SoundFile& snd, std::size_t at, SoundEntry entry, Reporter& rep) {
  if (snd.entries.size() >= kMaxSoundEntries) {
    rep.logError("sound.bdmv holds 255 sounds, no more can be added");
    return false;
  }
  entry.length = std::uint32_t(entry.data.size());
  SoundFile grown = snd;
  grown.entries.insert(grown.entries.begin() + std::ptrdiff_t(std::min(at, grown.entries.size())),
                       std::move(entry));
  // A file the reader would refuse to load is never made.
  if (composedSize(grown) > kMaxDatabaseFileSize) {
    rep.logError("sound.bdmv would grow past " + std::to_string(kMaxDatabaseFileSize >> 20) + " MiB");
    return false;
  }
  snd = std::move(grown);
  layoutSound(snd);
  return true;
}

bool deleteSoundEntry(SoundFile& snd, std::size_t index) {
  if (index >= snd.entries.size()) return false;
  snd.entries.erase(snd.entries.begin() + std::ptrdiff_t(index));
  layoutSound(snd);
  return true;
}

void applyExtensionData(SoundFile& snd, const ExtensionData& ed) {
  snd.extensionData = ed;
  // Any non-zero value marks the block; layoutSound puts the real address.
  snd.extensionDataStartAddress = ed.length == 0 ? 0 : 1;
  layoutSound(snd);
}

}  // namespace mirdal
