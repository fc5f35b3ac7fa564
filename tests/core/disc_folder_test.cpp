#include "core/disc_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::TempDir;

TEST(DiscFolder, NameSets) {
  EXPECT_EQ(nameSet(false).index, "index.bdmv");
  EXPECT_EQ(nameSet(false).movieObject, "MovieObject.bdmv");
  EXPECT_EQ(nameSet(true).index, "INDEX.BDM");
  EXPECT_EQ(nameSet(true).movieObject, "MOVIEOBJ.BDM");
  EXPECT_EQ(nameSet(true).playlistExt, ".MPL");
  EXPECT_EQ(nameSet(true).clipExt, ".CPI");
  EXPECT_EQ(nameSet(true).streamExt, ".MTS");
  EXPECT_EQ(nameSet(false).streamExt, ".m2ts");
}

TEST(DiscFolder, ChosenFolderGetsBdmvAppended) {
  EXPECT_EQ(discFolderFromChosen("/d/Movie"), "/d/Movie/BDMV/");
  EXPECT_EQ(discFolderFromChosen("/d/Movie/"), "/d/Movie/BDMV/");
  EXPECT_EQ(discFolderFromChosen("/d/Movie/BDMV"), "/d/Movie/BDMV/");
  EXPECT_EQ(discFolderFromChosen("/d/Movie/BDMV/"), "/d/Movie/BDMV/");
  EXPECT_EQ(discFolderFromChosen("/"), "/BDMV/");
}

TEST(DiscFolder, FileNamesItsFolder) {
  EXPECT_EQ(folderOfFile("/x/Disc/BDMV/index.bdmv"), "/x/Disc/BDMV/");
  EXPECT_EQ(folderOfFile("/x/menus/a.MNU"), "/x/menus/");
}

TEST(DiscFolder, ArgumentFolderFindsTheBdmvFolder) {
  TempDir d;
  d.write("Disc/BDMV/index.bdmv");
  d.write("Flat/INDEX.BDM");
  EXPECT_EQ(discFolderFromArgument((d.path() / "Disc").string()), d.folder() + "Disc/BDMV/");
  EXPECT_EQ(discFolderFromArgument((d.path() / "Disc/BDMV").string()), d.folder() + "Disc/BDMV/");
  EXPECT_EQ(discFolderFromArgument((d.path() / "Disc/BDMV/index.bdmv").string()), d.folder() + "Disc/BDMV/");
  EXPECT_EQ(discFolderFromArgument((d.path() / "Flat").string()), d.folder() + "Flat/");
}

TEST(DiscFolder, LabelIsTheFolderAboveBdmv) {
  TempDir d;
  d.mkdir("Movie/BDMV");
  const auto never = [](const std::string&) { return std::string("VOLUME"); };
  EXPECT_EQ(discLabel(d.folder() + "Movie/BDMV/", never), "Movie");
  EXPECT_EQ(discLabel(d.folder() + "Movie/", never), "Movie");
}

TEST(DiscFolder, LabelAtAMountRootIsTheVolumeLabelInUpperCase) {
  // "/" is a mount root everywhere.
  const auto label = [](const std::string& root) { return root == "/" ? std::string("my disc") : std::string(); };
  EXPECT_EQ(discLabel("/BDMV/", label), "MY DISC");
  EXPECT_TRUE(isMountRoot("/"));
  TempDir d;
  EXPECT_FALSE(isMountRoot(d.path().string()));
}

TEST(DiscFolder, ListNamesKeepsMatchingFilesOnly) {
  TempDir d;
  d.write("PLAYLIST/00000.mpls");
  d.write("PLAYLIST/00001.mpls");
  d.write("PLAYLIST/.hidden.mpls");
  d.write("PLAYLIST/00002.MPLS");
  d.write("PLAYLIST/notes.txt");
  d.mkdir("PLAYLIST/dir.mpls");
  std::vector<std::string> seen;
  auto names = listNames(d.folder() + "PLAYLIST", ".mpls", [&](const std::string& f) { seen.push_back(f); });
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".hidden", "00000", "00001"}));
  EXPECT_EQ(seen.size(), 3u);
  auto all = listNames(d.folder() + "PLAYLIST", "");
  EXPECT_EQ(all.size(), 5u);
  EXPECT_TRUE(listNames(d.folder() + "missing", ".mpls").empty());
  EXPECT_TRUE(listNames("", ".mpls").empty());
}

}  // namespace
}  // namespace mirdal
