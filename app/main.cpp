// mirdal: the GUI.
#include "app/application.h"
#include "app/info_options.h"
#include "app/main_window.h"
#include "views/common/interaction.h"
#include "core/version.h"

int main(int argc, char** argv) {
  if (const int status = mirdal::gui::answerInfoOption(argc, argv); status >= 0) return status;
  mirdal::gui::Application app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(mirdal::kProgramName));
  QApplication::setApplicationVersion(QString::fromLatin1(mirdal::kVersion));

  mirdal::gui::QtInteraction interaction;
  mirdal::gui::MainWindow w(interaction);
  interaction.setDialogParent(&w);
  QStringList args = QApplication::arguments();
  args.removeFirst();
  w.startUp(args);
  return QApplication::exec();
}
