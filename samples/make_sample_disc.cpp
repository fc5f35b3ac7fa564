// Writes the sample disc folder that `make run` opens: samples/disc/BDMV/...
// Every file is composed field by field with the engine's output buffer.
//
//   make-sample-disc <folder>      (the folder that receives BDMV/)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/fields.h"

namespace fs = std::filesystem;
using mirdal::Bytes;
using mirdal::OutputBuffer;

namespace {

fs::path root;

void put(const std::string& rel, const Bytes& bytes) {
  const fs::path p = root / "BDMV" / rel;
  fs::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void put(const std::string& rel, const std::string& text) { put(rel, Bytes(text.begin(), text.end())); }

// index.bdmv: First Playback -> object 0, Top Menu -> object 1, titles
// 1 and 2 -> objects 2 and 3.
Bytes indexFile() {
  OutputBuffer o;
  const int titles = 2;
  o.addstring("INDX", 4);
  o.addstring("0200", 4);
  o.addlong(78);  // Indexes start address
  o.addlong(0);   // no ExtensionData
  for (int i = 0; i < 24; ++i) o.addbyte(0);
  o.addlong(34);  // AppInfoBDMV length
  o.addword(0);
  o.addstring("Mirdal sample disc", 32);
  o.addlong(18 + 12 * titles);  // Indexes length
  auto hdmvEntry = [&](int objectType, int playbackType, int object) {
    o.addlong(std::uint32_t(objectType) << 30);
    o.addword(std::uint32_t(playbackType) << 14);
    o.addword(std::uint32_t(object));
    o.addlong(0);
  };
  hdmvEntry(1, 0, 0);  // First Playback
  hdmvEntry(1, 1, 1);  // Top Menu
  o.addword(titles);
  hdmvEntry(1, 0, 2);
  hdmvEntry(1, 0, 3);
  o.flushadded();
  return o.takeFile();
}

// MovieObject.bdmv: four objects with small programs.
Bytes movieObjectFile() {
  struct Cmd {
    std::uint32_t op, dst, src;
  };
  const std::vector<std::vector<Cmd>> programs = {
      {{0x21810000, 1, 0}},                                            // Jump Title 1
      {{0x50400001, 0, 1}, {0x22800000, 0, 0}},                        // Move GPR0, 1; Play PL 0
      {{0x22800000, 1, 0}, {0x21810000, 2, 0}},                        // Play PL 1; Jump Title 2
      {{0x50400001, 1, 5}, {0x50000003, 1, 1}, {0x48400200, 1, 10}, {0x00020000, 0, 0}},
  };
  std::uint32_t bodyLength = 6;
  for (const auto& p : programs) bodyLength += 4 + 12 * std::uint32_t(p.size());

  OutputBuffer o;
  o.addstring("MOBJ", 4);
  o.addstring("0200", 4);
  o.addlong(0);  // no ExtensionData
  for (int i = 0; i < 28; ++i) o.addbyte(0);
  o.addlong(bodyLength);
  o.addlong(0);
  o.addword(std::uint32_t(programs.size()));
  for (const auto& p : programs) {
    o.addword(0);  // flags: resume discard, menu call and title search enabled
    o.addword(std::uint32_t(p.size()));
    for (const Cmd& c : p) {
      o.addlong(c.op);
      o.addlong(c.dst);
      o.addlong(c.src);
    }
  }
  o.flushadded();
  return o.takeFile();
}

// A playlist or clip file header with empty sections; the playlist and clip
// readers replace these with full files.
Bytes emptyDatabaseFile(const char* type) {
  OutputBuffer o;
  o.addstring(type, 4);
  o.addstring("0200", 4);
  for (int i = 0; i < 32; ++i) o.addbyte(0);
  o.flushadded();
  return o.takeFile();
}

// A stream of source packets holding only null packets (PID 0x1FFF).
Bytes nullStream(int packets) {
  OutputBuffer o;
  for (int i = 0; i < packets; ++i) {
    o.addlong(std::uint32_t(i) * 600);  // arrival time stamp
    o.addbyte(0x47);
    o.addword(0x1FFF);
    o.addbyte(0x10);
    for (int k = 0; k < 184; ++k) o.addbyte(0xFF);
  }
  o.flushadded();
  return o.takeFile();
}

// The smallest valid zip file: an empty end-of-central-directory record.
Bytes emptyJar() {
  Bytes b(22, 0);
  b[0] = 0x50;
  b[1] = 0x4B;
  b[2] = 0x05;
  b[3] = 0x06;
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-sample-disc <folder>\n");
    return 2;
  }
  root = argv[1];
  fs::remove_all(root / "BDMV");

  const Bytes index = indexFile();
  const Bytes objects = movieObjectFile();
  put("index.bdmv", index);
  put("MovieObject.bdmv", objects);
  put("BACKUP/index.bdmv", index);
  put("BACKUP/MovieObject.bdmv", objects);

  for (const char* name : {"00000", "00001", "00002"}) {
    put(std::string("PLAYLIST/") + name + ".mpls", emptyDatabaseFile("MPLS"));
    put(std::string("CLIPINF/") + name + ".clpi", emptyDatabaseFile("HDMV"));
    put(std::string("BACKUP/PLAYLIST/") + name + ".mpls", emptyDatabaseFile("MPLS"));
    put(std::string("BACKUP/CLIPINF/") + name + ".clpi", emptyDatabaseFile("HDMV"));
  }
  // Clip 00002 has no stream file: the Read reports it missing.
  put("STREAM/00000.m2ts", nullStream(32));
  put("STREAM/00001.m2ts", nullStream(16));

  put("META/DL/bdmt_eng.xml",
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<disclib xmlns=\"urn:BDA:bdmv;disclib\"><di:discinfo xmlns:di=\"urn:BDA:bdmv;discinfo\">"
      "<di:title><di:name>Mirdal sample disc</di:name></di:title></di:discinfo></disclib>\n");
  put("JAR/00001.jar", emptyJar());
  std::printf("Sample disc written to %s\n", (root / "BDMV").string().c_str());
  return 0;
}
