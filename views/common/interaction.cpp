#include "views/common/interaction.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QThread>

#include "core/version.h"

namespace mirdal::gui {

void Interaction::pause(int ms) {
  if (ms > 0) QThread::msleep(ulong(ms));
}

QStringList qtFilters(const QString& pairs) {
  QStringList out;
  const QStringList parts = pairs.split(QLatin1Char('|'));
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    out << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
  }
  return out;
}

QString withDefaultExtension(const QString& path, const QString& defaultExt) {
  if (path.isEmpty() || defaultExt.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  QString ext = defaultExt;
  ext.remove(QLatin1Char('*'));
  if (!ext.startsWith(QLatin1Char('.'))) ext.prepend(QLatin1Char('.'));
  return path + ext;
}

namespace {

QString startPath(const FileDialogRequest& r) {
  if (r.folder.isEmpty()) return r.fileName;
  return r.fileName.isEmpty() ? r.folder : QDir(r.folder).filePath(r.fileName);
}

QString chosenFilter(const QStringList& filters, int index) {
  return index >= 0 && index < filters.size() ? filters[index] : QString();
}

}  // namespace

Answer QtInteraction::ask(const QString& question, Choices choices) {
  QMessageBox::StandardButtons buttons;
  switch (choices) {
    case Choices::YesNo: buttons = QMessageBox::Yes | QMessageBox::No; break;
    case Choices::YesCancel: buttons = QMessageBox::Yes | QMessageBox::Cancel; break;
    case Choices::YesNoCancel: buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    case Choices::SaveDiscardCancel: buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel; break;
  }
  const auto b = QMessageBox::question(parent_, QString::fromLatin1(kProgramName), question, buttons);
  if (b == QMessageBox::Yes || b == QMessageBox::Save) return Answer::Yes;
  if (b == QMessageBox::No || b == QMessageBox::Discard) return Answer::No;
  return Answer::Cancel;
}

QString QtInteraction::openFile(const FileDialogRequest& r) {
  const QStringList filters = qtFilters(r.filter);
  QString selected = chosenFilter(filters, r.filterIndex);
  return QFileDialog::getOpenFileName(parent_, r.title, startPath(r), filters.join(QStringLiteral(";;")),
                                      &selected);
}

QString QtInteraction::saveFile(const FileDialogRequest& r) {
  const QStringList filters = qtFilters(r.filter);
  QString selected = chosenFilter(filters, r.filterIndex);
  const QString path = QFileDialog::getSaveFileName(parent_, r.title, startPath(r),
                                                    filters.join(QStringLiteral(";;")), &selected);
  return withDefaultExtension(path, r.defaultExt);
}

QString QtInteraction::chooseFolder(const QString& title, const QString& startFolder) {
  return QFileDialog::getExistingDirectory(parent_, title, startFolder);
}

std::optional<QColor> QtInteraction::chooseColor(const QColor& initial, const QString& title) {
  const QColor c = QColorDialog::getColor(initial, parent_, title);
  if (!c.isValid()) return std::nullopt;
  return c;
}

void QtInteraction::tell(const QString& message) {
  QMessageBox::warning(parent_, QString::fromLatin1(kProgramName), message);
}

}  // namespace mirdal::gui
