// Registers Mirdal as the program for ".bdmv" and ".mnu" files in the
// freedesktop way: a MIME type package per extension under
// <data home>/mime/packages and a desktop entry under
// <data home>/applications that names the types. Both are the files a
// package installs (dist/), with this program's path and the chosen types;
// the desktop entry has the installed one's name, so it takes its place. The user's choice of
// default applications (mimeapps.list) is left alone. Failures are not
// reported; unchecking an option removes nothing.
#pragma once

#include <QString>
#include <QStringList>

namespace mirdal::gui {

// The MIME package of an extension is dist/mime/mirdal-<extension>.xml.
struct FileAssociation {
  const char* extension;  // "bdmv"
  const char* className;  // "BD.movie.info"
  const char* mimeType;   // "application/x-bd-movie-info"
};

inline constexpr FileAssociation kBdmvAssociation{"bdmv", "BD.movie.info", "application/x-bd-movie-info"};
inline constexpr FileAssociation kMnuAssociation{"mnu", "BD.IGS.menu", "application/x-bd-igs-menu"};

// Writes the files for the chosen extensions; with updateCaches, asks
// update-mime-database and update-desktop-database (when installed) to
// refresh their caches. Returns the files written.
QStringList registerAssociations(const QString& dataHome, const QString& program, bool bdmv, bool mnu,
                                 bool updateCaches);

// The Exec= value of a desktop entry that opens one file with `program`.
QString desktopExec(const QString& program);

}  // namespace mirdal::gui
