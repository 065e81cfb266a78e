#include "ui/frmCommand.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QVBoxLayout>

#ifdef Q_OS_UNIX
#include <unistd.h>

#include <memory>
#include <vector>
#endif

#include <algorithm>
#include <limits>

#include "batch/CommandComposer.h"
#include "batch/CommandReadBack.h"
#include "batch/OutputType.h"
#include "batch/ShellWords.h"
#include "core/dates/DateFormatter.h"
#include "core/messages/MessageCatalogue.h"
#include "core/platform/FileNameBytes.h"
#include "core/platform/FileSystem.h"
#include "core/platform/HashKind.h"
#include "core/settings/Session.h"
#include "core/text/ListEncoding.h"
#include "core/text/TextCodec.h"
#include "gather/FilterPresets.h"
#include "ui/FilterKeyScreen.h"
#include "ui/FormScrollArea.h"
#include "ui/ListEncodingItems.h"
#include "ui/OptionGroup.h"
#include "ui/WalkRulesBox.h"
#include "ui/WindowDialogs.h"

namespace vek {

namespace {

const QString kDateDefault = QStringLiteral("YYYYMMDDHHmm");
constexpr int kStillWorkingMilliseconds = 3000;
constexpr int kStopGraceMilliseconds = 3000;

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption) {
  auto* box = new QGroupBox(caption, parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

// A folder row of the form: "パス", the box, "...".
QGroupBox* folderFrame(QWidget* parent, const char* frameName, const QString& caption,
                       const QString& stem, QLineEdit*& box, QPushButton*& button) {
  QGroupBox* group = frame(parent, frameName, caption);
  auto* label = new QLabel(QCoreApplication::translate("vek::frmCommand", "パス"), group);
  label->setObjectName(u"lbl" + stem);
  box = new QLineEdit(group);
  box->setObjectName(u"txt" + stem);
  box->setAccessibleName(caption);
  label->setBuddy(box);
  button = new QPushButton(QStringLiteral("..."), group);
  button->setObjectName(u"cmd" + stem);
  button->setAccessibleName(
      QCoreApplication::translate("vek::frmCommand", "%1を選択").arg(caption));
  button->setAutoDefault(false);
  auto* row = new QHBoxLayout(group);
  row->addWidget(label);
  row->addWidget(box, 1);
  row->addWidget(button);
  return group;
}

// The file name a run gets for /F: the name of the file last chosen, without its extension (a
// run adds the extension of its type; keeping the old one would give "list.csv.csv").
QString lastFileName(const QString& lastOutputFile) {
  QString name = lastOutputFile.mid(lastOutputFile.lastIndexOf(u'/') + 1);
  const qsizetype dot = name.lastIndexOf(u'.');
  if (dot > 0) name.truncate(dot);
  return name.isEmpty() ? QStringLiteral("filelist") : name;
}

// The run's messages as it wrote them on standard error ("警告: line" and indented further
// lines), as message lines.
QString runMessages(const QString& errors) {
  QStringList lines;
  const QString title = MessageCatalogue::warningTitle() + u": ";
  for (QString line : errors.split(u'\n')) {
    if (line.endsWith(u'\r')) line.chop(1);
    if (line.startsWith(title)) {
      line.remove(0, title.size());
    } else if (line.startsWith(QStringLiteral("  "))) {
      line.remove(0, 2);
    }
    lines.append(line);
  }
  while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
  return lines.join(QStringLiteral("\r\n"));
}

// Sets the program and arguments of `process`. QProcess passes them through the locale's
// encoding, which turns a byte that is not UTF-8 (held as U+DC80..U+DCFF) into the bytes of
// U+FFFD, another path; so the child starts the program itself with the exact bytes, just
// before QProcess would.
void setExactCommand(QProcess& process, const QStringList& words) {
  process.setProgram(words.first());
  process.setArguments(words.mid(1));
#ifdef Q_OS_UNIX
  struct Exact {
    std::vector<QByteArray> bytes;
    std::vector<char*> argv;
    bool sameProgramForQt = false;
  };
  auto exact = std::make_shared<Exact>();
  for (const QString& word : words) exact->bytes.push_back(encodeFileName(word));
  for (QByteArray& word : exact->bytes) exact->argv.push_back(word.data());
  exact->argv.push_back(nullptr);
  exact->sameProgramForQt = QFile::encodeName(words.first()) == exact->bytes.front();
  // Only async-signal-safe calls in the child: the arrays are ready.
  process.setChildProcessModifier([exact] {
    ::execv(exact->argv.front(), exact->argv.data());
    // Not started: when QProcess names the same program, it fails alike and says why;
    // otherwise it would start another one.
    if (!exact->sameProgramForQt) ::_exit(127);
  });
#endif
}

}  // namespace

frmCommand::frmCommand(Session& session, WindowDialogs& dialogs, const QString& programFolder,
                       const Prefill& prefill, QWidget* parent)
    : QDialog(parent),
      m_session(session),
      m_dialogs(dialogs),
      m_programFolder(programFolder),
      m_prefill(prefill) {
  setObjectName(QStringLiteral("frmCommand"));
  setWindowTitle(tr("ｺﾏﾝﾄﾞﾗｲﾝｼﾞｪﾈﾚｰﾀ"));
  setModal(true);
  if (m_prefill.executable.isEmpty())
    m_prefill.executable = QCoreApplication::applicationFilePath();
  buildControls();

  m_stillWorking.setSingleShot(true);
  m_stillWorking.setInterval(kStillWorkingMilliseconds);
  connect(&m_stillWorking, &QTimer::timeout, this, [this] {
    m_lblTestRunning->show();
    m_cmdStopTest->show();
  });

  // Load: the date pattern, then the presets (the filter text becomes the first preset line).
  applyTypeRule();
  fileNameOptionChanged();
  loadFilterPresets();

  // What the main window hands over. A start folder without its "/" is the program's or home
  // folder that the save dialog falls back on: it is shown too, as the folder a run would
  // write to, rather than an empty box that makes the run refuse /O.
  m_txtInPath->setText(m_prefill.inPath);
  QString outFolder = m_prefill.outFolder;
  if (!outFolder.isEmpty() && !outFolder.endsWith(u'/')) {
    outFolder = FileSystem::folderExists(outFolder) ? outFolder + u'/' : QString();
  }
  m_txtOutPath->setText(outFolder);
  m_txtTitle->setText(m_prefill.title);
  recompose();
}

frmCommand::~frmCommand() {
  abandonTestRun();
}

void frmCommand::buildControls() {
  auto* band = new QLabel(tr("コマンドラインからの起動パラメータを作成します。"), this);
  band->setObjectName(QStringLiteral("lblHeader"));
  band->setAutoFillBackground(true);
  QPalette white = band->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  band->setPalette(white);
  band->setContentsMargins(12, 10, 12, 10);

  // The form, which scrolls on a screen too low for it; the command box and the buttons under
  // it stay in view. Made before its controls, so that they keep their place in the Tab order.
  auto* form = new QWidget(this);
  form->setObjectName(QStringLiteral("pnlFields"));

  QGroupBox* frInPath = folderFrame(form, "frInPath", tr("入力フォルダ"), QStringLiteral("InPath"),
                                    m_txtInPath, m_cmdInPath);
  QGroupBox* frOutPath = folderFrame(form, "frOutPath", tr("出力フォルダ"),
                                     QStringLiteral("OutPath"), m_txtOutPath, m_cmdOutPath);

  QGroupBox* frType = frame(form, "frType", tr("出力ファイルタイプ"));
  // One button a type, in the table's order: a button's id is its row.
  QStringList typeCaptions;
  for (const OutputTypeInfo& info : kOutputTypes) typeCaptions.append(info.keyword.toString());
  m_optType = createOptionGroup(frType, QStringLiteral("optType"), typeCaptions, CaptionRule::None);
  auto* typeRow = new QHBoxLayout(frType);
  for (QAbstractButton* button : m_optType->buttons()) typeRow->addWidget(button);
  typeRow->addStretch();
  m_optType->button(0)->setChecked(true);

  QGroupBox* frOutFile = frame(form, "frOutFile", tr("出力ファイル名"));
  m_optOutPath = createOptionGroup(
      frOutFile, QStringLiteral("optOutPath"),
      {tr("日付（YYYYMMDDHHmmでフォーマットを指定)"), tr("ファイル名直接指定")}, CaptionRule::None);
  m_optOutPath->button(0)->setChecked(true);
  m_txtOutName = new QLineEdit(frOutFile);
  m_txtOutName->setObjectName(QStringLiteral("txtOutName"));
  m_txtOutName->setAccessibleName(tr("出力ファイル名"));
  auto* outFile = new QGridLayout(frOutFile);
  outFile->addWidget(m_optOutPath->button(0), 0, 0);
  outFile->addWidget(m_optOutPath->button(1), 0, 1);
  outFile->setColumnStretch(2, 1);
  outFile->addWidget(m_txtOutName, 1, 0, 1, 3);
  outFile->setColumnMinimumWidth(0, 0);

  QGroupBox* frFilter = frame(form, "frInFileFilter", tr("入力ファイルフィルタ"));
  m_cmbFilter = new QComboBox(frFilter);
  m_cmbFilter->setObjectName(QStringLiteral("cmbFilter"));
  m_cmbFilter->setEditable(true);
  m_cmbFilter->setInsertPolicy(QComboBox::NoInsert);
  // A typed pattern stays what was typed: completion from the presets would turn "*.t" into
  // the whole text-document preset.
  m_cmbFilter->setCompleter(nullptr);
  m_cmbFilter->setEditText(QStringLiteral("*.*"));
  m_cmbFilter->setAccessibleName(frFilter->title());
  m_cmbFilter->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  (new QVBoxLayout(frFilter))->addWidget(m_cmbFilter);
  // The folder, file-name and filter boxes take no path or separator character from the keys.
  auto* keyScreen = new FilterKeyScreen(m_dialogs, this);
  for (QWidget* box :
       std::initializer_list<QWidget*>{m_txtInPath, m_txtOutPath, m_txtOutName, m_cmbFilter}) {
    keyScreen->watch(box);
  }

  QGroupBox* frTitle = frame(form, "frTitle", tr("タイトル"));
  m_txtTitle = new QLineEdit(frTitle);
  m_txtTitle->setObjectName(QStringLiteral("txtTitle"));
  m_txtTitle->setAccessibleName(frTitle->title());
  (new QVBoxLayout(frTitle))->addWidget(m_txtTitle);

  QGroupBox* frSort = frame(form, "frSort", tr("ソートキー"));
  m_optSortKey = createOptionGroup(frSort, QStringLiteral("optSortKey"),
                                   {tr("ﾌｧｲﾙ名"), tr("拡張子"), tr("ﾌｧｲﾙﾊﾟｽ"), tr("ﾌｧｲﾙﾀｲﾌﾟ"),
                                    tr("ﾌｧｲﾙｻｲｽﾞ"), tr("作成日付"), tr("ｱｸｾｽ日付"), tr("更新日付")},
                                   CaptionRule::None);
  auto* sortGrid = new QGridLayout(frSort);
  for (int i = 0; i < 8; ++i) sortGrid->addWidget(m_optSortKey->button(i), i / 4, i % 4);
  m_optSortKey->button(0)->setChecked(true);

  m_chkSubDir = new QCheckBox(tr("ｻﾌﾞﾃﾞｨﾚｸﾄﾘの検索を行う。"), form);
  m_chkSubDir->setObjectName(QStringLiteral("chkSubDir"));

  // What the run's walk leaves out and enters, with the window's exclude box and its presets;
  // the box starts empty and the options unticked, which need no switch.
  QGroupBox* frWalk = frame(form, "frWalk", tr("検索オプション"));
  m_walkRules = new WalkRulesBox(*frWalk, m_dialogs, m_walk);
  m_walkRules->showSettings();
  auto* walk = new QGridLayout(frWalk);
  walk->addWidget(m_walkRules->label(), 0, 0);
  walk->addWidget(m_walkRules->excludeBox(), 0, 1, 1, 3);
  walk->addWidget(m_walkRules->hiddenFilesBox(), 1, 0, 1, 2);
  walk->addWidget(m_walkRules->oneFileSystemBox(), 1, 2);
  walk->setColumnStretch(3, 1);

  // The switches beyond the list's own: left out of the line unless chosen, so that the run
  // takes what the export dialogs saved.
  QGroupBox* frOutOption = frame(form, "frOutOption", tr("出力オプション"));
  m_lblTextCode = new QLabel(tr("文字コード（CSV・TEXT）"), frOutOption);
  m_lblTextCode->setObjectName(QStringLiteral("lblTextCode"));
  m_cmbTextCode = new QComboBox(frOutOption);
  m_cmbTextCode->setObjectName(QStringLiteral("cmbTextCode"));
  m_cmbTextCode->setToolTip(
      tr("CSV・テキストファイルの文字コードを指定します（/K）。"
         "「保存された設定」のときは、CSV出力ダイアログで選んだ文字コードになります。"));
  m_cmbTextCode->addItem(tr("保存された設定"), -1);
  addListEncodingItems(*m_cmbTextCode);
  m_cmbTextCode->setAccessibleName(m_lblTextCode->text());
  m_lblTextCode->setBuddy(m_cmbTextCode);
  auto* lblHash = new QLabel(tr("ﾊｯｼｭ値"), frOutOption);
  lblHash->setObjectName(QStringLiteral("lblHash"));
  m_cmbHash = new QComboBox(frOutOption);
  m_cmbHash->setObjectName(QStringLiteral("cmbHash"));
  m_cmbHash->setToolTip(
      tr("ﾌｧｲﾙの内容から計算したﾊｯｼｭ値の列を出力します（/M）。"
         "「保存された設定」のときは、出力ダイアログで選んだものになります。"));
  m_cmbHash->addItem(tr("保存された設定"), int(HashKind::None));
  for (const HashKind kind : {HashKind::Md5, HashKind::Sha1, HashKind::Sha256})
    m_cmbHash->addItem(hashKindCaption(kind), int(kind));
  m_cmbHash->setAccessibleName(lblHash->text());
  lblHash->setBuddy(m_cmbHash);
  m_chkSumFile = new QCheckBox(tr("ﾁｪｯｸｻﾑﾌｧｲﾙも出力"), frOutOption);
  m_chkSumFile->setObjectName(QStringLiteral("chkSumFile"));
  m_chkSumFile->setToolTip(
      tr("ﾘｽﾄと同じﾌｫﾙﾀﾞに、sha256sum -c などで検査できるﾁｪｯｸｻﾑﾌｧｲﾙを出力します（/W）。"
         "ﾊｯｼｭ値を指定しないときは SHA-256 です。"));
  auto* outOption = new QGridLayout(frOutOption);
  outOption->addWidget(m_lblTextCode, 0, 0);
  outOption->addWidget(m_cmbTextCode, 0, 1);
  outOption->addWidget(lblHash, 1, 0);
  outOption->addWidget(m_cmbHash, 1, 1);
  outOption->addWidget(m_chkSumFile, 1, 2);
  outOption->setColumnStretch(3, 1);

  QGroupBox* frCommand = frame(this, "frCommand", tr("コマンド"));
  m_txtCommand = new QPlainTextEdit(frCommand);
  m_txtCommand->setObjectName(QStringLiteral("txtCommand"));
  m_txtCommand->setAccessibleName(frCommand->title());
  m_txtCommand->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_txtCommand->setTabChangesFocus(true);
  m_txtCommand->setFixedHeight(m_txtCommand->fontMetrics().lineSpacing() * 4 + 12);
  m_lblCommandNote = new QLabel(frCommand);
  m_lblCommandNote->setObjectName(QStringLiteral("lblCommandNote"));
  m_lblCommandNote->setWordWrap(true);
  m_lblCommandNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  m_lblCommandNote->setTextFormat(Qt::PlainText);
  m_lblCommandNote->hide();
  m_cmdMakeTest = new QPushButton(tr("リスト作成のテスト"), frCommand);
  m_cmdMakeTest->setObjectName(QStringLiteral("cmdMakeTest"));
  m_cmdCopy = new QPushButton(tr("クリップボードにコピー"), frCommand);
  m_cmdCopy->setObjectName(QStringLiteral("cmdCopy"));
  m_lblTestRunning = new QLabel(tr("テスト実行中…"), frCommand);
  m_lblTestRunning->setObjectName(QStringLiteral("lblTestRunning"));
  m_lblTestRunning->hide();
  m_cmdStopTest = new QPushButton(tr("中止"), frCommand);
  m_cmdStopTest->setObjectName(QStringLiteral("cmdStopTest"));
  m_cmdStopTest->setAccessibleName(tr("テストを中止"));
  m_cmdStopTest->hide();
  auto* commandButtons = new QHBoxLayout;
  commandButtons->addWidget(m_lblTestRunning);
  commandButtons->addWidget(m_cmdStopTest);
  commandButtons->addStretch();
  commandButtons->addWidget(m_cmdMakeTest);
  commandButtons->addWidget(m_cmdCopy);
  auto* commandLayout = new QVBoxLayout(frCommand);
  commandLayout->addWidget(m_txtCommand);
  commandLayout->addWidget(m_lblCommandNote);
  commandLayout->addLayout(commandButtons);

  m_cmdOk = new QPushButton(tr("閉じる"), this);
  m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
  auto* closeRow = new QHBoxLayout;
  closeRow->addStretch();
  closeRow->addWidget(m_cmdOk);

  auto* fields = new QVBoxLayout(form);
  fields->setContentsMargins(10, 4, 10, 0);
  fields->setSpacing(0);
  for (QWidget* widget :
       std::initializer_list<QWidget*>{frInPath, frOutPath, frType, frOutFile, frFilter, frTitle,
                                       frSort, m_chkSubDir, frWalk, frOutOption}) {
    fields->addWidget(widget);
  }
  // Room the person gives the dialog beyond the form's height goes under it.
  fields->addStretch();
  m_fields = new FormScrollArea(form, this);
  m_fields->setObjectName(QStringLiteral("scrFields"));
  auto* commandRows = new QVBoxLayout;
  commandRows->setContentsMargins(10, 0, 10, 10);
  commandRows->setSpacing(0);
  commandRows->addWidget(frCommand);
  commandRows->addLayout(closeRow);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(band);
  layout->addWidget(m_fields, 1);
  layout->addLayout(commandRows);

  // Every push button acts on a click or Space; Enter belongs to the test run.
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);

  for (QLineEdit* box : {m_txtInPath, m_txtOutPath, m_txtOutName, m_txtTitle}) {
    // A folder's path has no length limit; a line edit's default (32,767) would cut it.
    box->setMaxLength(std::numeric_limits<int>::max());
    connect(box, &QLineEdit::textChanged, this, &frmCommand::recompose);
  }
  connect(m_txtCommand, &QPlainTextEdit::textChanged, this, [this] {
    if (!m_settingLine) commandChanged();
  });
  connect(m_cmbFilter, &QComboBox::editTextChanged, this, &frmCommand::recompose);
  connect(m_cmbFilter, &QComboBox::activated, this, &frmCommand::recompose);
  connect(m_optType, &QButtonGroup::idClicked, this, [this] {
    applyTypeRule();
    recompose();
  });
  connect(m_cmbTextCode, &QComboBox::currentIndexChanged, this, &frmCommand::recompose);
  connect(m_cmbHash, &QComboBox::currentIndexChanged, this, &frmCommand::recompose);
  connect(m_chkSumFile, &QCheckBox::clicked, this, &frmCommand::recompose);
  connect(m_optSortKey, &QButtonGroup::idClicked, this, &frmCommand::recompose);
  connect(m_chkSubDir, &QCheckBox::clicked, this, &frmCommand::recompose);
  connect(m_walkRules, &WalkRulesBox::rulesChanged, this, &frmCommand::recompose);
  connect(m_optOutPath, &QButtonGroup::idClicked, this, [this] {
    fileNameOptionChanged();
    recompose();
  });
  connect(m_cmdInPath, &QPushButton::clicked, this, [this] { browse(m_txtInPath); });
  connect(m_cmdOutPath, &QPushButton::clicked, this, [this] { browse(m_txtOutPath); });
  connect(m_cmdCopy, &QPushButton::clicked, this, &frmCommand::copyCommand);
  connect(m_cmdMakeTest, &QPushButton::clicked, this, &frmCommand::startTestRun);
  connect(m_cmdStopTest, &QPushButton::clicked, this, &frmCommand::stopTestRun);
  connect(m_cmdOk, &QPushButton::clicked, this, &frmCommand::reject);

  // Esc, Enter and F1 on every control but the command box, where Enter is a line break.
  for (QWidget* widget : findChildren<QWidget*>()) {
    if (widget != m_txtCommand && !m_txtCommand->isAncestorOf(widget)) {
      widget->installEventFilter(this);
    }
  }
  setMinimumWidth(440);
}

void frmCommand::applyTypeRule() {
  const bool takesEncoding = kOutputTypes[selectedOption(m_optType)].takesEncoding;
  m_lblTextCode->setEnabled(takesEncoding);
  m_cmbTextCode->setEnabled(takesEncoding);
}

void frmCommand::loadFilterPresets() {
  m_loadedPresets = vek::loadFilterPresets(m_programFolder);
  if (!m_loadedPresets) return;  // unreadable: the box keeps what it had, as the main window's does
  m_cmbFilter->clear();
  m_cmbFilter->addItems(*m_loadedPresets);
  m_cmbFilter->setEditText(m_loadedPresets->isEmpty() ? QString() : m_loadedPresets->first());
}

void frmCommand::fileNameOptionChanged() {
  m_txtOutName->setText(m_optOutPath->checkedId() == 1 ? lastFileName(m_prefill.lastOutputFile)
                                                       : kDateDefault);
}

CommandForm frmCommand::form() const {
  CommandForm form;
  form.executable = m_prefill.executable;
  form.inPath = m_txtInPath->text();
  form.outPath = m_txtOutPath->text();
  form.type = kOutputTypes[selectedOption(m_optType)].type;
  form.dateName = m_optOutPath->checkedId() == 0;
  form.outName = m_txtOutName->text();
  form.filter = m_cmbFilter->currentText();
  form.title = m_txtTitle->text();
  const int sortButton = m_optSortKey->checkedId();
  form.sortKey = isListColumn(sortButton) ? std::optional(ListColumn(sortButton)) : std::nullopt;
  form.subfolders = m_chkSubDir->isChecked();
  if (const int encoding = m_cmbTextCode->currentData().toInt(); encoding >= 0)
    form.encoding = ListEncoding(encoding);
  form.hash = HashKind(m_cmbHash->currentData().toInt());
  form.checksumFile = m_chkSumFile->isChecked();
  form.excluded = m_walk.excluded;
  form.hiddenFiles = m_walk.hiddenFiles;
  form.oneFileSystem = m_walk.oneFileSystem;
  return form;
}

void frmCommand::recompose() {
  const CommandForm current = form();
  const QString line = composeCommand(current);
  const QDateTime now = QDateTime::currentDateTime();
  m_readBackProblem = readBackProblem(
      current, line, [now](const QString& pattern) { return formatDateTime(now, pattern); });
  m_settingLine = true;
  m_txtCommand->setPlainText(line);
  m_settingLine = false;
  m_line = CommandBoxText(line, m_txtCommand->toPlainText());
  commandChanged();
}

QString frmCommand::currentLine() const {
  return m_line.withEdit(m_txtCommand->toPlainText());
}

void frmCommand::commandChanged() {
  // A line the person edited is theirs: the run says what it makes of it.
  const bool edited = m_txtCommand->toPlainText() != m_line.shown();
  const QString line = currentLine();
  const bool pastable = !holdsRawBytes(line);
  QStringList notes;
  if (!edited && !m_readBackProblem.isEmpty()) notes.append(m_readBackProblem);
  // A terminal turns a pasted CR into LF, and a tab into completion, whatever the quoting.
  const bool controls = std::any_of(line.begin(), line.end(), [](QChar c) {
    return (c.unicode() < 0x20 && c != u'\n') || c.unicode() == 0x7F;
  });
  if (pastable && controls) {
    notes.append(
        tr("制御文字（CR、タブなど）を含むため、"
           "このコマンドは端末に貼り付けると違う意味に読まれることがあります。"));
  }
  if (!pastable) {
    notes.append(
        tr("UTF-8で表せない名前を含むため、"
           "このコマンドは貼り付けても同じ意味になりません。\n"
           "リスト作成のテストはこのまま実行できます。"));
  }
  const QString note = notes.join(u'\n');
  const bool newNote =
      !note.isEmpty() && (m_lblCommandNote->isHidden() || note != m_lblCommandNote->text());
  m_lblCommandNote->setText(note);
  m_lblCommandNote->setVisible(!note.isEmpty());
  fitNote();
  // A new note takes its height from the form; the dialog gives it back where the screen can.
  if (newNote) growForForm();
  m_cmdCopy->setEnabled(pastable);
  m_testOffered = edited || m_readBackProblem.isEmpty();
  m_cmdMakeTest->setEnabled(m_testOffered && !m_run);
}

void frmCommand::fitNote() {
  if (!isVisible() || m_lblCommandNote->isHidden()) return;
  // The note's height at the width it has, as its minimum: the layout takes the minimum into
  // the dialog's, where a height for a width it would not.
  layout()->activate();
  const int noteHeight = m_lblCommandNote->heightForWidth(m_lblCommandNote->width());
  if (noteHeight != m_lblCommandNote->minimumHeight()) {
    m_lblCommandNote->setMinimumHeight(noteHeight);
    layout()->activate();
  }
  const int needed = layout()->totalMinimumSize().height();
  if (needed > height()) resize(width(), needed);
}

void frmCommand::growForForm() {
  if (!isVisible()) return;
  layout()->activate();
  const int lacking = m_fields->wholeHeight() - m_fields->height();
  const int room = roomHeight();
  if (lacking > 0 && height() < room) resize(width(), std::min(height() + lacking, room));
}

void frmCommand::fitScreen() {
  m_fields->setScrolling(false);
  layout()->activate();
  // As low as the dialog goes with the whole form in it, as wide as it asks to be.
  const QSize least = minimumSizeHint();
  QSize size(std::max(sizeHint().width(), least.width()),
             least.height() + m_fields->wholeHeight() - m_fields->minimumSizeHint().height());
  const int room = roomHeight();
  if (size.height() > room) {
    size.setHeight(std::max(room, least.height()));
    size.rwidth() += m_fields->scrollBarWidth();
    m_fields->setScrolling(true);
  }
  resize(size);
}

QRect frmCommand::availableArea() const {
  if (m_availableGeometry) return *m_availableGeometry;
  // The dialog opens over the window it belongs to, on that window's screen.
  const QWidget* owner = parentWidget() ? parentWidget()->window() : this;
  const QScreen* screen = owner->screen();
  return screen ? screen->availableGeometry() : QRect();
}

int frmCommand::roomHeight() const {
  const QRect area = availableArea();
  if (area.isEmpty()) return QWIDGETSIZE_MAX;
  // The title bar and frame: this window's, or before the window manager gave it any, those of
  // the window it belongs to.
  int frame = frameGeometry().height() - height();
  if (frame <= 0 && parentWidget()) {
    const QWidget* owner = parentWidget()->window();
    frame = owner->frameGeometry().height() - owner->height();
  }
  return area.height() - std::max(frame, 0);
}

void frmCommand::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  fitNote();
}

