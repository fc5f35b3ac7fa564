// The Read of a large disc folder: 3,000 playlists and 3,000 clips with
// (sparse) stream files. Compared with a bare listing of the same folders,
// to show that the time goes to the file system, not to our code.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "documents/disc_read.h"
#include "core/report.h"

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
    benchmark::DoNotOptimize(mirdal::readDisc(ws));
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

}  // namespace
