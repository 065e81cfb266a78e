// The command builder's line read back by the batch parser: where a value would be taken for a
// switch, or dropped, the line means something other than the form, and the builder says so.
#include <gtest/gtest.h>

#include "batch/CommandComposer.h"
#include "batch/CommandLine.h"
#include "batch/CommandReadBack.h"
#include "batch/ShellWords.h"
#include "core/settings/InterfaceLanguage.h"
#include "support/QStringPrinter.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

// Names the file after the pattern itself, so that a test sees which pattern the run used.
std::optional<QString> patternNamer(const QString& pattern) {
  if (pattern == u"BAD") return std::nullopt;
  return u"date-"_s + pattern;
}

CommandForm ordinaryForm() {
  CommandForm form;
  form.executable = u"/usr/bin/vek"_s;
  form.inPath = u"/data"_s;  // not looked up: the run says whether it exists
  form.outPath = u"/out/"_s;
  form.type = OutputType::Csv;
  form.dateName = true;
  form.outName = u"YYYYMMDDHHmm"_s;
  form.filter = u"*.*"_s;
  form.title = u"/data"_s;
  form.sortKey = ListColumn::Name;
  return form;
}

QString problemOf(const CommandForm& form) {
  return readBackProblem(form, composeCommand(form), patternNamer);
}

