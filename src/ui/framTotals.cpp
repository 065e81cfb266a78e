#include "ui/framTotals.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include "ui/CaptionColour.h"

namespace vek {

framTotals::framTotals(bool withSubtotals, QWidget* parent) : QGroupBox(parent) {
  setObjectName(QStringLiteral("framTotals"));
  setTitle(tr("合計"));
  m_chkTotals = new QCheckBox(tr("最後に合計（件数とｻｲｽﾞ）を出力"), this);
  m_chkTotals->setObjectName(QStringLiteral("chkTotals"));
  m_chkTotals->setToolTip(
      tr("出力したﾌｧｲﾙの件数と合計ｻｲｽﾞを最後の行に出力します。"
         "ｻｲｽﾞはﾊﾞｲﾄ数を合計してから単位に換算します。"));
  followCheckColour(m_chkTotals);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_chkTotals);
  if (withSubtotals) {
    m_chkSubtotals = new QCheckBox(tr("ﾌｫﾙﾀﾞ毎の小計も出力"), this);
    m_chkSubtotals->setObjectName(QStringLiteral("chkSubtotals"));
    m_chkSubtotals->setToolTip(
        tr("「ﾌｫﾙﾀﾞ毎に挿入」を選んだとき、各ﾌｫﾙﾀﾞの行の後に小計を出力します。"));
    followCheckColour(m_chkSubtotals);
    layout->addWidget(m_chkSubtotals);
  }
}

void framTotals::load(const ColumnOptions& options) {
  m_chkTotals->setChecked(options.totals);
  if (m_chkSubtotals) m_chkSubtotals->setChecked(options.subtotals);
}

void framTotals::store(ColumnOptions& options) const {
  options.totals = m_chkTotals->isChecked();
  if (m_chkSubtotals) options.subtotals = m_chkSubtotals->isChecked();
}

void framTotals::setSubtotalsAvailable(bool available) {
  if (m_chkSubtotals) m_chkSubtotals->setEnabled(available);
}

}  // namespace vek
