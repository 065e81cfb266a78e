// "/K" (the text encoding of a CSV or TEXT list) and "/T XLSX" through the real executable.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QThread>

#include <gtest/gtest.h>

#include "support/FileSizeLimit.h"
#include "support/QStringPrinter.h"
#include "support/TempTree.h"
#include "support/VekProcess.h"
#include "support/XlsxReadBack.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

class ListFormatsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home = tree.folder(u"home"_s);
    out = tree.folder(u"out"_s);
    tree.file(u"in/髙橋①～.txt"_s, "x");
    tree.file(u"in/plain.txt"_s, "xx");
  }
  test::VekRun run(const QStringList& arguments) {
    test::VekRunOptions options;
    options.home = home;
    options.environment = {u"LC_ALL=C.UTF-8"_s};
    return test::runVek(arguments, options);
  }
  QStringList command(const QString& type, const QString& name) const {
    return {u"/I"_s, tree.path(u"in"_s), u"/O"_s, out, u"/T"_s, type, u"/F"_s, name, u"/S"_s,
            u"1"_s};
  }

  test::TempTree tree;
  QString home, out;
};

TEST_F(ListFormatsTest, EncodingSwitchChoosesTheBytesForThisRunOnly) {
  ASSERT_EQ(run(command(u"CSV"_s, u"system"_s)).exitCode, 0);
  const QByteArray system = tree.read(u"out/system.csv"_s);
  // With the new choices at their defaults Vek.ini gets no section of them.
  const QByteArray ini = tree.read(u"home/Vek.ini"_s);
  EXPECT_FALSE(ini.contains("[VekCsv]"));

  const std::pair<QString, QByteArray> cases[] = {
      {u"UTF8"_s, system},
      {u"ｕｔｆ８ｂｏｍ"_s, "\xEF\xBB\xBF" + system},
      {u"cp932"_s, QByteArray()},
      {u"SYSTEM"_s, system},
  };
  for (const auto& [value, expected] : cases) {
    const test::VekRun r = run(command(u"CSV"_s, u"k"_s) + QStringList{u"/K"_s, value});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, QString()) << value.toStdString();
    const QByteArray bytes = tree.read(u"out/k.csv"_s);
    if (!expected.isEmpty()) {
      EXPECT_EQ(bytes, expected) << value.toStdString();
    } else {
      // 髙 as Windows writes it (FB FC), ① (87 40), ～ (81 60).
      EXPECT_TRUE(bytes.contains("\xFB\xFC\x8B\xB4\x87\x40\x81\x60.txt,"))
          << bytes.toHex().toStdString();
    }
  }
  EXPECT_EQ(tree.read(u"home/Vek.ini"_s), ini);  // "/K" is not stored

  // "/K" wins over the saved choice, which stays saved.
  QByteArray saved = ini + "[VekCsv]\r\nEncoding=CP932\r\nFormulaGuard=0\r\nWorkbook=0\r\n";
  tree.file(u"home/Vek.ini"_s, saved);
  ASSERT_EQ(run(command(u"CSV"_s, u"saved"_s)).exitCode, 0);
  EXPECT_TRUE(tree.read(u"out/saved.csv"_s).contains("\xFB\xFC"));
  ASSERT_EQ(run(command(u"CSV"_s, u"over"_s) + QStringList{u"/K"_s, u"UTF8BOM"_s}).exitCode, 0);
  EXPECT_EQ(tree.read(u"out/over.csv"_s), "\xEF\xBB\xBF" + system);
  EXPECT_TRUE(tree.read(u"home/Vek.ini"_s).contains("[VekCsv]\r\nEncoding=CP932\r\n"));
}

