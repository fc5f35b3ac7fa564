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

QString mimePackage(const FileAssociation& a) {
  return QStringLiteral(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
             "  <mime-type type=\"%1\">\n"
             "    <comment>%2</comment>\n"
             "    <glob pattern=\"*.%3\"/>\n"
             "  </mime-type>\n"
             "</mime-info>\n")
      .arg(QString::fromLatin1(a.mimeType), QString::fromLatin1(a.comment), QString::fromLatin1(a.extension));
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
  const QString entry = QStringLiteral(
                            "[Desktop Entry]\n"
                            "Type=Application\n"
                            "Name=Mirdal\n"
                            "Comment=Editor and viewer of Blu-ray navigation files and menus\n"
                            "Exec=%1\n"
                            "Terminal=false\n"
                            "Categories=AudioVideo;Video;\n"
                            "MimeType=%2\n")
                            .arg(desktopExec(program), types);
  if (writeText(desktop, entry)) written << desktop;

  if (updateCaches) {
    runIfInstalled(QStringLiteral("update-mime-database"), dataHome + QStringLiteral("/mime"));
    runIfInstalled(QStringLiteral("update-desktop-database"), dataHome + QStringLiteral("/applications"));
  }
  return written;
}

}  // namespace mirdal::gui
