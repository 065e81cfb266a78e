// The checksum file beside a list: its lines byte for byte, its name, the folder its paths
// start from, and the real sha256sum -c and md5sum -c reading it in the input folder.
#include "writers/ChecksumFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include "core/platform/FileNameBytes.h"
#include "support/QStringPrinter.h"
#include "support/TempTree.h"

namespace vek {
namespace {

using namespace Qt::StringLiterals;
using test::TempTree;

TEST(ChecksumFile, LinesEscapeNamesAsCoreutilsDoes) {
  const QByteArray hex = "0123abcd";
  struct Case {
    QString path;
    QByteArray line;
  } const cases[] = {
      {u"a.txt"_s, "0123abcd  a.txt\n"},
      {u"sub/with space, comma.txt"_s, "0123abcd  sub/with space, comma.txt\n"},
      {u"back\\slash"_s, "\\0123abcd  back\\\\slash\n"},
      {u"new\nline"_s, "\\0123abcd  new\\nline\n"},
      {u"carriage\rreturn"_s, "\\0123abcd  carriage\\rreturn\n"},
      {u"報告書.docx"_s, "0123abcd  \xe5\xa0\xb1\xe5\x91\x8a\xe6\x9b\xb8.docx\n"},
      {decodeFileName("caf\xe9"), "0123abcd  caf\xe9\n"},  // the bytes on disk
      {u" leading space"_s, "0123abcd   leading space\n"},
      // The tools read "-" as their standard input.
      {u"-"_s, "0123abcd  ./-\n"},
      {u"sub/-"_s, "0123abcd  sub/-\n"},
      {u"-\n"_s, "\\0123abcd  -\\n\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChecksumFile::line(hex, c.path), c.line) << c.path.toStdString();
}

TEST(ChecksumFile, IsNamedAfterTheList) {
  struct Case {
    QString list;
    HashKind kind;
    QString expected;
  } const cases[] = {
      {u"/out/list.csv"_s, HashKind::Sha256, u"/out/list.sha256"_s},
      {u"/out/list.html"_s, HashKind::Md5, u"/out/list.md5"_s},
      {u"/out/list.tar.xml"_s, HashKind::Sha1, u"/out/list.tar.sha1"_s},
      {u"/out/list"_s, HashKind::Sha256, u"/out/list.sha256"_s},
      {u"/out/.list"_s, HashKind::Sha256, u"/out/.list.sha256"_s},
      {u"/out.d/list"_s, HashKind::Md5, u"/out.d/list.md5"_s},
      // Never the list itself.
      {u"/out/list.sha256"_s, HashKind::Sha256, u"/out/list.sha256.sha256"_s},
  };
  for (const Case& c : cases) EXPECT_EQ(ChecksumFile::pathFor(c.list, c.kind), c.expected);
}

FileEntry row(const QString& folder, const QString& fileName, qint32 rootLength,
              bool ticked = true) {
  FileEntry e;
  e.folder = folder;
  FileEntry::splitName(fileName, e.name, e.extension);
  e.rootLength = rootLength;
  e.ticked = ticked;
  return e;
}

TEST(ChecksumFile, PathsStartAtTheFolderAllTickedRowsShare) {
  // One subtree add: its start folder.
  std::vector<FileEntry> rows = {row(u"/in/"_s, u"a"_s, 4), row(u"/in/sub/x/"_s, u"b"_s, 4)};
  EXPECT_EQ(ChecksumFile::inputFolder(rows), u"/in/"_s);
  // Two current-folder adds side by side: the folder above both, cut at a whole name.
  rows = {row(u"/in/photos/"_s, u"a"_s, -1), row(u"/in/photo/"_s, u"b"_s, -1)};
  EXPECT_EQ(ChecksumFile::inputFolder(rows), u"/in/"_s);
  // Unticked rows do not count.
  rows = {row(u"/elsewhere/"_s, u"a"_s, -1, false), row(u"/in/sub/"_s, u"b"_s, -1)};
  EXPECT_EQ(ChecksumFile::inputFolder(rows), u"/in/sub/"_s);
  // A removed row of a comparison names where a saved list said the file was: never read.
  rows = {row(u"/etc/"_s, u"hostname"_s, -1), row(u"/in/"_s, u"b"_s, 4)};
  rows[0].state = CompareState::Removed;
  EXPECT_EQ(ChecksumFile::inputFolder(rows), u"/in/"_s);
  rows = {row(u"/a/"_s, u"a"_s, -1), row(u"/b/"_s, u"b"_s, -1)};
  EXPECT_EQ(ChecksumFile::inputFolder(rows), u"/"_s);
  EXPECT_EQ(ChecksumFile::inputFolder({}), QString());
}

TEST(ChecksumFile, RowsWithoutADigestGetNoLine) {
  std::vector<FileEntry> rows = {row(u"/in/"_s, u"a"_s, 4), row(u"/in/"_s, u"skipped"_s, 4, false),
                                 row(u"/in/"_s, u"b"_s, 4), row(u"/in/"_s, u"c"_s, 4)};
  std::vector<FileHash> hashes(3);
  hashes[0].outcome = FileHash::Outcome::Hashed;
  hashes[0].hex = "aa";
  hashes[1].outcome = FileHash::Outcome::Changed;
  hashes[2].outcome = FileHash::Outcome::Hashed;
  hashes[2].hex = "cc";
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(ChecksumFile::write(buffer, rows, hashes));
  EXPECT_EQ(buffer.data(), "aa  a\ncc  c\n");
}

// Writes a file by the bytes of its name.
void writeRaw(const QString& path, const QByteArray& content) {
  const int fd = ::open(encodeFileName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0) << path.toStdString();
  ASSERT_EQ(::write(fd, content.constData(), content.size()), content.size());
  ::close(fd);
}

struct Check {
  int exitCode;
  QByteArray output;
};

Check runCheck(const QString& tool, const QString& folder, const QString& list) {
  QProcess process;
  process.setWorkingDirectory(folder);
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(tool, {u"-c"_s, list});
  EXPECT_TRUE(process.waitForFinished(60000));
  return {process.exitCode(), process.readAll()};
}

TEST(ChecksumFile, TheRealToolsVerifyItInTheInputFolder) {
  for (HashKind kind : {HashKind::Sha256, HashKind::Md5, HashKind::Sha1}) {
    TempTree tree;
    const QString in = tree.folder(u"in"_s) + u'/';
    const QString names[] = {u"plain.txt"_s,        u"with space.txt"_s,
                             u"back\\slash.txt"_s,  u"new\nline.txt"_s,
                             u"cr\rname"_s,         u"sub/deeper/報告書 😀.docx"_s,
                             u"sub/\\both\n.txt"_s, u"sub/" + decodeFileName("caf\xe9")};
    tree.folder(u"in/sub/deeper"_s);
    std::vector<FileEntry> rows;
    std::vector<QString> paths;
    const auto rootLength = qint32(in.size());
    for (const QString& name : names) {
      writeRaw(in + name, name.toUtf8() + "\n");
      const qsizetype slash = name.lastIndexOf(u'/');
      rows.push_back(row(in + name.left(slash + 1), name.mid(slash + 1), rootLength));
      paths.push_back(in + name);
    }
    HashJob job(kind, paths);
    ASSERT_TRUE(job.waitFor(60000));
    const std::vector<FileHash> hashes = job.takeResults();
    const QString list = tree.root() + u"/list." + checksumExtension(kind);
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(ChecksumFile::write(file, rows, hashes));
    file.close();

    const QString tool = checksumExtension(kind) + u"sum"_s;
    const Check passed = runCheck(tool, in, list);
    EXPECT_EQ(passed.exitCode, 0) << tool.toStdString() << passed.output.toStdString();
    EXPECT_EQ(passed.output.count(": OK\n"), qsizetype(std::size(names)))
        << passed.output.toStdString();

    writeRaw(in + u"with space.txt"_s, "changed one byte\n");
    const Check failed = runCheck(tool, in, list);
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.output.count("FAILED"), 1) << failed.output.toStdString();
    EXPECT_TRUE(failed.output.contains("with space.txt: FAILED\n")) << failed.output.toStdString();
    EXPECT_TRUE(failed.output.contains("1 computed checksum did NOT match"));
  }
}

}  // namespace
}  // namespace vek
