// Runs the real executable the way a shell script would: no display, a program folder of its own.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"

#include "batch/UsageText.h"
#include "core/platform/FileSystem.h"
#include "core/settings/ProgramVersion.h"
#include "support/BatchProcessFixture.h"
#include "support/Unprivileged.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

using ProcessResult = test::VekRun;
using BatchProcessTest = test::BatchProcessFixture;

// The usage text's 22 lines, byte for byte as scripts and people know them ("　" is U+3000).
const QStringList kUsageLines = {
    u"Vekのコマンド一覧"_s,
    QString(),
    u"Vek /I path /O path /T type /F filename [/C] [/S number] [/E extension] [/N title]"_s,
    QString(),
    u"/I path"_s,
    u"　　pathで指定されたパスをファイルリスト取得対象フォルダとします。"_s,
    u"/O path"_s,
    u"　　pathで指定されたパスをリスト出力先のフォルダとします。"_s,
    u"/T type"_s,
    u"　　出力ファイルタイプを指定します、typeには「CSV、TEXT、HTML、XML」のうち、どれか一つを指定します。"_s,
    u"/F filename"_s,
    u"　　filenameには拡張子を含まない任意の出力ファイル名を指定します。"_s,
    u"/F DATE YYYYMMDDHHmm"_s,
    u"　　出力ファイル名にシステム日付を用います、第二引数は「DATE」固定、第三引数は日付のフォーマットを指定します。"_s,
    u"/C"_s,
    u"　　/Iで指定されたフォルダ内のサブフォルダを検索対象とします。"_s,
    u"/S number"_s,
    u"　　リスト出力時のソート順序を指定。（1：ﾌｧｲﾙ名　2：拡張子　3：ﾌｧｲﾙﾊﾟｽ　4：ﾌｧｲﾙﾀｲﾌﾟ　5：ﾌｧｲﾙｻｲｽﾞ　6：作成日付　7：ｱｸｾｽ日付　8：更新日付）"_s,
    u"/E extension"_s,
    u"　　extensionにはリスト出力対象とするファイル名のフィルタを指定します（*.dat;*.txt等）"_s,
    u"/N title"_s,
    u"　　titleにはリスト出力時のタイトルを指定します。"_s,
};

TEST_F(BatchProcessTest, UsagePrintsTheLinesAndEndsWell) {
  for (const QString& option : {u"/?"_s, u"--help"_s}) {
    const ProcessResult r = run({option});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, QString());
    QStringList lines = r.out.split(u'\n');
    ASSERT_EQ(lines.size(), 23 + 1 + addedUsageLines().size()) << r.out.toStdString();
    EXPECT_EQ(lines.takeLast(), QString());  // every line, the last too, ends in LF
    // The 22 lines as they always were, then one empty line and the added switches.
    EXPECT_EQ(lines.mid(0, 22), kUsageLines);
    EXPECT_EQ(lines[22], QString());
    EXPECT_EQ(lines.mid(23), addedUsageLines());
    EXPECT_EQ(lines[23], u"/T XLSX");
  }
}

const QString kNoDisplayLine =
    u"vek: no display: the window needs a graphical session (DISPLAY or WAYLAND_DISPLAY is not "
    u"set or cannot be opened); the command-line form is vek /I path /O path /T type /F "
    u"filename (vek /? lists every switch)\n"_s;

// Without a display the window cannot open: one line that says so and shows the command-line
// form, instead of Qt's abort. The line also proves that these arguments chose the window.
TEST_F(BatchProcessTest, TheWindowWithoutADisplayExplainsTheCommandLine) {
  for (const QStringList& arguments :
       {QStringList{}, QStringList{source}, QStringList{u"/I"_s}, QStringList{u"/no/such"_s}}) {
    const ProcessResult r = run(arguments);
    EXPECT_EQ(r.exitCode, 2) << arguments.join(u' ').toStdString();
    EXPECT_EQ(r.err, kNoDisplayLine);
    EXPECT_EQ(r.out, QString());
  }
}

