// The writer and settings dialogs as the main window opens them: the export buttons and the
// options menu, and files written from the window that are byte for byte what a batch run
// writes with the same options.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeWidget>

#include "WindowFixture.h"
#include "support/MissingHere.h"
#include "support/QStringPrinter.h"
#include "ui/ColourLabel.h"
#include "ui/frmDateSetting.h"
#include "ui/frmHeadComment.h"
#include "ui/frmOption.h"
#include "ui/frmOutHtml.h"
#include "ui/frmOutText.h"
#include "ui/frmOutXML.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

class WindowExport : public test::WindowFixture {
 protected:
  template <typename T>
  T* dialogControl(QDialog* dialog, const char* name) const {
    T* found = dialog->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  // Runs the program as a batch on the window's program folder; true when it wrote its file.
  bool runBatch(const QStringList& arguments) const {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"VEK_HOME"_s, tree.path(u"program"_s));
    process.setProcessEnvironment(environment);
    process.start(qEnvironmentVariable("VEK_EXE"), arguments);
    if (!process.waitForFinished(60000)) return false;
    EXPECT_EQ(process.readAllStandardError(), QByteArray());
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
  }
};

// The file menu's workbook and JSON items open the CSV/text dialog with that type chosen, its
// create button saying so; with nothing listed they give the buttons' refusal.
TEST_F(WindowExport, TheFileMenuOpensTheWorkbookAndJsonExports) {
  tree.file(u"x/a.txt"_s, "abc");
  open(tree.path(u"x"_s));
  child<QAction>("mOutJson")->trigger();
  EXPECT_EQ(shownDialog<frmOutText>(), nullptr);
  EXPECT_EQ(dialogs.messages.size(), 1u);
  click("cmdAppend");
  for (const auto& [item, type, caption] :
       {std::tuple{"mOutWorkbook", "optType_2", u"Excelブックの作成"_s},
        std::tuple{"mOutJson", "optType_3", u"JSONファイルの作成"_s}}) {
    child<QAction>(item)->trigger();
    auto* dialog = shownDialog<frmOutText>();
    ASSERT_NE(dialog, nullptr) << item;
    EXPECT_TRUE(dialogControl<QRadioButton>(dialog, type)->isChecked()) << item;
    EXPECT_EQ(dialogControl<QPushButton>(dialog, "cmdTextCreate")->text(), caption);
    dialog->close();
  }
}

TEST_F(WindowExport, TheOptionsMenuOpensTheSettingsDialogsAndOkGreysAllAppendAtOnce) {
  open();
  auto* allAppend = child<QPushButton>("cmdAllAppend");
  ASSERT_TRUE(allAppend->isEnabled());
  for (bool hide : {true, false}) {
    child<QAction>("mSetting")->trigger();
    frmOption* dialog = shownDialog<frmOption>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isModal());
    auto* check = dialogControl<QCheckBox>(dialog, "chkAllAppend");
    if (check->isChecked() != hide) check->click();
    dialogControl<QPushButton>(dialog, "cmdOK")->click();
    EXPECT_EQ(allAppend->isEnabled(), !hide);
    EXPECT_FALSE(allAppend->isHidden());
    EXPECT_EQ(window->settings().option.allAppend, hide ? 1 : 0);
  }

  child<QAction>("mHeadEdit")->trigger();
  ASSERT_NE(shownDialog<frmHeadComment>(), nullptr);
  clickInDialog<frmHeadComment>("cmdCansel");
  child<QAction>("mDateFormat")->trigger();
  ASSERT_NE(shownDialog<frmDateSetting>(), nullptr);
  clickInDialog<frmDateSetting>("cmdCansel");
  EXPECT_EQ(shownDialog<QDialog>(), nullptr);
}

