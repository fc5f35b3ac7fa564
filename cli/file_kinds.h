// The file kinds of the file subcommands (dump, resave) in one table: a
// loaded file is a std::variant of the models, and every operation on it
// (text dump, JSON dump, save) is a std::visit with one entry per model. A
// kind added to LoadedFile but forgotten in one of them does not compile.
//
// Adding a kind: its type indicator in formats/file_kind.cpp, its model in
// LoadedFile, its reader in readAs() (file_kinds.cpp), then the compiler
// names each table that still lacks it.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/report.h"
#include "core/save.h"
#include "formats/bdjo/bdjo.h"
#include "formats/common/disc_file.h"
#include "formats/common/file_kind.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/clip/clpi.h"
#include "formats/bdmv/movie_objects.h"
#include "formats/playlist/mpls.h"
#include "formats/sound/sound_bdmv.h"
#include "menu/igs_model.h"
#include "formats/playlist/mpls.h"

namespace mirdal::cli {

using LoadedFile = std::variant<IndexFile, MovieObjectFile, BdjoFile, Playlist, ClipInfoFile, SoundFile, IgMenu>;

struct Loaded {
  ReadStatus status = ReadStatus::Unreadable;
  std::optional<LoadedFile> file;  // empty for a file of no known kind
  int errors = 0;                  // errors the reader logged

  // Read to its end without an error: the model holds the file, no guess.
  bool whole() const { return status == ReadStatus::Ok && errors == 0; }
};

// Reads path as the file its first bytes say it is. Files of no known kind
// and unreadable files are told on standard error (no file / status
// Unreadable); a BD-J object with a wrong version, which its reader passes
// over silently, gets a message too.
Loaded loadFile(const std::string& path, Reporter& rep);

// What the grids show of the file; name is the file name shown.
std::string textDump(const LoadedFile& f, const std::string& name);
// The model as JSON with its "kind" and "format_version" (docs/json.md).
nlohmann::json jsonDump(const LoadedFile& f);

enum class Resave { Saved, Failed, ReadOnly };
// Writes the model back through its format's saver; kinds Mirdal only
// reads give ReadOnly and write nothing. Some savers bring derived fields
// (the clip's ClipInfo length, the menu's fragments) up to date first, so
// the model may change. Guesses of a file read with errors (`guesses`) are
// laid out from the content first, as the GUI's save does.
Resave resaveFile(LoadedFile& f, const SaveRequest& req, Reporter& rep, bool guesses = false);

// The commands of movie object `object` of a MovieObject.bdmv, for the
// program and run subcommands. A missing file or an object number the file
// does not hold is an InputError; a file that cannot be read as movie
// objects has its read log told on standard error and gives nothing. A file
// read with errors has its log told too and gives what was read, with
// readWhole false.
std::optional<CommandList> loadObjectProgram(const std::string& path, std::size_t object, bool& readWhole);

// A movie object number typed by the user: decimal digits, 0 to 65534 (an
// object count is 16 bits). Anything else is bad usage (UsageError) with a
// short message.
std::size_t objectArgument(const std::string& text);

// "MovieObject.bdmv holds 9 movie objects (0 to 8); there is no object 12".
std::string noSuchObjectMessage(const std::string& file, std::size_t count, std::size_t object);

// Keeps log paragraphs instead of printing them.
class CaptureReporter final : public Reporter {
 public:
  void appendParagraph(const LogParagraph& p) override { paragraphs.push_back(p); }
  void appendErrorParagraph(const LogParagraph& p) override {
    paragraphs.push_back(p);
    ++errors;
  }
  void appendWarningParagraph(const LogParagraph& p) override {
    paragraphs.push_back(p);
    ++warnings;
  }
  void statusChanged(const StatusLine&) override {}
  void sleepMs(int) override {}
  // Prints what was kept on standard error.
  void replayToStderr() const;
  // A read's log goes to standard error when it holds an error or a
  // warning (the whole log, so they come with the file's name); a clean
  // read prints nothing there.
  void replayDiagnostics() const {
    if (errors || warnings) replayToStderr();
  }

  std::vector<LogParagraph> paragraphs;
  int errors = 0;
  int warnings = 0;
};

}  // namespace mirdal::cli
