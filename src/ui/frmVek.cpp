#include "ui/frmVek.h"

#include <system_error>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStringListModel>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "compare/ListComparison.h"
#include "compare/TextListReader.h"
#include "core/FileNameBytes.h"
#include "core/FileSystem.h"
#include "core/ManualPath.h"
#include "core/MessageCatalogue.h"
#include "core/PathRules.h"
#include "core/ProgramFolder.h"
#include "core/ProgramVersion.h"
#include "core/RecentTexts.h"
#include "gather/DropIntake.h"
#include "gather/FilterPresets.h"
#include "ui/DropGlue.h"
#include "ui/FileListModel.h"
#include "ui/FilterKeyScreen.h"
#include "ui/FolderChooser.h"
#include "ui/OutputListPane.h"
#include "ui/PushButton.h"
#include "ui/SystemDialogs.h"
#include "ui/Twips.h"
#include "ui/Volumes.h"
#include "ui/WalkRulesBox.h"
#include "ui/frmCommand.h"
#include "ui/frmDateSetting.h"
#include "ui/frmHeadComment.h"
#include "ui/frmOption.h"
#include "ui/frmOutHtml.h"
#include "ui/frmOutText.h"
#include "ui/frmOutXML.h"
#include "ui/frmVersion.h"

namespace vek {

namespace {

// How often rows gathered during an add are shown, in ms.
constexpr int kShowInterval = 250;
// How many rows gathered during an add are merged into the sorted order at a time: sorting
// this many and the pass over the list that places them take a few tens of milliseconds.
constexpr qint64 kRowsWorthAMerge = 50000;
// The smallest window, in twips.
constexpr double kMinimumWidth = 5650;
constexpr double kMinimumHeight = 4950;
// The first window: the designed client area of 5625 x 6555 twips, at least the smallest size.
constexpr double kDesignWidth = 5650;
constexpr double kDesignHeight = 6555;

QString inFileCaption() {
  return QCoreApplication::translate("vek::frmVek", " 入力ﾌｧｲﾙの選択 ");
}

}  // namespace

frmVek::Options frmVek::defaultOptions(const QString& startFolder) {
  const ProgramFolder folder(ProgramFolder::environment());
  return {folder.path(), folder.defaultWorkingFolder(), startFolder, nullptr};
}

frmVek::frmVek(const Options& options, QWidget* parent)
    : QMainWindow(parent),
      m_programFolder(folderText(options.programFolder, nativePathStyle())),
      m_workingFolder(folderText(options.workingFolder, nativePathStyle())),
      m_ownDialogs(options.dialogs ? nullptr : std::make_unique<SystemDialogs>()),
      m_dialogs(options.dialogs ? *options.dialogs : *m_ownDialogs),
      m_interaction(*this, m_dialogs),
      m_store(m_programFolder + QStringLiteral("Vek.ini"), m_interaction),
      m_gatherer(m_list, m_interaction, m_settings),
      m_add(m_gatherer, m_list, m_interaction, m_settings) {
  setObjectName(QStringLiteral("frmVek"));
  setWindowTitle(QStringLiteral("Vek"));

  m_session.setSaveQuestion([this](const QString& filter) { return askSaveFile(filter); });
  m_session.setOpener([this](const QString& path) { openPath(path); });
  m_session.setProgramFolder(m_programFolder);
  // The folder boxes follow the scan only when it ends, and the captions when the window is
  // painted next: listing every folder again while the scan reads it would double its work.
  m_gatherer.setFolderShownHandler([this](const QString& folder) { m_scanFolder = folder; });

  buildControls();
  buildMenus();

  // Settings first: the stored place and size, the history, the options.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect desktop = screen ? screen->availableVirtualGeometry() : QRect(0, 0, 1920, 1080);
  m_window.screenWidth = pixelsToTwips(desktop.right() + 1, *this);
  m_window.screenHeight = pixelsToTwips(desktop.bottom() + 1, *this);
  m_window.minimumWidth = kMinimumWidth;
  m_window.minimumHeight = kMinimumHeight;
  const QSize natural = sizeHint();
  m_window.designWidth = std::max(kDesignWidth, pixelsToTwips(natural.width(), *this));
  m_window.designHeight = std::max(kDesignHeight, pixelsToTwips(natural.height(), *this));
  m_store.load(m_settings, m_window, m_workingFolder);
  m_list.setNumberOrder(m_settings.sort.numbers);
  m_walkRules->showSettings();
  m_gatherer.setWalkRules(m_walkRules->rules());
  loadPresets();
  setToolTipsAndNames();
  applyAllAppendOption();
  m_chooser->refreshHistoryMenu();
  setUpDrops();

  // The folder of "vek folder" when it is one; otherwise the folder shown last time.
  QString start;
  if (!options.startFolder.isEmpty()) {
    const QFileInfo info(QDir::current(), options.startFolder);
    if (info.isDir()) start = QDir::cleanPath(info.absoluteFilePath());
  }
  if (start.isEmpty() || !setFolderPath(start)) {
    const QString shown = folderWithoutSeparator(m_window.shownFolder, nativePathStyle());
    if (!setFolderPath(shown) && !setFolderPath(QDir::homePath())) setFolderPath(QDir::rootPath());
  }
  m_chooser->selectVolumeFor(currentFolder());
  restorePlace();
  // The type descriptions are read once per program; reading them now, while the person looks
  // at the window, spares the first add the wait.
  QTimer::singleShot(0, this, [] { FileSystem::typeDescription(QStringLiteral("a.txt")); });
}

frmVek::~frmVek() {
  // An order still being found is not waited for long (it sorts a copy); its result, queued
  // to this window, is dropped with it.
  if (m_orderThread.joinable()) m_orderThread.join();
  // The list pane's model goes before the list it watches.
  delete m_frmFileList;
  m_frmFileList = nullptr;
}

const QString& frmVek::currentFolder() const {
  return m_chooser->folder();
}

QString frmVek::iniPath() const {
  return m_store.path();
}

void frmVek::buildControls() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("centralWidget"));
  setCentralWidget(central);

  // The input frame: drive, folder and file boxes, browse and typed path, the filter box.
  m_frmInFile = new QGroupBox(inFileCaption(), central);
  m_frmInFile->setObjectName(QStringLiteral("frmInFile"));
  m_chooser =
      new FolderChooser(*m_frmInFile, *this, m_dialogs, m_interaction, m_gatherer, m_settings);
  m_drvGetFile = m_chooser->driveBox();
  m_cmdBrowseForFolder = m_chooser->browseButton();
  m_dirGetFile = m_chooser->folderBox();
  m_cmdDirectPath = m_chooser->typedPathButton();
  m_filGetFile = m_chooser->fileBox();
  m_lblFilter = new QLabel(tr("ﾘｽﾄに出力するﾌｧｲﾙの種別："), m_frmInFile);
  m_lblFilter->setObjectName(QStringLiteral("lblFilter"));
  m_cmbFilter = new QComboBox(m_frmInFile);
  m_cmbFilter->setObjectName(QStringLiteral("cmbFilter"));
  m_cmbFilter->setEditable(true);
  m_cmbFilter->setInsertPolicy(QComboBox::NoInsert);
  // A typed pattern stays what was typed: completion from the presets would turn "*.t" into
  // the whole text-document preset.
  m_cmbFilter->setCompleter(nullptr);
  m_cmbFilter->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  m_cmbFilter->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  m_cmbFilter->setMinimumContentsLength(10);
  m_cmbFilter->setEditText(QStringLiteral("*.*"));
  (new FilterKeyScreen(m_dialogs, m_cmbFilter))->watch(m_cmbFilter);
  m_cmdEditFilter = createPushButton(QStringLiteral("cmdEditFilter"), tr("編集"), m_frmInFile);
  m_cmdReadFilter = createPushButton(QStringLiteral("cmdReadFilter"), tr("読込"), m_frmInFile);

  auto* input = new QGridLayout(m_frmInFile);
  input->addWidget(m_drvGetFile, 0, 0);
  input->addWidget(m_cmdBrowseForFolder, 0, 1);
  input->addWidget(m_dirGetFile, 1, 0, 1, 2);
  input->addWidget(m_cmdDirectPath, 2, 0, 1, 2);
  input->addWidget(m_filGetFile, 0, 2, 3, 1);
  input->addWidget(m_lblFilter, 3, 0, 1, 3);
  auto* filterRow = new QHBoxLayout;
  filterRow->addWidget(m_cmbFilter, 1);
  filterRow->addWidget(m_cmdEditFilter);
  filterRow->addWidget(m_cmdReadFilter);
  input->addLayout(filterRow, 4, 0, 1, 3);
  m_walkRules = new WalkRulesBox(*m_frmInFile, m_dialogs, m_settings.walk);
  input->addLayout(m_walkRules->createRow(), 5, 0, 1, 3);
  // Both halves share a change of width; the folder and file boxes take a change of height.
  input->setColumnStretch(0, 1);
  input->setColumnStretch(2, 1);
  input->setRowStretch(1, 1);

  // The add buttons follow the right edge.
  m_cmdAllAppend =
      createPushButton(QStringLiteral("cmdAllAppend"), tr("選択中のﾌｫﾙﾀﾞ以下を全て追加"), central);
  m_cmdAppend = createPushButton(QStringLiteral("cmdAppend"), tr("表示中のﾌｧｲﾙを追加"), central);
  auto* addRow = new QHBoxLayout;
  addRow->addStretch(1);
  addRow->addWidget(m_cmdAllAppend);
  addRow->addSpacing(twipsToPixels(465, *this));
  addRow->addWidget(m_cmdAppend);

  // The output frame.
  m_frmFileList = new OutputListPane(m_list, m_session, central);
  m_lvWriteList = m_frmFileList->view();
  m_cmdListClear = m_frmFileList->clearButton();
  m_lblComment = m_frmFileList->comment();
  m_model = &m_frmFileList->model();

  // The export buttons follow the bottom edge.
  m_cmdOutList =
      createPushButton(QStringLiteral("cmdOutList"), tr("CSV・テキスト形式で出力"), central);
  m_cmdOutHtml = createPushButton(QStringLiteral("cmdOutHtml"), tr("HTML形式で出力"), central);
  m_cmdOutXML = createPushButton(QStringLiteral("cmdOutXML"), tr("XML形式で出力"), central);
  auto* exportRow = new QHBoxLayout;
  exportRow->addWidget(m_cmdOutList);
  exportRow->addWidget(m_cmdOutHtml);
  exportRow->addWidget(m_cmdOutXML);
  exportRow->addStretch(1);

  // The two frames share a change of height half and half.
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(m_frmInFile, 1);
  layout->addLayout(addRow);
  layout->addWidget(m_frmFileList, 1);
  layout->addLayout(exportRow);

  updateMinimumSize();

  connect(m_chooser, &FolderChooser::folderShown, this, [this](const QString& folder) {
    m_scanFolder = folder;
    showCaptions(folder);
  });
  connect(m_cmbFilter, &QComboBox::currentTextChanged, this, [this](const QString& text) {
    m_gatherer.setFilter(text);
    m_chooser->refreshFileBox();
  });
  connect(m_walkRules, &WalkRulesBox::rulesChanged, this, [this] {
    m_gatherer.setWalkRules(m_walkRules->rules());
    m_chooser->refreshFileBox();
  });
  connect(m_cmdReadFilter, &QPushButton::clicked, this, &frmVek::loadPresets);
  connect(m_cmdEditFilter, &QPushButton::clicked, this, &frmVek::editPresets);
  connect(m_cmdAppend, &QPushButton::clicked, this, &frmVek::appendShownFiles);
  connect(m_cmdAllAppend, &QPushButton::clicked, this, &frmVek::appendSubtree);
  connect(m_cmdOutList, &QPushButton::clicked, this, [this] { exportList(WriterKind::Text); });
  connect(m_cmdOutHtml, &QPushButton::clicked, this, [this] { exportList(WriterKind::Html); });
  connect(m_cmdOutXML, &QPushButton::clicked, this, [this] { exportList(WriterKind::Xml); });
  connect(m_model, &FileListModel::listChanged, this, [this] {
    if (m_busy && !m_list.isEmpty()) m_frmFileList->showCount();
  });
  m_interaction.setCancelHandler([this] {
    cancelListRead();
    m_add.cancel();
  });
  connect(&m_add, &BackgroundAdd::rowsAdded, this, &frmVek::rowsArrived);
  connect(&m_add, &BackgroundAdd::finished, this, &frmVek::addEnded);
}

