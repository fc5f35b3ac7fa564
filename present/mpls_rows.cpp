#include "present/mpls_rows.h"

#include <cstdio>

#include "formats/hdr_text.h"
#include "formats/mpls_edit.h"
#include "formats/stream_codes.h"
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

std::array<std::string, 4> clipRefRow(const TClipRef& c, std::size_t i) {
  return {std::to_string(i + 1), c.clip_name, c.codec_id, std::to_string(c.stc_id)};
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

std::array<std::string, 9> playItemRow(const TMPLS& m, std::size_t i) {
  const TPlayItem& p = m.playlist.items[i];
  return {zeroPadded(i, 3),
          p.clip_name,
          p.codec_id,
          playlistTimeText(p.in_time),
          playlistTimeText(p.out_time),
          playlistTimeText(p.out_time - p.in_time),
          hexText(p.uo_mask1, 8),
          hexText(p.uo_mask2, 8),
          std::to_string(p.is_multi_angle ? p.angles.angles.size() : 0)};
}

std::array<std::string, 4> angleRow(const TPlayItem& pi, std::size_t i) { return clipRefRow(pi.angles.angles[i], i); }

std::array<std::string, 7> stnRow(const TSTN& stn) {
  std::array<std::string, 7> row;
  for (std::size_t c = 0; c < row.size(); ++c) row[c] = std::to_string(streamCount(stn, stnColumnCategory(c)));
  return row;
}

std::string streamAttributesText(const TStreamRec& s, StreamCategory c) {
  const TStreamAttributes& a = s.attributes;
  switch (c) {
    case StreamCategory::PrimaryVideo:
    case StreamCategory::SecondaryVideo:
      if (a.coding_type == std::uint8_t(CodingType::HEVC))
        return join({codingTypeText(a.coding_type), videoFormatText(a.video_format), frameRateText(a.frame_rate)}) +
               hevcAttributesSuffix(a.dynamicRangeType, a.colorSpace, a.crFlag, a.hdrPlusFlag);
      return join({codingTypeText(a.coding_type), videoFormatText(a.video_format), frameRateText(a.frame_rate)});
    case StreamCategory::PrimaryAudio:
    case StreamCategory::SecondaryAudio:
      return join({codingTypeText(a.coding_type), presentationTypeText(a.presentation_type),
                   samplingFrequencyText(a.sampling_frequency), a.language});
    default:
      return a.language;
  }
}

std::array<std::string, 7> streamRow(const TSTN& stn, StreamCategory c, std::size_t row) {
  const TStreamRec& s = *streamAt(stn, c, row);
  const TStreamEntry& e = s.entry;
  auto id = [&](std::uint8_t v) { return idsInDecimal(c) ? zeroPadded(v, 2) : hexText(v, 2); };
  std::array<std::string, 7> r{zeroPadded(row + 1, 3), entryTypeCell(e.type)};
  switch (StreamEntryType(e.type)) {
    case StreamEntryType::PlayItem:
      r[2] = hexText(e.main_pid, 4);
      break;
    case StreamEntryType::SubPath:
      r[3] = id(e.subpath_id);
      r[4] = id(e.subclip_id);
      r[5] = hexText(e.sub_pid, 4);
      break;
    case StreamEntryType::IMPiP:
      r[2] = hexText(e.main_pid, 4);
      r[3] = idsInDecimal(c) ? zeroPadded(e.subpath_id, 2) : hexText(e.subpath_id, 4);
      break;
    default:
      break;
  }
  r[6] = streamAttributesText(s, c);
  return r;
}

std::array<std::string, 4> subPathRow(const TSubPath& sp, std::size_t i) {
  return {zeroPadded(i, 3), subPathTypeCell(sp.type), yesNo(sp.repeat != 0), std::to_string(sp.items.size())};
}

std::array<std::string, 11> subPlayItemRow(const TSubPlayItem& s, std::size_t i) {
  return {zeroPadded(i, 3),
          s.clip_name,
          s.codec_id,
          std::to_string(s.connection_condition),
          yesNo(s.is_multi_clip != 0),
          std::to_string(s.stc_id),
          playlistTimeText(s.in_time),
          playlistTimeText(s.out_time),
          zeroPadded(s.sync_playitem_id, 3),
          playlistTimeText(s.sync_start_pts),
          std::to_string(s.is_multi_clip ? s.clips.size() : 0)};
}

std::array<std::string, 4> multiClipRow(const TSubPlayItem& spi, std::size_t i) { return clipRefRow(spi.clips[i], i); }

std::array<std::string, 6> markRow(const TPlayListMark& plm, std::size_t i) {
  const TMark& k = plm.marks[i];
  return {zeroPadded(i, 3),          markTypeCell(k.type),        zeroPadded(k.playitem_ref, 3),
          playlistTimeText(k.time), hexText(k.entry_pid, 4), std::to_string(k.duration)};
}

}  // namespace mirdal
