#include "views/common/command_text_io.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>

#include "core/fields.h"
#include "core/report.h"
#include "documents/workspace.h"
#include "nav/command_assembler.h"
#include "nav/program_text.h"
#include "views/common/interaction.h"
#include "views/common/text.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {

QClipboard* clipboard() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr; }


std::string linesOf(const mirdal::CommandList& lines, mirdal::CommandContext context) {
  return lines.empty() ? std::string() : mirdal::commandLinesText(lines, 0, lines.size() - 1, context);
}

}  // namespace

void putCommandLinesOnClipboard(const mirdal::CommandList& lines, mirdal::CommandContext context) {
  if (QClipboard* c = clipboard(); c && !lines.empty()) c->setText(QString::fromLatin1(linesOf(lines, context)));
}

std::optional<mirdal::CommandList> linesToPaste(const mirdal::CommandList& buffer) {
  QClipboard* c = clipboard();
  const QString text = c ? c->text() : QString();
  if (text.trimmed().isEmpty()) return buffer;
  const std::string lines = discBytes(text);
  // Lines copied here come back as the words they were copied from, with
  // the bits a command line does not show.
  for (mirdal::CommandContext context : {mirdal::CommandContext::MovieObject, mirdal::CommandContext::ButtonCommands})
    if (!buffer.empty() && lines == linesOf(buffer, context)) return buffer;
  const mirdal::ProgramText p = mirdal::assembleProgram(lines);
  if (p.error) {
    guiReporter().setStatusPanel("Nothing pasted: " + p.error->message(), 1);
    return std::nullopt;
  }
  return p.commands;
}

std::optional<mirdal::NavCommand> typedCommand(const QString& text) {
  const mirdal::AssembledCommand a = mirdal::assembleCommand(discBytes(text), 0);
  if (a.error) {
    guiReporter().setStatusPanel("Command kept: " + a.error->message(), 1);
    return std::nullopt;
  }
  return a.command;
}

std::optional<mirdal::CommandList> chooseProgramFile(Interaction& ia, const mirdal::Workspace& ws) {
  FileDialogRequest r;
  r.title = QObject::tr("Import program");
  r.filter = QStringLiteral("List|*.lst|Text|*.txt|All files|*");
  const std::string& folder = ws.options.outputFolder.empty() ? ws.disc.folder : ws.options.outputFolder;
  if (!folder.empty()) r.folder = pathText(folder);
  const QString path = ia.openFile(r);
  if (path.isEmpty()) return std::nullopt;
  const QString name = QFileInfo(path).fileName();
  mirdal::Bytes bytes;
  std::string error;
  if (!mirdal::readFileBytes(pathBytes(path), bytes, &error)) {
    ia.tell(name + QStringLiteral(": ") + pathText(error));
    return std::nullopt;
  }
  const mirdal::ProgramText p = mirdal::assembleProgram(std::string(bytes.begin(), bytes.end()));
  if (p.error) {
    ia.tell(name + QStringLiteral(": ") + QString::fromLatin1(p.error->message()));
    return std::nullopt;
  }
  return p.commands;
}

ImportPlace askImportPlace(Interaction& ia, bool programEmpty) {
  if (programEmpty) return ImportPlace::Replace;
  switch (ia.ask(QObject::tr("Replace the program with the imported lines?\n"
                             "No inserts them after the selected lines."),
                 Choices::YesNoCancel)) {
    case Answer::Yes: return ImportPlace::Replace;
    case Answer::No: return ImportPlace::Insert;
    default: return ImportPlace::Cancel;
  }
}

}  // namespace mirdal::gui
