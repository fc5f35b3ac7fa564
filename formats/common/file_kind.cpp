#include "formats/common/file_kind.h"

#include <array>
#include <cstring>
#include <fstream>

namespace mirdal {

namespace {

struct TypeIndicator {
  const char* bytes;
  FileKind kind;
};

// One row per kind; a new file kind adds its four bytes here.
constexpr std::array<TypeIndicator, 6> kIndicators{{
    {"INDX", FileKind::Index},
    {"MOBJ", FileKind::MovieObject},
    {"BDJO", FileKind::BDJObject},
    {"MPLS", FileKind::Playlist},
    {"HDMV", FileKind::Clip},
    {"BCLK", FileKind::Sound},
}};

}  // namespace

FileKind detectFileKind(const Bytes& data) {
  if (data.size() < 4) return FileKind::Unknown;
  for (const TypeIndicator& t : kIndicators)
    if (std::memcmp(data.data(), t.bytes, 4) == 0) return t.kind;
  // A menu file is a row of segments, each behind the two bytes "IG".
  if (data[0] == 'I' && data[1] == 'G') return FileKind::Menu;
  return FileKind::Unknown;
}

FileKind detectFileKindOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  Bytes head(4);
  if (!in.read(reinterpret_cast<char*>(head.data()), 4)) return FileKind::Unknown;
  return detectFileKind(head);
}

}  // namespace mirdal
