// The coded values of index entries, titles and movie objects, named as the
// files hold them. Edits take these; which list item stands for which value
// is decided where the lists are made (present/bdmv_rows.h).
#pragma once

#include <cstdint>

namespace mirdal {

enum class ObjectType : std::uint8_t { HDMV = 1, BDJ = 2 };
enum class TitlePlaybackType : std::uint8_t { Movie = 0, Interactive = 1 };
// Access type 1 is read as Permitted too; an edit writes 0.
enum class AccessType : std::uint8_t { Permitted = 0, Prohibited1 = 2, Prohibited2 = 3 };
enum class ResumeIntention : std::uint8_t { Discard = 0, Suspend = 1 };
// Menu call and title search masks.
enum class Mask : std::uint8_t { Enable = 0, Disable = 1 };

}  // namespace mirdal
