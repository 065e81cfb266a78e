// The command builder with its real controls, and test runs of the real vek.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "ScriptedDialogs.h"
#include "batch/CommandComposer.h"
#include "core/platform/FileNameBytes.h"
#include "core/settings/Session.h"
#include "support/QStringPrinter.h"
#include "support/ScopedEnvironment.h"
#include "support/TempTree.h"
#include "support/Unprivileged.h"
#include "ui/frmCommand.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

class CommandBuilderTest : public ::testing::Test {
 protected:
  CommandBuilderTest() {
    programFolder = tree.folder(u"program"_s);
    in = tree.folder(u"in"_s);
    out = tree.folder(u"out"_s) + u'/';
    tree.file(u"in/a.txt"_s, "a");
    // A test run is a real vek: it keeps its settings here, not in the user's.
    environment.set("VEK_HOME", programFolder.toLocal8Bit());
    session.setOpener([this](const QString& path) { opened.append(path); });
  }

  std::unique_ptr<frmCommand> open(frmCommand::Prefill prefill = {}) {
    if (prefill.executable.isEmpty()) prefill.executable = u"/x/vek"_s;
    return std::make_unique<frmCommand>(session, dialogs, programFolder, prefill);
  }
  frmCommand::Prefill standard() const { return {in, out, in, QString(), u"/x/vek"_s, {}}; }

  // The builder shown and active, set as a person sets it to run the real vek (VEK_EXE) into
  // out/list.csv with every file; start: the line of the list's own switches then.
  std::unique_ptr<frmCommand> openForTheRealRun(const QString& vek, QString& start) {
    frmCommand::Prefill prefill = standard();
    prefill.executable = vek;
    auto dialog = open(prefill);
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    test::clickToFocus(find<QAbstractButton>(*dialog, u"optOutPath_1"_s));
    find<QLineEdit>(*dialog, u"txtOutName"_s)->setText(u"list"_s);
    find<QComboBox>(*dialog, u"cmbFilter"_s)->setEditText(u"*.*"_s);
    start = vek + u" /I \""_s + in + u"\" /O \""_s + out +
            u"\" /T CSV /F \"list\" /E \"*.*\" /N \""_s + in + u"\" /S 1"_s;
    return dialog;
  }

  template <typename T>
  static T* find(frmCommand& dialog, const QString& name) {
    T* widget = dialog.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
  }
  static QString command(frmCommand& dialog) {
    return find<QPlainTextEdit>(dialog, u"txtCommand"_s)->toPlainText();
  }
  static void type(QWidget* widget, const QString& text, int key = 0) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &press);
  }
  // Runs the event loop until the test run has ended and said so.
  static bool waitForTestRun(frmCommand& dialog) {
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&dialog, &frmCommand::testRunEnded, &loop, &QEventLoop::quit);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(60000);
    loop.exec();
    return timeout.isActive();
  }

  test::TempTree tree;
  test::ScopedEnvironment environment;
  QString programFolder, in, out;
  Session session;
  test::ScriptedDialogs dialogs;
  QStringList opened;
};

TEST_F(CommandBuilderTest, OpensWithTheMainWindowsFoldersAndTheFirstPreset) {
  auto dialog = open(standard());
  EXPECT_EQ(dialog->windowTitle(), u"ｺﾏﾝﾄﾞﾗｲﾝｼﾞｪﾈﾚｰﾀ"_s);
  EXPECT_EQ(find<QLineEdit>(*dialog, u"txtInPath"_s)->text(), in);
  EXPECT_EQ(find<QLineEdit>(*dialog, u"txtOutPath"_s)->text(), out);
  EXPECT_EQ(find<QLineEdit>(*dialog, u"txtTitle"_s)->text(), in);
  EXPECT_EQ(find<QLineEdit>(*dialog, u"txtOutName"_s)->text(), u"YYYYMMDDHHmm"_s);
  auto* filter = find<QComboBox>(*dialog, u"cmbFilter"_s);
  EXPECT_EQ(filter->count(), 17);
  EXPECT_EQ(filter->currentText(), u"*.*;　（全てのファイル）"_s);
  ASSERT_TRUE(dialog->loadedPresets());
  EXPECT_EQ(dialog->loadedPresets()->size(), 17);
  EXPECT_TRUE(QFileInfo::exists(programFolder + u"/filter.txt"_s));
  EXPECT_EQ(command(*dialog),
            u"/x/vek /I \""_s + in + u"\" /O \""_s + out +
                u"\" /T CSV /F DATE \"YYYYMMDDHHmm\" /E \"*.*;　（全てのファイル）\" /N \""_s + in +
                u"\" /S 1"_s);
}

TEST_F(CommandBuilderTest, AnOutputFolderWithoutItsSlashIsShownWhenItExists) {
  const struct {
    QString given, shown;
  } cases[] = {
      {out, out},
      {in, in + u'/'},
      {tree.path(u"gone"_s), QString()},
      {QString(), QString()},
  };
  for (const auto& c : cases) {
    frmCommand::Prefill prefill = standard();
    prefill.outFolder = c.given;
    EXPECT_EQ(find<QLineEdit>(*open(prefill), u"txtOutPath"_s)->text(), c.shown)
        << c.given.toStdString();
  }
}

