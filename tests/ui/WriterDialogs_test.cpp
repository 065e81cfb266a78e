// The three writer dialogs: loading and storing every option, the create steps around the
// writers (column check, save question, failure, opening the written file) and what only one
// dialog has (separator history, colours, element names).
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <unistd.h>

#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "core/platform/OutputFile.h"
#include "support/ExampleRows.h"
#include "support/FileSizeLimit.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"
#include "support/Unprivileged.h"
#include "ui/CaptionColour.h"
#include "ui/ColourLabel.h"
#include "ui/frmOutHtml.h"
#include "ui/frmOutText.h"
#include "ui/frmOutXML.h"
#include "writers/ColumnCells.h"
#include "writers/HtmlListExport.h"
#include "writers/TextListExport.h"
#include "writers/XmlListExport.h"
#include "writers/XmlListWriter.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

using test::child;
using test::ExampleRow;
using test::listOf;

// Every column option the other way round from its default.
ColumnOptions unusualColumns() {
  ColumnOptions c;
  c.chkPath = 1;
  c.chkPathType = 1;
  c.chkDir = 0;
  c.optDirType = DirType::LastName;
  c.chkFile = 0;
  c.chkExtAdd = 0;
  c.chkExt = 0;
  c.chkSize = 0;
  c.optSizeType = SizeUnit::Megabytes;
  c.chkAddUnit = 0;
  c.chkMakeDate = 0;
  c.chkAccessDate = 1;
  c.chkUpdateDate = 1;
  c.optHeadInsert = HeadInsert::On;
  c.optHeadInsertType = HeadInsertAt::FolderChange;
  c.valHeadInterval = 37;
  c.totals = true;
  c.subtotals = true;
  c.prefix = {u"/mnt/nas/share"_s, u"\\\\nas\\share"_s, true};
  return c;
}

// A value other than the default for every key of Csv, Html, Xml, SEPARATOR and ElementName.
Settings unusualSettings() {
  Settings s;
  s.csv = {ListFileType::Text, 1, LineBreak::Lf, unusualColumns()};
  s.html.stringColor = 255;
  s.html.backColor = 65536 * 200 + 256 * 100 + 50;
  s.html.headColor = 0x01000000 + 12;  // a high byte the colour dialog could never give
  s.html.tableColorA = 1;
  s.html.tableColorB = 65536;
  s.html.fileLink = 1;
  s.html.columns = unusualColumns();
  s.html.columns.valHeadInterval = 99;
  s.html.title = u"一覧 & <表>"_s;
  s.xml = {XmlCharset::EucJp, 1, LineBreak::Cr, unusualColumns()};
  for (int i = 0; i < 10; ++i) s.separators[std::size_t(i)] = u"sep"_s + QString::number(i);
  s.elementNames = {u"r"_s, u"f"_s, u"fp"_s, u"p"_s, u"n"_s, u"t"_s,
                    u"s"_s, u"d"_s, u"m"_s,  u"a"_s, u"u"_s};
  return s;
}

FileList exampleList() {
  return listOf({ExampleRow(u"/data/"_s, u"a.txt"_s),
                 ExampleRow(u"/data/"_s, u"b.txt"_s).unticked(),
                 ExampleRow(u"/data/sub/"_s, u"c, d.csv"_s).withModifiedDate()});
}

// A writer dialog over the example list whose questions and messages the test answers and
// records; the settings can be changed before the dialog is opened.
class WriterDialogTest : public testing::Test {
 protected:
  template <class D>
  std::unique_ptr<D> open() {
    auto dialog = std::make_unique<D>(settings, list, answers.session, interaction);
    dialog->show();
    return dialog;
  }

  // The save question answers with this file of the test's folder.
  void answerWith(const QString& name) { answers.answerPath = tree.path(name); }

  Settings settings;
  FileList list = exampleList();
  test::AnsweringSession answers;
  test::RecordingInteraction interaction;
  test::TempTree tree;
};

template <class Dialog>
void openAndCancel(Settings& settings) {
  const FileList list = exampleList();
  test::AnsweringSession answers;
  test::RecordingInteraction interaction;
  Dialog dialog(settings, list, answers.session, interaction);
  dialog.show();
  dialog.reject();
  EXPECT_TRUE(interaction.messages.empty());
}

