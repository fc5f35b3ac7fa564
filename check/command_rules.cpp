// The rules on single commands, in movie objects and in buttons alike: what
// a player refuses or does nothing with.
#include <algorithm>

#include "check/context.h"
#include "check/rule_set.h"
#include "core/display_text.h"
#include "nav/command_text.h"

namespace mirdal {

namespace {

template <class Fn>
void forEachCommand(const CheckContext& ctx, Fn fn) {
  for (const Program& p : ctx.programs())
    for (std::size_t line = 0; line < p.commands->size(); ++line) fn(p, line, (*p.commands)[line]);
}

Place at(const Program& p, std::size_t line) { return p.place.then(PlacePart::Line, std::uint32_t(line)); }

std::string countText(std::size_t n, const char* one, const char* many) { return counted(n, one, many); }

// The names of a set of playlists: "00001.mpls", "00001.mpls and 00002.mpls".
template <class Count>
std::string perPlaylist(const CheckContext& ctx, const Program& p, const char* one, const char* many, Count count) {
  std::string s;
  for (std::size_t i = 0; i < p.playlists.size(); ++i) {
    if (i) s += i + 1 == p.playlists.size() ? " and " : ", ";
    const auto& pl = ctx.files.playlists[p.playlists[i]];
    s += pl.name + " has " + countText(count(pl.model), one, many);
  }
  return s;
}

}  // namespace

std::string commandWords(const NavCommand& c, CommandContext context) {
  std::string s = commandLine(c, context);
  if (!s.empty() && (s.front() == '!' || s.front() == '*')) s.erase(0, 1);
  const std::size_t comment = s.find("  ;");
  if (comment != std::string::npos) s.erase(comment);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

void checkInvalidWords(const CheckContext& ctx, FindingSink& out) {
  forEachCommand(ctx, [&](const Program& p, std::size_t line, const NavCommand& c) {
    if (!isValidOpcode(c.opcode)) out(at(p, line), hex8(c.opcode) + " is not a valid command word");
  });
}

void checkForbiddenWords(const CheckContext& ctx, FindingSink& out) {
  forEachCommand(ctx, [&](const Program& p, std::size_t line, const NavCommand& c) {
    if (!isValidOpcode(c.opcode) || !isForbiddenOpcode(c.opcode, p.context)) return;
    out(at(p, line), std::string(commandName(c.opcode)) + " is not allowed in " +
                         (p.context == CommandContext::MovieObject ? "a movie object" : "a button"));
  });
}

void checkJumpTitle(const CheckContext& ctx, FindingSink& out) {
  if (!ctx.index) return;
  forEachCommand(ctx, [&](const Program& p, std::size_t line, const NavCommand& c) {
    if (c.opcode != 0x21810000 && c.opcode != 0x21830000) return;  // Jump Title, Call Title with a number
    if (ctx.titleExists(c.dst)) return;
    const std::string cmd = commandWords(c, p.context);
    if (c.dst == 0) out(at(p, line), cmd + " (the Top Menu), but the Top Menu is off");
    else if (c.dst == 0xFFFF) out(at(p, line), cmd + " (First Playback), but First Playback is off");
    else out(at(p, line), cmd + ", but the disc has " + counted(ctx.titleCount(), "title", "titles"));
  });
}

void checkJumpObject(const CheckContext& ctx, FindingSink& out) {
  if (!ctx.movieObjects) return;
  const std::size_t n = ctx.objectCount();
  const std::string has = ", but " + ctx.files.movieObjects.name + " has " + counted(n, "object", "objects");
  forEachCommand(ctx, [&](const Program& p, std::size_t line, const NavCommand& c) {
    // Jump Object and Call Object with a number; SetNVTimer with an object
    // number (its timeout 0 only stops the timer).
    const bool jump = c.opcode == 0x21800000 || c.opcode == 0x21820000;
    const bool timer = (c.opcode == 0x51800002 || c.opcode == 0x51C00002) && !(c.opcode == 0x51C00002 && (c.src & 0xFFFF) == 0);
    const std::uint32_t object = jump ? c.dst : c.dst & 0xFFFF;
    if ((jump || timer) && object >= n) out(at(p, line), commandWords(c, p.context) + has);
  });
}

void checkPlayPlaylist(const CheckContext& ctx, FindingSink& out) {
  forEachCommand(ctx, [&](const Program& p, std::size_t line, const NavCommand& c) {
    if (c.opcode != 0x22800000 && c.opcode != 0x42810000 && c.opcode != 0x42C10000 && c.opcode != 0x42820000 &&
        c.opcode != 0x42C20000)
      return;
    if (ctx.playlistNumbered(c.dst) >= 0) return;
    out(at(p, line), commandWords(c, p.context) + ", but PLAYLIST" + kSep + ctx.playlistFileName(c.dst) +
                         " does not exist");
  });
}

void checkPlayItem(const CheckContext& ctx, FindingSink& out) {
  forEachCommand(ctx, [&](const Program& p, std::size_t line, const NavCommand& c) {
    const bool item = c.opcode == 0x42C10000, mark = c.opcode == 0x42C20000;  // both numbers immediate
    if (!item && !mark) return;
    const long pl = ctx.playlistNumbered(c.dst);
    if (pl < 0 || !ctx.files.playlists[std::size_t(pl)].usable()) return;
    const auto& f = ctx.files.playlists[std::size_t(pl)];
    const std::size_t count = item ? f.model.playlist.items.size() : f.model.marks.marks.size();
    if (c.src < count) return;
    out(at(p, line), commandWords(c, p.context) + ", but " + f.name + " has " +
                         (item ? counted(count, "PlayItem", "PlayItems") : counted(count, "mark", "marks")));
  });
}

void checkLink(const CheckContext& ctx, FindingSink& out) {
  forEachCommand(ctx, [&](const Program& p, std::size_t line, const NavCommand& c) {
    const bool item = c.opcode == 0x22840000, mark = c.opcode == 0x22850000;  // immediate numbers
    if ((!item && !mark) || p.playlists.empty()) return;
    const auto count = [&](const Playlist& m) { return item ? m.playlist.items.size() : m.marks.marks.size(); };
    for (std::size_t i : p.playlists)
      if (!ctx.files.playlists[i].usable() || c.dst < count(ctx.files.playlists[i].model)) return;
    out(at(p, line), commandWords(c, p.context) + ", but " +
                         perPlaylist(ctx, p, item ? "PlayItem" : "mark", item ? "PlayItems" : "marks", count));
  });
}

void checkGoto(const CheckContext& ctx, FindingSink& out) {
  forEachCommand(ctx, [&](const Program& p, std::size_t line, const NavCommand& c) {
    if (c.opcode != 0x20810000 || c.dst < p.commands->size()) return;
    out(at(p, line), commandWords(c, p.context) + ", but the program has " +
                         counted(p.commands->size(), "line", "lines") + " (it ends the program)");
  });
}

void checkSetStream(const CheckContext& ctx, FindingSink& out) {
  forEachCommand(ctx, [&](const Program& p, std::size_t line, const NavCommand& c) {
    if (withoutImmediateFlags(c.opcode) != kSetStream || p.playlists.empty())
      return;
    for (std::size_t i : p.playlists)
      if (!ctx.files.playlists[i].usable()) return;
    // The largest count any PlayItem of the playlists has.
    const auto most = [&](auto count) {
      std::size_t m = 0;
      for (std::size_t i : p.playlists)
        for (const PlayItem& pi : ctx.files.playlists[i].model.playlist.items) m = std::max(m, count(pi));
      return m;
    };
    const auto names = [&] {
      std::string s;
      for (std::size_t i = 0; i < p.playlists.size(); ++i)
        s += (i ? (i + 1 == p.playlists.size() ? " and " : ", ") : "") + ctx.files.playlists[p.playlists[i]].name;
      return s;
    };
    const auto judge = [&](const char* what, std::uint32_t n, std::size_t limit, const char* streams) {
      if (n == 0 || n <= limit) return;
      out(at(p, line), "SetStream " + std::string(what) + " " + std::to_string(n) + ", but " + names() +
                           (p.playlists.size() == 1 ? " has" : " have") + " at most " + std::to_string(limit) + " " +
                           streams);
    };
    const bool dstImm = c.opcode & kDstImmediateBit, srcImm = c.opcode & kSrcImmediateBit;
    if (dstImm && (c.dst & 0x80000000))
      judge("audio", (c.dst >> 16) & 0xFF, most([](const PlayItem& pi) { return pi.stn.primaryAudio.size(); }),
            "primary audio streams");
    // A PG number with the display flag off turns subtitles off, whatever it is.
    if (dstImm && (c.dst & 0x8000) && (c.dst & 0x4000) && (c.dst & 0xFFF) != 0xFFF)
      judge("PG", c.dst & 0xFFF, most([](const PlayItem& pi) { return pgStreamCount(pi.stn); }), "PG/text subtitle streams");
    if (srcImm && (c.src & 0x80000000))
      judge("IG", (c.src >> 16) & 0xFF, most([](const PlayItem& pi) { return pi.stn.ig.size(); }), "IG streams");
    if (srcImm && (c.src & 0x8000))
      judge("angle", c.src & 0xFF,
            most([](const PlayItem& pi) { return pi.isMultiAngle ? std::max<std::size_t>(1, pi.angles.angles.size()) : 1; }),
            "angles");
  });
}

void checkPsrWrite(const CheckContext& ctx, FindingSink& out) {
  forEachCommand(ctx, [&](const Program& p, std::size_t line, const NavCommand& c) {
    if (!isValidOpcode(c.opcode)) return;
    const OpcodeFields f = decodeOpcode(c.opcode);
    if (f.group != 2 || f.subGroup != 0 || f.operandCount < 2) return;  // Set commands
    std::string written;
    if (!f.dstImmediate && namesPsr(c.dst)) written = "PSR" + std::to_string(psrNumberOf(c.dst));
    if (f.option == 2 && !f.srcImmediate && namesPsr(c.src))  // Swap stores into both
      written += (written.empty() ? "" : " and ") + ("PSR" + std::to_string(psrNumberOf(c.src)));
    if (written.empty()) return;
    out(at(p, line), commandWords(c, p.context) + " writes " + written + ", which commands cannot write");
  });
}

}  // namespace mirdal
