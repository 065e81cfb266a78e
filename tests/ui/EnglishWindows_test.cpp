// The windows under VEK_LANG=en: every caption, tooltip, accessible name and message is English
// (no Japanese character left in any), and the texts the person typed stay as typed.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

// Before the helpers that compare texts, so that every failure prints them as text.
#include "support/QStringPrinter.h"

#include "DialogTestSupport.h"
#include "ScriptedDialogs.h"
#include "UntranslatedTexts.h"
#include "WindowFixture.h"
#include "core/messages/MessageCatalogue.h"
#include "core/settings/InterfaceLanguage.h"
#include "support/RecordingInteraction.h"
#include "support/ScopedEnvironment.h"
#include "ui/SystemDialogs.h"
#include "ui/frmCommand.h"
#include "ui/frmDateSetting.h"
#include "ui/frmHeadComment.h"
#include "ui/frmHeadIns.h"
#include "ui/frmInfo.h"
#include "ui/frmOption.h"
#include "ui/frmOutHtml.h"
#include "ui/frmOutText.h"
#include "ui/frmOutXML.h"
#include "ui/frmVek.h"
#include "ui/frmVersion.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;
using test::child;

// The caption boxes of the header dialog hold the person's captions for the output.
const QStringList kCaptionBoxes = {u"txtFullPath"_s,   u"txtDir"_s,       u"txtFile"_s,
                                   u"txtFileType"_s,   u"txtFileSize"_s,  u"txtCreateDate"_s,
                                   u"txtAccessDate"_s, u"txtUpdateDate"_s};

class EnglishWindowTest : public ::testing::Test {
 protected:
  // The language is chosen and installed as the program does at start.
  EnglishWindowTest() {
    environment.set("VEK_LANG", "en");
    installed = installInterfaceLanguage(chooseInterfaceLanguage(LanguageInputs::environment()));
  }
  // The other window tests of this process see the Japanese texts.
  ~EnglishWindowTest() override { installInterfaceLanguage(InterfaceLanguage::Japanese); }

  static QString joined(const QStringList& found) { return found.join(u'\n'); }
  // Fails with every text of the window that holds Japanese, one a line.
  static void expectEnglish(const QWidget* window, const QStringList& dataControls = {}) {
    const QStringList found = test::japaneseTexts(window, dataControls);
    EXPECT_TRUE(found.isEmpty()) << "not translated:\n" << joined(found).toStdString();
  }

  test::ScopedEnvironment environment;
  bool installed = false;
};

TEST_F(EnglishWindowTest, TheHelperFindsAJapaneseTextLeftInAWindow) {
  // Without the translation the same dialog is all Japanese: the walk must see it.
  installInterfaceLanguage(InterfaceLanguage::Japanese);
  Settings settings;
  test::AnsweringSession answers;
  frmHeadComment dialog(settings, answers.session);
  const QStringList found = test::japaneseTexts(&dialog, kCaptionBoxes);
  EXPECT_TRUE(found.contains(u"frmHeadComment (vek::frmHeadComment) window title: ﾍｯﾀﾞｺﾒﾝﾄ編集"_s))
      << joined(found).toStdString();
  EXPECT_TRUE(found.contains(u"cmdCansel (QPushButton) text: ｷｬﾝｾﾙ"_s));
  EXPECT_TRUE(found.contains(u"txtFullPath (QLineEdit) accessible name: ﾌﾙﾊﾟｽ"_s));
  // The boxes' contents are the person's captions, not the program's texts.
  for (const QString& text : found)
    EXPECT_FALSE(text.contains(u"フルパス"_s)) << text.toStdString();
}

TEST_F(EnglishWindowTest, TheAboutBoxSpeaksEnglish) {
  ASSERT_TRUE(installed);
  test::ScriptedDialogs dialogs;
  for (const QString& homePage : {QString(), u"https://vek.example/"_s}) {
    frmVersion about(dialogs, {homePage, QUrl(u"file:///usr/share/vek/readme.htm"_s)});
    expectEnglish(&about);
    EXPECT_EQ(about.windowTitle().trimmed(), u"About Vek"_s);
    EXPECT_EQ(child<QListWidget>(&about, u"lstSpecialThanks"_s)->count(),
              frmVersion::credits().size());
  }
}

TEST_F(EnglishWindowTest, TheProgressWindowSpeaksEnglish) {
  ASSERT_TRUE(installed);
  frmInfo info(nullptr);
  info.setProgress(MessageCatalogue::fileSearchCaption(), MessageCatalogue::fileSearchInfo(),
                   MessageCatalogue::progressDetail(3, 10), 3, 10);
  expectEnglish(&info);
  EXPECT_EQ(child<QPushButton>(&info, u"cmdCancel"_s)->text(), u"Cancel"_s);
  info.setProgress(MessageCatalogue::folderSearchCaption(), MessageCatalogue::folderSearchInfo(),
                   u"/srv/共有/写真"_s, -1, 0);
  // The folder being read is the person's own; only it may be Japanese.
  EXPECT_EQ(joined(test::japaneseTexts(&info)),
            u"txtStatus (QPlainTextEdit) text: /srv/共有/写真"_s);
}

