#include "formats/object_program.h"

#include "formats/bdmv_edit.h"

namespace mirdal {

EditResult editObjectProgram(TMOBJ& m, std::size_t object,
                             const std::function<EditResult(TCommands&)>& edit) {
  auto& objects = m.movie_objects.objects;
  if (object >= objects.size()) return {};
  const EditResult r = edit(objects[object].commands);
  if (r.delta != 0) commandsChanged(m, r.delta);
  return r;
}

}  // namespace mirdal
