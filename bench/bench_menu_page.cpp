// The page renderer: a full 1920x1080 page with 24 buttons drawn with the
// object cache cold and warm, and one animation step of one button.
#include <benchmark/benchmark.h>

#include "menu/page_render.h"

namespace {

using namespace mirdal;

// 24 buttons of 360 x 90 in four columns; normal states animate over two
// objects, the selected state has its own object.
TMenu pageMenu() {
  TMenu m = newMenu();
  TIGpalette pal;
  for (int i = 1; i < 256; ++i) pal.colours[std::size_t(i)] = {std::uint8_t(i), std::uint8_t(255 - i), 128, 200};
  m.palettes.push_back(pal);
  for (int k = 0; k < 3; ++k) {
    TIGobject o;
    o.width = 360;
    o.height = 90;
    IndexImage img{360, 90, Bytes(360u * 90u)};
    for (std::size_t i = 0; i < img.pixels.size(); ++i) img.pixels[i] = std::uint8_t((i * 7 + std::size_t(k) * 31) % 255 + 1);
    o.image = img;
    o.object_id = std::uint16_t(k);
    m.objects.push_back(o);
  }
  TPage p;
  p.animation_frame_rate_code = 1;
  for (int i = 0; i < 24; ++i) {
    TIGbutton b;
    b.button_id = std::uint16_t(i);
    b.x = std::uint16_t(120 + (i % 4) * 420);
    b.y = std::uint16_t(100 + (i / 4) * 150);
    b.normal_start = 0;
    b.normal_end = 1;
    b.normal_repeat = 1;
    b.selected_start = b.selected_end = 2;
    TBOG g;
    g.default_valid_button = b.button_id;
    g.buttons.push_back(b);
    p.bogs.push_back(g);
  }
  p.default_selected_button = 0;
  m.ics.pages.push_back(p);
  buildAllPageButtons(m);
  return m;
}

void BM_DrawPageCold(benchmark::State& state) {
  TMenu m = pageMenu();
  PageRenderer r;
  r.menu = &m;
  backchange(r);
  SetButtonStates(r, 0);
  for (auto _ : state) {
    m.cache.clear();
    DrawPage(r, 0);
    r.dirty.clear();
    benchmark::DoNotOptimize(r.picture.rgba.data());
  }
}
BENCHMARK(BM_DrawPageCold)->Unit(benchmark::kMillisecond);

void BM_DrawPageWarm(benchmark::State& state) {
  TMenu m = pageMenu();
  PageRenderer r;
  r.menu = &m;
  backchange(r);
  SetButtonStates(r, 0);
  DrawPage(r, 0);
  for (auto _ : state) {
    DrawPage(r, 0);
    r.dirty.clear();
    benchmark::DoNotOptimize(r.picture.rgba.data());
  }
}
BENCHMARK(BM_DrawPageWarm)->Unit(benchmark::kMillisecond);

void BM_AnimationStep(benchmark::State& state) {
  TMenu m = pageMenu();
  PageRenderer r;
  r.menu = &m;
  backchange(r);
  SetButtonStates(r, 0);
  DrawPage(r, 0);
  for (auto _ : state) {
    DrawButtonStep(r, 5, ButtonLook::Normal);
    r.dirty.clear();
    benchmark::DoNotOptimize(r.picture.rgba.data());
  }
}
BENCHMARK(BM_AnimationStep)->Unit(benchmark::kMicrosecond);

}  // namespace
