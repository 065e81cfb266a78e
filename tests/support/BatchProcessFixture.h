// The fixture of the tests that run the built vek as a script would: a tree with a program
// folder of its own (home), a folder to list (in) and one to write into (out), the run, and
// readers of what it left behind.
#pragma once

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "support/TempTree.h"
#include "support/VekProcess.h"

namespace vek::test {

class BatchProcessFixture : public ::testing::Test {
 protected:
  BatchProcessFixture();

  // The program folder home, the tree's root as the working folder. As "nobody" when asked and
  // this process is root: the root and home are then opened to others, and alsoOpen with them.
  VekRunOptions options(bool unprivileged = false, const QStringList& alsoOpen = {}) const;
  VekRun run(const QStringList& arguments, bool unprivileged = false) const;

  // A value of home/Vek.ini; fails the test when there is no such file.
  QString setting(const QString& section, const QString& key) const;
  void writeSettings(const QByteArray& bytes) const;
  // The lines of a CSV file written with the default options (CR LF line ends).
  QStringList csvLines(const QString& path) const;
  // The names of the files in folder, hidden ones and sockets too, sorted: what a run left.
  QStringList entries(const QString& folder) const;

  TempTree tree;
  QString home, source, output;
};

}  // namespace vek::test