TEST(WriterDialogs, ClosingStoresBackExactlyWhatWasLoaded) {
  for (const Settings& original : {Settings(), unusualSettings()}) {
    Settings settings = original;
    openAndCancel<frmOutText>(settings);
    openAndCancel<frmOutHtml>(settings);
    openAndCancel<frmOutXML>(settings);
    EXPECT_EQ(settings.csv, original.csv);
    EXPECT_EQ(settings.html, original.html);
    EXPECT_EQ(settings.xml, original.xml);
    EXPECT_EQ(settings.separators, original.separators);
    EXPECT_EQ(settings.elementNames, original.elementNames);
    EXPECT_EQ(settings, original);
  }
}

TEST_F(WriterDialogTest, LoadShowsTheStoredValues) {
  settings = unusualSettings();
  frmOutText text(settings, list, answers.session, interaction);
  EXPECT_TRUE(child<QRadioButton>(&text, u"optType_1"_s)->isChecked());
  EXPECT_TRUE(child<QCheckBox>(&text, u"chkSepaTab"_s)->isChecked());
  EXPECT_FALSE(child<QComboBox>(&text, u"cmbSepa"_s)->isEnabled());
  EXPECT_TRUE(child<QRadioButton>(&text, u"optRetCode_2"_s)->isChecked());
  EXPECT_TRUE(child<QCheckBox>(&text, u"chkFullPath"_s)->isChecked());
  EXPECT_EQ(child<QLabel>(&text, u"lblHeadInterval"_s)->text(), u"37"_s);
  EXPECT_TRUE(child<QRadioButton>(&text, u"optInsType_1"_s)->isChecked());

  EXPECT_EQ(child<QGroupBox>(&text, u"framJoho"_s)->title(), u"出力する情報の選択"_s);

  frmOutHtml html(settings, list, answers.session, interaction);
  EXPECT_EQ(child<QGroupBox>(&html, u"framJoho"_s)->title(), u"\u3000出力する情報の選択\u3000"_s);
  EXPECT_EQ(child<QLineEdit>(&html, u"txtTitle"_s)->text(), u"一覧 & <表>"_s);
  EXPECT_EQ(child<ColourLabel>(&html, u"lblFontSample"_s)->shownColour(), QColor(255, 0, 0));
  EXPECT_EQ(child<ColourLabel>(&html, u"lblBack"_s)->shownColour(), QColor(50, 100, 200));
  EXPECT_EQ(child<ColourLabel>(&html, u"lblTableColorB"_s)->shownColour(), QColor(0, 0, 1));
  EXPECT_TRUE(child<QCheckBox>(&html, u"chkLink"_s)->isChecked());
  EXPECT_TRUE(isCaptionBlue(child<QCheckBox>(&html, u"chkLink"_s)));
  EXPECT_EQ(child<QLabel>(&html, u"lblHeadInterval"_s)->text(), u"99"_s);

  frmOutXML xml(settings, list, answers.session, interaction);
  EXPECT_TRUE(child<QRadioButton>(&xml, u"optStrCode_3"_s)->isChecked());
  EXPECT_TRUE(child<QCheckBox>(&xml, u"chkInsCrLf"_s)->isChecked());
  EXPECT_TRUE(child<QRadioButton>(&xml, u"optRetCode_1"_s)->isChecked());
  EXPECT_TRUE(child<QRadioButton>(&xml, u"optRetCode_1"_s)->isEnabled());
  EXPECT_EQ(xml.node(u"fsize"_s)->text(0), u"s"_s);
  EXPECT_EQ(xml.node(u"updatedate"_s)->parent(), xml.node(u"fdate"_s));
  EXPECT_TRUE(xml.node(u"fdate"_s)->isExpanded());
}

