#include "present/clpi_rows.h"

#include <array>

#include "core/display_text.h"
#include "core/tick_text.h"
#include "formats/clip_packets.h"
#include "formats/hdr_text.h"
#include "formats/stream_codes.h"

namespace mirdal {

std::string applicationTypeText(std::uint8_t type) {
  static const std::array<const char*, kApplicationTypeCount> kTexts = {
      "res.",
      "Main TS for a Movie",
      "Main TS for a Time based slide show",
      "Main TS for a Browsable slide show",
      "Sub TS for a Browsable slide show",
      "Sub TS for a Interactive Graphics menu",
      "Sub TS for a Text subtitle",
      "Sub TS for a one or more elementary streams path",
      "res.",
      "res.",
      "Main TS for a Movie (AVCHD 1080p50/60)",
  };
  return type < kTexts.size() ? kTexts[type] : "res.";
}

std::string streamDetails(const TProgramStream& s) {
  switch (codingKind(s.stream_coding_type)) {
    case StreamKind::Video:
      return std::string(videoFormatText(s.video_format)) + ", " + std::string(frameRateText(s.frame_rate)) +
             ", " + (s.aspect_ratio == std::uint8_t(AspectRatio::r4_3) ? "4:3" : "16:9") +
             (s.stream_coding_type == std::uint8_t(CodingType::HEVC)
                  ? hevcAttributesSuffix(s.dynamicRangeType, s.colorSpace, s.crFlag, s.hdrPlusFlag)
                  : "");
    case StreamKind::Audio:
      return std::string(presentationTypeText(s.presentation_type)) + ", " +
             std::string(samplingFrequencyText(s.sampling_frequency)) + ", " + s.audio_language;
    case StreamKind::Graphics:
      return s.stream_coding_type == std::uint8_t(CodingType::IG) ? s.IG_language : s.PG_language;
    case StreamKind::Text:
      return std::to_string(s.character_code) + ", " + s.textST_language;
    case StreamKind::Unknown:
      break;
  }
  return "";
}

ClipRow programStreamRow(const TProgramStream& s) {
  return {hexText(s.PID, 4), std::string(codingTypeText(s.stream_coding_type)), streamDetails(s)};
}

ClipRow atcSequenceRow(const TATC_sequences& a) {
  return {hexText(a.SPN_ATC_start, 8), std::to_string(a.STC_sequences.size()), std::to_string(a.offset_STC_id)};
}

ClipRow stcSequenceRow(const TSTC_sequence& s) {
  return {hexText(s.PCR_PID, 4), hexText(s.SPN_STC_start, 8), tickTimeText(s.presentation_start_time, 45000),
          tickTimeText(s.presentation_end_time, 45000)};
}

ClipRow atcDeltaRow(const TATCDeltaEntry& e) {
  return {hexText(e.ATC_delta, 8), e.following_clip_name, e.following_clip_codec_id};
}

ClipRow epStreamRow(const TEPStreamEntry& e) {
  return {hexText(e.stream_PID, 4), hexText(e.EP_stream_type, 1), hexText(e.number_of_EP_coarse_entries, 4),
          hexText(e.number_of_EP_fine_entries, 5), hexText(e.EP_map_start_address, 8)};
}

ClipRow epCoarseRow(const TEPCoarse& c) {
  return {hexText(c.ref_to_EP_fine_id, 5), hexText(c.PTS_EP_coarse, 4), hexText(c.SPN_EP_coarse, 8)};
}

std::string epCoarseRowNumber(std::size_t i) { return hexText(i, 4); }

ClipRow epFineRow(const TEPFine& f) {
  return {f.is_angle_change_point ? "y" : "n", std::to_string(f.I_end_position_offset), hexText(f.PTS_EP_fine, 4),
          hexText(f.SPN_EP_fine, 5)};
}

std::string epFineRowNumber(std::size_t i) { return hexText(i, 5); }

ClipRow ciRefRow(const TCIRef& r) {
  return {zeroPadded(r.playlist, 5), std::string(1, r.kind), zeroPadded(r.item, 5)};
}

StreamFileLabels streamFileLabels(const TAVStream& av, const std::string& clipName,
                                  const std::string& streamExt, char thousands) {
  if (av.name.empty()) return {clipName + streamExt, "missing file", true};
  return {av.name, groupedDecimal(av.size, thousands), false};
}

}  // namespace mirdal
