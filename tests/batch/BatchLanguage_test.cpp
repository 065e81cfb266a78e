// The batch run in each language: its messages on standard error and the default captions of
// the list it writes follow VEK_LANG or the locale.
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"

#include "batch/UsageText.h"
#include "support/BatchProcessFixture.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

class BatchLanguage : public test::BatchProcessFixture {
 protected:
  BatchLanguage() {
    tree.file(u"in/a.txt"_s, "a");
    // A folder where the filter presets should be: the run says it cannot read them and goes
    // on with the defaults.
    tree.folder(u"home/filter.txt"_s);
  }
  // The run with the given variables (an empty value unsets one for the choice) writing
  // out/<name>.csv; its standard error.
  QString errorsOf(const QStringList& environment, const QString& name) const {
    test::VekRunOptions with = options();
    with.environment = environment;
    const test::VekRun r =
        test::runVek({u"/I"_s, u"in"_s, u"/O"_s, u"out"_s, u"/T"_s, u"CSV"_s, u"/F"_s, name}, with);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return r.err;
  }
  QString japanese() const {
    return u"警告: フィルタ設定ファイルを読み込めません。既定のフィルタを使います。\n  "_s + home +
           u"/filter.txt: 通常のファイルではありません。\n"_s;
  }
  QString english() const {
    return u"Warning: The filter presets file cannot be read. The default filters are used.\n  "_s +
           home + u"/filter.txt: It is not a regular file.\n"_s;
  }
};

TEST_F(BatchLanguage, MessagesFollowVekLangThenTheLocale) {
  const struct {
    QStringList environment;
    bool inJapanese;
  } cases[] = {
      {{u"VEK_LANG=ja"_s, u"LC_ALL=C.UTF-8"_s}, true},
      {{u"VEK_LANG=en"_s, u"LC_ALL=ja_JP.UTF-8"_s}, false},
      {{u"VEK_LANG="_s, u"LC_ALL="_s, u"LC_MESSAGES="_s, u"LANG=ja_JP.UTF-8"_s}, true},
      {{u"VEK_LANG="_s, u"LC_ALL="_s, u"LC_MESSAGES="_s, u"LANG=C.UTF-8"_s}, true},
      {{u"VEK_LANG="_s, u"LC_ALL="_s, u"LC_MESSAGES="_s, u"LANG="_s}, true},
      {{u"VEK_LANG="_s, u"LC_ALL="_s, u"LC_MESSAGES="_s, u"LANG=en_US.UTF-8"_s}, false},
      {{u"VEK_LANG="_s, u"LC_ALL="_s, u"LC_MESSAGES=ja_JP.UTF-8"_s, u"LANG=en_US.UTF-8"_s}, true},
  };
  int run = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.environment.join(u' ').toStdString());
    EXPECT_EQ(errorsOf(c.environment, u"list"_s + QString::number(run++)),
              c.inJapanese ? japanese() : english());
  }
}

// The list's default captions follow the language as the messages do: under VEK_LANG=ja and
// under C the same bytes as always, English ones under VEK_LANG=en and an English locale. The
// Vek.ini each run leaves keeps the defaults as the Japanese texts, so no run fixes the
// language of the next one.
TEST_F(BatchLanguage, DefaultCaptionsFollowTheLanguage) {
  const QStringList unset{u"VEK_LANG="_s, u"LC_ALL="_s, u"LC_MESSAGES="_s};
  errorsOf({u"VEK_LANG=ja"_s, u"LANG=C.UTF-8"_s}, u"ja"_s);
  errorsOf(unset + QStringList{u"LANG=C.UTF-8"_s}, u"c"_s);
  errorsOf({u"VEK_LANG=en"_s, u"LANG=C.UTF-8"_s}, u"en"_s);
  errorsOf(unset + QStringList{u"LANG=en_US.UTF-8"_s}, u"enLocale"_s);
  errorsOf(unset + QStringList{u"LANG=ja_JP.UTF-8"_s}, u"jaLocale"_s);

  const QByteArray japaneseList = tree.read(u"out/ja.csv"_s);
  EXPECT_TRUE(japaneseList.startsWith(
      "ディレクトリ,ファイル名,ファイルタイプ,ファイルサイズ,作成日付,\r\n"))
      << japaneseList.toStdString();
  EXPECT_EQ(tree.read(u"out/c.csv"_s), japaneseList);
  EXPECT_TRUE(
      tree.read(u"out/jaLocale.csv"_s)
          .startsWith("ディレクトリ,ファイル名,ファイルタイプ,ファイルサイズ,作成日付,\r\n"));
  const QByteArray englishList = tree.read(u"out/en.csv"_s);
  EXPECT_TRUE(englishList.startsWith("Folder,File name,File type,File size,Created,\r\n"))
      << englishList.toStdString();
  EXPECT_EQ(tree.read(u"out/enLocale.csv"_s).split('\n').first(), englishList.split('\n').first());
  // Below the header the rows are the same but for the type description, in the list's
  // language too.
  const auto typeless = [](QByteArray list) {
    return list.replace("plain text document", "").replace("平文テキストドキュメント", "");
  };
  EXPECT_EQ(typeless(englishList).split('\n').mid(1), typeless(japaneseList).split('\n').mid(1));
  EXPECT_EQ(setting(u"HeadComment"_s, u"Directory"_s), u"ディレクトリ"_s);
  EXPECT_EQ(setting(u"Html"_s, u"Title"_s), u"（ここにタイトルを入力）"_s);
}

