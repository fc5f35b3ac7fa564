#include "formats/common/file_header.h"

#include <algorithm>

namespace mirdal {

FileHeader readFileHeader(FieldReader& r, std::string_view type,
                          std::span<const std::string_view> versions) {
  FileHeader h;
  h.type = r.readString(4);
  h.version = r.readString(4);
  h.accepted = !r.overrun() && h.type == type &&
               std::find(versions.begin(), versions.end(), h.version) != versions.end();
  return h;
}

}  // namespace mirdal
