// mirdal-cli lint DISC: the disc check, one finding a line; mirdal-cli
// gpr-map DISC: the register map; mirdal-cli navmap DISC: the navigation map.
#include <cstdio>
#include <filesystem>
#include <memory>

#include "check/check_disc.h"
#include "check/check_rows.h"
#include "check/navmap_dot.h"
#include "check/rules.h"
#include "cli/check_json.h"
#include "cli/cli_context.h"
#include "core/disc_folder.h"

namespace mirdal::cli {

namespace {

struct DiscArgs {
  std::string path;
  std::vector<std::string> menus;
};

void addDiscArgument(CLI::App* cmd, DiscArgs& a) {
  cmd->add_option("disc", a.path, "The BDMV folder, its parent, or any file inside it")->required();
  cmd->add_option("--menu", a.menus, "A .mnu file to check as one of the disc's menus (repeatable)");
}

DiscFiles readDisc(const DiscArgs& a) {
  std::error_code ec;
  if (!std::filesystem::exists(a.path, ec)) throw InputError{"no such file or folder: " + a.path};
  for (const std::string& m : a.menus) requireInputFile(m);
  DiscReadOptions o;
  o.menuFiles = a.menus;
  return readDiscFiles(discFolderFromArgument(a.path), o);
}

void addLintCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("lint", "Check a whole disc: every reference, command operand and menu link");
  auto a = std::make_shared<DiscArgs>();
  auto json = std::make_shared<bool>(false);
  auto only = std::make_shared<std::vector<std::string>>();
  auto minimum = std::make_shared<std::string>("note");
  addDiscArgument(cmd, *a);
  cmd->add_flag("--json", *json, "Print the findings as JSON (kind \"lint\")");
  cmd->add_option("--rule", *only, "Only this rule (repeatable; see docs/lint.md)");
  cmd->add_option("--min-severity", *minimum, "Leave out what is less grave: note, warning or error");
  cmd->callback([&ctx, a, json, only, minimum] {
    CheckOptions o;
    const auto sev = severityNamed(*minimum);
    if (!sev) throw UsageError{"--min-severity takes note, warning or error, not '" + *minimum + "'"};
    o.minimum = *sev;
    for (const std::string& id : *only)
      if (!ruleById(id)) throw UsageError{"no rule " + id + " (see docs/lint.md)"};
    o.rules = *only;
    const CheckReport r = checkDisc(readDisc(*a), o);
    if (*json) {
      std::printf("%s\n", lintJson(r).dump(2).c_str());
    } else {
      for (const Finding& f : r.findings) std::printf("%s\n", findingLine(f).c_str());
      std::printf("%s\n", summaryLine(r).c_str());
    }
    ctx.exitCode = r.count(Severity::Error) ? kFailed : kOk;
  });
}

void addGprMapCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("gpr-map", "Which commands and buttons write and read each GPR");
  auto a = std::make_shared<DiscArgs>();
  auto json = std::make_shared<bool>(false);
  addDiscArgument(cmd, *a);
  cmd->add_flag("--json", *json, "Print the map as JSON (kind \"gpr_map\")");
  cmd->callback([&ctx, a, json] {
    const CheckReport r = checkDisc(readDisc(*a), CheckOptions{{"GPR-UNWRITTEN"}, Severity::Note});
    if (*json) {
      std::printf("%s\n", gprMapJson(r.gprs).dump(2).c_str());
    } else {
      for (const GprEntry& e : r.gprs.registers) {
        const auto row = gprRow(e);
        std::printf("%s: written %s, read %s%s\n", row[0].c_str(), row[1].c_str(), row[2].c_str(),
                    row[3].empty() ? "" : ("  (" + row[3] + ")").c_str());
        for (const GprUse& u : e.uses) {
          const auto use = gprUseRow(u);
          std::printf("  %-5s  %-45s  %s%s\n", use[0].c_str(), use[1].c_str(), use[2].c_str(),
                      use[3].empty() ? "" : ("   " + use[3]).c_str());
        }
      }
    }
    ctx.exitCode = kOk;
  });
}

void addNavmapCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("navmap", "The navigation map: entries, titles, objects, playlists, clips, menus");
  auto a = std::make_shared<DiscArgs>();
  auto dot = std::make_shared<bool>(false);
  auto json = std::make_shared<bool>(false);
  addDiscArgument(cmd, *a);
  auto* d = cmd->add_flag("--dot", *dot, "Print Graphviz DOT (the default)");
  auto* j = cmd->add_flag("--json", *json, "Print the map as JSON (kind \"navmap\")");
  d->excludes(j);
  cmd->callback([&ctx, a, json] {
    const CheckReport r = checkDisc(readDisc(*a), CheckOptions{{"GPR-UNWRITTEN"}, Severity::Note});
    if (*json) std::printf("%s\n", navmapJson(r.graph).dump(2).c_str());
    else std::fputs(navmapDot(r.graph).c_str(), stdout);
    ctx.exitCode = kOk;
  });
}

Subcommand lint{"lint", addLintCommand};
Subcommand gprMap{"gpr-map", addGprMapCommand};
Subcommand navmap{"navmap", addNavmapCommand};

}  // namespace

}  // namespace mirdal::cli
