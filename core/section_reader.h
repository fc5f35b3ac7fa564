// The nested length-prefixed blocks of playlists, clips and menus read as
// sections: a section is a reader over its own bytes only, so reads through
// it never cross its end (they yield zeros and mark the section overrun),
// and the enclosing reader goes on at start + length whatever the section's
// reads did. Positions inside a section count from its start.
#pragma once

#include <cstddef>

#include "core/fields.h"

namespace mirdal {

// The next n bytes of `data` at r's position as a section; r moves past
// them and is overrun when they run past the end of the data.
FieldReader readSection(const Bytes& data, FieldReader& r, std::size_t n);

// A block that begins with its 32-bit length: the section after the length
// field, of that length.
FieldReader readLengthSection(const Bytes& data, FieldReader& r);

}  // namespace mirdal
