// frmOutText's text encoding, formula guard and Excel workbook: chosen as a person does,
// written, stored and shown again at the next opening.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "support/ExampleRows.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"
#include "support/XlsxReadBack.h"
#include "ui/frmOutText.h"
#include "writers/TextListExport.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

using test::child;
using test::ExampleRow;
using test::listOf;

FileList awkwardList() {
  return listOf({ExampleRow(u"/data/"_s, u"=1+1.txt"_s), ExampleRow(u"/data/"_s, u"😀.txt"_s),
                 ExampleRow(u"/data/"_s, u"髙.txt"_s), ExampleRow(u"/data/"_s, u"😀2.txt"_s)});
}

// Picks an entry of a drop-down list as a person does: a click opens it, the arrow keys move to
// the entry and Enter takes it.
void pickWithKeys(QComboBox* combo, int index) {
  test::clickToFocus(combo);
  for (int i = combo->currentIndex(); i < index; ++i)
    test::pressKey(QApplication::focusWidget(), Qt::Key_Down);
  test::pressKey(QApplication::focusWidget(), Qt::Key_Return);
}

TEST(frmOutText, TheEncodingAndGuardChosenAreWrittenStoredAndShownAgain) {
  Settings settings;
  const FileList list = awkwardList();
  test::AnsweringSession answers;
  test::TempTree tree;
  answers.answerPath = tree.path(u"list.csv"_s);
  test::RecordingInteraction interaction;
  {
    frmOutText dialog(settings, list, answers.session, interaction);
    dialog.show();
    auto* code = child<QComboBox>(&dialog, u"cmbTextCode"_s);
    EXPECT_EQ(code->currentIndex(), 0);  // the system's, as always
    pickWithKeys(code, 3);
    EXPECT_EQ(code->currentText(), u"Shift_JIS（CP932）"_s);
    test::click(child<QCheckBox>(&dialog, u"chkFormulaGuard"_s));
    child<QPushButton>(&dialog, u"cmdTextCreate"_s)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  }
  EXPECT_EQ(settings.listFile.encoding, ListEncoding::Cp932);
  EXPECT_TRUE(settings.listFile.formulaGuard);
  EXPECT_FALSE(settings.listFile.workbook);

  // The file: Shift_JIS, the formula guarded, and the person told of the two rows with "?".
  test::RecordingInteraction quiet;
  ASSERT_TRUE(createTextList(tree.path(u"expected.csv"_s), list, settings, quiet, false, u","_s,
                             {ListEncoding::Cp932, true}, ReplacedRowsReport::EveryRow));
  EXPECT_EQ(tree.read(u"list.csv"_s), tree.read(u"expected.csv"_s));
  EXPECT_TRUE(tree.read(u"list.csv"_s).contains("/data,'=1+1.txt,"));
  ASSERT_EQ(interaction.messages.size(), 1u);
  EXPECT_TRUE(interaction.messages[0].text.contains(u"を含む行が 2 行あったため"_s));
  EXPECT_TRUE(interaction.messages[0].text.endsWith(u"\r\n最初の行: /data/😀.txt"_s));

  frmOutText again(settings, list, answers.session, interaction);
  EXPECT_EQ(child<QComboBox>(&again, u"cmbTextCode"_s)->currentText(), u"Shift_JIS（CP932）"_s);
  EXPECT_TRUE(child<QCheckBox>(&again, u"chkFormulaGuard"_s)->isChecked());
}

TEST(frmOutText, TheWorkbookTypeWritesAnXlsxAndIsShownAgain) {
  Settings settings;
  settings.csv.fileType = ListFileType::Text;
  const FileList list = awkwardList();
  test::AnsweringSession answers;
  test::TempTree tree;
  answers.answerPath = tree.path(u"list.xlsx"_s);
  test::RecordingInteraction interaction;
  {
    frmOutText dialog(settings, list, answers.session, interaction);
    dialog.show();
    auto* create = child<QPushButton>(&dialog, u"cmdTextCreate"_s);
    test::click(child<QRadioButton>(&dialog, u"optType_2"_s));
    EXPECT_EQ(create->text(), u"Excelブックの作成"_s);
    // Line ends, separator and encoding mean nothing to a workbook.
    EXPECT_FALSE(child<QWidget>(&dialog, u"fraTextCode"_s)->isEnabled());
    EXPECT_FALSE(child<QWidget>(&dialog, u"fraReturnCode"_s)->isEnabled());
    EXPECT_FALSE(child<QWidget>(&dialog, u"fraSepa"_s)->isEnabled());
    create->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  }
  EXPECT_EQ(answers.filters, QStringList{u"Excelﾌﾞｯｸ|*.xlsx"_s});
  EXPECT_TRUE(interaction.messages.empty());
  EXPECT_TRUE(settings.listFile.workbook);
  EXPECT_EQ(settings.csv.fileType, ListFileType::Text);  // the Csv section keeps the text type

  // The workbook holds what the CSV of the same list holds.
  test::RecordingInteraction quiet;
  ASSERT_TRUE(createTextList(tree.path(u"list.csv"_s), list, settings, quiet, false, u","_s,
                             {ListEncoding::Utf8, false}, ReplacedRowsReport::EveryRow));
  const test::XlsxReadBack back =
      test::compareXlsxWithCsv(tree.path(u"list.xlsx"_s), tree.path(u"list.csv"_s));
  EXPECT_TRUE(back.matches) << back.difference.toStdString();

  frmOutText again(settings, list, answers.session, interaction);
  EXPECT_TRUE(child<QRadioButton>(&again, u"optType_2"_s)->isChecked());
  EXPECT_EQ(child<QPushButton>(&again, u"cmdTextCreate"_s)->text(), u"Excelブックの作成"_s);
  test::click(child<QRadioButton>(&again, u"optType_1"_s));
  again.reject();
  EXPECT_FALSE(settings.listFile.workbook);
}

}  // namespace
}  // namespace vek
