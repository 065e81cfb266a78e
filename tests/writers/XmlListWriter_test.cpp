// The XML writer: exact bytes of the list document, its structure rules, the five encodings
// read back by xmllint and Python, and the refusals that leave an old file alone.
#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include "core/list/FileList.h"
#include "support/ExampleRows.h"
#include "support/MissingHere.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"
#include "writers/XmlListExport.h"
#include "writers/XmlListWriter.h"

using namespace vek;

namespace {

// Every row here also carries a modified date, as the update column needs one.
using test::ExampleRow;
using test::listOf;

struct Written {
  bool ok;
  QByteArray bytes;
};

Written writeXml(const FileList& list, const Settings& settings, test::RecordingInteraction& said,
                 test::TempTree& tree, PathStyle style = PathStyle::Windows) {
  const QString path = tree.path(QStringLiteral("list.xml"));
  const bool ok = createXmlList(path, list, settings, said, style);
  return {ok, tree.read(QStringLiteral("list.xml"))};
}

QByteArray utf8(const char8_t* text) {
  return QByteArray(reinterpret_cast<const char*>(text));
}

const QByteArray kExampleElement = utf8(
    u8"<root><fileinfo Index=\"1\"><path>C:\\data</path><name>a.txt</name>"
    u8"<type>テキスト ドキュメント</type><size>2 KB</size><date><make>2005/08/18 14:03:09</make>"
    u8"</date></fileinfo></root>");

}  // namespace

TEST(XmlListWriter, ExampleDocumentOnOneLine) {
  test::TempTree tree;
  test::RecordingInteraction said;
  Settings settings;
  const Written out = writeXml(
      listOf(
          {ExampleRow(QStringLiteral("C:\\data\\"), QStringLiteral("a.txt")).withModifiedDate()}),
      settings, said, tree);
  ASSERT_TRUE(out.ok);
  EXPECT_TRUE(said.messages.empty());
  EXPECT_EQ(out.bytes, QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n" +
                                  kExampleElement + "\r\n"));
}

TEST(XmlListWriter, ExampleDocumentWithLineBreaks) {
  test::TempTree tree;
  test::RecordingInteraction said;
  Settings settings;
  settings.xml.crLfCheck = 1;
  const Written out = writeXml(
      listOf(
          {ExampleRow(QStringLiteral("C:\\data\\"), QStringLiteral("a.txt")).withModifiedDate()}),
      settings, said, tree);
  ASSERT_TRUE(out.ok);
  QByteArray expected = kExampleElement;
  // Every tag boundary of the one-line form that is not inside a text element gets CR LF.
  for (const char* tag : {"<root>", "<fileinfo Index=\"1\">", "</path>", "</name>", "</type>",
                          "</size>", "<date>", "</make>", "</date>", "</fileinfo>"})
    expected.replace(QByteArray(tag), QByteArray(QByteArray(tag) + "\r\n"));
  EXPECT_EQ(out.bytes,
            QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n" + expected + "\r\n"));
}

TEST(XmlListWriter, LineBreakChoicesAndBytesUnit) {
  // Without line-break text the declaration and the document element still end with CR LF.
  const struct {
    int crLfCheck, crLfType;
    const char *lineBreak, *fileEnd;
  } cases[] = {{1, 0, "\r\n", "\r\n"},
               {1, 1, "\r", "\r"},
               {1, 2, "\n", "\n"},
               {1, 7, "\r\n", "\r\n"},
               {0, 2, "", "\r\n"}};
  for (const auto& c : cases) {
    test::TempTree tree;
    test::RecordingInteraction said;
    Settings settings;
    settings.xml.crLfCheck = c.crLfCheck;
    settings.xml.crLfType = LineBreak(c.crLfType);
    settings.xml.columns = ColumnOptions{};
    settings.xml.columns.chkDir = settings.xml.columns.chkFile = settings.xml.columns.chkExt = 0;
    settings.xml.columns.chkMakeDate = 0;
    settings.xml.columns.optSizeType = SizeUnit::Bytes;
    const Written out = writeXml(
        listOf({ExampleRow(QStringLiteral("/d/"), QStringLiteral("a")).withModifiedDate()}),
        settings, said, tree, PathStyle::Posix);
    ASSERT_TRUE(out.ok);
    const QByteArray l = c.lineBreak, e = c.fileEnd;
    EXPECT_EQ(out.bytes,
              QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>" + e + "<root>" + l +
                         "<fileinfo Index=\"1\">" + l + "<size> 1025 Byte</size>" + l + "<date>" +
                         l + "</date>" + l + "</fileinfo>" + l + "</root>" + e))
        << "CrLfCheck " << c.crLfCheck << " CrLfType " << c.crLfType;
  }
}

