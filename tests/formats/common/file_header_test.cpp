// Every database reader takes its file only with its own type and a known
// version, and reads the header the same way.
#include "formats/common/file_header.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "formats/bdjo/bdjo.h"
#include "formats/clip/clpi.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"
#include "formats/playlist/mpls.h"
#include "formats/sound/sound_bdmv.h"

namespace mirdal {
namespace {

Bytes fileWith(const std::string& header) {
  Bytes b(header.begin(), header.end());
  b.resize(header.size() + 200, 0);  // zero addresses and counts after it
  return b;
}

struct Reader {
  const char* type;
  std::function<ReadStatus(const Bytes&)> read;
  bool ultraHD = true;  // reads version 0300
};

const Reader kReaders[] = {
    {"BDJO", [](const Bytes& d) { BdjoFile m; return parseBdjo(d, m); }, false},
    {"HDMV", [](const Bytes& d) { ClipInfoFile m; return parseClipInfo(d, m).status; }},
    {"INDX", [](const Bytes& d) { IndexFile m; return parseIndex(d, m).status; }},
    {"MOBJ", [](const Bytes& d) { MovieObjectFile m; return parseMovieObjects(d, m).status; }},
    {"MPLS", [](const Bytes& d) { Playlist m; return parsePlaylist(d, m).status; }},
    {"BCLK", [](const Bytes& d) { SoundFile m; return parseSound(d, m).status; }, false},
};

TEST(FileHeader, EveryReaderTakesItsTypeWithAKnownVersionOnly) {
  struct Case {
    std::string version;
    bool accepted;
  };
  const Case cases[] = {{"0100", true}, {"0200", true}, {"0300", false}, {"0400", false}, {"0000", false},
                        {"100", false}, {std::string("01\0\0", 4), false}};
  for (const Reader& reader : kReaders) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(reader.type) + " " + c.version);
      const ReadStatus s = reader.read(fileWith(reader.type + c.version));
      EXPECT_EQ(s != ReadStatus::Rejected, c.version == "0300" ? reader.ultraHD : c.accepted);
    }
    // Another kind's type is refused whatever the version.
    for (const Reader& other : kReaders) {
      if (&other == &reader) continue;
      SCOPED_TRACE(std::string(reader.type) + " reading " + other.type);
      EXPECT_EQ(reader.read(fileWith(std::string(other.type) + "0200")), ReadStatus::Rejected);
    }
    // A file that ends inside the header.
    EXPECT_EQ(reader.read(Bytes{'M', 'P'}), ReadStatus::Rejected);
  }
}

TEST(FileHeader, ReadsEightBytesAndComparesWithTheGivenVersions) {
  struct Case {
    std::string data;
    std::vector<std::string_view> versions;
    bool accepted;
    std::string version;
  };
  const Case cases[] = {
      {"MPLS0300rest", {"0100", "0200", "0300"}, true, "0300"},
      {"MPLS0300rest", {"0100", "0200"}, false, "0300"},
      {"MPLS0200", {"0100"}, false, "0200"},
      {"MPLS020", {"0100", "0200"}, false, "020"},
      {"mpls0200", {"0100", "0200"}, false, "0200"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data);
    const Bytes data(c.data.begin(), c.data.end());
    FieldReader r(data);
    const FileHeader h = readFileHeader(r, "MPLS", c.versions);
    EXPECT_EQ(h.accepted, c.accepted);
    EXPECT_EQ(h.version, c.version);
    EXPECT_EQ(r.pos(), 8u);
  }
}

}  // namespace
}  // namespace mirdal
