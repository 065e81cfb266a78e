#include "batch/BatchParser.h"
#include "core/text/NarrowText.h"

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"

#include "support/TempTree.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

// A date namer that shows which pattern it was given, and refuses "BAD".
std::optional<QString> fakeNamer(const QString& pattern) {
  if (pattern == u"BAD") return std::nullopt;
  return u"D["_s + pattern + u"]"_s;
}

class BatchParserTest : public ::testing::Test {
 protected:
  BatchParserTest() {
    in = tree.folder(u"in dir"_s);
    out = tree.folder(u"out"_s);
    file = tree.file(u"plain.txt"_s, "x");
  }

  // Tokens with the placeholders IN and OUT replaced by the two folders.
  std::variant<BatchRequest, Message> parse(QStringList tokens) const {
    for (QString& t : tokens) {
      if (t == u"IN") t = in;
      if (t == u"OUT") t = out;
    }
    return parseBatchArguments(tokens, fakeNamer);
  }
  BatchRequest request(const QStringList& tokens) const {
    auto result = parse(tokens);
    if (auto* message = std::get_if<Message>(&result)) {
      ADD_FAILURE() << tokens.join(u' ').toStdString() << " -> " << message->text.toStdString();
      return {};
    }
    return std::get<BatchRequest>(result);
  }
  QString messageText(const QStringList& tokens) const {
    auto result = parse(tokens);
    if (auto* message = std::get_if<Message>(&result)) {
      EXPECT_EQ(message->title, u"警告");
      EXPECT_EQ(message->icon, MessageIcon::Warning);
      return message->text;
    }
    ADD_FAILURE() << tokens.join(u' ').toStdString() << " was accepted";
    return {};
  }

  test::TempTree tree;
  QString in, out, file;
};

TEST_F(BatchParserTest, DefaultsWithOnlyTheSourceFolder) {
  const BatchRequest r = request({u"/I"_s, u"IN"_s});
  EXPECT_EQ(r.sourceFolder, in);
  EXPECT_EQ(r.title, in);
  EXPECT_EQ(r.outputFolder, QString());
  EXPECT_EQ(r.type, OutputType::Csv);
  EXPECT_EQ(r.extension, u".csv");
  EXPECT_EQ(r.fileName, u"D[YYYYMMDDHHmm]");
  EXPECT_EQ(r.sortKey, ListColumn::Folder);
  EXPECT_FALSE(r.includeSubfolders);
  EXPECT_FALSE(r.filter.has_value());
}

