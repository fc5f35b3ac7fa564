// The rules of the effect editors' grids: what a typed cell of a window, an
// effect or a composition object row makes of the row. Each returns the row
// as it would be stored, or nothing when the text is not a number of the
// cell's kind (the edit is then ignored). A value past a 16-bit coordinate
// leaves that coordinate as it was; a window id past 255 becomes 255.
#pragma once

#include <optional>
#include <string_view>

#include "menu/igs_model.h"

namespace mirdal {

// Columns: 0 window id, 1 x, 2 y, 3 width, 4 height (decimal).
std::optional<EffectWindow> editedWindow(EffectWindow w, int column, std::string_view text);
// Columns: 1 duration "h:mm:ss.zzz", 2 palette id (two hexadecimal digits).
std::optional<Effect> editedEffect(Effect e, int column, std::string_view text);
// Columns: 1 object id (four hexadecimal digits), 2 window id (two), 3 x,
// 4 y (decimal).
std::optional<CompositionObject> editedCompObject(CompositionObject c, int column, std::string_view text);

}  // namespace mirdal
