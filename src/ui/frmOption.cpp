#include "ui/frmOption.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vek {

namespace {

QCheckBox* createCheck(QWidget* parent, const char* name, const QString& caption, bool ticked) {
  auto* check = new QCheckBox(caption, parent);
  check->setObjectName(QString::fromLatin1(name));
  check->setChecked(ticked);
  return check;
}

}  // namespace

frmOption::frmOption(Settings& settings, const Session& session, QWidget* parent)
    : BandDialog(QStringLiteral("frmOption"), tr("動作設定"), tr("動作環境を設定します。"), session,
                 parent),
      m_settings(settings) {
  const OptionSettings& option = settings.option;
  m_chkCyohuku = createCheck(this, "chkCyohuku",
                             tr("ﾌｧｲﾙﾘｽﾄに重複するﾌｧｲﾙを追加しない。 "
                                "（これにﾁｪｯｸをすると、ﾘｽﾄ件数に比例して処理が重くなります。）"),
                             option.overLap);
  m_chkOpenDoc = createCheck(
      this, "chkOpenDoc",
      tr("テキスト／CSV／HTMLﾘｽﾄ、およびXMLﾄﾞｷｭﾒﾝﾄ作成時に、関連付けられたｱﾌﾟﾘｹｰｼｮﾝでﾘｽﾄを開く。"),
      option.listOpen);
  m_chkAllAppend =
      createCheck(this, "chkAllAppend", tr("「選択中のﾌｫﾙﾀﾞ以下を全て追加」ボタンを表示しない。"),
                  option.allAppend);
  m_chkDefaultTitle =
      createCheck(this, "chkDefaultTitle", tr("HTMLのデフォルトタイトル名に、パス情報を用いる。"),
                  option.defaultTitle);

  m_chkNumberSort = createCheck(
      this, "chkNumberSort",
      tr("ﾌｧｲﾙ名・拡張子・ﾊﾟｽの並べ替えで、数字を数値として比べる。（file2 が file10 の前）"),
      settings.sort.numbers == NumberOrder::AsNumbers);
  m_chkNumberSort->setToolTip(
      tr("全角の数字も同じ数として扱います。値が同じときは、先頭の0が少ない方が先です。"));

  auto* drop = new QGroupBox(tr(" フォルダドロップ時の動作 "), this);
  drop->setObjectName(QStringLiteral("fraDropItem"));
  m_optDropItem = new QButtonGroup(drop);
  m_optDropItem->setObjectName(QStringLiteral("optDropItem"));
  const QString dropCaptions[] = {
      tr("そのﾌｫﾙﾀﾞ内のﾌｧｲﾙのみを、処理対象ﾌｧｲﾙﾘｽﾄに追加する。"),
      tr("そのﾌｫﾙﾀﾞのｻﾌﾞﾌｫﾙﾀﾞ内のﾌｧｲﾙも検索し、処理対象ﾌｧｲﾙﾘｽﾄに追加する。")};
  auto* dropLayout = new QVBoxLayout(drop);
  for (int i = 0; i < 2; ++i) {
    auto* button = new QRadioButton(dropCaptions[i], drop);
    button->setObjectName(u"optDropItem_" + QString::number(i));
    m_optDropItem->addButton(button, i);
    dropLayout->addWidget(button);
    addKeyRule(button);
  }
  m_optDropItem->button(option.dropFolder ? 1 : 0)->setChecked(true);

  QVBoxLayout* fields = fieldsLayout();
  fields->addWidget(m_chkCyohuku);
  fields->addWidget(m_chkOpenDoc);
  fields->addWidget(m_chkAllAppend);
  fields->addWidget(m_chkDefaultTitle);
  fields->addWidget(m_chkNumberSort);
  fields->addWidget(drop);

  addKeyRule(m_chkCyohuku);
  addKeyRule(m_chkOpenDoc);
  addKeyRule(m_chkNumberSort);
  addKeyRule(m_cmdOK);
}

void frmOption::ok() {
  OptionSettings& option = m_settings.option;
  option.overLap = m_chkCyohuku->isChecked();
  option.listOpen = m_chkOpenDoc->isChecked();
  option.allAppend = m_chkAllAppend->isChecked();
  option.defaultTitle = m_chkDefaultTitle->isChecked();
  option.dropFolder = !m_optDropItem->button(0)->isChecked();
  m_settings.sort.numbers =
      m_chkNumberSort->isChecked() ? NumberOrder::AsNumbers : NumberOrder::AsText;
  Q_EMIT allAppendChanged(option.allAppend);
  accept();
}

}  // namespace vek