TEST(XmlListWriter, StructureRules) {
  // Index counts ticked rows only, the date group is always there, names come from the
  // settings, an empty cell gives an element without content, an empty list gives a document
  // element holding one line break.
  Settings base;
  base.xml.crLfCheck = 1;
  base.xml.crLfType = LineBreak::Lf;
  base.xml.columns.chkDir = base.xml.columns.chkExt = base.xml.columns.chkSize = 0;
  base.xml.columns.chkMakeDate = 0;
  const QString d = QStringLiteral("/d/");
  FileEntry noAccess = ExampleRow(d, QStringLiteral("n.txt")).withModifiedDate();

  struct Case {
    const char* what;
    FileList list;
    std::function<void(Settings&)> change;
    QByteArray root;
  };
  const Case cases[] = {
      {"second row unticked",
       listOf({ExampleRow(d, QStringLiteral("a.txt")).withModifiedDate(),
               ExampleRow(d, QStringLiteral("b.txt")).withModifiedDate().unticked(),
               ExampleRow(d, QStringLiteral("c.txt")).withModifiedDate()}),
       [](Settings&) {},
       "<root>\n<fileinfo Index=\"1\">\n<name>a.txt</name>\n<date>\n</date>\n</fileinfo>\n"
       "<fileinfo Index=\"2\">\n<name>c.txt</name>\n<date>\n</date>\n</fileinfo>\n</root>\n"},
      {"file element renamed", listOf({ExampleRow(d, QStringLiteral("a.txt")).withModifiedDate()}),
       [](Settings& s) {
         s.elementNames.fileInfo = QStringLiteral("file");
         s.elementNames.fileName = QStringLiteral("名前");
       },
       utf8(u8"<root>\n<file Index=\"1\">\n<名前>a.txt</名前>\n<date>\n</date>\n</file>\n"
            u8"</root>\n")},
      {"all dates, access date empty", listOf({noAccess}),
       [](Settings& s) {
         s.xml.columns.chkFile = 0;
         s.xml.columns.chkMakeDate = s.xml.columns.chkAccessDate = 1;
         s.xml.columns.chkUpdateDate = 1;
       },
       "<root>\n<fileinfo Index=\"1\">\n<date>\n<make>2005/08/18 14:03:09</make>\n"
       "<access></access>\n<update>2006/01/02 03:04:05</update>\n</date>\n</fileinfo>\n"
       "</root>\n"},
      {"no ticked row",
       listOf({ExampleRow(d, QStringLiteral("a.txt")).withModifiedDate().unticked()}),
       [](Settings&) {}, "<root>\n</root>\n"},
      {"empty list", FileList(), [](Settings&) {}, "<root>\n</root>\n"},
  };
  for (const Case& c : cases) {
    test::TempTree tree;
    test::RecordingInteraction said;
    Settings settings = base;
    c.change(settings);
    const Written out = writeXml(c.list, settings, said, tree, PathStyle::Posix);
    ASSERT_TRUE(out.ok) << c.what;
    EXPECT_EQ(out.bytes, QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + c.root))
        << c.what;
  }
}

TEST(XmlListWriter, TextIsEscapedAndUnwritableCharactersReplaced) {
  test::TempTree tree;
  test::RecordingInteraction said;
  Settings settings;
  settings.xml.columns.chkDir = settings.xml.columns.chkExt = settings.xml.columns.chkSize = 0;
  settings.xml.columns.chkMakeDate = 0;
  const QString name = QStringLiteral("a&b<c>\"d'e\r\tf") + QChar(0x01) + QChar(0xFFFF) +
                       QChar(0xD800) + QStringLiteral("g");
  const Written out = writeXml(listOf({ExampleRow(QStringLiteral("/d/"), name).withModifiedDate()}),
                               settings, said, tree, PathStyle::Posix);
  ASSERT_TRUE(out.ok);
  EXPECT_TRUE(
      out.bytes.contains(utf8(u8"<name>a&amp;b&lt;c&gt;\"d'e&#13;\tf\uFFFD\uFFFD\uFFFDg</name>")));
  ASSERT_EQ(said.messages.size(), 1u);
  EXPECT_EQ(said.messages[0].title, QStringLiteral("文字の置き換え"));
  EXPECT_TRUE(said.messages[0].text.contains(u" 3 "));
}

