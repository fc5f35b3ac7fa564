// The command interpreter: runs a program against the register file, one
// command at a time when tracing. Branches move the program line, register
// commands change registers, playback commands are announced on the status
// line and recorded in the PSRs a player would set, and the menu commands
// go to the menu page when one is attached.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "nav/command.h"
#include "nav/command_text.h"
#include "nav/registers.h"

namespace mirdal {

class Reporter;

// The menu page's side of the menu commands; attached to RunState::menu
// while the menu page is the active page. Without one, SetButtonPage only
// announces itself and ends the program, and EnableButton and DisableButton
// do nothing.
class MenuHost {
 public:
  virtual ~MenuHost() = default;
  // SetButtonPage with the fetched operand values n and m; the page, button
  // and out-effect-off flags are read from c's own words. Returns the
  // commands of the auto-action button the run goes on with (from its line
  // 0), or nothing when the program ends.
  virtual std::optional<CommandList> setButtonPage(const NavCommand& c, std::uint32_t n,
                                                   std::uint32_t m) = 0;
  // EnableButton of button id; returns the id to remember when it cleared
  // the selection (the end-of-run selection selects it again).
  virtual std::optional<std::uint16_t> enableButton(std::uint16_t id) = 0;
  virtual void disableButton(std::uint16_t id) = 0;
  // After the run, when a button was remembered during it.
  virtual void endOfRunSelection(std::uint16_t remembered) = 0;
  // PopUpMenu Off: a pop-up menu closes; the program goes on.
  virtual void popUpOff() {}
};

// The disc player's side of the navigation commands, attached to
// RunState::player while a whole disc is emulated. Asked before each
// command runs, with its operand values; true: the program ends once the
// command's own effect is done, and the player goes on with what the
// command named (an object, a title, a playlist, ...).
class PlayerHost {
 public:
  virtual ~PlayerHost() = default;
  virtual bool takesOver(const NavCommand& c, std::uint32_t n, std::uint32_t m) = 0;
};

// What the run panel follows while a program runs. Every call is optional.
class RunObserver {
 public:
  virtual ~RunObserver() = default;
  // The current program line changed (the run panel's line field).
  virtual void programLineChanged(std::int64_t /*line*/) {}
  // A command is about to be executed.
  virtual void executing(std::size_t /*line*/, const NavCommand& /*c*/) {}
  // A playback command was announced (after its activation delay).
  virtual void announced(std::string_view /*message*/) {}
};

// The emulator's run state: one per workspace.
struct RunState {
  // Line of the next command; -1 prepares a trace without executing.
  std::int64_t line = 0;
  // Set after a call whose line lies inside the program: a trace is in
  // progress (or a jump to a negative line left line 0 to run).
  bool running = false;
  // The trace option; read after every command, so switching it on stops a
  // run after the command being executed.
  bool trace = false;
  // Cancel while a run is inside executeProgram: the run ends before its next
  // command. Cleared when the outermost call returns.
  bool stopRequested = false;
  // Commands one call may execute before it stops (0: no limit).
  std::uint64_t maxSteps = 0;
  // executeProgram calls in progress (a handler may start a run inside a run).
  int depth = 0;

  MenuHost* menu = nullptr;
  RunObserver* observer = nullptr;
  PlayerHost* player = nullptr;
  std::mt19937 rng{std::random_device{}()};  // Rnd

  bool traceInProgress() const { return trace && running; }
  bool inRun() const { return depth > 0; }
};

// Where the register panel points after a trace step.
struct RegisterPointer {
  enum class Kind { None, PSR, GPR };
  Kind kind = Kind::None;
  unsigned number = 0;
};

struct TraceStep {
  std::size_t line = 0;   // the next line
  CommandRow row;         // its row as the grid shows it
  std::string statusText; // "Line 0012 : <opcode> <dst> <src> : <command line>"
  RegisterPointer pointer;
};

struct ExecResult {
  bool running = false;        // the running flag after the call
  bool tracing = false;        // running with the trace option: Start's caption is bold
  std::uint64_t executed = 0;  // commands executed by this call
  bool stepLimitReached = false;
  bool stopped = false;        // ended by stopRequested
  // The program ended by a command or a jump beyond its end: select the row
  // of this line in the command grid of the active page.
  std::optional<std::size_t> selectLine;
  // Trace in progress: show this next line (select and scroll to its row).
  std::optional<TraceStep> trace;
};

// Runs `program` from run.line: to its end, or one command with the trace
// option. Ends with "Running trace..." or "Ready. " in status panel 0 and,
// when no trace is in progress, an empty panel 1.
ExecResult executeProgram(const CommandList& program, Registers& regs, RunState& run, Reporter& rep);

// Operand values as a command sees them (0xDEADBEEF for an operand count of
// 0), and stores into the register an operand names (nothing for an
// immediate operand or an operand count of 0).
std::uint32_t operand1Value(const NavCommand& c, const Registers& regs);
std::uint32_t operand2Value(const NavCommand& c, const Registers& regs);
void setDestinationValue(const NavCommand& c, Registers& regs, std::uint32_t value);
void setSourceValue(const NavCommand& c, Registers& regs, std::uint32_t value);

constexpr std::uint32_t kNoOperand = 0xDEADBEEF;

}  // namespace mirdal
