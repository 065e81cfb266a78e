#include "ui/framPrefix.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "ui/CaptionColour.h"

namespace vek {

framPrefix::framPrefix(QWidget* parent) : QGroupBox(parent) {
  setObjectName(QStringLiteral("framPrefix"));
  setTitle(tr("ﾊﾟｽの置き換え（Windowsで読むﾘｽﾄ用）"));
  setToolTip(
      tr("ﾌﾙﾊﾟｽとﾃﾞｨﾚｸﾄﾘ（絶対ﾊﾟｽ）の先頭のﾌｫﾙﾀﾞを別の名前で出力します。"
         "ﾁｪｯｸｻﾑﾌｧｲﾙは変わりません。"));
  auto* lblFrom = new QLabel(tr("置換前"), this);
  m_txtPrefixFrom = new QLineEdit(this);
  m_txtPrefixFrom->setObjectName(QStringLiteral("txtPrefixFrom"));
  m_txtPrefixFrom->setPlaceholderText(QStringLiteral("/mnt/nas/share"));
  m_txtPrefixFrom->setToolTip(
      tr("このﾌｫﾙﾀﾞとその下のﾌｧｲﾙだけが置き換わります（/mnt/nas/share2 は対象外）。"));
  m_txtPrefixFrom->setAccessibleName(lblFrom->text());
  lblFrom->setBuddy(m_txtPrefixFrom);
  m_lblPrefixTo = new QLabel(tr("置換後"), this);
  m_txtPrefixTo = new QLineEdit(this);
  m_txtPrefixTo->setObjectName(QStringLiteral("txtPrefixTo"));
  m_txtPrefixTo->setPlaceholderText(QStringLiteral("\\\\nas\\share"));
  m_txtPrefixTo->setToolTip(tr("file:// 形式では \\\\nas\\share が file://nas/share になります。"));
  m_txtPrefixTo->setAccessibleName(m_lblPrefixTo->text());
  m_lblPrefixTo->setBuddy(m_txtPrefixTo);
  m_chkPrefixBackslash = new QCheckBox(tr("続くﾊﾟｽの / を \\ にする"), this);
  m_chkPrefixBackslash->setObjectName(QStringLiteral("chkPrefixBackslash"));
  followCheckColour(m_chkPrefixBackslash);

  auto* layout = new QGridLayout(this);
  layout->addWidget(lblFrom, 0, 0);
  layout->addWidget(m_txtPrefixFrom, 0, 1);
  layout->addWidget(m_lblPrefixTo, 1, 0);
  layout->addWidget(m_txtPrefixTo, 1, 1);
  layout->addWidget(m_chkPrefixBackslash, 2, 1);

  connect(m_txtPrefixFrom, &QLineEdit::textChanged, this, &framPrefix::applyFromRule);
  applyFromRule();
}

void framPrefix::load(const ColumnOptions& options) {
  m_txtPrefixFrom->setText(options.prefix.from);
  m_txtPrefixTo->setText(options.prefix.to);
  m_chkPrefixBackslash->setChecked(options.prefix.backslashes);
  applyFromRule();
}

void framPrefix::store(ColumnOptions& options) const {
  options.prefix.from = m_txtPrefixFrom->text();
  options.prefix.to = m_txtPrefixTo->text();
  options.prefix.backslashes = m_chkPrefixBackslash->isChecked();
}

void framPrefix::applyFromRule() {
  const bool on = !m_txtPrefixFrom->text().isEmpty();
  m_lblPrefixTo->setEnabled(on);
  m_txtPrefixTo->setEnabled(on);
  m_chkPrefixBackslash->setEnabled(on);
}

}  // namespace vek
