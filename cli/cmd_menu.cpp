// mirdal-cli menu new|edit: making a menu from nothing and changing it by a
// script.
//   menu new [--size 1920x1080] -o menu.mnu
//   menu edit <mnu> <edits.json> -o out.mnu
#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/menu_cli.h"
#include "cli/menu_edit_json.h"
#include "core/disc_folder.h"
#include "core/save.h"
#include "menu/igs_write.h"
#include "menu/menu_edit.h"

namespace mirdal::cli {

namespace {

// "1920x1080": both sides from 1 to 65535.
bool parseSize(const std::string& text, std::uint16_t& w, std::uint16_t& h) {
  const auto x = text.find('x');
  if (x == std::string::npos) return false;
  try {
    std::size_t a = 0, b = 0;
    const unsigned long wv = std::stoul(text.substr(0, x), &a, 10);
    const unsigned long hv = std::stoul(text.substr(x + 1), &b, 10);
    if (a != x || b != text.size() - x - 1 || wv == 0 || hv == 0 || wv > 0xFFFF || hv > 0xFFFF) return false;
    w = std::uint16_t(wv);
    h = std::uint16_t(hv);
    return true;
  } catch (...) {
    return false;
  }
}

bool saveTo(IgMenu& m, const std::string& out, Reporter& messages) {
  SaveRequest req;
  req.folder = folderOfFile(out);
  req.name = std::filesystem::path(out).filename().string();
  req.noBackup = true;
  return saveMnu(m, req, messages);
}

void addMenuCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("menu", "Create a new menu, or apply a JSON list of edits to one");
  cmd->require_subcommand(1);

  struct NewArgs {
    std::string size = "1920x1080", out;
  };
  auto n = std::make_shared<NewArgs>();
  auto* create = cmd->add_subcommand("new", "Write a new menu: one page with one BOG holding one button");
  create->add_option("--size", n->size, "Video size WIDTHxHEIGHT (default 1920x1080)");
  create->add_option("-o,--output", n->out, "The .mnu file to write")->required();
  create->callback([&ctx, n] {
    std::uint16_t w = 0, h = 0;
    if (!parseSize(n->size, w, h)) throw UsageError{"a size is WIDTHxHEIGHT, e.g. 1920x1080: " + n->size};
    IgMenu m = createMenu(w, h);
    ctx.exitCode = saveTo(m, n->out, *ctx.messages) ? kOk : kFailed;
  });

  struct EditArgs {
    std::string menu, edits, out;
    bool force = false;
  };
  auto e = std::make_shared<EditArgs>();
  auto* edit = cmd->add_subcommand("edit", "Apply a JSON list of edits to a menu and save it");
  edit->add_option("menu", e->menu, "The .mnu file")->required();
  edit->add_option("edits", e->edits, "A JSON file holding a list of edits")->required();
  edit->add_option("-o,--output", e->out, "The .mnu file to write")->required();
  edit->add_flag("--force", e->force, "Write the menu even when its stream held display sets it drops");
  edit->callback([&ctx, e] {
    std::error_code ec;
    for (const std::string& f : {e->menu, e->edits})
      requireInputFile(f);
    Bytes text;
    std::string error;
    if (!readFileBytes(e->edits, text, &error)) {
      std::fprintf(stderr, "mirdal-cli: cannot read %s (%s)\n", e->edits.c_str(), error.c_str());
      return void(ctx.exitCode = kFailed);
    }
    const nlohmann::json edits = nlohmann::json::parse(text.begin(), text.end(), nullptr, false);
    if (edits.is_discarded()) {
      std::fprintf(stderr, "mirdal-cli: %s is not valid JSON\n", e->edits.c_str());
      return void(ctx.exitCode = kFailed);
    }
    IgMenu m;
    if (!loadMenuForCli(e->menu, m)) return void(ctx.exitCode = kFailed);
    if (!mayDropDisplaySets(e->menu, m, e->force)) return void(ctx.exitCode = kFailed);
    const std::string base = std::filesystem::path(e->edits).parent_path().string();
    if (!applyMenuEdits(m, edits, base, error, *ctx.report)) {
      std::fprintf(stderr, "mirdal-cli: %s: %s\n", e->edits.c_str(), error.c_str());
      return void(ctx.exitCode = kFailed);
    }
    ctx.exitCode = saveTo(m, e->out, *ctx.messages) ? kOk : kFailed;
  });
}

Subcommand menuRegistration{"menu", addMenuCommand};

}  // namespace

}  // namespace mirdal::cli
