// The exclude box and the options for hidden files and one file system, used as a person uses
// them: typed into after a click, presets taken with the keyboard, options clicked; the file box
// follows at once, the adds take what it shows, and Vek.ini keeps the choices for the next start.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include "DialogTestSupport.h"
#include "WindowFixture.h"
#include "gather/WalkRules.h"
#include "support/QStringPrinter.h"

namespace vek {
namespace {

using namespace Qt::StringLiterals;
using Window = test::WindowFixture;

void makeProject(test::TempTree& tree) {
  for (const char* name : {"data/a.txt", "data/Thumbs.db", "data/.env", "data/.git/HEAD",
                           "data/sub/b.txt", "data/node_modules/m.js", "data/sub/~$c.docx"})
    tree.file(QString::fromUtf8(name), "x");
}

TEST_F(Window, TheExcludeBoxChangesTheFileBoxAndTheAdds) {
  makeProject(tree);
  open(tree.path(u"data"_s));
  window->show();
  EXPECT_EQ(fileBox(), (QStringList{u"a.txt"_s, u"Thumbs.db"_s}));

  auto* box = child<QComboBox>("cmbExclude");
  test::typeIntoCombo(box, u"thumbs.db;.git;node_modules"_s);
  EXPECT_EQ(box->currentText(), u"thumbs.db;.git;node_modules"_s);
  EXPECT_EQ(fileBox(), (QStringList{u"a.txt"_s}));
  click("cmdAllAppend");
  EXPECT_EQ(listedNames(), (QStringList{u"a.txt"_s, u"b.txt"_s, u"~$c.docx"_s}));

  // The same keys are refused as in the filter box.
  dialogs.beeps = 0;
  test::typeIntoCombo(box, u"a:b"_s);
  EXPECT_EQ(box->currentText(), u"ab"_s);
  EXPECT_EQ(dialogs.beeps, 1);
}

TEST_F(Window, PresetsAndOptionsAreKeptForTheNextStart) {
  makeProject(tree);
  open(tree.path(u"data"_s));
  window->show();
  auto* box = child<QComboBox>("cmbExclude");
  auto* hidden = child<QCheckBox>("chkHiddenFiles");
  auto* oneFileSystem = child<QCheckBox>("chkOneFileSystem");
  EXPECT_EQ(box->currentText(), QString());
  EXPECT_FALSE(hidden->isChecked());
  EXPECT_FALSE(oneFileSystem->isChecked());

  // The arrow keys step through the presets, from the empty box to the second one.
  test::clickToFocus(box);
  test::pressKeyInFocus(Qt::Key_Down);
  test::pressKeyInFocus(Qt::Key_Down);
  EXPECT_EQ(box->currentText(), excludePresets()[1]);
  EXPECT_EQ(fileBox(), (QStringList{u"a.txt"_s}));
  QTest::mouseClick(hidden, Qt::LeftButton);
  EXPECT_EQ(fileBox(), (QStringList{u".env"_s, u"a.txt"_s}));
  QTest::mouseClick(oneFileSystem, Qt::LeftButton);
  click("cmdAllAppend");
  EXPECT_EQ(listedNames(), (QStringList{u".env"_s, u"a.txt"_s, u"b.txt"_s, u"HEAD"_s, u"m.js"_s}));

  window->close();
  const QString ini = iniText();
  EXPECT_TRUE(ini.endsWith(u"[VekWalk]\r\nExclude=\""_s + excludePresets()[1] +
                           u"\"\r\nHiddenFiles=1\r\nOneFileSystem=1\r\n"_s))
      << ini.toStdString();

  open(tree.path(u"data"_s));
  EXPECT_EQ(child<QComboBox>("cmbExclude")->currentText(), excludePresets()[1]);
  EXPECT_TRUE(child<QCheckBox>("chkHiddenFiles")->isChecked());
  EXPECT_TRUE(child<QCheckBox>("chkOneFileSystem")->isChecked());
  EXPECT_EQ(fileBox(), (QStringList{u".env"_s, u"a.txt"_s}));
}

TEST_F(Window, DefaultChoicesLeaveVekIniAsItWas) {
  open();
  window->close();
  EXPECT_FALSE(iniText().contains(u"VekWalk"_s));
}

}  // namespace
}  // namespace vek
