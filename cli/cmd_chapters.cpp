// mirdal-cli chapters export <mpls> [--format pts|frame|time] [-o FILE]
// mirdal-cli chapters import <mpls> <txt> [--format ...] -o <out.mpls>
// The marks of a playlist to and from a chapter text file, as "Save
// chapters" and "Load chapters" do. The log (dropped chapters, errors, and
// with -v the trace of the PlayItems passed) goes to standard error.
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/cli_reporter.h"
#include "core/disc_folder.h"
#include "core/save.h"
#include "formats/playlist/chapters.h"
#include "formats/playlist/mpls.h"

namespace mirdal::cli {

namespace {

struct ChapterArgs {
  std::string playlist, text, output, format = "pts";
};

ChapterFormat formatOf(const std::string& text) {
  const auto f = parseChapterFormat(text);
  if (!f) throw UsageError{"unknown chapter format '" + text + "' (pts, frame or time)"};
  return *f;
}

// Reads the playlist with its log on standard error; false when it cannot
// be used.
bool readPlaylist(const std::string& path, Playlist& m, Reporter& rep) {
  requireInputFile(path);
  return readPlaylistFile(path, m, rep, true) == ReadStatus::Ok;
}

void exportCommand(const ChapterArgs& a, CliContext& ctx, Reporter& rep) {
  const ChapterFormat f = formatOf(a.format);
  Playlist m;
  if (!readPlaylist(a.playlist, m, rep)) {
    ctx.exitCode = kFailed;
    return;
  }
  const auto text = exportChapters(m, f, rep);
  if (!text) {
    ctx.exitCode = kFailed;
    return;
  }
  if (a.output.empty()) {
    std::fwrite(text->data(), 1, text->size(), stdout);
    ctx.exitCode = kOk;
    return;
  }
  std::string error;
  if (!writeFileAtomic(a.output, Bytes(text->begin(), text->end()), &error)) {
    rep.logError("Cannot write " + a.output + " (" + error + ")");
    ctx.exitCode = kFailed;
    return;
  }
  ctx.exitCode = kOk;
}

void importCommand(const ChapterArgs& a, CliContext& ctx, Reporter& rep) {
  const ChapterFormat f = formatOf(a.format);
  requireInputFile(a.text);
  Playlist m;
  if (!readPlaylist(a.playlist, m, rep)) {
    ctx.exitCode = kFailed;
    return;
  }
  Bytes text;
  std::string error;
  if (!readFileBytes(a.text, text, &error)) {
    rep.logError("Cannot read " + a.text + " (" + error + ")");
    ctx.exitCode = kFailed;
    return;
  }
  // The trace of the PlayItems passed is for -v; dropped chapters and errors
  // are always told.
  const int errorsBefore = rep.errorCount();
  const auto n = importChapters(m, std::string(text.begin(), text.end()), f, rep, ctx.verbose);
  if (!n) {
    if (rep.errorCount() == errorsBefore) rep.logError(a.text + " holds no chapters; nothing written.");
    ctx.exitCode = kFailed;
    return;
  }
  SaveRequest req;
  req.folder = folderOfFile(a.output);
  req.name = std::filesystem::path(a.output).filename().string();
  req.noBackup = true;
  ctx.exitCode = savePlaylist(m, req, rep) ? kOk : kFailed;
}

void addChaptersCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("chapters", "Export a playlist's marks to a chapter file, or replace them by one");
  cmd->require_subcommand(1);
  auto ex = std::make_shared<ChapterArgs>();
  auto* exp = cmd->add_subcommand("export", "Write the marks as chapter lines (standard output or -o)");
  exp->add_option("playlist", ex->playlist, "The .mpls file")->required();
  exp->add_option("--format", ex->format, "pts (45 kHz ticks), frame (thousandths of a frame) or time");
  exp->add_option("-o,--output", ex->output, "Write to this file (created or overwritten)");
  exp->callback([&ctx, ex] {
    CliReporter err(stderr, ::isatty(fileno(stderr)) != 0, ctx.verbose);
    exportCommand(*ex, ctx, err);
  });

  auto im = std::make_shared<ChapterArgs>();
  auto* imp = cmd->add_subcommand("import", "Replace the marks by the chapters of a text file and save the playlist");
  imp->add_option("playlist", im->playlist, "The .mpls file")->required();
  imp->add_option("chapters", im->text, "The chapter text file")->required();
  imp->add_option("--format", im->format, "pts, frame or time");
  imp->add_option("-o,--output", im->output, "The playlist file to write")->required();
  imp->callback([&ctx, im] {
    CliReporter err(stderr, ::isatty(fileno(stderr)) != 0, ctx.verbose);
    importCommand(*im, ctx, err);
  });
}

Subcommand chaptersRegistration{"chapters", addChaptersCommand};

}  // namespace

}  // namespace mirdal::cli
