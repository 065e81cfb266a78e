// A list and its checksum file through the real executable: a run into the folder it lists
// leaves its own outputs out, every name reads back with sha256sum -c, and the two files are
// replaced together or not at all, also when two runs write them at once.
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include "support/BatchProcessFixture.h"
#include "support/FileSizeLimit.h"
#include "support/QStringPrinter.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

struct Check {
  int exitCode = -1;
  QByteArray output;
};

// sha256sum -c of the checksum file, run in folder as the recipient would.
Check sha256Check(const QString& folder, const QString& checksumFile) {
  QProcess process;
  process.setWorkingDirectory(folder);
  process.setProcessChannelMode(QProcess::MergedChannels);
  // A line read as "-" would wait for standard input: there is none.
  process.setStandardInputFile(QProcess::nullDevice());
  process.start(u"sha256sum"_s, {u"-c"_s, checksumFile});
  EXPECT_TRUE(process.waitForFinished(60000));
  return {process.exitCode(), process.readAll()};
}

class ListAndChecksumTest : public test::BatchProcessFixture {};

// The second run into the listed folder lists neither the first run's list nor its checksum
// file (the old digests of files it is about to replace), whatever the type, whichever way
// the output folder is named; nor a temporary file a run leaves there.
TEST_F(ListAndChecksumTest, ARunIntoItsOwnFolderLeavesItsOutputsOut) {
  tree.file(u"in/a.txt"_s, "a");
  tree.file(u"in/sub/b.txt"_s, "b");
  tree.link(u"inlink"_s, source);
  struct Case {
    QString type, extension, outputFolder;
    QStringList more;
  } const cases[] = {
      {u"CSV"_s, u".csv"_s, u"in"_s, {}},
      {u"TEXT"_s, u".txt"_s, u"in"_s, {}},
      {u"JSON"_s, u".json"_s, u"in"_s, {}},
      {u"HTML"_s, u".html"_s, u"in"_s, {}},
      {u"XML"_s, u".xml"_s, u"in"_s, {}},
      {u"XLSX"_s, u".xlsx"_s, u"in"_s, {}},
      {u"CSV"_s, u".csv"_s, u"inlink"_s, {u"/M"_s, u"MD5"_s}},
      {u"CSV"_s, u".csv"_s, u"in/../in"_s, {u"/A"_s}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(QString(c.type + u' ' + c.outputFolder + u' ' + c.more.join(u' ')).toStdString());
    for (const QString& name : entries(source))
      if (name != u"a.txt"_s) QFile::remove(source + u'/' + name);
    tree.file(u"in/.vek-0left1.tmp"_s, "from a run that was killed");
    const QStringList command = QStringList{u"/I"_s, u"in"_s, u"/O"_s,   c.outputFolder, u"/T"_s,
                                            c.type,  u"/F"_s, u"list"_s, u"/C"_s,        u"/W"_s} +
                                c.more;
    for (int runs = 0; runs < 2; ++runs) {
      const test::VekRun r = run(command);
      ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    const QString checksumFile = c.more.contains(u"/M"_s) ? u"list.md5"_s : u"list.sha256"_s;
    const QByteArray sums = tree.read(u"in/"_s + checksumFile);
    EXPECT_EQ(sums.count('\n'), 2) << sums.toStdString();
    if (checksumFile == u"list.sha256"_s) {
      const Check check = sha256Check(source, checksumFile);
      EXPECT_EQ(check.exitCode, 0) << check.output.toStdString();
      EXPECT_EQ(check.output, "a.txt: OK\nsub/b.txt: OK\n");
    }
    if (c.type != u"XLSX"_s) {
      const QByteArray list = tree.read(u"in/list"_s + c.extension);
      EXPECT_FALSE(list.contains("list.")) << list.toStdString();
      EXPECT_FALSE(list.contains(".vek-")) << list.toStdString();
      EXPECT_TRUE(list.contains("/in/sub")) << list.toStdString();
    }
  }
}

// Names the checksum tools would read otherwise: "-" is their standard input, a leading "*"
// or space could be read as the mode, "#" as a comment, "\" and line breaks as escapes.
TEST_F(ListAndChecksumTest, EveryNameReadsBackWithSha256sum) {
  const QString names[] = {u"-"_s,         u"sub/-"_s,     u"*star"_s,  u" space"_s,
                           u"#hash"_s,     u"tab\tname"_s, u"trail "_s, u"back\\slash"_s,
                           u"new\nline"_s, u"cr\rname"_s,  u"-\n"_s};
  for (const QString& name : names) tree.file(u"in/"_s + name, name.toUtf8());
  const test::VekRun r =
      run({u"/I"_s, u"in"_s, u"/O"_s, u"out"_s, u"/F"_s, u"list"_s, u"/C"_s, u"/W"_s});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QByteArray sums = tree.read(u"out/list.sha256"_s);
  EXPECT_TRUE(sums.contains("  ./-\n")) << sums.toStdString();
  EXPECT_TRUE(sums.contains("  sub/-\n")) << sums.toStdString();
  const Check check = sha256Check(source, output + u"/list.sha256"_s);
  EXPECT_EQ(check.exitCode, 0) << check.output.toStdString();
  EXPECT_EQ(check.output.count(": OK\n"), qsizetype(std::size(names)))
      << check.output.toStdString();
}

// A checksum file the person made read-only cannot be replaced, so neither is the list: the run
// fails with 1 and the folder holds the old pair and nothing else.
TEST_F(ListAndChecksumTest, ANewListWithoutItsChecksumFileReplacesNothing) {
  tree.file(u"in/a.txt"_s, "first");
  const QStringList command{u"/I"_s,   u"in"_s, u"/O"_s,   u"out"_s, u"/T"_s,
                            u"JSON"_s, u"/F"_s, u"list"_s, u"/W"_s};
  ASSERT_EQ(run(command).exitCode, 0);
  const QByteArray list = tree.read(u"out/list.json"_s), sums = tree.read(u"out/list.sha256"_s);
  const QString checksumPath = output + u"/list.sha256"_s;
  ASSERT_EQ(::chmod(QFile::encodeName(checksumPath).constData(), 0444), 0);
  tree.file(u"in/a.txt"_s, "second, longer");
  tree.file(u"in/b.txt"_s, "new");
  const test::VekRun r = run(command);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains(checksumPath)) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains(output + u"/list.json"_s)) << r.err.toStdString();
  EXPECT_EQ(tree.read(u"out/list.json"_s), list);
  EXPECT_EQ(tree.read(u"out/list.sha256"_s), sums);
  EXPECT_EQ(entries(output), (QStringList{u"list.json"_s, u"list.sha256"_s}));
}

