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
#include "formats/disc_file.h"

namespace mirdal {

struct TTerminalInfo {
  std::uint32_t length = 0;
  std::string default_font_file_name;  // 5 characters
  bool menu_call_mask = false;
  bool title_search_mask = false;
  std::uint8_t initial_havi_configuration_id = 0;  // 4 bits

  bool operator==(const TTerminalInfo&) const = default;
};

struct TAppCacheEntry {
  std::uint8_t entry_type = 0;
  std::string ref_to_name;  // 5 characters
  std::string language;     // 3 characters

  bool operator==(const TAppCacheEntry&) const = default;
};

struct TAppCacheInfo {
  std::uint32_t length = 0;
  std::vector<TAppCacheEntry> entries;

  bool operator==(const TAppCacheInfo&) const = default;
};

struct TTableOfAccessiblePlayLists {
  std::uint32_t length = 0;
  bool access_to_all_flag = false;
  bool autostart_first_playlist_flag = false;
  std::vector<std::string> playlists;  // 5-character names

  bool operator==(const TTableOfAccessiblePlayLists&) const = default;
};

struct TAppProfile {
  std::uint16_t profile = 0;
  std::uint8_t major_version = 0;
  std::uint8_t minor_version = 0;
  std::uint8_t micro_version = 0;

  bool operator==(const TAppProfile&) const = default;
};

struct Tapplication_name {
  std::string language;  // 3 characters
  std::string name;

  bool operator==(const Tapplication_name&) const = default;
};

struct Tapplication {
  std::uint8_t control_code = 0;
  std::uint8_t application_type = 0;  // 4 bits
  std::uint32_t organization_id = 0;
  std::uint16_t application_id = 0;
  std::uint8_t descriptor_tag = 0;
  std::uint32_t descriptor_length = 0;
  std::vector<TAppProfile> profiles;  // at most 15
  std::uint8_t priority = 0;
  std::uint8_t binding = 0;
  std::uint8_t visibility = 0;  // 2 bits
  std::vector<Tapplication_name> names;
  std::string icon_locator;
  std::uint16_t icon_flags = 0;
  std::string base_directory;
  std::string classpath_extension;
  std::string initial_class_name;
  std::vector<std::string> parameters;

  bool operator==(const Tapplication&) const = default;
};

struct TApplicationManagementTable {
  std::uint32_t length = 0;
  std::vector<Tapplication> applications;

  bool operator==(const TApplicationManagementTable&) const = default;
};

struct TFilAccesInfo {
  std::uint16_t path_length = 0;
  std::string directory_path;

  bool operator==(const TFilAccesInfo&) const = default;
};

struct TBDJO {
  std::string type_indicator;
  std::string version_number;
  std::array<std::uint32_t, 6> start_addresses{};
  TTerminalInfo terminal_info;
  TAppCacheInfo app_cache_info;
  TTableOfAccessiblePlayLists table_of_accessible_playlists;
  TApplicationManagementTable application_management_table;
  std::uint32_t key_interest_table = 0;
  TFilAccesInfo file_access_info;

  bool operator==(const TBDJO&) const = default;
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
ReadStatus parseBDJO(const Bytes& data, TBDJO& out);

// The read of one object: "Reading [bl]" + shown name + "[/bl]", the parse,
// "ends early" for a truncated file, Ready. A wrong header stops silently.
ReadStatus readBDJOFile(const std::string& path, const std::string& shownName, TBDJO& out);

}  // namespace mirdal
