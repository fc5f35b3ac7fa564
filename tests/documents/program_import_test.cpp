#include "documents/program_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iostream>

#include "core/fields.h"
#include "formats/bdmv/movie_objects.h"
#include "menu/igs_read.h"
#include "menu/mnu_builder.h"
#include "nav/command_text.h"
#include "nav/program_export.h"
#include "nav/program_text.h"
#include "support/recording_reporter.h"
#include "support/shared_samples.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;

const fs::path kSampleDisc = fs::path(MIRDAL_SOURCE_DIR) / "samples/disc";

CommandList program(std::string_view text) {
  const ProgramText t = assembleProgram(text);
  EXPECT_FALSE(t.error) << (t.error ? t.error->message() : "");
  return t.commands;
}

MovieObjectFile objectsWith(std::vector<CommandList> programs) {
  MovieObjectFile m;
  m.movieObjects.objects.resize(programs.size());
  for (std::size_t i = 0; i < programs.size(); ++i) m.movieObjects.objects[i].commands = programs[i];
  return m;
}

TEST(ProgramImport, ReplacesOrInsertsAsOneUndoStep) {
  const CommandList before = program("GoTo 2\nNOP\nBreak\n");
  struct Case {
    std::optional<std::size_t> at;
    CommandList after;
    LineSelection selection;
  };
  const Case cases[] = {
      {std::nullopt, program("Move GPR1, 2\nGoTo 0\n"), {0, 1}},
      // The old GoTo 2 and the new GoTo 0 both point past the insertion.
      {0, program("Move GPR1, 2\nGoTo 2\nGoTo 4\nNOP\nBreak\n"), {0, 1}},
      {1, program("GoTo 4\nMove GPR1, 2\nGoTo 0\nNOP\nBreak\n"), {1, 2}},
      {3, program("GoTo 2\nNOP\nBreak\nMove GPR1, 2\nGoTo 0\n"), {3, 4}},
  };
  for (const Case& c : cases) {
    Document<MovieObjectFile> doc("movie objects");
    MovieObjectFile m = objectsWith({{}, before});
    m.movieObjects.length = 6 + 4 + 4 + 12 * 3;
    doc.load(m, "MovieObject.bdmv", true);
    const ProgramImport r = importObjectProgram(doc, 1, program("Move GPR1, 2\nGoTo 0"), c.at);
    ASSERT_TRUE(r.done) << r.refusal;
    EXPECT_EQ(doc.model().movieObjects.objects[1].commands, c.after);
    EXPECT_EQ(doc.model().movieObjects.length, 6 + 4 + 4 + 12 * c.after.size());
    EXPECT_EQ(r.selection.first, c.selection.first);
    EXPECT_EQ(r.selection.last, c.selection.last);
    EXPECT_TRUE(doc.modified());
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.model(), m);
    EXPECT_FALSE(doc.canUndo());
  }
}

TEST(ProgramImport, RefusalsChangeNothing) {
  Document<MovieObjectFile> doc("movie objects");
  doc.load(objectsWith({program("NOP\nNOP")}), "MovieObject.bdmv", true);
  const CommandList one = program("NOP");
  struct Case {
    std::size_t object;
    CommandList lines;
    std::optional<std::size_t> at;
    const char* refusal;
  };
  const Case cases[] = {
      {1, one, std::nullopt, "there is no movie object 1"},
      {0, one, 3, "line 3 lies beyond the end of the program (2 commands; the last place to insert is line 2)"},
      {0, CommandList(9998, NavCommand{}), 0, "the program would hold 10000 commands; at most 9999 can be edited"},
      {0, {}, std::nullopt, "no command to import"},
  };
  for (const Case& c : cases) {
    const ProgramImport r = importObjectProgram(doc, c.object, c.lines, c.at);
    EXPECT_FALSE(r.done);
    EXPECT_EQ(r.refusal, c.refusal);
    EXPECT_FALSE(doc.modified());
    EXPECT_FALSE(doc.canUndo());
  }
  // 9999 commands in all are still taken.
  EXPECT_TRUE(importObjectProgram(doc, 0, CommandList(9997, NavCommand{}), 2).done);
}

TEST(ProgramImport, ButtonCommands) {
  Document<IgMenu> doc("menu");
  IgMenu m;
  m.ics.pages.resize(1);
  m.ics.pages[0].bogs.resize(2);
  m.ics.pages[0].bogs[1].buttons.resize(1);
  m.ics.pages[0].bogs[1].buttons[0].commands = program("SetButtonPage 1, (0)");
  doc.load(m, "menu.mnu", true);
  EXPECT_EQ(importButtonProgram(doc, 0, 0, 0, program("NOP"), std::nullopt).refusal,
            "there is no button 0 in BOG 0 of page 0");
  const ProgramImport r = importButtonProgram(doc, 0, 1, 0, program("Move GPR1, 1\nEnableButton 2"), 0);
  ASSERT_TRUE(r.done) << r.refusal;
  EXPECT_EQ(doc.model().ics.pages[0].bogs[1].buttons[0].commands,
            program("Move GPR1, 1\nEnableButton 2\nSetButtonPage 1, (0)"));
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(doc.model().ics, m.ics);
}