TEST_F(CommandBuilderTest, EveryListedChangeRecomposesTheLine) {
  frmCommand::Prefill prefill{u"/in"_s, u"/out/"_s, u"/in"_s, u"/lists/monthly.csv"_s, {}, {}};
  const struct {
    const char* name;
    std::function<void(frmCommand&)> change;
    QString expected;
  } cases[] = {
      {"input folder",
       [](frmCommand& d) { find<QLineEdit>(d, u"txtInPath"_s)->setText(u"/a b"_s); },
       uR"(/x/vek /I "/a b" /O "/out/" /T CSV /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/in" /S 1)"_s},
      {"output folder",
       [](frmCommand& d) { find<QLineEdit>(d, u"txtOutPath"_s)->setText(u"/o"_s); },
       uR"(/x/vek /I "/in" /O "/o" /T CSV /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/in" /S 1)"_s},
      {"date pattern",
       [](frmCommand& d) { find<QLineEdit>(d, u"txtOutName"_s)->setText(u"YYYY"_s); },
       uR"(/x/vek /I "/in" /O "/out/" /T CSV /F DATE "YYYY" /E "*.*" /N "/in" /S 1)"_s},
      {"title", [](frmCommand& d) { find<QLineEdit>(d, u"txtTitle"_s)->setText(u"$題"_s); },
       uR"(/x/vek /I "/in" /O "/out/" /T CSV /F DATE "YYYYMMDDHHmm" /E "*.*" /N "\$題" /S 1)"_s},
      {"typed filter",
       [](frmCommand& d) { find<QComboBox>(d, u"cmbFilter"_s)->setEditText(u"*.log"_s); },
       uR"(/x/vek /I "/in" /O "/out/" /T CSV /F DATE "YYYYMMDDHHmm" /E "*.log" /N "/in" /S 1)"_s},
      {"chosen preset",
       [](frmCommand& d) { find<QComboBox>(d, u"cmbFilter"_s)->setCurrentIndex(7); },
       uR"(/x/vek /I "/in" /O "/out/" /T CSV /F DATE "YYYYMMDDHHmm" /E "*.exe;*.com;*.bat;*.scr" /N "/in" /S 1)"_s},
      {"subfolders", [](frmCommand& d) { find<QCheckBox>(d, u"chkSubDir"_s)->click(); },
       uR"(/x/vek /I "/in" /O "/out/" /T CSV /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/in" /S 1 /C )"_s},
      {"type", [](frmCommand& d) { find<QAbstractButton>(d, u"optType_2"_s)->click(); },
       uR"(/x/vek /I "/in" /O "/out/" /T HTML /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/in" /S 1)"_s},
      {"sort key", [](frmCommand& d) { find<QAbstractButton>(d, u"optSortKey_4"_s)->click(); },
       uR"(/x/vek /I "/in" /O "/out/" /T CSV /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/in" /S 5)"_s},
      {"name option: the last file's name without extension",
       [](frmCommand& d) { find<QAbstractButton>(d, u"optOutPath_1"_s)->click(); },
       uR"(/x/vek /I "/in" /O "/out/" /T CSV /F "monthly" /E "*.*" /N "/in" /S 1)"_s},
      {"date option again replaces what was typed",
       [](frmCommand& d) {
         find<QLineEdit>(d, u"txtOutName"_s)->setText(u"typed"_s);
         find<QAbstractButton>(d, u"optOutPath_0"_s)->click();
       },
       uR"(/x/vek /I "/in" /O "/out/" /T CSV /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/in" /S 1)"_s},
  };
  tree.file(u"program/filter.txt"_s, QByteArray());  // the presets below are the defaults
  QFile::remove(programFolder + u"/filter.txt"_s);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto dialog = open(prefill);
    find<QComboBox>(*dialog, u"cmbFilter"_s)->setEditText(u"*.*"_s);
    c.change(*dialog);
    EXPECT_EQ(command(*dialog), c.expected);
  }
}

TEST_F(CommandBuilderTest, NameOptionWithoutAnEarlierFileIsFilelist) {
  auto dialog = open(standard());
  find<QAbstractButton>(*dialog, u"optOutPath_1"_s)->click();
  EXPECT_EQ(find<QLineEdit>(*dialog, u"txtOutName"_s)->text(), u"filelist"_s);
  EXPECT_TRUE(command(*dialog).contains(u" /F \"filelist\" /E "_s));
}

TEST_F(CommandBuilderTest, TypedFilterIsNotCompletedFromThePresets) {
  auto dialog = open(standard());
  auto* combo = find<QComboBox>(*dialog, u"cmbFilter"_s);
  ASSERT_GT(combo->count(), 1);
  test::typeIntoCombo(combo, u"*.t"_s);
  EXPECT_EQ(combo->currentText(), u"*.t"_s);
}

TEST_F(CommandBuilderTest, TypedPathCharactersAreRefusedWithABeep) {
  auto dialog = open(standard());
  dialog->show();
  const struct {
    const char16_t* box;
    int beeps;  // for the eight refused characters
  } boxes[] = {{u"cmbFilter", 8},  {u"cmbExclude", 8}, {u"txtInPath", 8},
               {u"txtOutPath", 8}, {u"txtOutName", 8}, {u"txtTitle", 0}};
  for (const auto& b : boxes) {
    const QString name = QString::fromUtf16(b.box);
    auto* box = find<QWidget>(*dialog, name);
    auto* combo = qobject_cast<QComboBox*>(box);
    QLineEdit* field = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(box);
    ASSERT_NE(field, nullptr) << name.toStdString();
    field->setText(u"x"_s);
    dialogs.beeps = 0;
    test::clickToFocus(box);
    field->end(false);
    test::typeIntoFocus(u"\"|><,:\\/*;"_s);
    EXPECT_EQ(field->text(), b.beeps ? u"x*;"_s : u"x\"|><,:\\/*;"_s) << name.toStdString();
    EXPECT_EQ(dialogs.beeps, b.beeps) << name.toStdString();
  }
}

TEST_F(CommandBuilderTest, CopyPutsExactlyTheLineOnTheClipboard) {
  auto dialog = open(standard());
  find<QLineEdit>(*dialog, u"txtTitle"_s)->setText(u"題名 \"x\""_s);
  find<QPushButton>(*dialog, u"cmdCopy"_s)->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), command(*dialog));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, u"Vek"_s);
  EXPECT_EQ(dialogs.messages[0].text, u"コマンドをクリップボードにコピーしました。"_s);
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
}

