// Stream export and Find, each as a ratio to its reference measured in the
// same run, so that a loaded machine stretches both alike:
//  - export-pid of one PID of a 1 GB generated stream against
//    `cat FILE > /dev/null`, wall time, best of the iterations ("vs_cat":
//    cat's time over ours, 1 is cat's speed; "replacing_vs_cat" the same
//    export over an existing output);
//  - the peak memory of exporting a 50 GB (sparse) stream;
//  - `find --clips` over 2,000 copies of a real playlist with its clips,
//    stream files present and missing, against `bd_list_titles -a` on the
//    same folder (CPU time, "vs_libbluray"; skipped without libbluray's
//    tools), and the quiet reading of the playlists' bytes alone.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "bench/child_process.h"
#include "core/save.h"
#include "tests/support/ts_builder.h"

namespace fs = std::filesystem;
using namespace mirdal;
using namespace mirdal::bench;

namespace {

constexpr std::uint64_t kStreamBytes = 1ull << 30;

// 1 MB of source packets: a video PID of unbounded PES packets, two audio
// PIDs, a PG PID and null packets.
Bytes streamPattern() {
  test::TsBuilder ts;
  std::uint32_t pts = 0;
  while (ts.data().size() < (1u << 20) - 192 * 40) {
    ts.pes(0x1011, 0xE0, Bytes(5000, 0x11), pts, pts, true);
    ts.pes(0x1100, 0xBD, Bytes(768, 0x22), pts);
    ts.pes(0x1101, 0xBD, Bytes(1536, 0x33), pts);
    if (pts % 4 == 0) ts.pes(0x1200, 0xBD, Bytes(200, 0x44), pts);
    ts.nullPackets(3);
    pts += 3750;
  }
  Bytes b = ts.data();
  b.resize(b.size() / 192 * 192);
  return b;
}

// The pattern written over and over up to 1 GB.
const std::string& streamFile() {
  static const std::string path = [] {
    const fs::path p = fs::temp_directory_path() / "mirdal-bench-1g.m2ts";
    std::error_code ec;
    if (fs::exists(p, ec) && fs::file_size(p, ec) >= kStreamBytes) return p.string();
    const Bytes chunk = streamPattern();
    int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (std::uint64_t done = 0; done < kStreamBytes; done += chunk.size())
      if (::write(fd, chunk.data(), chunk.size()) < 0) break;
    ::close(fd);
    return p.string();
  }();
  return path;
}

void BM_ExportOnePidVsCat(benchmark::State& state) {
  const std::string& in = streamFile();
  const std::string out = (fs::temp_directory_path() / "mirdal-bench-1100.aus").string();
  double cat = 1e9, ours = 1e9, catCpu = 1e9, oursCpu = 1e9, replacing = 1e9;
  for (auto _ : state) {
    // A new output each time, then the same export over the file it made:
    // only a file that replaces another is synced before it is put in place.
    fs::remove(out);
    const ChildCost c = runChild({"cat", in});
    const ChildCost m = runChild({MIRDAL_CLI, "export-pid", in, "1100", "-o", out});
    const ChildCost r = runChild({MIRDAL_CLI, "export-pid", in, "1100", "-o", out});
    if (!c.ok || !m.ok || !r.ok) {
      state.SkipWithError("cat or mirdal-cli failed");
      return;
    }
    cat = std::min(cat, c.wallSeconds);
    ours = std::min(ours, m.wallSeconds);
    replacing = std::min(replacing, r.wallSeconds);
    catCpu = std::min(catCpu, c.cpuSeconds);
    oursCpu = std::min(oursCpu, m.cpuSeconds);
  }
  state.counters["vs_cat"] = cat / ours;
  state.counters["replacing_vs_cat"] = cat / replacing;
  state.counters["cpu_vs_cat"] = oursCpu / catCpu;
  state.counters["written_MB"] = double(fs::file_size(out)) / 1e6;
  fs::remove(out);
}
BENCHMARK(BM_ExportOnePidVsCat)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// 50 GB, sparse but for 1 MB of packets at the start and at the end: the
// export reads every byte (the zeros count as lost packets), so its
// memory would grow with the file if anything kept what it read.
void BM_ExportMemory50GB(benchmark::State& state) {
  const fs::path in = fs::temp_directory_path() / "mirdal-bench-50g.m2ts";
  const std::uint64_t size = 50ull << 30;
  const Bytes chunk = streamPattern();
  int fd = ::open(in.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const bool made = fd >= 0 && ::write(fd, chunk.data(), chunk.size()) == ssize_t(chunk.size()) &&
                    ::pwrite(fd, chunk.data(), chunk.size(), off_t(size - chunk.size())) == ssize_t(chunk.size());
  if (fd >= 0) ::close(fd);
  const std::string out = (fs::temp_directory_path() / "mirdal-bench-50g.aus").string();
  long rss = 0;
  for (auto _ : state) {
    const ChildCost m = runChild({MIRDAL_CLI, "export-pid", in.string(), "1100", "-o", out});
    if (!made || !m.ok) {
      state.SkipWithError("no sparse file or mirdal-cli failed");
      break;
    }
    rss = m.maxRssKB;
  }
  state.counters["max_rss_MB"] = double(rss) / 1024;
  fs::remove(in);
  fs::remove(out);
}
BENCHMARK(BM_ExportMemory50GB)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// 2,000 copies of the largest playlist of a real disc with the disc's
// index, movie objects and clips; an empty stream file per clip, or none.
constexpr int kPlaylists = 2000;

fs::path realDisc() {
  const char* env = std::getenv("MIRDAL_SAMPLES");
  const fs::path samples = env ? fs::path(env) : fs::path(MIRDAL_SOURCE_DIR) / "../../shared/samples";
  const fs::path d = samples / "commercial-metadata" / "disc1";
  return fs::exists(d / "PLAYLIST" / "00002.mpls") ? d : fs::path(MIRDAL_SOURCE_DIR) / "samples" / "disc" / "BDMV";
}

fs::path findDisc(bool streams) {
  const fs::path root = fs::temp_directory_path() / (streams ? "mirdal-bench-find-real" : "mirdal-bench-find-missing");
  const fs::path bdmv = root / "BDMV";
  if (fs::exists(bdmv / "PLAYLIST" / "01999.mpls")) return root;
  const fs::path src = realDisc();
  fs::remove_all(root);
  for (const char* d : {"PLAYLIST", "CLIPINF", "STREAM", "BACKUP"}) fs::create_directories(bdmv / d);
  fs::copy_file(src / "index.bdmv", bdmv / "index.bdmv");
  fs::copy_file(src / "MovieObject.bdmv", bdmv / "MovieObject.bdmv");
  fs::path largest;
  for (const auto& e : fs::directory_iterator(src / "PLAYLIST"))
    if (largest.empty() || e.file_size() > fs::file_size(largest)) largest = e.path();
  char name[16];
  for (int i = 0; i < kPlaylists; ++i) {
    std::snprintf(name, sizeof name, "%05d.mpls", i);
    fs::copy_file(largest, bdmv / "PLAYLIST" / name);
  }
  for (const auto& e : fs::directory_iterator(src / "CLIPINF")) {
    fs::copy_file(e.path(), bdmv / "CLIPINF" / e.path().filename());
    std::string error;
    if (streams) writeFileAtomic((bdmv / "STREAM" / e.path().stem()).string() + ".m2ts", {}, &error);
  }
  return root;
}

void findVsLibbluray(benchmark::State& state, bool streams) {
  const std::string disc = findDisc(streams).string();
  const bool libbluray = haveProgram("bd_list_titles");
  double ours = 1e9, reference = 1e9;
  for (auto _ : state) {
    const ChildCost m = runChild({MIRDAL_CLI, "find", "--clips", disc});
    const ChildCost r = libbluray ? runChild({"bd_list_titles", "-a", disc}) : ChildCost{true};
    // Missing stream files are errors: find says so and exits with 1.
    if (m.exitCode != (streams ? 0 : 1) || !r.ok) {
      state.SkipWithError("mirdal-cli find or bd_list_titles failed");
      return;
    }
    ours = std::min(ours, m.cpuSeconds);
    reference = std::min(reference, r.cpuSeconds);
  }
  state.counters["cpu_ms"] = ours * 1000;
  if (libbluray) state.counters["vs_libbluray"] = ours / reference;
  else state.SetLabel("bd_list_titles not installed: no ratio");
}

void BM_FindClipsVsLibbluray(benchmark::State& state) { findVsLibbluray(state, true); }
BENCHMARK(BM_FindClipsVsLibbluray)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// Every stream file missing: a line per missing file and playlist.
void BM_FindMissingVsLibbluray(benchmark::State& state) { findVsLibbluray(state, false); }
BENCHMARK(BM_FindMissingVsLibbluray)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace
