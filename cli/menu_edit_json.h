// `menu edit`: a JSON list of edits applied to a menu in order, so a menu
// can be built by a script. The edit kinds are listed in docs/json.md.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "menu/igs_model.h"

namespace mirdal {
class Reporter;
}

namespace mirdal::cli {

// Applies every edit of `edits` (a JSON array) to m. Paths in the edits are
// taken relative to baseDir. On the first edit that is malformed or refused
// it stops and returns false with `error` naming the edit ("edit 3
// (delete_object): ..."); m may then hold the edits before it.
bool applyMenuEdits(IgMenu& m, const nlohmann::json& edits, const std::string& baseDir, std::string& error,
                    Reporter& rep);

}  // namespace mirdal::cli
