// The HTML writer: exact bytes of the page, row colours and repeated header rows, escaping of
// everything taken from the list, file URLs, and the create operation's refusals.
#include <QBuffer>

#include <gtest/gtest.h>

#include "core/list/FileList.h"
#include "core/text/TextCodec.h"
#include "support/ExampleRows.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"
#include "writers/HtmlListExport.h"
#include "writers/HtmlListWriter.h"
#include "writers/HtmlText.h"

using namespace vek;

namespace {

using test::ExampleRow;
using test::listOf;

// Writes the page and gives back its text, decoded with the system encoding it was written in.
QString writePage(const FileList& list, const Settings& settings, const QString& title,
                  PathStyle style = PathStyle::Windows, bool* ok = nullptr) {
  test::TempTree tree;
  test::RecordingInteraction said;
  const bool written =
      createHtmlList(tree.path(QStringLiteral("list.htm")), list, settings, said, title, style);
  if (ok) *ok = written;
  return TextCodec::system().decode(tree.read(QStringLiteral("list.htm")));
}

QStringList linesOf(const QString& page) {
  QStringList lines = page.split(QStringLiteral("\r\r\n"));
  EXPECT_EQ(lines.takeLast(), QString()) << "the page ends with a full line end";
  return lines;
}

}  // namespace

TEST(HtmlListWriter, ExamplePageIsExact) {
  Settings settings;
  const QString page =
      writePage(listOf({ExampleRow(QStringLiteral("C:\\data\\"), QStringLiteral("a.txt"))}),
                settings, QStringLiteral("一覧"));
  const QString expected = QStringLiteral(
      "<HTML><BODY BGCOLOR='#FFFFFF'><CENTER>\r\r\n"
      "<FONT COLOR='#000000'>\r\r\n"
      "<TITLE>一覧</TITLE>\r\r\n"
      "<H1>一覧</H1><BR>\r\r\n"
      "<TABLE BORDER=1>\r\r\n"
      "<TR><TD bgcolor = #BBBBFF>ディレクトリ</TD><TD bgcolor = #BBBBFF>ファイル名</TD>"
      "<TD bgcolor = #BBBBFF>ファイルタイプ</TD><TD bgcolor = #BBBBFF>ファイルサイズ</TD>"
      "<TD bgcolor = #BBBBFF>作成日付</TD></TR>\r\r\n"
      "<TR><TD bgcolor = #FFFFCE>C:\\data</TD><TD bgcolor = #FFFFCE>a.txt</TD>"
      "<TD bgcolor = #FFFFCE>テキスト ドキュメント</TD><TD bgcolor = #FFFFCE align=right>2 KB</TD>"
      "<TD bgcolor = #FFFFCE>2005/08/18 14:03:09</TD></TR>\r\r\n"
      "</TABLE>\r\r\n"
      "</CENTER></BODY></HTML>\r\r\n");
  EXPECT_EQ(page, expected);
}

TEST(HtmlListWriter, RowColoursAndRepeatedHeaders) {
  // Each line of the table as H (header row) or the colour of a data row: A or B.
  auto shape = [](const QString& page) {
    QString out;
    for (const QString& line : linesOf(page)) {
      if (line.startsWith(u"<TR><TD bgcolor = #BBBBFF>"))
        out += u'H';
      else if (line.startsWith(u"<TR><TD bgcolor = #FFCECE>"))
        out += u'A';
      else if (line.startsWith(u"<TR><TD bgcolor = #FFFFCE>"))
        out += u'B';
    }
    return out;
  };
  const QString a = QStringLiteral("/a/"), b = QStringLiteral("/b/");
  const QString n = QStringLiteral("f.txt");
  struct Case {
    const char* what;
    FileList list;
    int insert, type, interval;
    const char16_t* expected;
  };
  const Case cases[] = {
      {"one ticked row", listOf({ExampleRow(a, n)}), 1, 0, 15, u"HB"},
      {"unticked row between",
       listOf({ExampleRow(a, n), ExampleRow(a, n).unticked(), ExampleRow(a, n), ExampleRow(a, n)}),
       1, 0, 15, u"HBAB"},
      {"every 2 rows, 5 rows",
       listOf({ExampleRow(a, n), ExampleRow(a, n), ExampleRow(a, n), ExampleRow(a, n),
               ExampleRow(a, n)}),
       0, 0, 2, u"HBAHBAHB"},
      {"every row", listOf({ExampleRow(a, n), ExampleRow(a, n), ExampleRow(a, n)}), 0, 0, 1,
       u"HBHAHB"},
      {"no insertion chosen", listOf({ExampleRow(a, n), ExampleRow(a, n), ExampleRow(a, n)}), 1, 0,
       1, u"HBAB"},
      {"folder change, first row ticked",
       listOf({ExampleRow(a, n), ExampleRow(a, n), ExampleRow(b, n).unticked(), ExampleRow(b, n),
               ExampleRow(a, n)}),
       0, 1, 15, u"HBABHA"},
      {"unticked row above in another folder",
       listOf({ExampleRow(a, n), ExampleRow(b, n).unticked(), ExampleRow(a, n)}), 0, 1, 15,
       u"HBHA"},
      {"empty list", FileList(), 0, 0, 1, u"H"},
  };
  for (const Case& c : cases) {
    Settings settings;
    settings.html.columns.optHeadInsert = HeadInsert(c.insert);
    settings.html.columns.optHeadInsertType = HeadInsertAt(c.type);
    settings.html.columns.valHeadInterval = c.interval;
    EXPECT_EQ(shape(writePage(c.list, settings, QString(), PathStyle::Posix)),
              QString::fromUtf16(c.expected))
        << c.what;
  }
}

