#include "ui/WalkRulesBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "core/settings/WalkSettings.h"
#include "ui/FilterKeyScreen.h"

namespace vek {

WalkRulesBox::WalkRulesBox(QWidget& parent, WindowDialogs& dialogs, WalkSettings& walk)
    : QObject(&parent), m_walk(walk) {
  m_lblExclude = new QLabel(tr("除外するﾌｧｲﾙ・ﾌｫﾙﾀﾞ："), &parent);
  m_lblExclude->setObjectName(QStringLiteral("lblExclude"));
  m_cmbExclude = new QComboBox(&parent);
  m_cmbExclude->setObjectName(QStringLiteral("cmbExclude"));
  m_cmbExclude->setEditable(true);
  m_cmbExclude->setInsertPolicy(QComboBox::NoInsert);
  // As in the filter box: what was typed stays what was typed.
  m_cmbExclude->setCompleter(nullptr);
  m_cmbExclude->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  m_cmbExclude->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  m_cmbExclude->setMinimumContentsLength(10);
  // The first item leaves nothing out, so a person can go back to listing everything.
  m_cmbExclude->addItem(QString());
  m_cmbExclude->addItems(excludePresets());
  (new FilterKeyScreen(dialogs, m_cmbExclude))->watch(m_cmbExclude);
  m_chkHiddenFiles = new QCheckBox(tr("隠しﾌｧｲﾙも追加"), &parent);
  m_chkHiddenFiles->setObjectName(QStringLiteral("chkHiddenFiles"));
  m_chkOneFileSystem = new QCheckBox(tr("別のﾌｧｲﾙｼｽﾃﾑは検索しない"), &parent);
  m_chkOneFileSystem->setObjectName(QStringLiteral("chkOneFileSystem"));

  m_cmbExclude->setToolTip(
      tr("リストに追加しないファイルとフォルダの名前を「;」で区切って指定します（* と ? が"
         "使えます）。一致したフォルダの中は検索しません。"));
  m_chkHiddenFiles->setToolTip(
      tr("「.」で始まる名前のファイル（隠しファイル）もリストに追加します。"));
  m_chkOneFileSystem->setToolTip(
      tr("追加を始めたフォルダと別のファイルシステム（別のディスク、ネットワーク上の共有など）に"
         "あるフォルダの中は検索しません。"));
  m_cmbExclude->setAccessibleName(m_cmbExclude->toolTip());
  m_lblExclude->setAccessibleName(m_lblExclude->text());
  m_lblExclude->setBuddy(m_cmbExclude);
  for (QCheckBox* box : {m_chkHiddenFiles, m_chkOneFileSystem}) {
    box->setAccessibleName(box->text());
    box->setAccessibleDescription(box->toolTip());
  }

  connect(m_cmbExclude, &QComboBox::currentTextChanged, this, &WalkRulesBox::takeChoices);
  // A chosen text shows from its first pattern, not its last.
  connect(m_cmbExclude, &QComboBox::currentIndexChanged, this,
          [this] { m_cmbExclude->lineEdit()->setCursorPosition(0); });
  connect(m_chkHiddenFiles, &QCheckBox::toggled, this, &WalkRulesBox::takeChoices);
  connect(m_chkOneFileSystem, &QCheckBox::toggled, this, &WalkRulesBox::takeChoices);
}

QHBoxLayout* WalkRulesBox::createRow() const {
  // The caption sits beside its box: a row of its own would take the folder box's height.
  auto* row = new QHBoxLayout;
  row->addWidget(m_lblExclude);
  row->addWidget(m_cmbExclude, 1);
  row->addWidget(m_chkHiddenFiles);
  row->addWidget(m_chkOneFileSystem);
  return row;
}

void WalkRulesBox::showSettings() {
  const QSignalBlocker blockExclude(m_cmbExclude);
  const QSignalBlocker blockHidden(m_chkHiddenFiles);
  const QSignalBlocker blockOneFileSystem(m_chkOneFileSystem);
  const int preset = m_cmbExclude->findText(m_walk.excluded);
  if (preset >= 0) m_cmbExclude->setCurrentIndex(preset);
  m_cmbExclude->setEditText(m_walk.excluded);
  m_cmbExclude->lineEdit()->setCursorPosition(0);
  m_chkHiddenFiles->setChecked(m_walk.hiddenFiles);
  m_chkOneFileSystem->setChecked(m_walk.oneFileSystem);
}

void WalkRulesBox::setEnabled(bool enabled) {
  for (QWidget* control : std::initializer_list<QWidget*>{m_lblExclude, m_cmbExclude,
                                                          m_chkHiddenFiles, m_chkOneFileSystem}) {
    control->setEnabled(enabled);
  }
}

WalkRules WalkRulesBox::rules() const {
  return WalkRules(m_walk);
}

void WalkRulesBox::takeChoices() {
  m_walk.excluded = m_cmbExclude->currentText();
  m_walk.hiddenFiles = m_chkHiddenFiles->isChecked();
  m_walk.oneFileSystem = m_chkOneFileSystem->isChecked();
  Q_EMIT rulesChanged();
}

}  // namespace vek
