#include "formats/playlist/chapters.h"

#include <algorithm>
#include <cctype>

#include "core/display_text.h"
#include "core/report.h"
#include "formats/playlist/mpls_edit.h"
#include "formats/playlist/playlist_time.h"

namespace mirdal {

namespace {

std::string lower(std::string_view t) {
  std::string s(t);
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string_view trimmed(std::string_view t) {
  while (!t.empty() && std::isspace(static_cast<unsigned char>(t.front()))) t.remove_prefix(1);
  while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) t.remove_suffix(1);
  return t;
}

std::optional<std::uint64_t> decimal(std::string_view t) {
  if (t.empty() || t.size() > 19) return std::nullopt;
  std::uint64_t v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + std::uint64_t(c - '0');
  }
  return v;
}

void noFrameRate(Reporter& rep) {
  rep.logError("The Frame format needs the frame rate of the first PlayItem's primary video stream; this playlist has none usable.");
}

std::uint32_t duration(const PlayItem& p) { return p.outTime - p.inTime; }

// A line's chapter time, nothing when the line is not one.
std::optional<std::uint32_t> lineTime(std::string_view line, ChapterFormat f, FrameRateRatio rate) {
  switch (f) {
    case ChapterFormat::PTS: {
      const auto v = decimal(line);
      if (!v || *v > 0xFFFFFFFFu) return std::nullopt;
      return std::uint32_t(*v);
    }
    case ChapterFormat::Frame: {
      const auto v = decimal(line);
      if (!v || *v > 0xFFFFFFFFFFFull) return std::nullopt;
      const std::uint64_t t = *v * 45 * rate.den / rate.num;
      if (t > 0xFFFFFFFFu) return std::nullopt;
      return std::uint32_t(t);
    }
    case ChapterFormat::Time:
      return parsePlaylistTime(line);
  }
  return std::nullopt;
}

// What a line that is no chapter time should have been, for its error line.
std::string expected(std::string_view line, ChapterFormat f) {
  if (f != ChapterFormat::Time) return "a whole number";
  const auto twoDigits = [&](std::size_t at) {
    return line.size() > at + 1 && std::isdigit(static_cast<unsigned char>(line[at])) &&
           std::isdigit(static_cast<unsigned char>(line[at + 1])) && (line[at] - '0') * 10 + (line[at + 1] - '0') >= 60;
  };
  const bool clockShape = line.size() == 12 && line[2] == ':' && line[5] == ':' && line[8] == '.';
  if (clockShape && (twoDigits(3) || twoDigits(6))) return "minutes and seconds run from 00 to 59";
  return "hh:mm:ss.mmm";
}

// Where the file puts a time when it is written and read back: the Frame
// and Time lines are coarser than the 45 kHz ticks, so a PlayItem boundary
// comes back a little before itself.
std::uint32_t readBack(std::uint32_t t, ChapterFormat f, FrameRateRatio rate) {
  return lineTime(chapterLine(t, f, rate), f, rate).value_or(t);
}

}  // namespace

std::optional<ChapterFormat> parseChapterFormat(std::string_view text) {
  const std::string t = lower(text);
  if (t == "pts") return ChapterFormat::PTS;
  if (t == "frame") return ChapterFormat::Frame;
  if (t == "time") return ChapterFormat::Time;
  return std::nullopt;
}

std::string chapterFileName(const std::string& base, ChapterFormat f) {
  const char* suffix = f == ChapterFormat::PTS ? "_PTS.txt" : f == ChapterFormat::Frame ? "_frame.txt" : "_time.txt";
  return "chapter_" + base + suffix;
}

std::uint32_t playItemStart(const Playlist& m, std::size_t k) {
  std::uint32_t start = 0;
  for (std::size_t i = 0; i < k && i < m.playlist.items.size(); ++i) start += duration(m.playlist.items[i]);
  return start;
}

std::optional<FrameRateRatio> chapterFrameRate(const Playlist& m) {
  if (m.playlist.items.empty() || m.playlist.items[0].stn.primaryVideo.empty()) return std::nullopt;
  return frameRateRatio(m.playlist.items[0].stn.primaryVideo[0].attributes.frameRate);
}

std::string chapterLine(std::uint32_t t, ChapterFormat f, FrameRateRatio rate) {
  switch (f) {
    case ChapterFormat::PTS:
      return std::to_string(t);
    case ChapterFormat::Frame:
      return std::to_string(std::uint64_t(t) * rate.num / rate.den / 45);
    case ChapterFormat::Time:
      return playlistTimeText(t);
  }
  return {};
}

