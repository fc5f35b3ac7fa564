#include "cli/file_kinds.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/cli_reporter.h"
#include "cli/dump_text.h"
#include "cli/json_model.h"

// Every FileKind must have its reader below.
#pragma GCC diagnostic error "-Wswitch"

namespace mirdal::cli {

namespace {

// One callable made of one lambda per model: std::visit over it fails to
// compile when a model of LoadedFile has no lambda.
template <class... F>
struct PerKind : F... {
  using F::operator()...;
};

// Reads path into a model of the kind detected; nullopt for Unknown.
std::optional<LoadedFile> readAs(FileKind kind, const std::string& path, ReadStatus& status) {
  switch (kind) {
    case FileKind::Index: {
      TINDX m;
      status = readIndexFile(path, m).status;
      return m;
    }
    case FileKind::MovieObject: {
      TMOBJ m;
      status = readMovieObjectFile(path, m).status;
      return m;
    }
    case FileKind::BDJObject: {
      TBDJO m;
      status = readBDJOFile(path, fileNameOf(path), m);
      if (status == ReadStatus::Rejected)
        std::fprintf(stderr, "mirdal-cli: %s: not a BD-J object of version 0100 or 0200\n", path.c_str());
      return m;
    }
    case FileKind::Unknown:
      std::fprintf(stderr, "mirdal-cli: %s: not an index, movie object or BD-J object file\n", path.c_str());
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

void CaptureReporter::replayToStderr() const {
  CliReporter err(stderr, ::isatty(fileno(stderr)) != 0, false);
  for (const LogParagraph& p : paragraphs) err.appendParagraph(p);
}

Loaded loadFile(const std::string& path) {
  Loaded l;
  Bytes data;
  std::string error;
  if (!readFileBytes(path, data, &error)) {
    std::fprintf(stderr, "mirdal-cli: cannot read %s (%s)\n", path.c_str(), error.c_str());
    return l;
  }
  l.file = readAs(detectFileKind(data), path, l.status);
  return l;
}

std::string textDump(const LoadedFile& f, const std::string& name) {
  return std::visit(PerKind{
                        [&](const TINDX& m) { return dumpIndexText(m, name); },
                        [&](const TMOBJ& m) { return dumpMovieObjectsText(m, name); },
                        [&](const TBDJO& m) { return dumpBDJOText(m, name); },
                    },
                    f);
}

nlohmann::json jsonDump(const LoadedFile& f) {
  return std::visit(PerKind{
                        [](const TINDX& m) { return toJson(m); },
                        [](const TMOBJ& m) { return toJson(m); },
                        [](const TBDJO& m) { return toJson(m); },
                    },
                    f);
}

Resave resaveFile(const LoadedFile& f, const SaveRequest& req) {
  auto saved = [](bool ok) { return ok ? Resave::Saved : Resave::Failed; };
  return std::visit(PerKind{
                        [&](const TINDX& m) { return saved(indexsave(m, req)); },
                        [&](const TMOBJ& m) { return saved(mobjsave(m, req)); },
                        [](const TBDJO&) { return Resave::ReadOnly; },
                    },
                    f);
}

std::optional<TCommands> loadObjectProgram(const std::string& path, std::size_t object) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) throw UsageError{"no such file: " + path};
  CaptureReporter capture;
  TMOBJ m;
  MobjParse parsed;
  {
    ScopedReporter scope(capture);
    parsed = readMovieObjectFile(path, m);
  }
  if (!usable(parsed.status)) {
    capture.replayToStderr();
    return std::nullopt;
  }
  const auto& objects = m.movie_objects.objects;
  if (object >= objects.size())
    throw UsageError{fileNameOf(path) + " holds " + std::to_string(objects.size()) +
                     " objects; there is no object " + std::to_string(object)};
  if (parsed.status == ReadStatus::Truncated) capture.replayToStderr();
  return objects[object].commands;
}

}  // namespace mirdal::cli