void frmVek::buildMenus() {
  auto addAction = [](QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
  };
  auto addMenu = [this](const QString& name, const QString& caption) {
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name + QStringLiteral("Action"));
    return menu;
  };

  QMenu* file = addMenu(QStringLiteral("mFile"), tr("ﾌｧｲﾙ (&F)"));
  connect(addAction(file, QStringLiteral("mOpenDir"), tr("フォルダを開く (&D)")),
          &QAction::triggered, m_chooser, &FolderChooser::browseForFolder);
  file->addSeparator()->setObjectName(QStringLiteral("mSep1"));
  m_chooser->addHistoryItems(*file);
  file->addSeparator()->setObjectName(QStringLiteral("mSep2"));
  connect(addAction(file, QStringLiteral("mExit"), tr("終了 (&X)")), &QAction::triggered, this,
          &QWidget::close);

  QMenu* option = addMenu(QStringLiteral("mOption"), tr("ｵﾌﾟｼｮﾝ (&O)"));
  connect(addAction(option, QStringLiteral("mSetting"), tr("動作設定 (&S)")), &QAction::triggered,
          this, [this] {
            auto* dialog = new frmOption(m_settings, m_session, this);
            // The all-append button is greyed or enabled as soon as OK is pressed.
            connect(dialog, &frmOption::allAppendChanged, this, &frmVek::applyAllAppendOption);
            // The list takes the number order at once, re-sorted when its sorting is on.
            connect(dialog, &QDialog::accepted, this,
                    [this] { m_list.setNumberOrder(m_settings.sort.numbers); });
            openDialog(dialog);
          });
  connect(addAction(option, QStringLiteral("mHeadEdit"), tr("ﾍｯﾀﾞｺﾒﾝﾄ編集 (&E)")),
          &QAction::triggered, this,
          [this] { openDialog(new frmHeadComment(m_settings, m_session, this)); });
  connect(addAction(option, QStringLiteral("mDateFormat"), tr("日付書式設定(&D)")),
          &QAction::triggered, this,
          [this] { openDialog(new frmDateSetting(m_settings, m_session, m_interaction, this)); });
  // The command builder and the about box join these items when they exist; until then the
  // items are shown disabled.
  QMenu* tool = addMenu(QStringLiteral("mTool"), tr("ﾂｰﾙ (&T)"));
  connect(addAction(tool, QStringLiteral("mCmdGen"), tr("ｺﾏﾝﾄﾞｼﾞｪﾈﾚｰﾀ")), &QAction::triggered, this,
          &frmVek::openCommandBuilder);
  connect(addAction(tool, QStringLiteral("mCompare"), tr("リストと比較 (&C)...")),
          &QAction::triggered, this, &frmVek::compareWithList);
  QMenu* help = addMenu(QStringLiteral("mHelp"), tr("ﾍﾙﾌﾟ (&H)"));
  QAction* manual = addAction(help, QStringLiteral("mOnHelp"), tr("ﾏﾆｭｱﾙ(&m)"));
  manual->setShortcut(QKeySequence(Qt::Key_F1));
  manual->setShortcutContext(Qt::WindowShortcut);
  connect(manual, &QAction::triggered, this, &frmVek::openManual);
  connect(addAction(help, QStringLiteral("mOnlineHelp"), tr("ｵﾝﾗｲﾝﾏﾆｭｱﾙと最新情報(&W)")),
          &QAction::triggered, this, &frmVek::openOnlineManual);
  connect(addAction(help, QStringLiteral("mVersion"), tr("ﾊﾞｰｼﾞｮﾝ情報  (&V)")), &QAction::triggered,
          this, &frmVek::openAboutBox);
}

