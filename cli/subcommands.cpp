#include <map>
#include <string>

#include "cli/cli_context.h"

namespace mirdal::cli {

namespace {

std::map<std::string, AddCommandFn>& registry() {
  static std::map<std::string, AddCommandFn> r;
  return r;
}

}  // namespace

Subcommand::Subcommand(const char* name, AddCommandFn add) { registry()[name] = add; }

void addAllCommands(CLI::App& app, CliContext& ctx) {
  for (const auto& [name, add] : registry()) add(app, ctx);
}

}  // namespace mirdal::cli
