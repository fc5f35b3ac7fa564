// The sample disc's playlists: a feature with a multi-angle PlayItem, every
// stream category (secondary audio and video with their reference lists,
// PG, a PiP text subtitle, IG), SubPaths of several types with a multi-clip
// SubPlayItem, entry marks and a link point, and ExtensionData; a short
// trailer; and a playlist on clip 00002 with a text subtitle SubPath.
#include "sample_playlists.h"

#include "core/save.h"
#include "formats/playlist/mpls.h"
#include "formats/playlist/mpls_edit.h"

namespace mirdal::samples {

namespace {

constexpr std::uint32_t kSecond = 45000;

StreamRecord stream(std::uint8_t entryType, std::uint16_t pid, std::uint8_t coding, const char* lang = "") {
  StreamRecord s;
  s.entry.type = entryType;
  if (entryType == 2) s.entry.subPid = pid;
  else s.entry.mainPid = pid;
  s.attributes.codingType = coding;
  s.attributes.language = lang;
  return s;
}

StreamRecord video(std::uint16_t pid) {
  StreamRecord s = stream(1, pid, 0x1B);
  s.attributes.videoFormat = 6;  // 1080p
  s.attributes.frameRate = 1;    // 23.976
  return s;
}

StreamRecord audio(std::uint16_t pid, std::uint8_t coding, std::uint8_t presentation, const char* lang) {
  StreamRecord s = stream(1, pid, coding, lang);
  s.attributes.presentationType = presentation;
  s.attributes.samplingFrequency = 1;
  return s;
}

PlayItem playItem(const char* clip, std::uint32_t in, std::uint32_t out) {
  PlayItem p;
  p.clipName = clip;
  p.inTime = in;
  p.outTime = out;
  p.stn.primaryVideo = {video(0x1011)};
  p.stn.primaryAudio = {audio(0x1100, 0x81, 6, "eng")};
  return p;
}

SubPlayItem subPlayItem(const char* clip, std::uint32_t in, std::uint32_t out) {
  SubPlayItem s;
  s.clipName = clip;
  s.inTime = in;
  s.outTime = out;
  return s;
}

SubPath subPath(std::uint8_t type, std::vector<SubPlayItem> items) {
  SubPath s;
  s.type = type;
  s.items = std::move(items);
  return s;
}

ExtensionData extensionData() {
  // One entry of 8 data bytes right after the entry table.
  const Bytes data{'M', 'i', 'r', 'd', 'a', 'l', 0, 1};
  ExtensionData ed;
  ed.dataBlockStartAddress = 24;
  ed.length = 24 - 4 + std::uint32_t(data.size());
  ed.numberOfExtDataEntries = 1;
  ed.entries = {ExtensionDataEntry{0x1000, 0x0100, 24, std::uint32_t(data.size())}};
  ed.data = data;
  return ed;
}

Playlist feature() {
  Playlist m;
  m.audioMixFlag = 1;
  m.uoMask1 = 0x00000100;  // no angle change from the remote while the menu is up
  PlayItem first = playItem("00000", 10 * kSecond, 70 * kSecond);
  first.isMultiAngle = 1;
  first.angles.isSeamlessAngleChange = 1;
  first.angles.angles = {ClipRef{"00000", "M2TS", 0}, ClipRef{"00001", "M2TS", 0}, ClipRef{"00002", "M2TS", 0}};
  Stn& t = first.stn;
  t.primaryAudio.push_back(audio(0x1101, 0x86, 12, "fra"));
  t.pg = {stream(1, 0x1200, 0x90, "eng"), stream(1, 0x1201, 0x90, "deu")};
  StreamRecord pipText = stream(3, 0x1202, 0x92, "eng");
  pipText.entry.subPathId = 2;
  pipText.attributes.characterCode = 1;
  t.pg.push_back(pipText);
  t.pipPgCount = 1;
  StreamRecord ig = stream(2, 0x1400, 0x91, "eng");
  t.ig = {ig};
  SecondaryAudioStream sa;
  static_cast<StreamRecord&>(sa) = audio(0x1A00, 0xA1, 3, "eng");
  sa.primaryAudioRefs = {0, 1};
  t.secondaryAudio = {sa};
  SecondaryVideoStream sv;
  static_cast<StreamRecord&>(sv) = stream(2, 0x1B00, 0x1B);
  sv.entry.subPathId = 2;
  sv.attributes.videoFormat = 5;
  sv.attributes.frameRate = 1;
  sv.secondaryAudioRefs = {0};
  sv.pipPgRefs = {0};
  t.secondaryVideo = {sv};

  m.playlist.items = {first, playItem("00001", 0, 30 * kSecond), playItem("00000", 70 * kSecond, 130 * kSecond)};
  m.playlist.items[1].connectionCondition = 5;

  SubPlayItem text = subPlayItem("00002", 10 * kSecond, 70 * kSecond);
  text.isMultiClip = 1;
  text.clips = {ClipRef{"00002", "M2TS", 0}, ClipRef{"00001", "M2TS", 0}, ClipRef{"00000", "M2TS", 1}};
  SubPath audioPath = subPath(2, {subPlayItem("00001", 0, 30 * kSecond)});
  audioPath.repeat = 1;
  m.playlist.subpaths = {subPath(3, {subPlayItem("00001", 10 * kSecond, 10 * kSecond)}), subPath(4, {text}),
                         subPath(6, {subPlayItem("00001", 0, 20 * kSecond), subPlayItem("00002", 20 * kSecond, 60 * kSecond)}),
                         audioPath};

  for (std::uint32_t s : {10u, 25u, 40u, 55u}) m.marks.marks.push_back(Mark{0, 1, 0, s * kSecond, 0xFFFF, 0});
  m.marks.marks.push_back(Mark{0, 1, 1, 5 * kSecond, 0xFFFF, 0});
  m.marks.marks.push_back(Mark{0, 2, 2, 100 * kSecond, 0xFFFF, 0});
  m.marks.marks.push_back(Mark{0, 1, 2, 110 * kSecond, 0x1011, 45 * kSecond});

  m.extensionData = extensionData();
  m.extensionDataStartAddress = 1;  // placed by fitLayout
  fitLayout(m);
  return m;
}

Playlist trailer() {
  Playlist m;
  m.playlist.items = {playItem("00001", 0, 30 * kSecond)};
  m.marks.marks = {Mark{0, 1, 0, 0, 0xFFFF, 0}, Mark{0, 1, 0, 15 * kSecond, 0xFFFF, 0}};
  fitLayout(m);
  return m;
}

Playlist subtitled() {
  Playlist m;
  m.playbackType = 2;  // random
  m.playbackCount = 3;
  PlayItem p = playItem("00002", 0, 20 * kSecond);
  StreamRecord text = stream(2, 0x1800, 0x92, "eng");
  text.attributes.characterCode = 1;
  p.stn.pg = {text};
  m.playlist.items = {p};
  m.playlist.subpaths = {subPath(4, {subPlayItem("00002", 0, 20 * kSecond)})};
  fitLayout(m);
  return m;
}

}  // namespace

void writeSamplePlaylists(const std::string& bdmvFolder) {
  const std::pair<const char*, Playlist> playlists[] = {{"00000", feature()}, {"00001", trailer()}, {"00002", subtitled()}};
  for (const auto& [name, m] : playlists) {
    for (const char* sub : {"PLAYLIST/", "BACKUP/PLAYLIST/"}) {
      SaveRequest req;
      req.folder = bdmvFolder + "/" + sub;
      req.name = std::string(name) + ".mpls";
      req.noBackup = true;
      SilentReporter quiet;
      savePlaylist(m, req, quiet);
    }
  }
}

}  // namespace mirdal::samples
