#include "ui/framJoho.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/CaptionColour.h"
#include "ui/OptionGroup.h"

namespace vek {

namespace {

QCheckBox* createCheck(QWidget* parent, const char* name, const QString& caption) {
  auto* check = new QCheckBox(caption, parent);
  check->setObjectName(QString::fromLatin1(name));
  followCheckColour(check);
  return check;
}

// The shaping controls stand indented under the column they shape.
QHBoxLayout* indented(QWidget* parent) {
  auto* row = new QHBoxLayout;
  row->addSpacing(parent->fontMetrics().horizontalAdvance(u'M') * 2);
  return row;
}

}  // namespace

framJoho::framJoho(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {
  setObjectName(QStringLiteral("framJoho"));
  setToolTip(tr("出力したいファイルの情報を指定します。"));

  m_chkFullPath = createCheck(this, "chkFullPath", tr("ﾌﾙﾊﾟｽ（ﾃﾞｨﾚｸﾄﾘ+ﾌｧｲﾙ）"));
  m_chkPathType = createCheck(this, "chkPathType", tr("file:// 形式で出力"));
  m_chkDir = createCheck(this, "chkDir", tr("ﾃﾞｨﾚｸﾄﾘ情報"));
  m_optDir = createOptionGroup(this, QStringLiteral("optDir"),
                               {tr("絶対ﾊﾟｽ"), tr("絶対ﾊﾟｽ（ﾄﾞﾗｲﾌﾞ省略"), tr("最後尾のﾌｫﾙﾀﾞ名")});
  m_chkFile = createCheck(this, "chkFile", tr("ﾌｧｲﾙ名"));
  m_chkAndName = createCheck(this, "chkAndName", tr("拡張子を付加"));
  m_chkExtend = createCheck(this, "chkExtend", tr("ﾌｧｲﾙﾀｲﾌﾟ"));
  m_chkSize = createCheck(this, "chkSize", tr("ﾌｧｲﾙｻｲｽﾞ"));
  m_optSize =
      createOptionGroup(this, QStringLiteral("optSize"),
                        {QStringLiteral("Byte"), QStringLiteral("KB"), QStringLiteral("MB")});
  m_chkAddUnit = createCheck(this, "chkAddUnit", tr("単位を付加"));
  m_chkDateCreate = createCheck(this, "chkDateCreate", tr("作成日時"));
  m_chkDateAccess = createCheck(this, "chkDateAccess", tr("ｱｸｾｽ日時"));
  m_chkDateModifi = createCheck(this, "chkDateModifi", tr("更新日時"));
  m_chkRelPath = createCheck(this, "chkRelPath", tr("相対パス（追加したﾌｫﾙﾀﾞから）"));
  m_chkRelPath->setToolTip(tr("追加を始めたﾌｫﾙﾀﾞから見たﾌｧｲﾙのﾊﾟｽを出力します。"));
  m_lblHash = new QLabel(tr("ﾊｯｼｭ値"), this);
  m_cmbHash = new QComboBox(this);
  m_cmbHash->setObjectName(QStringLiteral("cmbHash"));
  m_cmbHash->setToolTip(
      tr("ﾌｧｲﾙの内容から計算したﾊｯｼｭ値を出力します。"
         "出力時にﾁｪｯｸされたﾌｧｲﾙをすべて読み取ります。"));
  m_cmbHash->addItem(tr("なし"), int(HashKind::None));
  for (HashKind kind : {HashKind::Md5, HashKind::Sha1, HashKind::Sha256})
    m_cmbHash->addItem(hashKindCaption(kind), int(kind));
  m_cmbHash->setAccessibleName(tr("ﾊｯｼｭ値"));
  m_lblHash->setBuddy(m_cmbHash);
  m_chkSumFile = createCheck(this, "chkSumFile", tr("ﾁｪｯｸｻﾑﾌｧｲﾙも出力"));
  m_chkSumFile->setToolTip(
      tr("ﾘｽﾄと同じﾌｫﾙﾀﾞに、sha256sum -c などで検査できるﾁｪｯｸｻﾑﾌｧｲﾙを出力します"
         "（ﾊｯｼｭ値が「なし」のときは SHA-256）。"));

  m_chkDeliveryCheck = createCheck(this, "chkDeliveryCheck", tr("注意（Windows・Macで困る名前）"));
  m_chkDeliveryCheck->setToolTip(
      tr("Windowsで使えない名前・予約名、260文字を超えるﾊﾟｽ、分解形(NFD)の名前、"
         "Shift_JISにない文字、大文字小文字だけ違う同名、Thumbs.dbなどの管理ﾌｧｲﾙを書き出します。"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_chkFullPath);
  QHBoxLayout* row = indented(this);
  row->addWidget(m_chkPathType);
  layout->addLayout(row);
  layout->addWidget(m_chkDir);
  for (int i = 0; i < 3; ++i) {
    row = indented(this);
    row->addWidget(optionButton(m_optDir, i));
    layout->addLayout(row);
  }
  layout->addWidget(m_chkFile);
  row = indented(this);
  row->addWidget(m_chkAndName);
  layout->addLayout(row);
  layout->addWidget(m_chkExtend);
  layout->addWidget(m_chkSize);
  row = indented(this);
  for (int i = 0; i < 3; ++i) row->addWidget(optionButton(m_optSize, i));
  row->addStretch();
  layout->addLayout(row);
  row = indented(this);
  row->addWidget(m_chkAddUnit);
  layout->addLayout(row);
  layout->addWidget(m_chkDateCreate);
  layout->addWidget(m_chkDateAccess);
  layout->addWidget(m_chkDateModifi);
  layout->addWidget(m_chkRelPath);
  row = new QHBoxLayout;
  row->addWidget(m_lblHash);
  row->addWidget(m_cmbHash);
  row->addStretch();
  layout->addLayout(row);
  row = indented(this);
  row->addWidget(m_chkSumFile);
  layout->addLayout(row);
  layout->addWidget(m_chkDeliveryCheck);
  m_lblEveryField =
      new QLabel(tr("JSON のリストは、上の選択にかかわらず常にすべての項目を持ちます。"), this);
  m_lblEveryField->setObjectName(QStringLiteral("lblEveryField"));
  m_lblEveryField->setWordWrap(true);
  m_lblEveryField->hide();
  layout->addWidget(m_lblEveryField);
  layout->addStretch();

  connect(m_chkFullPath, &QCheckBox::toggled, this, &framJoho::applyFullPathRule);
  connect(m_chkDir, &QCheckBox::toggled, this, &framJoho::applyDirRule);
  connect(m_chkFile, &QCheckBox::toggled, this, &framJoho::applyFileRule);
  connect(m_chkSize, &QCheckBox::toggled, this, &framJoho::applySizeRule);
  load(ColumnOptions());
}

QString framJoho::defaultCaption() {
  return tr("出力する情報の選択");
}

QLabel* framJoho::createSortNote(QWidget* parent) {
  auto* note =
      new QLabel(tr("※　ﾌｧｲﾙのｿｰﾄ順序は、前画面の「出力対象ﾌｧｲﾙﾘｽﾄ」にて指定できます。"), parent);
  note->setObjectName(QStringLiteral("lblSortNote"));
  note->setWordWrap(true);
  return note;
}

void framJoho::load(const ColumnOptions& options) {
  m_chkFullPath->setChecked(options.chkPath);
  m_chkPathType->setChecked(options.chkPathType);
  m_chkDir->setChecked(options.chkDir);
  selectOption(m_optDir, options.optDirType);
  m_chkFile->setChecked(options.chkFile);
  m_chkAndName->setChecked(options.chkExtAdd);
  m_chkExtend->setChecked(options.chkExt);
  m_chkSize->setChecked(options.chkSize);
  selectOption(m_optSize, options.optSizeType);
  m_chkAddUnit->setChecked(options.chkAddUnit);
  m_chkDateCreate->setChecked(options.chkMakeDate);
  m_chkDateAccess->setChecked(options.chkAccessDate);
  m_chkDateModifi->setChecked(options.chkUpdateDate);
  m_chkRelPath->setChecked(options.chkRelPath);
  m_cmbHash->setCurrentIndex(std::max(0, m_cmbHash->findData(int(options.hash))));
  m_chkSumFile->setChecked(options.checksumFile);
  m_chkDeliveryCheck->setChecked(options.chkDeliveryCheck);
  applyFullPathRule();
  applyDirRule();
  applyFileRule();
  applySizeRule();
}

void framJoho::store(ColumnOptions& options) const {
  options.chkPath = m_chkFullPath->isChecked();
  options.chkPathType = m_chkPathType->isChecked();
  options.chkDir = m_chkDir->isChecked();
  options.optDirType = selectedOption<DirType>(m_optDir);
  options.chkFile = m_chkFile->isChecked();
  options.chkExtAdd = m_chkAndName->isChecked();
  options.chkExt = m_chkExtend->isChecked();
  options.chkSize = m_chkSize->isChecked();
  options.optSizeType = selectedOption<SizeUnit>(m_optSize);
  options.chkAddUnit = m_chkAddUnit->isChecked();
  options.chkMakeDate = m_chkDateCreate->isChecked();
  options.chkAccessDate = m_chkDateAccess->isChecked();
  options.chkUpdateDate = m_chkDateModifi->isChecked();
  options.chkRelPath = m_chkRelPath->isChecked();
  options.hash = HashKind(m_cmbHash->currentData().toInt());
  options.checksumFile = m_chkSumFile->isChecked();
  options.chkDeliveryCheck = m_chkDeliveryCheck->isChecked();
}

void framJoho::setEveryField(bool every) {
  for (QWidget* field : std::initializer_list<QWidget*>{
           m_chkFullPath, m_chkDir, m_chkFile, m_chkExtend, m_chkSize, m_chkDateCreate,
           m_chkDateAccess, m_chkDateModifi, m_chkDeliveryCheck})
    field->setEnabled(!every);
  m_lblEveryField->setVisible(every);
  if (every) {
    m_chkPathType->setEnabled(false);
    m_chkAndName->setEnabled(false);
    m_chkAddUnit->setEnabled(false);
    for (QAbstractButton* button : m_optDir->buttons()) button->setEnabled(false);
    for (QAbstractButton* button : m_optSize->buttons()) button->setEnabled(false);
    return;
  }
  applyFullPathRule();
  applyDirRule();
  applyFileRule();
  applySizeRule();
}

void framJoho::applyFullPathRule() {
  m_chkPathType->setEnabled(m_chkFullPath->isChecked());
}

void framJoho::applyDirRule() {
  for (QAbstractButton* button : m_optDir->buttons()) button->setEnabled(m_chkDir->isChecked());
}

void framJoho::applyFileRule() {
  m_chkAndName->setEnabled(m_chkFile->isChecked());
}

void framJoho::applySizeRule() {
  const bool on = m_chkSize->isChecked();
  for (QAbstractButton* button : m_optSize->buttons()) button->setEnabled(on);
  m_chkAddUnit->setEnabled(on);
}

}  // namespace vek
