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

TPage* pageAt(TMenu& m, std::size_t page) { return page < m.ics.pages.size() ? &m.ics.pages[page] : nullptr; }

TBOG* bogAt(TMenu& m, std::size_t page, std::size_t bog) {
  TPage* p = pageAt(m, page);
  return p && bog < p->bogs.size() ? &p->bogs[bog] : nullptr;
}

TIGbutton* buttonAt(TMenu& m, std::size_t page, std::size_t bog, std::size_t index) {
  TBOG* g = bogAt(m, page, bog);
  return g && index < g->buttons.size() ? &g->buttons[index] : nullptr;
}

void reindex(TMenu& m, std::size_t page) {
  m.page_buttons.resize(m.ics.pages.size());
  buildPageButtons(m.ics.pages[page], m.page_buttons[page]);
}

std::size_t indexLength(const TMenu& m, std::size_t page) {
  return page < m.page_buttons.size() ? m.page_buttons[page].ids.size() : 0;
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
bool namesButtonOfPage(const TNavCommand& c, std::uint8_t pageId) {
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
void forEachButton(TPage& p, F f) {
  for (TBOG& g : p.bogs)
    for (TIGbutton& b : g.buttons) f(b);
}

template <typename F>
void forEachCompObject(TPage& p, F f) {
  for (Teffectseq& s : p.effects)
    for (Teffect& e : s.effects)
      for (TCompObject& c : e.comp_objects) f(c);
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

Teffectseq* seqAt(TMenu& m, std::size_t page, int seq) {
  TPage* p = pageAt(m, page);
  return p && (seq == 0 || seq == 1) ? &p->effects[seq] : nullptr;
}

}  // namespace

TIGbutton newButton(std::uint16_t id) {
  TIGbutton b;
  b.button_id = id;
  b.numeric_select_value = 0xFFFF;
  b.auto_action = std::uint8_t(ButtonFlag::Off);
  b.upper = b.lower = b.left = b.right = id;
  b.normal_start = b.normal_end = kNoObjectId;
  b.selected_start = b.selected_end = kNoObjectId;
  b.activated_start = b.activated_end = kNoObjectId;
  b.selected_sound = b.activated_sound = 0xFF;
  return b;
}

TPage newPage(std::uint8_t id) {
  TPage p;
  p.page_id = id;
  p.animation_frame_rate_code = 1;
  p.default_selected_button = kNoButton;
  p.default_activated_button = kNoButton;
  return p;
}

TMenu createMenu(std::uint16_t width, std::uint16_t height) {
  TMenu m = newMenu();
  m.ics.video_width = width;
  m.ics.video_height = height;
  m.ics.frame_rate = std::uint8_t(FrameRate::r23_976);
  m.ics.data_length = 67;
  m.ics.model = 3;
  m.ics.user_timeout = 0;
  m.ics.composition_timeout_pts = m.ics.selection_timeout_pts = 0;
  m.has_composition = true;
  // The palette the first page names; it defines no colour yet.
  m.palettes.emplace_back();
  createPage(m);
  return m;
}

bool createPage(TMenu& m) {
  if (m.ics.pages.size() >= kMaxPages) return false;
  m.ics.pages.push_back(newPage(std::uint8_t(m.ics.pages.size())));
  reindex(m, m.ics.pages.size() - 1);
  return createBOG(m, m.ics.pages.size() - 1);
}

bool createBOG(TMenu& m, std::size_t page) {
  TPage* p = pageAt(m, page);
  if (!p || p->bogs.size() >= kMaxBOGs) return false;
  p->bogs.push_back(TBOG{});
  if (!createButton(m, page, p->bogs.size() - 1)) {
    p->bogs.pop_back();
    return false;
  }
  return true;
}

bool createButton(TMenu& m, std::size_t page, std::size_t bog) {
  TBOG* g = bogAt(m, page, bog);
  if (!g || g->buttons.size() >= kMaxButtonsPerBOG) return false;
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
void removeButton(TMenu& m, std::size_t page, std::size_t bog, std::size_t index) {
  TPage* p = &m.ics.pages[page];
  TIGbutton* del = &p->bogs[bog].buttons[index];
  const TIGbutton gone = *del;
  const std::uint16_t b = gone.button_id;
  p->bogs[bog].buttons.erase(p->bogs[bog].buttons.begin() + std::ptrdiff_t(index));

  forEachButton(*p, [&](TIGbutton& x) {
    const std::uint16_t own = x.button_id;
    const std::array<std::uint16_t*, 4> mine{&x.upper, &x.lower, &x.left, &x.right};
    const std::array<std::uint16_t, 4> theirs{gone.upper, gone.lower, gone.left, gone.right};
    for (std::size_t d = 0; d < 4; ++d) {
      std::uint16_t n = *mine[d];
      // The deleted button's own link in that direction; a link back to the
      // deleted button itself stays on this button.
      if (n == b) n = theirs[d] == b ? own : theirs[d];
      *mine[d] = afterButtonDelete(n, b, n);
    }
    x.button_id = afterButtonDelete(own, b, own);
    for (TNavCommand& c : x.commands) {
      if (!namesButtonOfPage(c, p->page_id)) continue;
      const std::uint16_t ref = std::uint16_t(c.dst & 0xFFFF);
      if (ref == b)
        c = TNavCommand{};
      else if (ref > b)
        c.dst = (c.dst & 0xFFFF0000u) | std::uint32_t(ref - 1);
    }
  });

  for (std::size_t gi = 0; gi < p->bogs.size(); ++gi) {
    TBOG& g = p->bogs[gi];
    // A BOG whose default was the deleted button shows its first button.
    const std::uint16_t first = gi == bog && !g.buttons.empty() ? g.buttons.front().button_id : kNoButton;
    g.default_valid_button = afterButtonDelete(g.default_valid_button, b, first);
  }
  p->default_selected_button = afterButtonDelete(p->default_selected_button, b, kNoButton);
  p->default_activated_button = afterButtonDelete(p->default_activated_button, b, kNoButton);
  reindex(m, page);
}

}  // namespace

bool deleteButton(TMenu& m, std::size_t page, std::size_t bog, std::size_t index) {
  TBOG* g = bogAt(m, page, bog);
  if (!g || index >= g->buttons.size() || g->buttons.size() < 2) return false;
  removeButton(m, page, bog, index);
  return true;
}

bool deleteBOG(TMenu& m, std::size_t page, std::size_t bog) {
  TPage* p = pageAt(m, page);
  if (!p || bog >= p->bogs.size() || p->bogs.size() < 2) return false;
  while (!p->bogs[bog].buttons.empty()) removeButton(m, page, bog, p->bogs[bog].buttons.size() - 1);
  p->bogs.erase(p->bogs.begin() + std::ptrdiff_t(bog));
  reindex(m, page);
  return true;
}

bool deletePage(TMenu& m, std::size_t page) {
  if (page >= m.ics.pages.size() || m.ics.pages.size() < 2) return false;
  const std::uint8_t id = m.ics.pages[page].page_id;
  m.ics.pages.erase(m.ics.pages.begin() + std::ptrdiff_t(page));
  if (page < m.page_buttons.size()) m.page_buttons.erase(m.page_buttons.begin() + std::ptrdiff_t(page));
  for (TPage& p : m.ics.pages) {
    if (p.page_id > id) --p.page_id;
    forEachButton(p, [&](TIGbutton& b) {
      for (TNavCommand& c : b.commands) {
        if (c.opcode != kSetButtonPageImmPage && c.opcode != kSetButtonPageImmBoth) continue;
        if (!(c.src & kPageFlag)) continue;
        const std::uint8_t ref = std::uint8_t(c.src & 0xFF);
        if (ref == id)
          c = TNavCommand{};
        else if (ref > id)
          c.src = (c.src & 0xFFFFFF00u) | std::uint32_t(ref - 1);
      }
    });
  }
  buildAllPageButtons(m);
  return true;
}

std::string getobjref(const TMenu& m, std::uint16_t object) {
  std::string text;
  for (std::size_t pi = 0; pi < m.ics.pages.size(); ++pi) {
    const TPage& p = m.ics.pages[pi];
    std::string seqs;
    for (int s = 0; s < 2; ++s) {
      bool used = false;
      for (const Teffect& e : p.effects[s].effects)
        for (const TCompObject& c : e.comp_objects) used = used || c.object_id == object;
      if (used) seqs += s == 0 ? 'i' : 'o';
    }
    if (!seqs.empty()) text += std::to_string(pi) + seqs + " ";
    std::string list;
    const auto in = [object](std::uint16_t a, std::uint16_t b) { return a != kNoObjectId && a <= object && object <= b; };
    const std::size_t slots = pi < m.page_buttons.size() ? m.page_buttons[pi].ids.size() : 0;
    for (std::size_t id = 0; id < slots; ++id) {
      const TIGbutton* b = findButton(m, pi, std::uint16_t(id));
      if (!b) continue;
      std::string letters;
      if (in(b->normal_start, b->normal_end)) letters += 'n';
      if (in(b->selected_start, b->selected_end)) letters += 's';
      if (in(b->activated_start, b->activated_end)) letters += 'a';
      if (letters.empty()) continue;
      list += (list.empty() ? "" : ",") + std::to_string(id) + letters;
    }
    if (!list.empty()) text += std::to_string(pi) + ":" + list + " ";
  }
  if (!text.empty()) text.pop_back();
  return text;
}

std::string getpalref(const TMenu& m, std::uint16_t palette) {
  std::string text;
  for (std::size_t pi = 0; pi < m.ics.pages.size(); ++pi) {
    const TPage& p = m.ics.pages[pi];
    std::string seqs;
    for (int s = 0; s < 2; ++s) {
      bool used = false;
      for (const Teffect& e : p.effects[s].effects) used = used || e.palette_id == palette;
      if (used) seqs += s == 0 ? 'i' : 'o';
    }
    if (!seqs.empty()) text += std::to_string(pi) + seqs + " ";
    if (p.palette_id == palette) text += std::to_string(pi) + " ";
  }
  return text;
}

std::string deleteObjects(TMenu& m, std::vector<std::size_t> rows) {
  rows = normalRows(std::move(rows), m.objects.size());
  if (rows.empty()) return "No object selected.";
  for (std::size_t r : rows)
    if (!getobjref(m, std::uint16_t(r)).empty()) return "Cannot delete object. Remove all reference first.";
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    m.objects.erase(m.objects.begin() + std::ptrdiff_t(*it));
    if (*it < m.cache.size()) m.cache.erase(m.cache.begin() + std::ptrdiff_t(*it));
  }
  for (std::size_t i = 0; i < m.objects.size(); ++i) m.objects[i].object_id = std::uint16_t(i);
  const auto fix = [&](std::uint16_t& id) {
    if (id != kNoObjectId) id = shifted(id, rows);
  };
  for (TPage& p : m.ics.pages) {
    forEachButton(p, [&](TIGbutton& b) {
      for (std::uint16_t* id : {&b.normal_start, &b.normal_end, &b.selected_start, &b.selected_end,
                                &b.activated_start, &b.activated_end})
        fix(*id);
    });
    forEachCompObject(p, [&](TCompObject& c) { fix(c.object_id); });
  }
  return "";
}

std::string deletePalettes(TMenu& m, std::vector<std::size_t> rows) {
  if (m.palettes.size() < 2) return "Cannot delete palette. Remove all objects first.";
  rows = normalRows(std::move(rows), m.palettes.size());
  if (rows.empty()) return "No palette selected.";
  // At least one palette remains.
  if (rows.size() >= m.palettes.size()) return "Cannot delete palette. Remove all objects first.";
  for (std::size_t r : rows)
    if (!getpalref(m, std::uint16_t(r)).empty()) return "Cannot delete palette. Remove all reference first.";
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    m.palettes.erase(m.palettes.begin() + std::ptrdiff_t(*it));
    for (TObjectCache& c : m.cache)
      if (*it < c.byPalette.size()) c.byPalette.erase(c.byPalette.begin() + std::ptrdiff_t(*it));
  }
  for (std::size_t i = 0; i < m.palettes.size(); ++i) m.palettes[i].palette_id = std::uint16_t(i);
  for (TPage& p : m.ics.pages) {
    p.palette_id = std::uint8_t(shifted(p.palette_id, rows));
    for (Teffectseq& s : p.effects)
      for (Teffect& e : s.effects) e.palette_id = std::uint8_t(shifted(e.palette_id, rows));
  }
  return "";
}

