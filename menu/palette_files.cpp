#include "menu/palette_files.h"

#include <filesystem>

namespace mirdal {

namespace {

void line(std::string& out, const std::string& text) { out += text + "\r\n"; }

std::string element(const char* name, int value) {
  return std::string("    <") + name + ">" + std::to_string(value) + "</" + name + ">";
}

}  // namespace

Bytes paletteToPxml(const IgPalette& pal) {
  std::string s;
  line(s, "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>");
  line(s, "<PaletteDefinition UseForm=\"YCrCb\">");
  for (int n = 0; n < 256; ++n) {
    const Rgba& c = pal.colours[std::size_t(n)];
    const YCrCb& y = pal.ycrcb[std::size_t(n)];
    line(s, "");
    line(s, "  <PaletteData PaletteEntryId=\"" + std::to_string(n) + "\" UseForm=\"YCrCb\">");
    line(s, element("R", c.r));
    line(s, element("G", c.g));
    line(s, element("B", c.b));
    line(s, element("T", c.t));
    line(s, element("Y", y.y));
    line(s, element("Cr", y.cr));
    line(s, element("Cb", y.cb));
    line(s, "  </PaletteData>");
  }
  line(s, "");
  line(s, "</PaletteDefinition>");
  return Bytes(s.begin(), s.end());
}

Bytes paletteToAct(const IgPalette& pal) {
  Bytes out;
  out.reserve(768);
  for (const Rgba& c : pal.colours) {
    out.push_back(c.r);
    out.push_back(c.g);
    out.push_back(c.b);
  }
  return out;
}

Bytes paletteFile(const IgPalette& pal, const std::string& path) {
  const std::string ext = std::filesystem::path(path).extension().string();
  if (ext == ".pxml") return paletteToPxml(pal);
  if (ext == ".act") return paletteToAct(pal);
  return {};
}

}  // namespace mirdal
