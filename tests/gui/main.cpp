// Runs every registered test class of the window on the offscreen platform.
#include <QApplication>
#include <QTest>

#include "gui/gui_test.hpp"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  int failed = 0;
  for (const plimo::test::TestFactory& make : plimo::test::GuiTests()) {
    const std::unique_ptr<QObject> tests = make();
    failed += QTest::qExec(tests.get(), argc, argv);
  }
  return failed == 0 ? 0 : 1;
}
