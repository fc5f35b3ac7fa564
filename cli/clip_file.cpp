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

namespace {

std::string text(const std::string& latin1) { return latin1ToUtf8(latin1); }

}  // namespace

std::string dumpClipText(const TCLPI& c, const std::string& name) {
  const TClipInfo& ci = c.clip_info;
  std::string out = name + ": " + c.type_indicator + " version " + c.version_number + "\n";
  out += "ClipInfo: application type " + std::to_string(ci.application_type) + " (" +
         applicationTypeText(ci.application_type) + "), ATCd " + yesNo(ci.is_ATC_delta) + ", Rec. rate " +
         std::to_string(ci.TS_recording_rate) + ", Packets " + std::to_string(ci.number_of_source_packets) + "\n";
  if (ci.is_ATC_delta) {
    TextTable t({"", "ATC_delta", "following", "clipcodec"});
    for (std::size_t i = 0; i < ci.ATC_delta_entries.size(); ++i) {
      ClipRow r = atcDeltaRow(ci.ATC_delta_entries[i]);
      r.insert(r.begin(), std::to_string(i));
      t.add(r);
    }
    out += "ATC_delta_entries\n" + t.text("  ");
  }
  if (ci.application_type == kTextSubtitleApplication) {
    TextTable t({"", "filename"});
    for (std::size_t i = 0; i < ci.font_files.size(); ++i) t.add({std::to_string(i), ci.font_files[i]});
    out += "Font files\n" + t.text("  ");
  }
  TextTable seq({"", "SPN_ATC_start", "num of STC", "offset STC"});
  const auto& atcs = c.sequence_info.ATC_sequences;
  for (std::size_t i = 0; i < atcs.size(); ++i) {
    ClipRow r = atcSequenceRow(atcs[i]);
    r.insert(r.begin(), std::to_string(i));
    seq.add(r);
  }
  out += "Sequences\n" + seq.text("  ");
  for (std::size_t i = 0; i < atcs.size(); ++i) {
    if (atcs[i].STC_sequences.empty()) continue;
    TextTable t({"", "PCR_PID", "SPN_STC_st", "present. st.", "present. end"});
    for (std::size_t j = 0; j < atcs[i].STC_sequences.size(); ++j) {
      ClipRow r = stcSequenceRow(atcs[i].STC_sequences[j]);
      r.insert(r.begin(), std::to_string(j));
      t.add(r);
    }
    out += "STC sequences of ATC sequence " + std::to_string(i) + "\n" + t.text("  ");
  }
  const auto& progs = c.program_info.program_sequences;
  for (std::size_t p = 0; p < progs.size(); ++p) {
    TextTable t({"", "PID", "Stream type", "Details"});
    for (std::size_t i = 0; i < progs[p].streams.size(); ++i) {
      ClipRow r = programStreamRow(progs[p].streams[i]);
      r.insert(r.begin(), std::to_string(i + 1));
      t.add(r);
    }
    out += "ProgramInfo, program sequence " + std::to_string(p) + " (SPN " +
           hexText(progs[p].SPN_program_sequence_start, 8) + ", PMT PID " + hexText(progs[p].program_map_PID, 4) +
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
    const TEP_map_fosPID& m = c.cpi.maps[i];
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
    const std::string pid = hexText(c.cpi.entries[i].stream_PID, 4);
    out += "EP coarse entries of PID " + pid + "\n" + co.text("  ");
    out += "EP fine entries of PID " + pid + "\n" + fi.text("  ");
  }
  out += "ClipMark length: " + std::to_string(c.ClipMark_length) + "\n";
  out += "ExtensionData: " +
         (c.ExtensionData_start_address == 0 ? std::string("no ExtensionData()") : ExtDatCap(c.extension_data)) +
         "\n";
  return out;
}

