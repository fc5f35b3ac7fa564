// A disc run from a key list, as the command line and the tests make it:
// the keys are pressed in order at the current time, then the disc runs on
// until it waits for a key or stops.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "player/disc_player.h"

namespace mirdal {

// The key words of a comma-separated list; the word not understood in bad.
std::optional<std::vector<UserOp>> parseKeyList(std::string_view list, std::string& bad);

// Runs on until the disc waits for a key (stopping with WaitingForKey or
// WaitingInStill) or stops. maxSteps commands without the disc coming to
// wait stop it as an endless loop, time passing or not.
void runUntilWait(DiscPlayer& p, std::uint64_t maxSteps);

// start (First Playback or title), the keys, then runUntilWait.
void runDisc(DiscPlayer& p, std::optional<unsigned> title, const std::vector<UserOp>& keys, std::uint64_t maxSteps);

}  // namespace mirdal
