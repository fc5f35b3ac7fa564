// mirdal: the GUI.
#include "app/application.h"
#include "app/main_window.h"
#include "views/interaction.h"
#include "core/version.h"

int main(int argc, char** argv) {
  mirdal::gui::Application app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(mirdal::kProgramName));
  QApplication::setApplicationVersion(QString::fromLatin1(mirdal::kVersion));

  mirdal::gui::QtInteraction interaction;
  mirdal::gui::TfMain w(interaction);
  interaction.setDialogParent(&w);
  QStringList args = QApplication::arguments();
  args.removeFirst();
  w.startUp(args);
  return QApplication::exec();
}
