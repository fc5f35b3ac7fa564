#include "menu/palette_import.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>

#include "menu/colour.h"

namespace mirdal {

namespace {

std::string lowerExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return ext;
}

// The number in <name>...</name> inside block, when there is one in 0..255.
std::optional<std::uint8_t> element(std::string_view block, const std::string& name) {
  const std::string open = "<" + name + ">";
  const std::size_t at = block.find(open);
  if (at == std::string_view::npos) return std::nullopt;
  std::size_t i = at + open.size();
  while (i < block.size() && (block[i] == ' ' || block[i] == '\t')) ++i;
  unsigned v = 0;
  std::size_t digits = 0;
  for (; i < block.size() && std::isdigit(static_cast<unsigned char>(block[i])) && digits < 4; ++i, ++digits)
    v = v * 10 + unsigned(block[i] - '0');
  if (digits == 0 || v > 255) return std::nullopt;
  return std::uint8_t(v);
}

bool readPxml(const Bytes& data, ColourMatrix mx, IgPalette& out, std::string* why) {
  const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
  if (text.find("<PaletteDefinition") == std::string_view::npos) {
    if (why) *why = "it has no PaletteDefinition";
    return false;
  }
  const std::string_view head = "<PaletteData";
  std::size_t pos = text.find(head);
  int entries = 0;
  while (pos != std::string_view::npos) {
    const std::size_t next = text.find(head, pos + head.size());
    const std::size_t end = std::min(text.find("</PaletteData>", pos), next);
    const std::string_view block = text.substr(pos, end == std::string_view::npos ? text.size() - pos : end - pos);
    pos = next;
    const std::size_t idAt = block.find("PaletteEntryId=\"");
    if (idAt == std::string_view::npos) continue;
    unsigned id = 0;
    std::size_t i = idAt + 16, digits = 0;
    for (; i < block.size() && std::isdigit(static_cast<unsigned char>(block[i])) && digits < 4; ++i, ++digits)
      id = id * 10 + unsigned(block[i] - '0');
    if (digits == 0 || id > 255) continue;
    const auto r = element(block, "R"), g = element(block, "G"), b = element(block, "B");
    const auto y = element(block, "Y"), cr = element(block, "Cr"), cb = element(block, "Cb");
    const bool rgb = r && g && b, ycc = y && cr && cb;
    if (!rgb && !ycc) continue;
    Rgba& c = out.colours[id];
    YCrCb& yc = out.ycrcb[id];
    if (rgb) c.r = *r, c.g = *g, c.b = *b;
    if (ycc) yc = {*y, *cr, *cb};
    if (!rgb) {
      const PaletteRgb conv = yCrCbToRgb(yc, mx);
      c.r = conv.r, c.g = conv.g, c.b = conv.b;
    }
    if (!ycc) yc = rgbToYCrCb(PaletteRgb{c.r, c.g, c.b}, mx);
    c.t = element(block, "T").value_or(255);
    ++entries;
  }
  if (entries == 0) {
    if (why) *why = "it defines no palette entry";
    return false;
  }
  return true;
}

bool readAct(const Bytes& data, ColourMatrix mx, IgPalette& out, std::string* why) {
  if (data.size() != 768 && data.size() != 772) {
    if (why) *why = "an Adobe colour table is 768 or 772 bytes long, this one " + std::to_string(data.size());
    return false;
  }
  for (std::size_t e = 0; e < 256; ++e) {
    const PaletteRgb c{data[e * 3], data[e * 3 + 1], data[e * 3 + 2]};
    out.colours[e] = {c.r, c.g, c.b, 255};
    out.ycrcb[e] = rgbToYCrCb(c, mx);
  }
  if (data.size() == 772) {
    const std::size_t transparent = std::size_t(data[770]) << 8 | data[771];
    if (transparent < 256) out.colours[transparent].t = 0;
  }
  return true;
}

}  // namespace

bool readPaletteFile(const Bytes& data, const std::string& path, ColourMatrix mx, IgPalette& out, std::string* why) {
  out = IgPalette{};
  const std::string ext = lowerExtension(path);
  if (ext == ".pxml") return readPxml(data, mx, out, why);
  if (ext == ".act") return readAct(data, mx, out, why);
  if (why) *why = "a palette file ends in .pxml or .act";
  return false;
}

std::optional<std::size_t> putPalette(IgMenu& m, IgPalette pal, std::optional<std::size_t> replace) {
  if (replace && *replace >= m.palettes.size()) return std::nullopt;
  if (!replace && m.palettes.size() >= 256) return std::nullopt;
  const std::size_t at = replace.value_or(m.palettes.size());
  pal.paletteId = std::uint16_t(at);
  if (replace) {
    m.palettes[at] = std::move(pal);
    clearPaletteCache(m, at);
  } else {
    m.palettes.push_back(std::move(pal));
  }
  return at;
}

}  // namespace mirdal
