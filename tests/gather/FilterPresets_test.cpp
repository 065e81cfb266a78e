// filter.txt: the file written when it is missing, the line-by-line load, the key filter.
#include "gather/FilterPresets.h"

#include <string_view>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "core/settings/InterfaceLanguage.h"
#include "core/text/TextCodec.h"
#include "support/FileSizeLimit.h"
#include "support/QStringPrinter.h"
#include "support/TempTree.h"

namespace vek {
namespace {

using test::TempTree;

// The seventeen lines as bytes: U+3000 (E3 80 80) where the labels have it, ordinary spaces
// where they have those.
const char kDefaultFile[] =
    "*.*;\u3000（全てのファイル）\r\n"
    "*.mp3;*.wav;*.mid*;\u3000（音楽メディアファイル）\r\n"
    "*.bmp;*.gif;*.jpg;*.jpeg;*.png;  （画像ファイル）\r\n"
    "*.avi;*.mpg;*.mpeg;*.wmv;*.mov;*.rm;*.swf;   （動画メディアファイル）\r\n"
    "*.lzh;*.zip;*.rar;*.gca;*.cab;\u3000（圧縮ファイル）\r\n"
    "*.htm*;*.css;*.asp;*.pl;*.cgi;   （Webモジュール）\r\n"
    "*.doc;*.xls;*.rtf;*.rpp;*.pdf;*.jtd;*.jbw;*.wri;\u3000（各種ドキュメント）\r\n"
    "*.exe;*.com;*.bat;*.scr;   （実行モジュール）\r\n"
    "readme.*;*.hlp;\u3000（添付ドキュメント）\r\n"
    "*.txt;*.log;\u3000（テキストドキュメント）\r\n"
    "*.mp3\r\n"
    "*.cue;*.iso;*.ccd;*.bwt;*.mds;*.cdi;*.fcd;\u3000（Disk Image）\r\n"
    "*.c;*.cpp;*.h;*.rc;*.clw;*.mak;*.mdp;*.dsp;*.dsw;*.opt;\u3000（VC 関連）\r\n"
    "*.c;*.cpp;*.h;*.rc;*.clw;*.mak;*.mdp;\u3000（VC 4.X関連）\r\n"
    "*.c;*.cpp;*.h;*.rc;*.clw;*.dsp;*.dsw;*.opt;\u3000（VC 6.X関連）\r\n"
    "*.bas;*.frm;*.vbp;\u3000（VB関連）\r\n"
    "*Album*;*アルバム*;\u3000（設定サンプル）\r\n";

TEST(FilterPresetsTest, MissingFileIsCreatedWithTheDefaultLines) {
  TempTree tree;
  const auto presets = loadFilterPresets(tree.root());
  ASSERT_TRUE(presets);
  ASSERT_EQ(presets->size(), 17);
  EXPECT_EQ(presets->front(), QStringLiteral("*.*;　（全てのファイル）"));
  EXPECT_EQ(*presets, defaultFilterPresets());
  const QByteArray expected = TextCodec::system().encode(QString::fromUtf8(kDefaultFile));
  EXPECT_EQ(tree.read(QStringLiteral("filter.txt")), expected);
  if (TextCodec::system().isUtf8()) {
    EXPECT_EQ(tree.read(QStringLiteral("filter.txt")), QByteArray(kDefaultFile));
  }
  // Loading again reads the file as it stands and does not rewrite it.
  tree.file(QStringLiteral("filter.txt"), "*.jpg");
  EXPECT_EQ(loadFilterPresets(tree.root() + u'/'), QStringList{QStringLiteral("*.jpg")});
  EXPECT_EQ(tree.read(QStringLiteral("filter.txt")), QByteArray("*.jpg"));
}

// An English desktop's first start writes English labels after the same patterns, so that the
// filter box shows no Japanese there; the Japanese lines stay the file's bytes above.
TEST(FilterPresetsTest, ANewFileUnderEnglishHasEnglishLabels) {
  TempTree tree;
  ASSERT_TRUE(installInterfaceLanguage(InterfaceLanguage::English));
  const auto presets = loadFilterPresets(tree.root());
  ASSERT_TRUE(installInterfaceLanguage(InterfaceLanguage::Japanese));
  ASSERT_TRUE(presets);
  ASSERT_EQ(presets->size(), 17);
  EXPECT_EQ(presets->front(), QStringLiteral("*.*;  (All files)"));
  const QStringList japanese = splitPresetLines(QString::fromUtf8(kDefaultFile));
  for (qsizetype i = 0; i < presets->size(); ++i) {
    const QString& line = presets->at(i);
    SCOPED_TRACE(line.toStdString());
    for (const QChar c : line) EXPECT_LT(c.unicode(), 0x3000);
    // The example line's patterns are an example; every other line keeps its patterns.
    if (i == 16) continue;
    const QString& source = japanese.at(i);
    EXPECT_EQ(line.left(line.lastIndexOf(u';') + 1), source.left(source.lastIndexOf(u';') + 1));
  }
}

TEST(FilterPresetsTest, LinesAreSplitAtCrLfLfOrCr) {
  struct Case {
    const char* bytes;
    QStringList lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a\r\nb\r\n", {QStringLiteral("a"), QStringLiteral("b")}},
      {"a\r\nb", {QStringLiteral("a"), QStringLiteral("b")}},
      {"a\n\nb\n", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
      {"\r\n", {QString()}},
      {"a\rb", {QStringLiteral("a"), QStringLiteral("b")}},
      {"\xEF\xBB\xBF*.txt\r\n", {QStringLiteral("*.txt")}},
  };
  for (const Case& c : cases) {
    TempTree tree;
    tree.file(QStringLiteral("filter.txt"), c.bytes);
    const auto presets = loadFilterPresets(tree.root());
    ASSERT_TRUE(presets);
    EXPECT_EQ(*presets, c.lines) << QByteArray(c.bytes).toHex().constData();
  }
}

// Editors save text with a byte-order mark in UTF-8 and UTF-16 (either byte order); the mark
// decides how the file is read. Text that cannot be read in the encoding it is taken to be in is
// refused with a reason, never turned into presets that match nothing.
TEST(FilterPresetsTest, ByteOrderMarksAreHonouredAndUndecodableFilesRefused) {
  const QString text = QStringLiteral("*.txt;\u3000（テキスト）\r\n*.log\r\n");
  const QStringList lines = {QStringLiteral("*.txt;\u3000（テキスト）"), QStringLiteral("*.log")};
  struct Case {
    const char* name;
    QByteArray bytes;
    bool read;
  };
  const Case cases[] = {
      {"UTF-8 with a mark", "\xEF\xBB\xBF" + text.toUtf8(), true},
      {"UTF-16LE with a mark", "\xFF\xFE" + TextCodec("UTF-16LE").encode(text), true},
      {"UTF-16BE with a mark", "\xFE\xFF" + TextCodec("UTF-16BE").encode(text), true},
      {"UTF-16LE without a mark", TextCodec("UTF-16LE").encode(text), false},
      {"UTF-16LE cut in a character", "\xFF\xFE" + TextCodec("UTF-16LE").encode(text) + "x", false},
      {"UTF-8 with a mark and a stray byte", "\xEF\xBB\xBF*.txt\r\n\xFF\r\n", false},
      {"a NUL character", QByteArray("*.txt\0\r\n", 8), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempTree tree;
    tree.file(QStringLiteral("filter.txt"), c.bytes);
    QString error;
    const auto presets = loadFilterPresets(tree.root(), &error);
    if (c.read) {
      ASSERT_TRUE(presets) << error.toStdString();
      EXPECT_EQ(*presets, lines);
    } else {
      EXPECT_FALSE(presets);
      EXPECT_TRUE(error.contains(tree.path(QStringLiteral("filter.txt")))) << error.toStdString();
      EXPECT_TRUE(error.contains(QStringLiteral("文字コード"))) << error.toStdString();
    }
    EXPECT_EQ(tree.read(QStringLiteral("filter.txt")), c.bytes);  // never rewritten
  }
  // Bytes that are not text in the system's encoding are refused too.
  if (TextCodec::system().isUtf8()) {
    TempTree tree;
    tree.file(QStringLiteral("filter.txt"), "*.txt;\x81\x40\x81\x69\r\n");  // Shift_JIS
    EXPECT_FALSE(loadFilterPresets(tree.root()));
  }
}

TEST(FilterPresetsTest, UnreadableOrUncreatableFileGivesNothing) {
  TempTree tree;
  tree.folder(QStringLiteral("filter.txt"));  // a folder where the file should be
  EXPECT_FALSE(loadFilterPresets(tree.root()));
  EXPECT_FALSE(loadFilterPresets(tree.path(QStringLiteral("no/such/folder"))));
}

TEST(FilterPresetsTest, FullDiskLeavesNoCutFile) {
  TempTree tree;
  std::optional<QStringList> presets;
  {
    // A disk that fills up while the defaults are written.
    const test::FileSizeLimit limit(100);
    ASSERT_TRUE(limit.isSet());
    presets = loadFilterPresets(tree.root());
  }
  // A cut file would be loaded as the presets now and on every later start.
  EXPECT_FALSE(presets);
  EXPECT_FALSE(QFile::exists(tree.path(QStringLiteral("filter.txt"))));
  // Once there is room again, the next load writes the whole file.
  const auto later = loadFilterPresets(tree.root());
  ASSERT_TRUE(later);
  EXPECT_EQ(*later, defaultFilterPresets());
}

TEST(FilterPresetsTest, KeyFilterRejectsPathAndSeparatorCharacters) {
  for (const char32_t c : std::u32string_view(U"\"|><,:\\/")) {
    EXPECT_FALSE(isFilterKeyAllowed(c)) << int(c);
  }
  // Full-width look-alikes and characters beyond the basic plane are ordinary characters.
  for (const char32_t c : std::u32string_view(U";*?a. \u3042\uff1a\uff3c\uff0f\U0001F600")) {
    EXPECT_TRUE(isFilterKeyAllowed(c)) << int(c);
  }
}

}  // namespace
}  // namespace vek
