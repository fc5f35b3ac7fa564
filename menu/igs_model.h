// The menu model: one Interactive Graphics composition (pages, effect
// sequences, button overlap groups, buttons with their programs), the
// object and palette tables, the per-(object, palette) picture cache and the
// IG in-time from which every timestamp of a save is derived.
//
// Array lengths are the counts the stream carries; the writer refuses arrays
// longer than their count field allows. The only kept count is the effect
// window count, because a sequence has room for exactly two windows.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/fields.h"
#include "nav/command.h"
#include "menu/igs_values.h"

namespace mirdal {

inline constexpr std::uint16_t kNoButton = 0xFFFF;
inline constexpr std::uint16_t kNoObjectId = 0xFFFF;
inline constexpr std::uint32_t kNewMenuInTime = 180000;  // 2 s at 90 kHz


// Sequence flags of a fragment as the model keeps them.
inline constexpr std::uint8_t kFirstFragment = 2;
inline constexpr std::uint8_t kLastFragment = 1;

struct TEffectWindow {
  std::uint8_t window_id = 0;
  std::uint16_t x = 0, y = 0, width = 0, height = 0;
  bool operator==(const TEffectWindow&) const = default;
};

struct TCompObject {
  std::uint16_t object_id = 0;
  std::uint8_t window_id = 0;
  std::uint8_t flags = 0;  // bit 1 cropped, bit 0 forced on
  std::uint16_t x = 0, y = 0;
  // Meaningful, and written, only when the cropped flag is set.
  std::uint16_t crop_x = 0, crop_y = 0, crop_width = 0, crop_height = 0;

  bool cropped() const { return flags & 2; }
  bool operator==(const TCompObject&) const = default;
};

struct Teffect {
  std::uint32_t duration = 0;  // 90 kHz ticks, 24 bits in the stream
  std::uint8_t palette_id = 0;
  std::vector<TCompObject> comp_objects;
  bool operator==(const Teffect&) const = default;
};

inline constexpr std::size_t kMaxEffectWindows = 2;

struct Teffectseq {
  std::uint8_t window_count = 0;  // at most kMaxEffectWindows
  std::array<TEffectWindow, kMaxEffectWindows> windows{};
  std::vector<Teffect> effects;
  bool operator==(const Teffectseq&) const = default;
};

struct TIGbutton {
  std::uint16_t button_id = 0;
  std::uint16_t numeric_select_value = 0;
  std::uint8_t auto_action = 0;  // 0 or 1
  std::uint16_t x = 0, y = 0;
  std::uint16_t upper = 0, lower = 0, left = 0, right = 0;
  std::uint16_t normal_start = kNoObjectId, normal_end = kNoObjectId;
  std::uint8_t normal_repeat = 0;
  std::uint16_t selected_sound = 0xFF;  // 0..255, one byte in the stream
  std::uint16_t selected_start = kNoObjectId, selected_end = kNoObjectId;
  std::uint8_t selected_repeat = 0;
  std::uint16_t activated_sound = 0xFF;
  std::uint16_t activated_start = kNoObjectId, activated_end = kNoObjectId;
  TCommands commands;
  bool operator==(const TIGbutton&) const = default;
};

struct TBOG {
  std::uint16_t default_valid_button = kNoButton;
  std::vector<TIGbutton> buttons;
  bool operator==(const TBOG&) const = default;
};

// Where the button with a given id lives on its page: one slot per id, the
// length being the larger of the page's button count and the highest id + 1.
// Slots refer to the BOG's record instead of copying it, so an edit of a
// button can never leave a stale copy behind.
struct TPageButton {
  struct Slot {
    std::int32_t bog = -1;  // -1: no button has this id
    std::int32_t button = -1;
    bool operator==(const Slot&) const = default;
  };
  std::vector<Slot> ids;
  bool operator==(const TPageButton&) const = default;
};

struct TPage {
  std::uint8_t page_id = 0;
  std::uint8_t page_version = 0;
  std::uint32_t uo_mask[2] = {0, 0};  // stream bits 63..32, then 31..0
  Teffectseq effects[2];               // 0 in-effects, 1 out-effects
  std::uint8_t animation_frame_rate_code = 0;
  std::uint16_t default_selected_button = kNoButton;
  std::uint16_t default_activated_button = kNoButton;
  std::uint8_t palette_id = 0;
  std::vector<TBOG> bogs;
  bool operator==(const TPage&) const = default;
};

struct TICSFragment {
  std::uint8_t sequence_flags = 0;  // bit 1 first, bit 0 last
  std::uint32_t offset = 0;         // into TMenu::ics_data
  std::uint32_t length = 0;
  bool operator==(const TICSFragment&) const = default;
};

struct TIGSc {
  std::uint16_t video_width = 1920;
  std::uint16_t video_height = 1080;
  std::uint8_t frame_rate = 2;  // index into the frame-rate list, 4 bits
  std::uint16_t composition_number = 0;
  std::uint8_t composition_state = 0;  // 2 bits
  std::uint32_t data_length = 0;       // 24 bits in the stream
  std::uint8_t model = 3;              // bit 1 stream model, bit 0 user interface model
  // Raw 40-bit fields, present in the stream only when the stream-model bit
  // is 0.
  std::uint64_t composition_timeout_pts = 0;
  std::uint64_t selection_timeout_pts = 0;
  std::uint32_t user_timeout = 0;  // 90 kHz ticks, 24 bits in the stream
  std::vector<TPage> pages;
  std::vector<TICSFragment> fragments;

