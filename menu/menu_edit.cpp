#include "menu/menu_edit.h"

#include <algorithm>
#include <array>

#include "menu/colour.h"

namespace mirdal {

namespace {

// SetButtonPage and Enable/DisableButton with an immediate button operand
// (low 16 bits of the second word).
constexpr std::uint32_t kSetButtonPageImmButton = 0x51800003;
constexpr std::uint32_t kSetButtonPageImmBoth = 0x51C00003;
constexpr std::uint32_t kSetButtonPageImmPage = 0x51400003;
constexpr std::uint32_t kEnableButtonImm = 0x31800004;
constexpr std::uint32_t kDisableButtonImm = 0x31800005;
constexpr std::uint32_t kPageFlag = 0x80000000;

IgPage* pageAt(IgMenu& m, std::size_t page) { return page < m.ics.pages.size() ? &m.ics.pages[page] : nullptr; }

Bog* bogAt(IgMenu& m, std::size_t page, std::size_t bog) {
  IgPage* p = pageAt(m, page);
  return p && bog < p->bogs.size() ? &p->bogs[bog] : nullptr;
}

IgButton* buttonAt(IgMenu& m, std::size_t page, std::size_t bog, std::size_t index) {
  Bog* g = bogAt(m, page, bog);
  return g && index < g->buttons.size() ? &g->buttons[index] : nullptr;
}

void reindex(IgMenu& m, std::size_t page) {
  m.pageButtons.resize(m.ics.pages.size());
  buildPageButtons(m.ics.pages[page], m.pageButtons[page]);
}

std::size_t indexLength(const IgMenu& m, std::size_t page) {
  return page < m.pageButtons.size() ? m.pageButtons[page].ids.size() : 0;
}

// A button id reference after button b left: equal -> `whenEqual`, above ->
// one less.
std::uint16_t afterButtonDelete(std::uint16_t ref, std::uint16_t b, std::uint16_t whenEqual) {
  if (ref == kNoButton) return ref;
  if (ref == b) return whenEqual;
  return ref > b ? std::uint16_t(ref - 1) : ref;
}

// Does a command with an immediate button operand name a button of the page
// with id `pageId`? SetButtonPage with an immediate, flagged page operand
// names a button of that other page.
bool namesButtonOfPage(const NavCommand& c, std::uint8_t pageId) {
  switch (c.opcode) {
    case kEnableButtonImm:
    case kDisableButtonImm:
    case kSetButtonPageImmButton:
      return true;
    case kSetButtonPageImmBoth:
      return !(c.src & kPageFlag) || (c.src & 0xFF) == pageId;
    default:
      return false;
  }
}

template <typename F>
void forEachButton(IgPage& p, F f) {
  for (Bog& g : p.bogs)
    for (IgButton& b : g.buttons) f(b);
}

template <typename F>
void forEachCompObject(IgPage& p, F f) {
  for (EffectSequence& s : p.effects)
    for (Effect& e : s.effects)
      for (CompositionObject& c : e.compObjects) f(c);
}

// Sorted, unique rows below n; empty when any row is out of range.
std::vector<std::size_t> normalRows(std::vector<std::size_t> rows, std::size_t n) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  if (!rows.empty() && rows.back() >= n) rows.clear();
  return rows;
}

// The new id of a kept id once `removed` (sorted) are gone.
std::uint16_t shifted(std::uint16_t id, const std::vector<std::size_t>& removed) {
  const auto below = std::lower_bound(removed.begin(), removed.end(), std::size_t(id)) - removed.begin();
  return std::uint16_t(id - below);
}

EffectSequence* seqAt(IgMenu& m, std::size_t page, int seq) {
  IgPage* p = pageAt(m, page);
  return p && (seq == 0 || seq == 1) ? &p->effects[seq] : nullptr;
}

}  // namespace

IgButton newButton(std::uint16_t id) {
  IgButton b;
  b.buttonId = id;
  b.numericSelectValue = 0xFFFF;
  b.autoAction = std::uint8_t(ButtonFlag::Off);
  b.upper = b.lower = b.left = b.right = id;
  b.normalStart = b.normalEnd = kNoObjectId;
  b.selectedStart = b.selectedEnd = kNoObjectId;
  b.activatedStart = b.activatedEnd = kNoObjectId;
  b.selectedSound = b.activatedSound = 0xFF;
  return b;
}

