// mirdal-cli program import <MovieObject.bdmv> <object> <list> [--insert-at N]
// -o <out>: a program list (.lst) or plain command lines into a movie
// object's program, written to out.
#pragma once

#include <CLI/CLI.hpp>

#include "cli/cli_context.h"

namespace mirdal::cli {

// Adds "import" under the program subcommand.
CLI::App* addProgramImport(CLI::App& program, CliContext& ctx);

}  // namespace mirdal::cli
