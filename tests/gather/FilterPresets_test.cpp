// filter.txt: the file written when it is missing, the line-by-line load, the key filter.
#include "gather/FilterPresets.h"

#include <string_view>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "core/TextCodec.h"
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
