// The page renderer: a full 1920x1080 page with 24 buttons drawn with the
// object cache cold and warm, and one animation step of one button.
#include <benchmark/benchmark.h>

#include "menu/page_render.h"

namespace {

using namespace mirdal;

// 24 buttons of 360 x 90 in four columns; normal states animate over two
// objects, the selected state has its own object.
IgMenu pageMenu() {
  IgMenu m = newMenu();
  IgPalette pal;
  for (int i = 1; i < 256; ++i) pal.colours[std::size_t(i)] = {std::uint8_t(i), std::uint8_t(255 - i), 128, 200};
  m.palettes.push_back(pal);
  for (int k = 0; k < 3; ++k) {
    IgObject o;
    o.width = 360;
    o.height = 90;
    IndexImage img{360, 90, Bytes(360u * 90u)};
    for (std::size_t i = 0; i < img.pixels.size(); ++i) img.pixels[i] = std::uint8_t((i * 7 + std::size_t(k) * 31) % 255 + 1);
    o.image = img;
    o.objectId = std::uint16_t(k);
    m.objects.push_back(o);
  }
  IgPage p;
  p.animationFrameRateCode = 1;
  for (int i = 0; i < 24; ++i) {
    IgButton b;
    b.buttonId = std::uint16_t(i);
    b.x = std::uint16_t(120 + (i % 4) * 420);
    b.y = std::uint16_t(100 + (i / 4) * 150);
    b.normalStart = 0;
    b.normalEnd = 1;
    b.normalRepeat = 1;
    b.selectedStart = b.selectedEnd = 2;
    Bog g;
    g.defaultValidButton = b.buttonId;
    g.buttons.push_back(b);
    p.bogs.push_back(g);
  }
  p.defaultSelectedButton = 0;
  m.ics.pages.push_back(p);
  buildAllPageButtons(m);
  return m;
}

void BM_DrawPageCold(benchmark::State& state) {
  IgMenu m = pageMenu();
  PageRenderer r;
  r.menu = &m;
  drawBackground(r);
  resetButtonStates(r, 0);
  for (auto _ : state) {
    m.cache.clear();
    drawPage(r, 0);
    r.dirty.clear();
    benchmark::DoNotOptimize(r.picture.rgba.data());
  }
}
BENCHMARK(BM_DrawPageCold)->Unit(benchmark::kMillisecond);

void BM_DrawPageWarm(benchmark::State& state) {
  IgMenu m = pageMenu();
  PageRenderer r;
  r.menu = &m;
  drawBackground(r);
  resetButtonStates(r, 0);
  drawPage(r, 0);
  for (auto _ : state) {
    drawPage(r, 0);
    r.dirty.clear();
    benchmark::DoNotOptimize(r.picture.rgba.data());
  }
}
BENCHMARK(BM_DrawPageWarm)->Unit(benchmark::kMillisecond);

void BM_AnimationStep(benchmark::State& state) {
  IgMenu m = pageMenu();
  PageRenderer r;
  r.menu = &m;
  drawBackground(r);
  resetButtonStates(r, 0);
  drawPage(r, 0);
  for (auto _ : state) {
    drawButtonStep(r, 5, ButtonLook::Normal);
    r.dirty.clear();
    benchmark::DoNotOptimize(r.picture.rgba.data());
  }
}
BENCHMARK(BM_AnimationStep)->Unit(benchmark::kMicrosecond);

}  // namespace
