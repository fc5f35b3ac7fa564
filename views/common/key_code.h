// The number a key press shows on the status line (the command grid and the
// menu's page view report every key this way). Keys that type no character
// get the virtual key codes users of other disc tools know (Insert 45,
// Delete 46, arrows 37-40, F1 112, ...); letters and digits their upper-case
// character code.
#pragma once

class QKeyEvent;

namespace mirdal::gui {

int keyCodeOf(const QKeyEvent* e);

}  // namespace mirdal::gui
