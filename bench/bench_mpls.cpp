// Quiet reading of 2,000 playlists of 60 PlayItems each, as Find's loop
// over every playlist of a disc does it (the clip names), and the reading
// of the whole model of each, beside reading the same files' bytes alone
// in the same run: "vs_bytes" is the ratio (thread CPU time), the cost of
// taking the playlists apart on top of the reading.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/child_process.h"
#include "core/fields.h"
#include "core/report.h"
#include "core/save.h"
#include "formats/playlist/mpls.h"
#include "formats/playlist/playlist_clip_uses.h"
#include "tests/support/recording_reporter.h"

namespace fs = std::filesystem;
using namespace mirdal;

namespace {

constexpr int kPlaylists = 2000;
constexpr int kPlayItems = 60;

StreamRecord stream(std::uint16_t pid, std::uint8_t coding, const char* lang) {
  StreamRecord s;
  s.entry.mainPid = pid;
  s.attributes.codingType = coding;
  s.attributes.language = lang;
  return s;
}

// A feature-like playlist: every PlayItem with video, three audio and four
// subtitle streams, one IG SubPath, a chapter mark per PlayItem.
Playlist benchPlaylist(int n) {
  Playlist m;
  for (int i = 0; i < kPlayItems; ++i) {
    PlayItem p;
    char name[8];
    std::snprintf(name, sizeof name, "%05d", (n * kPlayItems + i) % 100000);
    p.clipName = name;
    p.inTime = 45000u * std::uint32_t(i);
    p.outTime = p.inTime + 45000u * 60;
    p.stn.primaryVideo = {stream(0x1011, 0x1B, "")};
    p.stn.primaryAudio = {stream(0x1100, 0x81, "eng"), stream(0x1101, 0x86, "fra"), stream(0x1102, 0x81, "deu")};
    p.stn.pg = {stream(0x1200, 0x90, "eng"), stream(0x1201, 0x90, "fra"), stream(0x1202, 0x90, "deu"),
                stream(0x1203, 0x90, "spa")};
    m.playlist.items.push_back(p);
    m.marks.marks.push_back(Mark{0, 1, std::uint16_t(i), p.inTime, 0xFFFF, 0});
  }
  SubPath sp;
  sp.type = 3;
  sp.items.resize(1);
  sp.items[0].clipName = "00001";
  m.playlist.subpaths = {sp};
  fitLayout(m);
  return m;
}

const fs::path& playlistFolder() {
  static const fs::path dir = [] {
    const fs::path d = fs::temp_directory_path() / "mirdal-bench-playlists";
    char name[16];
    std::snprintf(name, sizeof name, "%05d.mpls", kPlaylists - 1);
    if (fs::exists(d / name)) return d;
    fs::remove_all(d);
    fs::create_directories(d);
    for (int i = 0; i < kPlaylists; ++i) {
      std::snprintf(name, sizeof name, "%05d.mpls", i);
      std::string error;
      writeFileAtomic((d / name).string(), composePlaylist(benchPlaylist(i)), &error);
    }
    return d;
  }();
  return dir;
}

std::vector<std::string> playlistPaths() {
  std::vector<std::string> paths;
  for (const auto& e : fs::directory_iterator(playlistFolder())) paths.push_back(e.path().string());
  return paths;
}

std::size_t readBytesOnly(const std::vector<std::string>& paths) {
  std::size_t bytes = 0;
  for (const std::string& p : paths) {
    Bytes b;
    readFileBytes(p, b);
    bytes += b.size();
  }
  return bytes;
}

// CPU time of read(path) over every playlist, as a ratio to reading the
// same files' bytes alone in the same iteration.
template <class Read>
void readPlaylistsVsBytes(benchmark::State& state, Read read) {
  const auto paths = playlistPaths();
  double reading = 0, bytesOnly = 0;
  for (auto _ : state) {
    const double t0 = bench::threadCpuSeconds();
    std::size_t items = 0;
    for (const std::string& p : paths) items += read(p);
    const double t1 = bench::threadCpuSeconds();
    benchmark::DoNotOptimize(items);
    benchmark::DoNotOptimize(readBytesOnly(paths));
    bytesOnly += bench::threadCpuSeconds() - t1;
    reading += t1 - t0;
  }
  state.counters["playlists"] = double(paths.size());
  state.counters["vs_bytes"] = reading / bytesOnly;
}

// Find's quiet read: the clips each playlist uses.
void BM_QuietReadPlaylists(benchmark::State& state) {
  std::vector<PlaylistClipUse> uses;
  readPlaylistsVsBytes(state, [&uses](const std::string& p) {
    readClipUses(p, uses, mirdal::test::testReporter());
    return uses.size();
  });
}
BENCHMARK(BM_QuietReadPlaylists)->Unit(benchmark::kMillisecond);

// The whole model, as the playlist page and the disc check read it.
void BM_WholeReadPlaylists(benchmark::State& state) {
  readPlaylistsVsBytes(state, [](const std::string& p) {
    Playlist m;
    readPlaylistFile(p, m, mirdal::test::testReporter(), true);
    return m.playlist.items.size();
  });
}
BENCHMARK(BM_WholeReadPlaylists)->Unit(benchmark::kMillisecond);

void BM_ReadBytesOnly(benchmark::State& state) {
  const auto paths = playlistPaths();
  for (auto _ : state) {
    benchmark::DoNotOptimize(readBytesOnly(paths));
  }
  state.counters["playlists"] = double(paths.size());
}
BENCHMARK(BM_ReadBytesOnly)->Unit(benchmark::kMillisecond);

}  // namespace
