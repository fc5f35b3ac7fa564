// The Undo and Redo keys of the main window (Ctrl+Z; Ctrl+Shift+Z and
// Ctrl+Y), wherever the focus is: on a grid, a button, a list, or a field
// whose value was just stored with Enter. Only a text field the user is
// typing in keeps them, to undo the typing: one whose text changed since it
// got the focus or was last committed (Enter, leaving it), with typing to
// undo. Text fields take these keys before any shortcut, so the keys are
// taken back from them here.
#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace mirdal::gui {

class UndoKeys : public QObject {
  Q_OBJECT
 public:
  UndoKeys(QWidget* window, std::function<void()> undo, std::function<void()> redo);

  // Whether `w` (the focus widget) is a text field being typed in.
  static bool typingIn(const QWidget* w);

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QWidget* window_;
};

}  // namespace mirdal::gui
