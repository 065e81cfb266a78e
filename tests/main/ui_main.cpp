// Test main for the windows: a QApplication on the offscreen platform unless another one is
// asked for, so that listing the tests at build time needs no display either.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The tests expect the Japanese texts whatever the machine's locale, and so do the programs
  // they start (the built vek, the command builder's test run), which inherit this.
  qputenv("VEK_LANG", "ja");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
