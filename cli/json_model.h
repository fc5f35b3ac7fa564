// The models as JSON for `mirdal-cli dump --json`: one object per record,
// field names in snake_case, texts from disc files as Latin-1 turned into
// UTF-8, kept byte fields as hexadecimal strings.
#pragma once

#include <nlohmann/json.hpp>

#include "core/extension_data.h"
#include "formats/bdjo.h"
#include "formats/index_bdmv.h"
#include "formats/movie_objects.h"

namespace mirdal::cli {

// Each byte of a disc text (and of a command line) is one 8-bit character;
// JSON wants UTF-8.
std::string latin1ToUtf8(const std::string& latin1);

nlohmann::json toJson(const TExtensionData& ed);
nlohmann::json toJson(const TINDX& idx);
nlohmann::json toJson(const TMOBJ& m);
nlohmann::json toJson(const TBDJO& b);

}  // namespace mirdal::cli
