// What the three database readers share: the outcome of a read and the
// reporting of files that cannot be read or end early.
#pragma once

#include <cstddef>
#include <string>

#include "core/fields.h"
#include "core/save.h"

namespace mirdal {

enum class ReadStatus {
  Ok,
  Truncated,   // read as far as the file goes; the rest of the model is zero
  Unreadable,  // missing, not a file, too large or unreadable
  Rejected,    // wrong header (or, for the index, too many titles)
};

// A model that was read whole or partly can be shown and edited.
inline bool usable(ReadStatus s) { return s == ReadStatus::Ok || s == ReadStatus::Truncated; }

// Reads a whole disc file; a failure is reported through rep.logError as
// "Cannot read " + path + " (" + reason + ")".
bool readDiscFile(const std::string& path, Bytes& out, Reporter& rep);

// The opening step of every reader: "Reading " + shown name in the log, then
// the whole file (readDiscFile).
bool openDiscFile(const std::string& path, const std::string& shownName, Bytes& out, Reporter& rep);

// The save step of every writer: "Saving " + name, the save routine (backup
// step, temporary file, rename), then "name saved." and the status line
// cleared, all told to rep. False, with the error logged, when the file
// could not be written.
bool saveDiscFile(const SaveRequest& req, const Bytes& bytes, Reporter& rep);

// The same step for a model the writer refuses: "Saving " + name, then the
// error "Cannot save " + name + ": " + why. Nothing is written.
void refuseSave(const SaveRequest& req, const std::string& why, Reporter& rep);

// logError name + " ends early at $" + the file size in 8 hexadecimal digits.
void reportEndsEarly(const std::string& name, std::size_t fileSize, Reporter& rep);

// Ultra HD discs write their BD-J objects as version "0300", whose layout
// differs. After a rejected header, logs the plain line "version 0300 (Ultra
// HD) is not supported" when the file's version (bytes 4 to 7) is "0300";
// returns whether it did.
bool noteUnsupportedVersion(const Bytes& data, Reporter& rep);
inline constexpr const char* kUltraHdNote = "version 0300 (Ultra HD) is not supported";

// The file-name part of a path, for log lines.
std::string fileNameOf(const std::string& path);

}  // namespace mirdal
