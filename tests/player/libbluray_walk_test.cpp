// The walk of a real disc from First Playback (and from each title) with
// no keys: the (object, command index) sequence up to the first wait must be
// the one libbluray's HDMV VM runs, read from its trace log through its
// public API. Skips without the shared samples.
#include <gtest/gtest.h>

#include <libbluray/bluray.h>
#include <libbluray/log_control.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "core/options.h"
#include "player/disc_script.h"
#include "support/shared_samples.h"
#include "support/temp_dir.h"

namespace mirdal::test {

namespace {

namespace fs = std::filesystem;
using Walk = std::vector<std::pair<int, int>>;

std::string* logSink = nullptr;
void collect(const char* msg) {
  if (logSink) *logSink += msg;
}

// libbluray's sequence: the object from its jumping/resuming lines, the
// index from each executed command line.
Walk libblurayWalk(const fs::path& disc, unsigned title, bool firstPlayback) {
  std::string log;
  logSink = &log;
  bd_set_debug_handler(collect);
  bd_set_debug_mask(DBG_HDMV | DBG_BLURAY | DBG_CRIT);
  BLURAY* bd = bd_open(disc.c_str(), nullptr);
  if (!bd) return {};
  bd_get_event(bd, nullptr);
  bd_play(bd);
  if (!firstPlayback) bd_play_title(bd, title);
  static unsigned char buf[6144 * 4];
  for (int i = 0; i < 20000; ++i) {
    BD_EVENT ev;
    const int n = bd_read_ext(bd, buf, sizeof buf, &ev);
    while (bd_get_event(bd, &ev)) {
    }
    if (n < 0 || log.find("terminated with PC") != std::string::npos) break;
  }
  bd_close(bd);
  bd_set_debug_handler(nullptr);
  logSink = nullptr;

  Walk walk;
  int object = -1;
  static const std::regex jump("(?:jumping to object|resuming object) (\\d+)");
  static const std::regex command("hdmv_vm\\.c:\\d+: (\\d{4}):");
  std::size_t from = 0;
  while (from < log.size()) {
    std::size_t end = log.find('\n', from);
    if (end == std::string::npos) end = log.size();
    const std::string line = log.substr(from, end - from);
    std::smatch m;
    if (std::regex_search(line, m, jump)) object = std::stoi(m[1]);
    else if (std::regex_search(line, m, command)) walk.emplace_back(object, std::stoi(m[1]));
    from = end + 1;
  }
  return walk;
}

// libbluray's register values at start (a probe disc moving every PSR into
// a GPR showed them), so that reads of PSRs cannot make the walks differ.
// On an Ultra HD disc (index version 0300) its log shows PSR25-27, the UHD
// capabilities, written 0xFFFFFFFF at open.
void libblurayStartValues(Registers& regs, bool ultraHd) {
  regs = Registers{};
  const std::pair<unsigned, std::uint32_t> values[] = {
      {0, 1},          {1, 0xFF},       {2, 0x0FFF0FFF}, {3, 1},     {4, 0xFFFF},   {5, 0xFFFF}, {10, 0xFFFF},
      {12, 0xFF},      {13, 0xFF},      {14, 0xFFFF},    {15, 0xAAAA}, {16, 0xFFFFFF}, {17, 0xFFFFFF},
      {18, 0xFFFFFF},  {19, 0xFFFF},    {20, 2},         {29, 3},    {30, 0x1FFFF}, {31, 0x30200},
      {36, 0xFFFF},    {37, 0xFFFF},    {42, 0xFFFF},    {44, 0xFF}};
  for (const auto& [n, v] : values) regs.psr[n] = v;
  for (unsigned n = 48; n <= 61; ++n) regs.psr[n] = 0xFFFFFFFF;
  if (ultraHd)
    for (unsigned n = 25; n <= 27; ++n) regs.psr[n] = 0xFFFFFFFF;
}

Walk ourWalk(const fs::path& bdmv, unsigned title, bool firstPlayback, StopReason& stop) {
  FolderDisc disc;
  std::string why;
  if (!disc.open(bdmv.string(), why)) {
    ADD_FAILURE() << why;
    return {};
  }
  Registers regs;
  libblurayStartValues(regs, disc.index().versionNumber == "0300");
  PlayerOptions o;
  o.traceCommands = true;
  o.maxSteps = 100000;
  DiscPlayer p(disc, regs, o);
  runDisc(p, firstPlayback ? std::nullopt : std::optional<unsigned>(title), {}, o.maxSteps);
  stop = p.stopped();
  Walk walk;
  for (const DiscEvent& e : p.events())
    if (e.kind == DiscEvent::Kind::Command) walk.emplace_back(e.object, e.line);
  return walk;
}

// A folder libbluray opens: the tsmuxer discs as they are, the commercial
// files under a BDMV/ level with the folders a disc has.
fs::path laidOut(const fs::path& source, const fs::path& temp) {
  if (fs::is_directory(source / "BDMV")) {
    for (const char* sub : {"AUXDATA", "BDJO", "JAR", "META"}) fs::create_directories(temp / "BDMV" / sub);
    fs::copy(source / "BDMV", temp / "BDMV", fs::copy_options::recursive | fs::copy_options::skip_existing);
    return temp;
  }
  const fs::path b = temp / "BDMV";
  for (const char* sub : {"STREAM", "BACKUP", "AUXDATA", "BDJO", "JAR", "META"}) fs::create_directories(b / sub);
  fs::copy(source, b, fs::copy_options::recursive);
  return temp;
}

std::string text(const Walk& w, std::size_t from, std::size_t count) {
  std::string s;
  for (std::size_t i = from; i < std::min(w.size(), from + count); ++i)
    s += "(" + std::to_string(w[i].first) + "," + std::to_string(w[i].second) + ") ";
  return s;
}

TEST(LibblurayWalk, SameCommandsAsTheReferencePlayer) {
  const fs::path samples = sharedSamples();
  if (samples.empty()) GTEST_SKIP() << "no shared samples";
  const char* discs[] = {"tsmuxer/a_single_1080p", "tsmuxer/b_audio2_pgs2_chapters", "tsmuxer/e2_avchd_83names",
                         "commercial-metadata/disc1", "commercial-metadata/disc24", "commercial-metadata/disc5_uhd"};
  int compared = 0;
  for (const char* name : discs) {
    const fs::path source = samples / name;
    if (!fs::is_directory(source)) continue;
    TempDir temp;
    const fs::path disc = laidOut(source, temp.path());
    FolderDisc probe;
    std::string why;
    ASSERT_TRUE(probe.open((disc / "BDMV").string(), why)) << name << ": " << why;
    const unsigned titles = unsigned(probe.index().indexes.titles.size());
    for (unsigned t = 0; t <= titles + 1; ++t) {
      const bool fp = t == titles + 1;
      SCOPED_TRACE(std::string(name) + (fp ? " First Playback" : " title " + std::to_string(t)));
      StopReason stop = StopReason::None;
      const Walk ours = ourWalk(disc / "BDMV", t, fp, stop);
      const Walk lib = libblurayWalk(disc, t, fp);
      if (lib.empty()) continue;  // libbluray refused the start (a BD-J title, ...)
      ++compared;
      // Ours stops at the first wait; libbluray, with no one to press a
      // key, may play on: the walks agree up to our stop.
      std::size_t same = 0;
      while (same < ours.size() && same < lib.size() && ours[same] == lib[same]) ++same;
      EXPECT_EQ(same, ours.size()) << "first difference at " << same << "\n  libbluray " << text(lib, same, 6)
                                   << "\n  ours      " << text(ours, same, 6);
      if (stop == StopReason::ObjectEnded) EXPECT_EQ(ours.size(), lib.size()) << text(lib, ours.size(), 6);
    }
  }
  if (compared == 0) GTEST_SKIP() << "no disc of the samples could be compared";
}

}  // namespace

}  // namespace mirdal::test
