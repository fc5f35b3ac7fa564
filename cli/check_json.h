// The JSON outputs of the disc check (docs/json.md): kinds "lint",
// "gpr_map" and "navmap".
#pragma once

#include <nlohmann/json.hpp>

#include "check/check_disc.h"

namespace mirdal::cli {

nlohmann::json lintJson(const CheckReport& r);
nlohmann::json gprMapJson(const GprMap& m);
nlohmann::json navmapJson(const NavGraph& g);

}  // namespace mirdal::cli