// The disk fills between the two files: the list was staged, the checksum file could not be;
// the old pair stays. Each file may grow to 1 KiB: the list of names fits, the checksum file
// of 40 digests does not.
TEST_F(ListAndChecksumTest, AFullDiskBetweenTheTwoFilesReplacesNothing) {
  writeSettings("[Csv]\r\nChkDir=0\r\nChkExt=0\r\nChkSize=0\r\nChkMakeDate=0\r\n");
  for (int i = 0; i < 40; ++i) tree.file(u"in/f%1.txt"_s.arg(i, 2, 10, QChar(u'0')), "x");
  const QStringList command{u"/I"_s, u"in"_s, u"/O"_s, u"out"_s, u"/F"_s, u"list"_s, u"/W"_s};
  ASSERT_EQ(run(command).exitCode, 0);
  const QByteArray list = tree.read(u"out/list.csv"_s), sums = tree.read(u"out/list.sha256"_s);
  ASSERT_LT(list.size(), 1024);
  ASSERT_GT(sums.size(), 1024);
  tree.file(u"in/f00.txt"_s, "changed");
  tree.file(u"in/f40.txt"_s, "new");
  test::VekRun r;
  {
    const test::FileSizeLimit limit(1024);  // the child inherits it
    ASSERT_TRUE(limit.isSet());
    r = run(command);
  }
  EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains(output + u"/list.sha256"_s)) << r.err.toStdString();
  EXPECT_EQ(tree.read(u"out/list.csv"_s), list);
  EXPECT_EQ(tree.read(u"out/list.sha256"_s), sums);
  EXPECT_EQ(entries(output), (QStringList{u"list.csv"_s, u"list.sha256"_s}));
}

// Two runs writing the same list at once take turns: the list and the checksum file left
// behind always come from one run. The runs list different folders, so the rows tell them apart.
TEST_F(ListAndChecksumTest, TwoRunsOnOneListTakeTurns) {
  tree.file(u"one/one.txt"_s, "1");
  tree.file(u"two/two.txt"_s, "2");
  for (int attempt = 0; attempt < 40; ++attempt) {
    SCOPED_TRACE(attempt);
    QProcess first, second;
    const auto command = [](const QString& folder) {
      return QStringList{u"/I"_s, folder, u"/O"_s, u"out"_s, u"/F"_s, u"list"_s, u"/W"_s};
    };
    test::VekRunOptions opts = options();
    opts.threads = 1;
    test::startVek(first, command(u"one"_s), opts);
    test::startVek(second, command(u"two"_s), opts);
    ASSERT_TRUE(first.waitForFinished(60000) && second.waitForFinished(60000));
    ASSERT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    ASSERT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    const QByteArray list = tree.read(u"out/list.csv"_s), sums = tree.read(u"out/list.sha256"_s);
    const bool listOne = list.contains("one.txt"), sumsOne = sums.contains("one.txt");
    EXPECT_NE(listOne, list.contains("two.txt")) << list.toStdString();
    ASSERT_EQ(listOne, sumsOne) << list.toStdString() << sums.toStdString();
    EXPECT_EQ(entries(output), (QStringList{u"list.csv"_s, u"list.sha256"_s}));
  }
}

}  // namespace
}  // namespace vek
