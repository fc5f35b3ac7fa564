// A small menu built in memory for the renderer and emulation tests: an
// always-on menu (user interface model bit clear).
//
// Page 0 (palette 0, animation code 1, default selected button 1):
//   BOG 0: button 0 at (100,100)  normal 0, selected 1, activated 2; up 3,
//          down 1, left 9 (no such button), right 2; sets GPR0 = 7
//   BOG 1: button 1 at (100,300)  normal 4..7 (no repeat), selected 1; up 0,
//          down itself; SetButtonPage page 1, button 0
//   BOG 2: button 2 at (300,100)  auto-action, sets GPR1 = 9
//   BOG 3: button 3 at (500,100)  shown, EnableButton 4; button 4 at the
//          same place, hidden, DisableButton 4
//   out-effect: 100 ms, object 0 in window 0 (0,0 50x50), object 1 naming
//          window 5, which does not exist
// Page 1 (default selected 0, default activated 0): button 0 at (10,10),
//   sets GPR2 = 5. User time-out 1 s.
//
// Objects are 10 x 10 squares of one palette entry: 0 red, 1 green, 2 blue,
// 3 half-transparent white, 4..7 entries 1, 2, 3, 5 (yellow), 8 a 40 x 20
// picture whose column c has entry 1 + c % 3.
#pragma once

#include "menu/igs_model.h"

namespace mirdal::test {

inline IndexImage filled(std::uint16_t w, std::uint16_t h, std::uint8_t entry) {
  IndexImage img;
  img.width = w;
  img.height = h;
  img.pixels.assign(std::size_t(w) * h, entry);
  return img;
}

inline IgObject objectOf(IndexImage img) {
  IgObject o;
  o.width = img.width;
  o.height = img.height;
  o.image = std::move(img);
  return o;
}

inline IgButton buttonAt(std::uint16_t id, std::uint16_t x, std::uint16_t y) {
  IgButton b;
  b.buttonId = id;
  b.x = x;
  b.y = y;
  b.upper = b.lower = b.left = b.right = id;
  b.normalStart = b.normalEnd = 0;
  b.selectedStart = b.selectedEnd = 1;
  return b;
}

inline IgMenu tinyMenu() {
  IgMenu m = newMenu();
  m.ics.model = 2;  // an always-on menu: Start shows it
  m.ics.frameRate = 2;  // 24 Hz
  m.ics.userTimeout = 90000;
  IgPalette pal;
  pal.colours[1] = {255, 0, 0, 255};
  pal.colours[2] = {0, 255, 0, 255};
  pal.colours[3] = {0, 0, 255, 255};
  pal.colours[4] = {255, 255, 255, 128};
  pal.colours[5] = {255, 255, 0, 255};
  m.palettes.push_back(pal);
  const std::uint8_t entries[8] = {1, 2, 3, 4, 1, 2, 3, 5};
  for (std::uint8_t e : entries) m.objects.push_back(objectOf(filled(10, 10, e)));
  IndexImage striped = filled(40, 20, 0);
  for (std::size_t i = 0; i < striped.pixels.size(); ++i) striped.pixels[i] = std::uint8_t(1 + (i % 40) % 3);
  m.objects.push_back(objectOf(striped));
  for (std::size_t i = 0; i < m.objects.size(); ++i) m.objects[i].objectId = std::uint16_t(i);

  IgPage p0;
  p0.animationFrameRateCode = 1;
  p0.defaultSelectedButton = 1;
  IgButton b0 = buttonAt(0, 100, 100);
  b0.activatedStart = b0.activatedEnd = 2;
  b0.upper = 3, b0.lower = 1, b0.left = 9, b0.right = 2;
  b0.commands = {{0x50400001, 0, 7}};
  IgButton b1 = buttonAt(1, 100, 300);
  b1.normalStart = 4, b1.normalEnd = 7;
  b1.upper = 0;
  b1.commands = {{0x51C00003, 0x80000000, 0x80000001}};
  IgButton b2 = buttonAt(2, 300, 100);
  b2.autoAction = 1;
  b2.left = 0;
  b2.commands = {{0x50400001, 1, 9}};
  IgButton b3 = buttonAt(3, 500, 100);
  b3.lower = 0;
  b3.commands = {{0x31800004, 4, 0}};
  IgButton b4 = buttonAt(4, 500, 100);
  b4.lower = 0;
  b4.commands = {{0x31800005, 4, 0}};
  for (IgButton* b : {&b0, &b1, &b2}) {
    Bog g;
    g.defaultValidButton = b->buttonId;
    g.buttons.push_back(*b);
    p0.bogs.push_back(g);
  }
  Bog g3;
  g3.defaultValidButton = 3;
  g3.buttons = {b3, b4};
  p0.bogs.push_back(g3);
  EffectSequence& out = p0.effects[1];
  out.windowCount = 1;
  out.windows[0] = {0, 0, 0, 50, 50};
  Effect e;
  e.duration = 9000;
  CompositionObject c0;
  c0.objectId = 0;
  CompositionObject c1;
  c1.objectId = 1;
  c1.windowId = 5;
  c1.x = 60;
  e.compObjects = {c0, c1};
  out.effects.push_back(e);

  IgPage p1;
  p1.pageId = 1;
  p1.defaultSelectedButton = 0;
  p1.defaultActivatedButton = 0;
  IgButton c = buttonAt(0, 10, 10);
  c.commands = {{0x50400001, 2, 5}};
  Bog g;
  g.defaultValidButton = 0;
  g.buttons.push_back(c);
  p1.bogs.push_back(g);
  m.ics.pages = {p0, p1};
  buildAllPageButtons(m);
  return m;
}

}  // namespace mirdal::test
