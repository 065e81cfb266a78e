// Test main for the libraries below the windows: a QCoreApplication, no display.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // The tests expect the Japanese texts whatever the machine's locale, and so do the programs
  // they start (the built vek, the command builder's test run), which inherit this.
  qputenv("VEK_LANG", "ja");
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
