#include "ui/frmDateSetting.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/dates/DateFormatter.h"
#include "core/messages/Interaction.h"

namespace vek {

namespace {

QLabel* createPreview(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setMinimumHeight(label->fontMetrics().height() + 6);
  return label;
}

}  // namespace

frmDateSetting::frmDateSetting(Settings& settings, const Session& session, Interaction& interaction,
                               QWidget* parent)
    : BandDialog(QStringLiteral("frmDateSetting"), tr("日付書式設定"),
                 tr("ﾃｷｽﾄ、HTML、XMLに出力する日付の書式を指定します。"), session, parent),
      m_settings(settings),
      m_interaction(interaction),
      m_clock(&QDateTime::currentDateTime) {
  m_cmbDateFormat = new QComboBox(this);
  m_cmbDateFormat->setObjectName(QStringLiteral("cmbDateFormat"));
  m_cmbDateFormat->setEditable(true);
  m_cmbDateFormat->setInsertPolicy(QComboBox::NoInsert);
  // No completion from the presets: a typed "YYYY/MM/DD" must not become the longer preset.
  m_cmbDateFormat->setCompleter(nullptr);
  m_cmbDateFormat->setMinimumWidth(fontMetrics().horizontalAdvance(presets().at(3)) + 60);
  m_lblBeforeDate = createPreview(this, "lblBeforeDate");
  m_lblAfterDate = createPreview(this, "lblAfterDate");
  m_timPrintDate = new QTimer(this);
  m_timPrintDate->setObjectName(QStringLiteral("timPrintDate"));
  m_timPrintDate->setInterval(1000);

  auto* formatLabel = new QLabel(tr("日付の書式指定"), this);
  formatLabel->setBuddy(m_cmbDateFormat);
  m_cmbDateFormat->setAccessibleName(formatLabel->text());
  m_lblBeforeDate->setAccessibleName(tr("書式適用前"));
  m_lblAfterDate->setAccessibleName(tr("書式適用後"));
  QVBoxLayout* fields = fieldsLayout();
  fields->addWidget(formatLabel);
  fields->addWidget(m_cmbDateFormat);
  fields->addSpacing(8);
  fields->addWidget(new QLabel(tr("書式適用前"), this));
  fields->addWidget(m_lblBeforeDate);
  fields->addSpacing(8);
  fields->addWidget(new QLabel(tr("書式適用後"), this));
  fields->addWidget(m_lblAfterDate);

  addKeyRule(m_cmbDateFormat);
  addKeyRule(m_cmdOK);
  // Enter on a focused ｷｬﾝｾﾙ cancels: a person who moved there meant to discard the pattern.
  addKeyRuleExceptEnter(m_cmdCansel);

  m_formatError = false;
  m_cmbDateFormat->addItems(presets());
  m_cmbDateFormat->setEditText(settings.option.dateFormat);
  preview();
  connect(m_cmbDateFormat, &QComboBox::editTextChanged, this, &frmDateSetting::preview);
  connect(m_timPrintDate, &QTimer::timeout, this, &frmDateSetting::preview);
}

// The clock ticks only while the dialog is open.
void frmDateSetting::showEvent(QShowEvent* event) {
  BandDialog::showEvent(event);
  m_timPrintDate->start();
}

void frmDateSetting::hideEvent(QHideEvent* event) {
  m_timPrintDate->stop();
  BandDialog::hideEvent(event);
}

const QStringList& frmDateSetting::presets() {
  static const QStringList list = {QStringLiteral("YYYY/MM/DD HH:MM:SS"),
                                   QStringLiteral("YYYY/MM/DD"),
                                   QStringLiteral("HH:MM:SS"),
                                   QStringLiteral("YYYY年MM月DD日 HH時MM分SS秒"),
                                   QStringLiteral("YYYY年MM月DD日"),
                                   QStringLiteral("HH時MM分SS秒"),
                                   QStringLiteral("ggge年M月D日(aaa)"),
                                   QStringLiteral("dddd, mmm d yyyy"),
                                   QStringLiteral("HH:MM:SS AMPM")};
  return list;
}

QString frmDateSetting::invalidPatternText() {
  return tr("日付書式が不正です");
}

void frmDateSetting::setClock(Clock clock) {
  m_clock = std::move(clock);
  preview();
}

void frmDateSetting::preview() {
  const QDateTime now = m_clock();
  const QLocale locale;
  m_lblBeforeDate->setText(locale.toString(now.date(), QLocale::ShortFormat) + u' ' +
                           now.time().toString(QStringLiteral("HH:mm:ss")));
  m_formatError = false;
  const std::optional<QString> after = formatDateTime(now, m_cmbDateFormat->currentText(), locale);
  if (after) {
    m_lblAfterDate->setText(*after);
  } else {
    m_lblAfterDate->setText(invalidPatternText());
    m_formatError = true;
  }
}

void frmDateSetting::ok() {
  if (m_formatError) {
    m_interaction.showMessage({tr("日付書式異常"),
                               tr("日付書式が不正です、正しい書式を選択／入力してください。"),
                               MessageIcon::Warning});
    return;
  }
  m_settings.option.dateFormat = m_cmbDateFormat->currentText();
  accept();
}

}  // namespace vek