json clipJson(const TCLPI& c) {
  const TClipInfo& ci = c.clip_info;
  json atc = json::array();
  for (const TATCDeltaEntry& e : ci.ATC_delta_entries)
    atc.push_back({{"atc_delta", e.ATC_delta},
                   {"following_clip_name", text(e.following_clip_name)},
                   {"following_clip_codec_id", text(e.following_clip_codec_id)}});
  json fonts = json::array();
  for (const std::string& f : ci.font_files) fonts.push_back(text(f));
  json seqs = json::array();
  for (const TATC_sequences& a : c.sequence_info.ATC_sequences) {
    json stcs = json::array();
    for (const TSTC_sequence& s : a.STC_sequences)
      stcs.push_back({{"pcr_pid", s.PCR_PID},
                      {"spn_stc_start", s.SPN_STC_start},
                      {"presentation_start_time", s.presentation_start_time},
                      {"presentation_end_time", s.presentation_end_time}});
    seqs.push_back({{"spn_atc_start", a.SPN_ATC_start}, {"offset_stc_id", a.offset_STC_id}, {"stc_sequences", stcs}});
  }
  json progs = json::array();
  for (const TProgram_sequences& p : c.program_info.program_sequences) {
    json streams = json::array();
    for (const TProgramStream& s : p.streams) {
      const ClipRow row = programStreamRow(s);
      streams.push_back({{"pid", s.PID},
                         {"coding_info_length", s.coding_info_length},
                         {"stream_coding_type", s.stream_coding_type},
                         {"stream_type_text", row[1]},
                         {"details", text(row[2])},
                         {"video_format", s.video_format},
                         {"frame_rate", s.frame_rate},
                         {"aspect_ratio", s.aspect_ratio},
                         {"aspect_flag", s.aspect_flag},
                         {"cr_flag", s.crFlag},
                         {"dynamic_range_type", s.dynamicRangeType},
                         {"color_space", s.colorSpace},
                         {"hdr_plus_flag", s.hdrPlusFlag},
                         {"isrc", text(s.ISRC_country_code + s.ISRC_registrant_code + s.ISRC_recording_year +
                                       s.ISRC_recording_number)},
                         {"presentation_type", s.presentation_type},
                         {"sampling_frequency", s.sampling_frequency},
                         {"audio_language", text(s.audio_language)},
                         {"pg_language", text(s.PG_language)},
                         {"ig_language", text(s.IG_language)},
                         {"character_code", s.character_code},
                         {"textst_language", text(s.textST_language)}});
    }
    progs.push_back({{"spn_program_sequence_start", p.SPN_program_sequence_start},
                     {"program_map_pid", p.program_map_PID},
                     {"streams", streams}});
  }
  json entries = json::array();
  for (std::size_t i = 0; i < c.cpi.entries.size(); ++i) {
    const TEPStreamEntry& e = c.cpi.entries[i];
    json coarse = json::array(), fine = json::array();
    std::uint32_t fineStart = 0;
    if (i < c.cpi.maps.size()) {
      const TEP_map_fosPID& m = c.cpi.maps[i];
      fineStart = m.EP_fine_table_start_address;
      for (const TEPCoarse& ce : m.coarse)
        coarse.push_back({{"ref_to_ep_fine_id", ce.ref_to_EP_fine_id},
                          {"pts_ep_coarse", ce.PTS_EP_coarse},
                          {"spn_ep_coarse", ce.SPN_EP_coarse}});
      for (const TEPFine& f : m.fine)
        fine.push_back({{"is_angle_change_point", f.is_angle_change_point},
                        {"i_end_position_offset", f.I_end_position_offset},
                        {"pts_ep_fine", f.PTS_EP_fine},
                        {"spn_ep_fine", f.SPN_EP_fine}});
    }
    entries.push_back({{"stream_pid", e.stream_PID},
                       {"ep_stream_type", e.EP_stream_type},
                       {"number_of_ep_coarse_entries", e.number_of_EP_coarse_entries},
                       {"number_of_ep_fine_entries", e.number_of_EP_fine_entries},
                       {"ep_map_start_address", e.EP_map_start_address},
                       {"ep_fine_table_start_address", fineStart},
                       {"coarse", coarse},
                       {"fine", fine}});
  }
  return {{"kind", "clip"},
          {"format_version", 1},
          {"type_indicator", text(c.type_indicator)},
          {"version_number", text(c.version_number)},
          {"sequence_info_start_address", c.SequenceInfo_start_address},
          {"program_info_start_address", c.ProgramInfo_start_address},
          {"cpi_start_address", c.CPI_start_address},
          {"clip_mark_start_address", c.ClipMark_start_address},
          {"extension_data_start_address", c.ExtensionData_start_address},
          {"clip_info",
           {{"length", ci.length},
            {"clip_stream_type", ci.clip_stream_type},
            {"application_type", ci.application_type},
            {"application_type_text", applicationTypeText(ci.application_type)},
            {"is_atc_delta", ci.is_ATC_delta},
            {"ts_recording_rate", ci.TS_recording_rate},
            {"number_of_source_packets", ci.number_of_source_packets},
            {"ts_type_info_length", ci.TS_type_info_length},
            {"validity_flags", ci.validity_flags},
            {"format_identifier", text(ci.format_identifier)},
            {"atc_delta_entries", atc},
            {"font_files", fonts}}},
          {"sequence_info", {{"length", c.sequence_info.length}, {"atc_sequences", seqs}}},
          {"program_info", {{"length", c.program_info.length}, {"program_sequences", progs}}},
          {"cpi", {{"length", c.cpi.length}, {"cpi_type", c.cpi.CPI_type}, {"entries", entries}}},
          {"clip_mark_length", c.ClipMark_length},
          {"extension_data", toJson(c.extension_data)}};
}

}  // namespace mirdal::cli
