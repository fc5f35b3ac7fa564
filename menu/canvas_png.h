// Page pictures as true-colour PNG files with alpha, and a chosen
// background picture read from one.
#pragma once

#include <optional>
#include <string>

#include "core/fields.h"
#include "menu/page_render.h"

namespace mirdal {

Bytes writeCanvasPng(const Canvas& c);
// Any PNG libpng reads, converted to RGBA; nothing (with why) on failure.
std::optional<Canvas> readCanvasPng(const Bytes& png, std::string* why = nullptr);

}  // namespace mirdal
