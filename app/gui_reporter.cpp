#include "app/gui_reporter.h"

#include <QCoreApplication>
#include <QThread>

#include "app/audio.h"
#include "views/message_log.h"
#include "views/status_bar.h"

namespace mirdal::gui {

namespace {
constexpr int kRepaintIntervalMs = 16;
}

void GuiReporter::appendParagraph(const mirdal::LogParagraph& p) { log_.appendParagraph(p); }

void GuiReporter::statusChanged(const mirdal::StatusLine& s) {
  status_.setStatus(s);
  // A loop that never returns to the event loop still shows its counters;
  // between two repaints the newest text waits for the next one.
  if (!sinceRepaint_.isValid() || sinceRepaint_.elapsed() >= kRepaintIntervalMs) {
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

void GuiReporter::sleepMs(int ms) { QThread::msleep(ulong(ms)); }

}  // namespace mirdal::gui
