// The totals and the prefix replacement in Vek's own sections of Vek.ini: absent until a
// choice differs from its default, read back whole (blanks and backslashes of a path kept).
#include "core/settings/OwnSections.h"

#include <gtest/gtest.h>

#include "core/settings/IniFile.h"
#include "core/settings/Settings.h"
#include "support/QStringPrinter.h"
#include "support/SettingsRoundTrip.h"

namespace vek {
namespace {

using namespace Qt::StringLiterals;

TEST(ExportExtrasSettings, WrittenOnlyOnceChosenAndReadBack) {
  test::SettingsRoundTrip ini;
  const QByteArray plain = ini.save(Settings());
  ASSERT_FALSE(plain.isEmpty());
  EXPECT_FALSE(plain.contains("VekTotals"));
  EXPECT_FALSE(plain.contains("VekPathPrefix"));

  Settings s;
  s.csv.columns.totals = true;
  s.html.columns.subtotals = true;
  s.xml.columns.prefix = {u"/mnt/nas/my share "_s, u"\\\\nas\\my share "_s, true};
  const QByteArray chosen = ini.save(s);
  EXPECT_TRUE(chosen.startsWith(plain.left(plain.indexOf("[History]"))));
  EXPECT_TRUE(chosen.endsWith(
      "[VekTotals]\r\nCsvTotals=1\r\nCsvSubtotals=0\r\nHtmlTotals=0\r\nHtmlSubtotals=1\r\n"
      "XmlTotals=0\r\nXmlSubtotals=0\r\n"
      "[VekPathPrefix]\r\nCsvFrom=''\r\nCsvTo=''\r\nCsvBackslash=0\r\n"
      "HtmlFrom=''\r\nHtmlTo=''\r\nHtmlBackslash=0\r\n"
      "XmlFrom='/mnt/nas/my share '\r\nXmlTo='\\\\nas\\my share '\r\nXmlBackslash=1\r\n"))
      << chosen.toStdString();
  Settings read;
  ASSERT_TRUE(ini.load(read));
  EXPECT_EQ(read, s);

  // Back at the defaults, the sections stay and say so.
  const QByteArray defaults = ini.save(Settings());
  ASSERT_TRUE(ini.load(read));
  EXPECT_EQ(read, Settings());
  EXPECT_TRUE(defaults.contains("CsvTotals=0"));
}

TEST(ExportExtrasSettings, MissingOrOddValuesKeepTheDefaults) {
  IniFile ini;
  ini.updateSection(u"VekTotals"_s, {u"CsvTotals=yes"_s, u"HtmlTotals=1"_s});
  ini.updateSection(u"VekPathPrefix"_s, {u"XmlTo=Z:\\"_s});
  const Settings s = test::SettingsRoundTrip::read(ini);
  EXPECT_FALSE(s.csv.columns.totals);
  EXPECT_TRUE(s.html.columns.totals);
  EXPECT_EQ(s.xml.columns.prefix.from, QString());
  EXPECT_EQ(s.xml.columns.prefix.to, u"Z:\\"_s);
}

}  // namespace
}  // namespace vek
