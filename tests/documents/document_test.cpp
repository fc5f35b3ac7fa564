#include "documents/document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/bdmv_edits.h"
#include "documents/workspace.h"
#include "formats/bdmv/bdmv_edit.h"
#include "support/recording_reporter.h"

namespace mirdal {
namespace {

struct Model {
  std::vector<int> rows;
  bool operator==(const Model&) const = default;
};

using Doc = Document<Model>;

void push(Doc& d, int v) {
  d.edit(ChangeNotice::resized("rows", d.model().rows.size()), [v](Model& m) { m.rows.push_back(v); });
}

// One step of a script run on a fresh loaded document, and what the
// document says afterwards.
enum class Op { Push, Undo, Redo, Save, Reload, SameValue };
struct Step {
  Op op;
  std::vector<int> rows;
  bool modified;
  bool canUndo;
  bool canRedo;
};

struct Script {
  const char* name;
  std::vector<Step> steps;
};

class DocumentScript : public testing::TestWithParam<Script> {};

TEST_P(DocumentScript, ModelFlagsAndHistoryFollowEachStep) {
  Doc d("test");
  d.load(Model{{1}}, "a.bin", true);
  int next = 2;
  for (std::size_t i = 0; i < GetParam().steps.size(); ++i) {
    const Step& s = GetParam().steps[i];
    switch (s.op) {
      case Op::Push: push(d, next++); break;
      case Op::Undo: d.undo(); break;
      case Op::Redo: d.redo(); break;
      case Op::Save: d.markSaved(); break;
      case Op::Reload: d.load(d.model(), "a.bin", true); break;
      case Op::SameValue:
        d.edit(ChangeNotice::rows("rows", 0), [](Model& m) { m.rows[0] = m.rows[0]; });
        break;
    }
    SCOPED_TRACE("step " + std::to_string(i));
    EXPECT_EQ(d.model().rows, s.rows);
    EXPECT_EQ(d.modified(), s.modified);
    EXPECT_EQ(d.canUndo(), s.canUndo);
    EXPECT_EQ(d.canRedo(), s.canRedo);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Document, DocumentScript,
    testing::Values(
        Script{"EditUndoRedo",
               {{Op::Push, {1, 2}, true, true, false},
                {Op::Undo, {1}, false, false, true},
                {Op::Redo, {1, 2}, true, true, false}}},
        Script{"SaveKeepsHistoryAndUndoBackToSavedIsUnmodified",
               {{Op::Push, {1, 2}, true, true, false},
                {Op::Save, {1, 2}, false, true, false},
                {Op::Undo, {1}, true, false, true},
                {Op::Redo, {1, 2}, false, true, false}}},
        Script{"NewEditDropsRedo",
               {{Op::Push, {1, 2}, true, true, false},
                {Op::Undo, {1}, false, false, true},
                {Op::Push, {1, 3}, true, true, false},
                {Op::Redo, {1, 3}, true, true, false}}},
        Script{"ReloadClearsHistory",
               {{Op::Push, {1, 2}, true, true, false}, {Op::Reload, {1, 2}, false, false, false}}},
        Script{"EditThatChangesNothingIsNoStep", {{Op::SameValue, {1}, false, false, false}}},
        Script{"UndoAndRedoBeyondTheHistoryChangeNothing",
               {{Op::Undo, {1}, false, false, false}, {Op::Redo, {1}, false, false, false}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Document, NoticesSayWhatChangedAndWhy) {
  Doc d("test");
  std::vector<ChangeNotice> heard;
  const int id = d.subscribe([&](const ChangeNotice& n) { heard.push_back(n); });
  d.load(Model{{1}}, "a.bin", true);
  push(d, 2);
  d.undo();
  d.redo();
  d.unsubscribe(id);
  push(d, 3);

  ASSERT_EQ(heard.size(), 4u);
  EXPECT_EQ(heard[0].cause, ChangeNotice::Cause::Load);
  EXPECT_TRUE(heard[0].everythingChanged());
  for (std::size_t i = 1; i < 4; ++i) {
    EXPECT_EQ(heard[i].collection, "rows");
    EXPECT_EQ(heard[i].first, 1u);
    EXPECT_TRUE(heard[i].countChanged);
  }
  EXPECT_EQ(heard[1].cause, ChangeNotice::Cause::Edit);
  EXPECT_EQ(heard[2].cause, ChangeNotice::Cause::Undo);
  EXPECT_EQ(heard[3].cause, ChangeNotice::Cause::Redo);
}

TEST(Document, RefusedEditIsNoStep) {
  Doc d("test");
  d.load(Model{{1}}, "a.bin", true);
  const bool done = d.edit(ChangeNotice::rows("rows", 0), [](Model& m) {
    m.rows.clear();  // a refused edit may have touched nothing; this one says so
    return false;
  });
  EXPECT_FALSE(done);
  EXPECT_FALSE(d.canUndo());
  EXPECT_FALSE(d.modified());
}

TEST(EditJournal, UndoTakesBackTheLastEditOfAnyDocumentAndGroupsAsOne) {
  Doc a("a"), b("b");
  EditJournal j;
  a.setJournal(&j);
  b.setJournal(&j);
  a.load(Model{{1}}, "a", true);
  b.load(Model{{1}}, "b", true);

  push(a, 2);
  {
    const JournalGroup g(j);
    push(a, 3);
    push(b, 4);
  }
  push(b, 5);

  ASSERT_TRUE(j.undo());  // b's 5
  EXPECT_EQ(b.model().rows, (std::vector<int>{1, 4}));
  ASSERT_TRUE(j.undo());  // the group: a's 3 and b's 4
  EXPECT_EQ(a.model().rows, (std::vector<int>{1, 2}));
  EXPECT_EQ(b.model().rows, (std::vector<int>{1}));
  EXPECT_FALSE(b.modified());
  ASSERT_TRUE(j.redo());
  EXPECT_EQ(a.model().rows, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(b.model().rows, (std::vector<int>{1, 4}));

  // Reloading b forgets its steps; a's remain.
  b.load(Model{{9}}, "b", true);
  ASSERT_TRUE(j.undo());
  EXPECT_EQ(a.model().rows, (std::vector<int>{1, 2}));
  ASSERT_TRUE(j.undo());
  EXPECT_EQ(a.model().rows, (std::vector<int>{1}));
  EXPECT_FALSE(j.undo());
  EXPECT_EQ(b.model().rows, (std::vector<int>{9}));
}

// Deleting a movie object changes the index too: one Undo gives both files
// back as they were.
TEST(BdmvEdits, ObjectDeletionUndoesInBothDocuments) {
  Workspace ws;
  MovieObjectFile m;
  m.movieObjects.objects.resize(3);
  m.movieObjects.length = 6 + 3 * 4;
  IndexFile idx;
  idx.indexes.titles.resize(2);
  idx.indexes.titles[0].movieObjectReference = 1;
  idx.indexes.titles[1].movieObjectReference = 2;
  ws.mobj.load(m, "MovieObject.bdmv", true);
  ws.index.load(idx, "index.bdmv", true);

  deleteMovieObjects(ws, 1, 1, mirdal::test::testReporter());
  EXPECT_EQ(ws.mobj.model().movieObjects.objects.size(), 2u);
  EXPECT_EQ(ws.index.model().indexes.titles[0].movieObjectReference, 0xFFFF);
  EXPECT_EQ(ws.index.model().indexes.titles[1].movieObjectReference, 1);
  EXPECT_TRUE(ws.index.modified() && ws.mobj.modified());

  ASSERT_TRUE(ws.journal.undo());
  EXPECT_EQ(ws.mobj.model(), m);
  EXPECT_EQ(ws.index.model(), idx);
  EXPECT_FALSE(ws.index.modified() || ws.mobj.modified());
  EXPECT_FALSE(ws.journal.canUndo());
}

}  // namespace
}  // namespace mirdal
