// mirdal-cli resave <file> -o <out> [--force]: reads a disc database file or
// a menu through the model and writes it to out (no backup step). A file
// that is rejected is never written; one read with errors (it ends early, or
// the reader logged an error) only with --force, which writes what was read
// and the guesses where the file could not be read. The log is diagnostics:
// it goes to standard error.
#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/cli_reporter.h"
#include "cli/file_kinds.h"
#include "cli/menu_cli.h"
#include "core/disc_folder.h"
#include "core/save.h"

namespace mirdal::cli {

namespace {

struct ResaveArgs {
  std::string path, out;
  bool force = false;
};

void resave(const ResaveArgs& a, CliContext& ctx, Reporter& rep) {
  requireInputFile(a.path);
  Loaded m = loadFile(a.path, rep);
  if (!m.file) {
    ctx.exitCode = kFailed;
    return;
  }
  if (usable(m.status) && std::holds_alternative<BdjoFile>(*m.file)) {
    std::fprintf(stderr, "mirdal-cli: BD-J object files are read only; nothing written\n");
    ctx.exitCode = kFailed;
    return;
  }
  if (!usable(m.status)) {
    ctx.exitCode = kFailed;
    return;
  }
  if (!m.whole() && !a.force) {
    std::fprintf(stderr,
                 "mirdal-cli: %s was read with errors; nothing written (--force writes what was read, with guesses "
                 "where the file could not be read)\n",
                 a.path.c_str());
    ctx.exitCode = kFailed;
    return;
  }
  if (const IgMenu* menu = std::get_if<IgMenu>(&*m.file); menu && !mayDropDisplaySets(a.path, *menu, a.force)) {
    ctx.exitCode = kFailed;
    return;
  }
  SaveRequest req;
  req.folder = folderOfFile(a.out);
  req.name = std::filesystem::path(a.out).filename().string();
  req.noBackup = true;
  const Resave r = resaveFile(*m.file, req, rep, !m.whole());
  if (r == Resave::ReadOnly) std::fprintf(stderr, "mirdal-cli: %s: read only; nothing written\n", a.path.c_str());
  ctx.exitCode = r == Resave::Saved ? kOk : kFailed;
}

void addResaveCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("resave", "Read an index.bdmv, MovieObject.bdmv, .mpls, .clpi, sound.bdmv or .mnu file and write it back");
  auto a = std::make_shared<ResaveArgs>();
  cmd->add_option("file", a->path, "The file to read")->required();
  cmd->add_option("-o,--output", a->out, "The file to write")->required();
  cmd->add_flag("--force", a->force,
                "Also write a file read with errors (what was read, and guesses where it could not be read), or a "
                "menu whose stream held display sets it drops");
  cmd->callback([&ctx, a] {
    CliReporter err(stderr, colorsFor(stderr), ctx.verbose);
    resave(*a, ctx, err);
  });
}

Subcommand resaveRegistration{"resave", addResaveCommand};

}  // namespace

}  // namespace mirdal::cli
