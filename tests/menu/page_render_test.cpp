// The page renderer: chosen pixels of pages drawn from the tiny menu, the
// animation sequence, clipping, cropping, overlays and the frame timing.
#include <gtest/gtest.h>

#include <functional>

#include "menu/colour.h"
#include "menu/page_render.h"
#include "support/recording_reporter.h"
#include "tiny_menu.h"

namespace mirdal {
namespace {

constexpr std::uint32_t kRed = 0xFF0000FF, kGreen = 0x00FF00FF, kBlue = 0x0000FFFF, kYellow = 0xFFFF00FF;

struct Page {
  IgMenu m = test::tinyMenu();
  PageRenderer r;
  test::ReportScope rs;
  explicit Page(std::size_t page = 0, std::uint32_t psr10 = 1) {
    r.menu = &m;
    r.report = &rs.rep;
    drawBackground(r);
    resetButtonStates(r, page);
    drawPage(r, psr10);
  }
  std::uint32_t bg(int x, int y) const { return pixelAt(r.background, x, y); }
  std::uint32_t at(int x, int y) const { return pixelAt(r.picture, x, y); }
};

TEST(PageRender, PageShowsShownButtonsAndTheSelectedOne) {
  Page p;
  struct Pixel {
    int x, y;
    std::uint32_t rgba;
    const char* what;
  };
  const Pixel pixels[] = {
      {100, 100, kRed, "button 0 normal, top left"},
      {109, 109, kRed, "button 0 normal, bottom right"},
      {105, 305, kGreen, "button 1 selected"},
      {305, 105, kRed, "button 2 normal"},
      {505, 105, kRed, "button 3, the BOG's shown button"},
  };
  for (const Pixel& px : pixels) EXPECT_EQ(p.at(px.x, px.y), px.rgba) << px.what;
  for (auto [x, y] : {std::pair{99, 100}, {110, 105}, {105, 110}, {0, 0}, {1919, 1079}})
    EXPECT_EQ(p.at(x, y), p.bg(x, y)) << x << "," << y;
}

TEST(PageRender, BackgroundIsTheColourUnderTheBuiltInPicture) {
  Page p;
  // Row 1 of the built-in picture is fully transparent between grid lines.
  EXPECT_EQ(p.bg(5, 1), 0x000080FFu);
  p.r.options.background = {10, 20, 30};
  drawBackground(p.r);
  EXPECT_EQ(p.bg(5, 1), 0x0A141EFFu);
  EXPECT_EQ(p.r.background.width, 1920);
  EXPECT_EQ(p.r.background.height, 1080);
}

TEST(PageRender, HalfTransparentObjectsBlend) {
  Page p;
  IgButton& b = p.m.ics.pages[0].bogs[0].buttons[0];
  b.normalStart = b.normalEnd = 3;  // white, T = 128
  drawButton(p.r, 0, ButtonLook::Normal);
  const std::uint32_t under = p.bg(100, 100);
  auto mix = [](unsigned s, unsigned d) { return (s * 128 + d * 127 + 127) / 255; };
  const std::uint32_t want = mix(255, under >> 24) << 24 | mix(255, (under >> 16) & 255) << 16 |
                             mix(255, (under >> 8) & 255) << 8 | 255;
  EXPECT_EQ(p.at(100, 100), want);
}

TEST(PageRender, NormalAnimationSequence) {
  struct Case {
    std::uint8_t repeat;
    std::vector<std::uint32_t> colours;  // at (105,305) after drawButton and each tick
  };
  const Case cases[] = {
      {0, {kRed, kGreen, kBlue, kYellow, kYellow, kYellow}},
      {1, {kRed, kGreen, kBlue, kYellow, kRed, kGreen}},
  };
  for (const Case& c : cases) {
    Page p(0, 0);  // button 1 not selected: normal state 4..7
    p.m.ics.pages[0].bogs[1].buttons[0].normalRepeat = c.repeat;
    resetButtonStates(p.r, 0);
    drawButton(p.r, 1, ButtonLook::Normal);
    std::vector<std::uint32_t> seen{p.at(105, 305)};
    for (int i = 0; i < 5; ++i) {
      animationTick(p.r, 0);
      seen.push_back(p.at(105, 305));
    }
    EXPECT_EQ(seen, c.colours) << "repeat " << int(c.repeat);
  }
}

// `render --frame N` draws the picture after N ticks at once: the same
// picture as N ticks, for single runs, repeats and overlapping buttons, and
// a huge N costs no more than a small one.
TEST(PageRender, AnimateStepsDrawsWhatTheTicksWouldHaveDrawn) {
  struct Case {
    const char* name;
    std::uint32_t psr10;
    std::function<void(IgMenu&)> setup;
  };
  const Case cases[] = {
      {"a single run ends on its last object", 0, [](IgMenu&) {}},
      {"a repeat cycles", 0, [](IgMenu& m) { m.ics.pages[0].bogs[1].buttons[0].normalRepeat = 1; }},
      {"the selected button animates its selected state", 1,
       [](IgMenu& m) {
         IgButton& b = m.ics.pages[0].bogs[1].buttons[0];
         b.selectedStart = 4, b.selectedEnd = 6, b.selectedRepeat = 1;
       }},
      {"a finished button under one still animating", 0,
       [](IgMenu& m) {
         IgButton& b = m.ics.pages[0].bogs[2].buttons[0];  // button 2, over button 1's right half
         b.x = 105, b.y = 300, b.normalStart = 5, b.normalEnd = 6, b.normalRepeat = 1;
       }},
  };
  for (const Case& c : cases) {
    for (std::uint64_t steps : {0, 1, 2, 3, 4, 5, 7, 11, 12}) {
      Page ticked(0, c.psr10), direct(0, c.psr10);
      c.setup(ticked.m);
      c.setup(direct.m);
      for (Page* p : {&ticked, &direct}) {
        resetButtonStates(p->r, 0);
        drawPage(p->r, c.psr10);
      }
      for (std::uint64_t k = 0; k < steps; ++k) animationTick(ticked.r, c.psr10);
      animateSteps(direct.r, c.psr10, ButtonLook::Selected, steps);
      EXPECT_TRUE(ticked.r.picture.rgba == direct.r.picture.rgba) << c.name << ", " << steps << " steps";
    }
  }
  // Four billion steps of a 4-object cycle and of a 2-object cycle: the
  // picture of 4294967295 mod 4 = 3 steps.
  Page huge(0, 0), three(0, 0);
  for (Page* p : {&huge, &three}) {
    cases[3].setup(p->m);
    p->m.ics.pages[0].bogs[1].buttons[0].normalRepeat = 1;
    resetButtonStates(p->r, 0);
    drawPage(p->r, 0);
  }
  animateSteps(huge.r, 0, ButtonLook::Selected, 4294967295ull);
  animateSteps(three.r, 0, ButtonLook::Selected, 3);
  EXPECT_TRUE(huge.r.picture.rgba == three.r.picture.rgba);
}

// The selection a player makes when a page comes up, which Start, a page
// change and the still picture all follow.
TEST(PageRender, SelectionWhenAPageComesUp) {
  struct Case {
    const char* name;
    std::function<void(IgMenu&)> setup;
    std::uint32_t current;
    std::uint16_t selected;
  };
  const Case cases[] = {
      {"the default selected button", [](IgMenu&) {}, kNoButton, 1},
      {"the default wins over PSR 10", [](IgMenu&) {}, 2, 1},
      {"no default: PSR 10 when it is shown", [](IgMenu& m) { m.ics.pages[0].defaultSelectedButton = kNoButton; }, 2,
       2},
      {"no default: the first shown button", [](IgMenu& m) { m.ics.pages[0].defaultSelectedButton = kNoButton; },
       kNoButton, 0},
      {"PSR 10 hidden in its BOG is not taken",
       [](IgMenu& m) { m.ics.pages[0].defaultSelectedButton = kNoButton; }, 4, 0},
      {"a default hidden in its BOG is not taken",
       [](IgMenu& m) {
         m.ics.pages[0].defaultSelectedButton = 4;
         m.ics.pages[0].bogs[0].defaultValidButton = kNoButton;
       },
       kNoButton, 1},
      {"a default naming no button", [](IgMenu& m) { m.ics.pages[0].defaultSelectedButton = 77; }, kNoButton, 0},
      {"nothing shown: none",
       [](IgMenu& m) {
         for (Bog& g : m.ics.pages[0].bogs) g.defaultValidButton = kNoButton;
       },
       2, kNoButton},
  };
  for (const Case& c : cases) {
    Page p;
    c.setup(p.m);
    resetButtonStates(p.r, 0);
    EXPECT_EQ(selectedOnPageShow(p.r, c.current), c.selected) << c.name;
  }
}

TEST(PageRender, AnimationStepRedrawsOnlyTheButton) {
  Page p(0, 0);
  p.r.dirty.clear();
  animationTick(p.r, 0);
  ASSERT_FALSE(p.r.dirty.empty());
  for (const Rect& rc : p.r.dirty) EXPECT_EQ(rc, (Rect{100, 300, 10, 10}));
}

TEST(PageRender, SelectedAndActivatedStates) {
  Page p;
  drawButton(p.r, 0, ButtonLook::Selected);
  EXPECT_EQ(p.at(105, 105), kGreen);
  drawButton(p.r, 0, ButtonLook::Activated);
  EXPECT_EQ(p.at(105, 105), kBlue);
  drawButton(p.r, 0, ButtonLook::Normal);
  EXPECT_EQ(p.at(105, 105), kRed);
  // No selection: nothing drawn selected.
  Page none(0, kNoButton);
  EXPECT_EQ(none.at(105, 305), kRed);  // button 1 normal, first frame
}

TEST(PageRender, ButtonsOutsideThePageAreClipped) {
  Page p;
  IgButton& b = p.m.ics.pages[0].bogs[0].buttons[0];
  b.x = 1915;
  b.y = 1075;
  p.r.dirty.clear();
  drawButton(p.r, 0, ButtonLook::Normal);
  EXPECT_EQ(p.at(1919, 1079), kRed);
  EXPECT_EQ(p.at(1914, 1079), p.bg(1914, 1079));
  for (const Rect& rc : p.r.dirty) EXPECT_LE(rc.x + rc.w, 1920);
  b.x = 0xFFFF;
  b.y = 0xFFFF;
  drawButton(p.r, 0, ButtonLook::Normal);  // wholly outside: nothing, no crash
}

TEST(PageRender, MissingObjectsDrawNothingAndLogOnce) {
  Page p;
  IgButton& b = p.m.ics.pages[0].bogs[0].buttons[0];
  b.normalStart = b.normalEnd = 40;
  p.r.options.buttonId = true;
  const Canvas before = p.r.picture;
  for (int i = 0; i < 3; ++i) drawButton(p.r, 0, ButtonLook::Normal);
  EXPECT_EQ(p.r.picture.rgba, before.rgba);  // neither object nor overlay
  std::size_t count = 0;
  for (const std::string& l : p.rs.rep.lines()) count += l.find("object 0028 does not exist") != std::string::npos;
  EXPECT_EQ(count, 1u) << p.rs.rep.text();
  // 0xFFFF means "no object": silent.
  b.normalStart = b.normalEnd = kNoObjectId;
  drawButton(p.r, 0, ButtonLook::Normal);
  EXPECT_EQ(p.rs.rep.lines().size(), 1u);
}

TEST(PageRender, Overlays) {
  Page p;
  p.r.options.buttonId = true;
  p.r.options.buttonFrame = true;
  drawButton(p.r, 0, ButtonLook::Normal);
  // The id box at (x + 3, y + 3) in the normal button colour; the first
  // glyph cell (x + 4, y + 4) is a stroke of the "0" (black).
  EXPECT_EQ(p.at(103, 103), 0xFFFFFFFFu);
  EXPECT_EQ(p.at(105, 104), 0x000000FFu);
  // Normal frame silver on the rectangle's edge.
  EXPECT_EQ(p.at(100, 109), 0xC0C0C0FFu);
  drawButton(p.r, 0, ButtonLook::Selected);
  EXPECT_EQ(p.at(100, 109), 0xFF0000FFu);  // selected frame red
  EXPECT_EQ(p.at(103, 103), 0xFFFF00FFu);  // selected button yellow
}

TEST(PageRender, DisabledButtonIsRemovedUnlessItsBogShowsAnother) {
  Page p;
  p.r.states[4].shown = true;  // another button of BOG 3 is shown
  removeButton(p.r, 3);
  EXPECT_EQ(p.at(505, 105), kRed);
  p.r.states[4].shown = false;
  p.r.states[3].shown = false;
  removeButton(p.r, 3);
  EXPECT_EQ(p.at(505, 105), p.bg(505, 105));
}

TEST(PageRender, CroppedObject) {
  IgMenu m = test::tinyMenu();
  const RgbaPicture* whole = cachedObjectPicture(m, 8, 0, mirdal::test::testReporter());
  ASSERT_TRUE(whole);
  const RgbaPicture cut = cropPicture(*whole, 10, 0, 20, 20);
  ASSERT_EQ(cut.width, 20);
  ASSERT_EQ(cut.height, 20);
  for (int col : {0, 1, 2, 19}) {
    const std::uint8_t* px = &cut.rgba[std::size_t(col) * 4];
    const std::uint8_t* src = &whole->rgba[std::size_t(10 + col) * 4];
    EXPECT_EQ(std::vector<std::uint8_t>(px, px + 4), std::vector<std::uint8_t>(src, src + 4)) << col;
  }
  // A crop reaching past the object is cut to it.
  EXPECT_EQ(cropPicture(*whole, 30, 15, 20, 20).width, 10);
  EXPECT_EQ(cropPicture(*whole, 50, 0, 5, 5).width, 0);
}

TEST(PageRender, EffectsDrawInTheirWindowsAndClearAfterwards) {
  Page p;
  EffectSequence seq = p.m.ics.pages[0].effects[1];
  seq.effects[0].compObjects[0].objectId = 8;  // 40 x 20, window 50 x 50
  seq.effects[0].compObjects[0].x = 30;        // half outside the window
  seq.effects[0].compObjects[0].flags = 0;
  drawEffect(p.r, seq, 0);
  EXPECT_EQ(p.at(30, 0), kRed);                 // column 0 of object 8
  EXPECT_EQ(p.at(55, 5), p.bg(55, 5));          // clipped at the window's edge
  EXPECT_EQ(p.at(65, 5), kGreen);               // the object naming no window, on the page
  endEffects(p.r, seq);
  EXPECT_EQ(p.at(30, 0), p.bg(30, 0));
  // Cropped: columns 10..29 of object 8 at (0, 0).
  seq.effects[0].compObjects[0] = {8, 0, 2, 0, 0, 10, 0, 20, 20};
  drawEffect(p.r, seq, 0);
  EXPECT_EQ(p.at(0, 0), 0x00FF00FFu);  // column 10: entry 1 + 10 % 3 = 2, green
  EXPECT_EQ(p.at(20, 0), p.bg(20, 0)); // past the crop width
}

TEST(PageRender, AnimationInterval) {
  struct Case {
    std::uint8_t rate, code;
    std::uint32_t ms;
  };
  const Case cases[] = {{1, 2, 83}, {2, 1, 41}, {3, 1, 40}, {4, 1, 33}, {6, 1, 20}, {7, 2, 33},
                        {2, 0, 0},  {0, 1, 41}, {5, 1, 41}, {15, 1, 41}};
  for (const Case& c : cases)
    EXPECT_EQ(animationIntervalMs(c.rate, c.code), c.ms) << int(c.rate) << "/" << int(c.code);
}

TEST(PageRender, StateTableOfAPage) {
  Page p;
  ASSERT_EQ(p.r.states.size(), 5u);
  EXPECT_EQ(p.r.states[4].bog, 3);
  EXPECT_EQ(p.r.states[4].index, 1);
  EXPECT_TRUE(p.r.states[1].normalAnimating);
  EXPECT_FALSE(p.r.states[0].normalAnimating);
  EXPECT_FALSE(p.r.states[4].shown);
}

}  // namespace
}  // namespace mirdal
