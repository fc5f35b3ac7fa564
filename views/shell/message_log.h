// The message log (reMessage): one paragraph per log call, each run of the
// paragraph with its own bold, italic, underline and colour. Read-only, with
// both scroll bars; it follows the newest paragraph unless the user has
// scrolled away from the end.
#pragma once

#include <QTextEdit>

#include "core/markup.h"

namespace mirdal::gui {

class MessageLog : public QTextEdit {
  Q_OBJECT
 public:
  explicit MessageLog(QWidget* parent = nullptr);

  void appendParagraph(const mirdal::LogParagraph& p);
  void clearLog();
  int paragraphCount() const { return empty_ ? 0 : document()->blockCount(); }

  static QColor runColor(mirdal::LogColor c);  // invalid for the window text colour

 private:
  bool empty_ = true;
};

}  // namespace mirdal::gui
