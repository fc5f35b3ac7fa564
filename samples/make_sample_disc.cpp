// Writes the sample disc folder that `make run` opens: samples/disc/BDMV/...
// Every file is composed field by field with the engine's output buffer.
//
//   make-sample-disc <folder>      (the folder that receives BDMV/)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "core/fields.h"
#include "sample_menu.h"
#include "sample_clips.h"
#include "sample_playlists.h"
#include "sample_sound.h"

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

// The movie objects' programs, one list of commands per object. Kept apart
// so that richer showcase programs can replace them without touching the
// file layout below.
struct Cmd {
  std::uint32_t op, dst, src;
};
struct ObjectLayout {
  int resume, menuCall, titleSearch;
  std::vector<Cmd> program;
};

std::vector<ObjectLayout> moviePrograms() {
  return {
      {0, 1, 1, {{0x21810000, 1, 0}}},                                      // 0 First Playback: Jump Title 1
      {0, 1, 0, {{0x50400001, 0, 1}, {0x22800000, 0, 0}}},                  // 1 Top Menu: Move GPR0, 1; Play PL 0
      {1, 0, 0, {{0x22800000, 1, 0}, {0x21810000, 2, 0}}},                  // 2 title 1: Play PL 1; Jump Title 2
      {1, 0, 1, {{0x50400001, 1, 5}, {0x50000003, 1, 1}, {0x48400200, 1, 10}, {0x00020000, 0, 0}}},  // 3 title 2
      {0, 0, 0, {{0x22800000, 2, 0}, {0x21810000, 4, 0}}},                  // 4 title 4: Play PL 2; Jump Title 4
      {0, 0, 0, {}},                                                        // 5 spare, no commands
      // 6: the text forms of the command grid: PSR comments with language
      // and country codes, the packed SetSystem operands, forbidden and
      // invalid words; SetButtonPage ends it outside the menu page.
      {0, 0, 0,
       {{0x50400001, 0x80000010, 0x00656E67},   // Move PSR16, "eng"
        {0x50400001, 0x80000011, 0x00667261},   // Move PSR17, "fra"
        {0x50400001, 0x80000013, 0x00004652},   // Move PSR19, "FR"
        {0x50000001, 0x00000004, 0x80000004},   // Move GPR4, PSR4
        {0x51C00001, 0x80058000, 0x80038001},   // SetStream 5, 0, 3, 1
        {0x50400001, 0x00000001, 0x00000002},   // Move GPR1, 2
        {0x51000001, 0x80018002, 0x00038004},   // SetStream GPR1, GPR2, (GPR3), GPR4
        {0x51C00006, 0x80078009, 0x00128FFF},   // SetSecondaryStream 7, 9, (18), 4095
        {0x02030000, 0x00000000, 0x00000000},   // Terminate PL: forbidden in a movie object
        {0x11000008, 0x00000000, 0x00000000},   // Still On: forbidden in a movie object
        {0x00000001, 0x00000000, 0x00000000},   // invalid: a stray bit on NOP
        {0x48800100, 0x00000001, 0x00000002},   // invalid: BC with an immediate destination
        {0x50000010, 0x00000001, 0x00000002},   // invalid: set option 16 has no name
        {0x51C00003, 0x80000001, 0x00000002},   // SetButtonPage 1, (2)
        {0x50400001, 0x00000009, 0x00000001}}},  // not reached
      // 7: a counting loop with compares and arithmetic, then a playlist.
      {1, 0, 0,
       {{0x50400001, 0, 0},            // 0 Move GPR0, 0
        {0x50400001, 1, 0},            // 1 Move GPR1, 0
        {0x50400003, 0, 1},            // 2 Add GPR0, 1
        {0x50000003, 1, 0},            // 3 Add GPR1, GPR0
        {0x48400700, 0, 10},           // 4 LT GPR0, 10
        {0x20810000, 2, 0},            // 5 GoTo 2
        {0x50000001, 2, 1},            // 6 Move GPR2, GPR1   (55)
        {0x50400005, 2, 3},            // 7 Mul GPR2, 3       (165)
        {0x50400001, 3, 100},          // 8 Move GPR3, 100
        {0x50400006, 3, 7},            // 9 Div GPR3, 7       (14)
        {0x50400001, 4, 100},          // 10 Move GPR4, 100
        {0x50400007, 4, 7},            // 11 Mod GPR4, 7      (2)
        {0x50400008, 5, 6},            // 12 Rnd GPR5, 6
        {0x5040000C, 6, 4},            // 13 Bit Set GPR6, 4  (16)
        {0x50400004, 7, 1},            // 14 Sub GPR7, 1      (4294967295)
        {0x50000002, 3, 4},            // 15 Swap GPR3, GPR4
        {0x48400400, 1, 50},           // 16 GE GPR1, 50
        {0x42C10000, 1, 0},            // 17 Play PL_PI 1, 0
        {0x21810000, 1, 0}}},          // 18 Jump Title 1
      // 8: an endless loop: Start runs until the trace option is switched
      // on; with it, each Start executes one line.
      {0, 0, 0, {{0x50400003, 20, 1}, {0x20810000, 0, 0}}},
  };
}

