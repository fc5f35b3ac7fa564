// A named file image for table-driven byte-for-byte round-trip tests.
#pragma once

#include <ostream>

#include "core/fields.h"

namespace mirdal::test {

struct RoundTripCase {
  const char* name;
  Bytes file;
};
inline void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }

}  // namespace mirdal::test
