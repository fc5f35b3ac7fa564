// The JSON outputs of mirdal-cli (docs/json.md): every one is an object
// with "kind" and "format_version" at the top; keys in snake_case, numbers as
// numbers, texts from disc files as Latin-1 turned into UTF-8, kept byte
// fields as hexadecimal strings, and the same keys whatever options were
// given.
#pragma once

#include <nlohmann/json.hpp>

#include "core/extension_data.h"
#include "formats/bdjo/bdjo.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"
#include "nav/registers.h"

namespace mirdal::cli {

// Each byte of a disc text (and of a command line) is one 8-bit character;
// JSON wants UTF-8.
std::string latin1ToUtf8(const std::string& latin1);

// Kept byte fields (reserved, trailing, gaps) as hexadecimal text, two
// digits a byte.
std::string hexBytes(const Bytes& b);

// The version of the JSON shape itself, raised when a key changes meaning.
inline constexpr int kJsonFormatVersion = 1;

// body (an object) with "kind" and "format_version" added.
nlohmann::json jsonDocument(const char* kind, nlohmann::json body);

// The models of `mirdal-cli dump --json`, kinds "index", "movie_objects" and
// "bdjo" (jsonDocument adds them).
nlohmann::json toJson(const ExtensionData& ed);
nlohmann::json toJson(const IndexFile& idx);
nlohmann::json toJson(const MovieObjectFile& m);
nlohmann::json toJson(const BdjoFile& b);

// The registers at the end of a run or a menu play: "psr" (all 128) and
// "gpr" (those not 0, as {"number", "value"}, as the "GPRs" button lists).
nlohmann::json registersJson(const Registers& regs);

}  // namespace mirdal::cli
