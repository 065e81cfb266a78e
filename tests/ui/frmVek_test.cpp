// The main window: choosing folders, the filter box, the adds, the history, the list's header,
// the export checks, closing.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

#include "DialogTestSupport.h"
#include "WindowFixture.h"
#include "core/list/FileList.h"
#include "support/QStringPrinter.h"
#include "ui/FileListModel.h"
#include "ui/frmInfo.h"
#include "ui/frmOutHtml.h"
#include "ui/frmOutText.h"
#include "ui/frmOutXML.h"

namespace vek::test {
namespace {

using namespace Qt::StringLiterals;

using Window = WindowFixture;

TEST_F(Window, ChoosingAFolderUpdatesTheFileBoxAndBothCaptions) {
  tree.file(QStringLiteral("data/one.txt"));
  tree.file(QStringLiteral("data/two.log"));
  tree.file(QStringLiteral("data/sub/three.txt"));
  tree.file(QStringLiteral("data/.hidden"));
  open();
  const QString data = tree.path(QStringLiteral("data"));
  ASSERT_TRUE(window->setFolderPath(data));
  EXPECT_EQ(fileBox(), (QStringList{QStringLiteral("one.txt"), QStringLiteral("two.log")}));
  EXPECT_EQ(frameCaption("frmInFile"), QStringLiteral(" 入力ﾌｧｲﾙの選択 [") + data + u']');
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Vek - ") + data);
  // The folder box shows the folder's subfolder, which opens it.
  auto* folders = child<QListWidget>("dirGetFile");
  const auto sub = folders->findItems(QStringLiteral("sub"), Qt::MatchEndsWith);
  ASSERT_EQ(sub.size(), 1);
  Q_EMIT folders->itemActivated(sub.front());
  EXPECT_EQ(window->currentFolder(), data + QStringLiteral("/sub"));
  EXPECT_EQ(fileBox(), QStringList{QStringLiteral("three.txt")});
}

TEST_F(Window, StartFolderFromTheCommandLineIsShown) {
  tree.file(QStringLiteral("start/a.txt"));
  open(tree.path(QStringLiteral("start")));
  EXPECT_EQ(window->currentFolder(), tree.path(QStringLiteral("start")));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Vek - ") + tree.path(QStringLiteral("start")));
  // A start folder that does not exist leaves the stored one, without a message.
  open(tree.path(QStringLiteral("missing")));
  EXPECT_EQ(window->currentFolder(), tree.path(QStringLiteral("work")));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Window, FilterTextDecidesWhatIsShownAndAdded) {
  for (const char* name : {"a.txt", "b.log", "c.doc"})
    tree.file(QStringLiteral("f/") + QLatin1String(name));
  open(tree.path(QStringLiteral("f")));
  setFilter(QStringLiteral("*.txt;*.log"));
  EXPECT_EQ(fileBox(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.log")}));
  click("cmdAppend");
  EXPECT_EQ(listedNames(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.log")}));
  EXPECT_EQ(frameCaption("frmFileList"), QStringLiteral("出力対象ﾌｧｲﾙﾘｽﾄ - 総ﾌｧｲﾙ数：2ﾌｧｲﾙ"));
  EXPECT_EQ(window->listModel().rowCount(), 2);

  // An empty filter is refused with its message.
  setFilter(QString());
  click("cmdAppend");
  EXPECT_EQ(window->list().count(), 2);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("ﾌｧｲﾙ種別未選択"));
}

TEST_F(Window, FilterBoxRefusesTypedPathCharactersWithABeep) {
  open();
  window->show();
  auto* combo = child<QComboBox>("cmbFilter");
  const struct {
    const char16_t* typed;
    const char16_t* shown;
    int beeps;
  } cases[] = {{u":", u"", 1},
               {u"\\", u"", 1},
               {u"/", u"", 1},
               {u"\"", u"", 1},
               {u"|", u"", 1},
               {u"<", u"", 1},
               {u">", u"", 1},
               {u",", u"", 1},
               {u"*.txt;*.l?g", u"*.txt;*.l?g", 0},
               {u"C:\\写真/*.jpg", u"C写真*.jpg", 3},
               {u"：＼／あ", u"：＼／あ", 0}};
  for (const auto& c : cases) {
    const QString typed = QString::fromUtf16(c.typed);
    combo->setEditText(QString());
    dialogs.beeps = 0;
    test::clickToFocus(combo);
    test::typeIntoFocus(typed);
    EXPECT_EQ(combo->currentText(), QString::fromUtf16(c.shown)) << typed.toStdString();
    EXPECT_EQ(dialogs.beeps, c.beeps) << typed.toStdString();
  }
}

// The screen is for the keyboard: pasted and dropped text is taken as it is, since a file name
// may hold any of these characters; an input method's text is typed, and screened.
TEST_F(Window, FilterBoxTakesPastedAndDroppedTextWhole) {
  open();
  window->show();
  auto* combo = child<QComboBox>("cmbFilter");
  combo->setEditText(QString());
  test::clickToFocus(combo);
  QGuiApplication::clipboard()->setText(QStringLiteral("a:b,c"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(combo->currentText(), QStringLiteral("a:b,c"));

  combo->setEditText(QString());
  QMimeData text;
  text.setText(QStringLiteral("x|y"));
  QWidget* field = combo->lineEdit();
  const QPointF middle = QRectF(field->rect()).center();
  QDragEnterEvent enter(middle.toPoint(), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(field, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(middle, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(field, &drop);
  EXPECT_EQ(combo->currentText(), QStringLiteral("x|y"));
  EXPECT_TRUE(window->list().rows().empty());

  combo->setEditText(QString());
  QInputMethodEvent composed;
  composed.setCommitString(QStringLiteral("*.c/d"));
  QApplication::sendEvent(QApplication::focusWidget(), &composed);
  EXPECT_EQ(combo->currentText(), QStringLiteral("*.cd"));
  EXPECT_EQ(dialogs.beeps, 1);
}

TEST_F(Window, TypedFilterIsNotCompletedFromThePresets) {
  open();
  auto* combo = child<QComboBox>("cmbFilter");
  ASSERT_GT(combo->count(), 1);
  // Every preset begins with "*.": completion would turn the typed pattern into the first one.
  test::typeIntoCombo(combo, QStringLiteral("*.t"));
  EXPECT_EQ(combo->currentText(), QStringLiteral("*.t"));
}

TEST_F(Window, AddingTwiceDoublesTheRowsUnlessOverLap) {
  tree.file(QStringLiteral("d/x.txt"));
  tree.file(QStringLiteral("d/y.txt"));
  for (const int overLap : {0, 1}) {
    open(tree.path(QStringLiteral("d")));
    window->settings().option.overLap = overLap;
    click("cmdAppend");
    click("cmdAppend");
    EXPECT_EQ(window->list().count(), overLap == 1 ? 2 : 4) << overLap;
    EXPECT_EQ(window->listModel().rowCount(), window->list().count());
  }
}

TEST_F(Window, HistoryRecordsNewestFirstWithoutMovingAndDropsTheEleventh) {
  QStringList folders;
  for (int i = 0; i < 11; ++i) {
    folders.append(tree.folder(QStringLiteral("h") + QString::number(i)));
    tree.file(QStringLiteral("h") + QString::number(i) + QStringLiteral("/f.txt"));
  }
  open();
  auto item = [&](int i) {
    return child<QAction>(qPrintable(QStringLiteral("mHis") + QString::number(i)));
  };
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(item(i)->isVisible());

  for (int i = 0; i < 3; ++i) {
    window->setFolderPath(folders[i]);
    click("cmdAppend");
  }
  EXPECT_EQ(item(0)->text(), folders[2]);
  EXPECT_EQ(item(2)->text(), folders[0]);
  EXPECT_TRUE(item(2)->isVisible());
  EXPECT_FALSE(item(3)->isVisible());

  // An entry already present stays where it is.
  window->setFolderPath(folders[0]);
  click("cmdAppend");
  EXPECT_EQ(item(0)->text(), folders[2]);

  for (int i = 3; i < 11; ++i) {
    window->setFolderPath(folders[i]);
    click("cmdAppend");
  }
  EXPECT_EQ(item(0)->text(), folders[10]);
  EXPECT_EQ(item(9)->text(), folders[1]);  // folders[0] is gone
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(item(i)->isVisible());

  // Choosing an entry opens it; a vanished folder gives its message and stays.
  item(4)->trigger();
  EXPECT_EQ(window->currentFolder(), folders[6]);
  QDir(folders[5]).removeRecursively();
  item(5)->trigger();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("警告"));
  // The folder and the system's reason follow the two lines.
  EXPECT_EQ(dialogs.messages[0].text,
            u"指定されたパスからファイル情報を取得できません。\r\nパスを確認してください。\r\n"
            u"「%1」: %2"_s.arg(folders[5], QString::fromLocal8Bit(std::strerror(ENOENT))));
  EXPECT_EQ(item(5)->text(), folders[5]);
  EXPECT_EQ(window->currentFolder(), folders[6]);
}

TEST_F(Window, HistoryCaptionShowsAnAmpersandAsItIs) {
  const QString folder = tree.folder(QStringLiteral("R&D"));
  tree.file(QStringLiteral("R&D/a.txt"));
  open(folder);
  click("cmdAppend");
  auto* item = child<QAction>("mHis0");
  EXPECT_EQ(item->text(), folder.section(u'/', 0, -2) + QStringLiteral("/R&&D"));
  item->trigger();
  EXPECT_EQ(window->currentFolder(), folder);
}

TEST_F(Window, HeaderClicksSortDescendingFirstSizesNumericallyAndKeepTicks) {
  tree.file(QStringLiteral("s/a.txt"), QByteArray(100, 'x'));
  tree.file(QStringLiteral("s/b.txt"), QByteArray(9, 'x'));
  tree.file(QStringLiteral("s/c.txt"), QByteArray(10, 'x'));
  open(tree.path(QStringLiteral("s")));
  click("cmdAppend");
  EXPECT_EQ(listedNames(), (QStringList{u"a.txt"_qs, u"b.txt"_qs, u"c.txt"_qs}));
  auto* view = child<QTreeView>("lvWriteList");
  FileListModel& model = window->listModel();
  model.setData(model.index(1, 0), Qt::Unchecked, Qt::CheckStateRole);  // b.txt
  EXPECT_FALSE(window->list().at(1).ticked);

  Q_EMIT view->header()->sectionClicked(0);
  EXPECT_EQ(listedNames(), (QStringList{u"c.txt"_qs, u"b.txt"_qs, u"a.txt"_qs}));
  Q_EMIT view->header()->sectionClicked(int(ListColumn::Size));
  EXPECT_EQ(listedNames(), (QStringList{u"b.txt"_qs, u"c.txt"_qs, u"a.txt"_qs}));
  EXPECT_EQ(view->header()->sortIndicatorOrder(), Qt::AscendingOrder);
  Q_EMIT view->header()->sectionClicked(int(ListColumn::Size));
  EXPECT_EQ(listedNames(), (QStringList{u"a.txt"_qs, u"c.txt"_qs, u"b.txt"_qs}));
  EXPECT_EQ(view->header()->sortIndicatorOrder(), Qt::DescendingOrder);
  // b.txt is still unticked, and the view shows it so.
  EXPECT_FALSE(window->list().at(2).ticked);
  EXPECT_EQ(model.index(2, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
  EXPECT_EQ(model.index(0, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
}

TEST_F(Window, ExportRefusesAnEmptyListAndAListWithNothingTicked) {
  tree.file(QStringLiteral("e/a.txt"));
  open(tree.path(QStringLiteral("e")));
  for (const char* button : {"cmdOutList", "cmdOutHtml", "cmdOutXML"}) {
    dialogs.messages.clear();
    click(button);
    ASSERT_EQ(dialogs.messages.size(), 1u) << button;
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("ﾌｧｲﾙがありません。"));
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("出力対象とするファイルリストが入力されていません。"));
  }
  click("cmdAppend");
  window->listModel().setData(window->listModel().index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
  dialogs.messages.clear();
  click("cmdOutHtml");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("選択されていません。"));
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);
  EXPECT_TRUE(dialogs.filters.empty());  // no save dialog
}

TEST_F(Window, ExportAsksForTheFileConfirmsAndWrites) {
  tree.file(QStringLiteral("x/a.txt"), "abc");
  open(tree.path(QStringLiteral("x")));
  click("cmdAppend");
  const QString target = tree.path(QStringLiteral("out/list.csv"));
  tree.folder(QStringLiteral("out"));

  dialogs.saveFiles = {target};
  dialogs.ok = false;  // the confirmation is declined: nothing written
  click("cmdOutList");
  clickInDialog<frmOutText>("cmdTextCreate");
  EXPECT_FALSE(QFileInfo::exists(target));
  EXPECT_NE(shownDialog<frmOutText>(), nullptr);  // the dialog stays open
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0].title, QStringLiteral("ﾌｧｲﾙ保存確認"));
  EXPECT_EQ(dialogs.questions[0].text,
            QStringLiteral("ﾌｧｲﾙ名 ") + target + QStringLiteral(" で保存します、よろしいですか?"));
  EXPECT_EQ(dialogs.filters.back(), QStringLiteral("CSVﾌｧｲﾙ|*.csv"));
  // The first save dialog: the working folder, the listed folder's name offered.
  EXPECT_EQ(dialogs.initialFolders.back(), tree.path(QStringLiteral("work/")));
  EXPECT_EQ(dialogs.offeredNames.back(), QStringLiteral("x.csv"));

  dialogs.saveFiles = {target};
  dialogs.ok = true;
  window->settings().option.listOpen = 1;
  clickInDialog<frmOutText>("cmdTextCreate");
  EXPECT_EQ(shownDialog<frmOutText>(), nullptr);
  EXPECT_TRUE(QFileInfo::exists(target));
  EXPECT_EQ(window->windowSettings().saveFileName, target);
  ASSERT_EQ(dialogs.opened.size(), 1u);
  EXPECT_EQ(dialogs.opened[0].toLocalFile(), target);

  // Saving over the file now there: the question says it is replaced.
  dialogs.saveFiles = {target};
  dialogs.ok = false;
  click("cmdOutList");
  clickInDialog<frmOutText>("cmdTextCreate");
  EXPECT_EQ(
      dialogs.questions.back().text,
      QStringLiteral("ﾌｧｲﾙ名 ") + target +
          QStringLiteral(" で保存します、よろしいですか?\r\n既にあるファイルを置き換えます。"));
  shownDialog<frmOutText>()->close();
  dialogs.ok = true;

  for (const auto& [button, filter] : {std::pair{"cmdOutHtml", u"HTMLﾄﾞｷｭﾒﾝﾄ|*.htm;*.html"_qs},
                                       std::pair{"cmdOutXML", u"XMLﾌｧｲﾙ|*.xml"_qs}}) {
    const QString file = tree.path(QStringLiteral("out/list.") + filter.section(u'.', -1));
    dialogs.saveFiles = {file};
    click(button);
    if (filter.endsWith(u".xml"_qs))
      clickInDialog<frmOutXML>("cmdXmlCreate");
    else
      clickInDialog<frmOutHtml>("cmdHtmlCreate");
    EXPECT_EQ(dialogs.filters.back(), filter);
    EXPECT_EQ(dialogs.offeredNames.back(), u"x."_s + file.section(u'.', -1).first(3));
    EXPECT_TRUE(QFileInfo::exists(file)) << button;
    // The next save dialog starts in the folder of the last file saved.
    EXPECT_EQ(dialogs.initialFolders.back(), tree.path(QStringLiteral("out/")));
  }
}

// The name offered is that of the folder the adds started from, not of the folder their rows
// happen to share: a subtree add of x that found files in x/sub only offers x.
TEST_F(Window, TheSaveDialogOffersTheNameOfTheFolderTheListWasMadeOf) {
  tree.file(u"x/sub/a.txt"_s, "abc");
  tree.file(u"x/sub/deeper/b.txt"_s, "abc");
  open(tree.path(u"x"_s));
  click("cmdAllAppend");
  click("cmdOutList");
  clickInDialog<frmOutText>("cmdTextCreate");
  EXPECT_EQ(dialogs.offeredNames.back(), u"x.csv"_s);
}

// A save folder stored as the settings folder (earlier versions wrote it before anything was
// saved) gives way to the working folder; any other stored folder stands.
TEST_F(Window, TheSaveDialogStartsOutsideTheSettingsFolder) {
  tree.file(u"x/a.txt"_s, "abc");
  for (const auto& [stored, expected] :
       {std::pair{u"program"_s, u"work/"_s}, std::pair{u"x"_s, u"x/"_s}}) {
    tree.file(u"program/Vek.ini"_s,
              "[Main]\r\nDefaultOutDir=" + tree.path(stored).toUtf8() + "\r\n");
    open(tree.path(u"x"_s));
    click("cmdAppend");
    click("cmdOutList");
    clickInDialog<frmOutText>("cmdTextCreate");  // the save dialog is cancelled
    EXPECT_EQ(dialogs.initialFolders.back(), tree.path(expected)) << stored.toStdString();
    shownDialog<frmOutText>()->close();
  }
}

TEST_F(Window, FolderChoosersGiveTheirMessages) {
  tree.folder(QStringLiteral("ok"));
  open();
  const QString before = window->currentFolder();

  dialogs.folders = {QString()};  // an item that is no folder of the file system
  child<QAction>("mOpenDir")->trigger();
  dialogs.folders = {tree.path(QStringLiteral("gone"))};
  click("cmdBrowseForFolder");
  dialogs.texts = {QStringLiteral("/no/such/folder")};
  click("cmdDirectPath");
  const QString file = tree.file(u"a file"_s);
  dialogs.texts = {file};
  click("cmdDirectPath");
  dialogs.texts = {QString()};  // empty: nothing happens
  click("cmdDirectPath");
  ASSERT_EQ(dialogs.messages.size(), 4u);
  const QString noSuchFile = QString::fromLocal8Bit(std::strerror(ENOENT));
  EXPECT_EQ(dialogs.messages[0].text,
            QStringLiteral("指定されたﾊﾟｽからﾌｧｲﾙ情報を取得できません。\r\n"
                           "指定が可能なものは、ﾃﾞｽｸﾄｯﾌﾟ、ﾄﾞﾗｲﾌﾞ、ﾌｫﾙﾀﾞのみです。"));
  EXPECT_EQ(dialogs.messages[1].text,
            u"指定されたパスからファイル情報を取得できません。\r\nパスを変更してください。\r\n"
            u"「%1」: %2"_s.arg(tree.path(u"gone"_s), noSuchFile));
  EXPECT_EQ(dialogs.messages[2].text,
            u"指定されたパス「/no/such/folder」から、\r\nファイル情報を取得できません。\r\n"
            u"「/no/such/folder」: "_s +
                noSuchFile);
  EXPECT_EQ(dialogs.messages[3].text,
            u"指定されたパス「%1」から、\r\nファイル情報を取得できません。\r\n「%1」: %2"_s.arg(
                file, QString::fromLocal8Bit(std::strerror(ENOTDIR))));
  EXPECT_EQ(dialogs.titles[0], QStringLiteral("ﾌｫﾙﾀﾞを選択してください"));
  EXPECT_EQ(dialogs.titles[2], QStringLiteral("パスの入力"));
  EXPECT_EQ(window->currentFolder(), before);
  // The boxes are usable again after every way out.
  EXPECT_TRUE(child<QListWidget>("dirGetFile")->isEnabled());

  dialogs.folders = {tree.path(QStringLiteral("ok"))};
  click("cmdBrowseForFolder");
  EXPECT_EQ(window->currentFolder(), tree.path(QStringLiteral("ok")));
  // A typed path may be relative to the folder shown.
  dialogs.texts = {QStringLiteral("..")};
  click("cmdDirectPath");
  EXPECT_EQ(window->currentFolder(), tree.root());
}

TEST_F(Window, ChoosingAVolumeShowsItsRootAndAFolderSelectsItsVolume) {
  tree.folder(QStringLiteral("v"));
  open(tree.path(QStringLiteral("v")));
  auto* drives = child<QComboBox>("drvGetFile");
  // The folder shown lies on one of the volumes, and that one is selected.
  ASSERT_GE(drives->currentIndex(), 0);
  EXPECT_TRUE(tree.path(QStringLiteral("v")).startsWith(drives->currentText()));
  const int root = drives->findText(QStringLiteral("/"));
  ASSERT_GE(root, 0);
  drives->setCurrentIndex(root);
  Q_EMIT drives->activated(root);
  EXPECT_EQ(window->currentFolder(), QStringLiteral("/"));
  EXPECT_TRUE(dialogs.messages.empty());
  // "~" in a typed path is the home folder.
  dialogs.texts = {QStringLiteral("~")};
  click("cmdDirectPath");
  EXPECT_EQ(window->currentFolder(), QDir::homePath());
}

TEST_F(Window, ProgressWindowIsCentredOverTheMainWindow) {
  open();
  window->move(200, 150);
  window->show();
  WindowInteraction& interaction = window->interaction();
  interaction.showProgress(QStringLiteral("フォルダ検索中"), QStringLiteral("i"), QString(), -1, 0);
  frmInfo& info = interaction.progressWindow();
  EXPECT_TRUE(info.isVisible());
  EXPECT_FALSE(child<QPushButton>("cmdAppend")->isEnabled());
  EXPECT_EQ(info.windowTitle(), QStringLiteral("フォルダ検索中"));
  EXPECT_FALSE(info.findChild<QProgressBar*>(QStringLiteral("pgProc"))->isVisible());
  const QPoint centre = window->frameGeometry().center();
  EXPECT_LE((info.frameGeometry().center() - centre).manhattanLength(), 2);
  interaction.closeProgress();
  EXPECT_FALSE(info.isVisible());
  EXPECT_TRUE(child<QPushButton>("cmdAppend")->isEnabled());
}

TEST_F(Window, AllAppendOptionGreysTheSubtreeButtonAfterEveryAdd) {
  tree.file(QStringLiteral("g/a.txt"));
  open(tree.path(QStringLiteral("g")));
  EXPECT_TRUE(child<QPushButton>("cmdAllAppend")->isEnabled());
  window->settings().option.allAppend = 1;
  window->applyAllAppendOption();
  click("cmdAppend");
  EXPECT_FALSE(child<QPushButton>("cmdAllAppend")->isEnabled());
  EXPECT_TRUE(child<QPushButton>("cmdAppend")->isEnabled());
}

TEST_F(Window, CannotBeMadeSmallerThanItsMinimum) {
  open();
  window->show();
  window->resize(10, 10);
  const double twips = 1440.0 / window->logicalDpiX();
  EXPECT_GE(window->width() * twips, 5650 - twips);
  EXPECT_GE(window->height() * twips, 4950 - twips);
}

TEST_F(Window, PlaceSizeAndHistoryReachVekIniOnClose) {
  tree.file(QStringLiteral("c/a.txt"));
  open(tree.path(QStringLiteral("c")));
  click("cmdAppend");
  window->resize(600, 560);
  window->move(40, 30);
  window->close();
  const double twips = 1440.0 / window->logicalDpiX();
  const QString ini = iniText();
  EXPECT_TRUE(ini.contains(QStringLiteral("Width=") + QString::number(qRound(600 * twips))))
      << ini.toStdString();
  EXPECT_TRUE(ini.contains(QStringLiteral("Height=") + QString::number(qRound(560 * twips))));
  EXPECT_TRUE(ini.contains(QStringLiteral("Left=") + QString::number(qRound(40 * twips))));
  EXPECT_TRUE(ini.contains(QStringLiteral("History0='") + tree.path(QStringLiteral("c'"))))
      << ini.toStdString();
  EXPECT_TRUE(ini.contains(QStringLiteral("DefaultInDir='") + tree.path(QStringLiteral("c/'"))));

  // The next window opens there, with the history.
  open();
  EXPECT_EQ(window->currentFolder(), tree.path(QStringLiteral("c")));
  EXPECT_EQ(window->size(), QSize(600, 560));
  EXPECT_EQ(child<QAction>("mHis0")->text(), tree.path(QStringLiteral("c")));
}

TEST_F(Window, ASettingsFileThatCannotBeWrittenIsReported) {
  open();
  // A folder where Vek.ini should be: the save fails and says so.
  QFile::remove(tree.path(QStringLiteral("program/Vek.ini")));
  tree.folder(QStringLiteral("program/Vek.ini"));
  window->close();
  ASSERT_FALSE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.messages.back().title, QStringLiteral("警告"));
  EXPECT_TRUE(dialogs.messages.back().text.startsWith(
      QStringLiteral("設定ファイルを読み書きできません。")));
}

// A Vek.ini that could not be read at start is never written at close: not while it stays
// unreadable (and the failure is not reported a second time), nor once it can be read again,
// when writing would replace the history and every option with the defaults of this run.
TEST_F(Window, ASettingsFileThatCouldNotBeReadIsReportedOnceAndNeverWritten) {
  const QByteArray kept = "[Option]\r\nOverLap=1\r\nListOpen=1\r\n[History]\r\nHistory0='/x/'\r\n";
  for (const bool readableAtClose : {false, true}) {
    SCOPED_TRACE(readableAtClose ? "readable again at close" : "still unreadable at close");
    dialogs.messages.clear();
    const QString path = tree.path(QStringLiteral("program/Vek.ini"));
    tree.folder(QStringLiteral("program"));
    QFile::remove(path);
    // Not a regular file: refused, as a file without read permission is.
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    open();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(
        dialogs.messages[0].text.startsWith(QStringLiteral("設定ファイルを読み書きできません。")));
    EXPECT_TRUE(dialogs.messages[0].text.contains(path));
    if (readableAtClose) {
      QFile::remove(path);
      tree.file(QStringLiteral("program/Vek.ini"), kept);
    }
    window->resize(640, 480);
    window->close();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    if (readableAtClose) {
      EXPECT_EQ(tree.read(QStringLiteral("program/Vek.ini")), kept);
    } else {
      EXPECT_FALSE(QFileInfo(path).isFile());
    }
    window.reset();
  }
}

// filter.txt in UTF-16 with its mark gives its presets; without the mark it is not text, and the
// window says so instead of offering presets that match nothing.
TEST_F(Window, PresetsInUtf16AreReadAndUndecodableOnesReported) {
  const QByteArray utf16 = QByteArray("*\0.\0t\0x\0t\0\r\0\n\0*\0\r\0\n\0", 16);
  tree.file(QStringLiteral("program/filter.txt"), "\xFF\xFE" + utf16);
  open();
  auto* filter = child<QComboBox>("cmbFilter");
  EXPECT_EQ(filter->count(), 2);
  EXPECT_EQ(filter->currentText(), QStringLiteral("*.txt"));
  EXPECT_TRUE(dialogs.messages.empty());

  tree.file(QStringLiteral("program/filter.txt"), utf16);
  click("cmdReadFilter");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(dialogs.messages[0].text.startsWith(
      QStringLiteral("フィルタ設定ファイルを読み込めません。")));
  EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("文字コード")));
  EXPECT_EQ(filter->count(), 2);  // what it showed stays
  EXPECT_EQ(filter->currentText(), QStringLiteral("*.txt"));
}

TEST_F(Window, PresetsFillTheFilterBoxAndReloadReplacesThem) {
  open();
  auto* filter = child<QComboBox>("cmbFilter");
  EXPECT_EQ(filter->count(), 17);
  EXPECT_EQ(filter->currentText(), QStringLiteral("*.*;　（全てのファイル）"));
  tree.file(QStringLiteral("program/filter.txt"), "*.jpg\r\n");
  setFilter(QStringLiteral("typed"));
  click("cmdReadFilter");
  EXPECT_EQ(filter->count(), 1);
  EXPECT_EQ(filter->currentText(), QStringLiteral("*.jpg"));
  click("cmdEditFilter");
  ASSERT_EQ(dialogs.opened.size(), 1u);
  EXPECT_EQ(dialogs.opened[0].toLocalFile(), tree.path(QStringLiteral("program/filter.txt")));
}

TEST_F(Window, F1OpensTheManualAndEveryControlHasAName) {
  tree.file(QStringLiteral("program/readme.htm"), "<html></html>");
  open();
  window->show();
  QApplication::setActiveWindow(window.get());
  // F1 wherever the focus is: here the output list, given the focus by a click.
  auto* list = child<QTreeView>("lvWriteList");
  QTest::mouseClick(list->viewport(), Qt::LeftButton);
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
  ASSERT_EQ(dialogs.opened.size(), 1u);
  EXPECT_EQ(dialogs.opened[0].toLocalFile(), tree.path(QStringLiteral("program/readme.htm")));
  // Every control can be told apart by a screen reader.
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    const QString name = widget->objectName();
    if (name.startsWith(QStringLiteral("cmd")) || name.startsWith(QStringLiteral("lv")) ||
        name.startsWith(QStringLiteral("drv")) || name.startsWith(QStringLiteral("dir")) ||
        name.startsWith(QStringLiteral("fil")) || name.startsWith(QStringLiteral("cmb"))) {
      EXPECT_FALSE(widget->accessibleName().isEmpty()) << name.toStdString();
    }
  }
  const QStringList headers = [&] {
    QStringList captions;
    for (int i = 0; i < 8; ++i)
      captions.append(window->listModel().headerData(i, Qt::Horizontal).toString());
    return captions;
  }();
  EXPECT_EQ(headers, (QStringList{u"ﾌｧｲﾙ名"_qs, u"拡張子"_qs, u"ﾊﾟｽ"_qs, u"ﾌｧｲﾙﾀｲﾌﾟ"_qs,
                                  u"ﾌｧｲﾙｻｲｽﾞ"_qs, u"作成日時"_qs, u"ｱｸｾｽ日時"_qs, u"更新日時"_qs}));
}

TEST_F(Window, EnterAndDoubleClickOpenTheSelectedRow) {
  tree.file(QStringLiteral("o/a b.txt"));
  open(tree.path(QStringLiteral("o")));
  auto* view = child<QTreeView>("lvWriteList");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(view, &enter);  // an empty list: nothing
  EXPECT_TRUE(dialogs.opened.empty());
  click("cmdAppend");
  view->setCurrentIndex(window->listModel().index(0, 1));
  QApplication::sendEvent(view, &enter);
  ASSERT_EQ(dialogs.opened.size(), 1u);
  EXPECT_EQ(dialogs.opened[0].toLocalFile(), tree.path(QStringLiteral("o/a b.txt")));
}

}  // namespace
}  // namespace vek::test

namespace vek::test {
namespace {

class WindowLayout : public WindowFixture {};

TEST_F(WindowLayout, FramesKeepTheirNamesAndCarryTheLiveCaptionAsDescription) {
  tree.file(QStringLiteral("f/a.txt"));
  tree.file(QStringLiteral("f/b.txt"));
  open(tree.path(QStringLiteral("f")));
  auto* input = child<QGroupBox>("frmInFile");
  auto* output = child<QGroupBox>("frmFileList");
  EXPECT_EQ(input->accessibleName(), QStringLiteral("入力ﾌｧｲﾙの選択"));
  EXPECT_EQ(output->accessibleName(), QStringLiteral("出力対象ﾌｧｲﾙﾘｽﾄ"));
  EXPECT_EQ(input->accessibleDescription(), input->title());
  EXPECT_TRUE(input->accessibleDescription().contains(tree.path(QStringLiteral("f"))));

  click("cmdAppend");
  EXPECT_EQ(output->accessibleDescription(), QStringLiteral("出力対象ﾌｧｲﾙﾘｽﾄ - 総ﾌｧｲﾙ数：2ﾌｧｲﾙ"));
  tree.folder(QStringLiteral("g"));
  window->setFolderPath(tree.path(QStringLiteral("g")));
  EXPECT_EQ(input->accessibleDescription(),
            QStringLiteral(" 入力ﾌｧｲﾙの選択 [") + tree.path(QStringLiteral("g")) + u']');
  click("cmdListClear");
  EXPECT_EQ(output->accessibleDescription(), output->title());
  // The names stay what they were.
  EXPECT_EQ(input->accessibleName(), QStringLiteral("入力ﾌｧｲﾙの選択"));
  EXPECT_EQ(output->accessibleName(), QStringLiteral("出力対象ﾌｧｲﾙﾘｽﾄ"));
}

TEST_F(WindowLayout, AtTheSmallestSizeNoControlIsSqueezedOrOverlapsAnother) {
  // A large desktop font, as a person who needs one sets it: the layout then needs more room
  // than the fixed smallest size gives.
  const QFont usual = QApplication::font();
  QFont large = usual;
  large.setPointSizeF(usual.pointSizeF() * 1.6);
  QApplication::setFont(large);
  struct Restore {
    QFont font;
    ~Restore() { QApplication::setFont(font); }
  } restore{usual};
  open();
  window->show();
  window->resize(10, 10);
  QCoreApplication::sendPostedEvents();
  window->layout()->activate();
  const char* names[] = {"drvGetFile",    "cmdBrowseForFolder", "dirGetFile", "cmdDirectPath",
                         "filGetFile",    "lblFilter",          "cmbFilter",  "cmdEditFilter",
                         "cmdReadFilter", "cmdAllAppend",       "cmdAppend"};
  std::vector<std::pair<const char*, QRect>> places;
  for (const char* name : names) {
    QWidget* control = child<QWidget>(name);
    places.emplace_back(name, QRect(control->mapTo(window.get(), QPoint(0, 0)), control->size()));
    // Squeezed below its own smallest size a button, box or label is cut or drawn over its
    // neighbours (the lists scroll instead).
    if (qobject_cast<QAbstractScrollArea*>(control)) continue;
    const QSize least = control->minimumSizeHint().boundedTo(control->maximumSize());
    EXPECT_GE(control->width(), least.width()) << name;
    EXPECT_GE(control->height(), least.height()) << name;
  }
  for (std::size_t i = 0; i < places.size(); ++i) {
    for (std::size_t j = i + 1; j < places.size(); ++j) {
      EXPECT_FALSE(places[i].second.intersects(places[j].second))
          << places[i].first << " and " << places[j].first;
    }
  }
}

}  // namespace
}  // namespace vek::test
