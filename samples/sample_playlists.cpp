// The sample disc's playlists: a feature with a multi-angle PlayItem, every
// stream category (secondary audio and video with their reference lists,
// PG, a PiP text subtitle, IG), SubPaths of several types with a multi-clip
// SubPlayItem, entry marks and a link point, and ExtensionData; a short
// trailer; and a playlist on clip 00002 with a text subtitle SubPath.
#include "sample_playlists.h"

#include "core/save.h"
#include "formats/mpls.h"
#include "formats/mpls_edit.h"

namespace mirdal::samples {

namespace {

constexpr std::uint32_t kSecond = 45000;

TStreamRec stream(std::uint8_t entryType, std::uint16_t pid, std::uint8_t coding, const char* lang = "") {
  TStreamRec s;
  s.entry.type = entryType;
  if (entryType == 2) s.entry.sub_pid = pid;
  else s.entry.main_pid = pid;
  s.attributes.coding_type = coding;
  s.attributes.language = lang;
  return s;
}

TStreamRec video(std::uint16_t pid) {
  TStreamRec s = stream(1, pid, 0x1B);
  s.attributes.video_format = 6;  // 1080p
  s.attributes.frame_rate = 1;    // 23.976
  return s;
}

TStreamRec audio(std::uint16_t pid, std::uint8_t coding, std::uint8_t presentation, const char* lang) {
  TStreamRec s = stream(1, pid, coding, lang);
  s.attributes.presentation_type = presentation;
  s.attributes.sampling_frequency = 1;
  return s;
}

TPlayItem playItem(const char* clip, std::uint32_t in, std::uint32_t out) {
  TPlayItem p;
  p.clip_name = clip;
  p.in_time = in;
  p.out_time = out;
  p.stn.primary_video = {video(0x1011)};
  p.stn.primary_audio = {audio(0x1100, 0x81, 6, "eng")};
  return p;
}

TSubPlayItem subPlayItem(const char* clip, std::uint32_t in, std::uint32_t out) {
  TSubPlayItem s;
  s.clip_name = clip;
  s.in_time = in;
  s.out_time = out;
  return s;
}

TSubPath subPath(std::uint8_t type, std::vector<TSubPlayItem> items) {
  TSubPath s;
  s.type = type;
  s.items = std::move(items);
  return s;
}

TExtensionData extensionData() {
  // One entry of 8 data bytes right after the entry table.
  const Bytes data{'M', 'i', 'r', 'd', 'a', 'l', 0, 1};
  TExtensionData ed;
  ed.data_block_start_address = 24;
  ed.length = 24 - 4 + std::uint32_t(data.size());
  ed.number_of_ext_data_entries = 1;
  ed.entries = {TExtensionDataEntry{0x1000, 0x0100, 24, std::uint32_t(data.size())}};
  ed.data = data;
  return ed;
}

TMPLS feature() {
  TMPLS m;
  m.audio_mix_flag = 1;
  m.uo_mask1 = 0x00000100;  // no angle change from the remote while the menu is up
  TPlayItem first = playItem("00000", 10 * kSecond, 70 * kSecond);
  first.is_multi_angle = 1;
  first.angles.is_seamless_angle_change = 1;
  first.angles.angles = {TClipRef{"00000", "M2TS", 0}, TClipRef{"00001", "M2TS", 0}, TClipRef{"00002", "M2TS", 0}};
  TSTN& t = first.stn;
  t.primary_audio.push_back(audio(0x1101, 0x86, 12, "fra"));
  t.pg = {stream(1, 0x1200, 0x90, "eng"), stream(1, 0x1201, 0x90, "deu")};
  TStreamRec pipText = stream(3, 0x1202, 0x92, "eng");
  pipText.entry.subpath_id = 2;
  pipText.attributes.character_code = 1;
  t.pg.push_back(pipText);
  t.num_pip_pg = 1;
  TStreamRec ig = stream(2, 0x1400, 0x91, "eng");
  t.ig = {ig};
  TSecAudio sa;
  static_cast<TStreamRec&>(sa) = audio(0x1A00, 0xA1, 3, "eng");
  sa.primary_audio_refs = {0, 1};
  t.secondary_audio = {sa};
  TSecVideo sv;
  static_cast<TStreamRec&>(sv) = stream(2, 0x1B00, 0x1B);
  sv.entry.subpath_id = 2;
  sv.attributes.video_format = 5;
  sv.attributes.frame_rate = 1;
  sv.secondary_audio_refs = {0};
  sv.pip_pg_refs = {0};
  t.secondary_video = {sv};

  m.playlist.items = {first, playItem("00001", 0, 30 * kSecond), playItem("00000", 70 * kSecond, 130 * kSecond)};
  m.playlist.items[1].connection_condition = 5;

  TSubPlayItem text = subPlayItem("00002", 10 * kSecond, 70 * kSecond);
  text.is_multi_clip = 1;
  text.clips = {TClipRef{"00002", "M2TS", 0}, TClipRef{"00001", "M2TS", 0}, TClipRef{"00000", "M2TS", 1}};
  TSubPath audioPath = subPath(2, {subPlayItem("00001", 0, 30 * kSecond)});
  audioPath.repeat = 1;
  m.playlist.subpaths = {subPath(3, {subPlayItem("00001", 10 * kSecond, 10 * kSecond)}), subPath(4, {text}),
                         subPath(6, {subPlayItem("00001", 0, 20 * kSecond), subPlayItem("00002", 20 * kSecond, 60 * kSecond)}),
                         audioPath};

  for (std::uint32_t s : {10u, 25u, 40u, 55u}) m.marks.marks.push_back(TMark{0, 1, 0, s * kSecond, 0xFFFF, 0});
  m.marks.marks.push_back(TMark{0, 1, 1, 5 * kSecond, 0xFFFF, 0});
  m.marks.marks.push_back(TMark{0, 2, 2, 100 * kSecond, 0xFFFF, 0});
  m.marks.marks.push_back(TMark{0, 1, 2, 110 * kSecond, 0x1011, 45 * kSecond});

  m.extension_data = extensionData();
  m.ExtensionData_start_address = 1;  // placed by fitLayout
  fitLayout(m);
  return m;
}

TMPLS trailer() {
  TMPLS m;
  m.playlist.items = {playItem("00001", 0, 30 * kSecond)};
  m.marks.marks = {TMark{0, 1, 0, 0, 0xFFFF, 0}, TMark{0, 1, 0, 15 * kSecond, 0xFFFF, 0}};
  fitLayout(m);
  return m;
}

TMPLS subtitled() {
  TMPLS m;
  m.playback_type = 2;  // random
  m.playback_count = 3;
  TPlayItem p = playItem("00002", 0, 20 * kSecond);
  TStreamRec text = stream(2, 0x1800, 0x92, "eng");
  text.attributes.character_code = 1;
  p.stn.pg = {text};
  m.playlist.items = {p};
  m.playlist.subpaths = {subPath(4, {subPlayItem("00002", 0, 20 * kSecond)})};
  fitLayout(m);
  return m;
}

}  // namespace

void writeSamplePlaylists(const std::string& bdmvFolder) {
  const std::pair<const char*, TMPLS> playlists[] = {{"00000", feature()}, {"00001", trailer()}, {"00002", subtitled()}};
  for (const auto& [name, m] : playlists) {
    for (const char* sub : {"PLAYLIST/", "BACKUP/PLAYLIST/"}) {
      SaveRequest req;
      req.folder = bdmvFolder + "/" + sub;
      req.name = std::string(name) + ".mpls";
      req.noBackup = true;
      plsave(m, req);
    }
  }
}

}  // namespace mirdal::samples
