#include "player/disc_script.h"

namespace mirdal {

std::optional<std::vector<UserOp>> parseKeyList(std::string_view list, std::string& bad) {
  std::vector<UserOp> keys;
  std::size_t from = 0;
  while (from <= list.size()) {
    const std::size_t comma = std::min(list.find(',', from), list.size());
    std::string_view word = list.substr(from, comma - from);
    while (!word.empty() && word.front() == ' ') word.remove_prefix(1);
    while (!word.empty() && word.back() == ' ') word.remove_suffix(1);
    if (!word.empty()) {
      const std::optional<UserOp> op = parseUserOp(word);
      if (!op) {
        bad = std::string(word);
        return std::nullopt;
      }
      keys.push_back(*op);
    }
    from = comma + 1;
  }
  return keys;
}

void runUntilWait(DiscPlayer& p, std::uint64_t maxSteps) {
  const std::uint64_t firstStep = p.steps();
  std::uint64_t rounds = 0;
  while (p.stopped() == StopReason::None) {
    if (p.waitingForKey()) {
      if (MenuEmulator* m = p.menu(); m && m->shown())
        p.stop(StopReason::WaitingForKey, "waiting for a key in menu page " + std::to_string(m->page()));
      else
        p.stop(StopReason::WaitingInStill, "waiting in a still picture");
      return;
    }
    const std::uint64_t due = p.nextDue();
    if (due == kNever) {
      p.stop(StopReason::ObjectEnded, "nothing more to play");
      return;
    }
    p.advanceTo(due);
    if (p.steps() - firstStep >= maxSteps || ++rounds >= maxSteps)
      p.stop(StopReason::StepLimit, "endless loop: the disc did not come to wait within " + std::to_string(maxSteps) +
                                        " commands");
  }
}

void runDisc(DiscPlayer& p, std::optional<unsigned> title, const std::vector<UserOp>& keys, std::uint64_t maxSteps) {
  if (title) p.startTitle(*title);
  else p.start();
  for (const UserOp& k : keys) {
    if (p.stopped() != StopReason::None) break;
    p.press(k);
  }
  runUntilWait(p, maxSteps);
}

}  // namespace mirdal
