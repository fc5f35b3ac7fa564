// mirdal-cli check <folder>: the Read of a disc folder, printing its log.
#include <filesystem>

#include "cli/cli_context.h"
#include "documents/disc_read.h"
#include "core/report.h"

namespace mirdal::cli {

namespace {

void addCheckCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("check", "Check and read a disc folder, print the log");
  auto path = std::make_shared<std::string>();
  auto shortNames = std::make_shared<bool>(false);
  cmd->add_option("folder", *path, "The BDMV folder, its parent, or any file inside it")
      ->required();
  cmd->add_flag("--short-names", *shortNames, "Start with the 8.3 file-name set");
  cmd->callback([&ctx, path, shortNames] {
    std::error_code ec;
    if (!std::filesystem::exists(*path, ec)) throw InputError{"no such file or folder: " + *path};
    Workspace ws;
    ws.options.shortNames = *shortNames;
    ws.disc.folder = discFolderFromArgument(*path);
    const int errorsBefore = ctx.report->errorCount();
    const bool passed = readDisc(ws, *ctx.report);
    ctx.exitCode = passed && ctx.report->errorCount() == errorsBefore ? kOk : kFailed;
  });
}

Subcommand checkRegistration{"check", addCheckCommand};

}  // namespace

}  // namespace mirdal::cli
