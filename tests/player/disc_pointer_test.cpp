// The pointer over the menu on screen during playback: a hover over a
// neighbour of the selected button selects it, a click on the selected one
// activates it, and the user-operation masks hold for both.
#include <gtest/gtest.h>

#include "core/options.h"
#include "disc_builder.h"
#include "menu/igs_read.h"
#include "player/disc_player.h"
#include "player/user_ops.h"
#include "support/recording_reporter.h"

namespace mirdal::test {

namespace {

enum class Where { LowerNeighbour, SelectedButton, Corner };
enum class Act { Hover, Click };

struct PointerCase {
  const char* name;
  Where where;
  Act act;
  std::uint32_t itemMask;
  bool selectionMoves;
  std::string expected;  // selection, activation and refusal events after the start
};

// The centre of a button's selected object.
Point centreOf(const IgMenu& m, std::size_t page, std::uint16_t id) {
  const IgButton* b = findButton(m, page, id);
  if (!b || b->selectedStart >= m.objects.size()) return {};
  const IgObject& o = m.objects[b->selectedStart];
  return {b->x + o.width / 2, b->y + o.height / 2};
}

class PointerTest : public ::testing::TestWithParam<PointerCase> {};

TEST_P(PointerTest, DrivesTheMenuOnScreen) {
  const PointerCase& c = GetParam();
  ModelDisc disc = buildDisc(0, kNoObject, {{1}}, {{"Play PL 1\nBreak"}},
                             {{1, PlaylistSpec{{{60, c.itemMask, 0, 0, true}}, {}, 0}}});
  IgMenu menu;
  ASSERT_TRUE(readMnuFile(std::string(MIRDAL_SOURCE_DIR) + "/samples/disc/menu/sample.mnu", menu, mirdal::test::testReporter()).status == ReadStatus::Ok);
  disc.menus["00001"] = menu;
  Registers regs;
  resetRegisters(regs, Options{});
  DiscPlayer p(disc, regs);
  p.start();
  ASSERT_TRUE(p.menu() && p.menu()->shown());
  p.advanceTo(5 * kTicksPerSecond);  // past the page's in-effects
  const std::size_t page = p.menu()->page();
  const std::uint16_t selected = std::uint16_t(regs.psr[kPsrSelectedButton]);
  const IgButton* b = findButton(menu, page, selected);
  ASSERT_TRUE(b);
  ASSERT_NE(b->lower, selected) << "the sample menu's first button has a lower neighbour";
  Point at;
  switch (c.where) {
    case Where::LowerNeighbour: at = centreOf(menu, page, b->lower); break;
    case Where::SelectedButton: at = centreOf(menu, page, selected); break;
    case Where::Corner: at = {0, 0}; break;
  }
  p.events().clear();
  if (c.act == Act::Hover) p.hover(at);
  else p.click(at);

  std::string got;
  for (const DiscEvent& e : p.events())
    if (e.kind == DiscEvent::Kind::Selected || e.kind == DiscEvent::Kind::Activated ||
        e.kind == DiscEvent::Kind::Refused)
      got += (got.empty() ? "" : " | ") + (e.kind == DiscEvent::Kind::Refused ? e.text : std::string(e.text, 0, 9));
  EXPECT_EQ(got, c.expected);
  EXPECT_EQ(regs.psr[kPsrSelectedButton], c.selectionMoves ? b->lower : selected);
}

constexpr std::uint32_t bit(int n) { return std::uint32_t(1) << n; }

const std::vector<PointerCase> kPointer = {
    {"HoverOverTheLowerNeighbourSelectsIt", Where::LowerNeighbour, Act::Hover, 0, true, "selected "},
    {"HoverOverTheSelectedButtonDoesNothing", Where::SelectedButton, Act::Hover, 0, false, ""},
    {"HoverOutsideTheButtonsDoesNothing", Where::Corner, Act::Hover, 0, false, ""},
    // The move is masked: nothing happens and the pointer raises no refusal.
    {"HoverWithDownMaskedIsSilent", Where::LowerNeighbour, Act::Hover, bit(16), false, ""},
    {"ClickOnTheSelectedButtonActivatesIt", Where::SelectedButton, Act::Click, 0, false, "activated | selected "},
    {"ClickOnAnotherButtonDoesNothing", Where::LowerNeighbour, Act::Click, 0, false, ""},
    {"ClickWithActivateMaskedIsRefused", Where::SelectedButton, Act::Click, bit(uoBit({UserOp::Kind::Enter, 0})), false,
     "UO refused: Enter (UO12: Activate button) masked by PlayItem 0 of playlist 00001"},
};

INSTANTIATE_TEST_SUITE_P(Pointer, PointerTest, ::testing::ValuesIn(kPointer),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

}  // namespace mirdal::test