void frmVek::setToolTipsAndNames() {
  const std::pair<QWidget*, const char*> tips[] = {
      {m_drvGetFile, QT_TR_NOOP("ドライブを選択します｡")},
      {m_cmdBrowseForFolder, QT_TR_NOOP("フォルダ選択ダイアログを表示します。")},
      {m_dirGetFile, QT_TR_NOOP("ディレクトリを選択します。")},
      {m_cmdDirectPath, QT_TR_NOOP("パスを直接指定します。")},
      {m_filGetFile, QT_TR_NOOP("左で指定したディレクトリに存在するファイルの一覧です。")},
      {m_cmbFilter,
       QT_TR_NOOP("リストに追加するファイルのフィルタを指定します、直接入力も可能です。")},
      {m_cmdAppend, QT_TR_NOOP("ファイル一覧内のファイルを、下のリストボックスに入力します。")},
      {m_cmdAllAppend,
       QT_TR_NOOP("選択中のディレクトリ以下の全てのファイルを、下のリストボックスに入力します。")},
      {m_lvWriteList, QT_TR_NOOP("選択したファイルリストを表示します。  "
                                 "不要なデータはチェックボックスを外してください。")},
      {m_cmdListClear, QT_TR_NOOP("リスト内の項目を全て削除します。")},
      {m_cmdOutList, QT_TR_NOOP("CSV／テキスト形式で出力します。")},
      {m_cmdOutHtml, QT_TR_NOOP("ブラウザで表示することが可能なHTMLファイルを出力します。")},
      {m_cmdOutXML, QT_TR_NOOP("XML形式で出力します。")},
  };
  for (const auto& [widget, tip] : tips) {
    widget->setToolTip(tr(tip));
    widget->setAccessibleName(widget->toolTip());
  }
  // Buttons and labels are named by their captions, the frames by theirs.
  for (QPushButton* button :
       {m_cmdBrowseForFolder, m_cmdDirectPath, m_cmdEditFilter, m_cmdReadFilter, m_cmdAllAppend,
        m_cmdAppend, m_cmdListClear, m_cmdOutList, m_cmdOutHtml, m_cmdOutXML}) {
    button->setAccessibleName(button->text());
    if (!button->toolTip().isEmpty()) button->setAccessibleDescription(button->toolTip());
  }
  m_cmdBrowseForFolder->setAccessibleName(tr("フォルダ選択"));
  m_lblFilter->setAccessibleName(m_lblFilter->text());
  m_lblComment->setAccessibleName(m_lblComment->text());
  m_frmInFile->setAccessibleName(tr("入力ﾌｧｲﾙの選択"));
  m_frmFileList->setAccessibleName(FileList::clearedCaption());
  m_frmFileList->setAccessibleDescription(m_frmFileList->title());
  m_lblFilter->setBuddy(m_cmbFilter);
}

