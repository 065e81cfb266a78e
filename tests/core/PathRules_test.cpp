// Path texts in both styles: folder text, D, the Directory shapes and "file:" addresses.
#include "core/text/PathRules.h"

#include <gtest/gtest.h>

#include "core/platform/FileNameBytes.h"
#include "support/QStringPrinter.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

const QString kU3000(QChar(0x3000));

TEST(PathRules, FolderTextGainsOneTrailingSeparator) {
  EXPECT_EQ(folderText(u"C:\\data"_s, PathStyle::Windows), u"C:\\data\\"_s);
  EXPECT_EQ(folderText(u"C:\\data\\"_s, PathStyle::Windows), u"C:\\data\\"_s);
  EXPECT_EQ(folderText(u"/home/u"_s, PathStyle::Posix), u"/home/u/"_s);
  EXPECT_EQ(folderText(u"/"_s, PathStyle::Posix), u"/"_s);
  EXPECT_EQ(folderText(QString(), PathStyle::Posix), QString());
  // A backslash is an ordinary file-name character on POSIX.
  EXPECT_EQ(folderText(u"/tmp/a\\"_s, PathStyle::Posix), u"/tmp/a\\/"_s);
}

struct DirectoryCase {
  const char16_t* folder;
  PathStyle style;
  const char16_t* d;
  const char16_t* withoutDrive;  // nullptr: U+3000
  const char16_t* lastName;
};

TEST(PathRules, DirectoryShapes) {
  const DirectoryCase cases[] = {
      {u"C:\\data\\sub\\", PathStyle::Windows, u"C:\\data\\sub", u"data\\sub", u"sub"},
      {u"C:\\", PathStyle::Windows, u"C:", nullptr, u"C:"},
      {u"\\\\server\\share\\dir\\", PathStyle::Windows, u"\\\\server\\share\\dir", u"share\\dir",
       u"dir"},
      {u"\\\\server\\share\\", PathStyle::Windows, u"\\\\server\\share", u"share", u"share"},
      {u"/home/user/docs/", PathStyle::Posix, u"/home/user/docs", u"home/user/docs", u"docs"},
      {u"/tmp/", PathStyle::Posix, u"/tmp", u"tmp", u"tmp"},
      {u"/", PathStyle::Posix, u"/", nullptr, u"/"},
      {u"/a b/日本語 フォルダ/", PathStyle::Posix, u"/a b/日本語 フォルダ", u"a b/日本語 フォルダ",
       u"日本語 フォルダ"},
  };
  for (const DirectoryCase& c : cases) {
    const QString folder = QString::fromUtf16(c.folder);
    SCOPED_TRACE(folder.toStdString());
    EXPECT_EQ(folderWithoutSeparator(folder, c.style), QString::fromUtf16(c.d));
    EXPECT_EQ(directoryText(folder, DirType::Absolute, c.style), QString::fromUtf16(c.d));
    EXPECT_EQ(directoryText(folder, DirType::WithoutDrive, c.style),
              c.withoutDrive ? QString::fromUtf16(c.withoutDrive) : kU3000);
    EXPECT_EQ(directoryText(folder, DirType::LastName, c.style), QString::fromUtf16(c.lastName));
  }
}

TEST(PathRules, FileAddresses) {
  struct Case {
    const char16_t* path;
    PathStyle style;
    const char16_t* address;
  };
  const Case cases[] = {
      {u"C:\\data\\a.txt", PathStyle::Windows, u"file:///C:/data/a.txt"},
      {u"\\\\server\\share\\a.txt", PathStyle::Windows, u"file://server/share/a.txt"},
      {u"\\\\server\\share\\dir\\a.txt", PathStyle::Windows, u"file://server/share/dir/a.txt"},
      // Spaces, "#", "%" and Japanese stay as they are.
      {u"C:\\my docs\\報告 #1 100%.txt", PathStyle::Windows,
       u"file:///C:/my docs/報告 #1 100%.txt"},
      {u"/home/u/a.txt", PathStyle::Posix, u"file:///home/u/a.txt"},
      {u"/home/u/my docs/報告 #1.txt", PathStyle::Posix, u"file:///home/u/my docs/報告 #1.txt"},
      // On POSIX a backslash belongs to the name and is not turned into a slash.
      {u"/tmp/a\\b.txt", PathStyle::Posix, u"file:///tmp/a\\b.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fileAddress(QString::fromUtf16(c.path), c.style), QString::fromUtf16(c.address));
  }
}

TEST(PathRules, NativeStyleSeparator) {
#ifdef Q_OS_WIN
  EXPECT_EQ(nativePathStyle(), PathStyle::Windows);
#else
  EXPECT_EQ(nativePathStyle(), PathStyle::Posix);
#endif
  EXPECT_EQ(pathSeparator(PathStyle::Windows), u'\\');
  EXPECT_EQ(pathSeparator(PathStyle::Posix), u'/');
}

}  // namespace
}  // namespace vek

