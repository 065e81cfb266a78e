// Runs the real executable the way a shell script would: no display, a program folder of its own.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"

#include "batch/UsageText.h"
#include "support/TempTree.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

struct ProcessResult {
  int exitCode = -1;
  QString out, err;
};

class BatchProcessTest : public ::testing::Test {
 protected:
  BatchProcessTest() {
    home = tree.folder(u"home"_s);
    source = tree.folder(u"in"_s);
    output = tree.folder(u"out"_s);
  }

  ProcessResult run(const QStringList& arguments, const QString& workingFolder = QString()) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"VEK_HOME"_s, home);
    for (const QString& name : {u"QT_QPA_PLATFORM"_s, u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s}) {
      env.remove(name);
    }
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingFolder.isEmpty() ? tree.root() : workingFolder);
    process.start(qEnvironmentVariable("VEK_EXE"), arguments);
    process.closeWriteChannel();
    ProcessResult result;
    if (!process.waitForFinished(60000)) {
      ADD_FAILURE() << "vek did not finish";
      process.kill();
      return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
  }

  test::TempTree tree;
  QString home, source, output;
};

TEST_F(BatchProcessTest, UsagePrintsTheLinesAndEndsWell) {
  for (const QString& option : {u"/?"_s, u"--help"_s}) {
    const ProcessResult r = run({option});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, QString());
    QStringList lines = r.out.split(u'\n');
    ASSERT_EQ(lines.size(), 23) << r.out.toStdString();
    EXPECT_EQ(lines.takeLast(), QString());  // every line, the last too, ends in LF
    EXPECT_EQ(lines, usageLines());
    EXPECT_EQ(lines[0], u"Vekのコマンド一覧");
    EXPECT_EQ(lines[2],
              u"Vek /I path /O path /T type /F filename [/C] [/S number] [/E extension] [/N title]");
    EXPECT_EQ(lines[12], u"/F DATE YYYYMMDDHHmm");
    EXPECT_EQ(lines[21], u"　　titleにはリスト出力時のタイトルを指定します。");
  }
}

TEST_F(BatchProcessTest, VersionIsPrinted) {
  const ProcessResult r = run({u"--version"_s});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, u"vek " VEK_VERSION "\n"_s);
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
       u"警告: 出力タイプが不正です、CSV/TEXT/HTML/XMLのどれかを指定してください。\n  pdf\n"_s},
      {{u"/I"_s, u"in"_s, u"/S"_s, u"x"_s},
       u"警告: ソートキーが不正です [x]\n  正しいソートキーを指定してください。\n  "_s + keys + u'\n'},
      {{u"/?"_s, u"/C"_s}, u"警告: 識別できない指示符「/?」です。\n  正しい引数で起動してください。\n"_s},
  };
  for (const auto& c : cases) {
    const ProcessResult r = run(c.arguments);
    EXPECT_EQ(r.err, c.err) << c.arguments.join(u' ').toStdString();
    EXPECT_EQ(r.exitCode, 2) << c.arguments.join(u' ').toStdString();
    EXPECT_EQ(r.out, QString());
  }
  EXPECT_TRUE(QDir(output).isEmpty());
}

}  // namespace
}  // namespace vek
