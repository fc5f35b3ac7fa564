// Every kind of file is saved through one step with one set of messages,
// told to the reporter the caller hands over (the command line's standard
// error, the GUI's log), whatever reporter is installed.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "formats/clip/clpi.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"
#include "formats/playlist/mpls.h"
#include "formats/sound/sound_bdmv.h"
#include "menu/igs_write.h"
#include "samples/sample_menu.h"
#include "stream/menu_mux.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

const std::string kDisc = std::string(MIRDAL_SOURCE_DIR) + "/samples/disc/BDMV/";

Bytes sampleBytes(const std::string& rel) {
  Bytes b;
  std::string error;
  EXPECT_TRUE(readFileBytes(kDisc + rel, b, &error)) << rel << ": " << error;
  return b;
}

using Saver = std::function<bool(const SaveRequest&, Reporter&)>;

struct Kind {
  const char* what;
  const char* name;
  Saver save;
  std::vector<std::string> before;  // lines of the composing step
};

std::vector<Kind> kinds() {
  return {
      {"playlist", "00000.mpls",
       [](const SaveRequest& r, Reporter& rep) {
         Playlist m;
         EXPECT_EQ(parsePlaylist(sampleBytes("PLAYLIST/00000.mpls"), m).status, ReadStatus::Ok);
         return savePlaylist(m, r, rep);
       }, {}},
      {"clip", "00000.clpi",
       [](const SaveRequest& r, Reporter& rep) {
         ClipInfoFile c;
         EXPECT_EQ(parseClipInfo(sampleBytes("CLIPINF/00000.clpi"), c).status, ReadStatus::Ok);
         return saveClipInfo(c, r, rep);
       }, {}},
      {"sound", "sound.bdmv",
       [](const SaveRequest& r, Reporter& rep) {
         SoundFile s;
         EXPECT_EQ(parseSound(sampleBytes("AUXDATA/sound.bdmv"), s).status, ReadStatus::Ok);
         return saveSound(s, r, rep);
       }, {}},
      {"index", "index.bdmv",
       [](const SaveRequest& r, Reporter& rep) {
         IndexFile i;
         EXPECT_EQ(parseIndex(sampleBytes("index.bdmv"), i).status, ReadStatus::Ok);
         return saveIndex(i, r, rep);
       }, {}},
      {"movie objects", "MovieObject.bdmv",
       [](const SaveRequest& r, Reporter& rep) {
         MovieObjectFile m;
         EXPECT_EQ(parseMovieObjects(sampleBytes("MovieObject.bdmv"), m).status, ReadStatus::Ok);
         return saveMovieObjects(m, r, rep);
       }, {}},
      {"menu", "menu.mnu",
       [](const SaveRequest& r, Reporter& rep) {
         IgMenu m = sample::sampleMenu();
         return saveMnu(m, r, rep);
       }, {}},
      {"muxed menu", "menu.m2ts",
       [](const SaveRequest& r, Reporter& rep) {
         IgMenu m = sample::sampleMenu();
         return muxMenuFile(m, r, rep);
       }, {" Muxing menu..."}},
  };
}

TEST(SaveStep, EveryKindSaysTheSameToTheReporterItIsGiven) {
  for (const Kind& k : kinds()) {
    SCOPED_TRACE(k.what);
    test::ReportScope installed;
    test::RecordingReporter given;
    test::TempDir d;
    SaveRequest req;
    req.folder = d.folder();
    req.name = k.name;
    ASSERT_TRUE(k.save(req, given));
    std::vector<std::string> expected = k.before;
    expected.push_back(std::string(" Saving ") + k.name);
    expected.push_back(std::string(" ") + k.name + " saved.");
    EXPECT_EQ(given.lines(), expected);
    EXPECT_EQ(given.status.panel[0], " Ready. ");
    EXPECT_TRUE(installed.rep.paragraphs.empty()) << "nothing goes to the installed reporter";
    EXPECT_TRUE(d.exists(k.name));
  }
}

TEST(SaveStep, AFailedSaveIsAnErrorOfTheGivenReporter) {
  for (const Kind& k : kinds()) {
    SCOPED_TRACE(k.what);
    test::ReportScope installed;
    test::RecordingReporter given;
    test::TempDir d;
    SaveRequest req;
    req.folder = d.folder() + "missing/";
    req.name = k.name;
    EXPECT_FALSE(k.save(req, given));
    EXPECT_EQ(given.errorCount(), 1);
    EXPECT_EQ(given.lastErrorText().rfind(std::string("Cannot create ") + req.folder + k.name, 0), 0u)
        << given.lastErrorText();
    EXPECT_EQ(installed.rep.errorCount(), 0);
  }
}

}  // namespace
}  // namespace mirdal
