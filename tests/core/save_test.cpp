#include "core/save.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "core/output_file.h"
#include "core/report.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::ReportScope;
using test::TempDir;

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

SaveRequest request(const TempDir& d, BackupMode mode, bool create = true) {
  SaveRequest r;
  r.folder = d.folder();
  r.name = "index.bdmv";
  r.backup.createBackup = create;
  r.backup.mode = mode;
  return r;
}

struct BackupCase {
  const char* name;
  BackupMode mode;
  bool create;
  bool fileBefore;
  bool backupBefore;
  bool saved;
  const char* fileAfter;    // "" when absent
  const char* backupAfter;  // "" when absent
};

class BackupModes : public ::testing::TestWithParam<BackupCase> {};

TEST_P(BackupModes, SaveWithBackup) {
  const BackupCase& c = GetParam();
  ReportScope s;
  TempDir d;
  if (c.fileBefore) d.write("index.bdmv", "old");
  if (c.backupBefore) d.write("index.bdmv.backup", "older");
  mirdal::test::testReporter().logError("an earlier error");  // a saver is not stopped by errors that came before
  const int errorsBefore = mirdal::test::testReporter().errorCount();

  EXPECT_EQ(saveFile(request(d, c.mode, c.create), bytesOf("new"), mirdal::test::testReporter()), c.saved);

  auto content = [&](const char* f) {
    if (!d.exists(f)) return std::string();
    const Bytes b = d.read(f);
    return std::string(b.begin(), b.end());
  };
  EXPECT_EQ(content("index.bdmv"), c.fileAfter);
  EXPECT_EQ(content("index.bdmv.backup"), c.backupAfter);
  EXPECT_EQ(mirdal::test::testReporter().errorCount() > errorsBefore, !c.saved);
  if (!c.saved) {
    EXPECT_EQ(s.rep.lines().back(), " ERROR: Cannot create backup file.");
  }
  // No temporary file is left behind either way.
  std::size_t files = 0;
  for (auto& e : std::filesystem::directory_iterator(d.path())) files += e.is_regular_file();
  EXPECT_EQ(files, std::size_t(!std::string(c.fileAfter).empty()) + !std::string(c.backupAfter).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BackupModes,
    ::testing::Values(
        BackupCase{"OnlyFirstMakesBackup", BackupMode::OnlyFirst, true, true, false, true, "new", "old"},
        BackupCase{"OnlyFirstKeepsFirst", BackupMode::OnlyFirst, true, true, true, true, "new", "older"},
        BackupCase{"OnlyFirstNewFile", BackupMode::OnlyFirst, true, false, false, true, "new", ""},
        BackupCase{"OverwriteReplacesBackup", BackupMode::Overwrite, true, true, true, true, "new", "old"},
        BackupCase{"OverwriteMakesBackup", BackupMode::Overwrite, true, true, false, true, "new", "old"},
        BackupCase{"OverwriteNoFileKeepsBackup", BackupMode::Overwrite, true, false, true, true, "new", "older"},
        BackupCase{"StopIfExistsMakesBackup", BackupMode::StopIfExists, true, true, false, true, "new", "old"},
        BackupCase{"StopIfExistsRefuses", BackupMode::StopIfExists, true, true, true, false, "old", "older"},
        BackupCase{"OffTouchesNoBackup", BackupMode::StopIfExists, false, true, true, true, "new", "older"},
        BackupCase{"OffNoBackupMade", BackupMode::OnlyFirst, false, true, false, true, "new", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Save, SecondSaveWithOnlyFirstKeepsFirstBackup) {
  ReportScope s;
  TempDir d;
  d.write("index.bdmv", "v1");
  ASSERT_TRUE(saveFile(request(d, BackupMode::OnlyFirst), bytesOf("v2"), mirdal::test::testReporter()));
  ASSERT_TRUE(saveFile(request(d, BackupMode::OnlyFirst), bytesOf("v3"), mirdal::test::testReporter()));
  EXPECT_EQ(d.read("index.bdmv"), bytesOf("v3"));
  EXPECT_EQ(d.read("index.bdmv.backup"), bytesOf("v1"));
}

TEST(Save, StopIfExistsSecondSaveReportsAndKeepsFile) {
  ReportScope s;
  TempDir d;
  d.write("index.bdmv", "v1");
  ASSERT_TRUE(saveFile(request(d, BackupMode::StopIfExists), bytesOf("v2"), mirdal::test::testReporter()));
  EXPECT_FALSE(saveFile(request(d, BackupMode::StopIfExists), bytesOf("v3"), mirdal::test::testReporter()));
  EXPECT_EQ(d.read("index.bdmv"), bytesOf("v2"));
  EXPECT_TRUE(mirdal::test::testReporter().status().errorMark);
  EXPECT_EQ(s.rep.exclamations, 1);
}

TEST(Save, CopyIntoBackupFolderOnlyWhenAsked) {
  ReportScope s;
  TempDir d;
  d.mkdir("BACKUP");
  SaveRequest r = request(d, BackupMode::OnlyFirst);
  r.copyToBackupDir = true;
  ASSERT_TRUE(saveFile(r, bytesOf("x"), mirdal::test::testReporter()));
  EXPECT_FALSE(d.exists("BACKUP/index.bdmv"));
  r.backup.saveToBackupDir = true;
  d.write("BACKUP/index.bdmv", "stale");
  ASSERT_TRUE(saveFile(r, bytesOf("y"), mirdal::test::testReporter()));
  EXPECT_EQ(d.read("BACKUP/index.bdmv"), bytesOf("y"));
}

TEST(Save, MissingBackupFolderIsNotAnError) {
  ReportScope s;
  TempDir d;
  SaveRequest r = request(d, BackupMode::OnlyFirst);
  r.copyToBackupDir = true;
  r.backup.saveToBackupDir = true;
  EXPECT_TRUE(saveFile(r, bytesOf("x"), mirdal::test::testReporter()));
  EXPECT_EQ(mirdal::test::testReporter().errorCount(), 0);
}

TEST(Save, UnwritableFolderLeavesTargetUntouched) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
  ReportScope s;
  TempDir d;
  d.write("index.bdmv", "old");
  std::filesystem::permissions(d.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_FALSE(saveFile(request(d, BackupMode::OnlyFirst), bytesOf("new"), mirdal::test::testReporter()));
  std::filesystem::permissions(d.path(), std::filesystem::perms::owner_all);
  EXPECT_EQ(d.read("index.bdmv"), bytesOf("old"));
  EXPECT_FALSE(d.exists("index.bdmv.backup"));
  EXPECT_GT(mirdal::test::testReporter().errorCount(), 0);
}

TEST(Save, MissingFolderFailsWithError) {
  ReportScope s;
  TempDir d;
  SaveRequest r = request(d, BackupMode::OnlyFirst);
  r.folder = d.folder() + "nope/";
  EXPECT_FALSE(saveFile(r, bytesOf("x"), mirdal::test::testReporter()));
  EXPECT_GT(mirdal::test::testReporter().errorCount(), 0);
  EXPECT_NE(s.rep.lines().back().find("ERROR: Cannot create"), std::string::npos);
}

TEST(Save, TargetThatIsAFolderIsNotReplaced) {
  ReportScope s;
  TempDir d;
  d.mkdir("index.bdmv/inner");
  SaveRequest r = request(d, BackupMode::OnlyFirst, false);
  EXPECT_FALSE(saveFile(r, bytesOf("x"), mirdal::test::testReporter()));
  EXPECT_TRUE(std::filesystem::is_directory(d.path() / "index.bdmv" / "inner"));
}

}  // namespace
}  // namespace mirdal

namespace mirdal {
namespace {

TEST(Save, FailedBackupRenameStopsTheSave) {
  // A non-empty folder in the backup's place cannot be removed or replaced,
  // even by root.
  test::ReportScope s;
  test::TempDir d;
  d.write("index.bdmv", "old");
  d.write("index.bdmv.backup/keep", "x");
  SaveRequest r;
  r.folder = d.folder();
  r.name = "index.bdmv";
  r.backup.mode = BackupMode::Overwrite;
  EXPECT_FALSE(saveFile(r, Bytes{'n', 'e', 'w'}, mirdal::test::testReporter()));
  EXPECT_EQ(d.read("index.bdmv"), (Bytes{'o', 'l', 'd'}));
  EXPECT_EQ(s.rep.lines().back(), " ERROR: Cannot create backup file.");
  EXPECT_GT(mirdal::test::testReporter().errorCount(), 0);
}

}  // namespace
}  // namespace mirdal

#include <sys/stat.h>
#include <sys/wait.h>

namespace mirdal {
namespace {

namespace fs = std::filesystem;

unsigned modeOf(const fs::path& p) {
  struct stat st {};
  return ::stat(p.c_str(), &st) == 0 ? unsigned(st.st_mode & 07777) : 0u;
}

// Both routines that replace a file: the save with its backup step and the
// plain write of exports.
enum class Routine { Save, Atomic };

bool replace(Routine how, const TempDir& d, const std::string& name, const std::string& text) {
  if (how == Routine::Atomic) {
    std::string error;
    return writeFileAtomic(d.folder() + name, bytesOf(text), &error);
  }
  SaveRequest r;
  r.folder = d.folder();
  r.name = name;
  r.backup.createBackup = true;
  r.backup.mode = BackupMode::Overwrite;
  return saveFile(r, bytesOf(text), mirdal::test::testReporter());
}

TEST(Save, KeepsThePermissionBitsOfTheFileItReplaces) {
  ReportScope s;
  for (Routine how : {Routine::Save, Routine::Atomic}) {
    for (unsigned mode : {0444u, 0600u, 0640u, 0755u, 0664u}) {
      TempDir d;
      d.write("index.bdmv", "old");
      fs::permissions(d.path() / "index.bdmv", fs::perms(mode));
      SCOPED_TRACE(std::to_string(int(how)) + " mode " + std::to_string(mode));
      // root may write a 0444 file; another user is refused (below).
      if (::geteuid() != 0 && !(mode & 0200)) continue;
      ASSERT_TRUE(replace(how, d, "index.bdmv", "new"));
      EXPECT_EQ(d.read("index.bdmv"), bytesOf("new"));
      EXPECT_EQ(modeOf(d.path() / "index.bdmv"), mode);
    }
  }
}

TEST(Save, WritesThroughASymbolicLink) {
  ReportScope s;
  struct Case {
    const char* link;
    const char* points;  // as the link holds it
    const char* target;  // the file it names in the end
  };
  const Case cases[] = {
      {"index.bdmv", "real/index.bdmv", "real/index.bdmv"},
      {"index.bdmv", "hop", "real/index.bdmv"},  // hop -> real/index.bdmv
  };
  for (Routine how : {Routine::Save, Routine::Atomic}) {
    for (const Case& c : cases) {
      TempDir d;
      d.write("real/index.bdmv", "old");
      fs::permissions(d.path() / "real/index.bdmv", fs::perms(0640));
      fs::create_symlink("real/index.bdmv", d.path() / "hop");
      fs::create_symlink(c.points, d.path() / c.link);
      SCOPED_TRACE(std::string(c.points) + (how == Routine::Save ? " save" : " atomic"));
      ASSERT_TRUE(replace(how, d, c.link, "new"));
      EXPECT_TRUE(fs::is_symlink(d.path() / c.link)) << "the link stays a link";
      EXPECT_EQ(fs::read_symlink(d.path() / c.link), fs::path(c.points));
      EXPECT_EQ(d.read(c.target), bytesOf("new"));
      EXPECT_EQ(modeOf(d.path() / c.target), 0640u);
      if (how == Routine::Save) EXPECT_EQ(d.read(std::string(c.target) + ".backup"), bytesOf("old"));
      // No temporary file stays beside the target.
      std::size_t files = 0;
      for (auto& e : fs::directory_iterator(d.path() / "real")) files += e.is_regular_file();
      EXPECT_EQ(files, how == Routine::Save ? 2u : 1u);
    }
  }
}

TEST(Save, ALinkToNothingCreatesTheFileItNames) {
  ReportScope s;
  TempDir d;
  d.mkdir("real");
  fs::create_symlink("real/new.mpls", d.path() / "00000.mpls");
  SaveRequest r;
  r.folder = d.folder();
  r.name = "00000.mpls";
  ASSERT_TRUE(saveFile(r, bytesOf("x"), mirdal::test::testReporter()));
  EXPECT_TRUE(fs::is_symlink(d.path() / "00000.mpls"));
  EXPECT_EQ(d.read("real/new.mpls"), bytesOf("x"));
}

// A loop of links names no file: every way of writing refuses it and
// leaves both links as they were (writing used to replace the link).
TEST(Save, ALoopOfLinksIsRefused) {
  ReportScope s;
  for (int how = 0; how < 3; ++how) {
    SCOPED_TRACE(how);
    TempDir d;
    fs::create_symlink("b.mpls", d.path() / "a.mpls");
    fs::create_symlink("a.mpls", d.path() / "b.mpls");
    bool written = true;
    if (how < 2) {
      written = replace(how == 0 ? Routine::Save : Routine::Atomic, d, "a.mpls", "new");
    } else {
      std::string error;
      written = writeOutput(d.folder() + "a.mpls", bytesOf("new"), &error);
      EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(written);
    EXPECT_TRUE(fs::is_symlink(d.path() / "a.mpls"));
    EXPECT_TRUE(fs::is_symlink(d.path() / "b.mpls"));
    EXPECT_EQ(std::distance(fs::directory_iterator(d.path()), fs::directory_iterator()), 2);
  }
}

// A user who may not write a file must not replace it, even where the
// folder lets him rename over it. Run as another user when the tests run as
// root, which may write anything.
TEST(Save, RefusesAFileTheUserMayNotWrite) {
  for (Routine how : {Routine::Save, Routine::Atomic}) {
    TempDir d;
    d.write("index.bdmv", "old");
    fs::permissions(d.path() / "index.bdmv", fs::perms(0444));
    fs::permissions(d.path(), fs::perms::all);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
      ReportScope s;
      const bool written = replace(how, d, "index.bdmv", "new");
      const bool said = how == Routine::Atomic || ((mirdal::test::testReporter().errorCount() > 0) && s.rep.lines().back().find("Permission denied") !=
                                                                        std::string::npos);
      ::_exit(written ? 1 : said ? 0 : 2);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: written, 2: refused without the reason";
    EXPECT_EQ(d.read("index.bdmv"), bytesOf("old"));
    EXPECT_EQ(modeOf(d.path() / "index.bdmv"), 0444u);
    EXPECT_FALSE(d.exists("index.bdmv.backup"));
  }
}

}  // namespace
}  // namespace mirdal
