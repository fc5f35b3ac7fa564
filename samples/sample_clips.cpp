// Clip 00000: the feature's main stream: video, two audio streams, two PG
// streams and an IG menu stream, three STC sequences, ATC delta entries and
// an EP map with coarse and fine entries. Clip 00001: the trailer, video and
// audio. Clip 00002: a text subtitle clip (application type 6) with two font
// files and no stream file. The stream files are small but real: PES packets
// in source packets, so Save PID has something to export.
#include "sample_clips.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/save.h"
#include "formats/clip/clpi.h"
#include "formats/clip/clpi_edit.h"
#include "menu/igs_write.h"
#include "sample_menu.h"
#include "tests/support/ts_builder.h"

namespace mirdal::samples {

namespace {

using test::TsBuilder;

constexpr std::uint32_t k90 = 90000;        // PES ticks per second
constexpr std::uint32_t kStart = 600 * k90;  // timelines start at 600 s

ProgramStream videoStream() {
  ProgramStream s;
  s.pid = 0x1011;
  s.streamCodingType = 0x1B;
  s.videoFormat = 6;  // 1080p
  s.frameRate = 1;    // 23.976
  s.aspectRatio = 3;
  return s;
}

ProgramStream audioStream(std::uint16_t pid, std::uint8_t coding, std::uint8_t presentation, const char* lang) {
  ProgramStream s;
  s.pid = pid;
  s.streamCodingType = coding;
  s.presentationType = presentation;
  s.samplingFrequency = 1;  // 48 kHz
  s.audioLanguage = lang;
  return s;
}

ProgramStream graphicsStream(std::uint16_t pid, std::uint8_t coding, const char* lang) {
  ProgramStream s;
  s.pid = pid;
  s.streamCodingType = coding;
  (coding == 0x91 ? s.igLanguage : coding == 0x92 ? s.textStLanguage : s.pgLanguage) = lang;
  if (coding == 0x92) s.characterCode = 1;
  return s;
}

Bytes segment(std::uint8_t type, std::size_t bodySize, std::uint8_t fill) {
  Bytes s(3 + bodySize, fill);
  s[0] = type;
  s[1] = std::uint8_t(bodySize >> 8);
  s[2] = std::uint8_t(bodySize);
  return s;
}

struct SampleStream {
  Bytes bytes;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> videoStarts;  // (PTS, SPN)
};

// `frames` video access units three seconds apart (a few packets each), an
// AC-3 frame beside each on every audio PID, a PG display set with every
// other frame and, with a menu, one IG display set at the start.
SampleStream makeStream(int frames, const std::vector<std::uint16_t>& audio, const std::vector<std::uint16_t>& pg,
                        bool menu) {
  TsBuilder ts;
  SampleStream out;
  if (menu) {
    // The sample menu's segments, each in a private-stream-1 PES packet
    // with the timestamps of its .mnu record ("IG", PTS, DTS, segment), so
    // that the menu taken out of this stream is the sample menu.
    IgMenu m = sample::sampleMenu();
    Bytes mnu;
    SilentReporter quiet;
    if (composeMenuSegments(m, SegmentFraming::Mnu, mnu, quiet)) {
      for (std::size_t at = 0; at + 13 <= mnu.size();) {
        const auto be32 = [&mnu](std::size_t o) {
          return std::uint32_t(mnu[o]) << 24 | std::uint32_t(mnu[o + 1]) << 16 | std::uint32_t(mnu[o + 2]) << 8 | mnu[o + 3];
        };
        const std::uint32_t pts = be32(at + 2), dts = be32(at + 6);
        const std::size_t length = 3 + ((std::size_t(mnu[at + 11]) << 8) | mnu[at + 12]);
        const Bytes seg(mnu.begin() + long(at + 10), mnu.begin() + long(std::min(mnu.size(), at + 10 + length)));
        ts.pes(0x1400, 0xBD, seg, pts, dts != 0 ? (long long)dts : -1);
        at += 10 + length;
      }
    }
  }
  for (int s = 0; s < frames; ++s) {
    const std::uint32_t pts = kStart + std::uint32_t(s) * k90 * 3;
    out.videoStarts.push_back({pts, std::uint32_t(ts.packetCount())});
    Bytes au = {0, 0, 0, 1, 0x09, 0x10, 0, 0, 0, 1, 0x65};
    au.resize(700, std::uint8_t(s));
    ts.pes(0x1011, 0xE0, au, pts, pts - 3003, true);
    for (std::uint16_t pid : audio) {
      Bytes frame = {0x0B, 0x77};
      frame.resize(768, 0x55);
      ts.pes(pid, 0xBD, frame, pts);
    }
    if (s % 2 == 0)
      for (std::uint16_t pid : pg) {
        ts.pes(pid, 0xBD, segment(0x16, 19, 0), pts, pts - 900);
        ts.pes(pid, 0xBD, segment(0x17, 10, 0), pts - 900);
        ts.pes(pid, 0xBD, segment(0x80, 0, 0), pts - 900);
      }
    ts.nullPackets(2);
  }
  out.bytes = ts.data();
  return out;
}

// A text-subtitle stream: one dialog style segment (0x81) and a dialog
// presentation segment (0x82) for each of three lines, in private stream 2
// PES packets on PID 0x1800.
Bytes makeTextStream() {
  TsBuilder ts;
  ts.plainPes(0x1800, 0xBF, segment(0x81, 60, 0));
  for (int line = 0; line < 3; ++line) ts.plainPes(0x1800, 0xBF, segment(0x82, 40, std::uint8_t(line)));
  ts.nullPackets(2);
  return ts.data();
}

Cpi epMap(const SampleStream& st) {
  Cpi cpi;
  cpi.length = 1;
  cpi.cpiType = 1;
  EpStreamEntry e;
  e.streamPid = 0x1011;
  e.epStreamType = 1;
  cpi.entries = {e};
  EpMapForPid m;
  for (std::size_t i = 0; i < st.videoStarts.size(); ++i) {
    const auto [pts, spn] = st.videoStarts[i];
    const std::uint16_t coarsePts = std::uint16_t((pts >> 19) & 0x3FFF);
    if (m.coarse.empty() || m.coarse.back().ptsEpCoarse != coarsePts)
      m.coarse.push_back(EpCoarse{std::uint32_t(i), coarsePts, spn});
    m.fine.push_back(EpFine{0, 1, std::uint16_t((pts >> 9) & 0x7FF), spn & 0x1FFFF});
  }
  cpi.maps = {m};
  return cpi;
}

StcSequence stc(std::uint32_t spn, std::uint32_t from45, std::uint32_t to45) {
  return StcSequence{0x1001, spn, from45, to45};
}

void writeFile(const std::string& path, const Bytes& b) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

void saveClip(const std::string& bdmv, const std::string& name, ClipInfoFile c) {
  fitClipLayout(c);
  for (const char* sub : {"CLIPINF/", "BACKUP/CLIPINF/"}) {
    SaveRequest req;
    req.folder = bdmv + "/" + sub;
    req.name = name + ".clpi";
    req.noBackup = true;
    SilentReporter quiet;
    if (!saveClipInfo(c, req, quiet)) std::fprintf(stderr, "cannot write %s%s\n", req.folder.c_str(), req.name.c_str());
  }
}

}  // namespace

void writeSampleClips(const std::string& bdmvFolder) {
  const std::uint32_t start45 = kStart / 2;

  // The feature.
  const SampleStream feature = makeStream(12, {0x1100, 0x1101}, {0x1200, 0x1201}, true);
  writeFile(bdmvFolder + "/STREAM/00000.m2ts", feature.bytes);
  ClipInfoFile c0;
  c0.clipInfo.tsRecordingRate = 6000000;
  c0.clipInfo.numberOfSourcePackets = std::uint32_t(feature.bytes.size() / 192);
  c0.clipInfo.tsTypeInfoLength = 30;
  c0.clipInfo.validityFlags = 0x80;
  c0.clipInfo.isAtcDelta = true;
  c0.clipInfo.atcDeltaEntries = {{0x00012000, "00001", "M2TS"}, {0x00FF0000, "00002", "M2TS"}};
  const std::uint32_t third = c0.clipInfo.numberOfSourcePackets / 3;
  c0.sequenceInfo.atcSequences = {
      {0, 0, {stc(0, start45, start45 + 12 * 45000), stc(third, 45000, 16 * 45000), stc(2 * third, 0, 4 * 45000)}}};
  ProgramSequence ps;
  ps.programMapPid = 0x0100;
  ps.streams = {videoStream(), audioStream(0x1100, 0x81, 6, "eng"), audioStream(0x1101, 0x86, 12, "fra"),
                graphicsStream(0x1200, 0x90, "eng"), graphicsStream(0x1201, 0x90, "deu"),
                graphicsStream(0x1400, 0x91, "eng")};
  c0.programInfo.programSequences = {ps};
  c0.cpi = epMap(feature);
  saveClip(bdmvFolder, "00000", c0);

  // The trailer.
  const SampleStream trailer = makeStream(4, {0x1100}, {}, false);
  writeFile(bdmvFolder + "/STREAM/00001.m2ts", trailer.bytes);
  ClipInfoFile c1;
  c1.clipInfo.tsRecordingRate = 4000000;
  c1.clipInfo.numberOfSourcePackets = std::uint32_t(trailer.bytes.size() / 192);
  c1.clipInfo.tsTypeInfoLength = 30;
  c1.sequenceInfo.atcSequences = {{0, 0, {stc(0, start45, start45 + 4 * 45000)}}};
  ps.streams = {videoStream(), audioStream(0x1100, 0x81, 3, "eng")};
  c1.programInfo.programSequences = {ps};
  c1.cpi = epMap(trailer);
  saveClip(bdmvFolder, "00001", c1);

  // The text subtitles.
  const Bytes text = makeTextStream();
  writeFile(bdmvFolder + "/STREAM/00002.m2ts", text);
  ClipInfoFile c2;
  c2.clipInfo.applicationType = 6;
  c2.clipInfo.tsRecordingRate = 1000000;
  c2.clipInfo.numberOfSourcePackets = std::uint32_t(text.size() / 192);
  c2.clipInfo.fontFiles = {"00000", "00001"};
  c2.sequenceInfo.atcSequences = {{0, 0, {stc(0, start45, start45 + 20 * 45000)}}};
  ps.programMapPid = 0x0100;
  ps.streams = {graphicsStream(0x1800, 0x92, "eng")};
  c2.programInfo.programSequences = {ps};
  saveClip(bdmvFolder, "00002", c2);
}

}  // namespace mirdal::samples
