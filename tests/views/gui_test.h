// Several Qt Test classes in one program: each test file registers its class
// with MIRDAL_GUI_TEST, and the shared main runs them all.
#pragma once

#include <QObject>
#include <QTest>
#include <functional>

namespace mirdal::gui::test {

using TestFactory = std::function<QObject*()>;
int registerTest(const char* name, TestFactory make);

}  // namespace mirdal::gui::test

#define MIRDAL_GUI_TEST(Class)                                                          \
  [[maybe_unused]] static const int mirdalRegistered##Class =                           \
      ::mirdal::gui::test::registerTest(#Class, [] { return static_cast<QObject*>(new Class); });
