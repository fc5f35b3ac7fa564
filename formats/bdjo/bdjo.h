// BD-J object files (BDJO/xxxxx.bdjo): the applications a player starts for
// a BD-J title. Read only.
//
// Layout (big-endian): "BDJO", version, six start addresses (the first
// unused; then AppCacheInfo, TableOfAccessiblePlayLists,
// ApplicationManagementTable, KeyInterestTable, FileAccessInfo), 16 bytes,
// TerminalInfo at 48, then each section at its start address.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/fields.h"
#include "formats/common/disc_file.h"

namespace mirdal {

struct TerminalInfo {
  std::uint32_t length = 0;
  std::string defaultFontFileName;  // 5 characters
  bool menuCallMask = false;
  bool titleSearchMask = false;
  std::uint8_t initialHaviConfigurationId = 0;  // 4 bits

  bool operator==(const TerminalInfo&) const = default;
};

struct AppCacheEntry {
  std::uint8_t entryType = 0;
  std::string refToName;  // 5 characters
  std::string language;   // 3 characters

  bool operator==(const AppCacheEntry&) const = default;
};

struct AppCacheInfo {
  std::uint32_t length = 0;
  std::vector<AppCacheEntry> entries;

  bool operator==(const AppCacheInfo&) const = default;
};

struct AccessiblePlayLists {
  std::uint32_t length = 0;
  bool accessToAllFlag = false;
  bool autostartFirstPlaylistFlag = false;
  std::vector<std::string> playlists;  // 5-character names

  bool operator==(const AccessiblePlayLists&) const = default;
};

struct AppProfile {
  std::uint16_t profile = 0;
  std::uint8_t majorVersion = 0;
  std::uint8_t minorVersion = 0;
  std::uint8_t microVersion = 0;

  bool operator==(const AppProfile&) const = default;
};

struct ApplicationName {
  std::string language;  // 3 characters
  std::string name;

  bool operator==(const ApplicationName&) const = default;
};

struct Application {
  std::uint8_t controlCode = 0;
  std::uint8_t applicationType = 0;  // 4 bits
  std::uint32_t organizationId = 0;
  std::uint16_t applicationId = 0;
  std::uint8_t descriptorTag = 0;
  std::uint32_t descriptorLength = 0;
  std::vector<AppProfile> profiles;  // at most 15
  std::uint8_t priority = 0;
  std::uint8_t binding = 0;
  std::uint8_t visibility = 0;  // 2 bits
  std::vector<ApplicationName> names;
  std::string iconLocator;
  std::uint16_t iconFlags = 0;
  std::string baseDirectory;
  std::string classpathExtension;
  std::string initialClassName;
  std::vector<std::string> parameters;

  bool operator==(const Application&) const = default;
};

struct ApplicationManagementTable {
  std::uint32_t length = 0;
  std::vector<Application> applications;

  bool operator==(const ApplicationManagementTable&) const = default;
};

struct FileAccessInfo {
  std::uint16_t pathLength = 0;
  std::string directoryPath;

  bool operator==(const FileAccessInfo&) const = default;
};

struct BdjoFile {
  std::string typeIndicator;
  std::string versionNumber;
  std::array<std::uint32_t, 6> startAddresses{};
  TerminalInfo terminalInfo;
  AppCacheInfo appCacheInfo;
  AccessiblePlayLists tableOfAccessiblePlaylists;
  ApplicationManagementTable applicationManagementTable;
  std::uint32_t keyInterestTable = 0;
  FileAccessInfo fileAccessInfo;

  bool operator==(const BdjoFile&) const = default;
};

// The key interest bits 31 to 21, in this order.
inline constexpr std::size_t kKeyInterestCount = 11;
inline constexpr const char* kKeyInterestCaptions[kKeyInterestCount] = {
    "Play", "Stop", "FFW", "REW", "Next", "Prev.", "Pause", "Still off", "sec.audio", "sec.video",
    "PG TextST"};
inline bool keyInterest(std::uint32_t table, std::size_t i) { return (table >> (31 - i)) & 1; }

// Parses a whole file. A wrong header gives Rejected and an empty record.
// Every list stops at the end of the file; the name and parameter lists
// stop at the end of their block, and reading goes on at the block's end as
// its total length gives it, whatever the lengths inside say.
ReadStatus parseBdjo(const Bytes& data, BdjoFile& out);

// The read of one object: "Reading [bl]" + shown name + "[/bl]", the parse,
// "ends early" for a truncated file, Ready. A wrong header stops silently.
ReadStatus readBdjoFile(const std::string& path, const std::string& shownName, BdjoFile& out, Reporter& rep);

}  // namespace mirdal
