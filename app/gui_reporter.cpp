#include "app/gui_reporter.h"

#include <QCoreApplication>
#include <utility>

#include "app/audio.h"
#include "views/common/interaction.h"
#include "views/shell/message_log.h"
#include "views/shell/status_bar.h"

namespace mirdal::gui {

namespace {
constexpr int kRepaintIntervalMs = 16;
}

void GuiReporter::appendParagraph(const mirdal::LogParagraph& p) {
  activity_ = true;
  log_.appendParagraph(p);
}

void GuiReporter::appendErrorParagraph(const mirdal::LogParagraph& p) {
  ++errors_;
  log_.appendParagraph(p);
}

void GuiReporter::statusChanged(const mirdal::StatusLine& s) {
  if (s.errorMark) {
    markSet_ = true;
    lastMarked_ = s.hint;
  }
  status_.setStatus(s);
  // A loop that never returns to the event loop still shows its counters;
  // between two repaints the newest text waits for the next one. An error
  // shows at once: the program may pause on it.
  if (s.errorMark || !sinceRepaint_.isValid() || sinceRepaint_.elapsed() >= kRepaintIntervalMs) {
    status_.repaint();
    sinceRepaint_.restart();
  }
}

void GuiReporter::progressChanged(const mirdal::ProgressState& p) {
  if (onProgress) onProgress(p);
}

void GuiReporter::exclamation() { audio_.exclamation(); }

void GuiReporter::tone(int hz, int ms) { audio_.tone(hz, ms); }

void GuiReporter::pumpEvents() { QCoreApplication::processEvents(); }

void GuiReporter::sleepMs(int ms) { pauses_.pause(ms); }

void GuiReporter::fileSaved(const std::string& name) { saved_.push_back(name); }

std::vector<std::string> GuiReporter::takeSavedFiles() { return std::exchange(saved_, {}); }

void GuiReporter::actionStarted() {
  errorsAtStart_ = errors_;
  activity_ = false;
  markSet_ = false;
}

void GuiReporter::actionEnded() {
  const int errors = errors_ - errorsAtStart_;
  const bool marked = status().errorMark;
  if (errors > 0) {
    // A later message of the action (a row's details, "Ready.") covered it.
    if (!marked) setStatusError(errors == 1 ? lastMarked_ : std::to_string(errors) + " errors: see Status");
  } else if (marked && !markSet_ && activity_) {
    setStatusReady();
  }
}

}  // namespace mirdal::gui