TEST_F(CommandBuilderTest, FolderButtonsTakeAChosenFolderAndExplainTheOthers) {
  const QString noPath =
      u"指定されたﾊﾟｽからﾌｧｲﾙ情報を取得できません。\r\n指定が可能なものは、ﾃﾞｽｸﾄｯﾌﾟ、ﾄﾞﾗｲﾌﾞ、ﾌｫﾙﾀﾞのみです。"_s;
  const QString notSet =
      u"指定されたパスからファイル情報を取得できません。\r\nパスを変更してください。"_s;
  const struct {
    std::optional<QString> chosen;
    QString shown, message;
  } cases[] = {
      {std::nullopt, in, QString()},
      {QString(), in, noPath},
      {tree.path(u"gone"_s), in, notSet},
      {out, out, QString()},
  };
  for (const auto& c : cases) {
    dialogs.messages.clear();
    auto dialog = open(standard());
    dialogs.titles.clear();
    dialogs.folders = {c.chosen};
    find<QPushButton>(*dialog, u"cmdInPath"_s)->click();
    EXPECT_EQ(dialogs.titles, std::vector<QString>{u"ﾌｫﾙﾀﾞを選択してください"_s});
    EXPECT_EQ(find<QLineEdit>(*dialog, u"txtInPath"_s)->text(), c.shown);
    if (c.message.isEmpty()) {
      EXPECT_TRUE(dialogs.messages.empty());
    } else {
      ASSERT_EQ(dialogs.messages.size(), 1u);
      EXPECT_EQ(dialogs.messages[0].text, c.message);
      EXPECT_EQ(dialogs.messages[0].title, u"警告"_s);
    }
  }
}

TEST_F(CommandBuilderTest, TestRunReportsSuccessOnlyWhenTheListWasWritten) {
  const QString vek = qEnvironmentVariable("VEK_EXE");
  ASSERT_FALSE(vek.isEmpty()) << "VEK_EXE is not set";
  frmCommand::Prefill prefill = standard();
  prefill.executable = vek;
  auto dialog = open(prefill);
  find<QAbstractButton>(*dialog, u"optOutPath_1"_s)->click();
  find<QLineEdit>(*dialog, u"txtOutName"_s)->setText(u"list"_s);
  auto* makeTest = find<QPushButton>(*dialog, u"cmdMakeTest"_s);
  makeTest->click();
  EXPECT_FALSE(makeTest->isEnabled());
  EXPECT_EQ(dialog->cursor().shape(), Qt::WaitCursor);
  ASSERT_TRUE(waitForTestRun(*dialog));
  EXPECT_TRUE(makeTest->isEnabled());
  EXPECT_EQ(dialog->cursor().shape(), Qt::ArrowCursor);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, u"テスト完了"_s);
  EXPECT_EQ(dialogs.messages[0].text, out + u" にリストを出力しました。"_s);
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
  EXPECT_TRUE(tree.read(u"out/list.csv"_s).contains("a.txt"));

  // The same run where the list cannot be written: a folder stands in its place, which stops
  // root as well as anyone else.
  dialogs.messages.clear();
  QFile::remove(out + u"list.csv"_s);
  tree.folder(u"out/list.csv"_s);
  makeTest->click();
  ASSERT_TRUE(waitForTestRun(*dialog));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, u"警告"_s);
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);
  EXPECT_TRUE(dialogs.messages[0].text.startsWith(u"ファイルを開くことが出来ません。\r\n"_s + out +
                                                  u"list.csv\r\n"_s))
      << dialogs.messages[0].text.toStdString();
}

// The workbook, the text encoding, the digest column and the checksum file, chosen as a person
// does (clicks, Tab and keys in the focused control), and run by the real vek.
TEST_F(CommandBuilderTest, TheNewSwitchesAreOfferedAndRun) {
  const QString vek = qEnvironmentVariable("VEK_EXE");
  ASSERT_FALSE(vek.isEmpty()) << "VEK_EXE is not set";
  QString start;
  auto dialog = openForTheRealRun(vek, start);
  // Nothing chosen: the line of the list's own switches alone.
  EXPECT_EQ(command(*dialog), start);
  auto* textCode = find<QComboBox>(*dialog, u"cmbTextCode"_s);
  EXPECT_EQ(textCode->currentText(), u"保存された設定"_s);
  EXPECT_EQ(find<QComboBox>(*dialog, u"cmbHash"_s)->currentText(), u"保存された設定"_s);

  test::clickToFocus(find<QAbstractButton>(*dialog, u"optType_4"_s));
  EXPECT_EQ(command(*dialog), QString(start).replace(u"/T CSV"_s, u"/T XLSX"_s));
  EXPECT_FALSE(textCode->isEnabled());
  test::clickToFocus(find<QAbstractButton>(*dialog, u"optType_0"_s));
  EXPECT_TRUE(textCode->isEnabled());

  auto* subfolders = find<QCheckBox>(*dialog, u"chkSubDir"_s);
  test::clickToFocus(subfolders, QPoint(8, subfolders->height() / 2));  // on its box
  EXPECT_TRUE(subfolders->isChecked());
  // Past the exclude box and its two options.
  for (int i = 0; i < 4; ++i) test::pressKeyInFocus(Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), textCode);
  test::pressKeyInFocus(Qt::Key_End);
  EXPECT_EQ(textCode->currentText(), u"Shift_JIS（CP932）"_s);
  test::pressKeyInFocus(Qt::Key_Tab);
  test::pressKeyInFocus(Qt::Key_End);
  EXPECT_EQ(find<QComboBox>(*dialog, u"cmbHash"_s)->currentText(), u"SHA-256"_s);
  test::pressKeyInFocus(Qt::Key_Tab);
  test::pressKeyInFocus(Qt::Key_Space);
  EXPECT_TRUE(find<QCheckBox>(*dialog, u"chkSumFile"_s)->isChecked());
  EXPECT_EQ(command(*dialog), start + u" /K CP932 /M SHA256 /W /C "_s);
  EXPECT_TRUE(find<QLabel>(*dialog, u"lblCommandNote"_s)->isHidden());

  // A workbook takes no encoding: /K leaves the line, the rest stays.
  test::clickToFocus(find<QAbstractButton>(*dialog, u"optType_4"_s));
  EXPECT_EQ(command(*dialog),
            QString(start).replace(u"/T CSV"_s, u"/T XLSX"_s) + u" /M SHA256 /W /C "_s);
  auto* makeTest = find<QPushButton>(*dialog, u"cmdMakeTest"_s);
  ASSERT_TRUE(makeTest->isEnabled());
  test::clickToFocus(makeTest);
  ASSERT_TRUE(waitForTestRun(*dialog));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, u"テスト完了"_s);
  EXPECT_TRUE(tree.read(u"out/list.xlsx"_s).startsWith("PK"));
  EXPECT_EQ(tree.read(u"out/list.sha256"_s),
            "ca978112ca1bbdcafac231b39a23dc4da786eff8147c4e72b9807785afee48bb  a.txt\n");
}