bool insertEffectWindow(TMenu& m, std::size_t page, int seq) {
  Teffectseq* s = seqAt(m, page, seq);
  if (!s || s->window_count >= kMaxEffectWindows) return false;
  s->windows[s->window_count] = TEffectWindow{std::uint8_t(s->window_count), 0, 0, 0, 0};
  ++s->window_count;
  return true;
}

bool deleteEffectWindow(TMenu& m, std::size_t page, int seq, std::size_t window) {
  Teffectseq* s = seqAt(m, page, seq);
  if (!s || window >= s->window_count) return false;
  for (std::size_t i = window; i + 1 < s->window_count; ++i) s->windows[i] = s->windows[i + 1];
  --s->window_count;
  s->windows[s->window_count] = TEffectWindow{};
  return true;
}

bool insertEffect(TMenu& m, std::size_t page, int seq, std::size_t at) {
  Teffectseq* s = seqAt(m, page, seq);
  if (!s || at > s->effects.size() || s->effects.size() >= 255) return false;
  Teffect e;
  e.palette_id = m.ics.pages[page].palette_id;
  s->effects.insert(s->effects.begin() + std::ptrdiff_t(at), e);
  return true;
}

bool deleteEffect(TMenu& m, std::size_t page, int seq, std::size_t effect) {
  Teffectseq* s = seqAt(m, page, seq);
  if (!s || effect >= s->effects.size()) return false;
  s->effects.erase(s->effects.begin() + std::ptrdiff_t(effect));
  return true;
}

