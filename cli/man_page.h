// The manual pages mirdal-cli(1) and mirdal(1) in man(7) markup, written by
// the build (`mirdal-cli --generate man`, `--generate gui-man`): the
// subcommands, options and arguments come from the tree that parses the
// command line, the GUI's from core/gui_usage.h, so neither page drifts from
// --help.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace mirdal::cli {

std::string cliManPage(const CLI::App& app);
std::string guiManPage();

}  // namespace mirdal::cli
