// What Vek.ini holds that Vek does not own comes back as it was: unknown keys inside Vek's own
// sections, a repeated section, other programs' sections and the byte-order mark, in whatever
// encoding the file was read and whatever the system's encoding is.
#include <functional>

#include <gtest/gtest.h>

#include "core/settings/IniFile.h"
#include "core/settings/SettingsFile.h"
#include "support/QStringPrinter.h"

namespace vek {
namespace {

const QString kFolder = QStringLiteral("/program/");

// 1920 x 1080 pixels at 15 twips per pixel.
WindowState screenState() {
  WindowState window;
  window.screenWidth = 28800;
  window.screenHeight = 16200;
  return window;
}

// Reads bytes as a start does and writes them back as a close does, with what the run changed.
QByteArray readAndWrite(const QByteArray& bytes, const char* systemEncoding,
                        const std::function<void(Settings&)>& change = {}) {
  IniFile ini{TextCodec(systemEncoding)};
  ini.setBytes(bytes);
  Settings settings;
  WindowState window = screenState();
  readSettings(ini, settings, window, kFolder);
  if (change) change(settings);
  writeSettings(ini, settings, window, kFolder);
  return ini.toBytes();
}

TEST(SettingsForeignBytes, UnknownKeysInVeksSectionsStayInPlace) {
  const QByteArray file =
      "; top comment\n"
      "[Main]\n"
      "UnknownKey=keep me\n"
      "Top=100\n"
      "; about the width\n"
      "width=9000\n"
      "Later=also kept \xE9\n"
      "[Option]\n"
      "OverLap=1\n"
      "Future=x\r\n"
      "[main]\n"
      "Top=2\n"
      "Other=y\n"
      "[Mine]\n"
      "a=b";
  // Vek's keys are written as always (its spelling, its order, CR LF); the lines it does not
  // read keep their bytes and stay after the key they followed.
  const QByteArray expected =
      "; top comment\n"
      "[Main]\r\n"
      "UnknownKey=keep me\n"
      "DefaultInDir='/program/'\r\n"
      "DefaultOutDir='/program/'\r\n"
      "Top=100\r\n"
      "; about the width\n"
      "Left=14400\r\n"
      "Width=9000\r\n"
      "Later=also kept \xE9\n"
      "Height=4950\r\n"
      "[Option]\r\n"
      "OverLap=1\r\n"
      "Future=x\r\n"
      "ListOpen=0\r\n"
      "AllAppend=0\r\n"
      "DefaultTitle=0\r\n"
      "DropFolder=0\r\n"
      "DateFormat='YYYY/MM/DD HH:MM:SS'\r\n"
      "[main]\n"
      "Top=2\n"
      "Other=y\n"
      "[Mine]\n"
      "a=b\r\n"
      "[History]\r\n";
  for (const char* encoding : {"UTF-8", "EUC-JP", "CP932"}) {
    SCOPED_TRACE(encoding);
    const QByteArray written = readAndWrite(file, encoding);
    EXPECT_EQ(written.left(expected.size()).toStdString(), expected.toStdString());
    // Read and written again, nothing moves.
    EXPECT_EQ(readAndWrite(written, encoding).toStdString(), written.toStdString());
  }
}

TEST(SettingsForeignBytes, AMarkedFileKeepsItsEncodingWhateverTheSystemsIs) {
  const QString foreign = QStringLiteral("[絵文字]\r\nface=😀\nname=日本\r\n");
  const QString file =
      u"[Main]\r\nTop=1\r\n" + foreign + QStringLiteral("[Option]\r\nOverLap=1\r\nUnknown=😀\r\n");
  struct Case {
    const char* encoding;
    QByteArray mark;
  };
  const Case cases[] = {
      {"UTF-8", "\xEF\xBB\xBF"},
      {"UTF-16LE", "\xFF\xFE"},
      {"UTF-16BE", "\xFE\xFF"},
  };
  for (const Case& c : cases) {
    for (const char* system : {"EUC-JP", "CP932", "UTF-8"}) {
      SCOPED_TRACE(std::string(c.encoding) + " on a " + system + " system");
      const TextCodec codec(c.encoding);
      const QByteArray written = readAndWrite(c.mark + codec.encode(file), system, [](Settings& s) {
        s.html.title = QStringLiteral("題名😀");
        s.history[0] = QStringLiteral("/絵文字😀/");
      });
      EXPECT_TRUE(written.startsWith(c.mark)) << written.left(8).toHex().constData();
      const QString text = codec.decode(written.sliced(c.mark.size()));
      EXPECT_TRUE(text.contains(foreign)) << text.toStdString();
      EXPECT_TRUE(text.contains(QStringLiteral("OverLap=1\r\nUnknown=😀\r\n")))
          << text.toStdString();
      // Vek's own values are in the file's encoding too, so they hold what it holds.
      EXPECT_TRUE(text.contains(QStringLiteral("Title='題名😀'\r\n"))) << text.toStdString();
      EXPECT_TRUE(text.contains(QStringLiteral("History0='/絵文字😀/'\r\n"))) << text.toStdString();
      IniFile again{TextCodec(system)};
      again.setBytes(written);
      EXPECT_EQ(again.value(u"Html", u"Title"), QStringLiteral("題名😀"));
      EXPECT_EQ(again.value(u"絵文字", u"face"), QStringLiteral("😀"));
      EXPECT_EQ(readAndWrite(written, system).toStdString(), written.toStdString());
    }
  }
}

// A UTF-16 file cut in the middle of a code unit: what Vek adds after the cut starts on a whole
// code unit, so the next read sees the same sections and the file settles.
TEST(SettingsForeignBytes, AUtf16FileCutInACharacterSettles) {
  const QByteArray cut = "\xFF\xFE" + TextCodec("UTF-16LE").encode(u"[Other]\r\nx=日") + "\x42";
  const QByteArray once = readAndWrite(cut, "UTF-8");
  EXPECT_TRUE(once.startsWith(QByteArray(cut + '\0')));
  const QByteArray twice = readAndWrite(once, "UTF-8");
  EXPECT_EQ(twice.toStdString(), once.toStdString());
}

}  // namespace
}  // namespace vek