// Every program of a MovieObject.bdmv: its command lines assemble to words
// that read the same, and its exported list imported over it gives back
// the file's bytes. Returns the number of commands.
std::size_t roundTripMovieObjects(const fs::path& file) {
  Bytes bytes;
  if (!readFileBytes(file.string(), bytes)) return 0;
  MovieObjectFile m;
  {
    test::ReportScope rs;
    if (parseMovieObjects(bytes, m).status != ReadStatus::Ok) return 0;  // an unreadable file
  }
  EXPECT_EQ(composeMovieObjects(m), bytes) << file;
  Document<MovieObjectFile> doc("movie objects");
  doc.load(m, file.filename().string(), true);
  std::size_t commands = 0, bitsLost = 0;
  const auto& objects = m.movieObjects.objects;
  for (std::size_t o = 0; o < objects.size(); ++o) {
    const CommandList& p = objects[o].commands;
    if (p.empty()) continue;
    commands += p.size();
    const CommandList bare = program(commandLinesText(p, 0, p.size() - 1, CommandContext::MovieObject));
    EXPECT_EQ(bare.size(), p.size()) << file << " object " << o;
    for (std::size_t i = 0; i < p.size() && i < bare.size(); ++i) {
      EXPECT_EQ(commandLine(bare[i], CommandContext::MovieObject), commandLine(p[i], CommandContext::MovieObject))
          << file << " object " << o << " line " << i;
      bitsLost += bare[i] != p[i];
    }
    const ProgramText listed = assembleProgram(programList(p));
    EXPECT_FALSE(listed.error) << file << " object " << o << ": " << listed.error->message();
    EXPECT_EQ(listed.commands, p) << file << " object " << o;
    const ProgramImport r = importObjectProgram(doc, o, listed.commands, std::nullopt);
    EXPECT_FALSE(r.refusal.empty() && !r.done) << file;
  }
  EXPECT_EQ(composeMovieObjects(doc.model()), bytes) << file;
  std::cout << file.filename().string() << " of " << file.parent_path().filename().string() << ": " << commands
            << " commands, " << bitsLost << " with bits a command line does not carry\n";
  return commands;
}

// Every button's commands of a menu, as bare lines and as a list.
std::size_t roundTripButtons(const IgMenu& m, const std::string& name) {
  std::size_t commands = 0;
  for (const IgPage& page : m.ics.pages)
    for (const Bog& g : page.bogs)
      for (const IgButton& b : g.buttons) {
        const CommandList& p = b.commands;
        if (p.empty()) continue;
        commands += p.size();
        const CommandList bare = program(commandLinesText(p, 0, p.size() - 1, CommandContext::ButtonCommands));
        EXPECT_EQ(bare.size(), p.size()) << name;
        for (std::size_t i = 0; i < p.size() && i < bare.size(); ++i)
          EXPECT_EQ(commandLine(bare[i], CommandContext::ButtonCommands),
                    commandLine(p[i], CommandContext::ButtonCommands))
              << name << " button " << b.buttonId << " line " << i;
        EXPECT_EQ(program(programList(p, CommandContext::ButtonCommands)), p) << name << " button " << b.buttonId;
      }
  return commands;
}

TEST(ProgramImport, SampleDiscRoundTrips) {
  EXPECT_GT(roundTripMovieObjects(kSampleDisc / "BDMV/MovieObject.bdmv"), 30u);
  Bytes mnu;
  ASSERT_TRUE(readFileBytes((kSampleDisc / "menu/sample.mnu").string(), mnu));
  IgMenu m;
  test::ReportScope rs;
  ASSERT_EQ(parseMnu(mnu, m, mirdal::test::testReporter()).status, ReadStatus::Ok);
  EXPECT_GT(roundTripButtons(m, "sample.mnu"), 5u);
}

TEST(ProgramImport, RealDiscsRoundTrip) {
  const fs::path root = test::sharedSamples();
  if (root.empty()) GTEST_SKIP() << "no shared samples folder";
  std::size_t commands = 0;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    const std::string name = e.path().filename().string();
    if (e.path().parent_path().filename() == "BACKUP") continue;
    if (name == "MovieObject.bdmv" || name == "MOVIEOBJ.BDM") commands += roundTripMovieObjects(e.path());
  }
  for (const char* file : {"commercial-metadata/disc24/ics_menu.bin", "commercial-metadata/ics/disc10_ics_menu.bin"}) {
    Bytes body;
    if (!readFileBytes((root / file).string(), body)) continue;
    test::ByteBuilder mnu;
    test::addSegment(mnu, 0x18, body, 5400000, 5390000);
    test::addSegment(mnu, 0x80, {}, 5400000);
    IgMenu m;
    test::ReportScope rs;
    ASSERT_EQ(parseMnu(mnu.data(), m, mirdal::test::testReporter()).status, ReadStatus::Ok) << file;
    commands += roundTripButtons(m, file);
  }
  EXPECT_GT(commands, 1000u);
}

}  // namespace
}  // namespace mirdal