TEST_F(ListFormatsTest, BadEncodingValuesAreRefusedBeforeAnythingIsGathered) {
  for (const QString& value : {u"UTF-8"_s, u"SJIS"_s, u""_s}) {
    QStringList arguments = command(u"CSV"_s, u"bad"_s);
    arguments << u"/K"_s;
    if (!value.isEmpty()) arguments << value;
    const test::VekRun r = run(arguments);
    EXPECT_EQ(r.exitCode, 2) << value.toStdString();
    // The value as typed on the line after; nothing when there was none.
    EXPECT_EQ(r.err, QString(u"警告: 文字コードが不正です、SYSTEM/UTF8/UTF8BOM/CP932のどれかを指定"
                             u"してください。\n"_s +
                             (value.isEmpty() ? QString() : u"  " + value + u'\n')));
    EXPECT_FALSE(QFile::exists(out + u"/bad.csv"_s));
  }
  // "/K" takes the next token whatever it is, as "/I" does.
  const test::VekRun r = run(command(u"CSV"_s, u"bad"_s) + QStringList{u"/K"_s, u"/C"_s});
  EXPECT_EQ(r.exitCode, 2);
}

TEST_F(ListFormatsTest, RowsShiftJisCannotHoldAreNamedOnStandardError) {
  tree.file(u"in/emoji😀.txt"_s, "x");
  tree.file(u"in/한국어.txt"_s, "x");
  const test::VekRun r = run(command(u"TEXT"_s, u"sjis"_s) + QStringList{u"/K"_s, u"CP932"_s});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QString in = tree.path(u"in"_s);
  EXPECT_EQ(
      r.err,
      QString(u"文字の置き換え: ファイルを出力しました。\n  "_s + out +
              u"/sjis.txt\n"
              u"  ただし、文字コード Shift_JIS (CP932) で表せない文字を含む行が 2 行あったため、"
              u"その文字を「?」に置き換えて出力しました。\n  "_s +
              in + u"/emoji😀.txt\n  " + in + u"/한국어.txt\n"));
  const QByteArray bytes = tree.read(u"out/sjis.txt"_s);
  // A text file, with the first separator of the history (",").
  EXPECT_TRUE(bytes.contains(",emoji?.txt,")) << bytes.toStdString();
  EXPECT_TRUE(bytes.contains(",???.txt,")) << bytes.toStdString();
}

