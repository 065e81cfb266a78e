// Pictures of the dialogs for docs/, taken only when VEK_SCREENSHOTS names a folder (see
// scripts/screenshots, which runs this under xvfb-run with the Noto CJK fonts). Skipped
// otherwise.
#include <QDir>
#include <QPixmap>

#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "support/ExampleRows.h"
#include "support/RecordingInteraction.h"
#include "ui/frmDateSetting.h"
#include "ui/frmHeadComment.h"
#include "ui/frmOption.h"
#include "ui/frmOutHtml.h"
#include "ui/frmOutText.h"
#include "ui/frmOutXML.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

void save(QWidget& dialog, const QString& name) {
  dialog.show();
  dialog.adjustSize();
  QCoreApplication::processEvents();
  const QString path = QDir(qEnvironmentVariable("VEK_SCREENSHOTS")).filePath(name);
  EXPECT_TRUE(dialog.grab().save(path)) << path.toStdString();
  dialog.hide();
}

TEST(Screenshots, EveryDialog) {
  if (qEnvironmentVariableIsEmpty("VEK_SCREENSHOTS")) GTEST_SKIP() << "VEK_SCREENSHOTS not set";
  Settings settings;
  settings.csv.fileType = ListFileType::Text;
  settings.csv.columns.optHeadInsert = HeadInsert::On;
  settings.xml.crLfCheck = 1;
  const FileList list = test::listOf({test::ExampleRow(u"/home/user/資料/"_s, u"a.txt"_s)});
  test::AnsweringSession answers;
  test::RecordingInteraction interaction;

  frmOutText text(settings, list, answers.session, interaction);
  save(text, u"dialog-text.png"_s);
  frmOutHtml html(settings, list, answers.session, interaction);
  save(html, u"dialog-html.png"_s);
  frmOutXML xml(settings, list, answers.session, interaction);
  save(xml, u"dialog-xml.png"_s);
  frmOption option(settings, answers.session);
  save(option, u"dialog-option.png"_s);
  frmHeadComment headComment(settings, answers.session);
  save(headComment, u"dialog-head-comment.png"_s);
  frmDateSetting date(settings, answers.session, interaction);
  date.setClock([] { return QDateTime(QDate(2026, 12, 7), QTime(9, 41, 5)); });
  save(date, u"dialog-date-setting.png"_s);
}

}  // namespace
}  // namespace vek
