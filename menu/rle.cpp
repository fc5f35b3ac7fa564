#include "menu/rle.h"

#include <algorithm>
#include <cstring>

#include "core/report.h"

namespace mirdal {

namespace {

// Bytes behind the data read as 0; a code is at most four bytes long, so
// four zero bytes of padding let the loop read without a bounds check.
constexpr std::size_t kPadding = 4;

class Decoder {
 public:
  Decoder(IndexImage& img, std::vector<ShortLine>* shortLines)
      : w_(img.width), h_(img.height), pix_(img.pixels.data()), shortLines_(shortLines) {}

  void run(const std::uint8_t* p, const std::uint8_t* end) {
    std::uint8_t* row = pix_;
    while (p < end && y_ < h_) {
      const std::uint8_t b = *p++;
      if (b) {
        if (x_ < w_) row[x_] = b;
        if (++x_ > w_) row = nextLine();
        continue;
      }
      const std::uint8_t c = *p++;
      if (!c) {
        if (x_ < w_ && shortLines_) shortLines_->push_back({x_, y_});
        row = nextLine();
        continue;
      }
      std::uint32_t len = c & 0x3F;
      if (c & 0x40) len = (len << 8) | *p++;
      const std::uint8_t colour = (c & 0x80) ? *p++ : 0;
      if (len == 0) {
        // Pixels start at 0 and each is written at most once, so a run of
        // colour 0 needs no store.
        if (colour && x_ < w_) std::memset(row + x_, colour, w_ - x_);
        row = nextLine();
        continue;
      }
      if (colour && x_ < w_) std::memset(row + x_, colour, std::min<std::uint32_t>(len, w_ - x_));
      x_ += len;
      if (x_ > w_) row = nextLine();
    }
  }

 private:
  std::uint8_t* nextLine() {
    x_ = 0;
    ++y_;
    return pix_ + std::size_t(y_) * w_;
  }

  std::uint32_t w_, h_;
  std::uint8_t* pix_;
  std::vector<ShortLine>* shortLines_;
  std::uint32_t x_ = 0, y_ = 0;
};

void putRun(Bytes& out, std::uint8_t k, std::uint32_t n) {
  if (k && n < 3) {
    out.push_back(k);
    if (n == 2) out.push_back(k);
    return;
  }
  out.push_back(0);
  const std::uint8_t colourBit = k ? 0x80 : 0;
  if (n <= 63) {
    out.push_back(std::uint8_t(colourBit | n));
  } else {
    out.push_back(std::uint8_t(colourBit | 0x40 | (n >> 8)));
    out.push_back(std::uint8_t(n));
  }
  if (k) out.push_back(k);
}

}  // namespace

IndexImage rleDecodeBytes(const std::uint8_t* data, std::size_t size, std::uint16_t width,
                          std::uint16_t height, std::vector<ShortLine>* shortLines) {
  IndexImage img;
  img.width = width;
  img.height = height;
  img.pixels.assign(std::size_t(width) * height, 0);
  Bytes padded(data, data + size);
  padded.resize(size + kPadding, 0);
  Decoder(img, shortLines).run(padded.data(), padded.data() + size);
  return img;
}

bool decodeObject(IgMenu& m, std::size_t index, Reporter& rep) {
  if (index >= m.objects.size()) return false;
  IgObject& o = m.objects[index];
  if (tooLargeToDecode(o)) {
    rep.logError("Object " + std::to_string(index) + " declares " + std::to_string(o.width) + "x" +
                 std::to_string(o.height) + " pixels, more than a menu object can have; it is not decoded.");
    return false;
  }
  // The declared length bounds the data; fragments that brought less give
  // only what they brought.
  const std::size_t size = std::min<std::size_t>(o.rleLength, o.rle.size());
  std::vector<ShortLine> shortLines;
  o.image = rleDecodeBytes(o.rle.data(), size, o.width, o.height, &shortLines);
  for (const ShortLine& s : shortLines) rep.log(std::to_string(s.x) + "," + std::to_string(s.y));
  return true;
}

Bytes rleEncodeImage(const IndexImage& img) {
  Bytes out;
  out.reserve(img.pixels.size() / 4 + std::size_t(img.height) * 2 + 16);
  const std::size_t w = img.width;
  for (std::size_t y = 0; y < img.height; ++y) {
    const std::uint8_t* row = img.pixels.data() + y * w;
    std::size_t x = 0;
    while (x < w) {
      const std::uint8_t k = row[x];
      std::size_t e = x + 1;
      while (e < w && row[e] == k) ++e;
      std::size_t n = e - x;
      for (; n > kMaxRunLength; n -= kMaxRunLength) putRun(out, k, kMaxRunLength);
      putRun(out, k, std::uint32_t(n));
      x = e;
    }
    out.push_back(0);
    out.push_back(0);
  }
  return out;
}

bool encodeObject(IgMenu& m, std::size_t index, Bytes& out, Reporter& rep) {
  if (index >= m.objects.size()) return false;
  IgObject& o = m.objects[index];
  if (!o.image && !decodeObject(m, index, rep)) return false;
  if (o.image->pixels.size() != std::size_t(o.image->width) * o.image->height) {
    rep.logError("Object " + std::to_string(index) + " has a picture of the wrong size; not encoded.");
    return false;
  }
  out = rleEncodeImage(*o.image);
  if (out.size() > kMaxRleLength) {
    rep.logError("Object " + std::to_string(index) + " needs " + std::to_string(out.size()) +
             " bytes of run-length code, more than the stream's length field can hold (" +
             std::to_string(kMaxRleLength) + "); not encoded.");
    out.clear();
    return false;
  }
  return true;
}

}  // namespace mirdal
