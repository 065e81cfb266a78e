// The shared column group and insertion group: what each tick enables, caption colours, and a
// disabled option keeping its value.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>

#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "ui/CaptionColour.h"
#include "ui/framJoho.h"
#include "ui/frmHeadIns.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

using test::child;

TEST(framJoho, EachTickEnablesExactlyTheControlsItShapes) {
  const struct {
    const char* check;
    std::vector<const char*> dependents;
  } rules[] = {
      {"chkFullPath", {"chkPathType"}},
      {"chkDir", {"optDir_0", "optDir_1", "optDir_2"}},
      {"chkFile", {"chkAndName"}},
      {"chkSize", {"optSize_0", "optSize_1", "optSize_2", "chkAddUnit"}},
  };
  framJoho frame(framJoho::defaultCaption());
  for (const auto& rule : rules) {
    SCOPED_TRACE(rule.check);
    auto* check = child<QCheckBox>(&frame, QString::fromLatin1(rule.check));
    for (bool ticked : {true, false, true}) {
      if (check->isChecked() != ticked) test::click(check);
      EXPECT_EQ(isCaptionBlue(check), ticked);
      for (const char* name : rule.dependents)
        EXPECT_EQ(child<QWidget>(&frame, QString::fromLatin1(name))->isEnabled(), ticked) << name;
    }
  }
  // The other four columns enable nothing, but their captions follow their ticks too.
  for (const char* name : {"chkExtend", "chkDateCreate", "chkDateAccess", "chkDateModifi"}) {
    auto* check = child<QCheckBox>(&frame, QString::fromLatin1(name));
    test::click(check);
    EXPECT_EQ(isCaptionBlue(check), check->isChecked()) << name;
  }
}

TEST(framJoho, LoadSetsEveryControlAndADisabledOptionKeepsItsValue) {
  ColumnOptions options;
  options.chkPath = 0;
  options.chkPathType = 1;
  options.chkDir = 0;
  options.optDirType = DirType::LastName;
  options.chkFile = 0;
  options.chkExtAdd = 1;
  options.chkSize = 0;
  options.optSizeType = SizeUnit::Bytes;
  options.chkAddUnit = 1;
  framJoho frame(framJoho::defaultCaption());
  frame.load(options);

  auto* optDir2 = child<QRadioButton>(&frame, u"optDir_2"_s);
  EXPECT_TRUE(optDir2->isChecked());
  EXPECT_FALSE(optDir2->isEnabled());
  EXPECT_TRUE(isCaptionBlue(optDir2));
  EXPECT_FALSE(isCaptionBlue(child<QRadioButton>(&frame, u"optDir_0"_s)));
  auto* andName = child<QCheckBox>(&frame, u"chkAndName"_s);
  EXPECT_TRUE(andName->isChecked());
  EXPECT_FALSE(andName->isEnabled());
  EXPECT_FALSE(child<QCheckBox>(&frame, u"chkPathType"_s)->isEnabled());
  EXPECT_FALSE(child<QCheckBox>(&frame, u"chkAddUnit"_s)->isEnabled());

  ColumnOptions stored;
  frame.store(stored);
  EXPECT_EQ(stored.chkPathType, 1);
  EXPECT_EQ(stored.optDirType, DirType::LastName);
  EXPECT_EQ(stored.chkExtAdd, 1);
  EXPECT_EQ(stored.optSizeType, SizeUnit::Bytes);
  EXPECT_EQ(stored.chkAddUnit, 1);
}

TEST(framJoho, SelectingAnOptionTurnsOnlyItBlue) {
  framJoho frame(framJoho::defaultCaption());
  test::click(child<QRadioButton>(&frame, u"optSize_2"_s));
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(isCaptionBlue(child<QRadioButton>(&frame, u"optSize_"_s + QString::number(i))),
              i == 2);
}

TEST(frmHeadIns, NotInsertingDisablesTheFiveIntervalControls) {
  frmHeadIns group(u"空白行の挿入"_s);
  ColumnOptions options;
  options.optHeadInsert = HeadInsert::On;
  group.load(options);
  const char* controls[] = {"lblHeadInterval", "cscHeadInterval", "lblHeadInteval", "optInsType_0",
                            "optInsType_1"};
  for (const char* name : controls)
    EXPECT_TRUE(child<QWidget>(&group, QString::fromLatin1(name))->isEnabled()) << name;
  test::click(child<QRadioButton>(&group, u"optHeadIns_1"_s));
  for (const char* name : controls)
    EXPECT_FALSE(child<QWidget>(&group, QString::fromLatin1(name))->isEnabled()) << name;
  test::click(child<QRadioButton>(&group, u"optHeadIns_0"_s));
  for (const char* name : controls)
    EXPECT_TRUE(child<QWidget>(&group, QString::fromLatin1(name))->isEnabled()) << name;
}

