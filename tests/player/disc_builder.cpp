#include "disc_builder.h"

#include <gtest/gtest.h>

#include "menu/menu_edit.h"
#include "nav/program_text.h"
#include "player/timeline.h"

namespace mirdal::test {

CommandList program(const std::string& text) {
  const ProgramText p = assembleProgram(text);
  EXPECT_FALSE(p.error) << text;
  return p.commands;
}

ModelDisc buildDisc(std::uint16_t firstPlayback, std::uint16_t topMenu, const std::vector<TitleSpec>& titles,
                    const std::vector<ObjectSpec>& objects,
                    const std::vector<std::pair<unsigned, PlaylistSpec>>& playlists) {
  ModelDisc d;
  d.indexModel.indexes.firstPlayback.movieObjectReference = firstPlayback;
  d.indexModel.indexes.topMenu.movieObjectReference = topMenu;
  for (const TitleSpec& t : titles) {
    IndexTitle title;
    title.titleNumber = unsigned(d.indexModel.indexes.titles.size() + 1);
    title.objectType = t.bdj ? 2 : 1;
    title.accessType = t.accessType;
    title.movieObjectReference = t.object;
    d.indexModel.indexes.titles.push_back(title);
  }
  for (const ObjectSpec& o : objects) {
    MovieObject m;
    m.resumeIntentionFlag = o.resume;
    m.menuCallMask = o.menuCallMask;
    m.titleSearchMask = o.titleSearchMask;
    if (!o.program.empty()) m.commands = program(o.program);
    d.objectsModel.movieObjects.objects.push_back(m);
  }
  constexpr std::uint32_t kBase = 27000000;  // clips start at 600 s
  for (const auto& [n, plan] : playlists) {
    Playlist pl;
    pl.uoMask1 = plan.uoMask;
    for (const ItemSpec& it : plan.items) {
      PlayItem pi;
      pi.clipName = it.clip;
      pi.inTime = kBase;
      pi.outTime = kBase + std::uint32_t(it.seconds * kTicksPerSecond);
      pi.uoMask1 = it.uoMask;
      pi.stillMode = it.stillMode;
      pi.stillTime = it.stillTime;
      if (it.ig) {
        StreamRecord ig;
        ig.entry.mainPid = 0x1400;
        ig.attributes.codingType = 0x91;
        pi.stn.ig.push_back(ig);
      }
      pl.playlist.items.push_back(pi);
    }
    for (const MarkSpec& m : plan.marks) {
      Mark mark;
      mark.type = m.type;
      mark.playItemRef = m.item;
      mark.time = kBase + std::uint32_t(m.seconds * kTicksPerSecond);
      pl.marks.marks.push_back(mark);
    }
    d.playlists[n] = pl;
  }
  return d;
}

IgMenu buildMenu(const std::vector<std::string>& programs, bool popUp) {
  IgMenu m = createMenu();
  if (m.ics.pages.empty()) createPage(m);
  for (std::size_t i = 0; i < programs.size(); ++i) {
    if (i >= m.ics.pages[0].bogs.size()) createBog(m, 0);
    setButtonCommands(m, 0, i, 0, program(programs[i]));
    setDefaultValidButton(m, 0, i, m.ics.pages[0].bogs[i].buttons[0].buttonId);
    setButtonField(m, 0, i, 0, ButtonField::Value, std::uint32_t(i + 1), 0);
  }
  setCompositionField(m, CompositionField::Model, popUp ? 1 : 0);
  setPageField(m, 0, PageField::DefaultSelected, 0);
  buildAllPageButtons(m);
  return m;
}

}  // namespace mirdal::test