void frmVek::setUpDrops() {
  m_drops = new DropGlue(
      *this, [this] { return m_busy; },
      [this](const QMimeData& mime) { return dropMimeData(mime); });
  m_drops->catchDropsOn({m_cmbFilter->lineEdit(), m_walkRules->excludeBox()->lineEdit(),
                         m_dirGetFile->viewport(), m_filGetFile->viewport(),
                         m_lvWriteList->viewport()});
  // Dropping on a button does not press it; these few controls take no drop at all.
  m_drops->refuseDropsOn(
      {m_cmdOutXML, m_cmdBrowseForFolder, m_cmdDirectPath, m_cmdEditFilter, m_cmdReadFilter});
}

void frmVek::restorePlace() {
  QSize size(twipsToPixels(m_window.width, *this), twipsToPixels(m_window.height, *this));
  resize(size.expandedTo(minimumSizeHint()));
  QPoint place(twipsToPixels(m_window.left, *this), twipsToPixels(m_window.top, *this));
  // Never on no screen at all (a screen taken away since the last run): the middle of the
  // title bar, where the person takes hold of the window, must be on one.
  constexpr int kTitleBarMiddle = 20;  // pixels below the window's top
  if (!QGuiApplication::screenAt(place + QPoint(width() / 2, kTitleBarMiddle))) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      place = area.topLeft() + QPoint(std::max(0, (area.width() - width()) / 2),
                                      std::max(0, (area.height() - height()) / 2));
    }
  }
  move(place);
}

