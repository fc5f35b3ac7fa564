// The disc check on a large disc: 2,000 playlists, 4,000 clips (with sparse
// stream files) and 1,000 movie objects that play them, jump to titles and
// set streams. Reading every file and running every rule should take well
// under a second; BM_ReadBytesOnly reads the same files' bytes, to show how
// much of the time is the file system's. The disc gives 1,097 findings, all
// true: 98 objects no title names, 999 playlists no object plays.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "check/check_disc.h"
#include "core/display_text.h"
#include "formats/clip/clpi.h"
#include "formats/clip/clpi_edit.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"
#include "formats/playlist/mpls.h"

namespace fs = std::filesystem;
using namespace mirdal;

namespace {

constexpr int kPlaylists = 2000, kClips = 4000, kObjects = 1000, kTitles = 900;

void put(const fs::path& p, const Bytes& b) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

MovieObjectFile objects() {
  MovieObjectFile m;
  for (int o = 0; o < kObjects; ++o) {
    MovieObject ob;
    ob.commands.push_back({0x50400001, 1, std::uint32_t(o)});                   // Move GPR1, o
    ob.commands.push_back({0x22800000, std::uint32_t(o % kPlaylists), 0});      // Play PL
    ob.commands.push_back({0x42C10000, std::uint32_t((o + 1) % kPlaylists), 1});  // Play PL_PI
    ob.commands.push_back({0x48400200, 1, 5});                                  // LT GPR1, 5
    ob.commands.push_back({0x21810000, std::uint32_t(1 + o % kTitles), 0});     // Jump Title
    ob.commands.push_back({0x00020000, 0, 0});                                  // Break
    m.movieObjects.objects.push_back(ob);
  }
  std::uint32_t len = 6;
  for (auto& ob : m.movieObjects.objects) len += 4 + 12 * std::uint32_t(ob.commands.size());
  m.movieObjects.length = len;
  return m;
}

Playlist playlist(int p) {
  Playlist pl;
  for (int k = 0; k < 2; ++k) {
    PlayItem pi;
    pi.clipName = zeroPadded((2 * p + k) % kClips, 5);
    pi.inTime = 27000000;
    pi.outTime = 27000000 + 45000 * 60;
    StreamRecord v;
    v.entry.mainPid = 0x1011;
    v.attributes.codingType = 0x1B;
    pi.stn.primaryVideo = {v};
    StreamRecord a;
    a.entry.mainPid = 0x1100;
    a.attributes.codingType = 0x81;
    pi.stn.primaryAudio = {a, a};
    pi.stn.primaryAudio[1].entry.mainPid = 0x1101;
    pl.playlist.items.push_back(pi);
  }
  for (int k = 0; k < 6; ++k)
    pl.marks.marks.push_back(Mark{0, 1, std::uint16_t(k / 3), std::uint32_t(27000000 + k % 3 * 45000), 0xFFFF, 0});
  fitLayout(pl);
  return pl;
}

ClipInfoFile clip() {
  ClipInfoFile cl;
  cl.clipInfo.numberOfSourcePackets = 1000;
  cl.sequenceInfo.atcSequences = {{0, 0, {StcSequence{0x1001, 0, 27000000, 27000000 + 45000 * 120}}}};
  ProgramSequence ps;
  ps.programMapPid = 0x100;
  ProgramStream v;
  v.pid = 0x1011;
  v.streamCodingType = 0x1B;
  ProgramStream a;
  a.pid = 0x1100;
  a.streamCodingType = 0x81;
  ProgramStream b = a;
  b.pid = 0x1101;
  ps.streams = {v, a, b};
  cl.programInfo.programSequences = {ps};
  Cpi cpi;
  cpi.length = 1;
  cpi.cpiType = 1;
  EpStreamEntry e;
  e.streamPid = 0x1011;
  e.epStreamType = 1;
  cpi.entries = {e};
  EpMapForPid map;
  for (int i = 0; i < 200; ++i) {
    const std::uint64_t pts = 54000000ull + std::uint64_t(i) * 90000ull;
    // A coarse entry wherever the PTS bits above the fine entry's change.
    if (i == 0 || (pts >> 19) != ((pts - 90000) >> 19))
      map.coarse.push_back({std::uint32_t(i), std::uint16_t((pts >> 19) & 0x3FFF), std::uint32_t(i * 5)});
    map.fine.push_back({0, 1, std::uint16_t((pts >> 9) & 0x7FF), std::uint32_t(i * 5)});
  }
  cpi.maps = {map};
  cl.cpi = cpi;
  fitClipLayout(cl);
  return cl;
}

const fs::path& discRoot() {
  static const fs::path root = [] {
    const fs::path r = fs::temp_directory_path() / "mirdal-bench-check";
    const fs::path bdmv = r / "BDMV";
    if (fs::exists(bdmv / "CLIPINF" / (zeroPadded(kClips - 1, 5) + ".clpi"))) return r;
    fs::remove_all(r);
    IndexFile idx;
    idx.indexes.firstPlayback.movieObjectReference = 0;
    idx.indexes.topMenu.movieObjectReference = 1;
    for (int t = 0; t < kTitles; ++t) {
      IndexTitle x;
      x.titleNumber = std::uint16_t(t + 1);
      x.movieObjectReference = std::uint16_t(2 + t);
      idx.indexes.titles.push_back(x);
    }
    idx.indexes.length = 26 + 12 * kTitles;
    put(bdmv / "index.bdmv", composeIndex(idx));
    put(bdmv / "MovieObject.bdmv", composeMovieObjects(objects()));
    for (int p = 0; p < kPlaylists; ++p) put(bdmv / "PLAYLIST" / (zeroPadded(p, 5) + ".mpls"), composePlaylist(playlist(p)));
    fs::create_directories(bdmv / "STREAM");
    const Bytes clipBytes = composeClipInfo(clip());
    for (int c = 0; c < kClips; ++c) {
      put(bdmv / "CLIPINF" / (zeroPadded(c, 5) + ".clpi"), clipBytes);
      const fs::path stream = bdmv / "STREAM" / (zeroPadded(c, 5) + ".m2ts");
      std::ofstream(stream).close();
      fs::resize_file(stream, 192000);  // sparse: 1,000 packets of 192 bytes
    }
    fs::create_directories(bdmv / "BACKUP");
    return r;
  }();
  return root;
}

void BM_CheckDisc(benchmark::State& state) {
  const std::string folder = (discRoot() / "BDMV").string() + "/";
  std::size_t findings = 0;
  for (auto _ : state) {
    const CheckReport r = checkDisc(readDiscFiles(folder));
    findings = r.findings.size();
    benchmark::DoNotOptimize(findings);
  }
  state.counters["findings"] = double(findings);
}
BENCHMARK(BM_CheckDisc)->Unit(benchmark::kMillisecond);

// The same files' bytes, read and dropped.
void BM_ReadBytesOnly(benchmark::State& state) {
  const fs::path bdmv = discRoot() / "BDMV";
  for (auto _ : state) {
    std::size_t n = 0;
    for (const char* d : {"PLAYLIST", "CLIPINF"})
      for (const auto& e : fs::directory_iterator(bdmv / d)) {
        std::ifstream in(e.path(), std::ios::binary);
        n += std::string(std::istreambuf_iterator<char>(in), {}).size();
      }
    for (const auto& e : fs::directory_iterator(bdmv / "STREAM")) n += fs::file_size(e.path());
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_ReadBytesOnly)->Unit(benchmark::kMillisecond);

}  // namespace
