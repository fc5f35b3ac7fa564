#include "nav/command_follow.h"

#include <gtest/gtest.h>

namespace mirdal {
namespace {

using K = FollowAction::Kind;

TEST(CommandFollow, Actions) {
  const CommandList p = {
      {0x20810000, 3, 0},            // 0 GoTo 3
      {0x20810000, 99, 0},           // 1 GoTo beyond the program
      {0x21810000, 2, 0},            // 2 Jump Title 2
      {0x21830000, 1000, 0},         // 3 Call Title 1000: only the page
      {0x22800000, 16, 0},           // 4 Play PL 16
      {0x42C10000, 7, 2},            // 5 Play PL_PI 7, 2
      {0x50400001, 5, 123},          // 6 Move GPR5, 123
      {0x22000000, 5, 0},            // 7 Play PL GPR5
      {0x22000000, 6, 0},            // 8 Play PL GPR6: the line before is no Move
      {0x51C00003, 0x80000003, 0x80000002},  // 9 SetButtonPage 3, 2
      {0x51400003, 0x00000001, 0x00000002},  // 10 no flag set
      {0x00020000, 0, 0},            // 11 Break
  };
  FollowAction a = followCommand(p, 0);
  EXPECT_EQ(a.kind, K::SelectLine);
  EXPECT_EQ(a.line, 3u);
  EXPECT_EQ(followCommand(p, 1).kind, K::None);
  a = followCommand(p, 2);
  EXPECT_EQ(a.kind, K::ShowTitle);
  EXPECT_EQ(a.title, 2u);
  a = followCommand(p, 3);
  EXPECT_EQ(a.kind, K::ShowTitle);
  EXPECT_EQ(a.title, 0u);
  a = followCommand(p, 4);
  EXPECT_EQ(a.kind, K::SelectPlaylist);
  EXPECT_EQ(a.playlist, "00016");
  EXPECT_EQ(a.playItemRow, 0);
  a = followCommand(p, 5);
  EXPECT_EQ(a.playlist, "00007");
  EXPECT_EQ(a.playItemRow, 3);
  a = followCommand(p, 7);
  EXPECT_EQ(a.kind, K::SelectPlaylist);
  EXPECT_EQ(a.playlist, "00123");
  EXPECT_EQ(followCommand(p, 8).kind, K::None);
  a = followCommand(p, 9);
  EXPECT_EQ(a.kind, K::SetButtonPage);
  EXPECT_TRUE(a.selectPage && a.selectButton);
  EXPECT_EQ(a.page, 2u);
  EXPECT_EQ(a.button, 3u);
  EXPECT_EQ(followCommand(p, 10).kind, K::None);
  EXPECT_EQ(followCommand(p, 11).kind, K::None);
  EXPECT_EQ(followCommand(p, 12).kind, K::None);
}

}  // namespace
}  // namespace mirdal
