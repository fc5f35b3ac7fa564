#include "core/extension_data.h"

namespace mirdal {

bool ReadExtensionData(FieldReader& r, TExtensionData& ed) {
  ed = TExtensionData{};
  ed.length = r.readlong();
  if (ed.length == 0) return !r.overrun();
  ed.data_block_start_address = r.readlong();
  r.readword();
  r.readbyte();
  ed.number_of_ext_data_entries = r.readbyte();
  // The count is one byte, so the table is at most 255 entries; stop at the
  // end of the file all the same.
  for (unsigned i = 0; i < ed.number_of_ext_data_entries && !r.overrun(); ++i) {
    TExtensionDataEntry e;
    e.ID1 = r.readword();
    e.ID2 = r.readword();
    e.ext_data_start_address = r.readlong();
    e.ext_data_length = r.readlong();
    if (r.overrun()) break;
    ed.entries.push_back(e);
  }
  if (r.overrun()) {
    ed.number_of_ext_data_entries = std::uint8_t(ed.entries.size());
    return false;
  }
  ed.data = r.readRest();
  return true;
}

void addExtensionDataHead(OutputBuffer& out, const TExtensionData& ed) {
  out.addlong(ed.length);
  out.addlong(ed.data_block_start_address);
  out.add3byte(0);
  out.addbyte(ed.number_of_ext_data_entries);
  for (const TExtensionDataEntry& e : ed.entries) {
    out.addword(e.ID1);
    out.addword(e.ID2);
    out.addlong(e.ext_data_start_address);
    out.addlong(e.ext_data_length);
  }
}

void WriteExtensionData(OutputBuffer& out, const TExtensionData& ed) {
  if (ed.length == 0) {
    out.addlong(0);
  } else {
    addExtensionDataHead(out, ed);
    out.addbytes(ed.data);
  }
  out.flushadded();
}

std::string ExtDatCap(const TExtensionData& ed) {
  const unsigned n = ed.number_of_ext_data_entries;
  if (n == 0) return "no ExtensionData()";
  return std::to_string(n) + (n == 1 ? " entry, " : " entries, ") +
         std::to_string(std::uint64_t(ed.length) + 4) + " bytes";
}

}  // namespace mirdal
