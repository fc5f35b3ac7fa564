#include "formats/bdmv/object_program.h"

#include <gtest/gtest.h>

#include "support/bdmv_files.h"

namespace mirdal {
namespace {

TEST(ObjectProgram, LengthsFollowInsertsAndDeletes) {
  const auto ext = test::ByteBuilder().u32(0).data();  // an ExtensionData block of length 0
  const Bytes file = test::movieObjectFile("0200", {{0, {{0x00020000, 0, 0}}}, {0, {}}}, ext);
  MovieObjectFile m;
  ASSERT_EQ(parseMovieObjects(file, m).status, ReadStatus::Ok);
  const std::uint32_t length = m.movieObjects.length;
  const std::uint32_t start = m.extensionDataStartAddress;
  ASSERT_NE(start, 0u);

  EditResult r = editObjectProgram(m, 1, [](CommandList& p) { return insertCommands(p, {0, 0}, {{}, {}}); });
  EXPECT_EQ(r.delta, 2);
  EXPECT_EQ(m.movieObjects.length, length + 24);
  EXPECT_EQ(m.extensionDataStartAddress, start + 24);
  const Bytes saved = composeMovieObjects(m);
  EXPECT_EQ(saved.size(), file.size() + 24);

  r = editObjectProgram(m, 0, [](CommandList& p) { return deleteCommands(p, {0, 0}); });
  EXPECT_EQ(m.movieObjects.length, length + 12);
  EXPECT_TRUE(m.movieObjects.objects[0].commands.empty());

  // A refused insert and an edit of no object change nothing.
  r = editObjectProgram(m, 1, [](CommandList& p) { return insertCommands(p, {0, 0}, CommandList(9999)); });
  EXPECT_FALSE(r.changed);
  EXPECT_FALSE(editObjectProgram(m, 7, [](CommandList& p) { return deleteCommands(p, {0, 0}); }).changed);
  EXPECT_EQ(m.movieObjects.length, length + 12);
}

}  // namespace
}  // namespace mirdal
