// The rules on menus: buttons and the pages, objects, palettes, sounds and
// other buttons they name, and where their pictures lie.
#include <algorithm>
#include <optional>

#include "check/context.h"
#include "check/rule_set.h"

namespace mirdal {

namespace {

Place menuPlace(const MenuFile& f) {
  Place p;
  p.file = PlaceFile::Menu;
  p.name = f.name;
  return p;
}

Place pagePlace(const MenuFile& f, const IgPage& page) { return menuPlace(f).then(PlacePart::Page, page.pageId); }

Place buttonPlace(const MenuFile& f, const IgPage& page, const IgButton& b) {
  return pagePlace(f, page).then(PlacePart::Button, b.buttonId);
}

template <class Fn>
void forEachButton(const CheckContext& ctx, Fn fn) {
  for (const MenuFile& f : ctx.files.menus) {
    if (!f.usable()) continue;
    for (const IgPage& page : f.menu.ics.pages)
      for (std::size_t g = 0; g < page.bogs.size(); ++g)
        for (const IgButton& b : page.bogs[g].buttons) fn(f, page, g, b);
  }
}

bool hasButton(const IgPage& page, std::uint16_t id) {
  for (const Bog& bog : page.bogs)
    for (const IgButton& b : bog.buttons)
      if (b.buttonId == id) return true;
  return false;
}

const IgPage* pageWithId(const IgMenu& m, std::uint32_t id) {
  for (const IgPage& p : m.ics.pages)
    if (p.pageId == id) return &p;
  return nullptr;
}

// An object slot the stream filled: ids it did not define are zero-filled.
bool objectDefined(const IgMenu& m, std::uint16_t id) {
  return id < m.objects.size() && (m.objects[id].width || m.objects[id].height || !m.objects[id].fragments.empty());
}

bool paletteDefined(const IgMenu& m, std::uint32_t id) { return id < m.palettes.size() && m.palettes[id].paletteId == id; }

struct Box {
  int x, y, w, h;
  bool overlaps(const Box& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
  std::string text() const {
    return std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(w) + "x" + std::to_string(h);
  }
};

// Where a button's picture lies: the size of its first object of the normal,
// selected or activated state. Buttons without any object (auto-action
// buttons) have no picture.
std::optional<Box> buttonBox(const IgMenu& m, const IgButton& b) {
  for (std::uint16_t id : {b.normalStart, b.selectedStart, b.activatedStart})
    if (id != kNoObjectId && objectDefined(m, id)) return Box{b.x, b.y, m.objects[id].width, m.objects[id].height};
  return std::nullopt;
}

}  // namespace

void checkMenusReadable(const CheckContext& ctx, FindingSink& out) {
  for (const MenuFile& f : ctx.files.menus)
    if (!f.usable()) out(menuPlace(f), f.problem);
}

void checkNeighbours(const CheckContext& ctx, FindingSink& out) {
  forEachButton(ctx, [&](const MenuFile& f, const IgPage& page, std::size_t, const IgButton& b) {
    const std::pair<const char*, std::uint16_t> links[] = {
        {"upper", b.upper}, {"lower", b.lower}, {"left", b.left}, {"right", b.right}};
    for (const auto& [name, id] : links)
      if (!hasButton(page, id))
        out(buttonPlace(f, page, b), std::string(name) + " neighbour " + std::to_string(id) + " is not a button of page " +
                                         std::to_string(page.pageId));
  });
}

void checkButtonObjects(const CheckContext& ctx, FindingSink& out) {
  for (const MenuFile& f : ctx.files.menus) {
    if (!f.usable() || f.menu.ics.pages.empty()) continue;
    const IgMenu& m = f.menu;
    const bool any = std::any_of(m.objects.begin(), m.objects.end(), [](const IgObject& o) {
      return o.width || o.height || !o.fragments.empty();
    });
    if (!any) {
      // A composition without its objects: one finding, not one per button.
      bool named = false;
      for (const IgPage& page : m.ics.pages)
        for (const Bog& bog : page.bogs)
          for (const IgButton& b : bog.buttons)
            named = named || b.normalStart != kNoObjectId || b.selectedStart != kNoObjectId ||
                    b.activatedStart != kNoObjectId;
      if (named) out(menuPlace(f), "the buttons name objects, but the menu defines none");
      continue;
    }
    for (const IgPage& page : m.ics.pages)
      for (const Bog& bog : page.bogs)
        for (const IgButton& b : bog.buttons) {
          const std::pair<const char*, std::pair<std::uint16_t, std::uint16_t>> states[] = {
              {"normal", {b.normalStart, b.normalEnd}},
              {"selected", {b.selectedStart, b.selectedEnd}},
              {"activated", {b.activatedStart, b.activatedEnd}}};
          for (const auto& [state, range] : states) {
            if (range.first == kNoObjectId) continue;
            const std::uint16_t last = range.second == kNoObjectId ? range.first : std::max(range.first, range.second);
            for (std::uint32_t id = range.first; id <= last; ++id)
              if (!objectDefined(m, std::uint16_t(id))) {
                out(buttonPlace(f, page, b), std::string(state) + " state object " + std::to_string(id) +
                                                 " is not in the menu (" + counted(m.objects.size(), "object", "objects") + ")");
                break;
              }
          }
        }
  }
}

void checkPalettes(const CheckContext& ctx, FindingSink& out) {
  for (const MenuFile& f : ctx.files.menus) {
    if (!f.usable()) continue;
    const IgMenu& m = f.menu;
    if (m.palettes.empty()) {
      // A composition without its palettes: one finding.
      if (!m.ics.pages.empty()) out(menuPlace(f), "the pages name palettes, but the menu defines none");
      continue;
    }
    const std::string has = " is not in the menu (" + counted(m.palettes.size(), "palette", "palettes") + ")";
    for (const IgPage& page : m.ics.pages) {
      if (!paletteDefined(m, page.paletteId))
        out(pagePlace(f, page), "palette " + std::to_string(page.paletteId) + has);
      for (const EffectSequence& seq : page.effects)
        for (const Effect& e : seq.effects)
          if (!paletteDefined(m, e.paletteId)) {
            out(pagePlace(f, page), "an effect's palette " + std::to_string(e.paletteId) + has);
            break;
          }
    }
  }
}

void checkButtonPages(const CheckContext& ctx, FindingSink& out) {
  for (const Program& p : ctx.programs()) {
    if (p.context != CommandContext::ButtonCommands) continue;
    const IgMenu& m = ctx.files.menus[p.menu].menu;
    const IgPage& here = m.ics.pages[p.page];
    for (std::size_t line = 0; line < p.commands->size(); ++line) {
      const NavCommand& c = (*p.commands)[line];
      const Place at = p.place.then(PlacePart::Line, std::uint32_t(line));
      const std::string words = commandWords(c, p.context);
      if (withoutImmediateFlags(c.opcode) == kSetButtonPage) {
        const bool pageSet = (c.opcode & kSrcImmediateBit) && (c.src & 0x80000000);
        const bool buttonSet = (c.opcode & kDstImmediateBit) && (c.dst & 0x80000000);
        const IgPage* target = &here;
        if (pageSet) {
          target = pageWithId(m, c.src & 0xFF);
          if (!target) {
            out(at, words + ", but the menu has no page " + std::to_string(c.src & 0xFF));
            continue;
          }
        } else if (!(c.opcode & kSrcImmediateBit) && (c.src & 0x80000000)) {
          continue;  // the page comes from a register: the button cannot be judged
        }
        if (buttonSet && !hasButton(*target, std::uint16_t(c.dst & 0xFFFF)))
          out(at, words + ", but page " + std::to_string(target->pageId) + " has no button " +
                      std::to_string(c.dst & 0xFFFF));
      } else if (c.opcode == 0x31800004 || c.opcode == 0x31800005) {  // Enable/DisableButton with a number
        if (!hasButton(here, std::uint16_t(c.dst & 0xFFFF)))
          out(at, words + ", but page " + std::to_string(here.pageId) + " has no button " + std::to_string(c.dst & 0xFFFF));
      }
    }
  }
}

void checkDefaultButtons(const CheckContext& ctx, FindingSink& out) {
  for (const MenuFile& f : ctx.files.menus) {
    if (!f.usable()) continue;
    for (const IgPage& page : f.menu.ics.pages) {
      const std::string where = " is not a button of page " + std::to_string(page.pageId);
      if (page.defaultSelectedButton != kNoButton && !hasButton(page, page.defaultSelectedButton))
        out(pagePlace(f, page), "default selected button " + std::to_string(page.defaultSelectedButton) + where);
      if (page.defaultActivatedButton != kNoButton && !hasButton(page, page.defaultActivatedButton))
        out(pagePlace(f, page), "default activated button " + std::to_string(page.defaultActivatedButton) + where);
      for (std::size_t g = 0; g < page.bogs.size(); ++g) {
        const Bog& bog = page.bogs[g];
        if (bog.defaultValidButton == kNoButton) continue;
        if (std::none_of(bog.buttons.begin(), bog.buttons.end(),
                         [&](const IgButton& b) { return b.buttonId == bog.defaultValidButton; }))
          out(pagePlace(f, page).then(PlacePart::Bog, std::uint32_t(g)),
              "default valid button " + std::to_string(bog.defaultValidButton) + " is not a button of BOG " +
                  std::to_string(g));
      }
    }
  }
}

void checkButtonSounds(const CheckContext& ctx, FindingSink& out) {
  const SoundFile* sound = ctx.files.sound && ctx.files.sound->usable() ? &ctx.files.sound->model : nullptr;
  if (ctx.files.sound && !sound) return;  // unreadable: told once as such
  const std::size_t n = sound ? sound->entries.size() : 0;
  forEachButton(ctx, [&](const MenuFile& f, const IgPage& page, std::size_t, const IgButton& b) {
    const std::pair<const char*, std::uint16_t> sounds[] = {{"selected", b.selectedSound}, {"activated", b.activatedSound}};
    for (const auto& [state, id] : sounds) {
      if (id == 0xFF || id < n) continue;
      out(buttonPlace(f, page, b), std::string(state) + " sound " + std::to_string(id) + ", but " +
                                       (sound ? "sound.bdmv has " + counted(n, "entry", "entries")
                                              : std::string("the disc has no sound.bdmv")));
    }
  });
}

void checkOverlaps(const CheckContext& ctx, FindingSink& out) {
  for (const MenuFile& f : ctx.files.menus) {
    if (!f.usable()) continue;
    for (const IgPage& page : f.menu.ics.pages) {
      // Buttons of one BOG are alternatives, one shown at a time; those of
      // different BOGs are shown together and must not overlap.
      struct Placed {
        std::size_t bog;
        const IgButton* b;
        Box box;
      };
      std::vector<Placed> placed;
      for (std::size_t g = 0; g < page.bogs.size(); ++g)
        for (const IgButton& b : page.bogs[g].buttons)
          if (const auto box = buttonBox(f.menu, b)) placed.push_back({g, &b, *box});
      for (std::size_t i = 0; i < placed.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
          if (placed[i].bog != placed[j].bog && placed[i].box.overlaps(placed[j].box)) {
            out(buttonPlace(f, page, *placed[i].b),
                placed[i].box.text() + " overlaps button " + std::to_string(placed[j].b->buttonId) + " (BOG " +
                    std::to_string(placed[j].bog) + ") at " + placed[j].box.text());
            break;
          }
    }
  }
}

void checkOutside(const CheckContext& ctx, FindingSink& out) {
  forEachButton(ctx, [&](const MenuFile& f, const IgPage& page, std::size_t, const IgButton& b) {
    const auto box = buttonBox(f.menu, b);
    const int w = f.menu.ics.videoWidth, h = f.menu.ics.videoHeight;
    if (box && (box->x + box->w > w || box->y + box->h > h))
      out(buttonPlace(f, page, b), box->text() + " reaches past the " + std::to_string(w) + "x" + std::to_string(h) + " page");
  });
}

}  // namespace mirdal
