// Reading a whole database file: what it gives for every kind of path, and
// the reason it gives when it cannot.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/fields.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

TEST(ReadFileBytes, EveryKindOfPath) {
  test::TempDir d;
  const Bytes content = {'M', 'P', 'L', 'S', '0', '2', '0', '0', 0, 1, 2};
  d.write("file.mpls", content);
  d.write("empty.mpls");
  d.write("big.bin", Bytes(5000, 7));
  d.mkdir("folder");
  ASSERT_EQ(::mkfifo((d.path() / "fifo").c_str(), 0600), 0);
  struct Case {
    const char* what;
    std::string path;
    std::uint64_t maxSize;
    bool ok;
    Bytes bytes;
    std::string error;
  } cases[] = {
      {"a file", d.folder() + "file.mpls", kMaxDatabaseFileSize, true, content, ""},
      {"an empty file", d.folder() + "empty.mpls", kMaxDatabaseFileSize, true, {}, ""},
      {"a file at the size limit", d.folder() + "big.bin", 5000, true, Bytes(5000, 7), ""},
      {"a file over the size limit", d.folder() + "big.bin", 4999, false, {}, "file too large (5000 bytes)"},
      {"no such file", d.folder() + "missing.mpls", kMaxDatabaseFileSize, false, {}, "file not found"},
      {"inside a missing folder", d.folder() + "nowhere/x.mpls", kMaxDatabaseFileSize, false, {}, "file not found"},
      {"below a file", d.folder() + "file.mpls/x", kMaxDatabaseFileSize, false, {}, "file not found"},
      {"a folder", d.folder() + "folder", kMaxDatabaseFileSize, false, {}, "not a file"},
      {"a FIFO without a writer (must not wait)", d.folder() + "fifo", kMaxDatabaseFileSize, false, {}, "not a file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes out = {9, 9};
    std::string error;
    EXPECT_EQ(readFileBytes(c.path, out, &error, c.maxSize), c.ok);
    EXPECT_EQ(out, c.bytes);
    EXPECT_EQ(error, c.error);
  }
}

}  // namespace
}  // namespace mirdal
