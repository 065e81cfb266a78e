// The small rules behind the window's boxes and dialogs: which volume holds a path, and how a
// save filter becomes the system dialog's filter and default suffix.
#include <gtest/gtest.h>

#include "support/QStringPrinter.h"
#include "ui/SystemDialogs.h"
#include "ui/Volumes.h"

namespace vek::test {
namespace {

TEST(Volumes, TheLongestRootAboveThePathHoldsIt) {
  const QStringList roots = {u"/"_qs, u"/home"_qs, u"/media/usb"_qs};
  const struct {
    const char* path;
    const char* volume;
  } cases[] = {{"/", "/"},
               {"/etc/x", "/"},
               {"/home", "/home"},
               {"/home/user/資料", "/home"},
               {"/homework", "/"},  // a root is a whole folder name, not a prefix of one
               {"/media/usb/a", "/media/usb"},
               {"/media/usb2", "/"},
               {"relative", ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(volumeHolding(QString::fromUtf8(c.path), roots), QString::fromUtf8(c.volume))
        << c.path;
  }
}

TEST(Volumes, TheRootIsAlwaysOffered) {
  const QStringList roots = mountedVolumeRoots();
  ASSERT_FALSE(roots.isEmpty());
  EXPECT_EQ(roots.front(), QStringLiteral("/"));
  for (const QString& root : roots) EXPECT_FALSE(root.startsWith(QStringLiteral("/proc")));
}

TEST(SystemDialogs, SaveFiltersBecomeQtFiltersAndSuffixes) {
  const struct {
    const char* filter;
    const char* qtFilter;
    const char* suffix;
  } cases[] = {{"CSVﾌｧｲﾙ|*.csv", "CSVﾌｧｲﾙ (*.csv)", "csv"},
               {"HTMLﾄﾞｷｭﾒﾝﾄ|*.htm;*.html", "HTMLﾄﾞｷｭﾒﾝﾄ (*.htm *.html)", "htm"},
               {"XMLﾌｧｲﾙ|*.xml", "XMLﾌｧｲﾙ (*.xml)", "xml"},
               {"すべて|*.*", "すべて (*.*)", ""},
               {"*.txt", "*.txt", "txt"}};
  for (const auto& c : cases) {
    const QString filter = QString::fromUtf8(c.filter);
    EXPECT_EQ(SystemDialogs::qtNameFilter(filter), QString::fromUtf8(c.qtFilter)) << c.filter;
    EXPECT_EQ(SystemDialogs::defaultSuffix(filter), QString::fromUtf8(c.suffix)) << c.filter;
  }
}

}  // namespace
}  // namespace vek::test