TEST(XmlListWriter, RefusalsLeaveTheOldFile) {
  struct Case {
    const char* what;
    std::function<void(Settings&)> change;
    Message message;
  };
  const Case cases[] = {
      {"name with a space",
       [](Settings& s) { s.elementNames.fileInfo = QStringLiteral("my file"); },
       xmlSaveFailedMessage()},
      {"name with a leading digit",
       [](Settings& s) { s.elementNames.makeDate = QStringLiteral("1st"); },
       xmlSaveFailedMessage()},
      {"name the encoding cannot hold",
       [](Settings& s) {
         s.xml.stringCode = XmlCharset::ShiftJis;
         s.elementNames.root = QStringLiteral("café");
       },
       xmlSaveFailedMessage()},
      {"no column",
       [](Settings& s) {
         s.xml.columns =
             ColumnOptions{0, 1, 0, DirType::Absolute, 0, 1, 0, 0, SizeUnit::Bytes, 1, 0, 0, 0};
       },
       Message{QStringLiteral("出力指定エラー"), QStringLiteral("出力情報が指定されていません"),
               MessageIcon::Information}},
  };
  for (const Case& c : cases) {
    test::TempTree tree;
    test::RecordingInteraction said;
    tree.file(QStringLiteral("list.xml"), "old");
    Settings settings;
    c.change(settings);
    const Written out = writeXml(
        listOf({ExampleRow(QStringLiteral("/d/"), QStringLiteral("a.txt")).withModifiedDate()}),
        settings, said, tree, PathStyle::Posix);
    EXPECT_FALSE(out.ok) << c.what;
    EXPECT_EQ(out.bytes, "old") << c.what;
    ASSERT_EQ(said.messages.size(), 1u) << c.what;
    EXPECT_EQ(said.messages[0].title, c.message.title) << c.what;
    EXPECT_EQ(said.messages[0].text, c.message.text) << c.what;
    EXPECT_EQ(said.messages[0].icon, c.message.icon) << c.what;
  }
}

TEST(XmlListWriter, SaveFailedMessageIsExact) {
  const Message m = xmlSaveFailedMessage();
  EXPECT_EQ(m.title, QStringLiteral("警告"));
  EXPECT_EQ(m.icon, MessageIcon::Warning);
  EXPECT_EQ(
      m.text,
      QStringLiteral("XMLﾄﾞｷｭﾒﾝﾄの保存に失敗しました。\r\n"
                     "このシステムで使用できない文字コードセットが選択された可能性があります。\r\n"
                     "または不正な要素名がセットされている可能性があります。\r\n"
                     "XMLﾄﾞｷｭﾒﾝﾄの作成を中止します。"));
  const QStringList created = xmlCreateFailedMessage().text.split(QStringLiteral("\r\n"));
  ASSERT_EQ(created.size(), 3);
  EXPECT_EQ(created[0], QStringLiteral("XMLﾄﾞｷｭﾒﾝﾄの作成に失敗しました。"));
  EXPECT_EQ(created[2], QStringLiteral("詳しくは同梱のReadme.htmを参照してください。"));
}

