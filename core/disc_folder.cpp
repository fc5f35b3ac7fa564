#include "core/disc_folder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/display_text.h"
#include "core/version.h"

#ifdef __unix__
#include <sys/stat.h>
#endif

namespace mirdal {

namespace fs = std::filesystem;

const NameSet& nameSet(bool shortNames) {
  static const NameSet longSet{"index.bdmv", "MovieObject.bdmv", ".mpls", ".clpi", ".m2ts"};
  static const NameSet shortSet{"INDEX.BDM", "MOVIEOBJ.BDM", ".MPL", ".CPI", ".MTS"};
  return shortNames ? shortSet : longSet;
}

std::string withTrailingSeparator(std::string path) {
  if (path.empty() || path.back() != kSep) path.push_back(kSep);
  return path;
}

std::string discFolderFromChosen(std::string path) {
  path = withTrailingSeparator(std::move(path));
  const std::string tail = std::string("BDMV") + kSep;
  if (path.size() < tail.size() || path.compare(path.size() - tail.size(), tail.size(), tail) != 0)
    path += tail;
  return path;
}

std::string folderOfFile(const std::string& filePath) {
  const fs::path parent = fs::path(filePath).parent_path();
  return withTrailingSeparator(parent.empty() ? fs::path(".").string() : parent.string());
}

std::string discFolderFromArgument(const std::string& path) {
  std::error_code ec;
  if (!fs::is_directory(path, ec)) return folderOfFile(path);
  const std::string dir = withTrailingSeparator(path);
  for (bool shortNames : {false, true})
    if (fs::exists(dir + nameSet(shortNames).index, ec)) return dir;
  if (fs::is_directory(dir + "BDMV", ec)) return dir + "BDMV" + kSep;
  return dir;
}

namespace {

std::string upper(std::string s) {
  for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// Decodes the octal escapes (\040 for a space) of /proc/self/mountinfo and
// the \x20 escapes of /dev/disk/by-label names.
std::string unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x' && hexDigitValue(s[i + 2]) >= 0 &&
        hexDigitValue(s[i + 3]) >= 0) {
      out.push_back(char(hexDigitValue(s[i + 2]) * 16 + hexDigitValue(s[i + 3])));
      i += 3;
    } else if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '3' &&
               s[i + 2] >= '0' && s[i + 2] <= '7' && s[i + 3] >= '0' && s[i + 3] <= '7') {
      out.push_back(char((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0')));
      i += 3;
    } else {
      out.push_back(s[i]);
    }
  }
  return out;
}

}  // namespace

bool isMountRoot(const std::string& path) {
#ifdef __unix__
  struct stat here {}, up {};
  const std::string p = path.empty() ? std::string(1, kSep) : path;
  if (::stat(p.c_str(), &here) != 0) return false;
  const std::string parent = withTrailingSeparator(p) + "..";
  if (::stat(parent.c_str(), &up) != 0) return false;
  return here.st_dev != up.st_dev || here.st_ino == up.st_ino;
#else
  const fs::path p(path);
  return p.has_root_path() && p.relative_path().empty();
#endif
}

std::string systemVolumeLabel(const std::string& mountRoot) {
  std::error_code ec;
  const fs::path want = fs::weakly_canonical(mountRoot, ec);
  // Find the device mounted there, then a by-label link that points at it.
  std::ifstream mounts("/proc/self/mountinfo");
  std::string line, device;
  while (std::getline(mounts, line)) {
    std::istringstream in(line);
    std::string id, parent, majmin, root, mountPoint;
    in >> id >> parent >> majmin >> root >> mountPoint;
    if (unescape(mountPoint) != want.string()) continue;
    const std::size_t dash = line.find(" - ");
    if (dash == std::string::npos) continue;
    std::istringstream rest(line.substr(dash + 3));
    std::string fstype;
    rest >> fstype >> device;
  }
  if (!device.empty()) {
    for (const auto& e : fs::directory_iterator("/dev/disk/by-label", ec)) {
      const fs::path target = fs::weakly_canonical(e.path(), ec);
      if (!ec && target == fs::weakly_canonical(device, ec))
        return unescape(e.path().filename().string());
    }
  }
  return {};
}

std::string discLabel(const std::string& discFolder, const VolumeLabelFn& volumeLabel) {
  std::string dir = discFolder;
  while (dir.size() > 1 && dir.back() == kSep) dir.pop_back();
  // The label names the disc, so step up from the BDMV folder itself.
  const std::size_t cut = dir.find_last_of(kSep);
  const std::string last = cut == std::string::npos ? dir : dir.substr(cut + 1);
  if (upper(last) == "BDMV") dir = cut == std::string::npos ? std::string() : dir.substr(0, cut);
  if (dir.empty()) dir = std::string(1, kSep);

  if (isMountRoot(dir)) {
    const std::string label = volumeLabel ? volumeLabel(dir) : systemVolumeLabel(dir);
    if (!label.empty()) return upper(label);
  }
  const std::size_t slash = dir.find_last_of(kSep);
  return slash == std::string::npos ? dir : dir.substr(slash + 1);
}

std::string baseCaption() { return std::string(kProgramName) + " v" + kVersion; }

std::vector<std::string> listNames(const std::string& folder, const std::string& ext,
                                   const std::function<void(const std::string&)>& each) {
  std::vector<std::string> names;
  if (folder.empty()) return names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code fec;
    if (!it->is_regular_file(fec)) continue;
    const std::string file = it->path().filename().string();
    std::string name;
    if (ext.empty()) {
      const std::size_t dot = file.find_last_of('.');
      name = dot == std::string::npos ? file : file.substr(0, dot);
    } else {
      if (file.size() <= ext.size() || file.compare(file.size() - ext.size(), ext.size(), ext) != 0)
        continue;
      name = file.substr(0, file.size() - ext.size());
    }
    if (each) each(file);
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace mirdal
