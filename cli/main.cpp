// mirdal-cli: the engine's features for scripts and batch work.
#include <cstdio>
#include <string_view>

#include "cli/cli_context.h"
#include "cli/cli_reporter.h"
#include "cli/generated_docs.h"
#include "core/version.h"

int main(int argc, char** argv) {
  using namespace mirdal::cli;
  CLI::App app{"Mirdal command line: check, dump and edit the files of a Blu-ray BDMV folder",
               "mirdal-cli"};
  app.set_version_flag("--version", std::string("mirdal-cli ") + mirdal::kBuildVersion);
  app.require_subcommand(1);
  CliContext ctx;
  app.add_flag("-v,--verbose", ctx.verbose, "Also print status-line messages (on standard error)");

  CliReporter rep(stdout, colorsFor(stdout), false, stderr);
  ctx.report = &rep;
  CliReporter messages(stderr, colorsFor(stderr), false);
  ctx.messages = &messages;
  // The reporters must know about --verbose before any subcommand runs.
  app.parse_complete_callback([&] {
    rep.setVerbose(ctx.verbose);
    messages.setVerbose(ctx.verbose);
  });

  addAllCommands(app, ctx);

  // The build writes the manual pages and the completion script from this
  // same tree (dist/CMakeLists.txt).
  if (argc == 4 && std::string_view(argv[1]) == "--generate") return writeGeneratedDocument(app, argv[2], argv[3]);

  // Name an unknown subcommand instead of CLI11's "A subcommand is required".
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a.empty() || a[0] == '-') continue;
    const auto subs = app.get_subcommands([&](const CLI::App* c) { return c->check_name(a); });
    if (subs.empty()) {
      std::fprintf(stderr, "mirdal-cli: unknown subcommand '%s' (see mirdal-cli --help)\n", a.c_str());
      return kUsage;
    }
    break;
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kUsage;
  } catch (const UsageError& e) {
    std::fprintf(stderr, "mirdal-cli: %s\n", e.message.c_str());
    return kUsage;
  } catch (const InputError& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "mirdal-cli: %s\n", e.message.c_str());
    return kFailed;
  }
  std::fflush(stdout);
  return ctx.exitCode;
}
