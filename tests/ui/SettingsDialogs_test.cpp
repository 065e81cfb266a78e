// The three settings dialogs: OK stores, Cancel and Esc discard, Enter confirms from the listed
// controls, F1 opens the manual, the date preview and its refusal of a pattern that fails.
#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/ScopedEnvironment.h"
#include "support/TempTree.h"
#include "ui/frmDateSetting.h"
#include "ui/frmHeadComment.h"
#include "ui/frmOption.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

using test::child;
using test::pressKey;

const char* const kCaptionBoxes[] = {"txtFullPath",  "txtDir",        "txtFile",
                                     "txtFileType",  "txtFileSize",   "txtCreateDate",
                                     "txtAccessDate", "txtUpdateDate"};

TEST(frmOption, LoadsTheOptionsAndStoresThemOnlyOnOk) {
  Settings settings;
  settings.option.overLap = 1;
  settings.option.dropFolder = 1;
  test::AnsweringSession answers;
  for (bool confirm : {false, true}) {
    frmOption dialog(settings, answers.session);
    std::vector<bool> allAppend;
    QObject::connect(&dialog, &frmOption::allAppendChanged,
                     [&](bool disabled) { allAppend.push_back(disabled); });
    dialog.show();
    EXPECT_TRUE(child<QCheckBox>(&dialog, u"chkCyohuku"_s)->isChecked());
    EXPECT_FALSE(child<QCheckBox>(&dialog, u"chkOpenDoc"_s)->isChecked());
    EXPECT_TRUE(child<QRadioButton>(&dialog, u"optDropItem_1"_s)->isChecked());
    test::click(child<QCheckBox>(&dialog, u"chkCyohuku"_s));
    test::click(child<QCheckBox>(&dialog, u"chkOpenDoc"_s));
    test::click(child<QCheckBox>(&dialog, u"chkAllAppend"_s));
    test::click(child<QCheckBox>(&dialog, u"chkDefaultTitle"_s));
    test::click(child<QRadioButton>(&dialog, u"optDropItem_0"_s));
    if (!confirm) {
      child<QPushButton>(&dialog, u"cmdCansel"_s)->click();
      EXPECT_EQ(settings.option, [] {
        OptionSettings o;
        o.overLap = 1;
        o.dropFolder = 1;
        return o;
      }());
      EXPECT_TRUE(allAppend.empty());
    } else {
      child<QPushButton>(&dialog, u"cmdOK"_s)->click();
      EXPECT_EQ(settings.option.overLap, 0);
      EXPECT_EQ(settings.option.listOpen, 1);
      EXPECT_EQ(settings.option.allAppend, 1);
      EXPECT_EQ(settings.option.defaultTitle, 1);
      EXPECT_EQ(settings.option.dropFolder, 0);
      EXPECT_EQ(allAppend, std::vector<bool>{true});
    }
    EXPECT_FALSE(dialog.isVisible());
  }
}

TEST(frmOption, EnterOnAListedControlConfirmsAndF1OpensTheManual) {
  test::TempTree home;
  const QString manual = home.file(u"readme.htm"_s, "<html></html>");
  test::ScopedEnvironment environment;
  environment.set("VEK_HOME", home.root().toUtf8());
  Settings settings;
  test::AnsweringSession answers;
  frmOption dialog(settings, answers.session);
  dialog.show();
  pressKey(child<QCheckBox>(&dialog, u"chkOpenDoc"_s), Qt::Key_F1);
  EXPECT_EQ(answers.opened, QStringList{manual});
  EXPECT_TRUE(dialog.isVisible());
  test::click(child<QCheckBox>(&dialog, u"chkOpenDoc"_s));
  pressKey(child<QCheckBox>(&dialog, u"chkOpenDoc"_s), Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(settings.option.listOpen, 1);
}

TEST(frmHeadComment, EnterInACaptionBoxStoresAllEightAndEscDiscards) {
  for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    Settings settings;
    test::AnsweringSession answers;
    frmHeadComment dialog(settings, answers.session);
    dialog.show();
    for (int i = 0; i < kColumnCount; ++i) {
      auto* box = child<QLineEdit>(&dialog, QString::fromLatin1(kCaptionBoxes[i]));
      EXPECT_EQ(box->text(), Settings().headComment[std::size_t(i)]);
      box->setText(i == 3 ? QString() : u"列"_s + QString::number(i));
    }
    pressKey(child<QLineEdit>(&dialog, u"txtFileSize"_s), key);
    EXPECT_FALSE(dialog.isVisible());
    if (key == Qt::Key_Escape) {
      EXPECT_EQ(settings.headComment, Settings().headComment);
    } else {
      EXPECT_EQ(settings.headComment[0], u"列0"_s);
      EXPECT_EQ(settings.headComment[3], QString());  // an emptied caption is stored empty
      EXPECT_EQ(settings.headComment[7], u"列7"_s);
    }
  }
}