TEST_F(WriterDialogTest, OnlyShapingBoxesTickedIsRefusedBeforeAnyQuestion) {
  for (ColumnOptions* c : {&settings.csv.columns, &settings.html.columns, &settings.xml.columns}) {
    *c = ColumnOptions();
    c->chkDir = c->chkFile = c->chkExt = c->chkSize = c->chkMakeDate = 0;
    c->chkPathType = c->chkExtAdd = c->chkAddUnit = 1;
  }
  answerWith(u"list.out"_s);
  frmOutText text(settings, list, answers.session, interaction);
  text.create();
  frmOutHtml html(settings, list, answers.session, interaction);
  html.create();
  frmOutXML xml(settings, list, answers.session, interaction);
  xml.create();
  ASSERT_EQ(interaction.messages.size(), 3u);
  for (const Message& message : interaction.messages) {
    EXPECT_EQ(message.text, u"出力情報が指定されていません"_s);
    EXPECT_EQ(message.title, u"出力指定エラー"_s);
    EXPECT_EQ(message.icon, MessageIcon::Information);
  }
  EXPECT_TRUE(answers.filters.isEmpty());
  EXPECT_FALSE(QFile::exists(answers.answerPath));
}

TEST_F(WriterDialogTest, TextCreateButtonAndSeparatorFollowTheFileType) {
  frmOutText dialog(settings, list, answers.session, interaction);
  auto* create = child<QPushButton>(&dialog, u"cmdTextCreate"_s);
  auto* fraSepa = child<QWidget>(&dialog, u"fraSepa"_s);
  auto* tab = child<QCheckBox>(&dialog, u"chkSepaTab"_s);
  auto* combo = child<QComboBox>(&dialog, u"cmbSepa"_s);
  EXPECT_EQ(create->text(), u"CSVファイルの作成"_s);
  EXPECT_FALSE(fraSepa->isEnabled());
  EXPECT_FALSE(combo->isEnabled());

  test::click(child<QRadioButton>(&dialog, u"optType_1"_s));
  EXPECT_EQ(create->text(), u"テキストファイルの作成"_s);
  EXPECT_TRUE(fraSepa->isEnabled());
  EXPECT_TRUE(tab->isEnabled());
  EXPECT_TRUE(combo->isEnabled());
  test::click(tab);
  EXPECT_FALSE(combo->isEnabled());
  EXPECT_TRUE(isCaptionBlue(tab));

  test::click(child<QRadioButton>(&dialog, u"optType_0"_s));
  EXPECT_EQ(create->text(), u"CSVファイルの作成"_s);
  EXPECT_FALSE(tab->isEnabled());
}

// JSON holds every field whatever is ticked: the field ticks go grey with a note saying so;
// the relative path and the digests stay to be chosen, and CSV gives the ticks back as they
// were (a sub-choice stays grey under an unticked field).
TEST_F(WriterDialogTest, TheJsonChoiceGreysTheFieldTicksWithANote) {
  frmOutText dialog(settings, list, answers.session, interaction);
  const QStringList fields = {u"chkFullPath"_s,     u"chkDir"_s,        u"chkFile"_s,
                              u"chkExtend"_s,       u"chkSize"_s,       u"chkDateCreate"_s,
                              u"chkDateAccess"_s,   u"chkDateModifi"_s, u"optSize_0"_s,
                              u"chkDeliveryCheck"_s};
  const QStringList chosen = {u"chkRelPath"_s, u"cmbHash"_s, u"chkSumFile"_s};
  auto* note = child<QWidget>(&dialog, u"lblEveryField"_s);
  auto* size = child<QCheckBox>(&dialog, u"chkSize"_s);
  test::click(child<QRadioButton>(&dialog, u"optType_0"_s));
  if (size->isChecked()) test::click(size);
  for (const int type : {3, 0}) {
    const bool json = type == 3;
    test::click(child<QRadioButton>(&dialog, u"optType_"_s + QString::number(type)));
    SCOPED_TRACE(type);
    for (const QString& name : fields) {
      const bool greyedByRule = name == u"optSize_0"_s;  // chkSize is unticked
      EXPECT_EQ(child<QWidget>(&dialog, name)->isEnabled(), !json && !greyedByRule)
          << name.toStdString();
    }
    for (const QString& name : chosen) EXPECT_TRUE(child<QWidget>(&dialog, name)->isEnabled());
    EXPECT_EQ(note->isVisibleTo(&dialog), json);
  }
  test::click(size);
  EXPECT_TRUE(child<QWidget>(&dialog, u"optSize_0"_s)->isEnabled());
}

