// mirdal-cli resave <file> -o <out>: reads an index or movie object file
// through the model and writes it to out (no backup step). A file that is
// rejected or ends early is not written.
#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/clip_file.h"
#include "cli/load_model.h"
#include "cli/menu_cli.h"
#include "cli/sound_file.h"
#include "core/disc_folder.h"
#include "core/save.h"

namespace mirdal::cli {

namespace {

void addResaveCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("resave", "Read an index.bdmv, MovieObject.bdmv, .mpls or .mnu file and write it back");
  auto path = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  cmd->add_option("file", *path, "The file to read")->required();
  cmd->add_option("-o,--output", *out, "The file to write")->required();
  cmd->callback([&ctx, path, out] {
    std::error_code ec;
    if (!std::filesystem::exists(*path, ec)) throw InputError{"no such file: " + *path};
    if (isMenuFile(*path)) return void(ctx.exitCode = runMenuResave(*path, *out));
    if (isClipFile(*path)) {
      ctx.exitCode = resaveClipFile(*path, *out);
      return;
    }
    if (isSoundFilePath(*path)) return void(ctx.exitCode = resaveSoundFile(*path, *out));
    const LoadedModel m = loadModel(*path);
    if (m.kind == FileKind::BDJObject && usable(m.status)) {
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
    const bool saved = m.kind == FileKind::Index      ? indexsave(m.index, req)
                       : m.kind == FileKind::Playlist ? plsave(m.mpls, req)
                                                      : mobjsave(m.mobj, req);
    ctx.exitCode = saved ? kOk : kFailed;
  });
}

Subcommand reg{"resave", addResaveCommand};

}  // namespace

}  // namespace mirdal::cli
