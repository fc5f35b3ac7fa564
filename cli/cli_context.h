// Shared state of one mirdal-cli invocation.
#pragma once

#include <filesystem>

#include <CLI/CLI.hpp>
#include <string>

namespace mirdal {
class Reporter;
}

namespace mirdal::cli {

// Exit statuses: 0 success, 1 anything wrong with the input (a missing file,
// an object the file does not hold, a rejected file), 2 bad usage (an
// unknown option, a malformed number).
enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2 };

struct CliContext {
  bool verbose = false;
  int exitCode = kOk;
  // Where messages go (standard error): the save step's lines and their
  // errors. Standard output holds the results.
  Reporter* messages = nullptr;
  // The log of the commands that print it: its paragraphs on standard
  // output, its errors and warnings on standard error.
  Reporter* report = nullptr;
};

// Thrown by a subcommand for bad usage found after parsing (a malformed
// number, ...); main prints the message and exits with status 2.
struct UsageError {
  std::string message;
};

// Thrown by a subcommand when the input cannot be used (a path that does not
// exist, an object number the file does not hold); main prints the message
// and exits with status 1.
struct InputError {
  std::string message;
};

// A file named on the command line that is not there is wrong input (exit
// 1), not bad usage.
inline void requireInputFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) throw InputError{"no such file: " + path};
}

// Each subcommand lives in its own file cmd_<name>.cpp and registers itself
// with a Subcommand object in its anonymous namespace, named after it (the
// files are compiled in bundles, where those namespaces are one):
//   Subcommand checkRegistration{"check", addCheckCommand};
using AddCommandFn = void (*)(CLI::App& app, CliContext& ctx);
struct Subcommand {
  Subcommand(const char* name, AddCommandFn add);
};
// Adds every registered subcommand to app, in name order.
void addAllCommands(CLI::App& app, CliContext& ctx);

}  // namespace mirdal::cli