TEST_F(BatchParserTest, MessagesHaveTheirExactTexts) {
  const QString kEncodingNotForType =
      u"文字コード（/K）はCSVとTEXTの出力にだけ指定できます。\r\n"
      u"/K を外すか、/T CSV か /T TEXT を指定してください。"_s;
  const QString sortKeys =
      u"1：ﾌｧｲﾙ名　2：拡張子　3：ﾌｧｲﾙﾊﾟｽ　4：ﾌｧｲﾙﾀｲﾌﾟ　5：ﾌｧｲﾙｻｲｽﾞ　6：作成日付　7：ｱｸｾｽ日付　8：更新日付"_s;
  const struct {
    QStringList tokens;
    QString text;
  } cases[] = {
      {{u"/C"_s, u"/T"_s, u"XML"_s},
       u"ファイルリスト取得対象フォルダが指定されていません。\r\n引数を確認してください。\r\n"_s},
      {{u"/I"_s, u"/nowhere/at all"_s},
       u"ファイルリスト取得対象フォルダが不正です、パスを確認してください。\r\n/nowhere/at all"_s},
      {{u"/O"_s, u"OUT"_s, u"/I"_s},
       u"ファイルリスト取得対象フォルダが不正です、パスを確認してください。\r\n"_s},
      {{u"/I"_s, u"IN"_s, u"/O"_s}, u"出力先フォルダが不正です、パスを確認してください。\r\n"_s},
      {{u"/I"_s, u"IN"_s, u"/T"_s},
       u"出力タイプが不正です、CSV/TEXT/HTML/XML/XLSX/JSONのどれかを指定してください。\r\n"_s},
      {{u"/I"_s, u"IN"_s, u"/T"_s, u"PDF"_s},
       u"出力タイプが不正です、CSV/TEXT/HTML/XML/XLSX/JSONのどれかを指定してください。\r\nPDF"_s},
      // /K is for the text lists alone, whichever comes first.
      {{u"/I"_s, u"IN"_s, u"/K"_s, u"CP932"_s, u"/T"_s, u"HTML"_s}, kEncodingNotForType},
      {{u"/I"_s, u"IN"_s, u"/T"_s, u"XML"_s, u"/K"_s, u"UTF8"_s}, kEncodingNotForType},
      {{u"/I"_s, u"IN"_s, u"/T"_s, u"xlsx"_s, u"/K"_s, u"SYSTEM"_s}, kEncodingNotForType},
      {{u"/I"_s, u"IN"_s, u"/K"_s, u"UTF8BOM"_s, u"/T"_s, u"JSON"_s}, kEncodingNotForType},
      {{u"/I"_s, u"IN"_s, u"/S"_s, u"9"_s},
       u"ソートキーが不正です [9]\r\n正しいソートキーを指定してください。\r\n"_s + sortKeys},
      {{u"/?"_s, u"/C"_s}, u"識別できない指示符「/?」です。\r\n正しい引数で起動してください。"_s},
      // Switch names are case-sensitive.
      {{u"/i"_s, u"IN"_s}, u"識別できない指示符「/i」です。\r\n正しい引数で起動してください。"_s},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(messageText(c.tokens), c.text) << c.tokens.join(u' ').toStdString();
  }
}

TEST_F(BatchParserTest, FolderValuesMustBeExistingFolders) {
  EXPECT_TRUE(messageText({u"/I"_s, file}).endsWith(file));
  EXPECT_TRUE(messageText({u"/I"_s, u"IN"_s, u"/O"_s, file}).endsWith(file));
  EXPECT_TRUE(messageText({u"/I"_s, u"IN"_s, u"/O"_s, u"/nowhere"_s}).endsWith(u"/nowhere"));
}

TEST_F(BatchParserTest, FirstFaultySwitchIsReported) {
  // M1 only after every token was accepted: a bad type is reported first.
  EXPECT_TRUE(messageText({u"/T"_s, u"PDF"_s}).startsWith(u"出力タイプが不正"));
  EXPECT_TRUE(messageText({u"/S"_s, u"0"_s, u"/T"_s, u"PDF"_s}).startsWith(u"ソートキー"));
  EXPECT_TRUE(
      messageText({u"/I"_s, u"IN"_s, u"extra"_s}).startsWith(u"識別できない指示符「extra」"));
}

TEST_F(BatchParserTest, SortKeyIsTheLeadingNumberRoundedHalfToEven) {
  const struct {
    const char16_t* value;
    int key;  // 0: refused
  } cases[] = {{u"2.5", 2}, {u"3x", 3},  {u"1.5", 2}, {u"5", 5},   {u"8", 8},
               {u"0.5", 0}, {u"7.5", 8}, {u"8.5", 8}, {u"8.6", 0}, {u"0", 0},
               {u"9", 0},   {u"x", 0},   {u"-1", 0},  {u"1e1", 0}, {u"99999999999999999999", 0},
               {u".", 0}};
  for (const auto& c : cases) {
    const QString value = QString::fromUtf16(c.value);
    const QStringList tokens = {u"/I"_s, u"IN"_s, u"/S"_s, value};
    if (c.key == 0) {
      EXPECT_TRUE(messageText(tokens).startsWith(u"ソートキーが不正です [" + value + u"]"))
          << value.toStdString();
    } else {
      EXPECT_EQ(request(tokens).sortKey, ListColumn(c.key - 1)) << value.toStdString();
    }
  }
}

