// What each player status register 0-44 holds, as shown beside PSR operands,
// in the PSR listing and in the command editor's hint.
#pragma once

#include <string_view>

namespace mirdal {

constexpr unsigned kDescribedPsrs = 45;

// The description of PSR n; empty for n >= 45.
std::string_view psrDescription(unsigned n);

}  // namespace mirdal
