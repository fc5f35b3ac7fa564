#include "formats/clip/clpi.h"

#include <algorithm>

#include "core/report.h"
#include "formats/clip/clpi_edit.h"
#include "formats/common/stream_codes.h"
#include "formats/common/file_header.h"

namespace mirdal {

namespace {

constexpr std::size_t kClipInfoStart = 40;

void readIsrc(FieldReader& r, ProgramStream& s) {
  s.isrcCountryCode = r.readString(2);
  s.isrcRegistrantCode = r.readString(3);
  s.isrcRecordingYear = r.readString(2);
  s.isrcRecordingNumber = r.readString(5);
}

void readClipInfo(FieldReader& r, ClipInfo& ci) {
  r.seek(kClipInfoStart);
  ci.length = r.readU32();
  r.skip(2);
  ci.clipStreamType = r.readU8();
  ci.applicationType = r.readU8();
  ci.isAtcDelta = (r.readU32() & 1) != 0;
  ci.tsRecordingRate = r.readU32();
  ci.numberOfSourcePackets = r.readU32();
  r.skip(128);
  ci.tsTypeInfoLength = r.readU16();
  ci.validityFlags = r.readU8();
  ci.formatIdentifier = r.readString(4);
  r.skip(9 + 16);
  ci.atcDeltaEntries.clear();
  ci.fontFiles.clear();
  if (ci.isAtcDelta) {
    r.skip(1);
    const std::uint8_t n = r.readU8();
    for (unsigned i = 0; i < n && !r.overrun(); ++i) {
      AtcDeltaEntry e;
      e.atcDelta = r.readU32();
      e.followingClipName = r.readString(5);
      e.followingClipCodecId = r.readString(4);
      r.skip(1);
      ci.atcDeltaEntries.push_back(e);
    }
  }
  if (ci.applicationType == kTextSubtitleApplication) {
    r.skip(1);
    const std::uint8_t m = r.readU8();
    for (unsigned i = 0; i < m && !r.overrun(); ++i) {
      ci.fontFiles.push_back(r.readString(5));
      r.skip(1);
    }
  }
}

void readSequenceInfo(FieldReader& r, SequenceInfo& si) {
  si.length = r.readU32();
  r.skip(1);
  const std::uint8_t n = r.readU8();
  for (unsigned i = 0; i < n && !r.overrun(); ++i) {
    AtcSequence atc;
    atc.spnAtcStart = r.readU32();
    const std::uint8_t stc = r.readU8();
    atc.offsetStcId = r.readU8();
    for (unsigned j = 0; j < stc && !r.overrun(); ++j) {
      StcSequence s;
      s.pcrPid = r.readU16();
      s.spnStcStart = r.readU32();
      s.presentationStartTime = r.readU32();
      s.presentationEndTime = r.readU32();
      atc.stcSequences.push_back(s);
    }
    si.atcSequences.push_back(std::move(atc));
  }
}

void readStream(FieldReader& r, ProgramStream& s) {
  s.pid = r.readU16();
  s.codingInfoLength = r.readU8();
  const std::size_t typeAt = r.pos();
  s.streamCodingType = r.readU8();
  // The coding info is skipped by its length whatever its type holds, so a
  // stream of an unknown type never shifts the streams behind it.
  const std::size_t next = typeAt + std::max<std::size_t>(s.codingInfoLength, 1);
  switch (codingKind(s.streamCodingType)) {
    case StreamKind::Video: {
      const std::uint8_t fr = r.readU8();
      s.videoFormat = fr >> 4;
      s.frameRate = fr & 0x0F;
      const std::uint8_t ar = r.readU8();
      s.aspectRatio = ar >> 4;
      s.aspectFlag = (ar >> 1) & 1;
      if (s.streamCodingType == std::uint8_t(CodingType::HEVC)) {
        s.crFlag = ar & 1;
        const std::uint8_t colour = r.readU8();
        s.dynamicRangeType = colour >> 4;
        s.colorSpace = colour & 0x0F;
        s.hdrPlusFlag = r.readU8() & 0x80;
      } else {
        r.skip(2);
      }
      readIsrc(r, s);
      break;
    }
    case StreamKind::Audio: {
      const std::uint8_t pf = r.readU8();
      s.presentationType = pf >> 4;
      s.samplingFrequency = pf & 0x0F;
      s.audioLanguage = r.readString(3);
      readIsrc(r, s);
      break;
    }
    case StreamKind::Graphics:
      (s.streamCodingType == std::uint8_t(CodingType::IG) ? s.igLanguage : s.pgLanguage) = r.readString(3);
      r.skip(1);
      readIsrc(r, s);
      break;
    case StreamKind::Text:
      s.characterCode = r.readU8();
      s.textStLanguage = r.readString(3);
      readIsrc(r, s);
      break;
    case StreamKind::Unknown:
      s.unknownCodingInfo = r.readBytes(next - r.pos());
      break;
  }
  r.seek(std::min(next, r.size()));
  if (next > r.size()) r.skip(1);  // marks the overrun
}

void readProgramInfo(FieldReader& r, ProgramInfo& pi) {
  pi.length = r.readU32();
  r.skip(1);
  const std::uint8_t n = r.readU8();
  for (unsigned i = 0; i < n && !r.overrun(); ++i) {
    ProgramSequence ps;
    ps.spnProgramSequenceStart = r.readU32();
    ps.programMapPid = r.readU16();
    const std::uint8_t streams = r.readU8();
    r.skip(1);
    for (unsigned j = 0; j < streams && !r.overrun(); ++j) {
      ProgramStream s;
      readStream(r, s);
      ps.streams.push_back(std::move(s));
    }
    pi.programSequences.push_back(std::move(ps));
  }
}

void readCpi(FieldReader& r, Cpi& cpi) {
  cpi.length = r.readU32();
  if (cpi.length == 0) return;
  cpi.cpiType = r.readU16();
  r.skip(1);
  const std::uint8_t k = r.readU8();
  for (unsigned i = 0; i < k && !r.overrun(); ++i) {
    EpStreamEntry e;
    e.streamPid = r.readU16();
    const std::uint16_t w2 = r.readU16();
    const std::uint16_t w4 = r.readU16();
    const std::uint16_t w6 = r.readU16();
    e.epStreamType = (w2 >> 2) & 0x0F;
    e.numberOfEpCoarseEntries = std::uint16_t((w2 & 3) << 14 | w4 >> 2);
    e.numberOfEpFineEntries = std::uint32_t(w4 & 3) << 16 | w6;
    e.epMapStartAddress = r.readU32();
    cpi.entries.push_back(e);
  }
  for (const EpStreamEntry& e : cpi.entries) {
    if (r.overrun()) break;
    EpMapForPid m;
    m.epFineTableStartAddress = r.readU32();
    for (unsigned j = 0; j < e.numberOfEpCoarseEntries && !r.overrun(); ++j) {
      const std::uint32_t w = r.readU32();
      EpCoarse c;
      c.refToEpFineId = w >> 14;
      c.ptsEpCoarse = std::uint16_t(w & 0x3FFF);
      c.spnEpCoarse = r.readU32();
      m.coarse.push_back(c);
    }
    const std::uint64_t coarseEnd = 4 + 8ull * e.numberOfEpCoarseEntries;
    if (m.epFineTableStartAddress > coarseEnd) r.skip(m.epFineTableStartAddress - coarseEnd);
    for (std::uint32_t j = 0; j < e.numberOfEpFineEntries && !r.overrun(); ++j) {
      const std::uint32_t w = r.readU32();
      EpFine f;
      f.isAngleChangePoint = std::uint8_t(w >> 31);
      f.iEndPositionOffset = (w >> 28) & 7;
      f.ptsEpFine = (w >> 17) & 0x7FF;
      f.spnEpFine = w & 0x1FFFF;
      m.fine.push_back(f);
    }
    cpi.maps.push_back(std::move(m));
  }
}

// --- Writing ---

void addIsrc(OutputBuffer& o, const ProgramStream& s) {
  o.addString(s.isrcCountryCode, 2);
  o.addString(s.isrcRegistrantCode, 3);
  o.addString(s.isrcRecordingYear, 2);
  o.addString(s.isrcRecordingNumber, 5);
}

void addStream(OutputBuffer& o, const ProgramStream& s) {
  o.addU16(s.pid);
  o.addU8(s.codingInfoLength);
  const std::size_t typeAt = o.fillCount();
  o.addU8(s.streamCodingType);
  switch (codingKind(s.streamCodingType)) {
    case StreamKind::Video:
      o.addU8(std::uint32_t(s.videoFormat & 0x0F) << 4 | (s.frameRate & 0x0F));
      if (s.streamCodingType == std::uint8_t(CodingType::HEVC)) {
        o.addU8(std::uint32_t(s.aspectRatio & 0x0F) << 4 | (s.aspectFlag & 1u) << 1 | (s.crFlag ? 1u : 0u));
        o.addU8(std::uint32_t(s.dynamicRangeType & 0x0F) << 4 | (s.colorSpace & 0x0F));
        o.addU8(s.hdrPlusFlag ? 0x80 : 0);
      } else {
        o.addU8(std::uint32_t(s.aspectRatio & 0x0F) << 4 | (s.aspectFlag & 1u) << 1);
        o.addU16(0);
      }
      addIsrc(o, s);
      break;
    case StreamKind::Audio:
      o.addU8(std::uint32_t(s.presentationType & 0x0F) << 4 | (s.samplingFrequency & 0x0F));
      o.addString(s.audioLanguage, 3);
      addIsrc(o, s);
      break;
    case StreamKind::Graphics:
      o.addString(s.streamCodingType == std::uint8_t(CodingType::IG) ? s.igLanguage : s.pgLanguage, 3);
      o.addU8(0);
      addIsrc(o, s);
      break;
    case StreamKind::Text:
      o.addU8(s.characterCode);
      o.addString(s.textStLanguage, 3);
      addIsrc(o, s);
      break;
    case StreamKind::Unknown:
      o.addBytes(s.unknownCodingInfo);
      break;
  }
  if (codingKind(s.streamCodingType) != StreamKind::Unknown) o.addU32(0);
  // Exactly codingInfoLength bytes from the coding type on, as the reader
  // skips them.
  const std::size_t want = typeAt + std::max<std::size_t>(s.codingInfoLength, 1);
  while (o.fillCount() < want) o.addU8(0);
}

// Zero bytes up to a held start address that lies further on, so that the
// addresses of a file with gaps between its sections stay true. An address
// beyond any database file's size is not followed.
void padTo(OutputBuffer& o, std::size_t fileSize, std::uint32_t address) {
  if (address > kMaxDatabaseFileSize) return;
  while (fileSize + o.fillCount() < address) o.addU8(0);
}

}  // namespace

std::uint32_t clipInfoLength(const ClipInfo& ci) {
  std::uint32_t len = kClipInfoFixedLength;
  if (ci.isAtcDelta && !ci.atcDeltaEntries.empty())
    len += 2 + kAtcDeltaEntrySize * std::uint32_t(ci.atcDeltaEntries.size());
  if (ci.applicationType == kTextSubtitleApplication)
    len += 2 + kFontFileEntrySize * std::uint32_t(ci.fontFiles.size());
  return len;
}

ClipInfoParse parseClipInfo(const Bytes& data, ClipInfoFile& out) {
  out = ClipInfoFile{};
  ClipInfoParse res;
  FieldReader r(data);
  const FileHeader h = readFileHeader(r, "HDMV");
  out.typeIndicator = h.type;
  out.versionNumber = h.version;
  if (!h.accepted) {
    res.status = ReadStatus::Rejected;
    return res;
  }
  out.sequenceInfoStartAddress = r.readU32();
  out.programInfoStartAddress = r.readU32();
  out.cpiStartAddress = r.readU32();
  out.clipMarkStartAddress = r.readU32();
  out.extensionDataStartAddress = r.readU32();
  readClipInfo(r, out.clipInfo);
  r.seek(out.sequenceInfoStartAddress);
  readSequenceInfo(r, out.sequenceInfo);
  r.seek(out.programInfoStartAddress);
  readProgramInfo(r, out.programInfo);
  r.seek(out.cpiStartAddress);
  readCpi(r, out.cpi);
  r.seek(out.clipMarkStartAddress);
  out.clipMarkLength = r.readU32();
  out.clipMarkData = r.readBytes(std::min<std::size_t>(out.clipMarkLength, r.remaining()));
  const bool marksCut = out.clipMarkData.size() < out.clipMarkLength;
  if (out.extensionDataStartAddress != 0 && !r.overrun()) {
    r.seek(out.extensionDataStartAddress);
    readExtensionData(r, out.extensionData);
  }
  if (r.overrun() || marksCut) res.status = ReadStatus::Truncated;
  return res;
}

Bytes composeClipInfo(const ClipInfoFile& c) {
  OutputBuffer o;
  const ClipInfo& ci = c.clipInfo;
  const bool atc = ci.isAtcDelta && !ci.atcDeltaEntries.empty();
  const bool fonts = ci.applicationType == kTextSubtitleApplication;

  o.setBlock(kClipInfoStart + 4 + kClipInfoFixedLength);
  o.putString(c.typeIndicator, 0, 4);
  o.putString(c.versionNumber, 4, 4);
  o.putU32(c.sequenceInfoStartAddress, 8);
  o.putU32(c.programInfoStartAddress, 12);
  o.putU32(c.cpiStartAddress, 16);
  o.putU32(c.clipMarkStartAddress, 20);
  o.putU32(c.extensionDataStartAddress, 24);
  o.putU32(clipInfoLength(ci), 40);
  o.putU8(ci.clipStreamType, 46);
  o.putU8(ci.applicationType, 47);
  o.putU32(atc ? 1 : 0, 48);
  o.putU32(ci.tsRecordingRate, 52);
  o.putU32(ci.numberOfSourcePackets, 56);
  o.putU16(ci.tsTypeInfoLength, 188);
  o.putU8(ci.validityFlags, 190);
  o.putString(ci.formatIdentifier, 191, 4);
  o.writeBlock();
  if (atc) {
    o.addU8(0);
    o.addU8(std::uint32_t(ci.atcDeltaEntries.size()));
    for (const AtcDeltaEntry& e : ci.atcDeltaEntries) {
      o.addU32(e.atcDelta);
      o.addString(e.followingClipName, 5);
      o.addString(e.followingClipCodecId, 4);
      o.addU8(0);
    }
  }
  if (fonts) {
    o.addU8(0);
    o.addU8(std::uint32_t(ci.fontFiles.size()));
    for (const std::string& f : ci.fontFiles) {
      o.addString(f, 5);
      o.addU8(0);
    }
  }
  o.flushAdded();

  padTo(o, o.file().size(), c.sequenceInfoStartAddress);
  const SequenceInfo& si = c.sequenceInfo;
  o.addU32(si.length);
  o.addU8(0);
  o.addU8(std::uint32_t(si.atcSequences.size()));
  for (const AtcSequence& atcSeq : si.atcSequences) {
    o.addU32(atcSeq.spnAtcStart);
    o.addU8(std::uint32_t(atcSeq.stcSequences.size()));
    o.addU8(atcSeq.offsetStcId);
    for (const StcSequence& s : atcSeq.stcSequences) {
      o.addU16(s.pcrPid);
      o.addU32(s.spnStcStart);
      o.addU32(s.presentationStartTime);
      o.addU32(s.presentationEndTime);
    }
  }
  o.flushAdded();

  padTo(o, o.file().size(), c.programInfoStartAddress);
  const ProgramInfo& pi = c.programInfo;
  o.addU32(pi.length);
  o.addU8(0);
  o.addU8(std::uint32_t(pi.programSequences.size()));
  for (const ProgramSequence& ps : pi.programSequences) {
    o.addU32(ps.spnProgramSequenceStart);
    o.addU16(ps.programMapPid);
    o.addU8(std::uint32_t(ps.streams.size()));
    o.addU8(0);
    for (const ProgramStream& s : ps.streams) addStream(o, s);
  }
  o.flushAdded();

  padTo(o, o.file().size(), c.cpiStartAddress);
  const Cpi& cpi = c.cpi;
  o.addU32(cpi.length);
  if (cpi.length != 0) {
    o.addU16(cpi.cpiType);
    o.addU8(0);
    o.addU8(std::uint32_t(cpi.entries.size()));
    for (std::size_t i = 0; i < cpi.entries.size(); ++i) {
      const EpStreamEntry& e = cpi.entries[i];
      const std::uint32_t coarse = i < cpi.maps.size() ? std::uint32_t(cpi.maps[i].coarse.size()) : 0;
      const std::uint32_t fine = i < cpi.maps.size() ? std::uint32_t(cpi.maps[i].fine.size()) : 0;
      o.addU16(e.streamPid);
      o.addU16((std::uint32_t(e.epStreamType & 0x0F) << 2) | (coarse >> 14 & 3));
      o.addU16((coarse & 0x3FFF) << 2 | (fine >> 16 & 3));
      o.addU16(fine & 0xFFFF);
      o.addU32(e.epMapStartAddress);
    }
    for (std::size_t i = 0; i < cpi.entries.size() && i < cpi.maps.size(); ++i) {
      const EpMapForPid& m = cpi.maps[i];
      o.addU32(m.epFineTableStartAddress);
      for (const EpCoarse& ce : m.coarse) {
        o.addU32((ce.refToEpFineId & 0x3FFFF) << 14 | (ce.ptsEpCoarse & 0x3FFFu));
        o.addU32(ce.spnEpCoarse);
      }
      const std::uint64_t coarseEnd = 4 + 8ull * m.coarse.size();
      if (m.epFineTableStartAddress <= kMaxDatabaseFileSize)
        for (std::uint64_t g = coarseEnd; g < m.epFineTableStartAddress; ++g) o.addU8(0);
      for (const EpFine& f : m.fine)
        o.addU32(std::uint32_t(f.isAngleChangePoint & 1) << 31 |
                 std::uint32_t(f.iEndPositionOffset & 7) << 28 |
                 std::uint32_t(f.ptsEpFine & 0x7FF) << 17 | (f.spnEpFine & 0x1FFFF));
    }
  }
  o.flushAdded();

  padTo(o, o.file().size(), c.clipMarkStartAddress);
  o.addU32(c.clipMarkLength);
  o.addBytes(c.clipMarkData);
  o.flushAdded();

  if (c.extensionDataStartAddress != 0) {
    padTo(o, o.file().size(), c.extensionDataStartAddress);
    o.flushAdded();
    writeExtensionData(o, c.extensionData);
  }
  return o.takeFile();
}

ClipInfoParse readClipInfoFile(const std::string& path, ClipInfoFile& c, Reporter& rep) {
  const std::string name = fileNameOf(path);
  rep.logStep("Reading [bl]" + name + "[/bl]");
  Bytes data;
  if (!readDiscFile(path, data, rep)) {
    c = ClipInfoFile{};
    return {ReadStatus::Unreadable};
  }
  const ClipInfoParse res = parseClipInfo(data, c);
  if (res.status == ReadStatus::Rejected) {
    rep.logError("Invalid format: " + name);
    return res;
  }
  if (res.status == ReadStatus::Truncated) reportEndsEarly(name, data.size(), rep);
  const auto& seqs = c.programInfo.programSequences;
  rep.logWithGap("[b]" + std::to_string(seqs.empty() ? 0 : seqs[0].streams.size()) +
             "[/b] Program stream(s) found.");
  return res;
}

std::string prepareForSave(ClipInfoFile& c) {
  if (c.clipInfo.isAtcDelta && c.clipInfo.atcDeltaEntries.empty()) setAtcDeltaFlag(c, false);
  c.clipInfo.length = clipInfoLength(c.clipInfo);
  return checkLayout(c);
}

bool saveClipInfo(ClipInfoFile& c, const SaveRequest& req, Reporter& rep) {
  const std::string broken = prepareForSave(c);
  if (!broken.empty()) {
    refuseSave(req, broken, rep);
    return false;
  }
  return saveDiscFile(req, composeClipInfo(c), rep);
}

}  // namespace mirdal