TEST_F(EnglishWindowTest, TheDateFormatDialogAndItsRefusalSpeakEnglish) {
  ASSERT_TRUE(installed);
  Settings settings;
  settings.option.dateFormat = u"YYYY\"年"_s;  // an unterminated quote: refused
  test::AnsweringSession answers;
  test::RecordingInteraction interaction;
  frmDateSetting dialog(settings, answers.session, interaction);
  dialog.show();
  expectEnglish(&dialog);
  EXPECT_EQ(child<QLabel>(&dialog, u"lblAfterDate"_s)->text(), u"The date format is not valid"_s);
  child<QPushButton>(&dialog, u"cmdOK"_s)->click();
  ASSERT_EQ(interaction.messages.size(), 1u);
  EXPECT_FALSE(test::holdsJapanese(interaction.messages[0].title));
  EXPECT_FALSE(test::holdsJapanese(interaction.messages[0].text));
  // The presets are patterns written into the lists: they stay as they are.
  EXPECT_EQ(child<QComboBox>(&dialog, u"cmbDateFormat"_s)->itemText(3),
            u"YYYY年MM月DD日 HH時MM分SS秒"_s);
}

TEST_F(EnglishWindowTest, TheHeaderCaptionDialogSpeaksEnglishAndKeepsTheCaptions) {
  ASSERT_TRUE(installed);
  Settings settings;
  test::AnsweringSession answers;
  frmHeadComment dialog(settings, answers.session);
  dialog.show();
  expectEnglish(&dialog, kCaptionBoxes);
  EXPECT_EQ(child<QLineEdit>(&dialog, u"txtFullPath"_s)->accessibleName(), u"Full path"_s);
  EXPECT_EQ(child<QLineEdit>(&dialog, u"txtFullPath"_s)->text(), settings.headComment[0]);
}

TEST_F(EnglishWindowTest, TheHeaderRowFrameSpeaksEnglish) {
  ASSERT_TRUE(installed);
  frmHeadIns group(u"Header rows"_s);
  group.show();
  expectEnglish(&group);
}

TEST_F(EnglishWindowTest, TheAddFailureBoxAndTheRootQuestionSpeakEnglish) {
  ASSERT_TRUE(installed);
  const auto failure = SystemDialogs::addFailureBox(
      nullptr, MessageCatalogue::fileInfoFailed(u"/srv/share/"_s, u"a.txt"_s));
  expectEnglish(failure.get());
  EXPECT_EQ(child<QPushButton>(failure.get(), u"cmdStopAdd"_s)->text(), u"Stop Adding"_s);
  EXPECT_EQ(child<QPushButton>(failure.get(), u"cmdQuiet"_s)->text(), u"Don't Show Again"_s);
  const auto question =
      SystemDialogs::messageBox(nullptr, MessageCatalogue::wholeRootScanQuestion(),
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
  expectEnglish(question.get());
}

TEST(AddFailureBox, OffersToStopOrToGoOnQuietlyInJapanese) {
  const auto box = SystemDialogs::addFailureBox(
      nullptr, MessageCatalogue::fileInfoFailed(u"/srv/共有/"_s, u"a.txt"_s));
  EXPECT_EQ(box->windowTitle(), u"ファイル取得エラー"_s);
  EXPECT_EQ(child<QPushButton>(box.get(), u"cmdStopAdd"_s)->text(), u"追加を中止"_s);
  EXPECT_EQ(child<QPushButton>(box.get(), u"cmdQuiet"_s)->text(), u"以後表示しない"_s);
  EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Ok));
  EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::Ok));
}

TEST(Accelerators, TwoControlsOrTwoItemsOfOneMenuOnOneLetterAreFound) {
  QWidget window;
  new QPushButton(u"&Add"_s, &window);
  new QPushButton(u"&all"_s, &window);
  new QPushButton(u"Fish && &Chips"_s, &window);
  auto* menu = new QMenu(&window);
  menu->addAction(u"&Open"_s);
  menu->addAction(u"&Other"_s);
  menu->addAction(u"&Close"_s);  // another menu than the button's: no clash
  EXPECT_EQ(test::acceleratorClashes(&window).join(u'\n'),
            u"Alt+a: &Add, &all\nAlt+o: &Open, &Other"_s);
}

