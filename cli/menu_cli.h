// Menu files (.mnu) in mirdal-cli: loading for the subcommands, the text and
// JSON dumps, and the resave. dump and resave hand a menu file to these.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "menu/igs_model.h"

namespace mirdal::cli {

// A .mnu file: the extension ".mnu" in any case, or content that begins
// with an "IG" segment prefix.
bool isMenuFile(const std::string& path);

// Loads a menu quietly; on failure the load's log goes to standard error.
// Returns false when nothing usable was read or the read went wrong. What
// the load kept aside (segments of unknown type, later display sets) is
// logged as warnings, so the log goes to standard error then too.
bool loadMenuForCli(const std::string& path, IgMenu& m);

// Before a command writes a menu loaded from `path`: false, with the reason
// on standard error, when the stream held display sets that the menu
// model does not keep and `force` was not given.
bool mayDropDisplaySets(const std::string& path, const IgMenu& m, bool force);

std::string dumpMenuText(const IgMenu& m, const std::string& name);
nlohmann::json menuToJson(const IgMenu& m);

}  // namespace mirdal::cli
