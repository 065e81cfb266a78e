#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "core/settings/IniFile.h"
#include "core/settings/InterfaceLanguage.h"
#include "core/settings/SettingsFile.h"
#include "support/TempTree.h"
#include "support/Unprivileged.h"

static void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

using namespace vek;

namespace {

// 1920 x 1080 pixels at 15 twips per pixel.
WindowState screenState() {
  WindowState window;
  window.screenWidth = 28800;
  window.screenHeight = 16200;
  return window;
}

QString columnLines(bool withInsertion) {
  QString lines = QStringLiteral(
      "ChkPath=0\r\nChkPathType=0\r\nChkDir=1\r\nOptDirType=0\r\nChkFile=1\r\nChkExtAdd=1\r\n"
      "ChkExt=1\r\nChkSize=1\r\nOptSizeType=1\r\nChkAddUnit=1\r\nChkMakeDate=1\r\n"
      "ChkAccessDate=0\r\nChkUpdateDate=0\r\n");
  if (withInsertion)
    lines += QStringLiteral("OptHeadInsert=1\r\nOptHeadInsertType=0\r\nValHeadInterval=15\r\n");
  return lines;
}

// The file a first start writes, for a program folder F.
QString freshFile(const QString& folder, const QString& top, const QString& left) {
  return u"[Main]\r\nDefaultInDir='" + folder + u"'\r\nDefaultOutDir='" + folder + u"'\r\nTop=" +
         top + u"\r\nLeft=" + left +
         QStringLiteral(
             "\r\nWidth=5650\r\nHeight=4950\r\n"
             "[History]\r\nHistory0=''\r\nHistory1=''\r\nHistory2=''\r\nHistory3=''\r\n"
             "History4=''\r\nHistory5=''\r\nHistory6=''\r\nHistory7=''\r\nHistory8=''\r\n"
             "History9=''\r\n"
             "[Option]\r\nOverLap=0\r\nListOpen=0\r\nAllAppend=0\r\nDefaultTitle=0\r\n"
             "DropFolder=0\r\nDateFormat='YYYY/MM/DD HH:MM:SS'\r\n"
             "[Html]\r\nStringColor=0\r\nBackColor=16777215\r\nHeadColor=16759739\r\n"
             "TableColorA=13553407\r\nTableColorB=13565951\r\nFileLink=0\r\n") +
         columnLines(true) + QStringLiteral("Title='（ここにタイトルを入力）'\r\n") +
         QStringLiteral("[Csv]\r\nFileType=0\r\nTabUse=0\r\nCrLfType=0\r\n") + columnLines(true) +
         QStringLiteral(
             "[SEPARATOR]\r\nSEPARATOR_0=','\r\nSEPARATOR_1='－'\r\nSEPARATOR_2='／'\r\n"
             "SEPARATOR_3='・・・'\r\nSEPARATOR_4=':::'\r\nSEPARATOR_5='###'\r\n"
             "SEPARATOR_6='○'\r\nSEPARATOR_7='◇'\r\nSEPARATOR_8='  '\r\n"
             "SEPARATOR_9=']   ['\r\n"
             "[Xml]\r\nStringCode=0\r\nCrLfCheck=0\r\nCrLfType=0\r\n") +
         columnLines(false) +
         QStringLiteral(
             "[HeadComment]\r\nFullPath='フルパス'\r\nDirectory='ディレクトリ'\r\n"
             "FileName='ファイル名'\r\nFileType='ファイルタイプ'\r\n"
             "FileSize='ファイルサイズ'\r\nCreateDate='作成日付'\r\n"
             "AccessDate='アクセス日付'\r\nModifiDate='更新日付'\r\n"
             "[ElementName]\r\nRoot='root'\r\nFileInfo='fileinfo'\r\n"
             "FileFullPath='fullpath'\r\nFilePath='path'\r\nFileName='name'\r\n"
             "FileType='type'\r\nFileSize='size'\r\nFileDate='date'\r\nMakeDate='make'\r\n"
             "AccessDate='access'\r\nUpdateDate='update'\r\n");
}

struct Loaded {
  Settings settings;
  WindowState window = screenState();
  bool ok = false;
};

Loaded loadText(test::TempTree& tree, const QString& fallback, const QByteArray& content) {
  const QString path = tree.file(QStringLiteral("Vek.ini"), content);
  Loaded loaded;
  loaded.ok = loadSettings(path, loaded.settings, loaded.window, fallback);
  return loaded;
}

}  // namespace

