#include "formats/bdmv/bdmv_edit.h"

#include <gtest/gtest.h>

#include "core/report.h"
#include "support/bdmv_files.h"
#include "present/bdmv_rows.h"
#include "support/recording_reporter.h"

namespace mirdal {
namespace {

using test::ByteBuilder;
using test::IndexEntryBytes;

IndexEntryBytes hdmvEntry(std::uint16_t ref) { return {1, 0, 0, ref, ""}; }
IndexEntryBytes bdjEntry(const std::string& name) { return {2, 0, 0, 0, name}; }
const IndexEntryBytes kOffEntry{1, 0, 0, 0xFFFF, ""};

IndexFile indexOf(const std::vector<IndexEntryBytes>& titles, bool withExtensionData = false) {
  IndexFile idx;
  const Bytes file = test::indexFile("0200", kOffEntry, kOffEntry, titles,
                                     withExtensionData ? test::extensionData({{1, 1, {7}}}) : Bytes{});
  EXPECT_EQ(parseIndex(file, idx).status, ReadStatus::Ok);
  return idx;
}

MovieObjectFile objectsOf(const std::vector<test::ObjectBytes>& objects, bool withExtensionData = false) {
  MovieObjectFile m;
  const Bytes file =
      test::movieObjectFile("0200", objects, withExtensionData ? test::extensionData({{1, 1, {7}}}) : Bytes{});
  EXPECT_EQ(parseMovieObjects(file, m).status, ReadStatus::Ok);
  return m;
}

std::vector<std::uint16_t> refs(const IndexFile& idx) {
  std::vector<std::uint16_t> r;
  for (const auto& t : idx.indexes.titles) r.push_back(t.movieObjectReference);
  return r;
}

TEST(TitleEdit, InsertAfterTheSelectedTitle) {
  IndexFile idx = indexOf({hdmvEntry(5), hdmvEntry(6), hdmvEntry(7)}, true);
  const std::uint32_t length = idx.indexes.length, ext = idx.extensionDataStartAddress;
  ASSERT_TRUE(insertTitle(idx, 2));  // title 2 selected
  ASSERT_EQ(idx.indexes.titles.size(), 4u);
  EXPECT_EQ(refs(idx), (std::vector<std::uint16_t>{5, 6, 0, 7}));
  for (unsigned i = 0; i < 4; ++i) EXPECT_EQ(idx.indexes.titles[i].titleNumber, i + 1);
  EXPECT_EQ(titleRow(idx, 2), (std::array<std::string, 5>{"003", "HDMV", "Permitted", "Movie", "0"}));
  EXPECT_EQ(idx.indexes.length, length + 12);
  EXPECT_EQ(idx.extensionDataStartAddress, ext + 12);
}

TEST(TitleEdit, EditedIndexIsWrittenWithConsistentLengthsAndAddresses) {
  // Insert into one file, delete from another: the results must be the
  // files laid out with those titles from the start.
  IndexFile idx = indexOf({hdmvEntry(1), bdjEntry("00001")}, true);
  ASSERT_TRUE(insertTitle(idx, 0));
  idx.indexes.titles[0].movieObjectReference = 4;
  EXPECT_EQ(composeIndex(idx),
            test::indexFile("0200", kOffEntry, kOffEntry, {hdmvEntry(4), hdmvEntry(1), bdjEntry("00001")},
                            test::extensionData({{1, 1, {7}}}))
                .data());
  EXPECT_EQ(deleteTitles(idx, 1, 2), 0u);
  EXPECT_EQ(composeIndex(idx),
            test::indexFile("0200", kOffEntry, kOffEntry, {hdmvEntry(4)}, test::extensionData({{1, 1, {7}}})).data());
}

TEST(TitleEdit, InsertIntoAnEmptyTableAndAtTheLimit) {
  IndexFile idx = indexOf({});
  ASSERT_TRUE(insertTitle(idx, 0));
  EXPECT_EQ(idx.indexes.titles[0], IndexTitle{});
  EXPECT_EQ(idx.extensionDataStartAddress, 0u) << "0 stays 0";
  idx.indexes.titles.resize(kMaxTitles);
  EXPECT_FALSE(insertTitle(idx, 3)) << "a file holds at most 999 titles";
  EXPECT_EQ(idx.indexes.titles.size(), kMaxTitles);
}

TEST(TitleEdit, DeleteRenumbersAndSelects) {
  struct Case {
    std::size_t first, last;
    std::size_t select;
    std::vector<std::uint16_t> left;
  };
  for (const Case& c : std::vector<Case>{{0, 0, 0, {2, 3}},
                                         {1, 1, 0, {1, 3}},
                                         {2, 2, 1, {1, 2}},
                                         {1, 2, 0, {1}},
                                         {0, 2, kNoSelection, {}}}) {
    IndexFile idx = indexOf({hdmvEntry(1), hdmvEntry(2), hdmvEntry(3)}, true);
    const std::uint32_t length = idx.indexes.length, ext = idx.extensionDataStartAddress;
    EXPECT_EQ(deleteTitles(idx, c.first, c.last), c.select);
    EXPECT_EQ(refs(idx), c.left);
    for (unsigned i = 0; i < idx.indexes.titles.size(); ++i) EXPECT_EQ(idx.indexes.titles[i].titleNumber, i + 1);
    const std::uint32_t removed = 12 * std::uint32_t(c.last - c.first + 1);
    EXPECT_EQ(idx.indexes.length, length - removed);
    EXPECT_EQ(idx.extensionDataStartAddress, ext - removed);
  }
  IndexFile empty = indexOf({});
  EXPECT_EQ(deleteTitles(empty, 0, 0), kNoSelection);
  EXPECT_EQ(empty.indexes.length, 26u) << "deleting from an empty table does nothing";
}

TEST(TitleEdit, EditorsWriteTheTitle) {
  IndexFile idx = indexOf({hdmvEntry(1)});
  setTitleObjectType(idx, 0, ObjectType::BDJ);
  setTitleBdjName(idx, 0, "00002x");
  setTitleAccessType(idx, 0, AccessType::Prohibited2);
  setTitlePlaybackType(idx, 0, TitlePlaybackType::Interactive);
  EXPECT_EQ(titleRow(idx, 0), (std::array<std::string, 5>{"001", "BD-J", "Prohibited2", "Interactive", "00002"}));
  setTitleObjectType(idx, 0, ObjectType::HDMV);
  setTitleObject(idx, 0, 9);
  setTitleAccessType(idx, 0, AccessType::Permitted);
  EXPECT_EQ(titleRow(idx, 0), (std::array<std::string, 5>{"001", "HDMV", "Permitted", "Interactive", "9"}));
  EXPECT_EQ(idx.indexes.titles[0].accessType, 0) << "choosing Permitted stores 0";
  EXPECT_EQ(accessTypeItem(1), 0);
  EXPECT_EQ(accessTypeItem(3), 2);
}

TEST(FirstPlaybackTopMenu, OnOffTypeAndCounter) {
  IndexFile idx = indexOf({hdmvEntry(0), hdmvEntry(1)});
  EXPECT_EQ(titleCounter(idx), "2 titles");
  setEntryOn(idx.indexes.firstPlayback, true, 3);
  EXPECT_EQ(idx.indexes.firstPlayback.movieObjectReference, 3);
  EXPECT_EQ(titleCounter(idx), "2 + 1 titles");
  setEntryOn(idx.indexes.topMenu, true, 0);
  EXPECT_EQ(bdmvLabels(idx, objectsOf({{0, {}}, {0, {}}})).titles, "2 + 2 titles");
  EXPECT_EQ(bdmvLabels(idx, objectsOf({{0, {}}, {0, {}}})).objects, "2 objects");
  setEntryObjectType(idx.indexes.topMenu, ObjectType::BDJ);
  setEntryBdjName(idx.indexes.topMenu, "00001");
  EXPECT_EQ(titleCounter(idx), "2 + 2 titles");

  // Turning a BD-J entry off must make the file say "none".
  setEntryOn(idx.indexes.topMenu, false, 0);
  EXPECT_EQ(titleCounter(idx), "2 + 1 titles");
  IndexFile again;
  ASSERT_EQ(parseIndex(composeIndex(idx), again).status, ReadStatus::Ok);
  EXPECT_FALSE(entryIsOn(again.indexes.topMenu));
  EXPECT_EQ(again.indexes.firstPlayback.movieObjectReference, 3);
}

TEST(ObjectEdit, InsertKeepsReferencesAndAddsFourBytes) {
  MovieObjectFile m = objectsOf({{0, {{1, 2, 3}}}, {0x8000, {}}}, true);
  IndexFile idx = indexOf({hdmvEntry(1)});
  const std::uint32_t length = m.movieObjects.length, ext = m.extensionDataStartAddress;
  ASSERT_TRUE(insertMovieObject(m, 1));  // after object 0
  ASSERT_EQ(m.movieObjects.objects.size(), 3u);
  EXPECT_EQ(m.movieObjects.objects[1], MovieObject{});
  EXPECT_EQ(m.movieObjects.objects[2].resumeIntentionFlag, 1);
  EXPECT_EQ(idx.indexes.titles[0].movieObjectReference, 1) << "now the new empty object";
  EXPECT_EQ(m.movieObjects.length, length + 4);
  EXPECT_EQ(m.extensionDataStartAddress, ext + 4);
  EXPECT_EQ(composeMovieObjects(m),
            test::movieObjectFile("0200", {{0, {{1, 2, 3}}}, {0, {}}, {0x8000, {}}},
                                  test::extensionData({{1, 1, {7}}}))
                .data());
}

TEST(ObjectEdit, DeleteMaintainsTitleReferences) {
  test::ReportScope s;
  std::vector<test::ObjectBytes> six(6);
  six[2].commands = {{1, 1, 1}, {2, 2, 2}};
  MovieObjectFile m = objectsOf(six, true);
  IndexFile idx = indexOf({hdmvEntry(5), hdmvEntry(2), hdmvEntry(1), bdjEntry("00002"), hdmvEntry(0xFFFF)});
  const std::uint32_t length = m.movieObjects.length, ext = m.extensionDataStartAddress;

  const ObjectDeletion del = deleteMovieObjects(m, idx, 2, 2, mirdal::test::testReporter());
  EXPECT_EQ(m.movieObjects.objects.size(), 5u);
  EXPECT_EQ(refs(idx), (std::vector<std::uint16_t>{4, 0xFFFF, 1, 0, 0xFFFF}));
  EXPECT_EQ(titleRow(idx, 1)[4], "??");
  EXPECT_EQ(del.invalidTitles, (std::vector<unsigned>{2, 5}));
  EXPECT_EQ(del.select, 1u);
  EXPECT_EQ(m.movieObjects.length, length - 4 - 24);
  EXPECT_EQ(m.extensionDataStartAddress, ext - 28);
  EXPECT_EQ(s.rep.lines(), (std::vector<std::string>{" ERROR: Invalid object reference in Title 2",
                                                      " ERROR: Invalid object reference in Title 5"}));
  EXPECT_EQ(mirdal::test::testReporter().status().panel[1], " See Status");
  EXPECT_TRUE(mirdal::test::testReporter().status().errorMark);
}

TEST(ObjectEdit, DeletingTheOnlyObjectReportsEveryHdmvTitle) {
  test::ReportScope s;
  MovieObjectFile m = objectsOf({{0, {}}});
  IndexFile idx = indexOf({hdmvEntry(0), bdjEntry("00001"), hdmvEntry(7)});
  idx.indexes.firstPlayback.movieObjectReference = 0;
  const ObjectDeletion del = deleteMovieObjects(m, idx, 0, 0, mirdal::test::testReporter());
  EXPECT_EQ(del.select, kNoSelection);
  EXPECT_EQ(del.invalidTitles, (std::vector<unsigned>{1, 3}));
  EXPECT_EQ(refs(idx), (std::vector<std::uint16_t>{0xFFFF, 0, 6}));
  EXPECT_EQ(idx.indexes.firstPlayback.movieObjectReference, 0) << "First Playback is not changed";
  EXPECT_EQ(m.movieObjects.length, 6u);
}

TEST(ObjectEdit, NothingToDelete) {
  test::ReportScope s;
  MovieObjectFile m = objectsOf({});
  IndexFile idx = indexOf({hdmvEntry(0)});
  EXPECT_EQ(deleteMovieObjects(m, idx, 0, 0, mirdal::test::testReporter()).select, kNoSelection);
  EXPECT_TRUE(s.rep.lines().empty());
  EXPECT_EQ(m.movieObjects.length, 6u);
}

TEST(ObjectEdit, CommandCountBookkeeping) {
  MovieObjectFile m = objectsOf({{0, {{1, 2, 3}}}}, true);
  const std::uint32_t length = m.movieObjects.length, ext = m.extensionDataStartAddress;
  m.movieObjects.objects[0].commands.push_back({4, 5, 6});
  m.movieObjects.objects[0].commands.push_back({7, 8, 9});
  commandsChanged(m, 2);
  EXPECT_EQ(m.movieObjects.length, length + 24);
  EXPECT_EQ(m.extensionDataStartAddress, ext + 24);
  EXPECT_EQ(composeMovieObjects(m),
            test::movieObjectFile("0200", {{0, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}}}, test::extensionData({{1, 1, {7}}}))
                .data());
  m.movieObjects.objects[0].commands.resize(1);
  commandsChanged(m, -2);
  EXPECT_EQ(m.movieObjects.length, length);

  MovieObjectFile noExt = objectsOf({{0, {}}});
  commandsChanged(noExt, 1);
  EXPECT_EQ(noExt.extensionDataStartAddress, 0u);
}

TEST(ObjectEdit, FlagEditors) {
  MovieObjectFile m = objectsOf({{0, {}}});
  setResumeFlag(m, 0, ResumeIntention::Suspend);
  setTitleSearchFlag(m, 0, Mask::Disable);
  EXPECT_EQ(objectRow(m, 0), (std::array<std::string, 5>{"000", "suspend", "enable", "disable", "0"}));
  EXPECT_EQ(composeMovieObjects(m), test::movieObjectFile("0200", {{0xA000, {}}}).data());
  setMenuCallFlag(m, 0, Mask::Disable);
  setResumeFlag(m, 0, ResumeIntention::Discard);
  EXPECT_EQ(composeMovieObjects(m), test::movieObjectFile("0200", {{0x6000, {}}}).data());
}

}  // namespace
}  // namespace mirdal
