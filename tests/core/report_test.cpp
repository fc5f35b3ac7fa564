#include "core/report.h"

#include <gtest/gtest.h>

#include "support/recording_reporter.h"

namespace mirdal {
namespace {

using test::ReportScope;

TEST(Report, LogAppendsOneParagraphPerCall) {
  ReportScope s;
  mirdal::test::testReporter().log("a");
  mirdal::test::testReporter().logWithGap("b");
  EXPECT_EQ(s.rep.lines(), (std::vector<std::string>{" a", " b", " "}));
}

TEST(Report, SlogSetsPanelAndTooltip) {
  ReportScope s;
  mirdal::test::testReporter().setStatusPanel("[b]abc[/b]", 1);
  EXPECT_EQ(mirdal::test::testReporter().status().panel[1], " abc ");
  EXPECT_EQ(mirdal::test::testReporter().status().hint, "abc");
  mirdal::test::testReporter().setStatusPanel("xyz", 0);
  EXPECT_EQ(mirdal::test::testReporter().status().panel[0], " xyz ");
  EXPECT_EQ(mirdal::test::testReporter().status().hint, "abc") << "panel 0 leaves the tooltip alone";
  EXPECT_EQ(s.rep.status.panel[0], " xyz ") << "the reporter sees every change";
}

TEST(Report, DlogAndDlog0) {
  ReportScope s;
  mirdal::test::testReporter().setStatusPanel("old", 1);
  mirdal::test::testReporter().logAndStatus("[b]Reading[/b] x");
  EXPECT_EQ(mirdal::test::testReporter().status().panel[1], " Reading x ");
  mirdal::test::testReporter().logStep("Saving [bl]f[/bl]");
  EXPECT_EQ(mirdal::test::testReporter().status().panel[0], " Saving f ");
  EXPECT_EQ(mirdal::test::testReporter().status().panel[1], "");
  EXPECT_EQ(s.rep.paragraphs.size(), 2u);
}

TEST(Report, ErlogShowsMarkCountsAndBeeps) {
  ReportScope s;
  mirdal::test::testReporter().logError("X");
  ASSERT_EQ(s.rep.paragraphs.size(), 1u);
  const LogParagraph& p = s.rep.paragraphs[0];
  EXPECT_EQ(p.text, " ERROR: X");
  EXPECT_EQ(p.runs[1].color, LogColor::Red);
  EXPECT_TRUE(p.runs.back().bold);
  EXPECT_TRUE(mirdal::test::testReporter().status().errorMark);
  EXPECT_EQ(mirdal::test::testReporter().status().panel[1], " X");
  EXPECT_EQ(mirdal::test::testReporter().status().hint, "X");
  EXPECT_GT(mirdal::test::testReporter().errorCount(), 0);
  EXPECT_EQ(s.rep.exclamations, 1);

  mirdal::test::testReporter().setStatusReady();
  EXPECT_FALSE(mirdal::test::testReporter().status().errorMark);
  EXPECT_EQ(mirdal::test::testReporter().status().panel[0], " Ready. ");
  EXPECT_EQ(mirdal::test::testReporter().errorCount(), 1) << "Ready does not forget the error";
}

TEST(Report, ErslogTouchesOnlyTheStatusLine) {
  ReportScope s;
  mirdal::test::testReporter().setStatusError("See [b]Status[/b]");
  EXPECT_TRUE(s.rep.paragraphs.empty());
  EXPECT_TRUE(mirdal::test::testReporter().status().errorMark);
  EXPECT_EQ(mirdal::test::testReporter().status().panel[1], " See Status");
  EXPECT_EQ(mirdal::test::testReporter().errorCount(), 0);
}

TEST(Report, SlogwWaitsTheActivationDelayPumpingEvents) {
  ReportScope s;
  mirdal::test::testReporter().setActivationDelay(7);
  mirdal::test::testReporter().setStatusPanelAndWait("Jump Title 2", 1);
  EXPECT_EQ(mirdal::test::testReporter().status().panel[1], " Jump Title 2 ");
  EXPECT_EQ(s.rep.sleptMs, 7);
  EXPECT_EQ(s.rep.pumps, 7);
  mirdal::test::testReporter().setActivationDelay(500);
}

TEST(Report, CancelConfirmedStopsTheOperationAndShowsCancelled) {
  ReportScope s;
  CancelToken op;
  mirdal::test::testReporter().startProgress(op, true);
  EXPECT_TRUE(mirdal::test::testReporter().confirmCancel());
  EXPECT_FALSE(op.requested());
  EXPECT_TRUE(s.rep.progress.visible);
  EXPECT_TRUE(mirdal::test::testReporter().cancelRunning());
  EXPECT_TRUE(op.requested());
  EXPECT_EQ(s.rep.lines().back(), " ");
  EXPECT_EQ(mirdal::test::testReporter().status().panel[1], " Cancelled. ");
  mirdal::test::testReporter().endProgress();
  EXPECT_FALSE(s.rep.progress.visible);
}

// The cancel and the question belong to the long operation: none of them
// outlives it, and a Cancel reaches only the operation that runs.
TEST(Report, TheEndOfAnOperationClearsItsCancel) {
  ReportScope s;
  CancelToken first;
  mirdal::test::testReporter().startProgress(first, true, "Stop saving this PID?");
  EXPECT_EQ(mirdal::test::testReporter().cancelQuestion(), "Stop saving this PID?");
  mirdal::test::testReporter().cancelRunning();
  mirdal::test::testReporter().endProgress();
  EXPECT_TRUE(first.requested());
  EXPECT_FALSE(mirdal::test::testReporter().confirmCancel());
  EXPECT_EQ(mirdal::test::testReporter().cancelQuestion(), "Are you sure to stop?");
  EXPECT_FALSE(mirdal::test::testReporter().cancelRunning()) << "nothing runs";

  CancelToken second;
  {
    const RunningOperation running(s.rep, second);
    EXPECT_FALSE(mirdal::test::testReporter().confirmCancel()) << "an operation without a bar does not ask";
  }
  EXPECT_FALSE(s.rep.stopRunning());
  EXPECT_FALSE(second.requested());
}

// Each reporter keeps its own status line and error count: errors told to a
// capture do not count for the log around it.
TEST(Report, ReportersKeepTheirOwnErrorsAndStatus) {
  ReportScope s;
  test::RecordingReporter capture;
  {
    mirdal::test::ScopedTestReporter scope(capture);
    mirdal::test::testReporter().logError("inner");
    EXPECT_EQ(mirdal::test::testReporter().errorCount(), 1);
  }
  EXPECT_EQ(mirdal::test::testReporter().errorCount(), 0);
  EXPECT_FALSE(mirdal::test::testReporter().status().errorMark);
  capture.logError("direct");
  EXPECT_EQ(capture.errorCount(), 2);
  EXPECT_EQ(capture.lastErrorText(), "direct");
  EXPECT_TRUE(s.rep.paragraphs.empty());
}

struct ProgressCase {
  std::uint64_t done, total;
  long elapsedMs;
  const char* text;
  int percent;
};

class ProgressTest : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(ProgressTest, TextAndBar) {
  const auto& c = GetParam();
  const ProgressReport r = progressReport(c.done, c.total, std::chrono::milliseconds(c.elapsedMs));
  EXPECT_EQ(r.text, c.text);
  EXPECT_EQ(r.percent, c.percent);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, ProgressTest,
    ::testing::Values(
        ProgressCase{1000, 4000, 10000, "Packet: 1000/4000   Elapsed: 0:00:10   Remaining: 0:00:31", 25},
        // Nothing done yet: no estimate, and no division by zero.
        ProgressCase{0, 4000, 5000, "Packet: 0/4000   Elapsed: 0:00:05   Remaining: 0:00:00", 0},
        ProgressCase{4000, 4000, 3723000, "Packet: 4000/4000   Elapsed: 1:02:03   Remaining: 0:00:01", 100},
        // Hours past a day wrap like a clock.
        ProgressCase{1, 2, 25L * 3600 * 1000, "Packet: 1/2   Elapsed: 1:00:00   Remaining: 1:00:01", 50},
        ProgressCase{5, 0, 0, "Packet: 5/0   Elapsed: 0:00:00   Remaining: 0:00:01", 0}));

}  // namespace
}  // namespace mirdal

namespace mirdal {
namespace {

// A warning is told, but it is no error: the savers' error flag, the error
// count of a Read and the status line's error mark stay as they were.
TEST(Report, WarningIsToldWithoutBeingAnError) {
  struct Warnings final : test::RecordingReporter {
    void appendWarningParagraph(const LogParagraph& p) override {
      warned.push_back(p.text);
      RecordingReporter::appendWarningParagraph(p);
    }
    std::vector<std::string> warned;
  } rep;
  mirdal::test::ScopedTestReporter scope(rep);
  mirdal::test::testReporter().resetErrorCount();
  mirdal::test::testReporter().setStatusReady();
  mirdal::test::testReporter().logWarning("segment of type $81 kept as read");
  EXPECT_EQ(rep.warned, std::vector<std::string>{" Warning: segment of type $81 kept as read"});
  EXPECT_EQ(rep.lines(), rep.warned) << "in the log like any line";
  EXPECT_EQ(mirdal::test::testReporter().errorCount(), 0);
  EXPECT_EQ(mirdal::test::testReporter().errorCount(), 0);
  EXPECT_FALSE(mirdal::test::testReporter().status().errorMark);
}

}  // namespace
}  // namespace mirdal