TEST(SettingsFile, FirstStartCentresTheWindowAndWritesEveryDefault) {
  test::TempTree tree;
  const QString folder = tree.folder(QStringLiteral("プログラム")) + u'/';
  const QString path = tree.path(QStringLiteral("Vek.ini"));
  Settings settings;
  settings.option.overLap = 1;  // replaced by the defaults
  WindowState window = screenState();
  ASSERT_TRUE(loadSettings(path, settings, window, folder));
  EXPECT_EQ(settings, Settings());
  EXPECT_EQ(window.width, 5650);
  EXPECT_EQ(window.height, 4950);
  EXPECT_EQ(window.top, 5625);
  EXPECT_EQ(window.left, 11575);
  EXPECT_EQ(window.shownFolder, folder);
  EXPECT_EQ(window.saveInitialDir, folder);
  EXPECT_EQ(QString::fromUtf8(tree.read(QStringLiteral("Vek.ini"))),
            freshFile(folder, QStringLiteral("5625"), QStringLiteral("11575")));
  EXPECT_EQ(tree.read(QStringLiteral("Vek.ini")),
            TextCodec::system().encode(
                freshFile(folder, QStringLiteral("5625"), QStringLiteral("11575"))));

  // A centre that falls on half a twip is written with a decimal point.
  QFile::remove(path);
  window = screenState();
  window.screenWidth = 28801;
  ASSERT_TRUE(loadSettings(path, settings, window, folder));
  EXPECT_EQ(window.left, 11575.5);
  IniFile written;
  ASSERT_TRUE(written.load(path));
  EXPECT_EQ(written.value(u"Main", u"Left"), QStringLiteral("11575.5"));
}

TEST(SettingsFile, OneKnownKeyLeavesEveryOtherDefaultAndSaveWritesAllSections) {
  test::TempTree tree;
  const QString folder = tree.root() + u'/';
  Loaded loaded = loadText(tree, folder, "[Option]\nOverLap=1\n[Someone else's]\nkey = kept\n");
  ASSERT_TRUE(loaded.ok);
  Settings expected;
  expected.option.overLap = 1;
  EXPECT_EQ(loaded.settings, expected);

  const QString path = tree.path(QStringLiteral("Vek.ini"));
  ASSERT_TRUE(saveSettings(path, loaded.settings, loaded.window, folder));
  IniFile saved;
  ASSERT_TRUE(saved.load(path));
  for (const char16_t* section : {u"Main", u"History", u"Option", u"Html", u"Csv", u"SEPARATOR",
                                  u"Xml", u"HeadComment", u"ElementName", u"Someone else's"})
    EXPECT_TRUE(saved.hasSection(QStringView(section)))
        << QString::fromUtf16(section).toStdString();
  EXPECT_EQ(saved.value(u"Someone else's", u"key"), QStringLiteral("kept"));
  EXPECT_FALSE(saved.contains(u"Xml", u"ValHeadInterval"));
  // The program's sections are written with CR LF; the other program's keeps its bytes.
  const QByteArray bytes = tree.read(QStringLiteral("Vek.ini"));
  EXPECT_TRUE(bytes.contains("[Someone else's]\nkey = kept\n")) << bytes.constData();
  EXPECT_EQ(QString::fromUtf8(bytes)
                .remove(QStringLiteral("[Someone else's]\nkey = kept\n"))
                .contains(QRegularExpression(QStringLiteral("[^\r]\n"))),
            false);

  Loaded again = loadText(tree, folder, tree.read(QStringLiteral("Vek.ini")));
  EXPECT_EQ(again.settings, expected);
}

TEST(SettingsFile, WindowPlaceAndSizeOutsideTheScreenAreReplaced) {
  struct Case {
    const char* main;
    double top, left, width, height;
  };
  const Case cases[] = {
      {"Top=100\nLeft=200\nWidth=9000\nHeight=6000", 100, 200, 9000, 6000},
      {"Top=-1200\nLeft=-1200\nWidth=100\nHeight=", 8100, 14400, 5650, 4950},
      {"Top=16201\nLeft=28801\nWidth=28801\nHeight=16201", 8100, 14400, 5650, 4950},
      {"Top=abc\nLeft= 12.5\nWidth=abc\nHeight=6000.5", 0, 12.5, 5650, 6000.5},
      {"", 8100, 14400, 5650, 4950},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.main);
    test::TempTree tree;
    const Loaded loaded = loadText(tree, tree.root() + u'/', QByteArray("[Main]\n") + c.main);
    EXPECT_EQ(loaded.window.top, c.top);
    EXPECT_EQ(loaded.window.left, c.left);
    EXPECT_EQ(loaded.window.width, c.width);
    EXPECT_EQ(loaded.window.height, c.height);
  }
}

