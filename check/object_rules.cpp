// The rules on whole programs: movie objects nothing leads to, and lines no
// path through a program reaches.
#include "check/context.h"
#include "check/flow.h"
#include "check/nav_graph.h"
#include "check/rule_set.h"

namespace mirdal {

void checkUnreachedObjects(const CheckContext& ctx, FindingSink& out) {
  if (!ctx.menusComplete()) return;  // buttons the check cannot see may use it
  if (!ctx.movieObjects || !ctx.index) return;
  for (const NavNode& n : ctx.graph.nodes)
    if (n.kind == NodeKind::Object && !n.reachable)
      out(ctx.movieObjectPlace(n.number),
          "no title, object or button leads to object " + std::to_string(n.number));
}

void checkDeadCode(const CheckContext& ctx, FindingSink& out) {
  for (const Program& p : ctx.programs()) {
    const CommandList& cmds = *p.commands;
    const ProgramFlow flow = programFlow(cmds, p.context);
    if (!flow.known) continue;
    for (std::size_t line = 0; line < cmds.size();) {
      if (flow.runs[line]) {
        ++line;
        continue;
      }
      std::size_t end = line;  // one past the run of lines that never run
      bool onlyNops = true;
      while (end < cmds.size() && !flow.runs[end]) onlyNops = onlyNops && isNop(cmds[end++]);
      if (!onlyNops) {
        // Say the first and last line that are more than padding.
        std::size_t first = line, last = end - 1;
        while (isNop(cmds[first])) ++first;
        while (isNop(cmds[last])) --last;
        std::string what = first == last ? "line " + std::to_string(first) + " is"
                                         : "lines " + std::to_string(first) + "-" + std::to_string(last) + " are";
        std::string why = "no path from line 0 leads here";
        if (line > 0) {
          const NavCommand& before = cmds[line - 1];
          const LineExit e = lineExit(before, p.context);
          if (e == LineExit::Ends || e == LineExit::Goto)
            why = "line " + std::to_string(line - 1) + " (" + commandWords(before, p.context) + ") " +
                  (e == LineExit::Ends ? "ends the program" : "jumps away") + " and no GoTo leads here";
        }
        out(p.place.then(PlacePart::Line, std::uint32_t(first)), what + " never run: " + why);
      }
      line = end;
    }
  }
}

}  // namespace mirdal
