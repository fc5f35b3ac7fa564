#include "tests/support/clean_disc.h"

#include <fstream>

#include "formats/clip/clpi_edit.h"
#include "menu/igs_write.h"
#include "tests/support/ts_builder.h"
#include "support/recording_reporter.h"

namespace mirdal::test {

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kSecond = 45000;       // playlist and clip ticks
constexpr std::uint32_t kStart = 600 * kSecond;  // the timelines start at 600 s

StreamRecord stream(std::uint16_t pid, std::uint8_t coding) {
  StreamRecord s;
  s.entry.type = 1;
  s.entry.mainPid = pid;
  s.attributes.codingType = coding;
  if (coding == 0x1B) {
    s.attributes.videoFormat = 6;
    s.attributes.frameRate = 1;
  } else if (coding == 0x81) {
    s.attributes.presentationType = 3;
    s.attributes.samplingFrequency = 1;
    s.attributes.language = "eng";
  } else {
    s.attributes.language = "eng";
  }
  return s;
}

ProgramStream programStream(std::uint16_t pid, std::uint8_t coding) {
  ProgramStream s;
  s.pid = pid;
  s.streamCodingType = coding;
  if (coding == 0x1B) {
    s.videoFormat = 6;
    s.frameRate = 1;
  } else if (coding == 0x81) {
    s.presentationType = 3;
    s.samplingFrequency = 1;
    s.audioLanguage = "eng";
  } else if (coding == 0x90) {
    s.pgLanguage = "eng";
  } else if (coding == 0x91) {
    s.igLanguage = "eng";
  }
  return s;
}

PlayItem playItem(const char* clip, std::uint32_t in, std::uint32_t out) {
  PlayItem p;
  p.clipName = clip;
  p.inTime = in;
  p.outTime = out;
  p.stn.primaryVideo = {stream(0x1011, 0x1B)};
  return p;
}

// An entry-point map for PID 1011 with one entry a second over [from, to).
Cpi epMap(std::uint32_t from45, std::uint32_t to45) {
  Cpi cpi;
  cpi.length = 1;
  cpi.cpiType = 1;
  EpStreamEntry e;
  e.streamPid = 0x1011;
  e.epStreamType = 1;
  cpi.entries = {e};
  EpMapForPid m;
  std::uint32_t spn = 0;
  for (std::uint32_t t = from45; t < to45; t += kSecond, spn += 10) {
    const std::uint64_t pts = std::uint64_t(t) * 2;
    const std::uint16_t coarse = std::uint16_t((pts >> 19) & 0x3FFF);
    if (m.coarse.empty() || m.coarse.back().ptsEpCoarse != coarse)
      m.coarse.push_back(EpCoarse{std::uint32_t(m.fine.size()), coarse, spn});
    m.fine.push_back(EpFine{0, 1, std::uint16_t((pts >> 9) & 0x7FF), spn & 0x1FFFF});
  }
  cpi.maps = {m};
  return cpi;
}

ClipInfoFile clip(std::uint32_t from45, std::uint32_t to45, std::vector<ProgramStream> streams) {
  ClipInfoFile c;
  c.clipInfo.tsRecordingRate = 6000000;
  c.sequenceInfo.atcSequences = {{0, 0, {StcSequence{0x1001, 0, from45, to45}}}};
  ProgramSequence ps;
  ps.programMapPid = 0x0100;
  ps.streams = std::move(streams);
  c.programInfo.programSequences = {ps};
  c.cpi = epMap(from45, to45);
  return c;
}

IgObject face(std::uint8_t colour) {
  IgObject o;
  o.width = 200;
  o.height = 60;
  o.image = IndexImage{200, 60, Bytes(200 * 60, colour)};
  return o;
}

IgPalette palette(std::uint16_t id) {
  IgPalette p;
  p.paletteId = id;
  for (int e = 1; e < 4; ++e) {
    p.colours[std::size_t(e)] = {std::uint8_t(60 * e), 80, 160, 255};
    p.ycrcb[std::size_t(e)] = {std::uint8_t(40 + 30 * e), 128, 128};
  }
  return p;
}

IgButton button(std::uint16_t id, std::uint16_t y, std::uint16_t firstObject, std::uint16_t neighbour,
                CommandList commands) {
  IgButton b;
  b.buttonId = id;
  b.numericSelectValue = id;
  b.x = 800;
  b.y = y;
  b.upper = b.lower = neighbour;
  b.left = b.right = id;
  b.normalStart = b.normalEnd = firstObject;
  b.selectedStart = b.selectedEnd = std::uint16_t(firstObject + 1);
  b.activatedStart = b.activatedEnd = std::uint16_t(firstObject + 2);
  b.selectedSound = 0;
  b.activatedSound = 1;
  b.commands = std::move(commands);
  return b;
}

Bog bog(IgButton b) {
  Bog g;
  g.defaultValidButton = b.buttonId;
  g.buttons.push_back(std::move(b));
  return g;
}

IgPage page(std::uint8_t id, std::vector<Bog> bogs) {
  IgPage p;
  p.pageId = id;
  p.paletteId = id;
  p.defaultSelectedButton = 1;
  p.defaultActivatedButton = kNoButton;
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
Bytes menuStream(IgMenu menu) {
  Bytes mnu;
  composeMenuSegments(menu, SegmentFraming::Mnu, mnu, mirdal::test::testReporter());
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
  index.indexes.firstPlayback = {1, 0, 0, ""};
  index.indexes.topMenu = {1, 0, 1, ""};
  for (std::uint16_t t = 0; t < 2; ++t) {
    IndexTitle title;
    title.titleNumber = t + 1u;
    title.movieObjectReference = std::uint16_t(2 + t);
    index.indexes.titles.push_back(title);
  }

  // MovieObject.bdmv
  const std::vector<CommandList> programs = {
      {{0x50400001, 0, 1}, {0x21810000, 1, 0}},                          // Move GPR0, 1; Jump Title 1
      {{0x22800000, 1, 0}},                                              // Play PL 1 (the menu)
      {{0x48400200, 0, 1}, {0x51C00001, 0x8002C001, 0}, {0x42C10000, 0, 1}, {0x21810000, 2, 0}},
      // EQ GPR0, 1; SetStream audio 2, PG 1 shown; Play PL_PI 0, 1; Jump Title 2
      {{0x42C20000, 0, 2}, {0x50000001, 1, 2}, {0x48400300, 1, 0}, {0x21810000, 1, 0}, {0x21810000, 0, 0}},
      // Play PL_MK 0, 2; Move GPR1, GPR2; NE GPR1, 0; Jump Title 1; Jump Title 0
  };
  for (const CommandList& p : programs) {
    MovieObject o;
    o.commands = p;
    objects.movieObjects.objects.push_back(o);
  }

  // The feature: clip 00000 from 600 s to 700 s, two PlayItems joined
  // seamlessly, three marks.
  PlayItem first = playItem("00000", kStart, kStart + 40 * kSecond);
  first.stn.primaryAudio = {stream(0x1100, 0x81), stream(0x1101, 0x81)};
  first.stn.pg = {stream(0x1200, 0x90)};
  PlayItem second = first;
  second.inTime = first.outTime;
  second.outTime = kStart + 80 * kSecond;
  second.connectionCondition = 6;
  feature.playlist.items = {first, second};
  feature.marks.marks = {Mark{0, 1, 0, kStart, 0xFFFF, 0}, Mark{0, 1, 0, kStart + 20 * kSecond, 0xFFFF, 0},
                         Mark{0, 1, 1, kStart + 50 * kSecond, 0xFFFF, 0}};
  featureClip = clip(kStart, kStart + 100 * kSecond,
                     {programStream(0x1011, 0x1B), programStream(0x1100, 0x81), programStream(0x1101, 0x81),
                      programStream(0x1200, 0x90)});
  featureClip.clipInfo.numberOfSourcePackets = 1000;

  // The menu's playlist: clip 00001 with the IG stream, two marks.
  PlayItem menuItem = playItem("00001", kStart, kStart + 10 * kSecond);
  menuItem.stn.ig = {stream(0x1400, 0x91)};
  menuList.playlist.items = {menuItem};
  menuList.marks.marks = {Mark{0, 1, 0, kStart, 0xFFFF, 0}, Mark{0, 1, 0, kStart + 5 * kSecond, 0xFFFF, 0}};
  menuClip = clip(kStart, kStart + 20 * kSecond, {programStream(0x1011, 0x1B), programStream(0x1400, 0x91)});

  // sound.bdmv: a click and a chime.
  sound = newSound();
  for (std::size_t i = 0; i < 2; ++i) {
    SoundEntry e;
    e.data = Bytes(1920 * (i + 1), 0);
    e.length = std::uint32_t(e.data.size());
    insertSoundEntry(sound, i, e, mirdal::test::testReporter());
  }

  // The menu.
  menu = newMenu();
  menu.ics.model = 2;
  menu.palettes = {palette(0), palette(1)};
  for (std::uint8_t k = 0; k < 6; ++k) {
    menu.objects.push_back(face(std::uint8_t(1 + k % 3)));
    menu.objects.back().objectId = k;
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
  for (const MovieObject& o : objects.movieObjects.objects) length += 4 + 12 * std::uint32_t(o.commands.size());
  objects.movieObjects.length = length;
  put(bdmv / "MovieObject.bdmv", composeMovieObjects(objects));

  fitLayout(feature);
  fitLayout(menuList);
  put(bdmv / "PLAYLIST" / "00000.mpls", composePlaylist(feature));
  put(bdmv / "PLAYLIST" / "00001.mpls", composePlaylist(menuList));

  const Bytes menuTs = menuStream(menu);
  menuClip.clipInfo.numberOfSourcePackets = std::uint32_t(menuTs.size() / 192);
  put(bdmv / "STREAM" / "00001.m2ts", menuTs);
  put(bdmv / "STREAM" / "00000.m2ts", Bytes(std::size_t(featureClip.clipInfo.numberOfSourcePackets) * 192, 0));
  fitClipLayout(featureClip);
  fitClipLayout(menuClip);
  put(bdmv / "CLIPINF" / "00000.clpi", composeClipInfo(featureClip));
  put(bdmv / "CLIPINF" / "00001.clpi", composeClipInfo(menuClip));

  layoutSound(sound);
  put(bdmv / "AUXDATA" / "sound.bdmv", composeSound(sound));
  return bdmv.string() + "/";
}

}  // namespace mirdal::test
