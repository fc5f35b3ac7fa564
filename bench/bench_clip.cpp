// Stream export and Find, each beside the plain work it rests on:
//  - export of one PID from a 1 GB generated stream, reading the same file
//    in 64 KB reads, and `cat FILE > /dev/null` (all with a warm cache);
//  - Find over 2,000 playlists (quiet reading plus the clip references),
//    beside reading the playlists' bytes alone.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/disc_folder.h"
#include "core/save.h"
#include "formats/find_tool.h"
#include "formats/mpls.h"
#include "formats/mpls_edit.h"
#include "stream/demux.h"
#include "tests/support/ts_builder.h"

namespace fs = std::filesystem;
using namespace mirdal;

namespace {

constexpr std::uint64_t kStreamBytes = 1ull << 30;

// 1 GB of source packets: a video PID of unbounded PES packets, two audio
// PIDs, a PG PID and null packets, a 1 MB pattern written over and over.
const std::string& streamFile() {
  static const std::string path = [] {
    const fs::path p = fs::temp_directory_path() / "mirdal-bench-1g.m2ts";
    std::error_code ec;
    if (fs::exists(p, ec) && fs::file_size(p, ec) >= kStreamBytes) return p.string();
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
    const Bytes& chunk = ts.data();
    const std::size_t whole = chunk.size() / 192 * 192;
    int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (std::uint64_t done = 0; done < kStreamBytes; done += whole)
      if (::write(fd, chunk.data(), whole) < 0) break;
    ::close(fd);
    return p.string();
  }();
  return path;
}

void BM_ExportOnePid(benchmark::State& state) {
  const std::string& in = streamFile();
  const std::string out = (fs::temp_directory_path() / "mirdal-bench-1100.aus").string();
  for (auto _ : state) {
    DemuxOptions o;
    o.pid = 0x1100;
    o.progress = false;
    SourcePacketReader r;
    r.open(in, nullptr);
    FileSink sink;
    sink.create(out);
    benchmark::DoNotOptimize(Demux(r, sink, o).pidPackets);
    sink.close();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fs::file_size(in)));
  fs::remove(out);
}
BENCHMARK(BM_ExportOnePid)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Read64KB(benchmark::State& state) {
  const std::string& in = streamFile();
  std::vector<char> buf(64 * 1024);
  for (auto _ : state) {
    int fd = ::open(in.c_str(), O_RDONLY);
    std::uint64_t total = 0;
    ssize_t n;
    while ((n = ::read(fd, buf.data(), buf.size())) > 0) total += std::uint64_t(n);
    ::close(fd);
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fs::file_size(in)));
}
BENCHMARK(BM_Read64KB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CatToDevNull(benchmark::State& state) {
  const std::string cmd = "cat '" + streamFile() + "' > /dev/null";
  for (auto _ : state) benchmark::DoNotOptimize(std::system(cmd.c_str()));
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fs::file_size(streamFile())));
}
BENCHMARK(BM_CatToDevNull)->Unit(benchmark::kMillisecond)->Iterations(3);

// A disc folder of 2,000 playlists of 60 PlayItems and one SubPath each,
// over 2,000 clips of which every other one has its stream file.
constexpr int kPlaylists = 2000;
constexpr int kItems = 60;

const DiscState& findDisc() {
  static const DiscState disc = [] {
    const fs::path root = fs::temp_directory_path() / "mirdal-bench-find" / "BDMV";
    DiscState d;
    d.folder = root.string() + "/";
    char name[16];
    for (int i = 0; i < kPlaylists; ++i) {
      std::snprintf(name, sizeof name, "%05d", i);
      d.playlists.push_back(name);
      d.clips.push_back(name);
    }
    if (fs::exists(root / "PLAYLIST" / "01999.mpls")) return d;
    fs::create_directories(root / "PLAYLIST");
    fs::create_directories(root / "STREAM");
    for (int i = 0; i < kPlaylists; ++i) {
      TMPLS m;
      for (int k = 0; k < kItems; ++k) {
        TPlayItem p;
        std::snprintf(name, sizeof name, "%05d", (i * kItems + k) % kPlaylists);
        p.clip_name = name;
        p.stn.primary_video.resize(1);
        p.stn.primary_audio.resize(2);
        m.playlist.items.push_back(p);
      }
      TSubPath sp;
      sp.type = 3;
      sp.items.resize(1);
      sp.items[0].clip_name = "00001";
      m.playlist.subpaths = {sp};
      fitLayout(m);
      std::snprintf(name, sizeof name, "%05d", i);
      std::string error;
      writeFileAtomic((root / "PLAYLIST" / (std::string(name) + ".mpls")).string(), composeMPLS(m), &error);
      if (i % 2 == 0) writeFileAtomic((root / "STREAM" / (std::string(name) + ".m2ts")).string(), {}, &error);
    }
    return d;
  }();
  return disc;
}

void BM_FindClipReferences(benchmark::State& state) {
  DiscState disc = findDisc();
  for (auto _ : state) benchmark::DoNotOptimize(findClipReferences(disc, nameSet(false)));
  std::size_t refs = 0;
  for (const auto& r : disc.ciRefs) refs += r.size();
  state.counters["references"] = double(refs);
}
BENCHMARK(BM_FindClipReferences)->Unit(benchmark::kMillisecond);

void BM_FindReadBytesOnly(benchmark::State& state) {
  const DiscState& disc = findDisc();
  for (auto _ : state) {
    std::size_t bytes = 0;
    for (const std::string& p : disc.playlists) {
      Bytes b;
      readFileBytes(disc.folder + "PLAYLIST/" + p + ".mpls", b);
      bytes += b.size();
    }
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_FindReadBytesOnly)->Unit(benchmark::kMillisecond);

}  // namespace