// The walk's switches (/X, /A) and a JSON list, chosen with the keys in the focused controls,
// and the lists the real vek writes with them.
TEST_F(CommandBuilderTest, ExcludedNamesAndHiddenFilesReachTheRun) {
  const QString vek = qEnvironmentVariable("VEK_EXE");
  ASSERT_FALSE(vek.isEmpty()) << "VEK_EXE is not set";
  for (const char* name : {"in/.env", "in/.git/HEAD", "in/node_modules/m.js", "in/keep/b.txt",
                           "in/一時 ファイル/c.txt", "in/keep/x.tmp"}) {
    tree.file(QString::fromUtf8(name), "x");
  }
  QString start;
  auto dialog = openForTheRealRun(vek, start);
  auto* exclude = find<QComboBox>(*dialog, u"cmbExclude"_s);
  EXPECT_EQ(exclude->currentText(), QString());
  EXPECT_EQ(command(*dialog), start);

  // The subfolder box, then Tab to the exclude box, typed patterns, Tab, Space for hidden files.
  auto* subfolders = find<QCheckBox>(*dialog, u"chkSubDir"_s);
  test::clickToFocus(subfolders, QPoint(8, subfolders->height() / 2));
  test::pressKeyInFocus(Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), exclude);
  test::typeIntoFocus(u"node_modules;一時 ファイル;*.TMP"_s);
  test::pressKeyInFocus(Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), find<QCheckBox>(*dialog, u"chkHiddenFiles"_s));
  test::pressKeyInFocus(Qt::Key_Space);
  EXPECT_EQ(command(*dialog), start + u" /X \"node_modules;一時 ファイル;*.TMP\" /A /C "_s);
  EXPECT_TRUE(find<QLabel>(*dialog, u"lblCommandNote"_s)->isHidden());

  auto* makeTest = find<QPushButton>(*dialog, u"cmdMakeTest"_s);
  test::clickToFocus(makeTest);
  ASSERT_TRUE(waitForTestRun(*dialog));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, u"テスト完了"_s) << dialogs.messages[0].text.toStdString();
  QStringList listed;
  for (const QByteArray& line : tree.read(u"out/list.csv"_s).split('\n').mid(1)) {
    const QList<QByteArray> cells = line.split(',');
    if (cells.size() > 1)
      listed.append(QString::fromUtf8(cells[0].mid(in.toUtf8().size()) + '/' + cells[1]));
  }
  listed.sort();
  EXPECT_EQ(listed, (QStringList{u"/.env"_s, u"/.git/HEAD"_s, u"/a.txt"_s, u"/keep/b.txt"_s}));

  // A JSON list with every hidden name left out: the preset chosen from the box's list.
  dialogs.messages.clear();
  test::clickToFocus(find<QAbstractButton>(*dialog, u"optType_5"_s));
  exclude->setCurrentIndex(exclude->findText(u".*"_s));
  EXPECT_EQ(command(*dialog),
            QString(start).replace(u"/T CSV"_s, u"/T JSON"_s) + u" /X \".*\" /A /C "_s);
  test::clickToFocus(makeTest);
  ASSERT_TRUE(waitForTestRun(*dialog));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, u"テスト完了"_s) << dialogs.messages[0].text.toStdString();
  const QByteArray json = tree.read(u"out/list.json"_s);
  for (const char* name : {"\"name\":\"a\"", "\"name\":\"b\"", "\"name\":\"c\"", "\"name\":\"m\""})
    EXPECT_TRUE(json.contains(name)) << name;
  for (const char* name : {"HEAD", ".env"}) EXPECT_FALSE(json.contains(name)) << name;
  EXPECT_TRUE(json.contains("\"rowCount\":5")) << json.toStdString();
}

TEST_F(CommandBuilderTest, TestRunIntoAReadOnlyFolderShowsTheRunsMessage) {
  frmCommand::Prefill prefill = standard();
  prefill.executable = qEnvironmentVariable("VEK_EXE");
  const QStringList command = test::unprivilegedCommand({prefill.executable});
  if (command.size() > 1) {
    // Root writes into read-only folders; the run goes as an ordinary user instead.
    QByteArray script = "#!/bin/sh\nexec";
    for (const QString& word : command) script += " \"" + word.toUtf8() + '"';
    prefill.executable = tree.file(u"as nobody"_s, script + " \"$@\"\n");
    QFile::setPermissions(prefill.executable, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    for (const QString& folder : {tree.root(), programFolder, in}) {
      QFile::setPermissions(folder, QFileDevice::Permissions(0x7777));
    }
  }
  QFile::setPermissions(out, QFileDevice::Permissions(0x5555));
  auto dialog = open(prefill);
  find<QPushButton>(*dialog, u"cmdMakeTest"_s)->click();
  ASSERT_TRUE(waitForTestRun(*dialog));
  QFile::setPermissions(out, QFileDevice::Permissions(0x7777));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, u"警告"_s);
  EXPECT_TRUE(dialogs.messages[0].text.startsWith(u"ファイルを開くことが出来ません。"_s))
      << dialogs.messages[0].text.toStdString();
}

TEST_F(CommandBuilderTest, ALineThatCannotStartGivesTheStartError) {
  const QString startError =
      u"テスト作成でエラーが発生しました。\r\n正しいコマンドを構築してください。"_s;
  const struct {
    const char* name;
    QString line;  // empty: the composed line with a missing program
  } cases[] = {
      {"missing program", QString()},
      {"a second command", u"/bin/true; rm -rf x"_s},
      {"unclosed quote", u"/bin/true \"x"_s},
      {"nothing", u"  "_s},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.messages.clear();
    frmCommand::Prefill prefill = standard();
    prefill.executable = tree.path(u"no such/vek"_s);
    auto dialog = open(prefill);
    if (!c.line.isEmpty()) find<QPlainTextEdit>(*dialog, u"txtCommand"_s)->setPlainText(c.line);
    find<QPushButton>(*dialog, u"cmdMakeTest"_s)->click();
    if (dialog->testRunning()) {
      ASSERT_TRUE(waitForTestRun(*dialog));
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, u"警告"_s);
    EXPECT_EQ(dialogs.messages[0].text, startError);
    EXPECT_TRUE(find<QPushButton>(*dialog, u"cmdMakeTest"_s)->isEnabled());
  }
}