// A display that is named but cannot be opened ends the same way, not with Qt's abort.
TEST_F(BatchProcessTest, AnUnusableDisplayIsExplainedLikeNone) {
  ASSERT_FALSE(QFile::exists(u"/tmp/.X11-unix/X251"_s)) << "an X server runs on :251";
  const QStringList cases[] = {
      {u"DISPLAY=:251"_s},
      {u"QT_QPA_PLATFORM=no-such-platform"_s},
      {u"QT_QPA_PLATFORM=xcb"_s},
      {u"QT_QPA_PLATFORM=linuxfb:fb=/no/such/fb0"_s},  // opens, but without a screen
      {u"WAYLAND_DISPLAY=no-such-socket"_s, u"XDG_RUNTIME_DIR="_s + tree.root()},
      {u"WAYLAND_DISPLAY=wayland-0"_s, u"XDG_SESSION_TYPE=wayland"_s,
       u"XDG_RUNTIME_DIR="_s + tree.root(), u"DISPLAY=:251"_s},
  };
  for (const QStringList& environment : cases) {
    SCOPED_TRACE(environment.join(u' ').toStdString());
    test::VekRunOptions withDisplay = options();
    withDisplay.environment = environment;
    const ProcessResult r = test::runVek({}, withDisplay);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, kNoDisplayLine);
    EXPECT_EQ(r.out, QString());
  }
}

// Standard output that cannot take the text (a full disk, a closed stream) is a failure, also
// for the usage text and the version, whose writes only reach the system at the final flush.
TEST_F(BatchProcessTest, AFailedWriteToStandardOutputIsReported) {
  for (const QString& option : {u"/?"_s, u"--version"_s}) {
    for (const QString& redirect : {u">/dev/full"_s, u">&-"_s}) {
      SCOPED_TRACE(QString(option + u' ' + redirect).toStdString());
      QProcess process;
      QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
      env.insert(u"VEK_HOME"_s, home);
      process.setProcessEnvironment(env);
      process.start(u"sh"_s, {u"-c"_s, u"exec \"$0\" \"$1\" "_s + redirect,
                              qEnvironmentVariable("VEK_EXE"), option});
      ASSERT_TRUE(process.waitForFinished(60000));
      EXPECT_EQ(process.exitCode(), 1);
      const QString err = QString::fromUtf8(process.readAllStandardError());
      EXPECT_TRUE(err.startsWith(u"警告: 標準出力に書き込めませんでした。\n"_s))
          << err.toStdString();
      EXPECT_EQ(err.count(u'\n'), 2) << err.toStdString();
    }
  }
}

TEST_F(BatchProcessTest, VersionIsPrinted) {
  const ProcessResult r = run({u"--version"_s});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, versionLine() + u'\n');
}

TEST_F(BatchProcessTest, RefusedCommandLinesExplainOnStandardError) {
  const QString keys =
      u"1：ﾌｧｲﾙ名　2：拡張子　3：ﾌｧｲﾙﾊﾟｽ　4：ﾌｧｲﾙﾀｲﾌﾟ　5：ﾌｧｲﾙｻｲｽﾞ　6：作成日付　7：ｱｸｾｽ日付　8：更新日付"_s;
  const struct {
    QStringList arguments;
    QString err;
  } cases[] = {
      {{u"/O"_s, u"out"_s, u"/T"_s, u"CSV"_s},
       u"警告: ファイルリスト取得対象フォルダが指定されていません。\n  引数を確認してください。\n"_s},
      {{u"/I"_s, u"no such"_s},
       u"警告: ファイルリスト取得対象フォルダが不正です、パスを確認してください。\n  no such\n"_s},
      {{u"/I"_s, u"in"_s, u"/O"_s, u"missing"_s},
       u"警告: 出力先フォルダが不正です、パスを確認してください。\n  missing\n"_s},
      {{u"/I"_s, u"in"_s, u"/O"_s},
       u"警告: 出力先フォルダが不正です、パスを確認してください。\n"_s},
      {{u"/I"_s, u"in"_s, u"/T"_s, u"pdf"_s},
       u"警告: 出力タイプが不正です、CSV/TEXT/HTML/XML/XLSX/JSONのどれかを指定してください。\n  pdf\n"_s},
      {{u"/I"_s, u"in"_s, u"/S"_s, u"x"_s},
       u"警告: ソートキーが不正です [x]\n  正しいソートキーを指定してください。\n  "_s + keys +
           u'\n'},
      {{u"/?"_s, u"/C"_s},
       u"警告: 識別できない指示符「/?」です。\n  正しい引数で起動してください。\n"_s},
  };
  for (const auto& c : cases) {
    const ProcessResult r = run(c.arguments);
    EXPECT_EQ(r.err, c.err) << c.arguments.join(u' ').toStdString();
    EXPECT_EQ(r.exitCode, 2) << c.arguments.join(u' ').toStdString();
    EXPECT_EQ(r.out, QString());
  }
  EXPECT_TRUE(QDir(output).isEmpty());
}