TEST(frmOutText, TheSeparatorHistoryChangesOnEveryClose) {
  const struct {
    const char* name;
    QString typed;
    bool write;
    std::array<QString, 3> firstThree;
    QString last;
  } cases[] = {
      {"new text, cancelled", u"||"_s, false, {u"||"_s, u"sep0"_s, u"sep1"_s}, u"sep8"_s},
      {"new text, written", u"||"_s, true, {u"||"_s, u"sep0"_s, u"sep1"_s}, u"sep8"_s},
      {"picked from the list", u"sep3"_s, true, {u"sep0"_s, u"sep1"_s, u"sep2"_s}, u"sep9"_s},
      {"empty text", QString(), false, {QString(), u"sep0"_s, u"sep1"_s}, u"sep8"_s},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Settings settings = unusualSettings();
    settings.csv.tabUse = 0;
    settings.csv.columns = ColumnOptions();
    const FileList list = exampleList();
    test::AnsweringSession answers;
    test::TempTree tree;
    answers.answerPath = tree.path(u"list.txt"_s);
    test::RecordingInteraction interaction;
    frmOutText dialog(settings, list, answers.session, interaction);
    dialog.show();
    auto* combo = child<QComboBox>(&dialog, u"cmbSepa"_s);
    ASSERT_EQ(combo->count(), 9);
    EXPECT_EQ(combo->itemText(0), u"sep1"_s);
    EXPECT_EQ(combo->currentText(), u"sep0"_s);
    combo->setEditText(c.typed);
    if (c.write) {
      child<QPushButton>(&dialog, u"cmdTextCreate"_s)->click();
      EXPECT_FALSE(dialog.isVisible());
      // The file is separated by what the box showed.
      EXPECT_TRUE(tree.read(u"list.txt"_s).contains(QByteArray(c.typed.toUtf8() + "a.txt")));
    } else {
      child<QPushButton>(&dialog, u"cmdCancel"_s)->click();
    }
    EXPECT_EQ(settings.separators[0], c.firstThree[0]);
    EXPECT_EQ(settings.separators[1], c.firstThree[1]);
    EXPECT_EQ(settings.separators[2], c.firstThree[2]);
    EXPECT_EQ(settings.separators[9], c.last);
  }
}

// A typed separator that begins like a remembered one stays what was typed.
TEST_F(WriterDialogTest, ATypedSeparatorIsNotCompletedFromTheHistory) {
  settings.csv.fileType = ListFileType::Text;
  ASSERT_EQ(settings.separators[4], u":::"_s);
  const auto dialog = open<frmOutText>();
  auto* combo = child<QComboBox>(dialog.get(), u"cmbSepa"_s);
  test::typeIntoCombo(combo, u"::"_s);
  EXPECT_EQ(combo->currentText(), u"::"_s);
  dialog->reject();
  EXPECT_EQ(settings.separators[0], u"::"_s);
}

// Entering the separator box selects its whole text, so that what is typed replaces it; a drag
// over part of it on the first press selects that part.
TEST_F(WriterDialogTest, EnteringTheSeparatorBoxSelectsItsWholeText) {
  settings.csv.fileType = ListFileType::Text;
  settings.separators[0] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"_s;
  const auto dialog = open<frmOutText>();
  auto* combo = child<QComboBox>(dialog.get(), u"cmbSepa"_s);
  auto* tab = child<QCheckBox>(dialog.get(), u"chkSepaTab"_s);
  QLineEdit* field = combo->lineEdit();
  const QString separator = settings.separators[0];

  // A click in the middle of the text.
  test::clickToFocus(combo);
  ASSERT_EQ(QApplication::focusWidget(), combo);
  test::typeIntoFocus(u"Z"_s);
  EXPECT_EQ(combo->currentText(), u"Z"_s);

  // Tab from the check box above.
  combo->setEditText(separator);
  tab->setFocus(Qt::TabFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), combo);
  test::typeIntoFocus(u"Z"_s);
  EXPECT_EQ(combo->currentText(), u"Z"_s);

  // A drag from the start to the middle of the field.
  combo->setEditText(separator);
  tab->setFocus(Qt::TabFocusReason);
  const QPoint from(field->contentsRect().left() + 2, field->height() / 2);
  const QPoint to(field->width() / 2, field->height() / 2);
  QTest::mousePress(field, Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(field, to);
  QTest::mouseRelease(field, Qt::LeftButton, Qt::NoModifier, to);
  EXPECT_EQ(QApplication::focusWidget(), combo);
  EXPECT_TRUE(field->hasSelectedText());
  EXPECT_LT(field->selectedText().size(), separator.size()) << field->selectedText().toStdString();
  dialog->reject();
}

