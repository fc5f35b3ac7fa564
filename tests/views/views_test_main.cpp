// Runs every registered test class; the exit status counts the failures.
//
// The tests never touch the user's own settings, data or temporary files:
// settings, the data folders and the temporary folder all lie in a fresh
// folder that is removed at the end.
#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "app/application.h"
#include "gui_test.h"

namespace mirdal::gui::test {

namespace {
std::vector<std::pair<const char*, TestFactory>>& registry() {
  static std::vector<std::pair<const char*, TestFactory>> r;
  return r;
}
}  // namespace

int registerTest(const char* name, TestFactory make) {
  registry().emplace_back(name, std::move(make));
  return int(registry().size());
}

}  // namespace mirdal::gui::test

int main(int argc, char** argv) {
  QTemporaryDir sandbox;
  if (!sandbox.isValid()) return 1;
  const QString root = sandbox.path();
  for (const char* sub : {"tmp", "config", "runtime", "home"}) QDir(root).mkpath(QString::fromLatin1(sub));
  QFile::setPermissions(root + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  qputenv("TMPDIR", QFile::encodeName(root + "/tmp"));
  qputenv("HOME", QFile::encodeName(root + "/home"));
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(root + "/runtime"));
  QStandardPaths::setTestModeEnabled(true);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root + "/config");
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root + "/config");

  // The program's own application, so that user actions are marked as in
  // the program.
  mirdal::gui::Application app(argc, argv);
  int failures = 0;
  for (auto& [name, make] : mirdal::gui::test::registry()) {
    std::unique_ptr<QObject> t(make());
    failures += QTest::qExec(t.get(), argc, argv);
  }
  return failures;
}
