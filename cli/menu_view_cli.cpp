#include "cli/menu_view_cli.h"

#include <cstdio>
#include <sstream>

#include "cli/cli_context.h"
#include "cli/file_kinds.h"
#include "cli/menu_cli.h"
#include "core/save.h"
#include "menu/canvas_png.h"
#include "stream/ig_extract.h"

namespace mirdal::cli {

bool loadMenuOrStream(const std::string& path, IgMenu& m) {
  if (isMenuFile(path)) return loadMenuForCli(path, m);
  CaptureReporter capture;
  MenuLoad r;
  {
    r = loadMenuFromStream(path, kDefaultIgPid, m, capture);
  }
  if (r.status != ReadStatus::Ok || capture.errors) {
    capture.replayToStderr();
    return false;
  }
  capture.replayDiagnostics();
  return true;
}

void parseOverlays(const std::string& list, RenderOptions& o) {
  std::stringstream in(list);
  std::string word;
  while (std::getline(in, word, ',')) {
    if (word == "ids") o.buttonId = true;
    else if (word == "objects") o.objectId = true;
    else if (word == "frames") o.buttonFrame = o.windowFrame = true;
    else if (word == "windows") o.windowFrame = true;
    else if (!word.empty()) throw UsageError{"--overlays takes ids, objects, frames and windows: " + word};
  }
}

void setBackground(PageRenderer& r, const std::string& png) {
  if (png.empty()) return drawBackground(r);
  Bytes bytes;
  if (!readFileBytes(png, bytes)) throw UsageError{"cannot read the background picture " + png};
  std::string why;
  const std::optional<Canvas> pic = readCanvasPng(bytes, &why);
  if (!pic) throw UsageError{"the background picture " + png + " is no PNG image (" + why + ")"};
  drawBackground(r, &*pic);
}

bool writePagePng(const std::string& path, const Canvas& c) {
  std::string error;
  if (writeFileAtomic(path, writeCanvasPng(c), &error)) return true;
  std::fprintf(stderr, "mirdal-cli: cannot write %s (%s)\n", path.c_str(), error.c_str());
  return false;
}

std::uint32_t parseNumber(const std::string& text, const char* what) {
  try {
    std::size_t used = 0;
    const unsigned long v = std::stoul(text, &used, 0);
    if (used == text.size() && v <= 0xFFFFFFFFul) return std::uint32_t(v);
  } catch (...) {
  }
  throw UsageError{std::string(what) + " takes a decimal or 0x-prefixed hexadecimal number: " + text};
}

}  // namespace mirdal::cli
