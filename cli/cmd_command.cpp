// mirdal-cli command <opcode> <dst> <src> [--button]: the command line of
// one command word triple, as a command grid shows it.
#include <nlohmann/json.hpp>

#include <cstdio>

#include "cli/cli_context.h"
#include "cli/json_model.h"
#include "nav/command_fields.h"
#include "nav/command_text.h"
#include "nav/program_export.h"

namespace mirdal::cli {

namespace {

std::uint32_t hexArgument(const std::string& text, const char* what) {
  const std::optional<std::uint32_t> v = parseHexWord(text);
  if (!v) throw UsageError{std::string(what) + " is not a hexadecimal word of up to 8 digits: " + text};
  return *v;
}

void addCommandCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("command", "Show one navigation command as its command line");
  struct Args {
    std::string opcode, dst, src;
    bool button = false, row = false, json = false;
  };
  auto a = std::make_shared<Args>();
  cmd->add_option("opcode", a->opcode, "Opcode word, hexadecimal")->required();
  cmd->add_option("dst", a->dst, "Destination word, hexadecimal")->required();
  cmd->add_option("src", a->src, "Source word, hexadecimal")->required();
  cmd->add_flag("--button", a->button, "Judge it as a button command (forbidden list of menus)");
  cmd->add_flag("--row", a->row, "Print the whole grid row: No., Opcode, Destinat., Source, Command line");
  cmd->add_flag("--json", a->json, "Print the row cells and the word's validity as JSON");
  cmd->callback([&ctx, a] {
    const NavCommand c{hexArgument(a->opcode, "opcode"), hexArgument(a->dst, "dst"),
                       hexArgument(a->src, "src")};
    const CommandContext context = a->button ? CommandContext::ButtonCommands : CommandContext::MovieObject;
    const CommandRow r = commandRow(c, 0, context);
    if (a->json) {
      const bool valid = isValidOpcode(c.opcode);
      nlohmann::json j{{"opcode", c.opcode},
                       {"dst", c.dst},
                       {"src", c.src},
                       // The grid marks an operand in use with a space after its word.
                       {"dst_in_use", operandCountOfWord(c.opcode) != 0},
                       {"src_in_use", operandCountOfWord(c.opcode) == 2},
                       {"command_line", latin1ToUtf8(r.cells[kColLine])},
                       {"valid", valid},
                       {"forbidden", valid && isForbiddenOpcode(c.opcode, context)},
                       {"operand_count", operandCountOfWord(c.opcode)}};
      j = jsonDocument("command", std::move(j));
      std::printf("%s\n", j.dump(2).c_str());
    } else if (a->row) {
      std::printf("%s\n", programListLine(c, 0, context).c_str());
    } else {
      std::printf("%s\n", r.cells[kColLine].c_str());
    }
    ctx.exitCode = kOk;
  });
}

Subcommand commandRegistration{"command", addCommandCommand};

}  // namespace

}  // namespace mirdal::cli
