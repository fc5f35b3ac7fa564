// The row index that names no row: "insert first", "nothing selected", "no
// owning row". Engine edits and document change notices share it.
#pragma once

#include <cstddef>

namespace mirdal {

inline constexpr std::size_t kNoRow = std::size_t(-1);

}  // namespace mirdal
