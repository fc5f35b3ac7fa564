#include "tests/support/clean_disc.h"

#include <fstream>

#include "formats/clpi_edit.h"
#include "menu/igs_write.h"
#include "tests/support/ts_builder.h"

namespace mirdal::test {

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kSecond = 45000;       // playlist and clip ticks
constexpr std::uint32_t kStart = 600 * kSecond;  // the timelines start at 600 s

TStreamRec stream(std::uint16_t pid, std::uint8_t coding) {
  TStreamRec s;
  s.entry.type = 1;
  s.entry.main_pid = pid;
  s.attributes.coding_type = coding;
  if (coding == 0x1B) {
    s.attributes.video_format = 6;
    s.attributes.frame_rate = 1;
  } else if (coding == 0x81) {
    s.attributes.presentation_type = 3;
    s.attributes.sampling_frequency = 1;
    s.attributes.language = "eng";
  } else {
    s.attributes.language = "eng";
  }
  return s;
}

TProgramStream programStream(std::uint16_t pid, std::uint8_t coding) {
  TProgramStream s;
  s.PID = pid;
  s.stream_coding_type = coding;
  if (coding == 0x1B) {
    s.video_format = 6;
    s.frame_rate = 1;
  } else if (coding == 0x81) {
    s.presentation_type = 3;
    s.sampling_frequency = 1;
    s.audio_language = "eng";
  } else if (coding == 0x90) {
    s.PG_language = "eng";
  } else if (coding == 0x91) {
    s.IG_language = "eng";
  }
  return s;
}

TPlayItem playItem(const char* clip, std::uint32_t in, std::uint32_t out) {
  TPlayItem p;
  p.clip_name = clip;
  p.in_time = in;
  p.out_time = out;
  p.stn.primary_video = {stream(0x1011, 0x1B)};
  return p;
}

// An entry-point map for PID 1011 with one entry a second over [from, to).
TCPI epMap(std::uint32_t from45, std::uint32_t to45) {
  TCPI cpi;
  cpi.length = 1;
  cpi.CPI_type = 1;
  TEPStreamEntry e;
  e.stream_PID = 0x1011;
  e.EP_stream_type = 1;
  cpi.entries = {e};
  TEP_map_fosPID m;
  std::uint32_t spn = 0;
  for (std::uint32_t t = from45; t < to45; t += kSecond, spn += 10) {
    const std::uint64_t pts = std::uint64_t(t) * 2;
    const std::uint16_t coarse = std::uint16_t((pts >> 19) & 0x3FFF);
    if (m.coarse.empty() || m.coarse.back().PTS_EP_coarse != coarse)
      m.coarse.push_back(TEPCoarse{std::uint32_t(m.fine.size()), coarse, spn});
    m.fine.push_back(TEPFine{0, 1, std::uint16_t((pts >> 9) & 0x7FF), spn & 0x1FFFF});
  }
  cpi.maps = {m};
  return cpi;
}

TCLPI clip(std::uint32_t from45, std::uint32_t to45, std::vector<TProgramStream> streams) {
  TCLPI c;
  c.clip_info.TS_recording_rate = 6000000;
  c.sequence_info.ATC_sequences = {{0, 0, {TSTC_sequence{0x1001, 0, from45, to45}}}};
  TProgram_sequences ps;
  ps.program_map_PID = 0x0100;
  ps.streams = std::move(streams);
  c.program_info.program_sequences = {ps};
  c.cpi = epMap(from45, to45);
  return c;
}

TIGobject face(std::uint8_t colour) {
  TIGobject o;
  o.width = 200;
  o.height = 60;
  o.image = IndexImage{200, 60, Bytes(200 * 60, colour)};
  return o;
}

TIGpalette palette(std::uint16_t id) {
  TIGpalette p;
  p.palette_id = id;
  for (int e = 1; e < 4; ++e) {
    p.colours[std::size_t(e)] = {std::uint8_t(60 * e), 80, 160, 255};
    p.ycrcb[std::size_t(e)] = {std::uint8_t(40 + 30 * e), 128, 128};
  }
  return p;
}

TIGbutton button(std::uint16_t id, std::uint16_t y, std::uint16_t firstObject, std::uint16_t neighbour,
                 TCommands commands) {
  TIGbutton b;
  b.button_id = id;
  b.numeric_select_value = id;
  b.x = 800;
  b.y = y;
  b.upper = b.lower = neighbour;
  b.left = b.right = id;
  b.normal_start = b.normal_end = firstObject;
  b.selected_start = b.selected_end = std::uint16_t(firstObject + 1);
  b.activated_start = b.activated_end = std::uint16_t(firstObject + 2);
  b.selected_sound = 0;
  b.activated_sound = 1;
  b.commands = std::move(commands);
  return b;
}

TBOG bog(TIGbutton b) {
  TBOG g;
  g.default_valid_button = b.button_id;
  g.buttons.push_back(std::move(b));
  return g;
}

TPage page(std::uint8_t id, std::vector<TBOG> bogs) {
  TPage p;
  p.page_id = id;
  p.palette_id = id;
  p.default_selected_button = 1;
  p.default_activated_button = kNoButton;
  p.bogs = std::move(bogs);
  return p;
}

void put(const fs::path& p, const Bytes& b) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

std::uint32_t be32(const Bytes& b, std::size_t at) {
  return std::uint32_t(b[at]) << 24 | std::uint32_t(b[at + 1]) << 16 | std::uint32_t(b[at + 2]) << 8 | b[at + 3];
}

// The menu's segments, one PES packet each on PID 1400 with the times of
// their .mnu prefixes, as a disc's menu stream carries them.
Bytes menuStream(TMenu menu) {
  Bytes mnu;
  saveIGS(menu, SegmentFraming::Mnu, mnu);
  TsBuilder ts;
  for (std::size_t at = 0; at + 13 <= mnu.size();) {
    const std::size_t length = 3 + ((std::size_t(mnu[at + 11]) << 8) | mnu[at + 12]);
    const Bytes segment(mnu.begin() + long(at + 10), mnu.begin() + long(at + 10 + length));
    const std::uint32_t dts = be32(mnu, at + 6);
    ts.pes(0x1400, 0xBD, segment, be32(mnu, at + 2), dts ? (long long)dts : -1);
    at += 10 + length;
  }
  return ts.data();
}

}  // namespace

