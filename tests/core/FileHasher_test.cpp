// Message digests of files: Python's hashlib as the reference for every kind and for empty,
// small, streamed and awkwardly named files; files that change while read or cannot be read
// get no digest; many files on several threads; cancelling.
#include "core/platform/FileHasher.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>

#include <QDir>

#include <gtest/gtest.h>

#include "core/platform/FileNameBytes.h"
#include "support/QStringPrinter.h"
#include "support/TempTree.h"
#include "support/ThreadStarters.h"
#include "support/Unprivileged.h"

namespace vek {
namespace {

using namespace Qt::StringLiterals;
using test::TempTree;

// hashlib's digests of the files, read by Python from the names' own bytes.
std::vector<QByteArray> referenceDigests(HashKind kind, const std::vector<QString>& paths) {
  QByteArray names;
  for (const QString& path : paths) names.append(encodeFileName(path)).append('\0');
  QProcess python;
  python.start(u"python3"_s,
               {u"-c"_s,
                u"import hashlib, sys\n"
                "for name in sys.stdin.buffer.read().split(b'\\0')[:-1]:\n"
                "    print(hashlib.new(sys.argv[1], open(name, 'rb').read()).hexdigest())"_s,
                hashKindName(kind).toLower()});
  python.write(names);
  python.closeWriteChannel();
  EXPECT_TRUE(python.waitForFinished(60000));
  std::vector<QByteArray> digests;
  for (const QByteArray& line : python.readAllStandardOutput().split('\n'))
    if (!line.isEmpty()) digests.push_back(line);
  return digests;
}

QByteArray randomBytes(qsizetype size) {
  QByteArray bytes(size, Qt::Uninitialized);
  QRandomGenerator generator(size);
  for (char& c : bytes) c = char(generator.bounded(256));
  return bytes;
}

struct Files {
  TempTree tree;
  std::vector<QString> paths;
  Files() {
    paths.push_back(tree.file(u"empty"_s));
    paths.push_back(tree.file(u"small.txt"_s, "abc"));
    // Several blocks and a part block: the file is streamed.
    paths.push_back(tree.file(u"large.bin"_s, randomBytes(3 * 256 * 1024 + 12345)));
    paths.push_back(tree.file(u"spaces, \"quotes\" & <tags>.txt"_s, "x"));
    paths.push_back(tree.file(u"new\nline\\back"_s, "y"));
    paths.push_back(tree.file(u"報告書 😀.docx"_s, "z"));
    paths.push_back(tree.file(u".hidden"_s, "dot"));
    // A name that is no UTF-8: its bytes reach the file all the same.
    const QString latin1 = tree.root() + u'/' + decodeFileName("caf\xe9.txt");
    const int fd = ::open(encodeFileName(latin1).constData(), O_WRONLY | O_CREAT, 0644);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(::write(fd, "latin-1", 7), 7);
    ::close(fd);
    paths.push_back(latin1);
  }
};

TEST(FileHasher, DigestsEqualHashlibForEveryKind) {
  Files files;
  for (HashKind kind : {HashKind::Md5, HashKind::Sha1, HashKind::Sha256}) {
    const std::vector<QByteArray> expected = referenceDigests(kind, files.paths);
    ASSERT_EQ(expected.size(), files.paths.size());
    FileHasher hasher(kind);
    std::atomic<bool> cancel = false;
    std::atomic<qint64> bytes = 0;
    for (std::size_t i = 0; i < files.paths.size(); ++i) {
      const FileHash hash = hasher.hash(files.paths[i], cancel, &bytes);
      EXPECT_EQ(hash.outcome, FileHash::Outcome::Hashed) << files.paths[i].toStdString();
      EXPECT_EQ(hash.hex, expected[i]) << files.paths[i].toStdString();
      EXPECT_EQ(hash.cellText(), QString::fromLatin1(expected[i]));
      EXPECT_EQ(hash.hex.size(), hexDigestLength(kind));
    }
    qint64 total = 0;
    for (const QString& path : files.paths) {
      struct stat info {};
      ::stat(encodeFileName(path).constData(), &info);
      total += info.st_size;
    }
    EXPECT_EQ(bytes.load(), total);
  }
}

TEST(FileHasher, AFileThatChangesWhileReadGetsNoDigest) {
  TempTree tree;
  const QString path = tree.file(u"growing.log"_s, randomBytes(600 * 1024));
  const QByteArray name = QFile::encodeName(path);
  struct Change {
    const char* what;
    std::function<void()> change;
  } const changes[] = {
      {"appended to",
       [&] {
         QFile file(path);
         ASSERT_TRUE(file.open(QIODevice::Append));
         file.write("more");
       }},
      {"rewritten in place, same size",
       [&] {
         QFile file(path);
         ASSERT_TRUE(file.open(QIODevice::ReadWrite));
         file.write("X");
         file.close();
         // Coarse time stamps could hide the write: move the time on by a second as well.
         struct timeval times[2] = {{1'000'000'000, 0}, {1'000'000'000, 0}};
         ::utimes(name.constData(), times);
       }},
      {"cut short", [&] { ASSERT_EQ(::truncate(name.constData(), 100), 0); }},
  };
  for (const Change& c : changes) {
    tree.file(u"growing.log"_s, randomBytes(600 * 1024));
    FileHasher hasher(HashKind::Sha256);
    std::atomic<bool> cancel = false;
    bool changed = false;
    const FileHash hash = hasher.hash(path, cancel, nullptr, [&] {
      if (!changed) c.change();
      changed = true;
    });
    EXPECT_EQ(hash.outcome, FileHash::Outcome::Changed) << c.what;
    EXPECT_TRUE(hash.hex.isEmpty()) << c.what;
    EXPECT_EQ(hash.cellText(), u"(変更されたためハッシュなし)"_s);
  }
}

TEST(FileHasher, UnreadableFilesAndPipesGetNoDigestAndAReason) {
  TempTree tree;
  const QString locked = tree.file(u"locked.txt"_s, "secret");
  ::chmod(QFile::encodeName(locked).constData(), 0);
  const QString pipe = tree.path(u"pipe"_s);
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0666), 0);
  test::openToOthers({tree.root()});
  const bool refused = test::runAsUnprivileged([&] {
    FileHasher hasher(HashKind::Sha256);
    std::atomic<bool> cancel = false;
    const FileHash hash = hasher.hash(locked, cancel);
    return hash.outcome == FileHash::Outcome::Unreadable && !hash.reason.isEmpty() &&
           hash.hex.isEmpty() && hash.cellText() == u"(読み取れないためハッシュなし)"_s;
  });
  EXPECT_TRUE(refused);
  FileHasher hasher(HashKind::Sha256);
  std::atomic<bool> cancel = false;
  // A named pipe without a writer would block a plain open for ever.
  const FileHash fromPipe = hasher.hash(pipe, cancel);
  EXPECT_EQ(fromPipe.outcome, FileHash::Outcome::Unreadable);
  const FileHash gone = hasher.hash(tree.path(u"vanished"_s), cancel);
  EXPECT_EQ(gone.outcome, FileHash::Outcome::Unreadable);
}

