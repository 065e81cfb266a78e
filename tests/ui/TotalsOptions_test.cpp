// The totals and prefix groups of the writer dialogs, used as a person does: ticked, typed
// into, stored on close and shown again; the subtotal box follows the insertion choice.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "support/ExampleRows.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "ui/frmOutHtml.h"
#include "ui/frmOutText.h"
#include "ui/frmOutXML.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

using test::child;

template <class Dialog>
void chooseTotalsAndPrefix(Settings& settings, bool subtotals) {
  const FileList list = test::listOf({test::ExampleRow(u"/mnt/nas/share/"_s, u"a.txt"_s)});
  test::AnsweringSession answers;
  test::RecordingInteraction interaction;
  Dialog dialog(settings, list, answers.session, interaction);
  dialog.show();
  auto* chkSubtotals = dialog.template findChild<QCheckBox*>(u"chkSubtotals"_s);
  EXPECT_EQ(chkSubtotals != nullptr, subtotals);
  if (subtotals) {
    // Subtotals need the lines at each folder change.
    EXPECT_FALSE(chkSubtotals->isEnabled());
    child<QRadioButton>(&dialog, u"optHeadIns_0"_s)->click();
    child<QRadioButton>(&dialog, u"optInsType_1"_s)->click();
    EXPECT_TRUE(chkSubtotals->isEnabled());
    chkSubtotals->click();
    child<QRadioButton>(&dialog, u"optInsType_0"_s)->click();
    EXPECT_FALSE(chkSubtotals->isEnabled());
    child<QRadioButton>(&dialog, u"optInsType_1"_s)->click();
  }
  child<QCheckBox>(&dialog, u"chkTotals"_s)->click();

  auto* to = child<QLineEdit>(&dialog, u"txtPrefixTo"_s);
  auto* backslash = child<QCheckBox>(&dialog, u"chkPrefixBackslash"_s);
  EXPECT_FALSE(to->isEnabled());
  EXPECT_FALSE(backslash->isEnabled());
  test::clickToFocus(child<QLineEdit>(&dialog, u"txtPrefixFrom"_s));
  test::typeIntoFocus(u"/mnt/nas/share"_s);
  EXPECT_TRUE(to->isEnabled());
  test::clickToFocus(to);
  test::typeIntoFocus(u"\\\\nas\\共有"_s);
  backslash->click();
  dialog.reject();
}

TEST(TotalsOptions, ChosenInEachDialogStoredAndShownAgain) {
  Settings settings;
  chooseTotalsAndPrefix<frmOutText>(settings, true);
  chooseTotalsAndPrefix<frmOutHtml>(settings, true);
  chooseTotalsAndPrefix<frmOutXML>(settings, false);
  const PrefixReplacement prefix{u"/mnt/nas/share"_s, u"\\\\nas\\共有"_s, true};
  for (const ColumnOptions* columns :
       {&settings.csv.columns, &settings.html.columns, &settings.xml.columns}) {
    EXPECT_TRUE(columns->totals);
    EXPECT_EQ(columns->prefix, prefix);
  }
  EXPECT_TRUE(settings.csv.columns.writesSubtotals());
  EXPECT_TRUE(settings.html.columns.writesSubtotals());
  EXPECT_FALSE(settings.xml.columns.subtotals);

  const FileList list;
  test::AnsweringSession answers;
  test::RecordingInteraction interaction;
  frmOutText text(settings, list, answers.session, interaction);
  EXPECT_TRUE(child<QCheckBox>(&text, u"chkTotals"_s)->isChecked());
  EXPECT_TRUE(child<QCheckBox>(&text, u"chkSubtotals"_s)->isChecked());
  EXPECT_TRUE(child<QCheckBox>(&text, u"chkSubtotals"_s)->isEnabled());
  EXPECT_EQ(child<QLineEdit>(&text, u"txtPrefixTo"_s)->text(), u"\\\\nas\\共有"_s);
  EXPECT_TRUE(child<QLineEdit>(&text, u"txtPrefixTo"_s)->isEnabled());
  EXPECT_TRUE(child<QCheckBox>(&text, u"chkPrefixBackslash"_s)->isChecked());
}

}  // namespace
}  // namespace vek
