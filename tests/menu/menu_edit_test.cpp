// Menu edits: the references every insert and delete must keep right, the
// limits, the cell rules, and random edit sequences that save and load back
// to the edited model.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "menu/igs_read.h"
#include "menu/igs_write.h"
#include "menu/menu_edit.h"
#include "menu/rle.h"
#include "support/recording_reporter.h"

namespace mirdal {
namespace {

constexpr std::uint32_t kEnableImm = 0x31800004;
constexpr std::uint32_t kSetButtonPageBoth = 0x51C00003;
constexpr std::uint32_t kSetButtonPagePage = 0x51400003;

IgButton button(std::uint16_t id, std::uint16_t up, std::uint16_t down, std::uint16_t left, std::uint16_t right) {
  IgButton b = newButton(id);
  b.upper = up;
  b.lower = down;
  b.left = left;
  b.right = right;
  return b;
}

// Page 0: BOG 0 holds buttons 0, 1, 2; BOG 1 holds 3, 4. Neighbours:
// 0 up->2, 1 down->2, 2 up->1 down->3 left->2 (itself), 3 left->4, 4 right->2.
IgMenu fiveButtons() {
  IgMenu m = createMenu();
  IgPage& p = m.ics.pages[0];
  p.bogs.assign(2, Bog{});
  p.bogs[0].buttons = {button(0, 2, 0, 0, 0), button(1, 1, 2, 1, 1), button(2, 1, 3, 2, 2)};
  p.bogs[1].buttons = {button(3, 3, 3, 4, 3), button(4, 4, 4, 4, 2)};
  p.bogs[0].defaultValidButton = 2;
  p.bogs[1].defaultValidButton = 4;
  p.defaultSelectedButton = 3;
  p.defaultActivatedButton = 2;
  buildAllPageButtons(m);
  return m;
}

IgButton& btn(IgMenu& m, std::size_t page, std::uint16_t id) {
  return const_cast<IgButton&>(*findButton(m, page, id));
}

TEST(DeleteButton, KeepsIdsNeighboursDefaultsAndCommands) {
  struct Case {
    const char* name;
    std::size_t bog, index;  // the button to delete
    std::function<void(IgMenu&)> prepare;
    std::function<void(IgMenu&)> check;
  };
  const std::vector<Case> cases = {
      {"later ids close the gap", 0, 2, nullptr,
       [](IgMenu& m) {
         ASSERT_EQ(m.pageButtons[0].ids.size(), 4u);
         EXPECT_EQ(m.ics.pages[0].bogs[1].buttons[0].buttonId, 2);
         EXPECT_EQ(m.ics.pages[0].bogs[1].buttons[1].buttonId, 3);
         for (std::uint16_t id = 0; id < 4; ++id) EXPECT_EQ(findButton(m, 0, id)->buttonId, id);
       }},
      {"a link to the deleted button takes its link in that direction", 0, 2, nullptr,
       [](IgMenu& m) {
         EXPECT_EQ(btn(m, 0, 0).upper, 1);  // 2's upper
         EXPECT_EQ(btn(m, 0, 1).lower, 2);  // 2's lower 3, renumbered
         EXPECT_EQ(btn(m, 0, 3).right, 3);  // old 4 right->2: 2's right is 2 itself -> own id
       }},
      {"a button naming itself keeps naming itself", 0, 0, nullptr,
       [](IgMenu& m) {
         EXPECT_EQ(btn(m, 0, 0).left, 0);  // old 1
         EXPECT_EQ(btn(m, 0, 1).left, 1);  // old 2, left itself
         EXPECT_EQ(btn(m, 0, 2).upper, 2);  // old 3, upper itself
       }},
      {"BOG defaults follow and a deleted default becomes the BOG's first", 0, 2, nullptr,
       [](IgMenu& m) {
         EXPECT_EQ(m.ics.pages[0].bogs[0].defaultValidButton, 0);
         EXPECT_EQ(m.ics.pages[0].bogs[1].defaultValidButton, 3);
       }},
      {"page defaults follow; a deleted one is cleared", 0, 2, nullptr,
       [](IgMenu& m) {
         EXPECT_EQ(m.ics.pages[0].defaultSelectedButton, 2);
         EXPECT_EQ(m.ics.pages[0].defaultActivatedButton, kNoButton);
       }},
      {"commands naming the button are cleared, later ones renumbered", 0, 2,
       [](IgMenu& m) {
         btn(m, 0, 0).commands = {{kEnableImm, 2, 0}, {kEnableImm, 4, 0}, {0x31800005, 0x80000003, 0},
                                  {0x51800003, 0x80000001, 0}, {0x50400001, 4, 0}};
       },
       [](IgMenu& m) {
         EXPECT_EQ(btn(m, 0, 0).commands,
                   (CommandList{{0, 0, 0}, {kEnableImm, 3, 0}, {0x31800005, 0x80000002, 0},
                                {0x51800003, 0x80000001, 0}, {0x50400001, 4, 0}}));
       }},
      {"SetButtonPage to another page keeps its button", 0, 2,
       [](IgMenu& m) {
         btn(m, 0, 0).commands = {{kSetButtonPageBoth, 0x80000004, 0x80000001},
                                  {kSetButtonPageBoth, 0x80000004, 0x80000000},
                                  {kSetButtonPageBoth, 0x80000004, 0x00000001}};
       },
       [](IgMenu& m) {
         EXPECT_EQ(btn(m, 0, 0).commands, (CommandList{{kSetButtonPageBoth, 0x80000004, 0x80000001},
                                                       {kSetButtonPageBoth, 0x80000003, 0x80000000},
                                                       {kSetButtonPageBoth, 0x80000003, 0x00000001}}));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IgMenu m = fiveButtons();
    if (c.prepare) c.prepare(m);
    ASSERT_TRUE(deleteButton(m, 0, c.bog, c.index));
    c.check(m);
  }
}

TEST(DeleteButton, RefusesTheLastButtonAndBadIndexes) {
  IgMenu m = createMenu();
  EXPECT_FALSE(deleteButton(m, 0, 0, 0));
  EXPECT_FALSE(deleteButton(m, 1, 0, 0));
  EXPECT_FALSE(deleteButton(m, 0, 1, 0));
  IgMenu f = fiveButtons();
  EXPECT_FALSE(deleteButton(f, 0, 0, 3));
  EXPECT_EQ(f.ics.pages[0].bogs[0].buttons.size(), 3u);
}

TEST(DeleteBOG, RemovesItsButtonsWithTheirReferences) {
  struct Case {
    const char* name;
    std::size_t bog;
    std::vector<std::uint16_t> remainingIds;
    std::uint16_t firstUpper;  // button 0's upper afterwards
    std::uint16_t selected;     // page default selected
  };
  const std::vector<Case> cases = {
      {"the first BOG", 0, {0, 1}, 0, 0},
      {"the last BOG", 1, {0, 1, 2}, 2, kNoButton},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IgMenu m = fiveButtons();
    ASSERT_TRUE(deleteBog(m, 0, c.bog));
    ASSERT_EQ(m.ics.pages[0].bogs.size(), 1u);
    std::vector<std::uint16_t> ids;
    for (const IgButton& b : m.ics.pages[0].bogs[0].buttons) ids.push_back(b.buttonId);
    EXPECT_EQ(ids, c.remainingIds);
    EXPECT_EQ(m.pageButtons[0].ids.size(), c.remainingIds.size());
    EXPECT_EQ(m.ics.pages[0].bogs[0].buttons[0].upper, c.firstUpper);
    EXPECT_EQ(m.ics.pages[0].defaultSelectedButton, c.selected);
    // Every neighbour names a button that exists.
    for (const IgButton& b : m.ics.pages[0].bogs[0].buttons)
      for (std::uint16_t n : {b.upper, b.lower, b.left, b.right}) EXPECT_NE(findButton(m, 0, n), nullptr);
  }
  IgMenu one = createMenu();
  EXPECT_FALSE(deleteBog(one, 0, 0));
}

TEST(DeletePage, FollowingIdsAndPageCommands) {
  struct Case {
    const char* name;
    std::size_t page;
    std::vector<std::uint8_t> ids;
    CommandList commands;  // of the button on what was page 0 (or page 1 when page 0 goes)
  };
  const CommandList before = {{kSetButtonPageBoth, 0x00000000, 0x80000001},
                              {kSetButtonPagePage, 0x00000000, 0x80000002},
                              {kSetButtonPagePage, 0x00000000, 0x00000002},
                              {kSetButtonPageBoth, 0x80000000, 0xC0000000}};
  const std::vector<Case> cases = {
      {"a middle page", 1, {0, 1},
       {{0, 0, 0}, {kSetButtonPagePage, 0, 0x80000001}, {kSetButtonPagePage, 0, 2}, before[3]}},
      {"the first page", 0, {0, 1},
       {{kSetButtonPageBoth, 0, 0x80000000}, {kSetButtonPagePage, 0, 0x80000001}, before[2], {0, 0, 0}}},
      {"the last page", 2, {0, 1}, {before[0], {0, 0, 0}, before[2], before[3]}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IgMenu m = createMenu();
    ASSERT_TRUE(createPage(m));
    ASSERT_TRUE(createPage(m));
    const std::size_t holder = c.page == 0 ? 1 : 0;
    m.ics.pages[holder].bogs[0].buttons[0].commands = before;
    ASSERT_TRUE(deletePage(m, c.page));
    std::vector<std::uint8_t> ids;
    for (const IgPage& p : m.ics.pages) ids.push_back(p.pageId);
    EXPECT_EQ(ids, c.ids);
    EXPECT_EQ(m.pageButtons.size(), 2u);
    EXPECT_EQ(m.ics.pages[0].bogs[0].buttons[0].commands, c.commands);
  }
  IgMenu one = createMenu();
  EXPECT_FALSE(deletePage(one, 0));
}

// Objects 0..5. Page 0: in-effect uses 1, button 0 normal 2..3, button 1
// selected 5..5; page 1 uses none.
IgMenu withObjects() {
  IgMenu m = createMenu();
  createPage(m);
  for (int i = 0; i < 6; ++i) {
    IgObject o;
    o.objectId = std::uint16_t(i);
    o.width = o.height = std::uint16_t(i + 1);
    o.image = IndexImage{o.width, o.height, Bytes(std::size_t(o.width) * o.height, std::uint8_t(i))};
    m.objects.push_back(o);
  }
  m.palettes.resize(3);
  for (std::size_t i = 0; i < 3; ++i) m.palettes[i].paletteId = std::uint16_t(i);
  createButton(m, 0, 0);
  IgPage& p = m.ics.pages[0];
  p.effects[0].effects.push_back(Effect{90000, 2, {CompositionObject{1}}});
  p.bogs[0].buttons[0].normalStart = 2;
  p.bogs[0].buttons[0].normalEnd = 3;
  p.bogs[0].buttons[1].selectedStart = p.bogs[0].buttons[1].selectedEnd = 5;
  m.ics.pages[1].paletteId = 1;
  return m;
}

TEST(DeleteObjects, RefusesReferencedRowsAndRenumbersLaterReferences) {
  struct Case {
    const char* name;
    std::vector<std::size_t> rows;
    std::string message;
    std::vector<std::uint16_t> widths;  // of the objects left
    std::uint16_t comp, normalStart, normalEnd, selected;
  };
  const std::vector<Case> cases = {
      {"only the first row is free", {0, 2}, "Cannot delete object. Remove all reference first.",
       {1, 2, 3, 4, 5, 6}, 1, 2, 3, 5},
      {"a referenced row in the middle of the selection", {4, 3, 0}, "Cannot delete object. Remove all reference first.",
       {1, 2, 3, 4, 5, 6}, 1, 2, 3, 5},
      {"two free rows", {4, 0}, "", {2, 3, 4, 6}, 0, 1, 2, 3},
      {"the last row after a free one", {0}, "", {2, 3, 4, 5, 6}, 0, 1, 2, 4},
      {"nothing selected", {}, "No object selected.", {1, 2, 3, 4, 5, 6}, 1, 2, 3, 5},
      {"a row past the end", {9}, "No object selected.", {1, 2, 3, 4, 5, 6}, 1, 2, 3, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IgMenu m = withObjects();
    EXPECT_EQ(deleteObjects(m, c.rows), c.message);
    std::vector<std::uint16_t> widths;
    for (std::size_t i = 0; i < m.objects.size(); ++i) {
      widths.push_back(m.objects[i].width);
      EXPECT_EQ(m.objects[i].objectId, i);
    }
    EXPECT_EQ(widths, c.widths);
    const IgPage& p = m.ics.pages[0];
    EXPECT_EQ(p.effects[0].effects[0].compObjects[0].objectId, c.comp);
    EXPECT_EQ(p.bogs[0].buttons[0].normalStart, c.normalStart);
    EXPECT_EQ(p.bogs[0].buttons[0].normalEnd, c.normalEnd);
    EXPECT_EQ(p.bogs[0].buttons[1].selectedStart, c.selected);
    EXPECT_EQ(p.bogs[0].buttons[1].normalStart, kNoObjectId);
  }
}

TEST(DeletePalettes, RefusesReferencedRowsAndRenumbersLaterReferences) {
  struct Case {
    const char* name;
    std::size_t count;  // palettes in the menu
    std::vector<std::size_t> rows;
    std::string message;
    std::uint8_t page0, effect, page1;
  };
  const std::vector<Case> cases = {
      {"the page 0 palette", 3, {0}, "Cannot delete palette. Remove all reference first.", 0, 2, 1},
      {"a free row before a referenced one", 3, {1, 2}, "Cannot delete palette. Remove all reference first.", 0, 2,
       1},
      {"a single palette", 1, {0}, "Cannot delete palette. Remove all objects first.", 0, 2, 1},
      {"every palette", 5, {0, 1, 2, 3, 4}, "Cannot delete palette. Remove all objects first.", 0, 2, 1},
      {"free rows before the referenced ones", 5, {3, 0}, "Cannot delete palette. Remove all reference first.", 0,
       2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IgMenu m = withObjects();
    m.palettes.resize(c.count);
    EXPECT_EQ(deletePalettes(m, c.rows), c.message);
    EXPECT_EQ(m.palettes.size(), c.count);
    EXPECT_EQ(m.ics.pages[0].paletteId, c.page0);
    EXPECT_EQ(m.ics.pages[0].effects[0].effects[0].paletteId, c.effect);
    EXPECT_EQ(m.ics.pages[1].paletteId, c.page1);
  }
  // Palettes 0..4 with page 0 on 3, its effect on 4, page 1 on 1: deleting 0
  // and 2 moves them to 1, 2 and 0.
  IgMenu m = withObjects();
  m.palettes.resize(5);
  m.ics.pages[0].paletteId = 3;
  m.ics.pages[0].effects[0].effects[0].paletteId = 4;
  m.palettes[4].version = 7;
  EXPECT_EQ(deletePalettes(m, {2, 0}), "");
  ASSERT_EQ(m.palettes.size(), 3u);
  EXPECT_EQ(m.ics.pages[0].paletteId, 1);
  EXPECT_EQ(m.ics.pages[0].effects[0].effects[0].paletteId, 2);
  EXPECT_EQ(m.ics.pages[1].paletteId, 0);
  EXPECT_EQ(m.palettes[2].version, 7);
  EXPECT_EQ(m.palettes[2].paletteId, 2);
}

TEST(ReferenceTexts, NameEveryUse) {
  IgMenu m = createMenu();
  createPage(m);
  for (int i = 0; i < 4; ++i) createButton(m, 0, 0);
  m.objects.resize(8);
  m.palettes.resize(3);
  IgPage& p0 = m.ics.pages[0];
  p0.effects[0].effects.push_back(Effect{0, 1, {CompositionObject{7}}});
  p0.effects[1].effects.push_back(Effect{0, 2, {CompositionObject{7}}});
  auto& b = p0.bogs[0].buttons;
  b[3].normalStart = 6;
  b[3].normalEnd = 7;
  b[4].selectedStart = b[4].activatedStart = 7;
  b[4].selectedEnd = b[4].activatedEnd = 7;
  m.ics.pages[1].bogs[0].buttons[0].normalStart = m.ics.pages[1].bogs[0].buttons[0].normalEnd = 7;
  m.ics.pages[1].paletteId = 2;
  EXPECT_EQ(objectUses(m, 7), "0io 0:3n,4sa 1:0n");
  EXPECT_EQ(objectUses(m, 6), "0:3n");
  EXPECT_EQ(objectUses(m, 5), "");
  EXPECT_EQ(paletteUses(m, 0), "0 ");
  EXPECT_EQ(paletteUses(m, 1), "0i ");
  EXPECT_EQ(paletteUses(m, 2), "0o 1 ");
}

// A height across 720 lines changes the matrix players convert the
// palettes with: the colours shown follow.
TEST(CompositionEdits, HeightAcross720LinesConvertsThePalettes) {
  IgMenu m = createMenu();
  m.palettes[0].ycrcb[1] = {63, 240, 102};
  m.palettes[0].colours[1] = {255, 1, 0, 255};
  ASSERT_TRUE(setCompositionField(m, CompositionField::Height, 720));
  EXPECT_EQ(m.palettes[0].colours[1], (Rgba{255, 1, 0, 255}));
  ASSERT_TRUE(setCompositionField(m, CompositionField::Height, 576));
  EXPECT_EQ(m.palettes[0].colours[1], (Rgba{233, 0, 2, 255}));
  EXPECT_EQ(m.palettes[0].ycrcb[1], (YCrCb{63, 240, 102}));
}

TEST(CreateEdits, DefaultsAndLimits) {
  IgMenu m = createMenu(720, 576);
  ASSERT_EQ(m.ics.pages.size(), 1u);
  EXPECT_EQ(m.ics.videoWidth, 720);
  EXPECT_EQ(m.ics.frameRate, 1);
  EXPECT_EQ(m.inTime, 180000u);
  const IgButton& b = m.ics.pages[0].bogs[0].buttons[0];
  EXPECT_EQ(b, newButton(0));
  EXPECT_EQ(b.numericSelectValue, 0xFFFF);
  EXPECT_EQ(b.selectedSound, 0xFF);
  EXPECT_EQ(m.ics.pages[0].animationFrameRateCode, 1);
  // The palette the page names exists (without colours), and a save keeps it.
  ASSERT_EQ(m.palettes.size(), 1u);
  EXPECT_EQ(m.ics.pages[0].paletteId, 0);
  {
    test::ReportScope rs;
    IgMenu copy = m, back;
    Bytes out;
    ASSERT_TRUE(composeMenuSegments(copy, SegmentFraming::Mnu, out, mirdal::test::testReporter()));
    ASSERT_EQ(parseMnu(out, back, mirdal::test::testReporter()).status, ReadStatus::Ok);
    EXPECT_EQ(back.palettes.size(), 1u);
  }

  for (int i = 1; i < 32; ++i) ASSERT_TRUE(createButton(m, 0, 0));
  EXPECT_FALSE(createButton(m, 0, 0));  // a 33rd
  ASSERT_TRUE(createBog(m, 0));
  EXPECT_EQ(m.ics.pages[0].bogs[1].buttons[0].buttonId, 32);
  while (m.ics.pages.size() < 255) ASSERT_TRUE(createPage(m));
  EXPECT_FALSE(createPage(m));
  EXPECT_EQ(m.ics.pages[254].pageId, 254);
}

TEST(ButtonFields, CellRules) {
  struct Case {
    const char* name;
    ButtonField field;
    std::uint32_t value;
    bool accepted;
    std::function<bool(const IgButton&)> holds;
  };
  // Video 1920x1080, objects 0..5, page index of 2 slots, 3 sound entries.
  const std::vector<Case> cases = {
      {"X below the width", ButtonField::X, 1919, true, [](const IgButton& b) { return b.x == 1919; }},
      {"X at the width", ButtonField::X, 1920, false, [](const IgButton& b) { return b.x == 0; }},
      {"Y at the height", ButtonField::Y, 1080, false, [](const IgButton& b) { return b.y == 0; }},
      {"neighbour in the index", ButtonField::Lower, 1, true, [](const IgButton& b) { return b.lower == 1; }},
      {"neighbour past the index", ButtonField::Lower, 2, false, [](const IgButton& b) { return b.lower == 0; }},
      {"a start sets an empty end", ButtonField::NormalStart, 3, true,
       [](const IgButton& b) { return b.normalStart == 3 && b.normalEnd == 3; }},
      {"a start past the object count", ButtonField::SelectedStart, 6, false,
       [](const IgButton& b) { return b.selectedStart == kNoObjectId; }},
      {"repeat of a one-object range stays 0", ButtonField::NormalRepeat, 1, true,
       [](const IgButton& b) { return b.normalRepeat == 0; }},
      {"a sound entry", ButtonField::SelectedSound, 2, true, [](const IgButton& b) { return b.selectedSound == 2; }},
      {"no sound", ButtonField::ActivatedSound, 0xFF, true,
       [](const IgButton& b) { return b.activatedSound == 0xFF; }},
      {"a missing sound entry", ButtonField::ActivatedSound, 3, false,
       [](const IgButton& b) { return b.activatedSound == 0xFF; }},
      {"auto action is a flag", ButtonField::AutoAction, 7, true, [](const IgButton& b) { return b.autoAction == 1; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IgMenu m = createMenu();
    createButton(m, 0, 0);
    m.objects.resize(6);
    EXPECT_EQ(setButtonField(m, 0, 0, 0, c.field, c.value, 3), c.accepted);
    EXPECT_TRUE(c.holds(m.ics.pages[0].bogs[0].buttons[0]));
  }
  IgMenu m = createMenu();
  m.objects.resize(6);
  ASSERT_TRUE(setButtonField(m, 0, 0, 0, ButtonField::SelectedStart, 1, 0));
  ASSERT_TRUE(setButtonField(m, 0, 0, 0, ButtonField::SelectedEnd, 4, 0));
  ASSERT_TRUE(setButtonField(m, 0, 0, 0, ButtonField::SelectedRepeat, 1, 0));
  EXPECT_EQ(m.ics.pages[0].bogs[0].buttons[0].selectedRepeat, 1);
  EXPECT_FALSE(setButtonField(m, 0, 0, 1, ButtonField::X, 1, 0));
}

TEST(EffectFields, RefuseValuesOutOfRangeAndKeepTheRecord) {
  // In-effects of page 0: one window, one effect with one composition
  // object; three objects, two palettes.
  const auto menu = [] {
    IgMenu m = createMenu();
    m.objects.resize(3);
    m.palettes.resize(2);
    insertEffectWindow(m, 0, 0);
    insertEffect(m, 0, 0, 0);
    insertCompObject(m, 0, 0, 0, CompositionObject{});
    return m;
  };
  struct Case {
    const char* name;
    std::function<bool(IgMenu&)> edit;
    bool accepted;
  };
  const std::vector<Case> cases = {
      {"window inside the video", [](IgMenu& m) { return setEffectWindow(m, 0, 0, 0, {0, 1000, 80, 920, 1000}); }, true},
      {"window past the right edge", [](IgMenu& m) { return setEffectWindow(m, 0, 0, 0, {0, 1000, 0, 921, 10}); }, false},
      {"window that does not exist", [](IgMenu& m) { return setEffectWindow(m, 0, 0, 1, {}); }, false},
      {"effect with palette 1", [](IgMenu& m) { return setEffect(m, 0, 0, 0, 45000, 1); }, true},
      {"effect with a missing palette", [](IgMenu& m) { return setEffect(m, 0, 0, 0, 45000, 2); }, false},
      {"duration past 24 bits", [](IgMenu& m) { return setEffect(m, 0, 1, 0, 0x1000000, 0); }, false},
      {"object 2 in window 0", [](IgMenu& m) { return setCompObject(m, 0, 0, 0, 0, {2, 0, 0, 5, 5}); }, true},
      {"a missing object", [](IgMenu& m) { return setCompObject(m, 0, 0, 0, 0, {3, 0, 0, 5, 5}); }, false},
      {"a missing window", [](IgMenu& m) { return setCompObject(m, 0, 0, 0, 0, {0, 1, 0, 5, 5}); }, false},
      {"crop past the video",
       [](IgMenu& m) { return setCompObject(m, 0, 0, 0, 0, {0, 0, 2, 0, 0, 1900, 0, 100, 10}); }, false},
      {"out-effects have no effect 0", [](IgMenu& m) { return setCompObject(m, 0, 1, 0, 0, {}); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IgMenu m = menu();
    const IgMenu before = m;
    EXPECT_EQ(c.edit(m), c.accepted);
    if (!c.accepted) EXPECT_TRUE(m.ics == before.ics);
    else EXPECT_FALSE(m.ics == before.ics);
  }
  // A loaded stream's composition object may name a window its sequence
  // lacks; its other fields stay editable.
  IgMenu m = menu();
  m.ics.pages[0].effects[0].effects[0].compObjects[0].windowId = 5;
  EXPECT_TRUE(setCompObject(m, 0, 0, 0, 0, {1, 5, 0, 7, 7}));
}

TEST(BOGDefault, StepsThroughTheButtonsAndOff) {
  IgMenu m = fiveButtons();
  std::vector<std::uint16_t> seen;
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(stepDefaultValidButton(m, 0, 1));
    seen.push_back(m.ics.pages[0].bogs[1].defaultValidButton);
  }
  EXPECT_EQ(seen, (std::vector<std::uint16_t>{kNoButton, 3, 4, kNoButton}));
  EXPECT_FALSE(setDefaultValidButton(m, 0, 0, 5));
  EXPECT_TRUE(setDefaultValidButton(m, 0, 0, 4));
  EXPECT_TRUE(setPageField(m, 0, PageField::Palette, 0));   // the new menu's palette
  EXPECT_FALSE(setPageField(m, 0, PageField::Palette, 1));  // no other palette yet
}

// Random edits of every kind, then save and load: the loaded model is the
// edited one.
TEST(RandomEdits, SaveAndLoadBackToTheEditedModel) {
  test::ReportScope rs;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const auto pick = [&](std::size_t n) { return n ? std::size_t(rng() % n) : 0; };
    IgMenu m = withObjects();
    for (int step = 0; step < 60; ++step) {
      const std::size_t p = pick(m.ics.pages.size());
      const std::size_t g = pick(m.ics.pages[p].bogs.size());
      const std::size_t b = pick(m.ics.pages[p].bogs[g].buttons.size());
      const int s = int(rng() % 2);
      switch (rng() % 14) {
        case 0: createPage(m); break;
        case 1: deletePage(m, p); break;
        case 2: createBog(m, p); break;
        case 3: deleteBog(m, p, g); break;
        case 4: createButton(m, p, g); break;
        case 5: deleteButton(m, p, g, b); break;
        case 6: deleteObjects(m, {pick(m.objects.size()), pick(m.objects.size())}); break;
        case 7: deletePalettes(m, {pick(m.palettes.size())}); break;
        case 8: insertEffect(m, p, s, pick(m.ics.pages[p].effects[s].effects.size() + 1)); break;
        case 9: deleteEffect(m, p, s, pick(m.ics.pages[p].effects[s].effects.size())); break;
        case 10: insertEffectWindow(m, p, s); break;
        case 11: {
          const std::size_t n = m.ics.pages[p].effects[s].effects.size();
          if (n) insertCompObject(m, p, s, pick(n), CompositionObject{std::uint16_t(pick(m.objects.size()))});
          break;
        }
        case 12:
          setButtonField(m, p, g, b, ButtonField(rng() % 18), std::uint32_t(pick(8)), 2);
          break;
        case 13:
          setButtonCommands(m, p, g, b, {{kEnableImm, std::uint32_t(pick(6)), 0}, {kSetButtonPagePage, 0, 0x80000000u | std::uint32_t(pick(3))}});
          break;
      }
    }
    Bytes out;
    ASSERT_TRUE(composeMenuSegments(m, SegmentFraming::Mnu, out, mirdal::test::testReporter()));
    IgMenu back;
    ASSERT_EQ(parseMnu(out, back, mirdal::test::testReporter()).status, ReadStatus::Ok);
    EXPECT_EQ(back.ics, m.ics);
    EXPECT_EQ(back.palettes, m.palettes);
    ASSERT_EQ(back.objects.size(), m.objects.size());
    for (std::size_t i = 0; i < m.objects.size(); ++i) {
      ASSERT_TRUE(decodeObject(back, i, mirdal::test::testReporter()));
      EXPECT_EQ(back.objects[i].image, m.objects[i].image) << "object " << i;
    }
    // The button index matches the BOGs on every page.
    for (std::size_t pi = 0; pi < back.ics.pages.size(); ++pi)
      EXPECT_EQ(back.pageButtons[pi], m.pageButtons[pi]);
  }
}

}  // namespace
}  // namespace mirdal
