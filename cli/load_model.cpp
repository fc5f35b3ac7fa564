#include "cli/load_model.h"

#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/cli_reporter.h"

namespace mirdal::cli {

void CaptureReporter::replayToStderr() const {
  CliReporter err(stderr, colorsFor(stderr), false);
  for (const LogParagraph& p : paragraphs) err.appendParagraph(p);
}

std::size_t objectArgument(const std::string& text) {
  if (!text.empty() && text[0] == '-') throw UsageError{"object numbers count from 0; " + text + " is not one"};
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
    throw UsageError{"the object number is not a decimal number: " + text};
  const std::size_t digits = text.find_first_not_of('0');
  if (digits != std::string::npos && text.size() - digits > 5)
    throw UsageError{"the object number is too large (a file holds at most 65535 objects): " + text};
  const unsigned long n = std::stoul(text);
  if (n > 65534) throw UsageError{"the object number is too large (a file holds at most 65535 objects): " + text};
  return n;
}

std::string noSuchObjectMessage(const std::string& file, std::size_t count, std::size_t object) {
  const std::string n = std::to_string(object);
  if (count == 0) return file + " holds no movie objects; there is no object " + n;
  if (count == 1) return file + " holds 1 movie object (0); there is no object " + n;
  return file + " holds " + std::to_string(count) + " movie objects (0 to " + std::to_string(count - 1) +
         "); there is no object " + n;
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
  if (!std::filesystem::exists(path, ec)) throw InputError{"no such file: " + path};
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
    throw InputError{noSuchObjectMessage(fileNameOf(path), objects.size(), object)};
  if (parsed.status == ReadStatus::Truncated) capture.replayToStderr();
  return objects[object].commands;
}

}  // namespace mirdal::cli