TEST_F(BatchParserTest, OptionalValuesAreNotTakenFromTheNextSwitch) {
  BatchRequest r = request({u"/I"_s, u"IN"_s, u"/S"_s, u"/T"_s, u"HTML"_s});
  EXPECT_EQ(r.sortKey, ListColumn::Folder);
  EXPECT_EQ(r.type, OutputType::Html);

  r = request({u"/I"_s, u"IN"_s, u"/N"_s, u"/C"_s});
  EXPECT_EQ(r.title, in);
  EXPECT_TRUE(r.includeSubfolders);

  r = request({u"/I"_s, u"IN"_s, u"/E"_s, u"/C"_s});
  EXPECT_EQ(r.filter, u"*.*"_s);
  EXPECT_TRUE(r.includeSubfolders);

  // At the end the value is empty: nothing taken, nothing changed.
  r = request({u"/I"_s, u"IN"_s, u"/S"_s});
  EXPECT_EQ(r.sortKey, ListColumn::Folder);
  r = request({u"/I"_s, u"IN"_s, u"/E"_s});
  EXPECT_EQ(r.filter, u"*.*"_s);
  r = request({u"/I"_s, u"IN"_s, u"/E"_s, u"*.txt;*.log"_s});
  EXPECT_EQ(r.filter, u"*.txt;*.log"_s);
}

TEST_F(BatchParserTest, AnAbsolutePathIsAValueUnlessItIsASwitchName) {
  BatchRequest r = request({u"/I"_s, u"IN"_s, u"/N"_s, u"/srv/data"_s, u"/C"_s});
  EXPECT_EQ(r.title, u"/srv/data"_s);
  EXPECT_TRUE(r.includeSubfolders);
  r = request({u"/I"_s, u"IN"_s, u"/N"_s, u"/H"_s});
  EXPECT_EQ(r.title, in);
  EXPECT_TRUE(r.hideWindow);
  EXPECT_TRUE(
      messageText({u"/I"_s, u"IN"_s, u"/S"_s, u"/x"_s}).startsWith(u"ソートキーが不正です [/x]"));
}

TEST_F(BatchParserTest, FileNameFromDate) {
  const struct {
    QStringList tokens;
    QString fileName;
    bool subfolders;
  } cases[] = {
      {{u"/I"_s, u"IN"_s, u"/F"_s, u"DATE"_s}, u"D[YYYYMMDDHHmm]"_s, false},
      {{u"/I"_s, u"IN"_s, u"/F"_s, u"DATE"_s, u"/C"_s}, u"D[YYYYMMDDHHmm]"_s, true},
      {{u"/I"_s, u"IN"_s, u"/F"_s, u"DATE"_s, u"YYYY"_s}, u"D[YYYY]"_s, false},
      {{u"/F"_s, u"date"_s, u"YYYY"_s, u"/I"_s, u"IN"_s}, u"D[YYYY]"_s, false},
      {{u"/F"_s, u"ＤａＴＥ"_s, u"YY"_s, u"/I"_s, u"IN"_s}, u"D[YY]"_s, false},
      {{u"/I"_s, u"IN"_s, u"/F"_s, u"list"_s}, u"list"_s, false},
      {{u"/I"_s, u"IN"_s, u"/F"_s, u"my list (1)"_s}, u"my list (1)"_s, false},
      {{u"/I"_s, u"IN"_s, u"/F"_s, u"a"_s, u"/F"_s, u"b"_s}, u"b"_s, false},
  };
  for (const auto& c : cases) {
    const BatchRequest r = request(c.tokens);
    EXPECT_EQ(r.fileName, c.fileName) << c.tokens.join(u' ').toStdString();
    EXPECT_EQ(r.includeSubfolders, c.subfolders) << c.tokens.join(u' ').toStdString();
  }
  EXPECT_EQ(messageText({u"/I"_s, u"IN"_s, u"/F"_s, u"DATE"_s, u"BAD"_s}),
            u"ファイル名の日付フォーマットが不正です、フォーマットを確認してください。\r\nBAD"_s);
}

