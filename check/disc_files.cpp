#include "check/disc_files.h"

#include <algorithm>
#include <filesystem>

#include "core/display_text.h"
#include "core/report.h"
#include "formats/common/stream_codes.h"
#include "menu/igs_read.h"
#include "check/first_display_set.h"

namespace mirdal {

namespace fs = std::filesystem;

namespace {

bool isFile(const std::string& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

bool isDir(const std::string& p) {
  std::error_code ec;
  return fs::is_directory(p, ec);
}

std::vector<std::string> sortedNames(const std::string& folder, const std::string& ext) {
  if (!isDir(folder)) return {};
  std::vector<std::string> names = listNames(folder, ext);
  std::sort(names.begin(), names.end());
  return names;
}

// The engine's loaders log what goes wrong; the check keeps the first error
// as the reason of its finding and lets nothing reach the log.
class Capture final : public Reporter {
 public:
  void appendParagraph(const LogParagraph&) override {}
  void appendErrorParagraph(const LogParagraph& p) override {
    if (!first.empty()) return;
    // The log line reads " ERROR: " + the message.
    const std::string_view mark = "ERROR: ";
    const std::size_t at = p.text.find(mark);
    first = at == std::string::npos ? p.text : p.text.substr(at + mark.size());
  }
  void appendWarningParagraph(const LogParagraph&) override {}
  void statusChanged(const StatusLine&) override {}
  void sleepMs(int) override {}
  std::string first;
};

template <class Model, class Parse>
DiscFile<Model> readFile(const std::string& path, const std::string& name, Parse parse) {
  DiscFile<Model> f;
  f.name = name;
  Bytes data;
  std::string error;
  if (!isFile(path)) {
    f.status = ReadStatus::Unreadable;
    f.problem = "it does not exist";
    return f;
  }
  if (!readFileBytes(path, data, &error)) {
    f.status = ReadStatus::Unreadable;
    f.problem = error;
    return f;
  }
  f.status = parse(data, f.model);
  if (f.status != ReadStatus::Ok) f.problem = readProblem(f.status, data, error);
  return f;
}

void readMenusOfClip(DiscFiles& d, std::size_t clip) {
  const DiscFile<ClipInfoFile>& c = d.clips[clip];
  if (!c.usable() || !d.streams[clip].exists || c.model.programInfo.programSequences.empty()) return;
  const std::string stream = d.folder + "STREAM" + kSep + d.streams[clip].name;
  for (const ProgramStream& s : c.model.programInfo.programSequences.front().streams) {
    if (s.streamCodingType != std::uint8_t(CodingType::IG)) continue;
    MenuFile m;
    m.name = d.streams[clip].name;
    m.clip = c.name.substr(0, c.name.find('.'));
    m.pid = s.pid;
    Capture capture;
    {
      Bytes mnu;
      const DemuxResult r = extractFirstDisplaySet(stream, s.pid, mnu, capture);
      if (r.failed) {
        m.status = ReadStatus::Unreadable;
      } else {
        m.status = parseMnu(mnu, m.menu, capture).status;
        if (m.status == ReadStatus::Ok && !m.menu.hasComposition) m.status = ReadStatus::Truncated;
      }
    }
    if (m.status != ReadStatus::Ok)
      m.problem = "the IG stream on PID " + hexText(s.pid, 4) + " could not be read" +
                  (capture.first.empty() ? std::string() : ": " + capture.first);
    d.menus.push_back(std::move(m));
  }
}

void readMenuFile(DiscFiles& d, const std::string& path) {
  MenuFile m;
  m.name = fileNameOf(path);
  Capture capture;
  {
    Bytes data;
    std::string error;
    if (!readFileBytes(path, data, &error, kMaxMenuFileSize)) {
      m.status = ReadStatus::Unreadable;
      capture.first = error;
    } else {
      m.status = parseMnu(data, m.menu, capture).status;
      if (m.status == ReadStatus::Ok && !m.menu.hasComposition) m.status = ReadStatus::Truncated;
    }
  }
  if (m.status != ReadStatus::Ok)
    m.problem = "the menu could not be read" + (capture.first.empty() ? std::string() : ": " + capture.first);
  d.menus.push_back(std::move(m));
}

}  // namespace

std::string readProblem(ReadStatus status, const Bytes& data, const std::string& systemError) {
  switch (status) {
    case ReadStatus::Ok: return {};
    case ReadStatus::Truncated: return "it ends early at $" + hexText(data.size(), 8);
    case ReadStatus::Unreadable: return systemError.empty() ? "it cannot be read" : systemError;
    case ReadStatus::Rejected:
      if (data.size() >= 8 && std::string(data.begin() + 4, data.begin() + 8) == "0300") return kUltraHdNote;
      return "its header is not one of this file kind (type and version \"" +
             std::string(data.begin(), data.begin() + long(std::min<std::size_t>(8, data.size()))) + "\")";
  }
  return {};
}

DiscFiles readDiscFiles(const std::string& folder, const DiscReadOptions& options) {
  DiscFiles d;
  d.folder = withTrailingSeparator(folder);
  // The index file decides the name set, as a Read does.
  d.shortNames = !isFile(d.folder + nameSet(false).index) && isFile(d.folder + nameSet(true).index);
  const NameSet& n = d.names();
  d.streamFolder = isDir(d.folder + "STREAM");
  d.bdjoFolder = isDir(d.folder + "BDJO");
  if (d.streamFolder) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(d.folder + "STREAM", ec))
      if (e.is_regular_file(ec)) d.streamNames.push_back(e.path().filename().string());
    std::sort(d.streamNames.begin(), d.streamNames.end());
  }

  d.index = readFile<IndexFile>(d.folder + n.index, n.index,
                                [](const Bytes& b, IndexFile& m) { return parseIndex(b, m).status; });
  d.movieObjects = readFile<MovieObjectFile>(d.folder + n.movieObject, n.movieObject,
                                             [](const Bytes& b, MovieObjectFile& m) { return parseMovieObjects(b, m).status; });
  for (const std::string& name : sortedNames(d.folder + "PLAYLIST", n.playlistExt))
    d.playlists.push_back(readFile<Playlist>(d.folder + "PLAYLIST" + kSep + name + n.playlistExt, name + n.playlistExt,
                                             [](const Bytes& b, Playlist& m) { return parsePlaylist(b, m).status; }));
  for (const std::string& name : sortedNames(d.folder + "CLIPINF", n.clipExt)) {
    d.clips.push_back(readFile<ClipInfoFile>(d.folder + "CLIPINF" + kSep + name + n.clipExt, name + n.clipExt,
                                             [](const Bytes& b, ClipInfoFile& m) { return parseClipInfo(b, m).status; }));
    StreamFile s;
    s.name = name + n.streamExt;
    std::error_code ec;
    const std::uint64_t size = fs::file_size(d.folder + "STREAM" + kSep + s.name, ec);
    s.exists = !ec;
    s.size = ec ? 0 : size;
    d.streams.push_back(s);
  }
  if (d.bdjoFolder) d.bdjos = sortedNames(d.folder + "BDJO", ".bdjo");
  const std::string sound = d.folder + "AUXDATA" + kSep + kSoundFileName;
  if (isFile(sound))
    d.sound = readFile<SoundFile>(sound, kSoundFileName, [](const Bytes& b, SoundFile& m) { return parseSound(b, m).status; });
  if (options.menusFromStreams && d.streamFolder)
    for (std::size_t i = 0; i < d.clips.size(); ++i) readMenusOfClip(d, i);
  for (const std::string& path : options.menuFiles) readMenuFile(d, path);
  return d;
}

}  // namespace mirdal
