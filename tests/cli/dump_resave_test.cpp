// mirdal-cli dump and resave, run as a user runs them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "core/fields.h"
#include "support/bdmv_files.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::TempDir;

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string quote(const std::string& s) { return "'" + s + "'"; }

CliRun run(const std::string& args) {
  TempDir d;
  const std::string errFile = (d.path() / "err").string();
  const std::string cmd = std::string(MIRDAL_CLI) + " " + args + " 2>" + quote(errFile);
  CliRun r;
  FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  const int st = ::pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  const auto e = d.read("err");
  r.err.assign(e.begin(), e.end());
  return r;
}

const test::IndexEntryBytes kOff{1, 0, 0, 0xFFFF, ""};

Bytes sampleIndex() {
  return test::indexFile("0200", {1, 0, 1, 2, ""}, kOff, {{1, 0, 0, 1, ""}, {2, 2, 1, 0, "00001"}},
                         test::extensionData({{0x1000, 0x0100, {1, 2, 3}}}), "Provider")
      .data();
}

Bytes sampleMovieObjects() {
  return test::movieObjectFile("0100", {{0xA000, {{0x21810000, 1, 0}}}, {0, {}}}).data();
}

TEST(CliDump, IndexAsTables) {
  TempDir d;
  // The kind is told by the content, not by the name.
  d.write("whatever.bin", sampleIndex());
  const CliRun r = run("dump " + quote((d.path() / "whatever.bin").string()));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "whatever.bin: INDX version 0200\n"
            "Content: Provider\n"
            "First Playback: on  HDMV  Interactive  object 2\n"
            "Top Menu: off\n"
            "2 + 1 titles\n"
            "No.  object t.  title search  playback t.  OID/file\n"
            "001  HDMV       Permitted     Movie        1\n"
            "002  BD-J       Prohibited1   Interactive  00001\n"
            "ExtensionData: 1 entry, 27 bytes\n"
            "       ID1   ID2   start     length\n"
            "  000  1000  0100  00000018  00000003\n");
  EXPECT_EQ(r.err, "");
}

TEST(CliDump, MovieObjectsWithCommands) {
  TempDir d;
  d.write("MovieObject.bdmv", sampleMovieObjects());
  const CliRun r = run("dump " + quote((d.path() / "MovieObject.bdmv").string()));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "MovieObject.bdmv: MOBJ version 0100\n"
            "2 objects\n"
            "No.  resume   menu call  title search  commands\n"
            "000  suspend  enable     disable       1\n"
            "001  discard  enable     enable        0\n"
            "ExtensionData: no ExtensionData()\n"
            "\n"
            "Object 000:\n"
            "  0000  [21810000,00000001 ,00000000]  Jump Title 1\n");
}

TEST(CliDump, JsonOfEachKind) {
  TempDir d;
  d.write("i", sampleIndex());
  d.write("m", sampleMovieObjects());
  const CliRun ri = run("dump --json " + quote((d.path() / "i").string()));
  ASSERT_EQ(ri.status, 0) << ri.err;
  const auto ji = nlohmann::json::parse(ri.out);
  EXPECT_EQ(ji["indexes_start_address"], 78);
  EXPECT_EQ(ji["content_provider_data"], "Provider");
  EXPECT_EQ(ji["indexes"]["number_of_titles"], 2);
  EXPECT_EQ(ji["indexes"]["titles"][1]["bdj_object_name"], "00001");
  EXPECT_EQ(ji["indexes"]["titles"][1]["access_type"], 2);
  EXPECT_EQ(ji["indexes"]["first_playback"]["movie_object_reference"], 2);
  EXPECT_EQ(ji["extension_data"]["entries"][0]["id1"], 0x1000);
  EXPECT_EQ(ji["extension_data"]["data"], "010203");

  const CliRun rm = run("dump --json " + quote((d.path() / "m").string()));
  ASSERT_EQ(rm.status, 0) << rm.err;
  const auto jm = nlohmann::json::parse(rm.out);
  EXPECT_EQ(jm["version_number"], "0100");
  EXPECT_EQ(jm["movie_objects"]["objects"][0]["resume_intention_flag"], 1);
  EXPECT_EQ(jm["movie_objects"]["objects"][0]["title_search_mask"], 1);
  EXPECT_EQ(jm["movie_objects"]["objects"][0]["commands"][0]["opcode"], 0x21810000u);

  const CliRun rb = run("dump --json " + quote(std::string(MIRDAL_SOURCE_DIR) + "/samples/disc/BDMV/BDJO/00001.bdjo"));
  ASSERT_EQ(rb.status, 0) << rb.err;
  const auto jb = nlohmann::json::parse(rb.out);
  EXPECT_EQ(jb["application_management_table"]["applications"].size(), 2u);
  EXPECT_EQ(jb["application_management_table"]["applications"][0]["parameters"][0], "menu=main");
  EXPECT_EQ(jb["key_interest"][0], "Play");
}