void frmVek::loadPresets() {
  QString error;  // the file and why
  const std::optional<QStringList> presets = loadFilterPresets(m_programFolder, &error);
  if (!presets) {
    // The boxes keep what they showed; the file is left as it is.
    m_interaction.showMessage(
        MessageCatalogue::warning({tr("フィルタ設定ファイルを読み込めません。"), error}));
    m_gatherer.setFilter(m_cmbFilter->currentText());
    return;
  }
  showPresets(*presets);
}

void frmVek::showPresets(const QStringList& presets) {
  const QSignalBlocker block(m_cmbFilter);
  m_cmbFilter->clear();
  m_cmbFilter->addItems(presets);
  m_cmbFilter->setEditText(presets.isEmpty() ? QString() : presets.front());
  m_gatherer.setFilter(m_cmbFilter->currentText());
  m_chooser->refreshFileBox();
}

void frmVek::editPresets() {
  m_cmdEditFilter->setEnabled(false);
  m_session.openWithAssociatedApp(filterPresetsPath(m_programFolder));
  m_cmdEditFilter->setEnabled(true);
}

// ---- Choosing the folder ----

bool frmVek::setFolderPath(const QString& folder) {
  return m_chooser->setFolderPath(folder);
}

// ---- Adds, drops and the list ----

void frmVek::setBusy(bool busy) {
  m_busy = busy;
  m_model->holdAppends(busy);
  m_sinceShown.start();
  m_mergedRows = m_list.count();
  for (QWidget* control : std::initializer_list<QWidget*>{
           m_cmdAppend, m_drvGetFile, m_dirGetFile, m_filGetFile, m_cmbFilter, m_cmdAllAppend,
           m_lvWriteList, m_cmdListClear, m_cmdOutList, m_cmdOutHtml, m_cmdOutXML,
           m_cmdBrowseForFolder, m_cmdDirectPath, m_cmdEditFilter, m_cmdReadFilter, menuBar()}) {
    control->setEnabled(!busy);
  }
  m_walkRules->setEnabled(!busy);
  if (busy) {
    // What the add cannot read is named once, when it ends.
    m_interaction.holdIncompleteNotice();
    setCursor(Qt::WaitCursor);
  } else {
    unsetCursor();
    applyAllAppendOption();
  }
}

void frmVek::applyAllAppendOption() {
  m_cmdAllAppend->setEnabled(!m_busy && !m_settings.option.allAppend);
}

