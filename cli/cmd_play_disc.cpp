// mirdal-cli play-disc DISC [--title N] [--keys menu,down,enter,...]
// [--set GPR6=5] [--menu 00001=menu.mnu] [--max-steps N] [--trace-log]
// [--json]: plays a whole disc from First Playback (or a title) as a
// player would, presses the keys in order, runs on until the disc waits for
// a key or stops, and prints what happened, one event a line, then the
// registers as run does.
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/json_model.h"
#include "core/disc_folder.h"
#include "core/options.h"
#include "core/report.h"
#include "nav/register_settings.h"
#include "player/disc_script.h"
#include "player/player_setup.h"

namespace mirdal::cli {

namespace {

nlohmann::json eventJson(const DiscEvent& e) {
  nlohmann::json j = {{"time_ms", e.time / 45}, {"kind", eventKindName(e.kind)}, {"text", latin1ToUtf8(e.text)}};
  const auto add = [&](const char* key, int v) { j[key] = v >= 0 ? nlohmann::json(v) : nlohmann::json(nullptr); };
  add("object", e.object);
  add("line", e.line);
  add("button", e.button);
  add("page", e.page);
  add("playlist", e.playlist);
  add("item", e.item);
  add("mark", e.mark);
  return j;
}

void addPlayDiscCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("play-disc", "Play a whole disc from First Playback as a player would and list what happens");
  struct Args {
    std::string disc, keys;
    std::vector<std::string> set, menus;
    int title = -1;
    bool traceLog = false, json = false;
    std::uint64_t maxSteps = 1000000;
  };
  auto a = std::make_shared<Args>();
  cmd->add_option("disc", a->disc, "The disc folder (or its BDMV folder)")->required();
  cmd->add_option("--title", a->title, "Start with this title instead of First Playback (0 = Top Menu)")
      ->check(CLI::Range(0, 999));
  cmd->add_option("--keys", a->keys,
                  "Comma-separated keys: menu, title:N, chapter+, chapter-, popup, up, down, left, right, enter, "
                  "0-9, wait:SECONDS, end");
  cmd->add_option("--set", a->set, "Register values after the reset, e.g. GPR6=5,PSR10=0x400 (may be repeated)");
  cmd->add_option("--menu", a->menus, "The menu of a clip from a .mnu file, e.g. 00001=menu.mnu (may be repeated)");
  cmd->add_option("--max-steps", a->maxSteps, "Commands the disc may run without waiting before it counts as an endless loop")
      ->check(CLI::Range(std::uint64_t(1), std::uint64_t(1) << 40));
  cmd->add_flag("--trace-log", a->traceLog, "Also list every command run, with its object and line");
  cmd->add_flag("--json", a->json, "Print the events, the stop and the registers as JSON");
  cmd->callback([&ctx, a] {
    std::string bad;
    const std::optional<std::vector<UserOp>> keys = parseKeyList(a->keys, bad);
    if (!keys) throw UsageError{"--keys: not a key: " + bad};
    std::vector<RegisterSetting> settings;
    for (const std::string& text : a->set) {
      const RegisterSettings r = parseRegisterSettings(text);
      if (r.error) throw UsageError{"--set " + text + ": " + r.error->message()};
      settings.insert(settings.end(), r.settings.begin(), r.settings.end());
    }
    requireInputFile(a->disc);
    FolderDisc disc;
    for (const std::string& m : a->menus) {
      const std::size_t eq = m.find('=');
      if (eq == std::string::npos || !isClipName(m.substr(0, eq)))
        throw UsageError{"--menu takes CLIP=FILE with a five-digit clip name, e.g. 00001=menu.mnu: " + m};
      requireInputFile(m.substr(eq + 1));
      disc.attachMenu(m.substr(0, eq), m.substr(eq + 1));
    }
    std::string why;
    if (!disc.open(discFolderFromArgument(a->disc), why)) throw InputError{why};

    Registers regs;
    resetRegisters(regs, Options{});
    applyRegisterSettings(regs, settings);
    PlayerOptions options;
    options.maxSteps = a->maxSteps;
    options.traceCommands = a->traceLog;
    options.report = ctx.report;
    DiscPlayer player(disc, regs, options);
    std::optional<unsigned> title;
    if (a->title >= 0) title = unsigned(a->title);
    runDisc(player, title, *keys, a->maxSteps);

    const StopReason stop = player.stopped();
    std::string stopText = player.events().empty() ? "" : player.events().back().text;
    if (stopText.rfind("stop: ", 0) == 0) stopText.erase(0, 6);
    if (a->json) {
      nlohmann::json j = registersJson(regs);
      j["file"] = latin1ToUtf8(a->disc);
      j["start"] = title ? nlohmann::json(*title) : nlohmann::json("first_playback");
      j["keys"] = nlohmann::json::array();
      for (const std::string& k : [&] {
             std::vector<std::string> words;
             for (const UserOp& op : *keys) words.push_back(userOpName(op));
             return words;
           }())
        j["keys"].push_back(k);
      j["events"] = nlohmann::json::array();
      for (const DiscEvent& e : player.events()) j["events"].push_back(eventJson(e));
      j["stop"] = {{"reason", stopReasonName(stop)}, {"text", latin1ToUtf8(stopText)}};
      j["steps"] = player.steps();
      j["time_ms"] = player.now() / 45;
      std::printf("%s\n", jsonDocument("disc_run", std::move(j)).dump(2).c_str());
    } else {
      for (const DiscEvent& e : player.events()) std::printf("%s\n", eventLine(e).c_str());
      std::fflush(stdout);
      logPsrs(regs, *ctx.report);
      logGprs(regs, *ctx.report);
    }
    const bool ok = stop == StopReason::WaitingForKey || stop == StopReason::WaitingInStill ||
                    stop == StopReason::ObjectEnded;
    if (!ok) std::fprintf(stderr, "mirdal-cli: %s\n", stopText.c_str());
    ctx.exitCode = ok ? kOk : kFailed;
  });
}

Subcommand playDiscRegistration{"play-disc", addPlayDiscCommand};

}  // namespace

}  // namespace mirdal::cli
