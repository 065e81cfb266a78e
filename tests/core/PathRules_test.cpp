// Path texts in both styles: folder text, D, the Directory shapes and "file:" addresses.
#include "core/PathRules.h"

#include <gtest/gtest.h>

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
      {u"C:\\my docs\\報告 #1 100%.txt", PathStyle::Windows, u"file:///C:/my docs/報告 #1 100%.txt"},
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
