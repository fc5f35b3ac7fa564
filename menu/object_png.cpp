#include "menu/object_png.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

#include "core/report.h"
#include "menu/rle.h"

namespace mirdal {

namespace {

struct MemoryReader {
  const Bytes* data;
  std::size_t pos = 0;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t n) {
  auto* r = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (n > r->data->size() - r->pos) png_error(png, "the image data ends early");
  std::memcpy(out, r->data->data() + r->pos, n);
  r->pos += n;
}

void writeToMemory(png_structp png, png_bytep in, png_size_t n) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), in, in + n);
}

void flushNothing(png_structp) {}

// libpng reports through longjmp; the message is kept for the caller.
void keepError(png_structp png, png_const_charp msg) {
  auto* why = static_cast<std::string*>(png_get_error_ptr(png));
  if (why) *why = msg;
  png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// Every chunk's declared length fits the bytes after it. libpng would
// otherwise allocate what a damaged length claims before finding the data
// missing.
bool chunksFit(const Bytes& data) {
  std::size_t pos = 8;
  while (pos + 12 <= data.size()) {
    const std::size_t length = std::size_t(data[pos]) << 24 | std::size_t(data[pos + 1]) << 16 |
                               std::size_t(data[pos + 2]) << 8 | data[pos + 3];
    if (length > data.size() - pos - 12) return false;
    if (std::memcmp(&data[pos + 4], "IEND", 4) == 0) return true;
    pos += 12 + length;
  }
  return pos == data.size();
}

}  // namespace