// Captions a person stored in Vek.ini are written as stored in either language, and the run
// keeps them in the file.
TEST_F(BatchLanguage, StoredCaptionsAreWrittenAsStoredInBothLanguages) {
  writeSettings("[HeadComment]\r\nDirectory='Ordner'\r\nFileName='名前'\r\nFileType='Type'\r\n");
  errorsOf({u"VEK_LANG=en"_s, u"LANG=C.UTF-8"_s}, u"en"_s);
  errorsOf({u"VEK_LANG=ja"_s, u"LANG=C.UTF-8"_s}, u"ja"_s);
  errorsOf({u"VEK_LANG="_s, u"LC_ALL="_s, u"LC_MESSAGES="_s, u"LANG=en_US.UTF-8"_s}, u"enLocale"_s);
  EXPECT_TRUE(tree.read(u"out/en.csv"_s).startsWith("Ordner,名前,Type,File size,Created,\r\n"));
  EXPECT_TRUE(
      tree.read(u"out/enLocale.csv"_s).startsWith("Ordner,名前,Type,File size,Created,\r\n"));
  EXPECT_TRUE(
      tree.read(u"out/ja.csv"_s).startsWith("Ordner,名前,Type,ファイルサイズ,作成日付,\r\n"));
  EXPECT_EQ(setting(u"HeadComment"_s, u"Directory"_s), u"Ordner"_s);
  EXPECT_EQ(setting(u"HeadComment"_s, u"FileName"_s), u"名前"_s);
  EXPECT_EQ(setting(u"HeadComment"_s, u"FileSize"_s), u"ファイルサイズ"_s);
}

// The type descriptions speak the interface's language, whatever the locale: Japanese under
// C and POSIX (where the interface is Japanese) and under VEK_LANG=ja, English under VEK_LANG=en
// and under a locale of a third language. One list, one language.
TEST_F(BatchLanguage, TypeDescriptionsFollowTheInterfaceLanguage) {
  const QStringList unset{u"VEK_LANG="_s, u"LC_ALL="_s, u"LC_MESSAGES="_s};
  const struct {
    QStringList environment;
    const char16_t* type;
    const char* header;
  } cases[] = {
      {unset + QStringList{u"LANG=C.UTF-8"_s}, u"平文テキストドキュメント", "ディレクトリ,"},
      {unset + QStringList{u"LANG=C"_s}, u"平文テキストドキュメント", "ディレクトリ,"},
      {unset + QStringList{u"LANG=POSIX"_s}, u"平文テキストドキュメント", "ディレクトリ,"},
      {{u"VEK_LANG=ja"_s, u"LANG=C.UTF-8"_s}, u"平文テキストドキュメント", "ディレクトリ,"},
      {{u"VEK_LANG=ja"_s, u"LANG=en_US.UTF-8"_s}, u"平文テキストドキュメント", "ディレクトリ,"},
      {{u"VEK_LANG=en"_s, u"LANG=C.UTF-8"_s}, u"plain text document", "Folder,"},
      {{u"VEK_LANG=en"_s, u"LANG=ja_JP.UTF-8"_s}, u"plain text document", "Folder,"},
      {unset + QStringList{u"LANG=en_US.UTF-8"_s}, u"plain text document", "Folder,"},
      {unset + QStringList{u"LANG=de_DE.UTF-8"_s}, u"plain text document", "Folder,"},
  };
  int run = 0;
  for (const auto& c : cases) {
    const QString name = u"types"_s + QString::number(run++);
    errorsOf(unset + c.environment, name);
    const QByteArray list = tree.read(u"out/"_s + name + u".csv"_s);
    EXPECT_TRUE(list.startsWith(c.header)) << c.environment.join(u' ').toStdString();
    EXPECT_TRUE(QString::fromUtf8(list.split('\n').value(1))
                    .contains(u",a.txt,"_s + QString::fromUtf16(c.type) + u","_s))
        << c.environment.join(u' ').toStdString() << " " << list.toStdString();
  }
}