// A name with a folder separator would land in another folder or nowhere; the next token is
// still taken as the name, so "/F /C" is refused rather than read as a file C and no "/C".
TEST_F(BatchParserTest, FileNameWithAFolderSeparatorIsRefused) {
  const QString refusal =
      u"出力ファイル名が不正です、フォルダの区切り文字を含まない名前を指定してください。\r\n"_s;
  const struct {
    QStringList tokens;
    QString name;
  } cases[] = {
      {{u"/I"_s, u"IN"_s, u"/F"_s, u"DATE"_s, u"YYYY/MM/DD"_s}, u"D[YYYY/MM/DD]"_s},
      {{u"/I"_s, u"IN"_s, u"/F"_s, u"../list"_s}, u"../list"_s},
      {{u"/I"_s, u"IN"_s, u"/F"_s, u"/C"_s}, u"/C"_s},
      // Refused where it stands, before a later faulty switch.
      {{u"/F"_s, u"sub/list"_s, u"/X"_s}, u"sub/list"_s},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(messageText(c.tokens), refusal + c.name) << c.tokens.join(u' ').toStdString();
  }
}

TEST_F(BatchParserTest, TypeIsReadUpperCasedAndNarrowed) {
  const struct {
    const char16_t* value;
    OutputType type;
    const char16_t* extension;
  } cases[] = {{u"CSV", OutputType::Csv, u".csv"},    {u"csv", OutputType::Csv, u".csv"},
               {u"ＣＳＶ", OutputType::Csv, u".csv"}, {u"Text", OutputType::Text, u".txt"},
               {u"Html", OutputType::Html, u".html"}, {u"ｈｔｍｌ", OutputType::Html, u".html"},
               {u"xml", OutputType::Xml, u".xml"}};
  for (const auto& c : cases) {
    const BatchRequest r =
        request({u"/I"_s, u"IN"_s, u"/T"_s, u"HTML"_s, u"/T"_s, QString::fromUtf16(c.value)});
    EXPECT_EQ(r.type, c.type);
    EXPECT_EQ(r.extension, QString::fromUtf16(c.extension));
  }
  EXPECT_TRUE(messageText({u"/I"_s, u"IN"_s, u"/T"_s, u"TXT"_s}).endsWith(u"\r\nTXT"));
}

TEST_F(BatchParserTest, OutputFolderEndsInSeparator) {
  EXPECT_EQ(request({u"/I"_s, u"IN"_s, u"/O"_s, out}).outputFolder, out + u'/');
  EXPECT_EQ(request({u"/I"_s, u"IN"_s, u"/O"_s, out + u'/'}).outputFolder, out + u'/');
  EXPECT_EQ(request({u"/I"_s, u"IN"_s, u"/O"_s, u"/"_s}).outputFolder, u"/"_s);
}

TEST_F(BatchParserTest, TitleIsTheLaterOfSourceAndName) {
  EXPECT_EQ(request({u"/N"_s, u"Report"_s, u"/I"_s, u"IN"_s}).title, in);
  EXPECT_EQ(request({u"/I"_s, u"IN"_s, u"/N"_s, u"Report"_s}).title, u"Report"_s);
  EXPECT_EQ(request({u"/I"_s, u"IN"_s, u"/N"_s, u"A"_s, u"/N"_s, u"B"_s}).title, u"B"_s);
  const BatchRequest r = request({u"/H"_s, u"/I"_s, u"IN"_s, u"/I"_s, out});
  EXPECT_EQ(r.sourceFolder, out);
  EXPECT_TRUE(r.hideWindow);
}

TEST(UpperNarrow, ConvertsFullWidthAscii) {
  EXPECT_EQ(upperNarrow(u"ａｂｃ！～０ｚ　x"_s), u"ABC!~0Z X"_s);
  EXPECT_EQ(upperNarrow(u"ｶﾀｶﾅ漢字"_s), u"ｶﾀｶﾅ漢字"_s);
}

