#include "nav/command_follow.h"

#include "core/display_text.h"

namespace mirdal {

std::string playlistName(std::uint32_t number) { return zeroPadded(number, 5); }

FollowAction followCommand(const CommandList& program, std::size_t line) {
  FollowAction a;
  if (line >= program.size()) return a;
  const NavCommand& c = program[line];
  switch (c.opcode) {
    case 0x20810000:  // GoTo an immediate line
      if (c.dst < program.size()) {
        a.kind = FollowAction::Kind::SelectLine;
        a.line = c.dst;
      }
      break;
    case 0x21810000:  // Jump Title
    case 0x21830000:  // Call Title
      a.kind = FollowAction::Kind::ShowTitle;
      a.title = c.dst >= 1 && c.dst <= 999 ? c.dst : 0;
      break;
    case 0x22800000:  // Play PL, Play PL_PI, Play PL_MK with an immediate playlist
    case 0x42810000:
    case 0x42820000:
    case 0x42C10000:
    case 0x42C20000:
      a.kind = FollowAction::Kind::SelectPlaylist;
      a.playlist = playlistName(c.dst);
      if (c.opcode == 0x42C10000) a.playItemRow = std::int64_t(c.src) + 1;
      break;
    case 0x22000000:  // Play PL from a register set just before by a Move
      if (line > 0 && program[line - 1].opcode == 0x50400001 && program[line - 1].dst == c.dst) {
        a.kind = FollowAction::Kind::SelectPlaylist;
        a.playlist = playlistName(program[line - 1].src);
      }
      break;
    case 0x51400003:  // SetButtonPage with an immediate operand
    case 0x51800003:
    case 0x51C00003:
      a.selectPage = (c.opcode & 0x00400000) && (c.src & 0x80000000);
      a.page = c.src & 0xFF;
      a.selectButton = (c.opcode & 0x00800000) && (c.dst & 0x80000000);
      a.button = c.dst & 0xFFFF;
      if (a.selectPage || a.selectButton) a.kind = FollowAction::Kind::SetButtonPage;
      break;
    default:
      break;
  }
  return a;
}

}  // namespace mirdal