TEST_F(CommandBuilderTest, ALongRunShowsItIsWorkingAndCanBeStopped) {
  const QString slow = tree.file(u"slow"_s, "#!/bin/sh\nexec sleep 60\n");
  QFile::setPermissions(slow, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  frmCommand::Prefill prefill = standard();
  prefill.executable = slow;
  auto dialog = open(prefill);
  dialog->setStillWorkingDelay(50);
  dialog->show();
  auto* stop = find<QPushButton>(*dialog, u"cmdStopTest"_s);
  EXPECT_FALSE(stop->isVisible());
  find<QPushButton>(*dialog, u"cmdMakeTest"_s)->click();
  EXPECT_FALSE(stop->isVisible());  // not before the run has lasted a while
  // The stop button shows once the run has lasted the delay; the bound only ends a broken test.
  ASSERT_TRUE(QTest::qWaitFor([&] { return stop->isVisible(); }, 30000));
  EXPECT_TRUE(dialog->testRunning());
  EXPECT_TRUE(find<QLabel>(*dialog, u"lblTestRunning"_s)->isVisible());
  stop->click();
  ASSERT_TRUE(waitForTestRun(*dialog));
  EXPECT_FALSE(stop->isVisible());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, u"リスト作成のテストを中止しました。"_s);
}

TEST_F(CommandBuilderTest, KeysOpenTheManualStartTheTestRunAndClose) {
  tree.file(u"program/readme.htm"_s, "<html></html>");
  frmCommand::Prefill prefill = standard();
  prefill.executable = tree.path(u"no such/vek"_s);
  auto dialog = open(prefill);
  dialog->show();
  auto* title = find<QLineEdit>(*dialog, u"txtTitle"_s);
  type(title, QString(), Qt::Key_F1);
  EXPECT_EQ(opened, QStringList{programFolder + u"/readme.htm"_s});

  type(title, u"\r"_s, Qt::Key_Return);
  if (dialog->testRunning()) {
    ASSERT_TRUE(waitForTestRun(*dialog));
  }
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, u"警告"_s);

  // Enter in the command box is a line break, not a test run.
  auto* line = find<QPlainTextEdit>(*dialog, u"txtCommand"_s);
  line->moveCursor(QTextCursor::End);
  type(line->viewport(), u"\r"_s, Qt::Key_Return);
  type(line, u"\r"_s, Qt::Key_Return);
  EXPECT_FALSE(dialog->testRunning());
  EXPECT_EQ(dialogs.messages.size(), 1u);

  type(title, QString(), Qt::Key_Escape);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

// ---- Names the command box would change, and values the run would read otherwise ----

// Folders and files made by their exact bytes: Qt's own file functions cannot name a folder
// that is not UTF-8.
void makeFolder(const QByteArray& path) {
  ASSERT_EQ(::mkdir(path.constData(), 0755), 0) << path.toStdString();
}
void makeFile(const QByteArray& path, const QByteArray& content = "x") {
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0) << path.toStdString();
  EXPECT_EQ(::write(fd, content.constData(), size_t(content.size())), content.size());
  ::close(fd);
}
QByteArray readFile(const QByteArray& path) {
  QByteArray content;
  const int fd = ::open(path.constData(), O_RDONLY);
  if (fd < 0) return content;
  char buffer[4096];
  for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) content.append(buffer, got);
  ::close(fd);
  return content;
}
bool exists(const QByteArray& path) {
  struct stat info;
  return ::lstat(path.constData(), &info) == 0;
}

// A name a text box changes (U+00A0 into a space; CR, CR LF, U+2028, U+2029 into LF) or one
// that is not UTF-8 (its bytes come back as U+FFFD), beside the twin the changed name means.
struct TwinNames {
  const char* what;
  QByteArray name, twin;
  bool pastable;     // a copied line can carry the name
  bool pastedAlike;  // a terminal leaves it as it is
};
const TwinNames kTwinNames[] = {
    {"no-break space",
     "My\xC2\xA0"
     "Files",
     "My Files", true, true},
    {"carriage return", "a\rb", "a\nb", true, false},
    {"CR LF", "c\r\nd", "c\nd", true, false},
    {"line separator",
     "e\xE2\x80\xA8"
     "f",
     "e\nf", true, true},
    {"paragraph separator",
     "g\xE2\x80\xA9"
     "h",
     "g\nh", true, true},
    {"not UTF-8", "caf\xE9", "caf\xEF\xBF\xBD", false, true},
};

// For one name: in/<name> holding real.txt beside in/<twin> holding twin.txt, the same two
// output folders, and the real vek reached through exe/<name>/vek and exe/<twin>/vek, so that
// a run of the wrong program, folder or output folder writes a list where the test sees it.
struct TwinTree {
  TwinTree(const QString& root, const TwinNames& names, const QString& vek)
      : base(encodeFileName(root)) {
    for (const QByteArray& sub : {QByteArray("/in/"), QByteArray("/out/"), QByteArray("/exe/")}) {
      makeFolder(base + sub.chopped(1));
      makeFolder(base + sub + names.name);
      makeFolder(base + sub + names.twin);
    }
    makeFile(base + "/in/" + names.name + "/real.txt");
    makeFile(base + "/in/" + names.twin + "/twin.txt");
    for (const QByteArray& name : {names.name, names.twin}) {
      const QByteArray link = base + "/exe/" + name + "/vek";
      EXPECT_EQ(::symlink(encodeFileName(vek).constData(), link.constData()), 0);
    }
    auto text = [](const QByteArray& bytes) { return decodeFileName(bytes.constData()); };
    prefill.inPath = text(base + "/in/" + names.name);
    prefill.outFolder = text(base + "/out/" + names.name + "/");
    prefill.title = prefill.inPath;
    prefill.executable = text(base + "/exe/" + names.name + "/vek");
  }
  QByteArray base;
  frmCommand::Prefill prefill;
};

