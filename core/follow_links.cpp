#include "core/follow_links.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace mirdal {

namespace fs = std::filesystem;

bool followLinks(const std::string& path, std::string& target, std::string* error) {
  target = path;
  for (int depth = 0; depth < 40; ++depth) {
    std::error_code ec;
    if (!fs::is_symlink(target, ec)) return true;
    const fs::path dest = fs::read_symlink(target, ec);
    if (ec) {
      if (error) *error = ec.message();
      return false;
    }
    target = (dest.is_absolute() ? dest : fs::path(target).parent_path() / dest).string();
  }
  if (error) *error = std::strerror(ELOOP);
  return false;
}

}  // namespace mirdal
