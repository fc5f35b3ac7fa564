// index.bdmv: any input parses without fault; a file read whole is written
// and read back to the same titles and ExtensionData; the grid texts and
// title edits work on whatever was read.
#include <cstddef>
#include <cstdint>

#include "formats/bdmv/bdmv_edit.h"
#include "present/bdmv_rows.h"
#include "formats/common/ext_data_edit.h"
#include "formats/bdmv/index_bdmv.h"
#include "fuzz_check.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes in(data, data + size);
  IndexFile idx;
  const IndexParse res = parseIndex(in, idx);
  if (res.status == ReadStatus::Ok) {
    IndexFile again;
    FUZZ_CHECK(parseIndex(composeIndex(idx), again).status == ReadStatus::Ok);
    FUZZ_CHECK(again.indexes == idx.indexes);
    if (idx.extensionDataStartAddress != 0) FUZZ_CHECK(again.extensionData == idx.extensionData);
  }
  if (!usable(res.status)) return 0;
  for (std::size_t i = 0; i < idx.indexes.titles.size(); ++i) titleRow(idx, i);
  titleCounter(idx);
  for (std::size_t i = 0; i < idx.extensionData.entries.size(); ++i) {
    extDataRow(idx.extensionData, i);
    extDataDump(idx.extensionData, i);
  }
  composeExtDataFile(idx.extensionData);
  if (insertTitle(idx, size % 7)) FUZZ_CHECK(deleteTitles(idx, size % 7, size % 7) != kNoSelection || idx.indexes.titles.empty());
  composeIndex(idx);
  return 0;
}
