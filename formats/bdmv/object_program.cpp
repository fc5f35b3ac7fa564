#include "formats/bdmv/object_program.h"

#include "formats/bdmv/bdmv_edit.h"

namespace mirdal {

EditResult editObjectProgram(MovieObjectFile& m, std::size_t object,
                             const std::function<EditResult(CommandList&)>& edit) {
  auto& objects = m.movieObjects.objects;
  if (object >= objects.size()) return {};
  const EditResult r = edit(objects[object].commands);
  if (r.delta != 0) commandsChanged(m, r.delta);
  return r;
}

}  // namespace mirdal
