// mirdal-cli mux <menu.mnu> -o out.m2ts: the menu as a menu-only stream file
// (its IG stream on PID 0x1400 with the program tables and a clock
// reference).
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/menu_cli.h"
#include "core/disc_folder.h"
#include "core/save.h"
#include "stream/menu_mux.h"

namespace mirdal::cli {

namespace {

void addMuxCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("mux", "Write a menu as a new .m2ts stream file (IG stream on PID 0x1400)");
  struct Args {
    std::string menu, out;
    bool force = false;
  };
  auto a = std::make_shared<Args>();
  cmd->add_option("menu", a->menu, "The .mnu file")->required();
  cmd->add_option("-o,--output", a->out, "The .m2ts file to write")->required();
  cmd->add_flag("--force", a->force, "Write the menu even when its stream held display sets it drops");
  cmd->callback([&ctx, a] {
    requireInputFile(a->menu);
    IgMenu m;
    if (!loadMenuForCli(a->menu, m)) return void(ctx.exitCode = kFailed);
    if (!mayDropDisplaySets(a->menu, m, a->force)) return void(ctx.exitCode = kFailed);
    SaveRequest req;
    req.folder = folderOfFile(a->out);
    req.name = std::filesystem::path(a->out).filename().string();
    req.noBackup = true;
    ctx.exitCode = muxMenuFile(m, req, *ctx.messages) ? kOk : kFailed;
  });
}

Subcommand muxRegistration{"mux", addMuxCommand};

}  // namespace

}  // namespace mirdal::cli
