// A random menu driven by random keys and clock steps: loading, drawing and
// the emulation never fault, hang or draw outside the page.
#include <cstddef>
#include <cstdint>

#include "core/options.h"
#include "core/report.h"
#include "fuzz_check.h"
#include "menu/igs_read.h"
#include "menu/menu_emulation.h"
#include "menu/page_interaction.h"
#include "tests/support/recording_reporter.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first byte says how many bytes at the end are keys.
  const std::size_t keys = std::min<std::size_t>(data[0], size - 1);
  const Bytes in(data + 1, data + size - keys);
  IgMenu m;
  if (parseMnu(in, m, mirdal::test::testReporter()).status != ReadStatus::Ok || m.ics.pages.empty()) return 0;
  std::size_t pixels = 0;
  for (const IgObject& o : m.objects) pixels += std::size_t(o.width) * o.height;
  if (pixels > (4u << 20)) return 0;

  static PageRenderer r;  // the background is built once
  r.menu = &m;
  r.logged.clear();
  r.dirty.clear();
  if (r.background.rgba.empty()) drawBackground(r);
  Registers regs;
  resetRegisters(regs, Options{});
  regs.psr[kPsrMenuPage] = 0;
  RunState run;
  run.rng.seed(1);
  MenuEmulator emu(m, regs, run, mirdal::test::testReporter(), &r);
  emu.options.maxSteps = 2000;
  std::uint64_t now = 0;
  emu.start(now);
  for (std::size_t i = size - keys; i < size; ++i) {
    const std::uint8_t k = data[i];
    if (k % 8 < 5) emu.key(MenuKey(k % 8), now += 40);
    else if (k % 8 == 5) emu.advance(now += std::uint64_t(k) * 50);
    else if (k % 8 == 6) dragMove(m, emu.page(), emu.states(), k >> 3, regs.psr[kPsrSelectedButton], {0, 0},
                                  {int(k) - 128, int(k) % 17 - 8}, DragMode(k % 5), 15);
    else if (k & 0x80) hoverKey(m, emu.page(), regs.psr[kPsrSelectedButton], {k * 7, k * 4});
    else if (k & 0x40) emu.selectButton(std::uint16_t((k >> 3) & 7), now += 10);
    else if (k & 0x20) emu.skipEffects();
    else {
      run.trace = !run.trace;  // a trace step of the button last shown
      emu.continueTrace(std::uint16_t(regs.psr[kPsrSelectedButton]), now += 10);
    }
    emu.events().clear();
  }
  FUZZ_CHECK(r.picture.width == 1920 && r.picture.height == 1080);
  FUZZ_CHECK(r.picture.rgba.size() == 1920u * 1080u * 4u);
  r.menu = nullptr;
  return 0;
}