void frmVek::rowsArrived() {
  // Every add ends by sorting the rows it added into the list, and placing them holds the
  // window still for as long as that takes. During a long add the rows gathered so far are
  // merged in as soon as enough of them wait, so that no merge, and not the sort at the end,
  // has many to place; the order at the end is the same. Their order is found on another thread
  // (the walk, which shares the processors, would stretch that sort on this one), and only their
  // placing holds the window.
  if (m_busy && !m_merging && !m_list.isSortingEnabled() &&
      m_list.count() - m_mergedRows >= kRowsWorthAMerge) {
    startMerge();
  }
  // The list view lays out all its rows again whenever rows are announced, so during an add
  // they are announced a few times a second, not for every batch.
  if (m_busy && m_sinceShown.elapsed() < kShowInterval) return;
  m_model->flush();
  m_sinceShown.restart();
  if (m_busy) showCaptions(m_scanFolder);
}

void frmVek::startMerge() {
  if (m_orderThread.joinable()) m_orderThread.join();  // done: its order came before
  FileList::WaitingRows rows = m_list.waitingRows();
  m_mergedRows = m_list.count();
  m_merging = true;
  try {
    m_orderThread = std::thread([this, rows = std::move(rows)]() mutable {
      FileList::WaitingOrder order = FileList::orderOf(std::move(rows));
      // Runs here unless the window has gone, which joins this thread first.
      QMetaObject::invokeMethod(
          this, [this, order = std::move(order)] { mergeOrdered(order); }, Qt::QueuedConnection);
    });
  } catch (const std::system_error&) {
    // No thread to be had: sorted here, as before.
    m_merging = false;
    m_list.mergeWaitingRows();
  }
}

void frmVek::mergeOrdered(const FileList::WaitingOrder& order) {
  m_merging = false;
  // An add that has ended sorts its rows itself, these among them: the order is stale then,
  // and placing it would only make the add's own order stale.
  if (!m_busy || m_add.ordering() || !m_list.mergeWaitingRows(order)) return;
  // Rows that came meanwhile may make the next merge due at once.
  rowsArrived();
}

void frmVek::addEnded() {
  if (!m_busy) return;
  setBusy(false);
  if (m_comparing) {
    finishComparison(m_add.result().outcome == AddOutcome::Done);
    m_frmFileList->showListSorting();
    m_frmFileList->showSkipped(m_interaction.showIncompleteNotice());
    Q_EMIT addFinished();
    return;
  }
  const AddResult& result = m_add.result();
  switch (m_add.lastKind()) {
    case BackgroundAdd::Kind::CurrentFolder:
      m_chooser->refreshHistoryMenu();
      m_chooser->refreshFileBox();
      finishOperation(result.outcome == AddOutcome::Done);
      break;
    case BackgroundAdd::Kind::Subtree:
      finishOperation(result.outcome == AddOutcome::Done ||
                      result.outcome == AddOutcome::Cancelled);
      break;
    case BackgroundAdd::Kind::Drop:
      finishOperation(true);
      break;
    case BackgroundAdd::Kind::None:
      break;
  }
  m_frmFileList->showListSorting();
  m_frmFileList->showSkipped(m_interaction.showIncompleteNotice());
  Q_EMIT addFinished();
}

void frmVek::updateMinimumSize() {
  // The designed smallest size, unless the controls need more at this font: squeezed below
  // their own smallest sizes they would be drawn over each other.
  const QSize designed(twipsToPixels(kMinimumWidth, *this), twipsToPixels(kMinimumHeight, *this));
  setMinimumSize(designed.expandedTo(minimumSizeHint()));
}

void frmVek::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    updateMinimumSize();
  }
}

void frmVek::setFrameCaption(QGroupBox* frame, const QString& caption) {
  // The frame's accessible name stays its fixed one; a screen reader learns the folder and
  // the count from the description.
  frame->setTitle(caption);
  frame->setAccessibleDescription(caption);
}

void frmVek::showCaptions(const QString& folder) {
  setFrameCaption(m_frmInFile, inFileCaption() + u'[' + folder + u']');
  setWindowTitle(QStringLiteral("Vek - ") + folder);
}

void frmVek::finishOperation(bool showCount) {
  m_model->flush();
  // The folder boxes show where the operation ended.
  const QString folder = currentFolder();
  if (m_scanFolder != folder && !setFolderPath(m_scanFolder)) setFolderPath(folder);
  showCaptions(currentFolder());  // the captions may still show a folder the scan passed
  if (showCount) m_frmFileList->showCount();
}

void frmVek::appendShownFiles() {
  if (m_busy) return;
  setBusy(true);
  m_add.startCurrentFolder(currentFolder());
}

void frmVek::appendSubtree() {
  if (m_busy) return;
  setBusy(true);
  m_add.startSubtree(currentFolder());
}

bool frmVek::dropMimeData(const QMimeData& mime) {
  if (m_busy || !mime.hasUrls()) return false;
  std::vector<DroppedItem> items = DropGlue::itemsOf(mime);
  if (items.empty()) return false;
  setBusy(true);
  m_add.startDrop(std::move(items));
  return true;
}