TEST(CliDump, BdjoTables) {
  const CliRun r = run("dump " + quote(std::string(MIRDAL_SOURCE_DIR) + "/samples/disc/BDMV/BDJO/00001.bdjo"));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("TableOfAccessiblePlayLists: Acces to all No, Autostart first PL Yes\n"), std::string::npos);
  EXPECT_NE(r.out.find("  1  eng   Game\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("KeyInterestTable: Play Stop FFW REW Next Prev. Pause\n"), std::string::npos);
}

TEST(CliResave, RoundTripsByteForByte) {
  TempDir d;
  for (const auto& [name, bytes] : std::vector<std::pair<std::string, Bytes>>{
           {"index.bdmv", sampleIndex()}, {"MovieObject.bdmv", sampleMovieObjects()}}) {
    d.write(name, bytes);
    const std::string out = (d.path() / ("out-" + name)).string();
    const CliRun r = run("resave " + quote((d.path() / name).string()) + " -o " + quote(out));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(d.read("out-" + name), bytes);
    // The log is diagnostics: standard output stays empty.
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Reading " + name + "\n  Found 2 " + (name == "index.bdmv" ? "titles, 1" : "objects, 0") +
                         " extended entry.\nSaving out-" + name + "\nout-" + name + " saved.\n");
    EXPECT_FALSE(d.exists("out-" + name + ".backup")) << "no backup step with -o";
  }
}

TEST(CliFiles, RejectedAndUnknownFiles) {
  TempDir d;
  d.write("bad", test::ByteBuilder().str("INDX0400").zeros(40));
  Bytes cut = sampleMovieObjects();
  cut.resize(60);
  d.write("cut", cut);
  d.write("text", std::string("hello world"));
  const std::string bad = quote((d.path() / "bad").string());
  const std::string out = quote((d.path() / "out").string());

  struct Case {
    std::string args;
    int status;
    std::string inOut, inErr;
  };
  const std::vector<Case> cases = {
      // Error lines go to standard error, the rest of the log stays.
      {"resave " + bad + " -o " + out, 1, "",
       "Reading bad\nERROR: bad format error at $00000008\n"},
      {"dump " + bad, 1, "", "ERROR: bad format error at $00000008\n"},
      {"resave " + quote((d.path() / "cut").string()) + " -o " + out, 1, "", "Reading cut\nERROR: cut ends early at $0000003C"},
      {"dump " + quote((d.path() / "text").string()), 1, "", "not an index, movie object, BD-J object, playlist, clip, sound or menu file"},
      {"dump " + quote((d.path() / "missing").string()), 1, "", "no such file"},
      {"resave " + bad, 2, "", "--output is required"},
      {"dump", 2, "", "file is required"},
  };
  for (const Case& c : cases) {
    const CliRun r = run(c.args);
    EXPECT_EQ(r.status, c.status) << c.args;
    EXPECT_NE(r.out.find(c.inOut), std::string::npos) << c.args << "\n" << r.out;
    EXPECT_NE(r.err.find(c.inErr), std::string::npos) << c.args << "\n" << r.err;
  }
  EXPECT_FALSE(d.exists("out")) << "a rejected file is never written";
}

}  // namespace
}  // namespace mirdal