bool insertCompObject(TMenu& m, std::size_t page, int seq, std::size_t effect, const TCompObject& c) {
  Teffectseq* s = seqAt(m, page, seq);
  if (!s || effect >= s->effects.size() || s->effects[effect].comp_objects.size() >= 255) return false;
  if (c.object_id >= m.objects.size()) return false;
  s->effects[effect].comp_objects.push_back(c);
  return true;
}

bool deleteCompObject(TMenu& m, std::size_t page, int seq, std::size_t effect, std::size_t index) {
  Teffectseq* s = seqAt(m, page, seq);
  if (!s || effect >= s->effects.size() || index >= s->effects[effect].comp_objects.size()) return false;
  auto& v = s->effects[effect].comp_objects;
  v.erase(v.begin() + std::ptrdiff_t(index));
  return true;
}

bool setEffectWindow(TMenu& m, std::size_t page, int seq, std::size_t window, const TEffectWindow& w) {
  Teffectseq* s = seqAt(m, page, seq);
  if (!s || window >= s->window_count) return false;
  if (std::uint32_t(w.x) + w.width > m.ics.video_width || std::uint32_t(w.y) + w.height > m.ics.video_height) return false;
  s->windows[window] = w;
  return true;
}

bool setEffect(TMenu& m, std::size_t page, int seq, std::size_t effect, std::uint32_t duration, std::uint8_t palette) {
  Teffectseq* s = seqAt(m, page, seq);
  if (!s || effect >= s->effects.size() || duration > 0xFFFFFF) return false;
  Teffect& e = s->effects[effect];
  if (palette != e.palette_id && palette >= m.palettes.size()) return false;
  e.duration = duration;
  e.palette_id = palette;
  return true;
}

