// The command builder's line: its exact text, and that a shell and the test run's splitter read
// it as the same arguments.
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include "batch/CommandComposer.h"
#include "batch/ShellWords.h"
#include "support/QStringPrinter.h"
#include "support/TempTree.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

CommandForm exampleForm() {
  CommandForm form;
  form.executable = u"/opt/tools/vek"_s;
  form.inPath = u"/data"_s;
  form.outPath = u"/out/"_s;
  form.type = OutputType::Text;
  form.dateName = true;
  form.outName = u"YYYYMMDDHHmm"_s;
  form.filter = u"*.*"_s;
  form.title = u"/data"_s;
  form.sortKey = ListColumn::Extension;
  form.subfolders = true;
  return form;
}

TEST(CommandComposer, ExampleLineEndsWithTheSpaceAfterC) {
  EXPECT_EQ(
      composeCommand(exampleForm()),
      uR"(/opt/tools/vek /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /C )"_s);
}

TEST(CommandComposer, EachFieldChangesOnlyItsPart) {
  const struct {
    const char* name;
    void (*change)(CommandForm&);
    QString expected;
  } cases[] = {
      {"name option with the default name",
       [](CommandForm& f) {
         f.dateName = false;
         f.outName = u"filelist"_s;
       },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T TEXT /F "filelist" /E "*.*" /N "/data" /S 2 /C )"_s},
      {"no subfolders: no trailing space", [](CommandForm& f) { f.subfolders = false; },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2)"_s},
      {"XML, sort by modification date, other title",
       [](CommandForm& f) {
         f.type = OutputType::Xml;
         f.sortKey = ListColumn::Modified;
         f.title = u"月報 2005"_s;
       },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T XML /F DATE "YYYYMMDDHHmm" /E "*.*" /N "月報 2005" /S 8 /C )"_s},
      {"no sort key chosen", [](CommandForm& f) { f.sortKey.reset(); },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 0 /C )"_s},
      {"executable with a space is quoted",
       [](CommandForm& f) { f.executable = u"/home/a b/vek"_s; },
       uR"("/home/a b/vek" /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /C )"_s},
      {"plain pattern stays bare", [](CommandForm& f) { f.filter = u"readme.txt"_s; },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E readme.txt /N "/data" /S 2 /C )"_s},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CommandForm form = exampleForm();
    c.change(form);
    EXPECT_EQ(composeCommand(form), c.expected);
  }
}

// The switches beyond the list's own stand before /C, each only when chosen; /K only for the
// types it is for.
TEST(CommandComposer, NewSwitchesOnlyWhenChosen) {
  const struct {
    const char* name;
    void (*change)(CommandForm&);
    QString expected;
  } cases[] = {
      {"workbook", [](CommandForm& f) { f.type = OutputType::Xlsx; },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T XLSX /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /C )"_s},
      {"each encoding of a text list", [](CommandForm& f) { f.encoding = ListEncoding::System; },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /K SYSTEM /C )"_s},
      {"UTF-8", [](CommandForm& f) { f.encoding = ListEncoding::Utf8; },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /K UTF8 /C )"_s},
      {"UTF-8 with its mark, a CSV list",
       [](CommandForm& f) {
         f.type = OutputType::Csv;
         f.encoding = ListEncoding::Utf8WithMark;
       },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T CSV /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /K UTF8BOM /C )"_s},
      {"CP932 without subfolders",
       [](CommandForm& f) {
         f.encoding = ListEncoding::Cp932;
         f.subfolders = false;
       },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /K CP932)"_s},
      {"an encoding is not for HTML, XML or workbooks",
       [](CommandForm& f) {
         f.encoding = ListEncoding::Cp932;
         f.type = OutputType::Html;
       },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T HTML /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /C )"_s},
      {"MD5", [](CommandForm& f) { f.hash = HashKind::Md5; },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /M MD5 /C )"_s},
      {"checksum file alone", [](CommandForm& f) { f.checksumFile = true; },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /W /C )"_s},
      {"all of them on a workbook",
       [](CommandForm& f) {
         f.type = OutputType::Xlsx;
         f.encoding = ListEncoding::Utf8;
         f.hash = HashKind::Sha256;
         f.checksumFile = true;
         f.subfolders = false;
       },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T XLSX /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /M SHA256 /W)"_s},
      {"all of them on a text list",
       [](CommandForm& f) {
         f.encoding = ListEncoding::Utf8;
         f.hash = HashKind::Sha1;
         f.checksumFile = true;
       },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /K UTF8 /M SHA1 /W /C )"_s},
      {"JSON, which takes no encoding",
       [](CommandForm& f) {
         f.type = OutputType::Json;
         f.encoding = ListEncoding::Cp932;
       },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T JSON /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /C )"_s},
      {"a single name left out is quoted too",
       [](CommandForm& f) { f.excluded = u"node_modules"_s; },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /X "node_modules" /C )"_s},
      {"the exclude box's longest preset",
       [](CommandForm& f) {
         f.excluded =
             u".git;.svn;.hg;node_modules;__pycache__;Thumbs.db;desktop.ini;.DS_Store;._*;~$*"_s;
       },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /X ".git;.svn;.hg;node_modules;__pycache__;Thumbs.db;desktop.ini;.DS_Store;._*;~\$*" /C )"_s},
      {"spaces, quotes and Japanese in the patterns",
       [](CommandForm& f) { f.excluded = u"*.bak; 一時 ファイル;say \"hi\";`x`!"_s; },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /X "*.bak; 一時 ファイル;say \"hi\";\`x\`"'!'"" /C )"_s},
      {"hidden files and one file system without subfolders",
       [](CommandForm& f) {
         f.hiddenFiles = true;
         f.oneFileSystem = true;
         f.subfolders = false;
       },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /A /D)"_s},
      {"every switch",
       [](CommandForm& f) {
         f.encoding = ListEncoding::Utf8;
         f.hash = HashKind::Sha1;
         f.checksumFile = true;
         f.excluded = u".*"_s;
         f.hiddenFiles = true;
         f.oneFileSystem = true;
       },
       uR"(/opt/tools/vek /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /K UTF8 /M SHA1 /W /X ".*" /A /D /C )"_s},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CommandForm form = exampleForm();
    c.change(form);
    EXPECT_EQ(composeCommand(form), c.expected);
  }
}

