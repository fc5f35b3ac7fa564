// An Interaction for tests: answers come from lists filled by the test, and
// everything asked is recorded. An answer missing from a list counts as the
// user cancelling, and is recorded in `unexpected`.
#pragma once

#include <QList>
#include <QStringList>

#include "views/common/interaction.h"

namespace mirdal::gui::test {

class ScriptedInteraction final : public Interaction {
 public:
  Answer ask(const QString& question, Choices) override {
    questions << question;
    if (!answers.isEmpty()) return answers.takeFirst();
    unexpected << QStringLiteral("ask: ") + question;
    return Answer::Cancel;
  }
  QString openFile(const FileDialogRequest& r) override {
    fileRequests << r;
    if (!files.isEmpty()) return files.takeFirst();
    unexpected << QStringLiteral("open: ") + r.title;
    return {};
  }
  QString saveFile(const FileDialogRequest& r) override {
    fileRequests << r;
    if (!files.isEmpty()) return withDefaultExtension(files.takeFirst(), r.defaultExt);
    unexpected << QStringLiteral("save: ") + r.title;
    return {};
  }
  QString chooseFolder(const QString& title, const QString& startFolder) override {
    folderRequests << (title + QLatin1Char('|') + startFolder);
    if (!folders.isEmpty()) return folders.takeFirst();
    unexpected << QStringLiteral("folder: ") + title;
    return {};
  }
  std::optional<QColor> chooseColor(const QColor&, const QString& title) override {
    if (!colors.isEmpty()) return colors.takeFirst();
    unexpected << QStringLiteral("colour: ") + title;
    return std::nullopt;
  }
  void tell(const QString& message) override { told << message; }
  // The tests never wait: a pause is only counted.
  void pause(int ms) override { pausedMs += ms; }

  // What the user will answer or choose, in order.
  QList<Answer> answers;
  QStringList files;
  QStringList folders;
  QList<QColor> colors;

  // What the program asked.
  QStringList questions;
  QList<FileDialogRequest> fileRequests;
  QStringList folderRequests;  // "title|start folder"
  QStringList told;
  QStringList unexpected;
  int pausedMs = 0;
};

}  // namespace mirdal::gui::test