TEST(SettingsFile, NumbersAreRoundedHalfToEvenAndKeptInTheirRange) {
  struct Case {
    const char* line;  // in [Xml] or [Csv]
    int stringCode, overLap, interval, colour;
  };
  const Case cases[] = {
      {"StringCode=1.5\nOverLap=abc\nValHeadInterval=0\nBackColor=255.5", 2, 0, 15, 256},
      {"StringCode=2.5\nOverLap=1.5\nValHeadInterval=abc\nBackColor=-5", 2, 1, 15, 0},
      {"StringCode=3.5\nOverLap=2.5\nValHeadInterval=101\nBackColor=99999999999", 4, 1, 100,
       0xFFFFFF},
      {"StringCode=9\nOverLap=-1\nValHeadInterval=-3\nBackColor=1e3", 4, 0, 15, 1000},
      {"StringCode= 3xyz\nOverLap=1\nValHeadInterval=7.5\nBackColor=", 3, 1, 8, 16777215},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    QByteArray content;
    for (const char* section : {"Xml", "Option", "Csv", "Html"})
      content += "[" + QByteArray(section) + "]\n" + c.line + "\n";
    test::TempTree tree;
    const Loaded loaded = loadText(tree, tree.root() + u'/', content);
    EXPECT_EQ(int(loaded.settings.xml.stringCode), c.stringCode);
    EXPECT_EQ(loaded.settings.option.overLap, c.overLap);
    EXPECT_EQ(loaded.settings.csv.columns.valHeadInterval, c.interval);
    EXPECT_EQ(loaded.settings.html.columns.valHeadInterval, c.interval);
    EXPECT_EQ(loaded.settings.html.backColor, c.colour);
  }
}

TEST(SettingsFile, TextsKeepTheirSpacesWhenQuoted) {
  test::TempTree tree;
  const Loaded loaded = loadText(tree, tree.root() + u'/',
                                 "[SEPARATOR]\n"
                                 "SEPARATOR_0=  ;  \n"
                                 "SEPARATOR_8='  '\n"
                                 "SEPARATOR_9=]   [\n"
                                 "SEPARATOR_5=\n"
                                 "[HeadComment]\nFileName=''\n"
                                 "[Html]\nTitle='It's mine'\n");
  EXPECT_EQ(loaded.settings.separators[0], QStringLiteral(";"));
  EXPECT_EQ(loaded.settings.separators[8], QStringLiteral("  "));
  EXPECT_EQ(loaded.settings.separators[9], QStringLiteral("]   ["));
  EXPECT_EQ(loaded.settings.separators[5], QStringLiteral("###"));  // empty keeps the default
  EXPECT_EQ(loaded.settings.caption(ColumnId::FileName), QStringLiteral("ファイル名"));
  EXPECT_EQ(loaded.settings.html.title, QStringLiteral("It's mine"));
}

TEST(SettingsFile, EverySettingRoundTrips) {
  test::TempTree tree;
  const QString folder = tree.root() + u'/';
  Settings s;
  s.history = {u"/a/" + QString(200, u'長') + u'/', QStringLiteral("/b c/'quoted'/"),
               QStringLiteral("/d/")};
  s.option = {1, 1, 1, 1, 1, QStringLiteral("ggge年M月D日(aaa)")};
  s.html.stringColor = 1;
  s.html.backColor = 2;
  s.html.headColor = 3;
  s.html.tableColorA = 4;
  s.html.tableColorB = 5;
  s.html.fileLink = 1;
  s.html.columns = {1, 1, 0, DirType::LastName,   0,
                    0, 0, 0, SizeUnit::Megabytes, 0,
                    0, 1, 1, HeadInsert::On,      HeadInsertAt::FolderChange,
                    99};
  s.html.title = QStringLiteral("  \"題名\"  ");
  s.csv = {ListFileType::Text,
           1,
           LineBreak::Lf,
           {1, 0, 1, DirType::WithoutDrive, 1, 0, 1, 0, SizeUnit::Bytes, 1, 0, 1, 0, HeadInsert::On,
            HeadInsertAt::FolderChange, 1}};
  s.separators[0] = QStringLiteral(" | ");
  s.xml.stringCode = XmlCharset::Iso2022Jp;
  s.xml.crLfCheck = 1;
  s.xml.crLfType = LineBreak::Cr;
  s.xml.columns = {1, 1, 0, DirType::WithoutDrive, 0, 1, 0, 1, SizeUnit::Bytes, 1, 0, 1, 1};
  s.headComment[7] = QStringLiteral("更新");
  s.elementNames.updateDate = QStringLiteral("modified");

  const QString path = tree.path(QStringLiteral("Vek.ini"));
  ASSERT_TRUE(saveSettings(path, s, screenState(), folder));
  Settings read;
  WindowState window = screenState();
  ASSERT_TRUE(loadSettings(path, read, window, folder));
  EXPECT_EQ(read, s);
}