IgPage newPage(std::uint8_t id) {
  IgPage p;
  p.pageId = id;
  p.animationFrameRateCode = 1;
  p.defaultSelectedButton = kNoButton;
  p.defaultActivatedButton = kNoButton;
  return p;
}

IgMenu createMenu(std::uint16_t width, std::uint16_t height) {
  IgMenu m = newMenu();
  m.ics.videoWidth = width;
  m.ics.videoHeight = height;
  m.ics.frameRate = std::uint8_t(FrameRate::Fps23976);
  m.ics.dataLength = 67;
  m.ics.model = 3;
  m.ics.userTimeout = 0;
  m.ics.compositionTimeoutPts = m.ics.selectionTimeoutPts = 0;
  m.hasComposition = true;
  // The palette the first page names; it defines no colour yet.
  m.palettes.emplace_back();
  createPage(m);
  return m;
}

bool createPage(IgMenu& m) {
  if (m.ics.pages.size() >= kMaxPages) return false;
  m.ics.pages.push_back(newPage(std::uint8_t(m.ics.pages.size())));
  reindex(m, m.ics.pages.size() - 1);
  return createBog(m, m.ics.pages.size() - 1);
}

bool createBog(IgMenu& m, std::size_t page) {
  IgPage* p = pageAt(m, page);
  if (!p || p->bogs.size() >= kMaxBogs) return false;
  p->bogs.push_back(Bog{});
  if (!createButton(m, page, p->bogs.size() - 1)) {
    p->bogs.pop_back();
    return false;
  }
  return true;
}

bool createButton(IgMenu& m, std::size_t page, std::size_t bog) {
  Bog* g = bogAt(m, page, bog);
  if (!g || g->buttons.size() >= kMaxButtonsPerBog) return false;
  reindex(m, page);
  const std::size_t id = indexLength(m, page);
  if (id >= kNoButton) return false;
  g->buttons.push_back(newButton(std::uint16_t(id)));
  reindex(m, page);
  return true;
}

namespace {

// Removes one button with every reference kept right; the caller has
// checked the indexes.
void removeButton(IgMenu& m, std::size_t page, std::size_t bog, std::size_t index) {
  IgPage* p = &m.ics.pages[page];
  IgButton* del = &p->bogs[bog].buttons[index];
  const IgButton gone = *del;
  const std::uint16_t b = gone.buttonId;
  p->bogs[bog].buttons.erase(p->bogs[bog].buttons.begin() + std::ptrdiff_t(index));

  forEachButton(*p, [&](IgButton& x) {
    const std::uint16_t own = x.buttonId;
    const std::array<std::uint16_t*, 4> mine{&x.upper, &x.lower, &x.left, &x.right};
    const std::array<std::uint16_t, 4> theirs{gone.upper, gone.lower, gone.left, gone.right};
    for (std::size_t d = 0; d < 4; ++d) {
      std::uint16_t n = *mine[d];
      // The deleted button's own link in that direction; a link back to the
      // deleted button itself stays on this button.
      if (n == b) n = theirs[d] == b ? own : theirs[d];
      *mine[d] = afterButtonDelete(n, b, n);
    }
    x.buttonId = afterButtonDelete(own, b, own);
    for (NavCommand& c : x.commands) {
      if (!namesButtonOfPage(c, p->pageId)) continue;
      const std::uint16_t ref = std::uint16_t(c.dst & 0xFFFF);
      if (ref == b)
        c = NavCommand{};
      else if (ref > b)
        c.dst = (c.dst & 0xFFFF0000u) | std::uint32_t(ref - 1);
    }
  });

  for (std::size_t gi = 0; gi < p->bogs.size(); ++gi) {
    Bog& g = p->bogs[gi];
    // A BOG whose default was the deleted button shows its first button.
    const std::uint16_t first = gi == bog && !g.buttons.empty() ? g.buttons.front().buttonId : kNoButton;
    g.defaultValidButton = afterButtonDelete(g.defaultValidButton, b, first);
  }
  p->defaultSelectedButton = afterButtonDelete(p->defaultSelectedButton, b, kNoButton);
  p->defaultActivatedButton = afterButtonDelete(p->defaultActivatedButton, b, kNoButton);
  reindex(m, page);
}

}  // namespace