QString noteOf(frmCommand& dialog) {
  auto* note = dialog.findChild<QLabel*>(u"lblCommandNote"_s);
  EXPECT_NE(note, nullptr);
  return note && !note->isHidden() ? note->text() : QString();
}

TEST_F(CommandBuilderTest, TestRunListsTheFolderShownByItsExactBytes) {
  const QString vek = qEnvironmentVariable("VEK_EXE");
  ASSERT_FALSE(vek.isEmpty()) << "VEK_EXE is not set";
  int number = 0;
  for (const TwinNames& names : kTwinNames) {
    SCOPED_TRACE(names.what);
    dialogs.messages.clear();
    TwinTree twins(tree.folder(QString::number(++number)), names, vek);
    auto dialog = open(twins.prefill);
    find<QAbstractButton>(*dialog, u"optOutPath_1"_s)->click();
    find<QLineEdit>(*dialog, u"txtOutName"_s)->setText(u"list"_s);
    auto* makeTest = find<QPushButton>(*dialog, u"cmdMakeTest"_s);
    ASSERT_TRUE(makeTest->isEnabled());
    makeTest->click();
    if (dialog->testRunning()) {
      ASSERT_TRUE(waitForTestRun(*dialog));
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, u"テスト完了"_s) << dialogs.messages[0].text.toStdString();
    EXPECT_TRUE(readFile(twins.base + "/out/" + names.name + "/list.csv").contains("real.txt"));
    EXPECT_FALSE(exists(twins.base + "/out/" + names.twin + "/list.csv"));
  }
}

TEST_F(CommandBuilderTest, CopyPutsTheComposedLineOrSaysWhyItCannot) {
  const QString notPastable =
      u"UTF-8で表せない名前を含むため、このコマンドは貼り付けても同じ意味になりません。\n"
      u"リスト作成のテストはこのまま実行できます。"_s;
  const QString pastedOtherwise =
      u"制御文字（CR、タブなど）を含むため、"
      u"このコマンドは端末に貼り付けると違う意味に読まれることがあります。"_s;
  int number = 0;
  for (const TwinNames& names : kTwinNames) {
    SCOPED_TRACE(names.what);
    dialogs.messages.clear();
    QGuiApplication::clipboard()->clear();
    TwinTree twins(tree.folder(QString::number(++number)), names, u"/bin/true"_s);
    auto dialog = open(twins.prefill);
    auto* copy = find<QPushButton>(*dialog, u"cmdCopy"_s);
    EXPECT_EQ(copy->isEnabled(), names.pastable);
    EXPECT_EQ(noteOf(*dialog), !names.pastable      ? notPastable
                               : !names.pastedAlike ? pastedOtherwise
                                                    : QString());
    copy->click();
    if (names.pastable) {
      EXPECT_EQ(QGuiApplication::clipboard()->text(), composeCommand(dialog->form()));
      EXPECT_EQ(dialogs.messages.size(), 1u);
    } else {
      EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
      EXPECT_TRUE(dialogs.messages.empty());
    }
  }
}

// An edit of the line keeps the characters the person did not touch, not the box's version
// of them: the sort number changed by hand, the folders still the ones shown.
TEST_F(CommandBuilderTest, AnEditedLineKeepsTheNamesItDidNotTouch) {
  const QString vek = qEnvironmentVariable("VEK_EXE");
  ASSERT_FALSE(vek.isEmpty()) << "VEK_EXE is not set";
  int number = 0;
  for (const TwinNames& names : kTwinNames) {
    SCOPED_TRACE(names.what);
    dialogs.messages.clear();
    TwinTree twins(tree.folder(QString::number(++number)), names, vek);
    auto dialog = open(twins.prefill);
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    find<QAbstractButton>(*dialog, u"optOutPath_1"_s)->click();
    find<QLineEdit>(*dialog, u"txtOutName"_s)->setText(u"list"_s);
    const QString composed = composeCommand(dialog->form());
    ASSERT_TRUE(composed.endsWith(u" /S 1"_s));
    auto* line = find<QPlainTextEdit>(*dialog, u"txtCommand"_s);
    line->setFocus();
    line->moveCursor(QTextCursor::End);
    test::pressKey(QApplication::focusWidget(), Qt::Key_Backspace);
    test::typeText(QApplication::focusWidget(), u"2"_s);
    ASSERT_TRUE(line->toPlainText().endsWith(u" /S 2"_s));
    if (names.pastable) {
      find<QPushButton>(*dialog, u"cmdCopy"_s)->click();
      EXPECT_EQ(QGuiApplication::clipboard()->text(), composed.chopped(1) + u'2');
      dialogs.messages.clear();
    }
    find<QPushButton>(*dialog, u"cmdMakeTest"_s)->click();
    if (dialog->testRunning()) {
      ASSERT_TRUE(waitForTestRun(*dialog));
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, u"テスト完了"_s) << dialogs.messages[0].text.toStdString();
    EXPECT_TRUE(readFile(twins.base + "/out/" + names.name + "/list.csv").contains("real.txt"));
    EXPECT_FALSE(exists(twins.base + "/out/" + names.twin + "/list.csv"));
  }
}

TEST_F(CommandBuilderTest, LongFolderPathsAreNotCut) {
  frmCommand::Prefill prefill = standard();
  prefill.inPath = u'/' + QString(40000, u'x');
  prefill.title = prefill.inPath;
  auto dialog = open(prefill);
  EXPECT_EQ(dialog->form().inPath, prefill.inPath);
  EXPECT_EQ(dialog->form().title, prefill.inPath);
}

