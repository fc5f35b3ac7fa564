// The bash completion script of mirdal-cli, written by the build
// (`mirdal-cli --generate bash`) from the tree that parses the command line:
// subcommands and options complete as --help lists them, and arguments as
// the files they name (.mpls after `chapters export`, .mnu or .m2ts after
// `render`, folders after `check`) or the words they take.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace mirdal::cli {

// unknown receives "command/argument" for every text argument whose kind the
// table does not know (it completes as any file): a new argument should get
// its row.
std::string bashCompletion(const CLI::App& app, std::vector<std::string>& unknown);

}  // namespace mirdal::cli