bool setCompObject(TMenu& m, std::size_t page, int seq, std::size_t effect, std::size_t index, const TCompObject& c) {
  Teffectseq* s = seqAt(m, page, seq);
  if (!s || effect >= s->effects.size() || index >= s->effects[effect].comp_objects.size()) return false;
  TCompObject& old = s->effects[effect].comp_objects[index];
  if (c.object_id != old.object_id && c.object_id >= m.objects.size()) return false;
  if (c.window_id != old.window_id && c.window_id >= s->window_count) return false;
  if (c.x >= m.ics.video_width || c.y >= m.ics.video_height) return false;
  if (std::uint32_t(c.crop_x) + c.crop_width > m.ics.video_width ||
      std::uint32_t(c.crop_y) + c.crop_height > m.ics.video_height)
    return false;
  old = c;
  return true;
}

bool setButtonField(TMenu& m, std::size_t page, std::size_t bog, std::size_t index, ButtonField f,
                    std::uint32_t value, std::size_t soundCount) {
  TIGbutton* b = buttonAt(m, page, bog, index);
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
      b->numeric_select_value = std::uint16_t(value);
      return true;
    case ButtonField::AutoAction: b->auto_action = flag(value); return true;
    case ButtonField::X:
      if (value >= m.ics.video_width) return false;
      b->x = std::uint16_t(value);
      return true;
    case ButtonField::Y:
      if (value >= m.ics.video_height) return false;
      b->y = std::uint16_t(value);
      return true;
    case ButtonField::Upper: return neighbour(b->upper);
    case ButtonField::Lower: return neighbour(b->lower);
    case ButtonField::Left: return neighbour(b->left);
    case ButtonField::Right: return neighbour(b->right);
    case ButtonField::NormalStart: return start(b->normal_start, b->normal_end);
    case ButtonField::NormalEnd: return end(b->normal_end);
    case ButtonField::NormalRepeat: b->normal_repeat = b->normal_start == b->normal_end ? 0 : flag(value); return true;
    case ButtonField::SelectedSound: return sound(b->selected_sound);
    case ButtonField::SelectedStart: return start(b->selected_start, b->selected_end);
    case ButtonField::SelectedEnd: return end(b->selected_end);
    case ButtonField::SelectedRepeat:
      b->selected_repeat = b->selected_start == b->selected_end ? 0 : flag(value);
      return true;
    case ButtonField::ActivatedSound: return sound(b->activated_sound);
    case ButtonField::ActivatedStart: return start(b->activated_start, b->activated_end);
    case ButtonField::ActivatedEnd: return end(b->activated_end);
  }
  return false;
}

