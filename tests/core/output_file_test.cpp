// The output of a long export: what it replaces and what it leaves.
#include "core/output_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

Bytes textBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

unsigned permissionsOf(const fs::path& p) {
  struct stat st {};
  ::stat(p.c_str(), &st);
  return unsigned(st.st_mode & 07777);
}

// What a written file replaces: the file a link names (the link stays), with
// the mode it had; a new file where a dangling link points.
TEST(OutputFile, ReplacesTheFileALinkNamesAndKeepsItsMode) {
  struct Case {
    const char* what;
    const char* written;  // the path written, in the folder
    const char* changed;  // the file that holds the new bytes
    unsigned mode;        // its mode before (0: it did not exist)
  } cases[] = {
      {"a new file", "new.bin", "new.bin", 0},
      {"a file of mode 0600", "private.bin", "private.bin", 0600},
      {"a file of mode 0640", "group.bin", "group.bin", 0640},
      {"a link to a file", "link.bin", "target.bin", 0644},
      {"a dangling link", "dangling.bin", "made.bin", 0},
  };
  TempDir d;
  d.write("private.bin", std::string("old"));
  d.write("group.bin", std::string("old"));
  d.write("target.bin", std::string("old"));
  fs::permissions(d.path() / "private.bin", fs::perms(0600));
  fs::permissions(d.path() / "group.bin", fs::perms(0640));
  fs::permissions(d.path() / "target.bin", fs::perms(0644));
  fs::create_symlink("target.bin", d.path() / "link.bin");
  fs::create_symlink(d.path() / "made.bin", d.path() / "dangling.bin");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string why;
    ASSERT_TRUE(writeOutput(d.folder() + c.written, textBytes("new"), &why)) << why;
    EXPECT_EQ(d.read(c.changed), textBytes("new"));
    if (c.mode) EXPECT_EQ(permissionsOf(d.path() / c.changed), c.mode);
  }
  EXPECT_TRUE(fs::is_symlink(d.path() / "link.bin"));
  EXPECT_TRUE(fs::is_symlink(d.path() / "dangling.bin"));
  EXPECT_EQ(std::distance(fs::directory_iterator(d.path()), {}), 7);
}

// Refused outputs leave nothing behind; an abandoned one leaves the old file.
TEST(OutputFile, RefusesWhatItCannotReplaceAndAbandonsCleanly) {
  TempDir d;
  d.mkdir("folder");
  d.write("old.bin", std::string("old"));
  std::string why;
  EXPECT_FALSE(writeOutput(d.folder() + "folder", textBytes("new"), &why));
  EXPECT_EQ(why, "is a folder");
  EXPECT_FALSE(writeOutput(d.folder() + "no/such/x.bin", textBytes("new"), &why));
  EXPECT_EQ(why, "No such file or directory");
  {
    OutputFile f;
    ASSERT_TRUE(f.open(d.folder() + "old.bin", &why));
    ASSERT_EQ(::write(f.fd(), "new", 3), 3);
    EXPECT_EQ(d.read("old.bin"), textBytes("old"));
    f.abandon();
  }
  EXPECT_EQ(d.read("old.bin"), textBytes("old"));
  EXPECT_EQ(std::distance(fs::directory_iterator(d.path()), {}), 2);
  EXPECT_TRUE(writeOutput("/dev/null", textBytes("new"), &why)) << why;
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// A file the user may not write is not replaced behind its back through the
// folder's permission.
TEST(OutputFile, AReadOnlyFileIsRefused) {
  if (::geteuid() == 0) GTEST_SKIP() << "every file is writable for root";
  TempDir d;
  d.write("ro.bin", std::string("old"));
  fs::permissions(d.path() / "ro.bin", fs::perms(0444));
  std::string why;
  EXPECT_FALSE(writeOutput(d.folder() + "ro.bin", textBytes("new"), &why));
  EXPECT_EQ(why, "Permission denied");
  EXPECT_EQ(d.read("ro.bin"), textBytes("old"));
}

TEST(OutputFile, SameFileFollowsLinks) {
  TempDir d;
  d.write("a.bin", std::string("a"));
  d.write("b.bin", std::string("b"));
  fs::create_symlink("a.bin", d.path() / "l.bin");
  fs::create_hard_link(d.path() / "a.bin", d.path() / "h.bin");
  EXPECT_TRUE(sameFile(d.folder() + "a.bin", d.folder() + "l.bin"));
  EXPECT_TRUE(sameFile(d.folder() + "a.bin", d.folder() + "h.bin"));
  EXPECT_TRUE(sameFile(d.folder() + "a.bin", d.folder() + "../" + d.path().filename().string() + "/a.bin"));
  EXPECT_FALSE(sameFile(d.folder() + "a.bin", d.folder() + "b.bin"));
  EXPECT_FALSE(sameFile(d.folder() + "a.bin", d.folder() + "none.bin"));
}

}  // namespace
}  // namespace mirdal
