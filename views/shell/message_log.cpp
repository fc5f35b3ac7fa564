#include "views/shell/message_log.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include "views/common/text.h"

namespace mirdal::gui {

MessageLog::MessageLog(QWidget* parent) : QTextEdit(parent) {
  setObjectName("reMessage");
  setReadOnly(true);
  setLineWrapMode(QTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setUndoRedoEnabled(false);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

QColor MessageLog::runColor(mirdal::LogColor c) {
  switch (c) {
    case mirdal::LogColor::Blue: return QColor(0, 0, 255);
    case mirdal::LogColor::Green: return QColor(0, 170, 0);
    case mirdal::LogColor::Red: return QColor(255, 0, 0);
    case mirdal::LogColor::WindowText: break;
  }
  return {};
}

void MessageLog::appendParagraph(const mirdal::LogParagraph& para) {
  QScrollBar* vs = verticalScrollBar();
  const bool atEnd = vs->value() >= vs->maximum();

  QTextCursor c(document());
  c.movePosition(QTextCursor::End);
  // Every paragraph starts plain: no format carries over from the last one.
  if (!empty_) c.insertBlock(QTextBlockFormat(), QTextCharFormat());
  empty_ = false;

  // Run starts count bytes; a UTF-8 text is cut only at tag boundaries,
  // which are ASCII, so each run decodes on its own.
  const std::string_view text(para.text);
  const bool utf8 = isValidUtf8(text);
  for (std::size_t i = 0; i < para.runs.size(); ++i) {
    const mirdal::LogRun& run = para.runs[i];
    const std::size_t end = i + 1 < para.runs.size() ? para.runs[i + 1].start : text.size();
    if (run.start >= end || run.start >= text.size()) continue;
    QTextCharFormat f;
    f.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(run.italic);
    f.setFontUnderline(run.underline);
    const QColor col = runColor(run.color);
    if (col.isValid()) f.setForeground(col);
    c.insertText(messageText(text.substr(run.start, end - run.start), utf8), f);
  }
  if (atEnd) vs->setValue(vs->maximum());
}

void MessageLog::clearLog() {
  clear();
  empty_ = true;
}

}  // namespace mirdal::gui