bool deleteButton(IgMenu& m, std::size_t page, std::size_t bog, std::size_t index) {
  Bog* g = bogAt(m, page, bog);
  if (!g || index >= g->buttons.size() || g->buttons.size() < 2) return false;
  removeButton(m, page, bog, index);
  return true;
}

bool deleteBog(IgMenu& m, std::size_t page, std::size_t bog) {
  IgPage* p = pageAt(m, page);
  if (!p || bog >= p->bogs.size() || p->bogs.size() < 2) return false;
  while (!p->bogs[bog].buttons.empty()) removeButton(m, page, bog, p->bogs[bog].buttons.size() - 1);
  p->bogs.erase(p->bogs.begin() + std::ptrdiff_t(bog));
  reindex(m, page);
  return true;
}

bool deletePage(IgMenu& m, std::size_t page) {
  if (page >= m.ics.pages.size() || m.ics.pages.size() < 2) return false;
  const std::uint8_t id = m.ics.pages[page].pageId;
  m.ics.pages.erase(m.ics.pages.begin() + std::ptrdiff_t(page));
  if (page < m.pageButtons.size()) m.pageButtons.erase(m.pageButtons.begin() + std::ptrdiff_t(page));
  for (IgPage& p : m.ics.pages) {
    if (p.pageId > id) --p.pageId;
    forEachButton(p, [&](IgButton& b) {
      for (NavCommand& c : b.commands) {
        if (c.opcode != kSetButtonPageImmPage && c.opcode != kSetButtonPageImmBoth) continue;
        if (!(c.src & kPageFlag)) continue;
        const std::uint8_t ref = std::uint8_t(c.src & 0xFF);
        if (ref == id)
          c = NavCommand{};
        else if (ref > id)
          c.src = (c.src & 0xFFFFFF00u) | std::uint32_t(ref - 1);
      }
    });
  }
  buildAllPageButtons(m);
  return true;
}

std::string objectUses(const IgMenu& m, std::uint16_t object) {
  std::string text;
  for (std::size_t pi = 0; pi < m.ics.pages.size(); ++pi) {
    const IgPage& p = m.ics.pages[pi];
    std::string seqs;
    for (int s = 0; s < 2; ++s) {
      bool used = false;
      for (const Effect& e : p.effects[s].effects)
        for (const CompositionObject& c : e.compObjects) used = used || c.objectId == object;
      if (used) seqs += s == 0 ? 'i' : 'o';
    }
    if (!seqs.empty()) text += std::to_string(pi) + seqs + " ";
    std::string list;
    const auto in = [object](std::uint16_t a, std::uint16_t b) { return a != kNoObjectId && a <= object && object <= b; };
    const std::size_t slots = pi < m.pageButtons.size() ? m.pageButtons[pi].ids.size() : 0;
    for (std::size_t id = 0; id < slots; ++id) {
      const IgButton* b = findButton(m, pi, std::uint16_t(id));
      if (!b) continue;
      std::string letters;
      if (in(b->normalStart, b->normalEnd)) letters += 'n';
      if (in(b->selectedStart, b->selectedEnd)) letters += 's';
      if (in(b->activatedStart, b->activatedEnd)) letters += 'a';
      if (letters.empty()) continue;
      list += (list.empty() ? "" : ",") + std::to_string(id) + letters;
    }
    if (!list.empty()) text += std::to_string(pi) + ":" + list + " ";
  }
  if (!text.empty()) text.pop_back();
  return text;
}

std::string paletteUses(const IgMenu& m, std::uint16_t palette) {
  std::string text;
  for (std::size_t pi = 0; pi < m.ics.pages.size(); ++pi) {
    const IgPage& p = m.ics.pages[pi];
    std::string seqs;
    for (int s = 0; s < 2; ++s) {
      bool used = false;
      for (const Effect& e : p.effects[s].effects) used = used || e.paletteId == palette;
      if (used) seqs += s == 0 ? 'i' : 'o';
    }
    if (!seqs.empty()) text += std::to_string(pi) + seqs + " ";
    if (p.paletteId == palette) text += std::to_string(pi) + " ";
  }
  return text;
}

