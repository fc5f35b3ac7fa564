// mirdal-cli assemble <line>... [--button] [--json]: command lines (as the
// command grids show them, or lines of a program list) as their command
// words.
#include <nlohmann/json.hpp>

#include <cstdio>

#include "cli/cli_context.h"
#include "cli/json_model.h"
#include "nav/command_text.h"
#include "nav/program_text.h"

namespace mirdal::cli {

namespace {

void addAssembleCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("assemble", "Turn command lines into their command words");
  struct Args {
    std::vector<std::string> lines;
    bool button = false, json = false;
  };
  auto a = std::make_shared<Args>();
  cmd->add_option("line", a->lines, "Command lines, e.g. \"Move GPR6, 0\" (each may hold several lines)")
      ->required();
  cmd->add_flag("--button", a->button, "Judge them as button commands (forbidden list of menus) in the JSON");
  cmd->add_flag("--json", a->json, "Print the words, command lines and validity as JSON");
  cmd->callback([&ctx, a] {
    std::string text;
    for (const std::string& l : a->lines) text += l + "\n";
    const ProgramText p = assembleProgram(text);
    if (p.error) throw InputError{p.error->message()};
    const CommandContext context = a->button ? CommandContext::ButtonCommands : CommandContext::MovieObject;
    if (a->json) {
      nlohmann::json list = nlohmann::json::array();
      for (const NavCommand& c : p.commands) {
        const bool valid = isValidOpcode(c.opcode);
        list.push_back({{"opcode", c.opcode},
                        {"dst", c.dst},
                        {"src", c.src},
                        {"command_line", latin1ToUtf8(commandLine(c, context))},
                        {"valid", valid},
                        {"forbidden", valid && isForbiddenOpcode(c.opcode, context)}});
      }
      std::printf("%s\n", jsonDocument("assemble", {{"commands", list}}).dump(2).c_str());
    } else {
      for (const NavCommand& c : p.commands)
        std::printf("%s %s %s\n", hex8(c.opcode).c_str(), hex8(c.dst).c_str(), hex8(c.src).c_str());
    }
    ctx.exitCode = kOk;
  });
}

Subcommand assembleRegistration{"assemble", addAssembleCommand};

}  // namespace

}  // namespace mirdal::cli
