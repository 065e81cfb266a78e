#include <QFile>

#include <gtest/gtest.h>

#include "core/settings/IniFile.h"
#include "support/FileSizeLimit.h"
#include "support/TempTree.h"

static void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

using vek::IniFile;
using vek::TextCodec;

namespace {

IniFile fromBytes(const QByteArray& bytes, const char* codec = "UTF-8") {
  IniFile ini{TextCodec(codec)};
  ini.setBytes(bytes);
  return ini;
}

}  // namespace

TEST(IniFile, ValuesAreFoundWithoutCaseAndLoseBlanksAndOuterQuotes) {
  const IniFile ini = fromBytes(
      "top=before any section\n"
      "[SEPARATOR]\n"
      "SEPARATOR_8='  '\n"
      "SEPARATOR_9=]   [\n"
      "Padded =   x y  \n"
      "DoubleQuoted=\"  a  \"\n"
      "Inner='It's'\n"
      "Mismatched='abc\"\n"
      "OneQuote='\n"
      "Empty=\n"
      "EmptyQuotes=''\n"
      "no equals sign here\n"
      "=no key\n"
      "Repeated=first\n"
      "Repeated=second\n"
      "Equals=a=b\n"
      "Wide=\u3000x\u3000\n"
      "[broken\n"
      "AfterBroken=still in SEPARATOR\n"
      "  [ Main ]  \n"
      "Key=main\n"
      "[separator]\n"
      "Late=the first section of a name is the one read\n");
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"separator_8", u"  "},
      {u"SEPARATOR_9", u"]   ["},
      {u"padded", u"x y"},
      {u"DoubleQuoted", u"  a  "},
      {u"Inner", u"It's"},
      {u"Mismatched", u"'abc\""},
      {u"OneQuote", u"'"},
      {u"Empty", u""},
      {u"EmptyQuotes", u""},
      {u"Repeated", u"first"},
      {u"Equals", u"a=b"},
      {u"Wide", u"\u3000x\u3000"},
      {u"AfterBroken", u"still in SEPARATOR"},
      {u"Missing", u""},
      {u"Late", u""},
      {u"top", u""},
  };
  for (const auto& [key, expected] : cases)
    EXPECT_EQ(ini.value(u"Separator", key), QString::fromUtf16(expected))
        << QString::fromUtf16(key).toStdString();
  EXPECT_EQ(ini.value(u"main", u"KEY"), QStringLiteral("main"));
  EXPECT_TRUE(ini.contains(u"SEPARATOR", u"Empty"));
  EXPECT_FALSE(ini.contains(u"SEPARATOR", u"Missing"));
  EXPECT_FALSE(ini.hasSection(u"broken"));
  EXPECT_EQ(ini.value(u"Nowhere", u"Key"), QString());
}

TEST(IniFile, ReadsAnyLineEndAndMarks) {
  const QByteArray bodies[] = {
      "[A]\nk=日本\n",
      "[A]\r\nk=日本\r\n",
      "[A]\rk=日本",
      "\xEF\xBB\xBF[A]\r\nk=日本\r\n",
  };
  for (const QByteArray& bytes : bodies) {
    const IniFile ini = fromBytes(bytes);
    EXPECT_EQ(ini.value(u"a", u"K"), QStringLiteral("日本")) << bytes.toHex().toStdString();
    // Not replaced, so written back as it was, mark included.
    EXPECT_EQ(ini.toBytes(), bytes);
  }
  // A marked file is read in its own encoding even when the system's is another.
  EXPECT_EQ(fromBytes("\xEF\xBB\xBF[A]\nk=日本\n", "CP932").value(u"A", u"k"),
            QStringLiteral("日本"));
  EXPECT_EQ(
      fromBytes(QByteArray("\xFF\xFE[\0A\0]\0\n\0k\0=\0\xE5\x65", 16), "CP932").value(u"A", u"k"),
      QStringLiteral("日"));
  EXPECT_EQ(fromBytes("[A]\r\nk='\x93\xFA\x96\x7B'\r\n", "CP932").value(u"A", u"k"),
            QStringLiteral("日本"));
}

TEST(IniFile, LongValuesComeBackWhole) {
  const QString longPath = u"/home/user/" + QString(200, u'長') + u"/";
  const IniFile ini = fromBytes("[History]\r\nHistory0='" + longPath.toUtf8() + "'\r\n", "UTF-8");
  EXPECT_EQ(ini.value(u"History", u"History0"), longPath);
}

