// mirdal-cli palette export <mnu> <id> -o x.pxml|x.act: a menu palette for
// authoring tools.
#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/menu_cli.h"
#include "core/save.h"
#include "menu/palette_files.h"

namespace mirdal::cli {

namespace {

void addPaletteCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("palette", "Export a menu palette as .pxml or .act");
  cmd->require_subcommand(1);
  struct Args {
    std::string menu, id, out;
  };
  auto a = std::make_shared<Args>();
  auto* exp = cmd->add_subcommand("export", "Write a palette as Scenarist Designer .pxml or Adobe .act");
  exp->add_option("menu", a->menu, "The .mnu file")->required();
  exp->add_option("id", a->id, "Palette id")->required();
  exp->add_option("-o,--output", a->out, "The file to write, ending in .pxml or .act")->required();
  exp->callback([&ctx, a] {
    requireInputFile(a->menu);
    const std::string ext = std::filesystem::path(a->out).extension().string();
    if (ext != ".pxml" && ext != ".act") throw UsageError{"the output must end in .pxml or .act: " + a->out};
    std::size_t used = 0;
    unsigned long id = 0;
    try {
      id = std::stoul(a->id, &used, 0);
    } catch (...) {
      used = 0;
    }
    if (used == 0 || used != a->id.size()) throw UsageError{"palette id is not a number: " + a->id};
    IgMenu m;
    if (!loadMenuForCli(a->menu, m)) return void(ctx.exitCode = kFailed);
    if (id >= m.palettes.size())
      throw UsageError{"the menu has " + std::to_string(m.palettes.size()) + " palettes; there is no palette " + a->id};
    std::string error;
    if (!writeFileAtomic(a->out, paletteFile(m.palettes[id], a->out), &error)) {
      std::fprintf(stderr, "mirdal-cli: cannot write %s (%s)\n", a->out.c_str(), error.c_str());
      return void(ctx.exitCode = kFailed);
    }
    ctx.exitCode = kOk;
  });
}

Subcommand paletteRegistration{"palette", addPaletteCommand};

}  // namespace

}  // namespace mirdal::cli
