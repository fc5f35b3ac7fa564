// ExtensionData side files (.exd): any input loads without fault; the dump
// of every entry stays within the block; a block written and loaded again
// keeps its header and entries.
#include <cstddef>
#include <cstdint>

#include "core/extension_data.h"
#include "formats/common/ext_data_edit.h"
#include "fuzz_check.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes in(data, data + size);
  FieldReader r(in);
  ExtensionData ed;
  if (!readExtensionData(r, ed)) return 0;
  extDataSummary(ed);
  for (std::size_t i = 0; i < ed.entries.size(); ++i) {
    extDataRow(ed, i);
    for (const ExtDataDumpLine& l : extDataDump(ed, i)) FUZZ_CHECK(l.chars.size() <= 32);
  }
  const Bytes exd = composeExtDataFile(ed);
  FieldReader back(exd);
  ExtensionData again;
  FUZZ_CHECK(readExtensionData(back, again));
  FUZZ_CHECK(again.length == ed.length && again.entries == ed.entries);
  if (!ed.entries.empty()) setExtDataId1(ed, 0, std::string(reinterpret_cast<const char*>(data), size % 8));
  return 0;
}
