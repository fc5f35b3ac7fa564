#include "documents/program_import.h"

#include "formats/object_program.h"
#include "menu/menu_edit.h"

namespace mirdal {

ProgramImport importObjectProgram(Document<TMOBJ>& doc, std::size_t object, const TCommands& lines,
                                  std::optional<std::size_t> insertAt) {
  ProgramImport r;
  const auto& objects = doc.model().movie_objects.objects;
  if (!doc.loaded() || object >= objects.size()) {
    r.refusal = "there is no movie object " + std::to_string(object);
    return r;
  }
  r.refusal = importRefusal(objects[object].commands, lines, insertAt);
  if (!r.refusal.empty()) return r;
  const EditResult e = doc.edit(ChangeNotice::resized(MovieObjectPart::Commands, insertAt.value_or(0), object), [&](TMOBJ& m) {
    return editObjectProgram(m, object, [&](TCommands& p) { return importcmd(p, lines, insertAt); });
  });
  r.done = true;
  r.selection = e.selection;
  return r;
}

ProgramImport importButtonCommands(TMenu& m, std::size_t page, std::size_t bog, std::size_t button,
                                   const TCommands& lines, std::optional<std::size_t> insertAt) {
  ProgramImport r;
  const auto& pages = m.ics.pages;
  if (page >= pages.size() || bog >= pages[page].bogs.size() || button >= pages[page].bogs[bog].buttons.size()) {
    r.refusal = "there is no button " + std::to_string(button) + " in BOG " + std::to_string(bog) + " of page " +
                std::to_string(page);
    return r;
  }
  TCommands program = pages[page].bogs[bog].buttons[button].commands;
  r.refusal = importRefusal(program, lines, insertAt);
  if (!r.refusal.empty()) return r;
  r.selection = importcmd(program, lines, insertAt).selection;
  r.done = setButtonCommands(m, page, bog, button, program);
  return r;
}

ProgramImport importButtonProgram(Document<TMenu>& doc, std::size_t page, std::size_t bog, std::size_t button,
                                  const TCommands& lines, std::optional<std::size_t> insertAt) {
  ProgramImport r;
  doc.edit(ChangeNotice::resized(MenuPart::Commands, insertAt.value_or(0), page), [&](TMenu& m) {
    r = importButtonCommands(m, page, bog, button, lines, insertAt);
    return r.done;
  });
  return r;
}

}  // namespace mirdal
