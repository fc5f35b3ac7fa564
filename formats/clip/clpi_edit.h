// Edits of the current clip. Every edit that changes the size of ClipInfo
// (the ATC delta block, the font-file block) moves the SequenceInfo,
// ProgramInfo, CPI and ClipMark start addresses, and the ExtensionData start
// address when it is not 0, by the same number of bytes at once, so the
// addresses written as held always point at their sections.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "formats/clip/clpi.h"

namespace mirdal {

// Adds delta (may be negative) to ClipInfo's held length and to the start
// addresses behind it.
void moveSectionsAfterClipInfo(ClipInfoFile& c, std::int64_t delta);

// The "ATCd" check box: the block (2 + 14 × n bytes, entries kept in the
// model while the flag is off) comes or goes.
void setAtcDeltaFlag(ClipInfoFile& c, bool on);

// Ins: a new entry (ATC delta 0, clip "00000", codec "m2ts") after row
// `after` (at the start when there is none or the list is empty). Returns
// the new entry's row, nothing when the list already holds 255 entries.
std::optional<std::size_t> insertAtcDelta(ClipInfoFile& c, std::optional<std::size_t> after);
// Shift+Del: removes the entry of row `row`; false when there is none.
bool deleteAtcDelta(ClipInfoFile& c, std::size_t row);

// Cell edits of the ATC delta grid: column 0 hexadecimal (a character that
// is not a hexadecimal digit makes it 0), column 1 the following clip name
// (up to 5 characters); column 2 is not editable. Text containing a blank is
// ignored. Returns whether the entry changed.
bool setAtcDeltaCell(ClipInfoFile& c, std::size_t row, int column, const std::string& text);

// Font files of a text-subtitle clip (application type 6): the block moves
// the addresses only while the type is 6.
std::optional<std::size_t> insertFontFile(ClipInfoFile& c, std::optional<std::size_t> after,
                                          const std::string& name = "00000");
bool deleteFontFile(ClipInfoFile& c, std::size_t row);
bool setFontFileName(ClipInfoFile& c, std::size_t row, const std::string& name);

// The application type choice. Changing to or from 6 adds or removes the
// font-file block (2 + 6 × m bytes) and moves the addresses with it.
void setApplicationType(ClipInfoFile& c, std::uint8_t type);

// The ClipInfo's 32-bit fields that the layout does not depend on.
void setRecordingRate(ClipInfoFile& c, std::uint32_t rate);
void setSourcePacketCount(ClipInfoFile& c, std::uint32_t count);

// The ExtensionData editor's result: the block replaces the clip's, and its
// start address becomes ClipMark start + ClipMark length + 4, or 0 when the
// block is empty.
void setClipExtensionData(ClipInfoFile& c, const ExtensionData& ed);

}  // namespace mirdal

namespace mirdal {

// For a clip composed in code: every length, count-dependent address and
// EP map start address set from the content, sections one after another,
// fine tables right behind their coarse entries.
void fitClipLayout(ClipInfoFile& c);

}  // namespace mirdal
