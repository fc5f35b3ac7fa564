// BD-J objects: any input parses without fault and every grid row of what
// was read can be shown.
#include <cstddef>
#include <cstdint>

#include "formats/bdjo/bdjo.h"
#include "present/bdjo_rows.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes in(data, data + size);
  BdjoFile b;
  if (!usable(parseBdjo(in, b))) return 0;
  for (std::size_t i = 0; i < b.appCacheInfo.entries.size(); ++i) appCacheRow(b, i);
  for (std::size_t i = 0; i < b.tableOfAccessiblePlaylists.playlists.size(); ++i) accessiblePlayListRow(b, i);
  for (std::size_t i = 0; i < b.applicationManagementTable.applications.size(); ++i) {
    applicationRow(b, i);
    const Application& a = b.applicationManagementTable.applications[i];
    for (std::size_t k = 0; k < a.profiles.size(); ++k) profileRow(a, k);
    for (std::size_t k = 0; k < a.names.size(); ++k) nameRow(a, k);
    for (std::size_t k = 0; k < a.parameters.size(); ++k) parameterRow(a, k);
  }
  haviConfigurationText(b);
  return 0;
}
