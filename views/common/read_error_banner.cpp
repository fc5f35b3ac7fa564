#include "views/common/read_error_banner.h"

#include "documents/save_question.h"
#include "documents/workspace.h"
#include "views/common/document_signals.h"
#include "views/common/interaction.h"
#include "views/common/text.h"

namespace mirdal::gui {

ReadErrorBanner::ReadErrorBanner(const char* objectName, std::vector<mirdal::DocumentBase*> docs, QWidget* parent)
    : QLabel(parent), docs_(std::move(docs)) {
  setObjectName(QString::fromLatin1(objectName));
  setWordWrap(true);
  setTextFormat(Qt::PlainText);
  setFrameShape(QFrame::StyledPanel);
  setMargin(4);
  setAutoFillBackground(true);
  // The colours of the error mark on the status line.
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(0xFF, 0xE4, 0xE1));
  p.setColor(QPalette::WindowText, QColor(0xB0, 0x00, 0x00));
  setPalette(p);
  for (mirdal::DocumentBase* d : docs_) {
    auto* s = new DocumentSignals(*d, this);
    connect(s, &DocumentSignals::changed, this, &ReadErrorBanner::update);
    connect(s, &DocumentSignals::modifiedChanged, this, &ReadErrorBanner::update);
  }
  update();
}

void ReadErrorBanner::update() {
  QStringList lines;
  for (const mirdal::DocumentBase* d : docs_) {
    if (!d->loaded() || !d->readWithErrors()) continue;
    // One short line per file, so that the smallest window keeps room for
    // the page.
    lines << tr("%1 was read with errors (%2): the page shows guesses where it could not be read.")
                 .arg(pathText(d->fileName()), messageText(d->readErrors()));
  }
  setText(lines.join(QLatin1Char('\n')));
  setVisible(!lines.isEmpty());
}

mirdal::Guesses askAboutGuesses(Interaction& ia, const mirdal::Workspace& ws, const mirdal::DocumentBase& doc) {
  if (!doc.readWithErrors()) return mirdal::Guesses::Write;
  const bool yes = ia.ask(messageText(mirdal::writeGuessesQuestion(ws, doc)), Choices::YesNo) == Answer::Yes;
  return yes ? mirdal::Guesses::Write : mirdal::Guesses::Refuse;
}

}  // namespace mirdal::gui