TEST_F(BatchProcessTest, WritesTheListOfTheExample) {
  const QString a = tree.file(u"in/a.txt"_s, QByteArray(1025, 'x'));
  const ProcessResult r =
      run({u"/I"_s, u"in"_s, u"/O"_s, u"out"_s, u"/T"_s, u"CSV"_s, u"/F"_s, u"list"_s});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.err, QString());
  const auto info = FileSystem::fileInfo(a);
  ASSERT_TRUE(info.has_value());
  const QByteArray expected =
      u"ディレクトリ,ファイル名,ファイルタイプ,ファイルサイズ,作成日付,\r\n"_s.toUtf8() +
      (source + u",a.txt,"_s + info->type + u",2 KB,"_s + info->created.text() + u",\r\n"_s)
          .toUtf8();
  EXPECT_EQ(tree.read(u"out/list.csv"_s), expected);
  EXPECT_EQ(entries(output), QStringList{u"list.csv"_s});  // no temporary file left behind
  // The settings: the folder of the written file, the type, the folder in the history.
  EXPECT_EQ(setting(u"Main"_s, u"DefaultOutDir"_s), output + u'/');
  EXPECT_EQ(setting(u"Csv"_s, u"FileType"_s), u"0"_s);
  EXPECT_EQ(setting(u"History"_s, u"History0"_s), source);
}

TEST_F(BatchProcessTest, OutputFolderWithOrWithoutSeparatorAndReplacedFile) {
  tree.file(u"in/a.txt"_s, "a");
  tree.file(u"out/list.txt"_s, "an old list that is much longer than the new one");
  for (const QString& folder : QStringList{u"out"_s, u"out/"_s, output, output + u'/'}) {
    const ProcessResult r =
        run({u"/I"_s, source, u"/O"_s, folder, u"/T"_s, u"ｔｅｘｔ"_s, u"/F"_s, u"list"_s});
    EXPECT_EQ(r.exitCode, 0) << folder.toStdString() << r.err.toStdString();
    EXPECT_EQ(entries(output), QStringList{u"list.txt"_s});
    EXPECT_TRUE(tree.read(u"out/list.txt"_s).startsWith("ディレクトリ"));
    EXPECT_EQ(setting(u"Main"_s, u"DefaultOutDir"_s), output + u'/');
    EXPECT_EQ(setting(u"Csv"_s, u"FileType"_s), u"1"_s);
  }
}

TEST_F(BatchProcessTest, DefaultNamesAndFolders) {
  tree.file(u"in/a.txt"_s, "a");
  // Without "/F" the file is named by the start time; without "/O" it goes to DefaultOutDir,
  // here the program folder that VEK_HOME names.
  ProcessResult r = run({u"/I"_s, u"in"_s, u"/T"_s, u"XML"_s});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QStringList written = QDir(home).entryList({u"*.xml"_s}, QDir::Files);
  ASSERT_EQ(written.size(), 1);
  EXPECT_TRUE(QRegularExpression(u"^\\d{12}\\.xml$"_s).match(written[0]).hasMatch())
      << written[0].toStdString();

  // A stored DefaultOutDir that exists is used. (Names made from the date are checked with a
  // fixed start time in the BatchRun tests.)
  writeSettings((u"[Main]\r\nDefaultOutDir='"_s + output + u"/'\r\n"_s).toUtf8());
  r = run({u"/I"_s, u"in"_s, u"/F"_s, u"list"_s});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(entries(output), QStringList{u"list.csv"_s});

  // A run stopped by a message stores the fallback folder.
  r = run({u"/I"_s, u"in"_s, u"/S"_s, u"0"_s});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(setting(u"Main"_s, u"DefaultOutDir"_s), home + u'/');
}