TEST(XmlListWriter, DeclarationAndByteOrderMarkPerEncoding) {
  const struct {
    int code;
    QByteArray start;
  } cases[] = {
      {0, "<?xml version=\"1.0\" encoding=\"utf-8\"?>"},
      {1, "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>"},
      {2, QByteArray("\xFF\xFE<\0?\0x\0m\0l\0 \0v\0", 16)},
      {3, "<?xml version=\"1.0\" encoding=\"euc-jp\"?>"},
      {4, "<?xml version=\"1.0\" encoding=\"ISO-2022-JP\"?>"},
  };
  for (const auto& c : cases) {
    test::TempTree tree;
    test::RecordingInteraction said;
    Settings settings;
    settings.xml.stringCode = XmlCharset(c.code);
    const Written out = writeXml(
        listOf({ExampleRow(QStringLiteral("/d/"), QStringLiteral("a.txt")).withModifiedDate()}),
        settings, said, tree, PathStyle::Posix);
    ASSERT_TRUE(out.ok) << c.code;
    EXPECT_TRUE(out.bytes.startsWith(c.start)) << c.code;
  }
  EXPECT_EQ(xmlEncoding(XmlCharset::Unicode).label, QStringLiteral("Unicode"));
  EXPECT_EQ(xmlEncoding(XmlCharset(9)).label, QStringLiteral("utf-8"));
}

// Reads a written document back with an independent parser: element names and texts of every
// file element, as JSON.
static const char kPythonReader[] = R"(
import sys, json, xml.etree.ElementTree as ET
path, codec = sys.argv[1], sys.argv[2]
data = open(path, 'rb').read()
if codec == 'utf-8':
    root = ET.fromstring(data)
elif codec == 'utf-16':
    parser = ET.XMLParser(encoding='utf-16')
    parser.feed(data)
    root = parser.close()
else:
    root = ET.fromstring(data.decode(codec))
out = [root.tag]
for f in root:
    out.append([f.tag, f.get('Index')] + [[e.tag, e.text or ''] for e in f.iter() if e is not f])
sys.stdout.write(json.dumps(out))
)";

TEST(XmlListWriter, EveryEncodingReadsBackThroughXmllintAndPython) {
  const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
  const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
  if (python.isEmpty() || xmllint.isEmpty())
    VEK_SKIP_WHERE_MISSING("python3 or xmllint not installed");

  const QString names[] = {
      QStringLiteral("日本語のファイル.txt"),
      QStringLiteral("a&b<c>\"d'e.txt"),
      QStringLiteral("emoji😀.txt"),
      QStringLiteral("outside éñ€ ｶﾀｶﾅ 𠮷 ① ～〜 ∥.txt"),
      QStringLiteral("ctl") + QChar(0x01) + QStringLiteral("x.txt"),
      QStringLiteral("cr\rlf\nend.txt"),
  };
  FileList list;
  list.setSortingEnabled(false);
  for (const QString& name : names)
    list.append(ExampleRow(QStringLiteral("/d/"), name).withModifiedDate());

  const char* pythonCodecs[] = {"utf-8", "cp932", "utf-16", "euc_jp", "iso2022_jp"};
  for (int code = 0; code < 5; ++code) {
    for (int lineBreaks = 0; lineBreaks < 2; ++lineBreaks) {
      SCOPED_TRACE(testing::Message() << "encoding " << code << " line breaks " << lineBreaks);
      test::TempTree tree;
      test::RecordingInteraction said;
      Settings settings;
      settings.xml.stringCode = XmlCharset(code);
      settings.xml.crLfCheck = lineBreaks;
      settings.xml.columns.chkDir = settings.xml.columns.chkExt = 0;
      settings.xml.columns.chkSize = settings.xml.columns.chkMakeDate = 0;
      settings.elementNames.fileName = QStringLiteral("名前");
      const Written out = writeXml(list, settings, said, tree, PathStyle::Posix);
      ASSERT_TRUE(out.ok);
      const QString path = tree.path(QStringLiteral("list.xml"));

      QProcess lint;
      lint.start(xmllint, {QStringLiteral("--noout"), path});
      ASSERT_TRUE(lint.waitForFinished(30000));
      EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().toStdString();

      QProcess reader;
      reader.start(python, {QStringLiteral("-c"), QString::fromUtf8(kPythonReader), path,
                            QString::fromLatin1(pythonCodecs[code])});
      ASSERT_TRUE(reader.waitForFinished(30000));
      ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
      const QJsonArray doc = QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
      ASSERT_EQ(doc.size(), 1 + qsizetype(std::size(names)));
      EXPECT_EQ(doc[0].toString(), QStringLiteral("root"));
      for (qsizetype i = 0; i < qsizetype(std::size(names)); ++i) {
        QString expected = names[i];
        expected.replace(QChar(0x01), QChar(0xFFFD));
        const QJsonArray file = doc[i + 1].toArray();
        ASSERT_EQ(file.size(), 4);
        EXPECT_EQ(file[0].toString(), QStringLiteral("fileinfo"));
        EXPECT_EQ(file[1].toString(), QString::number(i + 1));
        EXPECT_EQ(file[2].toArray()[0].toString(), QStringLiteral("名前"));
        EXPECT_EQ(file[2].toArray()[1].toString(), expected);
        EXPECT_EQ(file[3].toArray()[0].toString(), QStringLiteral("date"));
      }
    }
  }
}

