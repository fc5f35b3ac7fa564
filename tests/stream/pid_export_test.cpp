#include "stream/pid_export.h"

#include <gtest/gtest.h>

#include "menu/igs_read.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "support/ts_builder.h"

namespace mirdal {
namespace {

TEST(PidExport, ModeFollowsThePidAndTheOptions) {
  struct Case {
    std::uint16_t pid;
    bool pes, sup, mnu;
    ExportMode mode;
    const char* ext;
  } cases[] = {
      {0x1011, false, true, true, ExportMode::Elementary, "vis"},
      {0x1012, false, true, true, ExportMode::Elementary, ""},
      {0x1100, false, true, true, ExportMode::Elementary, "aus"},
      {0x1100, true, true, true, ExportMode::PES, "PES.aus"},
      {0x1B00, false, true, true, ExportMode::Elementary, "svs"},
      {0x1A01, false, true, true, ExportMode::Elementary, "sas"},
      {0x1200, false, true, true, ExportMode::SUP, "sup"},
      {0x1200, true, true, true, ExportMode::SUP, "sup"},  // SUP wins over PES
      {0x1200, false, false, true, ExportMode::Elementary, "pgs"},
      {0x1400, false, true, true, ExportMode::MNU, "mnu"},
      {0x1400, true, true, true, ExportMode::PES, "PES.igs"},  // PES wins over MNU
      {0x1400, false, true, false, ExportMode::Elementary, "igs"},
      {0x1800, false, true, true, ExportMode::Elementary, "txs"},
      {0x0100, true, true, true, ExportMode::PES, "PES."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pid);
    const ExportMode m = chooseExportMode(c.pid, c.pes, c.sup, c.mnu);
    EXPECT_EQ(m, c.mode);
    EXPECT_EQ(exportExtension(c.pid, m), c.ext);
  }
}

TEST(PidExport, FileNameJoinsTheRowTexts) {
  struct Case {
    std::string folder, pid, type, details;
    std::uint16_t pidValue;
    ExportMode mode;
    std::string name;
  } cases[] = {
      {"", "1200", "PG", "eng", 0x1200, ExportMode::SUP, "00001_PID1200_PG_eng.sup"},
      {"/out", "1100", "Dolby Digital", "Stereo, 48 kHz, eng", 0x1100, ExportMode::Elementary,
       "/out/00001_PID1100_Dolby_Digital_Stereo_48_kHz_eng.aus"},
      {"/out/", "1011", "MPEG-4 AVC", "1080p, 23.976, 16:9", 0x1011, ExportMode::PES,
       "/out/00001_PID1011_MPEG-4_AVC_1080p_23.976_16_9.PES.vis"},
      // A stream outside a disc folder has no row texts but the PID.
      {"", "1100", "", "", 0x1100, ExportMode::PES, "00001_PID1100.PES.aus"},
      {"", "1200", "PG", "", 0x1200, ExportMode::SUP, "00001_PID1200_PG.sup"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(exportFileName(c.folder, "00001", c.pid, c.type, c.details, c.pidValue, c.mode), c.name);
}

TEST(PidExport, PidTextIsHexadecimalOrZero) {
  struct Case {
    const char* text;
    std::uint16_t pid;
  } cases[] = {{"1400", 0x1400}, {"1a01", 0x1A01}, {"14G0", 0}, {"", 0}, {" 1400", 0}};
  for (const Case& c : cases) EXPECT_EQ(parsePidText(c.text), c.pid) << c.text;
}

TEST(PidExport, RunLogsTheCountOrTheCancel) {
  test::TempDir dir;
  test::TsBuilder ts;
  // 1000 packets of which 10 carry the PID.
  for (int i = 0; i < 10; ++i) {
    ts.pes(0x1100, 0xBD, std::vector<std::uint8_t>(100, std::uint8_t(i)), 1000 * i);
    ts.nullPackets(99);
  }
  ts.data()[192 * 5 + 4] = 0;  // one null packet without sync byte
  const std::string in = dir.write("s.m2ts", ts.data()).string();
  DemuxOptions o;
  o.pid = 0x1100;
  {
    test::ReportScope rs;
    CancelToken cancel;
    const DemuxResult res = exportPid(in, dir.folder() + "a.aus", o, cancel, mirdal::test::testReporter());
    EXPECT_EQ(res.pidPackets, 10u);
    const auto lines = rs.rep.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], " ");
    EXPECT_EQ(lines[1], " Saving " + dir.folder() + "a.aus ...");
    EXPECT_EQ(lines[2], " 10 source packets saved. (0:00:00) 1 packet(s) without sync byte skipped.");
    EXPECT_FALSE(rs.rep.progress.visible);
    EXPECT_EQ(rs.rep.status.panel[0], " Ready. ");
  }
  {
    test::ReportScope rs;
    // The Cancel button's confirmed half stops the export that runs.
    rs.rep.onPump = [] { mirdal::test::testReporter().cancelRunning(); };
    CancelToken cancel;
    exportPid(in, dir.folder() + "b.aus", o, cancel, mirdal::test::testReporter());
    EXPECT_TRUE(cancel.requested());
    EXPECT_EQ(rs.rep.lines().back(), " Saving cancelled.");
    EXPECT_EQ(dir.read("b.aus").size(), 400u);  // PES packets before packet 341
  }
}

// A cancel belongs to the export it stopped: the menu loaded after a
// cancelled Save PID is loaded, not "cancelled".
TEST(PidExport, ACancelEndsWithTheExportItStopped) {
  test::TempDir dir;
  test::TsBuilder ts;
  for (int i = 0; i < 2000; ++i) ts.pes(0x1100, 0xBD, std::vector<std::uint8_t>(100, std::uint8_t(i)), 90000 + i);
  const std::string in = dir.write("s.m2ts", ts.data()).string();
  test::ReportScope rs;
  rs.rep.onPump = [] { mirdal::test::testReporter().cancelRunning(); };
  DemuxOptions o;
  o.pid = 0x1100;
  CancelToken cancel;
  EXPECT_TRUE(exportPid(in, dir.folder() + "a.aus", o, cancel, mirdal::test::testReporter()).cancelled);
  rs.rep.onPump = nullptr;
  // A Cancel after the export's end has nothing to stop.
  EXPECT_FALSE(mirdal::test::testReporter().cancelRunning());
  IgMenu m;
  EXPECT_FALSE(parseMnu({}, m, mirdal::test::testReporter()).cancelled);
  // The next export runs to its end.
  CancelToken next;
  EXPECT_FALSE(exportPid(in, dir.folder() + "b.aus", o, next, mirdal::test::testReporter()).cancelled);
}

// Save PID asks its own question before a Cancel stops it, and no other
// operation inherits it.
TEST(PidExport, CancelAsksAboutThePid) {
  test::TempDir dir;
  test::TsBuilder ts;
  ts.pes(0x1100, 0xBD, std::vector<std::uint8_t>(100, 1), 90000);
  ts.nullPackets(400);
  const std::string in = dir.write("s.m2ts", ts.data()).string();
  test::ReportScope rs;
  std::string asked;
  rs.rep.onPump = [&] { asked = mirdal::test::testReporter().confirmCancel() ? mirdal::test::testReporter().cancelQuestion() : "no question"; };
  DemuxOptions o;
  o.pid = 0x1100;
  CancelToken cancel;
  exportPid(in, dir.folder() + "a.aus", o, cancel, mirdal::test::testReporter());
  EXPECT_EQ(asked, "Stop saving this PID?");
  EXPECT_FALSE(mirdal::test::testReporter().confirmCancel());
  EXPECT_EQ(mirdal::test::testReporter().cancelQuestion(), kDefaultCancelQuestion);
}

// A stream without the PID writes nothing and says so; a file of that name
// stays as it was.
TEST(PidExport, AnAbsentPidWritesNothing) {
  test::TempDir dir;
  test::TsBuilder ts;
  ts.pes(0x1100, 0xBD, std::vector<std::uint8_t>(100, 1), 90000);
  const std::string in = dir.write("s.m2ts", ts.data()).string();
  dir.write("old.aus", std::string("old"));
  test::ReportScope rs;
  DemuxOptions o;
  o.pid = 0x1101;
  for (const char* name : {"new.aus", "old.aus"}) {
    SCOPED_TRACE(name);
    CancelToken cancel;
    const DemuxResult res = exportPid(in, dir.folder() + name, o, cancel, mirdal::test::testReporter());
    EXPECT_TRUE(res.failed);
    EXPECT_NE(rs.rep.text().find("The stream has no packets of PID 0x1101: nothing written."), std::string::npos);
    EXPECT_EQ(rs.rep.text().find("source packets saved"), std::string::npos);
  }
  EXPECT_FALSE(dir.exists("new.aus"));
  EXPECT_EQ(dir.read("old.aus"), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
}

}  // namespace
}  // namespace mirdal
