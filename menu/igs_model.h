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

struct EffectWindow {
  std::uint8_t windowId = 0;
  std::uint16_t x = 0, y = 0, width = 0, height = 0;
  bool operator==(const EffectWindow&) const = default;
};

struct CompositionObject {
  std::uint16_t objectId = 0;
  std::uint8_t windowId = 0;
  std::uint8_t flags = 0;  // bit 1 cropped, bit 0 forced on
  std::uint16_t x = 0, y = 0;
  // Meaningful, and written, only when the cropped flag is set.
  std::uint16_t cropX = 0, cropY = 0, cropWidth = 0, cropHeight = 0;

  bool cropped() const { return flags & 2; }
  bool operator==(const CompositionObject&) const = default;
};

struct Effect {
  std::uint32_t duration = 0;  // 90 kHz ticks, 24 bits in the stream
  std::uint8_t paletteId = 0;
  std::vector<CompositionObject> compObjects;
  bool operator==(const Effect&) const = default;
};

inline constexpr std::size_t kMaxEffectWindows = 2;

struct EffectSequence {
  std::uint8_t windowCount = 0;  // at most kMaxEffectWindows
  std::array<EffectWindow, kMaxEffectWindows> windows{};
  std::vector<Effect> effects;
  bool operator==(const EffectSequence&) const = default;
};

struct IgButton {
  std::uint16_t buttonId = 0;
  std::uint16_t numericSelectValue = 0;
  std::uint8_t autoAction = 0;  // 0 or 1
  std::uint16_t x = 0, y = 0;
  std::uint16_t upper = 0, lower = 0, left = 0, right = 0;
  std::uint16_t normalStart = kNoObjectId, normalEnd = kNoObjectId;
  std::uint8_t normalRepeat = 0;
  std::uint16_t selectedSound = 0xFF;  // 0..255, one byte in the stream
  std::uint16_t selectedStart = kNoObjectId, selectedEnd = kNoObjectId;
  std::uint8_t selectedRepeat = 0;
  std::uint16_t activatedSound = 0xFF;
  std::uint16_t activatedStart = kNoObjectId, activatedEnd = kNoObjectId;
  CommandList commands;
  bool operator==(const IgButton&) const = default;
};

struct Bog {
  std::uint16_t defaultValidButton = kNoButton;
  std::vector<IgButton> buttons;
  bool operator==(const Bog&) const = default;
};

// Where the button with a given id lives on its page: one slot per id, the
// length being the larger of the page's button count and the highest id + 1.
// Slots refer to the BOG's record instead of copying it, so an edit of a
// button can never leave a stale copy behind.
struct PageButtonIndex {
  struct Slot {
    std::int32_t bog = -1;  // -1: no button has this id
    std::int32_t button = -1;
    bool operator==(const Slot&) const = default;
  };
  std::vector<Slot> ids;
  bool operator==(const PageButtonIndex&) const = default;
};

struct IgPage {
  std::uint8_t pageId = 0;
  std::uint8_t pageVersion = 0;
  std::uint32_t uoMask[2] = {0, 0};  // stream bits 63..32, then 31..0
  EffectSequence effects[2];               // 0 in-effects, 1 out-effects
  std::uint8_t animationFrameRateCode = 0;
  std::uint16_t defaultSelectedButton = kNoButton;
  std::uint16_t defaultActivatedButton = kNoButton;
  std::uint8_t paletteId = 0;
  std::vector<Bog> bogs;
  bool operator==(const IgPage&) const = default;
};

struct IcsFragment {
  std::uint8_t sequenceFlags = 0;  // bit 1 first, bit 0 last
  std::uint32_t offset = 0;        // into IgMenu::icsData
  std::uint32_t length = 0;
  bool operator==(const IcsFragment&) const = default;
};

struct InteractiveComposition {
  std::uint16_t videoWidth = 1920;
  std::uint16_t videoHeight = 1080;
  std::uint8_t frameRate = 2;  // index into the frame-rate list, 4 bits
  std::uint16_t compositionNumber = 0;
  std::uint8_t compositionState = 0;  // 2 bits
  std::uint32_t dataLength = 0;       // 24 bits in the stream
  std::uint8_t model = 3;             // bit 1 stream model, bit 0 user interface model
  // Raw 40-bit fields, present in the stream only when the stream-model bit
  // is 0.
  std::uint64_t compositionTimeoutPts = 0;
  std::uint64_t selectionTimeoutPts = 0;
  std::uint32_t userTimeout = 0;  // 90 kHz ticks, 24 bits in the stream
  std::vector<IgPage> pages;
  std::vector<IcsFragment> fragments;

