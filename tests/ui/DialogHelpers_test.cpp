// The small rules behind the window's boxes and dialogs: which volume holds a path, how a
// save filter becomes the system dialog's filter and default suffix, and the input box's fit.
#include <QInputDialog>
#include <QLabel>

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"
#include "ui/SystemDialogs.h"
#include "ui/Volumes.h"
#include "ui/WindowPlace.h"

namespace vek::test {
namespace {
using namespace Qt::StringLiterals;

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

// The first window fits the area a screen leaves beside its panels, title bar included, and
// grows with a large screen; its smallest size wins on a screen too small for it.
TEST(WindowPlace, TheFirstWindowFitsTheScreenAndGrowsWithIt) {
  const QSize natural(590, 767), smallest(560, 520);
  const struct {
    QSize area, expected;
  } cases[] = {
      {{1366, 768}, {751, 720}},  // no panel
      {{1366, 740}, {751, 692}},  // a panel of 28 pixels
      {{1920, 1080}, {1056, 918}}, {{1920, 1050}, {1056, 892}}, {{800, 600}, {590, 552}},
      {{640, 480}, {590, 520}},  // the smallest height, although the frame is then off the screen
  };
  for (const auto& c : cases) {
    EXPECT_EQ(firstWindowSize(c.area, natural, smallest), c.expected)
        << c.area.width() << "x" << c.area.height();
  }
}

// The typed-path prompt: its longest line is shown whole, with room to spare, on a screen of
// 1366 pixels too.
TEST(SystemDialogs, TheInputBoxShowsItsWholePrompt) {
  const QString longest =
      u"ネットワーク上のコンピュータを指定するときは、「/mnt/server/share」のように入力してください"_s;
  const auto dialog = SystemDialogs::textDialog(
      nullptr, u"パスの入力"_s, u"参照するパスを入力してください。\r\n"_s + longest);
  dialog->show();
  auto* label = dialog->findChild<QLabel*>();
  ASSERT_NE(label, nullptr);
  EXPECT_FALSE(label->text().contains(u'\r'));
  // Room to spare beyond the measured line: a fallback font's glyphs are drawn wider.
  EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(longest) + 8);
  EXPECT_LE(dialog->width(), 1366 - 40);
}

}  // namespace
}  // namespace vek::test
