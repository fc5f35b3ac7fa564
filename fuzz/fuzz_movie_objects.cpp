// MovieObject.bdmv: any input parses without fault; a file read whole is
// written and read back to the same model; object edits keep the model
// writable.
#include <cstddef>
#include <cstdint>

#include "formats/bdmv/bdmv_edit.h"
#include "present/bdmv_rows.h"
#include "formats/bdmv/movie_objects.h"
#include "fuzz_check.h"
#include "tests/support/recording_reporter.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes in(data, data + size);
  MovieObjectFile m;
  const MovieObjectsParse res = parseMovieObjects(in, m);
  if (res.status == ReadStatus::Ok) {
    MovieObjectFile again;
    FUZZ_CHECK(parseMovieObjects(composeMovieObjects(m), again).status == ReadStatus::Ok);
    FUZZ_CHECK(again == m);
  }
  if (!usable(res.status)) return 0;
  for (std::size_t i = 0; i < m.movieObjects.objects.size(); ++i) objectRow(m, i);
  objectCounter(m);
  IndexFile idx;
  insertTitle(idx, 0);
  idx.indexes.titles[0].movieObjectReference = std::uint16_t(size);
  if (!m.movieObjects.objects.empty()) deleteMovieObjects(m, idx, 0, size % 3, mirdal::test::testReporter());
  insertMovieObject(m, size % 5);
  composeMovieObjects(m);
  return 0;
}
