#include "documents/program_import.h"

#include "formats/bdmv/object_program.h"
#include "menu/menu_edit.h"

namespace mirdal {

ProgramImport importObjectProgram(Document<MovieObjectFile>& doc, std::size_t object, const CommandList& lines,
                                  std::optional<std::size_t> insertAt) {
  ProgramImport r;
  const auto& objects = doc.model().movieObjects.objects;
  if (!doc.loaded() || object >= objects.size()) {
    r.refusal = "there is no movie object " + std::to_string(object);
    return r;
  }
  r.refusal = importRefusal(objects[object].commands, lines, insertAt);
  if (!r.refusal.empty()) return r;
  const EditResult e = doc.edit(ChangeNotice::resized(MovieObjectPart::Commands, insertAt.value_or(0), object), [&](MovieObjectFile& m) {
    return editObjectProgram(m, object, [&](CommandList& p) { return importCommandLines(p, lines, insertAt); });
  });
  r.done = true;
  r.selection = e.selection;
  return r;
}

ProgramImport importButtonCommands(IgMenu& m, std::size_t page, std::size_t bog, std::size_t button,
                                   const CommandList& lines, std::optional<std::size_t> insertAt) {
  ProgramImport r;
  const auto& pages = m.ics.pages;
  if (page >= pages.size() || bog >= pages[page].bogs.size() || button >= pages[page].bogs[bog].buttons.size()) {
    r.refusal = "there is no button " + std::to_string(button) + " in BOG " + std::to_string(bog) + " of page " +
                std::to_string(page);
    return r;
  }
  CommandList program = pages[page].bogs[bog].buttons[button].commands;
  r.refusal = importRefusal(program, lines, insertAt);
  if (!r.refusal.empty()) return r;
  r.selection = importCommandLines(program, lines, insertAt).selection;
  r.done = setButtonCommands(m, page, bog, button, program);
  return r;
}

ProgramImport importButtonProgram(Document<IgMenu>& doc, std::size_t page, std::size_t bog, std::size_t button,
                                  const CommandList& lines, std::optional<std::size_t> insertAt) {
  ProgramImport r;
  doc.edit(ChangeNotice::resized(MenuPart::Commands, insertAt.value_or(0), page), [&](IgMenu& m) {
    r = importButtonCommands(m, page, bog, button, lines, insertAt);
    return r.done;
  });
  return r;
}

}  // namespace mirdal
