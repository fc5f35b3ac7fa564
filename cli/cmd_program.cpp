// mirdal-cli program <MovieObject.bdmv> <object> [--bin] [-o file]: a movie
// object's program as the "Save program list" export writes it; `program
// import` (program_import_cli.h) takes one back.
#include <unistd.h>

#include <cstdio>

#include "cli/cli_context.h"
#include "cli/file_kinds.h"
#include "cli/program_import_cli.h"
#include "nav/program_export.h"

namespace mirdal::cli {

namespace {

void addProgramCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("program", "Export a movie object's program as a list (.lst) or raw words (.bin)");
  struct Args {
    std::string path, output;
    std::string object;
    bool binary = false;
  };
  auto a = std::make_shared<Args>();
  // Not required by CLI11: `program import ...` gives neither.
  cmd->add_option("file", a->path, "The MovieObject.bdmv file");
  cmd->add_option("object", a->object, "The movie object's number (from 0)");
  cmd->add_flag("--bin", a->binary, "Write the command words (12 bytes per command) instead of the list");
  cmd->add_option("-o,--output", a->output, "Write to this file (created or overwritten) instead of standard output");
  const CLI::App* import = addProgramImport(*cmd, ctx);
  cmd->callback([&ctx, a, import] {
    if (import->parsed()) return;
    if (a->path.empty() || a->object.empty())
      throw UsageError{"program needs the MovieObject.bdmv file and the object's number (or: program import)"};
    bool whole = true;
    const std::optional<CommandList> program = loadObjectProgram(a->path, objectArgument(a->object), whole);
    if (!program) {
      ctx.exitCode = kFailed;
      return;
    }
    if (!a->output.empty()) {
      ctx.exitCode = saveProgram(a->output, *program, a->binary, *ctx.report) && whole ? kOk : kFailed;
      return;
    }
    if (a->binary && ::isatty(fileno(stdout)))
      throw UsageError{"--bin writes raw words: give -o <file> or redirect standard output"};
    if (a->binary) {
      const Bytes b = programBinary(*program);
      std::fwrite(b.data(), 1, b.size(), stdout);
    } else {
      const std::string text = programList(*program);
      std::fwrite(text.data(), 1, text.size(), stdout);
    }
    // A file read with errors: what was read is shown, and the exit says so.
    ctx.exitCode = whole ? kOk : kFailed;
  });
}

Subcommand programRegistration{"program", addProgramCommand};

}  // namespace

}  // namespace mirdal::cli
