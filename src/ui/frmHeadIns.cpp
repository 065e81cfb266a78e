#include "ui/frmHeadIns.h"

#include <algorithm>

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>

#include "ui/CaptionColour.h"
#include "ui/OptionGroup.h"

namespace vek {

frmHeadIns::frmHeadIns(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {
  setObjectName(QStringLiteral("frmHeadIns"));

  m_optHeadIns =
      createOptionGroup(this, QStringLiteral("optHeadIns"), {tr("挿入する"), tr("挿入しない")});
  optionButton(m_optHeadIns, 0)->setToolTip(tr("データ行中に見出し行を挿入します。"));
  optionButton(m_optHeadIns, 1)->setToolTip(tr("見出し行は先頭の１行目のみとなります。"));

  m_optInsType =
      createOptionGroup(this, QStringLiteral("optInsType"), {QString(), tr("ﾌｫﾙﾀﾞ毎に挿入")});
  QRadioButton* everyN = optionButton(m_optInsType, 0);
  everyN->setToolTip(tr("指定した行数ごとに見出し行を挿入します。"));
  // The button has no caption of its own; the labels beside it say what it means.
  everyN->setAccessibleName(tr("行おきに挿入"));
  optionButton(m_optInsType, 1)
      ->setToolTip(
          tr("フォルダ毎にデータがまとまります。（ソート順序はフォルダ毎の方が見やすくなります）"));

  m_lblHeadInterval = new QLabel(QStringLiteral("15"), this);
  m_lblHeadInterval->setObjectName(QStringLiteral("lblHeadInterval"));
  m_lblHeadInterval->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_lblHeadInterval->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")) + 4);
  m_cscHeadInterval = new QScrollBar(Qt::Vertical, this);
  m_cscHeadInterval->setObjectName(QStringLiteral("cscHeadInterval"));
  m_cscHeadInterval->setRange(kMinimumInterval, kMaximumInterval);
  m_cscHeadInterval->setValue(15);
  m_cscHeadInterval->setAccessibleName(tr("行数"));
  m_cscHeadInterval->setFixedHeight(fontMetrics().height() * 2);
  m_lblHeadInteval = new QLabel(tr("行おきに挿入"), this);
  m_lblHeadInteval->setObjectName(QStringLiteral("lblHeadInteval"));
  m_lblHeadInterval->setBuddy(everyN);
  m_lblHeadInteval->setBuddy(everyN);

  auto* layout = new QGridLayout(this);
  const int indent = fontMetrics().horizontalAdvance(u'M') * 2;
  layout->addWidget(optionButton(m_optHeadIns, 0), 0, 0, 1, 5);
  layout->setColumnMinimumWidth(0, indent);
  layout->addWidget(everyN, 1, 1);
  layout->addWidget(m_lblHeadInterval, 1, 2);
  layout->addWidget(m_cscHeadInterval, 1, 3);
  layout->addWidget(m_lblHeadInteval, 1, 4);
  layout->addWidget(optionButton(m_optInsType, 1), 2, 1, 1, 4);
  layout->addWidget(optionButton(m_optHeadIns, 1), 3, 0, 1, 5);
  layout->setColumnStretch(5, 1);

  connect(m_cscHeadInterval, &QScrollBar::valueChanged, this,
          [this](int value) { m_lblHeadInterval->setText(QString::number(value)); });
  connect(m_optHeadIns, &QButtonGroup::idToggled, this, &frmHeadIns::applyInsertRule);
  connect(m_optInsType, &QButtonGroup::idToggled, this, &frmHeadIns::applyTypeColour);
  load(ColumnOptions());
}

void frmHeadIns::load(const ColumnOptions& options) {
  selectOption(m_optHeadIns, options.optHeadInsert);
  selectOption(m_optInsType, options.optHeadInsertType);
  const int interval = std::clamp(options.valHeadInterval, kMinimumInterval, kMaximumInterval);
  m_cscHeadInterval->setValue(interval);
  m_lblHeadInterval->setText(QString::number(interval));
  applyInsertRule();
  applyTypeColour();
}

void frmHeadIns::store(ColumnOptions& options) const {
  options.optHeadInsert =
      optionButton(m_optHeadIns, 0)->isChecked() ? HeadInsert::On : HeadInsert::Off;
  options.optHeadInsertType = optionButton(m_optInsType, 0)->isChecked()
                                  ? HeadInsertAt::EveryInterval
                                  : HeadInsertAt::FolderChange;
  bool ok = false;
  const int interval = m_lblHeadInterval->text().toInt(&ok);
  options.valHeadInterval = ok ? interval : m_cscHeadInterval->value();
}

bool frmHeadIns::insertsAtFolderChange() const {
  return optionButton(m_optHeadIns, 0)->isChecked() && optionButton(m_optInsType, 1)->isChecked();
}

void frmHeadIns::applyInsertRule() {
  const bool inserting = optionButton(m_optHeadIns, 0)->isChecked();
  for (QWidget* widget :
       {static_cast<QWidget*>(m_lblHeadInterval), static_cast<QWidget*>(m_cscHeadInterval),
        static_cast<QWidget*>(m_lblHeadInteval)})
    widget->setEnabled(inserting);
  for (QAbstractButton* button : m_optInsType->buttons()) button->setEnabled(inserting);
  Q_EMIT choiceChanged();
}

void frmHeadIns::applyTypeColour() {
  setCaptionBlue(m_lblHeadInteval, optionButton(m_optInsType, 0)->isChecked());
  Q_EMIT choiceChanged();
}

}  // namespace vek