TEST_F(EnglishWindowTest, TheWriterDialogsAndTheOptionsSpeakEnglish) {
  ASSERT_TRUE(installed);
  Settings settings;
  const FileList list;
  test::AnsweringSession answers;
  test::RecordingInteraction interaction;
  // The HTML title and the element names are written into the lists: they are the person's.
  const QStringList data = {u"txtTitle"_s, u"tvXmlStruct"_s};
  frmOutText text(settings, list, answers.session, interaction);
  frmOutHtml html(settings, list, answers.session, interaction);
  frmOutXML xml(settings, list, answers.session, interaction);
  frmOption option(settings, answers.session);
  for (QDialog* dialog : std::initializer_list<QDialog*>{&text, &html, &xml, &option}) {
    SCOPED_TRACE(dialog->objectName().toStdString());
    expectEnglish(dialog, data);
    EXPECT_EQ(test::acceleratorClashes(dialog).join(u'\n'), QString());
  }
}

// The main window under VEK_LANG=en, as the program opens it.
class EnglishMainWindow : public test::WindowFixture {
 protected:
  EnglishMainWindow() {
    environment.set("VEK_LANG", "en");
    installInterfaceLanguage(chooseInterfaceLanguage(LanguageInputs::environment()));
  }
  ~EnglishMainWindow() override { installInterfaceLanguage(InterfaceLanguage::Japanese); }
  test::ScopedEnvironment environment;
};

TEST_F(EnglishMainWindow, CaptionsMenusAndTooltipsAreEnglish) {
  frmVek& shown = open();
  // The folders, files and list rows shown are the person's.
  const QStringList found = test::japaneseTexts(
      &shown, {u"drvGetFile"_s, u"dirGetFile"_s, u"filGetFile"_s, u"lvWriteList"_s});
  EXPECT_TRUE(found.isEmpty()) << found.join(u'\n').toStdString();
  EXPECT_EQ(test::acceleratorClashes(&shown).join(u'\n'), QString());

  // The command builder it opens; the command shown is built from the person's paths.
  child<QAction>("mCmdGen")->trigger();
  auto* builder = shown.findChild<frmCommand*>();
  ASSERT_NE(builder, nullptr);
  const QStringList inBuilder = test::japaneseTexts(builder, {u"txtCommand"_s});
  EXPECT_TRUE(inBuilder.isEmpty()) << inBuilder.join(u'\n').toStdString();
  EXPECT_EQ(test::acceleratorClashes(builder).join(u'\n'), QString());
  builder->close();
}

// The list's own texts: its column headers, the delivery notes and the comparison states of
// rows whose names and folders are plain ASCII. A list of awkward rows must show no Japanese.
TEST_F(EnglishMainWindow, TheListsHeadersNotesAndStatesAreEnglish) {
  frmVek& shown = open();
  const QString folder = tree.path(u"work"_s) + u'/';
  std::vector<FileEntry> rows;
  const auto row = [&](const QString& fileName, CompareState state, quint8 changes) {
    FileEntry e;
    e.folder = folder;
    FileEntry::splitName(fileName, e.name, e.extension);
    e.rootLength = qint32(folder.size());
    e.type = u"plain text document"_s;
    e.state = state;
    e.changes = changes;
    rows.push_back(e);
  };
  row(u"CON.txt"_s, CompareState::Changed, kSizeChanged | kModifiedChanged | kHashChanged);
  row(u"a:b?.txt"_s, CompareState::Added, 0);
  row(u"Thumbs.db"_s, CompareState::Removed, 0);
  row(u"name."_s, CompareState::Same, 0);
  shown.list().appendBatch(std::move(rows));
  auto* view = child<QAbstractItemView>("lvWriteList");
  QCoreApplication::processEvents();  // the rows are announced to the view in batches
  ASSERT_EQ(view->model()->rowCount(), 4);
  // Every note and every state is shown (in the list's order, by name).
  QStringList cells;
  for (int r = 0; r < 4; ++r) {
    cells += view->model()->index(r, int(ListColumn::DeliveryCheck)).data().toString() + u'|' +
             view->model()->index(r, int(ListColumn::State)).data().toString();
  }
  cells.sort();
  EXPECT_EQ(cells,
            (QStringList{u"Characters Windows forbids|Added"_s, u"Ends in a dot or space|Same"_s,
                         u"Name reserved by Windows|Changed (size, modified, hash)"_s,
                         u"OS or Office system file|Removed"_s}));
  const QStringList found =
      test::japaneseTexts(&shown, {u"drvGetFile"_s, u"dirGetFile"_s, u"filGetFile"_s});
  EXPECT_TRUE(found.isEmpty()) << found.join(u'\n').toStdString();
}

// The main window's accelerators in the language the tests run in.
class MainWindowAccelerators : public test::WindowFixture {};

TEST_F(MainWindowAccelerators, AreUniqueInTheWindowAndInEachMenu) {
  frmVek& shown = open();
  EXPECT_EQ(test::acceleratorClashes(&shown).join(u'\n'), QString());
}

}  // namespace
}  // namespace vek
