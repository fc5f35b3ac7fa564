// Helpers for tests that drive a whole main window: a window with a scripted
// Interaction, a disc folder laid out in a temporary folder, and finding
// widgets by their objectName.
#pragma once

#include <QApplication>
#include <QSettings>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <memory>

#include "app/main_window.h"
#include "core/report.h"
#include "scripted_interaction.h"
#include "support/bdmv_files.h"
#include "support/sound_files.h"
#include "support/temp_dir.h"
#include "views/shell/message_log.h"
#include "views/common/string_grid.h"

namespace mirdal::gui::test {

// A disc folder under `root`: mandatory layout, an index without titles and
// movie objects without objects (both read well, so the disc is not
// half-loaded), two playlists, two clips, one stream file; with `sound`,
// AUXDATA/sound.bdmv too.
inline std::string makeDisc(const mirdal::test::TempDir& root, bool shortNames = false, bool sound = false) {
  const NameSet& n = nameSet(shortNames);
  const mirdal::test::IndexEntryBytes off{1, 0, 0, 0xFFFF, ""};
  root.mkdir("Movie/BDMV/BACKUP");
  root.write("Movie/BDMV/" + n.index, mirdal::test::indexFile("0200", off, off, {}).data());
  root.write("Movie/BDMV/" + n.movieObject, mirdal::test::movieObjectFile("0200", {}).data());
  root.write("Movie/BDMV/PLAYLIST/00000" + n.playlistExt);
  root.write("Movie/BDMV/PLAYLIST/00001" + n.playlistExt);
  root.write("Movie/BDMV/CLIPINF/00000" + n.clipExt);
  root.write("Movie/BDMV/CLIPINF/00001" + n.clipExt);
  root.write("Movie/BDMV/STREAM/00000" + n.streamExt, "x");
  if (sound) root.write("Movie/BDMV/AUXDATA/sound.bdmv", mirdal::test::soundFile("0200", {}).data());
  return root.folder() + "Movie/BDMV/";
}

// The settings the program keeps (in the tests' own folder).
// The texts of one grid row, every column.
inline QStringList rowOf(const StringGrid* g, int row) {
  QStringList out;
  for (int c = 0; c < g->columnCount(); ++c) out << g->cell(row, c);
  return out;
}

inline QSettings programSettings() { return QSettings("Tervane Software", "Mirdal"); }

// A main window with a scripted Interaction and empty settings; its
// reporter starts with no errors and nothing running.
struct Window {
  enum Settings { FreshSettings, KeepSettings };
  explicit Window(Settings settings = FreshSettings) {
    if (settings == FreshSettings) programSettings().clear();
    w = std::make_unique<MainWindow>(ia);
  }
  ScriptedInteraction ia;
  std::unique_ptr<MainWindow> w;

  template <typename T>
  T* find(const char* name) const {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    if (!c) qWarning("no widget named %s", name);
    return c;
  }

  QStringList logLines() const {
    QStringList out;
    const QTextDocument* d = w->messageLog()->document();
    if (w->messageLog()->paragraphCount() == 0) return out;
    for (QTextBlock b = d->begin(); b.isValid(); b = b.next()) out << b.text();
    return out;
  }
};

}  // namespace mirdal::gui::test
