#include "check/rules.h"

#include "check/rule_set.h"

namespace mirdal {

namespace {

constexpr Severity E = Severity::Error, W = Severity::Warning, N = Severity::Note;

}  // namespace

const std::vector<Rule>& rules() {
  static const std::vector<Rule> table = {
      // Files.
      {"FILE-UNREADABLE", E,
       "A database file that is missing (index, movie objects), cannot be read, has a header of another kind or "
       "version, or ends early; the check goes on without it.",
       "error FILE-UNREADABLE 00000.clpi: 00000.clpi could not be read: it ends early at $00000064",
       checkUnreadableFiles},
      {"DISC-NO-STREAM", N,
       "The STREAM folder is missing: stream files, packet counts and menus in streams are not checked.",
       "note DISC-NO-STREAM STREAM: the STREAM folder is missing; stream files, packet counts and menus in streams "
       "are not checked",
       checkStreamFolder},
      // index.bdmv, BD-J.
      {"IDX-OBJECT", E,
       "First Playback, Top Menu or an HDMV title names a movie object MovieObject.bdmv does not hold.",
       "error IDX-OBJECT index.bdmv title 3: names movie object 12, but MovieObject.bdmv has 4 objects",
       checkIndexObjects},
      {"IDX-OBJECT-TYPE", E, "An object type that is neither 1 (HDMV) nor 2 (BD-J).",
       "error IDX-OBJECT-TYPE index.bdmv title 3: object type 3 is neither HDMV (1) nor BD-J (2)",
       checkIndexObjectTypes},
      {"IDX-PLAYBACK-TYPE", W,
       "A playback type that is not one of its object type's: HDMV 0 (Movie) or 1 (Interactive), BD-J 2 (Movie) or 3 "
       "(Interactive).",
       "warning IDX-PLAYBACK-TYPE index.bdmv title 1: playback type 2 is not one of an HDMV title's (0 Movie, 1 "
       "Interactive)",
       checkIndexPlaybackTypes},
      {"IDX-ACCESS-TYPE", W,
       "Access type 2, which players do not know (0 permitted, 1 prohibited, 3 prohibited and hidden).",
       "warning IDX-ACCESS-TYPE index.bdmv title 2: access type 2 is not a value players know (0 permitted, 1 "
       "prohibited, 3 prohibited and hidden)",
       checkIndexAccessTypes},
      {"BDJ-MISSING", E, "First Playback, Top Menu or a title names a BD-J object that is not in the BDJO folder.",
       "error BDJ-MISSING index.bdmv title 3: names BD-J object 00002, but BDJO/00002.bdjo does not exist",
       checkBdjObjects},
      // Commands, in movie objects and buttons.
      {"MO-INVALID", E, "A command word that is not a valid navigation command.",
       "error MO-INVALID MovieObject.bdmv object 1 line 1: 00000001 is not a valid command word", checkInvalidWords},
      {"MO-FORBIDDEN", E,
       "A command not allowed where it is: Link, Terminate PL and the button commands in a movie object, Play PL in "
       "a button.",
       "error MO-FORBIDDEN MovieObject.bdmv object 1 line 1: Still On is not allowed in a movie object",
       checkForbiddenWords},
      {"MO-JUMP-TITLE", E,
       "Jump Title or Call Title with a number that is no title (0 needs the Top Menu, 65535 First Playback).",
       "error MO-JUMP-TITLE MovieObject.bdmv object 0 line 1: Jump Title 9, but the disc has 2 titles",
       checkJumpTitle},
      {"MO-JUMP-OBJECT", E, "Jump Object, Call Object or SetNVTimer naming a movie object the disc does not hold.",
       "error MO-JUMP-OBJECT MovieObject.bdmv object 1 line 1: Call Object 14, but MovieObject.bdmv has 4 "
       "objects",
       checkJumpObject},
      {"MO-PLAY-PL", E, "Play PL, Play PL_PI or Play PL_MK of a playlist that does not exist.",
       "error MO-PLAY-PL MovieObject.bdmv object 1 line 1: Play PL 7, but PLAYLIST/00007.mpls does not exist",
       checkPlayPlaylist},
      {"MO-PLAY-ITEM", E, "Play PL_PI or Play PL_MK with a PlayItem or mark beyond the playlist's counts.",
       "error MO-PLAY-ITEM MovieObject.bdmv object 2 line 2: Play PL_PI 0, 5, but 00000.mpls has 2 PlayItems",
       checkPlayItem},
      {"MO-LINK", E,
       "Link PI or Link MK beyond the counts of every playlist the program plays with (a movie object: those it "
       "plays; a button: those that show its menu).",
       "error MO-LINK 00001.m2ts page 0 button 1 line 1: Link MK 9, but 00001.mpls has 2 marks", checkLink},
      {"MO-GOTO", W, "GoTo a line at or past the program's end: it ends the program like Break.",
       "warning MO-GOTO MovieObject.bdmv object 1 line 1: GoTo 40, but the program has 2 lines (it ends the "
       "program)",
       checkGoto},
      {"MO-SETSTREAM", W,
       "SetStream with an audio, PG, IG or angle number beyond what every playlist the program plays with has.",
       "warning MO-SETSTREAM MovieObject.bdmv object 2 line 1: SetStream audio 3, but 00000.mpls has at "
       "most 2 primary audio streams",
       checkSetStream},
      {"MO-PSR-WRITE", E, "A Set command whose result goes to a PSR: players never let commands write PSRs.",
       "error MO-PSR-WRITE MovieObject.bdmv object 1 line 1: Move PSR4, 1 writes PSR4, which commands "
       "cannot write",
       checkPsrWrite},
      {"MO-UNREACHED", W,
       "A movie object that First Playback, the Top Menu, no title, no object and no button leads to.",
       "warning MO-UNREACHED MovieObject.bdmv object 4: no title, object or button leads to object 4",
       checkUnreachedObjects},
      {"MO-DEAD-CODE", W,
       "Commands no path from line 0 reaches (NOP padding is not counted; a program with a GoTo through a register "
       "is not judged).",
       "warning MO-DEAD-CODE MovieObject.bdmv object 0 line 2: line 2 is never run: line 1 (Jump Title 1) "
       "ends the program and no GoTo leads here",
       checkDeadCode},
      // Playlists.
      {"PL-CLIP-MISSING", E,
       "A PlayItem, angle, SubPlayItem or multi-clip entry naming a clip without a clip information file.",
       "error PL-CLIP-MISSING 00000.mpls PlayItem 0 angle 1: plays clip 00005, but CLIPINF/00005.clpi does "
       "not exist",
       checkPlaylistClips},
      {"PL-IN-OUT", E, "A PlayItem or SubPlayItem whose IN time is not before its OUT time.",
       "error PL-IN-OUT 00000.mpls PlayItem 1: IN 00:10:40.000 is not before OUT 00:10:40.000", checkInOut},
      {"PL-IN-OUT-RANGE", E,
       "IN and OUT outside the presentation times of the clip's STC sequence the STC id names (or no such STC "
       "sequence).",
       "error PL-IN-OUT-RANGE 00000.mpls PlayItem 1: IN 00:10:40.000 - OUT 00:12:00.000 lies outside STC "
       "sequence 0 of 00000.clpi (00:10:00.000 - 00:11:40.000)",
       checkInOutRange},
      {"PL-MARK-ITEM", E, "A mark naming a PlayItem the playlist does not have.",
       "error PL-MARK-ITEM 00000.mpls mark 2: names PlayItem 2, but the playlist has 2 PlayItems", checkMarkItems},
      {"PL-MARK-RANGE", W, "A mark time outside its PlayItem's IN and OUT times.",
       "warning PL-MARK-RANGE 00000.mpls mark 2: 00:11:30.000 lies outside PlayItem 1 (00:10:40.000 - "
       "00:11:20.000)",
       checkMarkRange},
      {"PL-MARK-ORDER", W, "A mark that comes before the mark listed ahead of it (by PlayItem, then time).",
       "warning PL-MARK-ORDER 00000.mpls mark 1: PlayItem 0 at 00:10:00.000 comes before mark 0 (PlayItem 0 "
       "at 00:10:20.000)",
       checkMarkOrder},
      {"PL-STN-PID", E, "An STN stream whose PID is not a stream of the clip it comes from.",
       "error PL-STN-PID 00000.mpls PlayItem 0 primary audio 2: PID 1105 is not a stream of 00000.clpi",
       checkStnPids},
      {"PL-STN-CODING", W, "An STN stream whose coding type differs from the clip's stream of that PID.",
       "warning PL-STN-CODING 00000.mpls PlayItem 0 primary audio 1: coding DTS here, DD in 00000.clpi (PID 1100)",
       checkStnCoding},
      {"PL-SUBPATH-REF", E,
       "An STN stream naming a SubPath the playlist does not have, or a SubPlayItem synchronised with a PlayItem it "
       "does not have.",
       "error PL-SUBPATH-REF 00000.mpls PlayItem 0 PG 2: names SubPath 3, but the playlist has 0 SubPaths",
       checkSubPathRefs},
      {"PL-CONNECTION", W,
       "Connection condition 5 or 6 on the first PlayItem, or 6 on a PlayItem that does not continue the one "
       "before (same clip and STC sequence, IN = the previous OUT).",
       "warning PL-CONNECTION 00000.mpls PlayItem 1: connection condition 6, but its IN 00:10:41.000 (clip "
       "00000) does not continue PlayItem 0 (OUT 00:10:40.000, clip 00000)",
       checkConnections},
      {"PL-UNUSED", N,
       "A playlist no command plays with a number (not judged on discs with BD-J titles, whose applications play "
       "playlists the check cannot see).",
       "note PL-UNUSED 00002.mpls: no command plays 00002.mpls", checkUnusedPlaylists},
      // Clips.
      {"CLIP-STREAM-MISSING", E,
       "A clip information file whose stream file is missing, with the PlayItems and SubPlayItems that play it (Find's "
       "stream check).",
       "error CLIP-STREAM-MISSING 00000.clpi: STREAM/00000.m2ts does not exist; 00000.mpls plays it in PlayItems 0 "
       "and 1",
       checkClipStreams},
      {"CLIP-PACKETS", W, "The source packet count does not agree with the stream file's size.",
       "warning CLIP-PACKETS 00000.clpi: 1000 source packets, but 00000.m2ts holds 1001 packets", checkPacketCounts},
      {"CLIP-EP-ORDER", E,
       "EP map entries whose presentation time or packet number does not increase, or a coarse entry referring past "
       "the fine entries.",
       "error CLIP-EP-ORDER 00000.clpi EP map 1011 entry 5: PTS 0:10:04.996 / SPN 1 does not follow entry 4 "
       "(0:10:03.995 / 40)",
       checkEpOrder},
      {"CLIP-UNUSED", N, "A clip no playlist plays (Find's \"(not used)\").",
       "note CLIP-UNUSED 00002.clpi: no playlist uses clip 00002", checkUnusedClips},
      // Menus.
      {"MENU-UNREADABLE", E, "A menu that cannot be taken out of its stream file or read.",
       "error MENU-UNREADABLE extra.mnu: the menu could not be read: File format error at $00000000: no "
       "segment begins there; reading stops.", checkMenusReadable},
      {"MENU-NEIGHBOUR", E, "An upper, lower, left or right neighbour that is no button of the page.",
       "error MENU-NEIGHBOUR 00001.m2ts page 0 button 1: upper neighbour 26 is not a button of page 0",
       checkNeighbours},
      {"MENU-OBJECT", E, "A button state naming an object the menu does not define.",
       "error MENU-OBJECT 00001.m2ts page 0 button 2: selected state object 70 is not in the menu (6 "
       "objects)",
       checkButtonObjects},
      {"MENU-PALETTE", E, "A page or an effect naming a palette the menu does not define.",
       "error MENU-PALETTE 00001.m2ts page 1: palette 4 is not in the menu (2 palettes)", checkPalettes},
      {"MENU-PAGE", E,
       "SetButtonPage to a page the menu does not have or a button that page does not have; Enable/DisableButton of "
       "a button the page does not have.",
       "error MENU-PAGE 00001.m2ts page 1 button 1 line 0: SetButtonPage 2, 4, but the menu has no page 4",
       checkButtonPages},
      {"MENU-DEFAULT", E, "A default selected, activated or valid button that does not exist where it is named.",
       "error MENU-DEFAULT 00001.m2ts page 1: default selected button 9 is not a button of page 1",
       checkDefaultButtons},
      {"MENU-SOUND", E, "A button sound that sound.bdmv does not hold.",
       "error MENU-SOUND 00001.m2ts page 0 button 2: activated sound 5, but sound.bdmv has 2 entries",
       checkButtonSounds},
      {"MENU-OVERLAP", W,
       "Buttons of different BOGs of a page whose pictures overlap (buttons of one BOG are alternatives and may share "
       "their place).",
       "warning MENU-OVERLAP 00001.m2ts page 0 button 2: 800,430 200x60 overlaps button 1 (BOG 0) at "
       "800,400 200x60",
       checkOverlaps},
      {"MENU-OUTSIDE", E, "A button whose picture reaches past the menu's video size.",
       "error MENU-OUTSIDE 00001.m2ts page 0 button 2: 1800,500 200x60 reaches past the 1920x1080 page",
       checkOutside},
      // sound.bdmv, registers.
      {"SOUND-UNUSED", N, "A sound entry no button of a checked menu uses.",
       "note SOUND-UNUSED sound.bdmv entry 2: no button uses sound 2", checkUnusedSounds},
      {"GPR-UNWRITTEN", W, "A general purpose register commands read but none writes.",
       "warning GPR-UNWRITTEN GPR7: read by MovieObject.bdmv object 1 line 1, written by no command",
       checkUnwrittenGprs},
      {"GPR-UNREAD", N, "A general purpose register commands write but none reads.",
       "note GPR-UNREAD GPR9: written by MovieObject.bdmv object 1 line 1, read by no command", checkUnreadGprs},
  };
  return table;
}

const Rule* ruleById(std::string_view id) {
  for (const Rule& r : rules())
    if (r.id == id) return &r;
  return nullptr;
}

}  // namespace mirdal
