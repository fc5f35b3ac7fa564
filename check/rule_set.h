// The check functions of the rule table, one per rule, grouped by the files
// they look at (check/*_rules.cpp).
#pragma once

#include <string>

#include "nav/command.h"
#include "nav/opcode.h"

namespace mirdal {

class CheckContext;
class FindingSink;

// "Jump Title 9": a command's line without the grid's markers and comments.
std::string commandWords(const NavCommand& c, CommandContext context);

#define MIRDAL_RULE(fn) void fn(const CheckContext&, FindingSink&);
// files
MIRDAL_RULE(checkUnreadableFiles)
MIRDAL_RULE(checkStreamFolder)
// index.bdmv, BD-J
MIRDAL_RULE(checkIndexObjects)
MIRDAL_RULE(checkIndexObjectTypes)
MIRDAL_RULE(checkIndexPlaybackTypes)
MIRDAL_RULE(checkIndexAccessTypes)
MIRDAL_RULE(checkBdjObjects)
// commands
MIRDAL_RULE(checkInvalidWords)
MIRDAL_RULE(checkForbiddenWords)
MIRDAL_RULE(checkJumpTitle)
MIRDAL_RULE(checkJumpObject)
MIRDAL_RULE(checkPlayPlaylist)
MIRDAL_RULE(checkPlayItem)
MIRDAL_RULE(checkLink)
MIRDAL_RULE(checkGoto)
MIRDAL_RULE(checkSetStream)
MIRDAL_RULE(checkPsrWrite)
MIRDAL_RULE(checkUnreachedObjects)
MIRDAL_RULE(checkDeadCode)
// playlists
MIRDAL_RULE(checkPlaylistClips)
MIRDAL_RULE(checkInOut)
MIRDAL_RULE(checkInOutRange)
MIRDAL_RULE(checkMarkItems)
MIRDAL_RULE(checkMarkRange)
MIRDAL_RULE(checkMarkOrder)
MIRDAL_RULE(checkStnPids)
MIRDAL_RULE(checkStnCoding)
MIRDAL_RULE(checkSubPathRefs)
MIRDAL_RULE(checkConnections)
MIRDAL_RULE(checkUnusedPlaylists)
// clips
MIRDAL_RULE(checkClipStreams)
MIRDAL_RULE(checkPacketCounts)
MIRDAL_RULE(checkEpOrder)
MIRDAL_RULE(checkUnusedClips)
// menus
MIRDAL_RULE(checkMenusReadable)
MIRDAL_RULE(checkNeighbours)
MIRDAL_RULE(checkButtonObjects)
MIRDAL_RULE(checkPalettes)
MIRDAL_RULE(checkButtonPages)
MIRDAL_RULE(checkDefaultButtons)
MIRDAL_RULE(checkButtonSounds)
MIRDAL_RULE(checkOverlaps)
MIRDAL_RULE(checkOutside)
// sound.bdmv, registers
MIRDAL_RULE(checkUnusedSounds)
MIRDAL_RULE(checkUnwrittenGprs)
MIRDAL_RULE(checkUnreadGprs)
#undef MIRDAL_RULE

}  // namespace mirdal