void frmCommand::browse(QLineEdit* box) {
  const std::optional<QString> chosen =
      m_dialogs.chooseFolder(this, tr("ﾌｫﾙﾀﾞを選択してください"), box->text());
  if (!chosen) return;
  if (chosen->isEmpty()) {
    showMessage(
        MessageCatalogue::warning({tr("指定されたﾊﾟｽからﾌｧｲﾙ情報を取得できません。"),
                                   tr("指定が可能なものは、ﾃﾞｽｸﾄｯﾌﾟ、ﾄﾞﾗｲﾌﾞ、ﾌｫﾙﾀﾞのみです。")}));
    return;
  }
  if (!FileSystem::folderExists(*chosen)) {
    showMessage(MessageCatalogue::warning(
        {tr("指定されたパスからファイル情報を取得できません。"), tr("パスを変更してください。")}));
    return;
  }
  box->setText(*chosen);
}

void frmCommand::copyCommand() {
  // The line as composed, not as the box gives it back; a line whose names cannot travel as
  // text is not offered (the note under the box says so).
  const QString line = currentLine();
  if (holdsRawBytes(line)) return;
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(line);
  showMessage({QStringLiteral("Vek"), tr("コマンドをクリップボードにコピーしました。"),
               MessageIcon::Information});
}

