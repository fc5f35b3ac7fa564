// Each operation tells the reporter its caller hands it and no other: the
// GUI's log and the command line's standard error never see each other's
// lines, error counts or Cancel.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/report.h"
#include "documents/disc_files.h"
#include "documents/disc_read.h"
#include "documents/menu_files.h"
#include "support/byte_builder.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::RecordingReporter;
using test::ReportScope;
using test::TempDir;

TEST(SeparateReporters, AnOperationTellsOnlyTheReporterItIsHanded) {
  const struct {
    const char* name;
    std::function<void(Workspace&, const TempDir&, Reporter&)> run;
    const char* line;  // a line of its log
    int errors;
  } cases[] = {
      {"a Read of a folder without index",
       [](Workspace& ws, const TempDir& d, Reporter& r) {
         ws.disc.folder = d.folder();
         readDisc(ws, r);
       },
       "ERROR: Check failed.", 1},
      {"a Read of a bad index",
       [](Workspace& ws, const TempDir& d, Reporter& r) {
         d.write("BDMV/index.bdmv", test::ByteBuilder().str("INDX0400").zeros(100));
         ws.disc.folder = d.folder() + "BDMV/";
         readIndex(ws, r);
       },
       "ERROR: index.bdmv format error at $00000008", 1},
      {"a playlist that is not there",
       [](Workspace& ws, const TempDir& d, Reporter& r) {
         ws.disc.folder = d.folder();
         readPlaylist(ws, "00042", r);
       },
       "Reading 00042.mpls", 1},
      {"a menu file of another kind",
       [](Workspace& ws, const TempDir& d, Reporter& r) { loadMenuFile(ws, d.folder() + "menu.txt", r); },
       "ERROR: menu.txt is neither a menu file (.mnu) nor a stream file (.m2ts, .MTS).", 1},
      {"a save without a menu",
       [](Workspace& ws, const TempDir& d, Reporter& r) { saveMenuFile(ws, d.folder() + "out.mnu", r); },
       "No menu is loaded: nothing saved.", 0},
  };
  for (const auto& c : cases) {
    // The other front end's reporter, installed for the test as the GUI's is.
    ReportScope other;
    RecordingReporter mine;
    TempDir d;
    Workspace ws;
    c.run(ws, d, mine);
    EXPECT_NE(mine.text().find(c.line), std::string::npos) << c.name << "\n" << mine.text();
    EXPECT_EQ(mine.errorCount(), c.errors) << c.name;
    EXPECT_TRUE(other.rep.paragraphs.empty()) << c.name << "\n" << other.rep.text();
    EXPECT_EQ(other.rep.errorCount(), 0) << c.name;
    EXPECT_EQ(other.rep.statusUpdates, 0) << c.name;
  }
}

TEST(SeparateReporters, CancelStopsOnlyTheOperationOfItsOwnReporter) {
  RecordingReporter gui, cli;
  CancelToken running;
  const RunningOperation op(gui, running);
  EXPECT_FALSE(cli.stopRunning()) << "nothing runs for the other reporter";
  EXPECT_FALSE(running.requested());
  EXPECT_TRUE(gui.stopRunning());
  EXPECT_TRUE(running.requested());
}

TEST(SeparateReporters, ErrorCountsAndTheWaitOfOneReporterStayItsOwn) {
  RecordingReporter a, b;
  a.setActivationDelay(0);
  a.logError("first");
  a.setStatusStepEnd();
  b.setStatusPanelAndWait("x", 1);
  EXPECT_EQ(a.errorCount(), 1);
  EXPECT_EQ(b.errorCount(), 0);
  EXPECT_EQ(b.sleptMs, 500) << "the other reporter keeps the default activation delay";
  EXPECT_TRUE(a.status.errorMark);
  EXPECT_FALSE(b.status.errorMark);
}

}  // namespace
}  // namespace mirdal
