#include "present/mpls_cells.h"

#include <algorithm>

#include "core/display_text.h"
#include "present/mpls_rows.h"
#include "present/stream_texts.h"

namespace mirdal {

namespace {

bool hasBlank(std::string_view t) { return t.find(' ') != std::string_view::npos; }

// A decimal cell: digits only (no blank, not empty).
std::optional<unsigned> number(std::string_view t) {
  if (t.empty() || t.size() > 9) return std::nullopt;
  unsigned v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + unsigned(c - '0');
  }
  return v;
}

std::optional<std::uint32_t> timeCell(std::string_view t) {
  if (t.size() != 12 || hasBlank(t)) return std::nullopt;
  return parsePlaylistTime(t);
}

bool clipNameCell(std::string_view t, std::string& name) {
  if (t.size() != 5 || hasBlank(t)) return false;
  name = std::string(t);
  return true;
}

}  // namespace

std::optional<std::uint32_t> parseWordCell(std::string_view t) {
  if (t.size() != 8 || hasBlank(t)) return std::nullopt;
  std::uint32_t v = 0;
  for (char c : t) {
    const int d = hexDigitValue(c);
    if (d < 0) return 0u;
    v = v << 4 | std::uint32_t(d);
  }
  return v;
}

bool editPlayItemCell(Playlist& m, std::size_t row, PlayItemColumn col, std::string_view text,
                      const InTimeAnswers& answers) {
  if (row >= m.playlist.items.size()) return false;
  PlayItem& p = m.playlist.items[row];
  switch (col) {
    case PlayItemColumn::File:
      return clipNameCell(text, p.clipName);
    case PlayItemColumn::Type:
      return true;  // always "M2TS" on screen; the model keeps its codec id
    case PlayItemColumn::InTime:
      if (const auto t = timeCell(text)) {
        setPlayItemInTime(m, row, *t, answers);
        return true;
      }
      return false;
    case PlayItemColumn::OutTime:
      if (const auto t = timeCell(text)) {
        p.outTime = *t;
        return true;
      }
      return false;
    case PlayItemColumn::UO1:
      if (const auto w = parseWordCell(text)) {
        p.uoMask1 = *w;
        return true;
      }
      return false;
    case PlayItemColumn::UO2:
      if (const auto w = parseWordCell(text)) {
        p.uoMask2 = *w & kUoWord2Mask;
        return true;
      }
      return false;
    case PlayItemColumn::Length:
    case PlayItemColumn::Angles:
      return false;
  }
  return false;
}

bool editSubPlayItemCell(Playlist& m, std::size_t subpath, std::size_t row, SubPlayItemColumn col,
                         std::string_view text) {
  if (subpath >= m.playlist.subpaths.size() || row >= m.playlist.subpaths[subpath].items.size()) return false;
  SubPlayItem& s = m.playlist.subpaths[subpath].items[row];
  switch (col) {
    case SubPlayItemColumn::File:
      return clipNameCell(text, s.clipName);
    case SubPlayItemColumn::Type:
      return true;
    case SubPlayItemColumn::Conn:
      if (hasBlank(text)) return false;
      if (const auto v = number(text)) {
        // Only seamless (5) and non-seamless with a clean break (6) are
        // kept; everything else is the plain connection 1.
        s.connectionCondition = (*v == 5 || *v == 6) ? std::uint8_t(*v) : 1;
        return true;
      }
      return false;
    case SubPlayItemColumn::Multi:
      if (text.empty() || hasBlank(text)) return false;
      return setMultiClip(m, subpath, row, text == "Y");
    case SubPlayItemColumn::STC:
      if (hasBlank(text)) return false;
      if (const auto v = number(text); v && *v <= 255) {
        s.stcId = std::uint8_t(*v);
        return true;
      }
      return false;
    case SubPlayItemColumn::InTime:
    case SubPlayItemColumn::OutTime:
    case SubPlayItemColumn::SyncPTS:
      if (const auto t = timeCell(text)) {
        (col == SubPlayItemColumn::InTime ? s.inTime : col == SubPlayItemColumn::OutTime ? s.outTime
                                                                                         : s.syncStartPts) = *t;
        return true;
      }
      return false;
    case SubPlayItemColumn::SyncPI:
      if (const auto v = number(text)) {
        s.syncPlayItemId = std::uint16_t(*v % 999);
        return true;
      }
      return false;
    case SubPlayItemColumn::Angles:
      return false;
  }
  return false;
}

