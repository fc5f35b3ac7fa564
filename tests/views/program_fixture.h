// A main window whose MovieObject.bdmv model holds given programs, with the
// program of object 0 shown in the command grid and the program-run panel
// enabled as after a Read.
#pragma once

#include <QPushButton>

#include "core/report.h"
#include "main_window_fixture.h"
#include "views/common/command_grid.h"
#include "views/bdmv/object_program_view.h"
#include "views/shell/shared_controls.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui::test {

struct ProgramWindow : Window {
  explicit ProgramWindow(const std::vector<mirdal::CommandList>& programs, bool extensionData = false) {
    mirdal::gui::guiReporter().setActivationDelay(0);
    loadPrograms(programs, extensionData);
    w->shared()->executePanel()->setEnabled(true);
    view = w->objectProgram();
    grid = view->programGrid();
    view->showObject(0);
  }

  // The movie objects document holds these programs, as after a Read.
  void loadPrograms(const std::vector<mirdal::CommandList>& programs, bool extensionData = false) {
    mirdal::MovieObjectFile m;
    std::uint32_t length = 6;
    for (const mirdal::CommandList& p : programs) {
      mirdal::MovieObject o;
      o.commands = p;
      m.movieObjects.objects.push_back(o);
      length += 4 + 12 * std::uint32_t(p.size());
    }
    m.movieObjects.length = length;
    m.extensionDataStartAddress = extensionData ? 44 + length : 0;
    ws().mobj.load(std::move(m), "MovieObject.bdmv", true);
  }

  mirdal::Workspace& ws() { return w->workspace(); }
  const mirdal::CommandList& program(int object = 0) {
    return ws().mobj.model().movieObjects.objects[std::size_t(object)].commands;
  }
  QString lineText(int line) const { return grid->cell(line, mirdal::kColLine); }
  QString panel(int i) const { return QString::fromStdString(mirdal::gui::guiReporter().status().panel[i]); }

  ObjectProgramView* view = nullptr;
  CommandGrid* grid = nullptr;
};

inline mirdal::NavCommand cmd(std::uint32_t op, std::uint32_t dst = 0, std::uint32_t src = 0) {
  return {op, dst, src};
}

}  // namespace mirdal::gui::test
