#include "ui/MainForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/list/FileList.h"
#include "core/settings/Settings.h"
#include "gather/Gatherer.h"
#include "ui/DropGlue.h"
#include "ui/FilterBox.h"
#include "ui/FolderChooser.h"
#include "ui/OutputListPane.h"
#include "ui/PushButton.h"
#include "ui/Twips.h"
#include "ui/WalkRulesBox.h"
#include "ui/WindowInteraction.h"

namespace vek {

MainForm::MainForm(QMainWindow& window, WindowDialogs& dialogs, WindowInteraction& interaction,
                   Gatherer& gatherer, Settings& settings, FileList& list, Session& session,
                   const QString& programFolder)
    : QObject(&window) {
  auto* central = new QWidget(&window);
  central->setObjectName(QStringLiteral("centralWidget"));
  window.setCentralWidget(central);

  // The input frame: drive, folder and file boxes, browse and typed path, the filter box.
  frmInFile = new QGroupBox(inFileCaption(), central);
  frmInFile->setObjectName(QStringLiteral("frmInFile"));
  chooser = new FolderChooser(*frmInFile, window, dialogs, interaction, gatherer, settings);
  filter =
      new FilterBox(*frmInFile, dialogs, interaction, session, gatherer, *chooser, programFolder);

  auto* input = new QGridLayout(frmInFile);
  input->addWidget(chooser->driveBox(), 0, 0);
  input->addWidget(chooser->browseButton(), 0, 1);
  input->addWidget(chooser->folderBox(), 1, 0, 1, 2);
  input->addWidget(chooser->typedPathButton(), 2, 0, 1, 2);
  input->addWidget(chooser->fileBox(), 0, 2, 3, 1);
  input->addWidget(filter->label(), 3, 0, 1, 3);
  input->addLayout(filter->createRow(), 4, 0, 1, 3);
  walkRules = new WalkRulesBox(*frmInFile, dialogs, settings.walk);
  input->addLayout(walkRules->createRow(), 5, 0, 1, 3);
  // Both halves share a change of width; the folder and file boxes take a change of height.
  input->setColumnStretch(0, 1);
  input->setColumnStretch(2, 1);
  input->setRowStretch(1, 1);

  // The add buttons follow the right edge.
  cmdAllAppend =
      createPushButton(QStringLiteral("cmdAllAppend"), tr("選択中のﾌｫﾙﾀﾞ以下を全て追加"), central);
  cmdAppend = createPushButton(QStringLiteral("cmdAppend"), tr("表示中のﾌｧｲﾙを追加"), central);
  auto* addRow = new QHBoxLayout;
  addRow->addStretch(1);
  addRow->addWidget(cmdAllAppend);
  addRow->addSpacing(twipsToPixels(465, window));
  addRow->addWidget(cmdAppend);

  // The output frame.
  frmFileList = new OutputListPane(list, session, central);

  // The export buttons follow the bottom edge.
  cmdOutList =
      createPushButton(QStringLiteral("cmdOutList"), tr("CSV・テキスト形式で出力"), central);
  cmdOutHtml = createPushButton(QStringLiteral("cmdOutHtml"), tr("HTML形式で出力"), central);
  cmdOutXML = createPushButton(QStringLiteral("cmdOutXML"), tr("XML形式で出力"), central);
  auto* exportRow = new QHBoxLayout;
  exportRow->addWidget(cmdOutList);
  exportRow->addWidget(cmdOutHtml);
  exportRow->addWidget(cmdOutXML);
  exportRow->addStretch(1);

  // The two frames share a change of height half and half.
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(frmInFile, 1);
  layout->addLayout(addRow);
  layout->addWidget(frmFileList, 1);
  layout->addLayout(exportRow);

  connect(walkRules, &WalkRulesBox::rulesChanged, this, [this, &gatherer] {
    gatherer.setWalkRules(walkRules->rules());
    chooser->refreshFileBox();
  });
}

QString MainForm::inFileCaption() {
  return tr(" 入力ﾌｧｲﾙの選択 ");
}

void MainForm::setFrameCaption(QGroupBox* frame, const QString& caption) {
  frame->setTitle(caption);
  frame->setAccessibleDescription(caption);
}

void MainForm::holdControls(bool held) {
  for (QWidget* control : std::initializer_list<QWidget*>{
           cmdAppend, chooser->driveBox(), chooser->folderBox(), chooser->fileBox(), filter->box(),
           cmdAllAppend, frmFileList->view(), frmFileList->clearButton(), cmdOutList, cmdOutHtml,
           cmdOutXML, chooser->browseButton(), chooser->typedPathButton(), filter->editButton(),
           filter->readButton()}) {
    control->setEnabled(!held);
  }
  walkRules->setEnabled(!held);
}

void MainForm::routeDrops(DropGlue& drops) const {
  drops.catchDropsOn({filter->box()->lineEdit(), walkRules->excludeBox()->lineEdit(),
                      chooser->folderBox()->viewport(), chooser->fileBox()->viewport(),
                      frmFileList->view()->viewport()});
  drops.refuseDropsOn({cmdOutXML, chooser->browseButton(), chooser->typedPathButton(),
                       filter->editButton(), filter->readButton()});
}

void MainForm::setToolTipsAndNames() {
  const std::pair<QWidget*, const char*> tips[] = {
      {chooser->driveBox(), QT_TR_NOOP("ドライブを選択します｡")},
      {chooser->browseButton(), QT_TR_NOOP("フォルダ選択ダイアログを表示します。")},
      {chooser->folderBox(), QT_TR_NOOP("ディレクトリを選択します。")},
      {chooser->typedPathButton(), QT_TR_NOOP("パスを直接指定します。")},
      {chooser->fileBox(), QT_TR_NOOP("左で指定したディレクトリに存在するファイルの一覧です。")},
      {filter->box(),
       QT_TR_NOOP("リストに追加するファイルのフィルタを指定します、直接入力も可能です。")},
      {cmdAppend, QT_TR_NOOP("ファイル一覧内のファイルを、下のリストボックスに入力します。")},
      {cmdAllAppend,
       QT_TR_NOOP("選択中のディレクトリ以下の全てのファイルを、下のリストボックスに入力します。")},
      {frmFileList->view(), QT_TR_NOOP("選択したファイルリストを表示します。  "
                                       "不要なデータはチェックボックスを外してください。")},
      {frmFileList->clearButton(), QT_TR_NOOP("リスト内の項目を全て削除します。")},
      {cmdOutList, QT_TR_NOOP("CSV／テキスト形式で出力します。")},
      {cmdOutHtml, QT_TR_NOOP("ブラウザで表示することが可能なHTMLファイルを出力します。")},
      {cmdOutXML, QT_TR_NOOP("XML形式で出力します。")},
  };
  for (const auto& [widget, tip] : tips) {
    widget->setToolTip(tr(tip));
    widget->setAccessibleName(widget->toolTip());
  }
  // Buttons and labels are named by their captions, the frames by theirs.
  for (QPushButton* button : {chooser->browseButton(), chooser->typedPathButton(),
                              filter->editButton(), filter->readButton(), cmdAllAppend, cmdAppend,
                              frmFileList->clearButton(), cmdOutList, cmdOutHtml, cmdOutXML}) {
    button->setAccessibleName(button->text());
    if (!button->toolTip().isEmpty()) button->setAccessibleDescription(button->toolTip());
  }
  chooser->browseButton()->setAccessibleName(tr("フォルダ選択"));
  filter->label()->setAccessibleName(filter->label()->text());
  frmFileList->comment()->setAccessibleName(frmFileList->comment()->text());
  frmInFile->setAccessibleName(tr("入力ﾌｧｲﾙの選択"));
  frmFileList->setAccessibleName(FileList::clearedCaption());
  frmFileList->setAccessibleDescription(frmFileList->title());
  filter->label()->setBuddy(filter->box());
}

}  // namespace vek