TEST(SettingsFile, TextsTheFileCannotHoldAreNotWritten) {
  test::TempTree tree;
  const QString folder = tree.root() + u'/';
  Settings s;
  s.history = {QStringLiteral("/one/"), QStringLiteral("/two\nlines/"), QStringLiteral("/three/"),
               u"/lone" + QString(QChar(0xD800)) + u'/', QStringLiteral("/five/")};
  s.html.title = QStringLiteral("a\r\nb");
  IniFile ini{TextCodec("UTF-8")};
  writeSettings(ini, s, screenState(), folder);
  EXPECT_EQ(ini.value(u"History", u"History0"), QStringLiteral("/one/"));
  EXPECT_EQ(ini.value(u"History", u"History1"), QStringLiteral("/three/"));
  EXPECT_EQ(ini.value(u"History", u"History2"), QStringLiteral("/five/"));
  EXPECT_EQ(ini.value(u"History", u"History3"), QString());
  EXPECT_EQ(ini.value(u"Html", u"Title"), QString());

  // A character outside a legacy encoding would come back as "?": a wrong path.
  IniFile legacy{TextCodec("EUC-JP")};
  s.history = {QStringLiteral("/絵文字😀/"), QStringLiteral("/日本/")};
  writeSettings(legacy, s, screenState(), folder);
  EXPECT_EQ(legacy.value(u"History", u"History0"), QStringLiteral("/日本/"));
}