bool readPalettePng(const Bytes& data, std::uint32_t maxWidth, std::uint32_t maxHeight, PalettePng& out,
                    std::string* why) {
  std::string error;
  if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) {
    if (why) *why = "not a PNG image";
    return false;
  }
  if (!chunksFit(data)) {
    if (why) *why = "a damaged PNG image (a chunk runs past the end of the file)";
    return false;
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, keepError, ignoreWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  MemoryReader reader{&data};
  // Everything that must outlive a longjmp lives outside this frame's
  // automatic objects that are changed after setjmp.
  std::vector<png_bytep> rows;
  PalettePng result;
  volatile bool ok = false;
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_set_read_fn(png, &reader, readFromMemory);
    png_set_user_limits(png, 65535, 65535);
    png_set_chunk_malloc_max(png, 8u << 20);
    png_read_info(png, info);
    const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    const int colourType = png_get_color_type(png, info), depth = png_get_bit_depth(png, info);
    if (colourType != PNG_COLOR_TYPE_PALETTE || depth != 8) {
      error = "not an 8-bit palette image";
    } else if (w > maxWidth || h > maxHeight) {
      error = "larger than the menu (" + std::to_string(w) + "x" + std::to_string(h) + ")";
    } else {
      png_set_interlace_handling(png);
      png_read_update_info(png, info);
      result.image.width = std::uint16_t(w);
      result.image.height = std::uint16_t(h);
      result.image.pixels.assign(std::size_t(w) * h, 0);
      rows.resize(h);
      for (png_uint_32 y = 0; y < h; ++y) rows[y] = result.image.pixels.data() + std::size_t(y) * w;
      png_read_image(png, rows.data());
      png_colorp plte = nullptr;
      int n = 0;
      if (png_get_PLTE(png, info, &plte, &n) && plte)
        for (int i = 0; i < n && i < 256; ++i) result.colours.push_back({plte[i].red, plte[i].green, plte[i].blue});
      png_bytep trns = nullptr;
      int nt = 0;
      if (png_get_tRNS(png, info, &trns, &nt, nullptr) && trns)
        result.alpha.assign(trns, trns + std::min(nt, 256));
      ok = true;
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  if (ok) out = std::move(result);
  else if (why) *why = error.empty() ? "unreadable PNG" : error;
  return ok;
}

Bytes writePalettePng(const IndexImage& img, const IgPalette& pal, const std::string& software) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, keepError, ignoreWarning);
  if (!png) return {};
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rows(img.height);
  png_color plte[256];
  png_byte trns[256];
  for (std::size_t i = 0; i < 256; ++i) {
    plte[i] = {pal.colours[i].r, pal.colours[i].g, pal.colours[i].b};
    trns[i] = pal.colours[i].t;
  }
  Bytes pixels = img.pixels;
  // The PNG format needs at least one row and one column.
  if (!info || !img.width || !img.height) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, writeToMemory, flushNothing);
  png_set_IHDR(png, info, img.width, img.height, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_PLTE(png, info, plte, 256);
  png_set_tRNS(png, info, trns, 256, nullptr);
  png_text text{};
  text.compression = PNG_TEXT_COMPRESSION_NONE;
  text.key = const_cast<char*>("Software");
  text.text = const_cast<char*>(software.c_str());
  png_set_text(png, info, &text, 1);
  for (std::size_t y = 0; y < img.height; ++y) rows[y] = pixels.data() + y * img.width;
  png_set_rows(png, info, rows.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::optional<ImportResult> importObjectPng(IgMenu& m, const Bytes& data, const ObjectImport& where, Reporter& rep) {
  PalettePng png;
  std::string why;
  if (!readPalettePng(data, m.ics.videoWidth, m.ics.videoHeight, png, &why)) {
    rep.logError("Not supported file format! The image is " + why + ".");
    rep.setStatusError("Not supported file format!");
    return std::nullopt;
  }
  if ((where.replaceObject && *where.replaceObject >= m.objects.size()) ||
      (where.replacePalette && *where.replacePalette >= m.palettes.size())) {
    rep.logError("There is no such object or palette to replace.");
    return std::nullopt;
  }
  Bytes code = rleEncodeImage(png.image);
  if (code.size() > kMaxRleLength) {
    rep.logError("The image needs more run-length code than an object can hold; not imported.");
    return std::nullopt;
  }

  ImportResult r;
  r.object = where.replaceObject.value_or(m.objects.size());
  if (r.object == m.objects.size()) m.objects.emplace_back();
  r.palette = where.replacePalette.value_or(m.palettes.size());
  if (r.palette == m.palettes.size()) m.palettes.emplace_back();
  if (m.cache.size() < m.objects.size()) m.cache.resize(m.objects.size());

  IgObject& o = m.objects[r.object];
  o.objectId = std::uint16_t(r.object);
  o.width = png.image.width;
  o.height = png.image.height;
  o.image = std::move(png.image);
  o.rleLength = std::uint32_t(code.size());
  o.rle = std::move(code);
  o.fragments = {ObjectFragment{0, kFirstFragment | kLastFragment, 0, o.rleLength}};

  const ColourMatrix mx = colourMatrixOf(m);
  IgPalette& p = m.palettes[r.palette];
  p.paletteId = std::uint16_t(r.palette);
  for (std::size_t e = 0; e < 256; ++e) {
    p.colours[e].r = p.colours[e].g = p.colours[e].b = 0;
    p.ycrcb[e] = {};
  }
  // Entry 255 keeps black and its transparency; entries the PNG's colour
  // table does not have stay unused (all zero) so that they are not written.
  for (std::size_t e = 0; e < 255; ++e) {
    if (e >= png.colours.size()) {
      p.colours[e].t = 0;
      continue;
    }
    const PaletteRgb c = png.colours[e];
    p.colours[e] = {c.r, c.g, c.b, e < png.alpha.size() ? png.alpha[e] : std::uint8_t(255)};
    p.ycrcb[e] = rgbToYCrCb(c, mx);
  }
  clearObjectCache(m, r.object);
  clearPaletteCache(m, r.palette);
  return r;
}

Bytes exportObjectPng(IgMenu& m, std::size_t object, std::size_t palette, const std::string& software, Reporter& rep) {
  if (object >= m.objects.size() || palette >= m.palettes.size()) return {};
  if (!m.objects[object].image && !decodeObject(m, object, rep)) return {};
  return writePalettePng(*m.objects[object].image, m.palettes[palette], software);
}

}  // namespace mirdal
