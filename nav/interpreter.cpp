#include "nav/interpreter.h"

#include "core/report.h"
#include "nav/opcode.h"
#include "nav/trace.h"

namespace mirdal {

namespace {

// Events are handled before the first command and then every so many
// commands: often enough that the window never stalls, rarely enough that
// a tight loop runs at full speed.
constexpr std::uint64_t kPumpEvery = 256;

std::uint32_t readRegister(const Registers& regs, std::uint32_t w) {
  return namesPsr(w) ? regs.psr[psrNumberOf(w)] : regs.gpr[gprNumberOf(w)];
}

// Register form of the SetSystem commands with packed operands: the value
// fields hold GPR numbers, the flags stay where they are.
std::uint32_t packedOperand(std::uint32_t opcode, std::uint32_t w, const Registers& regs) {
  const std::uint32_t base = withoutImmediateFlags(opcode);
  const auto gpr = [&](std::uint32_t n) { return regs.gpr[n & 0xFFF]; };
  if (base == kSetStream)
    return (w & 0x8000C000) + ((gpr(w >> 16) & 0xFF) << 16) + (gpr(w) & 0xFFF);
  if (base == kSetButtonPage) return (w & 0x80000000) + (gpr(w) & 0xFFFF);
  return (w & 0xC08F0000) + (gpr(w) & 0xFF);  // SetSecondaryStream
}

void writeRegister(Registers& regs, std::uint32_t w, std::uint32_t value) {
  if (namesPsr(w)) regs.psr[psrNumberOf(w)] = value;
  else regs.gpr[gprNumberOf(w)] = value;
}

// The value of operand word w (c.dst or c.src, its immediate flag bit
// given) and the store into it: small enough to be inlined into the loop,
// which spends most of its time fetching and storing operands.
inline std::uint32_t operandValue(std::uint32_t opcode, std::uint32_t immediateBit, std::uint32_t w,
                                  const Registers& regs) {
  if (operandCountOfWord(opcode) == 0) return kNoOperand;
  if (opcode & immediateBit) return w;
  if (isPackedSetSystem(opcode)) return packedOperand(opcode, w, regs);
  return readRegister(regs, w);
}

inline void storeOperand(std::uint32_t opcode, std::uint32_t immediateBit, std::uint32_t w, Registers& regs,
                         std::uint32_t value) {
  if (operandCountOfWord(opcode) == 0 || (opcode & immediateBit)) return;
  writeRegister(regs, w, value);
}

bool compare(std::uint32_t opcode, std::uint32_t n, std::uint32_t m, bool previous) {
  switch ((opcode >> 8) & 7) {
    case 1: return (n & m) != 0;  // BC
    case 2: return n == m;        // EQ
    case 3: return n != m;        // NE
    case 4: return n >= m;        // GE
    case 5: return n > m;         // GT
    case 6: return n <= m;        // LE
    case 7: return n < m;         // LT
    default: return previous;
  }
}

void set(const NavCommand& c, Registers& regs, std::mt19937& rng, std::uint32_t n, std::uint32_t m) {
  std::uint32_t r;
  switch (c.opcode & 0xF) {
    case 1: r = m; break;
    case 2:  // Swap
      storeOperand(c.opcode, kDstImmediateBit, c.dst, regs, m);
      storeOperand(c.opcode, kSrcImmediateBit, c.src, regs, n);
      return;
    case 3: r = n + m; break;
    case 4: r = n - m; break;
    case 5: r = n * m; break;
    case 6: r = m == 0 ? 0xFFFFFFFF : n / m; break;
    case 7: r = m == 0 ? 0xFFFFFFFF : n % m; break;
    case 8: r = m == 0 ? 0 : std::uniform_int_distribution<std::uint32_t>(0, m - 1)(rng); break;
    case 9: r = n & m; break;
    case 10: r = n | m; break;
    case 11: r = n ^ m; break;
    case 12: r = n | (1u << (m % 32)); break;
    case 13: r = n & ~(1u << (m % 32)); break;
    case 14: r = n << (m % 32); break;
    case 15: r = n >> (m % 32); break;
    default: return;
  }
  storeOperand(c.opcode, kDstImmediateBit, c.dst, regs, r);
}

void setStream(Registers& regs, std::uint32_t n, std::uint32_t m) {
  auto& p = regs.psr;
  if (n & 0x80000000) p[1] = (n >> 16) & 0xFF;
  if (n & 0x8000) p[2] = (p[2] & 0x0FFF0000) + (n & 0xFFF) + (((n >> 14) & 1) << 31);
  if (m & 0x80000000) p[0] = (m >> 16) & 0xFF;
  if (m & 0x8000) p[3] = m & 0xFF;
}

std::string dec(std::uint32_t v) { return std::to_string(v); }

bool isCompareWord(std::uint32_t op) { return op >= 0x48000100 && op <= 0x48C00700; }
// 0x50000001-F, 0x50400001-F, 0x50800001-F, 0x50C00001-F
bool isSetWord(std::uint32_t op) { return (op & 0xFF3FFFF0) == 0x50000000 && (op & 0xF) != 0; }

class Run {
 public:
  Run(const CommandList& program, Registers& regs, RunState& state, Reporter& rep)
      : prog_(program), regs_(regs), st_(state), rep_(rep) {}

