// The menu page renderer: draws one page as a player shows it into a plain
// RGBA canvas (background, buttons in their normal, selected and activated
// states, animation steps, effect frames, diagnostic overlays). Nothing here
// waits or knows a GUI: the caller steps animations and effects by its clock
// and blits the canvas.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "menu/igs_model.h"

namespace mirdal {

class Reporter;

// A true-colour picture, 4 bytes per pixel (R, G, B, A), rows top down.
struct Canvas {
  int width = 0, height = 0;
  Bytes rgba;
};

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;  // w or h 0: empty
  bool empty() const { return w <= 0 || h <= 0; }
  bool operator==(const Rect&) const = default;
};

struct Colour {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Colour&) const = default;
};

struct RenderOptions {
  Colour background{0, 0, 128};        // navy
  Colour selectedButton{255, 255, 0};  // yellow
  Colour normalButton{255, 255, 255};
  Colour invalidButton{128, 128, 128};
  Colour window{0, 255, 0};  // lime
  Colour selectedFrame{255, 0, 0};
  Colour normalFrame{192, 192, 192};
  Colour invalidFrame{0, 0, 0};
  bool buttonId = false, objectId = false, buttonFrame = false, windowFrame = false;
  bool fullScreen = false;  // overlay digits twice as large
  bool preload = true;
};

// Per button slot of the current page.
struct ButtonState {
  bool shown = false;
  std::uint8_t bog = 0, index = 0;
  bool normalAnimating = false, selectedAnimating = false, activatedAnimating = false;
  bool normalRepeat = false, selectedRepeat = false;
  std::uint16_t counter = 0;
};

enum class ButtonLook { Normal, Selected, Activated };

struct PageRenderer {
  IgMenu* menu = nullptr;
  std::size_t page = 0;  // index into menu->ics.pages
  RenderOptions options;
  Canvas background;  // page background only
  Canvas picture;     // what is shown
  std::vector<ButtonState> states;
  // Rectangles changed since the caller last took them (a view repaints
  // only these).
  std::vector<Rect> dirty;
  // Problems already logged, so a timer tick does not repeat them.
  std::set<std::string> logged;
  // Where problems and the decoding of pictures are told; none: nowhere.
  Reporter* report = nullptr;
};

// The built-in 1920 x 1080 background with alpha, generated once.
const Canvas& builtinBackground();

// Fills the background with the colour and draws pic (the built-in picture
// when null) over it blended by alpha, then copies it into the picture.
void drawBackground(PageRenderer& r, const Canvas* pic = nullptr);
void clearPage(PageRenderer& r);
void clearRect(PageRenderer& r, Rect rc);

// Rebuilds the state table for page index `page` and makes it current.
void resetButtonStates(PageRenderer& r, std::size_t page);
// The button a player selects when the current page comes up (shown anew,
// or a pop-up menu opened): the page's default selected button when it is
// the shown button of its BOG; else `current` (PSR 10) when it is a shown
// button of the page; else the shown button of the first BOG that has
// one; else none (0xFFFF). Start, SetButtonPage with a page and the still
// picture all use this rule.
std::uint16_t selectedOnPageShow(const PageRenderer& r, std::uint32_t current);

// Converts every object the page's buttons and effects use into the cache.
void preparePictures(PageRenderer& r, std::size_t page);

// The whole current page: background, shown buttons, the selected one.
void drawPage(PageRenderer& r, std::uint32_t psr10);
// Starts a look of button id (counter 0, animating when the look has more
// than one object) and draws its first step.
void drawButton(PageRenderer& r, std::uint16_t id, ButtonLook look);
// One animation step of a state.
void drawButtonStep(PageRenderer& r, std::uint16_t id, ButtonLook look);
// Removes a disabled button unless another button of its BOG is shown.
void removeButton(PageRenderer& r, std::uint16_t id);
// One animation timer tick over the whole table.
void animationTick(PageRenderer& r, std::uint32_t psr10);
// The picture after `steps` animation ticks from a page just drawn, drawn
// at once: every animation is a cycle (repeat) or ends on its last object,
// so each button's object is computed instead of stepped to. The selected
// button (psr10) animates its `look`, every other shown button its normal
// state.
void animateSteps(PageRenderer& r, std::uint32_t psr10, ButtonLook look, std::uint64_t steps);

// Milliseconds between animation steps: one video frame at the menu's
// frame-rate code times the page's animation code. Codes without a frame
// duration (0, 5, 8..15) count as 23.976 Hz, the usual film rate.
std::uint32_t animationIntervalMs(std::uint8_t frameRateCode, std::uint8_t animationCode);

// Effects: draws effect `index` of a sequence (windows cleared, objects
// drawn through the effect's palette, cropped as stored, clipped to their
// window) and, after the last one, clears every window again.
void drawEffect(PageRenderer& r, const EffectSequence& seq, std::size_t index);
void endEffects(PageRenderer& r, const EffectSequence& seq);

// The object cut to the crop rectangle (clipped to the object).
RgbaPicture cropPicture(const RgbaPicture& whole, int cropX, int cropY, int cropW, int cropH);

// Drawing primitives (clipped to the canvas; outside parts are dropped).
void fillRect(Canvas& c, Rect rc, Colour col);
void frameRect(Canvas& c, Rect rc, Colour col);
void blendPicture(Canvas& c, const RgbaPicture& pic, int x, int y, Rect clip);
// Hexadecimal digits on an opaque box of colour box, in black, 5 x 7 cells
// scaled by `scale`.
void drawHexText(Canvas& c, int x, int y, const std::string& text, Colour box, int scale);

// The RGBA value at (x, y); 0 outside.
std::uint32_t pixelAt(const Canvas& c, int x, int y);

}  // namespace mirdal
