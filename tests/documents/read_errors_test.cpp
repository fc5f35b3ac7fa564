// A file read with errors, of every kind: its document says so, the status
// line keeps the error, Save refuses it unless the user agreed, and the
// question says what would be written. Files of the sample disc, cut to
// half their length.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/report.h"
#include "documents/disc_files.h"
#include "documents/disc_read.h"
#include "documents/menu_files.h"
#include "documents/save_question.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;

const fs::path kSampleDiscFolder = fs::path(MIRDAL_SOURCE_DIR) / "samples/disc";

struct KindCase {
  const char* name;
  const char* file;  // under the copied disc folder (the one holding BDMV)
  // Reads the cut file into its document and returns it.
  std::function<DocumentBase&(Workspace&, const std::string& root)> read;
  // Saves the document; null for a kind that is only read.
  std::function<bool(Workspace&, Guesses, const std::string& root)> save;
};

const KindCase kKinds[] = {
    {"index", "BDMV/index.bdmv", [](Workspace& ws, const std::string&) -> DocumentBase& {
       readDisc(ws, mirdal::test::testReporter());
       return ws.index;
     },
     [](Workspace& ws, Guesses g, const std::string&) { return saveIndex(ws, mirdal::test::testReporter(), g); }},
    {"movie objects", "BDMV/MovieObject.bdmv", [](Workspace& ws, const std::string&) -> DocumentBase& {
       readDisc(ws, mirdal::test::testReporter());
       return ws.mobj;
     },
     [](Workspace& ws, Guesses g, const std::string&) { return saveMovieObjects(ws, mirdal::test::testReporter(), g); }},
    {"sound", "BDMV/AUXDATA/sound.bdmv", [](Workspace& ws, const std::string&) -> DocumentBase& {
       readDisc(ws, mirdal::test::testReporter());
       return ws.sound;
     },
     [](Workspace& ws, Guesses g, const std::string&) { return saveSound(ws, mirdal::test::testReporter(), g); }},
    {"playlist", "BDMV/PLAYLIST/00000.mpls", [](Workspace& ws, const std::string&) -> DocumentBase& {
       readDisc(ws, mirdal::test::testReporter());
       readPlaylist(ws, "00000", mirdal::test::testReporter());
       return ws.playlist;
     },
     [](Workspace& ws, Guesses g, const std::string&) { return savePlaylist(ws, mirdal::test::testReporter(), g); }},
    {"clip", "BDMV/CLIPINF/00000.clpi", [](Workspace& ws, const std::string&) -> DocumentBase& {
       readDisc(ws, mirdal::test::testReporter());
       readClip(ws, "00000", mirdal::test::testReporter());
       return ws.clip;
     },
     [](Workspace& ws, Guesses g, const std::string&) { return saveClip(ws, mirdal::test::testReporter(), g); }},
    {"BD-J object", "BDMV/BDJO/00001.bdjo", [](Workspace& ws, const std::string&) -> DocumentBase& {
       readDisc(ws, mirdal::test::testReporter());
       readBdjo(ws, "00001", mirdal::test::testReporter());
       return ws.bdjo;
     },
     nullptr},
    {"menu", "menu/sample.mnu", [](Workspace& ws, const std::string& root) -> DocumentBase& {
       loadMenuFile(ws, root + "menu/sample.mnu", mirdal::test::testReporter());
       return ws.menu;
     },
     [](Workspace& ws, Guesses g, const std::string& root) { return saveMenuFile(ws, root + "menu/sample.mnu", mirdal::test::testReporter(), g); }},
};

Bytes fileBytes(const fs::path& p) {
  Bytes b;
  readFileBytes(p.string(), b);
  return b;
}

