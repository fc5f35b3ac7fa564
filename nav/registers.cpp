#include "nav/registers.h"


#include "core/display_text.h"
#include "core/report.h"
#include "nav/command_fields.h"
#include "nav/command_text.h"
#include "nav/psr_names.h"

namespace mirdal {

void resetRegisters(Registers& regs, const Options& options) {
  regs.psr.fill(0);
  regs.gpr.fill(0);
  auto& p = regs.psr;
  if (options.realPsrs) {
    p[0] = 1, p[1] = 1, p[2] = 0x0FFF0001, p[3] = 1, p[4] = 0, p[5] = 1;
  } else {
    p[0] = 1, p[1] = 0xFF, p[2] = 0x0FFF0FFF, p[3] = 1, p[4] = 0xFFFF, p[5] = 0xFFFF;
  }
  p[8] = 0xFFFFFFFF;
  p[10] = 0xFFFF;
  p[12] = 0xFF;
  p[14] = 0xFFFF;
  p[15] = 0xAA;
  p[16] = p[17] = p[18] = 0x656E67;  // "eng"
  p[19] = options.countryCode & 0xFFFF;
  p[20] = 1u << (options.region >= 0 && options.region <= 2 ? options.region : 0);
  p[29] = 3;
  p[30] = 0x1F0F8;
  p[31] = 0x30200;
  p[43] = 0xFFFF;
  p[48] = p[49] = p[50] = 0xFFFFFFFF;
  p[61] = 0xFFFF0000;
}

namespace {

std::string entry(const char* kind, std::size_t n, std::uint32_t v) {
  return "[b]" + std::string(kind) + std::to_string(n) + "[/b]: " + hex8(v) + " (" +
         std::to_string(v) + ")";
}

std::string psrLine(std::size_t n, std::uint32_t v) {
  const std::string_view d = psrDescription(unsigned(n));
  return entry("PSR", n, v) + " - " + (d == "reserved" ? std::string() : std::string(d));
}

// Entries "...   " joined, a log line after every `perLine` entries and one
// for the rest.
template <std::size_t N>
void logPacked(const char* kind, const std::array<std::uint32_t, N>& regs, std::size_t from,
               int perLine, Reporter& rep) {
  std::string line;
  int inLine = 0;
  for (std::size_t n = from; n < N; ++n) {
    if (regs[n] == 0) continue;
    line += entry(kind, n, regs[n]) + "   ";
    if (++inLine == perLine) {
      rep.log(line);
      line.clear();
      inLine = 0;
    }
  }
  if (inLine) rep.log(line);
}

unsigned panelNumber(std::string_view text, unsigned max) {
  const std::optional<std::uint32_t> v = parseOperandNumber(text);
  return v && *v <= max ? *v : 0;
}

}  // namespace

void logPsrs(const Registers& regs, Reporter& rep) {
  for (std::size_t n = 0; n <= 20; ++n) rep.log(psrLine(n, regs.psr[n]));
  for (std::size_t n = 21; n <= 31; ++n)
    if (regs.psr[n]) rep.log(psrLine(n, regs.psr[n]));
  logPacked("PSR", regs.psr, 32, 6, rep);
}

void logGprs(const Registers& regs, Reporter& rep) { logPacked("GPR", regs.gpr, 0, 5, rep); }

unsigned panelPsrNumber(std::string_view text) { return panelNumber(text, kPanelMaxPsr); }
unsigned panelGprNumber(std::string_view text) { return panelNumber(text, kPanelMaxGpr); }

std::string psrNumberText(unsigned n) { return zeroPadded(n, 3); }

std::string gprNumberText(unsigned n) { return zeroPadded(n, 4); }

std::string registerValueText(std::uint32_t v) { return hex8(v); }

std::optional<std::uint32_t> parseRegisterValue(std::string_view text) {
  // An emptied field stands for 0.
  if (text.find_first_not_of(' ') == std::string_view::npos) return 0u;
  return parseHexWord(text);
}

}  // namespace mirdal