TEST(IniFile, ReplacingASectionKeepsEverythingElse) {
  IniFile ini = fromBytes(
      "; written by hand\n"
      "[Main]\n"
      "Top=1\n"
      "Old=gone\n"
      "\n"
      "[Mine]\n"
      "; a comment\n"
      "Kept = as it was \n"
      "[main]\n"
      "Top=2\n"
      "[Option]\n"
      "OverLap=1\n");
  ini.replaceSection(QStringLiteral("Main"), {QStringLiteral("Top=3"), QStringLiteral("Left=4")});
  ini.replaceSection(QStringLiteral("Xml"), {QStringLiteral("StringCode=2")});
  ini.replaceSection(QStringLiteral("Empty"), {});
  // What the program wrote ends in CR LF; everything else keeps the bytes it had.
  EXPECT_EQ(ini.toBytes(), QByteArray("; written by hand\n"
                                      "[Main]\r\nTop=3\r\nLeft=4\r\n"
                                      "[Mine]\n; a comment\nKept = as it was \n"
                                      "[Option]\nOverLap=1\n"
                                      "[Xml]\r\nStringCode=2\r\n"
                                      "[Empty]\r\n"));
  EXPECT_EQ(ini.value(u"Main", u"Old"), QString());
  EXPECT_EQ(ini.value(u"MINE", u"kept"), QStringLiteral("as it was"));
}

TEST(IniFile, SectionsOfOtherProgramsComeBackByteForByte) {
  // Bytes the encoding cannot read (Latin-1 in a UTF-8 file), odd line ends and a last line
  // without one: another program's section comes back exactly as it was.
  const QByteArray foreign =
      "[MyTool]\nname=caf\xE9\n\tweird  = x \r\n\xFF\xFE junk\r[Other]\rx=\xC3";
  for (const char* codec : {"UTF-8", "CP932", "EUC-JP"}) {
    IniFile ini = fromBytes("; top \xE9\n[Main]\nTop=1\n" + foreign, codec);
    ini.replaceSection(QStringLiteral("Main"), {QStringLiteral("Top=3")});
    ini.replaceSection(QStringLiteral("Option"), {QStringLiteral("OverLap=1")});
    const QByteArray written = ini.toBytes();
    EXPECT_EQ(written,
              "; top \xE9\n[Main]\r\nTop=3\r\n" + foreign + "\r\n[Option]\r\nOverLap=1\r\n")
        << codec;
    // Read again and written again, nothing changes.
    EXPECT_EQ(fromBytes(written, codec).toBytes(), written) << codec;
  }
  EXPECT_EQ(fromBytes(foreign).value(u"MyTool", u"name"), QStringLiteral(u"caf\uFFFD"));
}

// Nearly four megabytes of sections, about the most a settings file may hold: the last one and
// one in the middle are found. (What a lookup costs among them: bench/settings_bench.)
TEST(IniFile, EverySectionOfAFullSizeFileIsFound) {
  QByteArray bytes;
  for (int i = 0; bytes.size() < 4000000; ++i) bytes += "[s" + QByteArray::number(i) + "]\nk=v\n";
  bytes += "[Option]\nOverLap=1\n";
  const IniFile ini = fromBytes(bytes);
  EXPECT_EQ(ini.value(u"option", u"OverLap"), QStringLiteral("1"));
  EXPECT_EQ(ini.value(u"s12345", u"k"), QStringLiteral("v"));
}

TEST(IniFile, SaveReplacesTheFileAndReadsBack) {
  vek::test::TempTree tree;
  const QString path = tree.file(QStringLiteral("Vek.ini"), "[Other]\nx=1\n");
  IniFile ini{TextCodec("CP932")};
  ASSERT_TRUE(ini.load(path));
  ini.replaceSection(QStringLiteral("Main"), {QStringLiteral("DefaultInDir='/データ/'")});
  QString error;
  ASSERT_TRUE(ini.save(path, &error)) << error.toStdString();
  EXPECT_EQ(tree.read(QStringLiteral("Vek.ini")),
            QByteArray("[Other]\nx=1\n[Main]\r\nDefaultInDir='/\x83\x66\x81\x5B\x83\x5E/'\r\n"));

  IniFile missing;
  EXPECT_FALSE(missing.load(tree.path(QStringLiteral("none.ini")), &error));
  EXPECT_FALSE(error.isEmpty());
}

TEST(IniFile, FailedSaveLeavesTheOldFileIntact) {
  vek::test::TempTree tree;
  const QByteArray old = "[Option]\r\nOverLap=1\r\n";
  const QString path = tree.file(QStringLiteral("Vek.ini"), old);
  IniFile ini = fromBytes(old);
  ini.replaceSection(QStringLiteral("History"),
                     {QStringLiteral("History0='") + QString(4000, u'x') + u'\''});

  QString error;
  bool saved_ok = true;
  {
    // A disk that fills up while writing.
    const vek::test::FileSizeLimit limit(1024);
    ASSERT_TRUE(limit.isSet());
    saved_ok = ini.save(path, &error);
  }
  EXPECT_FALSE(saved_ok);
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(tree.read(QStringLiteral("Vek.ini")), old);

  // A folder that cannot be written (only meaningful when not running as root).
  QFile::setPermissions(tree.root(), QFile::ReadOwner | QFile::ExeOwner);
  QFile probe(tree.path(QStringLiteral("probe")));
  if (probe.open(QIODevice::WriteOnly)) {
    probe.remove();
  } else {
    EXPECT_FALSE(ini.save(path, &error));
    EXPECT_EQ(tree.read(QStringLiteral("Vek.ini")), old);
  }
  QFile::setPermissions(tree.root(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

  // A folder that does not exist.
  EXPECT_FALSE(ini.save(tree.path(QStringLiteral("no/such/Vek.ini")), &error));
}
