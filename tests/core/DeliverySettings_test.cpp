// The writers' delivery choices in Vek's own section of Vek.ini: absent until a choice differs
// from its default, read back whole, and the sections every reader knows untouched.
#include "core/settings/OwnSections.h"

#include <gtest/gtest.h>

#include "core/settings/IniFile.h"
#include "core/settings/Settings.h"
#include "support/QStringPrinter.h"
#include "support/SettingsRoundTrip.h"

namespace vek {
namespace {

using namespace Qt::StringLiterals;

TEST(DeliverySettings, WrittenOnlyOnceChosenAndReadBack) {
  test::SettingsRoundTrip ini;
  const QByteArray plain = ini.save(Settings());
  ASSERT_FALSE(plain.isEmpty());
  EXPECT_FALSE(plain.contains("VekDelivery"));

  Settings s;
  s.csv.columns.hash = HashKind::Sha256;
  s.csv.columns.checksumFile = true;
  s.html.columns.chkRelPath = true;
  s.xml.columns.hash = HashKind::Md5;
  s.xml.columns.chkDeliveryCheck = true;
  s.elementNames.hash = u"digest"_s;
  const QByteArray chosen = ini.save(s);
  // The sections every reader knows keep their bytes; Vek's own follows them.
  EXPECT_TRUE(chosen.startsWith(plain.left(plain.indexOf("[History]"))));
  EXPECT_TRUE(chosen.endsWith(
      "[VekDelivery]\r\nCsvRelativePath=0\r\nCsvHash=SHA256\r\nCsvChecksumFile=1\r\n"
      "CsvDeliveryCheck=0\r\n"
      "HtmlRelativePath=1\r\nHtmlHash=NONE\r\nHtmlChecksumFile=0\r\nHtmlDeliveryCheck=0\r\n"
      "XmlRelativePath=0\r\nXmlHash=MD5\r\nXmlChecksumFile=0\r\nXmlDeliveryCheck=1\r\n"
      "RelativePathElement='relpath'\r\nHashElement='digest'\r\n"
      "DeliveryCheckElement='check'\r\n"))
      << chosen.toStdString();
  Settings read;
  ASSERT_TRUE(ini.load(read));
  EXPECT_EQ(read, s);

  // Once there, the section stays, also with every choice back at its default.
  EXPECT_TRUE(ini.save(Settings()).contains("CsvHash=NONE"));
}

TEST(DeliverySettings, UnknownValuesKeepTheDefaults) {
  const Settings s = test::SettingsRoundTrip::readSection(
      u"VekDelivery"_s, {u"CsvHash=SHA-512"_s, u"CsvChecksumFile=x"_s, u"HtmlHash=sha1"_s,
                         u"XmlRelativePath=1"_s, u"HashElement="_s});
  EXPECT_EQ(s.csv.columns.hash, HashKind::None);
  EXPECT_FALSE(s.csv.columns.checksumFile);
  EXPECT_EQ(s.html.columns.hash, HashKind::Sha1);
  EXPECT_TRUE(s.xml.columns.chkRelPath);
  EXPECT_EQ(s.elementNames.hash, u"hash"_s);
}

}  // namespace
}  // namespace vek
