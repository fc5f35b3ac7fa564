// The folder of real disc files that nobody on the team wrote: MIRDAL_SAMPLES
// when set, else shared/samples beside the checkout (or one level up, for a
// checkout inside a work folder). Empty when there is none; tests that use
// it skip then.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace mirdal::test {

inline std::filesystem::path sharedSamples() {
  namespace fs = std::filesystem;
  if (const char* env = std::getenv("MIRDAL_SAMPLES")) return env;
  for (const fs::path& p : {fs::path(MIRDAL_SOURCE_DIR) / "../shared/samples",
                            fs::path(MIRDAL_SOURCE_DIR) / "../../shared/samples"}) {
    std::error_code ec;
    if (fs::is_directory(p, ec)) return p;
  }
  return {};
}

// An Ultra HD database file (version "0300").
inline bool ultraHdFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  char head[8] = {};
  in.read(head, 8);
  return in.gcount() == 8 && std::string(head + 4, 4) == "0300";
}

}  // namespace mirdal::test
