// The ExtensionData editor's operations on a working copy of a block: its
// summary, entry rows and data dump, Delete, the ID1 edit, the ".exd" side
// files, and handing the copy back to the file it belongs to.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/extension_data.h"
#include "core/display_text.h"

namespace mirdal {

struct IndexFile;
struct MovieObjectFile;

inline constexpr std::array<GridColumn, 5> kExtDataColumns{
    {{"", 24}, {"ID1", 32}, {"ID2", 32}, {"start", 60}, {"length", 60}}};

// "64 bytes, 2 entries", "40 bytes, 1 entry", or "None" when length is 0.
std::string extDataSummary(const ExtensionData& ed);

// Offset of the data part from the start of the block: length, data block
// start address, 3 reserved bytes, the count, 12 bytes per entry. An entry's
// start address counts from the start of the block.
std::size_t extDataPartStart(const ExtensionData& ed);

// Delete and Save are possible only while length is not 0.
inline bool extDataPresent(const ExtensionData& ed) { return ed.length != 0; }

// One entry row: position "000", ID1 and ID2 in 4 hexadecimal digits, start
// and length in 8.
std::array<std::string, 5> extDataRow(const ExtensionData& ed, std::size_t entry);

// One line of an entry's data dump. text() is the whole line: a space, the
// address (blue), 32 columns of " XX" or "   " (window text), a space and
// the character column (red).
struct ExtDataDumpLine {
  std::string address;
  std::string bytes;
  std::string chars;
  std::string text() const { return " " + address + bytes + " " + chars; }
};

// The data of one entry in lines of 32 bytes, addressed from the entry's
// start address. The entry's bytes are taken from the data part, which
// begins right after the entry table; only bytes that exist are shown (an
// entry whose length reaches past the block shows what there is). One line
// for an empty entry; none when the entry does not exist.
std::vector<ExtDataDumpLine> extDataDump(const ExtensionData& ed, std::size_t entry);

// Delete: the working copy becomes the empty block.
void deleteExtData(ExtensionData& ed);

// Text typed into an "ID1" cell, read as hexadecimal (either case); any
// other character makes the value 0.
void setExtDataId1(ExtensionData& ed, std::size_t entry, const std::string& text);

// The side-file image: length, data block start address, three zero bytes,
// the entry count, the entries, then length − 8 − 12 × count bytes of the
// data part (never more than the data part holds, none when length is too
// small for the table).
Bytes composeExtDataFile(const ExtensionData& ed);

// Load: the whole file read as a block from its first byte. A file that
// cannot be read or ends inside the entry table leaves `ed` as it was and
// gives false with the reason.
bool loadExtDataFile(const std::string& path, ExtensionData& ed, std::string* error);
// Save: false with the reason when length is 0 or the file cannot be written.
bool saveExtDataFile(const std::string& path, const ExtensionData& ed, std::string* error);

// OK of the editor: the block goes back to its file and the file header's
// ExtensionData start address becomes 0 for an empty block, otherwise where
// the block begins: Indexes start address + Indexes length + 4 in
// index.bdmv, MovieObjects length + 44 in MovieObject.bdmv.
void applyExtensionData(IndexFile& idx, const ExtensionData& ed);
void applyExtensionData(MovieObjectFile& m, const ExtensionData& ed);

}  // namespace mirdal