  ExecResult go();

 private:
  void announce(const std::string& msg) {
    rep_.setStatusPanelAndWait(msg, 1);
    if (st_.observer) st_.observer->announced(msg);
  }
  void endProgram() { line_ = std::int64_t(prog_.size()); }
  void dispatch(const NavCommand& c);

  CommandList prog_;  // own copy: edits made meanwhile do not change the run
  Registers& regs_;
  RunState& st_;
  Reporter& rep_;
  std::int64_t line_ = 0;
  bool compare_ = false;
  std::uint16_t remembered_ = 0xFFFF;
};

void Run::dispatch(const NavCommand& c) {
  const std::uint32_t op = c.opcode;
  const std::uint32_t n = operandValue(op, kDstImmediateBit, c.dst, regs_);
  const std::uint32_t m = operandValue(op, kSrcImmediateBit, c.src, regs_);
  // Set and Compare words, the bulk of any loop, first: no word below is
  // one of them.
  if (isSetWord(op)) {
    set(c, regs_, st_.rng, n, m);
    return;
  }
  if (isCompareWord(op)) {
    compare_ = compare(op, n, m, compare_);
    if (!compare_) ++line_;
    return;
  }
  auto& psr = regs_.psr;
  switch (op) {
    case 0x20010000:
    case 0x20810000:  // GoTo: targets of 0x80000000 and above count as negative lines
      line_ = std::int64_t(std::int32_t(n)) - 1;
      return;
    case 0x00020000: endProgram(); return;  // Break
    case 0x21000000:
    case 0x21800000:
      announce("Jump Object " + dec(n));
      endProgram();
      return;
    case 0x21010000:
    case 0x21810000:
      psr[4] = n;
      announce("Jump Title " + dec(n));
      endProgram();
      return;
    case 0x21020000:
    case 0x21820000: announce("Call Object " + dec(n)); return;
    case 0x21030000:
    case 0x21830000:
      psr[4] = n;
      announce("Call Title " + dec(n));
      return;
    case 0x01040000: announce("Resume"); return;
    case 0x22000000:
    case 0x22800000:
      announce("Play PL " + dec(n));
      psr[6] = n;
      return;
    case 0x42010000:
    case 0x42410000:
    case 0x42810000:
    case 0x42C10000:
      psr[6] = n;
      psr[7] = m;
      announce("Play PLatPI " + dec(n) + ", " + dec(m));
      return;
    case 0x42020000:
    case 0x42420000:
    case 0x42820000:
    case 0x42C20000:
      psr[6] = n;
      psr[5] = m;
      announce("Play PLatMK " + dec(n) + ", " + dec(m));
      return;
    case 0x02030000: announce("Terminate PL"); return;
    case 0x22040000:
    case 0x22840000:
      announce("Link PI " + dec(n));
      psr[7] = n;
      return;
    case 0x22050000:
    case 0x22850000:
      announce("Link MK " + dec(n));
      psr[5] = n + 1;
      return;
    case 0x11000007:
      announce("Pop up Menu Off");
      if (st_.menu) st_.menu->popUpOff();
      return;
    case 0x11000008: announce("Still On"); return;
    case 0x11000009: announce("Still Off"); return;
    case 0x51000001:
    case 0x51400001:
    case 0x51800001:
    case 0x51C00001: setStream(regs_, n, m); return;
    case 0x51000003:
    case 0x51400003:
    case 0x51800003:
    case 0x51C00003:
      if (!st_.menu) {
        announce("SetButtonPage ");
        endProgram();
      } else if (std::optional<CommandList> next = st_.menu->setButtonPage(c, n, m)) {
        prog_ = std::move(*next);
        line_ = -1;  // goes on at line 0 of the auto-action button's commands
      } else {
        endProgram();
      }
      return;
    case 0x31000004:
    case 0x31800004:
      if (st_.menu)
        if (std::optional<std::uint16_t> id = st_.menu->enableButton(std::uint16_t(n & 0xFFFF)))
          remembered_ = *id;
      return;
    case 0x31000005:
    case 0x31800005:
      if (st_.menu) st_.menu->disableButton(std::uint16_t(n & 0xFFFF));
      return;
    default: break;  // every other word has no effect
  }
}

ExecResult Run::go() {
  ExecResult res;
  line_ = st_.line;
  const bool outermost = st_.depth == 0;
  if (outermost) st_.stopRequested = false;
  ++st_.depth;

  while (line_ >= 0 && line_ < std::int64_t(prog_.size())) {
    if (res.executed % kPumpEvery == 0) rep_.pumpEvents();
    if (st_.stopRequested) {
      res.stopped = true;
      endProgram();
      break;
    }
    const std::size_t at = std::size_t(line_);
    const NavCommand c = prog_[at];
    if (st_.observer) st_.observer->executing(at, c);
    const bool handOver = st_.player && st_.player->takesOver(c, operand1Value(c, regs_), operand2Value(c, regs_));
    dispatch(c);
    ++res.executed;
    ++line_;
    if (line_ < std::int64_t(prog_.size())) {
      st_.line = line_;
      if (st_.observer) st_.observer->programLineChanged(line_);
    }
    if (handOver) endProgram();
    if (line_ >= std::int64_t(prog_.size()) || st_.trace) break;
    if (st_.maxSteps && res.executed >= st_.maxSteps) {
      res.stepLimitReached = true;
      break;
    }
  }

  if (st_.menu && remembered_ != 0xFFFF) st_.menu->endOfRunSelection(remembered_);
  if (line_ < 0) {
    line_ = 0;
    st_.line = 0;
    if (st_.observer) st_.observer->programLineChanged(0);
  }
  const std::int64_t size = std::int64_t(prog_.size());
  st_.running = line_ < size;
  res.running = st_.running;
  res.tracing = st_.running && st_.trace;
  if (res.tracing) {
    rep_.setStatusPanel("Running trace...", 0);
    const CommandContext ctx = st_.menu ? CommandContext::ButtonCommands : CommandContext::MovieObject;
    res.trace = traceStepAt(prog_, std::size_t(line_), ctx);
    rep_.setStatusPanel(res.trace->statusText, 1);
  } else {
    rep_.setStatusPanel("Ready. ", 0);
  }
  if (!st_.running) rep_.setStatusPanel("", 1);
  if (st_.line + 1 < line_ && st_.line >= 0 && st_.line < size) res.selectLine = std::size_t(st_.line);

  --st_.depth;
  if (outermost) st_.stopRequested = false;
  return res;
}

}  // namespace

std::uint32_t operand1Value(const NavCommand& c, const Registers& regs) {
  return operandValue(c.opcode, kDstImmediateBit, c.dst, regs);
}

std::uint32_t operand2Value(const NavCommand& c, const Registers& regs) {
  return operandValue(c.opcode, kSrcImmediateBit, c.src, regs);
}

void setDestinationValue(const NavCommand& c, Registers& regs, std::uint32_t value) {
  storeOperand(c.opcode, kDstImmediateBit, c.dst, regs, value);
}

void setSourceValue(const NavCommand& c, Registers& regs, std::uint32_t value) {
  storeOperand(c.opcode, kSrcImmediateBit, c.src, regs, value);
}

ExecResult executeProgram(const CommandList& program, Registers& regs, RunState& run, Reporter& rep) {
  return Run(program, regs, run, rep).go();
}

}  // namespace mirdal
