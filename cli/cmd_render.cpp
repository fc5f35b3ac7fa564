// mirdal-cli render <menu> [--page N] [--select ID] [--state ...] [--frame K]
// [--overlays ...] -o page.png: one frame of a menu page as a player shows it.
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/menu_view_cli.h"

namespace mirdal::cli {

namespace {

void addRenderCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("render", "Draw one frame of a menu page as a PNG image");
  struct Args {
    std::string path, out, select, state = "selected", overlays, background;
    std::size_t page = 0;
    std::uint64_t frame = 0;
    bool json = false;
  };
  auto a = std::make_shared<Args>();
  cmd->add_option("menu", a->path, "The menu (.mnu) or stream file (.m2ts)")->required();
  cmd->add_option("-o,--output", a->out, "The PNG file to write")->required();
  cmd->add_option("--page", a->page, "The page index (from 0)");
  cmd->add_option("--select", a->select, "The selected button id (default: the page's default selected button)");
  cmd->add_option("--state", a->state, "The look of the selected button")
      ->check(CLI::IsMember({"normal", "selected", "activated"}));
  cmd->add_option("--frame", a->frame, "Animation steps to take before drawing (0: the first frame)");
  cmd->add_option("--overlays", a->overlays, "Diagnostic overlays: ids,objects,frames,windows");
  cmd->add_option("--background", a->background, "A PNG picture drawn over the background colour");
  cmd->add_flag("--json", a->json, "Describe the frame as JSON");
  cmd->callback([&ctx, a] {
    requireInputFile(a->path);
    IgMenu m;
    if (!loadMenuOrStream(a->path, m)) return void(ctx.exitCode = kFailed);
    if (a->page >= m.ics.pages.size()) {
      std::fprintf(stderr, "mirdal-cli: %s has %zu pages; there is no page %zu\n", a->path.c_str(),
                   m.ics.pages.size(), a->page);
      return void(ctx.exitCode = kFailed);
    }
    PageRenderer r;
    r.report = ctx.report;
    r.menu = &m;
    parseOverlays(a->overlays, r.options);
    setBackground(r, a->background);
    resetButtonStates(r, a->page);
    // The selection a player makes when the page comes up, unless one is asked for.
    std::uint32_t selected = selectedOnPageShow(r, kNoButton);
    if (!a->select.empty()) {
      selected = parseNumber(a->select, "--select") & 0xFFFF;
      if (selected >= r.states.size() || !findButton(m, a->page, std::uint16_t(selected))) {
        std::fprintf(stderr, "mirdal-cli: page %zu has no button %u\n", a->page, selected);
        return void(ctx.exitCode = kFailed);
      }
    }
    const ButtonLook look = a->state == "normal"      ? ButtonLook::Normal
                            : a->state == "activated" ? ButtonLook::Activated
                                                      : ButtonLook::Selected;
    drawPage(r, selected);
    // drawPage drew the selected look already.
    if (selected != kNoButton && look != ButtonLook::Selected) drawButton(r, std::uint16_t(selected), look);
    animateSteps(r, selected, look, a->frame);
    if (!writePagePng(a->out, r.picture)) return void(ctx.exitCode = kFailed);
    if (a->json) {
      nlohmann::json j{{"kind", "render"},
                       {"format_version", 1},
                       {"file", a->path},
                       {"page", a->page},
                       {"selected", selected == kNoButton ? nlohmann::json(nullptr) : nlohmann::json(selected)},
                       {"state", a->state},
                       {"frame", a->frame},
                       {"width", r.picture.width},
                       {"height", r.picture.height},
                       {"output", a->out}};
      std::printf("%s\n", j.dump(2).c_str());
    } else {
      std::printf("%s: page %zu, %s, frame %llu, %dx%d\n", a->out.c_str(), a->page,
                  selected == kNoButton ? "no button selected"
                                        : ("button " + std::to_string(selected) + " " + a->state).c_str(),
                  static_cast<unsigned long long>(a->frame), r.picture.width, r.picture.height);
    }
    ctx.exitCode = kOk;
  });
}

Subcommand renderRegistration{"render", addRenderCommand};

}  // namespace

}  // namespace mirdal::cli
