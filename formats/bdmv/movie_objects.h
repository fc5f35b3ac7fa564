// MovieObject.bdmv: the movie objects, small programs of navigation commands
// that titles, First Playback and Top Menu point to, each with three flags.
//
// Layout (big-endian): "MOBJ", version, ExtensionData start address, 28
// reserved bytes, then at 40 the MovieObjects block (length, 4 reserved
// bytes, object count, objects) and the optional ExtensionData directly
// after the last object. One object: a flags word (resume intention bit 15,
// menu call mask bit 14, title search mask bit 13), a command count and 12
// bytes per command.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/extension_data.h"
#include "core/fields.h"
#include "core/save.h"
#include "formats/common/disc_file.h"
#include "nav/command.h"

namespace mirdal {

inline constexpr std::size_t kMaxMovieObjects = 0xFFFF;
inline constexpr std::size_t kMaxCommands = 0xFFFF;

struct MovieObject {
  std::uint8_t resumeIntentionFlag = 0;  // 0 discard, 1 suspend
  std::uint8_t menuCallMask = 0;         // 0 enable, 1 disable
  std::uint8_t titleSearchMask = 0;      // 0 enable, 1 disable
  // The number of navigation commands is commands.size().
  CommandList commands;

  bool operator==(const MovieObject&) const = default;
};

struct MovieObjects {
  // Bytes after this field: 6 + the sum of (4 + 12 × commands) when the
  // file is well formed; held as read and moved by every edit.
  std::uint32_t length = 6;
  std::uint32_t reserved = 0;  // kept verbatim
  std::vector<MovieObject> objects;  // object number = position

  bool operator==(const MovieObjects&) const = default;
};

struct MovieObjectFile {
  std::string typeIndicator = "MOBJ";
  std::string versionNumber = "0200";
  std::uint32_t extensionDataStartAddress = 0;  // 0: no ExtensionData
  Bytes reserved = Bytes(28, 0);                // kept verbatim
  MovieObjects movieObjects;
  ExtensionData extensionData;

  bool operator==(const MovieObjectFile&) const = default;
};

struct MovieObjectsParse {
  ReadStatus status = ReadStatus::Ok;
  std::size_t objectsRead = 0;  // objects whose header lies in the file
};

// Parses a whole file. Reading stops at the end of the file: the commands
// and objects behind it stay zero and no ExtensionData is read.
// afterObject(position, fileSize) runs after each object that does not end
// the file.
MovieObjectsParse parseMovieObjects(const Bytes& data, MovieObjectFile& out,
                                    const std::function<void(std::size_t, std::size_t)>& afterObject = {});

// The file image: header, MovieObjects block, the objects (flags bits 12-0
// written as 0), then the ExtensionData when its start address is not 0.
Bytes composeMovieObjects(const MovieObjectFile& m);

// The load step: "Reading " + file name, "pos/size" on status panel 1 after
// each object, then "  Found [b]n[/b] objects, [b]e[/b] extended entry." or
// "Format error " + file name.
MovieObjectsParse readMovieObjectFile(const std::string& path, MovieObjectFile& m, Reporter& rep);

// Logs "Saving " + name, saves through the backup step and logs
// name + " saved." and Ready. Returns false when the file was not written.
bool saveMovieObjects(const MovieObjectFile& m, const SaveRequest& req, Reporter& rep);

}  // namespace mirdal