// The dialog writes what the create operation writes with the same options.
TEST_F(WriterDialogTest, WritesTheListAndOpensItWhenAsked) {
  settings.option.listOpen = 1;
  answerWith(u"list.csv"_s);
  const auto dialog = open<frmOutText>();
  test::click(child<QCheckBox>(dialog.get(), u"chkDateModifi"_s));
  test::click(child<QRadioButton>(dialog.get(), u"optRetCode_2"_s));
  child<QPushButton>(dialog.get(), u"cmdTextCreate"_s)->click();

  EXPECT_EQ(answers.filters, QStringList{u"CSVﾌｧｲﾙ|*.csv"_s});
  EXPECT_EQ(answers.opened, QStringList{answers.answerPath});
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(settings.csv.columns.chkUpdateDate, 1);
  EXPECT_EQ(settings.csv.crLfType, LineBreak::Lf);
  test::RecordingInteraction quiet;
  ASSERT_TRUE(createTextList(tree.path(u"expected.csv"_s), list, settings, quiet, false, u","_s));
  EXPECT_EQ(tree.read(u"list.csv"_s), tree.read(u"expected.csv"_s));
  EXPECT_TRUE(tree.read(u"list.csv"_s).endsWith("2006/01/02 03:04:05,\n"));
}

TEST_F(WriterDialogTest, CancellingTheSaveQuestionWritesNothingAndKeepsTheDialogOpen) {
  // No answer path: the question is cancelled.
  const auto dialog = open<frmOutHtml>();
  child<QPushButton>(dialog.get(), u"cmdHtmlCreate"_s)->click();
  EXPECT_EQ(answers.filters, QStringList{u"HTMLﾄﾞｷｭﾒﾝﾄ|*.htm;*.html"_s});
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(interaction.messages.empty());
  EXPECT_TRUE(answers.opened.isEmpty());
}

// A full disk, which any user can make: the write fails, the old file stays, the dialog stays
// open with its options and the create button enabled again.
TEST_F(WriterDialogTest, AFailedWriteKeepsTheDialogOpenAndTheOldFile) {
  settings.option.listOpen = 1;
  list = FileList();
  for (int i = 0; i < 200; ++i)
    list.append(ExampleRow(u"/data/"_s, u"file"_s + QString::number(i) + u".txt"_s));
  list.settle();
  answers.answerPath = tree.file(u"list.out"_s, "old");
  frmOutText text(settings, list, answers.session, interaction);
  frmOutHtml html(settings, list, answers.session, interaction);
  frmOutXML xml(settings, list, answers.session, interaction);
  const std::pair<WriterDialog*, const char*> dialogs[] = {
      {&text, "cmdTextCreate"}, {&html, "cmdHtmlCreate"}, {&xml, "cmdXmlCreate"}};
  for (auto [dialog, button] : dialogs) {
    SCOPED_TRACE(button);
    dialog->show();
    interaction.messages.clear();
    {
      test::FileSizeLimit limit(1000);
      ASSERT_TRUE(limit.isSet());
      child<QPushButton>(dialog, QString::fromLatin1(button))->click();
    }
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(child<QPushButton>(dialog, QString::fromLatin1(button))->isEnabled());
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0].title, u"警告"_s);
    EXPECT_TRUE(interaction.messages[0].text.startsWith(u"ファイルを開くことが出来ません。"_s));
    EXPECT_EQ(tree.read(u"list.out"_s), "old");
    EXPECT_TRUE(answers.opened.isEmpty());
  }
}