bool setButtonCommands(TMenu& m, std::size_t page, std::size_t bog, std::size_t index, const TCommands& c) {
  TIGbutton* b = buttonAt(m, page, bog, index);
  if (!b || c.size() > 0xFFFF) return false;
  b->commands = c;
  return true;
}

bool setDefaultValidButton(TMenu& m, std::size_t page, std::size_t bog, std::uint16_t id) {
  TBOG* g = bogAt(m, page, bog);
  if (!g || (id != kNoButton && id >= indexLength(m, page))) return false;
  g->default_valid_button = id;
  return true;
}

bool stepDefaultValidButton(TMenu& m, std::size_t page, std::size_t bog) {
  TBOG* g = bogAt(m, page, bog);
  if (!g || g->buttons.empty()) return false;
  std::uint16_t& d = g->default_valid_button;
  const auto it = std::find_if(g->buttons.begin(), g->buttons.end(),
                               [d](const TIGbutton& b) { return b.button_id == d; });
  if (it == g->buttons.end())
    d = g->buttons.front().button_id;
  else if (it + 1 == g->buttons.end())
    d = kNoButton;
  else
    d = (it + 1)->button_id;
  return true;
}

bool setPageField(TMenu& m, std::size_t page, PageField f, std::uint32_t value) {
  TPage* p = pageAt(m, page);
  if (!p) return false;
  const auto byte = [&](std::uint8_t& field) {
    if (value > 0xFF) return false;
    field = std::uint8_t(value);
    return true;
  };
  switch (f) {
    case PageField::PageId: return byte(p->page_id);
    case PageField::Version: return byte(p->page_version);
    case PageField::UoMask1: p->uo_mask[0] = value; return true;
    case PageField::UoMask2: p->uo_mask[1] = value; return true;
    case PageField::AnimationRate: return byte(p->animation_frame_rate_code);
    case PageField::DefaultSelected:
      if (value > 0xFFFF) return false;
      p->default_selected_button = std::uint16_t(value);
      return true;
    case PageField::DefaultActivated:
      if (value > 0xFFFF) return false;
      p->default_activated_button = std::uint16_t(value);
      return true;
    case PageField::Palette:
      if (value >= m.palettes.size()) return false;
      p->palette_id = std::uint8_t(value);
      return true;
  }
  return false;
}

bool setCompositionField(TMenu& m, CompositionField f, std::uint32_t value) {
  TIGSc& c = m.ics;
  switch (f) {
    case CompositionField::Width:
      if (value == 0 || value > 0xFFFF) return false;
      c.video_width = std::uint16_t(value);
      return true;
    case CompositionField::Height:
      if (value == 0 || value > 0xFFFF) return false;
      c.video_height = std::uint16_t(value);
      // Across 720 lines a player converts the palettes with another matrix.
      reconvertPalettes(m);
      return true;
    case CompositionField::FrameRate:
      if (value > 0x0F) return false;
      c.frame_rate = std::uint8_t(value);
      return true;
    case CompositionField::CompositionNumber:
      if (value > 0xFFFF) return false;
      c.composition_number = std::uint16_t(value);
      return true;
    case CompositionField::CompositionState:
      if (value > 3) return false;
      c.composition_state = std::uint8_t(value);
      return true;
    case CompositionField::Model:
      if (value > 3) return false;
      c.model = std::uint8_t(value);
      return true;
    case CompositionField::UserTimeout:
      if (value > 0xFFFFFF) return false;
      c.user_timeout = value;
      return true;
    case CompositionField::InTime: m.in_time = value; return true;
  }
  return false;
}

}  // namespace mirdal