TEST(HtmlListWriter, EmptyTitle) {
  const QStringList lines = linesOf(writePage(FileList(), Settings(), QString()));
  ASSERT_GE(lines.size(), 4);
  EXPECT_EQ(lines[2], QStringLiteral("<TITLE></TITLE>"));
  EXPECT_EQ(lines[3], QStringLiteral("<H1></H1><BR>"));
}

TEST(HtmlListWriter, ColourText) {
  const struct {
    Colour colour;
    const char* text;
  } cases[] = {{0, "#000000"},         {255, "#FF0000"},      {65536 * 255, "#0000FF"},
               {256 * 255, "#00FF00"}, {16759739, "#BBBBFF"}, {13553407, "#FFCECE"},
               {13565951, "#FFFFCE"},  {16777215, "#FFFFFF"}, {0x12345678, "#785634"},
               {0x0A0B0C, "#0C0B0A"}};
  for (const auto& c : cases)
    EXPECT_EQ(htmlColourText(c.colour), QString::fromLatin1(c.text)) << c.colour;
}

TEST(HtmlListWriter, Escaping) {
  const struct {
    const char16_t* in;
    const char16_t* out;
  } cases[] = {{u"plain 日本語", u"plain 日本語"},
               {u"a&b", u"a&amp;b"},
               {u"<script>alert(1)</script>", u"&lt;script&gt;alert(1)&lt;/script&gt;"},
               {u"it's \"q\"", u"it&#39;s &quot;q&quot;"},
               {u"&amp;", u"&amp;amp;"},
               {u"", u""}};
  for (const auto& c : cases) EXPECT_EQ(htmlEscaped(QStringView(c.in)), QString::fromUtf16(c.out));
}