TEST_F(BatchParserTest, DigestAndChecksumFileSwitches) {
  BatchRequest r = request({u"/I"_s, u"IN"_s});
  EXPECT_EQ(r.hash, HashKind::None);
  EXPECT_FALSE(r.checksumFile);
  struct Case {
    QString value;
    HashKind kind;
  } const cases[] = {{u"MD5"_s, HashKind::Md5},
                     {u"sha1"_s, HashKind::Sha1},
                     {u"SHA256"_s, HashKind::Sha256},
                     {u"ｓｈａ２５６"_s, HashKind::Sha256}};
  for (const Case& c : cases) {
    r = request({u"/I"_s, u"IN"_s, u"/M"_s, c.value, u"/W"_s});
    EXPECT_EQ(r.hash, c.kind) << c.value.toStdString();
    EXPECT_TRUE(r.checksumFile);
  }
  // /M always takes the next token.
  EXPECT_EQ(messageText({u"/I"_s, u"IN"_s, u"/M"_s, u"SHA-256"_s}),
            u"ハッシュの種類が不正です、MD5/SHA1/SHA256のどれかを指定してください。\r\nSHA-256"_s);
  EXPECT_EQ(messageText({u"/I"_s, u"IN"_s, u"/M"_s, u"/W"_s}),
            u"ハッシュの種類が不正です、MD5/SHA1/SHA256のどれかを指定してください。\r\n/W"_s);
  EXPECT_TRUE(messageText({u"/I"_s, u"IN"_s, u"/M"_s}).startsWith(u"ハッシュの種類が不正です"));
  // After /N a new switch name is that switch, as with the others.
  r = request({u"/I"_s, u"IN"_s, u"/N"_s, u"/W"_s});
  EXPECT_EQ(r.title, in);
  EXPECT_TRUE(r.checksumFile);
}

TEST_F(BatchParserTest, ExcludeHiddenAndOneFileSystemSwitches) {
  BatchRequest r = request({u"/I"_s, u"IN"_s});
  EXPECT_EQ(r.excluded, QString());
  EXPECT_FALSE(r.hiddenFiles);
  EXPECT_FALSE(r.oneFileSystem);
  r = request({u"/X"_s, u".git;node_modules"_s, u"/A"_s, u"/I"_s, u"IN"_s, u"/D"_s, u"/C"_s});
  EXPECT_EQ(r.excluded, u".git;node_modules"_s);
  EXPECT_TRUE(r.hiddenFiles);
  EXPECT_TRUE(r.oneFileSystem);
  EXPECT_TRUE(r.includeSubfolders);
  // /X always takes the next token, whatever it looks like; an empty one leaves nothing out.
  EXPECT_EQ(request({u"/I"_s, u"IN"_s, u"/X"_s, u"/C"_s}).excluded, u"/C"_s);
  EXPECT_FALSE(request({u"/I"_s, u"IN"_s, u"/X"_s, u"/C"_s}).includeSubfolders);
  EXPECT_EQ(request({u"/I"_s, u"IN"_s, u"/X"_s, QString(), u"/A"_s}).excluded, QString());
  // Without its patterns /X is refused rather than leaving nothing out unasked.
  EXPECT_EQ(messageText({u"/I"_s, u"IN"_s, u"/X"_s}),
            u"除外するファイル・フォルダの名前が指定されていません。\r\n"
            u"/X の後に「.git;node_modules」のように指定してください。"_s);
  // After /N, /S and /E the new switch names are those switches.
  r = request({u"/I"_s, u"IN"_s, u"/N"_s, u"/A"_s, u"/E"_s, u"/D"_s, u"/S"_s, u"/X"_s, u"*.o"_s});
  EXPECT_EQ(r.title, in);
  EXPECT_TRUE(r.hiddenFiles);
  EXPECT_TRUE(r.oneFileSystem);
  EXPECT_EQ(r.filter, u"*.*"_s);
  EXPECT_EQ(r.excluded, u"*.o"_s);
}

}  // namespace
}  // namespace vek
