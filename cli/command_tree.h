// mirdal-cli's subcommands, options and arguments read back from the CLI11
// tree that parses the command line, for the documents the build writes
// from it (the manual pages, the completion script): what --help says is
// what they say.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace mirdal::cli {

struct ArgumentInfo {
  std::vector<std::string> names;    // "-o", "--output"; a positional: its one name
  std::string value;                 // as --help shows it ("TEXT", "UINT", "TEXT:{a,b}"); empty for a flag
  std::string text;                  // the description
  std::vector<std::string> choices;  // the values an IsMember check allows
  bool required = false;
  bool many = false;                 // takes any number of values ("line ...")
  bool numeric = false;              // a number: nothing to complete
};

struct CommandInfo {
  std::vector<std::string> path;  // {"chapters", "export"}; empty for mirdal-cli itself
  std::string description;
  std::vector<ArgumentInfo> positionals;
  std::vector<ArgumentInfo> options;  // without -h, --help, which every command has
  std::vector<std::string> subcommands;

  std::string pathText() const;  // "chapters export"
};

// Every command, parents before their subcommands, each level in name order.
std::vector<CommandInfo> commandTree(const CLI::App& app);

}  // namespace mirdal::cli
