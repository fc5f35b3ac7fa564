#include "cli/playlist_cli.h"

#include "cli/json_model.h"
#include "cli/text_table.h"
#include "core/display_text.h"
#include "formats/mpls_edit.h"
#include "present/mpls_rows.h"
#include "formats/stream_codes.h"

namespace mirdal::cli {

using nlohmann::json;

namespace {

constexpr const char* kCategoryNames[kStreamCategories] = {
    "primary video", "primary audio", "PG", "IG", "secondary audio", "secondary video", "PiP PG"};
constexpr const char* kCategoryKeys[kStreamCategories] = {
    "primary_video", "primary_audio", "pg", "ig", "secondary_audio", "secondary_video", "pip_pg"};


std::string hexBytes(const Bytes& b) {
  std::string s;
  for (std::uint8_t v : b) s += hexText(v, 2);
  return s;
}

std::string streamsText(const TSTN& stn) {
  std::string out = "    STN: " + [&] {
    std::string s;
    const auto row = stnRow(stn);
    for (std::size_t c = 0; c < row.size(); ++c) s += std::string(c ? "  " : "") + kSTNColumns[c].header + " " + row[c];
    return s;
  }() + "\n";
  for (int c = 0; c < kStreamCategories; ++c) {
    const StreamCategory cat = StreamCategory(c);
    const std::size_t n = streamCount(stn, cat);
    if (n == 0) continue;
    out += "    " + std::string(kCategoryNames[c]) + ":\n";
    TextTable t(kStreamColumns);
    for (std::size_t i = 0; i < n; ++i) t.add(streamRow(stn, cat, i));
    out += t.text("      ");
  }
  return out;
}

json clipRefJson(const TClipRef& c) {
  return {{"clip_name", latin1ToUtf8(c.clip_name)}, {"codec_id", latin1ToUtf8(c.codec_id)}, {"stc_id", c.stc_id}};
}

json streamJson(const TStreamRec& s) {
  const TStreamEntry& e = s.entry;
  const TStreamAttributes& a = s.attributes;
  return {{"entry",
           {{"length", e.length},
            {"type", e.type},
            {"main_pid", e.main_pid},
            {"sub_pid", e.sub_pid},
            {"subpath_id", e.subpath_id},
            {"subclip_id", e.subclip_id},
            {"raw", hexBytes(e.raw)}}},
          {"attributes",
           {{"length", a.length},
            {"coding_type", a.coding_type},
            {"coding_text", codingTypeText(a.coding_type)},
            {"video_format", a.video_format},
            {"frame_rate", a.frame_rate},
            {"presentation_type", a.presentation_type},
            {"sampling_frequency", a.sampling_frequency},
            {"language", latin1ToUtf8(a.language)},
            {"character_code", a.character_code},
            {"dynamic_range_type", a.dynamicRangeType},
            {"color_space", a.colorSpace},
            {"cr_flag", a.crFlag},
            {"hdr_plus_flag", a.hdrPlusFlag},
            {"raw", hexBytes(a.raw)}}}};
}

json stnJson(const TSTN& t) {
  json j = {{"length", t.length}, {"reserved", t.reserved}, {"trailing", hexBytes(t.trailing)}};
  for (int c = 0; c < kStreamCategories; ++c) {
    const StreamCategory cat = StreamCategory(c);
    json list = json::array();
    for (std::size_t i = 0; i < streamCount(t, cat); ++i) {
      json s = streamJson(*streamAt(t, cat, i));
      if (cat == StreamCategory::SecondaryAudio) s["primary_audio_refs"] = t.secondary_audio[i].primary_audio_refs;
      if (cat == StreamCategory::SecondaryVideo) {
        s["secondary_audio_refs"] = t.secondary_video[i].secondary_audio_refs;
        s["pip_pg_refs"] = t.secondary_video[i].pip_pg_refs;
      }
      list.push_back(std::move(s));
    }
    j[kCategoryKeys[c]] = std::move(list);
  }
  return j;
}

json playItemJson(const TPlayItem& p) {
  json angles = json::array();
  for (const TClipRef& c : p.angles.angles) angles.push_back(clipRefJson(c));
  return {{"length", p.length},
          {"clip_name", latin1ToUtf8(p.clip_name)},
          {"codec_id", latin1ToUtf8(p.codec_id)},
          {"is_multi_angle", p.is_multi_angle},
          {"connection_condition", p.connection_condition},
          {"stc_id", p.stc_id},
          {"in_time", p.in_time},
          {"out_time", p.out_time},
          {"uo_mask1", p.uo_mask1},
          {"uo_mask2", p.uo_mask2},
          {"random_access_flag", p.random_access_flag},
          {"still_mode", p.still_mode},
          {"still_time", p.still_time},
          {"is_different_audios", p.angles.is_different_audios},
          {"is_seamless_angle_change", p.angles.is_seamless_angle_change},
          {"angles", angles},
          {"stn", stnJson(p.stn)},
          {"trailing", hexBytes(p.trailing)}};
}

json subPathJson(const TSubPath& s) {
  json items = json::array();
  for (const TSubPlayItem& i : s.items) {
    json clips = json::array();
    for (const TClipRef& c : i.clips) clips.push_back(clipRefJson(c));
    items.push_back({{"length", i.length},
                     {"clip_name", latin1ToUtf8(i.clip_name)},
                     {"codec_id", latin1ToUtf8(i.codec_id)},
                     {"connection_condition", i.connection_condition},
                     {"is_multi_clip", i.is_multi_clip},
                     {"stc_id", i.stc_id},
                     {"in_time", i.in_time},
                     {"out_time", i.out_time},
                     {"sync_playitem_id", i.sync_playitem_id},
                     {"sync_start_pts", i.sync_start_pts},
                     {"multi_clip_reserved", i.multi_clip_reserved},
                     {"clips", clips},
                     {"trailing", hexBytes(i.trailing)}});
  }
  return {{"length", s.length},       {"reserved1", s.reserved1}, {"type", s.type},
          {"type_text", subPathTypeText(s.type)}, {"repeat", s.repeat}, {"reserved2", s.reserved2},
          {"items", items},           {"trailing", hexBytes(s.trailing)}};
}

}  // namespace

std::string dumpPlaylistText(const TMPLS& m, const std::string& name) {
  std::string out = name + ": playlist version " + m.version + "\n";
  out += "AppInfoPlayList: " + std::string(playbackTypeText(m.playback_type)) + ", count " +
         std::to_string(m.playback_count) + ", UO " + hexText(m.uo_mask1, 8) + " " + hexText(m.uo_mask2, 8) +
         ", random access " + yesNo(m.random_access_flag) + ", audio mix " + yesNo(m.audio_mix_flag) +
         ", bypass mixer " + yesNo(m.bypass_mixer_flag) + "\n";
  out += "PlayItems:\n";
  TextTable items(kPlayItemColumns);
  for (std::size_t i = 0; i < m.playlist.items.size(); ++i) items.add(playItemRow(m, i));
  out += items.text("  ");
  for (std::size_t i = 0; i < m.playlist.items.size(); ++i) {
    const TPlayItem& p = m.playlist.items[i];
    out += "  PlayItem " + zeroPadded(i, 3) + ":\n";
    if (p.is_multi_angle) {
      out += "    angles:\n";
      TextTable a(kAngleColumns);
      for (std::size_t k = 0; k < p.angles.angles.size(); ++k) a.add(angleRow(p, k));
      out += a.text("      ");
    }
    out += streamsText(p.stn);
  }
  out += "SubPaths:\n";
  TextTable sp(kSubPathColumns);
  for (std::size_t i = 0; i < m.playlist.subpaths.size(); ++i) sp.add(subPathRow(m.playlist.subpaths[i], i));
  out += sp.text("  ");
  for (std::size_t i = 0; i < m.playlist.subpaths.size(); ++i) {
    const TSubPath& s = m.playlist.subpaths[i];
    out += "  SubPath " + zeroPadded(i, 3) + " SubPlayItems:\n";
    TextTable t(kSubPlayItemColumns);
    for (std::size_t k = 0; k < s.items.size(); ++k) t.add(subPlayItemRow(s.items[k], k));
    out += t.text("    ");
    for (std::size_t k = 0; k < s.items.size(); ++k) {
      if (!s.items[k].is_multi_clip) continue;
      out += "    SubPlayItem " + zeroPadded(k, 3) + " clips:\n";
      TextTable c(kAngleColumns);
      for (std::size_t e = 0; e < s.items[k].clips.size(); ++e) c.add(multiClipRow(s.items[k], e));
      out += c.text("      ");
    }
  }
  if (m.PlayListMark_start_address != 0) {
    out += "PlayListMarks:\n";
    TextTable t(kMarkColumns);
    for (std::size_t i = 0; i < m.marks.marks.size(); ++i) t.add(markRow(m.marks, i));
    out += t.text("  ");
  } else {
    out += "PlayListMarks: none (no PlayListMark section)\n";
  }
  out += "ExtensionData: " + ExtDatCap(m.extension_data) + "\n";
  return out;
}

json playlistJson(const TMPLS& m) {
  json items = json::array();
  for (const TPlayItem& p : m.playlist.items) items.push_back(playItemJson(p));
  json subpaths = json::array();
  for (const TSubPath& s : m.playlist.subpaths) subpaths.push_back(subPathJson(s));
  json marks = json::array();
  for (const TMark& k : m.marks.marks)
    marks.push_back({{"mark_id", k.mark_id},
                     {"type", k.type},
                     {"playitem_ref", k.playitem_ref},
                     {"time", k.time},
                     {"entry_pid", k.entry_pid},
                     {"duration", k.duration}});
  return {{"kind", "playlist"},
          {"format_version", 1},
          {"type_indicator", latin1ToUtf8(m.type_indicator)},
          {"version", latin1ToUtf8(m.version)},
          {"playlist_start_address", m.PlayList_start_address},
          {"playlist_mark_start_address", m.PlayListMark_start_address},
          {"extension_data_start_address", m.ExtensionData_start_address},
          {"app_info",
           {{"length", m.app_info_length},
            {"reserved", m.app_info_reserved},
            {"playback_type", m.playback_type},
            {"playback_count", m.playback_count},
            {"uo_mask1", m.uo_mask1},
            {"uo_mask2", m.uo_mask2},
            {"random_access_flag", m.random_access_flag},
            {"audio_mix_flag", m.audio_mix_flag},
            {"bypass_mixer_flag", m.bypass_mixer_flag},
            {"extra", hexBytes(m.app_info_extra)}}},
          {"playlist",
           {{"length", m.playlist.length},
            {"reserved", m.playlist.reserved},
            {"play_items", items},
            {"sub_paths", subpaths},
            {"trailing", hexBytes(m.playlist.trailing)}}},
          {"playlist_marks", {{"length", m.marks.length}, {"marks", marks}, {"trailing", hexBytes(m.marks.trailing)}}},
          {"gaps",
           {{"before_playlist", hexBytes(m.gap_before_playlist)},
            {"before_marks", hexBytes(m.gap_before_marks)},
            {"before_extension_data", hexBytes(m.gap_before_ext)},
            {"tail", hexBytes(m.tail)}}},
          {"extension_data", toJson(m.extension_data)}};
}

}  // namespace mirdal::cli
