// Files the check cannot use: each becomes one finding, and the check goes on
// with the rest of the disc as if the file said nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "check/check_disc.h"
#include "tests/support/clean_disc.h"
#include "tests/support/temp_dir.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> unreadableLintLines(const std::string& folder, const std::vector<std::string>& menus = {}) {
  DiscReadOptions o;
  o.menuFiles = menus;
  std::vector<std::string> lines;
  for (const Finding& f : checkDisc(readDiscFiles(folder, o)).findings) lines.push_back(findingLine(f));
  return lines;
}

void overwrite(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

using namespace std::string_literals;

struct Damage {
  const char* file;     // under BDMV/
  std::string bytes;    // what the file holds instead; empty: removed
  const char* finding;  // the one finding
};

const std::vector<Damage> kDamages = {
    {"index.bdmv", "", "error FILE-UNREADABLE index.bdmv: index.bdmv could not be read: it does not exist"},
    {"MovieObject.bdmv", "MOBJ0400",
     "error FILE-UNREADABLE MovieObject.bdmv: MovieObject.bdmv could not be read: its header is not one of this file "
     "kind (type and version \"MOBJ0400\")"},
    {"PLAYLIST/00000.mpls", "garbage",
     "error FILE-UNREADABLE 00000.mpls: 00000.mpls could not be read: its header is not one of this file kind (type "
     "and version \"garbage\")"},
    {"PLAYLIST/00001.mpls", "MPLS0200\0\0"s, "error FILE-UNREADABLE 00001.mpls: 00001.mpls could not be read: it ends early at $0000000A"},
    {"CLIPINF/00001.clpi", "HDMV0200", "error FILE-UNREADABLE 00001.clpi: 00001.clpi could not be read: it ends early at $00000008"},
    {"AUXDATA/sound.bdmv", "BCLK0100", "error FILE-UNREADABLE sound.bdmv: sound.bdmv could not be read: it ends early at $00000008"},
};

class DamagedFile : public testing::TestWithParam<Damage> {};

TEST_P(DamagedFile, IsOneFindingAndTheCheckGoesOn) {
  test::TempDir dir;
  test::CleanDisc disc;
  const std::string folder = disc.write(dir.path());
  const Damage& d = GetParam();
  if (d.bytes.empty()) fs::remove(fs::path(folder) / d.file);
  else overwrite(fs::path(folder) / d.file, d.bytes);
  EXPECT_EQ(unreadableLintLines(folder), std::vector<std::string>{d.finding});
}

INSTANTIATE_TEST_SUITE_P(EachKind, DamagedFile, testing::ValuesIn(kDamages), [](const testing::TestParamInfo<Damage>& i) {
  std::string n = fs::path(i.param.file).filename().string();
  for (char& c : n)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return n;
});

// Every fuzz seed of the disc files' readers in place of its file of the
// clean disc: the check returns, whatever the seed holds.
struct SeedPlace {
  const char* corpus;  // fuzz/corpus/<corpus>
  const char* file;    // under BDMV/; empty: given as a .mnu
};

TEST(DamagedFile, FuzzSeedsNeverStopTheCheck) {
  const std::vector<SeedPlace> places = {{"mpls", "PLAYLIST/00000.mpls"},       {"clpi", "CLIPINF/00000.clpi"},
                                         {"index", "index.bdmv"},               {"movie_objects", "MovieObject.bdmv"},
                                         {"sound", "AUXDATA/sound.bdmv"},       {"menu_segments", ""}};
  test::TempDir dir;
  test::CleanDisc disc;
  const std::string folder = disc.write(dir.path());
  std::size_t seeds = 0;
  for (const SeedPlace& p : places) {
    const fs::path corpus = fs::path(MIRDAL_SOURCE_DIR) / "fuzz/corpus" / p.corpus;
    const fs::path target = p.file[0] ? fs::path(folder) / p.file : dir.path() / "seed.mnu";
    const fs::path keep = dir.path() / "kept";
    if (p.file[0]) fs::copy_file(target, keep, fs::copy_options::overwrite_existing);
    for (const auto& e : fs::directory_iterator(corpus)) {
      fs::copy_file(e.path(), target, fs::copy_options::overwrite_existing);
      const std::vector<std::string> lines = unreadableLintLines(folder, p.file[0] ? std::vector<std::string>{} : std::vector<std::string>{target.string()});
      ++seeds;
      SUCCEED() << e.path() << ": " << lines.size() << " findings";
    }
    if (p.file[0]) fs::copy_file(keep, target, fs::copy_options::overwrite_existing);
  }
  EXPECT_GT(seeds, 20u);
}

}  // namespace
}  // namespace mirdal
