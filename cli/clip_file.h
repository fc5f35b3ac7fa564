// The clip information file (.clpi) kind of `dump` and `resave`: a
// self-contained piece the file-kind table calls when a file begins with
// "HDMV".
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "core/fields.h"
#include "formats/clpi.h"

namespace mirdal::cli {

// A clip information file is told by its type indicator "HDMV".
bool isClipData(const Bytes& data);
// Reads the first four bytes of path; false when it cannot be read.
bool isClipFile(const std::string& path);

// What the clip page's grids show, as text tables.
std::string dumpClipText(const TCLPI& c, const std::string& name);
// The whole model; top-level "kind": "clip" and "format_version": 1.
nlohmann::json clipJson(const TCLPI& c);

// `dump <clpi> [--json]` and `resave <clpi> -o <out>`; they return the exit
// status (0 done, 1 the file was rejected, cut or not written).
int dumpClipFile(const std::string& path, bool json);
int resaveClipFile(const std::string& path, const std::string& out);

}  // namespace mirdal::cli
