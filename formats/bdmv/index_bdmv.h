// index.bdmv: the disc's table of contents. First Playback, Top Menu and the
// numbered titles, each naming a movie object (HDMV) or a BD-J object file.
//
// Layout (big-endian): "INDX", version, Indexes start address, ExtensionData
// start address, 24 reserved bytes, AppInfoBDMV (length, flags, 32 bytes of
// content provider data) at 40-77, then the Indexes block (length, First
// Playback, Top Menu, title count, 12 bytes per title), then the optional
// ExtensionData block directly after the last title.
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

namespace mirdal {

inline constexpr std::uint16_t kNoObject = 0xFFFF;  // First Playback / Top Menu off
inline constexpr std::size_t kMaxTitles = 999;
inline constexpr std::uint32_t kIndexesOffset = 78;

// First Playback and Top Menu.
struct IndexEntry {
  std::uint8_t objectType = 1;    // 1 HDMV, 2 BD-J
  std::uint8_t playbackType = 0;  // HDMV: 0 Movie, 1 Interactive
  // 0xFFFF: the entry is off. A BD-J entry read from a file holds 0 (on).
  std::uint16_t movieObjectReference = kNoObject;
  std::string bdjObjectName;  // at most 5 characters

  bool operator==(const IndexEntry&) const = default;
};

struct IndexTitle {
  unsigned titleNumber = 1;        // position + 1, kept in step by every edit
  std::uint8_t objectType = 1;     // 1 HDMV; any other value is handled as BD-J
  std::uint8_t accessType = 0;     // 0/1 Permitted, 2 Prohibited1, 3 Prohibited2
  std::uint8_t playbackType = 0;   // 0 Movie, 1 Interactive; others kept
  std::uint16_t movieObjectReference = 0;
  std::string bdjObjectName;

  bool operator==(const IndexTitle&) const = default;
};

struct Indexes {
  std::uint32_t length = 26;  // bytes after this field; ±12 per title edit
  IndexEntry firstPlayback;
  IndexEntry topMenu;
  std::vector<IndexTitle> titles;  // the number of titles is titles.size()

  bool operator==(const Indexes&) const = default;
};

struct IndexFile {
  std::string typeIndicator = "INDX";
  std::string versionNumber = "0200";
  std::uint32_t indexesStartAddress = kIndexesOffset;
  std::uint32_t extensionDataStartAddress = 0;  // 0: no ExtensionData
  Bytes reserved = Bytes(24, 0);                // kept verbatim
  std::uint32_t appInfoBdmvLength = 34;
  std::uint16_t appInfoBdmvFlags = 0;
  std::string contentProviderData;  // at most 32 characters
  // Bytes between offset 78 and a later Indexes start address, kept so that
  // such a file is written back with its Indexes block where it was.
  Bytes indexesGap;
  Indexes indexes;
  ExtensionData extensionData;

  bool operator==(const IndexFile&) const = default;
};

struct IndexParse {
  ReadStatus status = ReadStatus::Ok;
  bool tooManyTitles = false;        // rejected because of the title count
  std::size_t position = 0;          // header error: the position after the two values
  std::uint32_t numberOfTitles = 0;  // as read
};

// Parses a whole file. Starts from an empty record; with a wrong header
// nothing is taken over. onTitle(i, count) runs after each title (1-based).
IndexParse parseIndex(const Bytes& data, IndexFile& out,
                      const std::function<void(std::size_t, std::size_t)>& onTitle = {});

// The file image of the record: header and AppInfoBDMV, the Indexes block at
// 78 (after any kept gap), the titles, then the ExtensionData when its start
// address is not 0. Lengths and addresses are written as held.
Bytes composeIndex(const IndexFile& idx);

// The load step: "Reading " + file name, the title counter on status panel
// 1, then "  Found [b]N[/b] titles, [b]M[/b] extended entry." or the error
// line of a rejected file.
IndexParse readIndexFile(const std::string& path, IndexFile& idx, Reporter& rep);

// Logs "Saving " + name, saves through the backup step and logs
// name + " saved." and Ready. Returns false when the file was not written.
bool saveIndex(const IndexFile& idx, const SaveRequest& req, Reporter& rep);

}  // namespace mirdal
