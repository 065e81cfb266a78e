// The prefix replacement for lists read on Windows: only whole leading components match, and
// the replaced path, its file address and its link read as the replacement's kind of path.
#include "core/text/PathPrefix.h"

#include <gtest/gtest.h>

#include "core/platform/FileNameBytes.h"
#include "support/QStringPrinter.h"

namespace vek {
namespace {

using namespace Qt::StringLiterals;

TEST(PathPrefix, OnlyWholeComponentsMatch) {
  struct Case {
    const char16_t* from;
    const char16_t* path;
    const char16_t* replaced;  // nullptr: not under the prefix
  };
  const Case cases[] = {
      {u"/mnt/nas/share", u"/mnt/nas/share/dir/a.txt", u"\\\\nas\\share/dir/a.txt"},
      {u"/mnt/nas/share", u"/mnt/nas/share2/a.txt", nullptr},
      {u"/mnt/nas/share", u"/mnt/nas/shar", nullptr},
      {u"/mnt/nas/share", u"/mnt/nas/share", u"\\\\nas\\share"},
      {u"/mnt/nas/share", u"/mnt/nas/share/", u"\\\\nas\\share/"},
      {u"/mnt/nas/share/", u"/mnt/nas/share/a", u"\\\\nas\\share/a"},
      {u"/mnt/nas/share//", u"/mnt/nas/share/a", u"\\\\nas\\share/a"},
      {u"/mnt/nas/share", u"/MNT/nas/share/a", nullptr},  // names differ by case on POSIX
      {u"/mnt/nas/share", u"/other/mnt/nas/share/a", nullptr},
      {u"/", u"/srv/a", u"\\\\nas\\share/srv/a"},  // the root: every absolute path
      {u"", u"/mnt/nas/share/a", nullptr},         // no prefix: no replacement
  };
  for (const Case& c : cases) {
    const PathPrefix prefix({QString::fromUtf16(c.from), u"\\\\nas\\share\\"_s, false},
                            PathStyle::Posix);
    const auto got = prefix.replaced(QString::fromUtf16(c.path));
    if (c.replaced) {
      EXPECT_EQ(got.value_or(u"(none)"_s), QString::fromUtf16(c.replaced))
          << QString::fromUtf16(c.path).toStdString();
    } else {
      EXPECT_FALSE(got) << QString::fromUtf16(c.path).toStdString();
    }
  }
}

TEST(PathPrefix, BackslashesAfterThePrefixOnly) {
  const PathPrefix prefix({u"/mnt/nas/share"_s, u"\\\\nas\\share"_s, true}, PathStyle::Posix);
  EXPECT_EQ(*prefix.replaced(u"/mnt/nas/share/d/e/a b.txt"), u"\\\\nas\\share\\d\\e\\a b.txt"_s);
  EXPECT_EQ(*prefix.replaced(u"/mnt/nas/share/d/"), u"\\\\nas\\share\\d\\"_s);
  // The replacement is written as typed, even with a "/" in it.
  const PathPrefix drive({u"/data"_s, u"Z:/lists"_s, true}, PathStyle::Posix);
  EXPECT_EQ(*drive.replaced(u"/data/a/b"), u"Z:/lists\\a\\b"_s);
}

TEST(PathPrefix, AddressesAndLinksOfEveryKindOfReplacement) {
  struct Case {
    const char16_t* to;
    const char16_t* address;
    const char16_t* link;
  };
  // The path below the prefix: "d/100% x#.txt", with a backslash in a name for the link.
  const Case cases[] = {
      {u"\\\\nas\\share", u"file://nas/share/d/100% x#.txt",
       u"file://nas/share/d/100%25%20x%23.txt"},
      {u"//nas/share", u"file://nas/share/d/100% x#.txt", u"file://nas/share/d/100%25%20x%23.txt"},
      {u"\\\\nas\\共有 1\\", u"file://nas/共有 1/d/100% x#.txt",
       u"file://nas/%E5%85%B1%E6%9C%89%201/d/100%25%20x%23.txt"},
      {u"Z:\\", u"file:///Z:/d/100% x#.txt", u"file:///Z:/d/100%25%20x%23.txt"},
      {u"Z:\\lists", u"file:///Z:/lists/d/100% x#.txt", u"file:///Z:/lists/d/100%25%20x%23.txt"},
      {u"/srv/files", u"file:///srv/files/d/100% x#.txt", u"file:///srv/files/d/100%25%20x%23.txt"},
      {u"", u"file:///d/100% x#.txt", u"file:///d/100%25%20x%23.txt"},
  };
  for (const Case& c : cases) {
    // The "/ → \" choice changes the folder texts only: an address always has "/".
    for (const bool backslashes : {false, true}) {
      const PathPrefix prefix({u"/mnt/share"_s, QString::fromUtf16(c.to), backslashes},
                              PathStyle::Posix);
      EXPECT_EQ(*prefix.address(u"/mnt/share/d/100% x#.txt"), QString::fromUtf16(c.address));
      EXPECT_EQ(*prefix.linkUrl(u"/mnt/share/d/100% x#.txt"), QString::fromUtf16(c.link));
    }
  }
  const PathPrefix prefix({u"/mnt/share"_s, u"\\\\nas\\s"_s, true}, PathStyle::Posix);
  // A "\" inside a POSIX name is no separator in a link, and a byte that is not UTF-8 is kept.
  EXPECT_EQ(*prefix.linkUrl(u"/mnt/share/a\\b.txt"), u"file://nas/s/a%5Cb.txt"_s);
  EXPECT_EQ(*prefix.linkUrl(decodeFileName("/mnt/share/\xff.txt")), u"file://nas/s/%FF.txt"_s);
  EXPECT_FALSE(prefix.address(u"/mnt/shared/a"));
}

TEST(PathPrefix, WindowsPathsCompareWithoutCase) {
  const PathPrefix prefix({u"D:\\Data"_s, u"\\\\nas\\d"_s, false}, PathStyle::Windows);
  EXPECT_EQ(*prefix.replaced(u"d:\\data\\a.txt"), u"\\\\nas\\d\\a.txt"_s);
  EXPECT_FALSE(prefix.replaced(u"D:\\Database\\a.txt"));
}

}  // namespace
}  // namespace vek
