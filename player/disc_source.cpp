#include "player/disc_source.h"

#include <cstdio>
#include <filesystem>

#include "core/disc_folder.h"
#include "core/fields.h"
#include "core/report.h"
#include "menu/igs_read.h"
#include "stream/ig_extract.h"

namespace mirdal {

std::string fiveDigits(unsigned n) {
  std::string s = std::to_string(n);
  return s.size() < 5 ? std::string(5 - s.size(), '0') + s : s;
}

const Playlist* ModelDisc::playlist(unsigned n, std::string& why) {
  const auto it = playlists.find(n);
  if (it != playlists.end()) return &it->second;
  why = "no playlist " + fiveDigits(n) + ".mpls";
  return nullptr;
}

const IgMenu* ModelDisc::menu(const std::string& clip, std::uint16_t, std::string& why) {
  const auto it = menus.find(clip);
  if (it != menus.end()) return &it->second;
  why = "no menu for clip " + clip;
  return nullptr;
}

namespace {

// The player tells what it could not read through its events; the
// extraction's own log lines would only repeat it.
class QuietReporter final : public Reporter {
 public:
  void appendParagraph(const LogParagraph&) override {}
  void statusChanged(const StatusLine&) override {}
};

bool readWhole(const std::string& path, Bytes& data, std::string& why) {
  std::string error;
  if (readFileBytes(path, data, &error)) return true;
  why = "cannot read " + std::filesystem::path(path).filename().string() + (error.empty() ? "" : ": " + error);
  return false;
}

}  // namespace

void FolderDisc::useFolder(const std::string& bdmvFolder) {
  folder_ = withTrailingSeparator(bdmvFolder);
  std::error_code ec;
  names_ = &nameSet(!std::filesystem::exists(folder_ + nameSet(false).index, ec) &&
                    std::filesystem::exists(folder_ + nameSet(true).index, ec));
}

bool FolderDisc::open(const std::string& bdmvFolder, std::string& why) {
  useFolder(bdmvFolder);
  Bytes data;
  if (!readWhole(folder_ + names_->index, data, why)) return false;
  if (parseIndex(data, index_).status != ReadStatus::Ok) {
    why = names_->index + " cannot be read whole";
    return false;
  }
  if (!readWhole(folder_ + names_->movieObject, data, why)) return false;
  if (parseMovieObjects(data, objects_).status != ReadStatus::Ok) {
    why = names_->movieObject + " cannot be read whole";
    return false;
  }
  return true;
}

const Playlist* FolderDisc::playlist(unsigned n, std::string& why) {
  auto [it, fresh] = playlists_.try_emplace(n);
  const std::string name = fiveDigits(n) + names_->playlistExt;
  if (fresh) {
    Bytes data;
    std::string error;
    Playlist m;
    if (readFileBytes(folder_ + "PLAYLIST" + kSep + name, data, &error) &&
        parsePlaylist(data, m).status == ReadStatus::Ok)
      it->second = std::move(m);
  }
  if (it->second) return &*it->second;
  why = "no playlist " + name + " (missing or unreadable)";
  return nullptr;
}

const IgMenu* FolderDisc::menu(const std::string& clip, std::uint16_t pid, std::string& why) {
  const auto key = std::make_pair(clip, pid);
  if (const auto it = menus_.find(key); it != menus_.end()) return it->second.get();
  if (const auto it = menuErrors_.find(key); it != menuErrors_.end()) {
    why = it->second;
    return nullptr;
  }
  Bytes mnu;
  if (const auto a = attached_.find(clip); a != attached_.end()) {
    if (!readWhole(a->second, mnu, why)) {
      menuErrors_[key] = why;
      return nullptr;
    }
  } else {
    const std::string stream = folder_ + "STREAM" + kSep + clip + names_->streamExt;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(stream, ec)) {
      why = "no stream file for clip " + clip + ": no menu";
      menuErrors_[key] = why;
      return nullptr;
    }
    QuietReporter quiet;
    const DemuxResult r = extractIgStream(stream, pid, mnu, true, quiet);
    if (r.failed || r.cancelled || mnu.empty()) {
      why = "no IG stream in clip " + clip + ": no menu";
      menuErrors_[key] = why;
      return nullptr;
    }
  }
  auto m = std::make_shared<IgMenu>();
  QuietReporter quiet;
  if (parseMnu(mnu, *m, quiet).status != ReadStatus::Ok || m->ics.pages.empty()) {
    why = "the menu of clip " + clip + " cannot be read whole";
    menuErrors_[key] = why;
    return nullptr;
  }
  menus_[key] = m;
  return m.get();
}

}  // namespace mirdal
