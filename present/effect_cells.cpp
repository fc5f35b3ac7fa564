#include "present/effect_cells.h"

#include <algorithm>

#include "present/menu_cells.h"
#include "present/number_text.h"

namespace mirdal {

std::optional<EffectWindow> editedWindow(EffectWindow w, int column, std::string_view text) {
  const auto v = unsignedOfText(text);
  if (!v) return std::nullopt;
  if (column == 0) w.windowId = std::uint8_t(std::min(*v, 255u));
  else if (*v <= 0xFFFF) (column == 1 ? w.x : column == 2 ? w.y : column == 3 ? w.width : w.height) = std::uint16_t(*v);
  return w;
}

std::optional<Effect> editedEffect(Effect e, int column, std::string_view text) {
  std::int64_t duration = e.duration;
  std::int64_t palette = e.paletteId;
  if (column == 1) duration = effectTicks(text);
  if (column == 2) palette = text.size() == 2 ? std::int64_t(unsignedOfText(text, 16).value_or(0)) : -1;
  if (duration < 0 || duration > kMaxEffectDuration || palette < 0 || palette > kMaxPaletteId) return std::nullopt;
  e.duration = std::uint32_t(duration);
  e.paletteId = std::uint8_t(palette);
  return e;
}

std::optional<CompositionObject> editedCompObject(CompositionObject c, int column, std::string_view text) {
  const auto v = unsignedOfText(text, column <= 2 ? 16 : 10);
  const std::size_t digits = column == 1 ? 4 : column == 2 ? 2 : 0;
  if (!v || (digits != 0 && text.size() != digits)) return std::nullopt;
  if (column == 1) c.objectId = std::uint16_t(*v);
  else if (column == 2) c.windowId = std::uint8_t(*v);
  else if (*v <= 0xFFFF) (column == 3 ? c.x : c.y) = std::uint16_t(*v);
  return c;
}

}  // namespace mirdal
