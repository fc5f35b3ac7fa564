// The shared key rule of the numeric fields: which key presses reach the
// field and which are swallowed with the exclamation sound.
#pragma once

#include <QKeyEvent>
#include <functional>

namespace mirdal::gui {

enum class KeyVerdict { Pass, Swallow };

// Keys that type no character (arrows, Home, Delete, Tab, function keys),
// shortcuts with Ctrl, Backspace and Enter always pass; a typed character
// passes when `allowed` accepts it and is swallowed otherwise.
KeyVerdict filterKey(const QKeyEvent* e, const std::function<bool(QChar)>& allowed);

// Swallows a refused key press: the exclamation sound, nothing typed.
void refuseKey(QKeyEvent* e);

}  // namespace mirdal::gui
