// The program-run panel on the "&BDMV" page: "Start" runs the program of
// the movie object shown in the command grid, the trace option steps it one
// command per Start with the next line selected in the grid, the line field
// follows the current program line, and Cancel ends a run or a trace.
//
// The run itself is the interpreter's (nav/interpreter.h, nav/trace.h); the
// panel shows its outcome: the Start caption bold while a trace is in
// progress, Cancel enabled while a program runs or is traced, the line
// selected in the grid, the register panel pointed at the next command's
// register.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>

#include "nav/interpreter.h"
#include "views/common/page_view.h"

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class ObjectProgramView;
class RegisterPanel;
class SharedControls;

class RunPanel : public QObject, public PageView, public mirdal::RunObserver {
  Q_OBJECT
 public:
  // onObjectPage tells whether the "&BDMV" page is the current page.
  RunPanel(mirdal::Workspace& ws, SharedControls& sc, ObjectProgramView& program, RegisterPanel& registers,
           std::function<bool()> onObjectPage, QObject* parent = nullptr);
  ~RunPanel() override;

  // Start on the "&BDMV" page.
  void startClicked();
  // Cancel while a program runs or is traced: true when it stopped one.
  bool cancelProgram();
  // The Start button's state after a change of object or page.
  void updateStart();

  // A Read ends a trace of the disc read before.
  void refresh() override;

  // RunObserver
  void programLineChanged(std::int64_t line) override;

 signals:
  // The user chose another object in the object choice.
  void objectChosen(int object);

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void traceClick(int line);
  void showOutcome(const mirdal::ExecResult& r);
  void showTraceState();
  template <typename Run>
  void run(Run&& call);

  mirdal::Workspace& ws_;
  SharedControls& sc_;
  ObjectProgramView& program_;
  RegisterPanel& registers_;
  std::function<bool()> onObjectPage_;
  QElapsedTimer sinceLineShown_;
  unsigned lineCalls_ = 0;
};

}  // namespace mirdal::gui