bool frmCommand::testRunning() const {
  return m_run != nullptr;
}

void frmCommand::startTestRun() {
  if (m_run || !m_testOffered) return;
  // The same words a shell would make of the line, started without a shell.
  const ShellWords split = splitShellWords(currentLine(), QDir::homePath());
  if (!split.ok() || split.words.isEmpty() || split.words.first().isEmpty()) {
    testRunFailedToStart();
    return;
  }
  QStringList words = split.words;
  // A bare program name is looked up on PATH, as a shell would.
  if (!words.first().contains(u'/')) {
    words.first() = QStandardPaths::findExecutable(words.first());
    if (words.first().isEmpty()) {
      testRunFailedToStart();
      return;
    }
  }
  setCursor(Qt::WaitCursor);
  m_cmdMakeTest->setEnabled(false);
  m_stopRequested = false;
  m_run = new QProcess(this);
  setExactCommand(*m_run, words);
  // Not a terminal: the run asks nothing (the line already asked for a scan of a whole volume).
  m_run->setStandardInputFile(QProcess::nullDevice());
  m_run->setStandardOutputFile(QProcess::nullDevice());
  connect(m_run, &QProcess::finished, this, &frmCommand::testRunFinished);
  connect(m_run, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) testRunFailedToStart();
  });
  m_run->start();
  if (m_run) m_stillWorking.start();
}

