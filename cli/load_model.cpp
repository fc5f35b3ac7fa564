#include "cli/load_model.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/cli_reporter.h"

namespace mirdal::cli {

void CaptureReporter::replayToStderr() const {
  CliReporter err(stderr, ::isatty(fileno(stderr)) != 0, false);
  for (const LogParagraph& p : paragraphs) err.appendParagraph(p);
}

LoadedModel loadModel(const std::string& path) {
  LoadedModel m;
  Bytes data;
  std::string error;
  if (!readFileBytes(path, data, &error)) {
    std::fprintf(stderr, "mirdal-cli: cannot read %s (%s)\n", path.c_str(), error.c_str());
    return m;
  }
  m.kind = detectFileKind(data);
  switch (m.kind) {
    case FileKind::Index:
      m.status = readIndexFile(path, m.index).status;
      break;
    case FileKind::MovieObject:
      m.status = readMovieObjectFile(path, m.mobj).status;
      break;
    case FileKind::BDJObject:
      m.status = readBDJOFile(path, fileNameOf(path), m.bdjo);
      if (m.status == ReadStatus::Rejected)
        std::fprintf(stderr, "mirdal-cli: %s: not a BD-J object of version 0100 or 0200\n", path.c_str());
      break;
    case FileKind::Playlist:
      m.status = readPlaylistFile(path, m.mpls);
      break;
    case FileKind::Unknown:
      std::fprintf(stderr, "mirdal-cli: %s: not an index, movie object, BD-J object or playlist file\n", path.c_str());
      break;
  }
  return m;
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
