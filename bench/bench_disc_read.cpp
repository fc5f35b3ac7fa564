// The Read of a large disc folder: 3,000 playlists and 3,000 clips with
// (sparse) stream files. Compared with a bare listing of the same folders,
// to show that the time goes to the file system, not to our code.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "bench/child_process.h"
#include "documents/disc_read.h"
#include "core/report.h"
#include "tests/support/recording_reporter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kCount = 3000;

const fs::path& discRoot() {
  static const fs::path root = [] {
    const fs::path r = fs::temp_directory_path() / "mirdal-bench-disc";
    const fs::path bdmv = r / "BDMV";
    if (fs::exists(bdmv / "CLIPINF" / "02999.clpi")) return r;
    fs::remove_all(r);
    for (const char* d : {"PLAYLIST", "CLIPINF", "STREAM", "BACKUP", "BDJO", "AUXDATA"})
      fs::create_directories(bdmv / d);
    std::ofstream(bdmv / "index.bdmv") << "INDX0200";
    std::ofstream(bdmv / "MovieObject.bdmv") << "MOBJ0200";
    char name[16];
    for (int i = 0; i < kCount; ++i) {
      std::snprintf(name, sizeof name, "%05d", i);
      std::ofstream(bdmv / "PLAYLIST" / (std::string(name) + ".mpls")) << "MPLS0200";
      std::ofstream(bdmv / "CLIPINF" / (std::string(name) + ".clpi")) << "HDMV0200";
      // Sparse multi-gigabyte stream files: size without disk use.
      const fs::path stream = bdmv / "STREAM" / (std::string(name) + ".m2ts");
      std::ofstream(stream).close();
      fs::resize_file(stream, 6ull << 30);
    }
    return r;
  }();
  return root;
}

void BM_ReadDisc(benchmark::State& state) {
  const std::string folder = (discRoot() / "BDMV").string() + "/";
  for (auto _ : state) {
    mirdal::Workspace ws;
    ws.disc.folder = folder;
    benchmark::DoNotOptimize(mirdal::readDisc(ws, mirdal::test::testReporter()));
  }
}
BENCHMARK(BM_ReadDisc)->Unit(benchmark::kMillisecond);

// The file-system work alone: list both folders and stat every stream file.
void BM_ListingOnly(benchmark::State& state) {
  const fs::path bdmv = discRoot() / "BDMV";
  for (auto _ : state) {
    std::size_t n = 0;
    for (const char* d : {"PLAYLIST", "CLIPINF"})
      for (const auto& e : fs::directory_iterator(bdmv / d)) n += e.is_regular_file();
    for (const auto& e : fs::directory_iterator(bdmv / "STREAM")) n += fs::file_size(e.path());
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_ListingOnly)->Unit(benchmark::kMillisecond);

// The peak memory of `mirdal-cli check` (the disc Read) and of
// `find --clips` (every playlist taken apart) on 10,000 copies of the largest playlist of a real
// disc, with the disc's clips; the aim is under 200 MB.
void BM_DiscMemory10000Playlists(benchmark::State& state) {
  const char* env = std::getenv("MIRDAL_SAMPLES");
  const fs::path samples = env ? fs::path(env) : fs::path(MIRDAL_SOURCE_DIR) / "../../shared/samples";
  fs::path src = samples / "commercial-metadata" / "disc1";
  if (!fs::exists(src / "index.bdmv")) src = fs::path(MIRDAL_SOURCE_DIR) / "samples" / "disc" / "BDMV";
  const fs::path root = fs::temp_directory_path() / "mirdal-bench-10000";
  const fs::path bdmv = root / "BDMV";
  if (!fs::exists(bdmv / "PLAYLIST" / "09999.mpls")) {
    fs::remove_all(root);
    for (const char* d : {"PLAYLIST", "CLIPINF", "STREAM", "BACKUP"}) fs::create_directories(bdmv / d);
    fs::copy_file(src / "index.bdmv", bdmv / "index.bdmv");
    fs::copy_file(src / "MovieObject.bdmv", bdmv / "MovieObject.bdmv");
    fs::path largest;
    for (const auto& e : fs::directory_iterator(src / "PLAYLIST"))
      if (largest.empty() || e.file_size() > fs::file_size(largest)) largest = e.path();
    char name[16];
    for (int i = 0; i < 10000; ++i) {
      std::snprintf(name, sizeof name, "%05d.mpls", i);
      fs::copy_file(largest, bdmv / "PLAYLIST" / name);
    }
    for (const auto& e : fs::directory_iterator(src / "CLIPINF")) {
      fs::copy_file(e.path(), bdmv / "CLIPINF" / e.path().filename());
      std::ofstream(bdmv / "STREAM" / (e.path().stem().string() + ".m2ts")).close();
    }
  }
  long check = 0, find = 0;
  for (auto _ : state) {
    const mirdal::bench::ChildCost c = mirdal::bench::runChild({MIRDAL_CLI, "check", root.string()});
    const mirdal::bench::ChildCost f = mirdal::bench::runChild({MIRDAL_CLI, "find", "--clips", root.string()});
    if (c.exitCode < 0 || f.exitCode < 0) {
      state.SkipWithError("mirdal-cli check or find did not finish");
      return;
    }
    check = c.maxRssKB;
    find = f.maxRssKB;
  }
  state.counters["check_rss_MB"] = double(check) / 1024;
  state.counters["find_rss_MB"] = double(find) / 1024;
}
BENCHMARK(BM_DiscMemory10000Playlists)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