TEST(WriterDialogs, AWriteIntoAReadOnlyFolderKeepsTheDialogOpenAndTheOldFile) {
  Settings settings;
  const FileList list = exampleList();
  test::TempTree tree;
  const QString folder = tree.folder(u"locked"_s);
  const QString path = tree.file(u"locked/list.csv"_s, "old");
  test::openToOthers({tree.root()});
  QFile::setPermissions(folder, QFileDevice::Permissions(0x5555));
  const bool kept = test::runAsUnprivileged([&] {
    test::AnsweringSession answers;
    answers.answerPath = path;
    test::RecordingInteraction interaction;
    frmOutText dialog(settings, list, answers.session, interaction);
    dialog.show();
    child<QPushButton>(&dialog, u"cmdTextCreate"_s)->click();
    return dialog.isVisible() && interaction.messages.size() == 1 &&
           interaction.messages[0].title == u"警告"_s;
  });
  QFile::setPermissions(folder,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_TRUE(kept);
  EXPECT_EQ(tree.read(u"locked/list.csv"_s), "old");
}

TEST_F(WriterDialogTest, HtmlColoursComeFromTheColourDialogAndKeepTheirStoredForm) {
  settings = unusualSettings();
  frmOutHtml dialog(settings, list, answers.session, interaction);
  std::optional<QColor> answer = QColor(0, 0, 255);
  QColor offered;
  dialog.setColourChooser([&](const QColor& initial, QWidget*) {
    offered = initial;
    return answer;
  });
  auto* back = child<ColourLabel>(&dialog, u"lblBack"_s);
  Q_EMIT back->clicked();
  EXPECT_EQ(offered, QColor(50, 100, 200));
  EXPECT_EQ(back->shownColour(), QColor(0, 0, 255));
  answer.reset();  // cancelled: no change
  Q_EMIT child<ColourLabel>(&dialog, u"lblTableColorA"_s)->clicked();
  dialog.reject();
  EXPECT_EQ(settings.html.backColor, 65536 * 255);
  EXPECT_EQ(settings.html.tableColorA, 1);
  EXPECT_EQ(settings.html.headColor, 0x01000000 + 12);
}

TEST_F(WriterDialogTest, HtmlDefaultTitleIsTheFirstRowsFolderAndIsStoredOnClose) {
  settings.option.defaultTitle = 1;
  list = listOf(
      {ExampleRow(u"/first/"_s, u"x.txt"_s).unticked(), ExampleRow(u"/second/"_s, u"y.txt"_s)});
  frmOutHtml dialog(settings, list, answers.session, interaction);
  EXPECT_EQ(child<QLineEdit>(&dialog, u"txtTitle"_s)->text(), u"/first/"_s);
  dialog.reject();
  EXPECT_EQ(settings.html.title, u"/first/"_s);
}

TEST_F(WriterDialogTest, HtmlWritesWithTheTitleAndColoursShown) {
  answerWith(u"list.html"_s);
  frmOutHtml dialog(settings, list, answers.session, interaction);
  dialog.show();
  child<QLineEdit>(&dialog, u"txtTitle"_s)->setText(u"ファイル一覧"_s);
  dialog.setColourChooser([](const QColor&, QWidget*) { return QColor(255, 0, 0); });
  Q_EMIT child<ColourLabel>(&dialog, u"lblHeadColor"_s)->clicked();
  child<QPushButton>(&dialog, u"cmdHtmlCreate"_s)->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(answers.opened.isEmpty());  // ListOpen is 0
  EXPECT_EQ(settings.html.headColor, 255);
  test::RecordingInteraction quiet;
  ASSERT_TRUE(
      createHtmlList(tree.path(u"expected.html"_s), list, settings, quiet, u"ファイル一覧"_s));
  EXPECT_EQ(tree.read(u"list.html"_s), tree.read(u"expected.html"_s));
  EXPECT_TRUE(tree.read(u"list.html"_s).contains("<TD bgcolor = #FF0000>"));
}

// In-place edits of the element tree, as the editor commits them.
void editNode(QTreeWidgetItem* item, const QString& text) {
  item->setText(0, text);
  QCoreApplication::processEvents();
}

TEST(frmOutXML, EditedElementNamesAreCheckedAndKeptOrRefused) {
  const struct {
    QString typed;
    QString kept;
    bool message;
  } cases[] = {
      {u"file"_s, u"file"_s, false},
      {u"a&b"_s, u"fileinfo"_s, true},
      {QString(), u"fileinfo"_s, false},
      {u"my file"_s, u"my file"_s, false},  // accepted here, refused when writing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    Settings settings;
    const FileList list = exampleList();
    test::AnsweringSession answers;
    test::RecordingInteraction interaction;
    frmOutXML dialog(settings, list, answers.session, interaction);
    editNode(dialog.node(u"finfo"_s), c.typed);
    EXPECT_EQ(dialog.node(u"finfo"_s)->text(0), c.kept);
    ASSERT_EQ(interaction.messages.size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(interaction.messages[0].text, u"不正な文字列「a&b」が要素名に設定されました。"_s);
      EXPECT_EQ(interaction.messages[0].title, u"設定エラー"_s);
    }
    dialog.reject();
    EXPECT_EQ(settings.elementNames.fileInfo, c.kept);
  }
}

TEST_F(WriterDialogTest, XmlRenamedElementIsWrittenRememberedAndReset) {
  answerWith(u"list.xml"_s);
  {
    frmOutXML dialog(settings, list, answers.session, interaction);
    dialog.show();
    editNode(dialog.node(u"finfo"_s), u"file"_s);
    child<QPushButton>(&dialog, u"cmdXmlCreate"_s)->click();
    EXPECT_FALSE(dialog.isVisible());
  }
  EXPECT_EQ(answers.filters, QStringList{u"XMLﾌｧｲﾙ|*.xml"_s});
  const QByteArray written = tree.read(u"list.xml"_s);
  EXPECT_TRUE(written.contains("<file Index=\"1\">"));
  EXPECT_TRUE(written.contains("<file Index=\"2\">"));
  EXPECT_FALSE(written.contains("fileinfo"));
  test::RecordingInteraction quiet;
  ASSERT_TRUE(createXmlList(tree.path(u"expected.xml"_s), list, settings, quiet));
  EXPECT_EQ(written, tree.read(u"expected.xml"_s));

  frmOutXML reopened(settings, list, answers.session, interaction);
  EXPECT_EQ(reopened.node(u"finfo"_s)->text(0), u"file"_s);
  child<QPushButton>(&reopened, u"cmdResetElementName"_s)->click();
  EXPECT_EQ(reopened.node(u"finfo"_s)->text(0), u"fileinfo"_s);
  EXPECT_EQ(settings.elementNames.fileInfo, u"file"_s);  // only closing stores
  reopened.reject();
  EXPECT_EQ(settings.elementNames, ElementNames());
}

TEST_F(WriterDialogTest, XmlElementNameThatIsNoXmlNameIsRefusedWhenWriting) {
  answerWith(u"list.xml"_s);
  frmOutXML dialog(settings, list, answers.session, interaction);
  dialog.show();
  editNode(dialog.node(u"fname"_s), u"my name"_s);
  child<QPushButton>(&dialog, u"cmdXmlCreate"_s)->click();
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_EQ(interaction.messages.size(), 1u);
  EXPECT_EQ(interaction.messages[0].text, xmlSaveFailedMessage().text);
  EXPECT_FALSE(QFile::exists(answers.answerPath));
}

TEST_F(WriterDialogTest, XmlLineBreakChoiceIsEnabledOnlyWithLineBreaks) {
  settings.xml.crLfType = LineBreak::Lf;
  frmOutXML dialog(settings, list, answers.session, interaction);
  auto* lineBreaks = child<QCheckBox>(&dialog, u"chkInsCrLf"_s);
  EXPECT_FALSE(lineBreaks->isChecked());
  for (int i = 0; i < 3; ++i)
    EXPECT_FALSE(child<QRadioButton>(&dialog, u"optRetCode_"_s + QString::number(i))->isEnabled());
  test::click(lineBreaks);
  EXPECT_TRUE(isCaptionBlue(lineBreaks));
  EXPECT_TRUE(child<QRadioButton>(&dialog, u"optRetCode_2"_s)->isEnabled());
  EXPECT_TRUE(child<QRadioButton>(&dialog, u"optRetCode_2"_s)->isChecked());
}

}  // namespace
}  // namespace vek