CleanDisc::CleanDisc() {
  // index.bdmv
  index.indexes.first_playback = {1, 0, 0, ""};
  index.indexes.top_menu = {1, 0, 1, ""};
  for (std::uint16_t t = 0; t < 2; ++t) {
    TIndexesTitle title;
    title.title_number = t + 1u;
    title.movie_object_reference = std::uint16_t(2 + t);
    index.indexes.titles.push_back(title);
  }

  // MovieObject.bdmv
  const std::vector<TCommands> programs = {
      {{0x50400001, 0, 1}, {0x21810000, 1, 0}},                          // Move GPR0, 1; Jump Title 1
      {{0x22800000, 1, 0}},                                              // Play PL 1 (the menu)
      {{0x48400200, 0, 1}, {0x51C00001, 0x8002C001, 0}, {0x42C10000, 0, 1}, {0x21810000, 2, 0}},
      // EQ GPR0, 1; SetStream audio 2, PG 1 shown; Play PL_PI 0, 1; Jump Title 2
      {{0x42C20000, 0, 2}, {0x50000001, 1, 2}, {0x48400300, 1, 0}, {0x21810000, 1, 0}, {0x21810000, 0, 0}},
      // Play PL_MK 0, 2; Move GPR1, GPR2; NE GPR1, 0; Jump Title 1; Jump Title 0
  };
  for (const TCommands& p : programs) {
    Tmobject o;
    o.commands = p;
    objects.movie_objects.objects.push_back(o);
  }

  // The feature: clip 00000 from 600 s to 700 s, two PlayItems joined
  // seamlessly, three marks.
  TPlayItem first = playItem("00000", kStart, kStart + 40 * kSecond);
  first.stn.primary_audio = {stream(0x1100, 0x81), stream(0x1101, 0x81)};
  first.stn.pg = {stream(0x1200, 0x90)};
  TPlayItem second = first;
  second.in_time = first.out_time;
  second.out_time = kStart + 80 * kSecond;
  second.connection_condition = 6;
  feature.playlist.items = {first, second};
  feature.marks.marks = {TMark{0, 1, 0, kStart, 0xFFFF, 0}, TMark{0, 1, 0, kStart + 20 * kSecond, 0xFFFF, 0},
                         TMark{0, 1, 1, kStart + 50 * kSecond, 0xFFFF, 0}};
  featureClip = clip(kStart, kStart + 100 * kSecond,
                     {programStream(0x1011, 0x1B), programStream(0x1100, 0x81), programStream(0x1101, 0x81),
                      programStream(0x1200, 0x90)});
  featureClip.clip_info.number_of_source_packets = 1000;

  // The menu's playlist: clip 00001 with the IG stream, two marks.
  TPlayItem menuItem = playItem("00001", kStart, kStart + 10 * kSecond);
  menuItem.stn.ig = {stream(0x1400, 0x91)};
  menuList.playlist.items = {menuItem};
  menuList.marks.marks = {TMark{0, 1, 0, kStart, 0xFFFF, 0}, TMark{0, 1, 0, kStart + 5 * kSecond, 0xFFFF, 0}};
  menuClip = clip(kStart, kStart + 20 * kSecond, {programStream(0x1011, 0x1B), programStream(0x1400, 0x91)});

  // sound.bdmv: a click and a chime.
  sound = newSound();
  for (std::size_t i = 0; i < 2; ++i) {
    TSoundEntries e;
    e.data = Bytes(1920 * (i + 1), 0);
    e.length = std::uint32_t(e.data.size());
    insertSoundEntry(sound, i, e);
  }

  // The menu.
  menu = newMenu();
  menu.ics.model = 2;
  menu.palettes = {palette(0), palette(1)};
  for (std::uint8_t k = 0; k < 6; ++k) {
    menu.objects.push_back(face(std::uint8_t(1 + k % 3)));
    menu.objects.back().object_id = k;
  }
  menu.ics.pages = {
      page(0, {bog(button(1, 400, 0, 2, {{0x50400001, 2, 1}, {0x22850000, 1, 0}, {0x51C00003, 0x80000001, 0x80000001}})),
               // Move GPR2, 1; Link MK 1; SetButtonPage 1, 1
               bog(button(2, 500, 3, 1, {{0x21810000, 1, 0}}))}),  // Jump Title 1
      page(1, {bog(button(1, 400, 0, 1, {{0x51C00003, 0x80000002, 0x80000000}}))}),  // SetButtonPage 2, 0
  };
  buildAllPageButtons(menu);
}

