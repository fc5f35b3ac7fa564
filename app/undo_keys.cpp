#include "app/undo_keys.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

namespace mirdal::gui {

namespace {

// The text a field held when it was last committed or got the focus.
constexpr char kCommittedText[] = "mirdalCommittedText";

bool isUndoOrRedo(const QKeyEvent* k) {
  const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
  if (k->key() == Qt::Key_Z) return mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier);
  return k->key() == Qt::Key_Y && mods == Qt::ControlModifier;
}

// The line a widget is typed into: the widget itself, or the line of an
// editable list or spin box.
QLineEdit* textField(QObject* o) {
  if (auto* e = qobject_cast<QLineEdit*>(o)) return e;
  if (qobject_cast<QComboBox*>(o) || qobject_cast<QAbstractSpinBox*>(o))
    return o->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
  return nullptr;
}

void noteCommitted(QObject* o) {
  if (QLineEdit* e = textField(o)) e->setProperty(kCommittedText, e->text());
}

}  // namespace

UndoKeys::UndoKeys(QWidget* window, std::function<void()> undo, std::function<void()> redo)
    : QObject(window), window_(window) {
  // One shortcut per key, or Qt finds them ambiguous.
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), window), &QShortcut::activated, this, undo);
  for (const QKeySequence& k : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
    connect(new QShortcut(k, window), &QShortcut::activated, this, redo);
  qApp->installEventFilter(this);
}

bool UndoKeys::typingIn(const QWidget* w) {
  const QLineEdit* e = textField(const_cast<QWidget*>(w));
  if (!e || e->isReadOnly() || !e->isUndoAvailable()) return false;
  const QVariant committed = e->property(kCommittedText);
  return !committed.isValid() || committed.toString() != e->text();
}

bool UndoKeys::eventFilter(QObject* watched, QEvent* e) {
  switch (e->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
      noteCommitted(watched);
      break;
    case QEvent::KeyPress: {
      const int key = static_cast<QKeyEvent*>(e)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) noteCommitted(watched);
      break;
    }
    case QEvent::ShortcutOverride: {
      // Ignored and filtered, the override goes up to the window unclaimed
      // and the window's shortcut runs.
      auto* w = qobject_cast<QWidget*>(watched);
      if (w && w->window() == window_ && isUndoOrRedo(static_cast<QKeyEvent*>(e)) && !typingIn(w)) {
        e->ignore();
        return true;
      }
      break;
    }
    default:
      break;
  }
  return QObject::eventFilter(watched, e);
}

}  // namespace mirdal::gui
