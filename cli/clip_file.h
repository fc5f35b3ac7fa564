// The clip information file (.clpi) kind of `dump`: the texts and JSON the
// file-kind table (file_kinds.cpp) uses for a file that begins with "HDMV".
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "core/fields.h"
#include "formats/clip/clpi.h"

namespace mirdal::cli {

// What the clip page's grids show, as text tables.
std::string dumpClipText(const ClipInfoFile& c, const std::string& name);
// The whole model; top-level "kind": "clip" and "format_version": 1.
nlohmann::json clipJson(const ClipInfoFile& c);

}  // namespace mirdal::cli
