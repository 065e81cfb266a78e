#include "ui/BandDialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vek {

BandDialog::BandDialog(const QString& name, const QString& caption, const QString& bandText,
                       const Session& session, QWidget* parent)
    : KeyedDialog(session, parent) {
  setObjectName(name);
  setWindowTitle(caption);
  setModal(true);

  auto* band = new QFrame(this);
  band->setObjectName(QStringLiteral("fraBand"));
  paintBand(*band);
  auto* bandLabel = new QLabel(bandText, band);
  bandLabel->setObjectName(QStringLiteral("lblBand"));
  auto* bandLayout = new QHBoxLayout(band);
  bandLayout->setContentsMargins(12, 10, 12, 10);
  bandLayout->addWidget(bandLabel);

  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);

  m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
  m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
  m_cmdOK->setDefault(true);
  m_cmdCansel = new QPushButton(tr("ｷｬﾝｾﾙ"), this);
  m_cmdCansel->setObjectName(QStringLiteral("cmdCansel"));

  m_fields = new QVBoxLayout;
  m_fields->setContentsMargins(12, 6, 12, 6);
  m_buttons = new QHBoxLayout;
  m_buttons->setContentsMargins(12, 6, 12, 12);
  m_buttons->addStretch();
  m_buttons->addWidget(m_cmdOK);
  m_buttons->addWidget(m_cmdCansel);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(band);
  layout->addWidget(line);
  layout->addLayout(m_fields, 1);
  layout->addLayout(m_buttons);

  connect(m_cmdOK, &QPushButton::clicked, this, [this] { ok(); });
  connect(m_cmdCansel, &QPushButton::clicked, this, &BandDialog::reject);
}

}  // namespace vek
