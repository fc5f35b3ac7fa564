#include "disc_builder.h"

#include <gtest/gtest.h>

#include "menu/menu_edit.h"
#include "nav/program_text.h"
#include "player/timeline.h"

namespace mirdal::test {

TCommands program(const std::string& text) {
  const ProgramText p = assembleProgram(text);
  EXPECT_FALSE(p.error) << text;
  return p.commands;
}

ModelDisc buildDisc(std::uint16_t firstPlayback, std::uint16_t topMenu, const std::vector<TitleSpec>& titles,
                    const std::vector<ObjectSpec>& objects,
                    const std::vector<std::pair<unsigned, PlaylistSpec>>& playlists) {
  ModelDisc d;
  d.indexModel.indexes.first_playback.movie_object_reference = firstPlayback;
  d.indexModel.indexes.top_menu.movie_object_reference = topMenu;
  for (const TitleSpec& t : titles) {
    TIndexesTitle title;
    title.title_number = unsigned(d.indexModel.indexes.titles.size() + 1);
    title.object_type = t.bdj ? 2 : 1;
    title.access_type = t.accessType;
    title.movie_object_reference = t.object;
    d.indexModel.indexes.titles.push_back(title);
  }
  for (const ObjectSpec& o : objects) {
    Tmobject m;
    m.resume_intention_flag = o.resume;
    m.menu_call_mask = o.menuCallMask;
    m.title_search_mask = o.titleSearchMask;
    if (!o.program.empty()) m.commands = program(o.program);
    d.objectsModel.movie_objects.objects.push_back(m);
  }
  constexpr std::uint32_t kBase = 27000000;  // clips start at 600 s
  for (const auto& [n, spec] : playlists) {
    TMPLS pl;
    pl.uo_mask1 = spec.uoMask;
    for (const ItemSpec& it : spec.items) {
      TPlayItem pi;
      pi.clip_name = it.clip;
      pi.in_time = kBase;
      pi.out_time = kBase + std::uint32_t(it.seconds * kTicksPerSecond);
      pi.uo_mask1 = it.uoMask;
      pi.still_mode = it.stillMode;
      pi.still_time = it.stillTime;
      if (it.ig) {
        TStreamRec ig;
        ig.entry.main_pid = 0x1400;
        ig.attributes.coding_type = 0x91;
        pi.stn.ig.push_back(ig);
      }
      pl.playlist.items.push_back(pi);
    }
    for (const MarkSpec& m : spec.marks) {
      TMark mark;
      mark.type = m.type;
      mark.playitem_ref = m.item;
      mark.time = kBase + std::uint32_t(m.seconds * kTicksPerSecond);
      pl.marks.marks.push_back(mark);
    }
    d.playlists[n] = pl;
  }
  return d;
}

TMenu buildMenu(const std::vector<std::string>& programs, bool popUp) {
  TMenu m = createMenu();
  if (m.ics.pages.empty()) createPage(m);
  for (std::size_t i = 0; i < programs.size(); ++i) {
    if (i >= m.ics.pages[0].bogs.size()) createBOG(m, 0);
    setButtonCommands(m, 0, i, 0, program(programs[i]));
    setDefaultValidButton(m, 0, i, m.ics.pages[0].bogs[i].buttons[0].button_id);
    setButtonField(m, 0, i, 0, ButtonField::Value, std::uint32_t(i + 1), 0);
  }
  setCompositionField(m, CompositionField::Model, popUp ? 1 : 0);
  setPageField(m, 0, PageField::DefaultSelected, 0);
  buildAllPageButtons(m);
  return m;
}

}  // namespace mirdal::test
