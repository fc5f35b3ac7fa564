#include "formats/common/find_tool.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>

#include "core/display_text.h"
#include "core/markup.h"
#include "core/report.h"

namespace mirdal {

namespace {

bool playsPlaylist(std::uint32_t opcode) {
  return opcode == 0x22800000 || opcode == 0x42810000 || opcode == 0x42C10000 || opcode == 0x42820000 ||
         opcode == 0x42C20000;
}

// A playlist's base name as its number; false for a name that is not five
// digits at most.
bool playlistNumber(const std::string& name, std::uint16_t& out) {
  if (name.empty() || name.size() > 5 || !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  const unsigned long v = std::stoul(name);
  if (v > 0xFFFF) return false;
  out = std::uint16_t(v);
  return true;
}

}  // namespace

std::vector<PlaylistUse> findPlaylistCommands(const MovieObjectFile& m, std::uint32_t playlist) {
  std::vector<PlaylistUse> uses;
  const auto& objects = m.movieObjects.objects;
  for (std::size_t o = 0; o < objects.size(); ++o)
    for (std::size_t c = 0; c < objects[o].commands.size(); ++c) {
      const NavCommand& cmd = objects[o].commands[c];
      if (playsPlaylist(cmd.opcode) && cmd.dst == playlist) uses.push_back({o, c});
    }
  return uses;
}

std::string playlistUseLine(const PlaylistUse& u) {
  return "Object " + zeroPadded(u.object, 4) + ", Command line " + zeroPadded(u.command, 4);
}

void logPlaylistFind(const std::string& playlistName, const std::vector<PlaylistUse>& uses, Reporter& rep) {
  rep.log("");
  rep.log("PlayList [b]" + playlistName + "[/b] found in:");
  for (const PlaylistUse& u : uses) {
    // Plain lines: the text goes in as it is, without markup.
    LogParagraph p;
    p.text = " " + playlistUseLine(u);
    p.runs.push_back(LogRun{});
    rep.appendParagraph(p);
  }
}

std::size_t findClipReferences(DiscState& disc, const NameSet& names, Reporter& rep) {
  disc.ciRefs.assign(disc.clips.size(), ClipUses{});
  std::size_t missing = 0;
  // A disc can have thousands of clips and playlists: the clip list and the
  // stream files are looked up once per name.
  std::unordered_map<std::string, std::size_t> clipIndex;
  for (std::size_t i = disc.clips.size(); i-- > 0;) clipIndex[disc.clips[i]] = i;
  std::unordered_map<std::string, bool> streamExists;
  auto refer = [&](const std::string& clip, ClipUse ref, const PlaylistClipUse& use) {
    const auto it = clipIndex.find(clip);
    if (it != clipIndex.end()) disc.ciRefs[it->second].push_back(ref);
    auto st = streamExists.find(clip);
    if (st == streamExists.end()) {
      std::error_code ec;
      st = streamExists.emplace(clip, std::filesystem::exists(disc.folder + "STREAM/" + clip + names.streamExt, ec)).first;
    }
    if (!st->second) {
      rep.logError("Missing stream file referenced by " + zeroPadded(ref.playlist, 5) + names.playlistExt + ", " +
                   clipUsePlace(use));
      ++missing;
    }
  };
  // Each playlist is read quietly for the clips it names only (the model
  // Find would fill is never shown).
  std::vector<PlaylistClipUse> uses;
  for (const std::string& name : disc.playlists) {
    std::uint16_t number = 0;
    if (!playlistNumber(name, number)) continue;
    if (readClipUses(disc.folder + "PLAYLIST/" + name + names.playlistExt, uses, rep) != ReadStatus::Ok) continue;
    for (const PlaylistClipUse& u : uses) refer(u.clip, {number, u.kind, u.item}, u);
  }
  return missing;
}

}  // namespace mirdal
