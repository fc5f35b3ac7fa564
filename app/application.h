// The program's QApplication. It marks where each user action begins and
// ends (a mouse button, a key, a shortcut, a drop, with everything it runs),
// so that the status line can show what the action did when it is over.
// What is handled while an action runs (the clicks in its questions, the
// Cancel of its progress) belongs to that action.
#pragma once

#include <QApplication>

namespace mirdal::gui {

class UserActions {
 public:
  virtual ~UserActions() = default;
  virtual void actionStarted() = 0;
  virtual void actionEnded() = 0;
};

class Application : public QApplication {
 public:
  Application(int& argc, char** argv) : QApplication(argc, argv) {}
  bool notify(QObject* receiver, QEvent* e) override;

  // Who hears of the actions (none: nobody); the main window.
  static void setUserActions(UserActions* a);
  static UserActions* userActions();
};

}  // namespace mirdal::gui