// index.bdmv: First Playback -> object 0, Top Menu -> object 1, five
// titles (HDMV and BD-J, every access type), and an ExtensionData block
// with two entries.
struct TitleLayout {
  int objectType, accessType, playbackType;
  int object;        // HDMV
  const char* bdjo;  // BD-J
};

void addEntry(OutputBuffer& o, int objectType, int accessType, int playbackType, int object,
              const char* bdjo) {
  o.addU32((std::uint32_t(objectType) << 30) | (std::uint32_t(accessType) << 28));
  o.addU16(std::uint32_t(playbackType) << 14);
  if (objectType == 1) {
    o.addU16(std::uint32_t(object));
    o.addU32(0);
  } else {
    o.addString(bdjo, 5);
    o.addU8(0);
  }
}

Bytes indexFile() {
  const std::vector<TitleLayout> titles = {
      {1, 0, 0, 2, ""}, {1, 2, 0, 3, ""}, {2, 0, 1, 0, "00001"}, {1, 3, 1, 4, ""}, {2, 0, 0, 0, "00001"},
  };
  // Two ExtensionData entries whose data blocks follow the entry table.
  const std::string first = "Mirdal sample ExtensionData entry one";
  const Bytes second = {0x00, 0x01, 0x02, 0x03, 0x0A, 0x0D, 0x41, 0x42, 0x43, 0xFF};
  const std::uint32_t table = 12 + 12 * 2;
  const std::uint32_t extLength = table - 4 + std::uint32_t(first.size() + second.size());

  OutputBuffer o;
  const std::uint32_t indexesLength = 26 + 12 * std::uint32_t(titles.size());
  o.addString("INDX", 4);
  o.addString("0200", 4);
  o.addU32(78);                      // Indexes start address
  o.addU32(78 + 4 + indexesLength);  // ExtensionData start address
  for (int i = 0; i < 24; ++i) o.addU8(0);
  o.addU32(34);  // AppInfoBDMV length
  o.addU16(0);
  o.addString("Mirdal sample disc", 32);
  o.addU32(indexesLength);
  addEntry(o, 1, 0, 0, 0, "");  // First Playback
  addEntry(o, 1, 0, 1, 1, "");  // Top Menu
  o.addU16(std::uint32_t(titles.size()));
  for (const TitleLayout& t : titles) addEntry(o, t.objectType, t.accessType, t.playbackType, t.object, t.bdjo);

  o.addU32(extLength);
  o.addU32(table);
  o.addU24(0);
  o.addU8(2);
  o.addU16(0x1000);
  o.addU16(0x0100);
  o.addU32(table);
  o.addU32(std::uint32_t(first.size()));
  o.addU16(0x2000);
  o.addU16(0x0200);
  o.addU32(table + std::uint32_t(first.size()));
  o.addU32(std::uint32_t(second.size()));
  o.addString(first, first.size());
  o.addBytes(second);
  o.flushAdded();
  return o.takeFile();
}

// MovieObject.bdmv with the programs above.
Bytes movieObjectFile() {
  const std::vector<ObjectLayout> objects = moviePrograms();
  std::uint32_t bodyLength = 6;
  for (const auto& ob : objects) bodyLength += 4 + 12 * std::uint32_t(ob.program.size());

  OutputBuffer o;
  o.addString("MOBJ", 4);
  o.addString("0200", 4);
  o.addU32(0);  // no ExtensionData
  for (int i = 0; i < 28; ++i) o.addU8(0);
  o.addU32(bodyLength);
  o.addU32(0);
  o.addU16(std::uint32_t(objects.size()));
  for (const auto& ob : objects) {
    o.addU16(std::uint32_t(ob.resume * 4 + ob.menuCall * 2 + ob.titleSearch) << 13);
    o.addU16(std::uint32_t(ob.program.size()));
    for (const Cmd& c : ob.program) {
      o.addU32(c.op);
      o.addU32(c.dst);
      o.addU32(c.src);
    }
  }
  o.flushAdded();
  return o.takeFile();
}

// BDJO/00001.bdjo: two applications of JAR 00001 with profiles, names and
// parameters. Texts that end at an odd position are followed by one byte so
// that the next field starts at an even one.
void padEven(OutputBuffer& o) {
  if (o.fillCount() % 2) o.addU8(0);
}

void addText8(OutputBuffer& o, const std::string& s) {
  o.addU8(std::uint32_t(s.size()));
  o.addString(s, s.size());
}

struct AppLayout {
  int controlCode;
  std::uint16_t appId;
  int priority;
  std::vector<std::pair<std::string, std::string>> names;  // language, name
  std::string initialClass;
  std::vector<std::string> parameters;
};