void frmVek::compareWithList() {
  if (m_busy) return;
  const std::optional<QString> path = m_dialogs.chooseOpenFile(
      this, tr("比較するリスト"), tr("Vekのリスト (*.json *.csv *.txt);;すべてのファイル (*)"),
      m_window.saveInitialDir);
  if (!path) return;
  // Read on a thread of its own, under the progress window: a huge list or one on a share that
  // hangs never stops the window, and キャンセル ends the wait at once (the read is dropped).
  auto cancel = std::make_shared<std::atomic<bool>>(false);
  m_listReadCancel = cancel;
  setBusy(true);
  m_interaction.clearCancelRequested();
  m_interaction.showProgress(tr("リストと比較"), tr("保存されたリストを読み込んでいます。"), *path,
                             -1, 0);
  QPointer<frmVek> self(this);
  std::thread([self, cancel, path = *path, settings = m_settings] {
    auto read = std::make_shared<SavedListRead>(readSavedList(path, settings, cancel.get()));
    QMetaObject::invokeMethod(
        qApp,
        [self, cancel, read] {
          if (self && !cancel->load()) self->savedListRead(std::move(*read));
        },
        Qt::QueuedConnection);
  }).detach();
}

void frmVek::cancelListRead() {
  if (!m_listReadCancel) return;
  m_listReadCancel->store(true);
  m_listReadCancel.reset();
  m_interaction.closeProgress();
  setBusy(false);
  Q_EMIT addFinished();
}

void frmVek::savedListRead(SavedListRead read) {
  m_listReadCancel.reset();
  m_interaction.closeProgress();
  setBusy(false);
  const auto stop = [this](const std::optional<Message>& message) {
    if (message) m_interaction.showMessage(*message);
    Q_EMIT addFinished();
  };
  if (read.error) return stop(read.error);
  if (!m_list.isEmpty() &&
      !m_dialogs.askOkCancel(
          this, {tr("リストと比較"), tr("出力対象ﾌｧｲﾙﾘｽﾄの内容を比較の結果に置き換えます。"),
                 MessageIcon::Question})) {
    return stop(std::nullopt);
  }
  SavedList& saved = *read.list;
  const QString folder = folderText(currentFolder(), nativePathStyle());
  if (const auto outside = anchorSavedList(saved, folder)) return stop(outside);
  // Like with like: a list with rows in subfolders was made of the whole tree.
  const bool subtree = std::any_of(saved.rows.begin(), saved.rows.end(), [](const FileEntry& row) {
    return comparedPath(row).contains(u'/');
  });
  m_comparing = std::move(saved);
  m_frmFileList->clearButton()->click();
  setBusy(true);
  m_scanFolder = currentFolder();
  if (subtree) {
    m_add.startSubtree(currentFolder());
  } else {
    m_add.startCurrentFolder(currentFolder());
  }
}

void frmVek::finishComparison(bool walked) {
  SavedList saved = std::move(*m_comparing);
  m_comparing.reset();
  m_model->flush();
  if (!walked) {
    // A walk that was cancelled or failed is no comparison: nothing is shown as its result.
    m_frmFileList->clearButton()->click();
    m_interaction.showMessage({tr("リストと比較"),
                               tr("フォルダの読み込みが中断されたため、比較は行いませんでした。"),
                               MessageIcon::Warning});
    return;
  }
  // Below a folder the walk could not read, a saved file is unverified, not removed.
  const QString scanned = folderText(m_scanFolder, nativePathStyle());
  std::vector<QString> unreadable;
  for (const QString& path : m_add.result().unreadable) {
    if (path.startsWith(scanned)) unreadable.push_back(path.mid(scanned.size()));
  }
  matchGuardedNames(saved, m_list.rows());
  ComparisonResult result =
      compareLists(ComparedRows::of(saved),
                   {m_list.rows(), true, true, HashKind::None, {}, unreadable}, SameRows::Keep);
  m_list.clear();
  m_list.appendBatch(std::move(result.rows));
  m_model->flush();
  finishOperation(true);
  m_frmFileList->showStateColumn(true);
  QString text = tr("%1\r\n同じ %2　追加 %3　削除 %4　変更 %5　移動 %6　未確認 %7")
                     .arg(saved.path)
                     .arg(result.counts.same)
                     .arg(result.counts.added)
                     .arg(result.counts.removed)
                     .arg(result.counts.changed)
                     .arg(result.counts.moved)
                     .arg(result.counts.unverified);
  for (const QString& note : saved.notes) text += u"\r\n" + note;
  m_interaction.showMessage({tr("比較の結果"), text, MessageIcon::Information});
}