// A value the batch run would read as a switch, or not at all, makes the line mean something
// other than the form: the builder says so under the line and offers no test run.
TEST_F(CommandBuilderTest, ALineTheRunWouldReadOtherwiseIsNotOffered) {
  const QString hint =
      u"指示符と同じ形の値（/C など）や空の値は使えません、指定を変更してください。"_s;
  const struct {
    const char* name;
    QString inPath, title;
    std::function<void(frmCommand&)> change;
    QString note;  // empty: the line means what the form says
  } cases[] = {
      {"a folder named like a switch, as the title",
       u"/C"_s,
       u"/C"_s,
       {},
       u"このコマンドではｻﾌﾞﾃﾞｨﾚｸﾄﾘの検索が指定と違う意味に読まれます。\n"_s + hint},
      {"an HTML title named like a switch", u"/data"_s, u"/E"_s,
       [](frmCommand& d) {
         find<QAbstractButton>(d, u"optType_2"_s)->click();
         find<QComboBox>(d, u"cmbFilter"_s)->setEditText(u"*.txt"_s);
       },
       u"このコマンドでは入力ファイルフィルタ、タイトルが指定と違う意味に読まれます。\n"_s + hint},
      {"a folder named like a switch is still the HTML title", u"/C"_s, u"/C"_s,
       [](frmCommand& d) { find<QAbstractButton>(d, u"optType_2"_s)->click(); },
       u"このコマンドではｻﾌﾞﾃﾞｨﾚｸﾄﾘの検索が指定と違う意味に読まれます。\n"_s + hint},
      {"an empty HTML title", u"/data"_s, QString(),
       [](frmCommand& d) { find<QAbstractButton>(d, u"optType_2"_s)->click(); },
       u"このコマンドではタイトルが指定と違う意味に読まれます。\n"_s + hint},
      {"a filter named like a switch", u"/data"_s, u"/data"_s,
       [](frmCommand& d) { find<QComboBox>(d, u"cmbFilter"_s)->setEditText(u"/E"_s); },
       u"このコマンドでは入力ファイルフィルタが指定と違う意味に読まれます。\n"_s + hint},
      {"a file name the run takes for DATE", u"/data"_s, u"/data"_s,
       [](frmCommand& d) {
         find<QAbstractButton>(d, u"optOutPath_1"_s)->click();
         find<QLineEdit>(d, u"txtOutName"_s)->setText(u"date"_s);
       },
       u"このコマンドでは出力ファイル名が指定と違う意味に読まれます。\n"_s + hint},
      {"a title naming a switch as the first switch would",
       u"/data"_s,
       u"/I"_s,
       {},
       u"このコマンドはリスト作成で受け付けられません。\n識別できない指示符「1」です。\n"_s + hint},
      {"no input folder", QString(), u"/data"_s, {}, u"入力フォルダを指定してください。"_s},
      {"a title that only begins like a switch", u"/C"_s, u"/C/x"_s, {}, QString()},
      {"an ordinary form", u"/data"_s, u"/data"_s, {}, QString()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    frmCommand::Prefill prefill = standard();
    prefill.inPath = c.inPath;
    prefill.title = c.title;
    prefill.executable = tree.path(u"no such/vek"_s);
    auto dialog = open(prefill);
    dialog->show();
    if (c.change) c.change(*dialog);
    EXPECT_EQ(noteOf(*dialog), c.note);
    auto* makeTest = find<QPushButton>(*dialog, u"cmdMakeTest"_s);
    EXPECT_EQ(makeTest->isEnabled(), c.note.isEmpty());
    if (c.note.isEmpty()) continue;
    // Enter does not start it either.
    dialogs.messages.clear();
    type(find<QLineEdit>(*dialog, u"txtTitle"_s), u"\r"_s, Qt::Key_Return);
    EXPECT_FALSE(dialog->testRunning());
    EXPECT_TRUE(dialogs.messages.empty());
  }
}

// A line the person edited by hand is theirs to test: the run says what it makes of it.
TEST_F(CommandBuilderTest, AnEditedLineIsOfferedForTheTestRunAgain) {
  frmCommand::Prefill prefill = standard();
  prefill.title = u"/C"_s;
  auto dialog = open(prefill);
  dialog->show();
  QApplication::setActiveWindow(dialog.get());
  auto* makeTest = find<QPushButton>(*dialog, u"cmdMakeTest"_s);
  ASSERT_FALSE(makeTest->isEnabled());
  auto* line = find<QPlainTextEdit>(*dialog, u"txtCommand"_s);
  line->setFocus();
  line->moveCursor(QTextCursor::End);
  test::typeText(QApplication::focusWidget(), u" /C"_s);
  EXPECT_TRUE(makeTest->isEnabled());
  EXPECT_TRUE(noteOf(*dialog).isEmpty());
  // Changing the form composes the line again, and the note is back.
  find<QAbstractButton>(*dialog, u"optSortKey_1"_s)->click();
  EXPECT_FALSE(makeTest->isEnabled());
  EXPECT_FALSE(noteOf(*dialog).isEmpty());
}

// ---- The dialog on a small screen ----

// Whether the whole of a control is on the dialog and not scrolled out of sight: inside each
// widget that holds it, up to the dialog.
bool wholeInView(const QWidget* control) {
  if (!control->isVisible()) return false;
  for (const QWidget* holder = control->parentWidget(); holder; holder = holder->parentWidget()) {
    if (!holder->rect().contains(QRect(control->mapTo(holder, QPoint()), control->size())))
      return false;
    if (holder->isWindow()) break;
  }
  return true;
}

// A laptop's 1366 x 768 screen less its panel.
const QRect kLaptopArea(0, 0, 1366, 720);

// The offscreen screen is 600 pixels high: smaller than the form, as a laptop's is.
TEST_F(CommandBuilderTest, FitsTheScreenWithTheCommandAndItsButtonsInView) {
  const struct {
    const char* name;
    std::optional<QRect> area;  // none: the screen's own
  } screens[] = {{"the screen the dialog is on", std::nullopt}, {"a laptop", kLaptopArea}};
  for (const auto& s : screens) {
    SCOPED_TRACE(s.name);
    auto dialog = open(standard());
    if (s.area) dialog->setAvailableGeometry(*s.area);
    dialog->show();
    QCoreApplication::processEvents();
    const QRect area = s.area.value_or(dialog->screen()->availableGeometry());
    ASSERT_LT(area.height(), dialog->sizeHint().height()) << "the screen has room for the form";
    EXPECT_LE(dialog->frameGeometry().height(), area.height());
    if (!s.area) {
      EXPECT_TRUE(area.contains(dialog->frameGeometry()));
    }
    for (const char16_t* name : {u"txtCommand", u"cmdMakeTest", u"cmdCopy", u"cmdOk"}) {
      EXPECT_TRUE(wholeInView(find<QWidget>(*dialog, QString::fromUtf16(name))))
          << QString::fromUtf16(name).toStdString();
    }
  }
}

// A screen with room shows the whole form as it is, with nothing to scroll.
TEST_F(CommandBuilderTest, ABigScreenShowsTheWholeForm) {
  auto dialog = open(standard());
  dialog->setAvailableGeometry(QRect(0, 0, 1920, 1040));
  dialog->show();
  QCoreApplication::processEvents();
  for (const char16_t* name :
       {u"frInPath", u"frOutPath", u"frType", u"frOutFile", u"frInFileFilter", u"frTitle",
        u"frSort", u"chkSubDir", u"frWalk", u"frOutOption", u"frCommand", u"cmdOk"}) {
    EXPECT_TRUE(wholeInView(find<QWidget>(*dialog, QString::fromUtf16(name))))
        << QString::fromUtf16(name).toStdString();
  }
  for (const QScrollBar* bar : dialog->findChildren<QScrollBar*>()) {
    if (!find<QPlainTextEdit>(*dialog, u"txtCommand"_s)->isAncestorOf(bar)) {
      EXPECT_FALSE(bar->isVisible()) << bar->objectName().toStdString();
    }
  }
}

// A note under the command box takes its lines from the screen where it has room, not from
// the form; on a small screen the dialog stays on it and the note and buttons in view.
TEST_F(CommandBuilderTest, ANoteUnderTheCommandKeepsTheFormAndTheScreen) {
  const struct {
    const char* name;
    QRect area;
    bool wholeForm;
  } screens[] = {{"a big screen", QRect(0, 0, 1920, 1040), true}, {"a laptop", kLaptopArea, false}};
  for (const auto& s : screens) {
    SCOPED_TRACE(s.name);
    auto dialog = open(standard());
    dialog->setAvailableGeometry(s.area);
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    // A title the run would read as a switch.
    test::clickToFocus(find<QLineEdit>(*dialog, u"txtTitle"_s));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    test::typeIntoFocus(u"/C"_s);
    ASSERT_FALSE(noteOf(*dialog).isEmpty());
    QCoreApplication::processEvents();  // the form settles in its new height
    EXPECT_LE(dialog->frameGeometry().height(), s.area.height());
    for (const char16_t* name : {u"lblCommandNote", u"txtCommand", u"cmdCopy", u"cmdOk"}) {
      EXPECT_TRUE(wholeInView(find<QWidget>(*dialog, QString::fromUtf16(name))))
          << QString::fromUtf16(name).toStdString();
    }
    EXPECT_EQ(wholeInView(find<QWidget>(*dialog, u"frInPath"_s)) &&
                  wholeInView(find<QWidget>(*dialog, u"frOutOption"_s)),
              s.wholeForm);
  }
}

// Tab and Shift+Tab reach every control of the form, and the one that takes the focus is
// scrolled into view.
TEST_F(CommandBuilderTest, TheKeyboardReachesTheFormsLastControlsOnASmallScreen) {
  auto dialog = open(standard());
  dialog->setAvailableGeometry(kLaptopArea);
  dialog->show();
  QApplication::setActiveWindow(dialog.get());
  auto* first = find<QLineEdit>(*dialog, u"txtInPath"_s);
  test::clickToFocus(first);
  ASSERT_EQ(QApplication::focusWidget(), first);
  auto* last = find<QCheckBox>(*dialog, u"chkSumFile"_s);
  ASSERT_FALSE(wholeInView(last)) << "the form is not scrolled on this screen";
  for (int i = 0; i < 40 && QApplication::focusWidget() != last; ++i) {
    test::pressKeyInFocus(Qt::Key_Tab);
    EXPECT_TRUE(wholeInView(QApplication::focusWidget()))
        << QApplication::focusWidget()->objectName().toStdString();
  }
  ASSERT_EQ(QApplication::focusWidget(), last);
  EXPECT_FALSE(wholeInView(first));
  // On to the command box, round by the buttons to the top of the form, and back.
  test::pressKeyInFocus(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), find<QPlainTextEdit>(*dialog, u"txtCommand"_s));
  for (int i = 0; i < 10 && QApplication::focusWidget() != first; ++i)
    test::pressKeyInFocus(Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), first);
  EXPECT_TRUE(wholeInView(first));
  test::clickToFocus(find<QPlainTextEdit>(*dialog, u"txtCommand"_s));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), last);
  EXPECT_TRUE(wholeInView(last));
}