TEST(frmHeadIns, TheIntervalLabelFollowsTheScrollBarAndIsWhatIsStored) {
  frmHeadIns group(u"空白行の挿入"_s);
  ColumnOptions options;
  options.optHeadInsert = HeadInsert::On;
  options.optHeadInsertType = HeadInsertAt::EveryInterval;
  options.valHeadInterval = 7;
  group.load(options);
  auto* label = child<QLabel>(&group, u"lblHeadInterval"_s);
  auto* bar = child<QScrollBar>(&group, u"cscHeadInterval"_s);
  EXPECT_EQ(label->text(), u"7"_s);
  EXPECT_TRUE(isCaptionBlue(child<QLabel>(&group, u"lblHeadInteval"_s)));
  bar->setValue(42);
  EXPECT_EQ(label->text(), u"42"_s);
  test::click(child<QRadioButton>(&group, u"optInsType_1"_s));
  EXPECT_FALSE(isCaptionBlue(child<QLabel>(&group, u"lblHeadInteval"_s)));

  ColumnOptions stored;
  group.store(stored);
  EXPECT_EQ(stored.valHeadInterval, 42);
  EXPECT_EQ(stored.optHeadInsertType, HeadInsertAt::FolderChange);
  EXPECT_EQ(stored.optHeadInsert, HeadInsert::On);
}

TEST(frmHeadIns, AnIntervalOutsideTheBarsRangeIsBroughtToItsNearestEnd) {
  for (const auto& [stored, shown] : {std::pair{250, 100}, std::pair{0, 1}, std::pair{100, 100}}) {
    frmHeadIns group(u"見出し行の挿入"_s);
    ColumnOptions options;
    options.valHeadInterval = stored;
    group.load(options);
    EXPECT_EQ(child<QLabel>(&group, u"lblHeadInterval"_s)->text(), QString::number(shown));
    EXPECT_EQ(child<QScrollBar>(&group, u"cscHeadInterval"_s)->value(), shown);
  }
}

// The delivery choices by mouse and keyboard: the relative path ticked, the digest chosen in
// the box reached with Tab, the checksum file ticked; stored, and loaded back.
TEST(framJoho, RelativePathDigestAndChecksumFileAsAPersonChoosesThem) {
  framJoho frame(framJoho::defaultCaption());
  frame.show();
  QApplication::setActiveWindow(&frame);
  auto* relPath = child<QCheckBox>(&frame, u"chkRelPath"_s);
  auto* hash = child<QComboBox>(&frame, u"cmbHash"_s);
  EXPECT_EQ(hash->currentText(), u"なし"_s);
  QStringList items;
  for (int i = 0; i < hash->count(); ++i) items << hash->itemText(i);
  EXPECT_EQ(items, (QStringList{u"なし"_s, u"MD5"_s, u"SHA-1"_s, u"SHA-256"_s}));

  test::clickToFocus(relPath);
  EXPECT_TRUE(relPath->isChecked());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), hash);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
  EXPECT_EQ(hash->currentText(), u"SHA-256"_s);
  test::click(child<QCheckBox>(&frame, u"chkSumFile"_s));

  ColumnOptions stored;
  frame.store(stored);
  EXPECT_TRUE(stored.chkRelPath);
  EXPECT_EQ(stored.hash, HashKind::Sha256);
  EXPECT_TRUE(stored.checksumFile);
  // The eight columns are as they were.
  ColumnOptions eight = stored;
  eight.chkRelPath = false;
  eight.hash = HashKind::None;
  eight.checksumFile = false;
  EXPECT_EQ(eight, ColumnOptions());

  stored.hash = HashKind::Md5;
  framJoho other(framJoho::defaultCaption());
  other.load(stored);
  EXPECT_EQ(child<QComboBox>(&other, u"cmbHash"_s)->currentText(), u"MD5"_s);
  EXPECT_TRUE(child<QCheckBox>(&other, u"chkRelPath"_s)->isChecked());
  EXPECT_TRUE(child<QCheckBox>(&other, u"chkSumFile"_s)->isChecked());
}

}  // namespace
}  // namespace vek