TEST(CommandComposer, PatternIsTheFilterUpToItsFirstSpace) {
  const struct {
    QString filter, pattern;
  } cases[] = {
      {u"*.exe;*.com;*.bat;*.scr;   （実行モジュール）"_s, u"*.exe;*.com;*.bat;*.scr"_s},
      {u"*.bmp;*.gif;  （画像ファイル）"_s, u"*.bmp;*.gif"_s},
      {u"*.txt;*.log;　（テキストドキュメント）"_s, u"*.txt;*.log"_s},
      {u"*.*;　（全てのファイル）"_s, u"*.*"_s},
      {u"*.dat;*.txt"_s, u"*.dat;*.txt"_s},
      {u"*.a;;; x"_s, u"*.a"_s},
      {u"*.a; b c"_s, u"*.a"_s},
      // Nothing before the first space: every file, as a run does for /E without a value.
      {u" *.txt"_s, u"*.*"_s},
      {u";;; （なし）"_s, u"*.*"_s},
      {QString(), u"*.*"_s},
  };
  for (const auto& c : cases)
    EXPECT_EQ(filterPattern(c.filter), c.pattern) << c.filter.toStdString();
}

TEST(CommandComposer, QuotingEscapesWhatAShellWouldExpand) {
  const struct {
    QString text, word;
  } cases[] = {
      {u"/plain/path-1.0_x+y,z@h%:"_s, u"/plain/path-1.0_x+y,z@h%:"_s},
      // Beyond ASCII nothing is plain: a box or a terminal turns U+00A0 into a space, and
      // U+2028 or U+0085 into a line break.
      {u"/ファイル　一覧"_s, u"\"/ファイル　一覧\""_s},
      {u"/exe/My\u00A0Apps/vek"_s, u"\"/exe/My\u00A0Apps/vek\""_s},
      {u"/a\u2028b"_s, u"\"/a\u2028b\""_s},
      {u"/a\u0085b"_s, u"\"/a\u0085b\""_s},
      {u"/caf"_s + QChar(0xDCE9), u"\"/caf"_s + QChar(0xDCE9) + u'"'},
      {u"/a\rb"_s, u"\"/a\rb\""_s},
      {u""_s, u"\"\""_s},
      {u"a b"_s, u"\"a b\""_s},
      {u"$HOME`x`\"q\"\\"_s, uR"("\$HOME\`x\`\"q\"\\")"_s},
      {u"wow!"_s, uR"("wow"'!'"")"_s},
      {u"it's"_s, uR"("it's")"_s},
      {u"~/x"_s, uR"("~/x")"_s},
      {u"#x"_s, uR"("#x")"_s},
      {u"a=b"_s, uR"("a=b")"_s},
      {u"*.txt;*.log"_s, uR"("*.txt;*.log")"_s},
  };
  for (const auto& c : cases) EXPECT_EQ(shellWord(c.text), c.word) << c.text.toStdString();
}

TEST(ShellWords, RefusesWhatAShellWouldNotRunAsOneSimpleCommand) {
  const char16_t* refused[] = {
      u"vek /E *.txt", u"vek a; rm x",   u"vek a | b",    u"vek a > f",     u"vek a &",
      u"vek $HOME",    u"vek \"$HOME\"", u"vek \"${x}\"", u"vek \"$(id)\"", u"vek `id`",
      u"vek \"`id`\"", u"vek 'open",     u"vek \"open",   u"vek a\\",       u"A=1 vek",
      u"vek ~root/x",  u"vek\nrm x",     u"vek (x)",
  };
  for (const char16_t* line : refused) {
    const ShellWords split = splitShellWords(QStringView(line), u"/home/me"_s);
    EXPECT_FALSE(split.ok()) << QString::fromUtf16(line).toStdString();
    EXPECT_TRUE(split.words.isEmpty());
  }
}

TEST(ShellWords, SplitsQuotesEscapesAndComments) {
  const struct {
    QString line;
    QStringList words;
  } cases[] = {
      {u"  vek  a\tb  "_s, {u"vek"_s, u"a"_s, u"b"_s}},
      {uR"(vek a\ b 'c d' "e f")"_s, {u"vek"_s, u"a b"_s, u"c d"_s, u"e f"_s}},
      {uR"(vek "a\$b\`c\"d\\e\xf" 'g\h')"_s, {u"vek"_s, uR"(a$b`c"d\e\xf)"_s, uR"(g\h)"_s}},
      {uR"(vek "x"'!'"y" "a$" "")"_s, {u"vek"_s, u"x!y"_s, u"a$"_s, QString()}},
      {u"vek \"two\nlines\" a\\\nb\n\n"_s, {u"vek"_s, u"two\nlines"_s, u"ab"_s}},
      {u"vek a # b; c"_s, {u"vek"_s, u"a"_s}},
      {u"vek a#b ~ ~/x x~"_s, {u"vek"_s, u"a#b"_s, u"/home/me"_s, u"/home/me/x"_s, u"x~"_s}},
      {u"\"A=1\" b=2"_s, {u"A=1"_s, u"b=2"_s}},
      {u"   "_s, {}},
  };
  for (const auto& c : cases) {
    const ShellWords split = splitShellWords(c.line, u"/home/me"_s);
    EXPECT_TRUE(split.ok()) << c.line.toStdString() << ": " << split.error.toStdString();
    EXPECT_EQ(split.words, c.words) << c.line.toStdString();
  }
}

