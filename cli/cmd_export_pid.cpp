// mirdal-cli export-pid <m2ts> <pid-hex>: Save P&ID from the command line.
// The output is named as the clip page names it (clip name, PID, stream type
// and details from the clip information file beside the stream, when there
// is one) unless -o gives a name. Ctrl+C ends the export at a PES packet
// boundary; a second Ctrl+C ends the program at once.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/cli_reporter.h"
#include "core/display_text.h"
#include "core/report.h"
#include "formats/clip/clpi.h"
#include "present/clpi_rows.h"
#include "stream/pid_export.h"

namespace mirdal::cli {

namespace {

namespace fs = std::filesystem;

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) {
  interrupted = 1;
  std::signal(SIGINT, SIG_DFL);
}

// Log lines on standard output as everywhere; the progress line on standard
// error, rewritten in place, when that is a terminal. Ctrl+C stops the
// running export at its next look at pending events.
class ExportReporter final : public Reporter {
 public:
  explicit ExportReporter(Reporter& lines) : lines_(lines), tty_(::isatty(fileno(stderr)) != 0) {}
  ~ExportReporter() override { clearProgress(); }

  void appendParagraph(const LogParagraph& p) override {
    clearProgress();
    lines_.appendParagraph(p);
    std::fflush(stdout);
  }
  void statusChanged(const StatusLine& s) override {
    lines_.statusChanged(s);
    if (tty_ && s.panel[1].rfind(" Packet: ", 0) == 0) {
      std::fprintf(stderr, "\r\x1b[K%s", s.panel[1].c_str() + 1);
      std::fflush(stderr);
      shown_ = true;
    }
  }
  void pumpEvents() override {
    if (interrupted && !stopped_) stopped_ = cancelRunning();
  }
  void sleepMs(int) override {}

 private:
  bool stopped_ = false;
  void clearProgress() {
    if (!shown_) return;
    std::fputs("\r\x1b[K", stderr);
    shown_ = false;
  }
  Reporter& lines_;
  bool tty_;
  bool shown_ = false;
};

// The PID's ProgramInfo row from CLIPINF/<clip>.clpi (or .CPI) beside the
// STREAM folder; the PID alone when there is no such clip or stream.
ClipRow rowFor(const fs::path& stream, std::uint16_t pid) {
  const fs::path clipinf = stream.parent_path().parent_path() / "CLIPINF";
  for (const char* ext : {".clpi", ".CPI"}) {
    Bytes data;
    const fs::path p = clipinf / (stream.stem().string() + ext);
    if (!readFileBytes(p.string(), data)) continue;
    ClipInfoFile c;
    if (!usable(parseClipInfo(data, c).status)) continue;
    for (const auto& ps : c.programInfo.programSequences)
      for (const auto& s : ps.streams)
        if (s.pid == pid) return programStreamRow(s);
  }
  return {hexText(pid, 4), "", ""};
}

// A stream named on the command line: a folder is no stream.
void requireStreamFile(const std::string& path) {
  requireInputFile(path);
  std::error_code ec;
  if (fs::is_directory(path, ec)) throw InputError{"a folder, not a stream file: " + path};
}

// The PID in hexadecimal, "0x" allowed in front. Transport streams have
// 13-bit PIDs, and 1FFF carries only null packets.
std::uint16_t pidArgument(const std::string& text) {
  const std::string digits = text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0 ? text.substr(2) : text;
  const std::uint16_t pid = parsePidText(digits);
  if (digits.empty() || digits.size() > 4 || (pid == 0 && digits.find_first_not_of('0') != std::string::npos))
    throw UsageError{"not a hexadecimal PID: " + text};
  if (pid > kNullPid) throw UsageError{"not a PID: " + text + " (PIDs go from 0 to 1FFF)"};
  if (pid == kNullPid) throw UsageError{"PID 1FFF holds only null packets: there is nothing to export"};
  return pid;
}

void addExportPidCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("export-pid", "Save one PID of an .m2ts stream file (Save PID)");
  struct Args {
    std::string stream, pid, output;
    bool pes = false, noSup = false, noMnu = false, absolute = false;
  };
  auto a = std::make_shared<Args>();
  cmd->add_option("m2ts", a->stream, "The stream file")->required();
  cmd->add_option("pid", a->pid, "The PID in hexadecimal, e.g. 1100")->required();
  cmd->add_flag("--pes", a->pes, "Write the PES packets (not the elementary stream)");
  cmd->add_flag("--no-sup", a->noSup, "PG streams: no SUP file");
  cmd->add_flag("--no-mnu", a->noMnu, "IG streams: no MNU file");
  cmd->add_flag("--absolute-times", a->absolute,
                "SUP: keep the stream's own times instead of times from the first video frame");
  cmd->add_option("-o,--output", a->output, "The file to write (default: named after clip, PID and stream)");
  cmd->callback([&ctx, a] {
    requireStreamFile(a->stream);
    const std::uint16_t pid = pidArgument(a->pid);
    DemuxOptions opt;
    opt.pid = pid;
    opt.mode = chooseExportMode(pid, a->pes, !a->noSup, !a->noMnu);
    opt.absoluteTimes = a->absolute;
    std::string out = a->output;
    if (out.empty()) {
      const ClipRow row = rowFor(fs::path(a->stream), pid);
      out = exportFileName("", fs::path(a->stream).stem().string(), row[0], row[1], row[2], pid, opt.mode);
    }
    ExportReporter rep(*ctx.report);
    opt.report = &rep;
    CancelToken cancel;
    interrupted = 0;
    auto previous = std::signal(SIGINT, onInterrupt);
    const DemuxResult res = exportPid(a->stream, out, opt, cancel, rep);
    std::signal(SIGINT, previous);
    ctx.exitCode = res.failed || res.cancelled ? kFailed : kOk;
  });
}

Subcommand exportPidRegistration{"export-pid", addExportPidCommand};

}  // namespace

}  // namespace mirdal::cli
