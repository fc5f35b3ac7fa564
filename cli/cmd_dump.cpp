// mirdal-cli dump <file> [--json]: what the grids show of an index, movie
// object or BD-J object file, or the whole model as JSON.
#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/clip_file.h"
#include "cli/dump_text.h"
#include "cli/json_model.h"
#include "cli/load_model.h"
#include "cli/menu_cli.h"
#include "cli/playlist_cli.h"
#include "cli/sound_file.h"

namespace mirdal::cli {

namespace {

void addDumpCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("dump", "Show an index.bdmv, MovieObject.bdmv, .bdjo, .mpls or .mnu file (told by its content)");
  auto path = std::make_shared<std::string>();
  auto json = std::make_shared<bool>(false);
  cmd->add_option("file", *path, "The file to show")->required();
  cmd->add_flag("--json", *json, "Print the model as JSON");
  cmd->callback([&ctx, path, json] {
    std::error_code ec;
    if (!std::filesystem::exists(*path, ec)) throw InputError{"no such file: " + *path};
    if (isMenuFile(*path)) return void(ctx.exitCode = runMenuDump(*path, *json));
    if (isClipFile(*path)) {
      ctx.exitCode = dumpClipFile(*path, *json);
      return;
    }
    if (isSoundFilePath(*path)) return void(ctx.exitCode = dumpSoundFile(*path, *json));
    // The read's log stays off standard output; it is shown only when the
    // read went wrong.
    CaptureReporter capture;
    LoadedModel m;
    {
      ScopedReporter scope(capture);
      m = loadModel(*path);
    }
    if (!usable(m.status)) {
      capture.replayToStderr();
      ctx.exitCode = kFailed;
      return;
    }
    const std::string name = fileNameOf(*path);
    std::string out;
    switch (m.kind) {
      case FileKind::Index:
        out = *json ? jsonDocument("index", toJson(m.index)).dump(2) + "\n" : dumpIndexText(m.index, name);
        break;
      case FileKind::MovieObject:
        out = *json ? jsonDocument("movie_objects", toJson(m.mobj)).dump(2) + "\n" : dumpMovieObjectsText(m.mobj, name);
        break;
      case FileKind::BDJObject:
        out = *json ? jsonDocument("bdjo", toJson(m.bdjo)).dump(2) + "\n" : dumpBDJOText(m.bdjo, name);
        break;
      case FileKind::Playlist:
        out = *json ? playlistJson(m.mpls).dump(2) + "\n" : dumpPlaylistText(m.mpls, name);
        break;
      case FileKind::Unknown:
        break;
    }
    std::fputs(out.c_str(), stdout);
    if (m.status == ReadStatus::Truncated) {
      capture.replayToStderr();
      ctx.exitCode = kFailed;
    }
  });
}

Subcommand reg{"dump", addDumpCommand};

}  // namespace

}  // namespace mirdal::cli
