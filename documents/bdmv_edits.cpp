#include "documents/bdmv_edits.h"

namespace mirdal {

ObjectDeletion deleteMovieObjects(Workspace& ws, std::size_t first, std::size_t last, Reporter& rep) {
  ObjectDeletion d;
  const JournalGroup oneStep(ws.journal);
  // The titles change inside the objects' edit: both models are kept as
  // they were before either changed.
  ws.index.edit(ChangeNotice::rows(IndexPart::Titles, 0, ws.index.model().indexes.titles.size()), [&](IndexFile& idx) {
    ws.mobj.edit(ChangeNotice::resized(MovieObjectPart::Objects, first), [&](MovieObjectFile& m) { d = deleteMovieObjects(m, idx, first, last, rep); });
  });
  return d;
}

}  // namespace mirdal
