// mirdal-cli extract-menu <m2ts> [--pid 0x14nn] -o menu.mnu: the IG stream
// of a stream file as a .mnu file, exactly as the stream carries it (every
// display set), checked by loading it as a menu.
#include "cli/cli_context.h"
#include "cli/file_kinds.h"
#include "core/output_file.h"
#include "core/report.h"
#include "menu/igs_read.h"
#include "stream/ig_extract.h"

namespace mirdal::cli {

namespace {

void addExtractMenuCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("extract-menu", "Write the IG menu stream of an .m2ts/.MTS file as a .mnu file");
  struct Args {
    std::string input, pid = "0x1400", out;
  };
  auto a = std::make_shared<Args>();
  cmd->add_option("m2ts", a->input, "The stream file")->required();
  cmd->add_option("--pid", a->pid, "The IG stream's PID, 0x1400 to 0x14FF (default 0x1400)");
  cmd->add_option("-o,--output", a->out, "The .mnu file to write")->required();
  cmd->callback([&ctx, a] {
    requireInputFile(a->input);
    std::size_t used = 0;
    unsigned long pid = 0;
    try {
      pid = std::stoul(a->pid, &used, 0);
    } catch (...) {
      used = 0;
    }
    if (used == 0 || used != a->pid.size() || pid < 0x1400 || pid > 0x14FF)
      throw UsageError{"an IG stream's PID lies in 0x1400 to 0x14FF: " + a->pid};
    // A stream without the PID is an error that writes nothing. The menu is
    // checked from memory, so that a device or pipe can take it too.
    Bytes mnu;
    if (extractIgStream(a->input, std::uint16_t(pid), mnu, true, *ctx.report).failed) return void(ctx.exitCode = kFailed);
    std::string why;
    if (!writeOutput(a->out, mnu, &why)) {
      ctx.report->logError("Cannot write " + a->out + " (" + why + ")");
      return void(ctx.exitCode = kFailed);
    }
    IgMenu m;
    const int errors = ctx.report->errorCount();
    const MenuLoad load = parseMnu(mnu, m, *ctx.report);
    ctx.exitCode = load.status == ReadStatus::Ok && ctx.report->errorCount() == errors ? kOk : kFailed;
  });
}

Subcommand extractMenuRegistration{"extract-menu", addExtractMenuCommand};

}  // namespace

}  // namespace mirdal::cli
