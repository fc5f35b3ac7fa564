// The menu emulation driven by keys and an injected clock: selection along
// the neighbour links, activation, auto-action, the three menu commands,
// out-effects and the user time-out, checked through registers and events.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "core/options.h"
#include "menu/igs_read.h"
#include "menu/menu_emulation.h"
#include "mnu_builder.h"
#include "support/shared_samples.h"
#include "support/recording_reporter.h"
#include "tiny_menu.h"

namespace mirdal {
namespace {

using K = MenuEvent::Kind;

struct Emu {
  IgMenu m = test::tinyMenu();
  Registers regs;
  RunState run;
  PageRenderer r;
  MenuEmulator emu{m, regs, run, rs.rep, &r};
  test::ReportScope rs;
  // setup changes the tiny menu before Start.
  explicit Emu(const std::function<void(IgMenu&)>& setup = {}) {
    resetRegisters(regs, Options{});
    regs.psr[kPsrMenuPage] = 0;
    if (setup) {
      setup(m);
      buildAllPageButtons(m);
    }
    drawBackground(r);
    emu.start(0);
  }
  // The events of these kinds since the last call, as text.
  std::vector<std::string> take(std::initializer_list<K> kinds = {K::Page, K::Selected, K::Activated, K::Normal,
                                                                   K::Enabled, K::Disabled, K::OutEffects,
                                                                   K::TimeOut}) {
    std::vector<std::string> out;
    for (const MenuEvent& e : emu.events())
      if (std::find(kinds.begin(), kinds.end(), e.kind) != kinds.end()) out.push_back(eventText(e));
    emu.events().clear();
    return out;
  }
};

TEST(MenuEmulation, StartSelectsTheDefaultButton) {
  Emu e;
  EXPECT_EQ(e.take(), (std::vector<std::string>{"page 0", "selected 0001"}));
  EXPECT_EQ(e.regs.psr[kPsrSelectedButton], 1u);
  EXPECT_EQ(e.regs.psr[kPsrMenuPage], 0u);
  EXPECT_TRUE(e.emu.states()[0].shown);
  EXPECT_TRUE(e.emu.states()[3].shown);
  EXPECT_FALSE(e.emu.states()[4].shown);
}

TEST(MenuEmulation, KeyRules) {
  struct Case {
    const char* name;
    std::vector<MenuKey> keys;
    std::uint32_t psr10, psr11;
    std::vector<std::string> lastEvents;  // of the last key
  };
  const Case cases[] = {
      {"up follows the upper link", {MenuKey::Up}, 0, 0, {"normal 0001", "selected 0000"}},
      {"a link to itself does nothing", {MenuKey::Down}, 1, 0, {}},
      {"a link to a missing button is ignored", {MenuKey::Up, MenuKey::Left}, 0, 0, {}},
      {"an auto-action target runs at once", {MenuKey::Up, MenuKey::Right}, 2, 0, {"normal 0000", "activated 0002"}},
      {"select runs and selects again", {MenuKey::Up, MenuKey::Select}, 0, 0, {"activated 0000", "selected 0000"}},
      {"select with SetButtonPage changes page",
       {MenuKey::Select},
       0,
       1,
       {"activated 0001", "out-effects of page 0", "page 1", "selected 0000"}},
      {"a cycle of links never hangs",
       {MenuKey::Up, MenuKey::Down, MenuKey::Up, MenuKey::Down, MenuKey::Up},
       0,
       0,
       {"normal 0001", "selected 0000"}},
  };
  for (const Case& c : cases) {
    Emu e;
    std::uint64_t now = 0;
    for (MenuKey k : c.keys) {
      e.take();
      e.emu.key(k, now += 10);
    }
    EXPECT_EQ(e.regs.psr[kPsrSelectedButton], c.psr10) << c.name;
    EXPECT_EQ(e.regs.psr[kPsrMenuPage], c.psr11) << c.name;
    EXPECT_EQ(e.take(), c.lastEvents) << c.name;
  }
}

// Page 1 gains button 1 (its own BOG, shown) and an auto-action button 0;
// button 1 of page 0 runs `command`.
void secondPageWithButtonOne(IgMenu& m, NavCommand command) {
  m.ics.pages[0].bogs[1].buttons[0].commands = {command};
  IgPage& p1 = m.ics.pages[1];
  p1.bogs[0].buttons[0].autoAction = 1;
  IgButton one = test::buttonAt(1, 30, 10);
  one.commands = {{0x50400001, 3, 1}};
  Bog g;
  g.defaultValidButton = 1;
  g.buttons.push_back(one);
  p1.bogs.push_back(g);
  p1.defaultActivatedButton = kNoButton;
}

// SetButtonPage as a player runs it: a new page comes up with the button a
// player selects there (not the old button number), which runs at once when
// it is an auto-action button; what a player ignores changes nothing.
TEST(MenuEmulation, SetButtonPageFollowsThePlayer) {
  struct Case {
    const char* name;
    NavCommand command;
    std::function<void(IgMenu&)> more;
    std::uint32_t psr10, psr11;
    std::vector<std::string> events;
    std::uint32_t gpr2;
  };
  const Case cases[] = {
      {"the page flag alone: the new page's default button, run (auto action)",
       {0x51C00003, 0x00000000, 0x80000001}, {}, 0, 1,
       {"activated 0001", "out-effects of page 0", "page 1", "selected 0000", "activated 0000"}, 5},
      {"the page flag alone, no default: the first valid button",
       {0x51C00003, 0x00000000, 0x80000001},
       [](IgMenu& m) {
         m.ics.pages[1].defaultSelectedButton = kNoButton;
         m.ics.pages[1].bogs[0].defaultValidButton = kNoButton;
       },
       1, 1, {"activated 0001", "out-effects of page 0", "page 1", "selected 0001"}, 0},
      {"page and button: the button named", {0x51C00003, 0x80000001, 0x80000001}, {}, 1, 1,
       {"activated 0001", "out-effects of page 0", "page 1", "selected 0001"}, 0},
      {"page and a button the page lacks: the player's choice", {0x51C00003, 0x80000009, 0x80000001}, {}, 0, 1,
       {"activated 0001", "out-effects of page 0", "page 1", "selected 0000", "activated 0000"}, 5},
      {"the out-effect-off flag", {0x51C00003, 0x00000000, 0xC0000001}, {}, 0, 1,
       {"activated 0001", "page 1", "selected 0000", "activated 0000"}, 5},
      {"the page shown: ignored", {0x51C00003, 0x00000000, 0x80000000}, {}, 1, 0, {"activated 0001", "selected 0001"}, 0},
      {"a page the menu lacks: ignored", {0x51C00003, 0x80000000, 0x80000007}, {}, 1, 0,
       {"activated 0001", "selected 0001"}, 0},
      {"a button the page lacks: ignored", {0x51C00003, 0x80000009, 0x00000000}, {}, 1, 0,
       {"activated 0001", "selected 0001"}, 0},
      {"the button alone", {0x51C00003, 0x80000000, 0x00000000}, {}, 0, 0,
       {"activated 0001", "normal 0001", "selected 0000"}, 0},
  };
  for (const Case& c : cases) {
    Emu e([&](IgMenu& m) {
      secondPageWithButtonOne(m, c.command);
      if (c.more) c.more(m);
    });
    e.take();
    e.emu.key(MenuKey::Select, 10);
    e.emu.skipEffects();
    EXPECT_EQ(e.regs.psr[kPsrSelectedButton], c.psr10) << c.name;
    EXPECT_EQ(e.regs.psr[kPsrMenuPage], c.psr11) << c.name;
    EXPECT_EQ(e.take(), c.events) << c.name;
    EXPECT_EQ(e.regs.gpr[2], c.gpr2) << c.name;
  }
}

// Start picks the button as a player does: without a default selected
// button, the first valid one, run at once when it has auto action.
TEST(MenuEmulation, StartWithoutADefaultSelectsTheFirstValidButton) {
  Emu first([](IgMenu& m) { m.ics.pages[0].defaultSelectedButton = kNoButton; });
  EXPECT_EQ(first.take(), (std::vector<std::string>{"page 0", "selected 0000"}));
  EXPECT_EQ(first.regs.psr[kPsrSelectedButton], 0u);

  Emu autoAction([](IgMenu& m) {
    m.ics.pages[0].defaultSelectedButton = kNoButton;
    m.ics.pages[0].bogs[0].defaultValidButton = kNoButton;
    m.ics.pages[0].bogs[1].defaultValidButton = kNoButton;
  });
  EXPECT_EQ(autoAction.take(), (std::vector<std::string>{"page 0", "selected 0002", "activated 0002"}));
  EXPECT_EQ(autoAction.regs.gpr[1], 9u);
}

// A pop-up menu (user interface model bit) shows nothing and runs nothing
// until the Pop-up key; the next Pop-up key or PopUpMenu Off hides it.
TEST(MenuEmulation, APopUpMenuWaitsForThePopUpKey) {
  const auto popUp = [](IgMenu& m) {
    m.ics.model |= 1;
    m.ics.pages[0].bogs[0].buttons[0].commands = {{0x11000007, 0, 0}, {0x50400001, 4, 3}};
  };
  Emu e(popUp);
  EXPECT_EQ(e.take({K::Page, K::Selected, K::Activated, K::PopUp}), (std::vector<std::string>{"pop-up hidden"}));
  EXPECT_EQ(e.regs.psr[kPsrSelectedButton], kNoButton);
  EXPECT_FALSE(e.emu.shown());
  EXPECT_TRUE(e.r.picture.rgba == e.r.background.rgba);
  e.emu.key(MenuKey::Up, 10);
  e.emu.key(MenuKey::Select, 20);
  e.emu.advance(5000);
  EXPECT_TRUE(e.take().empty());

  e.emu.key(MenuKey::PopUp, 30);
  EXPECT_TRUE(e.emu.shown());
  EXPECT_EQ(e.take({K::Page, K::Selected, K::PopUp}),
            (std::vector<std::string>{"pop-up shown", "page 0", "selected 0001"}));
  EXPECT_EQ(pixelAt(e.r.picture, 105, 305), 0x00FF00FFu);  // button 1 selected
  e.emu.key(MenuKey::PopUp, 40);
  EXPECT_FALSE(e.emu.shown());
  EXPECT_TRUE(e.r.picture.rgba == e.r.background.rgba);

  // Button 0 closes the menu with PopUpMenu Off and goes on.
  e.emu.key(MenuKey::PopUp, 50);
  e.emu.key(MenuKey::Up, 60);
  e.take();
  e.emu.key(MenuKey::Select, 70);
  EXPECT_FALSE(e.emu.shown());
  EXPECT_EQ(e.regs.gpr[4], 3u);
  EXPECT_EQ(e.take({K::PopUp}), (std::vector<std::string>{"pop-up hidden"}));

  // An always-on menu has no use for the key.
  Emu always;
  always.take();
  always.emu.key(MenuKey::PopUp, 10);
  EXPECT_TRUE(always.emu.shown());
  EXPECT_TRUE(always.take().empty());
}

TEST(MenuEmulation, EachEffectTellsItsDurationAndTimeShown) {
  Emu e;
  e.emu.key(MenuKey::Select, 10);  // out-effects of page 0: one effect of 100 ms
  e.take();
  e.emu.advance(60);
  EXPECT_TRUE(e.take({K::EffectShown}).empty());
  e.emu.advance(125);
  EXPECT_EQ(e.take({K::EffectShown}), (std::vector<std::string>{"Effect: 0  duration: 100ms, displayed: 115 ms"}));
}

TEST(MenuEmulation, CommandsRunThroughTheInterpreter) {
  Emu e;
  e.emu.key(MenuKey::Up, 10);
  e.emu.key(MenuKey::Select, 20);
  EXPECT_EQ(e.regs.gpr[0], 7u);
  e.emu.key(MenuKey::Right, 30);  // auto-action
  EXPECT_EQ(e.regs.gpr[1], 9u);
  const auto commands = e.take({K::Command});
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_NE(commands[0].find("Line 0000"), std::string::npos) << commands[0];
}

TEST(MenuEmulation, EnableAndDisableButton) {
  Emu e;
  e.emu.key(MenuKey::Up, 10);
  e.emu.key(MenuKey::Up, 20);
  ASSERT_EQ(e.regs.psr[kPsrSelectedButton], 3u);
  e.take();
  // Button 3 enables button 4 of its own BOG: the selection is cleared and
  // comes back on button 4 at the end of the run.
  e.emu.key(MenuKey::Select, 30);
  EXPECT_EQ(e.take(), (std::vector<std::string>{"activated 0003", "enabled 0004", "normal 0004", "selected 0004"}));
  EXPECT_EQ(e.regs.psr[kPsrSelectedButton], 4u);
  EXPECT_TRUE(e.emu.states()[4].shown);
  EXPECT_FALSE(e.emu.states()[3].shown);
  e.emu.key(MenuKey::Select, 40);  // button 4 disables itself
  EXPECT_FALSE(e.emu.states()[4].shown);
  EXPECT_EQ(e.take({K::Disabled}), (std::vector<std::string>{"disabled 0004"}));
}

TEST(MenuEmulation, TimeOutFiresOncePerPageDisplay) {
  Emu e;
  e.emu.key(MenuKey::Select, 10);  // to page 1, whose default activated button is 0
  ASSERT_EQ(e.regs.psr[kPsrMenuPage], 1u);
  e.take();
  e.emu.advance(500);
  EXPECT_EQ(e.take({K::TimeOut}).size(), 0u);
  EXPECT_EQ(e.emu.nextDue(), 1010u);
  e.emu.advance(1010);
  EXPECT_EQ(e.take({K::TimeOut, K::Activated}), (std::vector<std::string>{"time-out", "activated 0000"}));
  EXPECT_EQ(e.regs.gpr[2], 5u);
  e.emu.advance(5000);
  EXPECT_TRUE(e.take({K::TimeOut}).empty());
  // A key re-arms it, counting from the key.
  e.emu.key(MenuKey::Up, 6000);
  e.emu.advance(6999);
  EXPECT_TRUE(e.take({K::TimeOut}).empty());
  e.emu.advance(7000);
  EXPECT_EQ(e.take({K::TimeOut}).size(), 1u);
}

TEST(MenuEmulation, PageZeroHasNoTimeOut) {
  Emu e;
  e.emu.advance(100000);
  EXPECT_TRUE(e.take({K::TimeOut}).empty());
}

TEST(MenuEmulation, OutEffectsPlayByTheClockThenThePageIsDrawn) {
  Emu e;
  e.emu.key(MenuKey::Select, 10);
  EXPECT_TRUE(e.emu.effectsPlaying());
  // The effect object (red, object 0) is on screen in its window.
  EXPECT_EQ(pixelAt(e.r.picture, 5, 5), 0xFF0000FFu);
  e.emu.advance(109);
  EXPECT_TRUE(e.emu.effectsPlaying());
  e.emu.advance(110);
  EXPECT_FALSE(e.emu.effectsPlaying());
  // Window cleared, page 1's button 0 drawn selected (green) at (10,10).
  EXPECT_EQ(pixelAt(e.r.picture, 5, 5), pixelAt(e.r.background, 5, 5));
  EXPECT_EQ(pixelAt(e.r.picture, 15, 15), 0x00FF00FFu);
  // The composition object naming no window was logged once.
  EXPECT_NE(e.rs.rep.text().find("names window 5"), std::string::npos) << e.rs.rep.text();
}

TEST(MenuEmulation, CancelEndsTheEffectsAtOnce) {
  Emu e;
  e.emu.key(MenuKey::Select, 10);
  ASSERT_TRUE(e.emu.effectsPlaying());
  e.emu.skipEffects();
  EXPECT_FALSE(e.emu.effectsPlaying());
  // The page after the effects, not the effect frame.
  EXPECT_EQ(pixelAt(e.r.picture, 5, 5), pixelAt(e.r.background, 5, 5));
  EXPECT_EQ(pixelAt(e.r.picture, 15, 15), 0x00FF00FFu);
  e.emu.skipEffects();  // nothing playing: nothing happens
  EXPECT_FALSE(e.emu.effectsPlaying());
}

TEST(MenuEmulation, ATraceStepsTheSelectedButtonOneCommandPerStart) {
  Emu e;
  e.run.trace = true;
  e.emu.key(MenuKey::Up, 10);
  e.emu.key(MenuKey::Select, 20);
  // Activation with the trace on only prepares line 0.
  ASSERT_TRUE(e.emu.lastRun().trace.has_value());
  EXPECT_EQ(e.emu.lastRun().trace->line, 0u);
  EXPECT_EQ(e.regs.gpr[0], 0u);
  e.emu.continueTrace(0, 30);
  EXPECT_EQ(e.regs.gpr[0], 7u);
  EXPECT_EQ(e.take({K::Command}).size(), 1u);
  // The program is over: a further step runs nothing.
  e.emu.continueTrace(0, 40);
  EXPECT_TRUE(e.take({K::Command}).empty());
}

TEST(MenuEmulation, ChoosingAButtonSelectsItWithoutRunningIt) {
  Emu e;
  e.take();
  e.emu.selectButton(2, 10);  // the auto-action button: chosen, not run
  EXPECT_EQ(e.take(), (std::vector<std::string>{"normal 0001", "selected 0002"}));
  EXPECT_EQ(e.regs.psr[kPsrSelectedButton], 2u);
  EXPECT_EQ(e.regs.gpr[1], 0u);
  e.emu.selectButton(2, 20);  // already selected
  e.emu.selectButton(9, 30);  // no such button
  EXPECT_TRUE(e.take().empty());
  EXPECT_EQ(e.regs.psr[kPsrSelectedButton], 2u);
}

TEST(MenuEmulation, WithoutARendererOnlyEvents) {
  IgMenu m = test::tinyMenu();
  Registers regs;
  RunState run;
  resetRegisters(regs, Options{});
  regs.psr[kPsrMenuPage] = 0;
  MenuEmulator emu(m, regs, run, mirdal::test::testReporter());
  emu.start(0);
  emu.key(MenuKey::Up, 1);
  emu.key(MenuKey::Select, 2);
  EXPECT_EQ(regs.gpr[0], 7u);
}

TEST(MenuEmulation, ARunawayButtonProgramIsStopped) {
  IgMenu m = test::tinyMenu();
  // Button 0 jumps to its own line 0 for ever (Goto 0).
  m.ics.pages[0].bogs[0].buttons[0].commands = {{0x20810000, 0, 0}};
  Registers regs;
  RunState run;
  resetRegisters(regs, Options{});
  regs.psr[kPsrMenuPage] = 0;
  test::ReportScope rs;
  MenuEmulator emu(m, regs, run, mirdal::test::testReporter());
  emu.options.maxSteps = 1000;
  emu.start(0);
  emu.key(MenuKey::Up, 1);
  emu.key(MenuKey::Select, 2);
  EXPECT_NE(rs.rep.text().find("did not end"), std::string::npos);
}

TEST(MenuEmulation, ParseKeys) {
  const std::pair<const char*, std::optional<MenuKey>> cases[] = {
      {"up", MenuKey::Up},     {"D", MenuKey::Down},          {"left", MenuKey::Left},
      {"r", MenuKey::Right},   {"select", MenuKey::Select},   {"enter", MenuKey::Select},
      {"popup", MenuKey::PopUp}, {"Pop-Up", MenuKey::PopUp},  {"p", MenuKey::PopUp},
      {"jump", std::nullopt},  {"", std::nullopt}};
  for (const auto& [text, key] : cases) EXPECT_EQ(parseMenuKey(text), key) << text;
}

// A real composition of the shared samples (skipped when absent) wrapped
// into a .mnu image.
bool loadRealMenu(const char* file, IgMenu& m) {
  const std::filesystem::path root = test::sharedSamples();
  Bytes body;
  if (root.empty() || !readFileBytes((root / file).string(), body)) return false;
  test::ByteBuilder mnu;
  test::addSegment(mnu, 0x18, body, 5400000, 5390000);
  test::addSegment(mnu, 0x80, {}, 5400000);
  return parseMnu(mnu.data(), m, mirdal::test::testReporter()).status == ReadStatus::Ok;
}

constexpr const char* kPopUpMenu = "commercial-metadata/disc24/ics_menu.bin";
constexpr const char* kAlwaysOnMenu = "commercial-metadata/ics/disc10_ics_menu.bin";

// Real compositions: a long key run keeps the selection on a button of the
// current page and never hangs.
TEST(MenuEmulation, RealMenusSurviveLongKeyRuns) {
  for (const char* file : {kPopUpMenu, kAlwaysOnMenu}) {
    test::ReportScope rs;
    IgMenu m;
    if (!loadRealMenu(file, m)) GTEST_SKIP() << "no shared sample " << file;
    Registers regs;
    RunState run;
    resetRegisters(regs, Options{});
    regs.psr[kPsrMenuPage] = 0;
    MenuEmulator emu(m, regs, run, mirdal::test::testReporter());
    emu.options.maxSteps = 10000;
    emu.start(0);
    std::uint64_t now = 0;
    if (emu.popUpMenu()) emu.key(MenuKey::PopUp, now += 700);
    const MenuKey keys[] = {MenuKey::Down, MenuKey::Right, MenuKey::Down, MenuKey::Left, MenuKey::Up, MenuKey::Select};
    std::size_t selections = 0;
    for (int i = 0; i < 3000; ++i) {
      emu.key(keys[i % 6], now += 700);
      const std::uint32_t sel = regs.psr[kPsrSelectedButton];
      ASSERT_LT(regs.psr[kPsrMenuPage], m.ics.pages.size()) << file;
      if (sel != kNoButton && sel < emu.states().size()) ++selections;
      emu.events().clear();
    }
    EXPECT_GT(selections, 0u) << file;
  }
}

// The real pop-up menu: Start runs nothing (before, its 36 auto-action
// commands ran at once); the Pop-up key shows page 0 and runs button 0,
// which ends in SetButtonPage 5, 2 (button 5 of page 2).
TEST(MenuEmulation, TheRealPopUpMenuRunsOnlyAfterThePopUpKey) {
  test::ReportScope rs;
  IgMenu m;
  if (!loadRealMenu(kPopUpMenu, m)) GTEST_SKIP() << "no shared sample " << kPopUpMenu;
  ASSERT_EQ(m.ics.model & 1, 1);
  Registers regs;
  RunState run;
  resetRegisters(regs, Options{});
  regs.psr[kPsrMenuPage] = 0;
  MenuEmulator emu(m, regs, run, mirdal::test::testReporter());
  emu.start(0);
  const auto count = [&](MenuEvent::Kind k) {
    return std::count_if(emu.events().begin(), emu.events().end(), [k](const MenuEvent& e) { return e.kind == k; });
  };
  EXPECT_EQ(count(MenuEvent::Kind::Command), 0);
  EXPECT_EQ(regs.psr[kPsrSelectedButton], kNoButton);
  emu.events().clear();
  emu.key(MenuKey::PopUp, 100);
  EXPECT_GT(count(MenuEvent::Kind::Command), 0);
  EXPECT_EQ(regs.psr[kPsrMenuPage], 2u);
  EXPECT_EQ(regs.psr[kPsrSelectedButton], 5u);
}

}  // namespace
}  // namespace mirdal
