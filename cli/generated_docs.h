// `mirdal-cli --generate KIND FILE`: the documents the build writes from
// mirdal-cli's own command tree (KIND man: mirdal-cli(1), gui-man: mirdal(1),
// bash: the completion script), so that they never drift from --help. Not a
// user's subcommand: --help does not list it.
#pragma once

#include <CLI/CLI.hpp>

namespace mirdal::cli {

// Writes the document to the file; returns the exit status (2 for an
// unknown kind, 1 when the file cannot be written). An argument whose
// completion kind is unknown is named on standard error.
int writeGeneratedDocument(const CLI::App& app, const char* kind, const char* file);

}  // namespace mirdal::cli