TEST_F(WindowExport, EachWriterDialogWritesWhatTheBatchRunWrites) {
  if (qEnvironmentVariableIsEmpty("VEK_EXE"))
    VEK_SKIP_WHERE_MISSING("VEK_EXE not set (run by CTest)");
  for (const char* name : {"a.txt", "b b.csv", "c,d.txt", "日本語 & <x>.html", "noext"})
    tree.file(u"data/"_s + QString::fromUtf8(name), QByteArray(1500, 'x'));
  tree.folder(u"out"_s);
  const QString data = tree.path(u"data"_s);
  open(data);
  click("cmdAppend");
  ASSERT_EQ(window->list().count(), 5);

  // CSV with CR line ends, the size in bytes and blank lines every two rows. The batch runs
  // read the options the dialogs stored last, so the text run below changes only the type and
  // the separator.
  dialogs.saveFiles = {tree.path(u"out/window.csv"_s)};
  click("cmdOutList");
  frmOutText* text = shownDialog<frmOutText>();
  ASSERT_NE(text, nullptr);
  dialogControl<QRadioButton>(text, "optRetCode_1")->click();
  dialogControl<QRadioButton>(text, "optSize_0")->click();
  dialogControl<QCheckBox>(text, "chkDateModifi")->click();
  dialogControl<QRadioButton>(text, "optHeadIns_0")->click();
  dialogControl<QScrollBar>(text, "cscHeadInterval")->setValue(2);
  clickInDialog<frmOutText>("cmdTextCreate");
  ASSERT_EQ(shownDialog<frmOutText>(), nullptr);

  // Text with a separator typed into the box.
  dialogs.saveFiles = {tree.path(u"out/window.txt"_s)};
  click("cmdOutList");
  text = shownDialog<frmOutText>();
  ASSERT_NE(text, nullptr);
  dialogControl<QRadioButton>(text, "optType_1")->click();
  dialogControl<QComboBox>(text, "cmbSepa")->setEditText(u" | "_s);
  clickInDialog<frmOutText>("cmdTextCreate");
  ASSERT_EQ(shownDialog<frmOutText>(), nullptr);

  // HTML with a title, a colour, links and the full path in "file:" form.
  dialogs.saveFiles = {tree.path(u"out/window.html"_s)};
  click("cmdOutHtml");
  frmOutHtml* html = shownDialog<frmOutHtml>();
  ASSERT_NE(html, nullptr);
  dialogControl<QLineEdit>(html, "txtTitle")->setText(u"一覧"_s);
  html->setColourChooser([](const QColor&, QWidget*) { return QColor(1, 2, 3); });
  Q_EMIT dialogControl<ColourLabel>(html, "lblTableColorA")->clicked();
  dialogControl<QCheckBox>(html, "chkLink")->click();
  dialogControl<QCheckBox>(html, "chkFullPath")->click();
  dialogControl<QCheckBox>(html, "chkPathType")->click();
  clickInDialog<frmOutHtml>("cmdHtmlCreate");
  ASSERT_EQ(shownDialog<frmOutHtml>(), nullptr);

  // XML in Shift_JIS with CR LF line breaks and a renamed element.
  dialogs.saveFiles = {tree.path(u"out/window.xml"_s)};
  click("cmdOutXML");
  frmOutXML* xml = shownDialog<frmOutXML>();
  ASSERT_NE(xml, nullptr);
  dialogControl<QRadioButton>(xml, "optStrCode_1")->click();
  dialogControl<QCheckBox>(xml, "chkInsCrLf")->click();
  xml->node(u"finfo"_s)->setText(0, u"ファイル"_s);
  clickInDialog<frmOutXML>("cmdXmlCreate");
  ASSERT_EQ(shownDialog<frmOutXML>(), nullptr);
  EXPECT_TRUE(dialogs.messages.empty());

  // Closing the window stores the options the dialogs left in Vek.ini for the batch runs.
  window->close();
  const QString out = tree.path(u"out"_s);
  const QStringList common = {u"/I"_s, data, u"/O"_s, out, u"/S"_s, u"1"_s};
  ASSERT_TRUE(runBatch(common + QStringList{u"/T"_s, u"CSV"_s, u"/F"_s, u"batch"_s}));
  ASSERT_TRUE(runBatch(common + QStringList{u"/T"_s, u"TEXT"_s, u"/F"_s, u"batch"_s}));
  ASSERT_TRUE(
      runBatch(common + QStringList{u"/T"_s, u"HTML"_s, u"/F"_s, u"batch"_s, u"/N"_s, u"一覧"_s}));
  ASSERT_TRUE(runBatch(common + QStringList{u"/T"_s, u"XML"_s, u"/F"_s, u"batch"_s}));
  for (const char* extension : {"csv", "txt", "html", "xml"}) {
    SCOPED_TRACE(extension);
    const QByteArray windowBytes = tree.read(u"out/window."_s + QString::fromLatin1(extension));
    EXPECT_FALSE(windowBytes.isEmpty());
    const QByteArray batchBytes = tree.read(u"out/batch."_s + QString::fromLatin1(extension));
    EXPECT_EQ(windowBytes, batchBytes);
  }
  // The options were really in force.
  EXPECT_TRUE(tree.read(u"out/window.csv"_s).contains(" 1500 Byte,"));
  EXPECT_TRUE(tree.read(u"out/window.txt"_s).contains("a.txt | "));
  EXPECT_TRUE(tree.read(u"out/window.html"_s).contains("#010203"));
  EXPECT_TRUE(tree.read(u"out/window.xml"_s).contains("encoding=\"Shift_JIS\""));
}

}  // namespace
}  // namespace vek