std::string deleteObjects(IgMenu& m, std::vector<std::size_t> rows) {
  rows = normalRows(std::move(rows), m.objects.size());
  if (rows.empty()) return "No object selected.";
  for (std::size_t r : rows)
    if (!objectUses(m, std::uint16_t(r)).empty()) return "Cannot delete object. Remove all reference first.";
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    m.objects.erase(m.objects.begin() + std::ptrdiff_t(*it));
    if (*it < m.cache.size()) m.cache.erase(m.cache.begin() + std::ptrdiff_t(*it));
  }
  for (std::size_t i = 0; i < m.objects.size(); ++i) m.objects[i].objectId = std::uint16_t(i);
  const auto fix = [&](std::uint16_t& id) {
    if (id != kNoObjectId) id = shifted(id, rows);
  };
  for (IgPage& p : m.ics.pages) {
    forEachButton(p, [&](IgButton& b) {
      for (std::uint16_t* id : {&b.normalStart, &b.normalEnd, &b.selectedStart, &b.selectedEnd,
                                &b.activatedStart, &b.activatedEnd})
        fix(*id);
    });
    forEachCompObject(p, [&](CompositionObject& c) { fix(c.objectId); });
  }
  return "";
}

std::string deletePalettes(IgMenu& m, std::vector<std::size_t> rows) {
  if (m.palettes.size() < 2) return "Cannot delete palette. Remove all objects first.";
  rows = normalRows(std::move(rows), m.palettes.size());
  if (rows.empty()) return "No palette selected.";
  // At least one palette remains.
  if (rows.size() >= m.palettes.size()) return "Cannot delete palette. Remove all objects first.";
  for (std::size_t r : rows)
    if (!paletteUses(m, std::uint16_t(r)).empty()) return "Cannot delete palette. Remove all reference first.";
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    m.palettes.erase(m.palettes.begin() + std::ptrdiff_t(*it));
    for (ObjectCache& c : m.cache)
      if (*it < c.byPalette.size()) c.byPalette.erase(c.byPalette.begin() + std::ptrdiff_t(*it));
  }
  for (std::size_t i = 0; i < m.palettes.size(); ++i) m.palettes[i].paletteId = std::uint16_t(i);
  for (IgPage& p : m.ics.pages) {
    p.paletteId = std::uint8_t(shifted(p.paletteId, rows));
    for (EffectSequence& s : p.effects)
      for (Effect& e : s.effects) e.paletteId = std::uint8_t(shifted(e.paletteId, rows));
  }
  return "";
}

bool insertEffectWindow(IgMenu& m, std::size_t page, int seq) {
  EffectSequence* s = seqAt(m, page, seq);
  if (!s || s->windowCount >= kMaxEffectWindows) return false;
  s->windows[s->windowCount] = EffectWindow{std::uint8_t(s->windowCount), 0, 0, 0, 0};
  ++s->windowCount;
  return true;
}

bool deleteEffectWindow(IgMenu& m, std::size_t page, int seq, std::size_t window) {
  EffectSequence* s = seqAt(m, page, seq);
  if (!s || window >= s->windowCount) return false;
  for (std::size_t i = window; i + 1 < s->windowCount; ++i) s->windows[i] = s->windows[i + 1];
  --s->windowCount;
  s->windows[s->windowCount] = EffectWindow{};
  return true;
}

bool insertEffect(IgMenu& m, std::size_t page, int seq, std::size_t at) {
  EffectSequence* s = seqAt(m, page, seq);
  if (!s || at > s->effects.size() || s->effects.size() >= 255) return false;
  Effect e;
  e.paletteId = m.ics.pages[page].paletteId;
  s->effects.insert(s->effects.begin() + std::ptrdiff_t(at), e);
  return true;
}

bool deleteEffect(IgMenu& m, std::size_t page, int seq, std::size_t effect) {
  EffectSequence* s = seqAt(m, page, seq);
  if (!s || effect >= s->effects.size()) return false;
  s->effects.erase(s->effects.begin() + std::ptrdiff_t(effect));
  return true;
}

bool insertCompObject(IgMenu& m, std::size_t page, int seq, std::size_t effect, const CompositionObject& c) {
  EffectSequence* s = seqAt(m, page, seq);
  if (!s || effect >= s->effects.size() || s->effects[effect].compObjects.size() >= 255) return false;
  if (c.objectId >= m.objects.size()) return false;
  s->effects[effect].compObjects.push_back(c);
  return true;
}

