#include "core/temp_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::TempDir;

TEST(TempFiles, OnlyFilesNamedMirdalUnderscoreGo) {
  TempDir d;
  d.write("Mirdal_MENU.tmp", "m");
  d.write("Mirdal_menu_resource.tmp", "r");
  d.write("Mirdal_", "");
  d.write("mirdal_lower.tmp", "x");
  d.write("Other.tmp", "x");
  d.write("XMirdal_.tmp", "x");
  d.mkdir("Mirdal_folder");
  d.write("Mirdal_folder/inside", "x");
  std::filesystem::create_symlink(d.path() / "Other.tmp", d.path() / "Mirdal_link");

  EXPECT_EQ(deleteTempFiles(d.folder()), 4);
  for (const char* gone : {"Mirdal_MENU.tmp", "Mirdal_menu_resource.tmp", "Mirdal_", "Mirdal_link"})
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(d.path() / gone))) << gone;
  for (const char* kept : {"mirdal_lower.tmp", "Other.tmp", "XMirdal_.tmp", "Mirdal_folder/inside"})
    EXPECT_TRUE(d.exists(kept)) << kept;
}

TEST(TempFiles, MissingFolderIsNoError) { EXPECT_EQ(deleteTempFiles("/nonexistent-mirdal-folder/"), 0); }

TEST(TempFiles, PathsLieInTheTemporaryFolder) {
  const std::string folder = tempFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_EQ(tempFilePath(kMenuTemp), folder + "Mirdal_MENU.tmp");
}

}  // namespace
}  // namespace mirdal