// The wheel over a choice that the pointer passes while the form scrolls moves the form, not
// the choice; a choice with the keyboard focus takes the wheel as ever.
TEST_F(CommandBuilderTest, TheWheelScrollsTheFormPastItsChoices) {
  auto dialog = open(standard());
  dialog->setAvailableGeometry(kLaptopArea);
  dialog->show();
  QApplication::setActiveWindow(dialog.get());
  test::clickToFocus(find<QLineEdit>(*dialog, u"txtInPath"_s));
  auto* filter = find<QComboBox>(*dialog, u"cmbFilter"_s);
  ASSERT_TRUE(wholeInView(filter));
  const QString preset = filter->currentText();
  // As the windowing system turns the wheel: to the widget under the pointer, from where an
  // event it leaves goes on to the widgets that hold it.
  auto wheel = [&dialog](QWidget* over) {
    QWidget* under = dialog->childAt(over->mapTo(dialog.get(), over->rect().center()));
    ASSERT_NE(under, nullptr);
    const QPointF at = QRectF(under->rect()).center();
    QWheelEvent down(at, under->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&down);
    QApplication::instance()->notify(under, &down);
  };
  const int before = filter->mapTo(dialog.get(), QPoint()).y();
  wheel(filter);
  EXPECT_EQ(filter->currentIndex(), 0);
  EXPECT_EQ(filter->currentText(), preset);
  EXPECT_LT(filter->mapTo(dialog.get(), QPoint()).y(), before) << "the form did not scroll";

  test::clickToFocus(filter);
  ASSERT_TRUE(filter->hasFocus());
  wheel(filter);
  EXPECT_EQ(filter->currentIndex(), 1);
}

}  // namespace
}  // namespace vek
