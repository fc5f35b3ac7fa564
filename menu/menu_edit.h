// Edits of the menu model that keep it consistent: the page button index,
// button ids, neighbours, default buttons, button commands that name a
// button or a page, object ranges and palette ids all follow every insert
// and delete. Every function checks its indexes and refuses (returning
// false or a message) instead of touching anything out of range, so a view
// can hand over what the user picked without checking first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "menu/igs_model.h"

namespace mirdal {

inline constexpr std::size_t kMaxPages = 255;
inline constexpr std::size_t kMaxBogs = 255;
inline constexpr std::size_t kMaxButtonsPerBog = 32;

// The records a new button, BOG or page starts with.
IgButton newButton(std::uint16_t id);
IgPage newPage(std::uint8_t id);  // no BOG yet: createPage adds one

// "Create Menu": an empty composition of the given video size (frame rate
// code 1, both model bits, no time-outs, in-time 2 s) with one page holding
// one BOG with one button, and palette 0, which that page names (without
// colours).
IgMenu createMenu(std::uint16_t width = 1920, std::uint16_t height = 1080);

// Inserts. Each returns false, changing nothing, at its limit or for an
// index out of range.
bool createPage(IgMenu& m);                                   // appends a page with one BOG
bool createBog(IgMenu& m, std::size_t page);                  // appends a BOG with one button
bool createButton(IgMenu& m, std::size_t page, std::size_t bog);  // id = the new last index slot

// Deletes. A menu keeps one page, a page one BOG, a BOG one button.
//
// deletePage: the later pages move up; every page id above the deleted
// page's id drops by one, and in every button command SetButtonPage with an
// immediate page operand that names the deleted page becomes three zero
// words, one naming a later page names it by its new id.
bool deletePage(IgMenu& m, std::size_t page);
// deleteBog: deletes each of its buttons as deleteButton does, then the BOG.
bool deleteBog(IgMenu& m, std::size_t page, std::size_t bog);
// deleteButton: later ids drop by one; neighbours naming the deleted button
// take its own neighbour in that direction; BOG default valid buttons and
// the page's default selected/activated buttons follow; button commands
// with an immediate button operand of this page naming it become three zero
// words, later ones are renumbered.
bool deleteButton(IgMenu& m, std::size_t page, std::size_t bog, std::size_t index);

// Objects and palettes. Deleting refuses, with the message returned, when
// any selected row is still referenced; otherwise the rows go and every
// reference to a later object or palette is renumbered. An empty string
// means done.
std::string deleteObjects(IgMenu& m, std::vector<std::size_t> rows);
std::string deletePalettes(IgMenu& m, std::vector<std::size_t> rows);

// Where an object or palette is used, e.g. "0io 0:3n,4sa 1:2n" (page 0's in-
// and out-effects, buttons 3 and 4 of page 0, button 2 of page 1).
std::string objectUses(const IgMenu& m, std::uint16_t object);
std::string paletteUses(const IgMenu& m, std::uint16_t palette);

// Effect sequences: seq 0 in-effects, 1 out-effects.
bool insertEffectWindow(IgMenu& m, std::size_t page, int seq);                 // at most two
bool deleteEffectWindow(IgMenu& m, std::size_t page, int seq, std::size_t window);
bool insertEffect(IgMenu& m, std::size_t page, int seq, std::size_t at);       // at <= count
bool deleteEffect(IgMenu& m, std::size_t page, int seq, std::size_t effect);
bool insertCompObject(IgMenu& m, std::size_t page, int seq, std::size_t effect, const CompositionObject& c);
bool deleteCompObject(IgMenu& m, std::size_t page, int seq, std::size_t effect, std::size_t index);

// Field edits of an effect sequence; false, keeping the stored record, for a
// value out of range. A window lies inside the video; an effect's palette
// exists and its duration fits 24 bits; a composition object names an
// existing object and a window of its sequence (a field left as stored is
// not checked again, so a loaded stream's odd values can stay), and a crop
// rectangle lies inside the video.
bool setEffectWindow(IgMenu& m, std::size_t page, int seq, std::size_t window, const EffectWindow& w);
bool setEffect(IgMenu& m, std::size_t page, int seq, std::size_t effect, std::uint32_t duration, std::uint8_t palette);
bool setCompObject(IgMenu& m, std::size_t page, int seq, std::size_t effect, std::size_t index, const CompositionObject& c);

// Field edits with the rules of the menu editors. Each returns false,
// keeping the stored value, for a value the rule refuses.
enum class ButtonField {
  Value, AutoAction, X, Y, Upper, Lower, Left, Right,
  NormalStart, NormalEnd, NormalRepeat,
  SelectedSound, SelectedStart, SelectedEnd, SelectedRepeat,
  ActivatedSound, ActivatedStart, ActivatedEnd,
};
// soundCount: the number of entries of the disc's sound file.
bool setButtonField(IgMenu& m, std::size_t page, std::size_t bog, std::size_t index, ButtonField f,
                    std::uint32_t value, std::size_t soundCount);
bool setButtonCommands(IgMenu& m, std::size_t page, std::size_t bog, std::size_t index, const CommandList& c);

// BOG default valid button: 0xFFFF or an id below the page index length.
bool setDefaultValidButton(IgMenu& m, std::size_t page, std::size_t bog, std::uint16_t id);
// The double click: 0xFFFF -> first button, last -> 0xFFFF, else the next.
bool stepDefaultValidButton(IgMenu& m, std::size_t page, std::size_t bog);

enum class PageField { PageId, Version, UoMask1, UoMask2, AnimationRate, DefaultSelected, DefaultActivated, Palette };
bool setPageField(IgMenu& m, std::size_t page, PageField f, std::uint32_t value);

// A height across 720 lines converts the palettes' stored Y/Cr/Cb with the
// other matrix (reconvertPalettes).
enum class CompositionField { Width, Height, FrameRate, CompositionNumber, CompositionState, Model, UserTimeout, InTime };
bool setCompositionField(IgMenu& m, CompositionField f, std::uint32_t value);

}  // namespace mirdal
