#include "formats/object_program.h"

#include <gtest/gtest.h>

#include "support/bdmv_files.h"

namespace mirdal {
namespace {

TEST(ObjectProgram, LengthsFollowInsertsAndDeletes) {
  const auto ext = test::ByteBuilder().u32(0).data();  // an ExtensionData block of length 0
  const Bytes file = test::movieObjectFile("0200", {{0, {{0x00020000, 0, 0}}}, {0, {}}}, ext);
  TMOBJ m;
  ASSERT_EQ(parseMovieObjects(file, m).status, ReadStatus::Ok);
  const std::uint32_t length = m.movie_objects.length;
  const std::uint32_t start = m.ExtensionData_start_address;
  ASSERT_NE(start, 0u);

  EditResult r = editObjectProgram(m, 1, [](TCommands& p) { return inscmd(p, {0, 0}, {{}, {}}); });
  EXPECT_EQ(r.delta, 2);
  EXPECT_EQ(m.movie_objects.length, length + 24);
  EXPECT_EQ(m.ExtensionData_start_address, start + 24);
  const Bytes saved = composeMovieObjects(m);
  EXPECT_EQ(saved.size(), file.size() + 24);

  r = editObjectProgram(m, 0, [](TCommands& p) { return delecmd(p, {0, 0}); });
  EXPECT_EQ(m.movie_objects.length, length + 12);
  EXPECT_TRUE(m.movie_objects.objects[0].commands.empty());

  // A refused insert and an edit of no object change nothing.
  r = editObjectProgram(m, 1, [](TCommands& p) { return inscmd(p, {0, 0}, TCommands(9999)); });
  EXPECT_FALSE(r.changed);
  EXPECT_FALSE(editObjectProgram(m, 7, [](TCommands& p) { return delecmd(p, {0, 0}); }).changed);
  EXPECT_EQ(m.movie_objects.length, length + 12);
}

}  // namespace
}  // namespace mirdal