// Every row named, each path escaped as one entry (a line end as \n, a byte that is not UTF-8
// as \xHH), and the characters Shift_JIS writes as others (best fits) said with their rows;
// under /K SYSTEM as under CP932.
TEST_F(ListFormatsTest, ReplacedRowsArePrintedEscapedOneALine) {
  tree.file(u"in/new\nline😀.txt"_s, "x");
  tree.file(u"in/wave〜dash.txt"_s, "x");
  tree.file(u"in/minus−.txt"_s, "x");
  const QByteArray invalid = QFile::encodeName(tree.path(u"in"_s)) + "/bad\xff😀.txt";
  const int fd = ::open(invalid.constData(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ::close(fd);
  const QString in = tree.path(u"in"_s);
  const auto linesOf = [](const QString& err) {
    QStringList lines = err.split(u'\n');
    lines.sort();
    return lines;
  };

  const test::VekRun r = run(command(u"CSV"_s, u"k"_s) + QStringList{u"/K"_s, u"CP932"_s});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  QStringList expected = {
      u"文字の置き換え: ファイルを出力しました。"_s,
      u"  "_s + out + u"/k.csv"_s,
      u"  ただし、文字コード Shift_JIS (CP932) で表せない文字を含む行が 2 行あったため、"
      u"その文字を「?」に置き換えて出力しました。"_s,
      u"  文字コード Shift_JIS (CP932) では別の文字として読み戻される文字を含む行が 2 行ありました。"_s,
      u"  − (U+2212) は － (U+FF0D) として書き出しました。"_s,
      u"  〜 (U+301C) は ～ (U+FF5E) として書き出しました。"_s,
      u"  "_s + in + u"/new\\nline😀.txt"_s,
      u"  "_s + in + u"/bad\\xff😀.txt"_s,
      u"  "_s + in + u"/wave〜dash.txt"_s,
      u"  "_s + in + u"/minus−.txt"_s,
      QString(),
  };
  expected.sort();
  EXPECT_EQ(linesOf(r.err), expected) << r.err.toStdString();

  // The system's encoding (EUC-JP here, named by the locale even when it is not installed).
  test::VekRunOptions eucJp;
  eucJp.home = home;
  eucJp.environment = {u"LC_ALL=ja_JP.eucJP"_s, u"VEK_LANG=ja"_s};
  const test::VekRun system =
      test::runVek(command(u"CSV"_s, u"s"_s) + QStringList{u"/K"_s, u"SYSTEM"_s}, eucJp);
  ASSERT_EQ(system.exitCode, 0) << system.err.toStdString();
  // Standard error speaks EUC-JP too: the ASCII parts of the entries.
  EXPECT_TRUE(system.err.contains(u"\n  "_s + in + u"/new\\nline"_s)) << system.err.toStdString();
  EXPECT_TRUE(system.err.contains(u"\n  "_s + in + u"/bad\\xff"_s)) << system.err.toStdString();
  ::unlink(invalid.constData());  // a name QTemporaryDir cannot remove
}

TEST_F(ListFormatsTest, WorkbookOfTheAwkwardNamesTreeReadsBackAsItsCsv) {
  const QStringList names = {u"with space.txt"_s,
                             u"comma,name.txt"_s,
                             u"quote\"name.txt"_s,
                             u"new\nline.txt"_s,
                             u"<&>.txt"_s,
                             u"日本語のファイル.txt"_s,
                             u"emoji😀.txt"_s,
                             u"noextension"_s,
                             u"many.dots.in.name.txt"_s,
                             u"it's.csv"_s,
                             u"tab\there.txt"_s,
                             u"=cmd|' /C calc'!A0"_s,
                             u"00123"_s,
                             u"1-2"_s,
                             u"_x0041_"_s,
                             u"ctrl\x07.txt"_s};
  for (const QString& name : names) tree.file(u"in/sub dir,1/"_s + name, "yyy");
  const QString ini = u"[Csv]\r\nChkPath=1\r\nChkUpdateDate=1\r\nChkAccessDate=1\r\n"_s;
  tree.file(u"home/Vek.ini"_s, ini.toUtf8());

  QStringList csv = command(u"CSV"_s, u"list"_s) << u"/C"_s << u"/K"_s << u"UTF8"_s;
  ASSERT_EQ(run(csv).exitCode, 0);
  const test::VekRun r =
      run(command(u"ｘｌｓｘ"_s, u"list"_s) << u"/C"_s << u"/N"_s << u"Sales 1/2"_s);
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.err, QString());
  const test::XlsxReadBack back =
      test::compareXlsxWithCsv(out + u"/list.xlsx"_s, out + u"/list.csv"_s);
  ASSERT_TRUE(back.matches) << back.difference.toStdString();
  const QJsonObject sheet = back.facts[u"sheets"_s].toArray()[0].toObject();
  EXPECT_EQ(sheet[u"title"_s].toString(), u"Sales 1_2"_s);  // a name, not a path to cut
  EXPECT_EQ(sheet[u"rows"_s].toInt(), 2 + int(names.size()));
  // The run stores the workbook as the dialog's type, as a CSV run stores CSV.
  EXPECT_TRUE(tree.read(u"home/Vek.ini"_s)
                  .contains("[VekCsv]\r\nEncoding=SYSTEM\r\nFormulaGuard=0\r\nWorkbook=1\r\n"));
}

// The workbook's library writes its file by path, and its temporary files, in a folder of
// their own beside the list before the workbook is copied into the list's temporary file: an
// interrupt then leaves neither that folder nor the list's temporary file behind.
TEST_F(ListFormatsTest, AnInterruptDuringTheWorkbookLeavesNoTemporaryFolder) {
  for (int i = 0; i < 20000; ++i) tree.file(u"in/many/"_s + QString::number(i) + u".txt"_s);
  bool interruptedMidWrite = false;
  for (int attempt = 0; attempt < 5 && !interruptedMidWrite; ++attempt) {
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, QFile::encodeName(out).constData(), IN_CREATE), 0);
    QProcess process;
    test::VekRunOptions options;
    options.home = home;
    options.environment = {u"LC_ALL=C.UTF-8"_s};
    test::startVek(process, command(u"XLSX"_s, u"list"_s) << u"/C"_s, options);
    ASSERT_TRUE(process.waitForStarted());
    // The list's temporary file comes first, then the workbook's folder.
    QString scratch;
    while (scratch.isEmpty()) {
      pollfd event{watch, POLLIN, 0};
      if (::poll(&event, 1, 60000) != 1) break;
      alignas(inotify_event) char buffer[4096];
      const ssize_t length = ::read(watch, buffer, sizeof buffer);
      for (ssize_t at = 0; at < length;) {
        const auto* created = reinterpret_cast<const inotify_event*>(buffer + at);
        if ((created->mask & IN_ISDIR) != 0 && scratch.isEmpty())
          scratch = out + u'/' + QFile::decodeName(created->name);
        at += ssize_t(sizeof(inotify_event) + created->len);
      }
    }
    ::close(watch);
    ASSERT_FALSE(scratch.isEmpty());
    // The scratch is made, then registered for removal, then the library opens its files in it:
    // once the run holds one open there, an interrupt finds the scratch registered.
    const QString fds = u"/proc/%1/fd"_s.arg(process.processId());
    const auto holdsAFileThere = [&] {
      for (const QString& fd : QDir(fds).entryList(QDir::AllEntries | QDir::System)) {
        char target[4096];
        const ssize_t length =
            ::readlink(QFile::encodeName(fds + u'/' + fd).constData(), target, sizeof target);
        if (length > 0 &&
            QFile::decodeName(QByteArray(target, int(length))).startsWith(scratch + u'/'))
          return true;
      }
      return false;
    };
    while (!holdsAFileThere() && process.state() == QProcess::Running) QThread::usleep(100);
    ::kill(pid_t(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(60000));
    const auto entries = [](const QString& folder) {
      return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    };
    if (process.exitCode() == 0 || QFile::exists(out + u"/list.xlsx"_s)) {
      // The list was whole before the signal came (it is put in place at once): nothing but
      // it is left; try again without it.
      EXPECT_EQ(entries(out), QStringList{u"list.xlsx"_s});
      ASSERT_TRUE(QFile::remove(out + u"/list.xlsx"_s));
      continue;
    }
    EXPECT_EQ(process.exitCode(), 128 + SIGTERM);
    interruptedMidWrite = true;
    EXPECT_EQ(entries(out), QStringList());
  }
  EXPECT_TRUE(interruptedMidWrite);
}

