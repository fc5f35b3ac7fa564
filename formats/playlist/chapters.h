// Chapter text files: the marks of a playlist as points on the playlist
// timeline, one per line (CR LF), in one of three formats. The timeline runs
// through the PlayItems in order; PlayItem k starts at the sum of the
// durations (OUT - IN) of the PlayItems before it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/playlist/mpls.h"
#include "formats/common/stream_codes.h"

namespace mirdal {

enum class ChapterFormat {
  PTS,    // 45 kHz ticks in decimal
  Frame,  // thousandths of a frame: 25000 is one second at 25 frames per second
  Time,   // hh:mm:ss.mmm
};

// "pts", "frame", "time" (any case).
std::optional<ChapterFormat> parseChapterFormat(std::string_view text);
// "chapter_" + base name + "_PTS.txt", "_frame.txt" or "_time.txt".
std::string chapterFileName(const std::string& playlistBase, ChapterFormat f);

// Where PlayItem k starts on the timeline (32-bit, as the times on disc).
std::uint32_t playItemStart(const Playlist& m, std::size_t k);
// The frame rate the Frame format uses: that of the first primary video
// stream of the first PlayItem; nothing when there is none or it has no
// usable rate.
std::optional<FrameRateRatio> chapterFrameRate(const Playlist& m);

// One chapter time as a line of the format (without the line end).
std::string chapterLine(std::uint32_t t, ChapterFormat f, FrameRateRatio rate = {25000, 1000});

// The chapter file of the marks. Marks that name no PlayItem are left out
// and a mark before its PlayItem's IN time counts from the IN time, each
// with a line in the log. Frame without a usable frame rate writes nothing:
// an error line, and no text.
std::optional<std::string> exportChapters(const Playlist& m, ChapterFormat f, Reporter& rep);

// Replaces the marks by the chapters of a file's text. Empty lines are
// passed over; a text without chapters changes nothing. A line that is not
// a chapter time of the format, Frame without a usable frame rate, a
// playlist without PlayItems or PlayListMark section, or more than 999
// chapters: an error line, and the marks stay as they were. A UTF-8 byte
// order mark at the start is passed over. Chapters past the end of the last
// PlayItem are dropped with a log line. With the Time and Frame formats a
// time that the file cannot tell from the start of a PlayItem (less than a
// millisecond or a thousandth of a frame before it) belongs to that
// PlayItem. With `trace`, every PlayItem passed while placing a chapter
// gets a trace line in the log. Returns the number of marks now held, or
// nothing when nothing changed.
std::optional<std::size_t> importChapters(Playlist& m, std::string_view text, ChapterFormat f, Reporter& rep, bool trace = true);

}  // namespace mirdal