void frmVek::exportList(WriterKind kind) {
  m_model->flush();
  m_list.settle();  // a drop appends rows one by one; the writers read them in one array
  if (const std::optional<Message> refusal = m_list.checkExportable()) {
    m_interaction.showMessage(*refusal);
    return;
  }
  openWriterDialog(kind);
}

void frmVek::openWriterDialog(WriterKind kind) {
  switch (kind) {
    case WriterKind::Text:
      openDialog(new frmOutText(m_settings, m_list, m_session, m_interaction, this));
      break;
    case WriterKind::Html:
      openDialog(new frmOutHtml(m_settings, m_list, m_session, m_interaction, this));
      break;
    case WriterKind::Xml:
      openDialog(new frmOutXML(m_settings, m_list, m_session, m_interaction, this));
      break;
  }
}

void frmVek::openDialog(QDialog* dialog) {
  // Modal over the window, which takes no input until the dialog closes; open() rather than
  // exec(), so the window's own event handling goes on as usual meanwhile.
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowModality(Qt::WindowModal);
  dialog->open();
}

std::optional<QString> frmVek::askSaveFile(const QString& filter) {
  // The writer dialog that asks is the owner, so the questions stand over it.
  QWidget* owner = QApplication::activeModalWidget();
  if (!owner) owner = this;
  const std::optional<QString> chosen =
      m_dialogs.chooseSaveFile(owner, filter, m_window.saveInitialDir);
  if (!chosen || chosen->isEmpty()) return std::nullopt;
  const bool go = m_dialogs.askOkCancel(
      owner, {tr("ﾌｧｲﾙ保存確認"), tr("ﾌｧｲﾙ名 %1 で保存します、よろしいですか?").arg(*chosen),
              MessageIcon::None});
  if (!go) return std::nullopt;
  m_window.saveFileName = *chosen;
  m_window.saveInitialDir = chosen->first(chosen->lastIndexOf(u'/') + 1);
  return chosen;
}

void frmVek::openPath(const QString& path) {
  setCursor(Qt::WaitCursor);
  m_dialogs.openUrl(localFileUrl(path));
  if (!m_busy) unsetCursor();
}

QUrl frmVek::manualUrl() const {
  const QString manual = manualPath(m_programFolder, QCoreApplication::applicationDirPath());
  return manual.isEmpty() ? QUrl() : localFileUrl(manual);
}

void frmVek::openManual() {
  m_session.openManual();
}

// The two dialogs are modal to the window without a nested event loop (open, not exec), and
// go away when closed.
void frmVek::openCommandBuilder() {
  auto* builder = new frmCommand(
      m_session, m_dialogs, m_programFolder,
      {currentFolder(), m_window.saveInitialDir, currentFolder(), m_window.saveFileName, {}}, this);
  builder->setAttribute(Qt::WA_DeleteOnClose);
  // The builder read the presets again; this window's filter box takes them too.
  if (builder->loadedPresets()) showPresets(*builder->loadedPresets());
  builder->open();
}

void frmVek::openAboutBox() {
  auto* about = new frmVersion(m_dialogs, {homePage(), manualUrl()}, this);
  about->setAttribute(Qt::WA_DeleteOnClose);
  about->open();
}

// The home page is the online manual; a build that names none has only the local one.
void frmVek::openOnlineManual() {
  if (homePage().isEmpty()) {
    openManual();
  } else {
    m_dialogs.openUrl(QUrl(homePage()));
  }
}

// ---- Window events ----

void frmVek::closeEvent(QCloseEvent* event) {
  if (m_busy) {
    // An add is running: it ends now, as with キャンセル. A walk stuck in a folder read is
    // given a moment to end and is otherwise left behind; the process ends without it.
    m_add.cancel();
    m_add.waitForWalk(std::chrono::milliseconds(200));
  }
  const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
  const QRect place = normal ? QRect(pos(), size()) : normalGeometry();
  m_window.left = pixelsToTwips(place.left(), *this);
  m_window.top = pixelsToTwips(place.top(), *this);
  m_window.width = pixelsToTwips(place.width(), *this);
  m_window.height = pixelsToTwips(place.height(), *this);
  m_window.shownFolder = folderText(currentFolder(), nativePathStyle());
  // The remembered output folder stays when no list was saved in this run.
  m_store.save(m_settings, m_window, m_window.saveInitialDir);
  event->accept();
}

void frmVek::dragEnterEvent(QDragEnterEvent* event) {
  m_drops->dragMove(*event);
}

void frmVek::dragMoveEvent(QDragMoveEvent* event) {
  m_drops->dragMove(*event);
}

void frmVek::dropEvent(QDropEvent* event) {
  m_drops->drop(*event);
}

}  // namespace vek