void addApplication(OutputBuffer& o, const AppLayout& a) {
  o.addU8(std::uint32_t(a.controlCode));
  o.addU8(0x10);  // application type 1 in the high 4 bits
  o.addU32(0x7FFF0001);  // organization id
  o.addU16(a.appId);
  o.addU8(0x00);  // descriptor tag
  o.addU8(0);
  o.addU32(0);  // descriptor length, not used by the reader
  o.addU32(0);
  o.addU16(2u << 12);  // two profiles
  o.addU16(0x0001);
  o.addU8(1), o.addU8(0), o.addU8(2), o.addU8(0);
  o.addU16(0x0002);
  o.addU8(2), o.addU8(0), o.addU8(0), o.addU8(0);
  o.addU8(std::uint32_t(a.priority));
  o.addU8(0x70);  // binding 1, visibility bits 11
  std::uint32_t namesLength = 0;
  for (const auto& n : a.names) namesLength += 4 + std::uint32_t(n.second.size());
  o.addU16(namesLength);
  for (const auto& n : a.names) {
    o.addString(n.first, 3);
    addText8(o, n.second);
  }
  padEven(o);
  addText8(o, "");  // icon locator
  padEven(o);
  o.addU16(0);  // icon flags
  addText8(o, "00001");  // base directory
  padEven(o);
  addText8(o, "");  // class path extension
  padEven(o);
  addText8(o, a.initialClass);
  padEven(o);
  std::uint32_t paramsLength = 0;
  for (const auto& p : a.parameters) paramsLength += 1 + std::uint32_t(p.size());
  o.addU8(paramsLength);
  for (const auto& p : a.parameters) addText8(o, p);
  padEven(o);
}

Bytes bdjoFile() {
  OutputBuffer o;
  std::uint32_t addr[6] = {0, 0, 0, 0, 0, 0};
  o.addString("BDJO", 4);
  o.addString("0200", 4);
  for (int i = 0; i < 6; ++i) o.addU32(0);  // patched below
  for (int i = 0; i < 16; ++i) o.addU8(0);
  // TerminalInfo: default font "00000", HAVi configuration 1, menu call mask.
  o.addU32(10);
  o.addString("00000", 5);
  o.addU8((1u << 4) | (1u << 3));
  o.addU32(0);
  addr[1] = std::uint32_t(o.fillCount());
  o.addU32(6 + 12 * 2);
  o.addU8(2);
  o.addU8(0);
  o.addU8(1), o.addString("00001", 5), o.addString("*", 3), o.addU24(0);  // JAR file
  o.addU8(2), o.addString("00001", 5), o.addString("*", 3), o.addU24(0);  // its directory
  addr[2] = std::uint32_t(o.fillCount());
  o.addU32(4 + 6 * 2);
  o.addU16((2u << 5) | (1u << 3));  // two playlists, autostart the first
  o.addU16(0);
  o.addString("00000", 5), o.addU8(0);
  o.addString("00001", 5), o.addU8(0);
  addr[3] = std::uint32_t(o.fillCount());
  const std::vector<AppLayout> apps = {
      {1, 0x4000, 5, {{"eng", "Mirdal sample menu"}, {"fra", "Menu"}}, "org.mirdal.sample.MenuXlet",
       {"menu=main", "lang=eng", "debug"}},
      {2, 0x4001, 3, {{"eng", "Game"}}, "org.mirdal.sample.GameXlet", {"level=1"}},
  };
  const std::size_t amtStart = o.fillCount();
  o.addU32(0);  // patched below
  o.addU8(std::uint32_t(apps.size()));
  o.addU8(0);
  for (const AppLayout& a : apps) addApplication(o, a);
  const std::uint32_t amtLength = std::uint32_t(o.fillCount() - amtStart - 4);
  addr[4] = std::uint32_t(o.fillCount());
  o.addU32(0xFE000000);  // Play, Stop, FFW, REW, Next, Prev., Pause
  addr[5] = std::uint32_t(o.fillCount());
  const std::string dir = "00001";
  o.addU16(std::uint32_t(dir.size()));
  o.addString(dir, dir.size());
  padEven(o);
  for (int i = 0; i < 6; ++i) o.putU32(addr[i], 8 + 4 * std::size_t(i));
  o.putU32(amtLength, amtStart);
  o.flushAdded();
  return o.takeFile();
}

// A playlist or clip file header with empty sections; the playlist and clip
// readers replace these with full files.
Bytes emptyDatabaseFile(const char* type) {
  OutputBuffer o;
  o.addString(type, 4);
  o.addString("0200", 4);
  for (int i = 0; i < 32; ++i) o.addU8(0);
  o.flushAdded();
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
  mirdal::samples::writeSamplePlaylists((root / "BDMV").string());
  mirdal::samples::writeSampleClips((root / "BDMV").string());

  put("META/DL/bdmt_eng.xml",
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<disclib xmlns=\"urn:BDA:bdmv;disclib\"><di:discinfo xmlns:di=\"urn:BDA:bdmv;discinfo\">"
      "<di:title><di:name>Mirdal sample disc</di:name></di:title></di:discinfo></disclib>\n");
  put("JAR/00001.jar", emptyJar());
  put("BDJO/00001.bdjo", bdjoFile());
  mirdal::sample::writeSampleMenu(root / "menu" / "sample.mnu");
  put("AUXDATA/sound.bdmv", sampleSoundFile());
  std::printf("Sample disc written to %s\n", (root / "BDMV").string().c_str());
  return 0;
}