TEST_F(BatchProcessTest, SettingsAreWrittenAfterUsageAndRefusedRuns) {
  for (const QStringList& arguments : {QStringList{u"/?"_s}, QStringList{u"/C"_s, u"/C"_s}}) {
    QFile::remove(home + u"/Vek.ini"_s);
    run(arguments);
    ASSERT_TRUE(QFile::exists(home + u"/Vek.ini"_s)) << arguments.join(u' ').toStdString();
    EXPECT_EQ(setting(u"Option"_s, u"DateFormat"_s), u"YYYY/MM/DD HH:MM:SS"_s);
  }
  // A setting of the file survives the round trip.
  writeSettings("[Option]\r\nOverLap=1\r\n");
  run({u"/?"_s});
  EXPECT_EQ(setting(u"Option"_s, u"OverLap"_s), u"1"_s);
  EXPECT_TRUE(QFile::exists(home + u"/filter.txt"_s));
}

TEST_F(BatchProcessTest, SortKeysOrderTheRows) {
  tree.file(u"in/b.txt"_s, QByteArray(3000, 'b'));
  tree.file(u"in/c.log"_s, QByteArray(10, 'c'));
  tree.file(u"in/a.dat"_s, QByteArray(2000, 'a'));
  tree.file(u"in/sub/d.txt"_s, "d");
  const struct {
    const char16_t* key;
    QStringList names;
  } cases[] = {{u"1", {u"a.dat"_s, u"b.txt"_s, u"c.log"_s}},
               {u"2", {u"a.dat"_s, u"c.log"_s, u"b.txt"_s}},
               {u"5", {u"c.log"_s, u"a.dat"_s, u"b.txt"_s}}};
  for (const auto& c : cases) {
    const ProcessResult r = run({u"/I"_s, u"in"_s, u"/O"_s, u"out"_s, u"/F"_s, u"list"_s, u"/S"_s,
                                 QString::fromUtf16(c.key)});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QStringList names;
    for (const QString& line : csvLines(output + u"/list.csv"_s).mid(1)) {
      names.append(line.section(u',', 1, 1));
    }
    EXPECT_EQ(names, c.names) << QString::fromUtf16(c.key).toStdString();
  }
  // "/C" takes the subfolder too, its folder after the parent's; "/E" filters.
  ProcessResult r =
      run({u"/I"_s, u"in"_s, u"/O"_s, u"out"_s, u"/F"_s, u"all"_s, u"/C"_s, u"/E"_s, u"*.txt"_s});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QStringList lines = csvLines(output + u"/all.csv"_s);
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[1].startsWith(source + u",b.txt,"_s));
  EXPECT_TRUE(lines[2].startsWith(source + u"/sub,d.txt,"_s));
}

TEST_F(BatchProcessTest, EmptyFolderStillGivesAFile) {
  tree.folder(u"empty"_s);
  const ProcessResult r = run({u"/I"_s, u"empty"_s, u"/O"_s, u"out"_s, u"/F"_s, u"none"_s});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(csvLines(output + u"/none.csv"_s),
            QStringList{u"ディレクトリ,ファイル名,ファイルタイプ,ファイルサイズ,作成日付,"_s});
}

TEST_F(BatchProcessTest, QuotedPathsWithSpacesAreOneToken) {
  tree.file(u"my data/夏休み 2024.jpg"_s, "j");
  tree.folder(u"my out"_s);
  const ProcessResult r = run(
      {u"/I"_s, u"my data"_s, u"/O"_s, u"my out"_s, u"/F"_s, u"my list"_s, u"/T"_s, u"ＣＳＶ"_s});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QStringList lines = csvLines(tree.path(u"my out/my list.csv"_s));
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[1].startsWith(tree.path(u"my data"_s) + u",夏休み 2024.jpg,"_s));
}

TEST_F(BatchProcessTest, TokensPastThirtyAreIgnored) {
  tree.file(u"in/a.txt"_s, "a");
  QStringList arguments = {u"/I"_s, u"in"_s, u"/O"_s, u"out"_s, u"/F"_s, u"list"_s};
  while (arguments.size() < 30) arguments.append(u"/C"_s);
  arguments.append(u"/bad"_s);
  const ProcessResult r = run(arguments);
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.err, QString());
  EXPECT_TRUE(QFile::exists(output + u"/list.csv"_s));
}

