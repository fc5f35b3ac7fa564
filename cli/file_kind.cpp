#include "cli/file_kind.h"

#include <cstring>

namespace mirdal::cli {

FileKind detectFileKind(const Bytes& data) {
  if (data.size() < 4) return FileKind::Unknown;
  const char* p = reinterpret_cast<const char*>(data.data());
  if (std::memcmp(p, "INDX", 4) == 0) return FileKind::Index;
  if (std::memcmp(p, "MOBJ", 4) == 0) return FileKind::MovieObject;
  if (std::memcmp(p, "BDJO", 4) == 0) return FileKind::BDJObject;
  if (std::memcmp(p, "MPLS", 4) == 0) return FileKind::Playlist;
  return FileKind::Unknown;
}

}  // namespace mirdal::cli