// The messages of a comparison (a list that cannot be read, what a saved list lets be
// compared) follow the language as every other message does.
TEST_F(BatchLanguage, CompareMessagesFollowTheLanguage) {
  tree.file(u"broken.json"_s, "{\"format\":");
  tree.file(u"kb.csv"_s, "ディレクトリ,ファイル名,ファイルサイズ,\r\n" +
                             QFile::encodeName(tree.path(u"in"_s)) + ",a.txt,1 KB,\r\n");
  const auto compare = [&](const QStringList& environment, const QString& list) {
    test::VekRunOptions with = options();
    with.environment = environment;
    return test::runVek({u"/V"_s, tree.path(list), u"/I"_s, u"in"_s}, with);
  };
  const test::VekRun broken = compare({u"VEK_LANG=en"_s, u"LANG=ja_JP.UTF-8"_s}, u"broken.json"_s);
  EXPECT_EQ(broken.exitCode, 1);
  EXPECT_TRUE(broken.err.contains(u"The saved list cannot be read."_s)) << broken.err.toStdString();
  EXPECT_FALSE(broken.err.contains(u"読み込めません"_s)) << broken.err.toStdString();
  const test::VekRun notes = compare({u"VEK_LANG=en"_s, u"LANG=C.UTF-8"_s}, u"kb.csv"_s);
  EXPECT_TRUE(notes.err.contains(u"Sizes are written in KB or MB, so they are not compared."_s))
      << notes.err.toStdString();
  const test::VekRun japanese = compare({u"VEK_LANG=ja"_s, u"LANG=C.UTF-8"_s}, u"kb.csv"_s);
  EXPECT_TRUE(japanese.err.contains(u"サイズは KB・MB 単位で書かれているため比較しません。"_s))
      << japanese.err.toStdString();
}

// "/?" in Japanese is the lines as they always were; in English every line is English, as
// many lines, the switches where they were.
TEST_F(BatchLanguage, UsageInBothLanguages) {
  test::VekRunOptions with = options();
  with.environment = {u"VEK_LANG=ja"_s, u"LANG=C.UTF-8"_s};
  const test::VekRun japanese = test::runVek({u"/?"_s}, with);
  EXPECT_EQ(japanese.exitCode, 0);
  EXPECT_EQ(japanese.out,
            usageLines().join(u'\n') + u"\n\n"_s + addedUsageLines().join(u'\n') + u'\n');
  with.environment = {u"VEK_LANG=en"_s, u"LANG=ja_JP.UTF-8"_s};
  const test::VekRun english = test::runVek({u"/?"_s}, with);
  EXPECT_EQ(english.exitCode, 0);
  const QStringList lines = english.out.split(u'\n');
  ASSERT_EQ(lines.size(), japanese.out.split(u'\n').size()) << english.out.toStdString();
  EXPECT_EQ(lines[0], u"Vek command line"_s);
  EXPECT_EQ(lines[4], u"/I path"_s);
  EXPECT_EQ(lines[23], u"/T XLSX"_s);
  for (const QString& line : lines) {
    for (const QChar c : line) EXPECT_LT(c.unicode(), 0x3000) << line.toStdString();
  }
}

}  // namespace
}  // namespace vek
