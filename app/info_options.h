// `mirdal --help` and `mirdal --version`: answered on standard output before
// any window or display is needed, so that they work on a terminal without a
// desktop (and the build can ask the GUI nothing else).
#pragma once

namespace mirdal::gui {

// The exit status when the arguments ask for help or the version (printed
// then), or -1 when the GUI should start.
int answerInfoOption(int argc, char** argv);

}  // namespace mirdal::gui