TEST(CommandReadBack, ValuesTheRunReadsOtherwiseAreNamed) {
  const QString hint =
      u"指示符と同じ形の値（/C など）や空の値は使えません、指定を変更してください。"_s;
  auto differs = [&](const QString& parts) -> QString {
    return u"このコマンドでは"_s + parts + u"が指定と違う意味に読まれます。\n"_s + hint;
  };
  auto refused = [&](const QString& why) -> QString {
    return u"このコマンドはリスト作成で受け付けられません。\n"_s + why + u'\n' + hint;
  };
  const struct {
    const char* name;
    std::function<void(CommandForm&)> change;
    QString problem;
  } cases[] = {
      {"an ordinary form", [](CommandForm&) {}, QString()},
      {"an output folder without its slash", [](CommandForm& f) { f.outPath = u"/out"_s; },
       QString()},
      {"folders named like switches after /I and /O",
       [](CommandForm& f) {
         f.inPath = u"/N"_s;
         f.outPath = u"/S"_s;
       },
       QString()},
      {"a title that only begins like a switch", [](CommandForm& f) { f.title = u"/C/x"_s; },
       QString()},
      {"a folder /C as the title", [](CommandForm& f) { f.inPath = f.title = u"/C"_s; },
       differs(u"ｻﾌﾞﾃﾞｨﾚｸﾄﾘの検索"_s)},
      {"a folder /C as the title of an HTML list, which still gets it",
       [](CommandForm& f) {
         f.inPath = f.title = u"/C"_s;
         f.type = OutputType::Html;
       },
       differs(u"ｻﾌﾞﾃﾞｨﾚｸﾄﾘの検索"_s)},
      {"/E as the title of an HTML list",
       [](CommandForm& f) {
         f.title = u"/E"_s;
         f.type = OutputType::Html;
       },
       differs(u"タイトル"_s)},
      {"an empty HTML title",
       [](CommandForm& f) {
         f.title.clear();
         f.type = OutputType::Html;
       },
       differs(u"タイトル"_s)},
      {"an empty title of a CSV list, which shows none", [](CommandForm& f) { f.title.clear(); },
       QString()},
      {"/H as the title of a CSV list, which shows none", [](CommandForm& f) { f.title = u"/H"_s; },
       QString()},
      {"a pattern named like a switch", [](CommandForm& f) { f.filter = u"/C"_s; },
       differs(u"入力ファイルフィルタ、ｻﾌﾞﾃﾞｨﾚｸﾄﾘの検索"_s)},
      {"a file named date",
       [](CommandForm& f) {
         f.dateName = false;
         f.outName = u"date"_s;
       },
       differs(u"出力ファイル名"_s)},
      {"a file named in full-width DATE",
       [](CommandForm& f) {
         f.dateName = false;
         f.outName = u"ＤＡＴＥ"_s;
       },
       differs(u"出力ファイル名"_s)},
      {"a date pattern named like a switch", [](CommandForm& f) { f.outName = u"/T"_s; },
       refused(u"出力タイプが不正です、CSV/TEXT/HTML/XML/XLSX/JSONのどれかを指定してください。"_s)},
      {"a title naming the first switch", [](CommandForm& f) { f.title = u"/I"_s; },
       refused(u"識別できない指示符「1」です。"_s)},
      {"a date pattern the run cannot apply", [](CommandForm& f) { f.outName = u"BAD"_s; },
       refused(u"ファイル名の日付フォーマットが不正です、フォーマットを確認してください。"_s)},
      {"a file name holding a folder separator",
       [](CommandForm& f) {
         f.dateName = false;
         f.outName = u"a/b"_s;
       },
       refused(
           u"出力ファイル名が不正です、フォルダの区切り文字を含まない名前を指定してください。"_s)},
      {"no input folder", [](CommandForm& f) { f.inPath.clear(); },
       u"入力フォルダを指定してください。"_s},
      {"no output folder", [](CommandForm& f) { f.outPath.clear(); },
       u"出力フォルダを指定してください。"_s},
      {"no file name",
       [](CommandForm& f) {
         f.dateName = false;
         f.outName.clear();
       },
       u"出力ファイル名を指定してください。"_s},
      {"a workbook", [](CommandForm& f) { f.type = OutputType::Xlsx; }, QString()},
      {"every new switch on a CSV list",
       [](CommandForm& f) {
         f.encoding = ListEncoding::Cp932;
         f.hash = HashKind::Md5;
         f.checksumFile = true;
         f.subfolders = true;
       },
       QString()},
      {"an encoding chosen for a workbook, which takes none",
       [](CommandForm& f) {
         f.type = OutputType::Xlsx;
         f.encoding = ListEncoding::Utf8WithMark;
         f.hash = HashKind::Sha256;
       },
       QString()},
      {"a title /M of an HTML list",
       [](CommandForm& f) {
         f.title = u"/M"_s;
         f.type = OutputType::Html;
       },
       refused(u"ハッシュの種類が不正です、MD5/SHA1/SHA256のどれかを指定してください。"_s)},
      {"a title /W of an HTML list",
       [](CommandForm& f) {
         f.title = u"/W"_s;
         f.type = OutputType::Html;
       },
       differs(u"タイトル、ﾁｪｯｸｻﾑﾌｧｲﾙ"_s)},
      {"a JSON list", [](CommandForm& f) { f.type = OutputType::Json; }, QString()},
      {"an empty title of a JSON list, whose header holds it",
       [](CommandForm& f) {
         f.title.clear();
         f.type = OutputType::Json;
       },
       differs(u"タイトル"_s)},
      {"/E as the title of a workbook, which names its sheet by it",
       [](CommandForm& f) {
         f.title = u"/E"_s;
         f.type = OutputType::Xlsx;
       },
       differs(u"タイトル"_s)},
      {"awkward patterns left out, switch names among them",
       [](CommandForm& f) {
         f.excluded = u"~$*; \"a b\";一時 ファイル;$HOME;`x`!;\\y"_s;
         f.hiddenFiles = true;
         f.oneFileSystem = true;
       },
       QString()},
      {"a pattern left out named like a switch, which /X always takes",
       [](CommandForm& f) { f.excluded = u"/C"_s; }, QString()},
      {"only blanks left out", [](CommandForm& f) { f.excluded = u"  "_s; }, QString()},
      {"/A as the title of an HTML list",
       [](CommandForm& f) {
         f.title = u"/A"_s;
         f.type = OutputType::Html;
       },
       differs(u"タイトル、隠しﾌｧｲﾙの追加"_s)},
      {"a filter named /D", [](CommandForm& f) { f.filter = u"/D"_s; },
       differs(u"入力ファイルフィルタ、別のﾌｧｲﾙｼｽﾃﾑの検索"_s)},
      {"/X as the title of a JSON list, which takes /S for its patterns",
       [](CommandForm& f) {
         f.title = u"/X"_s;
         f.type = OutputType::Json;
       },
       refused(u"識別できない指示符「1」です。"_s)},
      {"awkward characters quoted",
       [](CommandForm& f) {
         f.inPath = f.title = u"/d $x `y` \"q\" 'a' b\\c!d;e|f*g~/h #i\u00A0j\u2028k"_s;
         f.filter = u"*.a;*.b"_s;
         f.executable = u"/exe/My\u00A0Apps/vek"_s;
       },
       QString()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CommandForm form = ordinaryForm();
    c.change(form);
    EXPECT_EQ(problemOf(form), c.problem) << composeCommand(form).toStdString();
  }
}

// Every type the builder offers: the run reads its keyword back as that type with its file's
// extension, and /K goes into the line, and is taken, for the text lists alone.
TEST(CommandReadBack, EveryTypeKeywordIsReadAsItsType) {
  const struct {
    OutputType type;
    QString keyword;
    QString extension;
    bool takesEncoding;
  } cases[] = {
      {OutputType::Csv, u"CSV"_s, u".csv"_s, true},
      {OutputType::Text, u"TEXT"_s, u".txt"_s, true},
      {OutputType::Html, u"HTML"_s, u".html"_s, false},
      {OutputType::Xml, u"XML"_s, u".xml"_s, false},
      {OutputType::Xlsx, u"XLSX"_s, u".xlsx"_s, false},
      {OutputType::Json, u"JSON"_s, u".json"_s, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keyword.toStdString());
    CommandForm form = ordinaryForm();
    form.type = c.type;
    form.encoding = ListEncoding::Utf8;
    const QString line = composeCommand(form);
    EXPECT_TRUE(line.contains(u" /T "_s + c.keyword + u" /F "_s)) << line.toStdString();
    EXPECT_EQ(line.contains(u" /K UTF8"_s), c.takesEncoding);
    EXPECT_EQ(problemOf(form), QString());
    const auto parsed =
        parseBatchArguments(argumentTable(splitShellWords(line, QString()).words.mid(1)).tokens,
                            patternNamer, FolderCheck::Skipped);
    ASSERT_TRUE(std::holds_alternative<BatchRequest>(parsed));
    EXPECT_EQ(std::get<BatchRequest>(parsed).type, c.type);
    EXPECT_EQ(std::get<BatchRequest>(parsed).extension, c.extension);
  }
}

// In English the read-back speaks English with the parts named as the builder names them.
TEST(CommandReadBack, SpeaksTheInterfaceLanguage) {
  ASSERT_TRUE(installInterfaceLanguage(InterfaceLanguage::English));
  CommandForm form = ordinaryForm();
  form.inPath.clear();
  const QString missing = problemOf(form);
  form = ordinaryForm();
  const QString same = readBackProblem(form, composeCommand(form) + u" /C"_s, patternNamer);
  installInterfaceLanguage(InterfaceLanguage::Japanese);
  EXPECT_EQ(missing, u"Give the input folder."_s);
  EXPECT_EQ(same,
            u"In this command, the subfolder search would be read differently from what "
            u"was chosen.\nValues shaped like a switch (such as /C) and empty values "
            u"cannot be used; change them."_s);
}

}  // namespace
}  // namespace vek
