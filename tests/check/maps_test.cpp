// The register map, the lines a program runs and the navigation map, on
// small programs and on the clean disc.
#include <gtest/gtest.h>

#include "check/check_disc.h"
#include "check/flow.h"
#include "check/gpr_map.h"
#include "check/navmap_dot.h"
#include "check/navmap_layout.h"
#include "tests/support/clean_disc.h"
#include "tests/support/temp_dir.h"

namespace mirdal {
namespace {

// "R2 W1": read GPR2, write GPR1; an "i" marks an indirect use.
std::string accessText(const NavCommand& c) {
  std::string s;
  for (const RegisterAccess& a : gprAccesses(c)) {
    if (!s.empty()) s += ' ';
    s += (a.access == Access::Read ? "R" : "W") + std::to_string(a.gpr) + (a.form == AccessForm::Indirect ? "i" : "");
  }
  return s;
}

TEST(GprAccesses, FollowWhatEachCommandReadsAndWrites) {
  const struct {
    NavCommand c;
    const char* accesses;
  } cases[] = {
      {{0x50000001, 1, 2}, "R2 W1"},                    // Move GPR1, GPR2: the destination is only written
      {{0x50400001, 1, 7}, "W1"},                       // Move GPR1, 7
      {{0x50000003, 1, 2}, "R1 R2 W1"},                 // Add GPR1, GPR2
      {{0x50000003, 1, 1}, "R1 W1"},                    // Add GPR1, GPR1: one read, one write
      {{0x50000002, 3, 3}, "R3 W3"},                    // Swap GPR3, GPR3
      {{0x50400008, 5, 6}, "W5"},                       // Rnd GPR5, 6
      {{0x50000002, 3, 4}, "R3 R4 W3 W4"},              // Swap GPR3, GPR4
      {{0x50000001, 4, 0x80000004}, "W4"},              // Move GPR4, PSR4: PSRs are not GPRs
      {{0x50400001, 0x80000010, 1}, ""},                // Move PSR16, 1 (MO-PSR-WRITE's business)
      {{0x48000200, 1, 2}, "R1 R2"},                    // EQ GPR1, GPR2
      {{0x20010000, 9, 0}, "R9"},                       // GoTo GPR9
      {{0x42010000, 10, 11}, "R10 R11"},                // Play PL_PI GPR10, GPR11
      {{0x51000001, 0x80018002, 0x00038004}, "R1i R2i R3i R4i"},  // SetStream GPR1, GPR2, (GPR3), GPR4
      {{0x51000003, 0x80000005, 0x80000006}, "R5i R6i"},          // SetButtonPage GPR5, GPR6
      {{0x51C00003, 0x80000005, 0x80000006}, ""},                 // SetButtonPage 5, 6
      {{0x00000001, 1, 2}, ""},                                   // an invalid word does nothing
  };
  for (const auto& t : cases) EXPECT_EQ(accessText(t.c), t.accesses) << std::hex << t.c.opcode;
}

std::string runsText(const CommandList& p, CommandContext ctx = CommandContext::MovieObject) {
  const ProgramFlow f = programFlow(p, ctx);
  std::string s;
  for (bool r : f.runs) s += r ? 'x' : '.';
  return f.known ? s : s + "?";
}

TEST(ProgramFlow, FollowsCompareGotoAndTheCommandsThatEnd) {
  const NavCommand brk{0x00020000, 0, 0}, nop{0, 0, 0}, eq{0x48400200, 1, 1}, jumpTitle{0x21810000, 1, 0};
  const NavCommand move{0x50400001, 1, 1}, sbp{0x51C00003, 0x80000001, 0}, callTitle{0x21830000, 1, 0};
  EXPECT_EQ(runsText({move, brk, move}), "xx.");
  EXPECT_EQ(runsText({eq, brk, move}), "xxx");                   // a compare may skip the Break
  EXPECT_EQ(runsText({{0x20810000, 2, 0}, move, move}), "x.x");  // GoTo 2
  EXPECT_EQ(runsText({{0x20010000, 2, 0}, move, move}), "x..?");  // GoTo GPR2: not known
  EXPECT_EQ(runsText({jumpTitle, nop, move}), "x..");
  EXPECT_EQ(runsText({callTitle, move}), "xx");                             // back after the title
  EXPECT_EQ(runsText({callTitle, move}, CommandContext::ButtonCommands), "x.");  // a button's program is over
  EXPECT_EQ(runsText({sbp, move}), "xx");                                   // in a movie object it only sets PSRs
  EXPECT_EQ(runsText({sbp, move}, CommandContext::ButtonCommands), "x.");
}

CheckReport checkClean(const std::function<void(test::CleanDisc&)>& edit = {}) {
  test::TempDir dir;
  test::CleanDisc disc;
  if (edit) edit(disc);
  return checkDisc(readDiscFiles(disc.write(dir.path())));
}

const NavNode& node(const NavGraph& g, const std::string& key) {
  const long i = g.find(key);
  EXPECT_GE(i, 0) << key;
  return g.nodes.at(std::size_t(i));
}

bool hasEdge(const NavGraph& g, const std::string& from, const std::string& to, const std::string& label = "") {
  for (const NavEdge& e : g.edges)
    if (g.nodes[e.from].key == from && g.nodes[e.to].key == to && (label.empty() || e.label == label)) return true;
  return false;
}

TEST(NavGraph, LeadsFromTheEntriesToTheMenusButtons) {
  const NavGraph g = checkClean().graph;
  EXPECT_TRUE(hasEdge(g, "fp", "obj0"));
  EXPECT_TRUE(hasEdge(g, "title2", "obj3"));
  EXPECT_TRUE(hasEdge(g, "obj0", "title1", "line 1: Jump Title 1"));
  EXPECT_TRUE(hasEdge(g, "obj3", "tm", "line 4: Jump Title 0"));
  EXPECT_TRUE(hasEdge(g, "obj1", "pl00001", "line 0: Play PL 1"));
  EXPECT_TRUE(hasEdge(g, "pl00001", "clip00001"));
  EXPECT_TRUE(hasEdge(g, "clip00001", "m0"));
  EXPECT_TRUE(hasEdge(g, "m0.p0.b1", "m0.p1", "line 2: SetButtonPage 1, 1"));
  EXPECT_TRUE(hasEdge(g, "m0.p0.b2", "title1", "line 0: Jump Title 1"));
  for (const NavNode& n : g.nodes) EXPECT_TRUE(n.reachable) << n.key;
}

TEST(NavGraph, AnObjectOnlyARegisterJumpReachesIsUnreachable) {
  const NavGraph g = checkClean([](test::CleanDisc& d) {
                       d.objects.movieObjects.objects.push_back(MovieObject{0, 0, 0, {{0x00020000, 0, 0}}});
                       d.objects.movieObjects.objects[1].commands.push_back({0x21000000, 0, 0});  // Jump Object GPR0
                     }).graph;
  EXPECT_FALSE(node(g, "obj4").reachable);
  EXPECT_TRUE(node(g, "obj3").reachable);
}

TEST(NavmapDot, QuotesLabelsAndGreysWhatNothingReaches) {
  NavGraph g;
  g.nodes.push_back(NavNode{NodeKind::Title, 1, "title1", "Title \"1\"", {}, -1, true});
  g.nodes.push_back(NavNode{NodeKind::Object, 4, "obj4", "Object 4", {}, -1, false});
  g.edges.push_back(NavEdge{0, 1, "line 0: Jump \\ Object", {}});
  const std::string dot = navmapDot(g);
  EXPECT_NE(dot.find("\"title1\" [label=\"Title \\\"1\\\"\", shape=box];"), std::string::npos) << dot;
  EXPECT_NE(dot.find("\"obj4\" [label=\"Object 4\", shape=box, style=\"rounded,filled\""), std::string::npos) << dot;
  EXPECT_NE(dot.find("\"title1\" -> \"obj4\" [label=\"line 0: Jump \\\\ Object\"];"), std::string::npos) << dot;
}

TEST(NavmapLayout, PutsEachKindInItsColumnAndCurvesBackEdgesRight) {
  const NavGraph g = checkClean().graph;
  const NavLayout l = layoutNavGraph(g);
  ASSERT_EQ(l.boxes.size(), g.nodes.size());
  EXPECT_LT(l.boxes[std::size_t(g.find("title1"))].x, l.boxes[std::size_t(g.find("obj2"))].x);
  EXPECT_LT(l.boxes[std::size_t(g.find("obj2"))].x, l.boxes[std::size_t(g.find("pl00000"))].x);
  // obj0 -> title1 runs back to the left: it leaves and enters on the right.
  for (std::size_t i = 0; i < g.edges.size(); ++i) {
    const NavEdge& e = g.edges[i];
    if (g.nodes[e.from].key != "obj0" || g.nodes[e.to].key != "title1") continue;
    const NodeBox& to = l.boxes[e.to];
    EXPECT_DOUBLE_EQ(l.curves[i].to.x, to.x + to.width);
  }
}

}  // namespace
}  // namespace mirdal
