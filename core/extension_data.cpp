#include "core/extension_data.h"

namespace mirdal {

bool readExtensionData(FieldReader& r, ExtensionData& ed) {
  ed = ExtensionData{};
  ed.length = r.readU32();
  if (ed.length == 0) return !r.overrun();
  ed.dataBlockStartAddress = r.readU32();
  r.readU16();
  r.readU8();
  ed.numberOfExtDataEntries = r.readU8();
  // The count is one byte, so the table is at most 255 entries; stop at the
  // end of the file all the same.
  for (unsigned i = 0; i < ed.numberOfExtDataEntries && !r.overrun(); ++i) {
    ExtensionDataEntry e;
    e.id1 = r.readU16();
    e.id2 = r.readU16();
    e.extDataStartAddress = r.readU32();
    e.extDataLength = r.readU32();
    if (r.overrun()) break;
    ed.entries.push_back(e);
  }
  if (r.overrun()) {
    ed.numberOfExtDataEntries = std::uint8_t(ed.entries.size());
    return false;
  }
  ed.data = r.readRest();
  return true;
}

void addExtensionDataHead(OutputBuffer& out, const ExtensionData& ed) {
  out.addU32(ed.length);
  out.addU32(ed.dataBlockStartAddress);
  out.addU24(0);
  out.addU8(ed.numberOfExtDataEntries);
  for (const ExtensionDataEntry& e : ed.entries) {
    out.addU16(e.id1);
    out.addU16(e.id2);
    out.addU32(e.extDataStartAddress);
    out.addU32(e.extDataLength);
  }
}

void writeExtensionData(OutputBuffer& out, const ExtensionData& ed) {
  if (ed.length == 0) {
    out.addU32(0);
  } else {
    addExtensionDataHead(out, ed);
    out.addBytes(ed.data);
  }
  out.flushAdded();
}

std::string extensionDataCaption(const ExtensionData& ed) {
  const unsigned n = ed.numberOfExtDataEntries;
  if (n == 0) return "no ExtensionData()";
  return std::to_string(n) + (n == 1 ? " entry, " : " entries, ") +
         std::to_string(std::uint64_t(ed.length) + 4) + " bytes";
}

}  // namespace mirdal
