// The rules of the playlist grid cells and editors: which typed text a cell
// takes and what it changes in the model. Refused text changes nothing; the
// grid then shows the model's value again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "formats/playlist/mpls.h"
#include "formats/playlist/mpls_edit.h"

namespace mirdal {

// Columns of the PlayItem grid (0 is the row number).
enum class PlayItemColumn { File = 1, Type, InTime, OutTime, Length, UO1, UO2, Angles };
// Columns of the SubPlayItem grid.
enum class SubPlayItemColumn { File = 1, Type, Conn, Multi, STC, InTime, OutTime, SyncPI, SyncPTS, Angles };

// An 8-digit word cell: exactly 8 characters without a blank; a character
// that is not a hexadecimal digit makes the whole value 0.
std::optional<std::uint32_t> parseWordCell(std::string_view text);

// Applies typed text to a PlayItem cell. IN time: the cascade moves what
// the answers say (ask inTimeQuestions first). Returns true when the model
// changed or the cell only needs redrawing (the "type" column).
bool editPlayItemCell(Playlist& m, std::size_t row, PlayItemColumn col, std::string_view text,
                      const InTimeAnswers& answers = {});
bool editSubPlayItemCell(Playlist& m, std::size_t subpath, std::size_t row, SubPlayItemColumn col,
                         std::string_view text);

// Mark time editors: hours 0-25, minutes and seconds 0-59, milliseconds
// 0-999; values outside are brought to the nearest limit.
struct MarkTimeParts {
  unsigned hours = 0, minutes = 0, seconds = 0, ms = 0;
};
MarkTimeParts markTimeParts(std::uint32_t time);
std::uint32_t markTime(MarkTimeParts p);

// The stream editors below the stream grid.
// The last four belong to HEVC video only: setting them on another coding
// type changes nothing, and a coding type other than HEVC clears them.
enum class StreamField { EntryType, MainPid, SubPid, SubPathId, SubClipId, Coding, VideoFormat, FrameRate,
                         Presentation, Frequency, Language, DynamicRange, ColorSpace, CrFlag, HdrPlusFlag };
// Whether a category has the editor at all (video fields for primary and
// secondary video, audio fields for primary and secondary audio, language
// for primary audio, PG, IG and secondary audio).
bool streamFieldApplies(StreamCategory c, StreamField f);
bool setStreamField(Playlist& m, std::size_t item, StreamCategory c, std::size_t row, StreamField f,
                    std::uint32_t value);
bool setStreamLanguage(Playlist& m, std::size_t item, StreamCategory c, std::size_t row, std::string_view code);

}  // namespace mirdal
