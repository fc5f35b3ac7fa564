#include "views/shell/run_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QPushButton>

#include "documents/workspace.h"
#include "nav/trace.h"
#include "views/common/availability.h"
#include "views/common/int_edit.h"
#include "views/bdmv/object_program_view.h"
#include "views/shell/register_panel.h"
#include "views/shell/shared_controls.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {
// While a program runs, the line field is rewritten at most this often.
constexpr int kLineFieldIntervalMs = 40;
constexpr unsigned kLineChecksEvery = 1024;
}  // namespace

RunPanel::RunPanel(mirdal::Workspace& ws, SharedControls& sc, ObjectProgramView& program, RegisterPanel& registers,
                   std::function<bool()> onObjectPage, QObject* parent)
    : QObject(parent),
      ws_(ws),
      sc_(sc),
      program_(program),
      registers_(registers),
      onObjectPage_(std::move(onObjectPage)) {
  ws_.run.observer = this;

  QPushButton* start = sc_.startButton();
  // Room for the bold caption of a trace in progress.
  QFont bold = start->font();
  bold.setBold(true);
  start->setMinimumWidth(std::max(start->minimumWidth(), QFontMetrics(bold).horizontalAdvance(start->text()) +
                                                            QFontMetrics(bold).horizontalAdvance(QStringLiteral("MM"))));
  connectAction(start, [this] { startClicked(); }, false);

  makeAvailable(sc_.traceBox());
  connect(sc_.traceBox(), &QCheckBox::toggled, this, [this](bool on) {
    ws_.run.trace = on;
    // The hint says what a plain Start does; a trace is explained by the
    // check box's own hint.
    sc_.startButton()->setToolTip(on ? QString() : tr("Execute the button commands"));
  });

  makeAvailable(sc_.programLineField());
  connect(sc_.programLineField(), &IntEdit::editingFinished, this,
          [this] { ws_.run.line = sc_.programLineField()->value(); });

  makeAvailable(sc_.runObjectChoice());
  connect(sc_.runObjectChoice(), &QComboBox::activated, this, &RunPanel::objectChosen);

  connect(&program_, &ObjectProgramView::startableChanged, this, &RunPanel::updateStart);
  connect(&program_, &ObjectProgramView::lineClicked, this, &RunPanel::traceClick);

  // Closing the window ends a program that is still running, so that the
  // program's event loop can finish.
  if (QWidget* w = sc_.window()) w->installEventFilter(this);
}

RunPanel::~RunPanel() {
  if (ws_.run.observer == this) ws_.run.observer = nullptr;
}

void RunPanel::updateStart() {
  if (onObjectPage_()) setEnabledIfAvailable(sc_.startButton(), program_.canStart());
}

template <typename Run>
void RunPanel::run(Run&& call) {
  sc_.cancelButton()->setEnabled(true);
  const mirdal::ExecResult r = call();
  showOutcome(r);
}

void RunPanel::startClicked() {
  // Start on the menu page belongs to the menu emulation. A Start pressed
  // while a run pauses for an announcement waits for that run to end.
  if (!onObjectPage_() || ws_.run.inRun()) return;
  const mirdal::CommandList* p = program_.program();
  if (!p) return;
  if (!ws_.run.traceInProgress() && program_.object() < sc_.runObjectChoice()->count())
    sc_.runObjectChoice()->setCurrentIndex(program_.object());
  const mirdal::CommandList prog = *p;
  run([&] { return mirdal::startObjectProgram(prog, ws_.regs, ws_.run, guiReporter()); });
}

void RunPanel::traceClick(int line) {
  if (!ws_.run.trace || ws_.run.inRun() || !onObjectPage_()) return;
  const mirdal::CommandList* p = program_.program();
  if (!p || line < 0 || line >= int(p->size())) return;
  const mirdal::CommandList prog = *p;
  run([&] { return mirdal::traceClickedLine(prog, std::size_t(line), ws_.regs, ws_.run, guiReporter()); });
}

bool RunPanel::cancelProgram() {
  if (!ws_.run.running && !ws_.run.inRun()) return false;
  const mirdal::CommandList* p = program_.program();
  const mirdal::CommandList prog = p ? *p : mirdal::CommandList{};
  showOutcome(mirdal::cancelObjectTrace(prog, ws_.regs, ws_.run, guiReporter()));
  return true;
}

void RunPanel::showTraceState() {
  QPushButton* start = sc_.startButton();
  QFont f = start->font();
  f.setBold(ws_.run.traceInProgress());
  start->setFont(f);
  sc_.cancelButton()->setEnabled(ws_.run.running || ws_.run.inRun());
}

void RunPanel::showOutcome(const mirdal::ExecResult& r) {
  showTraceState();
  sc_.programLineField()->setValue(ws_.run.line);
  if (r.selectLine) program_.selectLine(int(*r.selectLine));
  if (r.trace) {
    program_.selectLine(int(r.trace->line));
    registers_.pointAt(r.trace->pointer);
  }
  registers_.showValues();
}

void RunPanel::refresh() {
  // The registers stay; a trace of the disc read before does not.
  if (mirdal::endTraceAfterRead(ws_.run)) sc_.programLineField()->setValue(0);
  showTraceState();
}

void RunPanel::programLineChanged(std::int64_t line) {
  // Called for every command a run executes: the field is rewritten when it
  // can be seen, not for each line.
  if (ws_.run.inRun() && (++lineCalls_ % kLineChecksEvery != 0 ||
                          (sinceLineShown_.isValid() && sinceLineShown_.elapsed() < kLineFieldIntervalMs)))
    return;
  sinceLineShown_.restart();
  sc_.programLineField()->setValue(line);
}

bool RunPanel::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::Close && ws_.run.inRun()) mirdal::cancelRun(ws_.run);
  return QObject::eventFilter(o, e);
}

}  // namespace mirdal::gui
