#include "formats/sound_bdmv.h"

#include <algorithm>

#include "core/display_text.h"
#include "core/report.h"
#include "formats/file_header.h"

namespace mirdal {

namespace {

// Bytes of zero padding that bring `size` to a multiple of 4. Sample data
// has an even length, so this is 0 or 2; an odd length read from a file
// still puts the next entry on a multiple of 4.
std::uint32_t padTo4(std::uint64_t size) { return std::uint32_t((4 - size % 4) % 4); }

std::uint64_t extensionDataSize(const TSND& snd) {
  const TExtensionData& ed = snd.extension_data;
  if (snd.ExtensionData_start_address == 0) return 0;
  if (ed.length == 0) return 4;
  return 12 + 12 * std::uint64_t(ed.entries.size()) + ed.data.size();
}

// Size of the file composeSound writes.
std::uint64_t composedSize(const TSND& snd) {
  std::uint64_t size = 46 + std::uint64_t(kSoundEntrySize) * snd.entries.size();
  for (const TSoundEntries& e : snd.entries) size += e.data.size() + padTo4(e.data.size());
  return size + extensionDataSize(snd);
}

void followEntryCount(TSND& snd) {
  const auto n = std::uint32_t(snd.entries.size());
  snd.SoundIndex_length = 2 + kSoundEntrySize * n;
  snd.SoundData_start_address = kSoundIndexOffset + 4 + snd.SoundIndex_length;
}

}  // namespace

SoundParse parseSound(const Bytes& data, TSND& out) {
  out = TSND{};
  SoundParse res;
  FieldReader r(data);
  const FileHeader h = readFileHeader(r, "BCLK", kVersionsBeforeUltraHD);
  if (!h.accepted) {
    res.status = ReadStatus::Rejected;
    res.position = r.pos();
    return res;
  }
  out.type_indicator = h.type;
  out.version_number = h.version;
  out.SoundData_start_address = r.readlong();
  out.ExtensionData_start_address = r.readlong();
  r.skip(24);
  out.SoundIndex_length = r.readlong();
  r.skip(1);
  const std::uint8_t n = r.readbyte();
  for (unsigned i = 0; i < n && !r.overrun(); ++i) {
    TSoundEntries e;
    const std::uint8_t a = r.readbyte();
    e.channel_configuration = a >> 4;
    e.sampling_frequency = a & 0x0F;
    e.bits_per_sample = r.readbyte() >> 6;
    e.start = r.readlong();
    e.length = r.readlong();
    if (r.overrun()) break;
    out.entries.push_back(e);
  }
  bool truncated = r.overrun();
  // Each entry is read where the index says, clamped to the file. Entries
  // may overlap, so the copies together are also held to what a sound file
  // can hold: 255 entries over the same large area never take gigabytes.
  std::uint64_t budget = kMaxDatabaseFileSize;
  for (TSoundEntries& e : out.entries) {
    const std::uint64_t from = std::uint64_t(out.SoundData_start_address) + e.start;
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
  if (out.ExtensionData_start_address != 0) {
    if (out.ExtensionData_start_address >= data.size()) {
      truncated = true;
    } else {
      r.seek(out.ExtensionData_start_address);
      if (!ReadExtensionData(r, out.extension_data)) truncated = true;
    }
  }
  if (truncated) res.status = ReadStatus::Truncated;
  return res;
}

std::vector<std::uint32_t> soundEntryStarts(const TSND& snd) {
  std::vector<std::uint32_t> starts;
  std::uint64_t at = 0;
  for (const TSoundEntries& e : snd.entries) {
    starts.push_back(std::uint32_t(at));
    at += e.data.size();
    at += padTo4(at);
  }
  return starts;
}

void layoutSound(TSND& snd) {
  followEntryCount(snd);
  const std::vector<std::uint32_t> starts = soundEntryStarts(snd);
  std::uint64_t end = snd.SoundData_start_address;
  for (std::size_t i = 0; i < snd.entries.size(); ++i) {
    TSoundEntries& e = snd.entries[i];
    e.start = starts[i];
    e.length = std::uint32_t(e.data.size());
    end = snd.SoundData_start_address + std::uint64_t(e.start) + e.length;
    end += padTo4(end - snd.SoundData_start_address);
  }
  if (snd.ExtensionData_start_address != 0) snd.ExtensionData_start_address = std::uint32_t(end);
}

Bytes composeSound(const TSND& snd) {
  TSND laid = snd;
  layoutSound(laid);
  // The block starts where the data ends; a model with no block writes 0.
  const std::uint32_t extAddress = laid.ExtensionData_start_address;

  OutputBuffer o;
  o.setBlock(46 + kSoundEntrySize * laid.entries.size());
  o.putstring(laid.type_indicator, 0, 4);
  o.putstring(laid.version_number, 4, 4);
  o.putlong(laid.SoundData_start_address, 8);
  o.putlong(extAddress, 12);
  for (std::size_t i = 16; i < 40; ++i) o.putbyte(0, i);
  o.putlong(laid.SoundIndex_length, 40);
  o.putbyte(0, 44);
  o.putbyte(std::uint32_t(laid.entries.size()), 45);
  for (std::size_t i = 0; i < laid.entries.size(); ++i) {
    const TSoundEntries& e = laid.entries[i];
    const std::size_t off = 46 + kSoundEntrySize * i;
    o.putbyte(std::uint32_t((e.channel_configuration & 0x0F) << 4) | (e.sampling_frequency & 0x0F), off);
    o.putbyte(std::uint32_t(e.bits_per_sample & 3) << 6, off + 1);
    o.putlong(e.start, off + 2);
    o.putlong(e.length, off + 6);
  }
  o.writeblock();

  std::uint64_t written = 0;
  for (const TSoundEntries& e : laid.entries) {
    o.addbytes(e.data);
    written += e.data.size();
    for (std::uint32_t k = padTo4(written); k > 0; --k, ++written) o.addbyte(0);
    o.flushadded();
  }
  if (extAddress != 0) WriteExtensionData(o, laid.extension_data);
  return o.takeFile();
}

SoundParse readSoundFile(const std::string& path, TSND& snd) {
  dlog0(std::string("Reading ") + kSoundFileName);
  Bytes data;
  if (!readDiscFile(path, data)) {
    snd = TSND{};
    SoundParse res;
    res.status = ReadStatus::Unreadable;
    return res;
  }
  const SoundParse res = parseSound(data, snd);
  // A file of another kind is not taken as an empty sound file: saving that
  // would replace it.
  if (res.status == ReadStatus::Rejected)
    erlog(fileNameOf(path) + " format error at $" + hexText(res.position, 8));
  if (res.status == ReadStatus::Truncated) reportEndsEarly(fileNameOf(path), data.size());
  const std::size_t n = snd.entries.size();
  log(" Found [b]" + std::to_string(n) + "[/b] sound entr" + (n > 1 ? "ies" : "y"));
  return res;
}

bool soundsave(const TSND& snd, const SaveRequest& req, Reporter& rep) {
  return saveDiscFile(req, composeSound(snd), rep);
}

TSND newSound() { return TSND{}; }

bool insertSoundEntry(TSND& snd, std::size_t at, TSoundEntries entry) {
  if (snd.entries.size() >= kMaxSoundEntries) {
    erlog("sound.bdmv holds 255 sounds, no more can be added");
    return false;
  }
  entry.length = std::uint32_t(entry.data.size());
  TSND grown = snd;
  grown.entries.insert(grown.entries.begin() + std::ptrdiff_t(std::min(at, grown.entries.size())),
                       std::move(entry));
  // A file the reader would refuse to load is never made.
  if (composedSize(grown) > kMaxDatabaseFileSize) {
    erlog("sound.bdmv would grow past " + std::to_string(kMaxDatabaseFileSize >> 20) + " MiB");
    return false;
  }
  snd = std::move(grown);
  layoutSound(snd);
  return true;
}

bool deleteSoundEntry(TSND& snd, std::size_t index) {
  if (index >= snd.entries.size()) return false;
  snd.entries.erase(snd.entries.begin() + std::ptrdiff_t(index));
  layoutSound(snd);
  return true;
}

void applyExtensionData(TSND& snd, const TExtensionData& ed) {
  snd.extension_data = ed;
  // Any non-zero value marks the block; layoutSound puts the real address.
  snd.ExtensionData_start_address = ed.length == 0 ? 0 : 1;
  layoutSound(snd);
}

}  // namespace mirdal