namespace mirdal {
namespace {

namespace fs = std::filesystem;

// A file read with errors, of every kind (the sample disc's files cut to
// half their length): dump shows what was read, says why on standard error
// and exits 1; resave writes nothing unless --force, which writes what was
// read as a file that reads whole.
TEST(CliFiles, EveryKindReadWithErrors) {
  const fs::path disc = fs::path(MIRDAL_SOURCE_DIR) / "samples/disc";
  struct Case {
    const char* file;
    int forced;  // exit status of resave --force
    const char* forcedErr;
  };
  const Case cases[] = {
      {"BDMV/index.bdmv", 0, ""},
      {"BDMV/MovieObject.bdmv", 0, ""},
      {"BDMV/AUXDATA/sound.bdmv", 0, ""},
      {"BDMV/PLAYLIST/00000.mpls", 0, ""},
      {"BDMV/CLIPINF/00000.clpi", 0, ""},
      {"BDMV/BDJO/00001.bdjo", 1, "read only"},
      {"menu/sample.mnu", 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    TempDir d;
    const fs::path from = disc / c.file;
    Bytes bytes;
    ASSERT_TRUE(readFileBytes(from.string(), bytes));
    bytes.resize(bytes.size() / 2);
    const fs::path name = fs::path(c.file).filename();
    d.write(name.string(), bytes);
    const std::string in = quote((d.path() / name).string());
    const std::string out = quote((d.path() / "out").string());

    const CliRun dump = run("dump " + in);
    EXPECT_EQ(dump.status, 1);
    EXPECT_NE(dump.out.find(name.string()), std::string::npos) << "what was read is shown\n" << dump.out;
    EXPECT_NE(dump.err.find("ERROR: "), std::string::npos) << dump.err;

    const CliRun refused = run("resave " + in + " -o " + out);
    EXPECT_EQ(refused.status, 1);
    EXPECT_FALSE(d.exists("out"));
    if (std::string(c.forcedErr) != "read only") {
      EXPECT_NE(refused.err.find("was read with errors; nothing written (--force"), std::string::npos) << refused.err;
    }

    const CliRun forced = run("resave --force " + in + " -o " + out);
    EXPECT_EQ(forced.status, c.forced) << forced.err;
    EXPECT_NE(forced.err.find(c.forcedErr), std::string::npos) << forced.err;
    if (c.forced == 0) {
      EXPECT_EQ(run("dump " + out).status, 0) << "the forced file reads whole";
    } else {
      EXPECT_FALSE(d.exists("out"));
    }
  }
}

// What the reader says about a file comes on standard error in every
// command that reads it: a segment of a kind the menu reader does not know
// is told by dump as by resave, and an error line never ends in exit 0.
TEST(CliFiles, ReaderMessagesReachStandardErrorInEveryCommand) {
  Bytes menu;
  ASSERT_TRUE(readFileBytes(std::string(MIRDAL_SOURCE_DIR) + "/samples/disc/menu/sample.mnu", menu));
  // A segment of type 0x81 before the closing END segment.
  const Bytes odd = {'I', 'G', 0, 0, 0, 0, 0, 0, 0, 0, 0x81, 0, 2, 0xAB, 0xCD};
  ASSERT_EQ(menu[menu.size() - 3], 0x80);
  menu.insert(menu.end() - 13, odd.begin(), odd.end());
  TempDir d;
  d.write("odd.mnu", menu);
  const std::string in = quote((d.path() / "odd.mnu").string());
  const CliRun resave = run("resave " + in + " -o " + quote((d.path() / "out.mnu").string()));
  const CliRun dump = run("dump " + in);
  const CliRun json = run("dump --json " + in);
  // Every line resave's read said about the segment, dump says too.
  std::size_t said = 0;
  for (std::size_t at = 0, end; (end = resave.err.find('\n', at)) != std::string::npos; at = end + 1) {
    const std::string line = resave.err.substr(at, end - at);
    if (line.find("$81") == std::string::npos) continue;
    ++said;
    EXPECT_NE(dump.err.find(line), std::string::npos) << line << "\n" << dump.err;
    EXPECT_NE(json.err.find(line), std::string::npos) << line << "\n" << json.err;
  }
  EXPECT_GT(said, 0u) << resave.err;
  for (const CliRun* r : {&resave, &dump, &json})
    if (r->err.find("ERROR:") != std::string::npos) {
      EXPECT_NE(r->status, 0) << r->err;
    }
  EXPECT_NE(dump.out.find("odd.mnu"), std::string::npos) << "the menu is still shown";
}

// The same file read whole: nothing on standard error for dump, and the
// read's progress lines never on standard output of any command.
TEST(CliFiles, DiagnosticsNeverOnStandardOutput) {
  const std::string playlist = quote(std::string(MIRDAL_SOURCE_DIR) + "/samples/disc/BDMV/PLAYLIST/00000.mpls");
  TempDir d;
  const CliRun dump = run("dump " + playlist);
  EXPECT_EQ(dump.status, 0);
  EXPECT_EQ(dump.err, "");
  for (const std::string& args : {"resave " + playlist + " -o " + quote((d.path() / "o.mpls").string()),
                                  "chapters export " + playlist}) {
    const CliRun r = run(args);
    EXPECT_EQ(r.status, 0) << args << "\n" << r.err;
    EXPECT_EQ(r.out.find("Reading"), std::string::npos) << args << "\n" << r.out;
    EXPECT_NE(r.err.find("Reading 00000.mpls"), std::string::npos) << args << "\n" << r.err;
  }
}

}  // namespace
}  // namespace mirdal