bool deleteCompObject(IgMenu& m, std::size_t page, int seq, std::size_t effect, std::size_t index) {
  EffectSequence* s = seqAt(m, page, seq);
  if (!s || effect >= s->effects.size() || index >= s->effects[effect].compObjects.size()) return false;
  auto& v = s->effects[effect].compObjects;
  v.erase(v.begin() + std::ptrdiff_t(index));
  return true;
}

bool setEffectWindow(IgMenu& m, std::size_t page, int seq, std::size_t window, const EffectWindow& w) {
  EffectSequence* s = seqAt(m, page, seq);
  if (!s || window >= s->windowCount) return false;
  if (std::uint32_t(w.x) + w.width > m.ics.videoWidth || std::uint32_t(w.y) + w.height > m.ics.videoHeight) return false;
  s->windows[window] = w;
  return true;
}

bool setEffect(IgMenu& m, std::size_t page, int seq, std::size_t effect, std::uint32_t duration, std::uint8_t palette) {
  EffectSequence* s = seqAt(m, page, seq);
  if (!s || effect >= s->effects.size() || duration > 0xFFFFFF) return false;
  Effect& e = s->effects[effect];
  if (palette != e.paletteId && palette >= m.palettes.size()) return false;
  e.duration = duration;
  e.paletteId = palette;
  return true;
}

bool setCompObject(IgMenu& m, std::size_t page, int seq, std::size_t effect, std::size_t index, const CompositionObject& c) {
  EffectSequence* s = seqAt(m, page, seq);
  if (!s || effect >= s->effects.size() || index >= s->effects[effect].compObjects.size()) return false;
  CompositionObject& old = s->effects[effect].compObjects[index];
  if (c.objectId != old.objectId && c.objectId >= m.objects.size()) return false;
  if (c.windowId != old.windowId && c.windowId >= s->windowCount) return false;
  if (c.x >= m.ics.videoWidth || c.y >= m.ics.videoHeight) return false;
  if (std::uint32_t(c.cropX) + c.cropWidth > m.ics.videoWidth ||
      std::uint32_t(c.cropY) + c.cropHeight > m.ics.videoHeight)
    return false;
  old = c;
  return true;
}

bool setButtonField(IgMenu& m, std::size_t page, std::size_t bog, std::size_t index, ButtonField f,
                    std::uint32_t value, std::size_t soundCount) {
  IgButton* b = buttonAt(m, page, bog, index);
  if (!b) return false;
  const std::size_t objects = m.objects.size();
  const std::size_t last = indexLength(m, page);
  const auto flag = [](std::uint32_t v) { return std::uint8_t(v ? 1 : 0); };
  const auto start = [&](std::uint16_t& s, std::uint16_t& e) {
    if (value >= objects) return false;
    s = std::uint16_t(value);
    if (e == kNoObjectId || e < s) e = s;
    return true;
  };
  const auto end = [&](std::uint16_t& e) {
    if (value >= objects) return false;
    e = std::uint16_t(value);
    return true;
  };
  const auto neighbour = [&](std::uint16_t& n) {
    if (value >= last) return false;
    n = std::uint16_t(value);
    return true;
  };
  const auto sound = [&](std::uint16_t& s) {
    if (value != 0xFF && value >= soundCount) return false;
    s = std::uint16_t(value);
    return true;
  };
  switch (f) {
    case ButtonField::Value:
      if (value > 0xFFFF) return false;
      b->numericSelectValue = std::uint16_t(value);
      return true;
    case ButtonField::AutoAction: b->autoAction = flag(value); return true;
    case ButtonField::X:
      if (value >= m.ics.videoWidth) return false;
      b->x = std::uint16_t(value);
      return true;
    case ButtonField::Y:
      if (value >= m.ics.videoHeight) return false;
      b->y = std::uint16_t(value);
      return true;
    case ButtonField::Upper: return neighbour(b->upper);
    case ButtonField::Lower: return neighbour(b->lower);
    case ButtonField::Left: return neighbour(b->left);
    case ButtonField::Right: return neighbour(b->right);
    case ButtonField::NormalStart: return start(b->normalStart, b->normalEnd);
    case ButtonField::NormalEnd: return end(b->normalEnd);
    case ButtonField::NormalRepeat: b->normalRepeat = b->normalStart == b->normalEnd ? 0 : flag(value); return true;
    case ButtonField::SelectedSound: return sound(b->selectedSound);
    case ButtonField::SelectedStart: return start(b->selectedStart, b->selectedEnd);
    case ButtonField::SelectedEnd: return end(b->selectedEnd);
    case ButtonField::SelectedRepeat:
      b->selectedRepeat = b->selectedStart == b->selectedEnd ? 0 : flag(value);
      return true;
    case ButtonField::ActivatedSound: return sound(b->activatedSound);
    case ButtonField::ActivatedStart: return start(b->activatedStart, b->activatedEnd);
    case ButtonField::ActivatedEnd: return end(b->activatedEnd);
  }
  return false;
}

