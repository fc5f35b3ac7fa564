#include "menu/canvas_png.h"

#include <png.h>

#include <cstring>

namespace mirdal {

Bytes writeCanvasPng(const Canvas& c) {
  Bytes out;
  if (c.width <= 0 || c.height <= 0) return out;
  png_image img;
  std::memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  img.width = png_uint_32(c.width);
  img.height = png_uint_32(c.height);
  img.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(img, size, 0, c.rgba.data(), 0, nullptr)) return {};
  out.resize(size);
  if (!png_image_write_to_memory(&img, out.data(), &size, 0, c.rgba.data(), 0, nullptr)) return {};
  out.resize(size);
  return out;
}

std::optional<Canvas> readCanvasPng(const Bytes& png, std::string* why) {
  png_image img;
  std::memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&img, png.data(), png.size())) {
    if (why) *why = img.message;
    return std::nullopt;
  }
  if (img.width > 8192 || img.height > 8192) {
    png_image_free(&img);
    if (why) *why = "the picture is larger than 8192 x 8192";
    return std::nullopt;
  }
  img.format = PNG_FORMAT_RGBA;
  Canvas c;
  c.width = int(img.width);
  c.height = int(img.height);
  c.rgba.resize(PNG_IMAGE_SIZE(img));
  if (!png_image_finish_read(&img, nullptr, c.rgba.data(), 0, nullptr)) {
    if (why) *why = img.message;
    png_image_free(&img);
    return std::nullopt;
  }
  return c;
}

}  // namespace mirdal
