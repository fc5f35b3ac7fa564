// Runs every registered test class, or with a class's name as the first
// argument only that class (each CTest entry runs one); the exit status
// counts the failures.
//
// The tests never touch the user's own settings, data or temporary files:
// settings, the data folders and the temporary folder all lie in a fresh
// folder that is removed at the end.
#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstring>
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
  std::vector<char*> args(argv, argv + argc);
  const char* only = nullptr;
  for (const auto& entry : mirdal::gui::test::registry())
    if (args.size() > 1 && std::strcmp(entry.first, args[1]) == 0) only = entry.first;
  if (only) args.erase(args.begin() + 1);
  int failures = 0;
  for (auto& [name, make] : mirdal::gui::test::registry()) {
    if (only && std::strcmp(name, only) != 0) continue;
    std::unique_ptr<QObject> t(make());
    failures += QTest::qExec(t.get(), int(args.size()), args.data());
  }
  return failures;
}
