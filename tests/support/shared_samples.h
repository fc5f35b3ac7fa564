// The folder of real disc files that nobody on the team wrote: MIRDAL_SAMPLES
// when set, else shared/samples beside the checkout (or one level up, for a
// checkout inside a work folder). Empty when there is none; tests that use
// it skip then.
#pragma once

#include <cstdlib>
#include <filesystem>

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

}  // namespace mirdal::test
