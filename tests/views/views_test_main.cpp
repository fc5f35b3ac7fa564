// Runs every registered test class; the exit status counts the failures.
#include <QApplication>
#include <memory>
#include <vector>

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
  QApplication app(argc, argv);
  int failures = 0;
  for (auto& [name, make] : mirdal::gui::test::registry()) {
    std::unique_ptr<QObject> t(make());
    failures += QTest::qExec(t.get(), argc, argv);
  }
  return failures;
}