TEST(frmHeadComment, DefaultsThenCancelLeavesTheCaptionsAndDefaultsThenOkStoresThem) {
  for (bool confirm : {false, true}) {
    Settings settings;
    for (QString& caption : settings.headComment) caption = u"x"_s;
    test::AnsweringSession answers;
    frmHeadComment dialog(settings, answers.session);
    dialog.show();
    child<QPushButton>(&dialog, u"cmdDefault"_s)->click();
    EXPECT_EQ(child<QLineEdit>(&dialog, u"txtAccessDate"_s)->text(), u"アクセス日付"_s);
    EXPECT_TRUE(dialog.isVisible());
    child<QPushButton>(&dialog, confirm ? u"cmdOK"_s : u"cmdCansel"_s)->click();
    EXPECT_EQ(settings.headComment[6], confirm ? u"アクセス日付"_s : u"x"_s);
  }
}

TEST(frmHeadComment, EnteringABoxSelectsItsWholeText) {
  Settings settings;
  test::AnsweringSession answers;
  frmHeadComment dialog(settings, answers.session);
  dialog.show();
  auto* box = child<QLineEdit>(&dialog, u"txtDir"_s);
  QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(box, &focus);
  QCoreApplication::processEvents();
  EXPECT_EQ(box->selectedText(), u"ディレクトリ"_s);
}

QDateTime fixedNow() {
  return QDateTime(QDate(2005, 8, 18), QTime(14, 3, 9));
}

// The date dialog over a fixed clock, whose session and messages the test answers and records;
// the settings can be changed before the dialog is opened.
class DateSettingTest : public testing::Test {
 protected:
  std::unique_ptr<frmDateSetting> open() {
    auto dialog = std::make_unique<frmDateSetting>(settings, answers.session, interaction);
    dialog->setClock(fixedNow);
    dialog->show();
    return dialog;
  }

  Settings settings;
  test::AnsweringSession answers;
  test::RecordingInteraction interaction;
};

TEST_F(DateSettingTest, AStoredPatternThatFailsIsShownAtOnceAndRefusedUntilCorrected) {
  settings.option.dateFormat = u"YYYY\"年"_s;  // an unterminated quote
  const auto dialog = open();
  auto* after = child<QLabel>(dialog.get(), u"lblAfterDate"_s);
  EXPECT_EQ(after->text(), u"日付書式が不正です"_s);
  EXPECT_TRUE(dialog->formatError());

  child<QPushButton>(dialog.get(), u"cmdOK"_s)->click();
  EXPECT_TRUE(dialog->isVisible());
  ASSERT_EQ(interaction.messages.size(), 1u);
  EXPECT_EQ(interaction.messages[0].title, u"日付書式異常"_s);
  EXPECT_EQ(interaction.messages[0].text, u"日付書式が不正です、正しい書式を選択／入力してください。"_s);
  EXPECT_EQ(settings.option.dateFormat, u"YYYY\"年"_s);

  // Corrected: accepted at once, without waiting for the next tick.
  child<QComboBox>(dialog.get(), u"cmbDateFormat"_s)->setEditText(u"YYYY\"年\""_s);
  EXPECT_EQ(after->text(), u"2005年"_s);
  test::clickToFocus(child<QComboBox>(dialog.get(), u"cmbDateFormat"_s));
  test::pressKeyInFocus(Qt::Key_Return);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(interaction.messages.size(), 1u);
  EXPECT_EQ(settings.option.dateFormat, u"YYYY\"年\""_s);
}