TEST(SettingsFile, MainSectionFollowsTheRunNotTheOldFile) {
  test::TempTree tree;
  const QString fallback = tree.folder(QStringLiteral("program")) + u'/';
  const QString other = tree.folder(QStringLiteral("other out"));
  const QString shown = tree.folder(QStringLiteral("shown"));
  Loaded loaded = loadText(
      tree, fallback,
      QString(u"[Main]\nDefaultInDir='" + shown + u"'\nDefaultOutDir='" + other + u"'\n").toUtf8());
  EXPECT_EQ(loaded.window.shownFolder, shown);
  EXPECT_EQ(loaded.window.saveInitialDir, other + u'/');

  struct Case {
    const char* name;
    QString saveFileName;
    double width, height;
    QString outDir, storedWidth, storedHeight;
  };
  const Case cases[] = {
      {"nothing saved this run", QString(), 28299, 15699, fallback, QStringLiteral("28299"),
       QStringLiteral("15699")},
      {"a file saved", tree.path(QStringLiteral("out/list.csv")), 28300, 15700,
       tree.path(QStringLiteral("out/")), QStringLiteral("14400"), QStringLiteral("8100")},
      {"fractions round to even", QString(), 6000.5, 5001.5, fallback, QStringLiteral("6000"),
       QStringLiteral("5002")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WindowState window = loaded.window;
    window.saveFileName = c.saveFileName;
    window.width = c.width;
    window.height = c.height;
    window.top = -1200;
    IniFile ini;
    writeSettings(ini, loaded.settings, window, fallback);
    EXPECT_EQ(ini.value(u"Main", u"DefaultOutDir"), c.outDir);
    EXPECT_EQ(ini.value(u"Main", u"DefaultInDir"), shown);
    EXPECT_EQ(ini.value(u"Main", u"Width"), c.storedWidth);
    EXPECT_EQ(ini.value(u"Main", u"Height"), c.storedHeight);
    EXPECT_EQ(ini.value(u"Main", u"Top"), QStringLiteral("-1200"));
  }

  // Folders that no longer exist, or are not absolute, give way to the fallback.
  loaded = loadText(tree, fallback,
                    "[Main]\nDefaultInDir='/no/such/folder/'\nDefaultOutDir='C:\\out\\'\n");
  EXPECT_EQ(loaded.window.shownFolder, fallback);
  EXPECT_EQ(loaded.window.saveInitialDir, fallback);
}

TEST(SettingsFile, FailuresAreReportedAndLoseNothing) {
  test::TempTree tree;
  const QString folder = tree.root() + u'/';
  const QString missingFolder = tree.path(QStringLiteral("missing/Vek.ini"));
  Settings settings;
  WindowState window = screenState();
  QString error;
  EXPECT_FALSE(loadSettings(missingFolder, settings, window, folder, &error));
  EXPECT_TRUE(error.contains(missingFolder));
  EXPECT_EQ(window.width, 5650);  // still usable
  EXPECT_FALSE(saveSettings(missingFolder, settings, window, folder, &error));

  // A path that is a folder cannot be read nor replaced.
  const QString folderPath = tree.folder(QStringLiteral("Vek.ini"));
  EXPECT_FALSE(loadSettings(folderPath, settings, window, folder, &error));
  EXPECT_EQ(settings, Settings());
  EXPECT_FALSE(saveSettings(folderPath, settings, window, folder, &error));
  EXPECT_TRUE(QFileInfo(folderPath).isDir());
}

// A settings file that is there but cannot be read is reported and never written over: the
// person's settings and other programs' sections would be lost.
TEST(SettingsFile, AnUnreadableFileIsReportedAndNeverWrittenOver) {
  test::TempTree tree;
  const QByteArray old = "[Option]\r\nOverLap=1\r\n[MyTool]\r\nname=caf\xE9\r\n";
  const QString path = tree.file(QStringLiteral("Vek.ini"), old);
  ::chmod(QFile::encodeName(path).constData(), 0200);
  test::openToOthers({tree.root()});
  const bool reported = test::runAsUnprivileged([&] {
    Settings settings;
    WindowState window = screenState();
    QString loadError, saveError;
    const bool loaded = loadSettings(path, settings, window, tree.root() + u'/', &loadError);
    const bool saved = saveSettings(path, settings, window, tree.root() + u'/', &saveError);
    return !loaded && !saved && loadError.contains(path) && settings == Settings() &&
           loadError.contains(QStringLiteral("書き換えずにそのまま残します"));
  });
  EXPECT_TRUE(reported);
  ::chmod(QFile::encodeName(path).constData(), 0600);
  EXPECT_EQ(tree.read(QStringLiteral("Vek.ini")), old);
}

// Only a regular file of a settings file's size is read: a FIFO would wait for ever, /dev/zero
// would never end, a huge file would take the memory. Each is refused and left as it is.
TEST(SettingsFile, SpecialAndHugeFilesAreRefusedAndLeftAlone) {
  test::TempTree tree;
  const QString fifo = tree.path(QStringLiteral("fifo/Vek.ini"));
  tree.folder(QStringLiteral("fifo"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString zero = tree.link(QStringLiteral("zero/Vek.ini"), QStringLiteral("/dev/zero"));
  QByteArray huge = "[Option]\r\nOverLap=1\r\n";
  while (huge.size() <= 5 * 1024 * 1024) huge += "[s]\r\n";
  const QString big = tree.file(QStringLiteral("big/Vek.ini"), huge);

  for (const QString& path : {fifo, zero, big}) {
    SCOPED_TRACE(path.toStdString());
    auto attempt = std::async(std::launch::async, [&] {
      Settings settings;
      WindowState window = screenState();
      QString error;
      const bool loaded = loadSettings(path, settings, window, tree.root() + u'/', &error);
      const bool saved = saveSettings(path, settings, window, tree.root() + u'/', &error);
      return !loaded && !saved && settings == Settings();
    });
    if (attempt.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
      ADD_FAILURE() << "still reading";
      // Let a reader blocked on the FIFO go: a writer comes and leaves.
      const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) ::close(fd);
    }
    EXPECT_TRUE(attempt.get());
  }
  QFileInfo fifoInfo(fifo);
  EXPECT_FALSE(fifoInfo.isFile());
  EXPECT_TRUE(QFileInfo(zero).isSymLink());
  EXPECT_EQ(tree.read(QStringLiteral("big/Vek.ini")), huge);
}

namespace vek {
namespace {

// The dialog's new choices live in [VekCsv], written only once one differs from its default,
// read back on the next start; the Csv section a reader of the old keys knows is untouched.
TEST(SettingsFile, TheListFileChoicesLiveInTheirOwnSection) {
  IniFile defaults;
  WindowState window;
  window.screenWidth = window.screenHeight = 20000;
  writeSettings(defaults, Settings(), window, QStringLiteral("/"));
  EXPECT_FALSE(defaults.hasSection(u"VekCsv"));

  Settings chosen;
  chosen.listFile = {ListEncoding::Utf8WithMark, true, true};
  IniFile ini;
  writeSettings(ini, chosen, window, QStringLiteral("/"));
  const QByteArray bytes = ini.toBytes();
  EXPECT_TRUE(bytes.endsWith("[VekCsv]\r\nEncoding=UTF8BOM\r\nFormulaGuard=1\r\nWorkbook=1\r\n"))
      << bytes.toStdString();
  EXPECT_EQ(ini.value(u"Csv", u"FileType"), QStringLiteral("0"));
  Settings read;
  readSettings(ini, read, window, QStringLiteral("/"));
  EXPECT_EQ(read.listFile, chosen.listFile);

  // Back to the defaults: the section says so rather than keeping the old choice.
  writeSettings(ini, Settings(), window, QStringLiteral("/"));
  EXPECT_TRUE(
      ini.toBytes().endsWith("[VekCsv]\r\nEncoding=SYSTEM\r\nFormulaGuard=0\r\nWorkbook=0\r\n"));

  // A hand-edited value Vek does not know keeps the default.
  IniFile edited;
  edited.setBytes("[VekCsv]\r\nEncoding=EBCDIC\r\nFormulaGuard=yes\r\n");
  Settings fallback;
  readSettings(edited, fallback, window, QStringLiteral("/"));
  EXPECT_EQ(fallback.listFile, ListFileSettings());
}

}  // namespace
}  // namespace vek

// The file keeps a caption or HTML title left at its default as the Japanese default, so the
// next start reads it as the default of its own language; a caption the person wrote stays as
// written, whichever language wrote or reads it.
TEST(SettingsFile, DefaultCaptionsFollowTheLanguageAndOwnCaptionsStay) {
  test::TempTree tree;
  const QString folder = tree.root() + u'/';
  const QString path = tree.path(QStringLiteral("Vek.ini"));
  struct Restore {
    ~Restore() { installInterfaceLanguage(InterfaceLanguage::Japanese); }
  } restore;

  ASSERT_TRUE(installInterfaceLanguage(InterfaceLanguage::English));
  Settings english;
  EXPECT_EQ(english.caption(ColumnId::FullPath), QStringLiteral("Full path"));
  EXPECT_EQ(english.caption(ColumnId::Directory), QStringLiteral("Folder"));
  EXPECT_EQ(english.html.title, QStringLiteral("(Type the title here)"));
  english.headComment[std::size_t(ColumnId::FileName)] = QStringLiteral("Name of file");
  ASSERT_TRUE(saveSettings(path, english, screenState(), folder));
  const QString written = QString::fromUtf8(tree.read(QStringLiteral("Vek.ini")));
  EXPECT_TRUE(written.contains(u"\r\nFullPath='フルパス'\r\nDirectory='ディレクトリ'\r\n"))
      << written.toStdString();
  EXPECT_TRUE(written.contains(u"\r\nFileName='Name of file'\r\n"));
  EXPECT_TRUE(written.contains(u"\r\nTitle='（ここにタイトルを入力）'\r\n"));

  Settings readInEnglish;
  WindowState window = screenState();
  ASSERT_TRUE(loadSettings(path, readInEnglish, window, folder));
  EXPECT_EQ(readInEnglish, english);

  ASSERT_TRUE(installInterfaceLanguage(InterfaceLanguage::Japanese));
  Settings readInJapanese;
  ASSERT_TRUE(loadSettings(path, readInJapanese, window, folder));
  EXPECT_EQ(readInJapanese.caption(ColumnId::FullPath), QStringLiteral("フルパス"));
  EXPECT_EQ(readInJapanese.caption(ColumnId::FileName), QStringLiteral("Name of file"));
  EXPECT_EQ(readInJapanese.html.title, QStringLiteral("（ここにタイトルを入力）"));
  // Written back in Japanese: the same sections as English wrote (the window's place aside).
  const QString again = tree.path(QStringLiteral("again.ini"));
  ASSERT_TRUE(QFile::copy(path, again));
  ASSERT_TRUE(saveSettings(again, readInJapanese, window, folder));
  const auto sections = [&](const QString& name) {
    const QByteArray bytes = tree.read(name);
    return bytes.mid(bytes.indexOf("[History]"));
  };
  EXPECT_EQ(sections(QStringLiteral("again.ini")), sections(QStringLiteral("Vek.ini")));
}