TEST(ReadErrors, EveryKindCutInHalfIsShownAsReadWithErrorsAndNotSavedUnlessAgreed) {
  for (const KindCase& k : kKinds) {
    SCOPED_TRACE(k.name);
    test::ReportScope s;
    test::TempDir d;
    fs::copy(kSampleDiscFolder, d.path(), fs::copy_options::recursive);
    const fs::path file = d.path() / k.file;
    Bytes cut = fileBytes(file);
    ASSERT_GT(cut.size(), 40u);
    cut.resize(cut.size() / 2);
    d.write(k.file, cut);

    Workspace ws;
    ws.disc.folder = d.folder() + "BDMV/";
    DocumentBase& doc = k.read(ws, d.folder());
    ASSERT_TRUE(doc.loaded()) << "what could be read is shown";
    EXPECT_TRUE(doc.readWithErrors());
    EXPECT_FALSE(doc.modified());
    // The status line keeps the error, not "Ready.".
    EXPECT_TRUE(mirdal::test::testReporter().status().errorMark) << mirdal::test::testReporter().status().panel[0] << "|" << mirdal::test::testReporter().status().panel[1];

    const std::string q = writeGuessesQuestion(ws, doc);
    EXPECT_NE(q.find(doc.fileName() + " was read with errors: " + doc.readErrors()), std::string::npos) << q;
    EXPECT_NE(q.find("guesses"), std::string::npos) << q;

    if (!k.save) continue;
    EXPECT_FALSE(k.save(ws, Guesses::Refuse, d.folder()));
    EXPECT_EQ(fileBytes(file), cut) << "nothing written";
    EXPECT_NE(s.rep.text().find(doc.fileName() + " was read with errors: not saved."), std::string::npos);
    // Once the user agreed, the guesses are written, laid out as a file
    // that reads whole.
    ASSERT_TRUE(k.save(ws, Guesses::Write, d.folder())) << s.rep.text();
    EXPECT_NE(fileBytes(file), cut);
    EXPECT_FALSE(doc.readWithErrors());
    DocumentBase& again = k.read(ws, d.folder());
    EXPECT_TRUE(again.loaded());
    EXPECT_FALSE(again.readWithErrors()) << again.readErrors();
  }
}

TEST(ReadErrors, AFileReadWholeIsNotMarkedAndSavesWithoutAsking) {
  test::ReportScope s;
  test::TempDir d;
  fs::copy(kSampleDiscFolder, d.path(), fs::copy_options::recursive);
  Workspace ws;
  ws.disc.folder = d.folder() + "BDMV/";
  ASSERT_TRUE(readDisc(ws, mirdal::test::testReporter()));
  ASSERT_TRUE(readPlaylist(ws, "00000", mirdal::test::testReporter()));
  ASSERT_TRUE(readClip(ws, "00000", mirdal::test::testReporter()));
  for (const DocumentBase* doc : ws.documents()) {
    if (!doc->loaded()) continue;
    EXPECT_FALSE(doc->readWithErrors()) << doc->kind() << ": " << doc->readErrors();
  }
  EXPECT_FALSE(mirdal::test::testReporter().status().errorMark);
  EXPECT_TRUE(savePlaylist(ws, mirdal::test::testReporter()));
  EXPECT_TRUE(saveClip(ws, mirdal::test::testReporter()));
}

TEST(ReadErrors, TheQuestionSaysWhatWouldBeWritten) {
  test::ReportScope s;
  test::TempDir d;
  fs::copy(kSampleDiscFolder, d.path(), fs::copy_options::recursive);
  Bytes cut = fileBytes(d.path() / "BDMV/PLAYLIST/00000.mpls");
  cut.resize(130);
  d.write("BDMV/PLAYLIST/00000.mpls", cut);
  Workspace ws;
  ws.disc.folder = d.folder() + "BDMV/";
  readDisc(ws, mirdal::test::testReporter());
  readPlaylist(ws, "00000", mirdal::test::testReporter());
  const Playlist& m = ws.playlist.model();
  const std::string q = writeGuessesQuestion(ws, ws.playlist);
  EXPECT_NE(q.find("00000.mpls was read with errors: 00000.mpls ends early at $00000082."), std::string::npos) << q;
  EXPECT_NE(q.find("00000.mpls (130 bytes now) is replaced by a playlist of " +
                   std::to_string(composePlaylist(m).size()) + " bytes"),
            std::string::npos)
      << q;
  EXPECT_NE(q.find(std::to_string(m.playlist.items.size()) + " PlayItem(s)"), std::string::npos) << q;
  // After the save the document is whole again, whatever the history.
  ASSERT_TRUE(savePlaylist(ws, mirdal::test::testReporter(), Guesses::Write));
  EXPECT_FALSE(ws.playlist.readWithErrors());
  EXPECT_FALSE(ws.playlist.modified());
}

}  // namespace
}  // namespace mirdal