TEST(HashJob, ManyFilesOnSeveralThreadsKeepTheirOrder) {
  TempTree tree;
  std::vector<QString> paths;
  for (int i = 0; i < 300; ++i) paths.push_back(tree.file(u"f%1"_s.arg(i), randomBytes(i * 97)));
  paths.push_back(tree.path(u"missing"_s));
  const std::vector<QByteArray> expected =
      referenceDigests(HashKind::Md5, std::vector<QString>(paths.begin(), paths.end() - 1));
  HashJob job(HashKind::Md5, paths, 4);
  ASSERT_TRUE(job.waitFor(60000));
  EXPECT_EQ(job.filesDone(), 301);
  const std::vector<FileHash> hashes = job.takeResults();
  ASSERT_EQ(hashes.size(), paths.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(hashes[i].hex, expected[i]) << i;
  EXPECT_EQ(hashes.back().outcome, FileHash::Outcome::Unreadable);
}

TEST(HashJob, ReadersTheSystemWillNotStartLeaveTheWorkToTheOthers) {
  TempTree tree;
  std::vector<QString> paths;
  for (int i = 0; i < 40; ++i) paths.push_back(tree.file(u"f%1"_s.arg(i), randomBytes(i * 31)));
  const std::vector<QByteArray> expected = referenceDigests(HashKind::Sha1, paths);
  for (const int allowed : {0, 1}) {
    test::FewThreads few(allowed);
    HashJob job(HashKind::Sha1, paths, 4);
    ASSERT_TRUE(job.waitFor(60000)) << allowed;
    const std::vector<FileHash> hashes = job.takeResults();
    ASSERT_EQ(hashes.size(), paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) EXPECT_EQ(hashes[i].hex, expected[i]) << i;
  }
}

TEST(HashJob, CancelStopsTheThreadsAndLeavesTheRestUndone) {
  TempTree tree;
  std::vector<QString> paths;
  const QString big = tree.file(u"big"_s, randomBytes(4 * 1024 * 1024));
  for (int i = 0; i < 2000; ++i) paths.push_back(big);
  HashJob job(HashKind::Sha256, paths, 2);
  job.cancel();
  ASSERT_TRUE(job.waitFor(60000));
  EXPECT_TRUE(job.cancelled());
  EXPECT_LT(job.filesDone(), 2000);
  const std::vector<FileHash> hashes = job.takeResults();
  EXPECT_EQ(hashes.back().outcome, FileHash::Outcome::Cancelled);
}

TEST(HashJob, AnEmptyJobIsDoneAtOnce) {
  HashJob job(HashKind::Sha1, {});
  EXPECT_TRUE(job.waitFor(0));
  EXPECT_TRUE(job.takeResults().empty());
  bool told = false;
  job.setWhenDone([&] { told = true; });
  EXPECT_TRUE(told);
}

// A cancelled job's readers may run on after the job is gone, but not past the program's end:
// stopping them leaves no thread of theirs behind.
TEST(HashJob, ReadersLetGoAtACancelAreJoinedBeforeTheEnd) {
  const auto threads = [] {
    return QDir(u"/proc/self/task"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
  };
  TempTree tree;
  const QString big = tree.file(u"big"_s, randomBytes(4 * 1024 * 1024));
  HashJob::stopAllReaders();
  const qsizetype before = threads();
  {
    HashJob job(HashKind::Sha256, std::vector<QString>(500, big), 3);
    bool told = false;
    job.setWhenDone([&] { told = true; });
    job.cancel();  // forgets whenDone: the caller may go away
    EXPECT_FALSE(told);
  }
  HashJob::stopAllReaders();
  EXPECT_EQ(threads(), before);
}

TEST(HashKind, SwitchNamesAndExtensions) {
  EXPECT_EQ(hashKindFromName(u"sha256"), HashKind::Sha256);
  EXPECT_EQ(hashKindFromName(u"Sha1"), HashKind::Sha1);
  EXPECT_EQ(hashKindFromName(u"MD5"), HashKind::Md5);
  EXPECT_EQ(hashKindFromName(u"SHA-256"), std::nullopt);
  EXPECT_EQ(hashKindFromName(u""), std::nullopt);
  EXPECT_EQ(checksumExtension(HashKind::Sha256), u"sha256"_s);
  EXPECT_EQ(checksumExtension(HashKind::Md5), u"md5"_s);
}

}  // namespace
}  // namespace vek