// Runs `line` through a shell and returns the arguments its program received.
QStringList argumentsThroughShell(const QStringList& shell, const QString& line) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(u"HISTFILE"_s, QString());  // an interactive bash saves no history
  process.setProcessEnvironment(environment);
  process.start(shell.first(), shell.mid(1));
  process.write((line + u'\n').toUtf8());
  process.closeWriteChannel();
  if (!process.waitForFinished(30000)) return {u"<no end>"_s};
  QStringList words = QString::fromUtf8(process.readAllStandardOutput()).split(QChar(0));
  words.removeLast();  // after the last NUL
  return words;
}

TEST(CommandComposer, AShellAndTheTestRunReadTheSameArguments) {
  test::TempTree tree;
  // The program prints each argument it gets, ended by NUL; its folder needs quoting too.
  const QString script = tree.file(u"my tools $x/args"_s,
                                   "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done\n");
  QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  CommandForm form = exampleForm();
  form.executable = script;
  form.inPath = u"/d $HOME `echo x` \"q\" 'a' b\\c!d;e|f*g~/h #i"_s;
  form.outPath = u"/出力　先/"_s;
  form.dateName = false;
  form.outName = u"list $1"_s;
  form.filter = u"報告*.txt;*.log;　（テキスト & ログ）"_s;
  form.title = u"題名\t\"引用\"\nnext"_s;
  form.excluded = u"~$*; \"a b\";一時!;`x`;\\y"_s;
  form.hiddenFiles = true;
  const QString line = composeCommand(form);

  const QStringList expected = {
      u"/I"_s, form.inPath,  u"/O"_s, form.outPath,         u"/T"_s, u"TEXT"_s,
      u"/F"_s, form.outName, u"/E"_s, u"報告*.txt;*.log"_s, u"/N"_s, form.title,
      u"/S"_s, u"2"_s,       u"/X"_s, form.excluded,        u"/A"_s, u"/C"_s};
  const ShellWords split = splitShellWords(line, u"/home/me"_s);
  ASSERT_TRUE(split.ok()) << split.error.toStdString();
  EXPECT_EQ(split.words, QStringList{script} + expected);

  EXPECT_EQ(argumentsThroughShell({u"sh"_s, u"-c"_s, line}, QString()), expected);
  // An interactive bash expands "!" even inside double quotes; the line must survive that too.
  // (There a pasted tab is taken for completion, whatever the quoting, so the title holds none.)
  if (QFile::exists(u"/bin/bash"_s)) {
    form.title = u"題名 \"引用\"\nnext"_s;
    QStringList forBash = expected;
    forBash[11] = form.title;
    EXPECT_EQ(argumentsThroughShell({u"/bin/bash"_s, u"--norc"_s, u"-i"_s}, composeCommand(form)),
              forBash);
  }
}

}  // namespace
}  // namespace vek
