// The dialog's form: the fields that make the line, the command box under them with the test
// run's controls, and what each control changes.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

#include "batch/OutputType.h"
#include "core/platform/HashKind.h"
#include "ui/FilterKeyScreen.h"
#include "ui/FormScrollArea.h"
#include "ui/ListEncodingItems.h"
#include "ui/OptionGroup.h"
#include "ui/WalkRulesBox.h"
#include "ui/frmCommand.h"

namespace vek {

namespace {

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

}  // namespace

void frmCommand::buildControls() {
  auto* band = new QLabel(tr("コマンドラインからの起動パラメータを作成します。"), this);
  band->setObjectName(QStringLiteral("lblHeader"));
  paintBand(*band);
  band->setContentsMargins(12, 10, 12, 10);

  QWidget* form = buildFields();
  QLayout* commandRows = buildCommandBox();
  m_fields = new FormScrollArea(form, this);
  m_fields->setObjectName(QStringLiteral("scrFields"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(band);
  layout->addWidget(m_fields, 1);
  layout->addLayout(commandRows);
  connectControls();

  // Esc, Enter and F1 on every control but the command box, where Enter is a line break.
  for (QWidget* widget : findChildren<QWidget*>()) {
    if (widget != m_txtCommand && !m_txtCommand->isAncestorOf(widget)) {
      addKeyRule(widget);
    }
  }
  setMinimumWidth(440);
}

QWidget* frmCommand::buildFields() {
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
  return form;
}

QLayout* frmCommand::buildCommandBox() {
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
  auto* commandRows = new QVBoxLayout;
  commandRows->setContentsMargins(10, 0, 10, 10);
  commandRows->setSpacing(0);
  commandRows->addWidget(frCommand);
  commandRows->addLayout(closeRow);
  return commandRows;
}

void frmCommand::connectControls() {
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
}

}  // namespace vek
