// mirdal-cli resave <file> -o <out>: reads a disc database file or a menu
// through the model and writes it to out (no backup step). A file that is
// rejected or ends early is not written.
#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/file_kinds.h"
#include "core/disc_folder.h"
#include "core/save.h"

namespace mirdal::cli {

namespace {

void addResaveCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("resave", "Read an index.bdmv, MovieObject.bdmv, .mpls, .clpi, sound.bdmv or .mnu file and write it back");
  auto path = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  cmd->add_option("file", *path, "The file to read")->required();
  cmd->add_option("-o,--output", *out, "The file to write")->required();
  cmd->callback([&ctx, path, out] {
    requireInputFile(*path);
    Loaded m = loadFile(*path);
    if (!m.file) {
      ctx.exitCode = kFailed;
      return;
    }
    if (usable(m.status) && std::holds_alternative<TBDJO>(*m.file)) {
      std::fprintf(stderr, "mirdal-cli: BD-J object files are read only; nothing written\n");
      ctx.exitCode = kFailed;
      return;
    }
    if (m.status != ReadStatus::Ok) {
      ctx.exitCode = kFailed;
      return;
    }
    SaveRequest req;
    req.folder = folderOfFile(*out);
    req.name = std::filesystem::path(*out).filename().string();
    req.noBackup = true;
    const Resave r = resaveFile(*m.file, req);
    if (r == Resave::ReadOnly)
      std::fprintf(stderr, "mirdal-cli: %s: read only; nothing written\n", path->c_str());
    ctx.exitCode = r == Resave::Saved ? kOk : kFailed;
  });
}

Subcommand reg{"resave", addResaveCommand};

}  // namespace

}  // namespace mirdal::cli