  bool streamModel() const { return model & 2; }
  bool operator==(const TIGSc&) const = default;
};

struct TObjFragment {
  std::uint8_t version = 0;
  std::uint8_t sequence_flags = 0;  // bit 1 first, bit 0 last
  std::uint32_t offset = 0;         // into the object's rle bytes
  std::uint32_t length = 0;
  bool operator==(const TObjFragment&) const = default;
};

// An 8-bit palette-index picture, rows top to bottom.
struct IndexImage {
  std::uint16_t width = 0, height = 0;
  Bytes pixels;  // width * height
  bool operator==(const IndexImage&) const = default;
};

struct TIGobject {
  std::uint16_t object_id = 0;
  std::int32_t order_slot = -1;  // used while saving
  std::uint32_t rle_length = 0;  // the stream's object data length minus 4
  std::uint16_t width = 0, height = 0;
  std::vector<TObjFragment> fragments;
  Bytes rle;  // the fragments' RLE bytes, in order
  std::optional<IndexImage> image;  // decoded on first need
};

struct TYCrCb {
  std::uint8_t y = 0, cr = 0, cb = 0;
  bool operator==(const TYCrCb&) const = default;
};
struct TRGBA {
  std::uint8_t r = 0, g = 0, b = 0, t = 0;  // t: transparency used as alpha
  bool unused() const { return !r && !g && !b && !t; }
  bool operator==(const TRGBA&) const = default;
};

struct TIGpalette {
  std::uint16_t palette_id = 0;
  std::uint8_t version = 0;
  std::array<TYCrCb, 256> ycrcb{};
  std::array<TRGBA, 256> colours{};
  bool operator==(const TIGpalette&) const = default;
};

// A true-colour picture with alpha: R, G, B, A bytes per pixel.
struct RgbaPicture {
  std::uint16_t width = 0, height = 0;
  Bytes rgba;
  bool operator==(const RgbaPicture&) const = default;
};

// One slot per palette; a slot holds the object drawn through that palette.
struct TObjectCache {
  std::vector<std::optional<RgbaPicture>> byPalette;
};

// A segment of a type the menu does not know, kept as it was read so that
// a save writes it back unchanged (before the END segment).
struct TKeptSegment {
  std::uint32_t pts = 0, dts = 0;
  std::uint8_t type = 0;
  Bytes body;
  std::size_t offset = 0;  // where it began in the file read
  bool operator==(const TKeptSegment&) const = default;
};

struct TMenu {
  TIGSc ics;
  std::vector<TPageButton> page_buttons;  // one per page
  std::vector<TIGobject> objects;          // index = object id
  std::vector<TIGpalette> palettes;        // index = palette id
  std::vector<TObjectCache> cache;         // one per object, filled lazily
  std::uint32_t in_time = 0;               // 90 kHz
  Bytes ics_data;                          // page bytes of the ICS fragments, in order
  bool has_composition = false;            // an ICS with the first-fragment flag was read
  std::vector<TKeptSegment> unknown_segments;
  // Display sets of the stream read; only the first one is loaded, and a
  // save writes only that one.
  std::size_t display_sets = 1;
};

// A menu with nothing in it: no pages, objects or palettes, in-time 2 s.
TMenu newMenu();

// Rebuilds the button index of page i from its BOGs.
void buildPageButtons(const TPage& page, TPageButton& index);
void buildAllPageButtons(TMenu& m);

// The button with that id on page i, or nullptr.
const TIGbutton* findButton(const TMenu& m, std::size_t page, std::uint16_t id);

// Empties every cache slot of an object, or of a palette in every object.
void clearObjectCache(TMenu& m, std::size_t object);
void clearPaletteCache(TMenu& m, std::size_t palette);

}  // namespace mirdal
