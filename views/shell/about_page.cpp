#include "views/shell/about_page.h"

#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "core/version.h"

namespace mirdal::gui {

QString aboutText() {
  return QStringLiteral(
             "<p><b><big>Mirdal v%1</big></b></p>"
             "<p>An editor and viewer for the navigation and database files of a Blu-ray "
             "BDMV folder: index.bdmv, MovieObject.bdmv, playlists, clip information files, "
             "BD-J objects and Interactive Graphics menus. It checks the folder, shows every "
             "file field by field, writes edited files back with backup copies, and runs "
             "navigation programs and menus the way a player would.</p>"
             "<p>Drop a file of a BDMV folder on the window, or choose the folder on the "
             "BDMV page and press Read. The log of every step is on the Status page.</p>")
      .arg(QString::fromLatin1(mirdal::kBuildVersion));
}

QString changeListText() {
  return QStringLiteral(
      "Changes\n"
      "\n"
      "0.34b\n"
      "  - Main window with the pages BDMV, PLAYLIST, CLIPINF, Menu, BD-J objects,\n"
      "    Options, Status and About, and the shared buttons along the bottom.\n"
      "  - Message log with bold, blue, green and red messages; status line with\n"
      "    the error mark; progress bar with Cancel.\n"
      "  - Disc folder check and Read: mandatory folders and files, 8.3 file names,\n"
      "    playlist, clip and BD-J object lists, stream files.\n"
      "  - The Read starts from the folder button, from a file dropped on the window,\n"
      "    from the command line or at start with Auto Read.\n"
      "  - Every option is kept between runs, with the window position and size and\n"
      "    the heights of the panes.\n"
      "  - Backups before every save: only the first, always the last, or stop when\n"
      "    a backup is in the way; optional copies in the BACKUP folder.\n"
      "  - Temporary files are removed when the program ends.\n"
      "  - index.bdmv and MovieObject.bdmv are read, shown, edited and saved:\n"
      "    titles, First Playback, Top Menu, movie objects and their flags; titles\n"
      "    and objects inserted and deleted with every reference kept right.\n"
      "  - ExtensionData editor for every file that has the block, with .exd files.\n"
      "  - BD-J objects shown on their own page.\n"
      "  - Navigation commands shown as text with PSR comments, edited field by\n"
      "    field or by keys, exported as .lst or .bin; GoTo targets follow the lines.\n"
      "  - Programs run and traced against the player registers; register panel\n"
      "    and PSR and GPR listings.\n"
      "  - mirdal-cli: check, dump, resave, command, program and run for scripts;\n"
      "    errors on standard error, JSON output with its kind and version.\n"
      "  - A Read names the folder it checks and says why a check failed; its\n"
      "    errors stay on the status line. Ultra HD files (0300) are named as such.\n"
      "  - Mended: BD-J application type (4 bits) and visibility (2 bits) show as\n"
      "    the file holds them.\n");
}

ChangeList::ChangeList(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName("reChanges");
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
}

int ChangeList::firstVisibleLine() const { return verticalScrollBar()->value(); }

// A QPlainTextEdit scrolls by whole lines: one scroll-bar step is one line.
void ChangeList::scrollLines(int lines) {
  QScrollBar* s = verticalScrollBar();
  s->setValue(s->value() + lines);
}

void ChangeList::mouseMoveEvent(QMouseEvent* e) {
  const int h = viewport()->height();
  const int y = int(e->position().y());
  if (y < h / 2 - 25) scrollLines(-1);
  else if (y > h / 2 + 25) scrollLines(1);
  QPlainTextEdit::mouseMoveEvent(e);
}

void ChangeList::wheelEvent(QWheelEvent* e) {
  wheelRest_ += e->angleDelta().y();
  const int lines = wheelRest_ / 60;
  wheelRest_ -= lines * 60;
  scrollLines(-lines);
  e->accept();
}

AboutPage::AboutPage(QWidget* parent) : QWidget(parent) {
  setObjectName("tsAbout");
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(12, 12, 12, 12);
  l->setSpacing(10);
  about_ = new QLabel(aboutText(), this);
  about_->setObjectName("lAbout");
  about_->setWordWrap(true);
  about_->setTextFormat(Qt::RichText);
  changes_ = new ChangeList(this);
  changes_->setPlainText(changeListText());
  l->addWidget(about_);
  l->addWidget(changes_, 1);
}

}  // namespace mirdal::gui