namespace vek {
namespace {

TEST(PathRules, CleaningKeepsTheRootAndResolvesDots) {
  const struct {
    PathStyle style;
    const char16_t* path;
    const char16_t* root;
    const char16_t* clean;
  } cases[] = {
      {PathStyle::Posix, u"/", u"/", u"/"},
      {PathStyle::Posix, u"//a///b/", u"/", u"/a/b"},
      {PathStyle::Posix, u"/a/./b/../c", u"/", u"/a/c"},
      {PathStyle::Posix, u"/../..", u"/", u"/"},
      {PathStyle::Posix, u"a/../../b", u"", u"../b"},
      {PathStyle::Posix, u"./", u"", u"."},
      {PathStyle::Posix, u"/写真/..hidden/ a b ", u"/", u"/写真/..hidden/ a b "},
      {PathStyle::Windows, u"c:", u"C:\\", u"C:\\"},
      {PathStyle::Windows, u"C:\\data\\..\\x/y", u"C:\\", u"C:\\x\\y"},
      {PathStyle::Windows, u"\\\\server\\share\\a\\..", u"\\\\server\\share\\",
       u"\\\\server\\share\\"},
      {PathStyle::Windows, u"\\temp\\", u"\\", u"\\temp"},
      {PathStyle::Windows, u"dir\\x", u"", u"dir\\x"},
  };
  for (const auto& c : cases) {
    const QString path = QString::fromUtf16(c.path);
    EXPECT_EQ(pathRoot(path, c.style), QString::fromUtf16(c.root)) << path.toStdString();
    EXPECT_EQ(cleanPath(path, c.style), QString::fromUtf16(c.clean)) << path.toStdString();
  }
}

TEST(PathRules, FolderChainRunsFromTheRootDown) {
  EXPECT_EQ(folderChain(u"/"_s, PathStyle::Posix), QStringList{u"/"_s});
  EXPECT_EQ(folderChain(u"/home/ユーザー/a b"_s, PathStyle::Posix),
            (QStringList{u"/"_s, u"/home"_s, u"/home/ユーザー"_s, u"/home/ユーザー/a b"_s}));
  EXPECT_EQ(folderChain(u"/a/../b/"_s, PathStyle::Posix), (QStringList{u"/"_s, u"/b"_s}));
  EXPECT_EQ(folderChain(u"C:\\data\\x"_s, PathStyle::Windows),
            (QStringList{u"C:\\"_s, u"C:\\data"_s, u"C:\\data\\x"_s}));
  EXPECT_EQ(folderChain(u"\\\\srv\\share\\a"_s, PathStyle::Windows),
            (QStringList{u"\\\\srv\\share\\"_s, u"\\\\srv\\share\\a"_s}));
  EXPECT_TRUE(folderChain(u"relative/x"_s, PathStyle::Posix).isEmpty());
}

TEST(PathRules, TypedPathsAreHomeRelativeOrAbsolute) {
  const struct {
    PathStyle style;
    const char16_t* typed;
    const char16_t* resolved;
  } cases[] = {
      {PathStyle::Posix, u"  /tmp/x/  ", u"/tmp/x"},
      {PathStyle::Posix, u"~", u"/home/u"},
      {PathStyle::Posix, u"~/写真", u"/home/u/写真"},
      {PathStyle::Posix, u"~other", u"/data/now/~other"},
      {PathStyle::Posix, u"sub/../x", u"/data/now/x"},
      {PathStyle::Posix, u"..", u"/data"},
      {PathStyle::Windows, u"D:\\w", u"D:\\w"},
      {PathStyle::Windows, u"sub", u"C:\\now\\sub"},
  };
  for (const auto& c : cases) {
    const bool posix = c.style == PathStyle::Posix;
    const QString current = posix ? u"/data/now"_s : u"C:\\now"_s;
    EXPECT_EQ(resolveTypedPath(QString::fromUtf16(c.typed), current, u"/home/u"_s, c.style),
              QString::fromUtf16(c.resolved))
        << QString::fromUtf16(c.typed).toStdString();
  }
}

TEST(PathRules, LocalFileAddressesKeepTheNamesOwnBytes) {
  const QString names[] = {u"/tmp/a b#?%.txt"_s, u"/tmp/写真 😀.png"_s,
                           decodeFileName("/tmp/\x93\xFA\x96\x7B.txt")};
  for (const QString& path : names) {
    const QUrl url = localFileUrl(path);
    EXPECT_TRUE(url.isLocalFile()) << path.toStdString();
    EXPECT_EQ(localPathOfUrl(url), path) << url.toString().toStdString();
  }
  EXPECT_EQ(localFileUrl(u"/tmp/a b#.txt"_s).toEncoded(), QByteArray("file:///tmp/a%20b%23.txt"));
  EXPECT_TRUE(localPathOfUrl(QUrl(u"https://example.org/x"_s)).isEmpty());
}

}  // namespace
}  // namespace vek