// A disk too full for the library's temporary files (here a file-size limit the run inherits)
// cuts the sheet off there without the library noticing: the run reads the workbook back, fails
// with the warning and the reason, keeps the old list and leaves nothing else behind.
TEST_F(ListFormatsTest, AFullDiskFailsTheWorkbookAndKeepsTheOldList) {
  for (int i = 0; i < 3000; ++i) tree.file(u"in/many/報告書 "_s + QString::number(i) + u".txt"_s);
  tree.file(u"out/list.xlsx"_s, "old");
  test::VekRun r;
  {
    // About 1 MB of rows as the library prints them, about 60 KB in the zip.
    test::FileSizeLimit full(256 * 1024);
    ASSERT_TRUE(full.isSet());
    r = run(command(u"XLSX"_s, u"list"_s) << u"/C"_s);
  }
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains(u"ファイルは出力されませんでした。"_s)) << r.err.toStdString();
  EXPECT_TRUE(
      r.err.contains(u"書き込んだブックのシート「in」が途中で切れています（3003 行のうち "_s))
      << r.err.toStdString();
  EXPECT_EQ(tree.read(u"out/list.xlsx"_s), "old");
  EXPECT_EQ(QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{u"list.xlsx"_s});
}

}  // namespace
}  // namespace vek