TEST(XmlListWriter, DeviceFailureIsReported) {
  Settings settings;
  const ColumnCells cells(settings.xml.columns, SizeStyle::Plain,
                          ColumnCells::dateFormatter(settings), PathStyle::Posix);
  const FileList list = listOf(std::vector<FileEntry>(
      3000, ExampleRow(QStringLiteral("/d/"), QStringLiteral("a.txt")).withModifiedDate()));
  for (int code = 0; code < 5; ++code) {
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);  // every write fails
    XmlListWriter writer(readOnly, XmlCharset(code), QString(), settings.elementNames);
    EXPECT_FALSE(writer.writeList(list, cells)) << code;
    EXPECT_FALSE(writer.errorString().isEmpty()) << code;
  }
}

// Only the elements the document will hold need valid names: the access element of an
// unselected column, or the file element of a list without ticked rows, is never written.
TEST(XmlListWriter, OnlyNamesOfWrittenElementsAreChecked) {
  const FileList one = listOf({ExampleRow(QStringLiteral("C:\\d\\"), QStringLiteral("a.txt"))});
  const FileList none =
      listOf({ExampleRow(QStringLiteral("C:\\d\\"), QStringLiteral("a.txt")).unticked()});
  const struct {
    const char* what;
    QString ElementNames::*name;
    const char* value;
    bool ColumnOptions::*column;  // ticked for this case when set
    const FileList* list;
    bool written;
  } cases[] = {
      {"access unselected", &ElementNames::accessDate, "last access", nullptr, &one, true},
      {"access selected", &ElementNames::accessDate, "last access", &ColumnOptions::chkAccessDate,
       &one, false},
      {"full path unselected", &ElementNames::fileFullPath, "1st", nullptr, &one, true},
      {"file element, no rows", &ElementNames::fileInfo, "my file", nullptr, &none, true},
      {"date group, no rows", &ElementNames::fileDate, "d te", nullptr, &none, true},
      {"date group, a row", &ElementNames::fileDate, "d te", nullptr, &one, false},
      {"root, no rows", &ElementNames::root, "a b", nullptr, &none, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempTree tree;
    test::RecordingInteraction said;
    Settings settings;
    settings.elementNames.*c.name = QString::fromUtf8(c.value);
    if (c.column) settings.xml.columns.*c.column = 1;
    const Written out = writeXml(*c.list, settings, said, tree);
    EXPECT_EQ(out.ok, c.written);
    if (c.written) {
      EXPECT_TRUE(said.messages.empty());
      EXPECT_FALSE(out.bytes.contains(c.value));
    } else {
      ASSERT_EQ(said.messages.size(), 1u);
      EXPECT_TRUE(said.messages[0].text.startsWith(xmlSaveFailedMessage().text));
      EXPECT_TRUE(out.bytes.isEmpty());
    }
  }
}

// A prefix ("ns:file") needs a namespace declaration the document does not have; readers that
// know namespaces reject it, so it is refused, and the message says why.
TEST(XmlListWriter, ANameWithAColonIsRefusedWithTheReason) {
  test::TempTree tree;
  test::RecordingInteraction said;
  Settings settings;
  settings.elementNames.fileInfo = QStringLiteral("ns:file");
  const Written out =
      writeXml(listOf({ExampleRow(QStringLiteral("C:\\d\\"), QStringLiteral("a.txt"))}), settings,
               said, tree);
  EXPECT_FALSE(out.ok);
  ASSERT_EQ(said.messages.size(), 1u);
  EXPECT_EQ(said.messages[0].text,
            xmlSaveFailedMessage().text +
                QStringLiteral("\r\n要素名「ns:file」にはコロン（:）が含まれています。"
                               "名前空間の宣言のない接頭辞になるため、要素名には使えません。"));
}
