#include "formats/common/ext_data_edit.h"

#include "core/save.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"

namespace mirdal {

namespace {

constexpr std::size_t kDumpWidth = 32;

}  // namespace

std::size_t extDataPartStart(const ExtensionData& ed) { return 12 + 12 * ed.entries.size(); }

std::string extDataSummary(const ExtensionData& ed) {
  if (ed.length == 0) return "None";
  const unsigned n = ed.numberOfExtDataEntries;
  return std::to_string(std::uint64_t(ed.length) + 4) + " bytes, " + std::to_string(n) + " entr" +
         (n < 2 ? "y" : "ies");
}

std::array<std::string, 5> extDataRow(const ExtensionData& ed, std::size_t entry) {
  const ExtensionDataEntry& e = ed.entries.at(entry);
  return {zeroPadded(entry, 3), hexText(e.id1, 4), hexText(e.id2, 4),
          hexText(e.extDataStartAddress, 8), hexText(e.extDataLength, 8)};
}

std::vector<ExtDataDumpLine> extDataDump(const ExtensionData& ed, std::size_t entry) {
  std::vector<ExtDataDumpLine> lines;
  if (entry >= ed.entries.size()) return lines;
  const ExtensionDataEntry& e = ed.entries[entry];
  // Addresses count from the start of the block; the data part starts after
  // the entry table, which is where the data blocks begin in a well-formed
  // block (dataBlockStartAddress). Counting from the table's end also
  // shows the right bytes when there is padding before the first data block.
  const std::size_t base = extDataPartStart(ed);
  std::size_t from = ed.data.size(), n = 0;
  if (e.extDataStartAddress >= base && e.extDataStartAddress - base < ed.data.size()) {
    from = e.extDataStartAddress - base;
    n = std::min<std::size_t>(e.extDataLength, ed.data.size() - from);
  }
  const std::size_t count = n == 0 ? 1 : (n + kDumpWidth - 1) / kDumpWidth;
  for (std::size_t k = 0; k < count; ++k) {
    ExtDataDumpLine line;
    line.address = hexText(std::uint64_t(e.extDataStartAddress) + kDumpWidth * k, 4);
    for (std::size_t i = 0; i < kDumpWidth; ++i) {
      const std::size_t at = kDumpWidth * k + i;
      if (at >= n) {
        line.bytes += "   ";
        continue;
      }
      const std::uint8_t b = ed.data[from + at];
      line.bytes += " " + hexText(b, 2);
      line.chars += b < 32 ? '.' : char(b);
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

void deleteExtData(ExtensionData& ed) { ed = ExtensionData{}; }

void setExtDataId1(ExtensionData& ed, std::size_t entry, const std::string& text) {
  if (entry >= ed.entries.size()) return;
  std::uint32_t v = 0;
  for (char c : text) {
    const int d = hexDigitValue(c);
    if (d < 0) {
      v = 0;
      break;
    }
    v = v * 16 + std::uint32_t(d);
  }
  ed.entries[entry].id1 = std::uint16_t(v);
}

Bytes composeExtDataFile(const ExtensionData& ed) {
  OutputBuffer o;
  addExtensionDataHead(o, ed);
  const std::uint64_t table = 8 + 12 * std::uint64_t(ed.entries.size());
  const std::uint64_t wanted = ed.length > table ? ed.length - table : 0;
  const std::size_t n = std::size_t(std::min<std::uint64_t>(wanted, ed.data.size()));
  o.addBytes(ed.data.data(), n);
  o.flushAdded();
  return o.takeFile();
}

bool loadExtDataFile(const std::string& path, ExtensionData& ed, std::string* error) {
  Bytes data;
  if (!readFileBytes(path, data, error)) return false;
  FieldReader r(data);
  ExtensionData loaded;
  if (!readExtensionData(r, loaded)) {
    if (error) *error = "the file ends inside the ExtensionData header";
    return false;
  }
  ed = std::move(loaded);
  return true;
}

bool saveExtDataFile(const std::string& path, const ExtensionData& ed, std::string* error) {
  if (!extDataPresent(ed)) {
    if (error) *error = "there is no ExtensionData to save";
    return false;
  }
  return writeFileAtomic(path, composeExtDataFile(ed), error);
}

void applyExtensionData(IndexFile& idx, const ExtensionData& ed) {
  idx.extensionData = ed;
  idx.extensionDataStartAddress =
      ed.length == 0 ? 0 : idx.indexesStartAddress + idx.indexes.length + 4;
}

void applyExtensionData(MovieObjectFile& m, const ExtensionData& ed) {
  m.extensionData = ed;
  m.extensionDataStartAddress = ed.length == 0 ? 0 : m.movieObjects.length + 44;
}

}  // namespace mirdal
