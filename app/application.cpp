#include "app/application.h"

namespace mirdal::gui {

namespace {

UserActions* listener = nullptr;
int running = 0;  // actions being handled (nested ones belong to the first)

bool isUserAction(const QEvent* e) {
  switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
      return e->spontaneous();
    case QEvent::Shortcut:  // sent by the program for a key it matched
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

}  // namespace

void Application::setUserActions(UserActions* a) { listener = a; }
UserActions* Application::userActions() { return listener; }

bool Application::notify(QObject* receiver, QEvent* e) {
  if (running > 0 || !listener || !isUserAction(e)) return QApplication::notify(receiver, e);
  struct Running {
    Running() {
      ++running;
      listener->actionStarted();
    }
    ~Running() {
      --running;
      if (listener) listener->actionEnded();
    }
  } action;
  return QApplication::notify(receiver, e);
}

}  // namespace mirdal::gui