MarkTimeParts markTimeParts(std::uint32_t time) {
  const std::uint32_t ms = time / 45;
  return {ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000};
}

std::uint32_t markTime(MarkTimeParts p) {
  const std::uint64_t t = std::uint64_t(std::min(p.hours, 25u)) * 162000000 +
                          std::uint64_t(std::min(p.minutes, 59u)) * 2700000 +
                          std::uint64_t(std::min(p.seconds, 59u)) * 45000 + std::uint64_t(std::min(p.ms, 999u)) * 45;
  return std::uint32_t(t);  // at most 4211999955
}

bool streamFieldApplies(StreamCategory c, StreamField f) {
  const bool video = c == StreamCategory::PrimaryVideo || c == StreamCategory::SecondaryVideo;
  const bool audio = c == StreamCategory::PrimaryAudio || c == StreamCategory::SecondaryAudio;
  switch (f) {
    case StreamField::Coding:
      return video || audio;
    case StreamField::VideoFormat:
    case StreamField::FrameRate:
    case StreamField::DynamicRange:
    case StreamField::ColorSpace:
    case StreamField::CrFlag:
    case StreamField::HdrPlusFlag:
      return video;
    case StreamField::Presentation:
    case StreamField::Frequency:
      return audio;
    case StreamField::Language:
      return audio || c == StreamCategory::PG || c == StreamCategory::IG;
    default:
      return true;
  }
}

bool setStreamField(Playlist& m, std::size_t item, StreamCategory c, std::size_t row, StreamField f,
                    std::uint32_t v) {
  if (item >= m.playlist.items.size() || !streamFieldApplies(c, f)) return false;
  StreamRecord* s = streamAt(m.playlist.items[item].stn, c, row);
  if (!s) return false;
  StreamEntry& e = s->entry;
  StreamAttributes& a = s->attributes;
  const bool hevc = a.codingType == std::uint8_t(CodingType::HEVC);
  switch (f) {
    case StreamField::EntryType: e.type = std::uint8_t(v); break;
    case StreamField::MainPid: e.mainPid = std::uint16_t(v); break;
    case StreamField::SubPid: e.subPid = std::uint16_t(v); break;
    case StreamField::SubPathId: e.subPathId = std::uint8_t(v); break;
    case StreamField::SubClipId: e.subClipId = std::uint8_t(v); break;
    case StreamField::Coding:
      a.codingType = std::uint8_t(v);
      if (a.codingType != std::uint8_t(CodingType::HEVC)) {
        a.dynamicRangeType = a.colorSpace = 0;
        a.crFlag = a.hdrPlusFlag = false;
      }
      break;
    case StreamField::VideoFormat: a.videoFormat = std::uint8_t(v & 15); break;
    case StreamField::FrameRate: a.frameRate = std::uint8_t(v & 15); break;
    case StreamField::Presentation: a.presentationType = std::uint8_t(v & 15); break;
    case StreamField::Frequency: a.samplingFrequency = std::uint8_t(v & 15); break;
    case StreamField::Language: return false;
    case StreamField::DynamicRange: if (!hevc) return false; a.dynamicRangeType = std::uint8_t(v & 15); break;
    case StreamField::ColorSpace: if (!hevc) return false; a.colorSpace = std::uint8_t(v & 15); break;
    case StreamField::CrFlag: if (!hevc) return false; a.crFlag = v != 0; break;
    case StreamField::HdrPlusFlag: if (!hevc) return false; a.hdrPlusFlag = v != 0; break;
  }
  return true;
}

bool setStreamLanguage(Playlist& m, std::size_t item, StreamCategory c, std::size_t row, std::string_view code) {
  if (item >= m.playlist.items.size() || !streamFieldApplies(c, StreamField::Language)) return false;
  StreamRecord* s = streamAt(m.playlist.items[item].stn, c, row);
  if (!s) return false;
  s->attributes.language = std::string(code.substr(0, 3));
  return true;
}

}  // namespace mirdal
