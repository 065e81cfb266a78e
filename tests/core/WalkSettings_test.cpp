// What the adds leave out, in Vek's own section of Vek.ini: absent until a choice differs from
// its default, read back whole (blanks around the patterns too), and the sections every reader
// knows untouched.
#include "core/settings/WalkSettings.h"

#include <gtest/gtest.h>

#include "core/settings/IniFile.h"
#include "core/settings/Settings.h"
#include "core/text/TextCodec.h"
#include "support/QStringPrinter.h"
#include "support/SettingsRoundTrip.h"

namespace vek {
namespace {

using namespace Qt::StringLiterals;

TEST(WalkSettings, WrittenOnlyOnceChosenAndReadBack) {
  test::SettingsRoundTrip ini;
  const QByteArray plain = ini.save(Settings());
  ASSERT_FALSE(plain.isEmpty());
  EXPECT_FALSE(plain.contains("VekWalk"));

  Settings s;
  s.walk.excluded = u" .git;node_modules;~$*;日本語 "_s;
  s.walk.hiddenFiles = true;
  const QByteArray chosen = ini.save(s);
  EXPECT_TRUE(chosen.startsWith(plain.left(plain.indexOf("[History]"))));
  EXPECT_TRUE(chosen.endsWith(
      u"[VekWalk]\r\nExclude=\" .git;node_modules;~$*;日本語 \"\r\nHiddenFiles=1\r\n"
      "OneFileSystem=0\r\n"_s.toUtf8()))
      << chosen.toStdString();
  Settings read;
  ASSERT_TRUE(ini.load(read));
  EXPECT_EQ(read.walk, s.walk);

  // Once there, the section stays, and an emptied box is read back empty.
  EXPECT_TRUE(ini.save(Settings()).contains("Exclude=\"\"\r\n"));
  Settings again;
  again.walk.excluded = u"stale"_s;
  ASSERT_TRUE(ini.load(again));
  EXPECT_EQ(again.walk, WalkSettings());
}

TEST(WalkSettings, OddValuesReadAsAPersonWouldMeanThem) {
  const struct {
    const char16_t* line;
    WalkSettings expected;
  } cases[] = {
      {u"HiddenFiles=x", {}},
      {u"HiddenFiles=2", {QString(), true, false}},
      {u"OneFileSystem=1", {QString(), false, true}},
      {u"Exclude='*.tmp'", {u"*.tmp"_s, false, false}},
      {u"Exclude=a\"b", {u"a\"b"_s, false, false}},
  };
  for (const auto& c : cases) {
    const WalkSettings read =
        test::SettingsRoundTrip::readSection(u"VekWalk"_s, {QString::fromUtf16(c.line)}).walk;
    EXPECT_EQ(read, c.expected) << QString::fromUtf16(c.line).toStdString();
  }
}

// Written in an encoding that cannot hold a character, a pattern would come back with "?" in
// its place: a wildcard that leaves out names the person never named ("😀*" would become "?*",
// every name). Such a text is not written at all, as the other texts the file cannot hold.
TEST(WalkSettings, PatternsTheFileCannotHoldAreNotWritten) {
  Settings s;
  s.walk.excluded = u"😀*"_s;
  s.walk.hiddenFiles = true;
  IniFile legacy{TextCodec("EUC-JP")};
  test::SettingsRoundTrip::write(legacy, s);
  EXPECT_EQ(legacy.value(u"VekWalk", u"Exclude"), QString());
  EXPECT_EQ(legacy.value(u"VekWalk", u"HiddenFiles"), u"1"_s);
  s.walk.excluded = u"日本語;*.tmp"_s;
  test::SettingsRoundTrip::write(legacy, s);
  EXPECT_EQ(legacy.value(u"VekWalk", u"Exclude"), u"日本語;*.tmp"_s);
}

}  // namespace
}  // namespace vek
