#include "cli/playlist_cli.h"

#include "cli/json_model.h"
#include "cli/text_table.h"
#include "core/display_text.h"
#include "formats/playlist/mpls_edit.h"
#include "present/mpls_rows.h"
#include "present/stream_texts.h"

namespace mirdal::cli {

using nlohmann::json;

namespace {

constexpr const char* kCategoryNames[kStreamCategories] = {
    "primary video", "primary audio", "PG", "IG", "secondary audio", "secondary video", "PiP PG"};
constexpr const char* kCategoryKeys[kStreamCategories] = {
    "primary_video", "primary_audio", "pg", "ig", "secondary_audio", "secondary_video", "pip_pg"};


std::string streamsText(const Stn& stn) {
  std::string out = "    STN: " + [&] {
    std::string s;
    const auto row = stnRow(stn);
    for (std::size_t c = 0; c < row.size(); ++c) s += std::string(c ? "  " : "") + kStnColumns[c].header + " " + row[c];
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

json clipRefJson(const ClipRef& c) {
  return {{"clip_name", latin1ToUtf8(c.clipName)}, {"codec_id", latin1ToUtf8(c.codecId)}, {"stc_id", c.stcId}};
}

json streamJson(const StreamRecord& s) {
  const StreamEntry& e = s.entry;
  const StreamAttributes& a = s.attributes;
  return {{"entry",
           {{"length", e.length},
            {"type", e.type},
            {"main_pid", e.mainPid},
            {"sub_pid", e.subPid},
            {"subpath_id", e.subPathId},
            {"subclip_id", e.subClipId},
            {"raw", hexBytes(e.raw)}}},
          {"attributes",
           {{"length", a.length},
            {"coding_type", a.codingType},
            {"coding_text", codingTypeText(a.codingType)},
            {"video_format", a.videoFormat},
            {"frame_rate", a.frameRate},
            {"presentation_type", a.presentationType},
            {"sampling_frequency", a.samplingFrequency},
            {"language", latin1ToUtf8(a.language)},
            {"character_code", a.characterCode},
            {"dynamic_range_type", a.dynamicRangeType},
            {"color_space", a.colorSpace},
            {"cr_flag", a.crFlag},
            {"hdr_plus_flag", a.hdrPlusFlag},
            {"raw", hexBytes(a.raw)}}}};
}

json stnJson(const Stn& t) {
  json j = {{"length", t.length}, {"reserved", t.reserved}, {"trailing", hexBytes(t.trailing)}};
  for (int c = 0; c < kStreamCategories; ++c) {
    const StreamCategory cat = StreamCategory(c);
    json list = json::array();
    for (std::size_t i = 0; i < streamCount(t, cat); ++i) {
      json s = streamJson(*streamAt(t, cat, i));
      if (cat == StreamCategory::SecondaryAudio) s["primary_audio_refs"] = t.secondaryAudio[i].primaryAudioRefs;
      if (cat == StreamCategory::SecondaryVideo) {
        s["secondary_audio_refs"] = t.secondaryVideo[i].secondaryAudioRefs;
        s["pip_pg_refs"] = t.secondaryVideo[i].pipPgRefs;
      }
      list.push_back(std::move(s));
    }
    j[kCategoryKeys[c]] = std::move(list);
  }
  return j;
}

json playItemJson(const PlayItem& p) {
  json angles = json::array();
  for (const ClipRef& c : p.angles.angles) angles.push_back(clipRefJson(c));
  return {{"length", p.length},
          {"clip_name", latin1ToUtf8(p.clipName)},
          {"codec_id", latin1ToUtf8(p.codecId)},
          {"is_multi_angle", p.isMultiAngle},
          {"connection_condition", p.connectionCondition},
          {"stc_id", p.stcId},
          {"in_time", p.inTime},
          {"out_time", p.outTime},
          {"uo_mask1", p.uoMask1},
          {"uo_mask2", p.uoMask2},
          {"random_access_flag", p.randomAccessFlag},
          {"still_mode", p.stillMode},
          {"still_time", p.stillTime},
          {"is_different_audios", p.angles.isDifferentAudios},
          {"is_seamless_angle_change", p.angles.isSeamlessAngleChange},
          {"angles", angles},
          {"stn", stnJson(p.stn)},
          {"trailing", hexBytes(p.trailing)}};
}

json subPathJson(const SubPath& s) {
  json items = json::array();
  for (const SubPlayItem& i : s.items) {
    json clips = json::array();
    for (const ClipRef& c : i.clips) clips.push_back(clipRefJson(c));
    items.push_back({{"length", i.length},
                     {"clip_name", latin1ToUtf8(i.clipName)},
                     {"codec_id", latin1ToUtf8(i.codecId)},
                     {"connection_condition", i.connectionCondition},
                     {"is_multi_clip", i.isMultiClip},
                     {"stc_id", i.stcId},
                     {"in_time", i.inTime},
                     {"out_time", i.outTime},
                     {"sync_playitem_id", i.syncPlayItemId},
                     {"sync_start_pts", i.syncStartPts},
                     {"multi_clip_reserved", i.multiClipReserved},
                     {"clips", clips},
                     {"trailing", hexBytes(i.trailing)}});
  }
  return {{"length", s.length},       {"reserved1", s.reserved1}, {"type", s.type},
          {"type_text", subPathTypeText(s.type)}, {"repeat", s.repeat}, {"reserved2", s.reserved2},
          {"items", items},           {"trailing", hexBytes(s.trailing)}};
}

}  // namespace

std::string dumpPlaylistText(const Playlist& m, const std::string& name) {
  std::string out = name + ": playlist version " + m.version + "\n";
  out += "AppInfoPlayList: " + std::string(playbackTypeText(m.playbackType)) + ", count " +
         std::to_string(m.playbackCount) + ", UO " + hexText(m.uoMask1, 8) + " " + hexText(m.uoMask2, 8) +
         ", random access " + yesNo(m.randomAccessFlag) + ", audio mix " + yesNo(m.audioMixFlag) +
         ", bypass mixer " + yesNo(m.bypassMixerFlag) + "\n";
  out += "PlayItems:\n";
  TextTable items(kPlayItemColumns);
  for (std::size_t i = 0; i < m.playlist.items.size(); ++i) items.add(playItemRow(m, i));
  out += items.text("  ");
  for (std::size_t i = 0; i < m.playlist.items.size(); ++i) {
    const PlayItem& p = m.playlist.items[i];
    out += "  PlayItem " + zeroPadded(i, 3) + ":\n";
    if (p.isMultiAngle) {
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
    const SubPath& s = m.playlist.subpaths[i];
    out += "  SubPath " + zeroPadded(i, 3) + " SubPlayItems:\n";
    TextTable t(kSubPlayItemColumns);
    for (std::size_t k = 0; k < s.items.size(); ++k) t.add(subPlayItemRow(s.items[k], k));
    out += t.text("    ");
    for (std::size_t k = 0; k < s.items.size(); ++k) {
      if (!s.items[k].isMultiClip) continue;
      out += "    SubPlayItem " + zeroPadded(k, 3) + " clips:\n";
      TextTable c(kAngleColumns);
      for (std::size_t e = 0; e < s.items[k].clips.size(); ++e) c.add(multiClipRow(s.items[k], e));
      out += c.text("      ");
    }
  }
  if (m.playListMarkStartAddress != 0) {
    out += "PlayListMarks:\n";
    TextTable t(kMarkColumns);
    for (std::size_t i = 0; i < m.marks.marks.size(); ++i) t.add(markRow(m.marks, i));
    out += t.text("  ");
  } else {
    out += "PlayListMarks: none (no PlayListMark section)\n";
  }
  out += "ExtensionData: " + extensionDataCaption(m.extensionData) + "\n";
  return out;
}

json playlistJson(const Playlist& m) {
  json items = json::array();
  for (const PlayItem& p : m.playlist.items) items.push_back(playItemJson(p));
  json subpaths = json::array();
  for (const SubPath& s : m.playlist.subpaths) subpaths.push_back(subPathJson(s));
  json marks = json::array();
  for (const Mark& k : m.marks.marks)
    marks.push_back({{"mark_id", k.markId},
                     {"type", k.type},
                     {"playitem_ref", k.playItemRef},
                     {"time", k.time},
                     {"entry_pid", k.entryPid},
                     {"duration", k.duration}});
  return {{"kind", "playlist"},
          {"format_version", 1},
          {"type_indicator", latin1ToUtf8(m.typeIndicator)},
          {"version", latin1ToUtf8(m.version)},
          {"playlist_start_address", m.playListStartAddress},
          {"playlist_mark_start_address", m.playListMarkStartAddress},
          {"extension_data_start_address", m.extensionDataStartAddress},
          {"app_info",
           {{"length", m.appInfoLength},
            {"reserved", m.appInfoReserved},
            {"playback_type", m.playbackType},
            {"playback_count", m.playbackCount},
            {"uo_mask1", m.uoMask1},
            {"uo_mask2", m.uoMask2},
            {"random_access_flag", m.randomAccessFlag},
            {"audio_mix_flag", m.audioMixFlag},
            {"bypass_mixer_flag", m.bypassMixerFlag},
            {"extra", hexBytes(m.appInfoExtra)}}},
          {"playlist",
           {{"length", m.playlist.length},
            {"reserved", m.playlist.reserved},
            {"play_items", items},
            {"sub_paths", subpaths},
            {"trailing", hexBytes(m.playlist.trailing)}}},
          {"playlist_marks", {{"length", m.marks.length}, {"marks", marks}, {"trailing", hexBytes(m.marks.trailing)}}},
          {"gaps",
           {{"before_playlist", hexBytes(m.gapBeforePlaylist)},
            {"before_marks", hexBytes(m.gapBeforeMarks)},
            {"before_extension_data", hexBytes(m.gapBeforeExt)},
            {"tail", hexBytes(m.tail)}}},
          {"extension_data", toJson(m.extensionData)}};
}

}  // namespace mirdal::cli