TEST_F(BatchProcessTest, UnreadableSourceFolderIsRefused) {
  const QString locked = tree.folder(u"locked"_s);
  tree.file(u"locked/a.txt"_s, "a");
  QFile::setPermissions(locked, QFileDevice::Permissions());
  const ProcessResult r = run({u"/I"_s, u"locked"_s, u"/O"_s, u"out"_s, u"/F"_s, u"list"_s}, true);
  QFile::setPermissions(locked,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_EQ(
      r.err,
      u"警告: ファイルリスト取得対象フォルダが不正です、パスを確認してください。\n  locked\n"_s);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_FALSE(QFile::exists(output + u"/list.csv"_s));
}

TEST_F(BatchProcessTest, UnwritableOutputFolderFailsWithTheMessage) {
  tree.file(u"in/a.txt"_s, "a");
  tree.file(u"out/list.csv"_s, "old");
  // A read-only folder, tried as an ordinary user (root writes anywhere), and /proc, which
  // refuses new files even to root.
  QFile::setPermissions(output, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                    QFileDevice::ReadOther | QFileDevice::ExeOther);
  ProcessResult r = run({u"/I"_s, u"in"_s, u"/O"_s, u"out"_s, u"/F"_s, u"list"_s}, true);
  QFile::setPermissions(output, QFileDevice::Permissions(0x7700));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(
      r.err.startsWith(u"警告: ファイルを開くことが出来ません。\n  "_s + output + u"/list.csv\n"_s))
      << r.err.toStdString();
  EXPECT_EQ(tree.read(u"out/list.csv"_s), "old");
  EXPECT_EQ(entries(output), QStringList{u"list.csv"_s});

  r = run({u"/I"_s, u"in"_s, u"/O"_s, u"/proc"_s, u"/F"_s, u"list"_s});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.startsWith(u"警告: ファイルを開くことが出来ません。\n  /proc/list.csv\n"_s))
      << r.err.toStdString();
  EXPECT_TRUE(r.err.contains(u"  ファイルは出力されませんでした。\n  原因: "_s))
      << r.err.toStdString();
  EXPECT_FALSE(QFile::exists(u"/proc/list.csv"_s));
}

TEST_F(BatchProcessTest, HtmlTitleIsTheLaterOfSourceAndName) {
  tree.file(u"in/a.txt"_s, "a");
  const struct {
    QStringList arguments;
    QString title;
  } cases[] = {
      {{u"/N"_s, u"Report"_s, u"/I"_s, u"in"_s}, u"in"_s},
      {{u"/I"_s, u"in"_s, u"/N"_s, u"Report <1>"_s}, u"Report <1>"_s},
  };
  for (const auto& c : cases) {
    const ProcessResult r =
        run(c.arguments + QStringList{u"/O"_s, u"out"_s, u"/T"_s, u"html"_s, u"/F"_s, u"page"_s});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString page = QString::fromUtf8(tree.read(u"out/page.html"_s));
    QString escaped = c.title;
    escaped.replace(u'<', u"&lt;"_s).replace(u'>', u"&gt;"_s);
    EXPECT_TRUE(page.contains(u"<title>"_s + escaped + u"</title>"_s, Qt::CaseInsensitive))
        << page.left(400).toStdString();
    EXPECT_EQ(setting(u"Html"_s, u"Title"_s), c.title);
  }
}

// An existing Vek.ini or filter.txt that the run cannot read is reported once and left exactly
// as it was: the run goes on with the defaults and writes its list.
TEST_F(BatchProcessTest, UnreadableSettingsAreReportedOnceAndKept) {
  tree.file(u"in/a.txt"_s, "a");
  const QByteArray settings = "[Option]\r\nOverLap=1\r\n[MyTool]\r\nname=caf\xE9\r\n";
  const QByteArray presets = "*.txt\r\n";
  writeSettings(settings);
  const QString presetPath = tree.file(u"home/filter.txt"_s, presets);
  const QString settingsPath = home + u"/Vek.ini"_s;
  for (const QString& path : {settingsPath, presetPath})
    ::chmod(QFile::encodeName(path).constData(), 0200);
  test::openToOthers({source, output});
  const ProcessResult r = run({u"/I"_s, u"in"_s, u"/O"_s, u"out"_s, u"/F"_s, u"list"_s}, true);
  for (const QString& path : {settingsPath, presetPath})
    ::chmod(QFile::encodeName(path).constData(), 0600);
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.err.count(u"設定ファイルを読み書きできません。"_s), 1) << r.err.toStdString();
  EXPECT_EQ(r.err.count(u"フィルタ設定ファイルを読み込めません。"_s), 1) << r.err.toStdString();
  EXPECT_EQ(tree.read(u"home/Vek.ini"_s), settings);
  EXPECT_EQ(tree.read(u"home/filter.txt"_s), presets);
  EXPECT_EQ(entries(home), (QStringList{u"Vek.ini"_s, u"filter.txt"_s}));
  EXPECT_TRUE(QFile::exists(output + u"/list.csv"_s));
}

