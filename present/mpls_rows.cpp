#include "present/mpls_rows.h"

#include <cstdio>

#include "present/hdr_text.h"
#include "formats/playlist/mpls_edit.h"
#include "present/stream_texts.h"
#include "core/display_text.h"

namespace mirdal {

namespace {


// A code's table text, or its number when the table has none.
std::string codeCell(std::string_view text, std::uint8_t v, std::uint8_t lastWithText) {
  return v <= lastWithText ? std::string(text) : std::to_string(v);
}

bool idsInDecimal(StreamCategory c) {
  return c == StreamCategory::PrimaryVideo || c == StreamCategory::SecondaryVideo ||
         c == StreamCategory::SecondaryAudio;
}

std::string join(std::initializer_list<std::string_view> parts) {
  std::string s;
  for (std::string_view p : parts) {
    if (!s.empty()) s += ", ";
    s += p;
  }
  return s;
}

std::array<std::string, 4> clipRefRow(const ClipRef& c, std::size_t i) {
  return {std::to_string(i + 1), c.clipName, c.codecId, std::to_string(c.stcId)};
}

}  // namespace


StreamCategory stnColumnCategory(std::size_t column) {
  static constexpr StreamCategory kOrder[] = {
      StreamCategory::PrimaryVideo, StreamCategory::PrimaryAudio,   StreamCategory::PG,
      StreamCategory::IG,           StreamCategory::SecondaryVideo, StreamCategory::SecondaryAudio,
      StreamCategory::PiPPG};
  return column < 7 ? kOrder[column] : StreamCategory::PrimaryVideo;
}

std::string subPathTypeCell(std::uint8_t type) { return codeCell(subPathTypeText(type), type, 7); }
std::string markTypeCell(std::uint8_t type) { return codeCell(markTypeText(type), type, 2); }
std::string entryTypeCell(std::uint8_t type) { return codeCell(streamEntryTypeText(type), type, 3); }

std::array<std::string, 9> playItemRow(const Playlist& m, std::size_t i) {
  const PlayItem& p = m.playlist.items[i];
  return {zeroPadded(i, 3),
          p.clipName,
          p.codecId,
          playlistTimeText(p.inTime),
          playlistTimeText(p.outTime),
          playlistTimeText(p.outTime - p.inTime),
          hexText(p.uoMask1, 8),
          hexText(p.uoMask2, 8),
          std::to_string(p.isMultiAngle ? p.angles.angles.size() : 0)};
}

std::array<std::string, 4> angleRow(const PlayItem& pi, std::size_t i) { return clipRefRow(pi.angles.angles[i], i); }

std::array<std::string, 7> stnRow(const Stn& stn) {
  std::array<std::string, 7> row;
  for (std::size_t c = 0; c < row.size(); ++c) row[c] = std::to_string(streamCount(stn, stnColumnCategory(c)));
  return row;
}

std::string streamAttributesText(const StreamRecord& s, StreamCategory c) {
  const StreamAttributes& a = s.attributes;
  switch (c) {
    case StreamCategory::PrimaryVideo:
    case StreamCategory::SecondaryVideo:
      if (a.codingType == std::uint8_t(CodingType::HEVC))
        return join({codingTypeText(a.codingType), videoFormatText(a.videoFormat), frameRateText(a.frameRate)}) +
               hevcAttributesSuffix(a.dynamicRangeType, a.colorSpace, a.crFlag, a.hdrPlusFlag);
      return join({codingTypeText(a.codingType), videoFormatText(a.videoFormat), frameRateText(a.frameRate)});
    case StreamCategory::PrimaryAudio:
    case StreamCategory::SecondaryAudio:
      return join({codingTypeText(a.codingType), presentationTypeText(a.presentationType),
                   samplingFrequencyText(a.samplingFrequency), a.language});
    default:
      return a.language;
  }
}

std::array<std::string, 7> streamRow(const Stn& stn, StreamCategory c, std::size_t row) {
  const StreamRecord& s = *streamAt(stn, c, row);
  const StreamEntry& e = s.entry;
  auto id = [&](std::uint8_t v) { return idsInDecimal(c) ? zeroPadded(v, 2) : hexText(v, 2); };
  std::array<std::string, 7> r{zeroPadded(row + 1, 3), entryTypeCell(e.type)};
  switch (StreamEntryType(e.type)) {
    case StreamEntryType::PlayItem:
      r[2] = hexText(e.mainPid, 4);
      break;
    case StreamEntryType::SubPath:
      r[3] = id(e.subPathId);
      r[4] = id(e.subClipId);
      r[5] = hexText(e.subPid, 4);
      break;
    case StreamEntryType::IMPiP:
      r[2] = hexText(e.mainPid, 4);
      r[3] = idsInDecimal(c) ? zeroPadded(e.subPathId, 2) : hexText(e.subPathId, 4);
      break;
    default:
      break;
  }
  r[6] = streamAttributesText(s, c);
  return r;
}

std::array<std::string, 4> subPathRow(const SubPath& sp, std::size_t i) {
  return {zeroPadded(i, 3), subPathTypeCell(sp.type), yesNo(sp.repeat != 0), std::to_string(sp.items.size())};
}

std::array<std::string, 11> subPlayItemRow(const SubPlayItem& s, std::size_t i) {
  return {zeroPadded(i, 3),
          s.clipName,
          s.codecId,
          std::to_string(s.connectionCondition),
          yesNo(s.isMultiClip != 0),
          std::to_string(s.stcId),
          playlistTimeText(s.inTime),
          playlistTimeText(s.outTime),
          zeroPadded(s.syncPlayItemId, 3),
          playlistTimeText(s.syncStartPts),
          std::to_string(s.isMultiClip ? s.clips.size() : 0)};
}

std::array<std::string, 4> multiClipRow(const SubPlayItem& spi, std::size_t i) { return clipRefRow(spi.clips[i], i); }

std::array<std::string, 6> markRow(const PlayListMarkSection& plm, std::size_t i) {
  const Mark& k = plm.marks[i];
  return {zeroPadded(i, 3),          markTypeCell(k.type),        zeroPadded(k.playItemRef, 3),
          playlistTimeText(k.time), hexText(k.entryPid, 4), std::to_string(k.duration)};
}

}  // namespace mirdal