TEST(frmDateSetting, ThePresetsInOrderAndTheirPreview) {
  Settings settings;
  test::AnsweringSession answers;
  test::RecordingInteraction interaction;
  frmDateSetting dialog(settings, answers.session, interaction);
  dialog.setClock(fixedNow);
  auto* combo = child<QComboBox>(&dialog, u"cmbDateFormat"_s);
  const QStringList expected = {u"YYYY/MM/DD HH:MM:SS"_s, u"YYYY/MM/DD"_s, u"HH:MM:SS"_s,
                                u"YYYY年MM月DD日 HH時MM分SS秒"_s, u"YYYY年MM月DD日"_s,
                                u"HH時MM分SS秒"_s, u"ggge年M月D日(aaa)"_s,
                                u"dddd, mmm d yyyy"_s, u"HH:MM:SS AMPM"_s};
  ASSERT_EQ(combo->count(), expected.size());
  for (int i = 0; i < combo->count(); ++i) EXPECT_EQ(combo->itemText(i), expected[i]);
  EXPECT_EQ(combo->currentText(), u"YYYY/MM/DD HH:MM:SS"_s);
  auto* after = child<QLabel>(&dialog, u"lblAfterDate"_s);
  EXPECT_EQ(after->text(), u"2005/08/18 14:03:09"_s);
  combo->setCurrentIndex(3);
  EXPECT_EQ(after->text(), u"2005年08月18日 14時03分09秒"_s);
  EXPECT_FALSE(child<QLabel>(&dialog, u"lblBeforeDate"_s)->text().isEmpty());

  auto* timer = child<QTimer>(&dialog, u"timPrintDate"_s);
  EXPECT_EQ(timer->interval(), 1000);
  EXPECT_FALSE(timer->isActive());
  dialog.show();
  EXPECT_TRUE(timer->isActive());
  test::clickToFocus(combo);
  test::pressKeyInFocus(Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(timer->isActive());
  EXPECT_EQ(settings.option.dateFormat, u"YYYY/MM/DD HH:MM:SS"_s);
}

// A typed pattern that begins like a preset stays what was typed.
TEST_F(DateSettingTest, TypingIsNotCompletedFromThePresets) {
  const auto dialog = open();
  auto* combo = child<QComboBox>(dialog.get(), u"cmbDateFormat"_s);
  test::typeIntoCombo(combo, u"YYYY/MM"_s);
  EXPECT_EQ(combo->currentText(), u"YYYY/MM"_s);
  EXPECT_EQ(child<QLabel>(dialog.get(), u"lblAfterDate"_s)->text(), u"2005/08"_s);
  test::pressKeyInFocus(Qt::Key_Return);
  EXPECT_EQ(settings.option.dateFormat, u"YYYY/MM"_s);
}

TEST_F(DateSettingTest, EnterOnAFocusedCancelButtonCancels) {
  const auto dialog = open();
  child<QComboBox>(dialog.get(), u"cmbDateFormat"_s)->setEditText(u"YYYY"_s);
  auto* cancel = child<QPushButton>(dialog.get(), u"cmdCansel"_s);
  pressKey(cancel, Qt::Key_Return);
  pressKey(cancel, Qt::Key_Space);  // a focused button is pressed by Space or Enter
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(settings.option.dateFormat, u"YYYY/MM/DD HH:MM:SS"_s);
}

}  // namespace
}  // namespace vek