  bool streamModel() const { return model & 2; }
  bool operator==(const InteractiveComposition&) const = default;
};

struct ObjectFragment {
  std::uint8_t version = 0;
  std::uint8_t sequenceFlags = 0;  // bit 1 first, bit 0 last
  std::uint32_t offset = 0;        // into the object's rle bytes
  std::uint32_t length = 0;
  bool operator==(const ObjectFragment&) const = default;
};

// An 8-bit palette-index picture, rows top to bottom.
struct IndexImage {
  std::uint16_t width = 0, height = 0;
  Bytes pixels;  // width * height
  bool operator==(const IndexImage&) const = default;
};

// Menus are at most 1920x1080; an object larger than 4096x4096 pixels can
// only come from a damaged stream, and decoding it would take gigabytes.
inline constexpr std::size_t kMaxObjectPixels = 4096u * 4096u;

struct IgObject {
  std::uint16_t objectId = 0;
  std::int32_t orderSlot = -1;  // used while saving
  std::uint32_t rleLength = 0;  // the stream's object data length minus 4
  std::uint16_t width = 0, height = 0;
  std::vector<ObjectFragment> fragments;
  Bytes rle;  // the fragments' RLE bytes, in order
  std::optional<IndexImage> image;  // decoded on first need
};

inline bool tooLargeToDecode(const IgObject& o) { return std::size_t(o.width) * o.height > kMaxObjectPixels; }

struct YCrCb {
  std::uint8_t y = 0, cr = 0, cb = 0;
  bool operator==(const YCrCb&) const = default;
};
struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, t = 0;  // t: transparency used as alpha
  bool unused() const { return !r && !g && !b && !t; }
  bool operator==(const Rgba&) const = default;
};

struct IgPalette {
  std::uint16_t paletteId = 0;
  std::uint8_t version = 0;
  std::array<YCrCb, 256> ycrcb{};
  std::array<Rgba, 256> colours{};
  bool operator==(const IgPalette&) const = default;
};

// A true-colour picture with alpha: R, G, B, A bytes per pixel.
struct RgbaPicture {
  std::uint16_t width = 0, height = 0;
  Bytes rgba;
  bool operator==(const RgbaPicture&) const = default;
};

// One slot per palette; a slot holds the object drawn through that palette.
struct ObjectCache {
  std::vector<std::optional<RgbaPicture>> byPalette;
};

// A segment of a type the menu does not know, kept as it was read so that
// a save writes it back unchanged (before the END segment).
struct KeptSegment {
  std::uint32_t pts = 0, dts = 0;
  std::uint8_t type = 0;
  Bytes body;
  std::size_t offset = 0;  // where it began in the file read
  bool operator==(const KeptSegment&) const = default;
};

struct IgMenu {
  InteractiveComposition ics;
  std::vector<PageButtonIndex> pageButtons;  // one per page
  std::vector<IgObject> objects;          // index = object id
  std::vector<IgPalette> palettes;        // index = palette id
  std::vector<ObjectCache> cache;         // one per object, filled lazily
  std::uint32_t inTime = 0;               // 90 kHz
  Bytes icsData;                          // page bytes of the ICS fragments, in order
  bool hasComposition = false;            // an ICS with the first-fragment flag was read
  std::vector<KeptSegment> unknownSegments;
  // Display sets of the stream read; only the first one is loaded, and a
  // save writes only that one.
  std::size_t displaySets = 1;
};

// A menu with nothing in it: no pages, objects or palettes, in-time 2 s.
IgMenu newMenu();

// Rebuilds the button index of page i from its BOGs.
void buildPageButtons(const IgPage& page, PageButtonIndex& index);
void buildAllPageButtons(IgMenu& m);

// The button with that id on page i, or nullptr.
const IgButton* findButton(const IgMenu& m, std::size_t page, std::uint16_t id);

// Empties every cache slot of an object, or of a palette in every object.
void clearObjectCache(IgMenu& m, std::size_t object);
void clearPaletteCache(IgMenu& m, std::size_t palette);

}  // namespace mirdal
