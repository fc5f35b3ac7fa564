// mirdal-cli play <menu> --keys "down,down,select" [--timeout-after S]
// [--trace-log] [-o last.png]: runs the menu headless with the five keys and
// the Pop-up key, and prints, per key, the selection, the activation, every
// command run and page changes, then the registers as run does.
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "cli/cli_context.h"
#include "cli/json_model.h"
#include "cli/menu_view_cli.h"
#include "core/options.h"
#include "core/report.h"
#include "menu/menu_emulation.h"
#include "nav/registers.h"

namespace mirdal::cli {

namespace {

// Milliseconds a scripted user waits between two keys.
constexpr std::uint64_t kKeyGapMs = 500;

bool essential(const MenuEvent& e) {
  using K = MenuEvent::Kind;
  return e.kind == K::Page || e.kind == K::Selected || e.kind == K::Activated || e.kind == K::Command ||
         e.kind == K::Announced || e.kind == K::TimeOut || e.kind == K::PopUp;
}

std::string hexId(std::uint32_t v) {
  char b[8];
  std::snprintf(b, sizeof b, "%04X", v & 0xFFFF);
  return b;
}

void addPlayCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("play", "Run a menu with navigation keys and list what happens");
  struct Args {
    std::string path, keys, out;
    double timeoutAfter = -1;
    bool traceLog = false, json = false;
  };
  auto a = std::make_shared<Args>();
  cmd->add_option("menu", a->path, "The menu (.mnu) or stream file (.m2ts)")->required();
  cmd->add_option("--keys", a->keys,
                  "Comma-separated keys: up, down, left, right, select, and popup (opens and closes a pop-up menu)");
  cmd->add_option("--timeout-after", a->timeoutAfter, "Seconds to wait after the last key (the user time-out)")
      ->check(CLI::Range(0.0, 86400.0));
  cmd->add_flag("--trace-log", a->traceLog, "Also list every drawing event (normal states, sounds, effects)");
  cmd->add_option("-o,--output", a->out, "Write the last frame as a PNG image");
  cmd->add_flag("--json", a->json, "Print the steps and registers as JSON");
  cmd->callback([&ctx, a] {
    requireInputFile(a->path);
    std::vector<MenuKey> keys;
    std::vector<std::string> names;
    {
      std::stringstream in(a->keys);
      std::string word;
      while (std::getline(in, word, ',')) {
        if (word.empty()) continue;
        const std::optional<MenuKey> k = parseMenuKey(word);
        if (!k) throw UsageError{"--keys takes up, down, left, right, select and popup: " + word};
        keys.push_back(*k);
        names.push_back(word);
      }
    }
    IgMenu m;
    if (!loadMenuOrStream(a->path, m)) return void(ctx.exitCode = kFailed);
    if (m.ics.pages.empty()) {
      std::fprintf(stderr, "mirdal-cli: %s has no pages\n", a->path.c_str());
      return void(ctx.exitCode = kFailed);
    }

    Registers regs;
    resetRegisters(regs, Options{});
    regs.psr[kPsrMenuPage] = 0;
    RunState run;
    PageRenderer renderer;
    if (!a->out.empty()) drawBackground(renderer);
    MenuEmulator emu(m, regs, run, *ctx.report, a->out.empty() ? nullptr : &renderer);
    const int delay = ctx.report->activationDelay();
    ctx.report->setActivationDelay(0);

    nlohmann::json steps = nlohmann::json::array();
    auto report = [&](const std::string& what) {
      std::optional<std::uint32_t> activated;
      nlohmann::json events = nlohmann::json::array();
      std::vector<std::string> lines;
      for (const MenuEvent& e : emu.events()) {
        if (e.kind == MenuEvent::Kind::Activated) activated = e.id;
        if (!a->traceLog && !essential(e)) continue;
        events.push_back(eventText(e));
        lines.push_back(eventText(e));
      }
      emu.events().clear();
      renderer.dirty.clear();
      const std::uint32_t sel = regs.psr[kPsrSelectedButton];
      if (a->json) {
        steps.push_back({{"key", what},
                         {"page", regs.psr[kPsrMenuPage]},
                         {"selected", sel},
                         {"activated", activated ? nlohmann::json(*activated) : nlohmann::json(nullptr)},
                         {"events", events}});
        return;
      }
      std::printf("%s: page %u, selected %s, activated %s\n", what.c_str(), regs.psr[kPsrMenuPage],
                  sel == kNoButton ? "none" : hexId(sel).c_str(), activated ? hexId(*activated).c_str() : "none");
      for (const std::string& l : lines) std::printf("  %s\n", l.c_str());
    };

    std::uint64_t now = 0;
    emu.start(now);
    report("start");
    auto waitForEffects = [&] {
      for (int guard = 0; emu.effectsPlaying() && guard < 100000; ++guard) {
        now = std::max(now, emu.nextDue());
        emu.advance(now);
      }
    };
    for (std::size_t i = 0; i < keys.size(); ++i) {
      waitForEffects();
      now += kKeyGapMs;
      emu.key(keys[i], now);
      report("key " + std::to_string(i + 1) + " " + names[i]);
    }
    if (a->timeoutAfter >= 0) {
      const std::uint64_t until = now + std::uint64_t(a->timeoutAfter * 1000);
      for (int guard = 0; guard < 1000000; ++guard) {
        const std::uint64_t due = emu.nextDue();
        if (due > until) break;
        now = std::max(now, due);
        emu.advance(now);
      }
      now = until;
      emu.advance(now);
      report("after " + std::to_string(a->timeoutAfter) + " s");
    }
    waitForEffects();
    ctx.report->setActivationDelay(delay);

    if (!a->out.empty() && !writePagePng(a->out, renderer.picture)) return void(ctx.exitCode = kFailed);
    if (a->json) {
      nlohmann::json j{{"kind", "play"}, {"format_version", 1}, {"file", a->path}, {"steps", steps}};
      j.update(registersJson(regs));
      std::printf("%s\n", j.dump(2).c_str());
    } else {
      logPsrs(regs, *ctx.report);
      logGprs(regs, *ctx.report);
    }
    ctx.exitCode = kOk;
  });
}

Subcommand playRegistration{"play", addPlayCommand};

}  // namespace

}  // namespace mirdal::cli