std::optional<std::string> exportChapters(const Playlist& m, ChapterFormat f, Reporter& rep) {
  FrameRateRatio rate{25000, 1000};
  if (f == ChapterFormat::Frame) {
    const auto r = chapterFrameRate(m);
    if (!r) {
      noFrameRate(rep);
      return std::nullopt;
    }
    rate = *r;
  }
  std::string out;
  const auto& items = m.playlist.items;
  for (std::size_t i = 0; i < m.marks.marks.size(); ++i) {
    const Mark& k = m.marks.marks[i];
    if (k.playItemRef >= items.size()) {
      rep.log("Mark " + zeroPadded(i, 3) + " names PlayItem " + std::to_string(k.playItemRef) +
          ", which this playlist does not have; it is left out.");
      continue;
    }
    const PlayItem& p = items[k.playItemRef];
    std::uint32_t into = k.time - p.inTime;
    if (k.time < p.inTime) {
      rep.log("Mark " + zeroPadded(i, 3) + " lies before the IN time of its PlayItem; it is saved at the IN time.");
      into = 0;
    }
    out += chapterLine(playItemStart(m, k.playItemRef) + into, f, rate) + "\r\n";
  }
  return out;
}

std::optional<std::size_t> importChapters(Playlist& m, std::string_view text, ChapterFormat f, Reporter& rep, bool trace) {
  const auto& items = m.playlist.items;
  FrameRateRatio rate{25000, 1000};
  if (f == ChapterFormat::Frame) {
    const auto r = chapterFrameRate(m);
    if (!r) {
      noFrameRate(rep);
      return std::nullopt;
    }
    rate = *r;
  }
  // Editors that write UTF-8 often put a byte order mark in front.
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
  // Chapter times, each with its line number for messages.
  std::vector<std::pair<std::uint32_t, std::size_t>> times;
  std::size_t lineNo = 0;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    const std::string_view line = trimmed(text.substr(0, eol));
    text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
    ++lineNo;
    if (line.empty()) continue;
    const auto t = lineTime(line, f, rate);
    if (!t) {
      rep.logError("Line " + std::to_string(lineNo) + " is not a chapter time: " + std::string(line.substr(0, 40)) + " (" +
               expected(line, f) + ")");
      return std::nullopt;
    }
    times.emplace_back(*t, lineNo);
  }
  if (times.empty()) return std::nullopt;
  if (items.empty()) {
    rep.logError("The playlist has no PlayItems to place chapters on.");
    return std::nullopt;
  }
  if (m.playListMarkStartAddress == 0) {
    rep.logError("The playlist has no PlayListMark section.");
    return std::nullopt;
  }

  std::vector<Mark> marks;
  for (const auto& [t, line] : times) {
    std::uint32_t start = 0;
    std::size_t k = 0;
    bool placed = false;
    for (; k < items.size(); ++k) {
      const std::uint32_t end = start + duration(items[k]);
      if (trace)
        rep.log(std::to_string(k) + ": " + playlistTimeText(t) + " " + playlistTimeText(end) + "   " + hexText(t, 8) +
            " " + hexText(end, 8));
      const bool last = k + 1 == items.size();
      // A chapter the file cannot tell from the boundary (it reads back
      // where the boundary reads back, or later) lies on it.
      const bool justBefore = !last && t < end && t >= readBack(end, f, rate);
      if (t < end && !justBefore) {
        placed = true;
        break;
      }
      if (last) break;
      start = end;
    }
    if (!placed) {
      rep.log("Chapter of line " + std::to_string(line) + " at " + playlistTimeText(t) +
          " lies beyond the last PlayItem; it is dropped.");
      continue;
    }
    if (trace) rep.log(std::to_string(k) + ", " + playlistTimeText(start));
    Mark mark;
    mark.playItemRef = std::uint16_t(k);
    mark.time = items[k].inTime + (t > start ? t - start : 0);
    marks.push_back(mark);
  }
  if (marks.size() > kMaxMarks) {
    rep.logError("The file holds " + std::to_string(marks.size()) + " chapters; a playlist takes at most 999 marks.");
    return std::nullopt;
  }
  if (marks.empty()) return std::nullopt;
  const std::size_t n = marks.size();
  replaceMarks(m, std::move(marks));
  return n;
}

}  // namespace mirdal