bool setButtonCommands(IgMenu& m, std::size_t page, std::size_t bog, std::size_t index, const CommandList& c) {
  IgButton* b = buttonAt(m, page, bog, index);
  if (!b || c.size() > 0xFFFF) return false;
  b->commands = c;
  return true;
}

bool setDefaultValidButton(IgMenu& m, std::size_t page, std::size_t bog, std::uint16_t id) {
  Bog* g = bogAt(m, page, bog);
  if (!g || (id != kNoButton && id >= indexLength(m, page))) return false;
  g->defaultValidButton = id;
  return true;
}

bool stepDefaultValidButton(IgMenu& m, std::size_t page, std::size_t bog) {
  Bog* g = bogAt(m, page, bog);
  if (!g || g->buttons.empty()) return false;
  std::uint16_t& d = g->defaultValidButton;
  const auto it = std::find_if(g->buttons.begin(), g->buttons.end(),
                               [d](const IgButton& b) { return b.buttonId == d; });
  if (it == g->buttons.end())
    d = g->buttons.front().buttonId;
  else if (it + 1 == g->buttons.end())
    d = kNoButton;
  else
    d = (it + 1)->buttonId;
  return true;
}

bool setPageField(IgMenu& m, std::size_t page, PageField f, std::uint32_t value) {
  IgPage* p = pageAt(m, page);
  if (!p) return false;
  const auto byte = [&](std::uint8_t& field) {
    if (value > 0xFF) return false;
    field = std::uint8_t(value);
    return true;
  };
  switch (f) {
    case PageField::PageId: return byte(p->pageId);
    case PageField::Version: return byte(p->pageVersion);
    case PageField::UoMask1: p->uoMask[0] = value; return true;
    case PageField::UoMask2: p->uoMask[1] = value; return true;
    case PageField::AnimationRate: return byte(p->animationFrameRateCode);
    case PageField::DefaultSelected:
      if (value > 0xFFFF) return false;
      p->defaultSelectedButton = std::uint16_t(value);
      return true;
    case PageField::DefaultActivated:
      if (value > 0xFFFF) return false;
      p->defaultActivatedButton = std::uint16_t(value);
      return true;
    case PageField::Palette:
      if (value >= m.palettes.size()) return false;
      p->paletteId = std::uint8_t(value);
      return true;
  }
  return false;
}

bool setCompositionField(IgMenu& m, CompositionField f, std::uint32_t value) {
  InteractiveComposition& c = m.ics;
  switch (f) {
    case CompositionField::Width:
      if (value == 0 || value > 0xFFFF) return false;
      c.videoWidth = std::uint16_t(value);
      return true;
    case CompositionField::Height:
      if (value == 0 || value > 0xFFFF) return false;
      c.videoHeight = std::uint16_t(value);
      // Across 720 lines a player converts the palettes with another matrix.
      reconvertPalettes(m);
      return true;
    case CompositionField::FrameRate:
      if (value > 0x0F) return false;
      c.frameRate = std::uint8_t(value);
      return true;
    case CompositionField::CompositionNumber:
      if (value > 0xFFFF) return false;
      c.compositionNumber = std::uint16_t(value);
      return true;
    case CompositionField::CompositionState:
      if (value > 3) return false;
      c.compositionState = std::uint8_t(value);
      return true;
    case CompositionField::Model:
      if (value > 3) return false;
      c.model = std::uint8_t(value);
      return true;
    case CompositionField::UserTimeout:
      if (value > 0xFFFFFF) return false;
      c.userTimeout = value;
      return true;
    case CompositionField::InTime: m.inTime = value; return true;
  }
  return false;
}

}  // namespace mirdal