TEST(HtmlListWriter, FileUrls) {
  const struct {
    PathStyle style;
    const char16_t* path;
    const char* url;
  } cases[] = {
      {PathStyle::Posix, u"/tmp/a.txt", "file:///tmp/a.txt"},
      {PathStyle::Posix, u"/tmp/x#y?.txt", "file:///tmp/x%23y%3F.txt"},
      {PathStyle::Posix, u"/tmp/100%.txt", "file:///tmp/100%25.txt"},
      {PathStyle::Posix, u"/t/a b&c'd\".txt", "file:///t/a%20b%26c%27d%22.txt"},
      {PathStyle::Posix, u"/t/日本.txt", "file:///t/%E6%97%A5%E6%9C%AC.txt"},
      {PathStyle::Posix, u"/t/<x>;=:@.txt", "file:///t/%3Cx%3E%3B%3D%3A%40.txt"},
      // Shift_JIS bytes 82 A0 of a name that is not UTF-8, held as U+DC82 U+DCA0: the address
      // names the file's own bytes. An emoji stays one UTF-8 sequence.
      {PathStyle::Posix, u"/t/\xDC82\xDCA0-\U0001F600.txt", "file:///t/%82%A0-%F0%9F%98%80.txt"},
      {PathStyle::Windows, u"C:\\data\\a b.txt", "file:///C:/data/a%20b.txt"},
      {PathStyle::Windows, u"\\\\server\\share\\a#.txt", "file://server/share/a%23.txt"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(fileUrl(QStringView(c.path), c.style), QString::fromLatin1(c.url));
}

TEST(HtmlListWriter, HostileTextIsEscapedEverywhere) {
  Settings settings;
  settings.html.fileLink = 1;
  settings.html.columns.chkPath = 1;
  settings.headComment[std::size_t(ColumnId::FileName)] = QStringLiteral("<名前>");
  const FileList list =
      listOf({ExampleRow(QStringLiteral("/t/<d>/"), QStringLiteral("a&b'<i>.txt"))});
  const QString page = writePage(list, settings, QStringLiteral("<b>T&T</b>"), PathStyle::Posix);
  const QStringList lines = linesOf(page);
  ASSERT_EQ(lines.size(), 9);
  EXPECT_EQ(lines[2], QStringLiteral("<TITLE>&lt;b&gt;T&amp;T&lt;/b&gt;</TITLE>"));
  EXPECT_TRUE(lines[5].contains(u">&lt;名前&gt;</TD>"));
  EXPECT_TRUE(lines[6].contains(u">/t/&lt;d&gt;/a&amp;b&#39;&lt;i&gt;.txt</TD>"))
      << lines[6].toStdString();
  EXPECT_TRUE(lines[6].contains(
      u"<A HREF='file:///t/%3Cd%3E/a%26b%27%3Ci%3E.txt'>a&amp;b&#39;&lt;i&gt;.txt</A>"))
      << lines[6].toStdString();
  // Nothing from the list opens a tag of its own.
  EXPECT_FALSE(page.contains(u"<i>") || page.contains(u"<d>") || page.contains(u"<b>"));
}

TEST(HtmlListWriter, CreateRefusalsAndFailures) {
  test::TempTree tree;
  const QString target = tree.file(QStringLiteral("list.htm"), "old");
  const FileList list = listOf({ExampleRow(QStringLiteral("/t/"), QStringLiteral("a.txt"))});

  Settings none;
  none.html.columns =
      ColumnOptions{0, 1, 0, DirType::Absolute, 0, 1, 0, 0, SizeUnit::Bytes, 1, 0, 0, 0};
  test::RecordingInteraction said;
  EXPECT_FALSE(createHtmlList(target, list, none, said, QString(), PathStyle::Posix));
  ASSERT_EQ(said.messages.size(), 1u);
  EXPECT_EQ(said.messages[0].text, QStringLiteral("出力情報が指定されていません"));
  EXPECT_EQ(said.messages[0].title, QStringLiteral("出力指定エラー"));
  EXPECT_EQ(tree.read(QStringLiteral("list.htm")), "old");

  test::RecordingInteraction failed;
  const QString missing = tree.path(QStringLiteral("no/such/folder/list.htm"));
  EXPECT_FALSE(createHtmlList(missing, list, Settings(), failed, QString(), PathStyle::Posix));
  ASSERT_EQ(failed.messages.size(), 1u);
  EXPECT_TRUE(
      failed.messages[0].text.startsWith(u"ファイルを開くことが出来ません。\r\n" % missing));
}

TEST(HtmlListWriter, InitialTitle) {
  Settings settings;
  settings.html.title = QStringLiteral("保存した題");
  const FileList list =
      listOf({ExampleRow(QStringLiteral("/first/"), QStringLiteral("a.txt")).unticked(),
              ExampleRow(QStringLiteral("/second/"), QStringLiteral("b.txt"))});
  EXPECT_EQ(htmlInitialTitle(list, settings), QStringLiteral("保存した題"));
  settings.option.defaultTitle = 1;
  EXPECT_EQ(htmlInitialTitle(list, settings), QStringLiteral("/first/"));
  EXPECT_EQ(htmlInitialTitle(FileList(), settings), QStringLiteral("保存した題"));
}

TEST(HtmlListWriter, LegacyEncodingWritesReferences) {
  // Under a Japanese legacy locale the page is CP932 or EUC-JP: what they cannot hold must
  // still reach the browser.
  Settings settings;
  settings.html.columns =
      ColumnOptions{0, 0, 0, DirType::Absolute, 1, 1, 0, 0, SizeUnit::Bytes, 0, 0, 0, 0};
  const ColumnCells cells(settings.html.columns, SizeStyle::Grouped,
                          ColumnCells::dateFormatter(settings), PathStyle::Posix);
  const FileList list = listOf({ExampleRow(QStringLiteral("/t/"), QStringLiteral("絵文字😀é.txt"))});
  for (const char* encoding : {"CP932", "EUC-JP"}) {
    const TextCodec codec{QByteArray(encoding)};
    auto encoder = codec.makeEncoder(Unmappable::DecimalReference);
    ASSERT_TRUE(encoder);
    HtmlListWriter writer(settings.html, cells, cells.captions(settings), QString(),
                          PathStyle::Posix);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writer.write(buffer, *encoder, list));
    const QString page = codec.decode(buffer.data());
    EXPECT_TRUE(page.contains(u">絵文字&#128512;") && page.contains(u".txt</TD>")) << encoding;
    EXPECT_EQ(encoder->lostCharacters(), 0) << encoding;
  }
}

TEST(HtmlListWriter, DeviceFailureIsReported) {
  Settings settings;
  const ColumnCells cells(settings.html.columns, SizeStyle::Grouped,
                          ColumnCells::dateFormatter(settings), PathStyle::Posix);
  const FileList list = listOf(
      std::vector<FileEntry>(3000, ExampleRow(QStringLiteral("/t/"), QStringLiteral("a.txt"))));
  HtmlListWriter writer(settings.html, cells, cells.captions(settings), QString(),
                        PathStyle::Posix);
  QBuffer readOnly;
  readOnly.open(QIODevice::ReadOnly);  // every write fails
  auto encoder = TextCodec("UTF-8").makeEncoder(Unmappable::DecimalReference);
  EXPECT_FALSE(writer.write(readOnly, *encoder, list));
}
