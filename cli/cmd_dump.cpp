// mirdal-cli dump <file> [--json]: what the grids show of a disc database
// file or a menu, or the whole model as JSON.
#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/file_kinds.h"

namespace mirdal::cli {

namespace {

void addDumpCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("dump", "Show an index.bdmv, MovieObject.bdmv, .bdjo, .mpls, .clpi, sound.bdmv or .mnu file (told by its content)");
  auto path = std::make_shared<std::string>();
  auto json = std::make_shared<bool>(false);
  cmd->add_option("file", *path, "The file to show")->required();
  cmd->add_flag("--json", *json, "Print the model as JSON");
  cmd->callback([&ctx, path, json] {
    requireInputFile(*path);
    // The read's log stays off standard output; standard error gets it when
    // the reader logged an error or a warning. A file read with errors
    // shows what was read and exits 1.
    CaptureReporter capture;
    Loaded m;
    {
      m = loadFile(*path, capture);
    }
    if (!usable(m.status) || !m.file) {
      capture.replayToStderr();
      ctx.exitCode = kFailed;
      return;
    }
    const std::string out = *json ? jsonDump(*m.file).dump(2) + "\n" : textDump(*m.file, fileNameOf(*path));
    std::fputs(out.c_str(), stdout);
    if (!m.whole()) {
      capture.replayToStderr();
      ctx.exitCode = kFailed;
    } else {
      capture.replayDiagnostics();
    }
  });
}

Subcommand dumpRegistration{"dump", addDumpCommand};

}  // namespace

}  // namespace mirdal::cli
