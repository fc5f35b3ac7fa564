#include "formats/clpi.h"

#include <algorithm>

#include "core/report.h"
#include "formats/clpi_edit.h"
#include "formats/stream_codes.h"
#include "formats/file_header.h"

namespace mirdal {

namespace {

constexpr std::size_t kClipInfoStart = 40;

void readISRC(FieldReader& r, TProgramStream& s) {
  s.ISRC_country_code = r.readstring(2);
  s.ISRC_registrant_code = r.readstring(3);
  s.ISRC_recording_year = r.readstring(2);
  s.ISRC_recording_number = r.readstring(5);
}

void readClipInfo(FieldReader& r, TClipInfo& ci) {
  r.seek(kClipInfoStart);
  ci.length = r.readlong();
  r.skip(2);
  ci.clip_stream_type = r.readbyte();
  ci.application_type = r.readbyte();
  ci.is_ATC_delta = (r.readlong() & 1) != 0;
  ci.TS_recording_rate = r.readlong();
  ci.number_of_source_packets = r.readlong();
  r.skip(128);
  ci.TS_type_info_length = r.readword();
  ci.validity_flags = r.readbyte();
  ci.format_identifier = r.readstring(4);
  r.skip(9 + 16);
  ci.ATC_delta_entries.clear();
  ci.font_files.clear();
  if (ci.is_ATC_delta) {
    r.skip(1);
    const std::uint8_t n = r.readbyte();
    for (unsigned i = 0; i < n && !r.overrun(); ++i) {
      TATCDeltaEntry e;
      e.ATC_delta = r.readlong();
      e.following_clip_name = r.readstring(5);
      e.following_clip_codec_id = r.readstring(4);
      r.skip(1);
      ci.ATC_delta_entries.push_back(e);
    }
  }
  if (ci.application_type == kTextSubtitleApplication) {
    r.skip(1);
    const std::uint8_t m = r.readbyte();
    for (unsigned i = 0; i < m && !r.overrun(); ++i) {
      ci.font_files.push_back(r.readstring(5));
      r.skip(1);
    }
  }
}

void readSequenceInfo(FieldReader& r, TSequenceInfo& si) {
  si.length = r.readlong();
  r.skip(1);
  const std::uint8_t n = r.readbyte();
  for (unsigned i = 0; i < n && !r.overrun(); ++i) {
    TATC_sequences atc;
    atc.SPN_ATC_start = r.readlong();
    const std::uint8_t stc = r.readbyte();
    atc.offset_STC_id = r.readbyte();
    for (unsigned j = 0; j < stc && !r.overrun(); ++j) {
      TSTC_sequence s;
      s.PCR_PID = r.readword();
      s.SPN_STC_start = r.readlong();
      s.presentation_start_time = r.readlong();
      s.presentation_end_time = r.readlong();
      atc.STC_sequences.push_back(s);
    }
    si.ATC_sequences.push_back(std::move(atc));
  }
}

void readStream(FieldReader& r, TProgramStream& s) {
  s.PID = r.readword();
  s.coding_info_length = r.readbyte();
  const std::size_t typeAt = r.pos();
  s.stream_coding_type = r.readbyte();
  // The coding info is skipped by its length whatever its type holds, so a
  // stream of an unknown type never shifts the streams behind it.
  const std::size_t next = typeAt + std::max<std::size_t>(s.coding_info_length, 1);
  switch (codingKind(s.stream_coding_type)) {
    case StreamKind::Video: {
      const std::uint8_t fr = r.readbyte();
      s.video_format = fr >> 4;
      s.frame_rate = fr & 0x0F;
      const std::uint8_t ar = r.readbyte();
      s.aspect_ratio = ar >> 4;
      s.aspect_flag = (ar >> 1) & 1;
      if (s.stream_coding_type == std::uint8_t(CodingType::HEVC)) {
        s.crFlag = ar & 1;
        const std::uint8_t colour = r.readbyte();
        s.dynamicRangeType = colour >> 4;
        s.colorSpace = colour & 0x0F;
        s.hdrPlusFlag = r.readbyte() & 0x80;
      } else {
        r.skip(2);
      }
      readISRC(r, s);
      break;
    }
    case StreamKind::Audio: {
      const std::uint8_t pf = r.readbyte();
      s.presentation_type = pf >> 4;
      s.sampling_frequency = pf & 0x0F;
      s.audio_language = r.readstring(3);
      readISRC(r, s);
      break;
    }
    case StreamKind::Graphics:
      (s.stream_coding_type == std::uint8_t(CodingType::IG) ? s.IG_language : s.PG_language) = r.readstring(3);
      r.skip(1);
      readISRC(r, s);
      break;
    case StreamKind::Text:
      s.character_code = r.readbyte();
      s.textST_language = r.readstring(3);
      readISRC(r, s);
      break;
    case StreamKind::Unknown:
      s.unknown_coding_info = r.readbytes(next - r.pos());
      break;
  }
  r.seek(std::min(next, r.size()));
  if (next > r.size()) r.skip(1);  // marks the overrun
}

void readProgramInfo(FieldReader& r, TProgramInfo& pi) {
  pi.length = r.readlong();
  r.skip(1);
  const std::uint8_t n = r.readbyte();
  for (unsigned i = 0; i < n && !r.overrun(); ++i) {
    TProgram_sequences ps;
    ps.SPN_program_sequence_start = r.readlong();
    ps.program_map_PID = r.readword();
    const std::uint8_t streams = r.readbyte();
    r.skip(1);
    for (unsigned j = 0; j < streams && !r.overrun(); ++j) {
      TProgramStream s;
      readStream(r, s);
      ps.streams.push_back(std::move(s));
    }
    pi.program_sequences.push_back(std::move(ps));
  }
}

void readCPI(FieldReader& r, TCPI& cpi) {
  cpi.length = r.readlong();
  if (cpi.length == 0) return;
  cpi.CPI_type = r.readword();
  r.skip(1);
  const std::uint8_t k = r.readbyte();
  for (unsigned i = 0; i < k && !r.overrun(); ++i) {
    TEPStreamEntry e;
    e.stream_PID = r.readword();
    const std::uint16_t w2 = r.readword();
    const std::uint16_t w4 = r.readword();
    const std::uint16_t w6 = r.readword();
    e.EP_stream_type = (w2 >> 2) & 0x0F;
    e.number_of_EP_coarse_entries = std::uint16_t((w2 & 3) << 14 | w4 >> 2);
    e.number_of_EP_fine_entries = std::uint32_t(w4 & 3) << 16 | w6;
    e.EP_map_start_address = r.readlong();
    cpi.entries.push_back(e);
  }
  for (const TEPStreamEntry& e : cpi.entries) {
    if (r.overrun()) break;
    TEP_map_fosPID m;
    m.EP_fine_table_start_address = r.readlong();
    for (unsigned j = 0; j < e.number_of_EP_coarse_entries && !r.overrun(); ++j) {
      const std::uint32_t w = r.readlong();
      TEPCoarse c;
      c.ref_to_EP_fine_id = w >> 14;
      c.PTS_EP_coarse = std::uint16_t(w & 0x3FFF);
      c.SPN_EP_coarse = r.readlong();
      m.coarse.push_back(c);
    }
    const std::uint64_t coarseEnd = 4 + 8ull * e.number_of_EP_coarse_entries;
    if (m.EP_fine_table_start_address > coarseEnd) r.skip(m.EP_fine_table_start_address - coarseEnd);
    for (std::uint32_t j = 0; j < e.number_of_EP_fine_entries && !r.overrun(); ++j) {
      const std::uint32_t w = r.readlong();
      TEPFine f;
      f.is_angle_change_point = std::uint8_t(w >> 31);
      f.I_end_position_offset = (w >> 28) & 7;
      f.PTS_EP_fine = (w >> 17) & 0x7FF;
      f.SPN_EP_fine = w & 0x1FFFF;
      m.fine.push_back(f);
    }
    cpi.maps.push_back(std::move(m));
  }
}

// --- Writing ---

void addISRC(OutputBuffer& o, const TProgramStream& s) {
  o.addstring(s.ISRC_country_code, 2);
  o.addstring(s.ISRC_registrant_code, 3);
  o.addstring(s.ISRC_recording_year, 2);
  o.addstring(s.ISRC_recording_number, 5);
}

void addStream(OutputBuffer& o, const TProgramStream& s) {
  o.addword(s.PID);
  o.addbyte(s.coding_info_length);
  const std::size_t typeAt = o.fillCount();
  o.addbyte(s.stream_coding_type);
  switch (codingKind(s.stream_coding_type)) {
    case StreamKind::Video:
      o.addbyte(std::uint32_t(s.video_format & 0x0F) << 4 | (s.frame_rate & 0x0F));
      if (s.stream_coding_type == std::uint8_t(CodingType::HEVC)) {
        o.addbyte(std::uint32_t(s.aspect_ratio & 0x0F) << 4 | (s.aspect_flag & 1u) << 1 | (s.crFlag ? 1u : 0u));
        o.addbyte(std::uint32_t(s.dynamicRangeType & 0x0F) << 4 | (s.colorSpace & 0x0F));
        o.addbyte(s.hdrPlusFlag ? 0x80 : 0);
      } else {
        o.addbyte(std::uint32_t(s.aspect_ratio & 0x0F) << 4 | (s.aspect_flag & 1u) << 1);
        o.addword(0);
      }
      addISRC(o, s);
      break;
    case StreamKind::Audio:
      o.addbyte(std::uint32_t(s.presentation_type & 0x0F) << 4 | (s.sampling_frequency & 0x0F));
      o.addstring(s.audio_language, 3);
      addISRC(o, s);
      break;
    case StreamKind::Graphics:
      o.addstring(s.stream_coding_type == std::uint8_t(CodingType::IG) ? s.IG_language : s.PG_language, 3);
      o.addbyte(0);
      addISRC(o, s);
      break;
    case StreamKind::Text:
      o.addbyte(s.character_code);
      o.addstring(s.textST_language, 3);
      addISRC(o, s);
      break;
    case StreamKind::Unknown:
      o.addbytes(s.unknown_coding_info);
      break;
  }
  if (codingKind(s.stream_coding_type) != StreamKind::Unknown) o.addlong(0);
  // Exactly coding_info_length bytes from the coding type on, as the reader
  // skips them.
  const std::size_t want = typeAt + std::max<std::size_t>(s.coding_info_length, 1);
  while (o.fillCount() < want) o.addbyte(0);
}

// Zero bytes up to a held start address that lies further on, so that the
// addresses of a file with gaps between its sections stay true. An address
// beyond any database file's size is not followed.
void padTo(OutputBuffer& o, std::size_t fileSize, std::uint32_t address) {
  if (address > kMaxDatabaseFileSize) return;
  while (fileSize + o.fillCount() < address) o.addbyte(0);
}

}  // namespace

std::uint32_t clipInfoLength(const TClipInfo& ci) {
  std::uint32_t len = kClipInfoFixedLength;
  if (ci.is_ATC_delta && !ci.ATC_delta_entries.empty())
    len += 2 + kATCDeltaEntrySize * std::uint32_t(ci.ATC_delta_entries.size());
  if (ci.application_type == kTextSubtitleApplication)
    len += 2 + kFontFileEntrySize * std::uint32_t(ci.font_files.size());
  return len;
}

ClpiParse parseCLPI(const Bytes& data, TCLPI& out) {
  out = TCLPI{};
  ClpiParse res;
  FieldReader r(data);
  const FileHeader h = readFileHeader(r, "HDMV");
  out.type_indicator = h.type;
  out.version_number = h.version;
  if (!h.accepted) {
    res.status = ReadStatus::Rejected;
    return res;
  }
  out.SequenceInfo_start_address = r.readlong();
  out.ProgramInfo_start_address = r.readlong();
  out.CPI_start_address = r.readlong();
  out.ClipMark_start_address = r.readlong();
  out.ExtensionData_start_address = r.readlong();
  readClipInfo(r, out.clip_info);
  r.seek(out.SequenceInfo_start_address);
  readSequenceInfo(r, out.sequence_info);
  r.seek(out.ProgramInfo_start_address);
  readProgramInfo(r, out.program_info);
  r.seek(out.CPI_start_address);
  readCPI(r, out.cpi);
  r.seek(out.ClipMark_start_address);
  out.ClipMark_length = r.readlong();
  out.ClipMark_data = r.readbytes(std::min<std::size_t>(out.ClipMark_length, r.remaining()));
  const bool marksCut = out.ClipMark_data.size() < out.ClipMark_length;
  if (out.ExtensionData_start_address != 0 && !r.overrun()) {
    r.seek(out.ExtensionData_start_address);
    ReadExtensionData(r, out.extension_data);
  }
  if (r.overrun() || marksCut) res.status = ReadStatus::Truncated;
  return res;
}

Bytes composeCLPI(const TCLPI& c) {
  OutputBuffer o;
  const TClipInfo& ci = c.clip_info;
  const bool atc = ci.is_ATC_delta && !ci.ATC_delta_entries.empty();
  const bool fonts = ci.application_type == kTextSubtitleApplication;

  o.setBlock(kClipInfoStart + 4 + kClipInfoFixedLength);
  o.putstring(c.type_indicator, 0, 4);
  o.putstring(c.version_number, 4, 4);
  o.putlong(c.SequenceInfo_start_address, 8);
  o.putlong(c.ProgramInfo_start_address, 12);
  o.putlong(c.CPI_start_address, 16);
  o.putlong(c.ClipMark_start_address, 20);
  o.putlong(c.ExtensionData_start_address, 24);
  o.putlong(clipInfoLength(ci), 40);
  o.putbyte(ci.clip_stream_type, 46);
  o.putbyte(ci.application_type, 47);
  o.putlong(atc ? 1 : 0, 48);
  o.putlong(ci.TS_recording_rate, 52);
  o.putlong(ci.number_of_source_packets, 56);
  o.putword(ci.TS_type_info_length, 188);
  o.putbyte(ci.validity_flags, 190);
  o.putstring(ci.format_identifier, 191, 4);
  o.writeblock();
  if (atc) {
    o.addbyte(0);
    o.addbyte(std::uint32_t(ci.ATC_delta_entries.size()));
    for (const TATCDeltaEntry& e : ci.ATC_delta_entries) {
      o.addlong(e.ATC_delta);
      o.addstring(e.following_clip_name, 5);
      o.addstring(e.following_clip_codec_id, 4);
      o.addbyte(0);
    }
  }
  if (fonts) {
    o.addbyte(0);
    o.addbyte(std::uint32_t(ci.font_files.size()));
    for (const std::string& f : ci.font_files) {
      o.addstring(f, 5);
      o.addbyte(0);
    }
  }
  o.flushadded();

  padTo(o, o.file().size(), c.SequenceInfo_start_address);
  const TSequenceInfo& si = c.sequence_info;
  o.addlong(si.length);
  o.addbyte(0);
  o.addbyte(std::uint32_t(si.ATC_sequences.size()));
  for (const TATC_sequences& atcSeq : si.ATC_sequences) {
    o.addlong(atcSeq.SPN_ATC_start);
    o.addbyte(std::uint32_t(atcSeq.STC_sequences.size()));
    o.addbyte(atcSeq.offset_STC_id);
    for (const TSTC_sequence& s : atcSeq.STC_sequences) {
      o.addword(s.PCR_PID);
      o.addlong(s.SPN_STC_start);
      o.addlong(s.presentation_start_time);
      o.addlong(s.presentation_end_time);
    }
  }
  o.flushadded();

  padTo(o, o.file().size(), c.ProgramInfo_start_address);
  const TProgramInfo& pi = c.program_info;
  o.addlong(pi.length);
  o.addbyte(0);
  o.addbyte(std::uint32_t(pi.program_sequences.size()));
  for (const TProgram_sequences& ps : pi.program_sequences) {
    o.addlong(ps.SPN_program_sequence_start);
    o.addword(ps.program_map_PID);
    o.addbyte(std::uint32_t(ps.streams.size()));
    o.addbyte(0);
    for (const TProgramStream& s : ps.streams) addStream(o, s);
  }
  o.flushadded();

  padTo(o, o.file().size(), c.CPI_start_address);
  const TCPI& cpi = c.cpi;
  o.addlong(cpi.length);
  if (cpi.length != 0) {
    o.addword(cpi.CPI_type);
    o.addbyte(0);
    o.addbyte(std::uint32_t(cpi.entries.size()));
    for (std::size_t i = 0; i < cpi.entries.size(); ++i) {
      const TEPStreamEntry& e = cpi.entries[i];
      const std::uint32_t coarse = i < cpi.maps.size() ? std::uint32_t(cpi.maps[i].coarse.size()) : 0;
      const std::uint32_t fine = i < cpi.maps.size() ? std::uint32_t(cpi.maps[i].fine.size()) : 0;
      o.addword(e.stream_PID);
      o.addword((std::uint32_t(e.EP_stream_type & 0x0F) << 2) | (coarse >> 14 & 3));
      o.addword((coarse & 0x3FFF) << 2 | (fine >> 16 & 3));
      o.addword(fine & 0xFFFF);
      o.addlong(e.EP_map_start_address);
    }
    for (std::size_t i = 0; i < cpi.entries.size() && i < cpi.maps.size(); ++i) {
      const TEP_map_fosPID& m = cpi.maps[i];
      o.addlong(m.EP_fine_table_start_address);
      for (const TEPCoarse& ce : m.coarse) {
        o.addlong((ce.ref_to_EP_fine_id & 0x3FFFF) << 14 | (ce.PTS_EP_coarse & 0x3FFFu));
        o.addlong(ce.SPN_EP_coarse);
      }
      const std::uint64_t coarseEnd = 4 + 8ull * m.coarse.size();
      if (m.EP_fine_table_start_address <= kMaxDatabaseFileSize)
        for (std::uint64_t g = coarseEnd; g < m.EP_fine_table_start_address; ++g) o.addbyte(0);
      for (const TEPFine& f : m.fine)
        o.addlong(std::uint32_t(f.is_angle_change_point & 1) << 31 |
                  std::uint32_t(f.I_end_position_offset & 7) << 28 |
                  std::uint32_t(f.PTS_EP_fine & 0x7FF) << 17 | (f.SPN_EP_fine & 0x1FFFF));
    }
  }
  o.flushadded();

  padTo(o, o.file().size(), c.ClipMark_start_address);
  o.addlong(c.ClipMark_length);
  o.addbytes(c.ClipMark_data);
  o.flushadded();

  if (c.ExtensionData_start_address != 0) {
    padTo(o, o.file().size(), c.ExtensionData_start_address);
    o.flushadded();
    WriteExtensionData(o, c.extension_data);
  }
  return o.takeFile();
}

ClpiParse readCLPIFile(const std::string& path, TCLPI& c) {
  const std::string name = fileNameOf(path);
  dlog0("Reading [bl]" + name + "[/bl]");
  Bytes data;
  if (!readDiscFile(path, data)) {
    c = TCLPI{};
    return {ReadStatus::Unreadable};
  }
  const ClpiParse res = parseCLPI(data, c);
  if (res.status == ReadStatus::Rejected) {
    erlog("Invalid format: " + name);
    return res;
  }
  if (res.status == ReadStatus::Truncated) reportEndsEarly(name, data.size());
  const auto& seqs = c.program_info.program_sequences;
  log2("[b]" + std::to_string(seqs.empty() ? 0 : seqs[0].streams.size()) +
       "[/b] Program stream(s) found.");
  return res;
}

std::string prepareForSave(TCLPI& c) {
  if (c.clip_info.is_ATC_delta && c.clip_info.ATC_delta_entries.empty()) setATCDeltaFlag(c, false);
  c.clip_info.length = clipInfoLength(c.clip_info);
  return checkLayout(c);
}

bool saveCLPI(TCLPI& c, const SaveRequest& req, Reporter& rep) {
  const std::string broken = prepareForSave(c);
  if (!broken.empty()) {
    refuseSave(req, broken, rep);
    return false;
  }
  return saveDiscFile(req, composeCLPI(c), rep);
}

}  // namespace mirdal
