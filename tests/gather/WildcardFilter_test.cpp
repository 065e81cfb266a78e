// The file lister's wildcard patterns.
#include "gather/WildcardFilter.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

struct Case {
  const char* patterns;
  const char* name;
  bool expected;
};

TEST(WildcardFilterTest, Table) {
  const Case cases[] = {
      {"*.txt;*.log", "a.txt", true},
      {"*.txt;*.log", "b.log", true},
      {"*.txt;*.log", "c.doc", false},
      {"*.txt;*.log", "a.txt.bak", false},
      {"*.TXT", "read.Me.txt", true},
      {"*.txt", "ÄRGER.TXT", true},
      {"ärger.*", "ÄRGER.TXT", true},
      {"Ω*", "ωmega", true},
      // Every name under "*.*", with or without a dot; "readme.*" takes README too.
      {"*.*", "README", true},
      {"*.*", "a.b.c", true},
      {"readme.*", "README", true},
      {"readme.*", "readme.txt", true},
      {"readme.*", "readmeX", false},
      {"*.htm*", "index.html", true},
      {"*.htm*", "index", false},
      {"*Album*;*アルバム*", "2005アルバムB.mp3", true},
      {"*Album*", "myalbum", true},
      // "?" is one character: a BMP one, a Japanese one, an emoji outside the BMP.
      {"?.txt", "a.txt", true},
      {"?.txt", "ab.txt", false},
      {"?.txt", ".txt", false},
      {"?.txt", "あ.txt", true},
      {"?.txt", "😀.txt", true},
      {"??.txt", "😀.txt", false},
      {"a?c", "a😀c", true},
      {"*a*b*c", "xaxxbxxxc", true},
      {"*a*b*c", "xaxxbxxxcd", false},
      // A preset line: its label is one more pattern that ordinary names do not match.
      {"*.mp3;*.wav;　（音楽メディアファイル）", "song.MP3", true},
      {"*.mp3;*.wav;　（音楽メディアファイル）", "（音楽メディアファイル）", false},
      {"*.bmp;*.png;  （画像ファイル）", "x.png", true},
      // Ordinary spaces around a pattern are not part of it.
      {"*.txt; *.log", "b.log", true},
      // Empty pieces between separators match nothing; an empty text filters nothing.
      {";;", "a", false},
      {"", "anything", true},
      {"*", "x", true},
  };
  for (const Case& c : cases) {
    const WildcardFilter filter(QString::fromUtf8(c.patterns));
    EXPECT_EQ(filter.matches(QString::fromUtf8(c.name)), c.expected)
        << c.patterns << " / " << c.name;
  }
}

}  // namespace
}  // namespace vek
