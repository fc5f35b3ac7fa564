// Reading one disc database file for the file subcommands (dump, resave):
// the kind is told by the content, the read logs as the GUI's Read does.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/file_kind.h"
#include "core/report.h"
#include "formats/bdjo.h"
#include "formats/disc_file.h"
#include "formats/index_bdmv.h"
#include "formats/movie_objects.h"
#include "formats/mpls.h"

namespace mirdal::cli {

struct LoadedModel {
  FileKind kind = FileKind::Unknown;
  ReadStatus status = ReadStatus::Unreadable;
  TINDX index;
  TMOBJ mobj;
  TBDJO bdjo;
  TMPLS mpls;
};

// Reads path as the file its first bytes say it is. Files of no known kind
// and unreadable files are told on standard error (kind Unknown / status
// Unreadable); a BD-J object with a wrong version, which its reader passes
// over silently, gets a message too.
LoadedModel loadModel(const std::string& path);

// The commands of movie object `object` of a MovieObject.bdmv, for the
// program and run subcommands. A missing file or an object number the file
// does not hold is an InputError; a file that cannot be read as movie
// objects has its read log told on standard error and gives nothing.
std::optional<TCommands> loadObjectProgram(const std::string& path, std::size_t object);

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
  void statusChanged(const StatusLine&) override {}
  void sleepMs(int) override {}
  // Prints what was kept on standard error.
  void replayToStderr() const;

  std::vector<LogParagraph> paragraphs;
};

}  // namespace mirdal::cli
