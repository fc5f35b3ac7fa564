#include "cli/clip_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "cli/cli_context.h"
#include "cli/json_model.h"
#include "cli/file_kinds.h"
#include "cli/text_table.h"
#include "core/disc_folder.h"
#include "core/display_text.h"
#include "present/clpi_rows.h"

namespace mirdal::cli {

using nlohmann::json;

std::string dumpClipText(const ClipInfoFile& c, const std::string& name) {
  const ClipInfo& ci = c.clipInfo;
  std::string out = name + ": " + c.typeIndicator + " version " + c.versionNumber + "\n";
  out += "ClipInfo: application type " + std::to_string(ci.applicationType) + " (" +
         applicationTypeText(ci.applicationType) + "), ATCd " + yesNo(ci.isAtcDelta) + ", Rec. rate " +
         std::to_string(ci.tsRecordingRate) + ", Packets " + std::to_string(ci.numberOfSourcePackets) + "\n";
  if (ci.isAtcDelta) {
    TextTable t({"", "ATC_delta", "following", "clipcodec"});
    for (std::size_t i = 0; i < ci.atcDeltaEntries.size(); ++i) {
      ClipRow r = atcDeltaRow(ci.atcDeltaEntries[i]);
      r.insert(r.begin(), std::to_string(i));
      t.add(r);
    }
    out += "ATC_delta_entries\n" + t.text("  ");
  }
  if (ci.applicationType == kTextSubtitleApplication) {
    TextTable t({"", "filename"});
    for (std::size_t i = 0; i < ci.fontFiles.size(); ++i) t.add({std::to_string(i), ci.fontFiles[i]});
    out += "Font files\n" + t.text("  ");
  }
  TextTable seq({"", "SPN_ATC_start", "num of STC", "offset STC"});
  const auto& atcs = c.sequenceInfo.atcSequences;
  for (std::size_t i = 0; i < atcs.size(); ++i) {
    ClipRow r = atcSequenceRow(atcs[i]);
    r.insert(r.begin(), std::to_string(i));
    seq.add(r);
  }
  out += "Sequences\n" + seq.text("  ");
  for (std::size_t i = 0; i < atcs.size(); ++i) {
    if (atcs[i].stcSequences.empty()) continue;
    TextTable t({"", "PCR_PID", "SPN_STC_st", "present. st.", "present. end"});
    for (std::size_t j = 0; j < atcs[i].stcSequences.size(); ++j) {
      ClipRow r = stcSequenceRow(atcs[i].stcSequences[j]);
      r.insert(r.begin(), std::to_string(j));
      t.add(r);
    }
    out += "STC sequences of ATC sequence " + std::to_string(i) + "\n" + t.text("  ");
  }
  const auto& progs = c.programInfo.programSequences;
  for (std::size_t p = 0; p < progs.size(); ++p) {
    TextTable t({"", "PID", "Stream type", "Details"});
    for (std::size_t i = 0; i < progs[p].streams.size(); ++i) {
      ClipRow r = programStreamRow(progs[p].streams[i]);
      r.insert(r.begin(), std::to_string(i + 1));
      t.add(r);
    }
    out += "ProgramInfo, program sequence " + std::to_string(p) + " (SPN " +
           hexText(progs[p].spnProgramSequenceStart, 8) + ", PMT PID " + hexText(progs[p].programMapPid, 4) +
           ")\n" + t.text("  ");
  }
  TextTable ep({"", "PID", "EP type", "EP coarse", "EP fine", "EP map st."});
  for (std::size_t i = 0; i < c.cpi.entries.size(); ++i) {
    ClipRow r = epStreamRow(c.cpi.entries[i]);
    r.insert(r.begin(), std::to_string(i));
    ep.add(r);
  }
  out += "CPI, length " + std::to_string(c.cpi.length) + "\n" + ep.text("  ");
  for (std::size_t i = 0; i < c.cpi.maps.size() && i < c.cpi.entries.size(); ++i) {
    const EpMapForPid& m = c.cpi.maps[i];
    TextTable co({"", "ref_to", "PTS_EP", "SPN_EP"});
    for (std::size_t j = 0; j < m.coarse.size(); ++j) {
      ClipRow r = epCoarseRow(m.coarse[j]);
      r.insert(r.begin(), epCoarseRowNumber(j));
      co.add(r);
    }
    TextTable fi({"", "is_angle_ch", "I_end_pos", "PTS_EP", "SPN_EP"});
    for (std::size_t j = 0; j < m.fine.size(); ++j) {
      ClipRow r = epFineRow(m.fine[j]);
      r.insert(r.begin(), epFineRowNumber(j));
      fi.add(r);
    }
    const std::string pid = hexText(c.cpi.entries[i].streamPid, 4);
    out += "EP coarse entries of PID " + pid + "\n" + co.text("  ");
    out += "EP fine entries of PID " + pid + "\n" + fi.text("  ");
  }
  out += "ClipMark length: " + std::to_string(c.clipMarkLength) + "\n";
  out += "ExtensionData: " +
         (c.extensionDataStartAddress == 0 ? std::string("no ExtensionData()") : extensionDataCaption(c.extensionData)) +
         "\n";
  return out;
}

json clipJson(const ClipInfoFile& c) {
  const ClipInfo& ci = c.clipInfo;
  json atc = json::array();
  for (const AtcDeltaEntry& e : ci.atcDeltaEntries)
    atc.push_back({{"atc_delta", e.atcDelta},
                   {"following_clip_name", latin1ToUtf8(e.followingClipName)},
                   {"following_clip_codec_id", latin1ToUtf8(e.followingClipCodecId)}});
  json fonts = json::array();
  for (const std::string& f : ci.fontFiles) fonts.push_back(latin1ToUtf8(f));
  json seqs = json::array();
  for (const AtcSequence& a : c.sequenceInfo.atcSequences) {
    json stcs = json::array();
    for (const StcSequence& s : a.stcSequences)
      stcs.push_back({{"pcr_pid", s.pcrPid},
                      {"spn_stc_start", s.spnStcStart},
                      {"presentation_start_time", s.presentationStartTime},
                      {"presentation_end_time", s.presentationEndTime}});
    seqs.push_back({{"spn_atc_start", a.spnAtcStart}, {"offset_stc_id", a.offsetStcId}, {"stc_sequences", stcs}});
  }
  json progs = json::array();
  for (const ProgramSequence& p : c.programInfo.programSequences) {
    json streams = json::array();
    for (const ProgramStream& s : p.streams) {
      const ClipRow row = programStreamRow(s);
      streams.push_back({{"pid", s.pid},
                         {"coding_info_length", s.codingInfoLength},
                         {"stream_coding_type", s.streamCodingType},
                         {"stream_type_text", row[1]},
                         {"details", latin1ToUtf8(row[2])},
                         {"video_format", s.videoFormat},
                         {"frame_rate", s.frameRate},
                         {"aspect_ratio", s.aspectRatio},
                         {"aspect_flag", s.aspectFlag},
                         {"cr_flag", s.crFlag},
                         {"dynamic_range_type", s.dynamicRangeType},
                         {"color_space", s.colorSpace},
                         {"hdr_plus_flag", s.hdrPlusFlag},
                         {"isrc", latin1ToUtf8(s.isrcCountryCode + s.isrcRegistrantCode + s.isrcRecordingYear +
                                       s.isrcRecordingNumber)},
                         {"presentation_type", s.presentationType},
                         {"sampling_frequency", s.samplingFrequency},
                         {"audio_language", latin1ToUtf8(s.audioLanguage)},
                         {"pg_language", latin1ToUtf8(s.pgLanguage)},
                         {"ig_language", latin1ToUtf8(s.igLanguage)},
                         {"character_code", s.characterCode},
                         {"textst_language", latin1ToUtf8(s.textStLanguage)}});
    }
    progs.push_back({{"spn_program_sequence_start", p.spnProgramSequenceStart},
                     {"program_map_pid", p.programMapPid},
                     {"streams", streams}});
  }
  json entries = json::array();
  for (std::size_t i = 0; i < c.cpi.entries.size(); ++i) {
    const EpStreamEntry& e = c.cpi.entries[i];
    json coarse = json::array(), fine = json::array();
    std::uint32_t fineStart = 0;
    if (i < c.cpi.maps.size()) {
      const EpMapForPid& m = c.cpi.maps[i];
      fineStart = m.epFineTableStartAddress;
      for (const EpCoarse& ce : m.coarse)
        coarse.push_back({{"ref_to_ep_fine_id", ce.refToEpFineId},
                          {"pts_ep_coarse", ce.ptsEpCoarse},
                          {"spn_ep_coarse", ce.spnEpCoarse}});
      for (const EpFine& f : m.fine)
        fine.push_back({{"is_angle_change_point", f.isAngleChangePoint},
                        {"i_end_position_offset", f.iEndPositionOffset},
                        {"pts_ep_fine", f.ptsEpFine},
                        {"spn_ep_fine", f.spnEpFine}});
    }
    entries.push_back({{"stream_pid", e.streamPid},
                       {"ep_stream_type", e.epStreamType},
                       {"number_of_ep_coarse_entries", e.numberOfEpCoarseEntries},
                       {"number_of_ep_fine_entries", e.numberOfEpFineEntries},
                       {"ep_map_start_address", e.epMapStartAddress},
                       {"ep_fine_table_start_address", fineStart},
                       {"coarse", coarse},
                       {"fine", fine}});
  }
  return {{"kind", "clip"},
          {"format_version", 1},
          {"type_indicator", latin1ToUtf8(c.typeIndicator)},
          {"version_number", latin1ToUtf8(c.versionNumber)},
          {"sequence_info_start_address", c.sequenceInfoStartAddress},
          {"program_info_start_address", c.programInfoStartAddress},
          {"cpi_start_address", c.cpiStartAddress},
          {"clip_mark_start_address", c.clipMarkStartAddress},
          {"extension_data_start_address", c.extensionDataStartAddress},
          {"clip_info",
           {{"length", ci.length},
            {"clip_stream_type", ci.clipStreamType},
            {"application_type", ci.applicationType},
            {"application_type_text", applicationTypeText(ci.applicationType)},
            {"is_atc_delta", ci.isAtcDelta},
            {"ts_recording_rate", ci.tsRecordingRate},
            {"number_of_source_packets", ci.numberOfSourcePackets},
            {"ts_type_info_length", ci.tsTypeInfoLength},
            {"validity_flags", ci.validityFlags},
            {"format_identifier", latin1ToUtf8(ci.formatIdentifier)},
            {"atc_delta_entries", atc},
            {"font_files", fonts}}},
          {"sequence_info", {{"length", c.sequenceInfo.length}, {"atc_sequences", seqs}}},
          {"program_info", {{"length", c.programInfo.length}, {"program_sequences", progs}}},
          {"cpi", {{"length", c.cpi.length}, {"cpi_type", c.cpi.cpiType}, {"entries", entries}}},
          {"clip_mark_length", c.clipMarkLength},
          {"extension_data", toJson(c.extensionData)}};
}

}  // namespace mirdal::cli