void frmCommand::stopTestRun() {
  if (!m_run) return;
  m_stopRequested = true;
  m_run->terminate();
  QProcess* run = m_run;
  QTimer::singleShot(kStopGraceMilliseconds, run, [run] { run->kill(); });
}

void frmCommand::testRunFinished(int exitCode, QProcess::ExitStatus status) {
  const QString errors = TextCodec::system().decode(m_run->readAllStandardError());
  const bool stopped = m_stopRequested;
  endTestRun();
  const QString messages = runMessages(errors);
  if (stopped) {
    showMessage({QStringLiteral("Vek"), tr("リスト作成のテストを中止しました。"),
                 MessageIcon::Information});
  } else if (status == QProcess::NormalExit && exitCode == 0) {
    // Notices of the run (characters the encoding could not hold) follow the success line.
    QString text = tr("%1 にリストを出力しました。").arg(m_txtOutPath->text());
    if (!messages.isEmpty()) text += QStringLiteral("\r\n\r\n") + messages;
    showMessage({tr("テスト完了"), text, MessageIcon::Information});
  } else {
    QString text = messages;
    if (text.isEmpty()) {
      text = status == QProcess::NormalExit
                 ? tr("リスト作成のテストが終了コード %1 で終わりました。").arg(exitCode)
                 : tr("リスト作成のテストが異常終了しました。");
      text += tr("\r\nリストは出力されていません。");
    }
    showMessage(MessageCatalogue::warning(text));
  }
  Q_EMIT testRunEnded();
}

