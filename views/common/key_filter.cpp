#include "views/common/key_filter.h"

#include "core/report.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

KeyVerdict filterKey(const QKeyEvent* e, const std::function<bool(QChar)>& allowed) {
  switch (e->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return KeyVerdict::Pass;
    default:
      break;
  }
  if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return KeyVerdict::Pass;
  const QString text = e->text();
  if (text.isEmpty() || !text.at(0).isPrint()) return KeyVerdict::Pass;
  for (QChar c : text)
    if (!allowed(c)) return KeyVerdict::Swallow;
  return KeyVerdict::Pass;
}

void refuseKey(QKeyEvent* e) {
  e->accept();
  guiReporter().exclamation();
}

}  // namespace mirdal::gui
