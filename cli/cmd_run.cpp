// mirdal-cli run <MovieObject.bdmv> <object> [--set GPR6=5,PSR10=0x400]:
// executes a movie object's program against freshly reset registers (with
// the values given), as Start on the "&BDMV" page does without the
// announcement pauses, then lists the PSRs and GPRs.
#include <nlohmann/json.hpp>

#include <cctype>
#include <cstdio>

#include "cli/cli_context.h"
#include "cli/json_model.h"
#include "cli/file_kinds.h"
#include "documents/workspace.h"
#include "nav/command_fields.h"
#include "nav/register_settings.h"
#include "nav/trace.h"

namespace mirdal::cli {

namespace {

// Prints what the status line would show during the run.
class RunPrinter final : public RunObserver {
 public:
  RunPrinter(bool traceLog, bool json) : traceLog_(traceLog), json_(json) {}

  void executing(std::size_t line, const NavCommand& c) override {
    if (!traceLog_) return;
    const std::string text = traceDisplayText(commandRow(c, line, CommandContext::MovieObject), line);
    if (json_) executed.push_back(latin1ToUtf8(text));
    else std::printf("%s\n", text.c_str());
  }
  void announced(std::string_view message) override {
    if (json_) announcements.push_back(latin1ToUtf8(std::string(message)));
    else std::printf("%.*s\n", int(message.size()), message.data());
  }

  nlohmann::json executed = nlohmann::json::array();
  nlohmann::json announcements = nlohmann::json::array();

 private:
  bool traceLog_;
  bool json_;
};

void addRunCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("run", "Execute a movie object's program and list the registers");
  struct Args {
    std::string path, region = "A", country;
    std::string object;
    std::vector<std::string> set;
    bool traceLog = false, realPsrs = false, json = false;
    std::uint64_t maxSteps = 1000000;
  };
  auto a = std::make_shared<Args>();
  cmd->add_option("file", a->path, "The MovieObject.bdmv file")->required();
  cmd->add_option("object", a->object, "The movie object's number (from 0)")->required();
  cmd->add_flag("--trace-log", a->traceLog, "Print every executed line as the trace shows it");
  cmd->add_flag("--real-psrs", a->realPsrs, "Init PSRs with 'real' values");
  cmd->add_option("--region", a->region, "Player region code (PSR 20)")
      ->check(CLI::IsMember({"A", "B", "C"}, CLI::ignore_case));
  cmd->add_option("--country", a->country, "Country code for PSR 19, 4 hexadecimal digits (default 5553, \"US\")");
  cmd->add_option("--max-steps", a->maxSteps, "Stop a program that has not ended after this many commands")
      ->check(CLI::Validator(
          [](std::string& v) {
            return v.find_first_not_of("0123456789") == std::string::npos && v.find_first_not_of('0') != std::string::npos
                       ? std::string()
                       : "a whole number of 1 or more is needed, not " + v;
          },
          "1 or more", "AtLeastOne"));
  cmd->add_option("--set", a->set, "Register values after the reset, e.g. GPR6=5,PSR10=0x400 (may be repeated)");
  cmd->add_flag("--json", a->json, "Print announcements, executed lines and registers as JSON");
  cmd->callback([&ctx, a] {
    Workspace ws;
    ws.options.realPsrs = a->realPsrs;
    ws.options.region = std::toupper(static_cast<unsigned char>(a->region[0])) - 'A';
    if (!a->country.empty()) {
      const std::optional<std::uint32_t> code = parseHexWord(a->country);
      if (!code || a->country.size() > 4)
        throw UsageError{"--country takes 4 hexadecimal digits (5553 is \"US\"): " + a->country};
      ws.options.countryCode = *code;
    }
    std::vector<RegisterSetting> settings;
    for (const std::string& text : a->set) {
      const RegisterSettings r = parseRegisterSettings(text);
      if (r.error) throw UsageError{"--set " + text + ": " + r.error->message()};
      settings.insert(settings.end(), r.settings.begin(), r.settings.end());
    }
    bool whole = true;
    const std::optional<CommandList> program = loadObjectProgram(a->path, objectArgument(a->object), whole);
    if (!program) {
      ctx.exitCode = kFailed;
      return;
    }

    resetRegisters(ws.regs, ws.options);
    applyRegisterSettings(ws.regs, settings);
    RunPrinter printer(a->traceLog, a->json);
    ws.run.observer = &printer;
    ws.run.maxSteps = a->maxSteps;
    ws.run.line = 0;
    const int delay = ctx.report->activationDelay();
    ctx.report->setActivationDelay(0);
    const ExecResult r = executeProgram(*program, ws.regs, ws.run, *ctx.report);
    ctx.report->setActivationDelay(delay);

    const std::string limitMessage = "Object " + a->object + ": the program did not end within " +
                                     std::to_string(a->maxSteps) + " commands (--max-steps)";
    if (a->json) {
      nlohmann::json j = registersJson(ws.regs);
      j["object"] = objectArgument(a->object);
      j["announcements"] = printer.announcements;
      j["executed"] = printer.executed;  // empty without --trace-log
      j["commands"] = r.executed;
      j["ended"] = !r.stepLimitReached;
      j = jsonDocument("run", std::move(j));
      std::printf("%s\n", j.dump(2).c_str());
      if (r.stepLimitReached) std::fprintf(stderr, "mirdal-cli: %s\n", limitMessage.c_str());
    } else {
      logPsrs(ws.regs, *ctx.report);
      logGprs(ws.regs, *ctx.report);
      if (r.stepLimitReached) ctx.report->logError(limitMessage);
    }
    ctx.exitCode = r.stepLimitReached || !whole ? kFailed : kOk;
  });
}

Subcommand runRegistration{"run", addRunCommand};

}  // namespace

}  // namespace mirdal::cli
