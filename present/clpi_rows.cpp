#include "present/clpi_rows.h"

#include <array>

#include "core/display_text.h"
#include "core/tick_text.h"
#include "formats/clip/clip_packets.h"
#include "present/hdr_text.h"
#include "present/stream_texts.h"

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

std::string streamDetails(const ProgramStream& s) {
  switch (codingKind(s.streamCodingType)) {
    case StreamKind::Video:
      return std::string(videoFormatText(s.videoFormat)) + ", " + std::string(frameRateText(s.frameRate)) +
             ", " + (s.aspectRatio == std::uint8_t(AspectRatio::r4_3) ? "4:3" : "16:9") +
             (s.streamCodingType == std::uint8_t(CodingType::HEVC)
                  ? hevcAttributesSuffix(s.dynamicRangeType, s.colorSpace, s.crFlag, s.hdrPlusFlag)
                  : "");
    case StreamKind::Audio:
      return std::string(presentationTypeText(s.presentationType)) + ", " +
             std::string(samplingFrequencyText(s.samplingFrequency)) + ", " + s.audioLanguage;
    case StreamKind::Graphics:
      return s.streamCodingType == std::uint8_t(CodingType::IG) ? s.igLanguage : s.pgLanguage;
    case StreamKind::Text:
      return std::to_string(s.characterCode) + ", " + s.textStLanguage;
    case StreamKind::Unknown:
      break;
  }
  return "";
}

ClipRow programStreamRow(const ProgramStream& s) {
  return {hexText(s.pid, 4), std::string(codingTypeText(s.streamCodingType)), streamDetails(s)};
}

ClipRow atcSequenceRow(const AtcSequence& a) {
  return {hexText(a.spnAtcStart, 8), std::to_string(a.stcSequences.size()), std::to_string(a.offsetStcId)};
}

ClipRow stcSequenceRow(const StcSequence& s) {
  return {hexText(s.pcrPid, 4), hexText(s.spnStcStart, 8), tickTimeText(s.presentationStartTime, 45000),
          tickTimeText(s.presentationEndTime, 45000)};
}

ClipRow atcDeltaRow(const AtcDeltaEntry& e) {
  return {hexText(e.atcDelta, 8), e.followingClipName, e.followingClipCodecId};
}

ClipRow epStreamRow(const EpStreamEntry& e) {
  return {hexText(e.streamPid, 4), hexText(e.epStreamType, 1), hexText(e.numberOfEpCoarseEntries, 4),
          hexText(e.numberOfEpFineEntries, 5), hexText(e.epMapStartAddress, 8)};
}

ClipRow epCoarseRow(const EpCoarse& c) {
  return {hexText(c.refToEpFineId, 5), hexText(c.ptsEpCoarse, 4), hexText(c.spnEpCoarse, 8)};
}

std::string epCoarseRowNumber(std::size_t i) { return hexText(i, 4); }

ClipRow epFineRow(const EpFine& f) {
  return {f.isAngleChangePoint ? "y" : "n", std::to_string(f.iEndPositionOffset), hexText(f.ptsEpFine, 4),
          hexText(f.spnEpFine, 5)};
}

std::string epFineRowNumber(std::size_t i) { return hexText(i, 5); }

ClipRow ciRefRow(const ClipUse& r) {
  return {zeroPadded(r.playlist, 5), std::string(1, r.kind), zeroPadded(r.item, 5)};
}

StreamFileLabels streamFileLabels(const ClipStreamFile& av, const std::string& clipName,
                                  const std::string& streamExt, char thousands) {
  if (av.name.empty()) return {clipName + streamExt, "missing file", true};
  return {av.name, groupedDecimal(av.size, thousands), false};
}

}  // namespace mirdal
