#include "core/section_reader.h"

#include <algorithm>

namespace mirdal {

FieldReader readSection(const Bytes& data, FieldReader& r, std::size_t n) {
  const std::size_t start = std::min(r.pos(), data.size());
  FieldReader section(data.data() + start, std::min(n, data.size() - start));
  r.skip(n);
  return section;
}

FieldReader readLengthSection(const Bytes& data, FieldReader& r) {
  const std::uint32_t length = r.readU32();
  return readSection(data, r, length);
}

}  // namespace mirdal
