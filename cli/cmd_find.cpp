// mirdal-cli find <disc> --playlist N | --clips: the Find tool of the
// PLAYLIST and CLIPINF pages.
#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/file_kinds.h"
#include "documents/disc_read.h"
#include "core/display_text.h"
#include "present/clpi_rows.h"
#include "formats/common/find_tool.h"

namespace mirdal::cli {

namespace {

void addFindCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("find", "Which commands play a playlist, or which playlists use each clip");
  auto path = std::make_shared<std::string>();
  auto playlist = std::make_shared<int>(-1);
  auto clips = std::make_shared<bool>(false);
  cmd->add_option("disc", *path, "The BDMV folder, its parent, or any file inside it")->required();
  auto* pl = cmd->add_option("--playlist", *playlist, "The playlist number (00001 or 1)")->check(CLI::Range(0, 65535));
  auto* cl = cmd->add_flag("--clips", *clips, "List the playlists that use each clip; report missing stream files");
  pl->excludes(cl);
  cmd->callback([&ctx, path, playlist, clips] {
    std::error_code ec;
    if (!std::filesystem::exists(*path, ec)) throw InputError{"no such file or folder: " + *path};
    if (*playlist < 0 && !*clips) throw UsageError{"find needs --playlist N or --clips"};
    Workspace ws;
    ws.disc.folder = discFolderFromArgument(*path);
    // The Read's log is told when the Read fails or logged an error or a
    // warning (a file of the disc read with errors makes the exit 1).
    CaptureReporter capture;
    bool read = false;
    {
      read = readDisc(ws, capture);
    }
    if (!read) {
      capture.replayToStderr();
      ctx.exitCode = kFailed;
      return;
    }
    capture.replayDiagnostics();
    const bool readWhole = capture.errors == 0;
    if (*playlist >= 0) {
      logPlaylistFind(zeroPadded(std::uint64_t(*playlist), 5), findPlaylistCommands(ws.mobj.model(), std::uint32_t(*playlist)), *ctx.report);
      if (!readWhole) ctx.exitCode = kFailed;
      return;
    }
    // The playlists' read lines and the missing stream files go to standard
    // error; the references are the result.
    CaptureReporter found;
    {
      findClipReferences(ws.disc, ws.names(), found);
    }
    if (found.errorCount() > 0 || ctx.verbose) found.replayToStderr();
    for (std::size_t i = 0; i < ws.disc.clips.size(); ++i) {
      std::string line = ws.disc.clips[i] + ws.names().clipExt + ":";
      if (ws.disc.ciRefs[i].empty()) line += " (not used)";
      for (const ClipUse& r : ws.disc.ciRefs[i]) {
        const ClipRow row = ciRefRow(r);
        line += " " + row[0] + " " + row[1] + " " + row[2] + ",";
      }
      if (line.back() == ',') line.pop_back();
      std::printf("%s\n", line.c_str());
    }
    ctx.exitCode = found.errorCount() > 0 || !readWhole ? kFailed : kOk;
  });
}

Subcommand findRegistration{"find", addFindCommand};

}  // namespace

}  // namespace mirdal::cli