void frmCommand::testRunFailedToStart() {
  endTestRun();
  showMessage(MessageCatalogue::warning(
      {tr("テスト作成でエラーが発生しました。"), tr("正しいコマンドを構築してください。")}));
  Q_EMIT testRunEnded();
}

void frmCommand::endTestRun() {
  m_stillWorking.stop();
  m_lblTestRunning->hide();
  m_cmdStopTest->hide();
  if (m_run) {
    m_run->disconnect(this);
    m_run->deleteLater();
    m_run = nullptr;
  }
  unsetCursor();
  m_cmdMakeTest->setEnabled(m_testOffered);
}

void frmCommand::abandonTestRun() {
  if (!m_run) return;
  m_run->disconnect(this);
  m_run->kill();
  m_run->waitForFinished(2000);
  endTestRun();
}

void frmCommand::showMessage(const Message& message) {
  m_dialogs.showMessage(this, message);
}

void frmCommand::openManual() {
  m_session.openManual();
}

bool frmCommand::handleKey(QObject* watched, QKeyEvent* key) {
  // The filter box's drop-down list is a window of its own, where Esc and Enter act on the list.
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget && widget->window() != this) return false;
  switch (key->key()) {
    case Qt::Key_Escape:
      reject();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      startTestRun();
      return true;
    case Qt::Key_F1:
      openManual();
      return true;
    default:
      break;
  }
  return false;
}

bool frmCommand::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && handleKey(watched, static_cast<QKeyEvent*>(event))) {
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void frmCommand::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    openManual();
    return;
  }
  QDialog::keyPressEvent(event);
}

void frmCommand::showEvent(QShowEvent* event) {
  // Sized before the dialog places itself over its window, which keeps it on the screen.
  if (!event->spontaneous()) fitScreen();
  QDialog::showEvent(event);
  fitNote();
  growForForm();
}

void frmCommand::reject() {
  // Closing stops a test run still going: nobody is left to hear how it ended.
  abandonTestRun();
  QDialog::reject();
}

}  // namespace vek