std::string CleanDisc::write(const fs::path& root) {
  const fs::path bdmv = root / "BDMV";
  for (const char* d : {"PLAYLIST", "CLIPINF", "STREAM", "AUXDATA", "BACKUP"}) fs::create_directories(bdmv / d);

  index.indexes.length = 26 + 12 * std::uint32_t(index.indexes.titles.size());
  put(bdmv / "index.bdmv", composeIndex(index));
  std::uint32_t length = 6;
  for (const Tmobject& o : objects.movie_objects.objects) length += 4 + 12 * std::uint32_t(o.commands.size());
  objects.movie_objects.length = length;
  put(bdmv / "MovieObject.bdmv", composeMovieObjects(objects));

  fitLayout(feature);
  fitLayout(menuList);
  put(bdmv / "PLAYLIST" / "00000.mpls", composeMPLS(feature));
  put(bdmv / "PLAYLIST" / "00001.mpls", composeMPLS(menuList));

  const Bytes menuTs = menuStream(menu);
  menuClip.clip_info.number_of_source_packets = std::uint32_t(menuTs.size() / 192);
  put(bdmv / "STREAM" / "00001.m2ts", menuTs);
  put(bdmv / "STREAM" / "00000.m2ts", Bytes(std::size_t(featureClip.clip_info.number_of_source_packets) * 192, 0));
  fitClipLayout(featureClip);
  fitClipLayout(menuClip);
  put(bdmv / "CLIPINF" / "00000.clpi", composeCLPI(featureClip));
  put(bdmv / "CLIPINF" / "00001.clpi", composeCLPI(menuClip));

  layoutSound(sound);
  put(bdmv / "AUXDATA" / "sound.bdmv", composeSound(sound));
  return bdmv.string() + "/";
}

}  // namespace mirdal::test
