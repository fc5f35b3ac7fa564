// Menu graphics: decoding a full-screen object, and drawing a page's worth of
// objects through a palette with the cache cold and warm.
#include <benchmark/benchmark.h>

#include <random>

#include "menu/colour.h"
#include "menu/rle.h"
#include "tests/support/recording_reporter.h"

namespace {

using namespace mirdal;

// A 1920x1080 picture shaped like a menu page: a transparent frame, panels
// with borders, rows of anti-aliased text (short runs of a few colours).
IndexImage menuLikePage() {
  IndexImage img{1920, 1080, Bytes(1920u * 1080u, 0)};
  std::mt19937 rng(7);
  auto fill = [&](int x, int y, int w, int h, std::uint8_t k) {
    for (int j = y; j < y + h; ++j)
      std::fill_n(img.pixels.begin() + j * 1920 + x, w, k);
  };
  fill(160, 90, 1600, 900, 1);
  fill(160, 90, 1600, 4, 2);
  fill(160, 986, 1600, 4, 2);
  for (int row = 0; row < 12; ++row) {
    const int y = 140 + row * 70;
    fill(240, y, 1440, 56, std::uint8_t(3 + row % 3));
    for (int line = 0; line < 24; ++line)
      for (int x = 300; x < 1500;) {
        const int run = 1 + int(rng() % 6);
        fill(x, y + 16 + line, std::min(run, 1500 - x), 1, std::uint8_t(rng() % 3 ? 3 + row % 3 : 10 + rng() % 6));
        x += run;
      }
  }
  return img;
}

void BM_RleDecodeFullScreen(benchmark::State& state) {
  const IndexImage img = menuLikePage();
  const Bytes code = rleEncodeImage(img);
  for (auto _ : state) {
    IndexImage out = rleDecodeBytes(code.data(), code.size(), img.width, img.height);
    benchmark::DoNotOptimize(out.pixels.data());
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * img.width * img.height);
  state.counters["code_bytes"] = double(code.size());
}
BENCHMARK(BM_RleDecodeFullScreen)->Unit(benchmark::kMillisecond);

void BM_RleEncodeFullScreen(benchmark::State& state) {
  const IndexImage img = menuLikePage();
  for (auto _ : state) benchmark::DoNotOptimize(rleEncodeImage(img));
  state.SetItemsProcessed(std::int64_t(state.iterations()) * img.width * img.height);
}
BENCHMARK(BM_RleEncodeFullScreen)->Unit(benchmark::kMillisecond);

IgMenu pageMenu() {
  IgMenu m;
  IndexImage img = menuLikePage();
  m.objects.resize(1);
  m.objects[0].width = img.width;
  m.objects[0].height = img.height;
  m.objects[0].image = std::move(img);
  m.palettes.resize(1);
  for (int i = 0; i < 256; ++i) m.palettes[0].colours[std::size_t(i)] = {std::uint8_t(i), 10, 20, 200};
  return m;
}

// Cold: every draw converts the page through the palette.
void BM_PageThroughPaletteCold(benchmark::State& state) {
  IgMenu m = pageMenu();
  for (auto _ : state) {
    clearPaletteCache(m, 0);
    benchmark::DoNotOptimize(cachedObjectPicture(m, 0, 0, mirdal::test::testReporter()));
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * 1920 * 1080);
}
BENCHMARK(BM_PageThroughPaletteCold)->Unit(benchmark::kMillisecond);

// Warm: the picture comes from the cache.
void BM_PageThroughPaletteWarm(benchmark::State& state) {
  IgMenu m = pageMenu();
  cachedObjectPicture(m, 0, 0, mirdal::test::testReporter());
  for (auto _ : state) benchmark::DoNotOptimize(cachedObjectPicture(m, 0, 0, mirdal::test::testReporter()));
  state.SetItemsProcessed(std::int64_t(state.iterations()) * 1920 * 1080);
}
BENCHMARK(BM_PageThroughPaletteWarm);

}  // namespace
