// The choices made before a disc run: clip names of attached menus, the
// register lists and the places a run can start from.
#include <gtest/gtest.h>

#include "disc_builder.h"
#include "player/player_setup.h"
#include "support/temp_dir.h"

namespace mirdal::test {

namespace {

TEST(PlayerSetup, AttachesMenusByClipName) {
  TempDir dir;
  dir.write("menu.mnu", Bytes{'I', 'G'});
  const std::string file = (dir.path() / "menu.mnu").string();
  const struct {
    const char* clip;
    std::string path;
    bool ok;
    const char* why;
  } cases[] = {
      {"00001", file, true, ""},
      {"0001", file, false, "a clip is named by five digits, e.g. 00001: 0001"},
      {"00001a", file, false, "a clip is named by five digits, e.g. 00001: 00001a"},
      {"0000x", file, false, "a clip is named by five digits, e.g. 00001: 0000x"},
      {"00002", file + ".missing", false, "no such file: "},
      {"00003", dir.path().string(), false, "no such file: "},  // a folder is no .mnu
  };
  for (const auto& c : cases) {
    PlayerSetup s;
    std::string why;
    EXPECT_EQ(attachMenu(s, c.clip, c.path, why), c.ok) << c.clip;
    EXPECT_EQ(why.rfind(c.why, 0), 0u) << c.clip << ": " << why;
    EXPECT_EQ(s.menus.count(c.clip), c.ok ? 1u : 0u) << c.clip;
  }
}

TEST(PlayerSetup, RegisterListsAddUpAndABadOneChangesNothing) {
  PlayerSetup s;
  std::string why;
  ASSERT_TRUE(addRegisterSettings(s, "GPR6=5, psr10=0x400", why)) << why;
  EXPECT_FALSE(addRegisterSettings(s, "GPR1=1, GPR4096=1", why));
  EXPECT_NE(why.find("4096"), std::string::npos) << why;
  EXPECT_FALSE(addRegisterSettings(s, "", why));
  ASSERT_EQ(s.registers.size(), 2u);
  EXPECT_EQ(s.registers[1], (RegisterSetting{true, 10, 0x400}));
}

TEST(PlayerSetup, StartChoicesFollowTheIndex) {
  ModelDisc d = buildDisc(0, 1, {{0}, {1}, {0, 0, true}}, {{"Break"}, {"Break"}}, {});
  std::string texts;
  for (const StartChoice& c : startChoices(d.index()))
    texts += c.text + "=" + (c.title ? std::to_string(*c.title) : "fp") + " ";
  EXPECT_EQ(texts, "First Playback=fp Top Menu=0 Title 1=1 Title 2=2 Title 3 (BD-J)=3 ");
}

}  // namespace

}  // namespace mirdal::test
