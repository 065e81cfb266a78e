// Vek.ini and filter.txt in encodings other than the system's, through the real executable: a
// marked Vek.ini under a Japanese legacy locale, filter.txt in UTF-16.
#include <locale.h>

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

#include "core/text/TextCodec.h"
#include "support/BatchProcessFixture.h"
#include "support/QStringPrinter.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

class SettingsEncodingsTest : public test::BatchProcessFixture {
 protected:
  SettingsEncodingsTest() {
    tree.file(u"in/a.txt"_s, "a");
    tree.file(u"in/b.dat"_s, "b");
  }

  test::VekRun run(const QStringList& environment = {}) const {
    test::VekRunOptions session = options();
    session.environment = environment;
    return test::runVek({u"/I"_s, u"in"_s, u"/O"_s, u"out"_s, u"/F"_s, u"list"_s}, session);
  }

  // The names of the files in out/list.csv (the default columns: folder, then name).
  QStringList listedNames() const {
    QStringList names;
    for (const QString& line : QString::fromUtf8(tree.read(u"out/list.csv"_s)).split(u"\r\n"_s)) {
      const QStringList fields = line.split(u',');
      if (fields.size() > 2 && fields[1] != u"ファイル名"_s) names.append(fields[1]);
    }
    return names;
  }

  // The environment of a ja_JP.eucJP session. Where the system has not generated the locale, it
  // is generated into the test's own folder (LOCPATH), so that the run sees a real one.
  QStringList eucJpSession() {
    QStringList environment = {u"LC_ALL=ja_JP.eucJP"_s, u"LANG=ja_JP.eucJP"_s};
    if (locale_t installed = newlocale(LC_ALL_MASK, "ja_JP.eucJP", locale_t(nullptr))) {
      freelocale(installed);
      return environment;
    }
    const QString locales = tree.folder(u"locales"_s);
    const int made = QProcess::execute(
        u"localedef"_s, {u"-i"_s, u"ja_JP"_s, u"-f"_s, u"EUC-JP"_s, locales + u"/ja_JP.eucJP"_s});
    EXPECT_EQ(made, 0) << "localedef could not make ja_JP.eucJP";
    environment.append(u"LOCPATH="_s + locales);
    return environment;
  }
};

// Under a Japanese legacy locale, a Vek.ini saved in UTF-8 with a byte-order mark stays a UTF-8
// file with its mark: another program's section keeps its bytes (😀 does not become "?"), and
// Vek's own values are written in UTF-8 beside it. A file without a mark is in the locale's
// encoding, as before.
TEST_F(SettingsEncodingsTest, AMarkedVekIniStaysAsItWasUnderAnEucJpLocale) {
  const QByteArray foreign = u"[絵文字]\r\nface=😀\r\n"_s.toUtf8();
  const QByteArray marked = "\xEF\xBB\xBF[HeadComment]\r\nDirectory='フォルダ名'\r\n" + foreign;
  tree.file(u"home/Vek.ini"_s, marked);
  const QStringList session = eucJpSession();
  const test::VekRun r = run(session);
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QByteArray written = tree.read(u"home/Vek.ini"_s);
  EXPECT_TRUE(written.startsWith(
      "\xEF\xBB\xBF[HeadComment]\r\nFullPath='フルパス'\r\nDirectory='フォルダ名'\r\n"))
      << written.left(80).toHex().constData();
  EXPECT_TRUE(written.contains(foreign)) << written.constData();
  EXPECT_TRUE(written.contains(u"ModifiDate='更新日付'\r\n"_s.toUtf8())) << written.constData();
  // The caption read from the marked file reached the list.
  EXPECT_TRUE(TextCodec("EUC-JP").decode(tree.read(u"out/list.csv"_s)).contains(u"フォルダ名"_s));

  // Without a mark the file is in the locale's encoding: the run really was an EUC-JP one.
  tree.file(u"home/Vek.ini"_s, "[Option]\r\nOverLap=1\r\n");
  const test::VekRun plain = run(session);
  ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
  const QByteArray legacy = tree.read(u"home/Vek.ini"_s);
  EXPECT_TRUE(legacy.contains(TextCodec("EUC-JP").encode(u"ModifiDate='更新日付'\r\n"_s)))
      << legacy.constData();
}

// filter.txt saved in UTF-16 (either byte order, with its mark) gives its presets: a run
// without /E takes the first one. One that cannot be read as text is reported, and the run
// uses the default filter instead of listing nothing.
TEST_F(SettingsEncodingsTest, FilterPresetsInUtf16AreReadAndUndecodableOnesReported) {
  const QString presets = u"*.txt;\u3000（テキスト）\r\n*.dat\r\n"_s;
  struct Case {
    const char* name;
    QByteArray bytes;
    QStringList listed;
    bool reported;
  };
  const Case cases[] = {
      {"UTF-16LE", "\xFF\xFE" + TextCodec("UTF-16LE").encode(presets), {u"a.txt"_s}, false},
      {"UTF-16BE", "\xFE\xFF" + TextCodec("UTF-16BE").encode(presets), {u"a.txt"_s}, false},
      {"UTF-16LE without its mark",
       TextCodec("UTF-16LE").encode(presets),
       {u"a.txt"_s, u"b.dat"_s},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    tree.file(u"home/filter.txt"_s, c.bytes);
    const test::VekRun r = run();
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    QStringList listed = listedNames();
    listed.sort();
    EXPECT_EQ(listed, c.listed) << r.err.toStdString();
    EXPECT_EQ(r.err.count(u"フィルタ設定ファイルを読み込めません。"_s), c.reported ? 1 : 0)
        << r.err.toStdString();
    if (c.reported) {
      EXPECT_TRUE(r.err.contains(u"文字コード"_s)) << r.err.toStdString();
    }
    EXPECT_EQ(tree.read(u"home/filter.txt"_s), c.bytes);
  }
}

}  // namespace
}  // namespace vek