// /M and /W through the real program: the digest column, the checksum file that the real
// sha256sum -c and md5sum -c accept in the input folder, and Vek.ini left as the dialogs had it.
TEST_F(BatchProcessTest, DigestColumnAndChecksumFile) {
  tree.file(u"in/a.txt"_s, "hello");
  tree.file(u"in/sub/with space\\and\nnewline.txt"_s, "awkward");
  struct Case {
    QStringList switches;
    QString checksumFile;  // empty: none
    QString tool;
    QByteArray firstDigest;  // of a.txt in the list
  } const cases[] = {
      {{u"/M"_s, u"SHA256"_s, u"/W"_s},
       u"list.sha256"_s,
       u"sha256sum"_s,
       "2cf24dba5fb0a30e26e83b2ac5b9e29e1b161e5c1fa7425e73043362938b9824"},
      {{u"/W"_s}, u"list.sha256"_s, u"sha256sum"_s, QByteArray()},
      {{u"/M"_s, u"md5"_s, u"/W"_s},
       u"list.md5"_s,
       u"md5sum"_s,
       "5d41402abc4b2a76b9719d911017c592"},
      {{u"/M"_s, u"SHA1"_s}, QString(), QString(), "aaf4c61ddcc5e8a2dabede0f3b482cd9aea9434d"},
  };
  for (const Case& c : cases) {
    QDir(output).removeRecursively();
    QDir().mkpath(output);
    const ProcessResult r = run(QStringList{u"/I"_s, u"in"_s, u"/O"_s, u"out"_s, u"/T"_s, u"CSV"_s,
                                            u"/F"_s, u"list"_s, u"/C"_s} +
                                c.switches);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, QString());
    const QByteArray list = tree.read(u"out/list.csv"_s);
    const QList<QByteArray> lines = list.split('\n');
    if (c.firstDigest.isEmpty()) {
      EXPECT_FALSE(lines[0].contains("SHA")) << lines[0].toStdString();
    } else {
      EXPECT_TRUE(lines[1].endsWith(QByteArray(QByteArray(",") + c.firstDigest + ",\r")))
          << lines[1].toStdString();
    }
    EXPECT_EQ(QDir(output).entryList(QDir::Files | QDir::Hidden, QDir::Name).join(u','),
              c.checksumFile.isEmpty() ? u"list.csv"_s : u"list.csv,"_s + c.checksumFile);
    if (c.checksumFile.isEmpty()) continue;
    QProcess check;
    check.setWorkingDirectory(source);
    check.start(c.tool, {u"-c"_s, output + u'/' + c.checksumFile});
    ASSERT_TRUE(check.waitForFinished(60000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardError().toStdString();
    EXPECT_EQ(check.readAllStandardOutput().count(": OK\n"), 2);
  }
  // The switches held for the runs only.
  const QByteArray ini = tree.read(u"home/Vek.ini"_s);
  EXPECT_FALSE(ini.contains("SHA")) << ini.toStdString();
  EXPECT_FALSE(ini.contains("Hash")) << ini.toStdString();

  // /W without /M is SHA-256 even when the dialog chose an MD5 column, which stays.
  writeSettings(ini + "[VekDelivery]\r\nCsvHash=MD5\r\n");
  QDir(output).removeRecursively();
  QDir().mkpath(output);
  const ProcessResult r = run({u"/I"_s, u"in"_s, u"/O"_s, u"out"_s, u"/T"_s, u"CSV"_s, u"/F"_s,
                               u"list"_s, u"/C"_s, u"/W"_s});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(QDir(output).entryList(QDir::Files, QDir::Name),
            (QStringList{u"list.csv"_s, u"list.sha256"_s}));
  EXPECT_TRUE(tree.read(u"out/list.csv"_s).contains("5d41402abc4b2a76b9719d911017c592"));
  EXPECT_TRUE(
      tree.read(u"out/list.sha256"_s)
          .startsWith("2cf24dba5fb0a30e26e83b2ac5b9e29e1b161e5c1fa7425e73043362938b9824  a.txt\n"));
}

}  // namespace
}  // namespace vek
