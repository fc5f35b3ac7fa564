// mirdal-cli object export|import: menu objects to and from 8-bit palette
// PNG images.
//   object export <mnu> <id> [--palette P] -o x.png
//   object import <mnu> <png> [--replace-object N] [--replace-palette P] -o out.mnu
#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/menu_cli.h"
#include "core/disc_folder.h"
#include "core/save.h"
#include "menu/igs_write.h"
#include "menu/object_png.h"

namespace mirdal::cli {

namespace {

std::size_t indexArgument(const std::string& text, const char* what) {
  std::size_t used = 0;
  unsigned long v = 0;
  try {
    v = std::stoul(text, &used, 0);
  } catch (...) {
    used = 0;
  }
  if (used == 0 || used != text.size() || v > 0xFFFF)
    throw UsageError{std::string(what) + " is not a number from 0 to 65535 (decimal or 0x hexadecimal): " + text};
  return v;
}

bool writeOutput(const std::string& path, const Bytes& bytes) {
  std::string error;
  if (writeFileAtomic(path, bytes, &error)) return true;
  std::fprintf(stderr, "mirdal-cli: cannot write %s (%s)\n", path.c_str(), error.c_str());
  return false;
}

void addObjectCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("object", "Export a menu object as a PNG image, or import one");
  cmd->require_subcommand(1);

  struct ExportArgs {
    std::string menu, id, palette = "0", out;
  };
  auto e = std::make_shared<ExportArgs>();
  auto* exp = cmd->add_subcommand("export", "Write an object through a palette as an 8-bit palette PNG");
  exp->add_option("menu", e->menu, "The .mnu file")->required();
  exp->add_option("id", e->id, "Object id")->required();
  exp->add_option("--palette", e->palette, "Palette id (default 0)");
  exp->add_option("-o,--output", e->out, "The PNG file to write")->required();
  exp->callback([&ctx, e] {
    requireInputFile(e->menu);
    const std::size_t id = indexArgument(e->id, "object id");
    const std::size_t pal = indexArgument(e->palette, "palette id");
    IgMenu m;
    if (!loadMenuForCli(e->menu, m)) return void(ctx.exitCode = kFailed);
    if (id >= m.objects.size())
      throw UsageError{"the menu has " + std::to_string(m.objects.size()) + " objects; there is no object " + e->id};
    if (pal >= m.palettes.size())
      throw UsageError{"the menu has " + std::to_string(m.palettes.size()) + " palettes; there is no palette " +
                       e->palette};
    const Bytes png = exportObjectPng(m, id, pal, baseCaption(), *ctx.report);
    if (png.empty()) {
      std::fprintf(stderr, "mirdal-cli: object %zu has no pixels; a PNG needs at least one\n", id);
      return void(ctx.exitCode = kFailed);
    }
    ctx.exitCode = writeOutput(e->out, png) ? kOk : kFailed;
  });

  struct ImportArgs {
    std::string menu, png, object, palette, out;
    bool force = false;
  };
  auto i = std::make_shared<ImportArgs>();
  auto* imp = cmd->add_subcommand("import", "Add a PNG to a menu as an object and a palette (or replace them)");
  imp->add_option("menu", i->menu, "The .mnu file")->required();
  imp->add_option("png", i->png, "An 8-bit palette PNG image")->required();
  imp->add_option("--replace-object", i->object, "Replace this object instead of adding one");
  imp->add_option("--replace-palette", i->palette, "Replace this palette instead of adding one");
  imp->add_option("-o,--output", i->out, "The .mnu file to write")->required();
  imp->add_flag("--force", i->force, "Write the menu even when its stream held display sets it drops");
  imp->callback([&ctx, i] {
    requireInputFile(i->menu);
    requireInputFile(i->png);
    ObjectImport where;
    if (!i->object.empty()) where.replaceObject = indexArgument(i->object, "object id");
    if (!i->palette.empty()) where.replacePalette = indexArgument(i->palette, "palette id");
    IgMenu m;
    if (!loadMenuForCli(i->menu, m)) return void(ctx.exitCode = kFailed);
    if (!mayDropDisplaySets(i->menu, m, i->force)) return void(ctx.exitCode = kFailed);
    if (where.replaceObject && *where.replaceObject >= m.objects.size())
      throw UsageError{"the menu has no object " + i->object + " to replace"};
    if (where.replacePalette && *where.replacePalette >= m.palettes.size())
      throw UsageError{"the menu has no palette " + i->palette + " to replace"};
    Bytes png;
    std::string error;
    if (!readFileBytes(i->png, png, &error)) {
      std::fprintf(stderr, "mirdal-cli: cannot read %s (%s)\n", i->png.c_str(), error.c_str());
      return void(ctx.exitCode = kFailed);
    }
    const auto r = importObjectPng(m, png, where, *ctx.report);
    if (!r) return void(ctx.exitCode = kFailed);
    SaveRequest req;
    req.folder = folderOfFile(i->out);
    req.name = std::filesystem::path(i->out).filename().string();
    req.noBackup = true;
    if (!saveMnu(m, req, *ctx.messages)) return void(ctx.exitCode = kFailed);
    std::printf("object %zu, palette %zu\n", r->object, r->palette);
    ctx.exitCode = kOk;
  });
}

Subcommand objectRegistration{"object", addObjectCommand};

}  // namespace

}  // namespace mirdal::cli
