// Shared by render and play: a menu from a .mnu or a stream file, a page
// renderer set up from the command line, and writing the page picture.
#pragma once

#include <string>

#include "menu/igs_model.h"
#include "menu/page_render.h"

namespace mirdal::cli {

// Loads a .mnu file, or the IG stream (PID 0x1400) of any other file.
bool loadMenuOrStream(const std::string& path, IgMenu& m);

// "ids,objects,frames,windows" (any subset, comma separated) into the
// overlay switches; throws UsageError for an unknown word.
void parseOverlays(const std::string& list, RenderOptions& o);

// Builds the background: the chosen PNG, or the built-in picture when the
// path is empty. Throws UsageError when the chosen picture cannot be read.
void setBackground(PageRenderer& r, const std::string& png);

// Writes the page picture as a PNG; false (told on stderr) on failure.
bool writePagePng(const std::string& path, const Canvas& c);

// "0x12", "0012h" style texts are not needed: decimal or 0x-prefixed hex.
std::uint32_t parseNumber(const std::string& text, const char* what);

}  // namespace mirdal::cli
