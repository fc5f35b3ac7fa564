#include "app/file_association.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <vector>

namespace mirdal::gui {

namespace {

bool writeText(const QString& path, const QString& text) {
  QDir().mkpath(QFileInfo(path).path());
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return false;
  f.write(text.toUtf8());
  return f.commit();
}

// The installed files (dist/, built in as resources) are the source of
// what is written here: one desktop entry and one MIME package for both.
QString distText(const QString& name) {
  QFile f(QStringLiteral(":/dist/") + name);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QString mimePackage(const FileAssociation& a) {
  return distText(QStringLiteral("mime/mirdal-") + QString::fromLatin1(a.extension) + QStringLiteral(".xml"));
}

// The installed desktop entry with this program and these types.
QString desktopEntry(const QString& program, const QString& types) {
  QStringList lines = distText(QStringLiteral("mirdal.desktop")).split(u'\n');
  for (QString& line : lines) {
    if (line.startsWith(QStringLiteral("Exec="))) line = QStringLiteral("Exec=") + desktopExec(program);
    if (line.startsWith(QStringLiteral("MimeType="))) line = QStringLiteral("MimeType=") + types;
  }
  return lines.join(u'\n');
}

void runIfInstalled(const QString& tool, const QString& folder) {
  const QString exe = QStandardPaths::findExecutable(tool);
  if (!exe.isEmpty()) QProcess::startDetached(exe, {folder});
}

}  // namespace

// Inside double quotes a desktop entry needs backslash, double quote,
// backquote and dollar escaped with a backslash; "%" is doubled.
QString desktopExec(const QString& program) {
  QString quoted;
  for (QChar c : program) {
    if (c == u'\\' || c == u'"' || c == u'`' || c == u'$') quoted += u'\\';
    if (c == u'%') quoted += u'%';
    quoted += c;
  }
  return QLatin1Char('"') + quoted + QStringLiteral("\" %f");
}

QStringList registerAssociations(const QString& dataHome, const QString& program, bool bdmv, bool mnu,
                                 bool updateCaches) {
  std::vector<FileAssociation> chosen;
  if (bdmv) chosen.push_back(kBdmvAssociation);
  if (mnu) chosen.push_back(kMnuAssociation);
  if (chosen.empty() || dataHome.isEmpty()) return {};

  QStringList written;
  QString types;
  for (const FileAssociation& a : chosen) {
    const QString path = dataHome + QStringLiteral("/mime/packages/mirdal-") + QString::fromLatin1(a.extension) +
                         QStringLiteral(".xml");
    if (writeText(path, mimePackage(a))) written << path;
    types += QString::fromLatin1(a.mimeType) + QLatin1Char(';');
  }
  const QString desktop = dataHome + QStringLiteral("/applications/mirdal.desktop");
  const QString entry = desktopEntry(program, types);
  if (writeText(desktop, entry)) written << desktop;

  if (updateCaches) {
    runIfInstalled(QStringLiteral("update-mime-database"), dataHome + QStringLiteral("/mime"));
    runIfInstalled(QStringLiteral("update-desktop-database"), dataHome + QStringLiteral("/applications"));
  }
  return written;
}

}  // namespace mirdal::gui
