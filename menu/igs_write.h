// Writing a menu as IG segments: the composition split into ICS segments,
// the palettes, the objects in the order a player needs them first, and an
// END segment; every segment behind a .mnu prefix or a PES header.
#pragma once

#include <cstdint>
#include <vector>

#include "core/fields.h"
#include "core/save.h"
#include "menu/igs_model.h"

namespace mirdal {

enum class SegmentFraming {
  Mnu,  // "IG", PTS, DTS before each segment
  Pes,  // a private-stream-1 PES header before each segment
};

// Largest body of one segment: 65535 bytes of PES packet minus the 16 bytes
// of PES header that a segment with PTS and DTS needs.
inline constexpr std::size_t kMaxSegmentLength = 65519;

// The order objects are written in: those the first page shows first (its
// in-effects, then the buttons' normal, selected and activated states),
// then every other object by ascending id. Ids the table does not hold are
// left out.
std::vector<std::uint16_t> objectWriteOrder(const IgMenu& m);

// The page block: every page in the stream layout. Refuses, with an logError
// line, lists longer than their count fields allow.
bool serializePages(const InteractiveComposition& ics, Bytes& out, Reporter& rep);

// The whole stream. Re-encodes every object, rebuilds the fragment tables
// and the composition's data length, and gives palette entries without
// Y/Cr/Cb (stored Y of 0) the values computed from R, G, B with the matrix
// of the menu's video height. All timestamps derive from the IG in-time;
// segments of unknown type kept from a load go out as read (timestamps
// included) just before the END segment. Returns false, writing nothing to
// out, when the model cannot be written.
bool composeMenuSegments(IgMenu& m, SegmentFraming framing, Bytes& out, Reporter& rep);

// Saves the menu as a .mnu file through the save step of every writer
// (saveDiscFile); a menu composeMenuSegments cannot write is refused with its reason.
bool saveMnu(IgMenu& m, const SaveRequest& req, Reporter& rep);

// The PES header that carries one segment of `segmentLength` body bytes; the
// DTS is left out when it is 0.
Bytes pesHeader(std::uint32_t pts, std::uint32_t dts, std::size_t segmentLength);

}  // namespace mirdal
