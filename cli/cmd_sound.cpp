// mirdal-cli sound export <sound.bdmv> <n> -o x.wav
// mirdal-cli sound import <sound.bdmv> <wav> [--at N] -o out
// mirdal-cli sound delete <sound.bdmv> <n> -o out
// A sound entry to a WAV file; a WAV file into a sound file, or one entry
// out of it, written to out (the input is left as it is).
#include <filesystem>

#include "audio/sound_wav.h"
#include "cli/cli_context.h"
#include "cli/file_kinds.h"
#include "cli/sound_file.h"
#include "core/report.h"

namespace mirdal::cli {

namespace {

void addExport(CLI::App& sound, CliContext& ctx) {
  auto* cmd = sound.add_subcommand("export", "Write one sound entry as a WAV file");
  struct Args {
    std::string path, output;
    std::size_t entry = 0;
  };
  auto a = std::make_shared<Args>();
  cmd->add_option("file", a->path, "The sound.bdmv file")->required();
  cmd->add_option("entry", a->entry, "The entry's number (from 0)")->required();
  cmd->add_option("-o,--output", a->output, "The WAV file to write")->required();
  cmd->callback([&ctx, a] {
    requireInputFile(a->path);
    SoundFile snd;
    const ReadStatus status = loadSoundQuietly(a->path, snd);
    if (!usable(status)) {
      ctx.exitCode = kFailed;
      return;
    }
    if (a->entry >= snd.entries.size())
      throw UsageError{fileNameOf(a->path) + " holds " + std::to_string(snd.entries.size()) +
                       " sound entries; there is no entry " + std::to_string(a->entry)};
    const bool written = exportSound(snd, a->entry, a->output, *ctx.report);
    ctx.exitCode = written && status == ReadStatus::Ok ? kOk : kFailed;
  });
}

void addImport(CLI::App& sound, CliContext& ctx) {
  auto* cmd = sound.add_subcommand("import", "Insert a sound from a WAV file (16 bit, 48 kHz PCM) and write the result");
  struct Args {
    std::string path, wav, output;
    std::optional<std::size_t> at;
  };
  auto a = std::make_shared<Args>();
  cmd->add_option("file", a->path, "The sound.bdmv file")->required();
  cmd->add_option("wav", a->wav, "The WAV file")->required();
  cmd->add_option("--at", a->at, "The new entry's number (from 0; default: after the last entry)");
  cmd->add_option("-o,--output", a->output, "The sound file to write")->required();
  cmd->callback([&ctx, a] {
    requireInputFile(a->path);
    requireInputFile(a->wav);
    SoundFile snd;
    if (loadSoundQuietly(a->path, snd) != ReadStatus::Ok) {
      ctx.exitCode = kFailed;
      return;
    }
    const std::size_t at = a->at.value_or(snd.entries.size());
    if (at > snd.entries.size())
      throw UsageError{"--at " + std::to_string(at) + ": " + fileNameOf(a->path) + " holds " +
                       std::to_string(snd.entries.size()) + " sound entries"};
    // A refused WAV file is told on standard error.
    CaptureReporter capture;
    bool inserted = false;
    {
      inserted = loadSound(snd, at, a->wav, capture);
    }
    if (!inserted) {
      capture.replayToStderr();
      ctx.exitCode = kFailed;
      return;
    }
    ctx.exitCode = saveSound(snd, outputRequest(a->output), *ctx.messages) ? kOk : kFailed;
  });
}

void addDelete(CLI::App& sound, CliContext& ctx) {
  auto* cmd = sound.add_subcommand("delete", "Remove one sound entry and write the result");
  struct Args {
    std::string path, output;
    std::size_t entry = 0;
  };
  auto a = std::make_shared<Args>();
  cmd->add_option("file", a->path, "The sound.bdmv file")->required();
  cmd->add_option("entry", a->entry, "The entry's number (from 0)")->required();
  cmd->add_option("-o,--output", a->output, "The sound file to write")->required();
  cmd->callback([&ctx, a] {
    requireInputFile(a->path);
    SoundFile snd;
    if (loadSoundQuietly(a->path, snd) != ReadStatus::Ok) {
      ctx.exitCode = kFailed;
      return;
    }
    if (!deleteSoundEntry(snd, a->entry))
      throw UsageError{fileNameOf(a->path) + " holds " + std::to_string(snd.entries.size()) +
                       " sound entries; there is no entry " + std::to_string(a->entry)};
    ctx.exitCode = saveSound(snd, outputRequest(a->output), *ctx.messages) ? kOk : kFailed;
  });
}

void addSoundCommand(CLI::App& app, CliContext& ctx) {
  auto* sound = app.add_subcommand("sound", "Export sound.bdmv entries to WAV files, insert WAV files, delete entries");
  sound->require_subcommand(1);
  addExport(*sound, ctx);
  addImport(*sound, ctx);
  addDelete(*sound, ctx);
}

Subcommand soundRegistration{"sound", addSoundCommand};

}  // namespace

}  // namespace mirdal::cli
