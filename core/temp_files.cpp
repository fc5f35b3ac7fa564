#include "core/temp_files.h"

#include <filesystem>

#include "core/disc_folder.h"

namespace mirdal {

namespace fs = std::filesystem;

std::string tempFolder() {
  std::error_code ec;
  const fs::path p = fs::temp_directory_path(ec);
  return withTrailingSeparator(ec ? std::string("/tmp") : p.string());
}

std::string tempFilePath(const std::string& name) { return tempFolder() + name; }

int deleteTempFiles(const std::string& folder) {
  const std::string prefix = kTempPrefix;
  int deleted = 0;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    std::error_code fec;
    // symlink_status: a link named Mirdal_* is removed itself, never followed.
    if (fs::is_directory(it->symlink_status(fec))) continue;
    if (fs::remove(it->path(), fec)) ++deleted;
  }
  return deleted;
}

}  // namespace mirdal
