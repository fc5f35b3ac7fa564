#include "cli/file_kinds.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/cli_reporter.h"
#include "cli/clip_file.h"
#include "cli/dump_text.h"
#include "cli/json_model.h"
#include "cli/menu_cli.h"
#include "cli/playlist_cli.h"
#include "cli/sound_file.h"
#include "formats/clip/clpi_edit.h"
#include "menu/igs_read.h"
#include "menu/igs_write.h"

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
// Clang 14 does not deduce aggregate template arguments by itself.
template <class... F>
PerKind(F...) -> PerKind<F...>;

// Reads path into a model of the kind detected; nullopt for Unknown.
std::optional<LoadedFile> readAs(FileKind kind, const std::string& path, ReadStatus& status, Reporter& rep) {
  switch (kind) {
    case FileKind::Index: {
      IndexFile m;
      status = readIndexFile(path, m, rep).status;
      return m;
    }
    case FileKind::MovieObject: {
      MovieObjectFile m;
      status = readMovieObjectFile(path, m, rep).status;
      return m;
    }
    case FileKind::BDJObject: {
      BdjoFile m;
      status = readBdjoFile(path, fileNameOf(path), m, rep);
      if (status == ReadStatus::Rejected)
        std::fprintf(stderr, "mirdal-cli: %s: not a BD-J object of version 0100 or 0200\n", path.c_str());
      return m;
    }
    case FileKind::Playlist: {
      Playlist m;
      status = readPlaylistFile(path, m, rep);
      return m;
    }
    case FileKind::Clip: {
      ClipInfoFile m;
      status = readClipInfoFile(path, m, rep).status;
      return m;
    }
    case FileKind::Sound: {
      SoundFile m;
      status = readSoundFile(path, m, rep).status;
      return m;
    }
    case FileKind::Menu: {
      IgMenu m;
      status = readMnuFile(path, m, rep).status;
      return m;
    }
    case FileKind::Unknown:
      std::fprintf(stderr, "mirdal-cli: %s: not an index, movie object, BD-J object, playlist, clip, sound or menu file\n",
                   path.c_str());
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

void CaptureReporter::replayToStderr() const {
  CliReporter err(stderr, colorsFor(stderr), false);
  for (const LogParagraph& p : paragraphs) err.appendParagraph(p);
}

Loaded loadFile(const std::string& path, Reporter& rep) {
  Loaded l;
  Bytes data;
  std::string error;
  if (!readFileBytes(path, data, &error)) {
    std::fprintf(stderr, "mirdal-cli: cannot read %s (%s)\n", path.c_str(), error.c_str());
    return l;
  }
  FileKind kind = detectFileKind(data);
  // A file named .mnu is read as a menu whatever it holds: the menu reader
  // says what is wrong with it.
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (kind == FileKind::Unknown && ext == ".mnu") kind = FileKind::Menu;
  const int before = rep.errorCount();
  l.file = readAs(kind, path, l.status, rep);
  l.errors = rep.errorCount() >= before ? rep.errorCount() - before : rep.errorCount();
  return l;
}

std::string textDump(const LoadedFile& f, const std::string& name) {
  return std::visit(PerKind{
                        [&](const IndexFile& m) { return dumpIndexText(m, name); },
                        [&](const MovieObjectFile& m) { return dumpMovieObjectsText(m, name); },
                        [&](const BdjoFile& m) { return dumpBdjoText(m, name); },
                        [&](const Playlist& m) { return dumpPlaylistText(m, name); },
                        [&](const ClipInfoFile& m) { return dumpClipText(m, name); },
                        [&](const SoundFile& m) { return dumpSoundText(m, name); },
                        [&](const IgMenu& m) { return dumpMenuText(m, name); },
                    },
                    f);
}

nlohmann::json jsonDump(const LoadedFile& f) {
  return std::visit(PerKind{
                        [](const IndexFile& m) { return jsonDocument("index", toJson(m)); },
                        [](const MovieObjectFile& m) { return jsonDocument("movie_objects", toJson(m)); },
                        [](const BdjoFile& m) { return jsonDocument("bdjo", toJson(m)); },
                        [](const Playlist& m) { return playlistJson(m); },
                        [](const ClipInfoFile& m) { return clipJson(m); },
                        [](const SoundFile& m) { return soundJson(m); },
                        [](const IgMenu& m) { return menuToJson(m); },
                    },
                    f);
}

Resave resaveFile(LoadedFile& f, const SaveRequest& req, Reporter& rep, bool guesses) {
  auto saved = [](bool ok) { return ok ? Resave::Saved : Resave::Failed; };
  return std::visit(PerKind{
                        [&](const IndexFile& m) { return saved(saveIndex(m, req, rep)); },
                        [&](const MovieObjectFile& m) { return saved(saveMovieObjects(m, req, rep)); },
                        [](const BdjoFile&) { return Resave::ReadOnly; },
                        [&](Playlist& m) {
                          if (guesses) fitLayout(m);
                          return saved(savePlaylist(m, req, rep));
                        },
                        [&](ClipInfoFile& m) {
                          if (guesses) fitClipLayout(m);
                          return saved(saveClipInfo(m, req, rep));
                        },
                        [&](const SoundFile& m) { return saved(saveSound(m, req, rep)); },
                        [&](IgMenu& m) { return saved(saveMnu(m, req, rep)); },
                    },
                    f);
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

std::optional<CommandList> loadObjectProgram(const std::string& path, std::size_t object, bool& readWhole) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) throw InputError{"no such file: " + path};
  CaptureReporter capture;
  MovieObjectFile m;
  MovieObjectsParse parsed;
  {
    parsed = readMovieObjectFile(path, m, capture);
  }
  if (!usable(parsed.status)) {
    capture.replayToStderr();
    return std::nullopt;
  }
  const auto& objects = m.movieObjects.objects;
  readWhole = parsed.status == ReadStatus::Ok && capture.errors == 0;
  if (!readWhole) capture.replayToStderr();
  else capture.replayDiagnostics();
  if (object >= objects.size()) throw InputError{noSuchObjectMessage(fileNameOf(path), objects.size(), object)};
  return objects[object].commands;
}

}  // namespace mirdal::cli
